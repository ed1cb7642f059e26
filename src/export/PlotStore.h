#pragma once
// The points of one series, or of every series of a chart, as an XML document, an HTML table or
// an XLS worksheet. Each series is read through its value lists: X, Y and any further ones.

#include <cstdint>
#include <utility>
#include <vector>

#include "chart/PlotExportData.h"

namespace kvexport {

using chart::TChartSeries;
using chart::TCustomAxisPanel;
using fw::Integer;
using fw::String;

// Bits of TSeriesData::Format: what is written for each series.
inline constexpr std::uint8_t sdfXValues = 1;
inline constexpr std::uint8_t sdfColors = 2;
inline constexpr std::uint8_t sdfLabels = 4;
inline constexpr std::uint8_t sdfMarkPositions = 8;  // known, written by no format

class TSeriesData : public chart::TPlotExportData {
 public:
  // Series nil exports every series of Chart in the chart's order.
  TSeriesData(TCustomAxisPanel* Chart, TChartSeries* Series);

  bool IncludeColors() const { return FIncludeColors; }
  void SetIncludeColors(bool Value) { FIncludeColors = Value; }
  bool IncludeIndex() const { return FIncludeIndex; }
  void SetIncludeIndex(bool Value) { FIncludeIndex = Value; }
  bool IncludeHeader() const { return FIncludeHeader; }
  void SetIncludeHeader(bool Value) { FIncludeHeader = Value; }
  bool IncludeLabels() const { return FIncludeLabels; }
  void SetIncludeLabels(bool Value) { FIncludeLabels = Value; }
  TCustomAxisPanel* Chart() const { return FChart; }
  TChartSeries* Series() const { return FSeries; }
  std::uint8_t Format() const { return FFormat; }
  void SetFormat(std::uint8_t Value) { FFormat = Value; }
  // The series to write in place of Series or Chart's list, in this order (several graphs of a
  // chart saved together); empty keeps the usual choice.
  void SetSeriesList(std::vector<TChartSeries*> Value) { FSeriesList = std::move(Value); }

  // A line per row (PointToString and CR LF).
  String AsString() override;
  // Format := the data flags of the exported series, joined over all of them when Series is nil
  // (so no series loses its X values or labels); with no series at all Format stays.
  virtual void GuessFormat();
  // The text of row Index; empty in the base.
  virtual String PointToString(Integer Index);

 protected:
  // Run first by every export: GuessFormat, then labels only with IncludeLabels and colours only
  // with IncludeColors.
  void Prepare();
  std::vector<TChartSeries*> Exported() const {
    return FSeriesList.empty() ? chart::ExportedSeries(FChart, FSeries) : FSeriesList;
  }
  Integer RowCount() const { return chart::ExportRowCount(Exported()); }
  // The display name of a series, counted in the chart's list.
  String SeriesName(const TChartSeries* Series) const { return chart::ExportedSeriesName(FChart, Series); }

 private:
  bool FIncludeColors = false;
  bool FIncludeIndex = false;
  bool FIncludeHeader = false;
  bool FIncludeLabels = true;
  TCustomAxisPanel* FChart;
  TChartSeries* FSeries;
  std::uint8_t FFormat = 0;
  std::vector<TChartSeries*> FSeriesList;
};

// <series> elements (inside <chart> when Series is nil) with a <point> element per point.
class TSeriesDataXML : public TSeriesData {
 public:
  // IncludeHeader on; Encoding "UTF-8".
  TSeriesDataXML(TCustomAxisPanel* Chart, TChartSeries* Series);

  // The name the declaration gives. The document is always written in UTF-8, so only "UTF-8"
  // (any case) or empty (no name, which means UTF-8 too) is accepted: another name raises
  // EConvertError on export rather than declare bytes that are not there.
  const String& Encoding() const { return FEncoding; }
  void SetEncoding(const String& Value) { FEncoding = Value; }

  String AsString() override;

 protected:
  std::string FileBytes(String Text) override { return Text; }

 private:
  String FEncoding = "UTF-8";
};

// A <table> with a row per point index and the cells of every exported series side by side.
class TSeriesDataHTML : public TSeriesData {
 public:
  using TSeriesData::TSeriesData;
  String AsString() override;
  String PointToString(Integer Index) override;

 protected:
  // The table in Windows Cyrillic after a line declaring that charset, so a reader that does
  // not assume it still shows the Cyrillic text; the clipboard keeps the bare table.
  std::string FileBytes(String Text) override;

 private:
  void AppendRow(String& Out, const std::vector<TChartSeries*>& Exported, Integer Index) const;
};

// A worksheet of BIFF records: numbers as doubles, labels and colours as text in Windows
// Cyrillic. A sheet of this format holds at most 16384 rows (the header row included) and 256
// columns; a larger export raises EConvertError before anything is written.
class TSeriesDataXLS : public TSeriesData {
 public:
  using TSeriesData::TSeriesData;
  void SaveToStream(fw::TStream* Stream) override;
};

}  // namespace kvexport
