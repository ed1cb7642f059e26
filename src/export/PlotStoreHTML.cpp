#include "chart/PlotConst.h"
#include "chart/PlotEngine.h"
#include "export/PlotStore.h"
#include "export/PlotStoreTexts.h"

namespace kvexport {
namespace {

void AppendCell(String& Out, std::string_view Text) {
  Out += "<td>";
  AppendHtmlText(Out, Text);
  Out += "</td>";
}

}  // namespace

String TSeriesDataHTML::AsString() {
  Prepare();
  const std::uint8_t format = Format();
  const std::vector<TChartSeries*> exported = Exported();
  String out = "<table border=\"1\">\r\n";
  if (IncludeHeader()) {
    out += "<tr>";
    if (IncludeIndex()) AppendCell(out, chart::PlotMsg_Index);
    for (const TChartSeries* series : exported) {
      if (format & sdfLabels) AppendCell(out, chart::PlotMsg_Text);
      if (format & sdfColors) AppendCell(out, chart::PlotMsg_Colors);
      if (format & sdfXValues) AppendCell(out, series->XValues()->Name());
      if (series->ValuesListCount() == 2) {
        AppendCell(out, SeriesName(series));
      } else {
        for (Integer l = 1; l < series->ValuesListCount(); ++l) AppendCell(out, series->ValueList(l)->Name());
      }
    }
    out += "</tr>\r\n";
  }
  for (Integer i = 0, rows = chart::ExportRowCount(exported); i < rows; ++i) {
    AppendRow(out, exported, i);
    out += "\r\n";
  }
  out += "\r\n</table>";
  return out;
}

std::string TSeriesDataHTML::FileBytes(String Text) {
  return "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n" +
         TSeriesData::FileBytes(std::move(Text));
}

String TSeriesDataHTML::PointToString(Integer Index) {
  String out;
  AppendRow(out, Exported(), Index);
  return out;
}

void TSeriesDataHTML::AppendRow(String& Out, const std::vector<TChartSeries*>& Exported,
                                Integer Index) const {
  const std::uint8_t format = Format();
  Out += "<tr>";
  if (IncludeIndex()) AppendCell(Out, std::to_string(Index));
  for (const TChartSeries* series : Exported) {
    const bool past = Index >= series->Count();
    if (format & sdfLabels) AppendCell(Out, past ? String() : series->PointLabel(Index));
    if (format & sdfColors) AppendCell(Out, past ? String() : ExportColorText(series->ValueColor(Index)));
    if (format & sdfXValues)
      AppendCell(Out, past ? String() : ExportNumberText(series->XValues()->Value(Index)));
    for (Integer l = 1; l < series->ValuesListCount(); ++l)
      AppendCell(Out, past ? String() : ExportNumberText(series->ValueList(l)->Value(Index)));
  }
  Out += "</tr>";
}

}  // namespace kvexport
