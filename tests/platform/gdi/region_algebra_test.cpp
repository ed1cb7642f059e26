// Region algebra checked against a plain pixel grid: any result must cover exactly the pixels the
// boolean operation gives, in canonical banded form.

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "platform/gdi/Region.h"

namespace win {
namespace {

constexpr int kGrid = 24;
using Grid = std::array<std::array<bool, kGrid>, kGrid>;

Grid Rasterize(const Region& r) {
  Grid g{};
  for (const RECT& rc : r.Rects())
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) g[y][x] = true;
  return g;
}

// The banded invariants every operation must keep.
void ExpectCanonical(const Region& r) {
  const auto& rects = r.Rects();
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT& a = rects[i];
    ASSERT_LT(a.left, a.right);
    ASSERT_LT(a.top, a.bottom);
    if (i == 0) continue;
    const RECT& p = rects[i - 1];
    if (p.top == a.top) {
      ASSERT_EQ(p.bottom, a.bottom) << "rects of one band share top and bottom";
      ASSERT_LT(p.right, a.left) << "spans in a band are sorted and neither overlap nor touch";
    } else {
      ASSERT_LE(p.bottom, a.top) << "bands are sorted and disjoint";
    }
  }
  // Touching bands never carry identical spans (they would have been merged).
  size_t start = 0;
  std::vector<std::pair<int, int>> prevSpans;
  LONG prevBottom = -1;
  while (start < rects.size()) {
    size_t end = start;
    std::vector<std::pair<int, int>> spans;
    while (end < rects.size() && rects[end].top == rects[start].top) {
      spans.emplace_back(rects[end].left, rects[end].right);
      ++end;
    }
    if (rects[start].top == prevBottom) {
      ASSERT_NE(spans, prevSpans) << "band at y=" << rects[start].top;
    }
    prevSpans = spans;
    prevBottom = rects[start].bottom;
    start = end;
  }
}

Region RandomRegion(std::mt19937& rng) {
  std::uniform_int_distribution<int> coord(0, kGrid), count(0, 6);
  std::vector<RECT> rects;
  for (int i = count(rng); i > 0; --i) {
    int l = coord(rng), r = coord(rng), t = coord(rng), b = coord(rng);
    rects.push_back(RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)});
  }
  return Region::FromRects(rects);
}

TEST(RegionAlgebra, RandomOperationsMatchPixelModel) {
  std::mt19937 rng(12345);
  for (int iter = 0; iter < 400; ++iter) {
    const Region a = RandomRegion(rng), b = RandomRegion(rng);
    const Grid ga = Rasterize(a), gb = Rasterize(b);
    ExpectCanonical(a);
    const Region results[4] = {a.Union(b), a.Intersect(b), a.Subtract(b), a.Xor(b)};
    const Region box(a.Bounds());  // takes in all of a, from either side of the union
    ASSERT_EQ(box.Union(a), box);
    ASSERT_EQ(a.Union(box), box);
    for (int op = 0; op < 4; ++op) {
      ExpectCanonical(results[op]);
      const Grid g = Rasterize(results[op]);
      for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
          const bool in[4] = {ga[y][x] || gb[y][x], ga[y][x] && gb[y][x], ga[y][x] && !gb[y][x],
                              ga[y][x] != gb[y][x]};
          ASSERT_EQ(g[y][x], in[op]) << "op " << op << " iteration " << iter << " at " << x << "," << y;
          ASSERT_EQ(results[op].Contains(x, y), in[op]);
        }
    }
  }
}

TEST(RegionAlgebra, EqualPixelSetsGiveEqualRegions) {
  // An L shape built three different ways.
  const Region a = Region::FromRects({{0, 0, 10, 5}, {0, 5, 4, 10}});
  const Region b = Region::FromRects({{0, 0, 4, 10}, {4, 0, 10, 5}});
  const Region c = Region(RECT{0, 0, 10, 10}).Subtract(Region(RECT{4, 5, 10, 10}));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a, c);
  EXPECT_EQ(a.Rects().size(), 2u);  // band [0,5) is one span, band [5,10) another
  EXPECT_FALSE(a == Region(RECT{0, 0, 10, 10}));
}

TEST(RegionAlgebra, ComplexityCodes) {
  EXPECT_EQ(Region().Complexity(), 1);                                  // NULLREGION
  EXPECT_EQ(Region(RECT{1, 1, 1, 5}).Complexity(), 1);                  // empty rect
  EXPECT_EQ(Region(RECT{1, 1, 3, 5}).Complexity(), 2);                  // SIMPLEREGION
  EXPECT_EQ(Region::FromRects({{0, 0, 2, 2}, {2, 0, 4, 2}}).Complexity(), 2);  // merges into one
  EXPECT_EQ(Region::FromRects({{0, 0, 2, 2}, {3, 0, 4, 2}}).Complexity(), 3);  // COMPLEXREGION
}

TEST(RegionAlgebra, ContainsHonoursExclusiveRightAndBottom) {
  const Region r(RECT{2, 3, 6, 8});
  EXPECT_TRUE(r.Contains(2, 3));
  EXPECT_TRUE(r.Contains(5, 7));
  EXPECT_FALSE(r.Contains(6, 7));
  EXPECT_FALSE(r.Contains(5, 8));
  EXPECT_FALSE(r.Contains(1, 3));
  EXPECT_FALSE(r.Contains(2, 2));
}

TEST(RegionAlgebra, IntersectsRect) {
  const Region r = Region::FromRects({{0, 0, 4, 4}, {10, 10, 14, 14}});
  EXPECT_TRUE(r.Intersects(RECT{3, 3, 5, 5}));
  EXPECT_FALSE(r.Intersects(RECT{4, 0, 10, 10}));  // touches edges only
  EXPECT_FALSE(r.Intersects(RECT{5, 5, 9, 9}));    // in the bounding box, between the pieces
  EXPECT_TRUE(r.Intersects(RECT{13, 13, 20, 20}));
  EXPECT_FALSE(r.Intersects(RECT{1, 1, 1, 3}));    // empty rect
}

TEST(RegionAlgebra, BoundsOfComplexRegion) {
  const Region r = Region::FromRects({{5, 0, 8, 2}, {0, 4, 3, 9}, {6, 6, 12, 7}});
  EXPECT_EQ(r.Bounds(), (RECT{0, 0, 12, 9}));
  EXPECT_EQ(Region().Bounds(), (RECT{0, 0, 0, 0}));
}

TEST(RegionAlgebra, OffsetMovesAndSaturates) {
  Region r = Region::FromRects({{0, 0, 4, 2}, {6, 0, 8, 2}});
  r.Offset(10, -5);
  EXPECT_EQ(r, Region::FromRects({{10, -5, 14, -3}, {16, -5, 18, -3}}));
  Region far(RECT{0, 0, 10, 10});
  far.Offset(2'147'483'640, 0);  // the right edges pin at the LONG maximum
  EXPECT_EQ(far.Bounds().right, 2'147'483'647);
  EXPECT_EQ(far.Bounds().left, 2'147'483'640);
  far.Offset(100, 0);  // now every span is squashed to nothing
  EXPECT_TRUE(far.IsEmpty());
}

TEST(RegionShapes, PolygonRectangleCoversHalfOpenBounds) {
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
  const int n = 4;
  EXPECT_EQ(Region::Polygons(pts, &n, 1, 1), Region(RECT{0, 0, 4, 3}));
}

TEST(RegionShapes, PolygonFillModes) {
  // Two clockwise squares overlapping in [4,6)x[4,6): ALTERNATE leaves the overlap out, WINDING keeps it.
  const POINT pts[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {4, 4}, {10, 4}, {10, 10}, {4, 10}};
  const int counts[] = {4, 4};
  const Region alternate = Region::Polygons(pts, counts, 2, 1);
  const Region winding = Region::Polygons(pts, counts, 2, 2);
  const Region a(RECT{0, 0, 6, 6}), b(RECT{4, 4, 10, 10});
  EXPECT_EQ(alternate, a.Xor(b));
  EXPECT_EQ(winding, a.Union(b));
  // A square walked the other way cancels the winding number of the first one.
  const POINT ccw[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {4, 4}, {4, 10}, {10, 10}, {10, 4}};
  EXPECT_EQ(Region::Polygons(ccw, counts, 2, 2), a.Xor(b));
}

TEST(RegionShapes, TriangleRowsFollowTheVertexPixels) {
  const POINT pts[] = {{0, 0}, {8, 0}, {0, 8}};
  const int n = 3;
  const Region r = Region::Polygons(pts, &n, 1, 1);
  // Row y: the hypotenuse crosses it at x = 8 - y, a pixel on the right edge, so pixels
  // 0 .. 7 - y are inside; the bottom vertex's row is not.
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) EXPECT_EQ(r.Contains(x, y), x <= 7 - y) << x << "," << y;
}

TEST(RegionShapes, EllipseFillsItsBoundingRectExactly) {
  const Region e = Region::Ellipse(RECT{0, 0, 10, 8});
  EXPECT_EQ(e.Bounds(), (RECT{0, 0, 10, 8}));
  EXPECT_FALSE(e.Contains(0, 0));  // corners are outside
  EXPECT_FALSE(e.Contains(9, 7));
  EXPECT_TRUE(e.Contains(5, 4));
  // Symmetric about both axes.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) {
      EXPECT_EQ(e.Contains(x, y), e.Contains(9 - x, y));
      EXPECT_EQ(e.Contains(x, y), e.Contains(x, 7 - y));
    }
}

TEST(RegionShapes, RoundRectCornersAndStraightEdges) {
  const Region r = Region::RoundRect(RECT{0, 0, 20, 10}, 6, 6);
  EXPECT_EQ(r.Bounds(), (RECT{0, 0, 20, 10}));
  EXPECT_FALSE(r.Contains(0, 0));
  EXPECT_TRUE(r.Contains(0, 5));   // straight left edge between the corners
  EXPECT_TRUE(r.Contains(10, 0));  // straight top edge
  EXPECT_TRUE(r.Contains(19, 5));
  // Zero-sized corners give the rectangle itself.
  EXPECT_EQ(Region::RoundRect(RECT{0, 0, 20, 10}, 0, 0), Region(RECT{0, 0, 20, 10}));
}

TEST(RegionShapes, AbsurdCoordinatesStayBounded) {
  const Region e = Region::Ellipse(RECT{-1'000'000'000, -1'000'000'000, 1'000'000'000, 1'000'000'000});
  EXPECT_LE(e.Bounds().bottom, Region::kShapeRowLimit);
  EXPECT_TRUE(e.Contains(0, 0));
  const POINT pts[] = {{0, -2'000'000'000}, {2'000'000'000, 2'000'000'000}, {-2'000'000'000, 2'000'000'000}};
  const int n = 3;
  const Region tri = Region::Polygons(pts, &n, 1, 1);
  EXPECT_TRUE(tri.Contains(0, 0));
  EXPECT_GE(tri.Bounds().top, -Region::kShapeRowLimit);
}

}  // namespace
}  // namespace win
