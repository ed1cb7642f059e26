#pragma once
// A per-block summary of a series' stored X and Y values that lets the line drawer step over
// whole blocks of points falling into one pixel column without reading them.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace chart {

class TChartValueList;

class TLineSummary {
 public:
  // Points per block on the finest level, and how many blocks of one level make one of the next.
  static constexpr int kFirstShift = 5;
  static constexpr int kFanShift = 3;
  static constexpr int kLevels = 6;

  struct Block {
    // Lowest and highest stored Y of the block; both NaN when the block cannot be stepped over
    // (a non-finite X or Y, or X falling somewhere inside it). Its first and last X and last Y
    // are read from the lists: a block of the finest level costs half a byte a point.
    double lo, hi;
    bool Usable() const { return lo == lo; }
  };

  // Brings the summary up to date with the lists (rebuilt only after either has changed).
  void Update(const TChartValueList& X, const TChartValueList& Y);

  static int Shift(int Level) { return kFirstShift + Level * kFanShift; }
  // Block Index of Level (whole blocks only: the tail past the last whole block has none).
  std::size_t BlockCount(int Level) const { return FLevels[std::size_t(Level)].size(); }
  const Block& At(int Level, std::size_t Index) const { return FLevels[std::size_t(Level)][Index]; }
  std::size_t Bytes() const;

 private:
  void Build(const double* X, const double* Y, std::size_t Count);

  const TChartValueList* FX = nullptr;
  const TChartValueList* FY = nullptr;
  std::uint64_t FXStamp = 0, FYStamp = 0;
  std::vector<Block> FLevels[kLevels];
};

}  // namespace chart
