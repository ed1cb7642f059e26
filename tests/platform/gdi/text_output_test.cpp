// Where ExtTextOut puts text, with the test font's boxes: every alignment, background modes,
// clipping, spacing arrays, the current position and rotated text.

#include "text_test_support.h"

#include "platform/gdi/detail/GdiObjects.h"

namespace win::testing {
namespace {

class TextOutput : public TextCanvas {};

TEST_F(TextOutput, VerticalAlignments) {
  SetTextAlign(dc_, TA_LEFT | TA_BASELINE);
  TextOutW(dc_, 10, 50, u"x", 1);
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 40, 16, 50}));

  Clear();
  SetTextAlign(dc_, TA_LEFT | TA_BOTTOM);
  TextOutW(dc_, 10, 50, u"x", 1);
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 37, 16, 47}));

  Clear();
  SetTextAlign(dc_, TA_RIGHT | TA_BOTTOM);
  TextOutW(dc_, 50, 50, u"xy", 2);
  EXPECT_EQ(Bounds(kBlack), (RECT{36, 37, 49, 47}));
}

// "ab" at (100, 60) for every alignment, flat and turned both ways: the cell is 14 x 13 with
// the boxes in its top 10 rows.
TEST_F(TextOutput, EveryAlignmentAtEveryRightAngle) {
  struct Case {
    LONG escapement;
    UINT align;
    RECT ink;
  };
  const Case cases[] = {
      {0, TA_LEFT | TA_TOP, {100, 60, 113, 70}},        {0, TA_CENTER | TA_TOP, {93, 60, 106, 70}},
      {0, TA_RIGHT | TA_TOP, {86, 60, 99, 70}},         {0, TA_LEFT | TA_BASELINE, {100, 50, 113, 60}},
      {0, TA_CENTER | TA_BASELINE, {93, 50, 106, 60}},  {0, TA_RIGHT | TA_BASELINE, {86, 50, 99, 60}},
      {0, TA_LEFT | TA_BOTTOM, {100, 47, 113, 57}},     {0, TA_CENTER | TA_BOTTOM, {93, 47, 106, 57}},
      {0, TA_RIGHT | TA_BOTTOM, {86, 47, 99, 57}},
      {900, TA_LEFT | TA_TOP, {100, 47, 110, 60}},      {900, TA_CENTER | TA_TOP, {100, 54, 110, 67}},
      {900, TA_RIGHT | TA_TOP, {100, 61, 110, 74}},     {900, TA_LEFT | TA_BASELINE, {90, 47, 100, 60}},
      {900, TA_CENTER | TA_BASELINE, {90, 54, 100, 67}}, {900, TA_RIGHT | TA_BASELINE, {90, 61, 100, 74}},
      {900, TA_LEFT | TA_BOTTOM, {87, 47, 97, 60}},     {900, TA_CENTER | TA_BOTTOM, {87, 54, 97, 67}},
      {900, TA_RIGHT | TA_BOTTOM, {87, 61, 97, 74}},
      {2700, TA_LEFT | TA_TOP, {90, 60, 100, 73}},      {2700, TA_CENTER | TA_TOP, {90, 53, 100, 66}},
      {2700, TA_RIGHT | TA_TOP, {90, 46, 100, 59}},     {2700, TA_LEFT | TA_BASELINE, {100, 60, 110, 73}},
      {2700, TA_CENTER | TA_BASELINE, {100, 53, 110, 66}}, {2700, TA_RIGHT | TA_BASELINE, {100, 46, 110, 59}},
      {2700, TA_LEFT | TA_BOTTOM, {103, 60, 113, 73}},  {2700, TA_CENTER | TA_BOTTOM, {103, 53, 113, 66}},
      {2700, TA_RIGHT | TA_BOTTOM, {103, 46, 113, 59}},
  };
  for (const Case& c : cases) {
    UseFont(MakeLogFont(kTestFontFace, 0, c.escapement));
    SetTextAlign(dc_, c.align);
    Clear();
    ASSERT_TRUE(TextOutW(dc_, 100, 60, u"ab", 2));
    EXPECT_EQ(Bounds(kBlack), c.ink) << "escapement " << c.escapement << " align " << c.align;
    EXPECT_EQ(Count(kBlack), 2 * 6 * 10) << "escapement " << c.escapement << " align " << c.align;
  }
}

TEST_F(TextOutput, OpaqueBackgroundFillsTheWholeCell) {
  const COLORREF red = RGB(255, 0, 0);
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, red);
  TextOutW(dc_, 20, 30, u"ab", 2);
  EXPECT_EQ(Bounds(red), (RECT{20, 30, 34, 43}));
  EXPECT_EQ(Pixel(26, 35), red);  // gap between the boxes
  EXPECT_EQ(Pixel(23, 41), red);  // descent
  EXPECT_EQ(Pixel(23, 35), kBlack);
  EXPECT_EQ(Pixel(34, 30), kWhite);
}

TEST_F(TextOutput, TextColourIsUsed) {
  const COLORREF blue = RGB(0, 0, 255);
  SetTextColor(dc_, blue);
  TextOutW(dc_, 5, 5, u"Q", 1);
  EXPECT_EQ(Count(blue), 6 * 10);
  EXPECT_EQ(Count(kBlack), 0);
}

TEST_F(TextOutput, OpaqueRectangleAndClipping) {
  const COLORREF green = RGB(0, 255, 0);
  SetBkColor(dc_, green);
  RECT box{10, 10, 40, 30};
  // ETO_OPAQUE fills the rectangle even in TRANSPARENT mode.
  ASSERT_TRUE(ExtTextOutW(dc_, 60, 60, ETO_OPAQUE, &box, u"a", 1, nullptr));
  EXPECT_EQ(Bounds(green), box);
  EXPECT_EQ(Bounds(kBlack), (RECT{60, 60, 66, 70}));

  Clear();
  RECT clip{20, 30, 30, 50};
  ExtTextOutW(dc_, 20, 30, ETO_CLIPPED, &clip, u"abcdef", 6, nullptr);
  EXPECT_EQ(Bounds(kBlack), (RECT{20, 30, 30, 40}));

  // A count of zero with ETO_OPAQUE only fills.
  Clear();
  ASSERT_TRUE(ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr));
  EXPECT_EQ(Bounds(green), box);
}

TEST_F(TextOutput, SpacingArrayPlacesEachCharacter) {
  const INT dx[3] = {10, 20, 5};
  ExtTextOutW(dc_, 10, 10, 0, nullptr, u"abc", 3, dx);
  EXPECT_TRUE(Filled({10, 10, 16, 20}, kBlack));
  EXPECT_TRUE(Filled({16, 10, 20, 20}, kWhite));
  EXPECT_TRUE(Filled({20, 10, 26, 20}, kBlack));
  EXPECT_TRUE(Filled({40, 10, 46, 20}, kBlack));
  // The run is as wide as the array says: right alignment uses the sum.
  Clear();
  SetTextAlign(dc_, TA_RIGHT);
  ExtTextOutW(dc_, 100, 10, 0, nullptr, u"abc", 3, dx);
  EXPECT_EQ(Bounds(kBlack).left, 65);
}

TEST_F(TextOutput, UpdateCurrentPosition) {
  SetTextAlign(dc_, TA_UPDATECP);
  MoveToEx(dc_, 10, 30, nullptr);
  TextOutW(dc_, 150, 100, u"abc", 3);  // the given point is ignored
  POINT cp{};
  GetCurrentPositionEx(dc_, &cp);
  EXPECT_EQ(cp, (POINT{31, 30}));
  TextOutW(dc_, 0, 0, u"d", 1);
  EXPECT_TRUE(Filled({31, 30, 37, 40}, kBlack));
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 30, 37, 40}));

  SetTextAlign(dc_, TA_UPDATECP | TA_RIGHT);
  MoveToEx(dc_, 100, 60, nullptr);
  TextOutW(dc_, 0, 0, u"ab", 2);
  GetCurrentPositionEx(dc_, &cp);
  EXPECT_EQ(cp, (POINT{86, 60}));
}

TEST_F(TextOutput, UnderlineAndStrikeOutSpanTheRun) {
  LOGFONTW lf = MakeLogFont(kTestFontFace, 0);
  lf.lfUnderline = 1;
  UseFont(lf);
  TextOutW(dc_, 10, 10, u"ab", 2);
  EXPECT_TRUE(Filled({10, 21, 24, 22}, kBlack));  // the row below the baseline, gaps included
  EXPECT_EQ(Pixel(16, 15), kWhite);

  Clear();
  lf.lfUnderline = 0;
  lf.lfStrikeOut = 1;
  UseFont(lf);
  TextOutW(dc_, 10, 10, u"ab", 2);
  EXPECT_TRUE(Filled({10, 15, 24, 16}, kBlack));  // 5 rows above the baseline
  EXPECT_EQ(Pixel(16, 14), kWhite);
  EXPECT_EQ(Pixel(10, 21), kWhite);
}

TEST_F(TextOutput, LogicalCoordinatesFollowTheWindowOrigin) {
  SetWindowOrgEx(dc_, 10, 5, nullptr);
  TextOutW(dc_, 20, 30, u"a", 1);
  SetWindowOrgEx(dc_, 0, 0, nullptr);  // read back in device pixels
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 25, 16, 35}));
}

TEST_F(TextOutput, TheDcClipRegionHolds) {
  IntersectClipRect(dc_, 0, 0, 23, 120);
  TextOutW(dc_, 20, 30, u"ab", 2);
  EXPECT_EQ(Bounds(kBlack), (RECT{20, 30, 23, 40}));
}

TEST_F(TextOutput, Escapement2700RunsDownwardsWithTopsToTheRight) {
  UseFont(MakeLogFont(kTestFontFace, 0, 2700));
  TextOutW(dc_, 50, 40, u"ab", 2);
  EXPECT_EQ(Bounds(kBlack), (RECT{40, 40, 50, 53}));
  EXPECT_TRUE(Filled({40, 40, 50, 46}, kBlack));
  EXPECT_TRUE(Filled({40, 46, 50, 47}, kWhite));

  // Bottom alignment puts the cell's bottom (the descent side) at the reference point.
  Clear();
  SetTextAlign(dc_, TA_BOTTOM | TA_CENTER);
  TextOutW(dc_, 100, 60, u"ab", 2);
  EXPECT_EQ(Bounds(kBlack), (RECT{103, 53, 113, 66}));
}

TEST_F(TextOutput, Escapement1800IsUpsideDown) {
  UseFont(MakeLogFont(kTestFontFace, 0, 1800));
  TextOutW(dc_, 100, 60, u"ab", 2);
  EXPECT_EQ(Bounds(kBlack), (RECT{87, 50, 100, 60}));
  EXPECT_TRUE(Filled({94, 50, 100, 60}, kBlack));  // "a" left of the reference point
}

TEST_F(TextOutput, AnyAngleStaysInsideTheTurnedCell) {
  UseFont(MakeLogFont(kTestFontFace, 0, 450));
  TextOutW(dc_, 50, 80, u"abcd", 4);
  // The cell [0, 28) x [0, 13) turned 45 degrees about (50, 80): x + 0.707 (u + v), y + 0.707 (v - u).
  RECT ink = Bounds(kBlack);
  EXPECT_GE(ink.left, 50);
  EXPECT_LE(ink.right, 50 + 29);
  EXPECT_GE(ink.top, 80 - 20);
  EXPECT_LE(ink.bottom, 80 + 10);
  EXPECT_GT(Count(kBlack), 4 * 6 * 10 * 8 / 10);  // about the area of four boxes
  EXPECT_LT(Count(kBlack), 4 * 6 * 10 * 12 / 10);
}

TEST_F(TextOutput, RotatedCurrentPositionMovesAlongTheBaseline) {
  UseFont(MakeLogFont(kTestFontFace, 0, 900));
  SetTextAlign(dc_, TA_UPDATECP);
  MoveToEx(dc_, 50, 100, nullptr);
  TextOutW(dc_, 0, 0, u"abc", 3);
  POINT cp{};
  GetCurrentPositionEx(dc_, &cp);
  EXPECT_EQ(cp, (POINT{50, 79}));
}

TEST_F(TextOutput, CharacterExtraWidensEveryCharacter) {
  gdi::FindDC(dc_)->state.textCharExtra = 3;
  TextOutW(dc_, 10, 10, u"ab", 2);
  EXPECT_TRUE(Filled({30, 10, 36, 20}, kWhite));
  EXPECT_TRUE(Filled({20, 10, 26, 20}, kBlack));  // "b" at 10 + 7 + 3
  SIZE size{};
  GetTextExtentPoint32W(dc_, u"ab", 2, &size);
  EXPECT_EQ(size.cx, 20);
}

TEST_F(TextOutput, AnsiTextGoesThroughWindowsCyrillic) {
  // "При" in CP1251: three characters, three boxes.
  ASSERT_TRUE(TextOutA(dc_, 10, 10, "\xCF\xF0\xE8", 3));
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 10, 30, 20}));
  Clear();
  const INT dx[2] = {20, 20};
  ASSERT_TRUE(ExtTextOutA(dc_, 10, 10, 0, nullptr, "\xCF\xF0", 2, dx));
  EXPECT_TRUE(Filled({30, 10, 36, 20}, kBlack));
}

TEST_F(TextOutput, BadArgumentsFail) {
  EXPECT_FALSE(TextOutW(nullptr, 0, 0, u"a", 1));
  EXPECT_FALSE(TextOutW(reinterpret_cast<HDC>(bitmap_), 0, 0, u"a", 1));
  EXPECT_FALSE(TextOutW(dc_, 0, 0, nullptr, 3));
  EXPECT_FALSE(TextOutW(dc_, 0, 0, u"a", -1));
  EXPECT_FALSE(ExtTextOutW(dc_, 0, 0, 0, nullptr, u"a", 0x7FFFFFFF, nullptr));
  EXPECT_TRUE(TextOutW(dc_, 0, 0, u"", 0));
  // Spacing that reaches beyond any coordinate is refused, not wrapped around.
  const INT far[3] = {2000000000, 2000000000, 7};
  EXPECT_FALSE(ExtTextOutW(dc_, 0, 0, 0, nullptr, u"abc", 3, far));
  gdi::FindDC(dc_)->state.textCharExtra = 2000000000;
  EXPECT_FALSE(TextOutW(dc_, 0, 0, u"abc", 3));
  SIZE size{};
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, u"abc", 3, &size));
  gdi::FindDC(dc_)->state.textCharExtra = 0;
  EXPECT_EQ(Count(kBlack), 0);
  // The current position saturates instead of overflowing.
  SetTextAlign(dc_, TA_UPDATECP);
  MoveToEx(dc_, 2147483600, 0, nullptr);
  EXPECT_TRUE(TextOutW(dc_, 0, 0, u"abcdefghijklmn", 14));
  POINT cp{};
  GetCurrentPositionEx(dc_, &cp);
  EXPECT_EQ(cp.x, 2147483647);
}

// Real faces: text lands inside its cell; no assumption about individual anti-aliased pixels.
TEST_F(TextOutput, RealFaceInkStaysInsideTheCell) {
  LOGFONTW lf = MakeLogFont(u"Arial", -20);
  lf.lfQuality = NONANTIALIASED_QUALITY;
  UseFont(lf);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  SIZE size{};
  GetTextExtentPoint32W(dc_, u"HHH", 3, &size);
  TextOutW(dc_, 20, 30, u"HHH", 3);
  RECT ink = Bounds(kBlack);
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 20 + size.cx);
  EXPECT_GE(ink.top, 30);
  EXPECT_LE(ink.bottom, 30 + tm.tmAscent);
  // Without anti-aliasing every painted pixel is the text colour.
  int painted = kWidth * kHeight - Count(kWhite);
  EXPECT_GT(painted, 50);
  EXPECT_EQ(painted, Count(kBlack));
}

}  // namespace
}  // namespace win::testing
