// TApplication: the hidden application window, the message loop and idle work, hints, the
// exception handler and the message box it shows.

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/ClassesUtilWindow.h"
#include "framework/Forms.h"
#include "framework/HintWindow.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "platform/controls/MessageBox.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/WinHelp.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

// How far below the mouse a hint window opens.
constexpr Integer kHintCursorMargin = 20;

TApplication* g_creatingApplication = nullptr;

// The application window binds to its object on its first message (so hooks see WM_CREATE).
win::LRESULT AppInitWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

String HintOfChain(TControl* Control) {
  for (TControl* c = Control; c != nullptr; c = c->Parent())
    if (!c->Hint().empty()) return c->Hint();
  return "";
}

// The first control from Control up whose ShowHint is set.
TControl* HintControlOf(TControl* Control) {
  TControl* c = Control;
  while (c != nullptr && !c->ShowHint()) c = c->Parent();
  return c;
}

}  // namespace

TMessageBoxProc MessageBoxProc = [](win::HWND Owner, const WideString& Text, const WideString& Caption,
                                    win::UINT Flags) -> Integer {
  return win::MessageBoxW(Owner, Text.c_str(), Caption.c_str(), Flags);
};

struct TApplicationAccess {
  static win::WNDPROC Instance(TApplication* app);
};

namespace {
win::LRESULT AppInitWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  TApplication* app = g_creatingApplication;
  g_creatingApplication = nullptr;
  if (app == nullptr) return win::DefWindowProcW(hwnd, msg, wParam, lParam);
  win::WNDPROC proc = TApplicationAccess::Instance(app);
  win::SetWindowLongPtrW(hwnd, win::GWLP_WNDPROC, reinterpret_cast<win::LONG_PTR>(proc));
  return win::CallWindowProcW(proc, hwnd, msg, wParam, lParam);
}
}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FHintWindowClass(THintWindow::ClassInfo()) {
  FObjectInstance = win::MakeObjectInstance([this](win::HWND hwnd, win::UINT msg, win::WPARAM w, win::LPARAM l) {
    if (FHandle == nullptr) FHandle = hwnd;
    TMessage m{msg, w, l, 0};
    try {
      WndProc(m);
    } catch (...) {
      HandleException(this);
    }
    if (msg == win::WM_NCDESTROY) FHandle = nullptr;
    return m.Result;
  });
  InstallExceptionHook();
}

void TApplication::InstallExceptionHook() {
  // Hidden method windows of the core report the exceptions of their methods here.
  if (!ApplicationHandleException) {
    ApplicationHandleException = [](TObject* Sender) {
      if (Application != nullptr) Application->HandleException(Sender);
    };
  }
}

TApplication::~TApplication() {
  Destroying();
  StopHintTimer();
  DestroyComponents();
  FHintWindow = nullptr;
  FHintTimer = nullptr;
  if (FHandle != nullptr && win::IsWindow(FHandle)) win::DestroyWindow(FHandle);
  FHandle = nullptr;
  win::FreeObjectInstance(FObjectInstance);
}

win::WNDPROC TApplicationAccess::Instance(TApplication* app) { return app->FObjectInstance; }

bool TApplication::HandleAllocated() const { return FHandle != nullptr && win::IsWindow(FHandle); }

win::HWND TApplication::Handle() {
  if (HandleAllocated()) return FHandle;
  FHandle = nullptr;
  static bool registered = false;
  win::WNDCLASSW existing;
  if (!registered || !win::GetClassInfoW(nullptr, u"TApplication", &existing)) {
    win::WNDCLASSW wc;
    wc.lpfnWndProc = &AppInitWndProc;
    wc.lpszClassName = u"TApplication";
    win::RegisterClassW(&wc);
    registered = true;
  }
  g_creatingApplication = this;
  std::u16string title = win::Utf8ToWide(FTitle);
  win::HWND h = win::CreateWindowExW(0, u"TApplication", title.c_str(),
                                     win::WS_POPUP | win::WS_CAPTION | win::WS_CLIPSIBLINGS | win::WS_SYSMENU |
                                         win::WS_MINIMIZEBOX,
                                     0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  g_creatingApplication = nullptr;
  FHandle = h;
  return FHandle;
}

void TApplication::SetTitle(const String& Value) {
  FTitle = Value;
  if (HandleAllocated()) win::SetWindowTextW(FHandle, win::Utf8ToWide(Value).c_str());
}

void TApplication::RegisterForm(TCustomForm* Form) {
  if (FMainForm == nullptr) FMainForm = Form;
}

void TApplication::WndProc(TMessage& M) {
  for (size_t i = 0; i < FWindowHooks.size(); ++i) {
    TWindowHook hook = FWindowHooks[i].Fn;
    if (hook && hook(M)) return;
  }
  switch (M.Msg) {
    case win::WM_ACTIVATEAPP:
      FActive = M.WParam != 0;
      if (FActive) {
        if (OnActivate) OnActivate(this);
      } else {
        CancelHint();
        if (OnDeactivate) OnDeactivate(this);
      }
      break;
    case win::WM_CLOSE:
      if (FMainForm != nullptr) FMainForm->Close();
      return;
    case CM_ACTIONEXECUTE:
    case CM_ACTIONUPDATE: {
      TCustomForm* form = Screen != nullptr && Screen->ActiveForm() != nullptr ? Screen->ActiveForm() : FMainForm;
      M.Result = form != nullptr ? form->Perform(M.Msg, M.WParam, M.LParam) : 0;
      return;
    }
    default: break;
  }
  if (M.Msg >= CM_BASE && M.Msg < 0xC000) return;
  M.Result = win::DefWindowProcW(FHandle, M.Msg, M.WParam, M.LParam);
}

void TApplication::HookMainWindow(TWindowHook Hook, const void* Id) { FWindowHooks.push_back({std::move(Hook), Id}); }

void TApplication::UnhookMainWindow(const void* Id) {
  auto it = std::find_if(FWindowHooks.begin(), FWindowHooks.end(), [&](const Hook& h) { return h.Id == Id; });
  if (it != FWindowHooks.end()) FWindowHooks.erase(it);
}

// ---- the loop ----

bool TApplication::IsKeyMsg(win::MSG& Msg) {
  if (Msg.message < win::WM_KEYFIRST || Msg.message > win::WM_KEYLAST) return false;
  win::HWND wnd = Msg.hwnd;
  TWinControl* control = nullptr;
  while (wnd != nullptr && (control = FindControl(wnd)) == nullptr) wnd = win::GetParent(wnd);
  if (control == nullptr) return false;
  return control->Perform(CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(win::MSG& Msg) {
  InstallExceptionHook();
  if (!win::PeekMessageW(&Msg, nullptr, 0, 0, win::PM_REMOVE)) return false;
  if (Msg.message == win::WM_QUIT) {
    FTerminate = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(Msg, handled);
  if (handled) return true;
  if (FHintWindow != nullptr && FHintWindow->HandleAllocated() && FHintWindow->IsHintMsg(Msg)) CancelHint();
  if (IsKeyMsg(Msg)) return true;
  win::TranslateMessage(&Msg);
  win::DispatchMessageW(&Msg);
  return true;
}

void TApplication::ProcessMessages() {
  win::MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  win::MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

bool TApplication::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (OnActionExecute) OnActionExecute(Action, handled);
  return handled;
}

bool TApplication::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (OnActionUpdate) OnActionUpdate(Action, handled);
  return handled;
}

void TApplication::Idle(const win::MSG&) {
  DoMouseIdle();
  bool done = true;
  try {
    if (OnIdle) OnIdle(this, done);
    if (done && Screen != nullptr) {
      for (Integer i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->HandleAllocated() && form->Showing()) form->UpdateActions();
      }
    }
  } catch (...) {
    HandleException(this);
  }
  if (done) win::WaitMessage();
}

void TApplication::DoMouseIdle() {
  win::POINT p;
  win::GetCursorPos(&p);
  TControl* c = FindDragTarget(p, true);
  if (c != FMouseControl) {
    TControl* old = FMouseControl;
    FMouseControl = c;
    if (old != nullptr) old->Perform(CM_MOUSELEAVE);
    if (c != nullptr && FMouseControl == c) c->Perform(CM_MOUSEENTER);
  }
  if (GetCaptureControl() == nullptr) SetHint(GetLongHint(HintOfChain(FMouseControl)));
}

void TApplication::Run() {
  FRunning = true;
  try {
    if (FMainForm != nullptr && !FMainForm->Visible()) FMainForm->Show();
    while (!FTerminate) HandleMessage();
  } catch (...) {
    FRunning = false;
    throw;
  }
  FRunning = false;
}

void TApplication::Terminate() { win::PostQuitMessage(0); }

// ---- exceptions ----

void TApplication::HandleException(TObject* Sender) {
  if (win::GetCapture() != nullptr) win::SendMessageW(win::GetCapture(), win::WM_CANCELMODE, 0, 0);
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    if (OnException) {
      OnException(Sender, e);
    } else {
      ShowException(e);
    }
  } catch (...) {
    // Not an exception object: still reported, never let through a window procedure.
    Exception unknown("Unknown exception");
    if (OnException) {
      OnException(Sender, unknown);
    } else {
      ShowException(unknown);
    }
  }
}

void TApplication::ShowException(const std::exception& E) {
  String msg = E.what();
  if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
  MessageBox(msg, FTitle, win::MB_OK | win::MB_ICONERROR);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, win::UINT Flags) {
  win::HWND owner = nullptr;
  if (Screen != nullptr && Screen->ActiveForm() != nullptr && Screen->ActiveForm()->HandleAllocated()) {
    owner = Screen->ActiveForm()->Handle();
  }
  return MessageBoxProc ? MessageBoxProc(owner, win::Utf8ToWide(Text), win::Utf8ToWide(Caption), Flags)
                        : Integer(win::IDOK);
}

// ---- hints ----

void TApplication::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (OnHint) {
    OnHint(this);
    return;
  }
  // Hint clients (status bars) take the text from a hint action.
  THintAction action(nullptr);
  action.SetHint(Value);
  action.Execute();
}

void TApplication::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::SetHintColor(TColor Value) {
  FHintColor = Value;
  if (FHintWindow != nullptr) FHintWindow->SetColor(Value);
}

void TApplication::StartHintTimer(Integer Value, bool ForShow) {
  if (FHintTimer == nullptr) {
    FHintTimer = new TTimer(this);
    FHintTimer->SetEnabled(false);
    FHintTimer->OnTimer = [this](TObject*) { HintTimerExpired(); };
  }
  FHintTimerForShow = ForShow;
  FHintTimer->SetEnabled(false);
  FHintTimer->SetInterval(Cardinal(std::max<Integer>(Value, 1)));
  FHintTimer->SetEnabled(true);
}

void TApplication::StopHintTimer() {
  if (FHintTimer != nullptr) FHintTimer->SetEnabled(false);
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (FHintTimerForShow) {
    win::POINT p;
    win::GetCursorPos(&p);
    ActivateHint(p);
  } else {
    HideHint();
  }
}

void TApplication::HideHint() {
  if (FHintWindow != nullptr && FHintWindow->HandleAllocated() && win::IsWindowVisible(FHintWindow->Handle())) {
    win::ShowWindow(FHintWindow->Handle(), win::SW_HIDE);
  }
}

void TApplication::CancelHint() {
  if (FHintControl != nullptr) {
    HideHint();
    FHintControl = nullptr;
    FHintActive = false;
  }
  StopHintTimer();
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (Message.Msg != win::WM_MOUSEMOVE) return;
  TControl* hintControl = FShowHint ? HintControlOf(Control) : nullptr;
  win::POINT p{win::GET_X_LPARAM(Message.LParam), win::GET_Y_LPARAM(Message.LParam)};
  p = Control->ClientToScreen(p);
  if (hintControl == nullptr) {
    CancelHint();
    return;
  }
  bool inRect = p.x >= FHintCursorRect.left && p.x < FHintCursorRect.right && p.y >= FHintCursorRect.top &&
                p.y < FHintCursorRect.bottom;
  if (hintControl != FHintControl || !inRect) {
    Integer pause = FHintActive ? FHintShortPause : FHintPause;
    hintControl->Perform(CM_HINTSHOWPAUSE, FHintActive ? 1 : 0, win::LPARAM(&pause));
    if (FHintControl != nullptr && hintControl != FHintControl) HideHint();
    FHintControl = hintControl;
    TRect r = hintControl->ClientRect();
    TPoint tl = hintControl->ClientToScreen(Point(r.left, r.top));
    FHintCursorRect = Rect(tl.x, tl.y, tl.x + (r.right - r.left), tl.y + (r.bottom - r.top));
    StartHintTimer(pause, true);
  }
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  TControl* control = FHintControl;
  if (control == nullptr || !control->ShowHint() || !FActive) return;
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = FHintWindowClass;
  info.HintPos = Point(CursorPos.x, CursorPos.y + kHintCursorMargin);
  info.HintMaxWidth = Screen != nullptr ? Screen->Width() : 1024;
  info.HintColor = FHintColor;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(CursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(HintOfChain(control));
  if (FHintShortCuts) {
    auto* action = dynamic_cast<TCustomAction*>(control->Action());
    if (action != nullptr && action->ShortCut() != 0 && !info.HintStr.empty()) {
      info.HintStr = Format("%s (%s)", info.HintStr, ShortCutToText(action->ShortCut()));
    }
  }
  bool canShow = control->Perform(CM_HINTSHOW, 0, win::LPARAM(&info)) == 0;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  FHintActive = canShow && !info.HintStr.empty();
  // The control's answer names the area its answer holds for, shown or not: a control made of
  // parts (a toolbar's buttons) is asked again when the mouse moves on to another part.
  TPoint origin = control->ClientToScreen(Point(info.CursorRect.left, info.CursorRect.top));
  FHintCursorRect = Rect(origin.x, origin.y, origin.x + (info.CursorRect.right - info.CursorRect.left),
                         origin.y + (info.CursorRect.bottom - info.CursorRect.top));
  if (!FHintActive) {
    HideHint();
    return;
  }
  THintWindowClass cls = info.HintWindowClass != nullptr ? info.HintWindowClass : THintWindow::ClassInfo();
  if (FHintWindow == nullptr || FHintWindowMadeBy != cls) {
    delete FHintWindow;
    FHintWindow = cls->Create(this);
    FHintWindowMadeBy = cls;
  }
  FHintWindow->SetColor(info.HintColor);
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  win::OffsetRect(&r, info.HintPos.x, info.HintPos.y);
  FHintWindow->ActivateHintData(r, info.HintStr, info.HintData);
  if (info.ReshowTimeout > 0) {
    StartHintTimer(info.ReshowTimeout, true);
  } else {
    StartHintTimer(info.HideTimeout > 0 ? info.HideTimeout : FHintHidePause, false);
  }
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (FMouseControl == Control) FMouseControl = nullptr;
  if (FHintControl == Control) {
    FHintControl = nullptr;
    FHintActive = false;
    StopHintTimer();
  }
  if (Control == FHintWindow) {
    FHintWindow = nullptr;
    FHintWindowMadeBy = nullptr;
  }
}

// ---- windows of the application ----

void TApplication::BringToFront() {
  if (FMainForm == nullptr || !FMainForm->HandleAllocated()) return;
  win::HWND h = FMainForm->Handle();
  if (win::IsWindowVisible(h)) {
    win::SetForegroundWindow(h);
    win::BringWindowToTop(h);
  }
}

bool TApplication::HelpCommand(Integer Command, NativeInt Data) {
  bool callHelp = true;
  bool result = false;
  if (OnHelp) result = OnHelp(Word(Command), Data, callHelp);
  if (callHelp) {
    const WideString file = win::Utf8ToWide(HelpFile);
    result = win::WinHelpW(Handle(), file.c_str(), win::UINT(Command), win::UINT_PTR(Data)) != win::FALSE;
  }
  return result;
}

bool TApplication::HelpContext(THelpContext Context) {
  if (Context == 0) return false;
  return HelpCommand(Integer(win::HELP_CONTEXT), NativeInt(Context));
}

void TApplication::Minimize() {
  NormalizeTopMosts();
  if (FMainForm != nullptr && FMainForm->HandleAllocated()) win::ShowWindow(FMainForm->Handle(), win::SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (FMainForm != nullptr && FMainForm->HandleAllocated()) win::ShowWindow(FMainForm->Handle(), win::SW_RESTORE);
  RestoreTopMosts();
  if (OnRestore) OnRestore(this);
}

namespace {
struct TopMostScan {
  win::HWND skip;
  std::vector<win::HWND>* list;
};
win::BOOL CollectTopMost(win::HWND hwnd, win::LPARAM data) {
  auto* scan = reinterpret_cast<TopMostScan*>(data);
  if (hwnd != scan->skip && win::IsWindowVisible(hwnd) &&
      (win::GetWindowLongW(hwnd, win::GWL_EXSTYLE) & win::LONG(win::WS_EX_TOPMOST)) != 0) {
    scan->list->push_back(hwnd);
  }
  return win::TRUE;
}
}  // namespace

void TApplication::NormalizeTopMosts() {
  if (!FTopMostList.empty()) return;
  TopMostScan scan{FHintWindow != nullptr && FHintWindow->HandleAllocated() ? FHintWindow->Handle() : nullptr,
                   &FTopMostList};
  win::EnumWindows(&CollectTopMost, win::LPARAM(&scan));
  for (win::HWND h : FTopMostList) {
    win::SetWindowPos(h, win::HWND_NOTOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  }
}

void TApplication::RestoreTopMosts() {
  for (win::HWND h : FTopMostList) {
    if (win::IsWindow(h)) {
      win::SetWindowPos(h, win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    }
  }
  FTopMostList.clear();
}

}  // namespace fw
