#pragma once
// Points a function computes for a series, collected and handed over in one step: a million
// results appended at once instead of a million ordered inserts.

#include <sys/mman.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "chart/PlotEngine.h"

namespace analysis {

// Reserves room for Count results in an empty array. Arrays of a million results are fresh
// memory at every computation (the series they go to free their former points): on 2 MiB pages
// the kernel maps them in a few faults instead of thousands.
template <typename T>
void ReserveResults(std::vector<T>& Values, std::size_t Count) {
  if (!Values.empty() || Values.capacity() >= Count) return;
  Values.reserve(Count);
  constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(Values.data());
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (start + Count * sizeof(T)) & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

class TPointBuffer {
 public:
  void Reserve(std::size_t Count) {
    ReserveResults(FX, Count);
    ReserveResults(FY, Count);
  }
  // Takes over whole arrays (the first min(size) points count).
  void Set(std::vector<double>&& X, std::vector<double>&& Y) {
    const std::size_t n = std::min(X.size(), Y.size());
    FX = std::move(X);
    FY = std::move(Y);
    FX.resize(n);
    FY.resize(n);
  }
  void Add(double X, double Y) {
    FX.push_back(X);
    FY.push_back(Y);
  }
  // Appends the points to Series, in one step where its X order allows (a non-finite value
  // makes a null point either way), and empties the buffer.
  void FlushTo(chart::TChartSeries* Series) {
    if (Series && !FX.empty()) {
      bool inOrder = Series->XValues()->Order() == chart::loNone;
      if (Series->XValues()->Order() == chart::loAscending) {
        inOrder = Series->Count() == 0 || FX.front() >= Series->PointX(Series->Count() - 1);
        for (std::size_t i = 1; i < FX.size() && inOrder; ++i) inOrder = FX[i - 1] <= FX[i];
      }
      if (inOrder && Series->Count() == 0)
        Series->AdoptPoints(std::move(FX), std::move(FY));  // the arrays move, nothing is copied
      else if (inOrder)
        Series->AppendPoints(FX.data(), FY.data(), fw::Integer(FX.size()));
      else
        for (std::size_t i = 0; i < FX.size(); ++i) Series->AddPoint(FX[i], FY[i]);
    }
    FX.clear();
    FY.clear();
  }

 private:
  std::vector<double> FX, FY;
};

}  // namespace analysis
