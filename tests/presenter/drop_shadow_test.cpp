// Drop shadows on the real desktop: none (and reported off) without a compositing manager; with
// one, a translucent native window below the popup darkens what lies right of and below it.

#include <QImage>
#include <QWindow>

#include <string>

#include "PresenterFixture.h"
#include "platform/desktop/DropShadow.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

using namespace win;

LRESULT BlackProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

class DropShadowTest : public PresenterTest {
 protected:
  void SetUp() override {
    PresenterTest::SetUp();
    static const bool registered = [] {
      WNDCLASSW wc;
      wc.style = CS_DROPSHADOW;
      wc.lpfnWndProc = BlackProc;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
      wc.lpszClassName = u"KvShadowProbe";
      return RegisterClassW(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
  }
  void TearDown() override {
    if (popup_) DestroyWindow(popup_);
    if (!compositor_.empty()) Run("kill " + compositor_);
    PresenterTest::TearDown();
  }
  HWND ShowPopup() {
    popup_ = CreateWindowExW(WS_EX_TOPMOST, u"KvShadowProbe", u"kv shadow popup", WS_POPUP | WS_VISIBLE, 250, 260,
                             120, 90, nullptr, nullptr, nullptr, nullptr);
    return popup_;
  }
  BOOL ShadowsReported() {
    BOOL on = FALSE;
    SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &on, 0);
    return on;
  }
  int Grey(int x, int y) { return qRed(GrabScreen(x, y, 1, 1).pixel(0, 0)); }

  HWND popup_ = nullptr;
  std::string compositor_;
};

TEST_F(DropShadowTest, WithoutACompositorShadowsAreReportedOffAndNoneIsShown) {
  ASSERT_FALSE(Presenter().CanBlend()) << "a compositing manager runs on the test's X server";
  EXPECT_FALSE(ShadowsReported());
  HWND h = ShowPopup();
  ASSERT_TRUE(PumpUntil([&] { return Presenter().NativeWindowOf(h) && Presenter().NativeWindowOf(h)->isVisible(); }));
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(Presenter().ShadowWindowOf(h), nullptr);
}

TEST_F(DropShadowTest, WithACompositorTheShadowLiesRightAndBelow) {
  HWND under = CreateProbe(u"kv shadow ground", WS_POPUP | WS_VISIBLE, 0, 200, 200, 300, 250, RGB(255, 255, 255));
  ASSERT_TRUE(under);
  CommandResult started = Run("xcompmgr >/dev/null 2>&1 & echo $!");
  ASSERT_EQ(started.status, 0) << started.output;
  compositor_ = started.output.substr(0, started.output.find('\n'));
  ASSERT_TRUE(PumpUntil([&] { return Presenter().CanBlend(); }, 5000)) << "xcompmgr did not start";
  EXPECT_TRUE(ShadowsReported());
  HWND h = ShowPopup();
  ASSERT_TRUE(PumpUntil([&] { return Presenter().ShadowWindowOf(h) != nullptr; }));
  QWindow* shadow = Presenter().ShadowWindowOf(h);
  EXPECT_EQ(shadow->geometry(), QRect(250, 260, 120 + desktop::kDropShadowSize, 90 + desktop::kDropShadowSize));
  EXPECT_TRUE(shadow->flags() & Qt::WindowTransparentForInput);
  // Right of the popup (x 370) the white ground turns grey; further right it stays white.
  const int edge = 255 - desktop::kDropShadowAlpha * desktop::kDropShadowSize / (desktop::kDropShadowSize + 1);
  EXPECT_TRUE(PumpUntil([&] { return std::abs(Grey(370, 300) - edge) <= 2; })) << Grey(370, 300);
  EXPECT_TRUE(PumpUntil([&] { return std::abs(Grey(310, 350) - edge) <= 2; })) << Grey(310, 350);
  EXPECT_EQ(Grey(370 + desktop::kDropShadowSize, 300), 255);
  EXPECT_EQ(Grey(249, 300), 255);
  // Hidden with its window.
  ShowWindow(h, SW_HIDE);
  EXPECT_TRUE(PumpUntil([&] { return Presenter().ShadowWindowOf(h) == nullptr; }));
}

}  // namespace
}  // namespace kvtest
