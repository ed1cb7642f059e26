#include <cstring>
#include <string>

#include "chart/PlotConst.h"
#include "chart/PlotEngine.h"
#include "export/PlotStore.h"
#include "export/PlotStoreTexts.h"
#include "export/RussianPlural.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"

namespace kvexport {
namespace {

// The most a worksheet of this record format holds; readers refuse cells past them, and the
// records' 16-bit row numbers would otherwise wrap and overwrite earlier rows.
constexpr std::int64_t kMaxSheetRows = 16384;
constexpr std::int64_t kMaxSheetColumns = 256;

class TBiffWriter {
 public:
  void Word(unsigned Value) {
    FBytes += char(Value & 0xFF);
    FBytes += char(Value >> 8 & 0xFF);
  }
  void Record(unsigned Type, unsigned Length) {
    Word(Type);
    Word(Length);
  }
  void Bof() { FBytes.append("\x09\x08\x08\x00\x00\x00\x10\x00\x00\x00\x00\x00", 12); }
  void Eof() { Record(0x000A, 0); }
  void Dimensions(unsigned Rows, unsigned Columns) {
    Record(0x0200, 10);
    Word(0);
    Word(Rows);
    Word(0);
    Word(Columns);
    Word(0);
  }
  void Blank(unsigned Row, unsigned Column) { Cell(0x0001, 7, Row, Column); }
  void Number(unsigned Row, unsigned Column, double Value) {
    Cell(0x0003, 15, Row, Column);
    char bytes[8];
    std::memcpy(bytes, &Value, 8);  // the platform is little-endian, as the format
    FBytes.append(bytes, 8);
  }
  // Text is UTF-8; the record holds at most 255 bytes of Windows Cyrillic.
  void Label(unsigned Row, unsigned Column, const String& Text) {
    std::string bytes = chart::TextToAnsiBytes(Text);
    if (bytes.size() > 255) bytes.resize(255);
    Cell(0x0004, unsigned(8 + bytes.size()), Row, Column);
    FBytes += char(bytes.size());
    FBytes += bytes;
  }
  const std::string& Bytes() const { return FBytes; }

 private:
  void Cell(unsigned Type, unsigned Length, unsigned Row, unsigned Column) {
    Record(Type, Length);
    Word(Row);
    Word(Column);
    FBytes.append(3, '\0');
  }
  std::string FBytes;
};

}  // namespace

void TSeriesDataXLS::SaveToStream(fw::TStream* Stream) {
  Prepare();
  const std::uint8_t format = Format();
  const std::vector<TChartSeries*> exported = Exported();
  const Integer rowCount = chart::ExportRowCount(exported);
  const int flagCount =
      ((format & sdfLabels) ? 1 : 0) + ((format & sdfColors) ? 1 : 0) + ((format & sdfXValues) ? 1 : 0);
  std::int64_t columns = (IncludeIndex() ? 1 : 0) + std::int64_t(exported.size()) * flagCount;
  for (const TChartSeries* s : exported) columns += s->ValuesListCount() - 1;
  const std::int64_t sheetRows = std::int64_t(rowCount) + (IncludeHeader() ? 1 : 0);
  if (sheetRows > kMaxSheetRows || columns > kMaxSheetColumns)
    throw fw::EConvertError(fw::Format(
        "Лист XLS вмещает не более %d строк и %d столбцов, а данные занимают %d %s и %d %s", kMaxSheetRows,
        kMaxSheetColumns, sheetRows, RussianPlural(sheetRows, "строку", "строки", "строк"), columns,
        RussianPlural(columns, "столбец", "столбца", "столбцов")));

  TBiffWriter w;
  w.Bof();
  w.Dimensions(unsigned(sheetRows), unsigned(columns));
  unsigned row = 0;
  if (IncludeHeader()) {
    unsigned column = 0;
    if (IncludeIndex()) w.Label(row, column++, chart::PlotMsg_Index);
    for (const TChartSeries* s : exported) {
      if (format & sdfLabels) w.Label(row, column++, chart::PlotMsg_Text);
      if (format & sdfColors) w.Label(row, column++, chart::PlotMsg_Colors);
      if (format & sdfXValues) w.Label(row, column++, s->XValues()->Name());
      for (Integer l = 1; l < s->ValuesListCount(); ++l) w.Label(row, column++, s->ValueList(l)->Name());
    }
    ++row;
  }
  for (Integer i = 0; i < rowCount; ++i, ++row) {
    unsigned column = 0;
    if (IncludeIndex()) w.Number(row, column++, double(i));
    for (const TChartSeries* s : exported) {
      const bool past = i >= s->Count();
      if (format & sdfLabels) w.Label(row, column++, past ? String() : s->PointLabel(i));
      if (format & sdfColors) w.Label(row, column++, past ? String() : ExportColorText(s->ValueColor(i)));
      if (format & sdfXValues) {
        if (past)
          w.Blank(row, column++);
        else
          w.Number(row, column++, s->XValues()->Value(i));
      }
      const bool blank = past || s->IsNullPoint(i);
      for (Integer l = 1; l < s->ValuesListCount(); ++l) {
        if (blank)
          w.Blank(row, column++);
        else
          w.Number(row, column++, s->ValueList(l)->Value(i));
      }
    }
  }
  w.Eof();
  chart::WriteAllBytes(Stream, w.Bytes());
}

}  // namespace kvexport
