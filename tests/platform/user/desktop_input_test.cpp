// Input reaches windows through the desktop input calls alike on every desktop; the headless
// half of the shared table, and the keyboard taken again when it comes back to our windows.

#include "support/DesktopInputCases.h"
#include "support/HeadlessFixture.h"
#include "platform/desktop/DesktopInput.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"

namespace kvtest {
namespace {

using namespace win;

class DesktopInputTest : public HeadlessTest {};

TEST_F(DesktopInputTest, EveryCaseOfTheSharedTableArrives) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 150});
  SetActiveWindow(h);
  SetFocus(h);
  for (const DesktopInputCase& c : kDesktopInputCases) {
    ClearLog();
    c.headless(*desktop, POINT{150, 160});
    desktop->run_until_idle();
    bool arrived = false;
    for (const LoggedMessage& m : Log(h))
      arrived |= m.msg == c.message && (m.wParam & c.mask) == (c.wParam & c.mask);
    EXPECT_TRUE(arrived) << c.name;
  }
}

TEST_F(DesktopInputTest, KeyboardResyncKeepsOnlyWhatIsHeld) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 150});
  SetActiveWindow(h);
  SetFocus(h);
  // Alt went down here and came up in another program: Ctrl+Z must be Ctrl+Z again.
  desktop->key_down(VK_MENU);
  desktop->run_until_idle();
  ASSERT_LT(GetKeyState(VK_MENU), 0);
  desktop->resync_keyboard({VK_CONTROL});
  EXPECT_GE(GetKeyState(VK_MENU), 0);
  EXPECT_GE(GetAsyncKeyState(VK_MENU), 0);
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  EXPECT_LT(GetKeyState(VK_LCONTROL), 0);
  ClearLog();
  desktop->press_key('Z');
  desktop->key_up(VK_CONTROL);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_KEYDOWN), 1);
  EXPECT_EQ(Count(h, WM_SYSKEYDOWN), 0);
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

// Modifiers counted as down before a key whose event says which are held: a release lost to a
// window manager's grab (Alt+F4) is taken back, a match changes nothing, AltGr is left alone.
TEST_F(DesktopInputTest, HeldModifiersOfAKeyMendALostRelease) {
  struct Case {
    const char* name;
    std::vector<UINT> down;      // pressed here before
    std::vector<UINT> reported;  // held, as the key's own event says
    UINT keyMessage;             // what Return then arrives as
    bool altAfter;
  };
  const Case cases[] = {
      {"Alt's release went to the window manager", {VK_MENU}, {}, WM_KEYDOWN, false},
      {"Alt still held", {VK_MENU}, {VK_MENU}, WM_SYSKEYDOWN, true},
      {"Alt pressed where we did not see it", {}, {VK_MENU}, WM_SYSKEYDOWN, true},
      {"Ctrl lost, Alt kept", {VK_CONTROL, VK_MENU}, {VK_MENU}, WM_SYSKEYDOWN, true},
      {"AltGr: Ctrl and right Alt the desktop calls neither", {VK_CONTROL, VK_RMENU}, {}, WM_KEYDOWN, true},
  };
  HWND h = Create(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 150});
  for (const Case& c : cases) {
    desktop->resync_keyboard({});
    SetActiveWindow(h);
    SetFocus(h);
    for (UINT vk : c.down) desktop->key_down(vk);
    desktop->run_until_idle();
    ClearLog();
    win::desktop::InjectHeldModifiers(c.reported);
    desktop->press_key(VK_RETURN);
    desktop->run_until_idle();
    EXPECT_EQ(Count(h, c.keyMessage), 1) << c.name;
    EXPECT_EQ(GetKeyState(VK_MENU) < 0, c.altAfter) << c.name;
    EXPECT_EQ(GetAsyncKeyState(VK_MENU) < 0, c.altAfter) << c.name;
  }
}

}  // namespace
}  // namespace kvtest
