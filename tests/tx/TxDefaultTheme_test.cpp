// The Default theme: every query, the geometry of what it paints, the classic and the styled
// branches (the latter through the stand-in visual-style library), and a sweep over every
// painting operation.

#include "framework/ControlMessages.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "tx/FakeVisualStyles.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"

namespace {

using namespace tx;
using txtest::kSentinel;

TColor Sys(int index) { return TColor(win::GetSysColor(index)); }
fw::TRect Inset1(const fw::TRect& r) {
  return r.right - r.left > 2 ? fw::TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1} : r;
}

class DefaultThemeTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTxThemes();
    theme.reset(static_cast<TTxDefaultTheme*>(ThemeClassOf<TTxDefaultTheme>("Default")));
  }
  void TearDown() override {
    theme.reset();
    fake.reset();
    DoneTxThemes();
    win::ResetSysColors();
    win::ResetSystemParameters();
    TxTest::TearDown();
  }
  // Visual styles on through the stand-in library (the manager re-reads the system).
  void StylesOn() {
    fake = std::make_unique<txtest::FakeVisualStyles>();
    fake->colors[{u"TOOLBAR", 0, 0, TMT_FILLCOLOR}] = 0x00E0E0E0;
    fake->partSizes[{u"TOOLBAR", 4, 1}] = win::SIZE{9, 20};
    fake->contentInsets[u"STATUS"] = win::RECT{2, 3, 4, 5};
    win::SendMessageW(ThemeManager->Handle(), win::WM_THEMECHANGED, 0, 0);
    ASSERT_TRUE(VisualStylesActive);
    fake->Clear();
  }
  static TTxItemInfo Item(Integer viewType, bool enabled = true) {
    TTxItemInfo i;
    i.ViewType = viewType;
    i.Enabled = enabled;
    return i;
  }
  TTxItemInfo Button() {
    TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
    i.ItemOptions = IO_TOOLBAR_STYLE;
    return i;
  }
  int Count(TColor c, const fw::TRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Px(x, y) == c;
    return n;
  }
  std::unique_ptr<TTxDefaultTheme> theme;
  std::unique_ptr<txtest::FakeVisualStyles> fake;
};

TEST_F(DefaultThemeTest, ViewColoursBordersAndMargins) {
  struct Case {
    Integer viewType;
    TColor color;
  } colors[] = {
      {VT_TOOLBAR_NORMAL, theme->FaceColor()}, {VT_DOCKPANEL_NORMAL, theme->DockPanelColor()},
      {VT_CONTROL, theme->StatusBarColor()},   {VT_POPUP_MENU, MenuBackColor},
      {VT_POPUP_CHEVRON, MenuBackColor},       {VT_POPUP_LIST, fw::clWindow},
      {VT_POPUP_TOOLBOX, theme->FaceColor()},  {0, fw::clBtnFace},
  };
  for (const auto& c : colors) EXPECT_EQ(theme->GetViewColor(c.viewType), c.color) << std::hex << c.viewType;
  EXPECT_EQ(theme->DockPanelColor(), MixColorsNearest(fw::clBtnFace, fw::clWindow, 64));

  struct Border {
    Integer viewType;
    TPoint border;
  } borders[] = {
      {VT_TOOLBAR_NORMAL, {2, 2}},
      {VT_TOOLBAR_NORMAL | VT_FLOATING | VT_RESIZABLE,
       {win::GetSystemMetrics(win::SM_CXFRAME), win::GetSystemMetrics(win::SM_CYFRAME)}},
      {VT_DOCKPANEL_NORMAL | VT_FLOATING,
       {win::GetSystemMetrics(win::SM_CXDLGFRAME), win::GetSystemMetrics(win::SM_CYDLGFRAME)}},
      {VT_DOCKPANEL_NORMAL, {2, 2}},
      {VT_POPUP_LIST, {1, 1}},
      {VT_POPUP_MENU, {3, 3}},
      {VT_CONTROL, {0, 0}},
  };
  for (const auto& b : borders) {
    TPoint got{-1, -1};
    theme->GetViewBorder(b.viewType, got);
    EXPECT_EQ(got.x, b.border.x) << std::hex << b.viewType;
    EXPECT_EQ(got.y, b.border.y) << std::hex << b.viewType;
  }
  TTxMargins m;
  theme->GetViewMargins(VT_TOOLBAR_NORMAL | VT_FLOATING, m);
  EXPECT_EQ(m.LeftWidth, 4);
  EXPECT_EQ(m.RightWidth, 4);
  EXPECT_EQ(m.TopHeight, 2);
  EXPECT_EQ(m.BottomHeight, 1);
  theme->GetViewMargins(VT_TOOLBAR_NORMAL, m);
  EXPECT_EQ(m.LeftWidth + m.RightWidth + m.TopHeight + m.BottomHeight, 0);
  theme->GetMargins(MID_STATUSPANE, m);
  EXPECT_EQ(m.LeftWidth, 1);
  EXPECT_EQ(m.RightWidth, 3);
  theme->GetMargins(MID_MENUITEM, m);
  EXPECT_EQ(m.TopHeight, 2);
  theme->GetMargins(99, m);
  EXPECT_EQ(m.TopHeight, 0);
  EXPECT_EQ(theme->GetPopupShadowType(), PST_SYSTEM);
}

TEST_F(DefaultThemeTest, MetricsTable) {
  const std::pair<Integer, Integer> metrics[] = {{10, 11}, {20, 8},  {21, 3},  {32, 1},  {33, 2}, {34, 2},
                                                 {35, -1}, {36, 2},  {37, 4},  {50, 6},  {60, 2}, {61, 2},
                                                 {62, 1},  {65, 13}, {66, 0},  {0, -1},  {99, -1}};
  for (const auto& [id, value] : metrics) EXPECT_EQ(theme->GetIntegerMetric(id), value) << id;
  for (Integer id = 0; id <= 10; ++id) EXPECT_FALSE(theme->GetBooleanMetric(id)) << id;
}

TEST_F(DefaultThemeTest, ItemColoursTable) {
  TTxItemInfo toolbarButton = Button();
  TTxItemInfo menuBarItem = Item(VT_TOOLBAR_MENUBAR);
  menuBarItem.ItemOptions = IO_TOOLBAR_STYLE;
  TTxItemInfo menuLine = Item(VT_POPUP_MENU);
  TTxItemInfo hoveredLine = menuLine;
  hoveredLine.HoverKind = hkMouseHover;
  TTxItemInfo disabled = menuLine;
  disabled.Enabled = false;
  TTxItemInfo activeMenuBar = menuBarItem;
  activeMenuBar.ItemOptions |= IO_APP_ACTIVE;
  const struct {
    const char* what;
    TColor got, expected;
  } cases[] = {
      {"toolbar button of an inactive application", theme->GetItemTextColor(toolbarButton), fw::clBtnText},
      {"menu bar item, inactive, no flat menus", theme->GetItemTextColor(menuBarItem), fw::clGrayText},
      {"menu bar item, active", theme->GetItemTextColor(activeMenuBar), fw::clBtnText},
      {"hovered menu line", theme->GetItemTextColor(hoveredLine), fw::clHighlightText},
      {"menu line", theme->GetItemTextColor(menuLine), MenuTextColor},
      {"disabled", theme->GetItemTextColor(disabled), fw::clGrayText},
      {"hovered menu line background", theme->GetItemColor(hoveredLine), fw::clHighlight},
      {"menu line background", theme->GetItemColor(menuLine), MenuBackColor},
      {"image background", theme->GetItemImageBackground(hoveredLine), MenuBackColor},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;

  win::SystemParametersInfoW(win::SPI_SETFLATMENU, 0, reinterpret_cast<void*>(uintptr_t(1)), 0);
  win::SendMessageW(ThemeManager->Handle(), win::WM_SYSCOLORCHANGE, 0, 0);
  ASSERT_TRUE(FlatMenuColors);
  EXPECT_EQ(theme->GetItemTextColor(menuBarItem), fw::clGrayText) << "flat: an inactive menu bar item is grey";
  menuBarItem.HoverKind = hkMouseHover;
  EXPECT_EQ(theme->GetItemImageBackground(menuBarItem), fw::clHighlight);
  EXPECT_EQ(theme->GetItemImageBackground(hoveredLine), theme->FaceColor());

  EXPECT_EQ(theme->GetImageOffset(nullptr, toolbarButton, nullptr).x, 0);
  toolbarButton.Selected = true;
  EXPECT_EQ(theme->GetImageOffset(nullptr, toolbarButton, nullptr).y, 1);
}

TEST_F(DefaultThemeTest, ColourCacheFollowsSystemChangesOnPhase2Only) {
  const TColor before = theme->DockPanelColor();
  const win::INT index = win::COLOR_WINDOW;
  const win::COLORREF black = 0;
  win::SetSysColors(1, &index, &black);
  desktop->run_until_idle();
  EXPECT_NE(theme->DockPanelColor(), before);
  EXPECT_EQ(theme->DockPanelColor(), MixColorsNearest(fw::clBtnFace, 0, 64));
  win::ResetSysColors();
  fw::TMessage other{TXM_SYSCHANGE, TSC_AFTER_CHANGE, 0, 0};
  theme->Dispatch(other);
  EXPECT_EQ(theme->DockPanelColor(), MixColorsNearest(fw::clBtnFace, 0, 64)) << "phase 3 does not rebuild";
  fw::TMessage change{TXM_SYSCHANGE, TSC_CHANGE, 0, 0};
  theme->Dispatch(change);
  EXPECT_EQ(theme->DockPanelColor(), before);
}

// An edit field on an embedded bar: idle, a flat line one pixel in; under the mouse, a sunken
// edge on its rectangle.
TEST_F(DefaultThemeTest, AnEmbeddedFieldsFrameIsFlatWhenIdleAndSunkenWhenHot) {
  const fw::TRect r{2, 2, 18, 18};
  TTxItemInfo i;
  i.ViewType = VT_TOOLBAR | VT_EMBEDDED;
  i.Enabled = true;
  Target(20, 20);
  theme->PaintFrame(bmp->Canvas(), r, i);
  EXPECT_EQ(Px(2, 10), kSentinel);
  EXPECT_EQ(Px(3, 10), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(16, 10), Sys(win::COLOR_BTNSHADOW)) << "flat: the same on every side";
  i.HoverKind = hkMouseHover;
  Target(20, 20);
  theme->PaintFrame(bmp->Canvas(), r, i);
  EXPECT_EQ(Px(2, 10), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(17, 10), Sys(win::COLOR_BTNHIGHLIGHT));
}

TEST_F(DefaultThemeTest, CheckedButtonIsSunkenOverADitherThatHoverRemoves) {
  Target(20, 20);
  TTxItemInfo i = Button();
  i.Selected = true;
  theme->PaintButton(bmp->Canvas(), fw::TRect{2, 2, 18, 18}, i);
  EXPECT_EQ(Px(2, 2), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(17, 17), Sys(win::COLOR_BTNHIGHLIGHT));
  EXPECT_NE(Px(5, 5), Px(6, 5)) << "the inside is dithered";
  EXPECT_TRUE(Px(5, 5) == Sys(win::COLOR_BTNFACE) || Px(5, 5) == Sys(win::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(ChangedOutside(fw::TRect{2, 2, 18, 18}), 0);

  Target(20, 20);
  i.HoverKind = hkMouseHover;
  theme->PaintButton(bmp->Canvas(), fw::TRect{2, 2, 18, 18}, i);
  EXPECT_EQ(Px(2, 2), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(5, 5), kSentinel);

  Target(20, 20);
  i = Button();
  i.HoverKind = hkMouseHover;
  theme->PaintButton(bmp->Canvas(), fw::TRect{2, 2, 18, 18}, i);
  EXPECT_EQ(Px(2, 2), Sys(win::COLOR_BTNHIGHLIGHT)) << "hot: raised";
  EXPECT_EQ(Px(17, 17), Sys(win::COLOR_BTNSHADOW));
  Target(20, 20);
  theme->PaintButton(bmp->Canvas(), fw::TRect{2, 2, 18, 18}, Button());
  EXPECT_EQ(ChangedOutside(fw::TRect{0, 0, 0, 0}), 0) << "a plain button paints nothing";
}

TEST_F(DefaultThemeTest, ColoursChangedBetweenPaintsAreTakenUp) {
  TTxItemInfo i = Button();
  i.Selected = true;
  Target(20, 20);
  theme->PaintButton(bmp->Canvas(), fw::TRect{2, 2, 18, 18}, i);
  const win::INT index = win::COLOR_BTNSHADOW;
  const win::COLORREF green = 0x00FF00;
  win::SetSysColors(1, &index, &green);
  desktop->run_until_idle();
  theme->PaintButton(bmp->Canvas(), fw::TRect{2, 2, 18, 18}, i);
  EXPECT_EQ(Px(2, 2), 0x00FF00) << "the new shadow colour, no stale brush";
  // A theme that is freed stops listening: the next change reaches nobody stale.
  theme.reset();
  EXPECT_EQ(ThemeManager->ListenerCount(), 0);
  win::SendMessageW(ThemeManager->Handle(), win::WM_SYSCOLORCHANGE, 0, 0);
}

TEST_F(DefaultThemeTest, DisabledCaptionIsEmbossedTwice) {
  Target(40, 20);
  bmp->Canvas()->Font()->SetName(win::WideToUtf8(win::kTestFontFace));
  bmp->Canvas()->Font()->SetHeight(13);
  bmp->Canvas()->Font()->SetColor(fw::clNone);
  TTxItemInfo i = Button();
  i.Enabled = false;
  theme->PaintCaption(bmp->Canvas(), fw::TRect{0, 0, 40, 20}, i, "H", win::DT_SINGLELINE, false);
  // The test font draws a glyph as a box: the shadow copy covers the highlight copy except at
  // its right and bottom edges.
  EXPECT_GT(Count(Sys(win::COLOR_BTNSHADOW), fw::TRect{0, 0, 40, 20}), 0);
  EXPECT_GT(Count(Sys(win::COLOR_BTNHIGHLIGHT), fw::TRect{0, 0, 40, 20}), 0);

  Target(40, 20);
  bmp->Canvas()->Font()->SetName(win::WideToUtf8(win::kTestFontFace));
  bmp->Canvas()->Font()->SetHeight(13);
  bmp->Canvas()->Font()->SetColor(fw::clNone);
  i.Enabled = true;
  theme->PaintCaption(bmp->Canvas(), fw::TRect{0, 0, 40, 20}, i, "H", win::DT_SINGLELINE, false);
  EXPECT_GT(Count(Sys(win::COLOR_BTNTEXT), fw::TRect{0, 0, 40, 20}), 0) << "clNone takes the item text colour";
  EXPECT_EQ(Count(Sys(win::COLOR_BTNHIGHLIGHT), fw::TRect{0, 0, 40, 20}), 0);
}

TEST_F(DefaultThemeTest, SeparatorLinesSitAtTheCentre) {
  Target(20, 10);
  TTxItemInfo i = Button();
  theme->PaintSeparator(bmp->Canvas(), fw::TRect{0, 0, 20, 10}, i, true, false);
  EXPECT_EQ(Px(0, 4), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(19, 4), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(10, 5), Sys(win::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(10, 3), kSentinel);

  Target(10, 20);
  theme->PaintSeparator(bmp->Canvas(), fw::TRect{0, 0, 10, 20}, i, false, true);
  EXPECT_EQ(Px(4, 4), Sys(win::COLOR_BTNSHADOW)) << "line only: 4 pixels short of each end";
  EXPECT_EQ(Px(4, 3), kSentinel);
  EXPECT_EQ(Px(5, 10), Sys(win::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(4, 16), kSentinel);

  Target(40, 10);
  theme->PaintSeparator(bmp->Canvas(), fw::TRect{0, 0, 40, 10}, Item(VT_POPUP_MENU), true, false);
  EXPECT_EQ(Px(11, 4), kSentinel) << "menu lines keep 12 pixels";
  EXPECT_EQ(Px(12, 4), Sys(win::COLOR_BTNSHADOW));
  Target(40, 10);
  theme->PaintSeparator(bmp->Canvas(), fw::TRect{0, 0, 40, 10}, Item(VT_POPUP_MENU, false), true, false);
  EXPECT_EQ(ChangedOutside(fw::TRect{0, 0, 0, 0}), 0) << "only enabled separators paint";
}

TEST_F(DefaultThemeTest, CheckMarkAndArrowGeometry) {
  Target(16, 16);
  theme->PaintCheckMark(bmp->Canvas(), fw::TRect{0, 0, 16, 16}, Item(VT_POPUP_MENU));
  EXPECT_EQ(Px(5, 8), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(6, 9), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(4, 8), Sys(win::COLOR_BTNHIGHLIGHT));
  Target(16, 16);
  theme->PaintCheckMark(bmp->Canvas(), fw::TRect{0, 0, 16, 16}, Item(VT_POPUP_MENU, false));
  EXPECT_EQ(Px(5, 8), Sys(win::COLOR_GRAYTEXT));
  EXPECT_EQ(Px(4, 8), kSentinel);

  Target(10, 10);
  TTxItemInfo i = Item(VT_POPUP_MENU);
  theme->PaintDropDownArrow(bmp->Canvas(), fw::TRect{0, 0, 10, 10}, i);
  // X = 5, Y = 4: (3, 4) - (7, 4) - (5, 6).
  EXPECT_EQ(Px(3, 4), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(7, 4), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(5, 6), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(5, 3), kSentinel);
  EXPECT_EQ(ChangedOutside(fw::TRect{3, 4, 8, 7}), 0);
  Target(10, 10);
  i.Pushed = true;
  theme->PaintDropDownArrow(bmp->Canvas(), fw::TRect{0, 0, 10, 10}, i);
  EXPECT_EQ(Px(4, 5), Sys(win::COLOR_BTNTEXT)) << "pushed: one pixel down and right";
  EXPECT_EQ(Px(6, 7), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(3, 4), kSentinel);
}

TEST_F(DefaultThemeTest, ChevronPatternsAndMenuLines) {
  Target(20, 20);
  TTxItemInfo i = Button();
  theme->PaintChevron(bmp->Canvas(), fw::TRect{0, 0, 20, 20}, i);
  // Horizontal: R.Top + 4, 8 x 5 at x = (0 + 20 + 1 - 8) div 2 = 6, y = (4 + 20 + 1 - 5) div 2 = 10.
  EXPECT_EQ(Px(6, 10), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(8, 10), kSentinel);
  EXPECT_EQ(ChangedOutside(fw::TRect{6, 10, 14, 15}), 0);

  Target(60, 18);
  TTxItemInfo line = Item(VT_POPUP_MENU);
  line.HoverKind = hkMouseHover;
  line.PopupMargin = 20;
  line.ImageWidth = 16;
  line.ItemOptions = IO_HAS_SUBMENU;
  theme->PaintMenuItem(bmp->Canvas(), fw::TRect{0, 0, 60, 18}, line);
  EXPECT_EQ(Px(21, 9), Sys(win::COLOR_HIGHLIGHT)) << "the frame starts after the image column and 1 pixel";
  EXPECT_EQ(Px(20, 1), kSentinel);
  // Submenu arrow at x = 60 - 26 div 3 - 2 = 50, y = 9, in the highlight text colour.
  EXPECT_EQ(Px(50, 9), Sys(win::COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(Px(0, 0), Sys(win::COLOR_BTNHIGHLIGHT)) << "the image cell gets a raised button";
}

TEST_F(DefaultThemeTest, PopupAndToolbarFrames) {
  Target(30, 30);
  TTxPopupInfo popup;
  popup.ViewType = VT_POPUP_LIST;
  theme->PaintPopupNCArea(bmp->Canvas(), fw::TRect{0, 0, 30, 30}, popup);
  EXPECT_EQ(Px(0, 10), Sys(win::COLOR_WINDOWFRAME));
  EXPECT_EQ(Px(1, 10), Sys(win::COLOR_WINDOW));
  EXPECT_EQ(Px(2, 10), Sys(win::COLOR_WINDOW));
  EXPECT_EQ(Px(3, 10), kSentinel);

  Target(60, 30);
  TTxToolbarInfo bar;
  bar.ViewType = VT_TOOLBAR_NORMAL;
  bar.AllowDrag = true;
  bar.DragHandleStyle = 2;
  bar.ClientWidth = 56;
  bar.ClientHeight = 26;
  bar.BorderSize = {2, 2};
  bmp->Canvas()->Brush()->SetColor(0x00FFFF);
  theme->PaintToolbarNCArea(bmp->Canvas(), fw::TRect{0, 0, 60, 30}, bar);
  // No border: the single grip starts 2 pixels in, a raised 3-pixel-wide edge inset 1 vertically.
  EXPECT_EQ(Px(2, 5), Sys(win::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(4, 5), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(2, 28), Sys(win::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(5, 5), 0x00FFFF) << "the rest is the canvas brush";
  EXPECT_EQ(Px(2, 0), 0x00FFFF);
}

TEST_F(DefaultThemeTest, DockPanelFrames) {
  Target(60, 40);
  TTxDockPanelInfo panel;
  panel.ViewType = VT_DOCKPANEL_NORMAL;
  panel.IsVertical = true;
  panel.DragHandleStyle = 1;
  panel.CloseButtonState = CDBS_VISIBLE;
  theme->PaintDockPanelNCArea(bmp->Canvas(), fw::TRect{0, 0, 60, 40}, panel);
  EXPECT_EQ(Px(0, 20), Sys(win::COLOR_BTNFACE));
  EXPECT_EQ(Px(1, 1), Sys(win::COLOR_BTNHIGHLIGHT)) << "the caption strip is raised";
  EXPECT_EQ(Px(1, 20), Sys(win::COLOR_WINDOW)) << "the body below the 16-pixel strip";
  EXPECT_EQ(Px(1, 16), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(30, 25), kSentinel);
  // The close cross (7 x 6) centred in the button square at the strip's right end.
  int cross = 0;
  for (int y = 1; y < 17; ++y)
    for (int x = 43; x < 59; ++x) cross += Px(x, y) == Sys(win::COLOR_BTNTEXT);
  EXPECT_EQ(cross, 22);

  Target(60, 40);
  panel.DragHandleStyle = 0;
  theme->PaintDockPanelNCArea(bmp->Canvas(), fw::TRect{0, 0, 60, 40}, panel);
  EXPECT_EQ(Px(0, 20), Sys(win::COLOR_BTNFACE));
  EXPECT_EQ(ChangedOutside(fw::TRect{1, 1, 59, 39}), 196) << "without a caption: only the frame";
  EXPECT_EQ(Px(1, 1), kSentinel);
}

TEST_F(DefaultThemeTest, CheckBoxesInBothLooks) {
  Target(13, 13);
  theme->PaintFrameControl(bmp->Canvas(), fw::TRect{0, 0, 13, 13}, PFC_CHECKBOX, 0, nullptr);
  EXPECT_EQ(Px(1, 6), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(0, 6), kSentinel);
  EXPECT_EQ(Px(6, 6), Sys(win::COLOR_WINDOW));
  Target(13, 13);
  theme->PaintFrameControl(bmp->Canvas(), fw::TRect{0, 0, 13, 13}, PFC_CHECKBOX, PFS_CHECKED | PFS_DISABLED, nullptr);
  EXPECT_EQ(Px(5, 6), Sys(win::COLOR_GRAYTEXT));
  // Hot and unchecked: the platform's box, without a check.
  Target(13, 13);
  theme->PaintFrameControl(bmp->Canvas(), fw::TRect{0, 0, 13, 13}, PFC_CHECKBOX, PFS_HOT, nullptr);
  EXPECT_EQ(Count(Sys(win::COLOR_WINDOWTEXT), fw::TRect{3, 3, 10, 10}), 0);
  Target(13, 13);
  theme->PaintFrameControl(bmp->Canvas(), fw::TRect{0, 0, 13, 13}, PFC_CHECKBOX, PFS_HOT | PFS_CHECKED, nullptr);
  EXPECT_GT(Count(Sys(win::COLOR_WINDOWTEXT), fw::TRect{3, 3, 10, 10}), 0);
  Target(13, 13);
  theme->PaintFrameControl(bmp->Canvas(), fw::TRect{0, 0, 13, 13}, PFC_RADIOBUTTON, PFS_CHECKED, nullptr);
  EXPECT_EQ(Px(6, 6), Sys(win::COLOR_BTNTEXT));
  EXPECT_EQ(Px(1, 6), Sys(win::COLOR_WINDOW));
}

TEST_F(DefaultThemeTest, StatusBarAndEditFrames) {
  Target(20, 20);
  theme->PaintStatusBar(bmp->Canvas(), fw::TRect{0, 0, 20, 20}, SBP_BODY);
  EXPECT_EQ(Px(10, 10), Sys(win::COLOR_BTNFACE));
  Target(20, 20);
  theme->PaintStatusBar(bmp->Canvas(), fw::TRect{0, 0, 20, 20}, SBP_PANE);
  EXPECT_EQ(Px(0, 5), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(Px(17, 5), Sys(win::COLOR_BTNHIGHLIGHT)) << "a pane's right edge is 2 pixels in";
  EXPECT_EQ(Px(18, 5), kSentinel);

  Target(60, 22);
  TTxItemInfo edit = Button();
  TTxEditFrameInfo frame;
  frame.RightButtonWidth = 13;
  frame.RightButtonInfo.ButtonType = EBT_DROPDOWN;
  theme->PaintEditFrame(bmp->Canvas(), fw::TRect{0, 0, 60, 22}, edit, frame);
  EXPECT_EQ(Px(1, 5), Sys(win::COLOR_BTNFACE)) << "the face frame inside";
  EXPECT_EQ(Px(10, 10), Sys(win::COLOR_WINDOW));
  EXPECT_EQ(Px(0, 5), kSentinel) << "not hot: no edge outside";
  EXPECT_EQ(Px(50, 10), Sys(win::COLOR_BTNTEXT)) << "the drop-down arrow in the button";
}

// The drop-down arrow of an edit item moves a pixel right and down while the item is pushed or
// checked; the button's own pressed state does not move it.
TEST_F(DefaultThemeTest, EditDropDownArrowMovesWhileTheItemIsPushedOrChecked) {
  struct Case {
    bool pushed, checked;
    int buttonState;
    bool moved;
  } cases[] = {
      {false, false, 0, false}, {false, false, EBDS_HOT | EBDS_PRESSED, false},
      {true, false, 0, true},   {false, true, 0, true},
      {true, true, EBDS_HOT, true},
  };
  // A 13 x 18 button at x = 40: the classic face starts 2 in, so the arrow is (45, 10), (49, 10),
  // (47, 12) in place and one pixel further right and down when moved.
  for (const Case& c : cases) {
    Target(60, 22);
    TTxItemInfo edit = Button();
    edit.Pushed = c.pushed;
    edit.Selected = c.checked;
    theme->PaintEditButton(bmp->Canvas(), fw::TRect{40, 2, 53, 20}, edit, TTxEditButtonInfo{EBT_DROPDOWN, c.buttonState});
    const TColor ink = Px(47, 11);  // inside the arrow either way
    EXPECT_EQ(Px(45, 10) == ink, !c.moved) << c.pushed << c.checked << c.buttonState;
    EXPECT_EQ(Px(47, 12) == ink && Px(48, 12) != ink, !c.moved) << "the tip in place";
    EXPECT_EQ(Px(48, 13) == ink && Px(50, 11) == ink, c.moved) << "the tip and corner moved";
  }
}

// A classic spin button is two buttons, each with its own edge: raised while the mouse is over
// it, sunken where pressed, framed in the window colour otherwise.
TEST_F(DefaultThemeTest, EachHalfOfAClassicSpinButtonHasItsOwnEdge) {
  const TColor light = Sys(win::COLOR_BTNHIGHLIGHT), dark = Sys(win::COLOR_BTNSHADOW),
               window = Sys(win::COLOR_WINDOW);
  struct Case {
    int state;
    TColor upTopLeft, upBottomRight, downTopLeft, downBottomRight;
  } cases[] = {
      {0, window, window, window, window},
      {EBDS_HOT, light, dark, light, dark},
      {EBDS_HOT | EBDS_DOWN_PRESSED, light, dark, dark, light},
      {EBDS_HOT | EBDS_PRESSED, dark, light, light, dark},
  };
  // In 13 x 20 the halves are 11 wide from x = 2; lit, they are y 0..8 and 11..19, else 0..9 and 10..19.
  for (const Case& c : cases) {
    Target(13, 20);
    TTxItemInfo spin = Button();
    theme->PaintEditButton(bmp->Canvas(), fw::TRect{0, 0, 13, 20}, spin,
                           TTxEditButtonInfo{EBT_SPIN, c.state});
    const bool lit = c.state != 0;
    EXPECT_EQ(Px(2, 0), c.upTopLeft) << c.state;
    EXPECT_EQ(Px(12, lit ? 8 : 9), c.upBottomRight) << c.state;
    EXPECT_EQ(Px(2, lit ? 11 : 10), c.downTopLeft) << c.state;
    EXPECT_EQ(Px(12, 19), c.downBottomRight) << c.state;
  }
}

TEST_F(DefaultThemeTest, StyledBranchesThroughTheProvider) {
  StylesOn();
  EXPECT_TRUE(theme->GetBooleanMetric(TMB_VISUAL_STYLES));
  EXPECT_EQ(theme->GetIntegerMetric(TMI_SPLIT_ARROW_WIDTH), 11) << "part width 9 + 2";
  fw::TMessage change{TXM_SYSCHANGE, TSC_CHANGE, 0, 0};
  theme->Dispatch(change);
  EXPECT_EQ(theme->FaceColor(), 0x00E0E0E0);
  TTxMargins m;
  theme->GetMargins(MID_STATUSPANE, m);
  EXPECT_EQ(m.LeftWidth, 2);
  EXPECT_EQ(m.TopHeight, 3);
  EXPECT_EQ(m.RightWidth, 4);
  EXPECT_EQ(m.BottomHeight, 5);

  Target(30, 30);
  TTxItemInfo i = Button();
  i.Selected = true;
  i.HoverKind = hkMouseHover;
  theme->PaintButton(bmp->Canvas(), fw::TRect{0, 0, 20, 20}, i);
  EXPECT_TRUE(fake->Drew(u"TOOLBAR", 1, 6));
  i.ComboPart = cpSplitRight;
  i.Selected = false;
  i.Enabled = false;
  i.HoverKind = hkKeyboardHover;
  theme->PaintButton(bmp->Canvas(), fw::TRect{0, 0, 20, 20}, i);
  EXPECT_TRUE(fake->Drew(u"TOOLBAR", 4, 2));
  EXPECT_EQ(Px(5, 5), TColor(txtest::FakeVisualStyles::PartColor(4, 2)));

  fake->Clear();
  theme->PaintDock(bmp->Canvas(), fw::TRect{0, 0, 30, 30}, fw::TRect{0, 0, 10, 20}, DP_LEFT);
  ASSERT_EQ(fake->Calls("DrawThemeBackground").size(), 1u);
  EXPECT_EQ(fake->Calls("DrawThemeBackground")[0].rect.bottom, 21);
  EXPECT_EQ(fake->Calls("DrawThemeBackground")[0].themeClass, u"REBAR");

  theme->PaintSeparator(bmp->Canvas(), fw::TRect{0, 0, 6, 20}, Button(), true, false);
  EXPECT_TRUE(fake->Drew(u"TOOLBAR", 6, 1));
  theme->PaintFrameControl(bmp->Canvas(), fw::TRect{0, 0, 13, 13}, PFC_CHECKBOX, PFS_CHECKED | PFS_HOT, nullptr);
  EXPECT_TRUE(fake->Drew(u"BUTTON", 3, 6));
  theme->PaintFrameControl(bmp->Canvas(), fw::TRect{0, 0, 13, 13}, PFC_RADIOBUTTON, PFS_DISABLED, nullptr);
  EXPECT_TRUE(fake->Drew(u"BUTTON", 2, 4));
  theme->PaintMDIButton(bmp->Canvas(), fw::TRect{0, 0, 16, 14}, Button(), MDI_RESTORE);
  EXPECT_TRUE(fake->Drew(u"WINDOW", 22, 1));
  fake->Clear();
  theme->PaintMDIButton(bmp->Canvas(), fw::TRect{0, 0, 16, 14}, Button(), MDI_MAXIMIZE);
  EXPECT_TRUE(fake->Calls("DrawThemeBackground").empty()) << "no styled maximize button";

  TTxItemInfo spin = Button();
  TTxEditButtonInfo b{EBT_SPIN, EBDS_DOWN_PRESSED};
  theme->PaintEditButton(bmp->Canvas(), fw::TRect{0, 0, 13, 20}, spin, b);
  EXPECT_TRUE(fake->Drew(u"SPIN", 1, 1));
  EXPECT_TRUE(fake->Drew(u"SPIN", 2, 3));
  theme->PaintStatusBar(bmp->Canvas(), fw::TRect{0, 0, 20, 20}, SBP_SIZEGRIP);
  EXPECT_TRUE(fake->Drew(u"STATUS", 3, 0));

  // Styled scroll arrows: s = 3/4 of min(16, 8) = 6 about (16, 8); the base is 12 wide.
  for (Integer type : {PSBT_DOWN, PSBT_UP}) {
    Target(32, 16);
    theme->PaintScrollButton(bmp->Canvas(), fw::TRect{0, 0, 32, 16}, type, true);
    const int base = type == PSBT_DOWN ? 5 : 11, tipSide = type == PSBT_DOWN ? 9 : 6;
    EXPECT_EQ(Px(11, base), Sys(win::COLOR_BTNTEXT)) << type;
    EXPECT_EQ(Px(11, tipSide), TColor(txtest::FakeVisualStyles::PartColor(1, 3))) << "narrow at the tip " << type;
    EXPECT_EQ(Px(16, tipSide), Sys(win::COLOR_BTNTEXT)) << type;
  }
  EXPECT_TRUE(fake->Drew(u"TOOLBAR", 1, 3)) << "hot: the pressed-looking state";

  // A floating frame: bottom, caption, left and right parts, and the close button.
  fake->Clear();
  TTxFloatingWindowInfo w;
  w.ClientWidth = 92;
  w.FloatingBorderSize = {4, 4};
  w.ShowCaption = true;
  w.CloseButtonState = CDBS_VISIBLE | CDBS_HOT;
  w.RedrawPart = WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN;
  w.Active = false;
  Target(100, 60);
  theme->PaintFloatingBorder(bmp->Canvas(), fw::TRect{0, 0, 100, 60}, w);
  const auto parts = fake->Calls("DrawThemeBackground");
  ASSERT_EQ(parts.size(), 5u);
  const struct {
    int part, state;
    fw::TRect rect;
  } expected[] = {{12, 2, {0, 56, 100, 60}}, {2, 2, {0, 0, 100, 20}}, {10, 2, {0, 20, 4, 56}},
                  {11, 2, {96, 20, 100, 56}}, {19, 2, {83, 6, 94, 17}}};
  for (size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(parts[k].part, expected[k].part) << k;
    EXPECT_EQ(parts[k].state, expected[k].state) << k;
    EXPECT_EQ(parts[k].rect.left, expected[k].rect.left) << k;
    EXPECT_EQ(parts[k].rect.top, expected[k].rect.top) << k;
    EXPECT_EQ(parts[k].rect.right, expected[k].rect.right) << k;
    EXPECT_EQ(parts[k].rect.bottom, expected[k].rect.bottom) << k;
  }
  theme->PaintScrollButton(bmp->Canvas(), fw::TRect{0, 0, 32, 16}, PSBT_LEFT, false);
  EXPECT_TRUE(fake->Drew(u"TOOLBAR", 1, 2));

  // With styles, an unhovered toolbar image is faded: black becomes 255 * 77 >> 8.
  auto list = Images(2, 2, {0, 0, 0, 0}, 0xFF00FF);
  Target(4, 4, 0xFFFFFF);
  theme->PaintImage(bmp->Canvas(), fw::TRect{0, 0, 2, 2}, Button(), list.get(), 0);
  EXPECT_EQ(Px(0, 0), 0x4C4C4C);
}

// Styled, a drop-down button is the combo box's arrow part in its state; while the mouse is over
// it the part grows by a pixel on every side, over the field's frame.
TEST_F(DefaultThemeTest, StyledDropDownButtonStatesAndTheHotPartsLargerRectangle) {
  StylesOn();
  const fw::TRect button{40, 2, 53, 20};
  struct Case {
    int buttonState;
    int partState;
    win::RECT drawn;
  } cases[] = {
      {0, 1, {40, 2, 53, 20}},
      {EBDS_HOT, 2, {39, 1, 54, 21}},
      {EBDS_HOT | EBDS_PRESSED, 3, {39, 1, 54, 21}},
      {EBDS_DISABLED, 4, {40, 2, 53, 20}},
  };
  for (const Case& c : cases) {
    fake->Clear();
    Target(60, 22);
    TTxItemInfo edit = Button();
    theme->PaintEditButton(bmp->Canvas(), button, edit, TTxEditButtonInfo{EBT_DROPDOWN, c.buttonState});
    const auto drawn = fake->Calls("DrawThemeBackground");
    ASSERT_EQ(drawn.size(), 1u) << c.buttonState;
    EXPECT_EQ(drawn[0].themeClass, u"COMBOBOX");
    EXPECT_EQ(drawn[0].part, 1);
    EXPECT_EQ(drawn[0].state, c.partState) << c.buttonState;
    EXPECT_EQ(fw::TRect(drawn[0].rect), fw::TRect(c.drawn)) << c.buttonState;
  }
}

TEST_F(DefaultThemeTest, ClassicImagesAreDrawnPlainAndShiftedWhenPushed) {
  auto list = Images(2, 2, {0, 0, 0, 0}, 0xFF00FF);
  Target(4, 4, 0xFFFFFF);
  TTxItemInfo i = Button();
  i.Pushed = true;
  theme->PaintImage(bmp->Canvas(), fw::TRect{0, 0, 2, 2}, i, list.get(), 0);
  EXPECT_EQ(Px(0, 0), 0xFFFFFF);
  EXPECT_EQ(Px(1, 1), 0x000000);
  EXPECT_EQ(Px(2, 2), 0x000000);
}

// Every painting operation, in several states and sizes, in both looks: nothing faults, and
// for a roomy rectangle nothing lands outside it (the dock may paint a pixel below for side docks).
TEST_F(DefaultThemeTest, SweepOfEveryPaintingOperation) {
  auto list = Images(4, 4, std::vector<TColor>(16, 0x336699), 0xFF00FF);
  for (bool styled : {false, true}) {
    if (styled) StylesOn();
    for (const fw::TRect inner : {fw::TRect{5, 5, 5, 5}, fw::TRect{5, 5, 6, 6}, fw::TRect{5, 5, 18, 18},
                                  fw::TRect{5, 5, 28, 27}}) {
      for (int state = 0; state < 8; ++state) {
        TTxItemInfo i = Item(state & 1 ? VT_POPUP_MENU : VT_TOOLBAR_NORMAL | (state & 4 ? VT_EMBEDDED : 0));
        i.ItemOptions = state & 1 ? IO_HAS_SUBMENU | IO_SPLIT : IO_TOOLBAR_STYLE;
        i.Enabled = state != 6;
        i.Pushed = state & 2;
        i.Selected = state & 4;
        i.HoverKind = TTxHoverKind(state % 3);
        i.ComboPart = TTxComboPart(state % 4);
        i.PopupMargin = 8;
        i.ImageWidth = 4;
        Target(40, 40);
        fw::TCanvas* c = bmp->Canvas();
        const fw::TRect r = inner;
        theme->PaintBackground(c, r, r, r, 0x00FF00, false, i.ViewType);
        theme->PaintButton(c, r, i);
        theme->PaintCheckMark(c, r, i);
        theme->PaintChevron(c, r, i);
        TTxEditFrameInfo frame{0, 13, {}, {state & 1 ? EBT_SPIN : EBT_DROPDOWN, state * 2}};
        theme->PaintEditFrame(c, r, i, frame);
        // A drop-down button's separator reaches one pixel below, a hot styled one grows by 1.
        theme->PaintEditButton(c, Inset1(r), i, frame.RightButtonInfo);
        theme->PaintDropDownArrow(c, r, i);
        theme->PaintFrame(c, r, i);
        theme->PaintImage(c, r, i, list.get(), 0);
        for (Cardinal kind = 0; kind < 4; ++kind) theme->PaintMDIButton(c, r, i, kind);
        theme->PaintMenuItem(c, r, i);
        theme->PaintMenuItemFrame(c, r, i);
        for (Integer b = PSBT_UP; b <= PSBT_RIGHT; ++b) theme->PaintScrollButton(c, r, b, state & 1);
        theme->PaintSeparator(c, r, i, state & 1, state & 2);
        for (Integer k = PFC_CHECKBOX; k <= PFC_RADIOBUTTON; ++k) theme->PaintFrameControl(c, r, k, state * 3, nullptr);
        for (Integer p = SBP_BODY; p <= SBP_SIZEGRIP; ++p) theme->PaintStatusBar(c, r, p);
        TTxPopupInfo popup{nullptr, state & 1 ? VT_POPUP_LIST : VT_POPUP_MENU, {}, {3, 3}};
        theme->PaintPopupNCArea(c, r, popup);
        TTxToolbarInfo bar;
        bar.ViewType = VT_TOOLBAR_NORMAL;
        bar.IsVertical = state & 1;
        bar.AllowDrag = true;
        bar.BorderStyle = Byte(state & 1);
        bar.DragHandleStyle = state % 3;
        bar.CloseButtonState = state & 2 ? CDBS_VISIBLE | (state & 4 ? CDBS_PRESSED : CDBS_HOT) : 0;
        bar.ClientWidth = r.right - r.left;
        bar.ClientHeight = r.bottom - r.top;
        bar.Caption = "Panel";
        bar.DragHandleStyle = state & 1;
        theme->PaintDockPanelNCArea(c, r, bar);
        if (r.right - r.left > 16) {
          EXPECT_EQ(ChangedOutside(r), 0) << styled << " state " << state;
        }
        // The toolbar frame places its close button in window coordinates (from 0, 0).
        bar.DragHandleStyle = state % 3;
        theme->PaintToolbarNCArea(c, r, bar);
        // Text shifted for a pushed item, side docks and floating frames may leave the rectangle.
        theme->PaintCaption(c, r, i, "&Caption", win::DT_SINGLELINE, state & 1);
        theme->PaintDock(c, r, r, DP_LEFT + state % 4);
        TTxFloatingWindowInfo w;
        w.ShowCaption = true;
        w.ClientWidth = r.right - r.left;
        w.FloatingBorderSize = {3, 3};
        w.CloseButtonState = CDBS_VISIBLE | (state & 2 ? CDBS_PRESSED : 0);
        w.RedrawPart = WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN;
        w.Caption = "Floating";
        w.Active = state & 1;
        theme->PaintFloatingBorder(c, r, w);
      }
    }
  }
}

}  // namespace
