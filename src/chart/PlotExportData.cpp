#include "chart/PlotExportData.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotEngine.h"
#include "framework/Clipbrd.h"
#include "framework/SafeSave.h"
#include "framework/StreamSlices.h"
#include "framework/Streams.h"
#include "platform/kernel/TextConvert.h"

namespace chart {

String TPlotExportData::AsString() {
  return {};
}

void TPlotExportData::CopyToClipboard() {
  fw::Clipboard()->SetAsText(AsString());
}

void TPlotExportData::SaveToStream(fw::TStream* Stream) {
  WriteAllBytes(Stream, FileBytes(AsString()));
}

void WriteAllBytes(fw::TStream* Stream, std::string_view Bytes) { fw::WriteSliced(Stream, Bytes.data(), Bytes.size()); }

std::string TPlotExportData::FileBytes(String Text) {
  return TextToAnsiBytes(std::move(Text));
}

void TPlotExportData::SaveToFile(const String& FileName) {
  fw::SaveFileSafely(FileName, [this](fw::TStream* Stream) { SaveToStream(Stream); });
}

std::vector<TChartSeries*> ExportedSeries(const TCustomAxisPanel* Chart, TChartSeries* Series) {
  if (Series) return {Series};
  if (!Chart) return {};
  const TChartSeriesList& list = Chart->SeriesList();
  return std::vector<TChartSeries*>(list.begin(), list.end());
}

Integer ExportRowCount(const std::vector<TChartSeries*>& Series) {
  Integer rows = 0;
  for (const TChartSeries* s : Series) rows = std::max(rows, s->Count());
  return rows;
}

String ExportedSeriesName(const TCustomAxisPanel* Chart, const TChartSeries* Series) {
  if (Chart) return SeriesDisplayName(Series, &Chart->SeriesList());
  if (Series->ParentChart()) return SeriesDisplayName(Series, &Series->ParentChart()->SeriesList());
  return SeriesDisplayName(Series);
}

std::string TextToAnsiBytes(String Text) {
  auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  auto first = std::find_if_not(Text.begin(), Text.end(), ascii);
  if (first == Text.end()) return Text;
  // A multi-byte UTF-8 sequence holds no ASCII byte, so cutting at ASCII never splits one.
  std::string out(Text.begin(), first);
  out.reserve(Text.size());
  for (auto it = first; it != Text.end();) {
    auto runEnd = std::find_if(it, Text.end(), ascii);
    out += win::Utf8ToCp1251(std::string_view(&*it, std::size_t(runEnd - it)));
    it = std::find_if_not(runEnd, Text.end(), ascii);
    out.append(runEnd, it);
  }
  return out;
}

}  // namespace chart
