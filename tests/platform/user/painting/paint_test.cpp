// Update regions, WM_PAINT, clipping and composition on the headless screen.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "support/HeadlessFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/user/messages/DragDrop.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"

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

TEST_F(Paint, AChildHangingAboveTheClientAreaLeavesTheFrameToItsParent) {
  HWND top = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 200, 100});
  // A bar aligned to the bottom of an empty client area ends up above it, over the caption.
  Create(WS_CHILD | WS_VISIBLE, {0, -30, 200, 30}, top, 0, Filler(RGB(0, 255, 0)));
  SetWindowPos(top, nullptr, 0, 0, 200, GetSystemMetrics(SM_CYFRAME) * 2 + GetSystemMetrics(SM_CYCAPTION),
               SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  desktop->run_until_idle();
  RECT client;
  GetClientRect(top, &client);
  ASSERT_EQ(client.bottom, 0);
  // The caption's left end (before the icon) has the caption colour, not the child's, not black.
  COLORREF c = desktop->screen_pixel(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME) + 2);
  EXPECT_TRUE(c == GetSysColor(COLOR_ACTIVECAPTION) || c == GetSysColor(COLOR_INACTIVECAPTION)) << std::hex << c;
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

namespace {
// Paints the client area in horizontal bands of 10 pixels, band n in Band(n), so moved pixels
// show where they came from.
COLORREF Band(int n) { return RGB(BYTE(20 * n), BYTE(200 - 10 * n), BYTE(n % 2 ? 255 : 0)); }
kvtest::Handler Bands(int* paints) {
  return [paints](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    ++*paints;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    for (int n = 0; n * 10 < r.bottom; ++n) {
      RECT band{0, n * 10, r.right, n * 10 + 10};
      HBRUSH b = CreateSolidBrush(Band(n));
      FillRect(dc, &band, b);
      DeleteObject(b);
    }
    EndPaint(w, &ps);
    return 0;
  };
}
}  // namespace

TEST_F(Paint, ScrollWindowExMovesPixelsAndPendingUpdatesAndReportsTheExposedArea) {
  int paints = 0;
  HWND h = Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, {0, 0, 100, 100}, nullptr, 0, Bands(&paints));
  HWND child = Create(WS_CHILD | WS_VISIBLE, {10, 60, 20, 20}, h);
  desktop->run_until_idle();
  RECT pending{0, 55, 5, 58};
  InvalidateRect(h, &pending, FALSE);
  HRGN exposed = CreateRectRgn(0, 0, 0, 0);
  RECT exposedBox{};
  // Up by 20: row 50 now shows what row 70 showed; the bottom 20 rows are exposed.
  EXPECT_EQ(ScrollWindowEx(h, 0, -20, nullptr, nullptr, exposed, &exposedBox, SW_INVALIDATE | SW_SCROLLCHILDREN),
            SIMPLEREGION);
  EXPECT_EQ(exposedBox, (RECT{0, 80, 100, 100}));
  RECT box;
  GetRgnBox(exposed, &box);
  EXPECT_EQ(box, exposedBox);
  EXPECT_EQ(desktop->surface_pixel(h, 50, 50), Band(7));
  EXPECT_EQ(desktop->surface_pixel(h, 50, 0), Band(2));
  // The pending area moved with the pixels it belongs to, and the exposed rows were added.
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(h, update, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(update, 2, 36));
  EXPECT_FALSE(PtInRegion(update, 2, 56));
  EXPECT_TRUE(PtInRegion(update, 50, 90));
  EXPECT_FALSE(PtInRegion(update, 50, 50));
  // SW_SCROLLCHILDREN moved the child with the contents.
  RECT cr;
  GetWindowRect(child, &cr);
  EXPECT_EQ(cr, (RECT{10, 40, 30, 60}));
  // A sub-rectangle scrolls only inside itself.
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT part{50, 0, 100, 50};
  EXPECT_NE(ScrollWindowEx(h, 0, 10, &part, nullptr, nullptr, nullptr, 0), ERROR);
  EXPECT_EQ(desktop->surface_pixel(h, 60, 15), Band(0));  // moved down from row 5
  EXPECT_EQ(desktop->surface_pixel(h, 20, 15), Band(1));  // outside: untouched
  EXPECT_EQ(desktop->surface_pixel(h, 60, 55), Band(5));  // below the rectangle: untouched
  EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));          // no SW_INVALIDATE: nothing pending
  DeleteObject(update);
  DeleteObject(exposed);
  DestroyWindow(h);
  EXPECT_EQ(ScrollWindowEx(h, 0, 5, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE), ERROR);
}

TEST_F(Paint, GetUpdateRgnIsInClientCoordinatesAndCanEraseOnce) {
  HWND h = Create(WS_POPUP | WS_VISIBLE | WS_CAPTION, {0, 0, 120, 100});
  desktop->run_until_idle();
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(h, rgn, FALSE), NULLREGION);
  RECT a{0, 0, 10, 10}, b{30, 30, 40, 40};
  InvalidateRect(h, &a, TRUE);
  InvalidateRect(h, &b, TRUE);
  EXPECT_EQ(GetUpdateRgn(h, rgn, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(rgn, 0, 0));   // client (0, 0), not window (0, 0)
  EXPECT_TRUE(PtInRegion(rgn, 39, 39));
  EXPECT_FALSE(PtInRegion(rgn, 20, 20));
  ClearLog();
  EXPECT_EQ(GetUpdateRgn(h, rgn, TRUE), COMPLEXREGION);
  EXPECT_EQ(Count(h, WM_ERASEBKGND), 1);
  GetUpdateRgn(h, rgn, TRUE);
  EXPECT_EQ(Count(h, WM_ERASEBKGND), 1);  // erased already
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_PAINT), 1);
  EXPECT_EQ(Count(h, WM_ERASEBKGND), 1);
  EXPECT_EQ(GetUpdateRgn(h, nullptr, FALSE), ERROR);
  DestroyWindow(h);
  EXPECT_EQ(GetUpdateRgn(h, rgn, FALSE), ERROR);
  DeleteObject(rgn);
}

TEST_F(Paint, LockWindowUpdateHoldsDrawingBackUntilUnlocked) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, Filler(RGB(0, 0, 200)));
  HWND child = Create(WS_CHILD | WS_VISIBLE, {50, 50, 20, 20}, h, 0, Filler(RGB(0, 200, 0)));
  HWND other = Create(WS_POPUP | WS_VISIBLE, {200, 0, 50, 50}, nullptr, 0, Filler(RGB(200, 0, 0)));
  desktop->run_until_idle();
  ASSERT_TRUE(LockWindowUpdate(h));
  EXPECT_FALSE(LockWindowUpdate(other));  // one window at a time
  RECT r{0, 0, 10, 10};
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  for (HWND target : {h, child}) {  // the locked window and everything inside it draw nothing
    HDC dc = GetDC(target);
    ASSERT_NE(dc, nullptr);
    FillRect(dc, &r, white);
    ReleaseDC(target, dc);
  }
  EXPECT_EQ(desktop->surface_pixel(h, 5, 5), RGB(0, 0, 200));
  EXPECT_EQ(desktop->surface_pixel(h, 55, 55), RGB(0, 200, 0));
  HDC dc = GetDC(other);  // other windows draw as usual
  FillRect(dc, &r, white);
  ReleaseDC(other, dc);
  EXPECT_EQ(desktop->surface_pixel(other, 5, 5), RGB(255, 255, 255));
  dc = GetDCEx(h, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);  // the lock's owner may still draw
  FillRect(dc, &r, white);
  ReleaseDC(h, dc);
  EXPECT_EQ(desktop->surface_pixel(h, 5, 5), RGB(255, 255, 255));
  // Unlocking repaints the whole window with its children, so held-back drawing is caught up.
  ClearLog();
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_PAINT), 1);
  EXPECT_EQ(Count(child, WM_PAINT), 1);
  EXPECT_EQ(Count(other, WM_PAINT), 0);
  EXPECT_EQ(desktop->surface_pixel(h, 5, 5), RGB(0, 0, 200));
  // A locked window that goes away frees the lock.
  ASSERT_TRUE(LockWindowUpdate(other));
  DestroyWindow(other);
  EXPECT_TRUE(LockWindowUpdate(h));
  LockWindowUpdate(nullptr);
  DeleteObject(white);
}

TEST_F(Paint, TheDesktopDCDrawsOnTheScreenUntilWindowsBelowRepaint) {
  HWND left = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, Filler(RGB(200, 0, 0)));
  HWND right = Create(WS_POPUP | WS_VISIBLE, {200, 0, 100, 100}, nullptr, 0, Filler(RGB(0, 0, 200)));
  desktop->run_until_idle();
  const COLORREF desk = GetSysColor(COLOR_BACKGROUND);
  auto inverted = [](COLORREF c) { return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)); };
  RECT bar{50, 50, 250, 60};  // across both windows and the desktop between them
  HDC dc = GetDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(WindowFromDC(dc), GetDesktopWindow());
  InvertRect(dc, &bar);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(desktop->screen_pixel(60, 55), inverted(RGB(200, 0, 0)));
  EXPECT_EQ(desktop->screen_pixel(150, 55), inverted(desk));
  EXPECT_EQ(desktop->screen_pixel(210, 55), inverted(RGB(0, 0, 200)));
  EXPECT_EQ(desktop->screen_pixel(60, 45), RGB(200, 0, 0));
  // One window repaints: only its part of the line goes; the rest stays on the screen.
  InvalidateRect(right, nullptr, TRUE);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->screen_pixel(210, 55), RGB(0, 0, 200));
  EXPECT_EQ(desktop->screen_pixel(60, 55), inverted(RGB(200, 0, 0)));
  EXPECT_EQ(desktop->screen_pixel(150, 55), inverted(desk));
  // Inverting again restores what it covered, on the current picture.
  dc = GetDC(nullptr);
  InvertRect(dc, &bar);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(desktop->screen_pixel(60, 55), RGB(200, 0, 0));
  EXPECT_EQ(desktop->screen_pixel(150, 55), desk);
  EXPECT_EQ(desktop->screen_pixel(210, 55), inverted(RGB(0, 0, 200)));
  (void)left;
}

TEST_F(Paint, TheScreenSavedAsPngReadsBackInAnotherReader) {
  Create(WS_POPUP | WS_VISIBLE, {10, 20, 30, 40}, nullptr, 0, Filler(RGB(250, 10, 20)));
  desktop->run_until_idle();
  auto path = std::filesystem::temp_directory_path() / ("kv_screen_" + std::to_string(::getpid()) + ".png");
  ASSERT_TRUE(desktop->save_png(path.string()));
  std::string cmd = "/usr/bin/python3 -c \"from PIL import Image; im = Image.open('" + path.string() +
                    "').convert('RGB'); print(im.size[0], im.size[1], *['%02x%02x%02x' % im.getpixel(p) for p in "
                    "[(15, 25), (9, 25), (39, 59), (40, 59)]])\"";
  FILE* pipe = ::popen(cmd.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buf[256] = {};
  size_t n = std::fread(buf, 1, sizeof(buf) - 1, pipe);
  int status = ::pclose(pipe);
  std::filesystem::remove(path);
  ASSERT_EQ(status, 0);
  COLORREF desk = GetSysColor(COLOR_BACKGROUND);
  char deskHex[8];
  std::snprintf(deskHex, sizeof deskHex, "%02x%02x%02x", GetRValue(desk), GetGValue(desk), GetBValue(desk));
  EXPECT_EQ(std::string(buf, n), "800 600 fa0a14 " + std::string(deskHex) + " fa0a14 " + deskHex + "\n");
  EXPECT_FALSE(desktop->save_png("/nonexistent-folder/screen.png"));
}

// A window that paints once and never again: narrowed and widened back, the part it gained shows
// black on the screen, not the picture it held before it was narrowed; the part it kept stays.
TEST_F(Paint, AWindowGrownBackShowsBlackWhereItHasNotPaintedSince) {
  int paints = 0;
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 120, 90}, nullptr, 0,
                  [&paints](HWND w, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
                    if (m == WM_ERASEBKGND) return 1;
                    if (m != WM_PAINT || paints++ == 0) return Filler(RGB(200, 0, 0))(w, m, wp, lp);
                    ValidateRect(w, nullptr);
                    return 0;
                  });
  desktop->run_until_idle();
  ASSERT_EQ(desktop->surface_pixel(h, 100, 80), RGB(200, 0, 0));
  SetWindowPos(h, nullptr, 0, 0, 60, 40, SWP_NOMOVE | SWP_NOZORDER);
  desktop->run_until_idle();
  ASSERT_EQ(desktop->surface_pixel(h, 30, 20), RGB(200, 0, 0)) << "shown at the small size";
  ASSERT_EQ(desktop->surface_pixel(h, 100, 80), CLR_INVALID);
  SetWindowPos(h, nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);
  desktop->run_until_idle();
  EXPECT_GE(paints, 2);
  EXPECT_EQ(desktop->surface_pixel(h, 30, 20), RGB(200, 0, 0));
  for (POINT p : {POINT{100, 80}, POINT{100, 10}, POINT{10, 80}, POINT{60, 40}})
    EXPECT_EQ(desktop->surface_pixel(h, p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
}
