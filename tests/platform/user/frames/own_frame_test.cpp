// A window that paints its own non-client area: no path of the window system draws the classic
// frame over it (caption text, activation, a held caption button, scroll-bar tracking, WM_PRINT).

#include <gtest/gtest.h>

#include <functional>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

constexpr COLORREF kOwnFrame = RGB(0, 200, 0);
constexpr COLORREF kUntouched = RGB(1, 2, 3);

// Paints the whole window area in one colour on WM_NCPAINT and on WM_PRINT's frame part never.
std::optional<LRESULT> OwnFrame(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  if (msg != WM_NCPAINT) return std::nullopt;
  HDC dc = GetWindowDC(hwnd);
  RECT r;
  GetWindowRect(hwnd, &r);
  RECT all{0, 0, r.right - r.left, r.bottom - r.top};
  HBRUSH b = CreateSolidBrush(kOwnFrame);
  FillRect(dc, &all, b);
  DeleteObject(b);
  ReleaseDC(hwnd, dc);
  return 0;
}

class OwnFrameTest : public HeadlessTest {
 protected:
  // A 300x200 sizable window with a vertical bar at (100, 100); its close button is at screen
  // (385, 112), the bar's down arrow at its bottom-right corner.
  HWND h = nullptr;
  void SetUp() override {
    HeadlessTest::SetUp();
    h = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, {100, 100, 300, 200}, nullptr, 0, OwnFrame);
    desktop->run_until_idle();
  }
  COLORREF At(POINT window) { return desktop->surface_pixel(h, window.x, window.y); }
};

TEST_F(OwnFrameTest, EveryFrameChangeIsPaintedByTheWindowItself) {
  const POINT closeButton{285, 12}, downArrow{290, 190};
  struct Case {
    const char* what;
    std::function<void()> act;
    POINT probe;  // window coordinates
  };
  const Case cases[] = {
      {"caption text", [&] { SetWindowTextW(h, u"Own"); }, POINT{40, 10}},
      {"activation", [&] { SendMessageW(h, WM_NCACTIVATE, FALSE, 0); }, POINT{40, 10}},
      {"held caption button",
       [&] {
         desktop->mouse_down({100 + closeButton.x, 100 + closeButton.y});
         desktop->script([&] {
           EXPECT_EQ(At(closeButton), kOwnFrame);
           desktop->mouse_move({250, 150});
           desktop->mouse_up({250, 150});
         });
       },
       closeButton},
      {"scroll-bar arrow held",
       [&] {
         desktop->mouse_down({100 + downArrow.x, 100 + downArrow.y});
         desktop->script([&] {
           EXPECT_EQ(At(downArrow), kOwnFrame);
           desktop->mouse_up({100 + downArrow.x, 100 + downArrow.y});
         });
       },
       downArrow},
  };
  ASSERT_EQ(At(closeButton), kOwnFrame);
  for (const Case& c : cases) {
    int before = Count(h, WM_NCPAINT);
    c.act();
    desktop->run_until_idle();
    EXPECT_GT(Count(h, WM_NCPAINT), before) << c.what;
    EXPECT_EQ(At(c.probe), kOwnFrame) << c.what;
    EXPECT_TRUE(IsWindow(h)) << c.what;
  }
}

TEST_F(OwnFrameTest, PrintingLeavesTheFrameToTheWindow) {
  RECT wr;
  GetWindowRect(h, &wr);
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = wr.right - wr.left;
  bi.bmiHeader.biHeight = -(wr.bottom - wr.top);
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, wr.right - wr.left, wr.bottom - wr.top};
  HBRUSH b = CreateSolidBrush(kUntouched);
  FillRect(dc, &all, b);
  DeleteObject(b);
  SendMessageW(h, WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(GetPixel(dc, 285, 12), kUntouched);  // caption button: not drawn classic
  EXPECT_EQ(GetPixel(dc, 1, 100), kUntouched);   // border
  EXPECT_NE(GetPixel(dc, 150, 100), kUntouched); // the client area is printed
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
}

}  // namespace
