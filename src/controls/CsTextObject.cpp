#include "controls/CsTextObject.h"

#include "controls/CsBitmapHint.h"
#include "controls/CsThemeNexus.h"
#include "controls/UniCodePages.h"
#include "framework/ActnList.h"
#include "framework/ControlMessages.h"
#include "framework/Colors.h"
#include "framework/Forms.h"
#include "framework/FormsScrolling.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Menus.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Process.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "tx/TxHotTracking.h"

namespace cs {

namespace {

// The alignment as drawn: right-to-left reading swaps left and right; centred stays.
fw::TAlignment ReadingAlignment(const TCsTextObject* Control) {
  const fw::TAlignment alignment = Control->Alignment();
  if (!Control->UseRightToLeftReading() || alignment == fw::taCenter) return alignment;
  return alignment == fw::taLeftJustify ? fw::taRightJustify : fw::taLeftJustify;
}

}  // namespace

TCsTextObject::TCsTextObject(fw::TComponent* AOwner)
    : TCsThemed<fw::TCustomControl>(AOwner),
      FLinkFont(std::make_unique<fw::TFont>()),
      FMargins(std::make_unique<tx::TTxControlMargins>()) {
  FMargins->OnChange = [this](fw::TObject*) {
    Invalidate();
    AdjustBounds();
  };
  FLinkFont->SetColor(0xFF0000);
  FLinkFont->SetStyle(fw::TFontStyles{fw::fsUnderline});
  FControlStyle.Include(fw::csOpaque);
  // Without a colour of its own: what lies behind shows (the parent's background).
  SetParentColor(false);
  SetColor(fw::clNone);
  SetTabStop(true);
  SetBounds(0, 0, 65, 17);
  tx::AddHotTrackingUser();
}

TCsTextObject::~TCsTextObject() {
  *FAlive = false;
  tx::RemoveHotTrackingUser(this);
}

void TCsTextObject::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCsTextObject::SetCaptionGlow(bool Value) {
  if (FCaptionGlow == Value) return;
  FCaptionGlow = Value;
  Invalidate();
}

void TCsTextObject::SetCaptionGlowColor(fw::TColor Value) {
  if (FCaptionGlowColor == Value) return;
  FCaptionGlowColor = Value;
  Invalidate();
}

void TCsTextObject::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Invalidate();
}

void TCsTextObject::SetImages(fw::TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
  Invalidate();
  AdjustBounds();
}

void TCsTextObject::SetImageIndex(fw::Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  if (FImages != nullptr) Invalidate();
  AdjustBounds();
}

void TCsTextObject::SetBounds(fw::Integer ALeft, fw::Integer ATop, fw::Integer AWidth, fw::Integer AHeight) {
  if (FAutoSizeText && !FAdjusting && !ComponentState().Contains(fw::csLoading)) {
    // An auto-sized control keeps the size of its caption and glyph, whatever it is given.
    FAdjusting = true;
    fw::TRect unionRect{}, text{}, glyph{};
    GetTextRects(unionRect, text, glyph);
    FAdjusting = false;
    const fw::TRect margins = GetTextMargins();
    const fw::TSize extra = AutoSizeExtra();
    AWidth = unionRect.right - unionRect.left + margins.left + margins.right + extra.cx + FMargins->Left() +
             FMargins->Right();
    AHeight = unionRect.bottom - unionRect.top + margins.top + margins.bottom + extra.cy + FMargins->Top() +
              FMargins->Bottom();
  }
  TCsThemed<fw::TCustomControl>::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCsTextObject::SetAutoSize(bool Value) {
  if (FAutoSizeText == Value) return;
  FAutoSizeText = Value;
  AdjustBounds();
}

void TCsTextObject::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  Invalidate();
  AdjustBounds();
}

void TCsTextObject::SetWrapping(tx::TTextWrapping Value) {
  if (FWrapping == Value) return;
  FWrapping = Value;
  AdjustBounds();
  Invalidate();
}

void TCsTextObject::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCsThemed<fw::TCustomControl>::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FImages) FImages = nullptr;
}

win::UINT TCsTextObject::DrawFormat() const {
  return tx::TextPaintFlags(FWrapping, ReadingAlignment(this), FShowAccelChar) |
         (UseRightToLeftReading() ? win::UINT(win::DT_RTLREADING) : 0u);
}

win::UINT TCsTextObject::MeasureFormat() const {
  // The measuring table leaves alignment and prefixes to the painting; the caption's block is
  // placed by the alignment here, and "&&" measures as the one "&" it shows.
  return (tx::TextMeasureFlags(FWrapping) & ~win::UINT(win::DT_CALCRECT)) | (DrawFormat() & win::DT_NOPREFIX);
}

fw::TRect TCsTextObject::MarginRect() {
  const fw::TRect r = ClientRect();
  return {r.left + FMargins->Left(), r.top + FMargins->Top(), r.right - FMargins->Right(),
          r.bottom - FMargins->Bottom()};
}

void TCsTextObject::DoGetImageIndex(fw::TCustomImageList*& ImageList, fw::Integer& ImageIndex) {
  if (OnGetImageIndex) OnGetImageIndex(this, ImageList, ImageIndex);
}

bool TCsTextObject::IsPushed() { return FPushed; }

void TCsTextObject::SetPushed(bool Value) {
  if (FPushed == Value) return;
  FPushed = Value;
  Invalidate();
}

void TCsTextObject::DoAdjustFont(fw::TCanvas* ACanvas) {
  if (!FLinkText.empty() && MouseInControl()) ACanvas->Font()->Assign(FLinkFont.get());
}

void TCsTextObject::GetTextRects(fw::TRect& UnionRect, fw::TRect& TextRect, fw::TRect& GlyphRect) {
  fw::TBitmap measure;
  measure.SetSize(1, 1);
  fw::TCanvas* canvas = measure.Canvas();
  canvas->Font()->Assign(Font());
  DoAdjustFont(canvas);
  const fw::TRect margins = GetTextMargins();
  fw::TRect r = FAutoSizeText ? ClientRect() : MarginRect();
  r = {r.left + margins.left, r.top + margins.top, r.right - margins.right, r.bottom - margins.bottom};
  fw::TCustomImageList* list = FImages;
  fw::Integer index = FImageIndex;
  DoGetImageIndex(list, index);
  fw::TSize glyph = OwnGlyphSize();
  if (list != nullptr && index >= 0 && index < list->Count()) glyph = {list->Width(), list->Height()};
  // An empty caption, or a lone "&" that shows nothing, still takes one line.
  WideString caption = Caption();
  if (caption.empty() || (caption == u"&" && FShowAccelChar)) caption = u" ";
  LayoutCaptionAndGlyph(canvas, r, caption, GlyphRect, TextRect, PushedOffset && IsPushed(), glyph.cx, glyph.cy,
                        MeasureFormat(), ReadingAlignment(this));
  UnionRect = TextRect;
  if (!win::IsRectEmpty(&GlyphRect)) win::UnionRect(&UnionRect, &TextRect, &GlyphRect);
}

void TCsTextObject::AdjustBounds() {
  if (FAutoSizeText) SetBounds(Left(), Top(), Width(), Height());
}

bool TCsTextObject::DoDraw(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage) {
  bool paintDefault = true;
  if (OnDraw) OnDraw(this, ACanvas, ARect, PaintStage, paintDefault);
  return paintDefault;
}

void TCsTextObject::GetFocusRect(const fw::TRect& /*R*/, const fw::TRect& TextRect, const fw::TRect& /*GlyphRect*/,
                                 fw::TRect& FocusRect) {
  FocusRect = {0, 0, 0, 0};
  if (Caption().empty()) return;
  FocusRect = TextRect;
  win::InflateRect(&FocusRect, 1, 1);
}

void TCsTextObject::DoDrawText(fw::TCanvas* ACanvas, fw::TRect& ARect, win::UINT Format) {
  WideString caption = Caption();
  if ((Format & win::DT_CALCRECT) != 0) {
    DrawWideCaption(ACanvas, caption, ARect, FCaptionGlowColor, FCaptionGlow, Format);
    return;
  }
  ACanvas->Brush()->SetStyle(fw::bsClear);
  fw::TRect area = ARect;
  bool paintDefault = true;
  if (OnDrawCaption) OnDrawCaption(this, ACanvas, ARect, caption, area, false, pstPrePaint, paintDefault);
  if (paintDefault) {
    fw::TCustomImageList* list = FImages;
    fw::Integer index = FImageIndex;
    DoGetImageIndex(list, index);
    const bool listGlyph = list != nullptr && index >= 0 && index < list->Count();
    TCsCaptionStyle style;
    style.Format = Format;
    style.Alignment = ReadingAlignment(this);
    style.Glow = FCaptionGlow && Enabled();
    style.GlowColor = FCaptionGlowColor;
    style.Pushed = PushedOffset && IsPushed();
    style.Enabled = Enabled();
    style.Themed = EffectiveThemeType() == thtTx;
    fw::TRect glyph{}, text{};
    const fw::TColor color = ACanvas->Font()->Color();
    if (!Enabled()) {
      if (EffectiveThemeType() == thtNone) {
        // The classic embossed caption: a highlight copy one pixel down and right first.
        const fw::TSize size = listGlyph ? fw::TSize{list->Width(), list->Height()} : OwnGlyphSize();
        LayoutCaptionAndGlyph(ACanvas, area, caption, glyph, text, style.Pushed, size.cx, size.cy, Format,
                              style.Alignment);
        win::OffsetRect(&text, 1, 1);
        ACanvas->Font()->SetColor(fw::clBtnHighlight);
        DrawWideCaption(ACanvas, caption, text, FCaptionGlowColor, false, Format);
      }
      ACanvas->Font()->SetColor(fw::clBtnShadow);
    }
    const fw::TSize own = listGlyph ? fw::TSize{0, 0} : OwnGlyphSize();
    if (listGlyph) {
      DrawCaptionWithImage(ACanvas, area, caption, list, index, style, glyph, text);
    } else if (own.cx > 0 && own.cy > 0) {
      // The check or radio glyph is drawn by the control itself at the laid-out place.
      LayoutCaptionAndGlyph(ACanvas, area, caption, glyph, text, style.Pushed, own.cx, own.cy, Format,
                            style.Alignment);
      fw::TRect drawn = text;
      DrawWideCaption(ACanvas, caption, drawn, style.GlowColor, style.Glow, Format);
      DrawOwnGlyph(ACanvas, glyph);
    } else {
      DrawCaptionWithBitmap(ACanvas, area, caption, nullptr, style, glyph, text);
    }
    ACanvas->Font()->SetColor(color);
    bool postDefault = true;
    if (OnDrawCaption) OnDrawCaption(this, ACanvas, ARect, caption, area, false, pstPostPaint, postDefault);
    if (Focused()) {
      fw::TRect focus{};
      GetFocusRect(ARect, text, glyph, focus);
      DrawFocusRectangle(ACanvas, focus);
    }
  }
}

void TCsTextObject::Paint() {
  fw::TCanvas* canvas = Canvas();
  fw::TRect r = MarginRect();
  canvas->RequiredState({fw::csHandleValid});
  PaintControlBackground(this, canvas->Handle());
  canvas->Brush()->SetStyle(fw::bsSolid);
  canvas->Brush()->SetColor(Color() != fw::clNone ? Color() : ParentBackgroundColor(this));
  canvas->Font()->Assign(Font());
  DoAdjustFont(canvas);
  if (DoDraw(canvas, r, pstPrePaint)) {
    const fw::TRect margins = GetTextMargins();
    fw::TRect text{r.left + margins.left, r.top + margins.top, r.right - margins.right, r.bottom - margins.bottom};
    DoDrawText(canvas, text, DrawFormat());
  }
  DoDraw(canvas, r, pstPostPaint);
}

void TCsTextObject::Click() {
  Invalidate();
  const std::shared_ptr<bool> alive = FAlive;
  TCsThemed<fw::TCustomControl>::Click();
  if (*alive) DoLinkClick();
}

void TCsTextObject::DoLinkClick() {
  if (FLinkText.empty()) return;
  win::ShellExecuteW(fw::Application != nullptr ? fw::Application->Handle() : nullptr, u"open", FLinkText.c_str(),
                     FLinkTextParams.c_str(), u"", win::SW_SHOWNORMAL);
}

void TCsTextObject::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) {
  if (Button == fw::mbLeft) {
    FMouseDown = true;
    SetPushed(true);
  }
  const std::shared_ptr<bool> alive = FAlive;
  TCsThemed<fw::TCustomControl>::MouseDown(Button, Shift, X, Y);
  if (*alive && Button == fw::mbLeft) TakeFocusOnPress();
}

void TCsTextObject::TakeFocusOnPress() {
  // A press takes the focus only inside the active form (an embedded form counts as part of the
  // one it sits in): a click into an inactive window leaves the focus where it is.
  fw::TCustomForm* active = fw::Screen != nullptr ? fw::Screen->ActiveForm() : nullptr;
  if (active == nullptr || !active->ContainsControl(this) || !CanFocus()) return;
  FNoScrollIntoView = true;
  const std::shared_ptr<bool> alive = FAlive;
  try {
    SetFocus();
  } catch (...) {
    if (*alive) FNoScrollIntoView = false;
    throw;
  }
  if (*alive) FNoScrollIntoView = false;
}

void TCsTextObject::DoEnter() {
  TCsThemed<fw::TCustomControl>::DoEnter();
  // Reached by the keyboard: the nearest scrolling parent shows the control.
  if (FNoScrollIntoView) return;
  for (fw::TWinControl* p = Parent(); p != nullptr; p = p->Parent())
    if (auto* scrolling = dynamic_cast<fw::TScrollingWinControl*>(p)) {
      scrolling->ScrollInView(this);
      return;
    }
}

void TCsTextObject::LeaveHot() {
  tx::StopHotTracking(this);
  LeaveHotState();
}

void TCsTextObject::CMMouseLeave(fw::TMessage& Message) {
  TCsThemed<fw::TCustomControl>::CMMouseLeave(Message);
  tx::StopHotTracking(this);
}

void TCsTextObject::MouseMove(fw::TShiftState Shift, fw::Integer X, fw::Integer Y) {
  // The shared timer watches the control the pointer entered, so that it leaves its hot state
  // even when the pointer goes where no leave notice comes from.
  fw::TControl* under = tx::ControlUnderCursor();
  if (under == this && tx::HotTrackedControl() != this) {
    tx::StartHotTracking(this, [this] { LeaveHot(); });
    if (Enabled()) EnterHotState();
  } else if (under != this && MouseInControl() && HandleAllocated() && win::GetCapture() == Handle()) {
    LeaveHot();
  }
  if (FMouseDown) SetPushed(X >= 0 && Y >= 0 && X < Width() && Y < Height());
  TCsThemed<fw::TCustomControl>::MouseMove(Shift, X, Y);
}

void TCsTextObject::EraseBackground(fw::TMessage& Message) {
  const auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  Message.Result = 1;
  // Paint lays the whole background itself; only an erase asked into the painting DC (a child
  // asking for what lies behind it) is answered with pixels.
  if (FDoubleBuffered && reinterpret_cast<win::HDC>(Message.LParam) != dc) return;
  PaintControlBackground(this, dc);
}

void TCsTextObject::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, fw::Integer X, fw::Integer Y) {
  if (Button == fw::mbLeft) {
    FMouseDown = false;
    SetPushed(false);
  }
  TCsThemed<fw::TCustomControl>::MouseUp(Button, Shift, X, Y);
}

void TCsTextObject::CMTextChanged(fw::TMessage& Message) {
  TCsThemed<fw::TCustomControl>::CMTextChanged(Message);
  Invalidate();
  AdjustBounds();
}

void TCsTextObject::CMFontChanged(fw::TMessage& Message) {
  TCsThemed<fw::TCustomControl>::CMFontChanged(Message);
  AdjustBounds();
}

void TCsTextObject::WMSetCursor(fw::TMessage& Message) {
  if (!FLinkText.empty()) {
    if (const win::HCURSOR hand = HandCursorHandle()) {
      win::SetCursor(hand);
      Message.Result = 1;
      return;
    }
  }
  TCsThemed<fw::TCustomControl>::WMSetCursor(Message);
}

void TCsTextObject::DoDrawHint(fw::TBitmap* AHintBitmap, WideString& AHint, bool& PaintDefault) {
  if (OnDrawHint) OnDrawHint(this, AHintBitmap, AHint, PaintDefault);
}

void TCsTextObject::CMHintShow(fw::TMessage& Message) {
  TCsThemed<fw::TCustomControl>::CMHintShow(Message);
  if (!OnDrawHint) return;
  fw::THintInfo& HintInfo = *reinterpret_cast<fw::THintInfo*>(Message.LParam);
  const WideString shortHint = WideShortHint(Hint());
  WideString hint = shortHint;
  fw::TBitmap* bitmap = HintBitmap();
  auto prepareCanvas = [&] {
    fw::TCanvas* c = bitmap->Canvas();
    c->Font()->Assign(Font());
    c->Font()->SetColor(fw::clInfoText);
    c->Pen()->SetColor(0);
    c->Brush()->SetColor(fw::clInfoBk);
    return c;
  };
  fw::TRect text = fw::Rect(0, 0, 0, 0);
  DrawWideCaption(prepareCanvas(), hint, text, 0, false, win::DT_CALCRECT | win::DT_NOPREFIX);
  const fw::Integer w = text.right - text.left + 8, h = text.bottom - text.top + 4;
  bitmap->SetSize(w, h);
  // The standard face comes first so that a handler drawing only its own parts keeps it; what
  // the handler draws is shown as it left it.
  fw::TCanvas* c = prepareCanvas();
  c->FillRect(fw::Rect(0, 0, w, h));
  fw::TRect face = fw::Rect(-2, 2, w - 2, h - 2);
  DrawWideCaption(c, hint, face, 0, false, win::DT_CENTER | win::DT_NOPREFIX);
  bool paintDefault = true;
  const std::shared_ptr<bool> alive = FAlive;
  DoDrawHint(bitmap, hint, paintDefault);
  if (!*alive) return;
  if (paintDefault) {
    if (hint != shortHint) HintInfo.HintStr = WideToUtf8(hint);
    return;
  }
  HintInfo.HintWindowClass = TBitmapHint::ClassInfo();
  HintInfo.HintData = nullptr;
  HintInfo.CursorRect = ClientRect();
}

TCsTextObject::TActionLinkFactory TCsTextObject::GetActionLinkClass() {
  return [](fw::TControl* c) -> fw::TControlActionLink* {
    return new TCsTextObjectActionLink(static_cast<TCsTextObject*>(c));
  };
}

void TCsTextObject::ActionChange(fw::TObject* Sender, bool CheckDefaults) {
  WideActionChange(this, Sender, CheckDefaults);
  TCsThemed<fw::TCustomControl>::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<fw::TCustomAction*>(Sender);
  if (action == nullptr) return;
  if (!CheckDefaults || !Checked()) SetChecked(action->Checked());
  if (!CheckDefaults || ImageIndex() == -1) SetImageIndex(action->ImageIndex());
}

bool TCsTextObjectActionLink::IsCheckedLinked() {
  return TUniWinControlActionLink::IsCheckedLinked() && TextObject()->Checked() == CustomAction()->Checked();
}

void TCsTextObjectActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) TextObject()->SetChecked(Value);
}

void TCsTextObjectActionLink::SetImageIndex(fw::Integer Value) {
  if (IsImageIndexLinked()) TextObject()->SetImageIndex(Value);
}

void TCsTextObject::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == fw::CM_ENABLEDCHANGED) {
    TCsThemed<fw::TCustomControl>::Dispatch(Message);
    Invalidate();
    // A control disabled under the pointer is no longer hot, and lets go of what it was doing.
    if (!Enabled() && MouseInControl()) {
      LeaveHot();
      if (HandleAllocated()) win::SendMessageW(Handle(), win::WM_CANCELMODE, 0, 0);
    }
    return;
  }
  if (Message.Msg == win::WM_ERASEBKGND) {
    EraseBackground(Message);
    return;
  }
  if (Message.Msg != win::WM_LBUTTONUP) {
    TCsThemed<fw::TCustomControl>::Dispatch(Message);
    return;
  }
  // The click comes last, after the release is handled, so that a handler may free the control.
  const bool clicked = FControlState.Contains(fw::csClicked);
  FControlState.Exclude(fw::csClicked);
  const std::shared_ptr<bool> alive = FAlive;
  TCsThemed<fw::TCustomControl>::Dispatch(Message);
  const int x = win::GET_X_LPARAM(Message.LParam), y = win::GET_Y_LPARAM(Message.LParam);
  if (*alive && clicked && x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

TCsLabel::TCsLabel(fw::TComponent* AOwner) : TCsTextObject(AOwner), FUnderlineColor(fw::clBtnShadow) {
  SetTabStop(false);
}

void TCsLabel::SetFocusControl(fw::TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl != nullptr) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl != nullptr) FFocusControl->FreeNotification(this);
}

void TCsLabel::SetUnderline(bool Value) {
  if (FUnderline == Value) return;
  FUnderline = Value;
  Invalidate();
  AdjustBounds();
}

void TCsLabel::SetUnderlineColor(fw::TColor Value) {
  if (FUnderlineColor == Value) return;
  FUnderlineColor = Value;
  Invalidate();
}

void TCsLabel::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCsTextObject::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

bool TCsLabel::DoDraw(fw::TCanvas* ACanvas, fw::TRect& ARect, TCsPaintStage PaintStage) {
  if (PaintStage == pstPrePaint && FUnderline) {
    ACanvas->Pen()->SetColor(FUnderlineColor);
    ACanvas->MoveTo(ARect.left, ARect.bottom - 1);
    ACanvas->LineTo(ARect.right, ARect.bottom - 1);
  }
  return TCsTextObject::DoDraw(ACanvas, ARect, PaintStage);
}

void TCsLabel::CMDialogChar(fw::TMessage& Message) {
  if (FFocusControl != nullptr && Enabled() && ShowAccelChar() &&
      fw::IsAccel(char16_t(win::LOWORD(Message.WParam)), WideToUtf8(Caption())) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
  }
}

}  // namespace cs
