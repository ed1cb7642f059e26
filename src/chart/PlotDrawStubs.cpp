// First versions of the drawing entry points of series and axes: they draw nothing yet.
#include "chart/PlotAxis.h"
#include "chart/PlotEngine.h"

namespace chart {

void TChartSeries::DrawAllValues(TPlotCanvas3D&) {}
void TChartSeries::DrawMarks(TPlotCanvas3D&) {}
void TChartSeries::DrawLegendSymbol(TPlotCanvas3D&, const win::RECT&) {}
Integer TChartSeries::PointAt(Integer, Integer) { return -1; }

void TChartAxis::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (OnChange) OnChange(this);
}
Integer TChartAxis::SizeNeeded(TPlotCanvas3D&) { return 0; }
void TChartAxis::SetPlotRect(const win::RECT& PlotRect) {
  if (FHorizontal) {
    SetPositions(PlotRect.left, PlotRect.right);
    FPosAxis = FOtherSide ? PlotRect.top : PlotRect.bottom;
  } else {
    SetPositions(PlotRect.top, PlotRect.bottom);
    FPosAxis = FOtherSide ? PlotRect.right : PlotRect.left;
  }
}
void TChartAxis::DrawGrid(TPlotCanvas3D&) {}
void TChartAxis::Draw(TPlotCanvas3D&) {}

}  // namespace chart
