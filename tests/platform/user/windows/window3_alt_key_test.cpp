// Releasing Alt asks for the menu (SC_KEYMENU with no character) only when Alt was pressed on its
// own: a key pressed while it was held, handled or not, makes it part of a combination.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

class AltKeyRelease : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    // The window keeps every SC_KEYMENU to itself, so that no menu loop runs.
    top = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200}, nullptr, 0,
                 [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
                   if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
                     keyMenu.push_back(lParam);
                     return 0;
                   }
                   if (swallowSysKeys && (msg == WM_SYSKEYDOWN || msg == WM_SYSCHAR) && wParam != VK_MENU)
                     return 0;
                   return std::nullopt;
                 });
    SetFocus(top);
    desktop->run_until_idle();
  }
  void Alt(std::initializer_list<UINT> keysWhileHeld) {
    desktop->key_down(VK_MENU);
    for (UINT vk : keysWhileHeld) desktop->press_key(vk);
    desktop->key_up(VK_MENU);
    desktop->run_until_idle();
  }

  HWND top = nullptr;
  bool swallowSysKeys = false;
  std::vector<LPARAM> keyMenu;
};

TEST_F(AltKeyRelease, AltOnItsOwnEntersTheMenu) {
  Alt({});
  EXPECT_EQ(keyMenu, std::vector<LPARAM>{0});
  // Held long enough to repeat, it is still alone.
  desktop->key_down(VK_MENU);
  desktop->key_down(VK_MENU);
  desktop->key_up(VK_MENU);
  desktop->run_until_idle();
  EXPECT_EQ(keyMenu, (std::vector<LPARAM>{0, 0}));
}

TEST_F(AltKeyRelease, AnotherKeyWhileAltIsDownMakesACombination) {
  Alt({VK_F5});
  Alt({VK_SHIFT});
  EXPECT_TRUE(keyMenu.empty());
  // The next Alt on its own works again.
  Alt({});
  EXPECT_EQ(keyMenu, std::vector<LPARAM>{0});
}

TEST_F(AltKeyRelease, AltLetterAsksForItsMenuButTheReleaseAsksForNothing) {
  Alt({'F'});
  EXPECT_EQ(keyMenu, std::vector<LPARAM>{'f'});
}

TEST_F(AltKeyRelease, AKeyTheWindowHandledItselfStillCounts) {
  swallowSysKeys = true;  // the default handling never sees the letter
  Alt({'K'});
  EXPECT_TRUE(keyMenu.empty());
  EXPECT_EQ(Count(top, WM_SYSKEYDOWN), 2);  // Alt and K
  EXPECT_EQ(Count(top, WM_SYSKEYUP), 2);
}

TEST_F(AltKeyRelease, AnAltPressTheWindowKeptFromTheDefaultHandlingDoesNotEnter) {
  SetHandler(top, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
      keyMenu.push_back(lParam);
      return 0;
    }
    if (msg == WM_SYSKEYDOWN && wParam == VK_MENU) return 0;
    return std::nullopt;
  });
  Alt({});
  EXPECT_TRUE(keyMenu.empty());
}

TEST_F(AltKeyRelease, F10EntersTheMenuWhateverCameBefore) {
  Alt({VK_F5});
  desktop->press_key(VK_F10);
  desktop->run_until_idle();
  EXPECT_EQ(keyMenu, std::vector<LPARAM>{0});
}

}  // namespace
