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

}  // namespace
}  // namespace kvtest
