// The two-column text reader: number fields, line ends, byte-order mark, skipped lines, the
// delimiters of the preferences and the failure below two points. Files go through both the
// one-thread reader and the reader of shares, which must agree.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "chart/PlotEngine.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"
#include "settings_file_fixture.h"
#include "two_column_paths.h"
#include "workspace/Graph.h"
#include "workspace/Preferences.h"
#include "workspace/TextReader.h"
#include "workspace/TextReaderAdvice.h"

namespace {

using workspace::ParseNumberField;
using workspace::TTextReaderSettings;
using workspace::TTwoColumnPoints;

TTextReaderSettings Settings(char separator, const std::string& delimiters = "\t ;", int skip = 0) {
  TTextReaderSettings s;
  s.DecimalSeparator = separator;
  s.Delimiters = delimiters;
  s.SkipLines = skip;
  return s;
}

TTwoColumnPoints Read(const std::string& text, const TTextReaderSettings& s) {
  TTwoColumnPoints p;
  workspace::ReadTwoColumnText(text, s, p);
  return p;
}

TEST(NumberField, AcceptsTheStrictGrammarOnly) {
  double v = 0;
  EXPECT_TRUE(ParseNumberField("1,5", ',', v));
  EXPECT_EQ(v, 1.5);
  EXPECT_TRUE(ParseNumberField("  -0,25 ", ',', v));
  EXPECT_EQ(v, -0.25);
  EXPECT_TRUE(ParseNumberField("+3", '.', v));
  EXPECT_EQ(v, 3.0);
  EXPECT_TRUE(ParseNumberField(".5", '.', v));
  EXPECT_EQ(v, 0.5);
  EXPECT_TRUE(ParseNumberField("5.", '.', v));
  EXPECT_EQ(v, 5.0);
  EXPECT_TRUE(ParseNumberField("1.5E-3", '.', v));
  EXPECT_EQ(v, 1.5e-3);
  EXPECT_TRUE(ParseNumberField("2e+2", '.', v));
  EXPECT_EQ(v, 200.0);
  v = 42;
  for (const char* bad : {"", " ", "-", ".", "1.5", "1,5,", "1e", "1e+", "e5", "1x", "0x10", "NAN", "INF", "-INF",
                          "nan", "inf", "1 2", "--1", "1..2"}) {
    EXPECT_FALSE(ParseNumberField(bad, ',', v)) << bad;
    EXPECT_EQ(v, 42) << bad;
  }
}

TEST(NumberField, HugeAndTinyValues) {
  double v = 7;
  EXPECT_FALSE(ParseNumberField("1e309", '.', v));
  EXPECT_FALSE(ParseNumberField("1.797693134862326e308", '.', v));
  EXPECT_FALSE(ParseNumberField("-1e400", '.', v));
  EXPECT_FALSE(ParseNumberField(std::string(400, '9'), '.', v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(ParseNumberField("1e-400", '.', v));
  EXPECT_EQ(v, 0.0);
  EXPECT_TRUE(ParseNumberField("1.7976931348623157e308", '.', v));
  EXPECT_EQ(v, std::numeric_limits<double>::max());
  // The largest double as 15-digit text lies past it and reads back as it.
  EXPECT_TRUE(ParseNumberField("-1,79769313486232E308", ',', v));
  EXPECT_EQ(v, -std::numeric_limits<double>::max());
  EXPECT_TRUE(ParseNumberField("4.9406564584124654e-324", '.', v));
  EXPECT_EQ(v, std::numeric_limits<double>::denorm_min());
  EXPECT_TRUE(ParseNumberField("0.000000000000000000000000000001", '.', v));
  EXPECT_EQ(v, 1e-30);
  EXPECT_TRUE(ParseNumberField("123456789012345678901234567890", '.', v));
  EXPECT_EQ(v, 123456789012345678901234567890.0);
}

// Every value must be the correctly rounded double of its text, the fast path included.
TEST(NumberField, AgreesWithCorrectlyRoundedConversion) {
  std::mt19937_64 rng(12345);
  std::uniform_int_distribution<int> digits(1, 25), expo(-40, 40), digit(0, 9);
  for (int n = 0; n < 6000; ++n) {
    std::string text;
    const int intDigits = digits(rng), fracDigits = digits(rng) - 1;
    for (int i = 0; i < intDigits; ++i) text += char('0' + digit(rng));
    if (fracDigits > 0) {
      text += '.';
      for (int i = 0; i < fracDigits; ++i) text += char('0' + digit(rng));
    }
    if (n % 3 == 0) text += "e" + std::to_string(expo(rng));
    double v = 0;
    ASSERT_TRUE(ParseNumberField(text, '.', v)) << text;
    EXPECT_EQ(v, std::strtod(text.c_str(), nullptr)) << text;
    std::string comma = text;
    for (char& c : comma)
      if (c == '.') c = ',';
    double w = 0;
    ASSERT_TRUE(ParseNumberField(comma, ',', w)) << comma;
    EXPECT_EQ(w, v) << comma;
  }
}

TEST(TextReader, LineEndsAndByteOrderMark) {
  const auto s = Settings('.');
  for (const std::string text : {"1 2\n3 4\n5 6", "1 2\r\n3 4\r\n5 6\r\n", "1 2\r3 4\r5 6\r",
                                 "\xEF\xBB\xBF" "1 2\r\n3 4\n5 6"}) {
    const auto p = Read(text, s);
    ASSERT_EQ(p.X.size(), 3u);
    EXPECT_EQ(p.X[0], 1);
    EXPECT_EQ(p.Y[0], 2);
    EXPECT_EQ(p.X[2], 5);
    EXPECT_EQ(p.Y[2], 6);
  }
}

TEST(TextReader, SkipsConfiguredLinesCountingCrLfOnce) {
  // Two header lines: with CR LF ends they must not count as four.
  const std::string text = "9 9\r\n8 8\r\n1 2\r\n3 4\r\n";
  const auto p = Read(text, Settings('.', "\t ;", 2));
  ASSERT_EQ(p.X.size(), 2u);
  EXPECT_EQ(p.X[0], 1);
  EXPECT_EQ(Read(text, Settings('.', "\t ;", 10)).X.size(), 0u);
  EXPECT_EQ(Read(text, Settings('.', "\t ;", -3)).X.size(), 4u);
}

TEST(TextReader, SkipsLinesThatDoNotParse) {
  const std::string text =
      "Time\tSignal\n"
      "\n"
      "1,0\t2,0\n"
      "only-one\n"
      "3,0\n"            // one column
      "4,0\tNAN\n"       // not a number
      "5,0\tINF\n"
      "1e999\t1\n"       // beyond a double
      "6,5\t-7,25\textra\n"  // further columns are ignored
      "x7\t8\n";
  const auto p = Read(text, Settings(','));
  ASSERT_EQ(p.X.size(), 2u);
  EXPECT_EQ(p.X[1], 6.5);
  EXPECT_EQ(p.Y[1], -7.25);
}

TEST(TextReader, DelimitersRunsAndTheDecimalSeparator) {
  // Runs of delimiters count as one; leading delimiters are no empty field.
  auto p = Read(";;1,5;; ;2,5\n\t3 4\n", Settings(','));
  ASSERT_EQ(p.X.size(), 2u);
  EXPECT_EQ(p.X[0], 1.5);
  EXPECT_EQ(p.Y[0], 2.5);
  // The point separator with a comma delimiter: "1.5,2.5".
  p = Read("1.5,2.5\n3,4\n", Settings('.', ","));
  ASSERT_EQ(p.X.size(), 2u);
  EXPECT_EQ(p.Y[0], 2.5);
  // With "," as separator a "." number is no number.
  EXPECT_EQ(Read("1.5\t2.5\n", Settings(',')).X.size(), 0u);
  // Blanks that are no delimiter are trimmed from the fields.
  p = Read(" 1 ; 2 \n", Settings('.', ";"));
  ASSERT_EQ(p.X.size(), 1u);
  EXPECT_EQ(p.Y[0], 2);
}

TEST(TextReader, NonAsciiDelimiterInUtf8AndCp1251Text) {
  // "№" as the delimiter, with a Cyrillic title line, in both encodings.
  const std::string utf8 = "Время№Сигнал\n1№2\n3№4\n";
  const std::string cp1251 = win::Utf8ToCp1251(utf8);
  ASSERT_NE(utf8, cp1251);
  // A single line in the other encoding (here a title) leaves the rest as they are.
  const std::string mixed = win::Utf8ToCp1251("Время№Сигнал\n") + "1№2\n3№4\n";
  for (const std::string& text : {utf8, cp1251, mixed}) {
    const auto p = Read(text, Settings('.', "№"));
    ASSERT_EQ(p.X.size(), 2u);
    EXPECT_EQ(p.X[1], 3);
    EXPECT_EQ(p.Y[1], 4);
  }
}

TEST(TextReader, BinaryAndEmptyTextGiveNoPoints) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(char((i * 131) & 0xFF));
  EXPECT_LE(Read(binary, Settings('.')).X.size(), 1u);
  EXPECT_EQ(Read("", Settings('.')).X.size(), 0u);
  EXPECT_EQ(Read(std::string("\0\0\0", 3), Settings('.')).X.size(), 0u);
}

TEST(TextReaderSeries, FillsInXOrderKeepingEqualXInTextOrder) {
  chart::TChartSeries series(nullptr);
  workspace::LoadTwoColumnSeries("3 30\n1 10\n2 20\n1 11\n", Settings('.'), &series);
  ASSERT_EQ(series.Count(), 4);
  EXPECT_EQ(series.PointX(0), 1);
  EXPECT_EQ(series.PointY(0), 10);
  EXPECT_EQ(series.PointY(1), 11);
  EXPECT_EQ(series.PointX(3), 3);
  EXPECT_EQ(series.XValues()->Order(), chart::loAscending);
  // The series stays ordered for points added later.
  series.AddPoint(1.5, 15);
  EXPECT_EQ(series.PointX(2), 1.5);
}

// The message says why: no data, or how many lines could not be read as two numbers.
TEST(TextReaderSeries, FewerThanTwoPointsLeavesTheSeriesAlone) {
  chart::TChartSeries series(nullptr);
  series.AddPoint(5, 5);
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "Слишком мало точек для построения: данных нет (0 байт)"},
      {"1 2\n", "Слишком мало точек для построения"},
      {"a b\nc d\n", "Слишком мало точек для построения: строк, не прочитанных как пары чисел: 2"},
      {"1\n\n2\n3", "Слишком мало точек для построения: строк, не прочитанных как пары чисел: 3"},
      {"x y\n1 2\n", "Слишком мало точек для построения: строк, не прочитанных как пары чисел: 1"},
  };
  for (const auto& [text, message] : cases) {
    try {
      workspace::LoadTwoColumnSeries(text, Settings('.'), &series);
      FAIL() << "no error for '" << text << "'";
    } catch (const workspace::EGraphError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
    ASSERT_EQ(series.Count(), 1);
    EXPECT_EQ(series.PointX(0), 5);
  }
}

TEST(TextReaderSeries, ReplacesEarlierPoints) {
  chart::TChartSeries series(nullptr);
  for (int i = 0; i < 10; ++i) series.AddPoint(i, i);
  workspace::LoadTwoColumnSeries("7 1\n8 2\n", Settings('.'), &series);
  ASSERT_EQ(series.Count(), 2);
  EXPECT_EQ(series.PointX(0), 7);
}

TEST(TextReaderSettings, TakenFromThePreferences) {
  const workspace::TPreferences saved = workspace::Preferences;
  workspace::Preferences.Delimiters = "|";
  workspace::Preferences.PointDecimalSeparator = true;
  workspace::Preferences.SkipLines = 3;
  const auto s = TTextReaderSettings::FromPreferences();
  workspace::Preferences = saved;
  EXPECT_EQ(s.Delimiters, "|");
  EXPECT_EQ(s.DecimalSeparator, '.');
  EXPECT_EQ(s.SkipLines, 3);
}

}  // namespace

namespace {

class TextFileTest : public wstest::TempFolderTest {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (dir_ / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }
};

// Files are read in pieces of 1 MiB: lines and CR LF pairs cut by a piece's end must read as
// the same points as the whole text.
TEST_F(TextFileTest, FileInPiecesReadsLikeTheWholeText) {
  std::string text = "Заголовок\r\n";
  for (int i = 0; i < 80000; ++i) text += std::to_string(i) + ",125\t" + std::to_string(i % 977) + ",5\r\n";
  ASSERT_GT(text.size(), 1u << 20);
  const std::string path = Write("big.txt", text);
  const auto s = Settings(',', "\t ;", 1);
  chart::TChartSeries fromFile(nullptr), fromText(nullptr);
  wstest::LoadTwoColumnFileBothWays(path, s, &fromFile);
  workspace::LoadTwoColumnSeries(text, s, &fromText);
  std::vector<double> x(80000), y(80000);
  for (int i = 0; i < 80000; ++i) {
    x[i] = i + 0.125;
    y[i] = (i % 977) + 0.5;
  }
  auto values = [](const chart::TChartValueList* l) { return std::vector<double>(l->Data(), l->Data() + l->Count()); };
  EXPECT_TRUE(values(fromFile.XValues()) == x);
  EXPECT_TRUE(values(fromFile.YValues()) == y);
  EXPECT_TRUE(values(fromText.XValues()) == x);
  EXPECT_TRUE(values(fromText.YValues()) == y);
}

// Lines whose length changes after the first piece make the first guess of the point count
// too small or too large: the file still reads as the whole text does, in the series' order,
// and the series keeps no more than 24 bytes a point.
TEST_F(TextFileTest, UnevenLinesReadLikeTheWholeText) {
  auto lines = [](int from, int count, int width, bool down) {
    std::string t;
    for (int i = from; i < from + count; ++i) {
      const int x = down ? 10000000 - i : i;
      std::string y = std::to_string(i % 97);
      t += std::to_string(x) + '\t' + std::string(std::size_t(width), '0') + y + '\n';
    }
    return t;
  };
  const std::vector<std::string> texts = {
      lines(0, 120000, 0, false) + lines(120000, 20000, 40, false),  // short, then long lines
      lines(0, 25000, 40, false) + lines(25000, 150000, 0, false),   // long, then short lines
      lines(0, 100000, 0, true),                                      // descending X
      lines(0, 120000, 0, false) + "5\t1\n" + lines(120000, 100, 0, false)};  // one X out of order
  for (std::size_t t = 0; t < texts.size(); ++t) {
    ASSERT_GT(texts[t].size(), 1u << 20);
    const std::string path = Write("uneven.txt", texts[t]);
    for (const chart::TChartListOrder order : {chart::loAscending, chart::loNone}) {
      chart::TChartSeries fromFile(nullptr), fromText(nullptr);
      fromFile.XValues()->SetOrder(order);
      fromText.XValues()->SetOrder(order);
      wstest::LoadTwoColumnFileBothWays(path, Settings('.'), &fromFile);
      workspace::LoadTwoColumnSeries(texts[t], Settings('.'), &fromText);
      ASSERT_EQ(fromFile.Count(), fromText.Count()) << t;
      const auto n = std::size_t(fromFile.Count());
      EXPECT_TRUE(std::equal(fromFile.XValues()->Data(), fromFile.XValues()->Data() + n, fromText.XValues()->Data()))
          << t;
      EXPECT_TRUE(std::equal(fromFile.YValues()->Data(), fromFile.YValues()->Data() + n, fromText.YValues()->Data()))
          << t;
      if (order == chart::loAscending) {
        EXPECT_TRUE(std::is_sorted(fromFile.XValues()->Data(), fromFile.XValues()->Data() + n)) << t;
      }
      const double bytes = double(fromFile.XValues()->Capacity() + fromFile.YValues()->Capacity()) * sizeof(double);
      EXPECT_LE(bytes / double(n), 24.0) << t;
    }
  }
}

// A line longer than a piece is one line for the lines to skip, however it ends.
TEST_F(TextFileTest, OverlongLineCountsAsOneLine) {
  for (const std::string end : {"\n", "\r\n", "\r"}) {
    const std::string text = std::string(3u << 20, 'a') + end + "1 2\n3 4\n5 6\n";
    const std::string path = Write("long.txt", text);
    chart::TChartSeries series(nullptr);
    wstest::LoadTwoColumnFileBothWays(path, Settings('.', "\t ;", 1), &series);
    EXPECT_EQ(series.Count(), 3);
    wstest::LoadTwoColumnFileBothWays(path, Settings('.', "\t ;", 2), &series);
    EXPECT_EQ(series.Count(), 2);
    EXPECT_EQ(series.PointX(0), 3);
  }
  // A CR LF pair cut exactly after the CR at the end of a piece of an overlong line.
  const std::string text = std::string((1u << 20) - 1, 'b') + "\r\n1 2\n3 4\n5 6\n";
  chart::TChartSeries series(nullptr);
  wstest::LoadTwoColumnFileBothWays(Write("cut.txt", text), Settings('.', "\t ;", 2), &series);
  ASSERT_EQ(series.Count(), 2);
  EXPECT_EQ(series.PointX(0), 3);
}

// A delimiter outside ASCII needs the file's text decoded: a Windows Cyrillic file reads like
// its UTF-8 form.
TEST_F(TextFileTest, WideDelimiterInAFile) {
  chart::TChartSeries series(nullptr);
  wstest::LoadTwoColumnFileBothWays(Write("wide.txt", "2\xB9" "1,5\r\n1\xB9" "4,25\r\n"), Settings(',', "\u2116"), &series);
  ASSERT_EQ(series.Count(), 2);
  EXPECT_EQ(series.PointX(0), 1);
  EXPECT_EQ(series.PointY(0), 4.25);
  EXPECT_EQ(series.PointX(1), 2);
  EXPECT_EQ(series.PointY(1), 1.5);
}

// Lines past the header lines that give no point are counted for the user; blank ones are not.
TEST_F(TextFileTest, SkippedLinesAreCounted) {
  const struct {
    const char* text;
    int skip;
    std::size_t points, skipped;
  } cases[] = {
      {"1 2\n3 4\n", 0, 2, 0},
      {"x y\n1 2\n\n   \n3 4\n", 1, 2, 0},
      {"x y\n1 2\nbad\n0.5 1\n3 4\n5\n", 0, 2, 4},
      {"1 2\n3 4\nlast", 0, 2, 1},
  };
  for (const auto& c : cases) {
    chart::TChartSeries fromFile(nullptr), fromText(nullptr);
    workspace::TTextReadReport file, text;
    wstest::LoadTwoColumnFileBothWays(Write("skipped.txt", c.text), Settings(',', "\t ;", c.skip), &fromFile,
                                 &file);
    workspace::LoadTwoColumnSeries(c.text, Settings(',', "\t ;", c.skip), &fromText, &text);
    EXPECT_EQ(std::size_t(fromFile.Count()), c.points) << c.text;
    EXPECT_EQ(file.SkippedLines, c.skipped) << c.text;
    EXPECT_EQ(text.SkippedLines, c.skipped) << c.text;
  }
  // An overlong line is one skipped line.
  chart::TChartSeries series(nullptr);
  workspace::TTextReadReport report;
  wstest::LoadTwoColumnFileBothWays(Write("long.txt", std::string(3u << 20, 'a') + "\n1 2\n3 4\n"), Settings('.'),
                               &series, &report);
  EXPECT_EQ(report.SkippedLines, 1u);
}

// Too few points with the settings, but enough with the other decimal separator (and commas
// between the fields): the message says what was found and which keys of the settings file to set.
TEST_F(TextFileTest, TooFewPointsExplainsTheOtherSeparator) {
  std::string pointFile, csvFile;
  for (int i = 0; i < 500; ++i) {
    pointFile += "0." + std::to_string(10 + i) + "\t-0.08\n";
    csvFile += "0.05," + std::to_string(i) + ".99\r\n";
  }
  const struct {
    std::string text;
    char separator;
    std::string delimiters;
    std::vector<std::string> says;  // empty: the plain message alone
    std::string notSaid;
  } cases[] = {
      {pointFile,
       ',',
       "\t ;",
       {"пары чисел: 500.\nВ данных", "десятичной точкой", "PointDecimalSeparator=1", "бы точек: 500", "[PREFERENCES]",
        "PointDecimalSeparator=1\nИзменение вступит в силу после перезапуска программы."},
       "Delimiters"},
      {csvFile,
       ',',
       "\t ;",
       {"десятичной точкой", "(запятая)", "PointDecimalSeparator=1\nDelimiters=9;32;59;44"},
       ""},
      {"1,5 2,5\n3,5 4,5\n", '.', "\t ;", {"десятичной запятой", "PointDecimalSeparator=0"}, "Delimiters"},
      {"1,5 2,5\n3,5 4,5\n", '.', "\t;,", {"(пробел)", "PointDecimalSeparator=0\nDelimiters=9;59;32"}, ""},
      {"1.5;2.5\n3.5;4.5\n", '.', "\t ", {"(точка с запятой, запятая)", "Delimiters=9;32;59;44"}, "Point"},
      {"1,5;2,5\n3,5;4,5\n", ',', "\t", {"точка с запятой", "Delimiters=9;32;59"}, "PointDecimalSeparator"},
      {"nothing to plot\n", ',', "\t ;", {": строк, не прочитанных как пары чисел: 1"}, "\n"},
      {"", '.', "\t ;", {"(0 байт)"}, ""},
      {std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0 1 2\n", 16), '.', "\t ;", {"двоичные данные"}, "0 байт"},
  };
  for (const auto& c : cases) {
    chart::TChartSeries series(nullptr);
    for (int fromFile = 0; fromFile < 2; ++fromFile) {
      try {
        if (fromFile)
          wstest::LoadTwoColumnFileBothWays(Write("few.txt", c.text), Settings(c.separator, c.delimiters),
                                       &series);
        else
          workspace::LoadTwoColumnSeries(c.text, Settings(c.separator, c.delimiters), &series);
        ADD_FAILURE() << "read " << c.text.substr(0, 20);
      } catch (const workspace::EGraphError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind(workspace::TooFewPointsMsg, 0), 0u) << message;
        if (c.says.empty()) {
          EXPECT_EQ(message, workspace::TooFewPointsMsg);
        }
        for (const std::string& part : c.says) EXPECT_NE(message.find(part), std::string::npos) << message;
        if (!c.notSaid.empty()) {
          EXPECT_EQ(message.find(c.notSaid), std::string::npos) << message;
        }
      }
      EXPECT_EQ(series.Count(), 0);
    }
  }
  // A large file is judged by its start.
  std::string large = pointFile;
  while (large.size() < 2 * workspace::TooFewPointsSampleSize) large += pointFile;
  const std::string message = workspace::TooFewPointsMessage(large, Settings(','), 0);
  EXPECT_NE(message.find("в начале файла"), std::string::npos) << message;
}

TEST_F(TextFileTest, MissingFileAndFolderFailCleanly) {
  chart::TChartSeries series(nullptr);
  series.AddPoint(1, 1);
  EXPECT_THROW(wstest::LoadTwoColumnFileBothWays((dir_ / "none.txt").string(), Settings('.'), &series), fw::EFOpenError);
  EXPECT_THROW(wstest::LoadTwoColumnFileBothWays(dir_.string(), Settings('.'), &series), fw::EFOpenError);
  EXPECT_THROW(workspace::ReadFileBytes((dir_ / "none.txt").string()), fw::EFOpenError);
  // A FIFO is refused at once rather than waited on.
  const std::string fifo = (dir_ / "fifo.txt").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(workspace::LoadTwoColumnFile(fifo, Settings('.'), &series), fw::EFOpenError);
  EXPECT_EQ(series.Count(), 1);
  try {
    wstest::LoadTwoColumnFileBothWays(Write("empty.txt", ""), Settings('.'), &series);
    FAIL();
  } catch (const workspace::EGraphError& e) {
    EXPECT_STREQ(e.what(), "Слишком мало точек для построения: файл пуст (0 байт)");
  }
  EXPECT_EQ(series.Count(), 1);
}

// A file that gives too few points says how many of its lines could not be read as two
// numbers, a single line of megabytes (longer than any point can be) among them.
TEST_F(TextFileTest, TooFewPointsCountsTheLinesNotRead) {
  std::string longLine;
  while (longLine.size() < (std::size_t(3) << 20)) longLine += "1 2 3,5 4 ";
  const struct {
    std::string text;
    std::string said;
  } cases[] = {
      {longLine, ": строк, не прочитанных как пары чисел: 1"},
      {longLine + "\r\n1 2\r\n", ": строк, не прочитанных как пары чисел: 1"},
      {"time;value\n\n# note\n1 2\n", ": строк, не прочитанных как пары чисел: 2"},
  };
  for (const auto& c : cases) {
    chart::TChartSeries series(nullptr);
    try {
      wstest::LoadTwoColumnFileBothWays(Write("few.txt", c.text), Settings(','), &series);
      ADD_FAILURE() << "read " << c.text.substr(0, 20);
    } catch (const workspace::EGraphError& e) {
      EXPECT_EQ(std::string(e.what()), workspace::TooFewPointsMsg + c.said);
    }
    EXPECT_EQ(series.Count(), 0);
  }
}

// The advice to read decimal points warns of what it does to files of decimal commas.
TEST(TextReaderAdvice, SwitchingTheSeparatorNamesTheRisk) {
  const std::string points = "0.5\t1.5\n1.5\t2.5\n";
  const std::string message = workspace::TooFewPointsMessage(points, Settings(',', "\t ;"), 2);
  EXPECT_NE(message.find("PointDecimalSeparator=1"), std::string::npos) << message;
  EXPECT_NE(message.find("Учтите: после этого файлы, где числа записаны с десятичной запятой"), std::string::npos)
      << message;
  const std::string csv = "0.5,1.5\n1.5,2.5\n";
  EXPECT_NE(workspace::TooFewPointsMessage(csv, Settings(',', "\t ;"), 2).find("будут читаться неверно"),
            std::string::npos);
  // Advice that changes delimiters only has no such risk.
  EXPECT_EQ(workspace::TooFewPointsMessage("1,5;2,5\n3,5;4,5\n", Settings(',', "\t"), 2).find("Учтите"),
            std::string::npos);
}

// Data that reads, but as more than two numbers a line that the other separator reads as two.
TEST(TextReaderAdvice, MisreadSeparatorIsSaidWithTheLinesThatReadIt) {
  std::string commas, points, mixed;
  for (int i = 0; i < 200; ++i) {
    commas += "0," + std::to_string(1000 + i) + "\t0,12882\r\n";
    points += "0." + std::to_string(1000 + i) + "\t0.12882\n";
    mixed += i % 10 ? "0." + std::to_string(i) + "\t1\n" : "0," + std::to_string(i) + "\t1,5\n";
  }
  const struct {
    std::string text;
    TTextReaderSettings settings;
    std::vector<std::string> says;  // empty: nothing said
  } cases[] = {
      {commas, Settings('.', "\t ;,"),
       {"В 200 строках из 200", "до 4 чисел", "десятичной запятой", "PointDecimalSeparator=0\nDelimiters=9;32;59",
        "Delimiters=9;32;59\nИзменение вступит в силу после перезапуска программы."}},
      {"header\n" + commas, Settings('.', "\t ;,", 1), {"В 200 строках из 200"}},
      {"0.5\t1.5\n1.5\t2.5\n", Settings(',', "\t ;."), {"десятичной точкой", "PointDecimalSeparator=1\nDelimiters=9;32;59"}},
      {commas, Settings('.', "\t ;"), {}},   // the comma does not delimit: lines are skipped, not misread
      {points, Settings('.', "\t ;,"), {}},  // read right
      {"1.5,2.5\n3.5,4.5\n", Settings('.', "\t ;,"), {}},
      {"1,5;2,5;3,5\n4,5;5,5;6,5\n", Settings('.', "\t ;,"), {}},  // three columns either way
      {mixed, Settings('.', "\t ;,"), {}},                          // a few such lines among many
      {"0,5\t1,5\n", Settings('.', "\t ;,"), {}},                   // one line tells nothing
  };
  for (const auto& c : cases) {
    const std::string advice = workspace::MisreadSeparatorAdvice(c.text, c.settings);
    if (c.says.empty()) {
      EXPECT_EQ(advice, "") << c.text.substr(0, 30);
    }
    for (const std::string& part : c.says) EXPECT_NE(advice.find(part), std::string::npos) << advice;
  }
  // A large text is judged by its start, its cut last line left out.
  std::string large;
  while (large.size() < 3 * workspace::TooFewPointsSampleSize) large += commas;
  const std::string start = large.substr(0, workspace::TooFewPointsSampleSize);
  const std::string advice = workspace::MisreadSeparatorAdvice(start, Settings('.', "\t ;,"));
  const std::size_t whole = std::size_t(std::count(start.begin(), start.end(), '\n'));
  EXPECT_NE(advice.find(fw::Format("из %d", int(whole))), std::string::npos) << advice.substr(0, 80);
}

}  // namespace

namespace {

// The block append the reader fills series with keeps labels and point colours in step.
TEST(SeriesAppendPoints, KeepsLabelsAndColoursInStep) {
  chart::TChartSeries s(nullptr);
  s.AddPoint(-1, 0, "a");
  s.SetPointColor(0, fw::clRed);
  const double x[] = {1, 2}, y[] = {10, 20};
  s.AppendPoints(x, y, 2);
  ASSERT_EQ(s.Count(), 3);
  EXPECT_EQ(s.PointY(2), 20);
  EXPECT_EQ(s.PointLabel(0), "a");
  EXPECT_EQ(s.PointLabel(2), "");
  EXPECT_EQ(s.PointColor(0), fw::clRed);
  EXPECT_EQ(s.PointColor(2), chart::clTeeColor);
  s.AddPoint(3, 30, "d");
  EXPECT_EQ(s.PointLabel(3), "d");
  s.SetPointColor(3, fw::clBlue);
  EXPECT_EQ(s.PointColor(3), fw::clBlue);
  s.AppendPoints(x, y, 0);
  EXPECT_EQ(s.Count(), 4);
}

// Taking over arrays replaces every point, labels and colours included, keeps the first
// min(size) points and refreshes the cached statistics.
TEST(SeriesAdoptPoints, ReplacesEverythingWithTheArrays) {
  chart::TChartSeries s(nullptr);
  s.AddPoint(-1, 100, "a");
  s.SetPointColor(0, fw::clRed);
  EXPECT_EQ(s.YValues()->MaxValue(), 100);
  std::vector<double> x = {1, 2, 3}, y = {10, 20};
  const double* kept = x.data();
  s.AdoptPoints(std::move(x), std::move(y));
  ASSERT_EQ(s.Count(), 2);
  EXPECT_EQ(s.XValues()->Data(), kept);  // no copy
  EXPECT_EQ(s.PointX(1), 2);
  EXPECT_EQ(s.PointY(1), 20);
  EXPECT_EQ(s.PointLabel(0), "");
  EXPECT_EQ(s.PointColor(0), chart::clTeeColor);
  EXPECT_FALSE(s.HasPointColors());
  EXPECT_EQ(s.YValues()->MaxValue(), 20);
  EXPECT_EQ(s.MinXValue(), 1);
}

// A series kept in descending X order is filled in that order.
TEST(TextReaderSeries, FollowsTheSeriesOrder) {
  chart::TChartSeries desc(nullptr);
  desc.XValues()->SetOrder(chart::loDescending);
  workspace::LoadTwoColumnSeries("1 10\n3 30\n2 20\n", Settings('.'), &desc);
  EXPECT_EQ(desc.PointX(0), 3);
  EXPECT_EQ(desc.PointX(2), 1);
  chart::TChartSeries none(nullptr);
  none.XValues()->SetOrder(chart::loNone);
  workspace::LoadTwoColumnSeries("1 10\n3 30\n2 20\n", Settings('.'), &none);
  EXPECT_EQ(none.PointX(1), 3);
}

}  // namespace

namespace {

// Short lines give more points than the first estimate: the point buffers grow from the heap
// into mapped memory and keep every point on the way.
TEST(TextReaderSeries, ManyShortLinesGrowThePointBuffers) {
  std::string text;
  const int lines = 700000;
  text.reserve(std::size_t(lines) * 4 + 16);
  for (int i = 0; i < lines; ++i) {
    text += char('0' + i % 10);
    text += ' ';
    text += char('0' + (i / 10) % 10);
    text += '\n';
  }
  chart::TChartSeries series(nullptr);
  workspace::LoadTwoColumnSeries(text, Settings('.'), &series);
  ASSERT_EQ(series.Count(), lines);
  // Sorted by X, equal X in text order: the first points are the lines with X = 0.
  EXPECT_EQ(series.PointX(0), 0);
  EXPECT_EQ(series.PointY(0), 0);
  EXPECT_EQ(series.PointY(1), 1);
  EXPECT_EQ(series.PointX(lines - 1), 9);
  EXPECT_EQ(series.PointY(lines - 1), 9);
  double total = 0;
  for (int i = 0; i < lines; ++i) total += series.PointY(i);
  EXPECT_EQ(total, 4.5 * lines);
}

}  // namespace
