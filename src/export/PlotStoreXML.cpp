#include <set>

#include "chart/PlotEngine.h"
#include "export/PlotStore.h"
#include "export/PlotStoreTexts.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"
#include "platform/kernel/Utf16.h"

namespace kvexport {
namespace {

bool IsNameStart(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 0xC0 && c <= 0xD6) ||
         (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
         (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
         (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
  return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// A value list's name as an attribute name: characters a name cannot hold become "_", and a
// name that cannot start as it does gets a "_" in front.
String AttributeName(const String& ListName) {
  const std::u16string wide = win::Utf8ToWide(ListName);
  std::u16string name;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    std::size_t units = 1;
    if (win::IsPairAt(wide, i)) {
      c = win::CombineSurrogates(wide[i], wide[i + 1]);
      units = 2;
    }
    if (name.empty() && !IsNameStart(c)) name += u'_';
    if (IsNameChar(c))
      name.append(wide, i, units);
    else
      name += u'_';
    i += units - 1;
  }
  return name.empty() ? String("_") : win::WideToUtf8(name);
}

// The attribute names of a series' points, one per value list, distinct from each other and
// from the fixed ones (a second "Y" becomes "Y_2").
std::vector<String> ValueAttributeNames(const TChartSeries* Series) {
  std::set<String> used = {"index", "text", "color"};
  std::vector<String> names;
  for (Integer l = 0; l < Series->ValuesListCount(); ++l) {
    const String base = AttributeName(Series->ValueList(l)->Name());
    String name = base;
    for (int n = 2; used.count(name); ++n) name = base + "_" + std::to_string(n);
    used.insert(name);
    names.push_back(name);
  }
  return names;
}

void AppendAttribute(String& Out, std::string_view Name, std::string_view Value) {
  Out += ' ';
  Out += Name;
  Out += "=\"";
  AppendXmlAttributeText(Out, Value);
  Out += '"';
}

}  // namespace

TSeriesDataXML::TSeriesDataXML(TCustomAxisPanel* Chart, TChartSeries* Series) : TSeriesData(Chart, Series) {
  SetIncludeHeader(true);
}

String TSeriesDataXML::AsString() {
  if (!FEncoding.empty() && !fw::SameText(FEncoding, "UTF-8"))
    throw fw::EConvertError(fw::Format("Кодировка \"%s\" не поддерживается", FEncoding));
  Prepare();
  const std::uint8_t format = Format();
  String out;
  if (IncludeHeader()) {
    out += "<?xml version=\"1.0\"";
    if (!FEncoding.empty()) AppendAttribute(out, "encoding", FEncoding);
    out += "?>\r\n";
  }
  if (!Series()) out += "<chart>\r\n";
  for (const TChartSeries* series : Exported()) {
    out += "<series";
    AppendAttribute(out, "title", SeriesName(series));
    AppendAttribute(out, "type", chart::SeriesGalleryDescription(series));
    AppendAttribute(out, "color", ExportColorText(series->SeriesColor()));
    out += ">\r\n<points count=\"" + std::to_string(series->Count()) + "\">\r\n";
    const std::vector<String> names = ValueAttributeNames(series);
    for (Integer i = 0, n = series->Count(); i < n; ++i) {
      out += "<point ";
      if (IncludeIndex()) out += "index=\"" + std::to_string(i) + '"';
      if (format & sdfLabels) AppendAttribute(out, "text", series->PointLabel(i));
      if (format & sdfColors) AppendAttribute(out, "color", ExportColorText(series->ValueColor(i)));
      for (Integer l = (format & sdfXValues) ? 0 : 1; l < series->ValuesListCount(); ++l)
        AppendAttribute(out, names[std::size_t(l)], ExportNumberText(series->ValueList(l)->Value(i)));
      out += "/>\r\n";
    }
    out += "</points>\r\n</series>\r\n\r\n";
  }
  if (!Series()) out += "</chart>";
  return out;
}

}  // namespace kvexport
