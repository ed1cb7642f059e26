// Placing graph series on the chart.
#include "workspace/GraphChart.h"

#include "chart/Chart.h"
#include "chart/ChartElement.h"

namespace workspace {

void PutSeriesOnChart(chart::TCustomChart* Chart, chart::TChartSeries* Series) {
  if (!Chart || !Series) return;
  Series->SetParentChart(Chart);
  const chart::TChartWall* wall = Chart->BackWall();
  if (!wall) return;
  const fw::Integer back = fw::ColorToRGB(wall->Color());
  if (fw::ColorToRGB(Series->SeriesColor()) != back) return;
  for (fw::Integer i = 0; i < chart::PlotPaletteSize; ++i) {
    const fw::TColor c = chart::PlotDefaultPaletteColor(Chart->SeriesCount() + i);
    if (fw::ColorToRGB(c) != back) {
      Series->SetSeriesColor(c);
      return;
    }
  }
}

void TakeSeriesOffChart(chart::TChartSeries* Series) {
  if (Series) Series->SetParentChart(nullptr);
}

}  // namespace workspace
