#include <gtest/gtest.h>

#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/painting/userdraw_surface.h"

namespace win {
namespace {

using testing_support::Surface;

constexpr COLORREF kBack = testing_support::DistinctSysColors::kBackground;

class EdgeTest : public ::testing::Test {
 protected:
  testing_support::DistinctSysColors colors;
  const std::map<char, COLORREF>& legend = colors.legend;
};

TEST_F(EdgeTest, RaisedEdgeDrawsTopLeftThenBottomRightOverTheCorners) {
  Surface s(8, 7, kBack);
  RECT r{1, 1, 7, 6};
  ASSERT_TRUE(DrawEdge(s.dc(), &r, EDGE_RAISED, BF_RECT));
  EXPECT_TRUE(s.Matches(0, 0,
                        {"........",
                         ".LLLLLD.",
                         ".LHHHSD.",
                         ".LH..SD.",
                         ".LSSSSD.",
                         ".DDDDDD.",
                         "........"},
                        legend));
  EXPECT_EQ(r, (RECT{1, 1, 7, 6}));  // no BF_ADJUST: untouched
}

TEST_F(EdgeTest, SunkenEtchedAndBumpUseTheirBorderColours) {
  Surface sunken(6, 5, kBack);
  RECT r{0, 0, 6, 5};
  DrawEdge(sunken.dc(), &r, EDGE_SUNKEN, BF_RECT);
  EXPECT_TRUE(sunken.Matches(0, 0, {"SSSSSH", "SDDDLH", "SD..LH", "SLLLLH", "HHHHHH"}, legend));

  Surface etched(6, 5, kBack);
  DrawEdge(etched.dc(), &r, EDGE_ETCHED, BF_RECT);
  EXPECT_TRUE(etched.Matches(0, 0, {"SSSSSH", "SHHHSH", "SH..SH", "SSSSSH", "HHHHHH"}, legend));

  Surface bump(6, 5, kBack);
  DrawEdge(bump.dc(), &r, EDGE_BUMP, BF_RECT);
  EXPECT_TRUE(bump.Matches(0, 0, {"LLLLLD", "LDDDLD", "LD..LD", "LLLLLD", "DDDDDD"}, legend));
}

TEST_F(EdgeTest, SoftChangesOnlyTheTopLeftColours) {
  Surface raised(6, 5, kBack);
  RECT r{0, 0, 6, 5};
  DrawEdge(raised.dc(), &r, EDGE_RAISED, BF_RECT | BF_SOFT);
  EXPECT_TRUE(raised.Matches(0, 0, {"HHHHHD", "HLLLSD", "HL..SD", "HSSSSD", "DDDDDD"}, legend));
  Surface sunken(6, 5, kBack);
  DrawEdge(sunken.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_SOFT);
  EXPECT_TRUE(sunken.Matches(0, 0, {"DDDDDH", "DSSSLH", "DS..LH", "DLLLLH", "HHHHHH"}, legend));
}

TEST_F(EdgeTest, FlatAndMonoAreOneColourPerBorderAndFillTheMiddleWithWindow) {
  Surface flat(6, 5, kBack);
  RECT r{0, 0, 6, 5};
  DrawEdge(flat.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE);
  EXPECT_TRUE(flat.Matches(0, 0, {"SSSSSS", "SFFFFS", "SFWWFS", "SFFFFS", "SSSSSS"}, legend));
  Surface mono(6, 5, kBack);
  DrawEdge(mono.dc(), &r, EDGE_RAISED, BF_RECT | BF_MONO | BF_FLAT | BF_MIDDLE);
  EXPECT_TRUE(mono.Matches(0, 0, {"KKKKKK", "KWWWWK", "KWWWWK", "KWWWWK", "KKKKKK"}, legend));
}

TEST_F(EdgeTest, MiddleFillsInsideTheDrawnSidesOnly) {
  Surface s(6, 5, kBack);
  RECT r{0, 0, 6, 5};
  ASSERT_TRUE(DrawEdge(s.dc(), &r, BDR_RAISEDINNER, BF_TOPLEFT | BF_MIDDLE));
  EXPECT_TRUE(s.Matches(0, 0, {"HHHHHH", "HFFFFF", "HFFFFF", "HFFFFF", "HFFFFF"}, legend));
  Surface br(5, 4, kBack);
  RECT r2{0, 0, 5, 4};
  DrawEdge(br.dc(), &r2, EDGE_SUNKEN, BF_BOTTOMRIGHT);
  EXPECT_TRUE(br.Matches(0, 0, {"...LH", "...LH", "LLLLH", "HHHHH"}, legend));
}

TEST_F(EdgeTest, AdjustShrinksByTheBordersOnTheDrawnSides) {
  Surface s(10, 10, kBack);
  RECT r{0, 0, 10, 10};
  DrawEdge(s.dc(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
  r = RECT{0, 0, 10, 10};
  DrawEdge(s.dc(), &r, BDR_SUNKENOUTER, BF_LEFT | BF_BOTTOM | BF_ADJUST);
  EXPECT_EQ(r, (RECT{1, 0, 10, 9}));
  r = RECT{0, 0, 10, 10};
  DrawEdge(s.dc(), &r, EDGE_ETCHED, BF_TOP | BF_RIGHT | BF_ADJUST | BF_FLAT);
  EXPECT_EQ(r, (RECT{0, 2, 8, 10}));
}

TEST_F(EdgeTest, DegenerateRectanglesAndBadArgumentsAreSafe) {
  Surface s(4, 4, kBack);
  RECT thin{1, 1, 2, 3};
  EXPECT_TRUE(DrawEdge(s.dc(), &thin, EDGE_RAISED, BF_RECT | BF_MIDDLE));
  RECT inverted{3, 3, 1, 1};
  EXPECT_TRUE(DrawEdge(s.dc(), &inverted, EDGE_RAISED, BF_RECT | BF_MIDDLE));
  EXPECT_EQ(s.At(0, 0), kBack);
  EXPECT_EQ(s.At(3, 3), kBack);
  RECT r{0, 0, 4, 4};
  EXPECT_FALSE(DrawEdge(nullptr, &r, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(DrawEdge(s.dc(), nullptr, EDGE_RAISED, BF_RECT));
  EXPECT_FALSE(DrawEdge(s.dc(), &r, EDGE_RAISED, BF_RECT | BF_DIAGONAL));
  EXPECT_FALSE(DrawEdge(reinterpret_cast<HDC>(uintptr_t(0xABCDEF)), &r, EDGE_RAISED, BF_RECT));
}

TEST_F(EdgeTest, EdgesFollowTheWindowOrigin) {
  Surface s(6, 5, kBack);
  SetViewportOrgEx(s.dc(), 2, 1, nullptr);
  RECT r{0, 0, 3, 3};
  DrawEdge(s.dc(), &r, BDR_RAISEDOUTER, BF_RECT);
  EXPECT_TRUE(s.Matches(0, 0, {"......", "..LLD.", "..L.D.", "..DDD.", "......"}, legend));
}

class SysColorBrushTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetSysColors(); }
};

TEST_F(SysColorBrushTest, BrushesPaintTheCurrentColourAndOutliveChanges) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  EXPECT_EQ(GetSysColorBrush(-1), nullptr);
  EXPECT_EQ(GetSysColorBrush(kSysColorCount), nullptr);

  const INT idx[] = {COLOR_BTNFACE};
  const COLORREF rgb[] = {RGB(9, 8, 7)};
  ASSERT_TRUE(SetSysColors(1, idx, rgb));
  HBRUSH changed = GetSysColorBrush(COLOR_BTNFACE);
  EXPECT_NE(changed, face);
  Surface s(2, 1, kBack);
  RECT left{0, 0, 1, 1}, right{1, 0, 2, 1};
  EXPECT_TRUE(FillRect(s.dc(), &left, face));  // the old handle still paints, in the old colour
  FillRect(s.dc(), &right, changed);
  EXPECT_EQ(s.At(0, 0), RGB(212, 208, 200));
  EXPECT_EQ(s.At(1, 0), RGB(9, 8, 7));

  // A caller deleting it does no lasting harm: the next call makes a new one.
  DeleteObject(changed);
  HBRUSH again = GetSysColorBrush(COLOR_BTNFACE);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(GetObjectType(again), OBJ_BRUSH);
}

}  // namespace
}  // namespace win
