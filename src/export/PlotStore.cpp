#include "export/PlotStore.h"

#include <cstdio>

#include "chart/PlotEngine.h"
#include "export/PlotStoreTexts.h"
#include "framework/SysUtils.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

namespace kvexport {

TSeriesData::TSeriesData(TCustomAxisPanel* Chart, TChartSeries* Series) : FChart(Chart), FSeries(Series) {}

String TSeriesData::AsString() {
  Prepare();
  String out;
  for (Integer i = 0, rows = RowCount(); i < rows; ++i) {
    out += PointToString(i);
    out += "\r\n";
  }
  return out;
}

void TSeriesData::GuessFormat() {
  const std::vector<TChartSeries*> exported = Exported();
  if (exported.empty()) return;
  std::uint8_t flags = 0;
  for (const TChartSeries* s : exported) flags |= chart::SeriesDataFlags(s);
  FFormat = flags;
}

String TSeriesData::PointToString(Integer) {
  return {};
}

void TSeriesData::Prepare() {
  GuessFormat();
  if (!FIncludeLabels) FFormat &= std::uint8_t(~sdfLabels);
  if (!FIncludeColors) FFormat &= std::uint8_t(~sdfColors);
}

String ExportNumberText(double Value) {
  return win::FloatToGeneralText(Value, fw::DecimalSeparator());
}

String ExportColorText(fw::TColor Color) {
  if (Color == fw::clNone) return {};
  const fw::Integer rgb = fw::ColorToRGB(Color);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(rgb & 0xFF), unsigned(rgb >> 8 & 0xFF),
                unsigned(rgb >> 16 & 0xFF));
  return text;
}

namespace {

// The characters markup text never holds as they are, as their entities; false for any other.
bool AppendMarkupEntity(String& Out, char C) {
  switch (C) {
    case '&':
      Out += "&amp;";
      return true;
    case '<':
      Out += "&lt;";
      return true;
    case '>':
      Out += "&gt;";
      return true;
    default:
      return false;
  }
}

}  // namespace

void AppendXmlAttributeText(String& Out, std::string_view Text) {
  String repaired;
  if (!win::IsValidUtf8(Text)) {
    repaired = win::WideToUtf8(win::Utf8ToWide(Text));
    Text = repaired;
  }
  for (char c : Text) {
    if (AppendMarkupEntity(Out, c)) continue;
    switch (c) {
      case '"':
        Out += "&quot;";
        break;
      case '\t':
        Out += "&#9;";
        break;
      case '\n':
        Out += "&#10;";
        break;
      case '\r':
        Out += "&#13;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20)
          Out += "\xEF\xBF\xBD";
        else
          Out += c;
    }
  }
}

void AppendHtmlText(String& Out, std::string_view Text) {
  for (char c : Text)
    if (!AppendMarkupEntity(Out, c)) Out += c;
}

}  // namespace kvexport
