// A change of the monitors' layout is announced to every top-level window, hidden ones included.

#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/MonitorLayout.h"
#include "support/HeadlessFixture.h"

using namespace win;

namespace {

const std::vector<MonitorArea> kTwoMonitors = {
    {RECT{0, 0, 1600, 900}, RECT{0, 0, 1600, 860}},
    {RECT{1600, 0, 2880, 1024}, RECT{1600, 0, 2880, 1024}},
};

class DisplayChange : public kvtest::HeadlessTest {
 protected:
  void TearDown() override {
    ResetMonitorLayout();
    HeadlessTest::TearDown();
  }
};

TEST_F(DisplayChange, EveryTopLevelWindowHearsANewLayoutOnce) {
  HWND hidden = Create(WS_OVERLAPPEDWINDOW, {10, 10, 200, 100});
  HWND shown = Create(WS_POPUP | WS_VISIBLE, {300, 10, 50, 50});
  HWND child = Create(WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, shown);
  ClearLog();
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  for (HWND h : {hidden, shown}) {
    ASSERT_EQ(Count(h, WM_DISPLAYCHANGE), 1) << h;
    for (const kvtest::LoggedMessage& m : Log(h))
      if (m.msg == WM_DISPLAYCHANGE) {
        EXPECT_EQ(m.wParam, WPARAM(kScreenBitsPerPixel));
        EXPECT_EQ(LOWORD(m.lParam), 1600);
        EXPECT_EQ(HIWORD(m.lParam), 900);
      }
  }
  EXPECT_EQ(Count(child, WM_DISPLAYCHANGE), 0);

  // The same layout again, or only a new work area, changes no display.
  ClearLog();
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  std::vector<MonitorArea> lowerTaskBar = kTwoMonitors;
  lowerTaskBar[0].work.bottom = 880;
  ASSERT_TRUE(SetMonitorLayout(lowerTaskBar));
  EXPECT_EQ(Count(hidden, WM_DISPLAYCHANGE), 0);
  // A refused layout neither.
  EXPECT_FALSE(SetMonitorLayout({}));
  EXPECT_EQ(Count(hidden, WM_DISPLAYCHANGE), 0);
  // Monitors going away do.
  ASSERT_TRUE(SetMonitorLayout({kTwoMonitors[0]}));
  EXPECT_EQ(Count(hidden, WM_DISPLAYCHANGE), 1);
}

TEST_F(DisplayChange, TheReportedDepthIsTheScreens) {
  HDC dc = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), kScreenBitsPerPixel);
  ReleaseDC(nullptr, dc);
}

}  // namespace
