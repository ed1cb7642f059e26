// What the kit gives every theme built on it: one listener per live instance, given back with
// it, and the queries the table themes answer alike (frames, margins, lifted images).

#include <string>

#include "framework/ControlMessages.h"
#include "platform/user/services/SysMetrics.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;

class ThemeKitTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTx();
    themes::RegisterThemes();
  }
  void TearDown() override {
    DoneTx();
    TxTest::TearDown();
  }
};

TEST_F(ThemeKitTest, EachInstanceListensWhileItLives) {
  for (const char* name :
       {"Aluminum", "Stripes", "Monai", "Dream", "Miranda", "Nexos5", "OfficeK", "Zezio", "SentimoX"}) {
    const Integer before = ThemeManager->ListenerCount();
    TTxTheme* theme = AcquireTheme(name);
    ASSERT_NE(theme, nullptr) << name;
    EXPECT_EQ(ThemeManager->ListenerCount(), before + 1) << name;
    ReleaseTheme(theme);
    EXPECT_EQ(ThemeManager->ListenerCount(), before) << name;
    // A system change after the theme is gone reaches nobody who is gone.
    ThemeManager->BroadcastSysChange();
  }
}

TEST_F(ThemeKitTest, TableThemesAnswerTheSharedQueriesAlike) {
  struct Case {
    const char* name;
    TPoint popupMenuBorder;
    Integer menuItemSides;
  } cases[] = {{"Dream", {1, 2}, 1},   {"Miranda", {2, 2}, 0}, {"Nexos5", {2, 2}, 1},
               {"SentimoX", {2, 2}, 1}, {"OfficeK", {1, 2}, 1}, {"Zezio", {2, 2}, 1}};
  const TPoint frame{win::GetSystemMetrics(win::SM_CXFRAME) - 1, win::GetSystemMetrics(win::SM_CYFRAME) - 1};
  const TPoint dialogFrame{win::GetSystemMetrics(win::SM_CXDLGFRAME) - 1,
                           win::GetSystemMetrics(win::SM_CYDLGFRAME) - 1};
  for (const Case& c : cases) {
    TTxTheme* theme = AcquireTheme(c.name);
    ASSERT_NE(theme, nullptr) << c.name;
    const auto border = [&](Integer viewType) {
      TPoint b{-1, -1};
      theme->GetViewBorder(viewType, b);
      return b;
    };
    EXPECT_EQ(border(VT_TOOLBAR_NORMAL), (TPoint{2, 2})) << c.name;
    EXPECT_EQ(border(VT_DOCKPANEL_NORMAL), (TPoint{2, 2})) << c.name;
    EXPECT_EQ(border(VT_TOOLBAR_NORMAL | VT_FLOATING | VT_RESIZABLE), frame) << c.name;
    EXPECT_EQ(border(VT_DOCKPANEL_NORMAL | VT_FLOATING), dialogFrame) << c.name;
    EXPECT_EQ(border(VT_POPUP_MENU), c.popupMenuBorder) << c.name;
    EXPECT_EQ(border(VT_POPUP_LIST), (TPoint{2, 2})) << c.name;
    EXPECT_EQ(border(VT_CONTROL), (TPoint{0, 0})) << c.name;

    TTxMargins m{};
    theme->GetMargins(MID_MENUITEM, m);
    EXPECT_EQ(m.LeftWidth, c.menuItemSides) << c.name;
    EXPECT_EQ(m.RightWidth, c.menuItemSides) << c.name;
    EXPECT_EQ(m.TopHeight, 3) << c.name;
    theme->GetMargins(MID_STATUSPANE, m);
    EXPECT_EQ(m.LeftWidth, 3) << c.name;
    EXPECT_EQ(m.BottomHeight, 1) << c.name;

    TTxItemInfo hovered;
    hovered.Enabled = true;
    hovered.HoverKind = hkMouseHover;
    EXPECT_EQ(theme->GetImageOffset(nullptr, hovered, nullptr), (TPoint{-1, -1})) << c.name;
    TTxItemInfo checked = hovered;
    checked.Selected = true;
    EXPECT_EQ(theme->GetImageOffset(nullptr, checked, nullptr), (TPoint{0, 0})) << c.name;
    TTxItemInfo openParent = hovered;
    openParent.Pushed = true;
    openParent.IsPopupParent = true;
    EXPECT_EQ(theme->GetImageOffset(nullptr, openParent, nullptr), (TPoint{-1, -1})) << c.name;
    openParent.IsPopupParent = false;
    EXPECT_EQ(theme->GetImageOffset(nullptr, openParent, nullptr), (TPoint{0, 0})) << c.name;
    ReleaseTheme(theme);
  }
}

}  // namespace
