// Drop shadows of CS_DROPSHADOW windows on the headless compositor, and SPI_GETDROPSHADOW telling
// whether the desktop draws them.

#include <gtest/gtest.h>

#include "platform/desktop/DropShadow.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"

using namespace win;
using desktop::DropShadowAlpha;
using desktop::kDropShadowAlpha;
using desktop::kDropShadowSize;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

LRESULT PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

class DropShadow : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    static const bool registered = [] {
      WNDCLASSW wc;
      wc.style = CS_DROPSHADOW;
      wc.lpfnWndProc = PlainProc;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
      wc.lpszClassName = u"KvShadowedPopup";
      return RegisterClassW(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    // A white window under where the popup goes, so the shadow shows as grey.
    below = Create(WS_POPUP | WS_VISIBLE, {0, 0, 300, 300});
    desktop->run_until_idle();
  }
  void TearDown() override {
    SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(1), 0);
    desktop->set_can_blend(true);
    HeadlessTest::TearDown();
  }
  HWND Popup(const char16_t* cls) {
    HWND h = CreateWindowExW(WS_EX_TOPMOST, cls, u"", WS_POPUP | WS_VISIBLE, 50, 60, 100, 80, nullptr, nullptr,
                             nullptr, nullptr);
    desktop->run_until_idle();
    return h;
  }
  // Grey level of the screen at (x, y): 255 is untouched white.
  int Level(int x, int y) { return GetRValue(desktop->screen_pixel(x, y)); }
  BOOL ShadowsReported() {
    BOOL on = TRUE;
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &on, 0));
    return on;
  }
  HWND below = nullptr;
};

TEST_F(DropShadow, APopupWithTheClassStyleCastsAShadowRightAndBelow) {
  ASSERT_TRUE(desktop->screen_pixel(200, 200) == kWhite);
  HWND popup = Popup(u"KvShadowedPopup");
  ASSERT_TRUE(popup);
  EXPECT_TRUE(ShadowsReported());
  // The window itself (50..150 × 60..140) is black; right and below it the white turns grey.
  EXPECT_EQ(Level(100, 100), 0);
  EXPECT_EQ(Level(150, 100), 255 - kDropShadowAlpha * kDropShadowSize / (kDropShadowSize + 1));
  EXPECT_EQ(Level(100, 140), 255 - kDropShadowAlpha * kDropShadowSize / (kDropShadowSize + 1));
  EXPECT_LT(Level(150, 100), Level(152, 100));  // fading outwards
  EXPECT_LT(Level(152, 100), 255);
  EXPECT_EQ(Level(150 + kDropShadowSize, 100), 255);  // beyond the band
  EXPECT_EQ(Level(49, 100), 255);                     // nothing left of it
  EXPECT_EQ(Level(100, 59), 255);                     // nor above
  EXPECT_EQ(Level(150, 60), 255);                     // the band starts in from the top corner
  // It follows the window and goes with it.
  SetWindowPos(popup, nullptr, 20, 20, 100, 80, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Level(150, 100), 255);
  EXPECT_LT(Level(120, 70), 255);
  ShowWindow(popup, SW_HIDE);
  EXPECT_EQ(Level(120, 70), 255);
  DestroyWindow(popup);
}

TEST_F(DropShadow, NoShadowWithoutTheStyleOrWithShadowsOff) {
  HWND plain = Popup(u"KvTestWindow");
  EXPECT_EQ(Level(150, 100), 255);
  DestroyWindow(plain);
  SystemParametersInfoW(SPI_SETDROPSHADOW, 0, nullptr, 0);
  EXPECT_FALSE(ShadowsReported());
  HWND popup = Popup(u"KvShadowedPopup");
  EXPECT_EQ(Level(150, 100), 255);
  DestroyWindow(popup);
}

TEST_F(DropShadow, ADesktopThatCannotBlendReportsShadowsOffAndDrawsNone) {
  desktop->set_can_blend(false);
  EXPECT_FALSE(ShadowsReported());
  HWND popup = Popup(u"KvShadowedPopup");
  EXPECT_EQ(Level(150, 100), 255);
  desktop->set_can_blend(true);
  EXPECT_TRUE(ShadowsReported());
  EXPECT_LT(Level(150, 100), 255);
  DestroyWindow(popup);
}

TEST(DropShadowShape, TheBandFadesOutwardsAndInFromTheCorners) {
  const int n = kDropShadowSize;
  const struct {
    int x, y;
    int alpha;
  } table[] = {
      {50, 50, 0},                                        // inside
      {100 + n, 50, 0}, {50, 60 + n, 0}, {-1, 70, 0},     // outside
      {100, 50, kDropShadowAlpha * n * n / ((n + 1) * n)},  // right edge, well along
      {100, n - 1, kDropShadowAlpha * n * 0 / ((n + 1) * n)},  // right band before its start
      {100, n, kDropShadowAlpha * n * 1 / ((n + 1) * n)},      // and where it starts
      {50, 60, kDropShadowAlpha * n * n / ((n + 1) * n)},   // bottom edge
      {100, 60, kDropShadowAlpha * n * n / ((n + 1) * (n + 1))},  // the outer corner
  };
  for (const auto& row : table)
    EXPECT_EQ(DropShadowAlpha(100, 60, row.x, row.y), row.alpha) << row.x << "," << row.y;
  std::vector<uint32_t> picture = desktop::DropShadowPicture(100, 60);
  ASSERT_EQ(picture.size(), size_t(100 + n) * size_t(60 + n));
  EXPECT_EQ(picture[size_t(50) * (100 + n) + 100] >> 24, uint32_t(DropShadowAlpha(100, 60, 100, 50)));
  EXPECT_EQ(picture[size_t(50) * (100 + n) + 100] & 0xFFFFFF, 0u);
}

}  // namespace
