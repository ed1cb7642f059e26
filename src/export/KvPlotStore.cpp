#include "export/KvPlotStore.h"

#include "chart/Chart.h"
#include "chart/PlotEngine.h"
#include "framework/DateTimeText.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/NumberText.h"

namespace kvexport {
namespace {

// The number pictures read the regional decimal separator; this one holds another meanwhile.
class TRegionalSeparatorOverride {
 public:
  explicit TRegionalSeparatorOverride(char Separator) : FSaved(win::locale::RegionalDecimalSeparator()) {
    win::locale::SetRegionalDecimalSeparator(Separator);
  }
  ~TRegionalSeparatorOverride() { win::locale::SetRegionalDecimalSeparator(FSaved); }
  TRegionalSeparatorOverride(const TRegionalSeparatorOverride&) = delete;
  TRegionalSeparatorOverride& operator=(const TRegionalSeparatorOverride&) = delete;

 private:
  char FSaved;
};

}  // namespace

TKvSeriesData::TKvSeriesData(TCustomAxisPanel* Chart, TChartSeries* Series) : FChart(Chart), FSeries(Series) {
  if (!Chart || Chart->SeriesCount() == 0) throw fw::Exception("Диаграмма не содержит ни одного ряда");
}

TKvSeriesDataText::TKvSeriesDataText(TCustomAxisPanel* Chart, TChartSeries* Series)
    : TKvSeriesData(Chart, Series), FDecimalSeparator(fw::DecimalSeparator()) {}

String TKvSeriesDataText::AsString() {
  const std::vector<TChartSeries*> exported = chart::ExportedSeries(Chart(), Series());
  const Integer rows = chart::ExportRowCount(exported);
  String out;
  // About twenty bytes a value; growing past the guess stays linear.
  out.reserve(std::size_t(rows) * exported.size() * 40 + 64);
  if (IncludeHeader()) {
    AppendHeader(out, exported);
    out += "\r\n";
  }
  for (Integer i = 0; i < rows; ++i) {
    AppendRow(out, exported, i);
    out += "\r\n";
  }
  out += "\r\n";
  return out;
}

String TKvSeriesDataText::PointToString(Integer Index) {
  String out;
  AppendRow(out, chart::ExportedSeries(Chart(), Series()), Index);
  return out;
}

void TKvSeriesDataText::AppendHeader(String& Out, const std::vector<TChartSeries*>& Exported) const {
  const String& q = FTextQuote;
  if (IncludeIndex()) (((Out += q) += '#') += q) += FFieldSeparator;
  for (std::size_t s = 0; s < Exported.size(); ++s) {
    if (s > 0) Out += FFieldSeparator;
    ((Out += q) += Exported[s]->XValues()->Name()) += q;
    Out += FFieldSeparator;
    ((Out += q) += chart::ExportedSeriesName(Chart(), Exported[s])) += q;
  }
}

void TKvSeriesDataText::AppendRow(String& Out, const std::vector<TChartSeries*>& Exported,
                                  Integer Index) const {
  const String& q = FTextQuote;
  if (IncludeIndex()) {
    ((Out += q) += std::to_string(Index)) += q;
    Out += FFieldSeparator;
  }
  for (std::size_t s = 0; s < Exported.size(); ++s) {
    if (s > 0) Out += FFieldSeparator;
    const TChartSeries* series = Exported[s];
    Out += q;
    AppendValue(Out, series, series->XValues(), Index);
    Out += q;
    Out += FFieldSeparator;
    Out += q;
    AppendValue(Out, series, series->YValues(), Index);
    Out += q;
  }
}

void TKvSeriesDataText::AppendValue(String& Out, const TChartSeries* Series,
                                    const chart::TChartValueList* List, Integer Index) const {
  if (Index < 0 || Index >= Series->Count()) return;
  const double value = List->Value(Index);
  if (List->DateTime()) {
    Out += fw::DateTimeToGeneralText(value, FDecimalSeparator);
  } else if (FNumberFormat.empty()) {
    win::AppendGeneralText(Out, value, FDecimalSeparator);
  } else {
    TRegionalSeparatorOverride separator(FDecimalSeparator);
    Out += chart::PlotFormatFloat(FNumberFormat, value);
  }
}

}  // namespace kvexport
