// Every further theme against every operation: each paint stays inside its rectangle in every
// item state and for degenerate rectangles, metrics answer and stay stable, the sheet renders.

#include <string>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "themes/ThemeList.h"
#include "themes/ThemeSheet.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemes.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;

// The themes this library adds beyond Default and DefaultXP, in registration order.
const std::vector<std::string> kThemes = {"Aluminum", "Stripes", "Monai",   "Zezio",    "OfficeK",
                                          "Dream",    "Miranda", "Nexos5", "SentimoX"};

class ThemeSweep : public txtest::TxTest, public ::testing::WithParamInterface<std::string> {
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
  TTxTheme* theme = nullptr;
};

std::vector<TTxItemInfo> States(Integer viewType) {
  std::vector<TTxItemInfo> all;
  for (int bits = 0; bits < 64; bits += (bits % 2 ? 5 : 1)) {
    TTxItemInfo i;
    i.ViewType = viewType;
    i.Enabled = bits & 1;
    i.Pushed = bits & 2;
    i.Selected = bits & 4;
    i.HoverKind = (bits & 8) ? hkMouseHover : (bits & 16) ? hkKeyboardHover : hkNone;
    i.IsPopupParent = bits & 32;
    i.ItemOptions = (bits & 2) ? IO_TOOLBAR_STYLE | IO_SPLIT | IO_HAS_SUBMENU : IO_DESIGNING;
    i.ComboPart = TTxComboPart(bits % 4);
    i.IsVertical = bits & 8;
    i.PopupMargin = 20;
    all.push_back(i);
  }
  return all;
}

const Integer kViews[] = {VT_TOOLBAR_NORMAL, VT_TOOLBAR_MENUBAR, VT_TOOLBAR | VT_EMBEDDED, VT_POPUP_MENU,
                          VT_POPUP_LIST,     VT_POPUP_TOOLBOX,   VT_DOCKPANEL_NORMAL};
const TRect kRects[] = {{20, 20, 20, 20}, {20, 20, 21, 21}, {20, 20, 22, 22},
                        {20, 20, 33, 33}, {20, 20, 43, 42}, {20, 20, 120, 50}};

TEST_P(ThemeSweep, ItemPaintsStayInsideTheirRectangle) {
  Target(140, 70);
  for (const TRect& r : kRects)
    for (Integer view : kViews)
      for (TTxItemInfo i : States(view)) {
        Target(140, 70);
        // Each check starts a fresh target, so the canvas is fetched per call.
        const auto c = [&] { return bmp->Canvas(); };
        // The right part of a split button may reach one pixel into the left part.
        const TRect area = i.ComboPart == cpSplitRight ? TRect{r.left - 1, r.top, r.right, r.bottom} : r;
        const auto inside = [&](const char* op) {
          EXPECT_EQ(ChangedOutside(area), 0) << op << " view " << view << " rect " << r.right - r.left;
          Target(140, 70);
        };
        theme->PaintButton(c(), r, i);
        inside("PaintButton");
        theme->PaintCheckMark(c(), r, i);
        inside("PaintCheckMark");
        theme->PaintChevron(c(), r, i);
        inside("PaintChevron");
        theme->PaintDropDownArrow(c(), r, i);
        inside("PaintDropDownArrow");
        theme->PaintFrame(c(), r, i);
        inside("PaintFrame");
        theme->PaintMenuItemFrame(c(), r, i);
        inside("PaintMenuItemFrame");
        const bool pushed = i.Pushed;
        theme->PaintMenuItem(c(), r, i);
        EXPECT_EQ(i.Pushed, pushed);
        inside("PaintMenuItem");
        theme->PaintMDIButton(c(), r, i, MDI_CLOSE);
        inside("PaintMDIButton");
        theme->PaintSeparator(c(), r, i, true, false);
        theme->PaintSeparator(c(), r, i, false, false);
        inside("PaintSeparator");
        TTxEditFrameInfo edit;
        edit.RightButtonWidth = 14;
        edit.RightButtonInfo.ButtonType = (i.Pushed ? EBT_SPIN : EBT_DROPDOWN);
        edit.RightButtonInfo.ButtonState = i.Enabled ? (i.Selected ? EBDS_PRESSED | EBDS_DOWN_PRESSED : EBDS_HOT)
                                                     : EBDS_DISABLED;
        theme->PaintEditFrame(c(), r, i, edit);
        EXPECT_EQ(i.Pushed, pushed) << "the edit button gives the item back as it came";
        inside("PaintEditFrame");
        theme->PaintCaption(c(), r, i, "Caption", 0, i.IsVertical);
        inside("PaintCaption");
      }
}

// A spin button's upper half points up and its lower half down: in each half the rows of the
// arrow's colour (the darkest inside the button) narrow towards the way it points.
TEST_P(ThemeSweep, SpinButtonsPointUpAboveAndDownBelow) {
  const TRect r{5, 5, 20, 35};
  const int mid = (r.top + r.bottom) / 2;
  for (int state : {0, int(EBDS_HOT)}) {
    SCOPED_TRACE(state);
    Target(30, 40, 0xFFFFFF);
    TTxItemInfo item;
    item.Enabled = true;
    item.ViewType = VT_TOOLBAR_NORMAL;
    item.ItemOptions = IO_TOOLBAR_STYLE;
    theme->PaintEditButton(bmp->Canvas(), r, item, TTxEditButtonInfo{EBT_SPIN, state});
    const auto luminance = [](TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF); };
    TColor arrow = Px(r.left + 3, r.top + 2);
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      for (int x = r.left + 3; x < r.right - 3; ++x)
        if (luminance(Px(x, y)) < luminance(arrow)) arrow = Px(x, y);
    // The widths of the arrow's rows in one half, top to bottom.
    const auto widths = [&](int top, int bottom) {
      std::vector<int> all;
      for (int y = top; y < bottom; ++y) {
        int n = 0;
        for (int x = r.left + 3; x < r.right - 3; ++x) n += Px(x, y) == arrow;
        if (n > 0 && n < r.right - r.left - 6) all.push_back(n);
      }
      return all;
    };
    const std::vector<int> up = widths(r.top, mid), down = widths(mid, r.bottom);
    ASSERT_GE(up.size(), 2u);
    ASSERT_GE(down.size(), 2u);
    EXPECT_LT(up.front(), up.back()) << "the upper arrow points up";
    EXPECT_GT(down.front(), down.back()) << "the lower arrow points down";
  }
}

TEST_P(ThemeSweep, AreaPaintsStayInsideTheirRectangle) {
  for (const TRect& r : kRects) {
    fw::TCanvas* c = Target(140, 70);
    for (Integer view : kViews) {
      theme->PaintBackground(c, r, r, TRect{0, 0, 140, 70}, 0x00FF00, false, view);
      theme->PaintBackground(c, r, r, TRect{0, 0, 25, 25}, 0x00FF00, false, view);
    }
    EXPECT_EQ(ChangedOutside(r), 0) << "PaintBackground " << r.right - r.left << "x" << r.bottom - r.top;
    c = Target(140, 70);
    for (Integer type : {PSBT_UP, PSBT_DOWN, PSBT_LEFT, PSBT_RIGHT})
      for (bool hot : {false, true}) theme->PaintScrollButton(c, r, type, hot);
    EXPECT_EQ(ChangedOutside(r), 0) << "PaintScrollButton " << r.right - r.left << "x" << r.bottom - r.top;
    c = Target(140, 70);
    for (Integer kind : {PFC_CHECKBOX, PFC_RADIOBUTTON})
      for (Integer state = 0; state < 32; ++state) theme->PaintFrameControl(c, r, kind, state, nullptr);
    EXPECT_EQ(ChangedOutside(r), 0) << "PaintFrameControl " << r.right - r.left << "x" << r.bottom - r.top;
    c = Target(140, 70);
    for (Integer part : {SBP_BODY, SBP_PANE, SBP_SIZEGRIP}) theme->PaintStatusBar(c, r, part);
    EXPECT_EQ(ChangedOutside(r), 0) << "PaintStatusBar " << r.right - r.left << "x" << r.bottom - r.top;
    c = Target(140, 70);
    TTxPopupInfo popup;
    popup.ParentRect = TRect{r.left, r.top - 20, r.left + 30, r.top};
    theme->PaintPopupNCArea(c, r, popup);
    EXPECT_EQ(ChangedOutside(r), 0) << "PaintPopupNCArea " << r.right - r.left << "x" << r.bottom - r.top;
    c = Target(140, 70);
    for (Integer view : kViews)
      for (Integer style : {0, 1, 2})
        for (Integer close : {0, CDBS_VISIBLE, CDBS_VISIBLE | CDBS_HOT, CDBS_VISIBLE | CDBS_PRESSED})
          for (bool vertical : {false, true}) {
            TTxToolbarInfo t;
            t.ViewType = view;
            t.AllowDrag = true;
            t.DragHandleStyle = style;
            t.CloseButtonState = close;
            t.IsVertical = vertical;
            t.BorderSize = {2, 2};
            t.ClientWidth = std::max(0, Integer(r.right - r.left - 4));
            t.ClientHeight = std::max(0, Integer(r.bottom - r.top - 4));
            t.Caption = "Panel";
            theme->PaintDockPanelNCArea(c, r, t);
          }
    EXPECT_EQ(ChangedOutside(r), 0) << "PaintDockPanelNCArea " << r.right - r.left << "x" << r.bottom - r.top;
    c = Target(140, 70);
  }
}

TEST_P(ThemeSweep, MetricsAnswerEveryIdAndStayStable) {
  for (Integer id = 0; id <= 100; ++id) {
    const Integer m = theme->GetIntegerMetric(id);
    EXPECT_TRUE(m == -1 || m >= 0) << id;
    EXPECT_EQ(theme->GetIntegerMetric(id), m) << id;
    EXPECT_EQ(theme->GetBooleanMetric(id), theme->GetBooleanMetric(id)) << id;
  }
  EXPECT_EQ(theme->GetIntegerMetric(-5), -1);
  EXPECT_FALSE(theme->GetBooleanMetric(1000));
  for (Integer view : kViews) {
    TPoint border{-1, -1};
    theme->GetViewBorder(view, border);
    EXPECT_GE(border.x, 0);
    EXPECT_GE(border.y, 0);
    EXPECT_NE(theme->GetViewColor(view), fw::clNone) << view;
    for (const TTxItemInfo& i : States(view)) {
      EXPECT_NE(theme->GetItemColor(i), fw::clNone);
      EXPECT_NE(theme->GetItemTextColor(i), fw::clNone);
      EXPECT_NE(theme->GetItemImageBackground(i), fw::clNone);
    }
  }
}

TEST_P(ThemeSweep, SheetRendersTheTheme) {
  fw::TBitmap sheet;
  ASSERT_NO_THROW(themes::DrawThemeSheet(&sheet, {GetParam()}));
  int painted = 0;
  for (int y = 24; y < sheet.Height(); y += 3)
    for (int x = 130; x < sheet.Width(); x += 3) painted += sheet.Canvas()->Pixels(x, y) != fw::clWhite;
  EXPECT_GT(painted, 5000);
}

INSTANTIATE_TEST_SUITE_P(Themes, ThemeSweep, ::testing::ValuesIn(kThemes));

}  // namespace
