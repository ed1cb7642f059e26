// The kit's small shapes several themes paint with: pointing and spin arrows, button outlines,
// spin halves, separator lines, frame fills round a client, corner pixels, radio rings and the
// images of quiet items.

#include <vector>

#include "themes/ThemeKit.h"
#include "tx/TxTestSupport.h"

namespace {

using namespace tx;
namespace kit = themes::kit;
using txtest::kSentinel;

constexpr TColor kInk = 0x0000FF;

class KitRoutinesTest : public txtest::TxTest {};

TEST_F(KitRoutinesTest, PointingArrowsReachTheirTipAndStopThere) {
  // About (10, 10): half width 3, base 1 behind, tip 2 ahead.
  struct Case {
    Integer type;
    TPoint tip, beyond, baseEnd, pastBase;
  } cases[] = {{PSBT_UP, {10, 8}, {10, 7}, {7, 11}, {10, 12}},
               {PSBT_DOWN, {10, 12}, {10, 13}, {13, 9}, {10, 8}},
               {PSBT_LEFT, {8, 10}, {7, 10}, {11, 7}, {12, 10}},
               {PSBT_RIGHT, {12, 10}, {13, 10}, {9, 13}, {8, 10}}};
  for (const Case& c : cases) {
    fw::TCanvas* canvas = Target(21, 21);
    kit::DrawPointingArrow(canvas, 10, 10, c.type, 3, 1, 2, kInk);
    EXPECT_EQ(Px(c.tip.x, c.tip.y), kInk) << c.type;
    EXPECT_EQ(Px(c.beyond.x, c.beyond.y), kSentinel) << c.type;
    EXPECT_EQ(Px(c.baseEnd.x, c.baseEnd.y), kInk) << c.type;
    EXPECT_EQ(Px(c.pastBase.x, c.pastBase.y), kSentinel) << c.type;
    EXPECT_EQ(ChangedOutside(TRect{7, 7, 14, 14}), 0) << c.type;
  }
  Target(21, 21);
  kit::DrawPointingArrow(bmp->Canvas(), 10, 10, 0, 3, 1, 2, kInk);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0) << "no direction, no arrow";
}

TEST_F(KitRoutinesTest, SpinHalvesShareTheMiddleRowOnlyOnAnOddHeight) {
  EXPECT_EQ(kit::SpinHalf(TRect{0, 0, 10, 9}, 0), (TRect{0, 0, 10, 5}));
  EXPECT_EQ(kit::SpinHalf(TRect{0, 0, 10, 9}, 1), (TRect{0, 4, 10, 9}));
  EXPECT_EQ(kit::SpinHalf(TRect{3, 2, 9, 12}, 0), (TRect{3, 2, 9, 7}));
  EXPECT_EQ(kit::SpinHalf(TRect{3, 2, 9, 12}, 1), (TRect{3, 7, 9, 12}));
  EXPECT_TRUE(kit::SpinHalfPressed(EBDS_PRESSED | EBDS_HOT, 0));
  EXPECT_FALSE(kit::SpinHalfPressed(EBDS_PRESSED, 1));
  EXPECT_TRUE(kit::SpinHalfPressed(EBDS_DOWN_PRESSED, 1));
  EXPECT_FALSE(kit::SpinHalfPressed(EBDS_DOWN_PRESSED | EBDS_DISABLED, 0));
}

TEST_F(KitRoutinesTest, SpinArrowsSitAboutTheHalfsCentre) {
  // Upper half 0..5 of an 8-wide button: centre row (0 + 5 - 1) / 2 = 2, tip one row up.
  fw::TCanvas* c = Target(8, 10);
  kit::DrawSpinArrow(c, TRect{0, 0, 8, 5}, true, kInk, 0);
  EXPECT_EQ(Px(4, 1), kInk);
  EXPECT_EQ(Px(4, 0), kSentinel);
  EXPECT_EQ(Px(2, 3), kInk);
  // Lower half 4..9 moved one pixel right and down: centre (5, 7), tip at row 8.
  c = Target(8, 10);
  kit::DrawSpinArrow(c, TRect{0, 4, 8, 9}, false, kInk, 1);
  EXPECT_EQ(Px(5, 8), kInk);
  EXPECT_EQ(Px(5, 9), kSentinel);
  EXPECT_EQ(Px(3, 6), kInk);
  EXPECT_EQ(Px(2, 6), kSentinel);
}

TEST_F(KitRoutinesTest, ButtonOutlinesCutWhereSplitHalvesMeet) {
  struct Case {
    TTxComboPart part;
    Integer options, splitLeftCut;
    Integer left, right, rectLeft;
  } cases[] = {{cpNone, IO_TOOLBAR_STYLE, 1, 2, 2, 10},       {cpSplitLeft, IO_TOOLBAR_STYLE, 1, 2, 1, 10},
               {cpSplitLeft, IO_TOOLBAR_STYLE, 0, 2, 0, 10},  {cpSplitRight, IO_TOOLBAR_STYLE, 1, 1, 2, 9},
               {cpSplitRight, 0, 1, 1, 1, 9},                  {cpNone, 0, 0, 1, 1, 10}};
  for (const Case& c : cases) {
    TTxItemInfo info{};
    info.ComboPart = c.part;
    info.ItemOptions = c.options;
    const kit::TButtonOutline o(TRect{10, 4, 30, 26}, info, c.splitLeftCut);
    EXPECT_EQ(o.Left, c.left) << int(c.part) << "/" << c.options;
    EXPECT_EQ(o.Right, c.right) << int(c.part) << "/" << c.options;
    EXPECT_EQ(o.R, (TRect{c.rectLeft, 4, 30, 26})) << int(c.part) << "/" << c.options;
  }
}

TEST_F(KitRoutinesTest, SeparatorLinesStayInsideTheirInsetAndRectangle) {
  fw::TCanvas* c = Target(24, 16);
  kit::PaintSeparatorLine(c, TRect{2, 2, 20, 10}, true, 2, kInk);
  EXPECT_EQ(Px(4, 6), kInk);
  EXPECT_EQ(Px(17, 6), kInk);
  EXPECT_EQ(Px(3, 6), kSentinel);
  EXPECT_EQ(Px(18, 6), kSentinel);
  EXPECT_EQ(ChangedOutside(TRect{4, 6, 18, 7}), 0);
  c = Target(24, 16);
  kit::PaintSeparatorLine(c, TRect{2, 2, 8, 14}, false, 1, kInk);
  EXPECT_EQ(Px(5, 3), kInk);
  EXPECT_EQ(Px(5, 12), kInk);
  EXPECT_EQ(ChangedOutside(TRect{5, 3, 6, 13}), 0);
  // A negative inset would reach outside: the rectangle still holds the line.
  c = Target(24, 16);
  kit::PaintSeparatorLine(c, TRect{2, 2, 20, 10}, true, -3, kInk);
  EXPECT_EQ(Px(2, 6), kInk);
  EXPECT_EQ(ChangedOutside(TRect{2, 2, 20, 10}), 0);
}

TEST_F(KitRoutinesTest, FramesFillAroundTheClientAndCornersOnly) {
  fw::TCanvas* c = Target(20, 20);
  TTxFloatingWindowInfo info{};
  info.FloatingBorderSize = TPoint{3, 2};
  const TRect r{1, 1, 19, 17};
  const TRect client = kit::FloatingClient(r, info);
  EXPECT_EQ(client, (TRect{4, 3, 16, 15}));
  kit::FillAround(c, r, client, kInk);
  EXPECT_EQ(Px(1, 1), kInk);
  EXPECT_EQ(Px(18, 16), kInk);
  EXPECT_EQ(Px(3, 8), kInk);
  EXPECT_EQ(ChangedOutside(r), 0);
  for (int y = client.top; y < client.bottom; ++y)
    for (int x = client.left; x < client.right; ++x) ASSERT_EQ(Px(x, y), kSentinel) << x << "," << y;
  // Later painting is not kept from the client.
  kit::Pixel(c, 8, 8, kInk);
  EXPECT_EQ(Px(8, 8), kInk);

  c = Target(10, 10);
  kit::PaintCornerPixels(c, TRect{2, 3, 8, 9}, kInk);
  for (const TPoint& p : {TPoint{2, 3}, TPoint{7, 3}, TPoint{2, 8}, TPoint{7, 8}}) EXPECT_EQ(Px(p.x, p.y), kInk);
  EXPECT_EQ(ChangedOutside(TRect{2, 3, 8, 9}), 0);
  int painted = 0;
  for (int y = 3; y < 9; ++y)
    for (int x = 2; x < 8; ++x) painted += Px(x, y) == kInk;
  EXPECT_EQ(painted, 4);
}

TEST_F(KitRoutinesTest, RadioRingsDotOnlyWhenCheckedAndLeaveASolidBrush) {
  for (bool checked : {false, true}) {
    fw::TCanvas* c = Target(13, 13);
    c->Pen()->SetColor(0x808080);
    c->Brush()->SetStyle(fw::bsClear);
    kit::DrawRadioRing(c, TRect{0, 0, 13, 13}, checked, kInk, 3);
    EXPECT_EQ(Px(6, 6), checked ? kInk : kSentinel) << checked;
    EXPECT_EQ(Px(0, 0), kSentinel) << "the ring's corner stays outside the circle";
    EXPECT_EQ(c->Brush()->Style(), fw::bsSolid) << checked;
    EXPECT_GT(13 * 13 - ChangedOutside(TRect{0, 0, 0, 0}), 0);
  }
}

TEST_F(KitRoutinesTest, QuietImagesArePaintedAndActiveOnesLeftToTheCaller) {
  // A 4 x 4 image: a dark square on a see-through white ground.
  std::vector<TColor> pixels(16, 0xFFFFFF);
  for (int y = 1; y < 3; ++y)
    for (int x = 1; x < 3; ++x) pixels[size_t(y * 4 + x)] = 0x202020;
  auto images = Images(4, 4, pixels, 0xFFFFFF);
  struct Case {
    bool enabled, selected, pushed;
    TTxHoverKind hover;
    bool quiet;
  } cases[] = {{true, false, false, hkNone, true},        {false, false, false, hkNone, true},
               {false, true, true, hkMouseHover, true},   {true, false, false, hkMouseHover, false},
               {true, true, false, hkNone, false},        {true, false, true, hkNone, false}};
  for (const Case& k : cases) {
    for (bool dark : {false, true}) {
      fw::TCanvas* c = Target(8, 8, 0xE0E0E0);
      TTxItemInfo item{};
      item.Enabled = k.enabled;
      item.Selected = k.selected;
      item.Pushed = k.pushed;
      item.HoverKind = k.hover;
      const bool painted = kit::PaintQuietImage(c, TRect{2, 2, 6, 6}, item, images.get(), 0, dark, dark);
      EXPECT_EQ(painted, k.quiet) << k.enabled << k.selected << k.pushed << int(k.hover) << dark;
      const int changed = ChangedOutside(TRect{0, 0, 0, 0}, 0xE0E0E0);
      if (k.quiet)
        EXPECT_GT(changed, 0) << "a quiet image shows";
      else
        EXPECT_EQ(changed, 0) << "an active image is the caller's";
      EXPECT_EQ(ChangedOutside(TRect{2, 2, 6, 6}, 0xE0E0E0), 0);
    }
  }
}

}  // namespace
