// Our message loop waiting in the desktop's event loop: woken by other threads, by timers, and
// the desktop's screens, cursors and window kinds as the window system sees them.

#include <QCursor>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <sstream>
#include <thread>

#include "PresenterFixture.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

using namespace win;
using Clock = std::chrono::steady_clock;

constexpr UINT kFromThread = WM_USER + 1, kWatchdog = WM_USER + 2;

class LoopTest : public PresenterTest {
 protected:
  // GetMessage until `wanted` arrives; a watchdog message after 3 s stops a loop that was never
  // woken. Returns the time it took.
  std::chrono::milliseconds GetUntil(HWND h, UINT wanted) {
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [h] { PostMessageW(h, kWatchdog, 0, 0); });
    watchdog.start(3000);
    auto start = Clock::now();
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
      DispatchMessageW(&m);
      if (m.message == wanted || m.message == kWatchdog) break;
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  }
};

TEST_F(LoopTest, PostFromAnotherThreadWakesTheWaitingLoop) {
  HWND h = CreateProbe(u"kv wake", WS_POPUP, 0, 0, 0, 10, 10, RGB(0, 0, 0));
  ASSERT_TRUE(h);
  PumpUntil([] { return false; }, 0);
  std::thread poster([h] {
    // Long enough for the loop to be waiting in the desktop's event loop.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostMessageW(h, kFromThread, 7, 0);
  });
  auto took = GetUntil(h, kFromThread);
  poster.join();
  ASSERT_FALSE(Messages(h, kFromThread).empty());
  EXPECT_EQ(Messages(h, kFromThread)[0].wParam, 7u);
  EXPECT_TRUE(Messages(h, kWatchdog).empty()) << "the post did not wake the loop";
  EXPECT_LT(took.count(), 2000);
}

TEST_F(LoopTest, WaitingEndsAtTheNextTimer) {
  HWND h = CreateProbe(u"kv timer", WS_POPUP, 0, 0, 0, 10, 10, RGB(0, 0, 0));
  ASSERT_TRUE(h);
  PumpUntil([] { return false; }, 0);
  ASSERT_TRUE(SetTimer(h, 1, 30, nullptr));
  auto took = GetUntil(h, WM_TIMER);
  KillTimer(h, 1);
  EXPECT_FALSE(Messages(h, WM_TIMER).empty());
  EXPECT_TRUE(Messages(h, kWatchdog).empty()) << "the loop slept past its timer";
  EXPECT_GE(took.count(), 25);
  EXPECT_LT(took.count(), 2000);
}

TEST_F(LoopTest, ScreensAreOurMonitors) {
  CommandResult r = Run("xdotool getdisplaygeometry");
  ASSERT_EQ(r.status, 0);
  int width = 0, height = 0;
  std::istringstream(r.output) >> width >> height;
  ASSERT_GT(width, 0);
  MONITORINFO info;
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(POINT{5, 5}, MONITOR_DEFAULTTONULL), &info));
  EXPECT_EQ(info.rcMonitor, (RECT{0, 0, width, height}));
  // Without a window manager nothing is reserved: the work area is the whole screen.
  EXPECT_EQ(info.rcWork, (RECT{0, 0, width, height}));
  EXPECT_TRUE(info.dwFlags & MONITORINFOF_PRIMARY);
  EXPECT_EQ(MonitorFromPoint(POINT{width + 5, 5}, MONITOR_DEFAULTTONULL), nullptr);
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(desktop, (RECT{0, 0, width, height}));
}

TEST_F(LoopTest, OurCursorIsTheNativeWindowsCursor) {
  HWND h = CreateProbe(u"kv cursor", WS_POPUP | WS_VISIBLE, 0, 20, 20, 50, 50, RGB(0, 0, 0));
  ASSERT_TRUE(h);
  PumpUntil([] { return false; }, 0);
  QWindow* native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
  EXPECT_EQ(native->cursor().shape(), Qt::IBeamCursor);
  SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
  EXPECT_EQ(native->cursor().shape(), Qt::SizeHorCursor);
  ShowCursor(FALSE);
  EXPECT_EQ(native->cursor().shape(), Qt::BlankCursor);
  ShowCursor(TRUE);
  EXPECT_EQ(native->cursor().shape(), Qt::SizeHorCursor);

  // One of the program's own cursors, with its hot spot.
  CursorImage image;
  image.hotSpot = POINT{3, 4};
  image.width = image.height = 16;
  image.argb.assign(256, 0xFF000000u);
  RegisterCursorResource(901, image);
  SetCursor(LoadCursorW(reinterpret_cast<HINSTANCE>(1), CursorResourceName(901)));
  EXPECT_EQ(native->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(native->cursor().hotSpot(), QPoint(3, 4));
  SetCursor(before);
}

}  // namespace
}  // namespace kvtest
