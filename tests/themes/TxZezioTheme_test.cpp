// "Zezio": its place in the menu, metrics, the 3-pixel striped background (and the striped
// menu-bar selection), dotted separators, and the pixels its look fixes.

#include <vector>

#include "framework/ControlMessages.h"
#include "platform/user/services/SysColors.h"
#include "themes/ThemeKit.h"
#include "themes/ThemeList.h"
#include "themes/TxMirandaTheme.h"
#include "themes/TxZezioTheme.h"
#include "themes/vrnThemes.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace {

using namespace tx;
using fw::TRect;
using themes::TTxZezioTheme;

class ZezioTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
    held = AcquireTheme("Zezio");
    theme = dynamic_cast<TTxZezioTheme*>(held);
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
  std::vector<TColor> Pixels(int w, int h) {
    std::vector<TColor> all;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) all.push_back(Px(x, y));
    return all;
  }
  TTxTheme* held = nullptr;
  TTxZezioTheme* theme = nullptr;
};

// An enabled drop-down button, plain, hot or pressed, has a shadow line down its left edge; a
// disabled one only its light outline.
TEST_F(ZezioTest, ADropDownButtonsLeftEdgeIsAShadowLineUnlessDisabled) {
  const TRect r{2, 2, 15, 20};
  for (int state : {0, int(EBDS_HOT), int(EBDS_PRESSED), int(EBDS_DISABLED)}) {
    SCOPED_TRACE(state);
    TTxItemInfo item = Item(VT_TOOLBAR_NORMAL);
    theme->PaintEditButton(Target(20, 24), r, item, TTxEditButtonInfo{EBT_DROPDOWN, state});
    const TColor edge = state == EBDS_DISABLED ? BlendColors(fw::clBtnFace, fw::clWindow, 50) : fw::clBtnShadow;
    EXPECT_EQ(Px(r.left, 6), fw::ColorToRGB(edge));
    EXPECT_EQ(Px(r.left, 16), fw::ColorToRGB(edge));
  }
}

TEST_F(ZezioTest, RegisteredBeforeDefaultXP) {
  EXPECT_EQ(theme->Name(), "Zezio");
  EXPECT_EQ(FindThemeIndex("Zezio") + 1, FindThemeIndex("DefaultXP"));
}

TEST_F(ZezioTest, MetricsAnswerOnlyTheirTable) {
  const std::pair<Integer, Integer> ints[] = {{10, 12}, {20, 8}, {21, 3}, {32, 3}, {33, 3},
                                              {34, 3},  {35, 3}, {36, 2}, {37, 2}, {61, 2},
                                              {62, 2},  {50, 5}, {60, 1}, {66, 1}, {65, 14}};
  for (Integer id = 0; id <= 100; ++id) {
    Integer expected = -1;
    for (const auto& [k, v] : ints)
      if (k == id) expected = v;
    EXPECT_EQ(theme->GetIntegerMetric(id), expected) << id;
    EXPECT_EQ(theme->GetBooleanMetric(id), id == 5 || id == 6 || id == 7) << id;
  }
  EXPECT_EQ(theme->GetPopupShadowType(), PST_LAYERED_NT5);
  const std::pair<Integer, TTxMargins> margins[] = {{MID_TOOLBUTTON, {2, 2, 2, 2}},
                                                    {MID_MENUITEM, {1, 1, 3, 3}},
                                                    {MID_STATUSPANE, {3, 3, 1, 1}},
                                                    {0, {0, 0, 0, 0}},
                                                    {7, {0, 0, 0, 0}}};
  for (const auto& [id, want] : margins) {
    TTxMargins m{9, 9, 9, 9};
    theme->GetMargins(id, m);
    EXPECT_EQ(m.LeftWidth, want.LeftWidth) << id;
    EXPECT_EQ(m.RightWidth, want.RightWidth) << id;
    EXPECT_EQ(m.TopHeight, want.TopHeight) << id;
    EXPECT_EQ(m.BottomHeight, want.BottomHeight) << id;
  }
}

TEST_F(ZezioTest, HotImagesLiftUnlessPushed) {
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
  i.HoverKind = hkMouseHover;
  EXPECT_EQ(theme->GetImageOffset(nullptr, i, nullptr), (TPoint{-1, -1}));
  i.Pushed = true;
  EXPECT_EQ(theme->GetImageOffset(nullptr, i, nullptr), (TPoint{0, 0}));
  i.IsPopupParent = true;
  EXPECT_EQ(theme->GetImageOffset(nullptr, i, nullptr), (TPoint{-1, -1}));
  i.Selected = true;
  EXPECT_EQ(theme->GetImageOffset(nullptr, i, nullptr), (TPoint{0, 0}));
}

TEST_F(ZezioTest, DisabledToolbarTextIsTheBlendedShadow) {
  EXPECT_EQ(theme->DisabledTextColor, 0x8D8D8D);
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL, false);
  i.ItemOptions = IO_TOOLBAR_STYLE;
  EXPECT_EQ(theme->GetItemTextColor(i), 0x8D8D8D);
}

TEST_F(ZezioTest, BackgroundStripesEveryThreeRowsFromTheTop) {
  fw::TCanvas* c = Target(12, 9);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 12, 9}, TRect{0, 0, 12, 9}, 0xC0C0C0, false,
                         VT_TOOLBAR_NORMAL);
  const TColor rows[3] = {0xB8B8B8, 0xC8C8C8, 0xC0C0C0};
  for (int y = 0; y < 9; ++y) EXPECT_EQ(Px(5, y), rows[y % 3]) << y;
  const std::vector<TColor> whole = Pixels(12, 9);
  // The same background painted in two pieces with an odd split keeps the phase.
  c = Target(12, 9);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 12, 9}, TRect{0, 0, 12, 4}, 0xC0C0C0, false,
                         VT_TOOLBAR_NORMAL);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 12, 9}, TRect{0, 4, 12, 9}, 0xC0C0C0, false,
                         VT_TOOLBAR_NORMAL);
  EXPECT_EQ(Pixels(12, 9), whole);
}

TEST_F(ZezioTest, StripesStayInsideTheClip) {
  fw::TCanvas* c = Target(20, 20);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 20, 20}, TRect{4, 5, 10, 8}, 0xC0C0C0, false, 0);
  EXPECT_EQ(ChangedOutside(TRect{4, 5, 10, 8}), 0);
  EXPECT_EQ(Px(4, 6), 0xB8B8B8) << "row 6 is a dark stripe of ARect's phase";
  EXPECT_EQ(Px(9, 7), 0xC8C8C8);
}

TEST_F(ZezioTest, DockPanelsAndEmbeddedToolbarsArePlain) {
  for (Integer view : {VT_DOCKPANEL_NORMAL, VT_TOOLBAR | VT_EMBEDDED}) {
    fw::TCanvas* c = Target(10, 6);
    theme->PaintBackground(c, TRect{}, TRect{0, 0, 10, 6}, TRect{0, 0, 10, 6}, 0xC0C0C0, false, view);
    for (int y = 0; y < 6; ++y) EXPECT_EQ(Px(3, y), 0xC0C0C0) << view << " row " << y;
  }
  fw::TCanvas* c = Target(10, 6);
  theme->PaintBackground(c, TRect{}, TRect{0, 0, 10, 6}, TRect{0, 0, 10, 6}, 0xC0C0C0, true, 0);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0) << "transparent paints nothing";
}

TEST_F(ZezioTest, HotMenuBarItemIsAStripedHighlight) {
  const win::INT index[1] = {win::COLOR_HIGHLIGHT};
  const win::COLORREF navy[1] = {0x800000};
  win::SetSysColors(1, index, navy);
  fw::TMessage m{TXM_SYSCHANGE, TSC_CHANGE, 0};
  theme->Dispatch(m);
  TTxItemInfo i = Item(VT_TOOLBAR_MENUBAR);
  i.HoverKind = hkMouseHover;
  fw::TCanvas* c = Target(30, 9);
  theme->PaintButton(c, TRect{0, 0, 30, 9}, i);
  const TColor rows[3] = {0x780000, 0x911111, 0x800000};
  for (int y = 0; y < 9; ++y) EXPECT_EQ(Px(15, y), rows[y % 3]) << y;
  // A plain menu-bar item is not painted.
  c = Target(30, 9);
  theme->PaintButton(c, TRect{0, 0, 30, 9}, Item(VT_TOOLBAR_MENUBAR));
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);
}

TEST_F(ZezioTest, SeparatorIsDottedAndOnlyWhenEnabled) {
  fw::TCanvas* c = Target(20, 8);
  theme->PaintSeparator(c, TRect{0, 0, 20, 8}, Item(VT_TOOLBAR_NORMAL, false), true, false);
  theme->PaintSeparator(c, TRect{0, 0, 20, 8}, Item(VT_TOOLBAR_NORMAL, false), false, false);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);
  theme->PaintSeparator(c, TRect{0, 0, 20, 8}, Item(VT_POPUP_MENU), true, false);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(Px(x, 4), x % 3 == 0 ? TColor(0) : txtest::kSentinel) << x;
  EXPECT_EQ(ChangedOutside(TRect{0, 4, 20, 5}), 0);
  c = Target(8, 20);
  theme->PaintSeparator(c, TRect{0, 0, 8, 20}, Item(VT_TOOLBAR_NORMAL), false, false);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(Px(4, y), y % 3 == 0 ? TColor(0) : txtest::kSentinel) << y;
}

TEST_F(ZezioTest, DockIsGrownByOne) {
  fw::TCanvas* c = Target(20, 20);
  theme->PaintDock(c, TRect{5, 5, 15, 15}, TRect{5, 5, 15, 15}, 0);
  EXPECT_EQ(Px(4, 4), ResolveColor(fw::clBtnFace));
  EXPECT_EQ(Px(15, 15), ResolveColor(fw::clBtnFace));
  EXPECT_EQ(ChangedOutside(TRect{4, 4, 16, 16}), 0);
}

TEST_F(ZezioTest, MinimizeKindPaintsOnlyTheButton) {
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
  i.ItemOptions = IO_TOOLBAR_STYLE;
  i.HoverKind = hkMouseHover;
  fw::TCanvas* c = Target(22, 22);
  theme->PaintButton(c, TRect{0, 0, 22, 22}, i);
  const std::vector<TColor> button = Pixels(22, 22);
  c = Target(22, 22);
  theme->PaintMDIButton(c, TRect{0, 0, 22, 22}, i, 2);
  EXPECT_EQ(Pixels(22, 22), button);
  c = Target(22, 22);
  theme->PaintMDIButton(c, TRect{0, 0, 22, 22}, i, MDI_CLOSE);
  EXPECT_NE(Pixels(22, 22), button) << "the close kind adds its glyph";
}

TEST_F(ZezioTest, DropDownArrowsDoNotMoveWhenPushed) {
  TTxItemInfo i = Item(VT_TOOLBAR_NORMAL);
  fw::TCanvas* c = Target(12, 12);
  theme->PaintDropDownArrow(c, TRect{0, 0, 12, 12}, i);
  EXPECT_EQ(Px(6, 7), ResolveColor(fw::clMenuText)) << "base of the lower triangle at cy + 1";
  EXPECT_EQ(Px(6, 4), ResolveColor(fw::clMenuText)) << "base of the upper triangle at cy - 2";
  EXPECT_EQ(Px(6, 6), txtest::kSentinel) << "a gap between the two";
  const std::vector<TColor> plain = Pixels(12, 12);
  i.Pushed = true;
  c = Target(12, 12);
  theme->PaintDropDownArrow(c, TRect{0, 0, 12, 12}, i);
  EXPECT_EQ(Pixels(12, 12), plain);
}

}  // namespace

namespace {

using themes::TThemeUnit;

TEST_F(ZezioTest, KeepsAUnitOfItsOwn) {
  EXPECT_EQ(TThemeUnit<TTxZezioTheme>::ThemeInstanceCount, 1);
  ASSERT_NE(TThemeUnit<TTxZezioTheme>::GlyphImages, nullptr);
  const int mirandaBefore = TThemeUnit<themes::TTxMirandaTheme>::ThemeInstanceCount;
  EXPECT_EQ(mirandaBefore, 0) << "Zezio counts nothing in Miranda's unit";
  TTxTheme* miranda = AcquireTheme("Miranda");
  EXPECT_EQ(dynamic_cast<themes::TTxMirandaTheme*>(held), nullptr) << "Zezio is not built on Miranda";
  EXPECT_EQ(TThemeUnit<themes::TTxMirandaTheme>::ThemeInstanceCount, 1);
  EXPECT_NE(TThemeUnit<themes::TTxMirandaTheme>::GlyphImages, TThemeUnit<TTxZezioTheme>::GlyphImages);
  ReleaseTheme(held);
  held = nullptr;
  EXPECT_EQ(TThemeUnit<TTxZezioTheme>::ThemeInstanceCount, 0);
  EXPECT_EQ(TThemeUnit<TTxZezioTheme>::GlyphImages, nullptr);
  EXPECT_NE(TThemeUnit<themes::TTxMirandaTheme>::GlyphImages, nullptr) << "Miranda's strip stays";
  ReleaseTheme(miranda);
  held = AcquireTheme("Zezio");
  theme = dynamic_cast<TTxZezioTheme*>(held);
}

TEST_F(ZezioTest, ColourNamesFollowTheSystem) {
  EXPECT_EQ(theme->ZezioToolbarColor, ResolveColor(fw::clBtnFace));
  EXPECT_EQ(theme->ZezioMenubarColor, ResolveColor(fw::clBtnFace));
  EXPECT_EQ(theme->ZezioPopupColor, ResolveColor(fw::clWindow));
  EXPECT_EQ(theme->ZezioPanelColor, ResolveColor(fw::clWindow));
  EXPECT_EQ(theme->GetViewColor(VT_DOCKPANEL_NORMAL), theme->ZezioPanelColor);
  const win::INT index = win::COLOR_HIGHLIGHT;
  const win::COLORREF green = 0x00A000;
  win::SetSysColors(1, &index, &green);
  fw::TMessage m{TXM_SYSCHANGE, TSC_CHANGE, 0};
  theme->Dispatch(m);
  EXPECT_EQ(TTxZezioTheme::ZezioHighlight, fw::clHighlight);
  EXPECT_EQ(theme->ZezioButtonColors[3].Fill, BlendColors(0x00A000, 0xFFFFFF, 50));
  EXPECT_EQ(theme->ZezioButtonColors[3].Frame, 0x00A000);
  EXPECT_EQ(theme->ZezioMenuColors[2].Fill, 0x00A000);
  // The shared painters read the same table.
  TTxItemInfo pushed = Item(VT_TOOLBAR_NORMAL);
  pushed.Pushed = true;
  EXPECT_EQ(theme->GetItemColor(pushed), theme->ZezioButtonColors[3].Fill);
}

TEST_F(ZezioTest, RadioDiscRunsToTheExtrapolatedColour) {
  const TRect R{0, 0, 13, 13};
  Target(13, 13);
  theme->PaintFrameControl(bmp->Canvas(), R, PFC_RADIOBUTTON, PFS_HOT | PFS_PUSHED, nullptr);
  // Pushed and hot: top Blend(face, shadow, 60), bottom Blend(highlight, face, 60), the bottom
  // carried two thirds further away from the top.
  const TColor top = BlendColors(fw::clBtnFace, fw::clBtnShadow, 60);
  const TColor bottom = BlendColors(fw::clBtnHighlight, fw::clBtnFace, 60);
  const TColor far = themes::kit::Extrapolated(bottom, top);
  ASSERT_NE(far, ResolveColor(bottom)) << "the colours chosen must tell the two ramps apart";
  EXPECT_EQ(Px(6, 11), themes::kit::Ramp(far, top, 1, 12));
  EXPECT_EQ(Px(6, 6), themes::kit::Ramp(far, top, 6, 12)) << "under the outline, beside no dot";
}

TEST_F(ZezioTest, DisabledFieldTakesTheWindowOutlineOnlyForKeyboardHover) {
  for (TTxHoverKind hover : {hkNone, hkMouseHover, hkKeyboardHover}) {
    Target(40, 20);
    TTxItemInfo i = Item(VT_TOOLBAR_NORMAL, false);
    i.HoverKind = hover;
    TTxEditFrameInfo edit;
    theme->PaintEditFrame(bmp->Canvas(), TRect{0, 0, 40, 20}, i, edit);
    const TColor outline = Px(20, 1);  // the field's top edge, inset by the frame width
    EXPECT_EQ(outline, hover == hkKeyboardHover ? ResolveColor(fw::clWindow) : theme->ZezioButtonColors[1].Frame)
        << hover;
  }
}

TEST_F(ZezioTest, IdleImageOnADarkFaceIsContrasted) {
  const win::INT index = win::COLOR_BTNFACE;
  const win::COLORREF dark = 0x202020;
  win::SetSysColors(1, &index, &dark);
  fw::TMessage m{TXM_SYSCHANGE, TSC_CHANGE, 0};
  theme->Dispatch(m);
  auto images = Images(4, 1, {0x606060, 0x303030, 0xA0A0A0, 0xFF00FF}, 0xFF00FF);
  const TTxItemInfo idle = Item(VT_TOOLBAR_NORMAL);
  ASSERT_LT(GetColorLuminance(theme->GetItemImageBackground(idle)), 80);
  Target(4, 1);
  theme->PaintImage(bmp->Canvas(), TRect{0, 0, 4, 1}, idle, images.get(), 0);
  const std::vector<TColor> painted = Pixels(4, 1);
  Target(4, 1);
  DrawIconContrasted(bmp->Canvas(), TRect{0, 0, 4, 1}, images.get(), 0, true);
  EXPECT_EQ(painted, Pixels(4, 1));
  Target(4, 1);
  DrawIconContrasted(bmp->Canvas(), TRect{0, 0, 4, 1}, images.get(), 0, false);
  EXPECT_NE(painted, Pixels(4, 1)) << "the plain and the high contrast must differ for this image";
}

}  // namespace
