// The reader of shares against the one-thread reader on files whose lines meet the split points
// in every way: CR LF cut between two shares, a UTF-8 or Windows Cyrillic letter at the cut, a
// header longer than a share, one huge line, an empty file, and random files.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "chart/PlotEngine.h"
#include "settings_file_fixture.h"
#include "two_column_paths.h"
#include "workspace/TextReader.h"

namespace {

using workspace::TTextReaderSettings;

TTextReaderSettings ShareSettings(char separator, const std::string& delimiters, int skip) {
  TTextReaderSettings s;
  s.DecimalSeparator = separator;
  s.Delimiters = delimiters;
  s.SkipLines = skip;
  return s;
}

class TextReaderSharesTest : public wstest::TempFolderTest {
 protected:
  std::string Write(const std::string& bytes) {
    const std::string path = (dir_ / "shares.txt").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }
  // Share counts from 2 to MaxShares against the one-thread reader; the outcome of the one-thread
  // reader.
  wstest::TTwoColumnOutcome Compare(const std::string& text, const TTextReaderSettings& s, unsigned MaxShares = 9) {
    const std::string path = Write(text);
    chart::TChartSeries one(nullptr);
    one.XValues()->SetOrder(chart::loNone);
    const wstest::TTwoColumnOutcome expected = wstest::ReadTwoColumnOutcome(path, s, 0, one);
    for (unsigned shares = 2; shares <= MaxShares; ++shares) {
      chart::TChartSeries many(nullptr);
      many.XValues()->SetOrder(chart::loNone);
      const wstest::TTwoColumnOutcome got = wstest::ReadTwoColumnOutcome(path, s, shares, many);
      EXPECT_TRUE(wstest::SameOutcome(expected, got))
          << shares << " shares, skip " << s.SkipLines << ", text \"" << text.substr(0, 200) << "\": "
          << expected.X.size() << " / " << got.X.size() << " points, " << expected.Skipped << " / " << got.Skipped
          << " skipped, " << expected.Error << " / " << got.Error;
    }
    return expected;
  }
};

// A short text moved along by padding lines, so that each split point falls on every byte of
// it: inside CR LF, inside a two-byte UTF-8 letter, next to a Windows Cyrillic letter, at a lone
// CR, at a byte order mark that is not at the file's start.
TEST_F(TextReaderSharesTest, SplitPointsOnEveryByte) {
  const std::string tail =
      "1.5\t2\r\n3\t4\r\n\xD0\x96 5\t6\n7\xD0\x96\t8\n9\t1\xC6\r\n\r\n2 3\r4 5\r\r6 7\n\xEF\xBB\xBF" "8 9\nx\n10 11";
  std::size_t points = 0;
  for (int pad = 0; pad < 48; ++pad) {
    const std::string text = std::string(std::size_t(pad % 7), '\n') + std::string(std::size_t(pad), ' ') + "0 0\n" + tail;
    for (int skip : {0, 1, 2}) {
      const auto outcome = Compare(text, ShareSettings('.', "\t ;", skip), 3);
      if (skip == 0 && pad == 0) points = outcome.X.size();
    }
  }
  EXPECT_EQ(points, 7u);  // the sweep reads points at all
}

TEST_F(TextReaderSharesTest, EdgeFiles) {
  const std::string many = [] {
    std::string t;
    for (int i = 0; i < 3000; ++i) t += std::to_string(i) + "," + std::to_string(i % 10) + "\t" + std::to_string(i * 7) + "\r\n";
    return t;
  }();
  const struct {
    std::string text;
    int skip;
  } cases[] = {
      {"", 0},
      {"\xEF\xBB\xBF", 0},
      {"\xEF\xBB\xBF" "1 2\n3 4", 0},
      {"\xEF\xBB\xBF\xEF\xBB\xBF" "1 2\n3 4\n5 6\n", 0},
      {"1 2", 0},
      {"1 2\r", 0},
      {std::string(3u << 20, '7') + " 1\n1 2\n3 4\n", 0},                  // one huge line, then points
      {std::string(3u << 20, '7'), 0},                                       // a file of one huge line
      {std::string((1u << 20) - 1, 'b') + "\r1 2\n3 4\n5 6\n", 1},          // a CR ending a piece
      {std::string(700000, 'h') + "\n" + many, 1},                           // a header longer than a share
      {std::string(40000, 'h') + "\n" + many, 1},
      {"h1\nh2\nh3\n" + many, 3},
      {"h1\r\nh2\r\n", 5},                                                   // the header takes the file
      {"h1\r", 1},
      {many + "tail without end", 0},
      {many + "5", 0},
  };
  for (const auto& c : cases) {
    for (char separator : {',', '.'}) Compare(c.text, ShareSettings(separator, "\t ;", c.skip));
  }
}

// Shares are read in pieces far smaller than a share, and each writes its points where its
// counted lines place it: CR LF cut between two pieces, lines longer than a piece, and runs of
// lines that give no point (whole shares of them, at a share's start or end) must leave no gap.
TEST_F(TextReaderSharesTest, PiecesOfASharePlaceItsPoints) {
  std::mt19937 random(7);
  std::string text;
  for (int block = 0; block < 12; ++block) {
    const int kind = block % 4;
    for (int i = 0; i < 3000; ++i) {
      if (kind == 1) {
        text += i % 2 ? "no point\r\n" : "\r\n";  // a run without points
      } else {
        text += std::to_string(block * 3000 + i) + "\t" + std::to_string(int(random() % 2000) - 1000) + ".25";
        text += kind == 2 ? "\n" : kind == 3 && i % 5 == 0 ? "\r" : "\r\n";
      }
    }
    if (kind == 3) text += std::string(70000, 'w') + "\r\n";  // longer than a piece, not overlong
  }
  const auto outcome = Compare(text, ShareSettings('.', "\t", 0));
  EXPECT_EQ(outcome.X.size(), 27000u);
  EXPECT_EQ(outcome.Skipped, 1500u * 3 + 3);
}

// Random files of the pieces lines are made of, each compared in every share count.
TEST_F(TextReaderSharesTest, RandomFilesReadAlike) {
  std::mt19937 random(20261207);
  const char* pieces[] = {"1",    "23",   "-4",  "+5", ".", ",",  "e3", "E-2", "\t", " ", ";",     ";;",
                          "\r\n", "\n",   "\r",  "\n\n", "x", "\xD0\x96", "\xC6", "\xEF\xBB\xBF", "1e999",
                          "0,5",  "7.25", "\t\t", "  ", "\r\r\n"};
  const char* delimiters[] = {"\t ;", "\t", ";,", " "};
  std::size_t pointsSeen = 0;
  for (int file = 0; file < 80; ++file) {
    std::string text;
    const int count = int(random() % 400);
    for (int i = 0; i < count; ++i) {
      // Mostly well-formed lines, so that there are points to lose.
      if (random() % 3 != 0) {
        text += std::to_string(int(random() % 1000) - 500) + (random() % 2 ? "," : ".") + std::to_string(random() % 100);
        text += random() % 2 ? "\t" : " ";
        text += std::to_string(int(random() % 1000)) + (random() % 4 == 0 ? "\r\n" : "\n");
      } else {
        text += pieces[random() % std::size(pieces)];
      }
    }
    const auto s = ShareSettings(random() % 2 ? ',' : '.', delimiters[random() % std::size(delimiters)], int(random() % 4));
    pointsSeen += Compare(text, s).X.size();
  }
  EXPECT_GT(pointsSeen, 500u);
}

}  // namespace
