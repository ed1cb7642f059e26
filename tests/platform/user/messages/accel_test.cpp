// Accelerator tables and TranslateAcceleratorW on injected keys.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/HeadlessFixture.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/Accel.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

TEST(AccelTable, CreateCopyDestroy) {
  const ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'O', 1}, {FVIRTKEY, VK_F5, 2}, {0, 'x', 3}};
  HACCEL t = CreateAcceleratorTableW(entries, 3);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(CopyAcceleratorTableW(t, nullptr, 0), 3);
  ACCEL out[2];
  EXPECT_EQ(CopyAcceleratorTableW(t, out, 2), 2);
  EXPECT_EQ(out[1].key, VK_F5);
  EXPECT_EQ(out[1].cmd, 2);
  EXPECT_EQ(out[0].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_TRUE(DestroyAcceleratorTable(t));
  EXPECT_FALSE(DestroyAcceleratorTable(t));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_ACCEL_HANDLE);
  EXPECT_EQ(CopyAcceleratorTableW(t, nullptr, 0), 0);

  EXPECT_EQ(CreateAcceleratorTableW(entries, 0), nullptr);
  EXPECT_EQ(CreateAcceleratorTableW(nullptr, 3), nullptr);
  EXPECT_EQ(CreateAcceleratorTableW(entries, 1 << 20), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

class Accelerators : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    owner = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 400, 300}, nullptr, 0,
                   [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                     if (m == WM_SYSCOMMAND) return 0;  // keep the window as it is
                     return std::nullopt;
                   });
    SetFocus(owner);
    const ACCEL entries[] = {
        {FVIRTKEY | FCONTROL, 'O', 101},          {FVIRTKEY | FCONTROL | FSHIFT, 'S', 102},
        {0, 'x', 103},                            {FALT, 'y', 104},
        {FVIRTKEY | FALT, VK_F4, WORD(SC_CLOSE)}, {FVIRTKEY, VK_F5, 105},
    };
    table = CreateAcceleratorTableW(entries, 6);
    ClearLog();
  }
  void TearDown() override {
    DestroyAcceleratorTable(table);
    HeadlessTest::TearDown();
  }
  // The usual loop of a window with accelerators.
  void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (TranslateAcceleratorW(owner, table, &m)) {
        ++translated;
        continue;
      }
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  std::vector<kvtest::LoggedMessage> Commands(UINT msg = WM_COMMAND) {
    std::vector<kvtest::LoggedMessage> out;
    for (auto& m : Log(owner))
      if (m.msg == msg) out.push_back(m);
    return out;
  }

  HWND owner = nullptr;
  HACCEL table = nullptr;
  int translated = 0;
};

TEST_F(Accelerators, VirtualKeysNeedExactlyTheirModifiers) {
  desktop->key_down(VK_CONTROL);
  desktop->press_key('O');
  desktop->press_key('S');  // Ctrl+S: the entry wants Shift as well
  desktop->key_down(VK_SHIFT);
  desktop->press_key('S');
  desktop->key_up(VK_SHIFT);
  desktop->key_up(VK_CONTROL);
  desktop->press_key('O');  // no Ctrl: nothing
  desktop->press_key(VK_F5);
  Pump();
  auto cmds = Commands();
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[0].wParam, MAKEWPARAM(101, 1));
  EXPECT_EQ(cmds[1].wParam, MAKEWPARAM(102, 1));
  EXPECT_EQ(cmds[2].wParam, MAKEWPARAM(105, 1));
  EXPECT_EQ(cmds[0].lParam, 0);
  EXPECT_EQ(translated, 3);
  // A translated key is not turned into a character; the plain 'o' is.
  int plain = 0, control = 0;
  for (auto& m : Log(owner)) {
    if (m.msg == WM_CHAR && m.wParam == u'o') ++plain;
    if (m.msg == WM_CHAR && m.wParam == 0x0F) ++control;  // Ctrl+O
  }
  EXPECT_EQ(plain, 1);
  EXPECT_EQ(control, 0);
}

TEST_F(Accelerators, CharacterEntriesAndAltCharacters) {
  desktop->type_char(u'x');
  desktop->type_char(u'X');  // character entries match the code exactly
  desktop->key_down(VK_MENU);
  desktop->press_key('Y', u'y');
  desktop->key_up(VK_MENU);
  Pump();
  auto cmds = Commands();
  ASSERT_EQ(cmds.size(), 2u);
  EXPECT_EQ(LOWORD(cmds[0].wParam), 103);
  EXPECT_EQ(LOWORD(cmds[1].wParam), 104);
}

TEST_F(Accelerators, SystemCommandsGoAsSysCommand) {
  desktop->key_down(VK_MENU);
  desktop->press_key(VK_F4);
  desktop->key_up(VK_MENU);
  Pump();
  EXPECT_TRUE(Commands().empty());
  auto sys = Commands(WM_SYSCOMMAND);
  ASSERT_GE(sys.size(), 1u);
  EXPECT_EQ(sys[0].wParam, SC_CLOSE);
}

TEST_F(Accelerators, MenuItemsAreInitialisedAndDisabledOnesSendNothing) {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, 101, u"&Open\tCtrl+O");
  AppendMenuW(file, MF_STRING | MF_GRAYED, 105, u"&Refresh\tF5");
  AppendMenuW(bar, MF_POPUP, UINT_PTR(file), u"&File");
  ASSERT_TRUE(SetMenu(owner, bar));
  ClearLog();
  desktop->key_down(VK_CONTROL);
  desktop->press_key('O');
  desktop->key_up(VK_CONTROL);
  desktop->press_key(VK_F5);
  Pump();
  auto cmds = Commands();
  ASSERT_EQ(cmds.size(), 1u);
  EXPECT_EQ(LOWORD(cmds[0].wParam), 101);
  EXPECT_EQ(translated, 2);  // the disabled item's key is still taken
  auto init = Commands(WM_INITMENU);
  ASSERT_EQ(init.size(), 2u);
  EXPECT_EQ(init[0].wParam, WPARAM(bar));
  auto popups = Commands(WM_INITMENUPOPUP);
  ASSERT_EQ(popups.size(), 2u);
  EXPECT_EQ(popups[0].wParam, WPARAM(file));
  SetMenu(owner, nullptr);
  DestroyMenu(bar);
}

// The submenus on an accelerator's path are announced as the window's own menus, not as its
// window menu, each with its place in its parent: a window brings its items' states up to date
// there, before the command runs, and a command it disables so sends nothing.
TEST_F(Accelerators, SubmenusOnTheCommandsPathAreBroughtUpToDateBeforeTheCommand) {
  HMENU bar = CreateMenu(), file = CreatePopupMenu(), exportMenu = CreatePopupMenu();
  AppendMenuW(exportMenu, MF_STRING, 102, u"&Save\tCtrl+Shift+S");
  AppendMenuW(file, MF_STRING, 101, u"&Open\tCtrl+O");
  AppendMenuW(file, MF_POPUP, UINT_PTR(exportMenu), u"&Export");
  AppendMenuW(bar, MF_STRING, 200, u"&Help");
  AppendMenuW(bar, MF_POPUP, UINT_PTR(file), u"&File");
  ASSERT_TRUE(SetMenu(owner, bar));
  bool allowed = true;  // what the window's own state says of its commands
  SetHandler(owner, [&](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_SYSCOMMAND) return 0;
    if (m == WM_INITMENUPOPUP && !HIWORD(l))  // a window menu is left to the system
      for (UINT cmd : {101u, 102u}) EnableMenuItem(HMENU(w), cmd, MF_BYCOMMAND | (allowed ? MF_ENABLED : MF_GRAYED));
    return std::nullopt;
  });
  const struct {
    UINT key;
    bool shift;
    bool allowed;
    WORD command;                          // 0: none sent
    std::vector<std::pair<HMENU, WORD>> popups;  // announced, with their places
  } cases[] = {
      {'O', false, true, 101, {{file, 1}}},
      {'O', false, false, 0, {{file, 1}}},
      {'S', true, true, 102, {{file, 1}, {exportMenu, 1}}},
      {'S', true, false, 0, {{file, 1}, {exportMenu, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << char(c.key) << (c.shift ? " with Shift" : "") << (c.allowed ? "" : ", disabled"));
    allowed = c.allowed;
    ClearLog();
    desktop->key_down(VK_CONTROL);
    if (c.shift) desktop->key_down(VK_SHIFT);
    desktop->press_key(c.key);
    if (c.shift) desktop->key_up(VK_SHIFT);
    desktop->key_up(VK_CONTROL);
    Pump();
    const auto cmds = Commands();
    if (c.command) {
      ASSERT_EQ(cmds.size(), 1u);
      EXPECT_EQ(cmds[0].wParam, MAKEWPARAM(c.command, 1));
    } else {
      EXPECT_TRUE(cmds.empty());
    }
    std::vector<std::pair<HMENU, WORD>> popups;
    for (const auto& m : Commands(WM_INITMENUPOPUP)) {
      EXPECT_EQ(HIWORD(m.lParam), 0) << "announced as the window menu";
      popups.emplace_back(HMENU(m.wParam), LOWORD(m.lParam));
    }
    EXPECT_EQ(popups, c.popups);
  }
  SetMenu(owner, nullptr);
  DestroyMenu(bar);
}

TEST_F(Accelerators, BadHandlesAndOtherMessages) {
  MSG m;
  m.hwnd = owner;
  m.message = WM_KEYDOWN;
  m.wParam = VK_F5;
  EXPECT_EQ(TranslateAcceleratorW(owner, table, &m), 1);
  EXPECT_EQ(TranslateAcceleratorW(owner, nullptr, &m), 0);
  EXPECT_EQ(TranslateAcceleratorW(reinterpret_cast<HWND>(0x4321), table, &m), 0);
  EXPECT_EQ(TranslateAcceleratorW(owner, table, nullptr), 0);
  m.message = WM_KEYUP;
  EXPECT_EQ(TranslateAcceleratorW(owner, table, &m), 0);
  EXPECT_EQ(Commands().size(), 1u);
}

}  // namespace
