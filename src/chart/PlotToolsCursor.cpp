// The cursor tool: placing, snapping, hit testing, XOR drawing and the mouse.
#include "chart/PlotToolsCursor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "framework/GraphicsCanvas.h"

namespace chart {

namespace {
// A line is hit from less than this many pixels away.
constexpr Integer kLineTolerance = 3;
}  // namespace

TCursorTool::TCursorTool(fw::TComponent* AOwner) : TPlotCustomToolSeries(AOwner) {}

TCursorTool::~TCursorTool() = default;

String TCursorTool::Description() const { return "Cursor"; }

void TCursorTool::SetStyle(TCursorToolStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  SnapToPoint();
  Repaint();
}

void TCursorTool::SetSeries(TChartSeries* Value) {
  TPlotCustomToolSeries::SetSeries(Value);
  if (!Series() || ComponentState().Contains(fw::csLoading)) return;
  SnapToPoint();
  Repaint();
}

void TCursorTool::Repaint() { InvalidateChart(); }

void TCursorTool::Changed(Integer ValueIndex) {
  if (OnChange) OnChange(this, FXPos, FYPos, FXValue, FYValue, Series(), ValueIndex);
}

Integer TCursorTool::NearestPoint() const {
  TChartSeries* s = Series();
  if (!s || s->Count() == 0) return -1;
  const Integer first = std::max<Integer>(s->FirstValueIndex(), 0);
  const Integer last = s->LastValueIndex() < 0 ? s->Count() - 1 : std::min(s->LastValueIndex(), s->Count() - 1);
  Integer best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  // The first index wins among equally near points.
  auto consider = [&](Integer i) {
    if (!s->PointIsDrawable(i)) return;
    const double dx = FXValue - s->PointX(i), dy = FYValue - s->PointY(i);
    const double d = FStyle == cssHorizontal ? std::fabs(dy) : FStyle == cssVertical ? std::fabs(dx) : std::hypot(dx, dy);
    if (d < bestDistance || (d == bestDistance && i < best)) {
      bestDistance = d;
      best = i;
    }
  };
  // The stored X values, which read multiplied by the list's multiplier.
  const double* xs = s->XValues()->Data();
  const double m = s->XValues()->Multiplier();
  if (FStyle != cssHorizontal && s->XValues()->Order() == loAscending && std::isfinite(FXValue) && m > 0 &&
      std::isfinite(m)) {
    // On ascending X no point is nearer than its X distance: search outwards from the cursor's X
    // and stop on each side once the X distance alone exceeds the best distance.
    const Integer pivot = Integer(std::lower_bound(xs + first, xs + last + 1, FXValue / m) - xs);
    for (Integer i = pivot; i <= last && !(xs[i] * m - FXValue > bestDistance); ++i) consider(i);
    for (Integer i = pivot - 1; i >= first && !(FXValue - xs[i] * m > bestDistance); --i) consider(i);
    return best;
  }
  for (Integer i = first; i <= last; ++i) consider(i);
  return best;
}

Integer TCursorTool::SnapToPoint() {
  if (!Series() || !FSnap) return -1;
  const Integer i = NearestPoint();
  if (i < 0) return -1;
  if (FStyle != cssVertical) FYValue = Series()->PointY(i);
  if (FStyle != cssHorizontal) FXValue = Series()->PointX(i);
  return i;
}

bool TCursorTool::AxesReady() const {
  const TChartAxis* h = HorizontalAxis();
  const TChartAxis* v = VerticalAxis();
  return h && v && h->IAxisSize() > 0 && v->IAxisSize() > 0;
}

TRect TCursorTool::AxesRect() const {
  const TChartAxis* h = HorizontalAxis();
  const TChartAxis* v = VerticalAxis();
  if (FSpanPlotArea && ParentChart()) return ParentChart()->ChartRect();
  TRect r{h->IStartPos(), v->IStartPos(), h->IEndPos(), v->IEndPos()};
  if (OnAdjustAxesRect) OnAdjustAxesRect(this, r);
  return r;
}

fw::TPoint TCursorTool::ToPlane(Integer X, Integer Y) const {
  if (!FUseSeriesZ || !Series() || !ParentChart() || !ParentChart()->Canvas()) return fw::TPoint{X, Y};
  return ParentChart()->Canvas()->Calc2DPos(X, Y, Series()->MiddleZ());
}

void TCursorTool::CalcValues(Integer X, Integer Y) {
  const fw::TPoint p = ToPlane(X, Y);
  if (FDragPart != 2) FYValue = VerticalAxis()->CalcPosPoint(p.y);
  if (FDragPart != 1) FXValue = HorizontalAxis()->CalcPosPoint(p.x);
}

void TCursorTool::CalcScreenPositions() {
  if (FXPos == -1 || FYPos == -1) {
    // Never placed: the middle of the plot area, reported once.
    FXPos = (HorizontalAxis()->IStartPos() + HorizontalAxis()->IEndPos()) / 2;
    FYPos = (VerticalAxis()->IStartPos() + VerticalAxis()->IEndPos()) / 2;
    FXValue = HorizontalAxis()->CalcPosPoint(FXPos);
    FYValue = VerticalAxis()->CalcPosPoint(FYPos);
    const Integer snapped = SnapToPoint();
    FXPos = HorizontalAxis()->CalcPosValue(FXValue);
    FYPos = VerticalAxis()->CalcPosValue(FYValue);
    Changed(snapped);
    return;
  }
  FXPos = HorizontalAxis()->CalcPosValue(FXValue);
  FYPos = VerticalAxis()->CalcPosValue(FYValue);
}

Integer TCursorTool::LinePartAt(Integer X, Integer Y) const {
  if (!AxesReady()) return 0;
  const fw::TPoint p = ToPlane(X, Y);
  const TRect r = AxesRect();
  if (p.x < r.left || p.x > r.right || p.y < r.top || p.y > r.bottom) return 0;
  const bool nearH = std::abs(p.y - FYPos) < kLineTolerance, nearV = std::abs(p.x - FXPos) < kLineTolerance;
  if (FStyle == cssBoth && nearH && nearV) return 3;
  if (FStyle != cssVertical && nearH) return 1;
  if (FStyle != cssHorizontal && nearV) return 2;
  return 0;
}

void TCursorTool::RedrawCursor() {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !AxesReady() || !Pen()->Visible()) return;
  const TRect r = AxesRect();
  const Integer z = FUseSeriesZ && Series() ? Series()->MiddleZ() : 0;
  TPlotCanvas3D* plot = chart->Canvas();
  const TColor color = XorColorOver(*chart, Pen()->Color());
  auto project = [&](Integer X, Integer Y) {
    return plot && chart->View3D() ? plot->Calc3DPos(X, Y, z) : fw::TPoint{X, Y};
  };
  // The same segments whether drawn into the picture or onto the window.
  auto draw = [&](fw::TCanvas& c) {
    c.Pen()->SetColor(color);
    c.Pen()->SetWidth(std::max<Integer>(1, Pen()->Width()));
    c.Pen()->SetStyle(Pen()->Style());
    c.Pen()->SetMode(fw::pmXor);
    c.Brush()->SetStyle(fw::bsClear);
    auto segment = [&](Integer X0, Integer Y0, Integer X1, Integer Y1) {
      const fw::TPoint a = project(X0, Y0), b = project(X1, Y1);
      c.MoveTo(a.x, a.y);
      c.LineTo(b.x, b.y);
    };
    // LineTo leaves its last pixel out: the far edge is one beyond.
    if (FStyle != cssVertical) segment(r.left, FYPos, r.right + 1, FYPos);
    if (FStyle != cssHorizontal) segment(FXPos, r.top, FXPos, r.bottom + 1);
    c.Pen()->SetMode(fw::pmCopy);
  };
  if (chart->Drawing() && plot && plot->DrawingCanvas())
    draw(*plot->DrawingCanvas());
  else
    chart->DrawOnWindow(draw);
}

void TCursorTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolSeries::HandleChartEvent(Kind);
  if (Kind != cteAfterDraw || !AxesReady()) return;
  CalcScreenPositions();
  RedrawCursor();
}

void TCursorTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                   Integer X, Integer Y) {
  TPlotCustomToolSeries::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !AxesReady()) return;
  switch (Kind) {
    case cmeDown:
      if (!FFollowMouse) {
        FDragPart = LinePartAt(X, Y);
        if (FDragPart != 0) chart->SetCancelMouse(true);
      }
      break;
    case cmeUp:
      FDragPart = 0;
      break;
    case cmeMove: {
      if (FDragPart != 0 || FFollowMouse) {
        const fw::TPoint p = ToPlane(X, Y);
        const TRect r = AxesRect();
        if (p.x < r.left || p.x > r.right || p.y < r.top || p.y > r.bottom) return;
        const bool placed = FXPos != -1 && FYPos != -1;
        if (placed) RedrawCursor();  // off at the old place
        CalcValues(X, Y);
        const Integer i = SnapToPoint();
        if (!placed) FXPos = FYPos = 0;  // the values just computed are where it goes
        CalcScreenPositions();
        RedrawCursor();
        Changed(i);
        if (OnSnapChange && i != FLastSnapIndex) OnSnapChange(this, FXPos, FYPos, FXValue, FYValue, Series(), i);
        FLastSnapIndex = i;
        return;
      }
      const Integer k = LinePartAt(X, Y);
      if (k == 1)
        chart->SetCursor(fw::crVSplit);
      else if (k == 2)
        chart->SetCursor(fw::crHSplit);
      else if (k == 3)
        chart->SetCursor(fw::crSizeAll);
      chart->SetCancelMouse(k != 0);
      break;
    }
  }
}

}  // namespace chart
