// Saving one graph's points through the data exporters, on the chart the graph is drawn on.
#include "chart/PlotEngine.h"
#include "export/KvPlotStore.h"
#include "export/PlotStore.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/Preferences.h"

namespace workspace {

namespace {

chart::TCustomAxisPanel* ChartOf(const TGraph& Graph) {
  chart::TCustomAxisPanel* chart = Graph.Series() ? Graph.Series()->ParentChart() : nullptr;
  if (!chart) throw EGraphError("График не показан на диаграмме");
  return chart;
}

template <typename TExporter>
void SaveWith(const TGraph& Graph, const String& FileName) {
  TExporter exporter(ChartOf(Graph), Graph.Series());
  WithFileErrors(FileName, faWrite, [&] { exporter.SaveToFile(FileName); });
}

}  // namespace

void TGraph::SaveAsText(const String& FileName) const {
  kvexport::TKvSeriesDataText exporter(ChartOf(*this), FSeries);
  exporter.SetDecimalSeparator(Preferences.DecimalSeparator());
  WithFileErrors(FileName, faWrite, [&] { exporter.SaveToFile(FileName); });
}

void TGraph::SaveAsXML(const String& FileName) const { SaveWith<kvexport::TSeriesDataXML>(*this, FileName); }
void TGraph::SaveAsHTML(const String& FileName) const { SaveWith<kvexport::TSeriesDataHTML>(*this, FileName); }
void TGraph::SaveAsXLS(const String& FileName) const { SaveWith<kvexport::TSeriesDataXLS>(*this, FileName); }

}  // namespace workspace
