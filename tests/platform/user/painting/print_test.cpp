// WM_PRINT and WM_PRINTCLIENT: a window with its frame, children and owned windows drawn into a
// memory DC must look exactly as the composed screen shows it.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

// Fills the client area with one colour on WM_PAINT (never on WM_PRINTCLIENT itself).
kvtest::Handler Filler(COLORREF c) {
  return [c](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
    // A mark in the top left corner, so that a shifted picture shows.
    RECT mark{0, 0, 3, 3};
    HBRUSH k = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(dc, &mark, k);
    DeleteObject(k);
    EndPaint(w, &ps);
    return 0;
  };
}

// A 32-bit picture of the given size selected into a memory DC, filled with a colour no window uses.
struct Canvas {
  static constexpr COLORREF kUntouched = RGB(1, 2, 3);
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  int width = 0, height = 0;

  Canvas(int w, int h) : width(w), height(h) {
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bmp);
    RECT all{0, 0, w, h};
    HBRUSH b = CreateSolidBrush(kUntouched);
    FillRect(dc, &all, b);
    DeleteObject(b);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
  }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
};

class Print : public HeadlessTest {
 protected:
  // Counts the pixels of the canvas that differ from the screen at `origin` (first few reported).
  int Mismatches(const Canvas& c, POINT origin) {
    int bad = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        COLORREF want = desktop->screen_pixel(origin.x + x, origin.y + y), got = c.Pixel(x, y);
        if (want != got && ++bad <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << "): printed " << std::hex << got << ", screen " << want;
      }
    return bad;
  }
};

constexpr LPARAM kWhole = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN;

TEST_F(Print, AWindowWithFrameAndChildrenPrintsAsTheScreenShowsIt) {
  HWND top = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, {40, 30, 260, 200}, nullptr, 0,
                    Filler(RGB(0, 0, 200)));
  SetWindowTextW(top, u"Printed");
  // Overlapping siblings, a bordered one with a grandchild, one reaching past the client area.
  HWND lower = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, {10, 10, 80, 60}, top, 0, Filler(RGB(200, 0, 0)));
  HWND upper = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_CLIPCHILDREN, {50, 40, 90, 70}, top,
                      0, Filler(RGB(0, 180, 0)));
  Create(WS_CHILD | WS_VISIBLE, {5, 5, 20, 20}, upper, 0, Filler(RGB(250, 250, 0)));
  Create(WS_CHILD | WS_VISIBLE, {200, 120, 100, 100}, top, 0, Filler(RGB(0, 200, 200)));
  Create(WS_CHILD, {0, 0, 240, 150}, top, 0, Filler(RGB(255, 0, 255)));  // hidden: never printed
  SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  (void)lower;
  desktop->run_until_idle();
  RECT wr;
  GetWindowRect(top, &wr);
  Canvas c(wr.right - wr.left, wr.bottom - wr.top);
  ClearLog();
  SendMessageW(top, WM_PRINT, WPARAM(c.dc), kWhole);
  EXPECT_EQ(Mismatches(c, POINT{wr.left, wr.top}), 0);
  // The screen was not touched and nothing became due for painting.
  RECT u;
  EXPECT_FALSE(GetUpdateRect(top, &u, FALSE));
  EXPECT_FALSE(GetUpdateRect(upper, &u, FALSE));
  EXPECT_EQ(desktop->run_until_idle(), 0);
}

TEST_F(Print, FlagsChooseFrameClientBackgroundAndChildren) {
  HWND top = Create(WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 200, 150});  // white background only
  HWND child = Create(WS_CHILD | WS_VISIBLE, {20, 20, 40, 40}, top, 0, Filler(RGB(200, 0, 0)));
  desktop->run_until_idle();
  POINT co{0, 0};
  ClientToScreen(top, &co);
  RECT cr;
  GetClientRect(top, &cr);

  {  // The client alone lands at the DC's origin; without PRF_CHILDREN the child is left out.
    Canvas c(cr.right, cr.bottom);
    ClearLog();
    SendMessageW(top, WM_PRINT, WPARAM(c.dc), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(Count(top, WM_ERASEBKGND), 1);
    EXPECT_EQ(Count(top, WM_PRINTCLIENT), 1);
    EXPECT_EQ(Count(child, WM_PRINT), 0);
    EXPECT_EQ(c.Pixel(0, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(c.Pixel(30, 30), GetSysColor(COLOR_WINDOW));
  }
  {  // With the children they sit at their place in the client area, frames included.
    Canvas c(cr.right, cr.bottom);
    SendMessageW(top, WM_PRINT, WPARAM(c.dc), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    EXPECT_EQ(Mismatches(c, co), 0);
    EXPECT_EQ(c.Pixel(20, 20), RGB(0, 0, 0));  // the child's corner mark
    EXPECT_EQ(c.Pixel(30, 30), RGB(200, 0, 0));
  }
  {  // Without PRF_ERASEBKGND the background is not erased: the class brush never runs.
    Canvas c(cr.right, cr.bottom);
    ClearLog();
    SendMessageW(top, WM_PRINT, WPARAM(c.dc), PRF_CLIENT);
    EXPECT_EQ(Count(top, WM_ERASEBKGND), 0);
    EXPECT_EQ(c.Pixel(5, 5), Canvas::kUntouched);
  }
  {  // PRF_CHECKVISIBLE skips a hidden window; without it a hidden window still prints.
    ShowWindow(top, SW_HIDE);
    Canvas c(cr.right, cr.bottom);
    SendMessageW(top, WM_PRINT, WPARAM(c.dc), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHECKVISIBLE);
    EXPECT_EQ(c.Pixel(5, 5), Canvas::kUntouched);
    SendMessageW(top, WM_PRINT, WPARAM(c.dc), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(c.Pixel(5, 5), GetSysColor(COLOR_WINDOW));
  }
  // A DC that is not there, or a dead window, draws nothing and does not crash.
  EXPECT_EQ(SendMessageW(top, WM_PRINT, 0, kWhole), 0);
  DestroyWindow(top);
  EXPECT_EQ(DefWindowProcW(top, WM_PRINT, 0, kWhole), 0);
}

TEST_F(Print, ClientPaintingIsRedirectedWithoutValidatingAnything) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 80}, nullptr, 0, Filler(RGB(10, 20, 30)));
  desktop->run_until_idle();
  RECT pending{10, 10, 30, 30};
  InvalidateRect(h, &pending, TRUE);
  Canvas c(100, 80);
  ClearLog();
  SendMessageW(h, WM_PRINTCLIENT, WPARAM(c.dc), PRF_CLIENT);
  EXPECT_EQ(Count(h, WM_PAINT), 1);
  EXPECT_EQ(Count(h, WM_ERASEBKGND), 0);
  EXPECT_EQ(c.Pixel(50, 50), RGB(10, 20, 30));
  EXPECT_EQ(c.Pixel(1, 1), RGB(0, 0, 0));
  // The DC comes back as it was given: origin and clipping untouched.
  POINT org;
  GetViewportOrgEx(c.dc, &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  RECT box;
  GetClipBox(c.dc, &box);
  EXPECT_EQ(box, (RECT{0, 0, 100, 80}));
  // The window's own update region is still pending and paints on screen as usual.
  RECT u;
  ASSERT_TRUE(GetUpdateRect(h, &u, FALSE));
  EXPECT_EQ(u, pending);
  ClearLog();
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_PAINT), 1);
  EXPECT_EQ(Count(h, WM_ERASEBKGND), 1);
}

TEST_F(Print, AWindowThatPrintsItselfIsNotAskedToPaint) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 60, 60}, nullptr, 0,
                  [](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
                    if (m != WM_PRINTCLIENT) return std::nullopt;
                    RECT r{0, 0, 10, 10};
                    HBRUSH b = CreateSolidBrush(RGB(0, 90, 0));
                    FillRect(reinterpret_cast<HDC>(wp), &r, b);
                    DeleteObject(b);
                    return 0;
                  });
  desktop->run_until_idle();
  Canvas c(60, 60);
  ClearLog();
  SendMessageW(h, WM_PRINT, WPARAM(c.dc), PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(Count(h, WM_PAINT), 0);
  EXPECT_EQ(c.Pixel(5, 5), RGB(0, 90, 0));
  EXPECT_EQ(c.Pixel(20, 20), GetSysColor(COLOR_WINDOW));
}

TEST_F(Print, OwnedWindowsPrintAtTheirPlaceWhenAsked) {
  HWND owner = Create(WS_POPUP | WS_VISIBLE, {100, 100, 120, 100}, nullptr, 0, Filler(RGB(0, 0, 150)));
  HWND owned = Create(WS_POPUP | WS_VISIBLE, {150, 120, 40, 30}, owner, 0, Filler(RGB(150, 0, 0)));
  HWND other = Create(WS_POPUP | WS_VISIBLE, {105, 105, 10, 10}, nullptr, 0, Filler(RGB(0, 150, 0)));
  desktop->run_until_idle();
  ASSERT_EQ(GetWindow(owned, GW_OWNER), owner);
  Canvas c(120, 100);
  SendMessageW(owner, WM_PRINT, WPARAM(c.dc), PRF_CLIENT | PRF_OWNED);
  EXPECT_EQ(c.Pixel(60, 30), RGB(150, 0, 0));  // inside the owned window: (150 - 100 + 10, 120 - 100 + 10)
  EXPECT_EQ(c.Pixel(50, 20), RGB(0, 0, 0));    // its corner mark
  EXPECT_EQ(c.Pixel(40, 40), RGB(0, 0, 150));
  EXPECT_EQ(c.Pixel(8, 8), RGB(0, 0, 150));     // a window it does not own is left out
  Canvas without(120, 100);
  SendMessageW(owner, WM_PRINT, WPARAM(without.dc), PRF_CLIENT);
  EXPECT_EQ(without.Pixel(60, 30), RGB(0, 0, 150));
  (void)other;
}

}  // namespace
