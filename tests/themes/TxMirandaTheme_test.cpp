// "Miranda": its system-derived colour table, the lookups where it parts from Dream, metrics,
// and the pixels its look fixes.

#include "framework/ControlMessages.h"
#include "platform/user/services/SysColors.h"
#include "themes/ThemeList.h"
#include "themes/TxMirandaTheme.h"
#include "themes/vrnThemes.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxMirandaTheme;

class MirandaTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    held = AcquireTheme("Miranda");
    theme = dynamic_cast<TTxMirandaTheme*>(held);
    ASSERT_NE(theme, nullptr);
  }
  void TearDown() override {
    ReleaseTheme(held);
    DoneTx();
    win::ResetSysColors();
    TxTest::TearDown();
  }
  static TTxItemInfo Item(Integer view, bool enabled = true) {
    TTxItemInfo i;
    i.ViewType = view;
    i.Enabled = enabled;
    return i;
  }
  TTxTheme* held = nullptr;
  TTxMirandaTheme* theme = nullptr;
};

TEST_F(MirandaTest, RegisteredAfterDreamAndFollowsTheSystemColours) {
  EXPECT_EQ(FindThemeIndex("Miranda"), FindThemeIndex("Dream") + 1);
  EXPECT_EQ(themes::TThemeUnit<TTxMirandaTheme>::ThemeInstanceCount, 1);
  EXPECT_EQ(theme->ToolbarColor, ResolveColor(fw::clBtnFace)) << "snapped fields hold plain RGB";
  EXPECT_EQ(theme->DisabledTextColor, BlendColors(fw::clBtnShadow, fw::clWindow, 90));
  const win::INT index[2] = {win::COLOR_BTNFACE, win::COLOR_HIGHLIGHT};
  const win::COLORREF values[2] = {0x30A060, 0x0000C0};
  win::SetSysColors(2, index, values);
  fw::TMessage m{TXM_SYSCHANGE, TSC_CHANGE, 0};
  theme->Dispatch(m);
  EXPECT_EQ(theme->ToolbarColor, 0x30A060);
  EXPECT_EQ(theme->MenuItemColors[2].Fill, 0x0000C0);
  EXPECT_EQ(theme->ButtonColors[3].Frame, 0x0000C0);
  EXPECT_EQ(theme->ButtonColors[3].Fill, BlendColors(0x0000C0, 0xFFFFFF, 50));
}

TEST_F(MirandaTest, SplitLinesOfPopupsTakeTheButtonTable) {
  TTxItemInfo i = Item(VT_POPUP_MENU);
  i.Selected = true;
  i.HoverKind = hkMouseHover;
  EXPECT_EQ(theme->GetItemColor(i), theme->MenuItemColors[2].Fill);
  i.ComboPart = cpSplitLeft;
  EXPECT_EQ(theme->GetItemColor(i), theme->ButtonColors[6].Fill);
}

TEST_F(MirandaTest, CaptionColours) {
  TTxItemInfo bar = Item(VT_TOOLBAR_MENUBAR);
  EXPECT_EQ(theme->GetItemTextColor(bar), fw::clGrayText) << "inactive application";
  bar.ItemOptions = IO_APP_ACTIVE;
  EXPECT_EQ(theme->GetItemTextColor(bar), fw::clMenuText);
  bar.HoverKind = hkMouseHover;
  EXPECT_EQ(theme->GetItemTextColor(bar), fw::clHighlightText);
  TTxItemInfo line = Item(VT_POPUP_MENU, false);
  line.HoverKind = hkKeyboardHover;
  EXPECT_EQ(theme->GetItemTextColor(line), fw::clBtnShadow);
  line.HoverKind = hkNone;
  EXPECT_EQ(theme->GetItemTextColor(line), theme->DisabledTextColor);
  TTxItemInfo tool = Item(VT_TOOLBAR_NORMAL);
  tool.ItemOptions = IO_TOOLBAR_STYLE;
  tool.HoverKind = hkMouseHover;
  EXPECT_EQ(theme->GetItemTextColor(tool), fw::clBtnText);
}

TEST_F(MirandaTest, MetricsAndBorders) {
  const std::pair<Integer, Integer> ints[] = {{10, 12}, {20, 8}, {21, 3}, {32, 3}, {33, 3}, {34, 3}, {35, 5},
                                             {50, 5},  {36, 2}, {37, 2}, {61, 2}, {62, 2}, {60, 1}, {66, 1},
                                             {65, 14}, {11, -1}, {0, -1}};
  for (const auto& [id, value] : ints) EXPECT_EQ(theme->GetIntegerMetric(id), value) << id;
  for (Integer id : {5, 6, 7}) EXPECT_TRUE(theme->GetBooleanMetric(id));
  EXPECT_FALSE(theme->GetBooleanMetric(1));
  TPoint b;
  theme->GetViewBorder(VT_POPUP_MENU, b);
  EXPECT_EQ(b, (TPoint{2, 2}));
  TTxMargins m;
  theme->GetMargins(MID_MENUITEM, m);
  EXPECT_EQ(m.LeftWidth, 0);
  EXPECT_EQ(m.TopHeight, 3);
}

TEST_F(MirandaTest, BackgroundIsAPlainFillForEveryView) {
  for (Integer view : {0, VT_TOOLBAR_NORMAL, VT_POPUP_MENU, VT_DOCKPANEL_NORMAL}) {
    fw::TCanvas* c = Target(20, 10);
    theme->PaintBackground(c, TRect{}, TRect{0, 0, 20, 10}, TRect{5, 0, 20, 10}, 0x00FF00, false, view);
    EXPECT_EQ(Px(10, 5), 0x00FF00) << view;
    EXPECT_EQ(Px(2, 5), txtest::kSentinel) << "only the clipped part";
  }
}

TEST_F(MirandaTest, DisabledSeparatorsPaintNothing) {
  fw::TCanvas* c = Target(60, 30);
  const TTxItemInfo off = Item(VT_TOOLBAR_NORMAL, false);
  theme->PaintSeparator(c, TRect{0, 0, 60, 30}, off, true, false);
  theme->PaintSeparator(c, TRect{0, 0, 60, 30}, off, false, false);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);
  const TTxItemInfo on = Item(VT_POPUP_MENU);
  theme->PaintSeparator(c, TRect{0, 0, 60, 7}, on, true, false);
  EXPECT_EQ(Px(14, 3), ResolveColor(fw::clBtnText));
  EXPECT_EQ(Px(15, 3), txtest::kSentinel);
  EXPECT_EQ(Px(44, 3), ResolveColor(fw::clBtnText));
  EXPECT_EQ(Px(47, 3), txtest::kSentinel) << "stops 14 before the right edge";
}

TEST_F(MirandaTest, SizeGripDiagonals) {
  const TColor light = MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, 64);
  const TColor dark = MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 64);
  // s = 8: light at d = 2, dark at d = 3, light at d = 4 ...
  fw::TCanvas* c = Target(8, 8);
  theme->PaintStatusBar(c, TRect{0, 0, 8, 8}, SBP_SIZEGRIP);
  EXPECT_EQ(Px(5, 7), light) << "(R - 1 - d, B - 1) with d = 2";
  EXPECT_EQ(Px(7, 5), light);
  EXPECT_EQ(Px(4, 7), dark);
  EXPECT_EQ(Px(3, 7), light);
  EXPECT_EQ(Px(6, 7), txtest::kSentinel);
  // s = 14: light, skip, dark, skip.
  c = Target(14, 14);
  theme->PaintStatusBar(c, TRect{0, 0, 14, 14}, SBP_SIZEGRIP);
  EXPECT_EQ(Px(11, 13), light);
  EXPECT_EQ(Px(10, 13), txtest::kSentinel);
  EXPECT_EQ(Px(9, 13), dark);
  EXPECT_EQ(Px(8, 13), txtest::kSentinel);
  EXPECT_EQ(Px(7, 13), light);
}

TEST_F(MirandaTest, PopupFrameHasNoCornerPixels) {
  fw::TCanvas* c = Target(30, 20);
  theme->PaintPopupNCArea(c, TRect{0, 0, 30, 20}, TTxPopupInfo{});
  EXPECT_EQ(Px(0, 0), ResolveColor(fw::clBtnShadow));
  EXPECT_EQ(Px(2, 2), ResolveColor(fw::clWindow));
}

}  // namespace
