#include "toolbars/TBCommon.h"

#include <gtest/gtest.h>

#include "framework/Contnrs.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Modules.h"
#include "platform/kernel/Registry.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/Sound.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"
#include "toolbars/detail/TBCommonInternal.h"

namespace toolbars {
namespace {

TEST(TBCommonText, DivRoundUpMovesAwayFromZero) {
  struct Case { Integer x, y, expected; };
  for (auto c : {Case{7, 2, 4}, Case{-7, 2, -4}, Case{6, 2, 3}, Case{7, -2, -4}, Case{0, 5, 0}, Case{1, 4, 1}})
    EXPECT_EQ(DivRoundUp(c.x, c.y), c.expected) << c.x << "/" << c.y;
}

TEST(TBCommonText, AcceleratorRoutines) {
  EXPECT_EQ(FindAccelChar("&File &Edit"), u'E');
  EXPECT_EQ(FindAccelChar("A&&B"), 0);
  EXPECT_EQ(FindAccelChar("&&&Open"), u'O');
  EXPECT_EQ(FindAccelChar("Trailing&"), 0);
  EXPECT_EQ(FindAccelChar("&Файл"), u'Ф');
  EXPECT_EQ(StripAccelChars("Save && &Exit"), "Save & Exit");
  EXPECT_EQ(StripAccelChars("&Правка"), "Правка");
  EXPECT_EQ(EscapeAmpersands("R&D"), "R&&D");
  EXPECT_EQ(EscapeAmpersands("&&"), "&&&&");
  EXPECT_TRUE(CompareCharNoCase(u'ф', u'Ф'));
  EXPECT_TRUE(CompareCharNoCase(u'e', u'E'));
  EXPECT_FALSE(CompareCharNoCase(u'e', u'f'));
}

TEST(TBCommonText, StripTrailingPunctuation) {
  struct Case { const char* in; const char* out; };
  for (auto c : {Case{"Name:", "Name"}, Case{"Options...", "Options"}, Case{"...", "..."}, Case{"A...", "A"},
                 Case{"Plain", "Plain"}, Case{"", ""}, Case{"Имя:", "Имя"}})
    EXPECT_EQ(StripTrailingPunctuation(c.in), c.out) << c.in;
}

TEST(TBCommonLists, SortAddAndRemove) {
  fw::TList* list = nullptr;
  int values[] = {5, 3, 9, 1, 7, 3};
  for (int& v : values) EXPECT_TRUE(AddToList(list, &v));
  EXPECT_FALSE(AddToList(list, &values[0]));
  int descending = -1;
  ListSortEx(
      list,
      [](void* a, void* b, void* extra) {
        return *static_cast<int*>(extra) * (*static_cast<int*>(a) - *static_cast<int*>(b));
      },
      &descending);
  std::vector<int> got;
  for (Integer i = 0; i < list->Count(); ++i) got.push_back(*static_cast<int*>(list->Items(i)));
  EXPECT_EQ(got, (std::vector<int>{9, 7, 5, 3, 3, 1}));
  int front = 0;
  EXPECT_TRUE(AddToFrontOfList(list, &front));
  EXPECT_EQ(list->Items(0), &front);
  RemoveFromList(list, &front);
  for (int& v : values) RemoveFromList(list, &v);
  EXPECT_EQ(list, nullptr) << "an emptied list is freed";
}

class TBCommonSettings : public kvtest::HeadlessTest {
 protected:
  void TearDown() override {
    win::registry::Clear();
    win::ResetSystemParameters();
    detail::ResetMenuShowDelayCache();
    win::modules::RestoreAll();
    win::ResetMonitorLayout();
    HeadlessTest::TearDown();
  }
};

TEST_F(TBCommonSettings, MenuDelayFromSystemThenRegistry) {
  EXPECT_EQ(GetMenuShowDelay(), 400);
  win::SystemParametersInfoW(win::SPI_SETMENUSHOWDELAY, 250, nullptr, 0);
  EXPECT_EQ(GetMenuShowDelay(), 250);

  EXPECT_EQ(detail::MenuShowDelayFromRegistry(), 400) << "missing key";
  struct Case { std::u16string text; Integer expected; };
  for (auto& c : {Case{u"250", 250}, Case{u"abc", 0}, Case{u"-5", 0}, Case{u"", 0},
                  Case{u"1234567890123456789", 0}, Case{u"0", 0}}) {
    win::registry::SetString(win::HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"MenuShowDelay", c.text);
    EXPECT_EQ(detail::MenuShowDelayFromRegistry(), c.expected) << win::WideToUtf8(c.text);
  }
  win::registry::SetDword(win::HKEY_CURRENT_USER, u"Control Panel\\Desktop", u"MenuShowDelay", 100);
  EXPECT_EQ(detail::MenuShowDelayFromRegistry(), 0) << "a value of another type";
}

TEST_F(TBCommonSettings, SoundsFlatMenusAndCues) {
  EXPECT_FALSE(NeedToPlaySound("MenuPopup")) << "the scheme starts empty";
  win::SetSoundSchemeEntry(u"MenuPopup", u"a.wav");
  EXPECT_TRUE(NeedToPlaySound("MenuPopup"));
  win::SetSoundSchemeEntry(u"MenuCommand", u"a-much-longer-name.wav");
  EXPECT_TRUE(NeedToPlaySound("MenuCommand")) << "longer than the buffer still counts";
  win::SetSoundSchemeEntry(u"MenuPopup", u"");
  EXPECT_FALSE(NeedToPlaySound("MenuPopup"));

  EXPECT_FALSE(AreFlatMenusEnabled());
  win::SystemParametersInfoW(win::SPI_SETFLATMENU, 0, reinterpret_cast<void*>(1), 0);
  EXPECT_TRUE(AreFlatMenusEnabled());
  EXPECT_FALSE(AreKeyboardCuesEnabled());
  win::SystemParametersInfoW(win::SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(1), 0);
  EXPECT_TRUE(AreKeyboardCuesEnabled());
  EXPECT_TRUE(IsWindowsXPOrLater());
  EXPECT_EQ(GetInputLocaleCodePage(), 1251);
}

TEST_F(TBCommonSettings, MonitorOfRectIsTheNearest) {
  ASSERT_TRUE(win::SetMonitorLayout({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                     {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1000}}}));
  EXPECT_TRUE(UsingMultipleMonitors());
  TRect r = GetRectOfMonitorContainingRect(TRect{1800, 100, 2100, 200}, false);
  EXPECT_EQ(r.left, 1920);
  EXPECT_EQ(r.right, 3200);
  r = GetRectOfMonitorContainingRect(TRect{1800, 100, 2100, 200}, true);
  EXPECT_EQ(r.bottom, 1000);
  r = GetRectOfMonitorContainingPoint(TPoint{100, 100}, false);
  EXPECT_EQ(r.right, 1920);
  // Without the monitor functions the primary screen stands for every monitor.
  win::modules::RemoveForTesting(u"user32.dll", "MonitorFromRect");
  r = GetRectOfMonitorContainingRect(TRect{2000, 100, 2100, 200}, false);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, win::GetSystemMetrics(win::SM_CXSCREEN));
}

TEST_F(TBCommonSettings, TrackMouseEventNeedsTheEntryPoint) {
  win::HWND w = Create(win::WS_POPUP | win::WS_VISIBLE, {10, 10, 50, 50});
  EXPECT_TRUE(CallTrackMouseEvent(w, win::TME_LEAVE));
  win::modules::RemoveForTesting(u"user32.dll", "TrackMouseEvent");
  EXPECT_FALSE(CallTrackMouseEvent(w, win::TME_LEAVE));
}

class TBCommonQueue : public kvtest::HeadlessTest {};

TEST_F(TBCommonQueue, RemoveMessagesKeepsQuit) {
  win::HWND w = Create(win::WS_POPUP | win::WS_VISIBLE, {10, 10, 50, 50});
  desktop->run_until_idle();
  win::PostMessageW(w, win::WM_CHAR, 'a', 0);
  win::PostMessageW(w, win::WM_USER, 1, 0);
  win::PostMessageW(w, win::WM_SYSCHAR, 'b', 0);
  win::PostQuitMessage(3);
  RemoveMessages(win::WM_CHAR, win::WM_DEADCHAR);
  RemoveMessages(win::WM_SYSCHAR, win::WM_SYSDEADCHAR);
  win::MSG msg{};
  std::vector<win::UINT> left;
  while (win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
    left.push_back(msg.message);
    if (msg.message == win::WM_QUIT) {
      EXPECT_EQ(msg.wParam, 3u);
      break;
    }
  }
  EXPECT_EQ(std::count(left.begin(), left.end(), win::WM_CHAR), 0);
  EXPECT_EQ(std::count(left.begin(), left.end(), win::WM_SYSCHAR), 0);
  EXPECT_EQ(std::count(left.begin(), left.end(), win::WM_USER), 1);
  EXPECT_EQ(std::count(left.begin(), left.end(), win::WM_QUIT), 1);
}

TEST_F(TBCommonQueue, HandleWMPrintWalksTheFlags) {
  win::HWND parent = nullptr;
  bool ncPainted = false;
  parent = Create(win::WS_POPUP | win::WS_VISIBLE | win::WS_BORDER, {10, 10, 100, 80}, nullptr, 0,
                  [&](win::HWND h, win::UINT m, win::WPARAM wp, win::LPARAM lp) -> std::optional<win::LRESULT> {
                    if (m == win::WM_PRINT) {
                      TMessage msg{m, wp, lp, 0};
                      HandleWMPrint(h, msg, [&](win::HWND, win::HDC, void* data) {
                        ncPainted = data == &ncPainted;
                      }, &ncPainted);
                      return msg.Result;
                    }
                    return std::nullopt;
                  });
  win::HWND child = Create(win::WS_CHILD | win::WS_VISIBLE, {5, 5, 20, 20}, parent);
  win::HWND hidden = Create(win::WS_CHILD, {30, 5, 20, 20}, parent);
  desktop->run_until_idle();
  win::HDC screen = win::GetDC(nullptr);
  win::HDC dc = win::CreateCompatibleDC(screen);
  win::HBITMAP bmp = win::CreateCompatibleBitmap(screen, 120, 100);
  win::SelectObject(dc, bmp);
  ClearLog();
  EXPECT_EQ(win::SendMessageW(parent, win::WM_PRINT, win::WPARAM(dc),
                              win::PRF_NONCLIENT | win::PRF_CLIENT | win::PRF_ERASEBKGND | win::PRF_CHILDREN),
            1);
  EXPECT_TRUE(ncPainted);
  EXPECT_EQ(Count(parent, win::WM_ERASEBKGND), 1);
  EXPECT_EQ(Count(parent, win::WM_PRINTCLIENT), 1);
  EXPECT_EQ(Count(child, win::WM_PRINT), 1);
  EXPECT_EQ(Count(hidden, win::WM_PRINT), 0);

  win::ShowWindow(parent, win::SW_HIDE);
  ClearLog();
  ncPainted = false;
  EXPECT_EQ(win::SendMessageW(parent, win::WM_PRINT, win::WPARAM(dc), win::PRF_CHECKVISIBLE | win::PRF_NONCLIENT |
                                                                          win::PRF_CLIENT),
            1);
  EXPECT_FALSE(ncPainted);
  EXPECT_EQ(Count(parent, win::WM_PRINTCLIENT), 0);
  win::DeleteDC(dc);
  win::DeleteObject(bmp);
  win::ReleaseDC(nullptr, screen);
}

// A white 32-bit memory surface for pixel checks.
struct Surface {
  Surface(int w, int h) {
    win::HDC screen = win::GetDC(nullptr);
    dc = win::CreateCompatibleDC(screen);
    bmp = win::CreateCompatibleBitmap(screen, w, h);
    win::ReleaseDC(nullptr, screen);
    old = win::SelectObject(dc, bmp);
    win::RECT r{0, 0, w, h};
    win::FillRect(dc, &r, win::HBRUSH(win::GetStockObject(win::WHITE_BRUSH)));
  }
  ~Surface() {
    win::SelectObject(dc, old);
    win::DeleteObject(bmp);
    win::DeleteDC(dc);
  }
  bool Dark(int x, int y) const { return (win::GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF; }
  win::HDC dc;
  win::HBITMAP bmp;
  win::HGDIOBJ old;
};

TEST_F(TBCommonQueue, HalftoneFrameInvertsOnlyTheDifference) {
  Surface s(60, 60);
  TRect a{10, 10, 40, 40};
  DrawHalftoneInvertRect(s.dc, &a, nullptr, {3, 3}, {0, 0});
  // The frame is a checkerboard three pixels wide; the inside is untouched.
  EXPECT_TRUE(s.Dark(10, 10) != s.Dark(11, 10));
  EXPECT_FALSE(s.Dark(20, 20));
  EXPECT_FALSE(s.Dark(5, 5));
  TRect b{12, 10, 42, 40};
  DrawHalftoneInvertRect(s.dc, &b, &a, {3, 3}, {3, 3});
  // The old frame's left edge outside the new one is erased; the new right edge is drawn.
  EXPECT_FALSE(s.Dark(10, 20));
  EXPECT_FALSE(s.Dark(11, 21));
  EXPECT_TRUE(s.Dark(40, 20) || s.Dark(41, 20));
  DrawHalftoneInvertRect(s.dc, nullptr, &b, {0, 0}, {3, 3});
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_FALSE(s.Dark(x, y)) << x << "," << y;
}

TEST_F(TBCommonQueue, RotatedTextRunsDownwardWithItsUnderline) {
  Surface s(40, 120);
  win::LOGFONTW lf{};
  std::copy(win::kTestFontFace.begin(), win::kTestFontFace.end(), lf.lfFaceName);
  win::HFONT font = win::CreateFontIndirectW(&lf);
  win::HGDIOBJ oldFont = win::SelectObject(s.dc, font);
  win::SetBkMode(s.dc, win::TRANSPARENT);
  EXPECT_EQ(GetTextHeight(s.dc), 13);
  EXPECT_EQ(GetTextWidth(s.dc, "&Ab", true), 14);
  EXPECT_EQ(GetTextWidth(s.dc, "&Ab", false), 21);
  DrawRotatedText(s.dc, "A&bc", TRect{0, 0, 40, 100}, 0);
  // Three glyphs of 7 run from y 0 to 21 inside the cell centred across the 40-pixel rectangle.
  int minX = 99, maxX = -1, minY = 999, maxY = -1;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 40; ++x)
      if (s.Dark(x, y)) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
  EXPECT_GE(minX, 13);
  EXPECT_LE(maxX, 13 + 13);
  EXPECT_GE(minY, 0);
  EXPECT_LE(maxY, 21);
  // The accelerator 'b' (y 7..13) is underlined in a column no glyph covers.
  const int x0 = (40 - 13) / 2;
  int underlineColumn = -1;
  for (int x = x0; x < x0 + 13; ++x)
    if (s.Dark(x, 9) && !s.Dark(x, 2) && !s.Dark(x, 16)) underlineColumn = x;
  EXPECT_GE(underlineColumn, 0) << "no underline beside the accelerator";
  win::SelectObject(s.dc, oldFont);
  win::DeleteObject(font);
}

TEST_F(TBCommonQueue, NCUpdateRegionBecomesTheClip) {
  win::HWND w = Create(win::WS_POPUP | win::WS_VISIBLE, {100, 50, 60, 40});
  desktop->run_until_idle();
  win::HDC dc = win::GetWindowDC(w);
  win::HRGN rgn = win::CreateRectRgn(110, 60, 120, 70);
  SelectNCUpdateRgn(w, dc, rgn);
  win::RECT box{};
  win::GetClipBox(dc, &box);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.top, 10);
  EXPECT_EQ(box.right, 20);
  win::ReleaseDC(w, dc);
  win::HDC dc2 = win::GetWindowDC(w);
  SelectNCUpdateRgn(w, dc2, reinterpret_cast<win::HRGN>(uintptr_t(1)));
  win::GetClipBox(dc2, &box);
  EXPECT_EQ(box.right, 60) << "region 1 means the whole window";
  win::ReleaseDC(w, dc2);
  win::DeleteObject(rgn);
}

}  // namespace
}  // namespace toolbars
