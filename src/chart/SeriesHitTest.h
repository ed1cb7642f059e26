#pragma once
// Which point of a series lies under a pixel: the first point whose pointer covers it, or the
// nearer end of the first segment of the line that passes over it. The series' line summary
// bounds the search as it bounds the drawing: a whole block of points whose pixels lie away from
// the one asked about is stepped over without reading its points, so a click answers at once
// even when millions of points fall into the pixel's column.

#include "chart/AxisPixels.h"
#include "chart/PlotEngine.h"

namespace chart {

class TSeriesHitTest {
 public:
  // Pixel (X, Y) against Series on the two axes.
  TSeriesHitTest(const TChartSeries& Series, const TChartAxis& HorizAxis, const TChartAxis& VertAxis, Integer X,
                 Integer Y);

  // The first drawable point of First..Last whose pointer, HorizSize and VertSize pixels either
  // side of the point, covers the pixel; -1 when none does.
  Integer PointerAt(Integer First, Integer Last, Integer HorizSize, Integer VertSize) const;
  // The first segment between consecutive drawable points of First..Last that passes closer
  // than Reach to the pixel's centre; of its two ends the nearer one (the later one when both
  // are as near). -1 when none does.
  Integer LineAt(Integer First, Integer Last, double Reach) const;

 private:
  // A run of points the summary vouches for (finite values, X not falling), with the pixels
  // their values span.
  struct Box {
    win::LONG left, right, top, bottom;
  };
  // Calls Test(i) for i = First..Last in order and returns the first result that is not -1.
  // A block of the summary for which Skip(Box) holds is passed over whole, except that Test
  // still sees its first index when Joints is set (the segment into the block lies partly
  // outside it).
  template <class SkipFn, class TestFn>
  Integer Search(Integer First, Integer Last, bool Joints, SkipFn Skip, TestFn Test) const;
  bool Drawable(Integer Index) const;
  win::POINT Pixel(Integer Index) const;

  const TChartSeries& FSeries;
  const TChartValueList& FXs;
  const TChartValueList& FYs;
  TAxisPixels FToX, FToY;
  Integer FX, FY;
  // Null when the summary cannot stand for the points (colours may mark null points, a
  // logarithmic axis or a non-finite multiplier breaks the monotonic mapping).
  const TLineSummary* FSummary = nullptr;
};

}  // namespace chart
