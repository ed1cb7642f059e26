// The default window procedure's non-client area: client rectangles, hit-testing, frame and
// caption painting, activation, cursors and WM_PRINT.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/frames/SysMenu.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class NonClient : public HeadlessTest {
 protected:
  COLORREF Px(HWND top, int x, int y) { return desktop->surface_pixel(top, x, y); }
  LRESULT Hit(HWND h, int x, int y) { return SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(WORD(x), WORD(y))); }
  void SolidCaptions() {
    // UI-effect switches travel in the pointer itself.
    SystemParametersInfoW(SPI_SETGRADIENTCAPTIONS, 0, nullptr, 0);
  }
  void TearDown() override {
    ResetSystemParameters();
    HeadlessTest::TearDown();
  }
};

}  // namespace

TEST_F(NonClient, ClientAreaIsTheWindowLessFrameCaptionEdgeAndBars) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL, {100, 50, 300, 200}, nullptr, WS_EX_CLIENTEDGE);
  RECT c;
  ASSERT_TRUE(GetClientRect(h, &c));
  // 4-pixel frame, 19-pixel caption, 2-pixel client edge, 16-pixel vertical bar.
  EXPECT_EQ(c, (RECT{0, 0, 300 - 8 - 4 - 16, 200 - 8 - 19 - 4}));
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  EXPECT_EQ(origin, (POINT{100 + 4 + 2, 50 + 4 + 19 + 2}));

  // Adding the horizontal bar later re-frames the window.
  SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_HSCROLL);
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  GetClientRect(h, &c);
  EXPECT_EQ(c.bottom, 200 - 8 - 19 - 4 - 16);

  // A plain popup has no frame at all.
  HWND plain = Create(WS_POPUP, {0, 0, 50, 40});
  GetClientRect(plain, &c);
  EXPECT_EQ(c, (RECT{0, 0, 50, 40}));
}

TEST_F(NonClient, HitTestAnswersTheSystemCodesInScreenCoordinates) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  EXPECT_EQ(Hit(h, 100, 100), HTTOPLEFT);
  EXPECT_EQ(Hit(h, 250, 101), HTTOP);
  EXPECT_EQ(Hit(h, 102, 200), HTLEFT);
  EXPECT_EQ(Hit(h, 399, 299), HTBOTTOMRIGHT);
  EXPECT_EQ(Hit(h, 250, 110), HTCAPTION);
  EXPECT_EQ(Hit(h, 110, 110), HTSYSMENU);
  EXPECT_EQ(Hit(h, 385, 110), HTCLOSE);
  EXPECT_EQ(Hit(h, 367, 110), HTMAXBUTTON);
  EXPECT_EQ(Hit(h, 350, 110), HTMINBUTTON);
  EXPECT_EQ(Hit(h, 250, 200), HTCLIENT);
  EXPECT_EQ(Hit(h, 99, 200), HTNOWHERE);

  // A child's frame is hit-tested at its own screen position.
  HWND child = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 10, 50, 50}, h);
  POINT at{10, 10};
  ClientToScreen(h, &at);
  EXPECT_EQ(Hit(child, at.x, at.y), HTBORDER);
  EXPECT_EQ(Hit(child, at.x + 1, at.y + 1), HTCLIENT);
}

TEST_F(NonClient, OwnHitCodesPassThroughWithoutDefaultActions) {
  // A window answering 2000 for its top strip gets WM_NCLBUTTONDOWN with that code, and the
  // default procedure starts no loop for it.
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0,
                  [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
                    if (m == WM_NCHITTEST) return GET_Y_LPARAM(lp) < 20 ? LRESULT(2000) : HTCLIENT;
                    return std::nullopt;
                  });
  desktop->mouse_down({10, 10});
  desktop->mouse_move({40, 40});
  desktop->mouse_up({40, 40});
  desktop->run_until_idle();
  int downs = 0;
  for (auto& m : Log(h))
    if (m.msg == WM_NCLBUTTONDOWN) {
      ++downs;
      EXPECT_EQ(m.wParam, WPARAM(2000));
    }
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(Count(h, WM_ENTERSIZEMOVE), 0);
  EXPECT_EQ(Count(h, WM_SYSCOMMAND), 0);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (RECT{0, 0, 100, 100}));
}

TEST_F(NonClient, ThickFrameIsPaintedWithTheClassicColours) {
  SolidCaptions();
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {20, 20, 200, 120});
  desktop->run_until_idle();
  ASSERT_EQ(GetActiveWindow(), h);
  EXPECT_EQ(Px(h, 0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(Px(h, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(h, 199, 119), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(Px(h, 198, 118), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Px(h, 2, 60), GetSysColor(COLOR_ACTIVEBORDER));
  EXPECT_EQ(Px(h, 3, 60), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Px(h, 100, 10), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(Px(h, 100, 22), GetSysColor(COLOR_BTNFACE));  // the line under the caption
  // The close button is a raised push button: light top-left, dark bottom-right.
  EXPECT_EQ(Px(h, 178, 6), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(h, 193, 19), GetSysColor(COLOR_3DDKSHADOW));
}

TEST_F(NonClient, OtherFramesAndEdges) {
  SolidCaptions();
  HWND thin = Create(WS_POPUP | WS_VISIBLE | WS_BORDER, {0, 0, 60, 40}, nullptr, WS_EX_CLIENTEDGE);
  HWND dlg = Create(WS_POPUP | WS_VISIBLE, {100, 0, 60, 40}, nullptr, WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE);
  desktop->run_until_idle();
  EXPECT_EQ(Px(thin, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(Px(thin, 59, 39), GetSysColor(COLOR_WINDOWFRAME));
  // Sunken client edge inside it: shadow top-left outside, dark shadow inside.
  EXPECT_EQ(Px(thin, 1, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Px(thin, 2, 10), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(Px(thin, 58, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(thin, 57, 10), GetSysColor(COLOR_3DLIGHT));
  // Dialog frame: the raised edge and one pixel of button face, then the static edge.
  EXPECT_EQ(Px(dlg, 0, 20), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(Px(dlg, 2, 20), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Px(dlg, 3, 20), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Px(dlg, 56, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(NonClient, ActivationRepaintsTheCaptionInTheInactiveColours) {
  SolidCaptions();
  HWND a = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 200, 100});
  HWND b = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {300, 0, 200, 100});
  desktop->run_until_idle();
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(Px(a, 100, 10), GetSysColor(COLOR_INACTIVECAPTION));
  EXPECT_EQ(Px(b, 100, 10), GetSysColor(COLOR_ACTIVECAPTION));
  SetActiveWindow(a);
  desktop->run_until_idle();
  EXPECT_EQ(Px(a, 100, 10), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(Px(b, 100, 10), GetSysColor(COLOR_INACTIVECAPTION));
  EXPECT_EQ(Px(b, 2, 50), GetSysColor(COLOR_INACTIVEBORDER));
  // A window may paint itself inactive while it is active (floating tool windows do).
  SendMessageW(a, WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(Px(a, 100, 10), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(NonClient, GradientCaptionRunsFromTheCaptionColourToTheGradientColour) {
  SystemParametersInfoW(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<void*>(1), 0);
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 100});
  desktop->run_until_idle();
  // Left of the text area (the icon place) is the start colour; the strip behind the buttons
  // is near the end colour.
  EXPECT_EQ(Px(h, 6, 10), GetSysColor(COLOR_ACTIVECAPTION));
  COLORREF end = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
  COLORREF near = Px(h, 295, 4);
  EXPECT_NEAR(GetRValue(near), GetRValue(end), 4);
  EXPECT_NEAR(GetBValue(near), GetBValue(end), 4);
}

TEST_F(NonClient, NcPaintIsLimitedToItsRegion) {
  SolidCaptions();
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 200, 100});
  desktop->run_until_idle();
  // Spoil two caption pixels, then repaint with a region that covers only the first.
  HDC dc = GetWindowDC(h);
  SetPixel(dc, 50, 10, RGB(1, 2, 3));
  SetPixel(dc, 120, 10, RGB(1, 2, 3));
  ReleaseDC(h, dc);
  HRGN rgn = CreateRectRgn(40, 5, 60, 15);  // screen coordinates (the window is at 0, 0)
  SendMessageW(h, WM_NCPAINT, WPARAM(rgn), 0);
  DeleteObject(rgn);
  EXPECT_EQ(Px(h, 50, 10), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(Px(h, 120, 10), RGB(1, 2, 3));
  SendMessageW(h, WM_NCPAINT, 1, 0);
  EXPECT_EQ(Px(h, 120, 10), GetSysColor(COLOR_ACTIVECAPTION));
}

TEST_F(NonClient, PrintWithNonClientDrawsTheFrameIntoAMemoryDC) {
  SolidCaptions();
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 120, 80});
  desktop->run_until_idle();
  HDC mem = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(h);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 80);
  ReleaseDC(h, screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, 120, 80};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(mem, &all, red);
  SendMessageW(h, WM_PRINT, WPARAM(mem), PRF_NONCLIENT);
  EXPECT_EQ(GetPixel(mem, 0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(mem, 60, 10), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(GetPixel(mem, 60, 50), RGB(255, 0, 0));  // the client area is not the frame's to draw
  // Without PRF_NONCLIENT the frame stays out.
  FillRect(mem, &all, red);
  SendMessageW(h, WM_PRINT, WPARAM(mem), 0);
  EXPECT_EQ(GetPixel(mem, 0, 0), RGB(255, 0, 0));
  // PRF_CHECKVISIBLE skips a hidden window.
  ShowWindow(h, SW_HIDE);
  SendMessageW(h, WM_PRINT, WPARAM(mem), PRF_NONCLIENT | PRF_CHECKVISIBLE);
  EXPECT_EQ(GetPixel(mem, 0, 0), RGB(255, 0, 0));
  SendMessageW(h, WM_PRINT, WPARAM(mem), PRF_NONCLIENT);
  EXPECT_EQ(GetPixel(mem, 0, 0), GetSysColor(COLOR_3DLIGHT));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteObject(red);
  DeleteDC(mem);
}

TEST_F(NonClient, SetCursorPicksSizingCursorsAndTheClassCursor) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 200, 100});
  struct Case {
    LRESULT hit;
    LPCWSTR cursor;
  } cases[] = {{HTLEFT, IDC_SIZEWE},        {HTRIGHT, IDC_SIZEWE},         {HTTOP, IDC_SIZENS},
               {HTBOTTOM, IDC_SIZENS},      {HTTOPLEFT, IDC_SIZENWSE},     {HTBOTTOMRIGHT, IDC_SIZENWSE},
               {HTTOPRIGHT, IDC_SIZENESW},  {HTBOTTOMLEFT, IDC_SIZENESW},  {HTCAPTION, IDC_ARROW},
               {HTGROWBOX, IDC_SIZENWSE}};
  for (const Case& c : cases) {
    SetCursor(nullptr);
    EXPECT_TRUE(SendMessageW(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(WORD(c.hit), WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor)) << "hit " << c.hit;
  }
  // The test class has no cursor: the client area leaves the cursor to the window.
  SetCursor(nullptr);
  EXPECT_FALSE(SendMessageW(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), nullptr);
  HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
  SetClassLongPtrW(h, GCLP_HCURSOR, LONG_PTR(cross));
  EXPECT_TRUE(SendMessageW(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), cross);
  SetClassLongPtrW(h, GCLP_HCURSOR, 0);

  // A parent that sets the cursor for its child wins.
  HWND parent = Create(WS_POPUP | WS_VISIBLE, {300, 0, 100, 100}, nullptr, 0,
                       [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                         if (m == WM_SETCURSOR) {
                           SetCursor(LoadCursorW(nullptr, IDC_HAND));
                           return TRUE;
                         }
                         return std::nullopt;
                       });
  HWND child = Create(WS_CHILD | WS_VISIBLE | WS_THICKFRAME, {0, 0, 50, 50}, parent);
  SendMessageW(child, WM_SETCURSOR, WPARAM(child), MAKELPARAM(HTLEFT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(NonClient, ToolWindowsHaveTheSmallCaptionAndButton) {
  SolidCaptions();
  HWND h = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {0, 0, 150, 80}, nullptr, WS_EX_TOOLWINDOW);
  desktop->run_until_idle();
  // Dialog frame 3, caption band 15 high (SM_CYSMCAPTION - 1), a line, then the client area.
  RECT c;
  GetClientRect(h, &c);
  EXPECT_EQ(c, (RECT{0, 0, 150 - 6, 80 - 6 - 16}));
  EXPECT_EQ(Px(h, 60, 3), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(Px(h, 60, 17), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(Px(h, 60, 18), GetSysColor(COLOR_BTNFACE));
  // Close button 10 x 11 at (135, 5): light top-left corner, dark bottom-right corner.
  EXPECT_EQ(Hit(h, 135, 5), HTCLOSE);
  EXPECT_EQ(Hit(h, 134, 5), HTCAPTION);
  EXPECT_EQ(Px(h, 135, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Px(h, 144, 15), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(Px(h, 145, 10), GetSysColor(COLOR_ACTIVECAPTION));
}

TEST_F(NonClient, SettingTheTextRepaintsTheCaption) {
  SolidCaptions();
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 200, 100});
  desktop->run_until_idle();
  HDC dc = GetWindowDC(h);
  SetPixel(dc, 120, 20, RGB(1, 2, 3));  // low in the caption, below any text
  ReleaseDC(h, dc);
  SetWindowTextW(h, u"Окно");
  EXPECT_EQ(Px(h, 120, 20), GetSysColor(COLOR_ACTIVECAPTION));
}

// A minimised window is a caption strip whose buttons work: restore, maximise, close.
TEST_F(NonClient, MinimisedWindowsAreAllCaptionButTheirButtons) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 200, 100});
  ShowWindow(h, SW_MINIMIZE);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(Hit(h, r.left, r.top), HTCAPTION);
  EXPECT_EQ(Hit(h, r.left + 60, r.top + 10), HTCAPTION);
  EXPECT_EQ(Hit(h, r.right - 1, r.bottom - 1), HTCAPTION);
  EXPECT_EQ(Hit(h, r.right, r.bottom), HTNOWHERE);
  // Buttons of 16 pixels from 2 pixels inside the 4-pixel frame, 2 pixels below its top.
  const int y = r.top + 4 + 2 + 5;
  EXPECT_EQ(Hit(h, r.right - 4 - 2 - 8, y), HTCLOSE);
  EXPECT_EQ(Hit(h, r.right - 4 - 2 - 16 - 2 - 8, y), HTMAXBUTTON);
  EXPECT_EQ(Hit(h, r.right - 4 - 2 - 16 - 2 - 16 - 8, y), HTMINBUTTON);

  // Pressing and releasing the first button restores the window (where a screen shows the
  // strip: minimised windows sit off the screen).
  SetWindowPos(h, nullptr, 0, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(h, &r);
  const POINT restore{r.right - 4 - 2 - 16 - 2 - 16 - 8, r.top + 4 + 2 + 5};
  desktop->mouse_move(restore);
  desktop->script([&] { desktop->mouse_up(restore); });  // while the button follows the pointer
  desktop->mouse_down(restore);
  desktop->run_until_idle();
  EXPECT_FALSE(IsIconic(h));
}

TEST_F(NonClient, ContextHelpModeSendsHelpToTheClickedChild) {
  HWND h = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {0, 0, 200, 150}, nullptr, WS_EX_CONTEXTHELP);
  HWND child = CreateWindowExW(0, u"KvTestWindow", u"", WS_CHILD | WS_VISIBLE, 20, 20, 50, 50, h,
                               reinterpret_cast<HMENU>(uintptr_t(77)), nullptr, nullptr);
  HELPINFO got;
  int helps = 0;
  SetHandler(child, [&](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_HELP) {
      got = *reinterpret_cast<HELPINFO*>(lp);
      ++helps;
      return TRUE;
    }
    return std::nullopt;
  });
  desktop->run_until_idle();
  POINT at{30, 30};
  ClientToScreen(h, &at);
  desktop->click({193 - 8 - 18, 12});  // the help button, left of the close button
  desktop->script([&] { desktop->click(at); });
  desktop->run_until_idle();
  ASSERT_EQ(helps, 1);
  EXPECT_EQ(got.iContextType, HELPINFO_WINDOW);
  EXPECT_EQ(got.iCtrlId, 77);
  EXPECT_EQ(got.hItemHandle, HANDLE(child));
  EXPECT_EQ(got.MousePos, at);
  EXPECT_EQ(GetCapture(), nullptr);

  // Escape leaves the mode without help.
  desktop->script([&] { desktop->press_key(VK_ESCAPE); });
  SendMessageW(h, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  EXPECT_EQ(helps, 1);
  EXPECT_EQ(GetCapture(), nullptr);
  desktop->run_until_idle();
}

TEST_F(NonClient, AMenuBarTakesAStripBelowTheCaption) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 200});
  RECT before;
  GetClientRect(h, &before);
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_STRING, 1, u"Файл");
  ASSERT_TRUE(SetMenu(h, bar));
  RECT after;
  GetClientRect(h, &after);
  EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(Hit(h, 150, 4 + 19 + 5), HTMENU);
  EXPECT_EQ(Hit(h, 150, 4 + 19 + GetSystemMetrics(SM_CYMENU) + 5), HTCLIENT);
  SetMenu(h, nullptr);
  GetClientRect(h, &after);
  EXPECT_EQ(after, before);
  DestroyMenu(bar);
}

TEST_F(NonClient, AdjustWindowRectExAndTheFrameAgree) {
  // A window made from AdjustWindowRectEx's rectangle gets back the client size asked for.
  const DWORD styles[] = {WS_OVERLAPPEDWINDOW, WS_POPUP | WS_BORDER, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          WS_POPUP | WS_DLGFRAME, WS_POPUP | WS_THICKFRAME | WS_DLGFRAME, WS_POPUP, WS_CHILD | WS_BORDER};
  const DWORD exStyles[] = {0, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE, WS_EX_TOOLWINDOW, WS_EX_DLGMODALFRAME,
                            WS_EX_CLIENTEDGE | WS_EX_STATICEDGE};
  HWND parent = Create(WS_POPUP, {0, 0, 400, 400});
  for (DWORD style : styles)
    for (DWORD ex : exStyles) {
      RECT r{0, 0, 120, 90};
      ASSERT_TRUE(AdjustWindowRectEx(&r, style, FALSE, ex));
      HWND h = Create(style, {0, 0, r.right - r.left, r.bottom - r.top}, (style & WS_CHILD) ? parent : nullptr, ex);
      RECT c;
      GetClientRect(h, &c);
      EXPECT_EQ(c, (RECT{0, 0, 120, 90})) << std::hex << "style " << style << " ex " << ex;
      DestroyWindow(h);
    }
}

TEST_F(NonClient, ALongTitleStopsBeforeTheButtons) {
  SolidCaptions();
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, 300, 100});
  SetWindowTextW(h, std::u16string(200, u'Ж').c_str());
  desktop->run_until_idle();
  // Text was drawn in the text area ...
  int inked = 0;
  for (int x = 21; x < 242; ++x)
    for (int y = 4; y < 22; ++y) inked += Px(h, x, y) != GetSysColor(COLOR_ACTIVECAPTION);
  EXPECT_GT(inked, 50);
  // ... and nowhere from the buttons' strip on: its gaps keep the caption colour.
  for (int y = 4; y < 22; ++y) {
    EXPECT_EQ(Px(h, 242, y), GetSysColor(COLOR_ACTIVECAPTION)) << y;
    EXPECT_EQ(Px(h, 276, y), GetSysColor(COLOR_ACTIVECAPTION)) << y;
  }
}
