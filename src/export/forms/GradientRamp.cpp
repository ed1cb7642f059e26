#include "export/forms/GradientRamp.h"

#include "controls/CsButtons.h"
#include "framework/GraphicsCanvas.h"

namespace kvforms {

fw::TColor GradientRampColor(fw::Integer X, fw::Integer Width) {
  const fw::Integer green = Width > 1 ? X * 255 / (Width - 1) : 0;
  return fw::TColor(100 | (green << 8) | (127 << 16));
}

void PaintGradientRamp(fw::TCanvas* Canvas, const fw::TRect& R, bool Enabled) {
  const fw::Integer top = R.top + 2, bottom = R.bottom - 2;
  if (bottom <= top || R.right <= R.left) return;
  if (!Enabled) {
    Canvas->Brush()->SetStyle(fw::bsSolid);
    Canvas->Brush()->SetColor(fw::TColor(0xC0C0C0));
    Canvas->FillRect(fw::Rect(R.left, top, R.right, bottom));
    return;
  }
  const fw::Integer width = R.right - R.left;
  Canvas->Pen()->SetStyle(fw::psSolid);
  Canvas->Pen()->SetWidth(1);
  for (fw::Integer x = 0; x < width; ++x) {
    Canvas->Pen()->SetColor(GradientRampColor(x, width));
    Canvas->MoveTo(R.left + x, top);
    Canvas->LineTo(R.left + x, bottom);
  }
}

void ShowGradientRamp(cs::TCsButton* Button) {
  Button->SetCaption(u"");
  Button->OnDrawCaption = [Button](fw::TObject*, fw::TCanvas* Canvas, const fw::TRect&, cs::WideString&,
                                   fw::TRect& CaptionRect, bool, cs::TCsPaintStage Stage,
                                   bool& PaintDefault) {
    // Painted before the (empty) caption; the button still draws its focus rectangle.
    PaintDefault = true;
    if (Stage != cs::pstPrePaint) return;
    const fw::TColor brush = Canvas->Brush()->Color();
    const fw::TBrushStyle brushStyle = Canvas->Brush()->Style();
    const fw::TColor pen = Canvas->Pen()->Color();
    PaintGradientRamp(Canvas, CaptionRect, Button->Enabled());
    Canvas->Brush()->SetColor(brush);
    Canvas->Brush()->SetStyle(brushStyle);
    Canvas->Pen()->SetColor(pen);
  };
}

}  // namespace kvforms
