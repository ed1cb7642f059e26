// "OfficeK": its place in the menu, metrics, the white-to-grey gradients, the image column of
// popup menus, grip dots, and the close buttons of floating windows.

#include <vector>

#include "framework/ControlMessages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeList.h"
#include "themes/TxOfficeKTheme.h"
#include "themes/vrnThemes.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxOfficeKTheme;

class OfficeKTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    const win::INT index[3] = {win::COLOR_BTNFACE, win::COLOR_BTNSHADOW, win::COLOR_HIGHLIGHT};
    const win::COLORREF classic[3] = {0xC0C0C0, 0x808080, 0x800000};
    win::SetSysColors(3, index, classic);
    InitTx();
    themes::RegisterThemes();
    held = AcquireTheme("OfficeK");
    theme = dynamic_cast<TTxOfficeKTheme*>(held);
    ASSERT_NE(theme, nullptr);
    fw::TMessage m{TXM_SYSCHANGE, TSC_CHANGE, 0};
    theme->Dispatch(m);
  }
  void TearDown() override {
    ReleaseTheme(held);
    DoneTx();
    win::ResetSysColors();
    TxTest::TearDown();
  }
  std::vector<TColor> Pixels(int w, int h) {
    std::vector<TColor> all;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) all.push_back(Px(x, y));
    return all;
  }
  int Changed(int w, int h) {
    int n = 0;
    for (TColor c : Pixels(w, h)) n += c != txtest::kSentinel;
    return n;
  }
  // A floating toolbar of client width 100 with a 3-pixel border and a visible close button.
  static TTxFloatingWindowInfo Floating(Integer parts, Integer close, bool active) {
    TTxFloatingWindowInfo w;
    w.ViewType = VT_TOOLBAR | VT_FLOATING;
    w.ClientWidth = 100;
    w.ClientHeight = 40;
    w.ShowCaption = true;
    w.FloatingBorderSize = {3, 3};
    w.CloseButtonState = close;
    w.RedrawPart = parts;
    w.Caption = "Tools";
    w.Active = active;
    return w;
  }
  TTxTheme* held = nullptr;
  TTxOfficeKTheme* theme = nullptr;
};

TEST_F(OfficeKTest, RegisteredBetweenDefaultXPAndDream) {
  EXPECT_EQ(theme->Name(), "OfficeK");
  EXPECT_EQ(FindThemeIndex("OfficeK"), FindThemeIndex("DefaultXP") + 1);
  EXPECT_EQ(FindThemeIndex("Dream"), FindThemeIndex("OfficeK") + 1);
  EXPECT_EQ(themes::TThemeUnit<TTxOfficeKTheme>::ThemeInstanceCount, 1);
  EXPECT_NE(themes::TThemeUnit<TTxOfficeKTheme>::GlyphImages, nullptr);
}

TEST_F(OfficeKTest, MetricsAndBorders) {
  const std::pair<Integer, Integer> ints[] = {{10, 12}, {20, 8}, {21, 3},  {32, 0}, {33, 8},
                                              {34, 3},  {35, 3}, {36, 2},  {37, 2}, {60, 1},
                                              {61, 2},  {62, 2}, {65, 14}, {66, 1}};
  for (Integer id = 0; id <= 100; ++id) {
    Integer expected = -1;
    for (const auto& [k, v] : ints)
      if (k == id) expected = v;
    EXPECT_EQ(theme->GetIntegerMetric(id), expected) << id;
    EXPECT_EQ(theme->GetBooleanMetric(id), id == 1 || id == 5 || id == 6 || id == 7) << id;
  }
  EXPECT_EQ(theme->GetPopupShadowType(), PST_LAYERED);
  TPoint b;
  theme->GetViewBorder(VT_POPUP_MENU, b);
  EXPECT_EQ(b, (TPoint{1, 2}));
  theme->GetViewBorder(VT_POPUP_LIST, b);
  EXPECT_EQ(b, (TPoint{2, 2}));
  theme->GetViewBorder(VT_TOOLBAR_NORMAL, b);
  EXPECT_EQ(b, (TPoint{2, 2}));
}

TEST_F(OfficeKTest, GradientColoursOfTheClassicScheme) {
  EXPECT_EQ(TTxOfficeKTheme::GradientDark, 0xB3B3B3);
  EXPECT_EQ(TTxOfficeKTheme::GradientDarker, 0xA5A5A5);
  EXPECT_EQ(theme->GetViewColor(VT_TOOLBAR_NORMAL), 0xFFFFFF);
  EXPECT_EQ(theme->GetViewColor(VT_TOOLBAR_MENUBAR), 0xC0C0C0);
}

TEST_F(OfficeKTest, DockedToolbarGradientFollowsTheLongSide) {
  fw::TCanvas* c = Target(100, 24);
  theme->PaintBackground(c, TRect{0, 0, 200, 30}, TRect{0, 0, 100, 24}, TRect{0, 0, 100, 24}, 0xFFFFFF, false,
                         VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Px(50, 0), 0xFFFFFF);
  EXPECT_EQ(Px(50, 23), 0xB3B3B3);
  EXPECT_EQ(Px(0, 23), Px(99, 23)) << "one colour per row";
  c = Target(24, 100);
  theme->PaintBackground(c, TRect{0, 0, 30, 200}, TRect{0, 0, 24, 100}, TRect{0, 0, 24, 100}, 0xFFFFFF, false,
                         VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Px(0, 50), 0xFFFFFF);
  EXPECT_EQ(Px(23, 50), 0xB3B3B3);
}

TEST_F(OfficeKTest, OneLineGradientTakesTheDarkEnd) {
  fw::TCanvas* c = Target(50, 3);
  theme->PaintBackground(c, TRect{0, 0, 90, 30}, TRect{0, 1, 50, 2}, TRect{0, 0, 50, 3}, 0xFFFFFF, false,
                         VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Px(10, 1), 0xB3B3B3);
  EXPECT_EQ(ChangedOutside(TRect{0, 1, 50, 2}), 0);
}

TEST_F(OfficeKTest, PopupMenusCarryAnImageColumnAlsoWhenRepaintedInPart) {
  fw::TCanvas* c = Target(100, 60);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 100, 60}, TRect{0, 0, 100, 60}, 0xFFFFFF, false,
                         VT_POPUP_MENU);
  EXPECT_EQ(Px(0, 0), 0xFFFFFF);
  EXPECT_EQ(Px(23, 59), 0xB3B3B3);
  EXPECT_EQ(Px(24, 59), 0xFFFFFF) << "column 24 is the plain colour";
  const std::vector<TColor> whole = Pixels(100, 60);
  c = Target(100, 60);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 100, 60}, TRect{0, 0, 10, 60}, 0xFFFFFF, false,
                         VT_POPUP_MENU);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 100, 60}, TRect{10, 0, 100, 60}, 0xFFFFFF, false,
                         VT_POPUP_MENU);
  EXPECT_EQ(Pixels(100, 60), whole);
  c = Target(100, 20);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 100, 20}, TRect{0, 0, 100, 20}, 0xC0C0C0, false,
                         VT_TOOLBAR_MENUBAR);
  EXPECT_EQ(Px(0, 19), 0xC0C0C0) << "menu bars are plain";
}

TEST_F(OfficeKTest, DisabledToolbarItemHasNoFillOrFrame) {
  TTxItemInfo i;
  i.ViewType = VT_TOOLBAR_NORMAL;
  i.ItemOptions = IO_TOOLBAR_STYLE;
  fw::TCanvas* c = Target(24, 22);
  theme->PaintButton(c, TRect{0, 0, 24, 22}, i);
  EXPECT_EQ(Changed(24, 22), 0);
  EXPECT_EQ(theme->GetItemColor(i), 0xFFFFFF);
  TColor grey = BlendColors(fw::clBtnShadow, fw::clWindow, 90);
  EnsureContrast(grey, 0xFFFFFF, 80);
  EXPECT_EQ(theme->GetItemTextColor(i), grey);
}

// On a toolbar, an edit's drop-down button shows as a button only while it is pressed, under the
// mouse, or in an embedded view; idle, or disabled, it is a plain frame and the field shows through.
TEST_F(OfficeKTest, ADropDownButtonShowsOnlyWhenHotPressedOrEmbedded) {
  struct Case {
    Integer viewType;
    int state;
    bool button;
  } cases[] = {
      {VT_TOOLBAR_NORMAL, 0, false},
      {VT_TOOLBAR_NORMAL, EBDS_DISABLED | EBDS_HOT, false},
      {VT_TOOLBAR_NORMAL, EBDS_HOT, true},
      {VT_TOOLBAR_NORMAL, EBDS_PRESSED, true},
      {VT_TOOLBAR_NORMAL | VT_EMBEDDED, 0, true},
  };
  for (const Case& c : cases) {
    fw::TCanvas* canvas = Target(60, 22);
    TTxItemInfo edit;
    edit.ViewType = c.viewType;
    edit.Enabled = true;
    edit.ItemOptions = IO_TOOLBAR_STYLE;
    theme->PaintEditButton(canvas, TRect{40, 2, 53, 20}, edit, TTxEditButtonInfo{EBT_DROPDOWN, c.state});
    // Inside the button, clear of its ring and of the arrow in the middle.
    EXPECT_EQ(Px(43, 5) != txtest::kSentinel, c.button) << c.viewType << " state " << c.state;
    if (!c.button) {
      // The plain frame: the button's rectangle, grown a pixel up and down, ringed in the window colour.
      EXPECT_EQ(Px(46, 1), fw::ColorToRGB(fw::clWindow)) << c.viewType << " state " << c.state;
      EXPECT_EQ(Px(46, 20), fw::ColorToRGB(fw::clWindow)) << c.viewType << " state " << c.state;
    }
  }
}

TEST_F(OfficeKTest, SizeGripIsSixSevenPixelDots) {
  fw::TCanvas* c = Target(20, 20);
  theme->PaintStatusBar(c, TRect{0, 0, 20, 20}, SBP_SIZEGRIP);
  EXPECT_EQ(Changed(20, 20), 42);
  const TColor light128 = MixColorsNearest(fw::clBtnFace, fw::clBtnHighlight, 128);
  for (const auto& [x, y] : {std::pair{16, 16}, std::pair{12, 16}, std::pair{8, 16}, std::pair{16, 12},
                             std::pair{12, 12}, std::pair{16, 8}}) {
    EXPECT_EQ(Px(x + 2, y + 2), light128) << x << "," << y;
    EXPECT_EQ(Px(x, y), MixColorsNearest(fw::clBtnFace, fw::clBtnShadow, 16)) << x << "," << y;
    EXPECT_EQ(Px(x + 2, y), txtest::kSentinel);
  }
}

TEST_F(OfficeKTest, GripStyleNoneStillShowsTheCloseButton) {
  TTxToolbarInfo t;
  t.ViewType = VT_TOOLBAR_NORMAL;
  t.AllowDrag = true;
  t.DragHandleStyle = 1;
  t.CloseButtonState = CDBS_VISIBLE;
  fw::TCanvas* c = Target(200, 26);
  theme->PaintToolbarNCArea(c, TRect{0, 0, 200, 26}, t);
  const TColor dot = MixColorsNearest(TTxOfficeKTheme::GripBase, TTxOfficeKTheme::GripDark, 64);
  const TColor cross = theme->ButtonColors[0].Text;
  int dots = 0, crosses = 0;
  for (TColor p : Pixels(200, 26)) {
    dots += p == dot;
    crosses += p == cross;
  }
  EXPECT_EQ(dots, 0);
  EXPECT_EQ(crosses, 26) << "the 8 x 7 cross";
  t.DragHandleStyle = 0;
  c = Target(200, 26);
  theme->PaintToolbarNCArea(c, TRect{0, 0, 200, 26}, t);
  dots = 0;
  for (TColor p : Pixels(200, 26)) dots += p == dot;
  EXPECT_GT(dots, 0);
}

TEST_F(OfficeKTest, InactiveWindowsShowABareCloseCross) {
  const Integer cap = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  // The close square: (3 + 100 - (cap - 1), 3) to (103, 3 + cap - 1).
  const TRect sq{103 - (cap - 1), 3, 103, 3 + cap - 1};
  for (Integer state : {CDBS_VISIBLE | CDBS_HOT, CDBS_VISIBLE | CDBS_PRESSED}) {
    fw::TCanvas* c = Target(106, 46);
    c->Brush()->SetColor(0xFFFFFF);
    theme->PaintFloatingBorder(c, TRect{0, 0, 106, 46}, Floating(WRP_CLOSEBTN, state, false));
    const TColor text = theme->FloatingToolbarColors[0].Text;
    int cross = 0;
    for (Integer y = sq.top; y < sq.bottom; ++y)
      for (Integer x = sq.left; x < sq.right; ++x) cross += Px(x, y) == text;
    EXPECT_EQ(cross, 26) << state;
    EXPECT_NE(Px(sq.left, sq.top), theme->ButtonColors[4].Frame) << "no frame";
    EXPECT_NE(Px(sq.left + 2, sq.top + 2), theme->ButtonColors[3].Fill) << "no fill";
  }
}

TEST_F(OfficeKTest, CloseButtonRedrawTouchesOnlyItsSquare) {
  const Integer cap = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  fw::TCanvas* c = Target(106, 46);
  c->Brush()->SetColor(0xFFFFFF);
  theme->PaintFloatingBorder(c, TRect{0, 0, 106, 46}, Floating(WRP_CLOSEBTN, CDBS_VISIBLE | CDBS_HOT, true));
  // The square plus the line under it, which starts one pixel further left.
  EXPECT_EQ(ChangedOutside(TRect{103 - (cap - 1) - 1, 3, 103, 3 + cap}), 0);
  EXPECT_EQ(Px(103 - (cap - 1), 3), theme->ButtonColors[4].Frame);
  TTxFloatingWindowInfo hidden = Floating(WRP_CLOSEBTN | WRP_CAPTION, CDBS_VISIBLE, true);
  hidden.ShowCaption = false;
  c = Target(106, 46);
  theme->PaintFloatingBorder(c, TRect{0, 0, 106, 46}, hidden);
  EXPECT_EQ(Changed(106, 46), 0);
}

TEST_F(OfficeKTest, PanelCaptionStartsRightInsideTheBorder) {
  TTxDockPanelInfo p;
  p.ViewType = VT_DOCKPANEL_NORMAL;
  p.IsVertical = true;
  p.DragHandleStyle = 1;
  p.BorderSize = {2, 2};
  fw::TCanvas* c = Target(80, 60);
  c->Brush()->SetColor(0x00FF00);
  theme->PaintDockPanelNCArea(c, TRect{0, 0, 80, 60}, p);
  EXPECT_EQ(Px(40, 0), 0xC0C0C0) << "outer frame";
  EXPECT_EQ(Px(40, 1), 0x00FF00) << "inner frame in the panel colour";
  EXPECT_EQ(Px(40, 2), 0xB3B3B3) << "the caption's dark top edge, no unpainted band";
  EXPECT_EQ(Px(2, 10), Px(40, 10)) << "the caption spans the panel from inside the border";
}

}  // namespace
