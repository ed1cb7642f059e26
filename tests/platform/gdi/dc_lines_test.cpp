// Cosmetic one-pixel lines: exact pixels, the last pixel left out, styles and huge coordinates.

#include "dc_test_support.h"

namespace win::testing {
namespace {

TEST(DcLines, HorizontalVerticalAndDiagonalLeaveOutTheEnd) {
  Canvas c(8, 6);
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 5, 0);  // x 0..4
  MoveToEx(c.dc(), 7, 5, nullptr);
  LineTo(c.dc(), 7, 1);  // y 5..2, upwards
  MoveToEx(c.dc(), 1, 2, nullptr);
  LineTo(c.dc(), 4, 5);  // (1,2) (2,3) (3,4)
  EXPECT_EQ(c.Picture(kBlack), Rows({
                                   "#####...",
                                   "........",
                                   ".#.....#",
                                   "..#....#",
                                   "...#...#",
                                   ".......#",
                               }));
  POINT pos;
  GetCurrentPositionEx(c.dc(), &pos);
  EXPECT_EQ(pos, (POINT{4, 5}));
}

TEST(DcLines, ShallowAndSteepLinesRoundToTheNearestPixel) {
  Canvas c(8, 8);
  // y = 2x/7 at x = 0..6 is 0, .29, .57, .86, 1.14, 1.43, 1.71 -> rows 0 0 1 1 1 1 2.
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 7, 2);
  EXPECT_EQ(c.Picture(kBlack, 8, 3), Rows({
                                           "##......",
                                           "..####..",
                                           "......#.",
                                       }));
  c.Clear(kWhite);
  // Drawn the other way round the end point (0,0) is left out and (7,2) drawn instead.
  MoveToEx(c.dc(), 7, 2, nullptr);
  LineTo(c.dc(), 0, 0);
  EXPECT_EQ(c.Picture(kBlack, 8, 3), Rows({
                                           ".#......",
                                           "..####..",
                                           "......##",
                                       }));
  c.Clear(kWhite);
  // Steep: x = 2y/5 at y = 0..4 is 0, .4, .8, 1.2, 1.6 -> columns 0 0 1 1 2.
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 2, 5);
  EXPECT_EQ(c.Picture(kBlack, 3, 6), Rows({"#..", "#..", ".#.", ".#.", "..#", "..."}));
}

TEST(DcLines, ZeroLengthLineDrawsNothing) {
  Canvas c(4, 4);
  MoveToEx(c.dc(), 2, 2, nullptr);
  EXPECT_TRUE(LineTo(c.dc(), 2, 2));
  EXPECT_EQ(c.CountNot(kWhite), 0);
}

TEST(DcLines, PolylineDrawsEveryJointOnce) {
  Canvas c(6, 6);
  SetROP2(c.dc(), R2_XORPEN);  // a pixel drawn twice would turn back to white
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kWhite));
  const POINT pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}};
  ASSERT_TRUE(Polyline(c.dc(), pts, 5));
  // White XOR white is black: every pixel of the closed square exactly once.
  EXPECT_EQ(c.Picture(kBlack, 5, 5), Rows({"#####", "#...#", "#...#", "#...#", "#####"}));
}

TEST(DcLines, PolyPolylineAndPolylineToMoveAsGdi) {
  Canvas c(6, 4);
  const POINT pts[] = {{0, 0}, {3, 0}, {0, 2}, {3, 2}};
  const DWORD counts[] = {2, 2};
  ASSERT_TRUE(PolyPolyline(c.dc(), pts, counts, 2));
  MoveToEx(c.dc(), 5, 0, nullptr);
  const POINT to[] = {{5, 3}};
  ASSERT_TRUE(PolylineTo(c.dc(), to, 1));
  POINT pos;
  GetCurrentPositionEx(c.dc(), &pos);
  EXPECT_EQ(pos, (POINT{5, 3}));
  EXPECT_EQ(c.Picture(kBlack), Rows({"###..#", ".....#", "###..#", "......"}));
  EXPECT_FALSE(Polyline(c.dc(), pts, 1));
}

TEST(DcLines, HugeCoordinatesClipWithoutWalkingTheLine) {
  Canvas c(10, 10);
  MoveToEx(c.dc(), -1'000'000'000, 5, nullptr);
  ASSERT_TRUE(LineTo(c.dc(), 1'000'000'000, 5));
  for (int x = 0; x < 10; ++x) EXPECT_EQ(c.At(x, 5), kBlack) << x;
  EXPECT_EQ(c.CountNot(kWhite), 10);
  // A long diagonal crossing the canvas: the visible part lies on x == y.
  c.Clear(kWhite);
  MoveToEx(c.dc(), -2'000'000'000, -2'000'000'000, nullptr);
  LineTo(c.dc(), 2'000'000'000, 2'000'000'000);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(c.At(i, i), kBlack) << i;
  EXPECT_EQ(c.CountNot(kWhite), 10);
}

TEST(DcLines, DashStylesStartOnTheFirstPixelAndAreStable) {
  Canvas c(40, 5);
  SetBkMode(c.dc(), TRANSPARENT);
  struct Case {
    int style;
    const char* expect;  // first 40 pixels of a horizontal line from x = 0
  } cases[] = {
      {PS_DASH, "##################......################"},
      {PS_DOT, "###...###...###...###...###...###...###."},
      {PS_DASHDOT, "#########......###......#########......#"},
      {PS_DASHDOTDOT, "#########...###...###...#########...###."},
  };
  int row = 0;
  for (const auto& cs : cases) {
    Selected pen(c.dc(), CreatePen(cs.style, 1, kBlack));
    MoveToEx(c.dc(), 0, row, nullptr);
    LineTo(c.dc(), 40, row);
    std::string got;
    for (int x = 0; x < 40; ++x) got += c.At(x, row) == kBlack ? '#' : '.';
    EXPECT_EQ(got, cs.expect) << "style " << cs.style;
    ++row;
  }
}

TEST(DcLines, OpaqueBackgroundFillsDashGaps) {
  Canvas c(30, 1);
  SetBkColor(c.dc(), kRed);
  Selected pen(c.dc(), CreatePen(PS_DOT, 1, kBlack));
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 12, 0);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(c.At(x, 0), (x / 3) % 2 ? kRed : kBlack) << x;
  EXPECT_EQ(c.At(12, 0), kWhite);
}

TEST(DcLines, StyleRunsOnAcrossPolylineSegments) {
  Canvas c(12, 2);
  SetBkMode(c.dc(), TRANSPARENT);
  Selected pen(c.dc(), CreatePen(PS_DOT, 1, kBlack));
  const POINT pts[] = {{0, 0}, {4, 0}, {10, 0}};  // the pattern does not restart at x = 4
  Polyline(c.dc(), pts, 3);
  EXPECT_EQ(c.Picture(kBlack, 10, 1), "###...###.\n");
}

TEST(DcLines, NullPenDrawsNothingButMoves) {
  Canvas c(5, 5);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  MoveToEx(c.dc(), 0, 0, nullptr);
  EXPECT_TRUE(LineTo(c.dc(), 4, 4));
  EXPECT_EQ(c.CountNot(kWhite), 0);
  POINT pos;
  GetCurrentPositionEx(c.dc(), &pos);
  EXPECT_EQ(pos, (POINT{4, 4}));
}

}  // namespace
}  // namespace win::testing
