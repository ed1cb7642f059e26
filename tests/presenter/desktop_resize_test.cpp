// Top-level windows of ours follow the geometry the desktop gives their native windows (a window
// manager's drag, tiling, `xdotool windowsize`), and our own moves are not taken for the desktop's.

#include "PresenterFixture.h"
#include "platform/user/windows/Window.h"

namespace kvtest {
namespace {

using namespace win;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class DesktopResizeTest : public PresenterTest {};

TEST_F(DesktopResizeTest, ExternalResizeAndMoveReachOurWindow) {
  HWND h = CreateProbe(u"kv resize probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 100, 100, 300, 200, RGB(0, 120, 0));
  ASSERT_TRUE(h);
  unsigned long xid = 0;
  ASSERT_TRUE(PumpUntil([&] { return (xid = FindXWindow("kv resize probe")) != 0; }));
  const struct {
    const char* command;
    RECT expected;
  } steps[] = {
      {"windowsize", RECT{100, 100, 520, 350}},  // wider and taller
      {"windowsize", RECT{100, 100, 260, 180}},  // narrower
      {"windowmove", RECT{200, 150, 360, 230}},
  };
  for (const auto& step : steps) {
    const RECT& e = step.expected;
    std::string args = std::string(step.command) == "windowsize"
                           ? std::to_string(e.right - e.left) + " " + std::to_string(e.bottom - e.top)
                           : std::to_string(e.left) + " " + std::to_string(e.top);
    ASSERT_EQ(Run("xdotool " + std::string(step.command) + " " + std::to_string(xid) + " " + args).status, 0);
    RECT ours{};
    EXPECT_TRUE(PumpUntil([&] { return GetWindowRect(h, &ours) && SameRect(ours, e); }))
        << step.command << " " << args << ": ours is " << ours.left << "," << ours.top << " " << ours.right << ","
        << ours.bottom;
    // The client area follows, and the native window is not put back where it was.
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_LT(client.right, e.right - e.left);
    EXPECT_GT(client.right, (e.right - e.left) - 20);
    EXPECT_TRUE(PumpUntil([&] { return SameRect(XGeometry(xid), e); }));
  }
}

TEST_F(DesktopResizeTest, QuickMovesOfOursAreNotTakenForTheDesktops) {
  HWND h = CreateProbe(u"kv quick probe", WS_POPUP | WS_VISIBLE, 0, 50, 50, 100, 100, RGB(0, 0, 120));
  ASSERT_TRUE(h);
  unsigned long xid = 0;
  ASSERT_TRUE(PumpUntil([&] { return (xid = FindXWindow("kv quick probe")) != 0; }));
  // Several sizes asked one after another before the X server confirms any of them.
  for (int i = 1; i <= 5; ++i) {
    SetWindowPos(h, nullptr, 50 + i * 10, 50, 100 + i * 20, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpUntil([] { return false; }, 0);
  }
  const RECT last{100, 50, 300, 150};
  EXPECT_TRUE(PumpUntil([&] { return SameRect(XGeometry(xid), last); }));
  PumpUntil([] { return false; }, 300);
  RECT ours{};
  GetWindowRect(h, &ours);
  EXPECT_TRUE(SameRect(ours, last)) << ours.left << "," << ours.top << " " << ours.right << "," << ours.bottom;
}

}  // namespace
}  // namespace kvtest
