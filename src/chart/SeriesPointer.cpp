// Series pointers: the nine shapes and their properties.
#include "chart/SeriesPointer.h"

#include <algorithm>

#include "chart/PlotCanvas.h"

namespace chart {

TSeriesPointer::TSeriesPointer(TChartSeries* ASeries) : FSeries(ASeries), FPen(std::make_unique<TChartPen>()) {
  FPen->SetColor(fw::clBlack);
  FPen->OnChange = [this](fw::TObject*) { Changed(); };
}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::Changed() {
  if (FSeries) FSeries->Repaint();
}

void TSeriesPointer::SetVisible(bool Value) {
  if (FVisible != Value) FVisible = Value, Changed();
}
void TSeriesPointer::SetStyle(Integer Value) {
  if (Value < psRectangle || Value > psSmallDot) return;
  if (FStyle != Value) FStyle = TSeriesPointerStyle(Value), Changed();
}
void TSeriesPointer::SetColor(TColor Value) {
  if (FColor != Value) FColor = Value, Changed();
}
void TSeriesPointer::SetHorizSize(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 1000);
  if (FHorizSize != Value) FHorizSize = Value, Changed();
}
void TSeriesPointer::SetVertSize(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 1000);
  if (FVertSize != Value) FVertSize = Value, Changed();
}
void TSeriesPointer::SetDraw3D(bool Value) {
  if (FDraw3D != Value) FDraw3D = Value, Changed();
}
void TSeriesPointer::SetDark3D(bool Value) {
  if (FDark3D != Value) FDark3D = Value, Changed();
}

void TSeriesPointer::Assign(fw::TPersistent* Source) {
  auto* src = dynamic_cast<TSeriesPointer*>(Source);
  if (!src) return fw::TPersistent::Assign(Source);
  FVisible = src->FVisible;
  FStyle = src->FStyle;
  FColor = src->FColor;
  FHorizSize = src->FHorizSize;
  FVertSize = src->FVertSize;
  FDraw3D = src->FDraw3D;
  FDark3D = src->FDark3D;
  FPen->Assign(src->FPen.get());
  Changed();
}

bool TSeriesPointer::Covers(Integer X, Integer Y, Integer PixelX, Integer PixelY) const {
  return PixelX >= X - FHorizSize && PixelX <= X + FHorizSize && PixelY >= Y - FVertSize &&
         PixelY <= Y + FVertSize;
}

void TSeriesPointer::DrawPointer(TPlotCanvas3D& Canvas, Integer X, Integer Y, TColor Color, Integer H,
                                 Integer V) const {
  // The canvas's primitives leave out the right and bottom edge (and a line's last pixel), so
  // those ends reach one pixel further to cover X + H and Y + V.
  auto strokes = [&](bool Straight, bool Diagonal) {
    Canvas.AssignVisiblePenColor(FPen.get(), Color);
    Canvas.Pen()->SetVisible(true);
    if (Straight) {
      Canvas.Line(X - H, Y, X + H + 1, Y);
      Canvas.Line(X, Y - V, X, Y + V + 1);
    }
    if (Diagonal) {
      Canvas.Line(X - H, Y - V, X + H + 1, Y + V + 1);
      Canvas.Line(X - H, Y + V, X + H + 1, Y - V - 1);
    }
  };
  if (FStyle == psSmallDot) {
    Canvas.SetPixel(X, Y, Color);
    return;
  }
  if (FStyle == psCross || FStyle == psDiagCross || FStyle == psStar) {
    strokes(FStyle != psDiagCross, FStyle != psCross);
    return;
  }
  Canvas.AssignVisiblePenColor(FPen.get(), FPen->Color());
  Canvas.Brush()->SetStyle(fw::bsSolid);
  Canvas.Brush()->SetColor(Color);
  switch (FStyle) {
    case psRectangle:
      Canvas.Rectangle(X - H, Y - V, X + H + 1, Y + V + 1);
      break;
    case psCircle:
      Canvas.Ellipse(X - H, Y - V, X + H + 1, Y + V + 1);
      break;
    case psTriangle: {
      const TPoint p[3] = {{X - H, Y + V}, {X, Y - V}, {X + H, Y + V}};
      Canvas.Polygon(p, 3);
      break;
    }
    case psDownTriangle: {
      const TPoint p[3] = {{X - H, Y - V}, {X + H, Y - V}, {X, Y + V}};
      Canvas.Polygon(p, 3);
      break;
    }
    case psDiamond: {
      const TPoint p[4] = {{X, Y - V}, {X + H, Y}, {X, Y + V}, {X - H, Y}};
      Canvas.Polygon(p, 4);
      break;
    }
    default:
      break;
  }
}

}  // namespace chart
