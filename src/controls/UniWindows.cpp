#include "controls/UniWindows.h"

#include <algorithm>
#include <vector>

#include "controls/UniCaptionHolders.h"
#include "controls/UniCodePages.h"
#include "controls/UniControlTrap.h"
#include "controls/UniControls.h"
#include "platform/controls/CommCtrl.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/windows/Window.h"

namespace cs {

fw::TWinControl* CreatingUnicodeControl = nullptr;

namespace {

constexpr std::u16string_view kUnicodeClassSuffix = u".UnicodeClass";
// The longest framework class name a Unicode class name is made from.
constexpr std::size_t kMaxFrameworkClassName = 64;

// The framework's window making, seen from a control of its own kind: the control being made
// and the procedure that binds a new window to it.
class TFrameworkWindows : public fw::TWinControl {
 public:
  static fw::TWinControl* CreationControl() { return fw::TWinControl::CreationControl; }
  static win::LRESULT BindWindow(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
    return InitWndProc(Wnd, Msg, WParam, LParam);
  }
};

std::vector<TWinControlTrap*>& PendingTraps() {
  static auto* traps = new std::vector<TWinControlTrap*>();  // outlives every window
  return *traps;
}

TWinControlTrap* TakePendingTrap(const fw::TWinControl* Control) {
  auto& traps = PendingTraps();
  auto it = std::find_if(traps.begin(), traps.end(), [Control](TWinControlTrap* T) { return T->Control() == Control; });
  if (it == traps.end()) return nullptr;
  TWinControlTrap* trap = *it;
  traps.erase(it);
  return trap;
}

}  // namespace

// The trap's side of the pending list.
void AddPendingTrap(TWinControlTrap* Trap) {
  if (std::find(PendingTraps().begin(), PendingTraps().end(), Trap) == PendingTraps().end())
    PendingTraps().push_back(Trap);
}

void RemovePendingTrap(TWinControlTrap* Trap) { std::erase(PendingTraps(), Trap); }

std::size_t PendingTrapCount() { return PendingTraps().size(); }

bool IsUnicodeWindow(win::HWND Wnd) {
  char16_t name[kMaxFrameworkClassName + kUnicodeClassSuffix.size() + 2] = {};
  const int n = win::GetClassNameW(Wnd, name, int(std::size(name)));
  return n > 0 && std::u16string_view(name, std::size_t(n)).ends_with(kUnicodeClassSuffix);
}

WideString UnicodeWindowText(win::HWND Wnd) {
  const int length = win::GetWindowTextLengthW(Wnd);
  WideString text(std::size_t(std::max(length, 0)) + 1, u'\0');
  const int got = win::GetWindowTextW(Wnd, text.data(), int(text.size()));
  text.resize(std::size_t(std::max(got, 0)));
  return text;
}

WideString RegisterUnicodeClass(const fw::TCreateParams& Params) {
  const WideString name =
      Params.WinClassName.substr(0, kMaxFrameworkClassName) + WideString(kUnicodeClassSuffix);
  win::WNDCLASSW existing{};
  if (win::GetClassInfoW(nullptr, name.c_str(), &existing)) {
    if (existing.lpfnWndProc == &UnicodeInitWndProc) return name;
    if (!win::UnregisterClassW(name.c_str(), nullptr)) RaiseLastOSError();
  }
  win::WNDCLASSW wc = Params.WindowClass;
  wc.hInstance = nullptr;
  wc.lpfnWndProc = &UnicodeInitWndProc;
  wc.lpszClassName = name.c_str();
  if (win::RegisterClassW(&wc) == 0) RaiseLastOSError();
  return name;
}

WideString StandardSubClassOf(const fw::TCreateParams& Params) {
  static constexpr const char16_t* kStandardClasses[] = {
      u"Edit", u"ComboBox", u"ListBox", u"Button", u"ScrollBar", win::TRACKBAR_CLASSW, win::UPDOWN_CLASSW};
  if (Params.WindowClass.lpfnWndProc == nullptr || Params.WindowClass.lpfnWndProc == &win::DefWindowProcW) return {};
  for (const char16_t* name : kStandardClasses) {
    win::WNDCLASSW wc{};
    if (win::GetClassInfoW(nullptr, name, &wc) && wc.lpfnWndProc == Params.WindowClass.lpfnWndProc) return name;
  }
  return {};
}

void CreateUnicodeHandle(fw::TWinControl* Control, const fw::TCreateParams& Params, const WideString& SubClass) {
  win::WNDCLASSW standard{};
  const bool subclassed = !SubClass.empty() && win::GetClassInfoW(nullptr, SubClass.c_str(), &standard);
  Control->SetDefWndProc(subclassed ? standard.lpfnWndProc : &win::DefWindowProcW);
  const WideString className = RegisterUnicodeClass(Params);
  // The window starts with the caption it is to have (the holder keeps a caption the window
  // had before it was made again), so that subclassing finds nothing to change.
  const TWideCaptionHolder* holder = FindWideCaptionHolder(Control);
  const WideString caption = holder ? SyncedWideValue(holder->WideCaption, Control->Text()) : Params.Caption;
  CreatingUnicodeControl = Control;
  const win::HWND wnd =
      win::CreateWindowExW(Params.ExStyle, className.c_str(), caption.c_str(), Params.Style, Params.X, Params.Y,
                           Params.Width, Params.Height, Params.WndParent, nullptr, nullptr, Params.Param);
  CreatingUnicodeControl = nullptr;
  if (wnd == nullptr) RaiseLastOSError();
  SubclassUnicodeControl(Control, caption);
}

win::LRESULT UnicodeInitWndProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam) {
  fw::TWinControl* control = TFrameworkWindows::CreationControl();
  if (control == nullptr) return win::DefWindowProcW(Wnd, Msg, WParam, LParam);
  // The trap waits among the pending ones until SubclassUnicodeControl takes the window over.
  TWinControlTrap* trap = TakePendingTrap(control);
  if (trap == nullptr) trap = new TWinControlTrap(control);
  AddPendingTrap(trap);
  if ((win::GetWindowLongPtrW(Wnd, win::GWL_STYLE) & win::WS_CHILD) != 0 &&
      win::GetWindowLongPtrW(Wnd, win::GWLP_ID) == 0)
    win::SetWindowLongPtrW(Wnd, win::GWLP_ID, reinterpret_cast<win::LONG_PTR>(Wnd));
  // The framework binds the window to the control (its handle, the window property that finds
  // the control, the control's procedure) and hands it this first message.
  return TFrameworkWindows::BindWindow(Wnd, Msg, WParam, LParam);
}

void SubclassUnicodeControl(fw::TWinControl* Control, const WideString& Caption) {
  if (!IsUnicodeWindow(Control->Handle()))
    throw EUniInternalError("Internal Error: SubClassUnicodeControl.Control is not Unicode.");
  TWinControlTrap* trap = TakePendingTrap(Control);
  if (trap == nullptr) trap = new TWinControlTrap(Control);
  trap->SubclassControl(Caption);
}

}  // namespace cs
