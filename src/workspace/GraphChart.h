#pragma once
// Where the graph model meets the chart: putting a graph's series on it and taking it off.

namespace chart {
class TChartSeries;
class TCustomChart;
}  // namespace chart

namespace workspace {

// Appends Series to Chart's series list (nothing without a chart). A series whose colour is the
// back wall's would not be seen: it takes the first palette colour that differs.
void PutSeriesOnChart(chart::TCustomChart* Chart, chart::TChartSeries* Series);
// Takes Series out of the list of the chart it is on.
void TakeSeriesOffChart(chart::TChartSeries* Series);

}  // namespace workspace
