// TCustomForm: showing, modal loops, closing, activation, focus and dialog keys.

#include "framework/Forms.h"

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/HandlerFrames.h"
#include "framework/Menus.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

// The windows ShowModal disables: every visible, enabled top-level window but the modal one.
struct TaskWindows {
  win::HWND except;
  std::vector<win::HWND> list;
};

win::BOOL CollectTaskWindow(win::HWND hwnd, win::LPARAM data) {
  auto* tw = reinterpret_cast<TaskWindows*>(data);
  if (hwnd != tw->except && win::IsWindowVisible(hwnd) && win::IsWindowEnabled(hwnd)) tw->list.push_back(hwnd);
  return win::TRUE;
}

std::vector<win::HWND> DisableTaskWindows(win::HWND except) {
  TaskWindows tw{except, {}};
  win::EnumWindows(&CollectTaskWindow, win::LPARAM(&tw));
  for (win::HWND h : tw.list) win::EnableWindow(h, win::FALSE);
  return tw.list;
}

void EnableTaskWindows(const std::vector<win::HWND>& list) {
  for (win::HWND h : list)
    if (win::IsWindow(h)) win::EnableWindow(h, win::TRUE);
}

}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FParentFont = false;
  FParentColor = false;
  FParentShowHint = false;
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FWidth = 320;
  FHeight = 240;
  auto canvas = std::make_unique<TControlCanvas>();
  canvas->SetControl(this);
  FCanvas = std::move(canvas);
  if (Screen != nullptr) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  ForgetRelease(this);
  BeforeDestruction();
  Destroying();
  if (Application != nullptr && Application->FMainForm == this) Application->FMainForm = nullptr;
  if (Screen != nullptr) Screen->RemoveForm(this);
  if (FMenu != nullptr) FMenu->FForm = nullptr;
  DestroyComponents();
  static_cast<TControlCanvas*>(FCanvas.get())->FreeHandle();
  DestroyHandle();
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  if (OnCreate) OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
  if (FDestroyFired) return;
  FDestroyFired = true;
  if (OnDestroy) OnDestroy(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMenu) {
    FMenu = nullptr;
    if (FHandle != nullptr) win::SetMenu(FHandle, nullptr);
  }
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

// ---- window ----

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = win::WS_CLIPCHILDREN | win::WS_CLIPSIBLINGS;
  Params.ExStyle = 0;
  Params.WndParent = (Application != nullptr) ? Application->Handle() : nullptr;
  bool icons = true;
  switch (FBorderStyle) {
    case bsNone:
      Params.Style |= win::WS_POPUP;
      icons = false;
      break;
    case bsSingle: Params.Style |= win::WS_CAPTION | win::WS_BORDER; break;
    case bsSizeable: Params.Style |= win::WS_CAPTION | win::WS_THICKFRAME; break;
    case bsDialog:
      Params.Style |= win::WS_POPUP | win::WS_CAPTION;
      Params.ExStyle |= win::WS_EX_DLGMODALFRAME | win::WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      Params.Style |= win::WS_CAPTION;
      Params.ExStyle |= win::WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      Params.Style |= win::WS_CAPTION | win::WS_THICKFRAME;
      Params.ExStyle |= win::WS_EX_TOOLWINDOW;
      break;
  }
  if (icons) {
    if (FBorderIcons.Contains(biSystemMenu)) Params.Style |= win::WS_SYSMENU;
    bool minMax = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
    if (minMax && FBorderIcons.Contains(biMinimize)) Params.Style |= win::WS_MINIMIZEBOX;
    if (minMax && FBorderIcons.Contains(biMaximize)) Params.Style |= win::WS_MAXIMIZEBOX;
    if (FBorderIcons.Contains(biHelp) &&
        (FBorderStyle == bsDialog || !(FBorderIcons.Contains(biMinimize) || FBorderIcons.Contains(biMaximize)))) {
      Params.ExStyle |= win::WS_EX_CONTEXTHELP;
    }
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= win::WS_EX_TOPMOST;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
    Params.X = win::CW_USEDEFAULT;
    Params.Y = win::CW_USEDEFAULT;
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMenu != nullptr) win::SetMenu(FHandle, FMenu->Handle());
  // The window may have been placed by the system (default position): read it back.
  UpdateBounds();
}

TRect TCustomForm::ClientRect() {
  if (FHandle != nullptr) return TWinControl::ClientRect();
  TCreateParams params;
  CreateParams(params);
  win::RECT frame{0, 0, 0, 0};
  win::AdjustWindowRectEx(&frame, params.Style, FMenu != nullptr ? win::TRUE : win::FALSE, params.ExStyle);
  return Rect(0, 0, std::max<Integer>(FWidth - (frame.right - frame.left), 0),
              std::max<Integer>(FHeight - (frame.bottom - frame.top), 0));
}

void TCustomForm::SetClientSize(Integer AWidth, Integer AHeight) {
  TRect r = ClientRect();
  SetBounds(FLeft, FTop, FWidth - r.right + AWidth, FHeight - r.bottom + AHeight);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  if (FHandle != nullptr) {
    win::SetWindowPos(FHandle, Value == fsStayOnTop ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                      win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  }
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  if (FHandle != nullptr && FShowing) {
    win::ShowWindow(FHandle, Value == wsMinimized   ? win::SW_MINIMIZE
                             : Value == wsMaximized ? win::SW_SHOWMAXIMIZED
                                                    : win::SW_RESTORE);
  }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu != nullptr) {
    FMenu->FForm = nullptr;
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = Value;
  if (Value != nullptr) {
    Value->FForm = this;
    Value->FreeNotification(this);
  }
  if (FHandle != nullptr) win::SetMenu(FHandle, Value != nullptr ? Value->Handle() : nullptr);
}

void TCustomForm::MenuChanged() {
  if (FHandle == nullptr) return;
  win::SetMenu(FHandle, FMenu != nullptr ? FMenu->Handle() : nullptr);
  win::DrawMenuBar(FHandle);
}

// ---- showing ----

void TCustomForm::Show() {
  const bool showing = FShowing && FHandle != nullptr;
  SetVisible(true);
  BringToFront();
  // Shown again while it shows (its command chosen once more): it takes the keyboard, as it did
  // when it first appeared, unless a modal window holds it disabled.
  if (showing && win::IsWindowEnabled(FHandle)) win::SetActiveWindow(FHandle);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::PlaceOnShow() {
  TPosition pos = FPosition;
  TCustomForm* center = nullptr;
  if (pos == poMainFormCenter || pos == poOwnerFormCenter) {
    center = pos == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
    if (center == nullptr && Application != nullptr) center = Application->MainForm();
    if (center == this || (center != nullptr && !center->Visible())) center = nullptr;
    if (center == nullptr) pos = poScreenCenter;
  }
  if (pos == poScreenCenter || pos == poDesktopCenter) {
    TRect area = pos == poDesktopCenter ? Screen->DesktopRect() : Rect(0, 0, Screen->Width(), Screen->Height());
    SetBounds(area.left + (area.right - area.left - FWidth) / 2, area.top + (area.bottom - area.top - FHeight) / 2,
              FWidth, FHeight);
  } else if (center != nullptr) {
    SetBounds(center->Left() + (center->Width() - FWidth) / 2, center->Top() + (center->Height() - FHeight) / 2,
              FWidth, FHeight);
  }
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (FShowing) {
    DoShow();
    PlaceOnShow();
    win::ShowWindow(FHandle, FWindowState == wsMaximized   ? win::SW_SHOWMAXIMIZED
                             : FWindowState == wsMinimized ? win::SW_SHOWMINIMIZED
                                                           : win::SW_SHOWNORMAL);
    FFormState.Include(fsVisible);
  } else {
    DoHide();
    if (FHandle != nullptr) win::ShowWindow(FHandle, win::SW_HIDE);
    FFormState.Exclude(fsVisible);
  }
}

Integer TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild) {
    throw EInvalidOperation("Cannot make a visible window modal");
  }
  if (win::GetCapture() != nullptr) win::SendMessageW(win::GetCapture(), win::WM_CANCELMODE, 0, 0);
  win::ReleaseCapture();
  FFormState.Include(fsModal);
  win::HWND activeWindow = win::GetActiveWindow();
  std::vector<win::HWND> disabled = DisableTaskWindows(Handle());
  TModalResult result = mrNone;
  auto restore = [&] {
    EnableTaskWindows(disabled);
    if (activeWindow != nullptr && win::IsWindow(activeWindow)) win::SetActiveWindow(activeWindow);
    FFormState.Exclude(fsModal);
  };
  try {
    Show();
    try {
      FModalResult = mrNone;
      do {
        Application->HandleMessage();
        if (Application->Terminated()) {
          FModalResult = mrCancel;
        } else if (FModalResult != mrNone) {
          CloseModal();
        }
      } while (FModalResult == mrNone);
      result = FModalResult;
    } catch (...) {
      Hide();
      throw;
    }
    Hide();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() { win::PostMessageW(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::CMRelease(TMessage&) {
  // Released inside a handler of its own that runs a message loop (OK pressed by a key, whose
  // click shows a modal box): freed once that handler has returned, out of sight meanwhile.
  if (HandlerRunsBelow(this)) {
    DeferRelease(this);
    if (Visible()) Hide();
    return;
  }
  BeforeDestruction();
  delete this;
}

void TCustomForm::WMClose(TMessage&) { Close(); }

// ---- activation and focus ----

void TCustomForm::WMActivate(TMessage& M) {
  bool active = win::LOWORD(M.WParam) != win::WA_INACTIVE;
  if (FActive == active) return;
  FActive = active;
  if (active) {
    if (Screen != nullptr) Screen->SetActiveForm(this);
    // A form that has never had a focused control starts at the one Enter passes by, so the
    // keyboard works in it at once and Enter still presses its default button; afterwards it
    // returns to the control last focused.
    if (FActiveControl == nullptr) FActiveControl = FirstFocusControl();
    SetWindowFocus();
    Perform(CM_ACTIVATE);
  } else {
    Perform(CM_DEACTIVATE);
  }
}

namespace {

// The dialog code a control gives for Enter pressed while it has the focus.
win::LRESULT DialogCodeForEnter(TWinControl* Control) {
  win::MSG key;
  key.hwnd = Control->Handle();
  key.message = win::WM_KEYDOWN;
  key.wParam = win::VK_RETURN;
  return Control->Perform(win::WM_GETDLGCODE, 0, win::LPARAM(&key));
}

}  // namespace

TWinControl* TCustomForm::FirstFocusControl() {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  auto stop = [](TWinControl* c) { return c->CanFocus() && c->StopsOnTab(); };
  for (TWinControl* c : list) {
    if (!stop(c)) continue;
    auto inside = [&](TWinControl* o) { return o != c && c->ContainsControl(o) && stop(o); };
    if (std::any_of(list.begin(), list.end(), inside)) continue;
    const win::LRESULT code = DialogCodeForEnter(c);
    if ((code & win::DLGC_DEFPUSHBUTTON) != 0) return c;
    if ((code & (win::DLGC_BUTTON | win::DLGC_WANTALLKEYS)) != 0) continue;
    if (c->Perform(CM_WANTSPECIALKEY, win::VK_RETURN, 0) != 0) continue;
    return c;
  }
  return nullptr;
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }
void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::SetWindowFocus() {
  if (FHandle == nullptr) return;
  if (FActiveControl != nullptr && FActiveControl->CanFocus()) {
    win::SetFocus(FActiveControl->Handle());
  } else {
    win::SetFocus(FHandle);
  }
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control != nullptr &&
      (Control == this || GetParentForm(Control) != this || (FShowing && !Control->CanFocus()))) {
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  }
  FActiveControl = Control;
  if (FActive && FShowing) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
  if (FActive) return;
  if (!(FVisible && FEnabled)) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->Parent();
  if (Control->ContainsControl(FActiveControl)) {
    FActiveControl = nullptr;
    if (FActive && FShowing && !ComponentState().Contains(csDestroying)) win::SetFocus(FHandle);
  }
  if (Screen != nullptr && Control->ContainsControl(Screen->ActiveControl())) Screen->SetActiveControl(nullptr);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (ComponentState().Contains(csDestroying)) return true;
  TWinControl* old = FFocusedControl;
  if (Control != this) FActiveControl = Control;
  FFocusedControl = Control;
  if (Screen != nullptr) {
    Screen->SetActiveForm(this);
    Screen->SetActiveControl(Control);
  }
  if (old != Control) {
    std::vector<TWinControl*> exits, enters;
    for (TWinControl* c = old; c != nullptr && c != this && !c->ContainsControl(Control); c = c->Parent()) {
      exits.push_back(c);
    }
    for (TWinControl* c = Control; c != nullptr && c != this && !(old != nullptr && c->ContainsControl(old));
         c = c->Parent()) {
      enters.insert(enters.begin(), c);
    }
    for (TWinControl* c : exits) c->Perform(CM_EXIT);
    for (TWinControl* c : enters) c->Perform(CM_ENTER);
  }
  Perform(CM_FOCUSCHANGED, 0, win::LPARAM(Control));
  return true;
}

// ---- keys, commands, menus ----

void TCustomForm::KeyDown(Word& Key, TShiftState Shift) { TWinControl::KeyDown(Key, Shift); }

bool TCustomForm::IsShortCut(TMessage& Message) {
  if (FMenu != nullptr && FMenu->IsShortCut(Message)) return true;
  for (Integer i = 0; i < ComponentCount(); ++i) {
    if (auto* list = dynamic_cast<TCustomActionList*>(Components(i))) {
      if (list->IsShortCut(Message.WParam, Message.LParam)) return true;
    }
  }
  return false;
}

void TCustomForm::CMDialogKey(TMessage& M) {
  TShiftState s = KeyDataToShiftState(M.LParam);
  if (!s.Contains(ssAlt) && !s.Contains(ssCtrl)) {
    switch (M.WParam) {
      case win::VK_TAB:
        SelectNext(FActiveControl, !s.Contains(ssShift), true);
        M.Result = 1;
        return;
      case win::VK_LEFT:
      case win::VK_UP:
      case win::VK_RIGHT:
      case win::VK_DOWN:
        if (FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
          FActiveControl->Parent()->SelectNext(FActiveControl, M.WParam == win::VK_RIGHT || M.WParam == win::VK_DOWN,
                                               false);
          M.Result = 1;
          return;
        }
        break;
      default: break;
    }
  }
  TWinControl::CMDialogKey(M);
}

void TCustomForm::WMCommand(TMessage& M) {
  if (M.LParam == 0 && FMenu != nullptr && FMenu->DispatchCommand(win::LOWORD(M.WParam))) return;
  TWinControl::WMCommand(M);
}

void TCustomForm::WMInitMenuPopup(TMessage& M) {
  if (FMenu != nullptr) {
    if (TMenuItem* item = FMenu->FindItem(win::UINT_PTR(M.WParam), TMenu::fkHandle)) {
      for (Integer i = 0; i < item->Count(); ++i) item->Items(i)->InitiateAction();
    }
  }
  DefaultHandler(M);
}

void TCustomForm::WMMenuSelect(TMessage& M) {
  if (FMenu != nullptr && Application != nullptr) {
    win::UINT flags = win::HIWORD(M.WParam);
    TMenuItem* item = nullptr;
    if (flags == 0xFFFF && M.LParam == 0) {
      Application->SetHint("");
    } else if ((flags & win::MF_POPUP) != 0) {
      win::HMENU sub = win::GetSubMenu(reinterpret_cast<win::HMENU>(M.LParam), win::LOWORD(M.WParam));
      item = FMenu->FindItem(reinterpret_cast<win::UINT_PTR>(sub), TMenu::fkHandle);
    } else {
      item = FMenu->FindItem(win::LOWORD(M.WParam), TMenu::fkCommand);
    }
    if (item != nullptr) Application->SetHint(GetLongHint(item->Hint()));
  }
  DefaultHandler(M);
}

void TCustomForm::UpdateActions() {
  if (FMenu != nullptr) {
    for (Integer i = 0; i < FMenu->Items()->Count(); ++i) {
      TMenuItem* item = FMenu->Items()->Items(i);
      if (item->Visible()) item->InitiateAction();
    }
  }
  std::vector<TControl*> controls;
  for (Integer i = 0; i < ComponentCount(); ++i) {
    if (auto* c = dynamic_cast<TControl*>(Components(i))) controls.push_back(c);
  }
  for (TControl* c : controls)
    if (c->Visible()) c->InitiateAction();
}

// ---- painting and dispatch ----

void TCustomForm::PaintWindow(win::HDC DC) {
  static_cast<TControlCanvas*>(FCanvas.get())->PaintOn(DC, [this] { Paint(); });
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::WMSysCommand(TMessage& M) {
  if (Application != nullptr && win::SendMessageW(Application->Handle(), CM_APPSYSCOMMAND, 0, win::LPARAM(&M)) != 0) {
    M.Result = 0;
    return;
  }
  DefaultHandler(M);
}

void TCustomForm::WMSysColorChange(TMessage& M) {
  DefaultHandler(M);
  Perform(CM_SYSCOLORCHANGE);
}

void TCustomForm::WMSettingChange(TMessage& M) {
  DefaultHandler(M);
  // Only top-level windows hear of a changed setting; the controls that follow one (a toolbar's
  // menu font) are told by their form.
  std::function<void(TWinControl*)> tell = [&](TWinControl* Parent) {
    for (Integer i = 0; i < Parent->ControlCount(); ++i) {
      TControl* c = Parent->Controls(i);
      c->Perform(win::WM_SETTINGCHANGE, M.WParam, M.LParam);
      if (auto* w = dynamic_cast<TWinControl*>(c)) tell(w);
    }
  };
  tell(this);
}

void TCustomForm::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case win::WM_CLOSE: WMClose(M); return;
    case win::WM_DESTROY:
      // The window system destroys a window's menu bar with the window, but the bar belongs to
      // the TMainMenu, which sets it again on the next window.
      if (FMenu != nullptr && FHandle != nullptr) win::SetMenu(FHandle, nullptr);
      TWinControl::Dispatch(M);
      return;
    case win::WM_ACTIVATE: WMActivate(M); return;
    case win::WM_INITMENUPOPUP: WMInitMenuPopup(M); return;
    case win::WM_MENUSELECT: WMMenuSelect(M); return;
    case win::WM_MEASUREITEM:
    case win::WM_DRAWITEM:
      // The menu bar's owner-drawn items; other owner-drawn things go to their controls.
      if (FMenu != nullptr && M.LParam != 0 &&
          (M.Msg == win::WM_MEASUREITEM
               ? FMenu->DispatchMeasureItem(*reinterpret_cast<win::MEASUREITEMSTRUCT*>(M.LParam))
               : FMenu->DispatchDrawItem(*reinterpret_cast<const win::DRAWITEMSTRUCT*>(M.LParam)))) {
        M.Result = 1;
        return;
      }
      TWinControl::Dispatch(M);
      return;
    case win::WM_SYSCOMMAND: WMSysCommand(M); return;
    case win::WM_SYSCOLORCHANGE: WMSysColorChange(M); return;
    case win::WM_SETTINGCHANGE: WMSettingChange(M); return;
    case CM_RELEASE: CMRelease(M); return;
    case CM_ACTIVATE: CMActivate(M); return;
    case CM_DEACTIVATE: CMDeactivate(M); return;
    default: TWinControl::Dispatch(M); return;
  }
}

}  // namespace fw
