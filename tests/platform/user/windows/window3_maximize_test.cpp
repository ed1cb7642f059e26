// Maximising asks the window with WM_GETMINMAXINFO: by default the work area of its monitor with
// the sizing frame outside it (a child: its parent's client area), otherwise what it answers.

#include <gtest/gtest.h>

#include <optional>

#include "support/HeadlessFixture.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

using namespace win;

namespace {

class Maximize : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    // The primary monitor keeps a task bar along its bottom, the second one along its left.
    ASSERT_TRUE(SetMonitorLayout({{RECT{0, 0, 800, 600}, RECT{0, 0, 800, 560}},
                                  {RECT{800, 0, 1440, 480}, RECT{860, 0, 1440, 480}}}));
  }

  static RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }
  // Thickness of the frame on the left and at the bottom (sizing frames are even all round).
  static POINT FrameOf(HWND h) {
    RECT w = WindowRect(h), c{};
    GetClientRect(h, &c);
    POINT bottomRight{c.right, c.bottom};
    ClientToScreen(h, &bottomRight);
    return POINT{w.right - bottomRight.x, w.bottom - bottomRight.y};
  }
};

TEST_F(Maximize, TheWorkAreaOfItsMonitorWithTheFrameOutside) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  POINT frame = FrameOf(h);
  ASSERT_GT(frame.x, 0);
  ShowWindow(h, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(h));
  EXPECT_EQ(WindowRect(h), (RECT{-frame.x, -frame.y, 800 + frame.x, 560 + frame.y}));
  ASSERT_GE(Count(h, WM_GETMINMAXINFO), 1);

  // Restored, moved to the second monitor and maximised again: that monitor's work area.
  ShowWindow(h, SW_RESTORE);
  EXPECT_EQ(WindowRect(h), (RECT{100, 100, 400, 300}));
  MoveWindow(h, 1000, 100, 300, 200, TRUE);
  ShowWindow(h, SW_SHOWMAXIMIZED);
  EXPECT_EQ(WindowRect(h), (RECT{860 - frame.x, -frame.y, 1440 + frame.x, 480 + frame.y}));
}

TEST_F(Maximize, TheWindowsAnswerDecidesPlaceAndSize) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200}, nullptr, 0,
                  [](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                    if (msg != WM_GETMINMAXINFO) return std::nullopt;
                    auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
                    mmi->ptMaxPosition = POINT{30, 40};
                    mmi->ptMaxSize = POINT{500, 350};
                    return 0;
                  });
  ShowWindow(h, SW_MAXIMIZE);
  EXPECT_EQ(WindowRect(h), (RECT{30, 40, 530, 390}));
}

TEST_F(Maximize, TheMaximumTrackingSizeLimitsTheMaximisedSize) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200}, nullptr, 0,
                  [](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                    if (msg != WM_GETMINMAXINFO) return std::nullopt;
                    auto* mmi = reinterpret_cast<MINMAXINFO*>(lParam);
                    mmi->ptMaxTrackSize = POINT{420, 330};
                    return 0;
                  });
  POINT frame = FrameOf(h);
  ShowWindow(h, SW_MAXIMIZE);
  EXPECT_EQ(WindowRect(h), (RECT{-frame.x, -frame.y, -frame.x + 420, -frame.y + 330}));
}

TEST_F(Maximize, AChildFillsItsParentsClientArea) {
  HWND parent = Create(WS_POPUP | WS_VISIBLE, {50, 60, 400, 300});
  HWND child = Create(WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE, {10, 10, 100, 80}, parent);
  POINT frame = FrameOf(child);
  ShowWindow(child, SW_MAXIMIZE);
  EXPECT_EQ(WindowRect(child), (RECT{50 - frame.x, 60 - frame.y, 450 + frame.x, 360 + frame.y}));
}

}  // namespace
