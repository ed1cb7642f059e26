// A window's menu bar: the frame's strip, painting, and tracking by mouse and keyboard.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "menu_test_support.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"

using namespace win;
using menutest::Centre;

namespace {

class MenuBarTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 400, 300});
    file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 11, u"&New");
    AppendMenuW(file, MF_STRING, 12, u"&Open");
    edit = CreatePopupMenu();
    AppendMenuW(edit, MF_STRING, 21, u"&Undo");
    AppendMenuW(edit, MF_STRING, 22, u"&Copy");
    bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, UINT_PTR(file), u"&File");
    AppendMenuW(bar, MF_POPUP, UINT_PTR(edit), u"&Edit");
    AppendMenuW(bar, MF_STRING, 31, u"&Help");
    SetFocus(owner);
  }
  void TearDown() override {
    if (IsWindow(owner)) SetMenu(owner, nullptr);
    DestroyMenu(bar);
    HeadlessTest::TearDown();
  }
  RECT BarItem(int index) {
    MENUBARINFO mbi;
    EXPECT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, index + 1, &mbi));
    return mbi.rcBar;
  }
  std::vector<kvtest::LoggedMessage> Of(UINT msg) {
    std::vector<kvtest::LoggedMessage> out;
    for (auto& m : Log(owner))
      if (m.msg == msg) out.push_back(m);
    return out;
  }

  HWND owner = nullptr;
  HMENU bar = nullptr, file = nullptr, edit = nullptr;
};

TEST_F(MenuBarTest, TheFrameMakesRoomForTheBar) {
  RECT before, after;
  GetClientRect(owner, &before);
  ASSERT_TRUE(SetMenu(owner, bar));
  EXPECT_EQ(GetMenu(owner), bar);
  GetClientRect(owner, &after);
  EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));

  MENUBARINFO mbi;
  ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 0, &mbi));
  EXPECT_EQ(mbi.hMenu, bar);
  EXPECT_EQ(mbi.rcBar.bottom - mbi.rcBar.top, GetSystemMetrics(SM_CYMENU));
  POINT clientTop{0, 0};
  ClientToScreen(owner, &clientTop);
  EXPECT_LE(mbi.rcBar.bottom, clientTop.y);
  RECT a = BarItem(0), b = BarItem(1);
  EXPECT_EQ(a.left, mbi.rcBar.left);
  EXPECT_EQ(b.left, a.right);  // side by side
  EXPECT_EQ(a.top, mbi.rcBar.top);

  // Removing the bar gives the room back; the menu lives on.
  ASSERT_TRUE(SetMenu(owner, nullptr));
  EXPECT_EQ(GetMenu(owner), nullptr);
  GetClientRect(owner, &after);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(IsMenu(bar));
}

TEST_F(MenuBarTest, SetMenuRefusesChildrenAndBadHandles) {
  HWND child = Create(WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, owner);
  EXPECT_FALSE(SetMenu(child, bar));
  EXPECT_FALSE(SetMenu(owner, reinterpret_cast<HMENU>(0x999)));
  EXPECT_FALSE(SetMenu(reinterpret_cast<HWND>(0x999), bar));
  EXPECT_EQ(GetMenu(owner), nullptr);
  EXPECT_FALSE(DrawMenuBar(reinterpret_cast<HWND>(0x999)));
}

TEST_F(MenuBarTest, ItemsThatNoLongerFitWrapToASecondRow) {
  ASSERT_TRUE(SetMenu(owner, bar));
  RECT one;
  GetClientRect(owner, &one);
  for (int i = 0; i < 12; ++i) AppendMenuW(bar, MF_STRING, UINT_PTR(100 + i), u"Something long");
  ASSERT_TRUE(DrawMenuBar(owner));
  RECT more;
  GetClientRect(owner, &more);
  EXPECT_GE(one.bottom - more.bottom, GetSystemMetrics(SM_CYMENU));
  RECT first = BarItem(0), last = BarItem(GetMenuItemCount(bar) - 1);
  EXPECT_GT(last.top, first.top);
}

TEST_F(MenuBarTest, AHighlightedBarItemIsDrawnRaised) {
  ASSERT_TRUE(SetMenu(owner, bar));
  desktop->run_until_idle();
  RECT item = BarItem(1), win;
  GetWindowRect(owner, &win);
  auto top = [&] { return desktop->surface_pixel(owner, item.left + 3 - win.left, item.top - win.top); };
  EXPECT_EQ(top(), GetSysColor(COLOR_MENU));
  ASSERT_TRUE(HiliteMenuItem(owner, bar, 1, MF_BYPOSITION | MF_HILITE));
  desktop->run_until_idle();
  EXPECT_EQ(top(), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION) & MF_HILITE, UINT(MF_HILITE));
  ASSERT_TRUE(HiliteMenuItem(owner, bar, 1, MF_BYPOSITION | MF_UNHILITE));
  desktop->run_until_idle();
  EXPECT_EQ(top(), GetSysColor(COLOR_MENU));
}

TEST_F(MenuBarTest, ClickingAnItemOpensItsMenuAndMovingAlongSwitches) {
  ASSERT_TRUE(SetMenu(owner, bar));
  RECT fileItem = BarItem(0), editItem = BarItem(1);
  desktop->script([&] {
    RECT r{};
    ASSERT_TRUE(GetMenuItemRect(nullptr, file, 0, &r));
    EXPECT_GE(r.top, fileItem.bottom);  // the drop-down hangs under its bar item
    EXPECT_LE(r.top, fileItem.bottom + 4);
    desktop->mouse_move(Centre(editItem));
  });
  desktop->script([&] {
    RECT r{};
    EXPECT_FALSE(GetMenuItemRect(nullptr, file, 0, &r));
    ASSERT_TRUE(GetMenuItemRect(nullptr, edit, 1, &r));
    desktop->mouse_move(Centre(r));
    desktop->click(Centre(r));
  });
  desktop->click(Centre(fileItem));
  desktop->run_until_idle();
  auto cmds = Of(WM_COMMAND);
  ASSERT_EQ(cmds.size(), 1u);
  EXPECT_EQ(cmds[0].wParam, MAKEWPARAM(22, 0));
  auto inits = Of(WM_INITMENUPOPUP);
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[0].wParam, WPARAM(file));
  EXPECT_EQ(inits[1].wParam, WPARAM(edit));
  EXPECT_EQ(LOWORD(inits[1].lParam), 1);
  auto enter = Of(WM_ENTERMENULOOP);
  ASSERT_EQ(enter.size(), 1u);
  EXPECT_EQ(enter[0].wParam, WPARAM(FALSE));
}

TEST_F(MenuBarTest, F10EntersTheBarAndArrowsWalkIt) {
  ASSERT_TRUE(SetMenu(owner, bar));
  desktop->script([&] {
    MENUBARINFO mbi;
    ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 1, &mbi));
    EXPECT_TRUE(mbi.fBarFocused);
    EXPECT_TRUE(mbi.fFocused);
    // The selected item is drawn raised: a light line on its top edge.
    RECT item = BarItem(0), win;
    GetWindowRect(owner, &win);
    EXPECT_EQ(desktop->surface_pixel(owner, item.left + 3 - win.left, item.top - win.top), GetSysColor(COLOR_BTNHIGHLIGHT));
    desktop->press_key(VK_RIGHT);  // to Edit, nothing open yet
    desktop->press_key(VK_DOWN);   // opens Edit with Undo selected
    desktop->press_key(VK_DOWN);
    desktop->press_key(VK_RETURN);
  });
  desktop->press_key(VK_F10);
  desktop->run_until_idle();
  auto cmds = Of(WM_COMMAND);
  ASSERT_EQ(cmds.size(), 1u);
  EXPECT_EQ(LOWORD(cmds[0].wParam), 22);
}

TEST_F(MenuBarTest, AltAloneEntersTheBarAndEscapeLeavesItStepByStep) {
  ASSERT_TRUE(SetMenu(owner, bar));
  desktop->script([&] {
    desktop->press_key(VK_RIGHT);
    desktop->press_key(VK_RETURN);  // opens Edit
  });
  desktop->script([&] {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(nullptr, edit, 0, &r));
    desktop->press_key(VK_ESCAPE);  // closes Edit, the bar keeps its selection
  });
  desktop->script([&] {
    RECT r{};
    EXPECT_FALSE(GetMenuItemRect(nullptr, edit, 0, &r));
    MENUBARINFO mbi;
    ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 2, &mbi));
    EXPECT_TRUE(mbi.fFocused);
    desktop->press_key(VK_ESCAPE);  // leaves the bar
  });
  desktop->key_down(VK_MENU);
  desktop->key_up(VK_MENU);
  desktop->run_until_idle();
  EXPECT_EQ(Count(owner, WM_COMMAND), 0);
  EXPECT_EQ(Count(owner, WM_EXITMENULOOP), 1);
  EXPECT_EQ(GetCapture(), nullptr);
  MENUBARINFO mbi;
  ASSERT_TRUE(GetMenuBarInfo(owner, OBJID_MENU, 0, &mbi));
  EXPECT_FALSE(mbi.fBarFocused);
}

TEST_F(MenuBarTest, AltAndALetterOpenTheMatchingMenu) {
  ASSERT_TRUE(SetMenu(owner, bar));
  desktop->script([&] {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(nullptr, edit, 0, &r));
    desktop->press_key(VK_RETURN);  // Undo is selected
  });
  desktop->key_down(VK_MENU);
  desktop->press_key('E', u'e');
  desktop->key_up(VK_MENU);
  desktop->run_until_idle();
  auto cmds = Of(WM_COMMAND);
  ASSERT_EQ(cmds.size(), 1u);
  EXPECT_EQ(LOWORD(cmds[0].wParam), 21);
  EXPECT_EQ(Count(owner, WM_CHAR), 0);
}

TEST_F(MenuBarTest, AnUnmatchedAltLetterBeepsAndOpensNothing) {
  ASSERT_TRUE(SetMenu(owner, bar));
  desktop->key_down(VK_MENU);  // Alt stays down: only the letter is looked at
  desktop->press_key('Q', u'q');
  desktop->run_until_idle();
  auto mc = Of(WM_MENUCHAR);
  ASSERT_EQ(mc.size(), 1u);
  EXPECT_EQ(mc[0].lParam, reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(Count(owner, WM_COMMAND), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
