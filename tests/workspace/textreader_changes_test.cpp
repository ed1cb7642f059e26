// Files that change while the two-column reader reads them: one appended to is read up to the
// size it had when opened, and the report says so; one written to in place (as long or
// shorter), or cut and written whole again, is read once more, and refused when it changes
// again, never drawn from torn lines.
// Both the one-thread reader and the reader of shares.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "chart/PlotEngine.h"
#include "settings_file_fixture.h"
#include "workspace/Graph.h"
#include "workspace/TextReader.h"

namespace {

using workspace::TTextReadReport;

class TextFileChangesTest : public wstest::TempFolderTest {
 protected:
  void TearDown() override {
    workspace::SetFileReadHook(nullptr);
    wstest::TempFolderTest::TearDown();
  }
  // Replaces the bytes from Offset on without making a new file, and moves the modification
  // time away from the one seen at opening (a clock tick may be coarser than the test).
  static void WriteInPlace(const std::string& Path, const std::string& Bytes, std::size_t Offset, bool Truncate,
                           long Seconds) {
    std::FILE* f = std::fopen(Path.c_str(), Truncate ? "wb" : "r+b");
    ASSERT_NE(f, nullptr);
    std::fseek(f, long(Offset), SEEK_SET);
    std::fwrite(Bytes.data(), 1, Bytes.size(), f);
    std::fclose(f);
    const timespec times[2] = {{Seconds, 0}, {Seconds, 0}};
    ::utimensat(AT_FDCWD, Path.c_str(), times, 0);
  }
  std::string Write(const std::string& Bytes) {
    path_ = (dir_ / "data.txt").string();
    WriteInPlace(path_, Bytes, 0, true, 1000);
    return path_;
  }
  static std::string Lines(int From, int Count, int Y) {
    std::string t;
    for (int i = From; i < From + Count; ++i) t += std::to_string(i) + '\t' + std::to_string(Y) + "\r\n";
    return t;
  }
  static std::vector<double> Ys(const chart::TChartSeries& S) {
    return std::vector<double>(S.YValues()->Data(), S.YValues()->Data() + S.Count());
  }
  void Load(unsigned Shares, chart::TChartSeries* Series, TTextReadReport* Report, const char* Delimiters = "\t") {
    workspace::TTextReaderSettings s;
    s.DecimalSeparator = '.';
    s.Delimiters = Delimiters;
    if (Shares == 0)
      workspace::LoadTwoColumnFile(path_, s, Series, Report);
    else
      workspace::LoadTwoColumnFileInShares(path_, s, Shares, Series, Report);
  }
  std::string path_;
};

// Large enough for several reads (and shares) of the file.
constexpr int kLines = 400000;

TEST_F(TextFileChangesTest, AFileAppendedToIsReadUpToItsSizeWhenOpened) {
  for (unsigned shares : {0u, 4u}) {
    const std::string first = Lines(0, kLines, 1);
    Write(first);
    std::atomic<bool> done{false};
    workspace::SetFileReadHook([&](unsigned) {
      if (done.exchange(true)) return;
      std::FILE* f = std::fopen(path_.c_str(), "ab");
      const std::string more = Lines(kLines, 1000, 2);
      std::fwrite(more.data(), 1, more.size(), f);
      std::fclose(f);
    });
    chart::TChartSeries series(nullptr);
    TTextReadReport report;
    Load(shares, &series, &report);
    EXPECT_TRUE(done) << shares;
    EXPECT_EQ(series.Count(), kLines) << shares;
    EXPECT_EQ(report.ReadTo, first.size()) << shares;
    // Read again, the file is whole and the report says nothing.
    workspace::SetFileReadHook(nullptr);
    TTextReadReport again;
    Load(shares, &series, &again);
    EXPECT_EQ(series.Count(), kLines + 1000) << shares;
    EXPECT_EQ(again.ReadTo, TTextReadReport::WholeFile) << shares;
  }
}

TEST_F(TextFileChangesTest, AFileRewrittenInPlaceIsReadAgainOrRefused) {
  enum TBefore { kWhole, kHalf };  // the file when opened: whole, or half written
  struct Case {
    const char* Name;
    unsigned Shares;
    int Rewrites;  // openings during whose read the file is written to
    bool Shorter;
    TBefore Before;
    int Points;  // drawn when it is read (again) once
    const char* Delimiters = "\t";  // one outside ASCII has the file read whole first
  };
  const Case cases[] = {
      {"same size, once", 0, 1, false, kWhole, kLines},
      {"same size, once, in shares", 4, 1, false, kWhole, kLines},
      {"shorter, once", 0, 1, true, kWhole, kLines / 2},
      {"shorter, once, in shares", 4, 1, true, kWhole, kLines / 2},
      {"every time", 0, 2, false, kWhole, 0},
      {"every time, in shares", 4, 2, true, kWhole, 0},
      // Cut and written whole again: it grew, but what was read first is not there any more.
      {"half, then whole, once", 0, 1, false, kHalf, kLines},
      // The shares see the change and read on one thread, the new text up to the size at opening.
      {"half, then whole, once, in shares", 4, 1, false, kHalf, kLines / 2},
      {"half, then whole, every time", 0, 2, false, kHalf, 0},
      {"half, then whole, once, read whole", 0, 1, false, kHalf, kLines, "\t§"},
  };
  for (const Case& c : cases) {
    Write(Lines(0, c.Before == kHalf ? kLines / 2 : kLines, 1));
    const std::string other = c.Shorter ? Lines(0, kLines / 2, 7) : Lines(0, kLines, 7);
    std::mutex guard;
    std::set<unsigned> seen;
    int rewrites = 0;
    long clock = 2000;
    // After the first read of an opening: the rest of that read would come from the new text.
    workspace::SetFileReadHook([&](unsigned Opening) {
      std::lock_guard<std::mutex> lock(guard);
      if (!seen.insert(Opening).second || rewrites == c.Rewrites) return;
      ++rewrites;
      WriteInPlace(path_, other, 0, c.Shorter || c.Before == kHalf, ++clock);
    });
    chart::TChartSeries series(nullptr);
    series.AddXY(-1, -1);
    TTextReadReport report;
    std::string error;
    try {
      Load(c.Shares, &series, &report, c.Delimiters);
    } catch (const workspace::EGraphError& e) {
      error = e.what();
    }
    EXPECT_EQ(rewrites, c.Rewrites) << c.Name;
    if (c.Rewrites == 1) {
      EXPECT_EQ(error, "") << c.Name;
      EXPECT_EQ(series.Count(), c.Points) << c.Name;
      EXPECT_EQ(Ys(series), std::vector<double>(std::size_t(series.Count()), 7.0)) << c.Name << ": no torn lines";
    } else {
      EXPECT_EQ(error, "Файл \"" + path_ + "\" изменялся во время чтения: график не построен") << c.Name;
      EXPECT_EQ(Ys(series), std::vector<double>{-1.0}) << c.Name << ": the series as it was";
    }
    workspace::SetFileReadHook(nullptr);
  }
}

}  // namespace
