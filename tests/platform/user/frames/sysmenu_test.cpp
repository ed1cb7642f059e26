// The system menu: its standard content, per-window copies, item states and opening it.

#include <gtest/gtest.h>

#include <string>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class SysMenu : public HeadlessTest {
 protected:
  std::u16string Text(HMENU m, int pos) {
    char16_t buf[64] = {};
    GetMenuStringW(m, UINT(pos), buf, 64, MF_BYPOSITION);
    return buf;
  }
  bool Grayed(HMENU m, WPARAM command) { return (GetMenuState(m, UINT(command), MF_BYCOMMAND) & MF_GRAYED) != 0; }
};

}  // namespace

TEST_F(SysMenu, StandardContentInRussianWithCloseAsDefault) {
  HWND h = Create(WS_OVERLAPPEDWINDOW, {0, 0, 300, 200});
  HMENU m = GetSystemMenu(h, FALSE);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(GetMenuItemCount(m), 7);
  const WPARAM ids[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE};
  const char16_t* texts[] = {u"Восстановить", u"Переместить", u"Размер", u"Свернуть", u"Развернуть", u"",
                             u"Закрыть\tAlt+F4"};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    if (ids[i] == 0) {
      EXPECT_TRUE(GetMenuState(m, UINT(i), MF_BYPOSITION) & MF_SEPARATOR);
      continue;
    }
    EXPECT_EQ(GetMenuItemID(m, i), UINT(ids[i]));
    EXPECT_EQ(Text(m, i), texts[i]);
  }
  EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 0), UINT(SC_CLOSE));
}

TEST_F(SysMenu, EachWindowHasItsOwnCopyUntilReverted) {
  HWND a = Create(WS_OVERLAPPEDWINDOW, {0, 0, 300, 200});
  HWND b = Create(WS_OVERLAPPEDWINDOW, {0, 0, 300, 200});
  HMENU ma = GetSystemMenu(a, FALSE);
  EXPECT_EQ(GetSystemMenu(a, FALSE), ma);
  EXPECT_NE(GetSystemMenu(b, FALSE), ma);
  DeleteMenu(ma, SC_SIZE, MF_BYCOMMAND);
  EXPECT_EQ(GetMenuItemCount(ma), 6);
  EXPECT_EQ(GetSystemMenu(a, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(ma));
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(a, FALSE)), 7);

  // Windows without WS_SYSMENU have none; bad handles fail.
  HWND plain = Create(WS_POPUP | WS_CAPTION, {0, 0, 100, 100});
  EXPECT_EQ(GetSystemMenu(plain, FALSE), nullptr);
  EXPECT_EQ(GetSystemMenu(reinterpret_cast<HWND>(0x7777), FALSE), nullptr);

  // A window's copy goes with the window.
  HMENU mb = GetSystemMenu(b, FALSE);
  DestroyWindow(b);
  EXPECT_FALSE(IsMenu(mb));
}

TEST_F(SysMenu, ItemStatesFollowTheWindow) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 200});
  HMENU m = GetSystemMenu(h, FALSE);
  frame::UpdateSystemMenu(h, m);
  EXPECT_TRUE(Grayed(m, SC_RESTORE));
  EXPECT_FALSE(Grayed(m, SC_MOVE));
  EXPECT_FALSE(Grayed(m, SC_SIZE));
  EXPECT_FALSE(Grayed(m, SC_MINIMIZE));
  EXPECT_FALSE(Grayed(m, SC_MAXIMIZE));
  ShowWindow(h, SW_MAXIMIZE);
  frame::UpdateSystemMenu(h, m);
  EXPECT_FALSE(Grayed(m, SC_RESTORE));
  EXPECT_TRUE(Grayed(m, SC_MOVE));
  EXPECT_TRUE(Grayed(m, SC_SIZE));
  EXPECT_TRUE(Grayed(m, SC_MAXIMIZE));
  EXPECT_FALSE(Grayed(m, SC_CLOSE));

  HWND dialog = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU, {0, 0, 200, 100});
  HMENU d = GetSystemMenu(dialog, FALSE);
  EXPECT_TRUE(Grayed(d, SC_SIZE));
  EXPECT_TRUE(Grayed(d, SC_MINIMIZE));
  EXPECT_TRUE(Grayed(d, SC_MAXIMIZE));
  EXPECT_FALSE(Grayed(d, SC_MOVE));
}

TEST_F(SysMenu, AltSpaceOpensItAndAChoiceArrivesAsASystemCommand) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  desktop->run_until_idle();
  ASSERT_EQ(GetFocus(), h);
  // Alt+Space, then End (the last item: close) and Enter.
  desktop->key_down(VK_MENU);
  desktop->press_key(VK_SPACE, u' ');
  desktop->script([&] {
    EXPECT_TRUE(IsWindow(h));
    desktop->press_key(VK_END);
    desktop->press_key(VK_RETURN);
    desktop->key_up(VK_MENU);
  });
  desktop->run_until_idle();
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(SysMenu, ARightClickOnTheCaptionOpensItAndEscapeClosesIt) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  desktop->click({250, 110}, 1);
  desktop->script([&] { desktop->press_key(VK_ESCAPE); });
  desktop->run_until_idle();
  EXPECT_TRUE(IsWindow(h));
  EXPECT_EQ(Count(h, WM_CONTEXTMENU), 1);
  EXPECT_EQ(desktop->pending_script(), 0u);  // the menu loop waited for the key: it was open
  for (auto& m : Log(h)) EXPECT_NE(m.msg, UINT(WM_SYSCOMMAND)) << "nothing was chosen";
}
