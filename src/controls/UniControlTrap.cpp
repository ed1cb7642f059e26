#include "controls/UniControlTrap.h"

#include <algorithm>
#include <vector>

#include "controls/UniCaptionHolders.h"
#include "controls/UniCodePages.h"
#include "controls/UniControls.h"
#include "controls/UniWindows.h"
#include "framework/ControlMessages.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace cs {

// The message method a trap hands its control. It reaches the trap through a shared link, so a
// method put before it by someone else keeps working after the trap is gone.
struct TTrapMethod {
  std::shared_ptr<TTrapLink> Link;
  void operator()(fw::TMessage& Message) const {
    if (Link->Trap != nullptr) {
      Link->Trap->WindowProc(Message);
    } else if (Link->Prev) {
      Link->Prev(Message);
    } else {
      Link->Control->WndProc(Message);
    }
  }
};

namespace {

constexpr win::LRESULT kNotifyFormatAnsi = 1, kNotifyFormatUnicode = 2;

std::vector<TWinControlTrap*>& AllTraps() {
  static auto* traps = new std::vector<TWinControlTrap*>();  // outlives every window
  return *traps;
}

bool IsTextMessage(win::UINT Msg) {
  return Msg == win::WM_SETTEXT || Msg == win::WM_GETTEXT || Msg == win::WM_GETTEXTLENGTH;
}

}  // namespace

TWinControlTrap* FindControlTrap(const fw::TWinControl* Control) {
  for (TWinControlTrap* trap : AllTraps())
    if (trap->Control() == Control) return trap;
  return nullptr;
}

TWinControlTrap::TWinControlTrap(fw::TWinControl* Control)
    : fw::TComponent(nullptr), FControl(Control), FLink(std::make_shared<TTrapLink>(TTrapLink{this, Control, {}})) {
  Control->FreeNotification(this);
  FWin32ProcInstance = win::MakeObjectInstance(
      [this](win::HWND Wnd, win::UINT Msg, win::WPARAM W, win::LPARAM L) { return Win32Proc(Wnd, Msg, W, L); });
  FDefWin32ProcInstance = win::MakeObjectInstance(
      [this](win::HWND Wnd, win::UINT Msg, win::WPARAM W, win::LPARAM L) { return DefWin32Proc(Wnd, Msg, W, L); });
  AllTraps().push_back(this);
}

TWinControlTrap::~TWinControlTrap() {
  FLink->Trap = nullptr;
  RemovePendingTrap(this);
  std::erase(AllTraps(), this);
  if (FControl != nullptr) FControl->RemoveFreeNotification(this);
  win::FreeObjectInstance(FWin32ProcInstance);
  win::FreeObjectInstance(FDefWin32ProcInstance);
}

void TWinControlTrap::SubclassControl(const WideString& Caption) {
  FHandle = FControl->Handle();
  FPrevWin32Proc = reinterpret_cast<win::WNDPROC>(win::GetWindowLongPtrW(FHandle, win::GWLP_WNDPROC));
  FPrevDefWndProc = FControl->DefWndProc();
  win::SetWindowLongPtrW(FHandle, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(FWin32ProcInstance));
  FControl->SetDefWndProc(FDefWin32ProcInstance);
  HookWindowProc();
  const TWideCaptionHolder* holder = FindWideCaptionHolder(FControl);
  SetWideControlText(FControl, holder ? SyncedWideValue(holder->WideCaption, FControl->Text()) : Caption);
}

bool TWinControlTrap::WindowProcIsTraps() const {
  const TTrapMethod* method = FControl->WindowProc.target<TTrapMethod>();
  return method != nullptr && method->Link == FLink;
}

bool TWinControlTrap::WindowProcHooked() {
  if (WindowProcIsTraps()) return true;
  if (!FControl->WindowProc) return false;
  // Someone put a method before the trap's: a WM_NULL sent through the chain tells whether the
  // trap's is in it.
  FTestForNull = true;
  FFoundNull = false;
  fw::TMessage probe{win::WM_NULL, 0, 0, 0};
  FControl->WindowProc(probe);
  FTestForNull = false;
  return FFoundNull;
}

void TWinControlTrap::HookWindowProc() {
  if (WindowProcHooked()) return;
  FLink->Prev = FControl->WindowProc;
  FControl->WindowProc = TTrapMethod{FLink};
}

void TWinControlTrap::WindowProc(fw::TMessage& Message) {
  if (FTestForNull && Message.Msg == win::WM_NULL) {
    FFoundNull = true;
    return;
  }
  if (FHandle != nullptr && FControl->HandleAllocated()) {
    const win::UINT fromWindow = FLastWin32Msg;
    FLastWin32Msg = 0;
    // The framework's own text messages go to the window, which keeps the text.
    if (IsTextMessage(Message.Msg) && fromWindow != Message.Msg) {
      Message.Result = win::SendMessageW(FHandle, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    if (Message.Msg == fw::CM_HINTSHOW && Message.LParam != 0)
      PrepareWideHint(*reinterpret_cast<fw::THintInfo*>(Message.LParam));
    // WM_CHAR is not parked: the framework's key handling takes whole UTF-16 characters.
  }
  if (FLink->Prev) {
    FLink->Prev(Message);
  } else {
    FControl->WndProc(Message);
  }
}

win::LRESULT TWinControlTrap::Win32Proc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  ++FWin32ProcLevel;
  FLastWin32Msg = Msg;
  win::LRESULT result = 0;
  try {
    result = win::CallWindowProcW(FPrevWin32Proc, Wnd, Msg, WParam, LParam);
  } catch (...) {
    --FWin32ProcLevel;
    throw;
  }
  if (--FWin32ProcLevel == 0 && FDestroyTrap) delete this;
  return result;
}

win::LRESULT TWinControlTrap::DefWin32Proc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  const win::WNDPROC previous = FPrevDefWndProc;
  switch (Msg) {
    case win::WM_NOTIFYFORMAT: {
      const auto from = reinterpret_cast<win::HWND>(WParam);
      const bool creating = CreatingUnicodeControl != nullptr && CreatingUnicodeControl->HandleAllocated() &&
                            CreatingUnicodeControl->Handle() == from;
      return IsUnicodeWindow(from) || creating ? kNotifyFormatUnicode : kNotifyFormatAnsi;
    }
    case win::WM_CHAR: {
      fw::TMessage m{Msg, WParam, LParam, 0};
      RestoreWideChar(m);
      return win::CallWindowProcW(previous, Wnd, Msg, m.WParam, LParam);
    }
    case win::WM_DESTROY:
      UnsubclassControl();  // may free the trap once the window procedure returns
      return win::CallWindowProcW(previous, Wnd, Msg, WParam, LParam);
    default:
      return win::CallWindowProcW(previous, Wnd, Msg, WParam, LParam);
  }
}

void TWinControlTrap::UnsubclassControl() {
  const bool destroying = FControl->ComponentState().Contains(fw::csDestroying);
  if (!destroying && FHandle != nullptr) {
    // The text waits in the holder for the next window.
    const WideString text = UnicodeWindowText(FHandle);
    WideCaptionHolderOf(FControl)->WideCaption = text;
    FControl->SetText(WideToUtf8(text));
  }
  if (WindowProcIsTraps()) FControl->WindowProc = FLink->Prev;
  if (FControl->DefWndProc() == FDefWin32ProcInstance) FControl->SetDefWndProc(FPrevDefWndProc);
  if (FHandle != nullptr && win::GetWindowLongPtrW(FHandle, win::GWLP_WNDPROC) ==
                                reinterpret_cast<win::LONG_PTR>(FWin32ProcInstance))
    win::SetWindowLongPtrW(FHandle, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(FPrevWin32Proc));
  FHandle = nullptr;
  if (destroying) {
    Release();
  } else {
    AddPendingTrap(this);
  }
}

void TWinControlTrap::Release() {
  if (FWin32ProcLevel > 0) {
    FDestroyTrap = true;
  } else {
    delete this;
  }
}

void TWinControlTrap::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove || AComponent != FControl) return;
  // The control is gone (its derived parts already): a window still subclassed gets its
  // procedure back, so that nothing calls into a freed trap.
  if (FHandle != nullptr && win::IsWindow(FHandle) &&
      win::GetWindowLongPtrW(FHandle, win::GWLP_WNDPROC) == reinterpret_cast<win::LONG_PTR>(FWin32ProcInstance))
    win::SetWindowLongPtrW(FHandle, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(FPrevWin32Proc));
  FControl = nullptr;
  FLink->Trap = nullptr;
  RemovePendingTrap(this);
  Release();
}

}  // namespace cs
