#pragma once
// Gaps in a function's source, handled the same way by every function: a null point or a value
// that is not a finite number is a gap; a window holding a gap gives a gap (NaN, drawn as a
// break), and the values after it carry no trace of it. Over the whole series (period 0) the
// gaps are left out.

#include <cmath>
#include <limits>

#include "chart/PlotEngine.h"

namespace analysis {

inline constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// Only a series with point colours can hold null points beyond values that are not numbers.
inline bool IsGap(const chart::TChartSeries* Source, const chart::TChartValueList* List, fw::Integer Index) {
  return !std::isfinite(List->Value(Index)) || (Source->HasPointColors() && Source->IsNullPoint(Index));
}

// Whether First .. Last of List holds a gap.
inline bool GapIn(const chart::TChartSeries* Source, const chart::TChartValueList* List, fw::Integer First,
                  fw::Integer Last) {
  for (fw::Integer i = First; i <= Last; ++i)
    if (IsGap(Source, List, i)) return true;
  return false;
}

// The first (Step 1) or last (Step -1) point from Index on that is not a gap, -1 when none is.
inline fw::Integer NextValue(const chart::TChartSeries* Source, const chart::TChartValueList* List, fw::Integer Index,
                             fw::Integer Step) {
  for (; Index >= 0 && Index < List->Count(); Index += Step)
    if (!IsGap(Source, List, Index)) return Index;
  return -1;
}

// The window First .. Last for a function of its two ends: false for a gap. The whole series
// (First -1) is narrowed to its first and last points that are not gaps.
inline bool EndsOfWindow(const chart::TChartSeries* Source, const chart::TChartValueList* List, fw::Integer& First,
                         fw::Integer& Last) {
  if (First == -1) {
    First = NextValue(Source, List, 0, 1);
    Last = NextValue(Source, List, List->Count() - 1, -1);
    return First >= 0;
  }
  return First <= Last && !GapIn(Source, List, First, Last);
}

}  // namespace analysis
