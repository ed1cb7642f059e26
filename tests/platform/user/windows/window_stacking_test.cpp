// Stacking of top-level windows: windows kept on top, and the windows they own, stay above a
// window that is raised or activated, whichever way it comes up.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

// As the program's forms stand: a hidden application window owning the main window and a window
// kept on top; a dialog of the main window, and a box owned by the window kept on top (not on
// top by its own style); each visible one apart from the others.
class WindowStacking : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    app = Create(WS_POPUP, {0, 0, 0, 0});
    main = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 600, 400}, app);
    dialog = Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, {20, 20, 100, 80}, main);
    onTop = Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, {300, 100, 200, 150}, app, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    box = Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, {350, 150, 120, 60}, onTop);
    desktop->run_until_idle();
  }

  // Visible top-level windows, topmost first.
  std::vector<HWND> Order() const {
    std::vector<HWND> order;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
      if (IsWindowVisible(h)) order.push_back(h);
    return order;
  }
  // The windows the screen was told are on top of the others, since its events were cleared.
  std::vector<HWND> ScreenTops() const {
    std::vector<HWND> tops;
    for (const auto& e : desktop->events())
      if (e.kind == desktop::HeadlessDesktop::Event::ZOrder) tops.push_back(e.hwnd);
    return tops;
  }

  HWND app = nullptr, main = nullptr, dialog = nullptr, onTop = nullptr, box = nullptr;
};

TEST_F(WindowStacking, KeptOnTopWithItsBoxAboveWhateverRaisesTheMainWindow) {
  const struct {
    const char* how;
    std::function<void()> raise;
  } paths[] = {
      {"raised to the top", [this] {
         SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
       }},
      {"brought to the top", [this] { BringWindowToTop(main); }},
      {"placed after the box", [this] {
         SetWindowPos(main, box, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
       }},
      {"activated (as by the keyboard)", [this] { SetActiveWindow(main); }},
      {"clicked", [this] { desktop->click(POINT{200, 300}); }},
      {"its dialog clicked", [this] { desktop->click(POINT{60, 70}); }},
  };
  for (const auto& path : paths) {
    SetActiveWindow(box);
    desktop->run_until_idle();
    desktop->clear_events();
    path.raise();
    desktop->run_until_idle();
    EXPECT_EQ(Order(), (std::vector<HWND>{box, onTop, dialog, main})) << path.how;
    for (HWND top : ScreenTops()) EXPECT_EQ(top, box) << path.how << ": the screen is told the box stays on top";
  }
}

TEST_F(WindowStacking, OwnedWindowsComeUpAboveTheirOwner) {
  using Stack = std::vector<HWND>;
  HWND other = Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, {320, 120, 200, 150}, app, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  EXPECT_EQ(Order(), (Stack{other, box, onTop, dialog, main}));
  SetActiveWindow(box);
  EXPECT_EQ(Order(), (Stack{box, other, onTop, dialog, main})) << "the box comes above another window kept on top";
  // The window kept on top raised: its box comes along above it.
  SetWindowPos(onTop, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Order(), (Stack{box, onTop, other, dialog, main}));
  HWND later = Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, {40, 40, 100, 80});
  EXPECT_EQ(Order(), (Stack{box, onTop, other, later, dialog, main})) << "a new window opens below those on top";
  // The main window activated: its dialog comes along, both below the windows kept on top.
  SetActiveWindow(main);
  EXPECT_EQ(Order(), (Stack{box, onTop, other, dialog, main, later}));
  // No longer kept on top, the window and its box fall in with the others, and the main window
  // raised comes above them with its dialog.
  SetWindowPos(onTop, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Order(), (Stack{other, box, onTop, dialog, main, later}));
  SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(Order(), (Stack{other, dialog, main, box, onTop, later}));
}

}  // namespace
