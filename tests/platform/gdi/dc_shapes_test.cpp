// Shapes cover [left, right) x [top, bottom): outline by the pen, inside by the brush.

#include "dc_test_support.h"

namespace win::testing {
namespace {

TEST(DcShapes, RectangleOutlinesAndFillsHalfOpenBounds) {
  Canvas c(6, 5);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  ASSERT_TRUE(Rectangle(c.dc(), 0, 0, 4, 3));
  EXPECT_EQ(c.Picture(kBlack), Rows({"####..", "#??#..", "####..", "......", "......"}));
  EXPECT_EQ(c.At(1, 1), kRed);
  EXPECT_EQ(c.At(2, 1), kRed);
}

TEST(DcShapes, RectangleCornersInAnyOrder) {
  Canvas a(6, 5), b(6, 5);
  Rectangle(a.dc(), 1, 1, 5, 4);
  Rectangle(b.dc(), 5, 4, 1, 1);
  EXPECT_EQ(a.Picture(kBlack), b.Picture(kBlack));
}

TEST(DcShapes, NullPenFillsOnePixelLessRightAndBottom) {
  Canvas c(6, 5);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  Rectangle(c.dc(), 0, 0, 4, 3);
  EXPECT_EQ(c.Picture(kRed), Rows({"###...", "###...", "......", "......", "......"}));
}

TEST(DcShapes, NullBrushLeavesTheInsideAlone) {
  Canvas c(6, 5);
  c.Clear(kBlue);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  Rectangle(c.dc(), 0, 0, 5, 4);
  EXPECT_EQ(c.At(0, 0), kBlack);
  EXPECT_EQ(c.At(4, 3), kBlack);
  EXPECT_EQ(c.At(1, 1), kBlue);
  EXPECT_EQ(c.At(3, 2), kBlue);
  EXPECT_EQ(c.At(5, 0), kBlue);
}

TEST(DcShapes, EllipseAndRoundRectStayInTheirBounds) {
  for (int kind = 0; kind < 2; ++kind) {
    Canvas c(16, 12);
    Selected brush(c.dc(), CreateSolidBrush(kRed));
    if (kind == 0) Ellipse(c.dc(), 2, 1, 12, 9);
    else RoundRect(c.dc(), 2, 1, 12, 9, 4, 4);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x)
        if (c.At(x, y) != kWhite) {
          minX = std::min(minX, x), maxX = std::max(maxX, x);
          minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    EXPECT_EQ(minX, 2) << kind;
    EXPECT_EQ(maxX, 11) << kind;
    EXPECT_EQ(minY, 1) << kind;
    EXPECT_EQ(maxY, 8) << kind;
    EXPECT_EQ(c.At(7, 5), kRed) << "inside is the brush";
    EXPECT_EQ(c.At(7, 1), kBlack) << "top edge is the pen";
    EXPECT_EQ(c.At(2, 5), kBlack) << "left edge is the pen";
    EXPECT_EQ(c.At(2, 1), kWhite) << "the corner is outside";
  }
}

TEST(DcShapes, InsideFramePenKeepsWidePensWithinTheBounds) {
  Canvas c(20, 20);
  Selected pen(c.dc(), CreatePen(PS_INSIDEFRAME, 5, kBlack));
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  Rectangle(c.dc(), 3, 3, 17, 17);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 3 && x < 17 && y >= 3 && y < 17;
      if (!inside) {
        EXPECT_EQ(c.At(x, y), kWhite) << x << "," << y;
      }
    }
  EXPECT_EQ(c.At(3, 10), kBlack);
  EXPECT_EQ(c.At(16, 10), kBlack);
  EXPECT_EQ(c.At(10, 3), kBlack);
  EXPECT_EQ(c.At(10, 16), kBlack);
  EXPECT_EQ(c.At(10, 10), kRed);
}

TEST(DcShapes, PolygonFillModes) {
  // Two overlapping squares in one polygon walk: ALTERNATE leaves the overlap empty.
  const POINT pts[] = {{1, 1}, {7, 1}, {7, 7}, {1, 7}, {1, 1}, {4, 4}, {10, 4}, {10, 10}, {4, 10}, {4, 4}};
  for (int mode : {ALTERNATE, WINDING}) {
    Canvas c(12, 12);
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    Selected brush(c.dc(), CreateSolidBrush(kRed));
    SetPolyFillMode(c.dc(), mode);
    ASSERT_TRUE(Polygon(c.dc(), pts, 10));
    EXPECT_EQ(c.At(2, 2), kRed);
    EXPECT_EQ(c.At(8, 8), kRed);
    EXPECT_EQ(c.At(5, 5), mode == WINDING ? kRed : kWhite) << mode;
  }
}

TEST(DcShapes, PolygonOutlineClosesItself) {
  Canvas c(6, 6);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
  Polygon(c.dc(), pts, 4);
  EXPECT_EQ(c.Picture(kBlack, 5, 5), Rows({"#####", "#...#", "#...#", "#...#", "#####"}));
}

TEST(DcShapes, PieAndChordFillTheirPart) {
  Canvas c(21, 21);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  // The upper right quarter: from the radial to the right to the radial upwards.
  ASSERT_TRUE(Pie(c.dc(), 0, 0, 21, 21, 20, 10, 10, 0));
  EXPECT_EQ(c.At(14, 6), kRed);
  EXPECT_EQ(c.At(6, 6), kWhite);
  EXPECT_EQ(c.At(14, 14), kWhite);
  EXPECT_EQ(c.At(6, 14), kWhite);
  c.Clear(kWhite);
  // The chord of the same quarter leaves the triangle towards the centre out.
  ASSERT_TRUE(Chord(c.dc(), 0, 0, 21, 21, 20, 10, 10, 0));
  EXPECT_EQ(c.At(16, 5), kRed);    // beyond the chord x + y = 20
  EXPECT_EQ(c.At(12, 6), kWhite);  // between the chord and the centre
}

TEST(DcShapes, ArcToMovesTheCurrentPosition) {
  Canvas c(21, 21);
  MoveToEx(c.dc(), 0, 20, nullptr);
  ASSERT_TRUE(ArcTo(c.dc(), 0, 0, 21, 21, 20, 10, 10, 0));
  POINT pos;
  GetCurrentPositionEx(c.dc(), &pos);
  EXPECT_EQ(pos, (POINT{10, 0}));
  EXPECT_EQ(c.At(0, 20), kBlack) << "the line from the old position";
  EXPECT_EQ(c.At(20, 10), kBlack) << "the arc's start";
}

TEST(DcShapes, HugeShapesClipQuickly) {
  Canvas c(10, 10);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  ASSERT_TRUE(Rectangle(c.dc(), -1'000'000'000, -1'000'000'000, 1'000'000'000, 1'000'000'000));
  EXPECT_EQ(c.At(5, 5), kRed);
  ASSERT_TRUE(Ellipse(c.dc(), -1'000'000'000, -1'000'000'000, 1'000'000'000, 1'000'000'000));
  EXPECT_EQ(c.At(5, 5), kRed);
  const POINT pts[] = {{-2'000'000'000, -2'000'000'000}, {2'000'000'000, 0}, {0, 2'000'000'000}};
  ASSERT_TRUE(Polygon(c.dc(), pts, 3));
}

TEST(DcShapes, HugeWideAndDashedStrokesFinish) {
  Canvas c(10, 10);
  LOGBRUSH lb{BS_SOLID, kBlue, 0};
  Selected pen(c.dc(), ExtCreatePen(PS_GEOMETRIC | PS_DASH, 3, &lb, 0, nullptr));
  MoveToEx(c.dc(), -1'000'000'000, 5, nullptr);
  ASSERT_TRUE(LineTo(c.dc(), 1'000'000'000, 5));
  ASSERT_TRUE(Ellipse(c.dc(), -1'000'000'000, -1'000'000'000, 1'000'000'000, 1'000'000'000));
  ASSERT_TRUE(Arc(c.dc(), -1'000'000'000, -1'000'000'000, 1'000'000'000, 1'000'000'000, 0, 0, 0, 0));
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  Selected dotted(c.dc(), CreatePen(PS_DOT, 1, kBlack));
  MoveToEx(c.dc(), -2'000'000'000, 3, nullptr);
  ASSERT_TRUE(LineTo(c.dc(), 2'000'000'000, 3));
  EXPECT_NE(c.CountNot(kWhite), 0);
}

TEST(DcShapes, PolyPolygonFillsAndOutlinesEachPolygon) {
  Canvas c(12, 6);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {6, 0}, {10, 0}, {10, 4}, {6, 4}};
  const INT counts[] = {4, 4};
  ASSERT_TRUE(PolyPolygon(c.dc(), pts, counts, 2));
  EXPECT_EQ(c.Picture(kBlack, 12, 5), Rows({
                                           "#####.#####.",
                                           "#???#.#???#.",
                                           "#???#.#???#.",
                                           "#???#.#???#.",
                                           "#####.#####.",
                                       }));
  EXPECT_EQ(c.At(2, 2), kRed);
  EXPECT_EQ(c.At(8, 2), kRed);
  const INT bad[] = {4, 1};
  EXPECT_FALSE(PolyPolygon(c.dc(), pts, bad, 2));
}

TEST(DcShapes, UserStyleAndAlternatePens) {
  Canvas c(20, 2);
  SetBkMode(c.dc(), TRANSPARENT);
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  const DWORD style[] = {2, 1, 1, 3};
  {
    Selected pen(c.dc(), ExtCreatePen(PS_COSMETIC | PS_USERSTYLE, 1, &lb, 4, style));
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 14, 0);
  }
  {
    Selected pen(c.dc(), ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb, 0, nullptr));
    MoveToEx(c.dc(), 0, 1, nullptr);
    LineTo(c.dc(), 8, 1);
  }
  EXPECT_EQ(c.Picture(kBlack, 14, 2), Rows({"##.#...##.#...", "#.#.#.#......."}));
}

TEST(DcShapes, DashedRectangleOutlineRunsFromTheTopLeftCorner) {
  Canvas c(12, 6);
  SetBkMode(c.dc(), TRANSPARENT);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  Selected pen(c.dc(), CreatePen(PS_DOT, 1, kBlack));
  ASSERT_TRUE(Rectangle(c.dc(), 0, 0, 10, 5));
  // 3 on, 3 off, continuing round the corners: top x 0..8 (pixels 0-8), right side y 0..3
  // (9-12), bottom x 9..1 (13-21), left side y 4..1 (22-25).
  EXPECT_EQ(c.Picture(kBlack, 10, 5), Rows({
                                          "###...###.",
                                          "#.........",
                                          "#.........",
                                          ".........#",
                                          "..###...##",
                                      }));
}

TEST(DcShapes, DashedEllipseLeavesGapsInsideItsBounds) {
  Canvas c(40, 30);
  SetBkMode(c.dc(), TRANSPARENT);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  Selected pen(c.dc(), CreatePen(PS_DASH, 1, kBlack));
  ASSERT_TRUE(Ellipse(c.dc(), 2, 3, 38, 27));
  Canvas solid(40, 30);
  SelectObject(solid.dc(), GetStockObject(NULL_BRUSH));
  Ellipse(solid.dc(), 2, 3, 38, 27);
  int dashed = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool in = x >= 2 && x < 38 && y >= 3 && y < 27;
      if (c.At(x, y) == kBlack) {
        ++dashed;
        EXPECT_TRUE(in) << x << "," << y;
      }
    }
  EXPECT_GT(dashed, 0);
  EXPECT_LT(dashed, solid.CountNot(kWhite)) << "the gaps leave pixels out";
  EXPECT_EQ(c.At(37, 14) == kBlack || c.At(37, 15) == kBlack, true) << "dashes start at the rightmost point";
}

}  // namespace
}  // namespace win::testing
