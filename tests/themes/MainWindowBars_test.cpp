// Every theme painting the bars as the main window describes them: docked toolbars carry the
// resizable bit, the menu bar its own kind, floating toolbars the floating bits, and the explorer
// panel runs its caption down its left side with a close button. Each check reads pixels the
// theme's look fixes, with the fixed test fonts.

#include <functional>
#include <string>
#include <vector>

#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeList.h"
#include "themes/TxAluminumTheme.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemes.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace {

using namespace tx;
using fw::TRect;
using txtest::kSentinel;

const std::vector<std::string> kAllThemes = {"Default", "Aluminum", "Stripes", "Monai",  "Zezio",   "OfficeK",
                                             "Dream",   "Miranda",  "Nexos5",  "SentimoX", "DefaultXP"};

constexpr Integer kDockedToolbar = VT_TOOLBAR_NORMAL | VT_RESIZABLE;
constexpr Integer kMenuBar = VT_TOOLBAR_MENUBAR | VT_RESIZABLE;
constexpr Integer kFloatingToolbar = VT_TOOLBAR_NORMAL | VT_FLOATING | VT_RESIZABLE;
constexpr Integer kDockedPanel = VT_DOCKPANEL_NORMAL | VT_RESIZABLE;
constexpr int kW = 160, kH = 120;

class MainWindowBars : public txtest::TxTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    theme = AcquireTheme(GetParam());
  }
  void TearDown() override {
    ReleaseTheme(theme);
    DoneTx();
    TxTest::TearDown();
  }

  // A docked horizontal toolbar 120 x 26 at the origin, as the toolbar describes itself.
  TTxToolbarInfo Toolbar(Integer viewType, Integer handleStyle, Integer close = 0) {
    TTxToolbarInfo t;
    t.ViewType = viewType;
    t.AllowDrag = true;
    t.DragHandleStyle = handleStyle;
    t.CloseButtonState = close;
    theme->GetViewBorder(viewType, t.BorderSize);
    t.ClientWidth = 120 - 2 * t.BorderSize.x - GetDragHandleSize(t);
    t.ClientHeight = 26 - 2 * t.BorderSize.y;
    t.EffectiveColor = theme->GetViewColor(viewType);
    return t;
  }
  // Paints a toolbar's non-client area onto a sentinel target, the way the toolbar does on a
  // dock: a theme with a solid frame gets no background first.
  void PaintToolbar(const TTxToolbarInfo& t) {
    fw::TCanvas* c = Target(kW, kH);
    c->Brush()->SetColor(t.EffectiveColor);
    if (!theme->GetBooleanMetric(TMB_SOLID_TOOLBAR_NC)) {
      c->Brush()->SetColor(theme->GetViewColor(VT_TOOLBAR));
      c->FillRect(TRect{0, 0, 120, 26});
      c->Brush()->SetColor(t.EffectiveColor);
    }
    theme->PaintToolbarNCArea(c, TRect{0, 0, 120, 26}, t);
  }
  // The left-caption explorer panel 100 x 110 with a close button.
  TTxDockPanelInfo Panel(const std::string& caption) {
    TTxDockPanelInfo p;
    p.ViewType = kDockedPanel;
    p.IsVertical = false;
    p.AllowDrag = true;
    p.DragHandleStyle = 1;
    p.CloseButtonState = CDBS_VISIBLE;
    p.Caption = caption;
    theme->GetViewBorder(kDockedPanel, p.BorderSize);
    p.EffectiveColor = theme->GetViewColor(kDockedPanel);
    return p;
  }
  std::vector<TColor> Snapshot() {
    std::vector<TColor> all;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) all.push_back(Px(x, y));
    return all;
  }
  std::vector<TColor> PaintPanel(const std::string& caption) {
    fw::TCanvas* c = Target(kW, kH);
    c->Brush()->SetColor(theme->GetViewColor(kDockedPanel));
    theme->PaintDockPanelNCArea(c, TRect{0, 0, 100, 110}, Panel(caption));
    return Snapshot();
  }
  int SentinelsIn(const TRect& r, const TRect& except) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (!(x >= except.left && x < except.right && y >= except.top && y < except.bottom) && Px(x, y) == kSentinel)
          ++n;
    return n;
  }
  TTxTheme* theme = nullptr;
};

// A solid frame is the whole frame: nothing else fills the ring round the client of a docked
// toolbar or the menu bar, so no pixel of it may keep what was there before.
TEST_P(MainWindowBars, SolidFrameOfDockedBarsCoversTheirRing) {
  if (!theme->GetBooleanMetric(TMB_SOLID_TOOLBAR_NC)) GTEST_SKIP() << "the toolbar fills its frame first";
  for (Integer view : {kDockedToolbar, kMenuBar, Integer(VT_TOOLBAR_NORMAL)})
    for (Integer style : {0, 1, 2}) {
      const TTxToolbarInfo t = Toolbar(view, style);
      PaintToolbar(t);
      const TRect client{t.BorderSize.x + GetDragHandleSize(t), t.BorderSize.y, 120 - t.BorderSize.x,
                         26 - t.BorderSize.y};
      EXPECT_EQ(SentinelsIn(TRect{0, 0, 120, 26}, client), 0) << "view " << view << " handle " << style;
    }
}

// The double and the single grip both show on a docked toolbar, whether or not it is resizable.
TEST_P(MainWindowBars, DockedToolbarShowsItsGrip) {
  for (Integer view : {kDockedToolbar, Integer(VT_TOOLBAR_NORMAL)})
    for (Integer style : {0, 2}) {
      TTxToolbarInfo t = Toolbar(view, style);
      PaintToolbar(t);
      const std::vector<TColor> withGrip = Snapshot();
      const Integer handle = GetDragHandleSize(t);
      t.AllowDrag = false;
      PaintToolbar(t);
      int differ = 0;
      for (int y = 0; y < 26; ++y)
        for (int x = t.BorderSize.x; x < t.BorderSize.x + handle; ++x) differ += withGrip[size_t(y * kW + x)] != Px(x, y);
      EXPECT_GE(differ, 6) << "view " << view << " handle " << style;
    }
}

// The explorer panel's caption runs up its left side next to the close button.
TEST_P(MainWindowBars, LeftCaptionWithCloseButtonShowsItsText) {
  const std::vector<TColor> empty = PaintPanel("");
  const std::vector<TColor> named = PaintPanel("Explorer");
  int differ = 0;
  for (size_t i = 0; i < empty.size(); ++i) differ += empty[i] != named[i];
  EXPECT_GE(differ, 20);
}

// A floating toolbar's frame: the ring round the client is painted whole.
TEST_P(MainWindowBars, FloatingToolbarFrameIsWhole) {
  TTxFloatingWindowInfo f;
  f.ViewType = kFloatingToolbar;
  f.ShowCaption = true;
  f.Active = true;
  f.CloseButtonState = CDBS_VISIBLE;
  f.RedrawPart = WRP_BORDER | WRP_CAPTION | WRP_CLOSEBTN;
  theme->GetViewBorder(kFloatingToolbar, f.FloatingBorderSize);
  const Integer cap = win::GetSystemMetrics(win::SM_CYSMCAPTION);
  f.ClientWidth = 120 - 2 * f.FloatingBorderSize.x;
  f.ClientHeight = 60 - 2 * f.FloatingBorderSize.y - cap;
  f.Caption = "Tools";
  fw::TCanvas* c = Target(kW, kH);
  c->Brush()->SetColor(theme->GetViewColor(kFloatingToolbar));
  theme->PaintFloatingBorder(c, TRect{0, 0, 120, 60}, f);
  const TRect inner{f.FloatingBorderSize.x, f.FloatingBorderSize.y, 120 - f.FloatingBorderSize.x,
                    60 - f.FloatingBorderSize.y};
  EXPECT_EQ(SentinelsIn(TRect{0, 0, 120, 60}, inner), 0);
}

INSTANTIATE_TEST_SUITE_P(Themes, MainWindowBars, ::testing::ValuesIn(kAllThemes));

// ---- What single themes fix on those bars ----------------------------------------------------

class ThemeOnBars : public MainWindowBars {};

TEST_P(ThemeOnBars, DreamEdgesTheResizableToolbarAndKeepsTheCloseCross) {
  if (GetParam() != "Dream") GTEST_SKIP();
  for (Integer view : {kDockedToolbar, kMenuBar}) {
    PaintToolbar(Toolbar(view, 0));
    EXPECT_EQ(Px(20, 25), 0xB0B0B0) << "bottom edge, view " << view;
    EXPECT_EQ(Px(119, 12), 0xB0B0B0) << "right edge, view " << view;
    EXPECT_EQ(Px(20, 0), 0xFFFFFF) << "top edge, view " << view;
    EXPECT_EQ(Px(0, 12), 0xFFFFFF) << "left edge, view " << view;
    EXPECT_EQ(Px(0, 0), 0xE0E0E0) << "corner, view " << view;
  }
  // The close cross at the bottom of the left caption bar stays whole under the grip dots.
  PaintPanel("Explorer");
  const TTxDockPanelInfo p = Panel("Explorer");
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
  const TRect close{p.BorderSize.x, 110 - p.BorderSize.y - t, p.BorderSize.x + t, 110 - p.BorderSize.y};
  const int x0 = (close.left + close.right - 7) / 2, y0 = (close.top + close.bottom - 7) / 2;
  const int rows[7] = {0xC3, 0x66, 0x3C, 0x18, 0x3C, 0x66, 0xC3};
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 8; ++x)
      if (rows[y] & (0x80 >> x)) {
        EXPECT_EQ(Px(x0 + x, y0 + y), 0) << x << "," << y;
      }
}

TEST_P(ThemeOnBars, SentimoXEtchesTheResizableToolbarAndTheMenuBar) {
  if (GetParam() != "SentimoX") GTEST_SKIP();
  for (Integer view : {kDockedToolbar, kMenuBar}) {
    PaintToolbar(Toolbar(view, 0));
    EXPECT_EQ(Px(20, 0), 0xFFFFFF) << "top, view " << view;
    EXPECT_EQ(Px(0, 12), 0xFFFFFF) << "left, view " << view;
    EXPECT_EQ(Px(20, 25), 0xC0C0C0) << "bottom, view " << view;
    EXPECT_EQ(Px(119, 12), 0xC0C0C0) << "right, view " << view;
  }
  PaintToolbar(Toolbar(kDockedToolbar | VT_FLOATING, 0));
  EXPECT_EQ(Px(20, 0), 0xF0F0F0) << "a floating toolbar's frame is the floating window's";
}

TEST_P(ThemeOnBars, AluminumGripDotsInTwoColumnsOrOne) {
  if (GetParam() != "Aluminum") GTEST_SKIP();
  auto* alu = dynamic_cast<themes::TTxAluminumTheme*>(theme);
  ASSERT_NE(alu, nullptr);
  const TColor dot = OffsetColorNearest(alu->AluToolbarColor, -96);
  for (Integer style : {0, 2}) {
    const TTxToolbarInfo t = Toolbar(kDockedToolbar, style);
    PaintToolbar(t);
    std::vector<int> columns;
    for (int x = 0; x < t.BorderSize.x + GetDragHandleSize(t); ++x) {
      int n = 0;
      for (int y = 0; y < 26; ++y) n += Px(x, y) == dot;
      if (n >= 3) columns.push_back(x);
    }
    ASSERT_EQ(columns.size(), style == 0 ? 2u : 1u) << "handle " << style;
    if (style == 0) {
      EXPECT_EQ(columns[1] - columns[0], 4);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemeOnBars, ::testing::Values("Dream", "SentimoX", "Aluminum"));

}  // namespace
