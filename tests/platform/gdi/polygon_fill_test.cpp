// Polygon filling checked against a reference of its own: a crossing count at every pixel under
// the fill mode's rule, in exact integer arithmetic, with no scan lines, spans or sorting. The
// pixel (x, y) is the point (x, y), as for the end points of lines; a point on the outline is
// inside where the shape lies right of it (the shape's left edge) and on its top row.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dc_test_support.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/gdi/Region.h"

namespace win::testing {
namespace {

struct FillShape {
  const char* name;
  std::vector<POINT> points;
  std::vector<int> counts;  // empty: one polygon of all the points
};

std::vector<int> CountsOf(const FillShape& s) {
  return s.counts.empty() ? std::vector<int>{int(s.points.size())} : s.counts;
}

bool ReferenceInside(const FillShape& s, int fillMode, int64_t px, int64_t py) {
  int crossings = 0, winding = 0;
  size_t first = 0;
  for (int n : CountsOf(s)) {
    for (int k = 0; k < n; ++k) {
      const POINT a = s.points[first + size_t(k)], b = s.points[first + size_t((k + 1) % n)];
      if (a.y == b.y) continue;
      const bool down = b.y > a.y;
      if (py < std::min(a.y, b.y) || py >= std::max(a.y, b.y)) continue;
      // (crossing x - px) times (b.y - a.y), so its sign with the edge's direction tells whether
      // the edge crosses the row at or left of the point.
      const int64_t num = (int64_t(a.x) - px) * (int64_t(b.y) - a.y) + (py - a.y) * (int64_t(b.x) - a.x);
      if (down ? num <= 0 : num >= 0) {
        ++crossings;
        winding += down ? 1 : -1;
      }
    }
    first += size_t(n);
  }
  return fillMode == WINDING ? winding != 0 : (crossings & 1) != 0;
}

// Triangles pointing right, left, down and up with half-widths 1 to 6, each as the themes give
// their arrows (apex, then the base corners) and walked the other way round.
std::vector<FillShape> Triangles() {
  std::vector<FillShape> out;
  for (int s = 1; s <= 6; ++s) {
    const LONG c = 8;
    out.push_back({"right", {{c, LONG(c - s)}, {c, LONG(c + s)}, {LONG(c + s), c}}, {}});
    out.push_back({"left", {{c, LONG(c + s)}, {c, LONG(c - s)}, {LONG(c - s), c}}, {}});
    out.push_back({"down", {{LONG(c - s), c}, {LONG(c + s), c}, {c, LONG(c + s)}}, {}});
    out.push_back({"up", {{LONG(c - s), c}, {LONG(c + s), c}, {c, LONG(c - s)}}, {}});
    out.push_back({"right, reversed", {{LONG(c + s), c}, {c, LONG(c + s)}, {c, LONG(c - s)}}, {}});
    out.push_back({"up, reversed", {{c, LONG(c - s)}, {LONG(c + s), c}, {LONG(c - s), c}}, {}});
    // Slopes other than 1: tall and flat wedges.
    out.push_back({"tall", {{c, LONG(c - 2 * s)}, {LONG(c + s), LONG(c + 2 * s)}, {LONG(c - s), LONG(c + s)}}, {}});
    out.push_back({"flat", {{LONG(c - 2 * s), c}, {LONG(c + 2 * s), LONG(c + 1)}, {LONG(c + 1), LONG(c - s)}}, {}});
  }
  return out;
}

std::vector<FillShape> OtherShapes() {
  return {
      {"square", {{2, 2}, {9, 2}, {9, 9}, {2, 9}}, {}},
      {"diamond", {{8, 2}, {14, 8}, {8, 14}, {2, 8}}, {}},
      {"concave arrow", {{2, 5}, {9, 5}, {9, 2}, {14, 8}, {9, 14}, {9, 11}, {2, 11}}, {}},
      {"check mark", {{3, 7}, {6, 10}, {12, 4}, {12, 6}, {6, 12}, {3, 9}}, {}},
      // Self-crossing: the fill modes differ in the middle.
      {"pentagram", {{8, 1}, {12, 14}, {1, 6}, {15, 6}, {4, 14}}, {}},
      {"bow tie", {{2, 2}, {14, 12}, {14, 2}, {2, 12}}, {}},
      // Two polygons: nested the same way round (a hole only when alternating), nested the other
      // way round (a hole in both modes), and overlapping.
      {"nested alike", {{1, 1}, {15, 1}, {15, 15}, {1, 15}, {5, 5}, {11, 5}, {11, 11}, {5, 11}}, {4, 4}},
      {"nested opposite", {{1, 1}, {15, 1}, {15, 15}, {1, 15}, {5, 5}, {5, 11}, {11, 11}, {11, 5}}, {4, 4}},
      {"overlapping", {{1, 1}, {9, 3}, {7, 10}, {5, 5}, {14, 6}, {12, 14}}, {3, 3}},
      {"degenerate line", {{2, 2}, {12, 12}}, {}},
      {"far from the origin", {{-40000, -30000}, {-39990, -29995}, {-39996, -29988}}, {}},
  };
}

std::string Difference(const FillShape& s, int fillMode, const Region& r) {
  RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const POINT& p : s.points) {
    box.left = std::min(box.left, p.x - 2);
    box.top = std::min(box.top, p.y - 2);
    box.right = std::max(box.right, p.x + 3);
    box.bottom = std::max(box.bottom, p.y + 3);
  }
  std::string bad;
  for (LONG y = box.top; y < box.bottom; ++y)
    for (LONG x = box.left; x < box.right; ++x)
      if (r.Contains(x, y) != ReferenceInside(s, fillMode, x, y))
        bad += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
  if (!r.IsEmpty()) {
    const RECT b = r.Bounds();
    if (b.left < box.left || b.top < box.top || b.right > box.right || b.bottom > box.bottom) bad += "beyond the box";
  }
  return bad;
}

class PolygonFill : public ::testing::TestWithParam<int> {
 protected:
  int mode() const { return GetParam(); }
};

TEST_P(PolygonFill, RegionCoversExactlyTheReferencePixels) {
  std::vector<FillShape> shapes = Triangles();
  for (FillShape& s : OtherShapes()) shapes.push_back(std::move(s));
  for (const FillShape& s : shapes) {
    const std::vector<int> counts = CountsOf(s);
    const Region r = Region::Polygons(s.points.data(), counts.data(), int(counts.size()), mode());
    EXPECT_EQ(Difference(s, mode(), r), "") << s.name << " from (" << s.points[0].x << "," << s.points[0].y << ")";
  }
}

TEST_P(PolygonFill, BrushFillAndPolygonRegionPaintTheReferencePixels) {
  for (const FillShape& s : Triangles()) {
    Canvas c(18, 18);
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    Selected brush(c.dc(), CreateSolidBrush(kBlack));
    SetPolyFillMode(c.dc(), mode());
    ASSERT_TRUE(Polygon(c.dc(), s.points.data(), int(s.points.size())));
    const HRGN rgn = CreatePolygonRgn(s.points.data(), int(s.points.size()), mode());
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 18; ++x) {
        const bool in = ReferenceInside(s, mode(), x, y);
        ASSERT_EQ(c.At(x, y) == kBlack, in) << s.name << " at (" << x << "," << y << ")";
        ASSERT_EQ(PtInRegion(rgn, x, y) != FALSE, in) << s.name << " region at (" << x << "," << y << ")";
      }
    DeleteObject(rgn);
  }
}

INSTANTIATE_TEST_SUITE_P(BothModes, PolygonFill, ::testing::Values(ALTERNATE, WINDING),
                         [](const ::testing::TestParamInfo<int>& i) {
                           return std::string(i.param == WINDING ? "Winding" : "Alternate");
                         });

// Arrows outlined and filled in one colour, as every theme draws them, come out solid: one run
// of ink per row, rows growing by one pixel on each slanted side.
TEST(PolygonFillAndOutline, ArrowsAreSolidTriangles) {
  struct Arrow {
    const char* name;
    std::vector<POINT> points;
    std::string picture;
  };
  const Arrow arrows[] = {
      {"submenu arrow", {{1, 0}, {1, 6}, {4, 3}},
       Rows({".#....", ".##...", ".###..", ".####.", ".###..", ".##...", ".#...."})},
      {"up arrow", {{0, 2}, {4, 2}, {2, 0}}, Rows({"..#...", ".###..", "#####.", "......", "......", "......", "......"})},
      {"down arrow", {{0, 0}, {4, 0}, {2, 2}}, Rows({"#####.", ".###..", "..#...", "......", "......", "......", "......"})},
      {"left arrow", {{3, 0}, {3, 4}, {1, 2}}, Rows({"...#..", "..##..", ".###..", "..##..", "...#..", "......", "......"})},
  };
  for (const Arrow& a : arrows) {
    Canvas c(6, 7);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kBlack));
    Selected brush(c.dc(), CreateSolidBrush(kBlack));
    ASSERT_TRUE(Polygon(c.dc(), a.points.data(), int(a.points.size())));
    EXPECT_EQ(c.Picture(kBlack), a.picture) << a.name;
  }
}

}  // namespace
}  // namespace win::testing
