// The axis arrow tool.
#include "chart/PlotToolsAxisArrow.h"

#include <algorithm>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"

namespace chart {

namespace {
// Across the axis an arrow is hit from less than this many pixels away.
constexpr Integer kArrowTolerance = 3;
constexpr Integer kHeadSize = 8;
}  // namespace

TAxisArrowTool::TAxisArrowTool(fw::TComponent* AOwner) : TPlotCustomToolAxis(AOwner) {}

TAxisArrowTool::~TAxisArrowTool() = default;

String TAxisArrowTool::Description() const { return "Axis Arrows"; }

Integer TAxisArrowTool::ArrowAt(Integer X, Integer Y) const {
  const TChartAxis* axis = Axis();
  if (!axis) return 0;
  const Integer across = axis->Horizontal() ? Y : X, along = axis->Horizontal() ? X : Y;
  if (std::abs(across - axis->PosAxis()) >= kArrowTolerance) return 0;
  const Integer start = axis->IStartPos(), end = axis->IEndPos();
  if (FPosition != aaEnd && along > start && along < start + FLength) return 1;
  if (FPosition != aaStart && along > end - FLength && along < end) return 2;
  return 0;
}

void TAxisArrowTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolAxis::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  TChartAxis* axis = Axis();
  if (Kind != cteAfterDraw || !chart || !axis || !chart->Canvas()) return;
  TPlotCanvas3D& canvas = *chart->Canvas();
  canvas.AssignVisiblePenColor(Pen(), Pen()->Color());
  canvas.Brush()->SetStyle(fw::bsSolid);
  canvas.Brush()->SetColor(Brush()->Color());
  // The far-side axes of a 3D chart lie on the back plane.
  const bool far = axis == chart->TopAxis() || axis == chart->RightAxis() || axis == chart->DepthAxis();
  const Integer z = chart->View3D() && far ? chart->View3DOptions().Depth : 0;
  auto point = [&](Integer Along) {
    return axis->Horizontal() ? TPoint{Along, axis->PosAxis()} : TPoint{axis->PosAxis(), Along};
  };
  const Integer start = axis->IStartPos(), end = axis->IEndPos();
  if (FPosition != aaEnd) canvas.Arrow(true, point(start + FLength), point(start), kHeadSize, kHeadSize, z);
  if (FPosition != aaStart) canvas.Arrow(true, point(end - FLength), point(end), kHeadSize, kHeadSize, z);
}

void TAxisArrowTool::ScrollBy(double Offset) {
  TCustomAxisPanel& chart = *ParentChart();
  TChartAxis* axis = Axis();
  double lo = axis->Minimum() + Offset, hi = axis->Maximum() + Offset;
  bool allow = true;
  if (chart.OnAllowScroll) chart.OnAllowScroll(axis, lo, hi, allow);
  if (!allow) return;
  axis->Scroll(Offset, false);
  // The opposite axis of the same orientation moves along when a series lies on both.
  TChartAxis* opposite = axis == chart.BottomAxis() ? chart.TopAxis()
                         : axis == chart.TopAxis()  ? chart.BottomAxis()
                         : axis == chart.LeftAxis() ? chart.RightAxis()
                         : axis == chart.RightAxis() ? chart.LeftAxis()
                                                     : nullptr;
  const auto& series = chart.SeriesList();
  if (opposite && std::any_of(series.begin(), series.end(), [&](const TChartSeries* s) {
        return s->IsOnAxis(axis) && s->IsOnAxis(opposite);
      }))
    opposite->Scroll(Offset, false);
  if (chart.OnScroll) chart.OnScroll(&chart);
}

void TAxisArrowTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                      Integer X, Integer Y) {
  TPlotCustomToolAxis::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  TChartAxis* axis = Axis();
  if (!chart || !axis || !axis->Visible()) return;
  const Integer arrow = ArrowAt(X, Y);
  if (Kind == cmeDown && FScrollPercent != 0 && arrow != 0) {
    double step = (axis->Maximum() - axis->Minimum()) * FScrollPercent / 100.0;
    if (FScrollInverted) step = -step;
    ScrollBy(arrow == 1 ? step : -step);
    chart->SetCancelMouse(true);
    if (OnClick) OnClick(this, arrow == 1);
  } else if (Kind == cmeMove && arrow != 0) {
    chart->SetCursor(fw::crHandPoint);
    chart->SetCancelMouse(true);
  }
}

}  // namespace chart
