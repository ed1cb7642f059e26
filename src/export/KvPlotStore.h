#pragma once
// Graph data as delimited text: one row per point index, the X and Y fields of every exported
// series side by side. This is what a graph is saved as when its file is not a picture or one of
// the table formats.

#include "chart/PlotExportData.h"

namespace chart {
class TChartValueList;
}

namespace kvexport {

using chart::TChartSeries;
using chart::TCustomAxisPanel;
using fw::Integer;
using fw::String;

class TKvSeriesData : public chart::TPlotExportData {
 public:
  // Series nil exports every series of Chart in the chart's order. A chart without any series
  // raises Exception "Диаграмма не содержит ни одного ряда", whatever Series is.
  TKvSeriesData(TCustomAxisPanel* Chart, TChartSeries* Series);

  bool IncludeIndex() const { return FIncludeIndex; }
  void SetIncludeIndex(bool Value) { FIncludeIndex = Value; }
  bool IncludeHeader() const { return FIncludeHeader; }
  void SetIncludeHeader(bool Value) { FIncludeHeader = Value; }
  TCustomAxisPanel* Chart() const { return FChart; }
  TChartSeries* Series() const { return FSeries; }

  String AsString() override = 0;
  // The text of row Index, without its line end.
  virtual String PointToString(Integer Index) = 0;

 private:
  bool FIncludeIndex = false;
  bool FIncludeHeader = false;
  TCustomAxisPanel* FChart;
  TChartSeries* FSeries;
};

class TKvSeriesDataText : public TKvSeriesData {
 public:
  // DecimalSeparator starts as the regional one, FieldSeparator as TAB.
  TKvSeriesDataText(TCustomAxisPanel* Chart, TChartSeries* Series);

  char DecimalSeparator() const { return FDecimalSeparator; }
  void SetDecimalSeparator(char Value) { FDecimalSeparator = Value; }
  char FieldSeparator() const { return FFieldSeparator; }
  void SetFieldSeparator(char Value) { FFieldSeparator = Value; }
  // Written before and after every field, the empty ones too.
  const String& TextQuote() const { return FTextQuote; }
  void SetTextQuote(const String& Value) { FTextQuote = Value; }
  // A number picture (as the chart's value formats take); empty means the general number text.
  const String& NumberFormat() const { return FNumberFormat; }
  void SetNumberFormat(const String& Value) { FNumberFormat = Value; }

  // The optional header line, a line per row (RowCount of the exported series) and one empty
  // line at the end: a series without points gives just CR LF.
  String AsString() override;
  String PointToString(Integer Index) override;

 private:
  void AppendHeader(String& Out, const std::vector<TChartSeries*>& Exported) const;
  void AppendRow(String& Out, const std::vector<TChartSeries*>& Exported, Integer Index) const;
  void AppendValue(String& Out, const TChartSeries* Series, const chart::TChartValueList* List,
                   Integer Index) const;

  char FDecimalSeparator;
  char FFieldSeparator = '\t';
  String FTextQuote;
  String FNumberFormat;
};

}  // namespace kvexport
