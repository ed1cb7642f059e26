#pragma once
// Reads a file through the one-thread reader and through the reader of shares with several
// share counts, expecting the same outcome: the same points in the same order, the same count
// of skipped lines, or the same exception with the same message. The one-thread outcome is
// passed on (points in Series, the count in Report, or the exception raised again).

#include <gtest/gtest.h>

#include <cmath>
#include <exception>
#include <string>
#include <typeinfo>
#include <vector>

#include "chart/PlotEngine.h"
#include "workspace/TextReader.h"

namespace wstest {

struct TTwoColumnOutcome {
  std::vector<double> X, Y;
  std::size_t Skipped = 0;
  std::string Error;  // type and message of the exception raised, empty when none
  std::exception_ptr Raised;
};

inline TTwoColumnOutcome ReadTwoColumnOutcome(const std::string& Path, const workspace::TTextReaderSettings& S,
                                              unsigned Shares, chart::TChartSeries& Series) {
  TTwoColumnOutcome o;
  workspace::TTextReadReport report;
  try {
    if (Shares == 0)
      workspace::LoadTwoColumnFile(Path, S, &Series, &report);
    else
      workspace::LoadTwoColumnFileInShares(Path, S, Shares, &Series, &report);
    o.Skipped = report.SkippedLines;
    o.X.assign(Series.XValues()->Data(), Series.XValues()->Data() + Series.Count());
    o.Y.assign(Series.YValues()->Data(), Series.YValues()->Data() + Series.Count());
  } catch (const std::exception& e) {
    o.Error = std::string(typeid(e).name()) + ": " + e.what();
    o.Raised = std::current_exception();
  }
  return o;
}

// Whether two outcomes agree, bit for bit in the values (-0 and 0 differ).
inline bool SameOutcome(const TTwoColumnOutcome& A, const TTwoColumnOutcome& B) {
  auto same = [](const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (std::signbit(a[i]) != std::signbit(b[i]) || !(a[i] == b[i])) return false;
    return true;
  };
  return same(A.X, B.X) && same(A.Y, B.Y) && A.Skipped == B.Skipped && A.Error == B.Error;
}

inline std::vector<unsigned> ShareCountsToCompare() { return {2, 3, 5, 8}; }

// LoadTwoColumnFile, checked against the reader of shares.
inline void LoadTwoColumnFileBothWays(const std::string& Path, const workspace::TTextReaderSettings& S,
                                      chart::TChartSeries* Series, workspace::TTextReadReport* Report = nullptr) {
  const TTwoColumnOutcome one = ReadTwoColumnOutcome(Path, S, 0, *Series);
  for (unsigned shares : ShareCountsToCompare()) {
    chart::TChartSeries other(nullptr);
    other.XValues()->SetOrder(Series->XValues()->Order());
    const TTwoColumnOutcome many = ReadTwoColumnOutcome(Path, S, shares, other);
    EXPECT_TRUE(SameOutcome(one, many)) << Path << " in " << shares << " shares: " << one.Error << " / "
                                        << many.Error << ", " << one.X.size() << " / " << many.X.size()
                                        << " points, " << one.Skipped << " / " << many.Skipped << " skipped";
  }
  if (one.Raised) std::rethrow_exception(one.Raised);
  if (Report) Report->SkippedLines = one.Skipped;
}

}  // namespace wstest
