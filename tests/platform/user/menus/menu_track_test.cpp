// TrackPopupMenuEx driven by injected keys and clicks on the headless desktop.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/HeadlessFixture.h"
#include "menu_test_support.h"
#include "platform/user/services/Beep.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

using namespace win;
using menutest::Centre;

namespace {

enum : UINT { kOpen = 101, kSave = 102, kExit = 104, kGrey = 105, kAlpha = 201, kBeta = 202 };

class MenuTrack : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 400, 300}, nullptr, 0,
                   [this](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
                     if (m == WM_MENUCHAR) return menuCharAnswer;
                     if (m == WM_INITMENUPOPUP && onInitPopup) onInitPopup(reinterpret_cast<HMENU>(w), l);
                     return std::nullopt;
                   });
    sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, kAlpha, u"&Alpha");
    AppendMenuW(sub, MF_STRING, kBeta, u"&Beta");
    menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kOpen, u"&Open\tCtrl+O");
    AppendMenuW(menu, MF_STRING, kSave, u"&Save");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP, UINT_PTR(sub), u"&More");
    AppendMenuW(menu, MF_STRING, kExit, u"E&xit");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, kGrey, u"&Grey");
    ResetMessageBeeps();
    ClearLog();
  }
  void TearDown() override {
    DestroyMenu(menu);
    ResetSystemParameters();
    HeadlessTest::TearDown();
  }

  BOOL Track(UINT flags, POINT at = {200, 150}) { return TrackPopupMenuEx(menu, flags, at.x, at.y, owner, nullptr); }
  void Keys(std::initializer_list<UINT> keys) {
    std::vector<UINT> k(keys);
    desktop->script([this, k] {
      for (UINT vk : k) desktop->press_key(vk);
    });
  }
  // The screen rectangle of an item of an open menu.
  RECT ItemRect(HMENU m, int pos) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(nullptr, m, UINT(pos), &r));
    return r;
  }
  std::vector<kvtest::LoggedMessage> Of(UINT msg) {
    std::vector<kvtest::LoggedMessage> out;
    for (auto& m : Log(owner))
      if (m.msg == msg) out.push_back(m);
    return out;
  }

  HWND owner = nullptr;
  HMENU menu = nullptr, sub = nullptr;
  LRESULT menuCharAnswer = 0;
  std::function<void(HMENU, LPARAM)> onInitPopup;
};

TEST_F(MenuTrack, KeysChooseAnItemAndTheNotificationsComeInOrder) {
  Keys({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kSave));

  std::vector<UINT> notices;
  for (auto& m : Log(owner))
    if (m.msg == WM_ENTERMENULOOP || m.msg == WM_INITMENU || m.msg == WM_INITMENUPOPUP || m.msg == WM_MENUSELECT ||
        m.msg == WM_UNINITMENUPOPUP || m.msg == WM_EXITMENULOOP)
      notices.push_back(m.msg);
  std::vector<UINT> want{WM_ENTERMENULOOP, WM_INITMENU,        WM_INITMENUPOPUP, WM_MENUSELECT,
                         WM_MENUSELECT,    WM_UNINITMENUPOPUP, WM_MENUSELECT,    WM_EXITMENULOOP};
  EXPECT_EQ(notices, want);
  auto selects = Of(WM_MENUSELECT);
  ASSERT_EQ(selects.size(), 3u);
  EXPECT_EQ(LOWORD(selects[0].wParam), kOpen);
  EXPECT_EQ(selects[0].lParam, reinterpret_cast<LPARAM>(menu));
  EXPECT_TRUE(HIWORD(selects[0].wParam) & MF_HILITE);
  EXPECT_EQ(LOWORD(selects[1].wParam), kSave);
  EXPECT_EQ(HIWORD(selects[2].wParam), 0xFFFF);  // closed
  EXPECT_EQ(selects[2].lParam, 0);
  EXPECT_EQ(Of(WM_ENTERMENULOOP)[0].wParam, WPARAM(TRUE));
  EXPECT_EQ(Of(WM_INITMENUPOPUP)[0].wParam, WPARAM(menu));

  // With TPM_RETURNCMD nothing is posted.
  desktop->run_until_idle();
  EXPECT_EQ(Count(owner, WM_COMMAND), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTrack, MenuSelectCarriesTheItemsFlags) {
  SetMenuDefaultItem(menu, kOpen, FALSE);
  CheckMenuItem(menu, kOpen, MF_CHECKED);
  Keys({VK_DOWN});
  Keys({VK_ESCAPE});
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  auto selects = Of(WM_MENUSELECT);
  ASSERT_GE(selects.size(), 1u);
  WORD flags = HIWORD(selects[0].wParam);
  EXPECT_EQ(flags & (MF_DEFAULT | MF_CHECKED | MF_HILITE), MF_DEFAULT | MF_CHECKED | MF_HILITE);
  EXPECT_EQ(flags & (MF_POPUP | MF_MOUSESELECT), 0);
}

TEST_F(MenuTrack, WithoutReturnCmdTheChoiceIsPostedAsCommand) {
  Keys({VK_END, VK_UP, VK_RETURN});
  EXPECT_EQ(Track(0), TRUE);
  EXPECT_EQ(Count(owner, WM_COMMAND), 0);  // posted, not sent
  desktop->run_until_idle();
  auto cmds = Of(WM_COMMAND);
  ASSERT_EQ(cmds.size(), 1u);
  // End selects the last item (the grey one, selectable but not choosable); Up moves to Exit.
  EXPECT_EQ(cmds[0].wParam, MAKEWPARAM(kExit, 0));
  EXPECT_EQ(cmds[0].lParam, 0);
}

TEST_F(MenuTrack, DisabledItemsAndSeparatorsAreNotChosen) {
  // Up from nothing wraps to the grey item; Enter on it does nothing; Esc dismisses.
  Keys({VK_UP, VK_RETURN});
  Keys({VK_ESCAPE});
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  // Down from Save skips the separator to the submenu item (reported by position, MF_POPUP).
  ClearLog();
  Keys({VK_DOWN, VK_DOWN, VK_DOWN});
  Keys({VK_ESCAPE});
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  auto selects = Of(WM_MENUSELECT);
  ASSERT_GE(selects.size(), 3u);
  EXPECT_EQ(LOWORD(selects[2].wParam), 3);
  EXPECT_TRUE(HIWORD(selects[2].wParam) & MF_POPUP);
}

TEST_F(MenuTrack, EscapeClosesOneLevelAltClosesAll) {
  // Into the submenu and back out with Esc: the parent menu is still open.
  Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  desktop->script([this] {
    EXPECT_EQ(Count(owner, WM_INITMENUPOPUP), 2);
    desktop->press_key(VK_ESCAPE);
  });
  desktop->script([this] {
    EXPECT_EQ(Count(owner, WM_UNINITMENUPOPUP), 1);
    desktop->press_key(VK_DOWN);
    desktop->press_key(VK_RETURN);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kExit));

  // Alt closes the whole chain, and its release does not reach the window as a menu key.
  ClearLog();
  Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  desktop->script([this] {
    desktop->key_down(VK_MENU);
    desktop->key_up(VK_MENU);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(Count(owner, WM_UNINITMENUPOPUP), 2);
  desktop->run_until_idle();
  EXPECT_EQ(Count(owner, WM_SYSKEYUP), 0);
  EXPECT_EQ(Count(owner, WM_SYSCOMMAND), 0);
}

TEST_F(MenuTrack, LeftFromASubmenuAndRightIntoIt) {
  Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_LEFT, VK_RIGHT, VK_DOWN, VK_RETURN});
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kBeta));
}

TEST_F(MenuTrack, MnemonicsChooseIncludingCyrillicAndSharedOnesCycle) {
  desktop->script([this] { desktop->type_char(u's'); });
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kSave));

  HMENU ru = CreatePopupMenu();
  AppendMenuW(ru, MF_STRING, 1, u"&Файл");
  AppendMenuW(ru, MF_STRING, 2, u"&Правка");
  AppendMenuW(ru, MF_STRING, 3, u"&Печать");
  AppendMenuW(ru, MF_STRING, 4, u"Сохранить &как");
  desktop->script([this] { desktop->type_char(u'К'); });  // upper case matches "&к"
  EXPECT_EQ(TrackPopupMenuEx(ru, TPM_RETURNCMD, 200, 150, owner, nullptr), 4);

  // Two items share "П": the key moves between them and chooses nothing.
  ClearLog();
  desktop->script([this] { desktop->type_char(u'п'); });
  desktop->script([this] { desktop->type_char(u'п'); });
  desktop->script([this] { desktop->press_key(VK_RETURN); });
  EXPECT_EQ(TrackPopupMenuEx(ru, TPM_RETURNCMD, 200, 150, owner, nullptr), 3);
  auto selects = Of(WM_MENUSELECT);
  ASSERT_GE(selects.size(), 2u);
  EXPECT_EQ(LOWORD(selects[0].wParam), 2);
  EXPECT_EQ(LOWORD(selects[1].wParam), 3);
  DestroyMenu(ru);

  // A mnemonic of a submenu opens it with its first item selected.
  desktop->script([this] { desktop->type_char(u'm'); });
  desktop->script([this] { desktop->type_char(u'b'); });
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kBeta));
}

TEST_F(MenuTrack, UnmatchedCharactersAskTheOwnerAndNeverReachTheFocus) {
  SetFocus(owner);
  // The owner's answer executes the item at position 4.
  menuCharAnswer = LRESULT(MAKELONG(4, MNC_EXECUTE));
  desktop->script([this] { desktop->type_char(u'z'); });
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kExit));
  auto mc = Of(WM_MENUCHAR);
  ASSERT_EQ(mc.size(), 1u);
  EXPECT_EQ(LOWORD(mc[0].wParam), u'z');
  EXPECT_EQ(HIWORD(mc[0].wParam), MF_POPUP);
  EXPECT_EQ(mc[0].lParam, reinterpret_cast<LPARAM>(menu));

  // Ignored: a beep, the menu stays open; the character reaches nobody.
  menuCharAnswer = 0;
  ClearLog();
  desktop->script([this] { desktop->type_char(u'q'); });
  desktop->script([this] {
    EXPECT_EQ(MessageBeepCount(), 1);
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  desktop->run_until_idle();
  EXPECT_EQ(Count(owner, WM_CHAR), 0);
}

TEST_F(MenuTrack, MouseHoverAndClickChooses) {
  desktop->script([this] {
    POINT p = Centre(ItemRect(menu, 1));
    desktop->mouse_move(p);
    desktop->click(p);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kSave));
  auto selects = Of(WM_MENUSELECT);
  ASSERT_GE(selects.size(), 1u);
  EXPECT_TRUE(HIWORD(selects[0].wParam) & MF_MOUSESELECT);
}

TEST_F(MenuTrack, AClickOutsideClosesAndReachesTheWindowBelow) {
  SetFocus(owner);
  desktop->script([this] {
    desktop->click({450, 350});  // on the owner's client area, away from the menu
    desktop->type_char(u'x');    // typed behind the click: gone with the menu
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(Count(owner, WM_LBUTTONDOWN), 0);
  desktop->run_until_idle();
  auto downs = Of(WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  POINT client{450, 350};
  ScreenToClient(owner, &client);
  EXPECT_EQ(downs[0].lParam, MAKELPARAM(WORD(client.x), WORD(client.y)));
  EXPECT_EQ(Count(owner, WM_CHAR), 0);
}

TEST_F(MenuTrack, OnlyTheLeftButtonChoosesUnlessRightButtonIsAsked) {
  desktop->script([this] {
    POINT p = Centre(ItemRect(menu, 0));
    desktop->mouse_move(p);
    desktop->mouse_up(p, 1);
  });
  desktop->script([this] { desktop->press_key(VK_ESCAPE); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);

  desktop->script([this] {
    POINT p = Centre(ItemRect(menu, 0));
    desktop->mouse_move(p);
    desktop->mouse_up(p, 1);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD | TPM_RIGHTBUTTON), BOOL(kOpen));
}

TEST_F(MenuTrack, SubmenusOpenAfterTheShowDelay) {
  desktop->script([this] { desktop->mouse_move(Centre(ItemRect(menu, 3))); });
  desktop->script([this] {
    RECT r;
    EXPECT_FALSE(GetMenuItemRect(nullptr, sub, 0, &r));  // not yet
    desktop->advance(399);
  });
  desktop->script([this] {
    RECT r;
    EXPECT_FALSE(GetMenuItemRect(nullptr, sub, 0, &r));
    desktop->advance(1);
  });
  desktop->script([this] {
    RECT r{};
    ASSERT_TRUE(GetMenuItemRect(nullptr, sub, 0, &r));
    RECT parent = ItemRect(menu, 3);
    EXPECT_GE(r.left, parent.right - 6);  // to the right of its parent
    EXPECT_EQ(r.top, parent.top);         // level with the item that opened it
    desktop->mouse_move(Centre(r));
    desktop->click(Centre(r));
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kAlpha));
}

TEST_F(MenuTrack, CaptureLossCancelModeAndEndMenuEndTheLoop) {
  desktop->script([this] { SetCapture(owner); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  ReleaseCapture();

  desktop->script([] { SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0); });
  EXPECT_EQ(Track(0), TRUE);
  // The owner's default handling of WM_CANCELMODE ends its menu too.
  desktop->script([this] { SendMessageW(owner, WM_CANCELMODE, 0, 0); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  desktop->script([] { EXPECT_TRUE(EndMenu()); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_FALSE(EndMenu());
  desktop->run_until_idle();
  EXPECT_EQ(Count(owner, WM_COMMAND), 0);
}

TEST_F(MenuTrack, NoNotifySendsNothing) {
  Keys({VK_DOWN, VK_RETURN});
  EXPECT_EQ(Track(TPM_RETURNCMD | TPM_NONOTIFY), BOOL(kOpen));
  for (UINT msg : {WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_UNINITMENUPOPUP,
                   WM_EXITMENULOOP})
    EXPECT_EQ(Count(owner, msg), 0) << msg;
}

TEST_F(MenuTrack, ItemsAddedByTheInitHandlerAreShown) {
  onInitPopup = [this](HMENU m, LPARAM) {
    if (m == menu && GetMenuItemCount(menu) == 6) AppendMenuW(menu, MF_STRING, 777, u"&Late");
  };
  desktop->script([this] { desktop->type_char(u'l'); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 777);
}

TEST_F(MenuTrack, BadArgumentsFailAndANestedMenuIsRefused) {
  EXPECT_FALSE(TrackPopupMenuEx(nullptr, 0, 0, 0, owner, nullptr));
  EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, reinterpret_cast<HWND>(0x777), nullptr));
  TPMPARAMS bad;
  bad.cbSize = 3;
  EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, owner, &bad));
  desktop->script([this] {
    EXPECT_FALSE(TrackPopupMenuEx(sub, TPM_RETURNCMD, 10, 10, owner, nullptr));
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
}

TEST_F(MenuTrack, AMenuOrOwnerDestroyedByAHandlerEndsTheLoopSafely) {
  HMENU doomed = CreatePopupMenu();
  AppendMenuW(doomed, MF_STRING, 1, u"One");
  onInitPopup = [doomed](HMENU m, LPARAM) {
    if (m == doomed) DestroyMenu(doomed);
  };
  EXPECT_EQ(TrackPopupMenuEx(doomed, TPM_RETURNCMD, 200, 150, owner, nullptr), 0);
  EXPECT_FALSE(IsMenu(doomed));
  EXPECT_EQ(GetCapture(), nullptr);

  onInitPopup = nullptr;
  SetHandler(owner, [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MENUSELECT && IsWindow(h)) DestroyWindow(h);
    return std::nullopt;
  });
  Keys({VK_DOWN});
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(IsMenu(menu));
}

TEST_F(MenuTrack, ChoicesByPositionAndSystemCommandsArePostedAsAsked) {
  MENUINFO mi;
  mi.fMask = MIM_STYLE;
  mi.dwStyle = MNS_NOTIFYBYPOS;
  ASSERT_TRUE(SetMenuInfo(menu, &mi));
  Keys({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(Track(0), TRUE);
  desktop->run_until_idle();
  auto byPos = Of(WM_MENUCOMMAND);
  ASSERT_EQ(byPos.size(), 1u);
  EXPECT_EQ(byPos[0].wParam, 1u);
  EXPECT_EQ(byPos[0].lParam, reinterpret_cast<LPARAM>(menu));
  EXPECT_EQ(Count(owner, WM_COMMAND), 0);

  HMENU sys = CreatePopupMenu();
  AppendMenuW(sys, MF_STRING, SC_MINIMIZE, u"Mi&nimize");
  desktop->script([this] { desktop->type_char(u'n'); });
  EXPECT_EQ(TrackPopupMenuEx(sys, 0, 200, 150, owner, nullptr), TRUE);
  desktop->run_until_idle();
  auto sc = Of(WM_SYSCOMMAND);
  ASSERT_GE(sc.size(), 1u);
  EXPECT_EQ(sc[0].wParam, SC_MINIMIZE);
  EXPECT_EQ(Count(owner, WM_COMMAND), 0);
  DestroyMenu(sys);
}

TEST_F(MenuTrack, TheMenuWindowIsATopmostToolWindowThatNeverTakesActivation) {
  SetActiveWindow(owner);
  SetFocus(owner);
  desktop->script([this] {
    RECT r = ItemRect(menu, 0);
    POINT p = Centre(r);
    desktop->click(POINT{r.right - 2, r.top + 1});  // a press inside the menu, on an item
    HWND popup = WindowFromPoint(p);
    char16_t cls[16] = {};
    GetClassNameW(popup, cls, 16);
    EXPECT_EQ(std::u16string(cls), u"#32768");
    DWORD ex = DWORD(GetWindowLongPtrW(popup, GWL_EXSTYLE));
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), BOOL(kOpen));
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(MenuTrack, TheHighlightUsesTheSystemColours) {
  desktop->script([this] {
    desktop->press_key(VK_DOWN);
  });
  desktop->script([this] {
    RECT sel = ItemRect(menu, 0), other = ItemRect(menu, 1);
    HWND popup = WindowFromPoint(Centre(sel));
    ASSERT_NE(popup, owner);
    EXPECT_EQ(SendMessageW(popup, MN_GETHMENU, 0, 0), reinterpret_cast<LRESULT>(menu));
    RECT win;
    GetWindowRect(popup, &win);
    // The right end of an item holds no text: only its background.
    int x = sel.right - 2 - win.left;
    EXPECT_EQ(desktop->surface_pixel(popup, x, sel.top + 1 - win.top), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(desktop->surface_pixel(popup, x, other.top + 1 - win.top), GetSysColor(COLOR_MENU));
    desktop->press_key(VK_ESCAPE);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
}

}  // namespace
