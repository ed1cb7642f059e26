#include "chart/Series.h"

#include "chart/ChartStreaming.h"

#include "chart/PlotConst.h"

namespace chart {

void RegisterLineSeriesClasses() {
  RegisterPlotSeries(PlotClassOf<TLineSeries>(PlotMsg_StandardPage, "Line"));
  RegisterPlotSeries(PlotClassOf<TFastLineSeries>(PlotMsg_StandardPage, "Fast Line"));
  RegisterChartProperties();
}

}  // namespace chart
