// Caption buttons: pressed while the mouse stays on them, acting on release, disabled ones inert.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

// A 300x200 overlapped window at (100, 100): close {378..394, 106..120}, maximise {360..376},
// minimise {344..360} on the screen.
constexpr POINT kClose{385, 112}, kMax{367, 112}, kMin{350, 112};
constexpr POINT kCloseBottomRight{393 - 100, 119 - 100};  // in window coordinates

class CaptionButtons : public HeadlessTest {
 protected:
  HWND MakeWindow() { return Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200}); }
  std::vector<WPARAM> SysCommands(HWND h) {
    std::vector<WPARAM> out;
    for (auto& m : Log(h))
      if (m.msg == WM_SYSCOMMAND) out.push_back(m.wParam);
    return out;
  }
};

}  // namespace

TEST_F(CaptionButtons, CloseActsOnReleaseOverTheButton) {
  HWND h = MakeWindow();
  desktop->run_until_idle();
  COLORREF raised = desktop->surface_pixel(h, kCloseBottomRight.x, kCloseBottomRight.y);
  EXPECT_EQ(raised, GetSysColor(COLOR_3DDKSHADOW));
  desktop->mouse_down(kClose);
  desktop->script([&] {
    // Held down: the button is drawn pushed (its bottom-right corner turns light).
    EXPECT_EQ(desktop->surface_pixel(h, kCloseBottomRight.x, kCloseBottomRight.y), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_TRUE(IsWindow(h));
    desktop->mouse_up(kClose);
  });
  desktop->run_until_idle();
  EXPECT_FALSE(IsWindow(h));  // SC_CLOSE, WM_CLOSE, DestroyWindow
}

TEST_F(CaptionButtons, LeavingTheButtonReleasesItsLookAndCancels) {
  HWND h = MakeWindow();
  desktop->mouse_down(kClose);
  desktop->script([&] { desktop->mouse_move({250, 150}); });
  desktop->script([&] {
    EXPECT_EQ(desktop->surface_pixel(h, kCloseBottomRight.x, kCloseBottomRight.y), GetSysColor(COLOR_3DDKSHADOW));
    desktop->mouse_move(kClose);
  });
  desktop->script([&] {
    EXPECT_EQ(desktop->surface_pixel(h, kCloseBottomRight.x, kCloseBottomRight.y), GetSysColor(COLOR_BTNHIGHLIGHT));
    desktop->mouse_move({250, 150});
    desktop->mouse_up({250, 150});
  });
  desktop->run_until_idle();
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(SysCommands(h).empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(desktop->surface_pixel(h, kCloseBottomRight.x, kCloseBottomRight.y), GetSysColor(COLOR_3DDKSHADOW));
}

TEST_F(CaptionButtons, MinimiseMaximiseAndRestore) {
  HWND h = MakeWindow();
  desktop->click(kMax);
  desktop->run_until_idle();
  EXPECT_TRUE(IsZoomed(h));
  EXPECT_EQ(SysCommands(h), (std::vector<WPARAM>{SC_MAXIMIZE}));
  // Maximised, the same button restores; it now sits at the screen's right end.
  ClearLog();
  RECT r;
  GetWindowRect(h, &r);
  desktop->advance(1000);
  desktop->click({r.right - 4 - 2 - 16 - 2 - 8, r.top + 10});
  desktop->run_until_idle();
  EXPECT_FALSE(IsZoomed(h));
  EXPECT_EQ(SysCommands(h), (std::vector<WPARAM>{SC_RESTORE}));
  desktop->advance(1000);
  desktop->click(kMin);
  desktop->run_until_idle();
  EXPECT_TRUE(IsIconic(h));
}

TEST_F(CaptionButtons, DisabledButtonsDoNothing) {
  // Without a maximise box the (present) maximise button is inactive.
  HWND h = Create(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, {100, 100, 300, 200});
  desktop->click(kMax);
  desktop->run_until_idle();
  EXPECT_FALSE(IsZoomed(h));
  EXPECT_TRUE(SysCommands(h).empty());

  // A program greying SC_CLOSE in the system menu disables the close button and Alt+F4.
  EnableMenuItem(GetSystemMenu(h, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  desktop->advance(1000);
  desktop->click(kClose);
  desktop->run_until_idle();
  EXPECT_TRUE(IsWindow(h));
  SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(h));
  EXPECT_EQ(Count(h, WM_CLOSE), 0);
  // Reverting the menu brings the button back.
  GetSystemMenu(h, TRUE);
  SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(CaptionButtons, AltF4ClosesThroughTheSystemCommand) {
  HWND h = MakeWindow();
  desktop->run_until_idle();
  ASSERT_EQ(GetFocus(), h);
  desktop->key_down(VK_MENU);
  desktop->press_key(VK_F4);
  desktop->key_up(VK_MENU);
  desktop->run_until_idle();
  EXPECT_FALSE(IsWindow(h));
}
