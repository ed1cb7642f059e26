#include <gtest/gtest.h>

#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/painting/userdraw_surface.h"

namespace win {
namespace {

using testing_support::DistinctSysColors;
using testing_support::Surface;

constexpr COLORREF kFrameBack = DistinctSysColors::kBackground;

class FrameControlTest : public ::testing::Test {
 protected:
  DistinctSysColors colors;
  const std::map<char, COLORREF>& legend = colors.legend;

  // Pixels of `color` in the surface.
  static int Count(const Surface& s, COLORREF color) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) n += s.At(x, y) == color;
    return n;
  }
};

TEST_F(FrameControlTest, PushButtonUpDownAndLatched) {
  RECT r{0, 0, 8, 6};
  Surface up(8, 6, kFrameBack);
  ASSERT_TRUE(DrawFrameControl(up.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_TRUE(up.Matches(0, 0, {"HHHHHHHD", "HLLLLLSD", "HLFFFFSD", "HLFFFFSD", "HSSSSSSD", "DDDDDDDD"}, legend));

  Surface down(8, 6, kFrameBack);
  DrawFrameControl(down.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_TRUE(down.Matches(0, 0, {"DDDDDDDH", "DSSSSSLH", "DSFFFFLH", "DSFFFFLH", "DLLLLLLH", "HHHHHHHH"}, legend));

  // Latched (checked, not pushed): the middle is a checkerboard, highlight where x + y is even.
  Surface latched(8, 6, kFrameBack);
  DrawFrameControl(latched.dc(), &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED);
  EXPECT_TRUE(latched.Matches(0, 0, {"DDDDDDDH", "DSSSSSLH", "DSHFHFLH", "DSFHFHLH", "DLLLLLLH", "HHHHHHHH"}, legend));

  Surface flat(8, 6, kFrameBack);
  RECT adjusted = r;
  DrawFrameControl(flat.dc(), &adjusted, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT | DFCS_ADJUSTRECT);
  EXPECT_EQ(adjusted, (RECT{2, 2, 6, 4}));
  EXPECT_TRUE(flat.Matches(0, 0, {"SSSSSSSS", "SFFFFFFS", "SFWWWWFS", "SFWWWWFS", "SFFFFFFS", "SSSSSSSS"}, legend));
}

TEST_F(FrameControlTest, CheckedCheckBoxHasTheSevenBySevenMark) {
  Surface s(13, 13, kFrameBack);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(s.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
  EXPECT_TRUE(s.Matches(0, 0,
                        {"SSSSSSSSSSSSH",
                         "SDDDDDDDDDDLH",
                         "SDWWWWWWWWWLH",
                         "SDWWWWWWWXWLH",
                         "SDWWWWWWXXWLH",
                         "SDWXWWWXXXWLH",
                         "SDWXXWXXXWWLH",
                         "SDWXXXXXWWWLH",
                         "SDWWXXXWWWWLH",
                         "SDWWWXWWWWWLH",
                         "SDWWWWWWWWWLH",
                         "SLLLLLLLLLLLH",
                         "HHHHHHHHHHHHH"},
                        legend));
}

TEST_F(FrameControlTest, CheckBoxStates) {
  RECT r{0, 0, 13, 13};
  Surface inactive(13, 13, kFrameBack);
  DrawFrameControl(inactive.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
  EXPECT_EQ(inactive.At(9, 3), legend.at('S'));  // grey mark
  EXPECT_EQ(inactive.At(2, 2), legend.at('F'));  // face middle
  Surface unchecked(13, 13, kFrameBack);
  DrawFrameControl(unchecked.dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(Count(unchecked, legend.at('X')), 0);
  EXPECT_EQ(Count(unchecked, legend.at('W')), 81);
  Surface mixed(13, 13, kFrameBack);
  DrawFrameControl(mixed.dc(), &r, DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED);
  EXPECT_EQ(mixed.At(9, 3), legend.at('S'));
  EXPECT_EQ(mixed.At(2, 2), legend.at('H'));  // checkerboard, x + y even
  EXPECT_EQ(mixed.At(3, 2), legend.at('F'));
  // A wider rectangle centres the largest square.
  Surface wide(20, 13, kFrameBack);
  RECT w{0, 0, 20, 13};
  DrawFrameControl(wide.dc(), &w, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(wide.At(2, 0), kFrameBack);
  EXPECT_EQ(wide.At(3, 0), legend.at('S'));
  EXPECT_EQ(wide.At(15, 12), legend.at('H'));
  EXPECT_EQ(wide.At(16, 12), kFrameBack);
}

TEST_F(FrameControlTest, CheckedRadioButton) {
  Surface s(13, 13, kFrameBack);
  RECT r{0, 0, 13, 13};
  ASSERT_TRUE(DrawFrameControl(s.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
  EXPECT_TRUE(s.Matches(0, 0,
                        {"....SSSS.....",
                         "..SSDDDDSS...",
                         ".SDDWWWWDLH..",
                         ".SDWWWWWWLH..",
                         "SDWWWXXWWWLH.",
                         "SDWWXXXXWWLH.",
                         "SDWWXXXXWWLH.",
                         "SDWWWXXWWWLH.",
                         ".SDWWWWWWLH..",
                         ".SLLWWWWLLH..",
                         "..HHLLLLHH...",
                         "....HHHH.....",
                         "............."},
                        legend));
  EXPECT_FALSE(DrawFrameControl(s.dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK));
}

TEST_F(FrameControlTest, ScrollArrowsPointTheirWay) {
  RECT r{0, 0, 16, 16};
  Surface down(16, 16, kFrameBack);
  ASSERT_TRUE(DrawFrameControl(down.dc(), &r, DFC_SCROLL, DFCS_SCROLLDOWN));
  EXPECT_TRUE(down.Matches(0, 5, {"HLFFFFFFFFFFFFSD", "HLFFTTTTTTTFFFSD", "HLFFFTTTTTFFFFSD", "HLFFFFTTTFFFFFSD",
                                  "HLFFFFFTFFFFFFSD", "HLFFFFFFFFFFFFSD"},
                           legend));
  EXPECT_EQ(Count(down, legend.at('T')), 16);

  Surface up(16, 16, kFrameBack);
  DrawFrameControl(up.dc(), &r, DFC_SCROLL, DFCS_SCROLLUP);
  EXPECT_TRUE(up.Matches(4, 6, {"...T...", "..TTT..", ".TTTTT.", "TTTTTTT"}, {{'T', legend.at('T')}, {'.', legend.at('F')}}));

  Surface left(16, 16, kFrameBack);
  DrawFrameControl(left.dc(), &r, DFC_SCROLL, DFCS_SCROLLLEFT);
  EXPECT_TRUE(left.Matches(6, 4, {"...T", "..TT", ".TTT", "TTTT", ".TTT", "..TT", "...T"},
                           {{'T', legend.at('T')}, {'.', legend.at('F')}}));

  Surface right(16, 16, kFrameBack);
  DrawFrameControl(right.dc(), &r, DFC_SCROLL, DFCS_SCROLLRIGHT);
  EXPECT_TRUE(right.Matches(6, 4, {"T...", "TT..", "TTT.", "TTTT", "TTT.", "TT..", "T..."},
                            {{'T', legend.at('T')}, {'.', legend.at('F')}}));
}

TEST_F(FrameControlTest, PushedAndInactiveArrows) {
  RECT r{0, 0, 16, 16};
  Surface pushed(16, 16, kFrameBack);
  DrawFrameControl(pushed.dc(), &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED);
  EXPECT_EQ(pushed.At(0, 0), legend.at('S'));
  EXPECT_EQ(pushed.At(15, 15), legend.at('S'));
  EXPECT_EQ(pushed.At(1, 1), legend.at('F'));
  EXPECT_EQ(pushed.At(4, 6), legend.at('F'));
  EXPECT_EQ(pushed.At(5, 7), legend.at('T'));  // one pixel down and right
  EXPECT_EQ(pushed.At(11, 7), legend.at('T'));
  EXPECT_EQ(Count(pushed, legend.at('T')), 16);

  Surface inactive(16, 16, kFrameBack);
  DrawFrameControl(inactive.dc(), &r, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
  EXPECT_EQ(inactive.At(4, 6), legend.at('S'));
  EXPECT_EQ(inactive.At(11, 7), legend.at('H'));  // the highlight copy shows past the shadow
  EXPECT_EQ(inactive.At(8, 10), legend.at('H'));
  EXPECT_EQ(Count(inactive, legend.at('T')), 0);
}

TEST_F(FrameControlTest, SizeGripStripes) {
  RECT r{0, 0, 16, 16};
  Surface s(16, 16, kFrameBack);
  ASSERT_TRUE(DrawFrameControl(s.dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP));
  EXPECT_TRUE(s.Matches(0, 15, {"FFFFHSSFHSSFHSSF"}, legend));
  EXPECT_TRUE(s.Matches(15, 0, {"F", "F", "F", "F", "H", "S", "S", "F", "H", "S", "S", "F", "H", "S", "S", "F"}, legend));
  EXPECT_EQ(s.At(12, 12), legend.at('S'));  // k = 6
  EXPECT_EQ(s.At(12, 11), legend.at('H'));  // k = 7
  EXPECT_EQ(s.At(11, 11), legend.at('F'));  // k = 8
  Surface mirrored(16, 16, kFrameBack);
  DrawFrameControl(mirrored.dc(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIPRIGHT);
  EXPECT_TRUE(mirrored.Matches(0, 15, {"FSSHFSSHFSSHFFFF"}, legend));
}

TEST_F(FrameControlTest, CaptionButtonsCarryTheirGlyph) {
  RECT r{0, 0, 16, 14};
  Surface close(16, 14, kFrameBack);
  ASSERT_TRUE(DrawFrameControl(close.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE));
  std::map<char, COLORREF> glyph = {{'X', legend.at('T')}, {'.', legend.at('F')}};
  EXPECT_TRUE(close.Matches(4, 3, {"XX....XX", ".XX..XX.", "..XXXX..", "...XX...", "..XXXX..", ".XX..XX.", "XX....XX"}, glyph));
  EXPECT_EQ(close.At(0, 0), legend.at('H'));

  Surface pushed(16, 14, kFrameBack);
  DrawFrameControl(pushed.dc(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_PUSHED);
  EXPECT_EQ(pushed.At(0, 0), legend.at('D'));
  EXPECT_EQ(pushed.At(5, 4), legend.at('T'));
  EXPECT_EQ(pushed.At(4, 3), legend.at('F'));

  Surface max(16, 14, kFrameBack);
  DrawFrameControl(max.dc(), &r, DFC_CAPTION, DFCS_CAPTIONMAX);
  EXPECT_TRUE(max.Matches(3, 2, {"XXXXXXXXX", "XXXXXXXXX", "X.......X"}, glyph));

  Surface inactive(16, 14, kFrameBack);
  DrawFrameControl(inactive.dc(), &r, DFC_CAPTION, DFCS_CAPTIONMIN | DFCS_INACTIVE);
  EXPECT_EQ(inactive.At(4, 9), legend.at('S'));
  EXPECT_EQ(inactive.At(10, 11), legend.at('H'));
  EXPECT_EQ(Count(inactive, legend.at('T')), 0);

  EXPECT_FALSE(DrawFrameControl(close.dc(), &r, DFC_CAPTION, 9));
}

TEST_F(FrameControlTest, MenuMarksAreBlackOnWhiteMasks) {
  RECT r{0, 0, 13, 13};
  Surface check(13, 13, kFrameBack);
  ASSERT_TRUE(DrawFrameControl(check.dc(), &r, DFC_MENU, DFCS_MENUCHECK));
  EXPECT_EQ(Count(check, RGB(0, 0, 0)), 21);
  EXPECT_EQ(Count(check, RGB(255, 255, 255)), 169 - 21);
  EXPECT_EQ(check.At(9, 3), RGB(0, 0, 0));
  EXPECT_EQ(check.At(3, 5), RGB(0, 0, 0));

  Surface arrow(13, 13, kFrameBack);
  DrawFrameControl(arrow.dc(), &r, DFC_MENU, DFCS_MENUARROW);
  EXPECT_TRUE(arrow.Matches(5, 4, {"X..", "XX.", "XXX", "XX.", "X.."},
                            {{'X', RGB(0, 0, 0)}, {'.', RGB(255, 255, 255)}}));

  Surface bullet(13, 13, kFrameBack);
  DrawFrameControl(bullet.dc(), &r, DFC_MENU, DFCS_MENUBULLET);
  EXPECT_EQ(Count(bullet, RGB(0, 0, 0)), 12);
}

TEST_F(FrameControlTest, SmallRectanglesKeepEverythingInside) {
  Surface s(20, 20, kFrameBack);
  RECT tiny{5, 5, 9, 9};
  ASSERT_TRUE(DrawFrameControl(s.dc(), &tiny, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
  ASSERT_TRUE(DrawFrameControl(s.dc(), &tiny, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
  ASSERT_TRUE(DrawFrameControl(s.dc(), &tiny, DFC_CAPTION, DFCS_CAPTIONMAX));
  EXPECT_EQ(Count(s, kFrameBack), 400 - 16);
  // The DC's own clip comes back afterwards.
  RECT all{0, 0, 20, 20};
  EXPECT_TRUE(DrawFrameControl(s.dc(), &all, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(Count(s, kFrameBack), 0);
}

TEST_F(FrameControlTest, UnknownRequestsFailWithoutDrawing) {
  Surface s(8, 8, kFrameBack);
  RECT r{0, 0, 8, 8};
  EXPECT_FALSE(DrawFrameControl(s.dc(), &r, 99, 0));
  EXPECT_FALSE(DrawFrameControl(s.dc(), &r, DFC_SCROLL, 7));
  EXPECT_FALSE(DrawFrameControl(s.dc(), &r, DFC_MENU, 3));
  RECT empty{4, 4, 4, 8};
  EXPECT_FALSE(DrawFrameControl(s.dc(), &empty, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_FALSE(DrawFrameControl(nullptr, &r, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(Count(s, kFrameBack), 64);
}

}  // namespace
}  // namespace win
