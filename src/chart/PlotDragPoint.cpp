// The drag point tool.
#include "chart/PlotDragPoint.h"

#include <algorithm>
#include <cmath>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"

namespace chart {

namespace {

// The engine's smallest axis range.
constexpr double kMinAxisRange = 0.1 * 1e-12;

// The axis value at a pixel; an axis showing one value is widened first so that it can convert,
// by the smallest range relative to the value (an absolute one vanishes in the rounding of
// values from about 1e4 on).
double AxisValueAt(TChartAxis& Axis, Integer Pixel) {
  if (Axis.Maximum() == Axis.Minimum()) {
    const double at = Axis.Maximum(), widen = kMinAxisRange * std::max(1.0, std::fabs(at));
    if (std::isfinite(at + widen)) {
      Axis.SetAutomaticMaximum(false);
      Axis.SetMaximum(at + widen);
    } else {
      Axis.SetAutomaticMinimum(false);
      Axis.SetMinimum(at - widen);
    }
  }
  return Axis.CalcPosPoint(Pixel);
}

}  // namespace

TDragPointTool::TDragPointTool(fw::TComponent* AOwner) : TPlotCustomToolSeries(AOwner) {}

TDragPointTool::~TDragPointTool() = default;

String TDragPointTool::Description() const { return "Drag Point"; }

void TDragPointTool::SetSeries(TChartSeries* Value) {
  FDragIndex = -1;  // an index into another series means nothing
  TPlotCustomToolSeries::SetSeries(Value);
}

void TDragPointTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                      Integer X, Integer Y) {
  TPlotCustomToolSeries::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TChartSeries* series = Series();
  if (!series || !ParentChart()) {
    FDragIndex = -1;
    return;
  }
  switch (Kind) {
    case cmeDown:
      FDragIndex = series->PointAt(X, Y);
      if (FDragIndex >= 0) ParentChart()->SetCancelMouse(true);
      break;
    case cmeMove: {
      // Points may have gone since the press.
      if (FDragIndex < 0 || FDragIndex >= series->Count()) {
        FDragIndex = -1;
        return;
      }
      TChartAxis* h = HorizontalAxis();
      TChartAxis* v = VerticalAxis();
      if (!h || !v) return;
      const double x = FDragStyle == dsY ? series->PointX(FDragIndex) : AxisValueAt(*h, X);
      const double y = FDragStyle == dsX ? series->PointY(FDragIndex) : AxisValueAt(*v, Y);
      if (!std::isfinite(x) || !std::isfinite(y)) return;
      series->BeginUpdate();
      if (FDragStyle != dsY) series->SetPointX(FDragIndex, x);
      if (FDragStyle != dsX) series->SetPointY(FDragIndex, y);
      series->EndUpdate();
      if (OnDragPoint) OnDragPoint(this, FDragIndex);
      break;
    }
    case cmeUp:
      FDragIndex = -1;
      break;
  }
}

}  // namespace chart
