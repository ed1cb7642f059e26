#include "controls/CsButtons.h"

#include <vector>

#include "controls/UniCodePages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/StdCtrls.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "framework/Menus.h"
#include "framework/Timer.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

namespace cs {

// Button controls ---------------------------------------------------------------------------

void TCsButtonControl::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  if (Key == win::VK_SPACE && Shift.Empty()) {
    FSpacePushed = true;
    SetPushed(true);
  }
  TCsTextObject::KeyDown(Key, Shift);
}

void TCsButtonControl::KeyUp(fw::Word& Key, fw::TShiftState Shift) {
  const bool click = Key == win::VK_SPACE && FSpacePushed;
  if (Key == win::VK_SPACE) {
    FSpacePushed = false;
    SetPushed(false);
  }
  const std::shared_ptr<bool> alive = FAlive;
  TCsTextObject::KeyUp(Key, Shift);
  if (*alive && click) Click();
}

void TCsButtonControl::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == win::WM_GETDLGCODE) {
    Message.Result = win::DLGC_BUTTON;
    return;
  }
  TCsTextObject::Dispatch(Message);
}

void TCsButtonControl::CMExit(fw::TMessage& Message) {
  FSpacePushed = false;
  SetPushed(false);
  TCsTextObject::CMExit(Message);
}

void TCsButtonControl::CMDialogChar(fw::TMessage& Message) {
  if (Enabled() && ShowAccelChar() && Visible() &&
      fw::IsAccel(char16_t(win::LOWORD(Message.WParam)), WideToUtf8(Caption())) && CanFocus()) {
    SetFocus();
    Message.Result = 1;
    Click();
  }
}

void TCsButtonControl::CMDialogKey(fw::TMessage& Message) {
  if (Message.WParam == win::VK_RETURN && Focused() && fw::KeyDataToShiftState(Message.LParam).Empty()) {
    Message.Result = 1;
    Click();
    return;
  }
  TCsTextObject::CMDialogKey(Message);
}

namespace {

void DrawClassicGlyph(fw::TCanvas* Canvas, const fw::TRect& Rect, win::UINT State) {
  Canvas->RequiredState({fw::csHandleValid});
  fw::TRect r = Rect;
  win::DrawFrameControl(Canvas->Handle(), &r, win::DFC_BUTTON, State);
}

// The check (kind 1) or radio (kind 2) glyph through the current theme; false when the control
// does not paint through it.
bool DrawThemedGlyph(TCsButtonControl* Control, fw::TCanvas* Canvas, const fw::TRect& Rect, int Kind,
                     fw::Integer StateBits, bool Pushed) {
  if (Control->EffectiveThemeType() != thtTx || tx::CurrentTheme == nullptr) return false;
  if (!Control->Enabled()) {
    StateBits |= tx::PFS_DISABLED;
  } else {
    if (Control->MouseInControl()) StateBits |= tx::PFS_HOT;
    if (Pushed) StateBits |= tx::PFS_PUSHED;
    if (Control->Focused()) StateBits |= 0x20;
  }
  tx::CurrentTheme->PaintFrameControl(Canvas, Rect, Kind, StateBits, nullptr);
  return true;
}

// The record a themed push button is painted with.
tx::TTxItemInfo ButtonInfo(bool Enabled, bool Pushed, bool Hot, bool Checked) {
  tx::TTxItemInfo info;
  info.ViewType = tx::VT_TOOLBAR_NORMAL;
  info.ItemOptions = tx::IO_TOOLBAR_STYLE | tx::IO_APP_ACTIVE;
  info.Enabled = Enabled;
  info.Pushed = Pushed;
  info.HoverKind = Hot ? tx::hkMouseHover : tx::hkNone;
  info.Selected = Checked;
  return info;
}

}  // namespace

void TCsButtonControl::GuardedClick() {
  FClicking = true;
  const std::shared_ptr<bool> alive = FAlive;
  try {
    TCsTextObject::Click();
  } catch (...) {
    if (*alive) FClicking = false;
    throw;
  }
  if (*alive) FClicking = false;
}

// Check box ---------------------------------------------------------------------------------

TCsCheckBox::TCsCheckBox(fw::TComponent* AOwner) : TCsButtonControl(AOwner) {}

void TCsCheckBox::Toggle() {
  switch (FState) {
    case fw::cbUnchecked: FState = FAllowGrayed ? fw::cbGrayed : fw::cbChecked; break;
    case fw::cbChecked: FState = fw::cbUnchecked; break;
    case fw::cbGrayed: FState = fw::cbChecked; break;
  }
  TCsTextObject::SetChecked(FState == fw::cbChecked);
  Invalidate();
}

void TCsCheckBox::Click() {
  if (FClicking) {
    TCsButtonControl::Click();
    return;
  }
  FClicking = true;
  Toggle();
  GuardedClick();
}

void TCsCheckBox::SetChecked(bool Value) {
  if (Checked() == Value && FState != fw::cbGrayed) return;
  if (Checked() == Value && !Value && FState == fw::cbGrayed) {
    FState = fw::cbUnchecked;  // grayed to unchecked: a change of state
  } else {
    FState = Value ? fw::cbChecked : fw::cbUnchecked;
  }
  TCsTextObject::SetChecked(Value);
  Invalidate();
  if (!FClicking) GuardedClick();
}

void TCsCheckBox::SetState(fw::TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  TCsTextObject::SetChecked(Value == fw::cbChecked);
  Invalidate();
  if (!FClicking) GuardedClick();
}

bool TCsCheckBox::DrawOwnGlyph(fw::TCanvas* ACanvas, const fw::TRect& GlyphRect) {
  win::UINT state = win::DFCS_BUTTONCHECK;
  if (FState == fw::cbChecked) state |= win::DFCS_CHECKED;
  if (FState == fw::cbGrayed) state |= win::DFCS_CHECKED | win::DFCS_BUTTON3STATE;
  if (!Enabled()) state |= win::DFCS_INACTIVE;
  if (IsPushed()) state |= win::DFCS_PUSHED;
  const fw::Integer bits = FState == fw::cbChecked ? tx::PFS_CHECKED : FState == fw::cbGrayed ? tx::PFS_MIXED : 0;
  if (!DrawThemedGlyph(this, ACanvas, GlyphRect, 1, bits, IsPushed())) DrawClassicGlyph(ACanvas, GlyphRect, state);
  return true;
}

// Radio button ------------------------------------------------------------------------------

TCsRadioButton::TCsRadioButton(fw::TComponent* AOwner) : TCsButtonControl(AOwner) {}

void TCsRadioButton::Toggle() {
  if (!Checked()) SetChecked(true);
}

void TCsRadioButton::Click() {
  if (FClicking) {
    TCsButtonControl::Click();
    return;
  }
  if (!Checked()) Toggle();
}

std::vector<TCsRadioButton*> TCsRadioButton::Group() {
  std::vector<TCsRadioButton*> group;
  fw::TWinControl* parent = Parent();
  if (parent == nullptr) return {this};
  for (fw::Integer i = 0; i < parent->ControlCount(); ++i)
    if (auto* radio = dynamic_cast<TCsRadioButton*>(parent->Controls(i)); radio != nullptr) group.push_back(radio);
  return group;
}

void TCsRadioButton::SetChecked(bool Value) {
  if (Checked() == Value) return;
  TCsTextObject::SetChecked(Value);
  if (!Value) return;
  // Collect the siblings first: unchecking runs no handler, but the list of controls may change
  // once OnClick runs.
  std::vector<TCsRadioButton*> siblings = Group();
  std::erase(siblings, this);
  for (TCsRadioButton* radio : siblings) radio->SetChecked(false);
  GuardedClick();
}

bool TCsRadioButton::StopsOnTab() {
  if (!TabStop()) return false;
  if (Checked()) return true;
  // Tab passing through the group changes no choice: it stops at the checked button only.
  for (TCsRadioButton* radio : Group()) {
    if (radio->Checked() && radio->TabStop() && radio->CanFocus()) return false;
  }
  for (TCsRadioButton* radio : Group())
    if (radio->TabStop() && radio->CanFocus()) return radio == this;
  return false;
}

namespace {
// Posted to a radio button the arrow keys moved the focus to: it checks itself once the message
// that moved the focus is handled, so that its OnClick runs outside that message (and may free
// the button).
constexpr win::UINT kCheckOnFocus = win::WM_USER + 0x131;

// The focus came with an arrow key (held while the focus moves): the choice moves with it. Tab,
// the mouse and the program move the focus without changing the choice.
bool ArrowKeyHeld() {
  for (int key : {win::VK_LEFT, win::VK_RIGHT, win::VK_UP, win::VK_DOWN})
    if (win::GetKeyState(key) < 0) return true;
  return false;
}
}  // namespace

void TCsRadioButton::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  const bool forward = Key == win::VK_DOWN || Key == win::VK_RIGHT;
  const bool backward = Key == win::VK_UP || Key == win::VK_LEFT;
  if ((forward || backward) && Parent() != nullptr) {
    const std::vector<TCsRadioButton*> group = Group();
    const auto self = std::find(group.begin(), group.end(), this) - group.begin();
    const auto count = static_cast<std::ptrdiff_t>(group.size());
    for (std::ptrdiff_t step = 1; step < count; ++step) {
      TCsRadioButton* next = group[((self + (forward ? step : -step)) % count + count) % count];
      if (next->CanFocus()) {
        Key = 0;
        next->SetFocus();  // with the arrow held, the focus checks it
        return;
      }
    }
  }
  TCsButtonControl::KeyDown(Key, Shift);
}

void TCsRadioButton::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == kCheckOnFocus) {
    if (Focused()) Toggle();
    return;
  }
  TCsButtonControl::Dispatch(Message);
  if (Message.Msg == win::WM_GETDLGCODE) Message.Result |= win::DLGC_RADIOBUTTON;
  if (Message.Msg == fw::CM_FOCUSCHANGED && reinterpret_cast<fw::TWinControl*>(Message.LParam) == this &&
      HandleAllocated() && ArrowKeyHeld())
    win::PostMessageW(Handle(), kCheckOnFocus, 0, 0);
}

bool TCsRadioButton::DrawOwnGlyph(fw::TCanvas* ACanvas, const fw::TRect& GlyphRect) {
  win::UINT state = win::DFCS_BUTTONRADIO;
  if (Checked()) state |= win::DFCS_CHECKED;
  if (!Enabled()) state |= win::DFCS_INACTIVE;
  if (IsPushed()) state |= win::DFCS_PUSHED;
  if (!DrawThemedGlyph(this, ACanvas, GlyphRect, 2, Checked() ? tx::PFS_CHECKED : 0, IsPushed()))
    DrawClassicGlyph(ACanvas, GlyphRect, state);
  return true;
}

// Button ------------------------------------------------------------------------------------

TCsButton::TCsButton(fw::TComponent* AOwner) : TCsButtonControl(AOwner), FBitmap(std::make_unique<fw::TBitmap>()) {
  SetAutoSize(false);
  SetAlignment(fw::taCenter);
  SetThemeType(thtWindows);
  PushedOffset = true;
  // Two quick clicks are two clicks, as on the platform's push button.
  FControlStyle.Exclude(fw::csDoubleClicks);
  SetBounds(Left(), Top(), 75, 25);
}

TCsButton::~TCsButton() { StopRepeat(); }

void TCsButton::SetBitmap(fw::TBitmap* Value) {
  if (Value != nullptr) FBitmap->Assign(Value);
  else FBitmap->SetSize(0, 0);
  Invalidate();
}

void TCsButton::SetBitmapTransparent(bool Value) {
  if (FBitmapTransparent == Value) return;
  FBitmapTransparent = Value;
  Invalidate();
}

void TCsButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  if (!Focused()) FActive = Value;
  Invalidate();
}

void TCsButton::SetDropDownMenu(fw::TPopupMenu* Value) {
  if (FDropDownMenu == Value) return;
  if (FDropDownMenu != nullptr) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (FDropDownMenu != nullptr) FDropDownMenu->FreeNotification(this);
  Invalidate();
}

void TCsButton::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCsButtonControl::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

namespace {
// Width of the drop-down arrow in the classic look (the themed look asks its theme).
constexpr int kDropDownArrowWidth = 8;
}  // namespace

fw::TRect TCsButton::GetTextMargins() {
  return {8, 2, 8 + (FDropDownMenu != nullptr ? kDropDownArrowWidth + 1 : 0), 2};
}

bool TCsButton::BitmapUsable() const { return !FBitmap->Empty() && FBitmap->Height() % 4 == 0; }

bool TCsButton::IsPushed() { return TCsButtonControl::IsPushed() || FDroppingDown; }

void TCsButton::GetFocusRect(const fw::TRect& /*R*/, const fw::TRect& /*TextRect*/, const fw::TRect& /*GlyphRect*/,
                             fw::TRect& FocusRect) {
  FocusRect = ClientRect();
  const int inset = EffectiveThemeType() == thtNone ? 4 : 3;
  win::InflateRect(&FocusRect, -inset, -inset);
}

bool TCsButton::DoDraw(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage) {
  const bool paintDefault = TCsButtonControl::DoDraw(ACanvas, ARect, PaintStage);
  if (PaintStage == pstPostPaint && FDropDownMenu != nullptr && EffectiveThemeType() == thtTx &&
      tx::CurrentTheme != nullptr) {
    const fw::TRect arrow{ARect.right - 8 - kDropDownArrowWidth - 1, ARect.top, ARect.right - 8, ARect.bottom};
    tx::CurrentTheme->PaintDropDownArrow(ACanvas, arrow, ButtonInfo(Enabled(), IsPushed(), MouseInControl(), false));
  } else if (PaintStage == pstPostPaint && FDropDownMenu != nullptr) {
    // A downward triangle, 5 pixels wide and 3 high, centred in the arrow's part of the margin.
    const int right = ARect.right - 8;
    const int cx = right - (kDropDownArrowWidth + 1) / 2, cy = (ARect.top + ARect.bottom) / 2 - 1;
    ACanvas->Brush()->SetStyle(fw::bsSolid);
    ACanvas->Brush()->SetColor(Enabled() ? fw::clBtnText : fw::clGrayText);
    for (int row = 0; row < 3; ++row) ACanvas->FillRect({cx - 2 + row, cy + row, cx + 3 - row, cy + row + 1});
  }
  if (PaintStage != pstPrePaint || !paintDefault) return paintDefault;
  if (BitmapUsable()) {
    const int row = FBitmap->Height() / 4;
    int state = 0;
    if (!Enabled()) state = 3;
    else if (Checked() || IsPushed()) state = 2;
    else if (MouseInControl()) state = 1;
    FBitmap->SetTransparent(FBitmapTransparent);
    ACanvas->CopyRect(ARect, FBitmap->Canvas(), {0, state * row, FBitmap->Width(), (state + 1) * row});
  } else if (EffectiveThemeType() == thtTx && tx::CurrentTheme != nullptr) {
    tx::CurrentTheme->PaintButton(ACanvas, ARect,
                                  ButtonInfo(Enabled(), Checked() || IsPushed(), MouseInControl(), Checked()));
  } else {
    PaintButtonFrame(ACanvas, ARect, Enabled(), EffectiveThemeType() == thtWindows, FDefault || FActive, Focused(),
                     MouseInControl(), Checked() || IsPushed());
  }
  return true;
}

void TCsButton::DoAdjustFont(fw::TCanvas* ACanvas) {
  TCsButtonControl::DoAdjustFont(ACanvas);
  if (EffectiveThemeType() == thtTx && tx::CurrentTheme != nullptr)
    ACanvas->Font()->SetColor(tx::CurrentTheme->GetItemTextColor(
        ButtonInfo(Enabled(), Checked() || IsPushed(), MouseInControl(), Checked())));
}

void TCsButton::Click() {
  if (FDropDownMenu != nullptr) {
    FDroppingDown = true;
    Invalidate();
    const fw::TPoint at = ClientToScreen({0, Height()});
    FDropDownMenu->SetPopupComponent(this);
    const std::shared_ptr<bool> alive = FAlive;
    FDropDownMenu->Popup(at.x, at.y);
    if (!*alive) return;
    FDroppingDown = false;
    Invalidate();
    return;
  }
  if (fw::TCustomForm* form = fw::GetParentForm(this)) form->SetModalResult(FModalResult);
  TCsButtonControl::Click();
}

void TCsButton::CMDialogKey(fw::TMessage& Message) {
  const bool key = (Message.WParam == win::VK_RETURN && FActive) || (Message.WParam == win::VK_ESCAPE && FCancel);
  if (key && fw::KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Message.Result = 1;
    Click();
    return;
  }
  TCsButtonControl::CMDialogKey(Message);
}

void TCsButton::CMFocusChanged(fw::TMessage& Message) {
  auto* focused = reinterpret_cast<fw::TWinControl*>(Message.LParam);
  const bool active = dynamic_cast<TCsButton*>(focused) != nullptr || dynamic_cast<fw::TButton*>(focused) != nullptr
                          ? focused == this
                          : FDefault;
  if (active != FActive) {
    FActive = active;
    Invalidate();
  }
  TCsButtonControl::CMFocusChanged(Message);
}

void TCsButton::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) {
  const std::shared_ptr<bool> alive = FAlive;
  TCsButtonControl::MouseDown(Button, Shift, X, Y);
  if (!*alive || !FRepeating || Button != fw::mbLeft || !Enabled()) return;
  FSuppressClick = true;
  Click();
  if (!*alive) return;
  if (FRepeatTimer == nullptr) {
    FRepeatTimer = new fw::TTimer(this);
    FRepeatTimer->OnTimer = [this](fw::TObject* Sender) { RepeatTimer(Sender); };
  }
  FRepeatTimer->SetInterval(400);
  FRepeatTimer->SetEnabled(true);
}

void TCsButton::RepeatTimer(fw::TObject* /*Sender*/) {
  FRepeatTimer->SetInterval(100);
  if (TCsButtonControl::IsPushed()) Click();
  else StopRepeat();
}

void TCsButton::StopRepeat() {
  if (FRepeatTimer != nullptr) FRepeatTimer->SetEnabled(false);
}

void TCsButton::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) {
  if (Button == fw::mbLeft) StopRepeat();
  TCsButtonControl::MouseUp(Button, Shift, X, Y);
}

void TCsButton::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == win::WM_LBUTTONUP && FSuppressClick) {
    // The press already clicked: the release only ends the repeat.
    FSuppressClick = false;
    StopRepeat();
    FControlState.Exclude(fw::csClicked);
  }
  if (Message.Msg == win::WM_CANCELMODE) StopRepeat();
  TCsButtonControl::Dispatch(Message);
  if (Message.Msg == win::WM_GETDLGCODE)
    Message.Result |= FDefault ? win::DLGC_DEFPUSHBUTTON : win::DLGC_UNDEFPUSHBUTTON;
}

}  // namespace cs
