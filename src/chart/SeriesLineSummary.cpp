#include "chart/SeriesLineSummary.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/PlotEngine.h"

namespace chart {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

void TLineSummary::Update(const TChartValueList& X, const TChartValueList& Y) {
  if (FX == &X && FY == &Y && FXStamp == X.Stamp() && FYStamp == Y.Stamp()) return;
  FX = &X;
  FY = &Y;
  FXStamp = X.Stamp();
  FYStamp = Y.Stamp();
  Build(X.Data(), Y.Data(), std::size_t(std::min(X.Count(), Y.Count())));
}

void TLineSummary::Build(const double* X, const double* Y, std::size_t Count) {
  // Finest level from the values: a block is usable when every X and Y is finite and X never
  // falls, so that with a monotonic pixel mapping its first and last X bound every column.
  const std::size_t size0 = std::size_t(1) << kFirstShift;
  std::vector<Block>& first = FLevels[0];
  first.assign(Count / size0, Block{kNaN, kNaN});
  for (std::size_t b = 0; b < first.size(); ++b) {
    const double* x = X + b * size0;
    const double* y = Y + b * size0;
    double lo = y[0], hi = y[0];
    bool ok = (x[0] - x[0] == 0) & (y[0] - y[0] == 0);
    for (std::size_t i = 1; i < size0; ++i) {
      ok &= (x[i] - x[i] == 0) & (y[i] - y[i] == 0) & (x[i] >= x[i - 1]);
      lo = std::min(lo, y[i]);
      hi = std::max(hi, y[i]);
    }
    if (ok) first[b] = Block{lo, hi};
  }
  // Coarser levels from the finer one, also checking X does not fall between the children.
  const std::size_t fan = std::size_t(1) << kFanShift;
  for (int level = 1; level < kLevels; ++level) {
    const std::vector<Block>& fine = FLevels[level - 1];
    std::vector<Block>& coarse = FLevels[level];
    const std::size_t childSize = std::size_t(1) << Shift(level - 1);
    coarse.assign(fine.size() / fan, Block{kNaN, kNaN});
    for (std::size_t b = 0; b < coarse.size(); ++b) {
      double lo = HUGE_VAL, hi = -HUGE_VAL;
      bool ok = true;
      for (std::size_t c = b * fan; c < (b + 1) * fan; ++c) {
        ok &= fine[c].Usable();
        if (c > b * fan) ok &= X[c * childSize] >= X[c * childSize - 1];
        lo = std::min(lo, fine[c].lo);
        hi = std::max(hi, fine[c].hi);
      }
      if (ok) coarse[b] = Block{lo, hi};
    }
  }
}

std::size_t TLineSummary::Bytes() const {
  std::size_t n = 0;
  for (const auto& level : FLevels) n += level.capacity() * sizeof(Block);
  return n;
}

}  // namespace chart
