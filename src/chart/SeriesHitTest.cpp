#include "chart/SeriesHitTest.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

// Squared distance from (PX, PY) to the segment A-B.
double SegmentDistance2(double PX, double PY, double AX, double AY, double BX, double BY) {
  const double dx = BX - AX, dy = BY - AY;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((PX - AX) * dx + (PY - AY) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = AX + t * dx - PX, ey = AY + t * dy - PY;
  return ex * ex + ey * ey;
}

// How far a value lies outside Lo..Hi (0 inside).
double Outside(double V, double Lo, double Hi) { return V < Lo ? Lo - V : V > Hi ? V - Hi : 0; }

}  // namespace

TSeriesHitTest::TSeriesHitTest(const TChartSeries& Series, const TChartAxis& HorizAxis, const TChartAxis& VertAxis,
                               Integer X, Integer Y)
    : FSeries(Series),
      FXs(*Series.XValues()),
      FYs(*Series.YValues()),
      FToX(HorizAxis),
      FToY(VertAxis),
      FX(X),
      FY(Y) {
  if (!Series.HasPointColors() && !FToX.Logarithmic() && !FToY.Logarithmic() && std::isfinite(FXs.Multiplier()) &&
      std::isfinite(FYs.Multiplier()))
    FSummary = &Series.LineSummary();
}

bool TSeriesHitTest::Drawable(Integer Index) const { return FSeries.PointIsDrawable(Index); }

win::POINT TSeriesHitTest::Pixel(Integer Index) const {
  return win::POINT{FToX.Pixel(FXs.Value(Index)), FToY.Pixel(FYs.Value(Index))};
}

template <class SkipFn, class TestFn>
Integer TSeriesHitTest::Search(Integer First, Integer Last, bool Joints, SkipFn Skip, TestFn Test) const {
  constexpr Integer finest = Integer(1) << TLineSummary::kFirstShift;
  const double my = FYs.Multiplier();
  Integer i = First;
  while (i <= Last) {
    // The coarsest whole block starting here that lies away from the pixel; a block near it is
    // looked at through its finer blocks, down to its points.
    Integer skip = 0;
    if (FSummary && (i & (finest - 1)) == 0) {
      for (int level = TLineSummary::kLevels - 1; level >= 0 && skip == 0; --level) {
        const int shift = TLineSummary::Shift(level);
        const Integer size = Integer(1) << shift;
        if ((i & (size - 1)) != 0 || i + size - 1 > Last) continue;
        const std::size_t block = std::size_t(i >> shift);
        if (block >= FSummary->BlockCount(level)) continue;
        const TLineSummary::Block& b = FSummary->At(level, block);
        if (!b.Usable()) continue;
        const double x0 = FXs.Value(i), x1 = FXs.Value(i + size - 1), y0 = b.lo * my, y1 = b.hi * my;
        if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1)) continue;
        const win::LONG c0 = FToX.Pixel(x0), c1 = FToX.Pixel(x1), r0 = FToY.Pixel(y0), r1 = FToY.Pixel(y1);
        const Box box{std::min(c0, c1), std::max(c0, c1), std::min(r0, r1), std::max(r0, r1)};
        // A block that may hold the answer is looked into: its first finer block next, at the
        // finest level its points.
        if (Skip(box)) skip = size;
      }
    }
    if (skip > 0) {
      if (Joints) {
        const Integer hit = Test(i);
        if (hit >= 0) return hit;
      }
      i += skip;
      continue;
    }
    // Points one by one: a whole finest block when it was looked into, else up to the next
    // block boundary.
    const Integer end = std::min(Last, (i | (finest - 1)));
    for (; i <= end; ++i) {
      const Integer hit = Test(i);
      if (hit >= 0) return hit;
    }
  }
  return -1;
}

Integer TSeriesHitTest::PointerAt(Integer First, Integer Last, Integer HorizSize, Integer VertSize) const {
  const double x = double(FX), y = double(FY);
  return Search(
      First, Last, false,
      [&](const Box& B) {
        return Outside(x, double(B.left) - HorizSize, double(B.right) + HorizSize) > 0 ||
               Outside(y, double(B.top) - VertSize, double(B.bottom) + VertSize) > 0;
      },
      [&](Integer I) -> Integer {
        if (!Drawable(I)) return -1;
        const win::POINT p = Pixel(I);
        return FX >= p.x - HorizSize && FX <= p.x + HorizSize && FY >= p.y - VertSize && FY <= p.y + VertSize ? I
                                                                                                               : -1;
      });
}

Integer TSeriesHitTest::LineAt(Integer First, Integer Last, double Reach) const {
  if (Last <= First) return -1;
  const double x = double(FX), y = double(FY), reach2 = Reach * Reach;
  // The segments within a block lie inside the box of its points' pixels; in one column they
  // cover its rows from top to bottom, so there the box is exactly what they cover.
  return Search(
      First + 1, Last, true,
      [&](const Box& B) {
        const double dx = Outside(x, B.left, B.right), dy = Outside(y, B.top, B.bottom);
        return dx * dx + dy * dy >= reach2;
      },
      [&](Integer I) -> Integer {
        if (!Drawable(I) || !Drawable(I - 1)) return -1;
        const win::POINT a = Pixel(I - 1), b = Pixel(I);
        if (SegmentDistance2(x, y, a.x, a.y, b.x, b.y) >= reach2) return -1;
        const double dPrev = (x - a.x) * (x - a.x) + (y - a.y) * (y - a.y);
        const double dThis = (x - b.x) * (x - b.x) + (y - b.y) * (y - b.y);
        return dThis < dPrev ? I : I - 1;
      });
}

}  // namespace chart
