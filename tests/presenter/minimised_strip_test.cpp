// Without a window manager nothing iconifies a minimised window: it stays reachable as its
// caption strip at the bottom left of the screen, and restoring puts it back.

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "PresenterFixture.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

using namespace win;

class MinimisedStripTest : public PresenterTest {};

TEST_F(MinimisedStripTest, AMinimisedWindowNobodyIconifiesIsACaptionStripUntilRestored) {
  HWND h = CreateProbe(u"kv minimised strip", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 300, 200, 320, 200,
                       RGB(255, 255, 255));
  QWindow* native = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (native = Presenter().NativeWindowOf(h)) && native->isExposed(); }));
  const QRect normal = native->geometry();
  ShowWindow(h, SW_MINIMIZE);
  RECT mine;
  GetWindowRect(h, &mine);
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect strip(work.left(), work.bottom() + 1 - (mine.bottom - mine.top), mine.right - mine.left,
                    mine.bottom - mine.top);
  EXPECT_TRUE(PumpUntil([&] { return native->isExposed() && native->geometry() == strip; }))
      << native->geometry().x() << "," << native->geometry().y();
  EXPECT_TRUE(IsIconic(h)) << "the strip stays a minimised window of ours";
  GetWindowRect(h, &mine);
  EXPECT_EQ(mine.left, strip.x()) << "ours is where the strip is, so pointer input finds it";
  EXPECT_EQ(mine.top, strip.y());
  ShowWindow(h, SW_RESTORE);
  EXPECT_TRUE(PumpUntil([&] { return native->geometry() == normal; }));
  EXPECT_FALSE(IsIconic(h));
}

// The strip's buttons work as on a caption: the first one restores the window, and closing
// from the strip closes it.
TEST_F(MinimisedStripTest, TheStripsButtonsRestoreAndClose) {
  HWND h = CreateProbe(u"kv strip buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 300, 200, 320, 200,
                       RGB(255, 255, 255));
  QWindow* native = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (native = Presenter().NativeWindowOf(h)) && native->isExposed(); }));
  auto minimiseToStrip = [&] {
    ShowWindow(h, SW_MINIMIZE);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    return PumpUntil([&] {
      RECT r;
      return native->isExposed() && GetWindowRect(h, &r) && r.left == work.left() &&
             r.bottom == work.bottom() + 1;
    });
  };
  // Buttons 16 pixels wide, 2 apart, 2 pixels inside the 4-pixel frame (min, max, close).
  auto click = [&](int fromRight) {
    RECT r;
    GetWindowRect(h, &r);
    Run("xdotool mousemove " + std::to_string(r.right - 4 - 2 - fromRight) + " " +
        std::to_string(r.top + 4 + 2 + 6) + " click 1");
  };
  ASSERT_TRUE(minimiseToStrip());
  click(16 + 2 + 16 + 8);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(h); })) << "the restore button did nothing";
  ASSERT_TRUE(minimiseToStrip());
  click(8);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(h); })) << "the close button did nothing";
}

}  // namespace
}  // namespace kvtest
