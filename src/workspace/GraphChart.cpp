// First version: the chart control is not there yet, so series are kept off any chart.
#include "workspace/GraphChart.h"

namespace workspace {

void PutSeriesOnChart(chart::TCustomChart*, chart::TChartSeries*) {}
void TakeSeriesOffChart(chart::TChartSeries*) {}

}  // namespace workspace
