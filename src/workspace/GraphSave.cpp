// Saving one graph's points through the data exporters.
#include "workspace/Graph.h"

namespace workspace {

namespace {
[[noreturn]] void ExporterMissing() { throw EGraphError("Сохранение данных графика недоступно"); }
}  // namespace

void TGraph::SaveAsText(const String&) const { ExporterMissing(); }
void TGraph::SaveAsXML(const String&) const { ExporterMissing(); }
void TGraph::SaveAsHTML(const String&) const { ExporterMissing(); }
void TGraph::SaveAsXLS(const String&) const { ExporterMissing(); }

}  // namespace workspace
