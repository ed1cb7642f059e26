#include "toolbars/TBExtItems.h"

#include <cstdio>

#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/SysUtils.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemView.h"
#include "toolbars/detail/TBItemLoop.h"

namespace toolbars {

// ---- edit action ----

TTBEditAction::TTBEditAction(TComponent* AOwner) : fw::TAction(AOwner) {}

template <typename F>
void TTBEditAction::ForEachEditLink(F f) {
  std::vector<fw::TBasicActionLink*> clients = FClients;
  for (fw::TBasicActionLink* c : clients)
    if (auto* link = dynamic_cast<TTBEditItemActionLink*>(c)) f(link);
}

void TTBEditAction::SetEditCaption(const String& Value) {
  if (FEditCaption == Value) return;
  ForEachEditLink([&](TTBEditItemActionLink* l) { l->SetEditCaption(Value); });
  FEditCaption = Value;
  Change();
}

void TTBEditAction::SetEditOptions(TTBEditItemOptions Value) {
  if (FEditOptions == Value) return;
  ForEachEditLink([&](TTBEditItemActionLink* l) { l->SetEditOptions(Value); });
  FEditOptions = Value;
  Change();
}

void TTBEditAction::SetEditWidth(Integer Value) {
  if (FEditWidth == Value) return;
  ForEachEditLink([&](TTBEditItemActionLink* l) { l->SetEditWidth(Value); });
  FEditWidth = Value;
  Change();
}

void TTBEditAction::SetText(const String& Value) {
  if (FText == Value) return;
  ForEachEditLink([&](TTBEditItemActionLink* l) { l->SetText(Value); });
  FText = Value;
  Change();
}

// ---- action link ----

TTBEditAction* TTBEditItemActionLink::EditAction() const { return dynamic_cast<TTBEditAction*>(Action()); }

bool TTBEditItemActionLink::IsEditCaptionLinked() {
  return EditAction() && FEditClient->EditCaption() == EditAction()->EditCaption();
}
bool TTBEditItemActionLink::IsEditOptionsLinked() {
  return EditAction() && FEditClient->EditOptions() == EditAction()->EditOptions();
}
bool TTBEditItemActionLink::IsEditWidthLinked() {
  return EditAction() && FEditClient->EditWidth() == EditAction()->EditWidth();
}
bool TTBEditItemActionLink::IsOnAcceptTextLinked() {
  auto* a = EditAction();
  if (!a) return false;
  const auto& x = FEditClient->OnAcceptText;
  const auto& y = a->OnAcceptText;
  if (!x || !y) return !x && !y;
  return x.target_type() == y.target_type();
}
bool TTBEditItemActionLink::IsTextLinked() { return EditAction() && FEditClient->Text() == EditAction()->Text(); }
void TTBEditItemActionLink::SetEditCaption(const String& Value) {
  if (IsEditCaptionLinked()) FEditClient->SetEditCaption(Value);
}
void TTBEditItemActionLink::SetEditOptions(TTBEditItemOptions Value) {
  if (IsEditOptionsLinked()) FEditClient->SetEditOptions(Value);
}
void TTBEditItemActionLink::SetEditWidth(Integer Value) {
  if (IsEditWidthLinked()) FEditClient->SetEditWidth(Value);
}
void TTBEditItemActionLink::SetOnAcceptText(const TTBAcceptTextEvent& Value) {
  if (IsOnAcceptTextLinked()) FEditClient->OnAcceptText = Value;
}
void TTBEditItemActionLink::SetText(const String& Value) {
  if (IsTextLinked()) FEditClient->SetTextEx(Value, tcrActionLink);
}

// ---- edit item ----

TTBEditItem::TTBEditItem(TComponent* AOwner) : TTBCustomItem(AOwner) {}

TTBCustomItemActionLink* TTBEditItem::CreateActionLink() { return new TTBEditItemActionLink(this); }

void TTBEditItem::SetCharCase(fw::TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  SetText(FText);
}

void TTBEditItem::SetEditCaption(const String& Value) {
  if (FEditCaption == Value) return;
  FEditCaption = Value;
  Change(true);
}

void TTBEditItem::SetEditOptions(TTBEditItemOptions Value) {
  if (FEditOptions == Value) return;
  FEditOptions = Value;
  Change(true);
}

void TTBEditItem::SetEditWidth(Integer Value) {
  if (FEditWidth == Value) return;
  FEditWidth = Value;
  Change(true);
}

void TTBEditItem::SetMaxLength(Integer Value) {
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  Change(false);
}

void TTBEditItem::SetTextEx(const String& Value, TTBEditItemChangeReason Reason) {
  String newText = Value;
  DoTextChanging(FText, newText, Reason);
  if (newText == FText) return;
  FText = newText;
  Change(false);
  DoTextChanged(Reason);
}

void TTBEditItem::DoTextChanging(const String& /*OldText*/, String& NewText, TTBEditItemChangeReason /*Reason*/) {
  if (FCharCase == fw::ecUpperCase)
    NewText = fw::AnsiUpperCase(NewText);
  else if (FCharCase == fw::ecLowerCase)
    NewText = fw::AnsiLowerCase(NewText);
}

void TTBEditItem::DoTextChanged(TTBEditItemChangeReason /*Reason*/) {}

bool TTBEditItem::DoAcceptText(String& NewText) {
  bool accept = true;
  if (OnAcceptText) OnAcceptText(this, NewText, accept);
  return accept;
}

void TTBEditItem::DoBeginEdit(TTBEditItemViewer* Viewer) {
  if (OnBeginEdit) OnBeginEdit(this, Viewer, Viewer->EditControl());
}

TTBItemViewerClass TTBEditItem::GetItemViewerClass(TTBView* AView) {
  if (FEditOptions.Contains(tboUseEditWhenVertical) || !AView || AView->Orientation() != tbvoVertical)
    return TTBItemViewerClass::Of<TTBEditItemViewer>();
  return TTBCustomItem::GetItemViewerClass(AView);
}

bool TTBEditItem::NeedToRecreateViewer(TTBItemViewer* AViewer) {
  return !GetItemViewerClass(AViewer->View()).IsClassOf(AViewer);
}

void TTBEditItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  TTBCustomItem::ActionChange(Sender, CheckDefaults);
  auto* a = dynamic_cast<TTBEditAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || FEditCaption.empty()) SetEditCaption(a->EditCaption());
  if (!CheckDefaults || FEditOptions.Empty()) SetEditOptions(a->EditOptions());
  if (!CheckDefaults || FText.empty()) SetTextEx(a->Text(), tcrActionLink);
  if (!CheckDefaults || !OnAcceptText) OnAcceptText = a->OnAcceptText;
}

// ---- viewer ----

TTBEditControlClass TTBEditItemViewer::GetEditControlClass() { return TTBEditControlClass::Of<fw::TEdit>(); }

String TTBEditItemViewer::GetCaptionText() { return EditItem()->EditCaption(); }

bool TTBEditItemViewer::CaptionShown() { return !IsToolbarStyle() && TTBItemViewer::CaptionShown(); }

Integer TTBEditItemViewer::CaptionWidth() {
  if (IsToolbarStyle() || EditItem()->EditCaption().empty()) return 0;
  win::HDC dc = win::GetDC(nullptr);
  fw::TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font()->Assign(View()->GetFont());
  win::SelectObject(dc, canvas.Font()->Handle());
  Integer w = GetTextWidth(dc, EditItem()->EditCaption(), true);
  canvas.SetHandle(nullptr);
  win::ReleaseDC(nullptr, dc);
  return w;
}

void TTBEditItemViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  win::HDC dc = Canvas->Handle();
  const Integer textH = GetTextHeight(dc);
  AWidth = EditItem()->EditWidth();
  AHeight = textH;
  if (!IsToolbarStyle() && !EditItem()->EditCaption().empty()) {
    AWidth += GetTextWidth(dc, EditItem()->EditCaption(), true) + 10;
    AHeight += DivRoundUp(textH, 4);
  }
  AHeight = std::max(AHeight, textH + 7);
}

void TTBEditItemViewer::GetEditRect(TRect& R) {
  R = BoundsRect();
  if (!View()->IsToolbar() && !EditItem()->EditCaption().empty()) R.left += CaptionWidth() + 10;
}

void TTBEditItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool /*IsPushed*/,
                              bool UseDisabledShadow) {
  win::HDC dc = Canvas->Handle();
  const bool enabled = EditItem()->Enabled();
  TRect r = ClientAreaRect;
  if (!IsToolbarStyle() && !EditItem()->EditCaption().empty()) {
    const Integer cw = GetTextWidth(dc, EditItem()->EditCaption(), true);
    TRect caption{r.left, r.top, r.left + cw + 6, r.bottom};
    if (IsSelected) win::FillRect(dc, &caption, win::HBRUSH(win::GetCurrentObject(dc, win::OBJ_BRUSH)));
    TRect text = caption;
    text.left += 3;
    DrawItemCaption(Canvas, text, EditItem()->EditCaption(), UseDisabledShadow,
                    win::DT_SINGLELINE | win::DT_VCENTER | (View()->State() & tbvsShowAccels ? 0 : win::DT_HIDEPREFIX));
    r.left = caption.right + 4;
  }
  if (IsSelected && enabled) win::DrawEdge(dc, &r, win::BDR_SUNKENOUTER, win::BF_RECT | win::BF_ADJUST);
  win::HBRUSH frame = win::CreateSolidBrush(fw::ColorToRGB(enabled ? fw::clBtnFace : fw::clWindow));
  win::FrameRect(dc, &r, frame);
  win::DeleteObject(frame);
  win::InflateRect(&r, -1, -1);
  win::HBRUSH fill = win::CreateSolidBrush(fw::ColorToRGB(enabled ? fw::clWindow : fw::clBtnFace));
  win::FillRect(dc, &r, fill);
  win::DeleteObject(fill);
  win::InflateRect(&r, -1, 0);
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, fw::ColorToRGB(enabled ? fw::clWindowText : fw::clGrayText));
  std::u16string w = win::Utf8ToWide(EditItem()->Text());
  win::DrawTextW(dc, w.c_str(), int(w.size()), &r, win::DT_SINGLELINE | win::DT_NOPREFIX | win::DT_VCENTER);
}

void TTBEditItemViewer::GetCursor(const TPoint& P, win::HCURSOR& ACursor) {
  if (!EditItem()->Enabled()) return;
  TRect r{};
  GetEditRect(r);
  win::OffsetRect(&r, -BoundsRect().left, -BoundsRect().top);
  win::InflateRect(&r, -2, -2);
  if (win::PtInRect(&r, P)) ACursor = win::LoadCursorW(nullptr, win::IDC_IBEAM);
}

void TTBEditItemViewer::MouseDown(fw::TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/, bool& /*MouseDownOnMenu*/) {
  // The whole viewer is the button part: a press starts editing.
  if (!EditItem()->Enabled()) {
    if (View()->ParentView() == nullptr) View()->EndModal();
    return;
  }
  Execute(true);
  // On a bar the press lent the keyboard to the editor alone: however the edit ended, the bar
  // lets go of it too, and the keys go where they went before the press. A menu keeps it, as it
  // had it before; so does a list the edit opened on its way out.
  if (View()->ParentView() == nullptr && !View()->IsPopup() && !View()->OpenViewer()) View()->EndModal();
}

void TTBEditItemViewer::MouseUp(Integer /*X*/, Integer /*Y*/, bool /*MouseWasDownOnMenu*/) {
  // The press started (and finished) the edit; the release only lets go of the capture.
  View()->CancelCapture();
}

Integer TTBEditItemViewer::GetAccRole() {
  constexpr Integer kRoleText = 42;
  return kRoleText;
}

bool TTBEditItemViewer::GetAccValue(fw::WideString& Value) {
  Value = win::Utf8ToWide(EditItem()->Text());
  return true;
}

bool TTBEditItemViewer::DoExecute() {
  if (FEditControl) return false;
  if (EditLoop()) View()->EndModal();
  return (FEditFlags & tbefMoveOn) != 0;
}

void TTBEditItemViewer::AcceptEditText() {
  String text = FEditControl->Text();
  if (EditItem()->DoAcceptText(text)) EditItem()->SetTextEx(text, tcrEditControl);
}

namespace {

bool IsMouseButtonMessage(win::UINT m) {
  return (m >= win::WM_LBUTTONDOWN && m <= win::WM_MOUSEWHEEL - 1) ||
         (m >= win::WM_NCLBUTTONDOWN && m <= win::WM_NCXBUTTONDBLCLK) ||
         (m >= win::WM_XBUTTONDOWN && m <= win::WM_XBUTTONDBLCLK);
}

bool IsMouseButtonRelease(win::UINT m) {
  switch (m) {
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP:
    case win::WM_XBUTTONUP:
    case win::WM_NCLBUTTONUP:
    case win::WM_NCRBUTTONUP:
    case win::WM_NCMBUTTONUP:
    case win::WM_NCXBUTTONUP: return true;
    default: return false;
  }
}

void RemoveCharMessages() {
  RemoveMessages(win::WM_CHAR, win::WM_DEADCHAR);
  RemoveMessages(win::WM_SYSCHAR, win::WM_SYSDEADCHAR);
}

constexpr win::WPARAM kVkKanji = 0x19;

// Scan codes of the numeric keypad digits (Alt + keypad character entry).
bool IsKeypadDigitScanCode(win::LPARAM KeyData) {
  const unsigned scan = (unsigned(KeyData) >> 16) & 0xFF;
  const bool extended = (KeyData >> 24) & 1;
  if (extended) return false;
  return (scan >= 0x47 && scan <= 0x49) || (scan >= 0x4B && scan <= 0x4D) || (scan >= 0x4F && scan <= 0x52);
}

}  // namespace

bool TTBEditItemViewer::EditLoop() {
  TTBView* view = View();
  view->CancelCapture();
  const win::HWND captureWnd = view->GetModalWindow();
  TRect r{};
  GetEditRect(r);
  if (win::IsRectEmpty(&r) || !view->Window() || !view->Window()->HandleAllocated()) return false;
  const win::HWND viewWnd = view->Window()->Handle();
  const win::HWND activeWnd = win::GetActiveWindow();
  const win::HWND focusWnd = win::GetFocus();
  win::InflateRect(&r, -3, -3);

  fw::TEdit* edit = GetEditControlClass().Create(nullptr);
  FEditControl = edit;
  FEditFlags = 0;
  char name[64];
  std::snprintf(name, sizeof name, "%s_edit_control_%p", ClassName().c_str(), static_cast<void*>(edit));
  String editName = name;
  for (char& c : editName)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) c = '_';
  auto cleanup = [&] {
    FEditControl = nullptr;
    delete edit;
  };
  try {
    edit->SetName(editName);
    edit->SetVisible(false);
    edit->SetBorderStyle(fw::bsNone);
    edit->Font()->Assign(view->GetFont());
    edit->SetText(EditItem()->Text());
    edit->SetCharCase(EditItem()->CharCase());
    edit->SetMaxLength(EditItem()->MaxLength());
    edit->SetBoundsRect(r);
    // Tab, Enter and Esc end the edit and never reach the control.
    fw::TWndMessageMethod original = edit->WindowProc;
    edit->WindowProc = [this, original](fw::TMessage& M) {
      if (M.Msg == win::WM_CHAR && (M.WParam == win::VK_TAB || M.WParam == win::VK_RETURN || M.WParam == win::VK_ESCAPE)) {
        if (M.WParam == win::VK_ESCAPE) {
          FEditFlags = 0;
        } else {
          FEditFlags = M.WParam == win::VK_TAB ? tbefMoveOn : Byte(tbefMoveOn | tbefCloseMenu);
          AcceptEditText();
        }
        M.Result = 0;
        return;
      }
      original(M);
    };
    edit->SetParentWindow(viewWnd);
    edit->SelectAll();
    EditItem()->DoBeginEdit(this);
    edit->SetVisible(true);
    edit->SetFocus();
    // The focus going elsewhere (another window, another program) ends the edit like a click
    // elsewhere; an editor that never had it (no active window) is left to the other ways.
    const win::HWND editWnd = edit->Handle();
    const bool editorHadFocus = win::GetFocus() == editWnd;
    const auto focusGone = [&] { return editorHadFocus && win::GetFocus() != editWnd; };
    if (activeWnd && win::GetActiveWindow() != activeWnd)
      win::SendMessageW(activeWnd, win::WM_NCACTIVATE, win::TRUE, 0);

    FEditFlags = tbefEditing;
    bool gotMessage = true;
    while ((FEditFlags & tbefEditing) && edit->HandleAllocated() && EditItem()->Enabled() && !focusGone()) {
      if (!gotMessage) win::WaitMessage();
      gotMessage = false;
      win::MSG msg{};
      while ((FEditFlags & tbefEditing) && !focusGone() &&
             win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_NOREMOVE)) {
        gotMessage = true;
        const win::UINT m = msg.message;
        if (m == win::WM_QUIT) {
          FEditFlags &= ~tbefEditing;
          break;
        }
        if (m == win::WM_SYSKEYUP && msg.wParam == win::VK_MENU) {
          FEditFlags = tbefCloseMenu;
          RemoveCharMessages();
          break;
        }
        if (m == win::WM_SYSKEYDOWN && msg.wParam != win::VK_MENU && msg.wParam != win::VK_SHIFT &&
            msg.wParam != kVkKanji && !IsKeypadDigitScanCode(msg.lParam)) {
          FEditFlags = tbefCloseMenu;
          RemoveCharMessages();
          break;
        }
        // A mouse message queued before the edit existed (the release of the press that started
        // it) names the window that was under the pointer then; over the edit it is the edit's.
        const bool mouse = m >= win::WM_MOUSEFIRST && m <= win::WM_MOUSELAST;
        const bool forEdit = msg.hwnd == edit->Handle() || (mouse && win::WindowFromPoint(msg.pt) == edit->Handle());
        if (IsMouseButtonMessage(m) && !forEdit) {
          // A press is left for the menu loop, which sees a click elsewhere. A release here ends
          // a press made on this item (the one that began the edit, or one in the editor): it is
          // this item's, and no item it has slid onto may take it for a click of its own.
          if (IsMouseButtonRelease(m)) win::PeekMessageW(&msg, nullptr, m, m, win::PM_REMOVE);
          RemoveCharMessages();
          FEditFlags |= 0x80;  // ended by a click elsewhere
          break;
        }
        if (m == win::WM_MOUSEMOVE && captureWnd) {
          const win::HWND under = win::WindowFromPoint(msg.pt);
          const bool overEdit = under == edit->Handle() || win::IsChild(edit->Handle(), under);
          if (win::GetCapture() == captureWnd && overEdit)
            win::ReleaseCapture();
          else if (win::GetCapture() == nullptr && !overEdit)
            win::SetCapture(captureWnd);
          if (win::GetCapture() == captureWnd) win::SetCursor(win::LoadCursorW(nullptr, win::IDC_ARROW));
        }
        win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_REMOVE);
        if (mouse && forEdit && msg.hwnd != edit->Handle()) {
          win::POINT at = msg.pt;
          win::ScreenToClient(edit->Handle(), &at);
          msg.hwnd = edit->Handle();
          msg.lParam = win::MAKELPARAM(at.x, at.y);
        }
        if (mouse && msg.hwnd == captureWnd) continue;
        win::TranslateMessage(&msg);
        win::DispatchMessageW(&msg);
      }
      if (FEditFlags & 0x80) break;
    }
    RemoveCharMessages();
    FEditFlags &= ~0x80;
    if ((FEditFlags & tbefEditing) && EditItem()->ExtendedAccept()) AcceptEditText();
    FEditFlags &= ~tbefEditing;
  } catch (...) {
    cleanup();
    throw;
  }
  cleanup();

  win::UpdateWindow(viewWnd);
  if (win::GetActiveWindow()) {
    if (focusWnd && win::IsWindow(focusWnd)) win::SetFocus(focusWnd);
    if (captureWnd && win::GetCapture() == nullptr) win::SetCapture(captureWnd);
  }
  if (activeWnd && win::IsWindow(activeWnd))
    win::SendMessageW(activeWnd, win::WM_NCACTIVATE, win::GetActiveWindow() == activeWnd, 0);
  if (dynamic_cast<TTBPopupWindow*>(view->Window()))
    win::SetWindowPos(viewWnd, win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  detail::ResetLastMousePos();

  if (FEditFlags & tbefCloseMenu) return true;
  if (captureWnd && win::GetCapture() == captureWnd && (FEditFlags & tbefMoveOn)) {
    const bool back = win::GetKeyState(win::VK_SHIFT) < 0;
    if (TTBItemViewer* next = view->NextSelectable(this, !back)) {
      view->SetSelected(next);
      view->ScrollSelectedIntoView();
    }
  }
  return false;
}

}  // namespace toolbars
