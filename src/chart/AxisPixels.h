#pragma once

#include <algorithm>
#include <cmath>

#include "chart/PlotAxis.h"

namespace chart {

// An axis' value-to-pixel mapping taken once for a loop over many points: the same arithmetic
// as TChartAxis::CalcPosValue on a linear axis (so the same pixels), without its per-call set-up
// and library rounding. Logarithmic axes are left to the axis.
class TAxisPixels {
 public:
  explicit TAxisPixels(const TChartAxis& Axis)
      : FAxis(Axis),
        FLog(Axis.Logarithmic()),
        FFlipped(Axis.Horizontal() ? Axis.Inverted() : !Axis.Inverted()),
        FLo(Axis.Minimum()),
        FHi(Axis.Maximum()),
        FStart(Axis.IStartPos()),
        FEnd(Axis.IEndPos()),
        FSize(double(Axis.IEndPos()) - double(Axis.IStartPos())),
        FScale(FSize / (FHi - FLo)),
        FScaled(!FLog && FHi != FLo && std::isfinite(FHi - FLo) && std::isfinite(FScale)) {}

  // Value is finite.
  bool Logarithmic() const { return FLog; }
  win::LONG Pixel(double Value) const {
    if (FLog) return FAxis.CalcPosValue(Value);
    if (FScaled) {
      // A multiplication by the scale strays from the division below by a few units in the
      // last place, far less than kNearHalf for positions well inside the clamp: only one that
      // close to a half needs the exact arithmetic to round the same way.
      const double offset = (Value - FLo) * FScale;
      const double pos = FFlipped ? FEnd - offset : FStart + offset;
      if (std::abs(pos) < kScaledLimit) {
        const long long whole = static_cast<long long>(pos);
        const double rest = pos - double(whole);
        if (std::abs(std::abs(rest) - 0.5) > kNearHalf)
          return win::LONG(whole + (rest > 0.5) - (rest < -0.5));
      }
    }
    const double ratio = FHi == FLo ? 0.5 : AxisRatio(Value, FLo, FHi);
    double pos = FFlipped ? FEnd - ratio * FSize : FStart + ratio * FSize;
    if (std::isnan(pos)) pos = FFlipped ? FEnd : FStart;
    pos = std::clamp(pos, -kPixelLimit, kPixelLimit);
    // Halves away from zero, as lround: exact for the clamped range, and without branches (the
    // fractions of a random walk would defeat any prediction).
    const long long whole = static_cast<long long>(pos);
    const double rest = pos - double(whole);
    return win::LONG(whole + (rest >= 0.5) - (rest <= -0.5));
  }

 private:
  static constexpr double kPixelLimit = 1073741824.0;  // as the axis clamps
  static constexpr double kScaledLimit = kPixelLimit / 2, kNearHalf = 1e-4;
  const TChartAxis& FAxis;
  bool FLog, FFlipped;
  double FLo, FHi, FStart, FEnd, FSize, FScale;
  bool FScaled;  // the scale gives the same pixels (see Pixel)
};

}  // namespace chart
