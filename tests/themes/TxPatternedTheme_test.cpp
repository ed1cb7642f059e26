// "Stripes" and "Monai": the ruled background and its phase, the two patterns, text colours,
// metrics, what Monai changes, and that each class keeps its own unit resources.

#include "framework/ControlMessages.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeList.h"
#include "themes/TxPatternedTheme.h"
#include "themes/vrnThemes.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxMonaiTheme;
using themes::TTxStripesTheme;

class PatternedTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    stripesHeld = AcquireTheme("Stripes");
    monaiHeld = AcquireTheme("Monai");
    stripes = dynamic_cast<TTxStripesTheme*>(stripesHeld);
    monai = dynamic_cast<TTxMonaiTheme*>(monaiHeld);
    ASSERT_NE(stripes, nullptr);
    ASSERT_NE(monai, nullptr);
  }
  void TearDown() override {
    if (stripesHeld) ReleaseTheme(stripesHeld);
    if (monaiHeld) ReleaseTheme(monaiHeld);
    LowColorDisplay = false;
    DoneTx();
    TxTest::TearDown();
  }
  std::vector<TColor> Pixels() {
    std::vector<TColor> all;
    for (int y = 0; y < bmp->Height(); ++y)
      for (int x = 0; x < bmp->Width(); ++x) all.push_back(Px(x, y));
    return all;
  }
  TTxTheme* stripesHeld = nullptr;
  TTxTheme* monaiHeld = nullptr;
  TTxStripesTheme* stripes = nullptr;
  TTxMonaiTheme* monai = nullptr;
};

TEST_F(PatternedTest, RegisteredInMenuOrder) {
  const Integer alu = FindThemeIndex("Aluminum"), s = FindThemeIndex("Stripes"), m = FindThemeIndex("Monai");
  EXPECT_LT(alu, s);
  EXPECT_EQ(m, s + 1);
  EXPECT_LT(m, FindThemeIndex("DefaultXP"));
  EXPECT_EQ(dynamic_cast<TTxStripesTheme*>(monaiHeld), nullptr) << "Monai is not a Stripes";
}

TEST_F(PatternedTest, StripesEveryFivePixelsFromTheTopOfTheView) {
  const TRect r{0, 0, 40, 20};
  fw::TCanvas* c = Target(40, 20);
  stripes->PaintBackground(c, r, r, r, 0xC0C0C0, false, VT_TOOLBAR_NORMAL);
  for (int y = 0; y < 20; ++y) {
    const TColor expected = y % 5 == 0 ? 0xB0B0B0 : y % 5 == 1 ? 0xD0D0D0 : 0xC0C0C0;
    EXPECT_EQ(Px(7, y), expected) << y;
  }
  const std::vector<TColor> whole = Pixels();
  // Two pieces, the second starting on a light row, give the same picture.
  c = Target(40, 20);
  stripes->PaintBackground(c, r, r, TRect{0, 0, 40, 6}, 0xC0C0C0, false, VT_TOOLBAR_NORMAL);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 40, 6}), 0) << "only the clipped part";
  stripes->PaintBackground(c, r, r, TRect{0, 6, 40, 20}, 0xC0C0C0, false, VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Pixels(), whole);
  c = Target(40, 20);
  stripes->PaintBackground(c, r, r, TRect{0, 0, 40, 11}, 0xC0C0C0, false, VT_TOOLBAR_NORMAL);
  stripes->PaintBackground(c, r, r, TRect{0, 11, 40, 20}, 0xC0C0C0, false, VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Pixels(), whole);
  // A dark colour gets a lighter light line.
  c = Target(40, 20);
  stripes->PaintBackground(c, r, r, r, 0x646464, false, VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Px(3, 1), OffsetColor(0x646464, 21));
}

TEST_F(PatternedTest, PlainBackgroundsAndTransparency) {
  const TRect r{0, 0, 40, 20};
  for (Integer view : {VT_TOOLBAR_MENUBAR, VT_DOCKPANEL_NORMAL, VT_TOOLBAR | VT_EMBEDDED | 1}) {
    fw::TCanvas* c = Target(40, 20);
    stripes->PaintBackground(c, r, r, r, 0xC0C0C0, false, view);
    EXPECT_EQ(Px(3, 0), 0xC0C0C0) << view;
    EXPECT_EQ(Px(3, 1), 0xC0C0C0) << view;
  }
  fw::TCanvas* c = Target(40, 20);
  stripes->PaintBackground(c, r, r, r, 0xC0C0C0, true, VT_TOOLBAR_NORMAL);
  monai->PaintBackground(c, r, r, r, 0xC0C0C0, true, VT_TOOLBAR_NORMAL);
  stripes->PaintDock(c, r, r, DP_TOP);
  monai->PaintDock(c, r, r, DP_TOP);
  EXPECT_EQ(ChangedOutside(TRect{}), 0);
  monai->PaintBackground(c, r, r, r, 0xC0C0C0, false, VT_TOOLBAR_NORMAL);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(Px(7, y), 0xC0C0C0) << y;
}

TEST_F(PatternedTest, PatternsForFaceGrey) {
  fw::TBitmap* s = stripes->BuildPattern(0xC0C0C0);
  int light = 0, dark = 0, face = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const TColor p = s->Canvas()->Pixels(x, y);
      light += p == 0xF6F6F6;
      dark += p == 0x8F8F8F;
      face += p == 0xC0C0C0;
    }
  EXPECT_EQ(light, 4);
  EXPECT_EQ(dark, 4);
  EXPECT_EQ(face, 56);
  EXPECT_EQ(s->Canvas()->Pixels(4, 4), 0xF6F6F6);
  EXPECT_EQ(s->Canvas()->Pixels(5, 1), 0x8F8F8F);
  fw::TBitmap* m = monai->BuildPattern(0xC0C0C0);
  EXPECT_NE(m, s);
  dark = face = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const TColor p = m->Canvas()->Pixels(x, y);
      dark += p == 0x8F8F8F;
      face += p == 0xC0C0C0;
    }
  EXPECT_EQ(dark, 16);
  EXPECT_EQ(face, 48);
  EXPECT_EQ(m->Canvas()->Pixels(5, 5), 0x8F8F8F);
  EXPECT_EQ(m->Canvas()->Pixels(2, 2), 0xC0C0C0);
}

TEST_F(PatternedTest, TextColoursAndMetricsAreShared) {
  struct Case {
    Integer view, options;
    bool enabled;
    TTxHoverKind hover;
    TColor expected;
  } cases[] = {
      {VT_POPUP_MENU, 0, false, hkKeyboardHover, fw::clBtnShadow},
      {VT_TOOLBAR_NORMAL, IO_TOOLBAR_STYLE, false, hkNone, MixColors(fw::clBtnShadow, fw::clBtnFace, 210)},
      {VT_TOOLBAR_NORMAL, IO_TOOLBAR_STYLE, true, hkMouseHover, fw::clBtnText},
      {VT_TOOLBAR_MENUBAR, 0, true, hkNone, fw::clGrayText},
      {VT_TOOLBAR_MENUBAR, IO_APP_ACTIVE, true, hkNone, fw::clMenuText},
      {VT_POPUP_MENU, 0, true, hkMouseHover, fw::clHighlightText},
  };
  for (const Case& k : cases) {
    TTxItemInfo i;
    i.ViewType = k.view;
    i.ItemOptions = k.options;
    i.Enabled = k.enabled;
    i.HoverKind = k.hover;
    EXPECT_EQ(ResolveColor(stripes->GetItemTextColor(i)), ResolveColor(k.expected)) << k.view;
    EXPECT_EQ(monai->GetItemTextColor(i), stripes->GetItemTextColor(i));
  }
  const std::pair<Integer, Integer> ints[] = {{10, 12}, {36, 1}, {37, 2}, {60, 2}, {61, 2}, {62, 1}, {65, 14}};
  for (auto [id, v] : ints) {
    EXPECT_EQ(stripes->GetIntegerMetric(id), v) << id;
    EXPECT_EQ(monai->GetIntegerMetric(id), v) << id;
  }
  for (Integer id = 1; id <= 7; ++id) EXPECT_FALSE(stripes->GetBooleanMetric(id)) << id;
  EXPECT_EQ(stripes->GetPopupShadowType(), PST_LAYERED_NT5);
  TPoint b;
  stripes->GetViewBorder(VT_POPUP_LIST, b);
  EXPECT_EQ(b.x, 2);
  stripes->GetViewBorder(VT_POPUP_MENU, b);
  EXPECT_EQ(b.x, 3);
}

TEST_F(PatternedTest, MonaiStatusBarAndHandleDifferOnlyWhereTheyShould) {
  const TColor edge = MixColorsNearest(fw::clBtnShadow, fw::clBtnFace, 96);
  fw::TCanvas* c = Target(40, 20);
  stripes->PaintStatusBar(c, TRect{0, 0, 40, 20}, SBP_BODY);
  EXPECT_EQ(Px(5, 2), edge);
  c = Target(40, 20);
  monai->PaintStatusBar(c, TRect{0, 0, 40, 20}, SBP_BODY);
  EXPECT_EQ(Px(5, 2), ResolveColor(fw::clBtnFace)) << "no line under the top";

  TTxToolbarInfo t;
  t.ViewType = VT_TOOLBAR_NORMAL;
  t.AllowDrag = true;
  t.DragHandleStyle = 2;
  const auto countEdge = [&] {
    int n = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 60; ++x) n += Px(x, y) == edge;
    return n;
  };
  c = Target(60, 30);
  c->Brush()->SetColor(0xC0C0C0);
  stripes->PaintToolbarNCArea(c, TRect{0, 0, 60, 30}, t);
  EXPECT_GT(countEdge(), 0);
  c = Target(60, 30);
  c->Brush()->SetColor(0xC0C0C0);
  monai->PaintToolbarNCArea(c, TRect{0, 0, 60, 30}, t);
  EXPECT_EQ(countEdge(), 0);

  // Items paint alike.
  TTxItemInfo i;
  i.ViewType = VT_TOOLBAR_NORMAL;
  i.ItemOptions = IO_TOOLBAR_STYLE;
  i.Enabled = true;
  i.Pushed = true;
  c = Target(30, 20);
  stripes->PaintButton(c, TRect{0, 0, 30, 20}, i);
  const std::vector<TColor> button = Pixels();
  c = Target(30, 20);
  monai->PaintButton(c, TRect{0, 0, 30, 20}, i);
  EXPECT_EQ(Pixels(), button);
}

TEST_F(PatternedTest, CloseCrossAndMDIGlyphPositions) {
  TTxItemInfo i;
  i.ViewType = VT_TOOLBAR_MENUBAR;
  i.Enabled = true;
  fw::TCanvas* c = Target(20, 20, 0xC0C0C0);
  stripes->PaintMDIButton(c, TRect{0, 0, 20, 20}, i, MDI_CLOSE);
  // The close glyph's first set pixel row starts at y = (0 + 20 - 17) div 2 = 1 or below.
  int top = -1;
  for (int y = 0; y < 20 && top < 0; ++y)
    for (int x = 0; x < 20; ++x)
      if (Px(x, y) == ResolveColor(fw::clBtnText)) {
        top = y;
        break;
      }
  EXPECT_GE(top, 1);
  EXPECT_LT(top, 18);
}

TEST_F(PatternedTest, CloseCrossRowsStartAtTheirLeftmostBit) {
  // Row $C6 has bit 7 set: the cross's top-left pixel is painted at the centred origin.
  fw::TCanvas* c = Target(100, 60);
  TTxFloatingWindowInfo f;
  f.ShowCaption = true;
  f.FloatingBorderSize = {3, 3};
  f.CloseButtonState = CDBS_VISIBLE;
  f.RedrawPart = WRP_CLOSEBTN;
  stripes->PaintFloatingBorder(c, TRect{0, 0, 100, 60}, f);
  const Integer barBottom = 3 + win::GetSystemMetrics(win::SM_CYSMCAPTION) - 2;
  const TRect inner{97 - (barBottom - 3) + 1, 4, 96, barBottom - 1};
  const int x = (inner.left + inner.right + 1 - 7) / 2, y = (inner.top + inner.bottom + 1 - 6) / 2;
  EXPECT_EQ(Px(x, y), ResolveColor(fw::clBtnText));
  EXPECT_EQ(Px(x + 2, y), ResolveColor(fw::clBtnFace)) << "bits 5..3 of $C6 are clear";
  EXPECT_EQ(Px(x + 5, y), ResolveColor(fw::clBtnText));
}

// A docked panel's close button sits at the far end of its caption bar, and the bar's pattern
// stops short of it: the cross shows there, in the text colour, which the pattern never uses.
TEST_F(PatternedTest, ThePanelCaptionsPatternLeavesItsCloseButtonAlone) {
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  const TColor cross = ResolveColor(fw::clBtnText);
  for (bool vertical : {true, false}) {
    TTxDockPanelInfo p;
    p.ViewType = VT_DOCKPANEL_NORMAL;
    p.IsVertical = vertical;  // the caption across the top, else down the left side
    p.DragHandleStyle = 1;
    p.BorderSize = {2, 2};
    const auto crossPixels = [&](Integer closeState) {
      p.CloseButtonState = closeState;
      stripes->PaintDockPanelNCArea(Target(120, 120), TRect{0, 0, 120, 120}, p);
      int n = 0;
      for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
          if (Px(x, y) != cross) continue;
          ++n;
          EXPECT_GE(vertical ? x : y, 120 - 2 - t) << "vertical " << vertical << " at " << x << "," << y;
        }
      return n;
    };
    EXPECT_EQ(crossPixels(0), 0) << "vertical " << vertical;
    EXPECT_GT(crossPixels(CDBS_VISIBLE), 0) << "vertical " << vertical;
  }
}

TEST_F(PatternedTest, LowColourDisplaysGetTheDefaultPlainFill) {
  LowColorDisplay = true;
  const TRect r{0, 0, 40, 20};
  for (TTxTheme* t : {stripesHeld, monaiHeld}) {
    fw::TCanvas* c = Target(40, 20);
    t->PaintBackground(c, r, r, r, 0xC0C0C0, false, VT_TOOLBAR_NORMAL);
    for (int y = 0; y < 20; ++y) EXPECT_EQ(Px(7, y), 0xC0C0C0) << y;
  }
}

TEST_F(PatternedTest, EachClassFreesOnlyItsOwnResources) {
  fw::TBitmap* stripesBitmap = themes::TPatternUnit<TTxStripesTheme>::Bitmap;
  fw::TImageList* stripesGlyphs = themes::TThemeUnit<TTxStripesTheme>::GlyphImages;
  EXPECT_NE(themes::TPatternUnit<TTxMonaiTheme>::Bitmap, nullptr);
  EXPECT_NE(themes::TThemeUnit<TTxMonaiTheme>::GlyphImages, stripesGlyphs);
  ReleaseTheme(monaiHeld);
  EXPECT_EQ(themes::TPatternUnit<TTxMonaiTheme>::Bitmap, nullptr);
  EXPECT_EQ(themes::TThemeUnit<TTxMonaiTheme>::GlyphImages, nullptr);
  EXPECT_EQ(themes::TPatternUnit<TTxStripesTheme>::Bitmap, stripesBitmap);
  EXPECT_EQ(themes::TThemeUnit<TTxStripesTheme>::GlyphImages, stripesGlyphs);
}

}  // namespace
