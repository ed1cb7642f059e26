// "Dream": its colour table and state lookups, metrics, and the pixels its look fixes.

#include <optional>
#include <string>

#include "framework/ControlMessages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeKit.h"
#include "themes/ThemeList.h"
#include "themes/TxDreamTheme.h"
#include "themes/vrnThemes.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxDreamTheme;

class DreamTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    held = AcquireTheme("Dream");
    theme = dynamic_cast<TTxDreamTheme*>(held);
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
    i.ItemOptions = IO_TOOLBAR_STYLE;
    return i;
  }
  TTxTheme* held = nullptr;
  TTxDreamTheme* theme = nullptr;
};

TEST_F(DreamTest, RegisteredAfterOfficeKOnce) {
  EXPECT_EQ(theme->Name(), "Dream");
  const Integer index = FindThemeIndex("Dream");
  EXPECT_EQ(index, FindThemeIndex("OfficeK") + 1);
  themes::RegisterThemes();
  EXPECT_EQ(FindThemeIndex("Dream"), index);
  EXPECT_EQ(themes::TThemeUnit<TTxDreamTheme>::ThemeInstanceCount, 1);
  EXPECT_NE(themes::TThemeUnit<TTxDreamTheme>::GlyphImages, nullptr);
}

TEST_F(DreamTest, ButtonStateIndices) {
  struct Case {
    bool enabled, pushed, selected, popupParent;
    TTxHoverKind hover;
    int button, menu;
  };
  const Case cases[] = {
      {true, false, false, false, hkNone, 0, 0},          {false, false, false, false, hkNone, 1, 1},
      {false, false, false, false, hkKeyboardHover, 5, 3}, {false, false, false, false, hkMouseHover, 1, 1},
      {true, false, true, false, hkNone, 2, 0},           {true, true, false, false, hkNone, 3, 0},
      {true, false, false, false, hkMouseHover, 4, 2},    {true, false, true, false, hkKeyboardHover, 6, 2},
      {true, true, true, true, hkMouseHover, 7, 2},
  };
  for (const Case& c : cases) {
    TTxItemInfo i;
    i.Enabled = c.enabled;
    i.Pushed = c.pushed;
    i.Selected = c.selected;
    i.IsPopupParent = c.popupParent;
    i.HoverKind = c.hover;
    EXPECT_EQ(themes::ButtonColorIndex(i), c.button);
    EXPECT_EQ(themes::MenuItemColorIndex(i), c.menu);
  }
}

TEST_F(DreamTest, FixedColoursAndTheirSystemFollowers) {
  EXPECT_EQ(theme->ToolbarColor, 0xDCD8D0);
  EXPECT_EQ(theme->PopupFrameColor, 0xC0C0C0);
  EXPECT_EQ(theme->ButtonColors[3].Frame, 0x0000FF);
  EXPECT_EQ(theme->ButtonColors[7].Fill, 0xDCD8D0);
  EXPECT_EQ(theme->ButtonColors[7].Frame, 0xA0A0A0);
  EXPECT_EQ(theme->MenuItemColors[2].Fill, theme->ButtonColors[4].Fill);
  EXPECT_EQ(theme->ButtonColors[3].Fill, BlendColors(fw::clHighlight, fw::clWindow, 30));
  // A system change moves the derived colours and leaves the fixed ones.
  const win::INT index = win::COLOR_HIGHLIGHT;
  const win::COLORREF red = 0x0000C0;
  win::SetSysColors(1, &index, &red);
  fw::TMessage m{TXM_SYSCHANGE, TSC_CHANGE, 0};
  theme->Dispatch(m);
  EXPECT_EQ(theme->ButtonColors[3].Fill, BlendColors(0x0000C0, fw::clWindow, 30));
  EXPECT_EQ(theme->ToolbarColor, 0xDCD8D0);
  const TColor before = theme->ButtonColors[3].Fill;
  win::ResetSysColors();
  fw::TMessage other{TXM_SYSCHANGE, 1, 0};
  theme->Dispatch(other);
  EXPECT_EQ(theme->ButtonColors[3].Fill, before) << "only the change phase rebuilds the table";
}

TEST_F(DreamTest, PopupLinesTakeTheMenuTableToolbarStyleTheButtonTable) {
  TTxItemInfo i = Item(VT_POPUP_MENU);
  i.ItemOptions = 0;
  i.Selected = true;
  EXPECT_EQ(theme->GetItemColor(i), theme->PopupColor) << "menu table fill clNone falls back to the view";
  i.ItemOptions = IO_TOOLBAR_STYLE;
  EXPECT_EQ(theme->GetItemColor(i), theme->ButtonColors[2].Fill);
  i.HoverKind = hkMouseHover;
  EXPECT_EQ(theme->GetItemColor(i), theme->ButtonColors[6].Fill);
  // Embedded toolbars: missing fills and frames take the toolbar's.
  TTxItemInfo e = Item(VT_TOOLBAR | VT_EMBEDDED);
  EXPECT_EQ(theme->GetPartColor(e, 0), theme->ToolbarColor);
  EXPECT_EQ(theme->GetPartColor(e, 2), fw::clBtnShadow);
  e.Selected = true;
  EXPECT_EQ(theme->GetButtonPartColor(e, 2), fw::clWindowFrame);
}

TEST_F(DreamTest, MetricsAndQueries) {
  const std::pair<Integer, Integer> ints[] = {{11, -1}, {10, 12}, {20, 8}, {21, 3}, {32, 0}, {33, 8}, {34, 3},
                                             {35, 7},  {36, 2},  {37, 2}, {50, 5}, {60, 1}, {61, 2}, {62, 2},
                                             {65, 14}, {66, 1},  {0, -1}};
  for (const auto& [id, value] : ints) EXPECT_EQ(theme->GetIntegerMetric(id), value) << id;
  for (Integer id : {1, 2, 3, 4, 8}) EXPECT_FALSE(theme->GetBooleanMetric(id)) << id;
  for (Integer id : {5, 6, 7}) EXPECT_TRUE(theme->GetBooleanMetric(id)) << id;
  TPoint b;
  theme->GetViewBorder(VT_POPUP_MENU, b);
  EXPECT_EQ(b, (TPoint{1, 2}));
  theme->GetViewBorder(VT_POPUP_LIST, b);
  EXPECT_EQ(b, (TPoint{2, 2}));
  theme->GetViewBorder(VT_TOOLBAR_NORMAL, b);
  EXPECT_EQ(b, (TPoint{2, 2}));
  EXPECT_EQ(theme->GetPopupShadowType(), PST_LAYERED_NT5);
  TTxMargins m;
  theme->GetMargins(MID_MENUITEM, m);
  EXPECT_EQ(m.TopHeight, 3);
  EXPECT_EQ(m.LeftWidth, 1);
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
  i.HoverKind = hkMouseHover;
  EXPECT_EQ(theme->GetImageOffset(nullptr, i, nullptr), (TPoint{-1, -1}));
  i.Pushed = true;
  EXPECT_EQ(theme->GetImageOffset(nullptr, i, nullptr), (TPoint{0, 0}));
}

TEST_F(DreamTest, GradientBandsEndsAndDegenerateExtents) {
  fw::TCanvas* c = Target(10, 8);
  themes::kit::PaintGradientBands(c, TRect{0, 0, 3, 5}, 0xFFFFFF, 0xDCD8D0, true);
  EXPECT_EQ(Px(0, 0), 0xFFFFFF);
  EXPECT_EQ(Px(2, 4), 0xDCD8D0);
  // Line j = C1 + (C2 - C1)(N - j) / N per channel: line 1 of 4 is 3/4 of the way up.
  EXPECT_EQ(Px(1, 1), TColor((0xD0 + (0xFF - 0xD0) * 3 / 4) | ((0xD8 + (0xFF - 0xD8) * 3 / 4) << 8) |
                            ((0xDC + (0xFF - 0xDC) * 3 / 4) << 16)));
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 3, 5}), 0);
  c = Target(10, 8);
  themes::kit::PaintGradientBands(c, TRect{2, 2, 2, 6}, 0xFFFFFF, 0, true);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0) << "an empty rectangle paints nothing";
  themes::kit::PaintGradientBands(c, TRect{2, 2, 6, 3}, 0xFFFFFF, 0, true);
  EXPECT_EQ(Px(3, 2), 0xFFFFFF) << "one line takes the top colour, no division by zero";
  // Painting a part gives exactly the pixels of painting the whole.
  c = Target(10, 8);
  themes::kit::PaintGradientBands(c, TRect{0, 0, 10, 8}, 0xFF8040, 0x102030, false);
  const TColor full = Px(6, 3);
  c = Target(10, 8);
  const TRect clip{5, 0, 8, 8};
  themes::kit::PaintGradientBands(c, TRect{0, 0, 10, 8}, 0xFF8040, 0x102030, false, &clip);
  EXPECT_EQ(Px(6, 3), full);
  EXPECT_EQ(ChangedOutside(clip), 0);
}

TEST_F(DreamTest, GradientBitmapOvershootsToTheLighterEnd) {
  fw::TCanvas* c = Target(4, 10);
  themes::kit::PaintGradientBitmap(c, TRect{0, 0, 4, 10}, 0xFFFFFF, 0xC0C0C0);
  EXPECT_EQ(Px(1, 0), 0xC0C0C0);
  for (int y = 5; y < 10; ++y) EXPECT_EQ(Px(1, y), 0xFFFFFF) << y;
}

TEST_F(DreamTest, BackgroundDirectionAndPlainFills) {
  fw::TCanvas* c = Target(100, 20);
  theme->PaintBackground(c, TRect{0, 0, 100, 20}, TRect{0, 0, 100, 20}, TRect{0, 0, 100, 20}, 0x00FF00, false,
                         VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Px(50, 0), 0xFFFFFF);
  EXPECT_EQ(Px(50, 19), 0xDCD8D0);
  EXPECT_EQ(Px(0, 10), Px(99, 10)) << "wider than tall: top to bottom";
  c = Target(20, 100);
  theme->PaintBackground(c, TRect{0, 0, 20, 100}, TRect{0, 0, 20, 100}, TRect{0, 0, 20, 100}, 0x00FF00, false,
                         VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Px(0, 50), 0xFFFFFF);
  EXPECT_EQ(Px(19, 50), 0xDCD8D0);
  c = Target(30, 10);
  theme->PaintBackground(c, TRect{0, 0, 30, 10}, TRect{0, 0, 30, 10}, TRect{0, 0, 30, 10}, 0x00FF00, false,
                         VT_POPUP_MENU);
  EXPECT_EQ(Px(3, 3), 0x00FF00);
  c = Target(30, 10);
  theme->PaintBackground(c, TRect{0, 0, 30, 10}, TRect{0, 0, 30, 10}, TRect{0, 0, 30, 10}, 0x00FF00, true,
                         VT_POPUP_MENU);
  EXPECT_EQ(Px(3, 3), txtest::kSentinel) << "transparent paints nothing";
}

// A check box's outline and inside by state: idle and unchecked only a light outline; checked the
// darker outline over its bands, with the highlight down the inside's left edge; hot and unchecked
// a plain light fill.
TEST_F(DreamTest, CheckBoxOutlineAndInsideByState) {
  const TRect r{2, 2, 15, 15};
  struct Case {
    Integer State;
    TColor Outline, InsideLeft;
    std::optional<TColor> InsideBottomRight;  // none: whatever colour the bands give it
  } cases[] = {
      {0, 0xC0C0C0, txtest::kSentinel, txtest::kSentinel},
      {PFS_CHECKED, 0x808080, 0xB0D4DF, std::nullopt},
      {PFS_HOT, 0x808080, 0xF4F0F0, 0xF4F0F0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.State);
    theme->PaintFrameControl(Target(20, 20), r, PFC_CHECKBOX, c.State, nullptr);
    EXPECT_EQ(Px(r.left, 8), c.Outline);
    EXPECT_EQ(Px(r.right - 1, 8), c.Outline);
    EXPECT_EQ(Px(r.left + 1, 8), c.InsideLeft);
    if (c.InsideBottomRight) {
      EXPECT_EQ(Px(r.right - 2, r.bottom - 2), *c.InsideBottomRight);
    } else {
      EXPECT_NE(Px(r.right - 2, r.bottom - 2), txtest::kSentinel) << "the bands fill the inside";
    }
  }
}

TEST_F(DreamTest, PushedButtonFrameIsAlwaysGrey) {
  fw::TCanvas* c = Target(30, 24);
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
  i.Pushed = true;
  theme->PaintButton(c, TRect{0, 0, 30, 24}, i);
  EXPECT_EQ(Px(15, 0), 0x909090);
  EXPECT_EQ(Px(15, 23), 0x909090);
  EXPECT_EQ(Px(0, 0), txtest::kSentinel) << "the corner is cut";
}

// A checked toolbar-style menu line frames its image box in grey with corners cut two pixels
// deep; the left part of a split line cuts its right corners by one, so that it meets the arrow.
TEST_F(DreamTest, CheckedImageBoxCornersAndTheSplitLinesNarrowerRightCut) {
  for (bool splitLeft : {false, true}) {
    fw::TCanvas* c = Target(120, 22);
    TTxItemInfo i = Item(VT_POPUP_MENU);
    i.Selected = true;
    i.PopupMargin = 20;
    if (splitLeft) i.ComboPart = cpSplitLeft;
    theme->PaintMenuItem(c, TRect{0, 0, 120, 22}, i);
    // The box's frame runs from x = 1 to 20 along the top row.
    EXPECT_EQ(Px(10, 0), 0x808080) << splitLeft;
    EXPECT_EQ(Px(3, 0), 0x808080) << splitLeft;
    EXPECT_NE(Px(2, 0), 0x808080) << splitLeft << ": the left corner is cut two deep";
    EXPECT_EQ(Px(19, 0) == 0x808080, splitLeft) << splitLeft;
    EXPECT_NE(Px(20, 0), 0x808080) << splitLeft << ": a right corner is cut either way";
  }
}

TEST_F(DreamTest, MenuSeparatorDotsFromFourteen) {
  fw::TCanvas* c = Target(60, 8);
  TTxItemInfo i = Item(VT_POPUP_MENU);
  i.PopupMargin = 30;
  theme->PaintSeparator(c, TRect{0, 0, 60, 7}, i, true, false);
  for (int x = 0; x < 60; ++x) {
    const bool dot = x >= 14 && x < 46 && (x - 14) % 3 == 0;
    EXPECT_EQ(Px(x, 3), dot ? TColor(0x909090) : txtest::kSentinel) << x;
  }
  c = Target(10, 30);
  i = Item(VT_TOOLBAR_NORMAL, false);
  theme->PaintSeparator(c, TRect{0, 0, 10, 30}, i, false, false);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0) << "a disabled vertical separator paints nothing";
  theme->PaintSeparator(c, TRect{0, 0, 10, 30}, i, true, false);
  EXPECT_EQ(Px(5, 16), 0xFFFFFF) << "a disabled horizontal one paints";
}

TEST_F(DreamTest, SizeGripIsSixEmbossedDots) {
  fw::TCanvas* c = Target(20, 20);
  theme->PaintStatusBar(c, TRect{0, 0, 20, 20}, SBP_SIZEGRIP);
  int changed = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) changed += Px(x, y) != txtest::kSentinel;
  EXPECT_EQ(changed, 54);
  for (const auto& [x, y] : {std::pair{8, 16}, {12, 16}, {16, 16}, {12, 12}, {16, 12}, {16, 8}}) {
    EXPECT_EQ(Px(x, y), 0xFFFFFF);
    EXPECT_EQ(Px(x, y + 1), 0xFFFFFF);
    EXPECT_EQ(Px(x + 1, y), 0xFFFFFF);
    EXPECT_EQ(Px(x + 1, y + 1), 0x000000);
    EXPECT_EQ(Px(x + 2, y + 2), 0xB0B0B0);
  }
}

// A dock panel's caption strip, across the top or down the left side, with and without its close
// button: the grip dots sit at the strip's start (the left end, or the top) and the caption text
// begins 9 pixels along, after them, ending before the close button at the far end.
TEST_F(DreamTest, DockPanelCaptionStripStartsWithItsGripThenTheText) {
  const Integer t = win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
  for (const bool acrossTheTop : {true, false}) {
    for (const bool closeShown : {false, true}) {
      SCOPED_TRACE(std::string(acrossTheTop ? "top" : "left") + (closeShown ? ", close button" : ""));
      const int w = acrossTheTop ? 200 : 60, h = acrossTheTop ? 60 : 200;
      fw::TCanvas* c = Target(w, h);
      TTxDockPanelInfo info;
      info.ViewType = VT_DOCKPANEL;
      info.IsVertical = acrossTheTop;
      info.BorderSize = TPoint{3, 3};
      info.DragHandleStyle = 1;
      info.CloseButtonState = closeShown ? CDBS_VISIBLE : 0;
      info.Caption = "Панель свойств";
      theme->PaintDockPanelNCArea(c, TRect{0, 0, w, h}, info);
      // Along the strip and across it, in the strip's own terms.
      auto px = [&](int along, int across) { return acrossTheTop ? Px(3 + along, 3 + across) : Px(3 + across, 3 + along); };
      const int length = (acrossTheTop ? w : h) - 6;
      // The first dot: inset 2 along and 1 across.
      EXPECT_EQ(px(2, 1), 0xFFFFFF);
      EXPECT_EQ(px(3, 2), 0x000000);
      EXPECT_EQ(px(4, 3), 0xB0B0B0);
      // Text pixels (dark: the font smooths its edges), by how far along the strip, the grip dots
      // and the close button left out.
      auto dark = [](TColor C) { return (C & 0xFF) + ((C >> 8) & 0xFF) + ((C >> 16) & 0xFF) < 300; };
      const int end = closeShown ? length - t : length;
      std::optional<int> first, last;
      for (int along = 6; along < end; ++along)
        for (int across = 0; across < t; ++across)
          if (dark(px(along, across))) {
            if (!first) first = along;
            last = along;
          }
      ASSERT_TRUE(first.has_value()) << "no caption text";
      EXPECT_GE(*first, 9);
      EXPECT_LE(*first, 12);
      EXPECT_GT(*last - *first, 40) << "the caption reads along the strip";
      // Nothing of the grip at the far end.
      EXPECT_FALSE(dark(px(end - 3, 2)));
    }
  }
}

TEST_F(DreamTest, CloseCrossAndChevronPatterns) {
  fw::TCanvas* c = Target(16, 16);
  themes::kit::DrawCloseGlyph(c, TRect{0, 0, 15, 15}, 0x0000FF);
  // Origin ((0 + 15 - 7) / 2, same) = (4, 4); row $C3 sets columns 0, 1, 6, 7.
  EXPECT_EQ(Px(4, 4), 0x0000FF);
  EXPECT_EQ(Px(5, 4), 0x0000FF);
  EXPECT_EQ(Px(6, 4), txtest::kSentinel);
  EXPECT_EQ(Px(11, 4), 0x0000FF);
  EXPECT_EQ(Px(7, 7), 0x0000FF) << "row $18";
  EXPECT_EQ(Px(4, 7), txtest::kSentinel);

  c = Target(20, 20);
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
  theme->PaintChevron(c, TRect{0, 0, 14, 20}, i);
  // Row $CC at (2, 4): columns 2, 3, 6, 7.
  const TColor text = theme->GetPartColor(i, 1);
  EXPECT_EQ(Px(2, 4), ResolveColor(text));
  EXPECT_EQ(Px(3, 4), ResolveColor(text));
  EXPECT_EQ(Px(4, 4), txtest::kSentinel);
  EXPECT_EQ(Px(4, 6), ResolveColor(text)) << "row $33";
}

TEST_F(DreamTest, ScrollButtonCornersStayInside) {
  fw::TCanvas* c = Target(20, 20);
  theme->PaintScrollButton(c, TRect{2, 2, 18, 14}, PSBT_UP, true);
  EXPECT_EQ(ChangedOutside(TRect{2, 2, 18, 14}), 0);
  const TColor face = ResolveColor(fw::clBtnFace);
  EXPECT_EQ(Px(2, 2), face);
  EXPECT_EQ(Px(17, 2), face);
  EXPECT_EQ(Px(17, 13), face);
  EXPECT_EQ(Px(2, 13), face);
}

TEST_F(DreamTest, RadioRowsBeyondTheInsetTableAndFlatDiscs) {
  fw::TCanvas* c = Target(20, 20);
  // 16 rows: rows past the 11-entry table take inset 0, nothing is read beyond it.
  themes::kit::RadioRowFill(c, TRect{0, 0, 16, 16}, 0x000000, 0xFFFFFF, fw::clNone);
  EXPECT_EQ(Px(0, 0), 0xFFFFFF) << "row 15 (the top) spans the full width";
  EXPECT_EQ(Px(0, 15), txtest::kSentinel) << "row 0 is inset by 3";
  EXPECT_EQ(Px(3, 15), 0x000000);
  c = Target(20, 20);
  themes::kit::RadioRowFill(c, TRect{0, 5, 16, 6}, 0x000000, 0xFFFFFF, fw::clNone);
  EXPECT_EQ(Px(3, 5), 0x000000) << "a one-row disc: no division by zero";
}

TEST_F(DreamTest, SpinButtonHalvesDoNotChangeTheItem) {
  fw::TCanvas* c = Target(20, 24);
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
  i.Pushed = true;
  TTxEditButtonInfo b;
  b.ButtonType = EBT_SPIN;
  b.ButtonState = EBDS_DOWN_PRESSED;
  theme->PaintEditButton(c, TRect{2, 2, 16, 22}, i, b);
  EXPECT_TRUE(i.Pushed);
  EXPECT_EQ(ChangedOutside(TRect{1, 2, 16, 22}), 0);
  // The lower half pressed: the grey line across its top edge.
  EXPECT_EQ(Px(8, 12), 0x808080);
}

}  // namespace
