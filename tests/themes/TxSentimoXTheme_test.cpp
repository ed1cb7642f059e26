// "SentimoX": where it parts from Nexos5, and its own unit resources.

#include "themes/ThemeList.h"
#include "themes/TxSentimoXTheme.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxNexos5Theme;
using themes::TTxSentimoXTheme;

class SentimoXTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    held = AcquireTheme("SentimoX");
    theme = dynamic_cast<TTxSentimoXTheme*>(held);
    ASSERT_NE(theme, nullptr);
  }
  void TearDown() override {
    if (held) ReleaseTheme(held);
    DoneTx();
    TxTest::TearDown();
  }
  TTxTheme* held = nullptr;
  TTxSentimoXTheme* theme = nullptr;
};

TEST_F(SentimoXTest, MetricsDifferOnlyInSeparatorSizes) {
  TTxTheme* nexos = AcquireTheme("Nexos5");
  for (Integer id = 0; id <= 100; ++id) {
    if (id == 35 || id == 50) continue;
    EXPECT_EQ(theme->GetIntegerMetric(id), nexos->GetIntegerMetric(id)) << id;
  }
  EXPECT_EQ(theme->GetIntegerMetric(35), 4);
  EXPECT_EQ(theme->GetIntegerMetric(50), 6);
  ReleaseTheme(nexos);
  EXPECT_EQ(theme->ToolbarColor, 0xF0F0F0);
}

TEST_F(SentimoXTest, UnitResourcesAreItsOwn) {
  TTxTheme* nexos = AcquireTheme("Nexos5");
  fw::TImageList* nexosGlyphs = themes::TThemeUnit<TTxNexos5Theme>::GlyphImages;
  EXPECT_NE(themes::TThemeUnit<TTxSentimoXTheme>::GlyphImages, nullptr);
  EXPECT_NE(themes::TThemeUnit<TTxSentimoXTheme>::GlyphImages, nexosGlyphs);
  ReleaseTheme(held);
  EXPECT_EQ(themes::TThemeUnit<TTxSentimoXTheme>::GlyphImages, nullptr);
  EXPECT_EQ(themes::TThemeUnit<TTxNexos5Theme>::GlyphImages, nexosGlyphs) << "the other class keeps its list";
  ReleaseTheme(nexos);
  EXPECT_EQ(themes::TThemeUnit<TTxNexos5Theme>::GlyphImages, nullptr);
}

TEST_F(SentimoXTest, PlainBackgroundEtchedLinesAndNoJoining) {
  fw::TCanvas* c = Target(20, 20);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 20, 20}, TRect{0, 0, 20, 20}, 0xF0F0F0, false, 0);
  EXPECT_EQ(Px(3, 0), 0xF0F0F0);
  EXPECT_EQ(Px(3, 5), 0xF0F0F0) << "no stripes";

  c = Target(30, 20);
  theme->PaintStatusBar(c, TRect{0, 0, 30, 20}, SBP_GRIPPERPANE);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0) << "the last pane paints nothing";
  theme->PaintStatusBar(c, TRect{0, 0, 30, 20}, SBP_PANE);
  EXPECT_EQ(Px(26, 2), 0xC0C0C0);
  EXPECT_EQ(Px(27, 2), 0xFFFFFF);

  c = Target(30, 20);
  TTxItemInfo off;
  off.ViewType = VT_POPUP_MENU;
  theme->PaintSeparator(c, TRect{0, 0, 30, 20}, off, false, false);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);
  theme->PaintSeparator(c, TRect{0, 0, 30, 7}, off, true, false);
  EXPECT_EQ(Px(2, 3), 0xC0C0C0);
  EXPECT_EQ(Px(2, 4), 0xFFFFFF);
  EXPECT_EQ(Px(28, 3), txtest::kSentinel);

  c = Target(30, 20);
  TTxPopupInfo popup;
  popup.ParentRect = TRect{0, -20, 20, 0};
  theme->PaintPopupNCArea(c, TRect{0, 0, 30, 20}, popup);
  for (int x = 0; x < 30; ++x) EXPECT_EQ(Px(x, 0), 0xFFFFFF) << x;
}

TEST_F(SentimoXTest, PushedMenuBarItemNoLongerHoveredPaintsNothing) {
  fw::TCanvas* c = Target(30, 20);
  TTxItemInfo i;
  i.ViewType = VT_TOOLBAR_MENUBAR;
  i.Enabled = true;
  i.Pushed = true;
  theme->PaintButton(c, TRect{0, 0, 30, 20}, i);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);
  i.HoverKind = hkMouseHover;
  theme->PaintButton(c, TRect{0, 0, 30, 20}, i);
  EXPECT_EQ(Px(10, 10), 0xE0E0E0);
  EXPECT_EQ(Px(10, 0), 0xC0C0C0) << "sunken edge";
}

}  // namespace
