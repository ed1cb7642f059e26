// Update regions, WM_PAINT, clipping and composition on the headless screen.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/DragDrop.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messages.h"
#include "platform/user/Paint.h"
#include "platform/user/SysColors.h"
#include "platform/user/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {
// A handler that fills the client area with one colour on WM_PAINT.
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
    EndPaint(w, &ps);
    return 0;
  };
}
}  // namespace

class Paint : public HeadlessTest {};

TEST_F(Paint, InvalidationGivesOnePaintPerWindowAndValidationStopsIt) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, Filler(RGB(255, 0, 0)));
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_PAINT), 1);
  RECT r;
  EXPECT_FALSE(GetUpdateRect(h, &r, FALSE));
  RECT a{10, 10, 20, 20}, b{30, 30, 40, 40};
  InvalidateRect(h, &a, FALSE);
  InvalidateRect(h, &b, TRUE);
  EXPECT_TRUE(GetUpdateRect(h, &r, FALSE));
  EXPECT_EQ(r, (RECT{10, 10, 40, 40}));
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_PAINT), 2);
  InvalidateRect(h, nullptr, FALSE);
  ValidateRect(h, nullptr);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_PAINT), 2);
  ClearLog();
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(Count(h, WM_PAINT), 1);  // painted before returning
  EXPECT_EQ(Count(h, WM_ERASEBKGND), 1);
  ClearLog();
  RedrawWindow(h, nullptr, nullptr, RDW_INTERNALPAINT);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_PAINT), 1);
}

TEST_F(Paint, SiblingClippingAndZOrderShowInTheComposedScreen) {
  HWND top = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 200, 200}, nullptr, 0, Filler(RGB(0, 0, 255)));
  HWND lower = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, {10, 10, 100, 100}, top, 0, Filler(RGB(255, 0, 0)));
  HWND upper = Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, {50, 50, 100, 100}, top, 0, Filler(RGB(0, 255, 0)));
  // New children go below their older siblings: raise the second one.
  SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->screen_pixel(5, 5), RGB(0, 0, 255));
  EXPECT_EQ(desktop->screen_pixel(20, 20), RGB(255, 0, 0));
  EXPECT_EQ(desktop->screen_pixel(60, 60), RGB(0, 255, 0));  // overlap belongs to the upper sibling
  EXPECT_EQ(desktop->screen_pixel(149, 149), RGB(0, 255, 0));
  EXPECT_EQ(desktop->screen_pixel(150, 150), RGB(0, 0, 255));
  // Repainting the lower one does not paint over the upper one.
  InvalidateRect(lower, nullptr, TRUE);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->screen_pixel(60, 60), RGB(0, 255, 0));
  // Top-level windows: the later one is on top; the screen shows the desktop colour elsewhere.
  HWND cover = Create(WS_POPUP | WS_VISIBLE, {150, 0, 100, 100}, nullptr, 0, Filler(RGB(255, 255, 0)));
  desktop->run_until_idle();
  EXPECT_EQ(desktop->screen_pixel(160, 60), RGB(255, 255, 0));
  SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->screen_pixel(160, 60), RGB(0, 0, 255));
  EXPECT_EQ(desktop->screen_pixel(140, 60), RGB(0, 255, 0));
  EXPECT_EQ(desktop->screen_pixel(220, 50), RGB(255, 255, 0));
  (void)cover;
}

TEST_F(Paint, WindowRegionShapesTheWindowOnScreen) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, Filler(RGB(255, 0, 0)));
  SetWindowRgn(h, CreateRectRgn(0, 0, 50, 100), TRUE);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->screen_pixel(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(desktop->screen_pixel(60, 10), GetSysColor(COLOR_BACKGROUND));
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(h, out), SIMPLEREGION);
  RECT box;
  GetRgnBox(out, &box);
  EXPECT_EQ(box, (RECT{0, 0, 50, 100}));
  DeleteObject(out);
  EXPECT_EQ(WindowFromPoint({60, 10}), nullptr);  // outside the region nothing is hit
  EXPECT_EQ(WindowFromPoint({10, 10}), h);
}

TEST_F(Paint, LayeredWindowsBlendWithConstantAlphaAndColourKey) {
  HWND back = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, Filler(RGB(0, 0, 0)));
  HWND glass = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, WS_EX_LAYERED, Filler(RGB(200, 100, 0)));
  EXPECT_TRUE(SetLayeredWindowAttributes(glass, 0, 128, LWA_ALPHA));
  desktop->run_until_idle();
  COLORREF p = desktop->screen_pixel(50, 50);
  EXPECT_NEAR(GetRValue(p), 100, 1);
  EXPECT_NEAR(GetGValue(p), 50, 1);
  EXPECT_EQ(SetLayeredWindowAttributes(back, 0, 128, LWA_ALPHA), FALSE);  // not layered
  SetLayeredWindowAttributes(glass, RGB(200, 100, 0), 255, LWA_COLORKEY);
  EXPECT_EQ(desktop->screen_pixel(50, 50), RGB(0, 0, 0));
}

TEST_F(Paint, UpdateLayeredWindowUsesPerPixelAlpha) {
  Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, Filler(RGB(255, 255, 255)));
  HWND shadow = Create(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, nullptr, WS_EX_LAYERED);
  desktop->run_until_idle();
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = 4;
  bi.bmiHeader.biHeight = -1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP pic = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<uint32_t*>(bits);
  px[0] = 0xFF000000;  // opaque black
  px[1] = 0x80000000;  // half-transparent black (premultiplied)
  px[2] = 0x00000000;  // transparent
  px[3] = 0x40400000;  // a quarter of premultiplied red
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, pic);
  POINT pos{20, 20}, src{0, 0};
  SIZE size{4, 1};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(shadow, nullptr, &pos, &size, mem, &src, 0, &blend, ULW_ALPHA));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(pic);
  EXPECT_EQ(desktop->screen_pixel(20, 20), RGB(0, 0, 0));
  COLORREF half = desktop->screen_pixel(21, 20);
  EXPECT_NEAR(GetRValue(half), 127, 1);
  EXPECT_EQ(desktop->screen_pixel(22, 20), RGB(255, 255, 255));
  COLORREF red = desktop->screen_pixel(23, 20);
  EXPECT_EQ(GetRValue(red), 255);
  EXPECT_NEAR(GetGValue(red), 191, 1);
}

TEST_F(Paint, DrawingBetweenPaintsWithXorRestoresThePixels) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, Filler(RGB(10, 20, 30)));
  desktop->run_until_idle();
  HDC dc = GetDC(h);
  ASSERT_TRUE(dc);
  RECT r{5, 5, 15, 15};
  InvertRect(dc, &r);
  ReleaseDC(h, dc);
  EXPECT_EQ(desktop->surface_pixel(h, 6, 6), RGB(245, 235, 225));
  dc = GetDC(h);
  InvertRect(dc, &r);
  ReleaseDC(h, dc);
  EXPECT_EQ(desktop->surface_pixel(h, 6, 6), RGB(10, 20, 30));
  EXPECT_EQ(ReleaseDC(h, dc), 0);  // released twice
}

TEST_F(Paint, DroppedFilesReachTheWindowThatAcceptsThem) {
  HWND target = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND child = Create(WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, target);
  EXPECT_FALSE(desktop->drop_files({20, 20}, {u"/tmp/a.txt"}));
  DragAcceptFiles(target, TRUE);
  ASSERT_TRUE(desktop->drop_files({20, 20}, {u"/tmp/a.txt", u"/tmp/данные.dat"}));
  std::u16string second;
  SetHandler(target, [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_DROPFILES) return std::nullopt;
    HDROP drop = reinterpret_cast<HDROP>(wp);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 2u);
    WCHAR buf[64];
    DragQueryFileW(drop, 1, buf, 64);
    second = buf;
    DragFinish(drop);
    return 0;
  });
  desktop->run_until_idle();
  EXPECT_EQ(second, u"/tmp/данные.dat");
  EXPECT_EQ(Count(child, WM_DROPFILES), 0);
}
