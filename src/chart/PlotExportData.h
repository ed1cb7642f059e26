#pragma once
// The base of the data exporters: a document made of text, put on the clipboard, into a stream
// or into a file. Also the two rules every series exporter shares: which series it writes and
// how many rows that makes.

#include <string>
#include <string_view>
#include <vector>

#include "framework/ClassesTypes.h"
#include "framework/Persistent.h"

namespace fw {
class TStream;
}

namespace chart {

using fw::Integer;
using fw::String;

class TChartSeries;
class TCustomAxisPanel;

class TPlotExportData : public fw::TObject {
 public:
  // The document as text (UTF-8); empty in the base.
  virtual String AsString();
  // AsString on the clipboard as text.
  void CopyToClipboard();
  // Writes the document's bytes to FileName, made or replaced. The bytes go to a new file beside
  // it first, which takes FileName's place only once it is complete: on any failure the new file
  // is removed, an existing FileName stays as it was, and the stream's exception propagates
  // (EFCreateError "Cannot create file "%s". %s" when the file cannot be made or replaced).
  void SaveToFile(const String& FileName);
  // The document's bytes (FileBytes of AsString) at the stream's position.
  virtual void SaveToStream(fw::TStream* Stream);

 protected:
  // The bytes written for Text: by default the process's ANSI code page (Windows Cyrillic).
  virtual std::string FileBytes(String Text);
};

// The series an exporter writes: Series alone, or with Series nil every series of Chart in the
// chart's order (none without a chart).
std::vector<TChartSeries*> ExportedSeries(const TCustomAxisPanel* Chart, TChartSeries* Series);
// Rows of an export: the largest point count among the series (0 for none).
Integer ExportRowCount(const std::vector<TChartSeries*>& Series);
// The series' display name as the chart shows it (its position counted in Chart's list).
String ExportedSeriesName(const TCustomAxisPanel* Chart, const TChartSeries* Series);
// UTF-8 text in Windows Cyrillic; ASCII runs are copied as they are.
std::string TextToAnsiBytes(String Text);
// All of Bytes at the stream's position, however many (EWriteError when the stream takes fewer).
void WriteAllBytes(fw::TStream* Stream, std::string_view Bytes);

}  // namespace chart
