// A new headless desktop starts from a clean session whatever the previous one left behind, so
// tests cannot affect one another through the input state.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

std::vector<LPARAM> g_keyMenu;

LRESULT KeyMenuRecorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
    g_keyMenu.push_back(lParam);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeWindow() {
  static bool registered = [] {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = KeyMenuRecorder;
    wc.lpszClassName = u"KvFreshDesktopWindow";
    return RegisterClassExW(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  HWND h = CreateWindowExW(0, u"KvFreshDesktopWindow", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                           nullptr, nullptr, nullptr, nullptr);
  SetFocus(h);
  return h;
}

TEST(FreshDesktop, NothingHeldOrCapturedCarriesOver) {
  g_keyMenu.clear();
  {
    desktop::HeadlessDesktop first(800, 600);
    HWND h = MakeWindow();
    ASSERT_NE(h, nullptr);
    first.run_until_idle();
    // Alt goes down on its own and a button stays pressed; the window holds the capture.
    first.key_down(VK_MENU);
    first.mouse_down(POINT{100, 100});
    first.run_until_idle();
    SetCapture(h);
    ASSERT_LT(GetKeyState(VK_MENU), 0);
    ASSERT_LT(GetKeyState(VK_LBUTTON), 0);
    PostMessageW(h, WM_USER + 5, 0, 0);
  }
  desktop::HeadlessDesktop second(800, 600);
  EXPECT_GE(GetKeyState(VK_MENU), 0);
  EXPECT_GE(GetAsyncKeyState(VK_MENU), 0);
  EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));

  // The Alt left down before does not pair with a release now: only a whole press enters.
  HWND h = MakeWindow();
  ASSERT_NE(h, nullptr);
  second.run_until_idle();
  second.key_up(VK_MENU);
  second.run_until_idle();
  EXPECT_TRUE(g_keyMenu.empty());
  second.key_down(VK_MENU);
  second.key_up(VK_MENU);
  second.run_until_idle();
  EXPECT_EQ(g_keyMenu, std::vector<LPARAM>{0});
}

}  // namespace
