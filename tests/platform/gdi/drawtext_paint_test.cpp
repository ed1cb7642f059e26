// DrawText on a DC with the test font: what lands where, prefix underlines, clipping, the
// parameter block, the string written back and the ANSI entry.

#include "text_test_support.h"

#include <cstring>
#include <string>

namespace win::testing {
namespace {

class DrawTextPaint : public TextCanvas {};

TEST_F(DrawTextPaint, CentredSingleLine) {
  RECT r{0, 0, 100, 40};
  EXPECT_EQ(DrawTextW(dc_, u"ab", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 26);
  EXPECT_EQ(Bounds(kBlack), (RECT{43, 13, 56, 23}));
  EXPECT_EQ(r, (RECT{0, 0, 100, 40}));  // untouched without DT_CALCRECT
}

TEST_F(DrawTextPaint, IgnoresTheDcTextAlignment) {
  SetTextAlign(dc_, TA_RIGHT | TA_BOTTOM | TA_UPDATECP);
  RECT r{10, 10, 100, 40};
  DrawTextW(dc_, u"ab", 2, &r, DT_LEFT);
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 10, 23, 20}));
}

TEST_F(DrawTextPaint, PrefixUnderlinesItsCharacter) {
  RECT r{10, 10, 150, 40};
  DrawTextW(dc_, u"a&bc", -1, &r, DT_LEFT);
  EXPECT_TRUE(Filled({17, 21, 24, 22}, kBlack));  // under "b", its whole advance
  EXPECT_EQ(Pixel(16, 21), kWhite);
  EXPECT_EQ(Pixel(24, 21), kWhite);
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 10, 30, 22}));
}

TEST_F(DrawTextPaint, DoubleAmpersandIsLiteralAndNotUnderlined) {
  RECT r{10, 10, 150, 40};
  DrawTextW(dc_, u"a&&b", -1, &r, DT_LEFT);
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 10, 30, 20}));  // three boxes, nothing below
}

TEST_F(DrawTextPaint, HiddenPrefixAndPrefixOnly) {
  RECT r{10, 10, 150, 40};
  DrawTextW(dc_, u"a&bc", -1, &r, DT_HIDEPREFIX);
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 10, 30, 20}));

  Clear();
  DrawTextW(dc_, u"a&bc", -1, &r, DT_PREFIXONLY);
  EXPECT_EQ(Bounds(kBlack), (RECT{17, 21, 24, 22}));

  Clear();
  DrawTextW(dc_, u"a&bc", -1, &r, DT_NOPREFIX);
  EXPECT_EQ(Bounds(kBlack), (RECT{10, 10, 37, 20}));  // four boxes, "&" included
}

TEST_F(DrawTextPaint, ClipsToTheRectangleUnlessNoClip) {
  RECT r{0, 0, 20, 20};
  DrawTextW(dc_, u"abcdefgh", -1, &r, DT_SINGLELINE);
  EXPECT_EQ(Bounds(kBlack), (RECT{0, 0, 20, 10}));
  Clear();
  DrawTextW(dc_, u"abcdefgh", -1, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_EQ(Bounds(kBlack), (RECT{0, 0, 55, 10}));
}

TEST_F(DrawTextPaint, CalcRectMeasuresWithoutPainting) {
  RECT r{5, 5, 6, 6};
  EXPECT_EQ(DrawTextW(dc_, u"Hello", -1, &r, DT_SINGLELINE | DT_CALCRECT), 13);
  EXPECT_EQ(r, (RECT{5, 5, 40, 18}));
  RECT wrap{0, 0, 48, 1};
  EXPECT_EQ(DrawTextW(dc_, u"aaa bbb ccc", -1, &wrap, DT_WORDBREAK | DT_CALCRECT), 39);
  EXPECT_EQ(wrap, (RECT{0, 0, 21, 39}));
  EXPECT_EQ(Count(kBlack), 0);
}

TEST_F(DrawTextPaint, WordBreakPaintsEachLine) {
  RECT r{0, 0, 48, 100};
  EXPECT_EQ(DrawTextW(dc_, u"aaa bbb ccc", -1, &r, DT_WORDBREAK | DT_RIGHT), 39);
  EXPECT_EQ(Bounds(kBlack), (RECT{27, 0, 47, 36}));
  EXPECT_TRUE(Filled({27, 13, 33, 23}, kBlack));  // first "b" of the second line
}

TEST_F(DrawTextPaint, OpaqueBackgroundCoversTheTextCellOnly) {
  const COLORREF yellow = RGB(255, 255, 0);
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, yellow);
  RECT r{0, 0, 100, 40};
  DrawTextW(dc_, u"ab", -1, &r, DT_SINGLELINE | DT_CENTER);
  EXPECT_EQ(Bounds(yellow), (RECT{43, 0, 57, 13}));
}

TEST_F(DrawTextPaint, ModifyStringWritesTheShownText) {
  WCHAR buffer[32] = {};
  std::u16string_view source = u"abcdefghij";
  std::copy(source.begin(), source.end(), buffer);
  RECT r{0, 0, 50, 20};
  DrawTextW(dc_, buffer, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(std::u16string_view(buffer), u"abcd...");
  EXPECT_EQ(Bounds(kBlack), (RECT{0, 0, 48, 10}));  // "abcd" and three dots

  // Without DT_MODIFYSTRING the buffer stays as it was.
  std::copy(source.begin(), source.end(), buffer);
  DrawTextW(dc_, buffer, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(std::u16string_view(buffer), source);
  // Text that fits is not touched.
  WCHAR fits[16] = u"abc";
  DrawTextW(dc_, fits, 3, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(std::u16string_view(fits), u"abc");
}

TEST_F(DrawTextPaint, ParameterBlockGivesMarginsTabsAndLength) {
  DRAWTEXTPARAMS params;
  params.iLeftMargin = 5;
  params.iRightMargin = 7;
  params.iTabLength = 2;
  WCHAR text[] = u"ab\tc";
  RECT r{0, 0, 100, 20};
  EXPECT_EQ(DrawTextExW(dc_, text, -1, &r, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | DT_CALCRECT, &params), 13);
  EXPECT_EQ(r, (RECT{0, 0, 5 + 35 + 7, 13}));
  EXPECT_EQ(params.uiLengthDrawn, 4u);
  r = RECT{0, 0, 100, 20};
  DrawTextExW(dc_, text, -1, &r, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP, &params);
  EXPECT_TRUE(Filled({33, 0, 39, 10}, kBlack));  // "c" at the 28-pixel stop after the margin

  DRAWTEXTPARAMS wrongSize;
  wrongSize.cbSize = 4;
  EXPECT_EQ(DrawTextExW(dc_, text, -1, &r, 0, &wrongSize), 0);
}

TEST_F(DrawTextPaint, TabStopInTheFormatWord) {
  RECT r{0, 0, 150, 20};
  // Tab length 2 in bits 8-15.
  DrawTextW(dc_, u"ab\tc", -1, &r, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (2u << 8));
  EXPECT_TRUE(Filled({28, 0, 34, 10}, kBlack));
  EXPECT_EQ(Bounds(kBlack), (RECT{0, 0, 34, 10}));
}

TEST_F(DrawTextPaint, AnsiTextAndItsWriteBack) {
  RECT r{0, 0, 1, 1};
  // "Привет" in CP1251 measures six characters.
  EXPECT_EQ(DrawTextA(dc_, "\xCF\xF0\xE8\xE2\xE5\xF2", -1, &r, DT_SINGLELINE | DT_CALCRECT), 13);
  EXPECT_EQ(r.right, 42);

  char buffer[32] = "\xCF\xF0\xE8\xE2\xE5\xF2\xCF\xF0\xE8\xE2";
  r = RECT{0, 0, 50, 20};
  DrawTextA(dc_, buffer, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_STREQ(buffer, "\xCF\xF0\xE8\xE2...");
  EXPECT_EQ(Bounds(kBlack), (RECT{0, 0, 48, 10}));
}

TEST_F(DrawTextPaint, BadArgumentsReturnZero) {
  RECT r{0, 0, 100, 20};
  EXPECT_EQ(DrawTextW(nullptr, u"a", 1, &r, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, u"a", 1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, nullptr, 3, &r, 0), 0);
  EXPECT_EQ(DrawTextA(dc_, nullptr, 3, &r, 0), 0);
  EXPECT_EQ(DrawTextW(dc_, u"", 0, &r, 0), 0);
  EXPECT_EQ(Count(kBlack), 0);
}

// A count of zero draws nothing of the text, even when the text itself is not empty; only a
// negative count means "up to the terminating zero".
TEST_F(DrawTextPaint, ZeroCountDrawsNoneOfTheText) {
  RECT r{0, 0, 100, 20};
  DrawTextA(dc_, "abc", 0, &r, DT_SINGLELINE);
  DrawTextW(dc_, u"abc", 0, &r, DT_SINGLELINE);
  EXPECT_EQ(Count(kBlack), 0);
  RECT measured{0, 0, 1, 1};
  DrawTextA(dc_, "abc", 0, &measured, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(measured.right, 0);
  DrawTextA(dc_, "abc", -1, &r, DT_SINGLELINE);
  EXPECT_GT(Count(kBlack), 0);
}

TEST_F(DrawTextPaint, RotatedFontDrawsEachLineAboutItsOrigin) {
  UseFont(MakeLogFont(kTestFontFace, 0, 900));
  RECT r{50, 80, 150, 120};
  DrawTextW(dc_, u"ab", -1, &r, DT_NOCLIP);
  EXPECT_EQ(Bounds(kBlack), (RECT{50, 67, 60, 80}));
}

}  // namespace
}  // namespace win::testing
