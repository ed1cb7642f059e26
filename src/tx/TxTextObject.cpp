#include "tx/TxTextObject.h"

#include "framework/ControlMessages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/painting/UserDraw.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

fw::Cardinal TextPaintFlags(TTextWrapping Wrapping, fw::TAlignment Alignment, bool ShowAccelChar) {
  static constexpr fw::Cardinal kWrap[] = {win::DT_SINGLELINE, win::DT_SINGLELINE | win::DT_END_ELLIPSIS,
                                           win::DT_SINGLELINE | win::DT_PATH_ELLIPSIS, win::DT_WORDBREAK};
  static constexpr fw::Cardinal kAlign[] = {win::DT_LEFT, win::DT_RIGHT, win::DT_CENTER};
  return kWrap[Wrapping] | kAlign[Alignment] | (ShowAccelChar ? 0u : fw::Cardinal(win::DT_NOPREFIX)) |
         win::DT_EXPANDTABS;
}

fw::Cardinal TextMeasureFlags(TTextWrapping Wrapping) {
  static constexpr fw::Cardinal kWrap[] = {0, win::DT_END_ELLIPSIS, win::DT_PATH_ELLIPSIS, win::DT_WORDBREAK};
  return kWrap[Wrapping] | win::DT_CALCRECT | win::DT_EXPANDTABS;
}

namespace {

TRect Deflated(TRect R, const TRect& By) { return TRect{R.left + By.left, R.top + By.top, R.right - By.right, R.bottom - By.bottom}; }

}  // namespace

TRect TTxTextObject::MarginRect() {
  return Deflated(ClientRect(), TRect{FMargins->Left(), FMargins->Top(), FMargins->Right(), FMargins->Bottom()});
}

TRect TTxTextObject::TextRect(const TRect& R) {
  TRect inner{};
  GetTextMargins(inner);
  return Deflated(R, inner);
}

TTxTextObject::TTxTextObject(fw::TComponent* AOwner) : TTxPanelObject(AOwner) {
  fw::TControlStyle style = ControlStyle();
  style += fw::TControlStyle{fw::csSetCaption};
  style -= fw::TControlStyle{fw::csDoubleClicks};
  SetControlStyle(style);
  FMargins = std::make_unique<TTxControlMargins>();
  FMargins->OnChange = [this](fw::TObject*) { MarginsChanged(); };
  SetDoubleBuffered(true);
  SetAutoSize(true);
  SetWidth(100);
}

void TTxTextObject::CreateParams(fw::TCreateParams& Params) {
  TTxPanelObject::CreateParams(Params);
  Params.WindowClass.style |= win::CS_HREDRAW;
}

void TTxTextObject::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TTxTextObject::SetWrapping(TTextWrapping Value) {
  if (FWrapping == Value) return;
  FWrapping = Value;
  AdjustBounds();
  Invalidate();
}

void TTxTextObject::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TTxTextObject::DoAdjustFont(fw::TFont* /*Font*/) {}
void TTxTextObject::GetFocusRect(const TRect& /*Rect*/, TRect& FocusRect) { FocusRect = TRect{}; }
String TTxTextObject::GetCaption() { return Caption(); }
fw::TAlignment TTxTextObject::GetAlignment() { return FAlignment; }
void TTxTextObject::GetTextMargins(TRect& Rect) { Rect = TRect{}; }

void TTxTextObject::MarginsChanged() {
  Invalidate();
  AdjustBounds();
}

Integer TTxTextObject::DoDrawText(fw::TCanvas* Canvas, TRect& Rect, fw::Cardinal Flags) {
  String text = GetCaption();
  const bool measuring = (Flags & win::DT_CALCRECT) != 0;
  if (measuring && (text.empty() || text == "&")) text = " ";  // one line's height
  Canvas->Font()->Assign(Font());
  DoAdjustFont(Canvas->Font());
  const std::u16string w = win::Utf8ToWide(text);
  auto draw = [&](TRect& R, fw::TColor Color) {
    Canvas->Font()->SetColor(Color);
    win::HDC dc = detail::FontDC(Canvas);
    win::SetBkMode(dc, win::TRANSPARENT);
    return Integer(win::DrawTextW(dc, w.c_str(), int(w.size()), &R, Flags));
  };
  if (measuring) {
    Flags &= ~fw::Cardinal(win::DT_VCENTER);
    return draw(Rect, Font()->Color());
  }
  if (Enabled()) return draw(Rect, Font()->Color());
  TRect shifted{Rect.left + 1, Rect.top + 1, Rect.right + 1, Rect.bottom + 1};
  draw(shifted, fw::clBtnHighlight);
  return draw(Rect, fw::clBtnShadow);
}

void TTxTextObject::GetTextHeight(fw::TCanvas* Canvas, Integer& Height) {
  TRect r = TextRect(MarginRect());
  r.bottom = r.top;
  DoDrawText(Canvas, r, TextMeasureFlags(FWrapping));
  Height = (r.bottom - r.top) + FMargins->Top() + FMargins->Bottom();
}

Integer TTxTextObject::MeasureHeight() {
  fw::TBitmap measure;  // a DC of its own, so measuring never disturbs a paint
  measure.SetSize(1, 1);
  Integer h = Height();
  GetTextHeight(measure.Canvas(), h);
  return h;
}

bool TTxTextObject::CanAdjust() {
  return HandleAllocated() && !ComponentState().Contains(fw::csLoading) &&
         !ComponentState().Contains(fw::csReading) && AutoSize() && !FAdjusting;
}

void TTxTextObject::AdjustBounds() {
  if (!CanAdjust()) return;
  FAdjusting = true;
  try {
    SetBounds(Left(), Top(), Width(), MeasureHeight());
  } catch (...) {
    FAdjusting = false;
    throw;
  }
  FAdjusting = false;
}

bool TTxTextObject::CanAutoSize(Integer& /*NewWidth*/, Integer& NewHeight) {
  if (!HandleAllocated() || ComponentState().Contains(fw::csLoading) || !AutoSize()) return false;
  NewHeight = MeasureHeight();
  return true;
}

void TTxTextObject::Loaded() {
  TTxPanelObject::Loaded();
  AdjustBounds();
}

void TTxTextObject::Paint() {
  fw::TCanvas* canvas = Canvas();
  TRect r = MarginRect();
  if (Focused()) {
    TRect focus{};
    GetFocusRect(r, focus);
    if (focus.right > focus.left && focus.bottom > focus.top) {
      canvas->Font()->SetColor(fw::clBlack);
      canvas->Brush()->SetColor(fw::clWhite);
      canvas->DrawFocusRect(focus);
    }
  }
  const fw::Cardinal flags = TextPaintFlags(FWrapping, GetAlignment(), FShowAccelChar);
  canvas->Brush()->SetStyle(fw::bsClear);
  r = TextRect(r);
  TRect measured{r.left, r.top, r.right, r.top};
  DoDrawText(canvas, measured, TextMeasureFlags(FWrapping));
  const Integer h = measured.bottom - measured.top;
  r.top = (r.top + r.bottom - h) / 2;
  r.bottom = r.top + h;
  DoDrawText(canvas, r, flags);
}

void TTxTextObject::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case fw::CM_ENABLEDCHANGED:
      TTxPanelObject::Dispatch(Message);
      Invalidate();
      return;
    case fw::CM_FONTCHANGED:
    case fw::CM_TEXTCHANGED:
      TTxPanelObject::Dispatch(Message);
      Invalidate();
      AdjustBounds();
      return;
    default: TTxPanelObject::Dispatch(Message);
  }
}

}  // namespace tx
