// Top-level windows of ours on the X server: placement, kinds, stacking, repainting.

#include <QCloseEvent>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QWindow>

#include "PresenterFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/windows/Window.h"
#include "presenter/DesktopPresenter.h"

namespace kvtest {
namespace {

using namespace win;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

QRgb Rgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

class WindowMappingTest : public PresenterTest {
 protected:
  bool ScreenShows(int x, int y, COLORREF colour) {
    return PumpUntil([&] { return (GrabScreen(x, y, 1, 1).pixel(0, 0) & 0xFFFFFF) == (Rgb(colour) & 0xFFFFFF); });
  }
};

TEST_F(WindowMappingTest, TopLevelWindowBecomesNativeWindowAtItsScreenRectangle) {
  HWND h = CreateProbe(u"kv mapping probe", WS_POPUP | WS_VISIBLE, 0, 100, 120, 200, 150, RGB(200, 0, 0));
  ASSERT_TRUE(h);
  unsigned long xid = 0;
  ASSERT_TRUE(PumpUntil([&] { return (xid = FindXWindow("kv mapping probe")) != 0; }));
  EXPECT_TRUE(SameRect(XGeometry(xid), RECT{100, 120, 300, 270}));

  ASSERT_TRUE(SetWindowPos(h, nullptr, 310, 40, 240, 90, SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_TRUE(PumpUntil([&] { return SameRect(XGeometry(xid), RECT{310, 40, 550, 130}); }))
      << "native window did not follow the move";

  ShowWindow(h, SW_HIDE);
  EXPECT_TRUE(PumpUntil([&] { return FindXWindow("kv mapping probe") == 0; })) << "still mapped after hiding";
  ShowWindow(h, SW_SHOWNA);
  EXPECT_TRUE(PumpUntil([&] { return FindXWindow("kv mapping probe") == xid; }));

  DestroyWindow(h);
  EXPECT_EQ(Presenter().NativeWindowOf(h), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return FindXWindow("kv mapping probe", true) == 0; })) << "native window left behind";
}

TEST_F(WindowMappingTest, FramedWindowIsShownWholeWithTheFrameWeDraw) {
  HWND h = CreateProbe(u"kv framed probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 60, 80, 320, 240, RGB(0, 0, 200));
  ASSERT_TRUE(h);
  unsigned long xid = 0;
  ASSERT_TRUE(PumpUntil([&] { return (xid = FindXWindow("kv framed probe")) != 0; }));
  RECT ours;
  GetWindowRect(h, &ours);
  EXPECT_TRUE(SameRect(XGeometry(xid), ours));
  // The client area shows what the window painted; the frame is ours, not a window manager's.
  POINT client{10, 10};
  ClientToScreen(h, &client);
  EXPECT_TRUE(ScreenShows(client.x, client.y, RGB(0, 0, 200)));
  EXPECT_FALSE((GrabScreen(ours.left, ours.top + 2, 1, 1).pixel(0, 0) & 0xFFFFFF) == (Rgb(RGB(0, 0, 200)) & 0xFFFFFF));
}

TEST_F(WindowMappingTest, WindowKindsFollowStylesAndOwners) {
  HWND main = CreateProbe(u"kv kind main", WS_POPUP | WS_VISIBLE, 0, 10, 10, 100, 100, RGB(0, 0, 0));
  HWND menu = CreateProbe(u"kv kind menu", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 20, 20, 50, 50,
                          RGB(0, 0, 0), main);
  HWND palette = CreateProbe(u"kv kind tool", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, WS_EX_TOOLWINDOW, 30, 30, 80,
                             80, RGB(0, 0, 0), main);
  HWND onTop = CreateProbe(u"kv kind top", WS_OVERLAPPED | WS_VISIBLE, WS_EX_TOPMOST, 40, 40, 80, 80, RGB(0, 0, 0));
  HWND box = CreateProbe(u"kv kind box", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 50, 50, 80, 60, RGB(0, 0, 0), onTop);
  ASSERT_TRUE(main && menu && palette && onTop && box);
  PumpUntil([] { return false; }, 0);
  QWindow* nMain = Presenter().NativeWindowOf(main);
  QWindow* nMenu = Presenter().NativeWindowOf(menu);
  QWindow* nPalette = Presenter().NativeWindowOf(palette);
  QWindow* nTop = Presenter().NativeWindowOf(onTop);
  ASSERT_TRUE(nMain && nMenu && nPalette && nTop);
  EXPECT_EQ(nMenu->type(), Qt::ToolTip);
  EXPECT_EQ(nMenu->transientParent(), nMain);
  EXPECT_EQ(nPalette->type(), Qt::Tool);
  EXPECT_EQ(nPalette->transientParent(), nMain);
  EXPECT_EQ(nTop->type(), Qt::Window);
  EXPECT_TRUE(nTop->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(nMain->transientParent(), nullptr);
  // A box owned by a window kept on top is a dialog of that window, which a window manager keeps
  // above it.
  QWindow* nBox = Presenter().NativeWindowOf(box);
  ASSERT_TRUE(nBox);
  EXPECT_EQ(nBox->type(), Qt::Dialog);
  EXPECT_EQ(nBox->transientParent(), nTop);
  for (QWindow* w : {nMain, nMenu, nPalette, nTop}) EXPECT_TRUE(w->flags() & Qt::FramelessWindowHint);

  // The owner going away leaves no dangling parent behind.
  DestroyWindow(main);
  EXPECT_FALSE(IsWindow(menu)) << "owned windows go with their owner";
  ASSERT_EQ(Presenter().NativeWindowOf(palette), nullptr);
}

TEST_F(WindowMappingTest, StackingFollowsOurZOrder) {
  HWND below = CreateProbe(u"kv stack a", WS_POPUP | WS_VISIBLE, 0, 100, 100, 200, 200, RGB(220, 0, 0));
  HWND above = CreateProbe(u"kv stack b", WS_POPUP | WS_VISIBLE, 0, 200, 200, 200, 200, RGB(0, 0, 220));
  ASSERT_TRUE(below && above);
  EXPECT_TRUE(ScreenShows(250, 250, RGB(0, 0, 220)));
  SetWindowPos(below, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(ScreenShows(250, 250, RGB(220, 0, 0))) << "raising ours did not raise the native window";
  SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(ScreenShows(250, 250, RGB(0, 0, 220)));
}

// A window shown later (a menu, a message box) lands above the ones already stacked, and stays
// there when the others are restacked, as without a window manager nothing else keeps it up.
TEST_F(WindowMappingTest, AWindowShownLaterStaysAboveTheOthers) {
  HWND main = CreateProbe(u"kv shown main", WS_POPUP | WS_VISIBLE, 0, 100, 100, 300, 300, RGB(220, 0, 0));
  HWND panel = CreateProbe(u"kv shown panel", WS_POPUP | WS_VISIBLE, 0, 150, 150, 100, 100, RGB(0, 200, 0));
  ASSERT_TRUE(main && panel);
  SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(ScreenShows(200, 200, RGB(220, 0, 0)));
  HWND popup = CreateProbe(u"kv shown popup", WS_POPUP, WS_EX_TOPMOST, 180, 180, 60, 60, RGB(0, 0, 220));
  ShowWindow(popup, SW_SHOWNA);
  EXPECT_TRUE(ScreenShows(200, 200, RGB(0, 0, 220))) << "the window shown last is under the others";
  SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(ScreenShows(200, 200, RGB(0, 0, 220))) << "a topmost window went under a restacked one";
  ShowWindow(popup, SW_HIDE);
  EXPECT_TRUE(ScreenShows(200, 200, RGB(0, 200, 0)));
}

TEST_F(WindowMappingTest, InvalidatedAreasRepaintOnTheScreen) {
  HWND h = CreateProbe(u"kv repaint probe", WS_POPUP | WS_VISIBLE, 0, 500, 300, 160, 120, RGB(255, 0, 0));
  ASSERT_TRUE(h);
  ASSERT_TRUE(ScreenShows(580, 360, RGB(255, 0, 0)));

  SetFill(h, RGB(0, 160, 0));
  InvalidateRect(h, nullptr, FALSE);
  EXPECT_TRUE(ScreenShows(580, 360, RGB(0, 160, 0))) << "no repaint after InvalidateRect";

  // Only the invalidated part changes.
  SetFill(h, RGB(0, 0, 255));
  RECT part{0, 0, 40, 30};
  InvalidateRect(h, &part, FALSE);
  EXPECT_TRUE(ScreenShows(505, 305, RGB(0, 0, 255)));
  QImage after = GrabScreen(500, 300, 160, 120);
  EXPECT_EQ(after.pixel(39, 29) & 0xFFFFFF, Rgb(RGB(0, 0, 255)) & 0xFFFFFF);
  EXPECT_EQ(after.pixel(40, 29) & 0xFFFFFF, Rgb(RGB(0, 160, 0)) & 0xFFFFFF);
  EXPECT_EQ(after.pixel(100, 100) & 0xFFFFFF, Rgb(RGB(0, 160, 0)) & 0xFFFFFF);
}

TEST_F(WindowMappingTest, WindowRegionShapesTheNativeWindow) {
  HWND back = CreateProbe(u"kv shape back", WS_POPUP | WS_VISIBLE, 0, 700, 100, 100, 100, RGB(0, 200, 0));
  HWND shaped = CreateProbe(u"kv shape front", WS_POPUP | WS_VISIBLE, 0, 700, 100, 100, 100, RGB(200, 0, 200));
  ASSERT_TRUE(back && shaped);
  ASSERT_TRUE(ScreenShows(790, 190, RGB(200, 0, 200)));
  HRGN left = CreateRectRgn(0, 0, 50, 100);
  ASSERT_TRUE(SetWindowRgn(shaped, left, TRUE));
  EXPECT_TRUE(ScreenShows(790, 190, RGB(0, 200, 0))) << "outside the region the window below shows";
  EXPECT_TRUE(ScreenShows(710, 190, RGB(200, 0, 200)));
}

TEST_F(WindowMappingTest, LayeredWindowsShowOnceTheyHaveContent) {
  HWND h = CreateProbe(u"kv layered probe", WS_POPUP | WS_VISIBLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW, 40, 700, 80, 60,
                       RGB(0, 0, 0));
  ASSERT_TRUE(h);
  PumpUntil([] { return false; }, 0);
  EXPECT_EQ(FindXWindow("kv layered probe"), 0u) << "a layered window without content is not shown";
  ASSERT_TRUE(SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA));
  EXPECT_TRUE(PumpUntil([&] { return FindXWindow("kv layered probe") != 0; }));
  QWindow* native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  EXPECT_NEAR(native->opacity(), 128 / 255.0, 1e-6);
  EXPECT_LE(native->format().alphaBufferSize(), 0);

  // A picture with its own alpha moves the window to a native window with an alpha channel.
  BITMAPINFO bmi;
  bmi.bmiHeader.biWidth = 80;
  bmi.bmiHeader.biHeight = -60;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(picture && bits);
  std::fill_n(static_cast<uint32_t*>(bits), 80 * 60, 0x80400000u);  // half-covering dark red, premultiplied
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  SIZE size{80, 60};
  POINT origin{0, 0};
  ASSERT_TRUE(UpdateLayeredWindow(h, nullptr, nullptr, &size, dc, &origin, 0, &blend, ULW_ALPHA));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(picture);
  EXPECT_TRUE(PumpUntil([&] { return FindXWindow("kv layered probe") != 0; }));
  native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  EXPECT_EQ(native->format().alphaBufferSize(), 8);
  EXPECT_NEAR(native->opacity(), 1.0, 1e-6);
  EXPECT_TRUE(native->isVisible());
}

// A fade ends by dropping the layered style, without painting: the native window is opaque
// again, and layering it once more hides it until it is given a look.
TEST_F(WindowMappingTest, AWindowNoLongerLayeredIsOpaque) {
  HWND h = CreateProbe(u"kv faded probe", WS_POPUP | WS_VISIBLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 140,
                       700, 80, 60, RGB(0, 90, 0));
  ASSERT_TRUE(h);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, 80, 60);
  HGDIOBJ old = SelectObject(dc, picture);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 240, 0};
  SIZE size{80, 60};
  POINT origin{0, 0};
  ASSERT_TRUE(UpdateLayeredWindow(h, screen, nullptr, &size, dc, &origin, 0, &blend, ULW_ALPHA));
  SelectObject(dc, old);
  DeleteObject(picture);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(PumpUntil([&] { return FindXWindow("kv faded probe") != 0; }));
  QWindow* native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  ASSERT_NEAR(native->opacity(), 240 / 255.0, 1e-6);

  SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) & ~LONG(WS_EX_LAYERED));
  EXPECT_TRUE(PumpUntil([&] { return native->opacity() == 1.0; })) << "still " << native->opacity();
  EXPECT_TRUE(native->isVisible());
  BYTE alpha = 0;
  EXPECT_FALSE(GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr));

  SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | LONG(WS_EX_LAYERED));
  EXPECT_TRUE(PumpUntil([&] { return FindXWindow("kv faded probe") == 0; })) << "layered again, shown without a look";
}

TEST_F(WindowMappingTest, ClosingFromTheDesktopGoesThroughOurCloseHandling) {
  HWND h = CreateProbe(u"kv close probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 900, 60, 200, 120, RGB(0, 0, 0));
  ASSERT_TRUE(h);
  PumpUntil([] { return false; }, 0);
  QWindow* native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  QCloseEvent close;
  QCoreApplication::sendEvent(native, &close);
  EXPECT_FALSE(close.isAccepted()) << "the native window must not close on its own";
  EXPECT_TRUE(native->isVisible());
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(h); }));
  auto commands = Messages(h, WM_SYSCOMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam & 0xFFF0, WPARAM(SC_CLOSE));
  EXPECT_EQ(Messages(h, WM_CLOSE).size(), 1u);
  EXPECT_EQ(Presenter().NativeWindowOf(h), nullptr);
}

TEST_F(WindowMappingTest, NativeTitleFollowsOurWindowText) {
  HWND h = CreateProbe(u"kv title before", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 900, 300, 200, 120, RGB(0, 0, 0));
  ASSERT_TRUE(h);
  ASSERT_TRUE(PumpUntil([&] { return FindXWindow("kv title before") != 0; }));
  SetWindowTextW(h, u"kv заголовок после");
  EXPECT_TRUE(PumpUntil([&] { return FindXWindow("kv заголовок после") != 0; }));
}

TEST_F(WindowMappingTest, MinimisedWindowsAreIconifiedNotMovedAway) {
  HWND h = CreateProbe(u"kv minimise probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 400, 500, 220, 140, RGB(0, 0, 0));
  ASSERT_TRUE(h);
  PumpUntil([] { return false; }, 0);
  QWindow* native = Presenter().NativeWindowOf(h);
  ASSERT_TRUE(native);
  ShowWindow(h, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(h));
  PumpUntil([] { return false; }, 0);
  EXPECT_TRUE(native->windowStates() & Qt::WindowMinimized);
  EXPECT_EQ(native->geometry(), QRect(400, 500, 220, 140)) << "the native window keeps its place";
  ShowWindow(h, SW_RESTORE);
  PumpUntil([] { return false; }, 0);
  EXPECT_FALSE(native->windowStates() & Qt::WindowMinimized);
  EXPECT_EQ(native->geometry(), QRect(400, 500, 220, 140));

  // Iconified by the desktop (a task bar): ours follows through its system command.
  ClearMessages();
  native->setWindowStates(Qt::WindowMinimized);
  QWindowStateChangeEvent iconified(Qt::WindowNoState);
  QCoreApplication::sendEvent(native, &iconified);
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(h) != FALSE; }));
  ASSERT_FALSE(Messages(h, WM_SYSCOMMAND).empty());
  EXPECT_EQ(Messages(h, WM_SYSCOMMAND)[0].wParam & 0xFFF0, WPARAM(SC_MINIMIZE));
  native->setWindowStates(Qt::WindowNoState);
  QWindowStateChangeEvent restored(Qt::WindowMinimized);
  QCoreApplication::sendEvent(native, &restored);
  EXPECT_TRUE(PumpUntil([&] { return !IsIconic(h); }));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{400, 500, 620, 640}));
}

TEST_F(WindowMappingTest, ColourKeyedWindowsShowTheWindowBelowThroughTheKey) {
  HWND back = CreateProbe(u"kv key back", WS_POPUP | WS_VISIBLE, 0, 1000, 700, 120, 120, RGB(0, 90, 0));
  HWND keyed = CreateProbe(u"kv key front", WS_POPUP | WS_VISIBLE, WS_EX_LAYERED, 1000, 700, 120, 120,
                           RGB(255, 0, 255));
  ASSERT_TRUE(back && keyed);
  ASSERT_TRUE(SetLayeredWindowAttributes(keyed, RGB(255, 0, 255), 0, LWA_COLORKEY));
  ASSERT_TRUE(ScreenShows(1060, 760, RGB(0, 90, 0))) << "the key colour is a hole";
  // Drawn in another colour, the same place shows the window again.
  HDC dc = GetDC(keyed);
  RECT inner{40, 40, 80, 80};
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 200));
  FillRect(dc, &inner, brush);
  DeleteObject(brush);
  ReleaseDC(keyed, dc);
  EXPECT_TRUE(ScreenShows(1060, 760, RGB(10, 20, 200)));
  EXPECT_TRUE(ScreenShows(1010, 710, RGB(0, 90, 0)));
}

// Every row a colour of its own, so that a row shown in another's place is seen.
COLORREF RowColour(int y) { return RGB(y % 256, (y * 7) % 256, 40 + (y / 256) * 100); }

LRESULT RowsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  for (int y = 0; y < client.bottom; ++y) {
    RECT row{0, y, client.right, y + 1};
    HBRUSH brush = CreateSolidBrush(RowColour(y));
    FillRect(dc, &row, brush);
    DeleteObject(brush);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

TEST_F(WindowMappingTest, ALargeWindowShowsEveryRowInItsPlace) {
  static const bool registered = [] {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = RowsProc;
    wc.lpszClassName = u"KvRowsProbe";
    return RegisterClassExW(&wc) != 0;
  }();
  ASSERT_TRUE(registered);
  // 700 pixels a row: the rows reach the desktop in bands of 23, the last one short.
  HWND h = CreateWindowExW(0, u"KvRowsProbe", u"kv rows probe", WS_POPUP, 20, 30, 700, 520, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_TRUE(h);
  created_.push_back(h);
  ShowWindow(h, SW_SHOWNA);
  ASSERT_TRUE(PumpUntil([&] { return FindXWindow("kv rows probe") != 0; }));
  for (int y : {0, 1, 22, 23, 24, 45, 46, 255, 256, 505, 506, 518, 519}) {
    SCOPED_TRACE(y);
    EXPECT_TRUE(ScreenShows(20 + 699, 30 + y, RowColour(y)));
    EXPECT_TRUE(ScreenShows(20 + 350, 30 + y, RowColour(y)));
  }
}

}  // namespace
}  // namespace kvtest
