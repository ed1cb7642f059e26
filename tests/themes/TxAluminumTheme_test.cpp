// "Aluminum": its colour cache, the two state selectors, metrics, and the pixels it fixes.

#include <cstdlib>

#include "framework/ControlMessages.h"
#include "platform/user/services/SysColors.h"
#include "themes/ThemeList.h"
#include "themes/TxAluminumTheme.h"
#include "themes/vrnThemes.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxAluminumTheme;

class AluminumTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    held = AcquireTheme("Aluminum");
    theme = dynamic_cast<TTxAluminumTheme*>(held);
    ASSERT_NE(theme, nullptr);
  }
  void TearDown() override {
    if (held) ReleaseTheme(held);
    win::ResetSysColors();
    LowColorDisplay = false;
    DoneTx();
    TxTest::TearDown();
  }
  void SetHighlight(win::COLORREF c) {
    const win::INT index = win::COLOR_HIGHLIGHT;
    win::SetSysColors(1, &index, &c);
    fw::TMessage m{TXM_SYSCHANGE, TSC_CHANGE, 0};
    theme->Dispatch(m);
  }
  static TTxItemInfo Item(Integer view, bool enabled, TTxHoverKind hover = hkNone) {
    TTxItemInfo i;
    i.ViewType = view;
    i.Enabled = enabled;
    i.HoverKind = hover;
    return i;
  }
  TTxTheme* held = nullptr;
  TTxAluminumTheme* theme = nullptr;
};

TEST_F(AluminumTest, RegisteredAfterDefaultBeforeDefaultXP) {
  const Integer alu = FindThemeIndex("Aluminum");
  EXPECT_GE(alu, 0);
  EXPECT_LT(alu, FindThemeIndex("DefaultXP"));
}

TEST_F(AluminumTest, FixedCacheColours) {
  EXPECT_EQ(theme->AluDockColor, 0xC7C7C7);
  EXPECT_EQ(theme->AluStatusColor, 0xCFCFCF);
  EXPECT_EQ(theme->AluToolbarColor, 0xDFDFDF);
  EXPECT_EQ(theme->AluPopupColor, 0xF9F9F9);
  EXPECT_EQ(theme->AluPanelColor, 0xF9F9F9);
  EXPECT_EQ(theme->AluPopupFrameColor, 0x7F7F7F);
  EXPECT_EQ(theme->AluSeparatorColor, 0x9F9F9F);
}

TEST_F(AluminumTest, ItemColoursFallBackToTheView) {
  struct Case {
    Integer view;
    TColor expected;
  } cases[] = {{VT_TOOLBAR_NORMAL, 0xDFDFDF}, {VT_TOOLBAR_MENUBAR, 0xDFDFDF}, {VT_POPUP_MENU, 0xF9F9F9},
               {VT_POPUP_LIST, ResolveColor(fw::clWindow)}, {VT_DOCKPANEL_NORMAL, 0xF9F9F9}};
  for (const Case& c : cases) EXPECT_EQ(ResolveColor(theme->GetItemColor(Item(c.view, true))), c.expected) << c.view;
  TTxItemInfo pushed = Item(VT_TOOLBAR_NORMAL, true);
  pushed.Pushed = true;
  pushed.Selected = true;
  EXPECT_EQ(theme->GetImageOffset(nullptr, pushed, nullptr).x, 0);
  EXPECT_EQ(theme->GetImageOffset(nullptr, pushed, nullptr).y, 0);
}

TEST_F(AluminumTest, DarkHighlightIsLiftedAndDisabledKeyboardItemUsesHotColours) {
  SetHighlight(0x800000);
  EXPECT_EQ(theme->AluButtonColors[4].Fill, 0xF0B3B3);
  const TTxItemInfo i = Item(VT_TOOLBAR_NORMAL, false, hkKeyboardHover);
  EXPECT_EQ(theme->GetItemColor(i), 0xF0B3B3);
  EXPECT_EQ(theme->GetItemTextColor(i), BlendColors(0x9F9F9F, fw::clWindow, 90));
  EXPECT_EQ(theme->ButtonPart(i, themes::cpFrame), 0x800000);
  // A popup-menu line takes the menu table: disabled and keyboard-hot shows the popup colour.
  const TTxItemInfo line = Item(VT_POPUP_MENU, false, hkKeyboardHover);
  EXPECT_EQ(theme->GetItemColor(line), theme->AluPopupColor);
}

TEST_F(AluminumTest, Metrics) {
  const std::pair<Integer, Integer> ints[] = {{10, 12}, {36, 1}, {37, 2}, {60, 2}, {61, 2},
                                              {62, 1},  {65, 14}, {66, 0}, {20, 8}, {50, 6}};
  for (auto [id, v] : ints) EXPECT_EQ(theme->GetIntegerMetric(id), v) << id;
  for (Integer id : {1, 3, 5, 6, 7}) EXPECT_TRUE(theme->GetBooleanMetric(id)) << id;
  EXPECT_FALSE(theme->GetBooleanMetric(4));
  EXPECT_EQ(theme->GetPopupShadowType(), PST_LAYERED);
  TTxMargins m;
  theme->GetMargins(MID_MENUITEM, m);
  EXPECT_EQ(m.TopHeight, 2);
  EXPECT_EQ(m.BottomHeight, 2);
  TPoint b;
  theme->GetViewBorder(VT_TOOLBAR_NORMAL, b);
  EXPECT_EQ(b.x, 2);
  theme->GetViewBorder(VT_CONTROL, b);
  EXPECT_EQ(b.x, 0);
}

TEST_F(AluminumTest, CheckedEmbeddedItemIsFramedInWindowFrame) {
  fw::TCanvas* c = Target(20, 20);
  TTxItemInfo i = Item(VT_TOOLBAR | VT_EMBEDDED | 1, true);
  i.Selected = true;
  theme->PaintButton(c, TRect{0, 0, 20, 20}, i);
  EXPECT_EQ(Px(10, 0), ResolveColor(fw::clWindowFrame));
  EXPECT_EQ(Px(0, 10), ResolveColor(fw::clWindowFrame));
}

// A spin button paints its two faces and arrows while enabled and nothing while disabled: a
// disabled spin edit shows its field alone.
TEST_F(AluminumTest, SpinButtonsOnlyWhileEnabled) {
  struct Case {
    bool enabled;
    Integer state;
    bool paints;
  } const cases[] = {
      {true, 0, true},
      {true, EBDS_HOT, true},
      {false, EBDS_DISABLED, false},
      {false, EBDS_DISABLED | EBDS_HOT, false},
  };
  for (const Case& k : cases) {
    fw::TCanvas* c = Target(14, 21);
    TTxItemInfo i = Item(VT_TOOLBAR | VT_EMBEDDED | 1, k.enabled);
    theme->PaintEditButton(c, TRect{0, 0, 14, 21}, i, TTxEditButtonInfo{EBT_SPIN, k.state});
    EXPECT_EQ(ChangedOutside(TRect{}) > 0, k.paints) << "state " << k.state;
  }
}

TEST_F(AluminumTest, RoundedFrameCornersBlendIntoTheBackground) {
  fw::TCanvas* c = Target(10, 10, fw::clWhite);
  themes::AluRoundedFrame(c, TRect{0, 0, 10, 10}, {2, 2, 2, 2}, fw::clBlack);
  EXPECT_EQ(Px(0, 0), 0xE0E0E0);
  EXPECT_EQ(Px(9, 9), 0xE0E0E0) << "mirrored per corner";
  EXPECT_EQ(Px(5, 0), 0);
  EXPECT_EQ(Px(9, 5), 0);
}

TEST_F(AluminumTest, BackgroundsBrushedOrPlain) {
  const TRect r{0, 0, 40, 20};
  fw::TCanvas* c = Target(40, 20);
  theme->PaintBackground(c, r, r, r, 0xDFDFDF, true, VT_TOOLBAR_NORMAL);
  EXPECT_EQ(ChangedOutside(TRect{}), 0) << "transparent paints nothing";
  theme->PaintBackground(c, r, r, r, 0xDFDFDF, false, VT_TOOLBAR_NORMAL);
  int differing = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const TColor p = Px(x, y);
      differing += p != 0xDFDFDF;
      for (int shift : {0, 8, 16}) EXPECT_LE(std::abs(int((p >> shift) & 0xFF) - 0xDF), 12) << x << "," << y;
    }
  EXPECT_GT(differing, 0) << "brushed, not flat";
  for (Integer view : {Integer(VT_TOOLBAR | VT_EMBEDDED), Integer(VT_POPUP_MENU)}) {
    c = Target(40, 20);
    theme->PaintBackground(c, r, r, r, 0xDFDFDF, false, view);
    EXPECT_EQ(Px(7, 13), 0xDFDFDF);
    EXPECT_EQ(Px(31, 2), 0xDFDFDF);
  }
  // Only the part inside the clip rectangle.
  c = Target(40, 20);
  theme->PaintBackground(c, r, r, TRect{0, 0, 10, 20}, 0xDFDFDF, false, VT_POPUP_MENU);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 10, 20}), 0);
}

TEST_F(AluminumTest, SeparatorAndPaneLines) {
  fw::TCanvas* c = Target(30, 7);
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL, true);
  theme->PaintSeparator(c, TRect{0, 0, 30, 7}, i, true, true);
  EXPECT_EQ(Px(1, 3), txtest::kSentinel);
  EXPECT_EQ(Px(2, 3), 0x9F9F9F);
  EXPECT_EQ(Px(27, 3), 0x9F9F9F);
  EXPECT_EQ(Px(28, 3), txtest::kSentinel);
  c = Target(30, 20);
  theme->PaintStatusBar(c, TRect{0, 0, 30, 20}, SBP_PANE);
  EXPECT_EQ(Px(27, 4), 0x9F9F9F);
  EXPECT_EQ(Px(27, 16), 0x9F9F9F);
  EXPECT_EQ(Px(27, 17), txtest::kSentinel);
}

TEST_F(AluminumTest, MDIButtonWithoutGlyphIsTheButtonAlone) {
  TTxItemInfo i = Item(VT_TOOLBAR_MENUBAR, true, hkMouseHover);
  const TRect r{0, 0, 16, 14};
  fw::TCanvas* c = Target(16, 14);
  theme->PaintButton(c, r, i);
  std::vector<TColor> button;
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 16; ++x) button.push_back(Px(x, y));
  c = Target(16, 14);
  theme->PaintMDIButton(c, r, i, MDI_MAXIMIZE);
  int differ = 0;
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 16; ++x) differ += Px(x, y) != button[size_t(y * 16 + x)];
  EXPECT_EQ(differ, 0);
  theme->PaintMDIButton(c, r, i, MDI_CLOSE);
  int black = 0;
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 16; ++x) black += Px(x, y) == 0;
  EXPECT_GT(black, 0) << "a hot close glyph is black";
}

// A floating frame's border is painted only when its part is asked for: grey rings, then one in
// the window's colour whose corners blend the two.
TEST_F(AluminumTest, FloatingBorderOnlyWhenItsPartIsAsked) {
  TTxFloatingWindowInfo f;
  f.FloatingBorderSize = {3, 3};
  f.EffectiveColor = 0x0000C000;
  for (Integer parts : {WRP_BORDER, WRP_CAPTION, WRP_BORDER | WRP_CAPTION}) {
    fw::TCanvas* c = Target(60, 40);
    f.RedrawPart = parts;
    theme->PaintFloatingBorder(c, TRect{0, 0, 60, 40}, f);
    if (parts & WRP_BORDER) {
      EXPECT_EQ(Px(30, 0), Px(30, 1)) << "two grey rings";
      EXPECT_NE(Px(30, 0), txtest::kSentinel);
      EXPECT_EQ(Px(30, 2), f.EffectiveColor) << "the inner ring";
      EXPECT_EQ(Px(0, 20), Px(30, 0));
      EXPECT_EQ(Px(57, 20), f.EffectiveColor);
      EXPECT_EQ(Px(30, 37), f.EffectiveColor);
      EXPECT_EQ(Px(2, 2), MixColorsNearest(Px(30, 0), f.EffectiveColor, 127)) << "a blended corner";
    } else {
      EXPECT_EQ(ChangedOutside(TRect{3, 3, 57, 37}), 0) << "the caption alone leaves the border";
    }
  }
}

TEST_F(AluminumTest, UnitResourcesFollowTheInstances) {
  EXPECT_NE(themes::TThemeUnit<TTxAluminumTheme>::GlyphImages, nullptr);
  ReleaseTheme(held);
  EXPECT_EQ(themes::TThemeUnit<TTxAluminumTheme>::GlyphImages, nullptr);
}

}  // namespace
