// Labels, group boxes, buttons, check boxes, radio buttons and scroll bars.

#include "framework/StdCtrls.h"

#include <algorithm>

#include "framework/Menus.h"
#include "framework/StdCtrlsText.h"
#include "platform/controls/Button.h"
#include "platform/controls/StandardControls.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"

namespace fw {

TOwnerDrawState OwnerDrawStateOf(win::UINT ItemState) {
  return TOwnerDrawState::FromBits(ItemState & 0x1FFF);
}

bool IsClassMouseMessage(win::UINT Msg) {
  return Msg >= win::WM_MOUSEMOVE && Msg <= win::WM_MBUTTONDBLCLK && Msg != win::WM_RBUTTONUP;
}

win::LRESULT ControlColors(TWinControl* Control, win::HDC DC) {
  win::SetTextColor(DC, win::COLORREF(ColorToRGB(Control->Font()->Color())));
  win::SetBkColor(DC, win::COLORREF(ColorToRGB(Control->Color())));
  return reinterpret_cast<win::LRESULT>(Control->Brush()->Handle());
}

win::LRESULT FieldColors(TWinControl* Control, win::HDC DC) {
  if (Control->Enabled()) return ControlColors(Control, DC);
  win::SetTextColor(DC, win::COLORREF(ColorToRGB(clGrayText)));
  win::SetBkColor(DC, win::COLORREF(ColorToRGB(clBtnFace)));
  return reinterpret_cast<win::LRESULT>(win::GetSysColorBrush(win::COLOR_BTNFACE));
}

TSize MeasureControlText(TFont* Font, const String& Text, win::UINT Flags, Integer Width) {
  // A memory DC: the screen's own would have the desktop keep a copy of the whole screen.
  win::HDC dc = win::CreateCompatibleDC(nullptr);
  if (dc == nullptr) return TSize{0, 0};
  win::HGDIOBJ old = win::SelectObject(dc, Font->Handle());
  WideString text = win::Utf8ToWide(Text.empty() ? String(" ") : Text);
  win::RECT r{0, 0, (Flags & win::DT_WORDBREAK) ? std::max<Integer>(Width, 1) : 0x3FFF, 0};
  win::DrawTextW(dc, text.c_str(), Integer(text.size()), &r, Flags | win::DT_CALCRECT);
  win::SelectObject(dc, old);
  win::DeleteDC(dc);
  return TSize{r.right - r.left, r.bottom - r.top};
}

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  FAutoSize = true;
  SetBounds(0, 0, 65, 17);
}

win::UINT TCustomLabel::DrawTextFlags() const {
  win::UINT f = win::DT_EXPANDTABS;
  f |= FWordWrap ? win::DT_WORDBREAK : win::DT_SINGLELINE;
  if (FAlignment == taRightJustify) f |= win::DT_RIGHT;
  if (FAlignment == taCenter) f |= win::DT_CENTER;
  if (!FShowAccelChar) f |= win::DT_NOPREFIX;
  return f;
}

void TCustomLabel::Paint() {
  TRect r = Rect(0, 0, FWidth, FHeight);
  win::HDC dc = FCanvas->Handle();
  if (!Transparent()) {
    FCanvas->Brush()->SetColor(FColor);
    FCanvas->FillRect(r);
  }
  FCanvas->Font()->Assign(FFont.get());
  win::SelectObject(dc, FCanvas->Font()->Handle());
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, FEnabled ? win::COLORREF(ColorToRGB(FFont->Color())) : win::GetSysColor(win::COLOR_GRAYTEXT));
  WideString text = win::Utf8ToWide(Caption());
  win::UINT flags = DrawTextFlags();
  if (FLayout != tlTop) {
    TSize size = MeasureControlText(FFont.get(), Caption(), flags, FWidth);
    Integer room = FHeight - size.cy;
    r.top += FLayout == tlBottom ? room : room / 2;
  }
  win::DrawTextW(dc, text.c_str(), Integer(text.size()), &r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || FControlState.Contains(csReadingState)) return;
  TSize size = MeasureControlText(FFont.get(), Caption(), DrawTextFlags(), FWidth);
  Integer left = FLeft;
  Integer width = FWordWrap ? FWidth : size.cx;
  if (FAlignment == taRightJustify) left = FLeft + FWidth - width;
  SetBounds(left, FTop, width, size.cy);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}


void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  if (Value) {
    FControlStyle.Exclude(csOpaque);
  } else {
    FControlStyle.Include(csOpaque);
  }
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl != nullptr) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
  if (FFocusControl != nullptr && FEnabled && FShowAccelChar &&
      IsAccel(char16_t(win::LOWORD(Message.WParam)), Caption()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
  }
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR) {
    CMDialogChar(Message);
    return;
  }
  TGraphicControl::Dispatch(Message);
}

// ---- TCustomGroupBox ----

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable};
  SetBounds(0, 0, 185, 105);
}

Integer TCustomGroupBox::CaptionHeight() {
  return MeasureControlText(FFont.get(), "0", win::DT_SINGLELINE, 0).cy;
}

void TCustomGroupBox::Paint() {
  Integer h = CaptionHeight();
  win::HDC dc = FCanvas->Handle();
  win::RECT frame{0, h / 2, FWidth, FHeight};
  win::DrawEdge(dc, &frame, win::EDGE_ETCHED, win::BF_RECT);
  if (Caption().empty()) return;
  FCanvas->Font()->Assign(FFont.get());
  TSize size = MeasureControlText(FFont.get(), Caption(), win::DT_SINGLELINE, 0);
  win::RECT text{8, 0, 8 + size.cx, h};
  win::RECT gap{6, 0, 10 + size.cx, h};
  FCanvas->Brush()->SetColor(FColor);
  FCanvas->FillRect(gap);
  win::SelectObject(dc, FCanvas->Font()->Handle());
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, FEnabled ? win::COLORREF(ColorToRGB(FFont->Color())) : win::GetSysColor(win::COLOR_GRAYTEXT));
  WideString w = win::Utf8ToWide(Caption());
  win::DrawTextW(dc, w.c_str(), Integer(w.size()), &text, win::DT_SINGLELINE | win::DT_LEFT);
}

void TCustomGroupBox::AlignControls(TControl* AControl, TRect& Rect) {
  Rect.top += CaptionHeight();
  win::InflateRect(&Rect, -2, -2);
  TCustomControl::AlignControls(AControl, Rect);
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR && IsAccel(char16_t(win::LOWORD(Message.WParam)), Caption()) && CanFocus()) {
    SelectNext(nullptr, true, true);
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}

// ---- TButtonControl ----

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  win::RegisterStandardControls();
  FTabStop = true;
}

void TButtonControl::CNCommand(TMessage&) {}

void TButtonControl::CNCtlColor(TMessage& Message) {
  Message.Result = ControlColors(this, reinterpret_cast<win::HDC>(Message.WParam));
}

void TButtonControl::Dispatch(TMessage& Message) {
  if (IsClassMouseMessage(Message.Msg)) DefaultHandler(Message);
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC: CNCtlColor(Message); return;
    default: TWinControl::Dispatch(Message); return;
  }
}

// ---- TButton ----

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, u"Button");
  Params.Style |= FActive ? win::BS_DEFPUSHBUTTON : win::BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SetButtonStyle(FActive);
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!HandleAllocated()) return;
  win::DWORD style = ADefault ? win::BS_DEFPUSHBUTTON : win::BS_PUSHBUTTON;
  if ((win::DWORD(win::GetWindowLongPtrW(FHandle, win::GWL_STYLE)) & win::BS_TYPEMASK) != style)
    win::SendMessageW(FHandle, win::BM_SETSTYLE, style, 1);
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  TCustomForm* form = GetParentForm(this);
  TWinControl* focused = form != nullptr ? form->ActiveControl() : nullptr;
  TMessage m{CM_FOCUSCHANGED, 0, win::LPARAM(focused), 0};
  CMFocusChanged(m);
}

void TButton::CMFocusChanged(TMessage& Message) {
  auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
  auto* button = dynamic_cast<TButton*>(focused);
  FActive = button != nullptr ? button == this : FDefault;
  SetButtonStyle(FActive);
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::CNCommand(TMessage& Message) {
  if (win::HIWORD(win::DWORD(Message.WParam)) == win::BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message) {
  bool key = (Message.WParam == win::VK_RETURN && FActive) || (Message.WParam == win::VK_ESCAPE && FCancel);
  if (key && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
  }
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(char16_t(win::LOWORD(Message.WParam)), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
  }
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    default: TButtonControl::Dispatch(Message); return;
  }
}

// ---- TCustomCheckBox ----

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, u"Button");
  // The window only shows the state: clicks come back as BN_CLICKED and Toggle decides.
  Params.Style |= win::BS_3STATE | (FAlignment == taLeftJustify ? win::BS_LEFTTEXT : 0);
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  win::SendMessageW(FHandle, win::BM_SETCHECK, win::WPARAM(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::BM_SETCHECK, win::WPARAM(FState), 0);
  if (!FClicksDisabled) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::CNCommand(TMessage& Message) {
  if (win::HIWORD(win::DWORD(Message.WParam)) == win::BN_CLICKED) Toggle();
}

// ---- TRadioButton ----

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FTabStop = false;
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, u"Button");
  Params.Style |= win::BS_RADIOBUTTON | (FAlignment == taLeftJustify ? win::BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  win::SendMessageW(FHandle, win::BM_SETCHECK, FChecked ? win::BST_CHECKED : win::BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  FTabStop = Value;
  if (HandleAllocated()) win::SendMessageW(FHandle, win::BM_SETCHECK, Value ? win::BST_CHECKED : win::BST_UNCHECKED, 0);
  if (!Value) return;
  if (FParent != nullptr) {
    for (Integer i = 0; i < FParent->ControlCount(); ++i) {
      auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i));
      if (other != nullptr && other != this) other->SetChecked(false);
    }
  }
  if (!FClicksDisabled) Click();
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::CNCommand(TMessage& Message) {
  switch (win::HIWORD(win::DWORD(Message.WParam))) {
    case win::BN_CLICKED: SetChecked(true); break;
    case win::BN_DOUBLECLICKED: DblClick(); break;
    default: break;
  }
}

// ---- TScrollBar ----

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  win::RegisterStandardControls();
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Exclude(csDoubleClicks);
  FTabStop = true;
  SetBounds(0, 0, 121, 17);
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, u"ScrollBar");
  Params.Style |= FKind == sbHorizontal ? win::SBS_HORZ : win::SBS_VERT;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyToWindow();
}

void TScrollBar::ApplyToWindow() {
  if (!HandleAllocated()) return;
  win::SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
  si.nMin = FMin;
  si.nMax = FMax;
  si.nPage = win::UINT(FPageSize);
  si.nPos = FPosition;
  win::SetScrollInfo(FHandle, win::SB_CTL, &si, win::TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  SetBounds(FLeft, FTop, FHeight, FWidth);
  RecreateWnd();
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax) {
  if (AMax < AMin || FPageSize > AMax - AMin + 1) throw EInvalidOperation("Scroll bar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  bool moved = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  ApplyToWindow();
  if (moved) Change();
}

void TScrollBar::SetPageSize(Integer Value) {
  if (Value == FPageSize) return;
  if (Value < 0 || Value > FMax - FMin + 1) throw EInvalidOperation("Scroll bar property out of range");
  FPageSize = Value;
  ApplyToWindow();
}

void TScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, Integer& ScrollPos) {
  if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::CNScroll(TMessage& Message) {
  auto code = TScrollCode(std::min<win::WORD>(win::LOWORD(win::DWORD(Message.WParam)), scEndScroll));
  // The user cannot scroll past the last full page.
  Integer last = FMax - std::max<Integer>(FPageSize - 1, 0);
  Integer pos = FPosition;
  switch (code) {
    case scLineUp: pos -= FSmallChange; break;
    case scLineDown: pos += FSmallChange; break;
    case scPageUp: pos -= FLargeChange; break;
    case scPageDown: pos += FLargeChange; break;
    case scPosition:
    case scTrack: {
      win::SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = win::SIF_TRACKPOS;
      pos = win::GetScrollInfo(FHandle, win::SB_CTL, &si) ? si.nTrackPos : Integer(win::HIWORD(win::DWORD(Message.WParam)));
      break;
    }
    case scTop: pos = FMin; break;
    case scBottom: pos = last; break;
    case scEndScroll: break;
  }
  if (code != scEndScroll) pos = std::clamp(pos, FMin, std::max(FMin, last));
  Scroll(code, pos);
  SetPosition(pos);
}

void TScrollBar::Dispatch(TMessage& Message) {
  if (IsClassMouseMessage(Message.Msg)) DefaultHandler(Message);
  switch (Message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); return;
    default: TWinControl::Dispatch(Message); return;
  }
}

}  // namespace fw
