#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Modules.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/SysWindowLink.h"
#include "platform/user/services/sys_link_scope.h"

namespace win {
namespace {

// A primary 1920x1080 monitor and a 1280x1024 one to its right with a task bar on its left.
const std::vector<MonitorArea> kTwoMonitors = {
    {RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}},
    {RECT{1920, 0, 3200, 1024}, RECT{2000, 0, 3200, 1024}},
};

class MonitorTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetMonitorLayout(); }
  void TearDown() override { ResetMonitorLayout(); }

  testing_support::ScopedSysWindowLink linkScope;

  static MONITORINFOEXW Info(HMONITOR h) {
    MONITORINFOEXW mi;
    mi.cbSize = sizeof(mi);
    EXPECT_TRUE(GetMonitorInfoW(h, &mi));
    return mi;
  }
};

TEST_F(MonitorTest, DefaultIsOneFullHdMonitorWithBottomTaskBar) {
  HMONITOR h = MonitorFromPoint(POINT{10, 10}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(h, nullptr);
  MONITORINFOEXW mi = Info(h);
  EXPECT_EQ(mi.rcMonitor, (RECT{0, 0, 1920, 1080}));
  EXPECT_EQ(mi.rcWork, (RECT{0, 0, 1920, 1040}));
  EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);
  EXPECT_EQ(std::u16string(mi.szDevice), u"\\\\.\\DISPLAY1");
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
}

TEST_F(MonitorTest, PointLookupHonoursRightEdgeExclusionAndFallbackFlags) {
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  HMONITOR primary = MonitorFromPoint(POINT{1919, 0}, MONITOR_DEFAULTTONULL);
  HMONITOR second = MonitorFromPoint(POINT{1920, 0}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(primary, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(primary, second);
  EXPECT_EQ(Info(second).rcMonitor, (RECT{1920, 0, 3200, 1024}));
  EXPECT_EQ(Info(second).dwFlags, 0u);
  EXPECT_EQ(std::u16string(Info(second).szDevice), u"\\\\.\\DISPLAY2");

  // Below the second monitor (it is only 1024 high): nothing, the primary, or the nearest.
  POINT below{2500, 1050};
  EXPECT_EQ(MonitorFromPoint(below, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint(below, MONITOR_DEFAULTTOPRIMARY), primary);
  EXPECT_EQ(MonitorFromPoint(below, MONITOR_DEFAULTTONEAREST), second);
  EXPECT_EQ(MonitorFromPoint(POINT{-50, 500}, MONITOR_DEFAULTTONEAREST), primary);
  EXPECT_EQ(MonitorFromPoint(POINT{9000, -9000}, MONITOR_DEFAULTTONEAREST), second);
}

TEST_F(MonitorTest, RectGoesToTheMonitorWithTheLargestOverlap) {
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL);
  HMONITOR second = MonitorFromPoint(POINT{2000, 0}, MONITOR_DEFAULTTONULL);
  RECT mostlyLeft{1800, 100, 1960, 200};   // 120 px left, 40 px right
  RECT mostlyRight{1880, 100, 2040, 200};  // 40 px left, 120 px right
  EXPECT_EQ(MonitorFromRect(&mostlyLeft, MONITOR_DEFAULTTONULL), primary);
  EXPECT_EQ(MonitorFromRect(&mostlyRight, MONITOR_DEFAULTTONULL), second);
  RECT offScreen{4000, 100, 4100, 200};
  EXPECT_EQ(MonitorFromRect(&offScreen, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromRect(&offScreen, MONITOR_DEFAULTTONEAREST), second);
  // An empty rectangle counts as its top-left point.
  RECT empty{2500, 10, 2500, 10};
  EXPECT_EQ(MonitorFromRect(&empty, MONITOR_DEFAULTTONULL), second);
  EXPECT_EQ(MonitorFromRect(nullptr, MONITOR_DEFAULTTONEAREST), nullptr);
}

TEST_F(MonitorTest, WindowLookupUsesTheWindowRectangleAndRejectsDeadWindows) {
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  HWND live = reinterpret_cast<HWND>(0x1234);
  SysWindowLink link;
  link.windowRect = [live](HWND h, RECT* rc) {
    if (h != live) return false;
    *rc = RECT{2100, 50, 2600, 400};
    return true;
  };
  SetSysWindowLink(link);
  HMONITOR h = MonitorFromWindow(live, MONITOR_DEFAULTTONULL);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Info(h).rcMonitor.left, 1920);

  SetLastError(0);
  EXPECT_EQ(MonitorFromWindow(reinterpret_cast<HWND>(0x999), MONITOR_DEFAULTTONEAREST), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  SetSysWindowLink({});
  EXPECT_EQ(MonitorFromWindow(live, MONITOR_DEFAULTTOPRIMARY), nullptr);
}

TEST_F(MonitorTest, HandlesDieWithTheirLayoutButSurviveAnEqualOne) {
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  HMONITOR second = MonitorFromPoint(POINT{2000, 0}, MONITOR_DEFAULTTONULL);
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  EXPECT_TRUE(GetMonitorInfoW(second, &mi));

  ResetMonitorLayout();
  SetLastError(0);
  EXPECT_FALSE(GetMonitorInfoW(second, &mi));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(GetMonitorInfoW(nullptr, &mi));
  EXPECT_FALSE(GetMonitorInfoW(reinterpret_cast<HMONITOR>(uintptr_t(0xDEADBEEF)), &mi));
}

TEST_F(MonitorTest, InfoRecordSizeMustBeOneOfTheTwoKnownSizes) {
  HMONITOR h = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFOEXW ex;
  ex.cbSize = sizeof(MONITORINFO) + 4;
  EXPECT_FALSE(GetMonitorInfoW(h, &ex));
  ex.cbSize = 0;
  EXPECT_FALSE(GetMonitorInfoW(h, &ex));
  EXPECT_FALSE(GetMonitorInfoW(h, nullptr));
  // The plain record (40 bytes, as the toolbar code asks) leaves the device name alone.
  EXPECT_EQ(sizeof(MONITORINFO), 40u);
  ex.cbSize = sizeof(MONITORINFO);
  ex.szDevice[0] = u'x';
  EXPECT_TRUE(GetMonitorInfoW(h, &ex));
  EXPECT_EQ(ex.szDevice[0], u'x');
  // The narrow record has a narrow device name.
  MONITORINFOEXA exa;
  exa.cbSize = sizeof(exa);
  EXPECT_TRUE(GetMonitorInfoA(h, &exa));
  EXPECT_STREQ(exa.szDevice, "\\\\.\\DISPLAY1");
  exa.cbSize = sizeof(MONITORINFOEXW);
  EXPECT_FALSE(GetMonitorInfoA(h, &exa));
}

TEST_F(MonitorTest, LayoutRejectsImpossibleConfigurations) {
  EXPECT_FALSE(SetMonitorLayout({}));
  EXPECT_FALSE(SetMonitorLayout({{RECT{0, 0, 0, 100}, RECT{0, 0, 0, 100}}}));
  EXPECT_FALSE(SetMonitorLayout({{RECT{0, 0, 100, 100}, RECT{0, 0, 101, 100}}}));
  EXPECT_FALSE(SetMonitorLayout({{RECT{0, 0, 100, 100}, RECT{10, 10, 10, 50}}}));
  EXPECT_EQ(MonitorLayout().size(), 1u);
  EXPECT_EQ(MonitorLayout()[0].monitor, (RECT{0, 0, 1920, 1080}));
}

struct Enumerated {
  std::vector<RECT> rects;
  int stopAfter = 100;
};

BOOL Collect(HMONITOR h, HDC dc, RECT* rc, LPARAM data) {
  auto* e = reinterpret_cast<Enumerated*>(data);
  EXPECT_NE(h, nullptr);
  EXPECT_EQ(dc, nullptr);
  e->rects.push_back(*rc);
  return int(e->rects.size()) < e->stopAfter ? TRUE : FALSE;
}

TEST_F(MonitorTest, EnumerationClipsToTheGivenRectangleAndStopsOnRequest) {
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  Enumerated all;
  EXPECT_TRUE(EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&all)));
  ASSERT_EQ(all.rects.size(), 2u);
  EXPECT_EQ(all.rects[1], (RECT{1920, 0, 3200, 1024}));

  Enumerated clipped;
  RECT clip{1900, 10, 1950, 20};
  EXPECT_TRUE(EnumDisplayMonitors(nullptr, &clip, Collect, reinterpret_cast<LPARAM>(&clipped)));
  ASSERT_EQ(clipped.rects.size(), 2u);
  EXPECT_EQ(clipped.rects[0], (RECT{1900, 10, 1920, 20}));
  EXPECT_EQ(clipped.rects[1], (RECT{1920, 10, 1950, 20}));

  Enumerated onlyRight;
  RECT right{3000, 0, 3100, 10};
  EnumDisplayMonitors(nullptr, &right, Collect, reinterpret_cast<LPARAM>(&onlyRight));
  EXPECT_EQ(onlyRight.rects.size(), 1u);

  Enumerated first;
  first.stopAfter = 1;
  EnumDisplayMonitors(nullptr, nullptr, Collect, reinterpret_cast<LPARAM>(&first));
  EXPECT_EQ(first.rects.size(), 1u);

  EXPECT_FALSE(EnumDisplayMonitors(reinterpret_cast<HDC>(1), nullptr, Collect, 0));
  EXPECT_FALSE(EnumDisplayMonitors(nullptr, nullptr, nullptr, 0));
}

TEST_F(MonitorTest, VirtualScreenSpansMonitorsLeftOfAndAbovePrimary) {
  ASSERT_TRUE(SetMonitorLayout({
      {RECT{0, 0, 1600, 900}, RECT{0, 0, 1600, 860}},
      {RECT{-1280, -200, 0, 824}, RECT{-1280, -200, 0, 824}},
  }));
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1280);
  EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), -200);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2880);
  EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1100);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1600);
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1600);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 860 - 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXMAXIMIZED), 1608);
  EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED), 868);
}

TEST_F(MonitorTest, ScreenDeviceContextsReportThePrimaryMonitorSize) {
  ASSERT_TRUE(SetMonitorLayout({{RECT{0, 0, 1600, 900}, RECT{0, 0, 1600, 860}},
                                {RECT{1600, 0, 4160, 1440}, RECT{1600, 0, 4160, 1440}}}));
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1600);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 900);
  ResetMonitorLayout();
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 1920);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 1080);
  DeleteDC(dc);
}

TEST_F(MonitorTest, WorkAreaParameterFollowsThePrimaryMonitorAndCanBeMoved) {
  ASSERT_TRUE(SetMonitorLayout(kTwoMonitors));
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1920, 1040}));

  // Setting a rectangle inside the second monitor changes that monitor's work area only.
  RECT newWork{1920, 30, 3200, 1024};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &newWork, 0));
  HMONITOR second = MonitorFromPoint(POINT{2500, 500}, MONITOR_DEFAULTTONULL);
  MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  ASSERT_TRUE(GetMonitorInfoW(second, &mi));
  EXPECT_EQ(mi.rcWork, newWork);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1920, 1040}));

  RECT straddling{1800, 0, 2000, 100};
  EXPECT_FALSE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &straddling, 0));
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
  // No rectangle: the primary work area becomes the whole primary monitor.
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, nullptr, 0));
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, (RECT{0, 0, 1920, 1080}));
}

}  // namespace
}  // namespace win

namespace win {
namespace {

TEST(MonitorEntryPoints, AreFoundInUser32UntilRemoved) {
  ResetMonitorLayout();
  RegisterMonitorEntryPoints();
  HMODULE user32 = LoadLibraryW(u"user32.dll");
  ASSERT_NE(user32, nullptr);
  using GetInfo = BOOL (*)(HMONITOR, MONITORINFO*);
  using FromRect = HMONITOR (*)(const RECT*, DWORD);
  auto getInfo = reinterpret_cast<GetInfo>(GetProcAddress(user32, "GetMonitorInfoA"));
  auto fromRect = reinterpret_cast<FromRect>(GetProcAddress(user32, "MonitorFromRect"));
  ASSERT_NE(getInfo, nullptr);
  ASSERT_NE(fromRect, nullptr);
  EXPECT_NE(GetProcAddress(user32, "MonitorFromPoint"), nullptr);
  EXPECT_NE(GetProcAddress(user32, "MonitorFromWindow"), nullptr);
  EXPECT_NE(GetProcAddress(user32, "GetMonitorInfoW"), nullptr);
  EXPECT_NE(GetProcAddress(user32, "EnumDisplayMonitors"), nullptr);
  // Called through the table exactly as a direct call.
  RECT r{10, 10, 20, 20};
  MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  ASSERT_TRUE(getInfo(fromRect(&r, MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcWork, (RECT{0, 0, 1920, 1040}));

  modules::RemoveForTesting(u"user32.dll", "GetMonitorInfoA");
  EXPECT_EQ(GetProcAddress(user32, "GetMonitorInfoA"), nullptr);
  EXPECT_NE(GetProcAddress(user32, "MonitorFromRect"), nullptr);
  modules::RestoreAll();
  EXPECT_NE(GetProcAddress(user32, "GetMonitorInfoA"), nullptr);
  FreeLibrary(user32);
}

}  // namespace
}  // namespace win
