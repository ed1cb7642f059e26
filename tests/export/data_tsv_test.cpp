// Tab-separated graph text: exact bytes, the number and date texts, the options, several series
// of different lengths, and the files read back by Python's csv reader.

#include <cmath>
#include <limits>

#include "data_support.h"
#include "export/KvPlotStore.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"

using namespace datatest;
using kvexport::TKvSeriesDataText;

namespace {

class TsvExport : public DataExportTest {};

TEST_F(TsvExport, TwoPointsWithCommaGiveTheExactBytes) {
  auto* s = AddLine("G1", {{0, 1.5}, {2, -3}});
  TKvSeriesDataText text(Chart(), s);
  text.SetDecimalSeparator(',');
  const std::string file = Path("g.txt");
  text.SaveToFile(file);
  EXPECT_EQ(ReadFile(file), "0\t1,5\r\n2\t-3\r\n\r\n");
  text.SetDecimalSeparator('.');
  EXPECT_EQ(text.AsString(), "0\t1.5\r\n2\t-3\r\n\r\n");
  EXPECT_EQ(text.PointToString(1), "2\t-3");
  // The separator starts as the regional one.
  win::locale::SetRegionalDecimalSeparator('.');
  EXPECT_EQ(TKvSeriesDataText(Chart(), s).PointToString(0), "0\t1.5");
}

TEST_F(TsvExport, AnEmptySeriesGivesOneLineEnd) {
  auto* s = AddLine("Empty", {});
  TKvSeriesDataText text(Chart(), s);
  const std::string file = Path("empty.txt");
  text.SaveToFile(file);
  EXPECT_EQ(ReadFile(file), "\r\n");
  text.SetIncludeHeader(true);
  EXPECT_EQ(text.AsString(), "X\tEmpty\r\n\r\n");
}

TEST_F(TsvExport, AChartWithoutSeriesIsRefusedAndNoFileIsMade) {
  const std::string file = Path("none.txt");
  try {
    TKvSeriesDataText text(Chart(), nullptr);
    text.SaveToFile(file);
    ADD_FAILURE() << "a chart without series was accepted";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "Диаграмма не содержит ни одного ряда");
  }
  EXPECT_THROW(TKvSeriesDataText(nullptr, nullptr), fw::Exception);
  EXPECT_FALSE(std::filesystem::exists(file));
  // A series that is not on the chart does not make up for an empty chart.
  chart::TLineSeries loose(nullptr);
  loose.AddXY(1, 2);
  EXPECT_THROW(TKvSeriesDataText(Chart(), &loose), fw::Exception);
}

TEST_F(TsvExport, NumbersAtTheNotationBoundaries) {
  struct Case {
    double value;
    const char* point;
  };
  const Case cases[] = {{0.0001, "0.0001"},
                        {0.00001, "1E-5"},
                        {0.00012345, "0.00012345"},
                        {1e14, "100000000000000"},
                        {1e15, "1E15"},
                        {1e16, "1E16"},
                        {123456789012345.0, "123456789012345"},
                        {1234567890123456.0, "1.23456789012346E15"},
                        {1.0 / 3, "0.333333333333333"},
                        {2.0 / 3, "0.666666666666667"},
                        {1.2345678901234568e17, "1.23456789012346E17"},
                        {1e-300, "1E-300"},
                        {-0.0, "0"},
                        {12345, "12345"},
                        {-3, "-3"},
                        {-0.00001, "-1E-5"},
                        {-1e15, "-1E15"},
                        {100000000000000.5, "100000000000001"},
                        {0.15, "0.15"},
                        {std::numeric_limits<double>::max(), "1.79769313486232E308"},
                        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.point);
    chart::TLineSeries* s = AddLine("N", {});
    s->AddXY(c.value, 0);
    TKvSeriesDataText text(Chart(), s);
    text.SetDecimalSeparator('.');
    EXPECT_EQ(text.PointToString(0), std::string(c.point) + "\t0");
    text.SetDecimalSeparator(',');
    std::string comma = c.point;
    for (char& ch : comma)
      if (ch == '.') ch = ',';
    EXPECT_EQ(text.PointToString(0), comma + "\t0");
  }
}

TEST_F(TsvExport, NullPointsKeepTheirStoredValues) {
  auto* s = AddLine("G", {{0, 1}});
  s->AddNullPoint(1, 7);
  s->AddXY(2, std::numeric_limits<double>::quiet_NaN());
  TKvSeriesDataText text(Chart(), s);
  text.SetDecimalSeparator('.');
  const std::string all = text.AsString();
  EXPECT_NE(all.find("1\t7\r\n"), std::string::npos) << all;
  EXPECT_NE(all.find("2\tNAN\r\n"), std::string::npos) << all;
}

TEST_F(TsvExport, DateTimeValuesUseTheRegionalFormatsAndIgnoreTheSeparator) {
  auto* s = AddLine("T", {});
  s->XValues()->SetDateTime(true);
  // A line series keeps its points in X order: these are added in that order.
  s->AddXY(-1.25, 0);                 // the day before the epoch, 6 in the morning
  s->AddXY(0.5 - 0.0004 / 86400, 0);  // rounds to the millisecond, shows whole seconds
  s->AddXY(2.0 + 1.0 / 86400, 0);     // 01.01.1900 0:00:01
  s->AddXY(45000.0, 2.5);             // 15.03.2023, midnight: no time part
  s->AddXY(45000.75, 3.25);           // 18:00:00
  TKvSeriesDataText text(Chart(), s);
  text.SetDecimalSeparator(',');
  EXPECT_EQ(text.PointToString(0), "29.12.1899 6:00:00\t0");
  EXPECT_EQ(text.PointToString(1), "30.12.1899 12:00:00\t0");
  EXPECT_EQ(text.PointToString(2), "01.01.1900 0:00:01\t0");
  EXPECT_EQ(text.PointToString(3), "15.03.2023\t2,5");
  EXPECT_EQ(text.PointToString(4), "15.03.2023 18:00:00\t3,25");
}

TEST_F(TsvExport, DateTimeValuesWithoutADateFallBackToNumbers) {
  auto* s = AddLine("T", {});
  s->XValues()->SetDateTime(true);
  s->AddXY(2958465.5, 0);  // 31.12.9999 12:00, the last day
  s->AddXY(1e20, 0);
  TKvSeriesDataText text(Chart(), s);
  text.SetDecimalSeparator(',');
  EXPECT_EQ(text.PointToString(0), "31.12.9999 12:00:00\t0");
  EXPECT_EQ(text.PointToString(1), "1E20\t0");
}

TEST_F(TsvExport, HeaderAndIndexWithTwoSeries) {
  auto* a = AddLine("G1", {{1, 2}});
  AddLine("G2", {{3, 4}});
  a->YValues()->SetName("Y1");
  TKvSeriesDataText text(Chart(), nullptr);
  text.SetIncludeHeader(true);
  text.SetIncludeIndex(true);
  EXPECT_EQ(text.AsString(), "#\tX\tG1\tX\tG2\r\n0\t1\t2\t3\t4\r\n\r\n");
  text.SetIncludeIndex(false);
  EXPECT_EQ(text.AsString(), "X\tG1\tX\tG2\r\n1\t2\t3\t4\r\n\r\n");
}

TEST_F(TsvExport, AnUntitledSeriesIsNamedByItsPosition) {
  AddLine("G1", {{1, 2}});
  AddLine("", {{3, 4}});
  TKvSeriesDataText text(Chart(), nullptr);
  text.SetIncludeHeader(true);
  const std::string all = text.AsString();
  EXPECT_EQ(all.substr(0, all.find("\r\n")), "X\tG1\tX\tSeries2");
}

TEST_F(TsvExport, ShorterSeriesLeaveEmptyFieldsWithEverySeparator) {
  AddIndexLine("A", 3);
  AddIndexLine("B", 5, 2);
  TKvSeriesDataText text(Chart(), nullptr);
  text.SetDecimalSeparator('.');
  EXPECT_EQ(text.AsString(),
            "0\t0\t0\t0\r\n"
            "1\t1.5\t1\t2\r\n"
            "2\t3\t2\t4\r\n"
            "\t\t3\t6\r\n"
            "\t\t4\t8\r\n"
            "\r\n");
}

TEST_F(TsvExport, TextQuoteWrapsEveryFieldAndFieldSeparatorIsUsedThroughout) {
  AddLine("A", {{1, 2}, {3, 4}});
  AddLine("B", {{5, 6}});
  TKvSeriesDataText text(Chart(), nullptr);
  text.SetTextQuote("\"");
  text.SetFieldSeparator(';');
  text.SetIncludeHeader(true);
  text.SetIncludeIndex(true);
  EXPECT_EQ(text.AsString(),
            "\"#\";\"X\";\"A\";\"X\";\"B\"\r\n"
            "\"0\";\"1\";\"2\";\"5\";\"6\"\r\n"
            "\"1\";\"3\";\"4\";\"\";\"\"\r\n"
            "\r\n");
}

TEST_F(TsvExport, NumberFormatUsesThePictureWithTheChosenSeparator) {
  auto* s = AddLine("A", {{1234.5, -0.126}});
  TKvSeriesDataText text(Chart(), s);
  text.SetNumberFormat("0.00");
  text.SetDecimalSeparator('.');
  EXPECT_EQ(text.PointToString(0), "1234.50\t-0.13");
  text.SetDecimalSeparator(',');
  EXPECT_EQ(text.PointToString(0), "1234,50\t-0,13");
  // The regional separator is back afterwards.
  EXPECT_EQ(fw::DecimalSeparator(), ',');
}

TEST_F(TsvExport, CyrillicTitlesAreWrittenInWindowsCyrillic) {
  auto* s = AddLine("Напряжение, В", {{1, 2}});
  s->XValues()->SetName("Время");
  TKvSeriesDataText text(Chart(), s);
  text.SetIncludeHeader(true);
  const std::string file = Path("cyr.txt");
  text.SaveToFile(file);
  EXPECT_EQ(ReadFile(file), win::Utf8ToCp1251("Время\tНапряжение, В\r\n1\t2\r\n\r\n"));
  // The clipboard side keeps the program's own text.
  EXPECT_EQ(text.AsString(), "Время\tНапряжение, В\r\n1\t2\r\n\r\n");
}

// Python's csv reader with the same separator settings sees every value: numbers read back
// as floats after the decimal separator is turned into ".", short series as empty fields.
TEST_F(TsvExport, PythonCsvReadsTheValuesBackWithBothSeparators) {
  auto* a = AddLine("Сигнал", {});
  auto* b = AddLine("B", {});
  for (int i = 0; i < 200; ++i) a->AddXY(i * 0.37 - 20, std::sin(i * 0.1) * std::pow(10.0, i % 40 - 20));
  for (int i = 0; i < 150; ++i) b->AddXY(i * 1e-5, -i * 1234.5678);
  const std::string program = R"(
import csv, sys
path, decimal, delimiter = sys.argv[1], sys.argv[2], sys.argv[3]
with open(path, encoding='cp1251', newline='') as f:
    rows = list(csv.reader(f, delimiter=delimiter))
print(rows[0][1])
print(len(rows))
for r in rows[1:-1]:
    print(' '.join('-' if v == '' else repr(float(v.replace(decimal, '.'))) for v in r))
print(repr(rows[-1]))
)";
  for (char decimal : {'.', ','}) {
    SCOPED_TRACE(decimal);
    TKvSeriesDataText text(Chart(), nullptr);
    text.SetDecimalSeparator(decimal);
    text.SetIncludeHeader(true);
    const std::string file = Path("csv.txt");
    text.SaveToFile(file);
    std::istringstream out(Python(program, {file, std::string(1, decimal), "\t"}));
    std::string line;
    std::getline(out, line);
    EXPECT_EQ(line, "Сигнал");
    std::getline(out, line);
    EXPECT_EQ(line, "202");  // header, 200 rows, the closing empty line
    for (int i = 0; i < 200; ++i) {
      ASSERT_TRUE(std::getline(out, line));
      std::istringstream fields(line);
      std::string f[4];
      fields >> f[0] >> f[1] >> f[2] >> f[3];
      // Fifteen digits keep every value to a few parts in 10^15.
      EXPECT_NEAR(std::stod(f[0]), a->PointX(i), std::fabs(a->PointX(i)) * 1e-14);
      EXPECT_NEAR(std::stod(f[1]), a->PointY(i), std::fabs(a->PointY(i)) * 1e-14);
      if (i < 150) {
        EXPECT_NEAR(std::stod(f[2]), b->PointX(i), std::fabs(b->PointX(i)) * 1e-14);
        EXPECT_NEAR(std::stod(f[3]), b->PointY(i), std::fabs(b->PointY(i)) * 1e-14);
      } else {
        EXPECT_EQ(f[2] + f[3], "--");
      }
    }
    std::getline(out, line);
    EXPECT_EQ(line, "[]");
  }
}

}  // namespace
