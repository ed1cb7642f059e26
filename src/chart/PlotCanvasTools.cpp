// Pens, fonts with shadows, and gradients of the chart canvas.
#include <algorithm>

#include "chart/PlotCanvas.h"

namespace chart {

void TChartPen::Assign(fw::TPersistent* Source) {
  fw::TPen::Assign(Source);
  if (auto* pen = dynamic_cast<TChartPen*>(Source)) {
    FVisible = pen->FVisible;
    FEndStyle = pen->FEndStyle;
    FSmallDots = pen->FSmallDots;
    Changed();
  }
}

void TChartPen::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TChartPen::SetEndStyle(TPenEndStyle Value) {
  if (FEndStyle == Value) return;
  FEndStyle = Value;
  Changed();
}

void TChartPen::SetSmallDots(bool Value) {
  if (FSmallDots == Value) return;
  FSmallDots = Value;
  Changed();
}

void TPlotShadow::Assign(fw::TPersistent* Source) {
  auto* s = dynamic_cast<TPlotShadow*>(Source);
  if (!s) return fw::TPersistent::Assign(Source);
  Color = s->Color;
  HorizSize = s->HorizSize;
  VertSize = s->VertSize;
  Transparency = s->Transparency;
  Smooth = s->Smooth;
}

void TPlotFont::Assign(fw::TPersistent* Source) {
  fw::TFont::Assign(Source);
  if (auto* f = dynamic_cast<TPlotFont*>(Source)) FShadow.Assign(&f->FShadow);
}

void TPlotGradient::Assign(fw::TPersistent* Source) {
  auto* g = dynamic_cast<TPlotGradient*>(Source);
  if (!g) return fw::TPersistent::Assign(Source);
  Visible = g->Visible;
  Direction = g->Direction;
  StartColor = g->StartColor;
  MidColor = g->MidColor;
  EndColor = g->EndColor;
  Balance = g->Balance;
  RadialX = g->RadialX;
  RadialY = g->RadialY;
}

namespace {

bool Horizontal(TGradientDirection D) { return D == gdLeftRight || D == gdRightLeft; }
bool Reversed(TGradientDirection D) { return D == gdBottomTop || D == gdRightLeft; }

}  // namespace

void TPlotGradient::Draw(TPlotCanvas3D* Canvas, const TRect& R) const {
  if (!Canvas || R.right <= R.left || R.bottom <= R.top) return;
  const Integer balance = std::clamp<Integer>(Balance, 0, 100);
  const bool linear = Direction <= gdRightLeft;
  if (MidColor == fw::clNone || !linear) {
    // The canvas places the halfway colour by Balance; a mid colour is honoured on the four
    // straight directions, where the ramp splits into two ramps.
    Canvas->RadialOffset = TPoint{RadialX, RadialY};
    Canvas->GradientFill(R, StartColor, EndColor, Direction, balance);
    Canvas->RadialOffset = TPoint{};
    return;
  }
  TRect first = R, second = R;
  const bool horiz = Horizontal(Direction);
  const Integer length = horiz ? R.right - R.left : R.bottom - R.top;
  Integer split = length * (Reversed(Direction) ? 100 - balance : balance) / 100;
  if (horiz) {
    first.right = second.left = R.left + split;
  } else {
    first.bottom = second.top = R.top + split;
  }
  // first is the top or left part; it holds the start colour unless the ramp runs backwards.
  const TGradientDirection d = Direction;
  if (Reversed(d)) {
    Canvas->GradientFill(first, MidColor, EndColor, d, 50);
    Canvas->GradientFill(second, StartColor, MidColor, d, 50);
  } else {
    Canvas->GradientFill(first, StartColor, MidColor, d, 50);
    Canvas->GradientFill(second, MidColor, EndColor, d, 50);
  }
}

}  // namespace chart
