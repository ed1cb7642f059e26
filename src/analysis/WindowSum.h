#pragma once
// A running sum of the values in a moving window: values enter and leave one at a time. The
// sum is compensated (Neumaier), and a window whose values are all zero sums to exactly 0, so
// tests such as "no losses" stay exact however long the walk. A value that is not finite (a
// null point) makes the sum NaN while it is in the window, and leaves no trace once it is out.

#include <cmath>
#include <cstddef>

namespace analysis {

class TWindowSum {
 public:
  void Add(double Value) {
    if (!std::isfinite(Value)) {
      ++FNotFinite;
      return;
    }
    if (Value != 0) ++FNonZero;
    Accumulate(Value);
  }
  void Remove(double Value) {
    if (!std::isfinite(Value)) {
      --FNotFinite;
      return;
    }
    if (Value != 0) --FNonZero;
    Accumulate(-Value);
    if (FNonZero == 0) FSum = FCompensation = 0;
  }
  double Sum() const {
    if (FNotFinite > 0) return std::nan("");
    return FNonZero == 0 ? 0 : FSum + FCompensation;
  }

 private:
  void Accumulate(double Value) {
    const double t = FSum + Value;
    if (std::fabs(FSum) >= std::fabs(Value))
      FCompensation += (FSum - t) + Value;
    else
      FCompensation += (Value - t) + FSum;
    FSum = t;
  }
  double FSum = 0;
  double FCompensation = 0;
  std::ptrdiff_t FNonZero = 0;
  std::ptrdiff_t FNotFinite = 0;
};

}  // namespace analysis
