#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/kernel/LastError.h"
#include "platform/user/services/SysColors.h"
#include "support/HeadlessFixture.h"
#include "platform/user/windows/Window.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/services/Icons.h"
#include "platform/user/painting/userdraw_surface.h"

namespace win {
namespace {

using testing_support::Surface;

constexpr COLORREF kFill = RGB(0x10, 0x20, 0x30);
constexpr COLORREF kInverted = RGB(0xEF, 0xDF, 0xCF);

TEST(FocusRect, InvertsAlternateBorderPixelsAndUndoesItself) {
  Surface s(8, 6, kFill);
  RECT r{1, 1, 7, 5};
  ASSERT_TRUE(DrawFocusRect(s.dc(), &r));
  // Border pixels whose coordinates add up to an even number are inverted.
  EXPECT_TRUE(s.Matches(0, 0, {"........", ".I.I.I..", "......I.", ".I......", "..I.I.I.", "........"},
                        {{'.', kFill}, {'I', kInverted}}));
  ASSERT_TRUE(DrawFocusRect(s.dc(), &r));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(s.At(x, y), kFill) << x << "," << y;
}

TEST(FocusRect, DotsStayOnTheDeviceGridWhenTheOriginMoves) {
  Surface plain(8, 6, kFill);
  RECT r{1, 1, 7, 5};
  DrawFocusRect(plain.dc(), &r);
  Surface moved(8, 6, kFill);
  SetViewportOrgEx(moved.dc(), 1, 0, nullptr);
  RECT shifted{0, 1, 6, 5};  // the same device pixels
  DrawFocusRect(moved.dc(), &shifted);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(moved.At(x, y), plain.At(x, y)) << x << "," << y;
}

TEST(FocusRect, ThinAndEmptyRectangles) {
  Surface s(6, 3, kFill);
  RECT line{0, 1, 6, 2};  // one row: each pixel inverted at most once
  DrawFocusRect(s.dc(), &line);
  EXPECT_TRUE(s.Matches(0, 1, {".I.I.I"}, {{'.', kFill}, {'I', kInverted}}));
  RECT empty{2, 2, 2, 3};
  EXPECT_TRUE(DrawFocusRect(s.dc(), &empty));
  EXPECT_FALSE(DrawFocusRect(s.dc(), nullptr));
  EXPECT_FALSE(DrawFocusRect(reinterpret_cast<HDC>(uintptr_t(0x4321)), &line));
}

int Differing(const Surface& s, COLORREF base, int fromX, int toX) {
  int n = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = fromX; x < toX; ++x) n += s.At(x, y) != base;
  return n;
}

TEST(FocusRect, HugeRectanglesCostOnlyWhatShows) {
  Surface s(8, 6, kFill);
  RECT huge{-1000000000, 2, 1000000000, 1000000000};  // only its top row crosses the surface
  ASSERT_TRUE(DrawFocusRect(s.dc(), &huge));
  EXPECT_TRUE(s.Matches(0, 2, {"I.I.I.I."}, {{'.', kFill}, {'I', kInverted}}));
  EXPECT_EQ(s.At(0, 3), kFill);
}

class CaptionTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetSysColors(); }
};

TEST_F(CaptionTest, SolidBarsInTheCaptionColours) {
  Surface s(40, 18, kFill);
  RECT r{0, 0, 40, 18};
  ASSERT_TRUE(DrawCaption(nullptr, s.dc(), &r, DC_ACTIVE));
  EXPECT_EQ(Differing(s, GetSysColor(COLOR_ACTIVECAPTION), 0, 40), 0);
  ASSERT_TRUE(DrawCaption(nullptr, s.dc(), &r, 0));
  EXPECT_EQ(Differing(s, GetSysColor(COLOR_INACTIVECAPTION), 0, 40), 0);
  RECT part{5, 2, 10, 4};
  const INT idx[] = {COLOR_ACTIVECAPTION};
  const COLORREF rgb[] = {RGB(1, 2, 3)};
  SetSysColors(1, idx, rgb);
  DrawCaption(nullptr, s.dc(), &part, DC_ACTIVE);
  EXPECT_EQ(s.At(5, 2), RGB(1, 2, 3));
  EXPECT_EQ(s.At(9, 3), RGB(1, 2, 3));
  EXPECT_EQ(s.At(10, 3), GetSysColor(COLOR_INACTIVECAPTION));
  EXPECT_EQ(s.At(5, 4), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(CaptionTest, GradientRunsFromTheCaptionColourToItsGradientColour) {
  Surface s(100, 18, kFill);
  RECT r{0, 0, 100, 18};
  ASSERT_TRUE(DrawCaption(nullptr, s.dc(), &r, DC_ACTIVE | DC_GRADIENT));
  COLORREF from = GetSysColor(COLOR_ACTIVECAPTION), to = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
  EXPECT_EQ(s.At(0, 0), from);
  EXPECT_EQ(s.At(0, 17), from);
  COLORREF last = s.At(99, 9);
  EXPECT_LE(std::abs(int(GetRValue(last)) - GetRValue(to)), 3);
  EXPECT_LE(std::abs(int(GetBValue(last)) - GetBValue(to)), 3);
  for (int x = 1; x < 100; ++x) {
    EXPECT_GE(GetRValue(s.At(x, 5)), GetRValue(s.At(x - 1, 5)));
    EXPECT_GE(GetGValue(s.At(x, 5)), GetGValue(s.At(x - 1, 5)));
    EXPECT_EQ(s.At(x, 0), s.At(x, 17));  // one colour per column
  }
}

class CaptionTextTest : public kvtest::HeadlessTest {};

TEST_F(CaptionTextTest, TextIsTheWindowsAfterAMargin) {
  HWND wnd = Create(WS_OVERLAPPEDWINDOW, RECT{10, 10, 200, 100});
  ASSERT_TRUE(SetWindowTextW(wnd, u"\u041E\u043A\u043D\u043E WWW"));  // "Окно WWW"
  Surface s(120, 18, kFill);
  RECT r{0, 0, 120, 18};
  ASSERT_TRUE(DrawCaption(wnd, s.dc(), &r, DC_ACTIVE | DC_TEXT));
  COLORREF base = GetSysColor(COLOR_ACTIVECAPTION);
  EXPECT_EQ(Differing(s, base, 0, 2), 0);
  EXPECT_GT(Differing(s, base, 2, 120), 20);
  // Without DC_TEXT, without text or without a live window the bar stays plain.
  Surface none(120, 18, kFill);
  DrawCaption(wnd, none.dc(), &r, DC_ACTIVE);
  EXPECT_EQ(Differing(none, base, 0, 120), 0);
  DrawCaption(nullptr, none.dc(), &r, DC_ACTIVE | DC_TEXT);
  EXPECT_EQ(Differing(none, base, 0, 120), 0);
  HWND blank = Create(WS_OVERLAPPEDWINDOW, RECT{10, 10, 200, 100});
  DrawCaption(blank, none.dc(), &r, DC_ACTIVE | DC_TEXT);
  EXPECT_EQ(Differing(none, base, 0, 120), 0);
  DestroyWindow(blank);
  DrawCaption(blank, none.dc(), &r, DC_ACTIVE | DC_TEXT);
  EXPECT_EQ(Differing(none, base, 0, 120), 0);
}

TEST_F(CaptionTextTest, SmallCaptionUsesTheNarrowerFont) {
  HWND wnd = Create(WS_OVERLAPPEDWINDOW, RECT{10, 10, 200, 100});
  SetWindowTextW(wnd, u"WWWWWWWWWW");
  Surface big(200, 18, kFill), small(200, 18, kFill);
  RECT r{0, 0, 200, 18};
  DrawCaption(wnd, big.dc(), &r, DC_ACTIVE | DC_TEXT);
  DrawCaption(wnd, small.dc(), &r, DC_ACTIVE | DC_TEXT | DC_SMALLCAP);
  COLORREF base = GetSysColor(COLOR_ACTIVECAPTION);
  auto rightmost = [&](const Surface& s) {
    int last = -1;
    for (int x = 0; x < 200; ++x)
      for (int y = 0; y < 18; ++y)
        if (s.At(x, y) != base) last = x;
    return last;
  };
  EXPECT_GT(rightmost(big), rightmost(small));  // the caption font is bold
  EXPECT_GT(rightmost(small), 2);
}

TEST(IconDrawing, ADeadHandleDrawsNothing) {
  Surface s(4, 4, kFill);
  SetLastError(0);
  EXPECT_FALSE(DrawIconEx(s.dc(), 0, 0, reinterpret_cast<HICON>(uintptr_t(0x15)), 4, 4, 0, nullptr, 3));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_CURSOR_HANDLE);
  EXPECT_EQ(s.At(0, 0), kFill);
}

}  // namespace
}  // namespace win
