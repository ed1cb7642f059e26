// The values under the mouse, read through the series' parent chart.
#include "chart/Chart.h"
#include "chart/PlotAxis.h"

namespace chart {

void TChartSeries::CursorToValues(double& X, double& Y) const {
  X = Y = 0;
  if (!FParentChart || !FHorizAxis || !FVertAxis) return;
  const fw::TPoint p = FParentChart->GetCursorPos();
  X = FHorizAxis->CalcPosPoint(p.x);
  Y = FVertAxis->CalcPosPoint(p.y);
}

}  // namespace chart
