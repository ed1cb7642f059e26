// Series data as an XLS worksheet: the record bytes, the sheet's shape, null points, long labels,
// the row limit of the format, and the files read back by xlrd.

#include <cmath>
#include <cstring>

#include "data_support.h"
#include "export/PlotStore.h"
#include "export/RussianPlural.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"

using namespace datatest;
using kvexport::TSeriesDataXLS;

namespace {

std::string Hex(const std::string& Bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (unsigned char b : Bytes) {
    if (!s.empty()) s += ' ';
    s += digits[b >> 4];
    s += digits[b & 15];
  }
  return s;
}

// One record as the reader meets it.
struct Record {
  unsigned type;
  std::string data;
};

std::vector<Record> Records(const std::string& Bytes) {
  std::vector<Record> out;
  std::size_t at = 0;
  while (at + 4 <= Bytes.size()) {
    const unsigned type = std::uint8_t(Bytes[at]) | std::uint8_t(Bytes[at + 1]) << 8;
    const unsigned length = std::uint8_t(Bytes[at + 2]) | std::uint8_t(Bytes[at + 3]) << 8;
    out.push_back({type, Bytes.substr(at + 4, length)});
    at += 4 + length;
  }
  EXPECT_EQ(at, Bytes.size()) << "records do not fill the stream";
  return out;
}

class XlsExport : public DataExportTest {
 protected:
  std::string Bytes(TSeriesDataXLS& Xls) {
    fw::TStringStream stream;
    Xls.SaveToStream(&stream);
    return stream.DataString();
  }
};

TEST_F(XlsExport, IndexSeriesGivesOneNumberPerRow) {
  auto* s = AddIndexLine("G", 3);
  TSeriesDataXLS xls(Chart(), s);
  EXPECT_EQ(Hex(Bytes(xls)),
            "09 08 08 00 00 00 10 00 00 00 00 00 "                       // BOF
            "00 02 0A 00 00 00 03 00 00 00 01 00 00 00 "                 // DIMENSIONS: 3 rows, 1 column
            "03 00 0F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "  // (0,0) = 0
            "03 00 0F 00 01 00 00 00 00 00 00 00 00 00 00 00 00 F8 3F "  // (1,0) = 1.5
            "03 00 0F 00 02 00 00 00 00 00 00 00 00 00 00 00 00 08 40 "  // (2,0) = 3
            "0A 00 00 00");
}

TEST_F(XlsExport, AnEmptySeriesGivesAnEmptySheet) {
  auto* s = AddLine("E", {});
  TSeriesDataXLS xls(Chart(), s);
  EXPECT_EQ(Hex(Bytes(xls)),
            "09 08 08 00 00 00 10 00 00 00 00 00 00 02 0A 00 00 00 00 00 00 00 01 00 00 00 0A 00 00 00");
}

TEST_F(XlsExport, CustomXLabelsAndHeaderShapeTheSheet) {
  auto* s = AddLine("G", {{10, 1}, {20, 2}});
  s->SetPointLabel(0, "abc");
  TSeriesDataXLS xls(Chart(), s);
  xls.SetIncludeHeader(true);
  const std::vector<Record> r = Records(Bytes(xls));
  ASSERT_EQ(r.size(), 2u + 3 + 2 * 3 + 1);
  EXPECT_EQ(Hex(r[1].data), "00 00 03 00 00 00 03 00 00 00");  // rows 3 (with the header), columns 3
  // Header row: Text, X, Y.
  EXPECT_EQ(r[2].type, 0x0004u);
  EXPECT_EQ(Hex(r[2].data), "00 00 00 00 00 00 00 04 54 65 78 74");
  EXPECT_EQ(r[4].data.substr(8), "Y");
  // Data start at sheet row 1; the label of the first point, then its X.
  EXPECT_EQ(Hex(r[5].data), "01 00 00 00 00 00 00 03 61 62 63");
  EXPECT_EQ(r[6].type, 0x0003u);
  EXPECT_EQ(Hex(r[6].data.substr(0, 4)), "01 00 01 00");
  double x = 0;
  std::memcpy(&x, r[6].data.data() + 7, 8);
  EXPECT_EQ(x, 10.0);
  // The second point has no label: an empty LABEL, not a missing cell.
  EXPECT_EQ(Hex(r[8].data), "02 00 00 00 00 00 00 00");
  EXPECT_EQ(r.back().type, 0x000Au);
}

TEST_F(XlsExport, NullPointsKeepXAndLeaveTheValuesBlank) {
  auto* s = AddZSeries("Z");
  s->AddXYZ(1, 2, 3);
  s->AddNullPoint(5, 6);
  TSeriesDataXLS xls(Chart(), s);
  const std::vector<Record> r = Records(Bytes(xls));
  ASSERT_EQ(r.size(), 2u + 3 * 2 + 1);
  EXPECT_EQ(Hex(r[1].data), "00 00 02 00 00 00 03 00 00 00");
  EXPECT_EQ(r[5].type, 0x0003u);  // X of the null point
  EXPECT_EQ(Hex(r[6].data), "01 00 01 00 00 00 00");
  EXPECT_EQ(r[6].type, 0x0001u);
  EXPECT_EQ(r[7].type, 0x0001u);
  EXPECT_EQ(Hex(r[7].data), "01 00 02 00 00 00 00");
}

TEST_F(XlsExport, ALongLabelIsCutTo255Characters) {
  auto* s = AddLine("G", {{1, 2}});
  s->SetPointLabel(0, std::string(300, 'q'));
  TSeriesDataXLS xls(Chart(), s);
  const std::vector<Record> r = Records(Bytes(xls));
  ASSERT_EQ(r[2].type, 0x0004u);
  EXPECT_EQ(r[2].data.size(), 263u);
  EXPECT_EQ(std::uint8_t(r[2].data[7]), 255);
  EXPECT_EQ(r[2].data.substr(8), std::string(255, 'q'));
}

TEST_F(XlsExport, TooManyRowsAreRefusedAndTheOldFileStays) {
  auto* s = AddIndexLine("G", 16384);
  const std::string file = Path("big.xls");
  WriteFile(file, "old contents");
  TSeriesDataXLS xls(Chart(), s);
  xls.SetIncludeHeader(true);  // 16385 sheet rows: one too many
  fw::TStringStream stream;
  EXPECT_THROW(xls.SaveToStream(&stream), fw::EConvertError);
  EXPECT_EQ(stream.Size(), 0);
  try {
    xls.SaveToFile(file);
    ADD_FAILURE() << "16385 rows were written";
  } catch (const fw::EConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("16384"), std::string::npos) << e.what();
  }
  EXPECT_EQ(ReadFile(file), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")), {}), 1);  // no leftovers
  xls.SetIncludeHeader(false);                                                     // 16384 rows fit
  xls.SaveToFile(file);
  EXPECT_EQ(Records(ReadFile(file)).size(), 2u + 16384 + 1);
}

TEST_F(XlsExport, TooManyColumnsAreRefused) {
  // 128 series of custom X and Y fill the 256 columns; one more does not fit.
  for (int i = 0; i < 128; ++i) AddLine("S" + std::to_string(i), {{1, 2}});
  TSeriesDataXLS xls(Chart(), nullptr);
  fw::TStringStream stream;
  xls.SaveToStream(&stream);
  EXPECT_EQ(Hex(Records(stream.DataString())[1].data), "00 00 01 00 00 00 00 01 00 00");
  AddLine("S128", {{1, 2}});
  fw::TStringStream second;
  try {
    xls.SaveToStream(&second);
    ADD_FAILURE() << "258 columns were written";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Лист XLS вмещает не более 16384 строк и 256 столбцов, а данные занимают 1 строку и 258 столбцов");
  }
  EXPECT_EQ(second.Size(), 0);
}

TEST(RussianPluralTest, TheFormFollowsTheLastDigitsOfTheCount) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "столбцов"}, {1, "столбец"},  {2, "столбца"},   {4, "столбца"},  {5, "столбцов"},   {11, "столбцов"},
      {12, "столбцов"}, {14, "столбцов"}, {21, "столбец"}, {22, "столбца"}, {111, "столбцов"}, {101, "столбец"},
      {-3, "столбца"}};
  for (const auto& [count, form] : cases)
    EXPECT_STREQ(kvexport::RussianPlural(count, "столбец", "столбца", "столбцов"), form) << count;
}

// xlrd reads every cell back: numbers exactly as the series holds them, Cyrillic labels through
// the Windows Cyrillic code page, blanks where a shorter series ends, and the full row count. The
// expected sheet comes from the series themselves, written beside the file (numbers in
// hexadecimal, so nothing is lost on the way).
TEST_F(XlsExport, XlrdReadsTheSheetBack) {
  auto* a = AddLine("Ток", {});
  auto* b = AddLine("B", {});
  a->XValues()->SetName("Время");
  const int rows = 16383;  // with the header, a full sheet
  for (int i = 0; i < rows; ++i) a->AddXY(i * 0.25, std::sin(i * 1e-3) * 1e6);
  for (int i = 0; i < 3; ++i) {
    b->AddXY(i + 0.5, i);
    b->SetPointLabel(i, "метка № " + std::to_string(i));
  }
  TSeriesDataXLS xls(Chart(), nullptr);
  xls.SetIncludeHeader(true);
  xls.SetIncludeIndex(true);
  const std::string file = Path("sheet.xls");
  xls.SaveToFile(file);

  auto number = [](double v) {
    char text[64];
    std::snprintf(text, sizeof text, "n:%a", v);
    return std::string(text);
  };
  std::string expected = "s:Index\ts:Text\ts:Время\ts:Y\ts:Text\ts:X\ts:Y\n";
  for (int i = 0; i < rows; ++i) {
    expected += number(i) + "\ts:\t" + number(a->PointX(i)) + "\t" + number(a->PointY(i)) + "\t";
    if (i < 3)
      expected += "s:" + b->PointLabel(i) + "\t" + number(b->PointX(i)) + "\t" + number(b->PointY(i)) + "\n";
    else
      expected += "s:\tb:\tb:\n";
  }
  const std::string expectedFile = Path("expected.txt");
  WriteFile(expectedFile, expected);

  const std::string program = R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1], encoding_override='cp1251', formatting_info=True)
sh = book.sheet_by_index(0)
want = [line.split('\t') for line in open(sys.argv[2], encoding='utf-8').read().splitlines()]
print('rows', sh.nrows, 'cols', sh.ncols)
bad = 0
for r, cells in enumerate(want):
    for c, w in enumerate(cells):
        kind, value = w[0], w[2:]
        t, v = sh.cell_type(r, c), sh.cell_value(r, c)
        ok = (kind == 'n' and t == xlrd.XL_CELL_NUMBER and v == float.fromhex(value)) or \
             (kind == 's' and t in (xlrd.XL_CELL_TEXT, xlrd.XL_CELL_EMPTY) and v == value) or \
             (kind == 'b' and t == xlrd.XL_CELL_BLANK)
        if not ok:
            bad += 1
            if bad <= 5: print('cell', r, c, 'is', t, repr(v), 'not', w)
print('mismatches', bad)
)";
  const std::string out = Python(program, {file, expectedFile});
  EXPECT_EQ(out, "rows 16384 cols 7\nmismatches 0\n");
}

}  // namespace
