// The axis scroll tool.
#include "chart/PlotToolsAxisScroll.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"

namespace chart {

TAxisScrollTool::TAxisScrollTool(fw::TComponent* AOwner) : TPlotCustomToolAxis(AOwner) {}

TAxisScrollTool::~TAxisScrollTool() = default;

String TAxisScrollTool::Description() const { return "Axis Scroll"; }

void TAxisScrollTool::ChartDestroying() {
  FDragAxis = nullptr;
  TPlotCustomToolAxis::ChartDestroying();
}

TChartAxis* TAxisScrollTool::AxisAt(Integer X, Integer Y) const {
  if (Axis()) return Axis()->Visible() && Axis()->Clicked(X, Y) ? Axis() : nullptr;
  if (!ParentChart()) return nullptr;
  for (TChartAxis* axis : ParentChart()->AxesList())
    if (axis->Visible() && axis->Clicked(X, Y)) return axis;
  return nullptr;
}

void TAxisScrollTool::ScrollByPixels(TChartAxis* Axis, Integer Delta) const {
  const Integer length = Axis->IAxisSize();
  if (length == 0) return;
  Axis->Scroll((Axis->Maximum() - Axis->Minimum()) * Delta / length, false);
}

void TAxisScrollTool::DragTo(Integer X, Integer Y) {
  TCustomAxisPanel& chart = *ParentChart();
  const bool horizontal = FDragAxis->Horizontal();
  Integer delta = horizontal ? FOldX - X : FOldY - Y;
  if (FDragAxis->Inverted()) delta = -delta;
  // Screen Y grows downwards: a vertical axis follows the mouse unless inverted.
  if (horizontal == FScrollInverted) delta = -delta;
  ScrollByPixels(FDragAxis, delta);
  for (TChartAxis* other : chart.AxesList()) {
    if (other == FDragAxis || other->Horizontal() != horizontal) continue;
    const auto& series = chart.SeriesList();
    if (std::any_of(series.begin(), series.end(),
                    [&](const TChartSeries* s) { return s->IsOnAxis(FDragAxis) && s->IsOnAxis(other); }))
      ScrollByPixels(other, delta);
  }
  FOldX = X;
  FOldY = Y;
  chart.SetCancelMouse(true);
}

void TAxisScrollTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                       Integer X, Integer Y) {
  TPlotCustomToolAxis::HandleMouseEvent(Kind, Button, Shift, X, Y);
  if (!ParentChart()) return;
  switch (Kind) {
    case cmeDown:
      // Not claimed: the tools after this one (the selector) still see the press.
      FDragAxis = AxisAt(X, Y);
      FOldX = X;
      FOldY = Y;
      break;
    case cmeMove:
      if (FDragAxis) {
        DragTo(X, Y);
      } else if (AxisAt(X, Y)) {
        ParentChart()->SetCursor(fw::crHandPoint);
        ParentChart()->SetCancelMouse(true);
      }
      break;
    case cmeUp:
      FDragAxis = nullptr;
      break;
  }
}

}  // namespace chart
