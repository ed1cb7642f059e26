// GetDC(NULL) on the real desktop: text is measured on it, and what is drawn on it shows over
// every window until it is drawn away again (inverted twice, as drag frames are).

#include <QColor>
#include <QImage>

#include "PresenterFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

using namespace win;

class ScreenDCTest : public PresenterTest {};

TEST_F(ScreenDCTest, MeasuresTextAndShowsWhatIsDrawnOverTheWindows) {
  HWND h = CreateProbe(u"kv screen dc", WS_POPUP | WS_VISIBLE, 0, 300, 200, 200, 120, RGB(255, 255, 255));
  ASSERT_TRUE(PumpUntil([&] { return GrabScreen(350, 250, 1, 1).pixelColor(0, 0) == QColor(Qt::white); }));
  HDC dc = GetDC(nullptr);
  ASSERT_TRUE(dc);
  SIZE extent{};
  ASSERT_TRUE(GetTextExtentPoint32W(dc, u"Имеются графики", 15, &extent));
  EXPECT_GT(extent.cx, 40);
  EXPECT_GT(extent.cy, 5);
  // Inverting an area of the window shows black there, over the window.
  PatBlt(dc, 340, 240, 40, 30, DSTINVERT);
  ReleaseDC(nullptr, dc);
  EXPECT_TRUE(PumpUntil([&] { return GrabScreen(350, 250, 1, 1).pixelColor(0, 0) == QColor(Qt::black); }));
  EXPECT_EQ(GrabScreen(390, 250, 1, 1).pixelColor(0, 0), QColor(Qt::white)) << "only the drawn area changes";
  // Inverting it again draws it away.
  dc = GetDC(nullptr);
  PatBlt(dc, 340, 240, 40, 30, DSTINVERT);
  ReleaseDC(nullptr, dc);
  EXPECT_TRUE(PumpUntil([&] { return GrabScreen(350, 250, 1, 1).pixelColor(0, 0) == QColor(Qt::white); }));
  EXPECT_TRUE(IsWindowVisible(h));
}

}  // namespace
}  // namespace kvtest
