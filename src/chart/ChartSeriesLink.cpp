// A series' membership in a chart's series list, and the main form's chart.
#include "chart/Chart.h"

namespace chart {

TChart* MainChart = nullptr;

// The chart's AddSeries and RemoveSeries come back here when the series does not name them yet
// (or still names them), so either side may start the move.
void TChartSeries::SetParentChart(TCustomAxisPanel* Value) {
  if (FParentChart == Value) return;
  TCustomAxisPanel* old = FParentChart;
  // Leaving takes the old chart's axes away; a move finds the same places on the new chart.
  TChartAxis* const horiz = FHorizAxis;
  TChartAxis* const vert = FVertAxis;
  FParentChart = nullptr;
  if (old) old->RemoveSeries(this);
  FParentChart = Value;
  if (Value) {
    FHorizAxis = horiz;
    FVertAxis = vert;
    Value->AddSeries(this);
  }
}

}  // namespace chart
