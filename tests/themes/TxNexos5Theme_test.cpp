// "Nexos5": its colour table, metrics, the striped background and the pixels its look fixes.

#include "themes/ThemeKit.h"
#include "themes/ThemeList.h"
#include "themes/TxNexos5Theme.h"
#include "themes/vrnThemes.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxNexos5Theme;

class Nexos5Test : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    held = AcquireTheme("Nexos5");
    theme = dynamic_cast<TTxNexos5Theme*>(held);
    ASSERT_NE(theme, nullptr);
  }
  void TearDown() override {
    ReleaseTheme(held);
    DoneTx();
    TxTest::TearDown();
  }
  TTxTheme* held = nullptr;
  TTxNexos5Theme* theme = nullptr;
};

TEST_F(Nexos5Test, RegisteredAfterMirandaWithItsFixedTable) {
  EXPECT_EQ(FindThemeIndex("Nexos5"), FindThemeIndex("Miranda") + 1);
  EXPECT_EQ(themes::TThemeUnit<TTxNexos5Theme>::ThemeInstanceCount, 1);
  EXPECT_EQ(TTxNexos5Theme::LightBaseColor(), 0xF8E1D4);
  EXPECT_EQ(TTxNexos5Theme::CheckedHotColor(), 0xF1D7C8);
  EXPECT_EQ(theme->EditFrameColor, 0xCDCDCD);
  EXPECT_EQ(theme->WinFrameColors[0][0].Border, 0x999999);
  EXPECT_EQ(theme->ButtonColors[1].Frame, 0xE0E0E0);
  EXPECT_EQ(theme->ButtonColors[3].Fill, 0xF8E1D4);
  EXPECT_EQ(theme->ButtonColors[3].Frame, 0xF6DAC9);
  EXPECT_EQ(theme->MenuItemColors[2].Fill, 0xF6DAC9);
  EXPECT_EQ(theme->MenuItemColors[3].Text, 0xC0C0C0);
}

// The frame of a field or group box (an item of an embedded toolbar) shows only while it is hot:
// an enabled group box has no frame, a disabled one a ring in the toolbar's own white.
TEST_F(Nexos5Test, AQuietFrameIsNotDrawn) {
  struct Case {
    bool enabled;
    TTxHoverKind hover;
    int changed;  // -1: some
  } const cases[] = {
      {true, hkNone, 0},
      {true, hkMouseHover, -1},
      {false, hkNone, 2 * (28 + 18) - 4},
  };
  for (const Case& k : cases) {
    fw::TCanvas* c = Target(30, 20);
    TTxItemInfo i;
    i.ViewType = VT_TOOLBAR_NORMAL | VT_EMBEDDED;
    i.ItemOptions = IO_TOOLBAR_STYLE | IO_APP_ACTIVE;
    i.Enabled = k.enabled;
    i.HoverKind = k.hover;
    theme->PaintFrame(c, TRect{0, 0, 30, 20}, i);
    if (k.changed < 0)
      EXPECT_GT(ChangedOutside(TRect{}), 0) << "hot";
    else
      EXPECT_EQ(ChangedOutside(TRect{}), k.changed) << "enabled " << k.enabled;
  }
  EXPECT_EQ(Px(1, 1), 0xFFFFFF) << "the disabled ring, one pixel in";
}

// A popup's frame is one ring in the frame colour around the popup colour; where the popup
// touches the item that opened it, the shared stretch of the ring, one pixel in from each end of
// the item, takes the toolbar colour so that the two read as one.
TEST_F(Nexos5Test, PopupFrameOpensTowardsItsParentItem) {
  ASSERT_NE(theme->PopupFrameColor, theme->PopupColor);
  ASSERT_NE(theme->PopupFrameColor, theme->ToolbarColor);
  struct Case {
    TRect parent;
    TPoint openFrom, openTo;  // the stretch in the toolbar colour, inclusive; none when equal
  } cases[] = {
      {{0, 0, 0, 0}, {0, 0}, {0, 0}},
      {{5, -20, 30, 1}, {6, 0}, {28, 0}},    // the item above
      {{5, 39, 30, 60}, {6, 39}, {28, 39}},  // below
      {{-20, 10, 1, 25}, {0, 11}, {0, 23}},  // to the left
  };
  for (const Case& c : cases) {
    fw::TCanvas* canvas = Target(50, 40);
    TTxPopupInfo info;
    info.ParentRect = c.parent;
    theme->PaintPopupNCArea(canvas, TRect{0, 0, 50, 40}, info);
    const bool opens = c.openFrom.x != c.openTo.x || c.openFrom.y != c.openTo.y;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 50; ++x) {
        const bool ring = x == 0 || y == 0 || x == 49 || y == 39;
        const bool open =
            opens && x >= c.openFrom.x && x <= c.openTo.x && y >= c.openFrom.y && y <= c.openTo.y;
        const TColor expected = open   ? theme->ToolbarColor
                                : ring ? theme->PopupFrameColor
                                       : theme->PopupColor;
        ASSERT_EQ(Px(x, y), expected) << x << "," << y << " parent " << c.parent.left << "," << c.parent.top;
      }
  }
}

TEST_F(Nexos5Test, MetricsAndBorders) {
  const std::pair<Integer, Integer> ints[] = {{10, 12}, {20, 8}, {21, 3}, {32, 0}, {33, 8}, {34, 3}, {35, 3},
                                             {36, 2},  {37, 2}, {50, 5}, {60, 1}, {61, 2}, {62, 2}, {65, 14},
                                             {66, 1},  {11, -1}};
  for (const auto& [id, value] : ints) EXPECT_EQ(theme->GetIntegerMetric(id), value) << id;
  for (Integer id : {5, 6, 7}) EXPECT_TRUE(theme->GetBooleanMetric(id));
  for (Integer id : {1, 3, 4}) EXPECT_FALSE(theme->GetBooleanMetric(id));
  TPoint b;
  for (Integer view : {VT_POPUP_MENU, VT_POPUP_LIST}) {
    theme->GetViewBorder(view, b);
    EXPECT_EQ(b, (TPoint{2, 2}));
  }
}

TEST_F(Nexos5Test, StripesAlignToTheAreaAndStayInTheClip) {
  const TColor stripe = OffsetColor(0xFFFFFF, -12);
  // The whole area: lines at rows 0, 5, 10 of R.
  fw::TCanvas* c = Target(20, 20);
  theme->PaintBackground(c, TRect{}, TRect{0, 2, 20, 20}, TRect{0, 0, 20, 20}, 0xFFFFFF, false, VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Px(3, 2), stripe);
  EXPECT_EQ(Px(3, 3), 0xFFFFFF);
  EXPECT_EQ(Px(3, 7), stripe);
  // A clip starting between two lines paints neither above it nor a line of its own at its top.
  c = Target(20, 20);
  theme->PaintBackground(c, TRect{}, TRect{0, 2, 20, 20}, TRect{0, 9, 20, 20}, 0xFFFFFF, false, VT_TOOLBAR_NORMAL);
  EXPECT_EQ(ChangedOutside(TRect{0, 9, 20, 20}), 0);
  EXPECT_EQ(Px(3, 9), 0xFFFFFF);
  EXPECT_EQ(Px(3, 12), stripe) << "continues the whole area's lines";
  // Dock panels and embedded toolbars: plain.
  c = Target(20, 20);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 20, 20}, TRect{0, 0, 20, 20}, 0xFFFFFF, false, VT_DOCKPANEL_NORMAL);
  EXPECT_EQ(Px(3, 0), 0xFFFFFF);
}

TEST_F(Nexos5Test, SeparatorsAreDotted) {
  fw::TCanvas* c = Target(20, 8);
  TTxItemInfo i;
  i.ViewType = VT_POPUP_MENU;
  theme->PaintSeparator(c, TRect{0, 0, 20, 7}, i, true, false);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(Px(x, 3), x % 3 == 0 ? TColor(0) : txtest::kSentinel) << x;
  c = Target(8, 20);
  theme->PaintSeparator(c, TRect{0, 0, 8, 20}, i, false, false);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0) << "a disabled vertical separator paints nothing";
}

TEST_F(Nexos5Test, SizeGripStartsDark) {
  const TColor dark = MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 64);
  const TColor light = MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, 64);
  fw::TCanvas* c = Target(8, 8);
  theme->PaintStatusBar(c, TRect{0, 0, 8, 8}, SBP_SIZEGRIP);
  EXPECT_EQ(Px(5, 7), dark);
  EXPECT_EQ(Px(4, 7), light);
  EXPECT_EQ(Px(7, 5), dark);
}

TEST_F(Nexos5Test, RadioGradientOfOnePixelRow) {
  fw::TCanvas* c = Target(20, 20);
  themes::kit::RadioRowFillSplit(c, TRect{0, 0, 16, 1}, 0xFFFFFF, 0x000000);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 16, 1}), 0) << "no division by zero, nothing outside";
  c = Target(20, 20);
  themes::kit::RadioRowFillSplit(c, TRect{0, 0, 13, 13}, 0xFFFFFF, 0x000000);
  EXPECT_EQ(Px(6, 0), 0x000000) << "the top row takes C2";
  EXPECT_EQ(Px(0, 0), txtest::kSentinel) << "inset 3";
}

}  // namespace
