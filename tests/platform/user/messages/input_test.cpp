// Mouse and keyboard input, capture, focus and activation.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/kernel/Clock.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

class Input : public HeadlessTest {};

TEST_F(Input, AClickOnlyPeekedReachesTheWindowUnderTheCursorAfterCaptureEnds) {
  HWND target = Create(WS_POPUP | WS_VISIBLE, {100, 100, 100, 100});
  HWND loopWindow = CreateWindowExW(0, u"KvTestWindow", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetCapture(loopWindow);
  desktop->click({150, 150});
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
  EXPECT_EQ(m.hwnd, loopWindow);  // while captured, the press would go to the capture window
  ReleaseCapture();               // the loop ends without removing it
  ClearLog();
  desktop->run_until_idle();
  auto log = Log(target);
  auto down = std::find_if(log.begin(), log.end(), [](auto& x) { return x.msg == WM_LBUTTONDOWN; });
  ASSERT_NE(down, log.end());
  EXPECT_EQ(down->lParam, MAKELPARAM(50, 50));
  EXPECT_EQ(Count(loopWindow, WM_LBUTTONDOWN), 0);
}

TEST_F(Input, CustomHitCodesArriveUnchangedInNonClientMessages) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0, [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return GET_Y_LPARAM(lp) < 20 ? LRESULT(2001) : HTCLIENT;
    return std::nullopt;
  });
  desktop->click({10, 10});
  desktop->click({10, 10});
  desktop->mouse_move({10, 50});
  desktop->run_until_idle();
  auto log = Log(h);
  std::vector<std::pair<UINT, WPARAM>> nc;
  for (auto& m : log)
    if (m.msg >= WM_NCMOUSEMOVE && m.msg <= WM_NCXBUTTONDBLCLK) nc.push_back({m.msg, m.wParam});
  std::vector<std::pair<UINT, WPARAM>> want{{WM_NCMOUSEMOVE, 2001}, {WM_NCLBUTTONDOWN, 2001},
                                            {WM_NCLBUTTONUP, 2001}, {WM_NCLBUTTONDBLCLK, 2001},
                                            {WM_NCLBUTTONUP, 2001}};
  EXPECT_EQ(nc, want);
  EXPECT_EQ(Count(h, WM_MOUSEMOVE), 1);
  for (auto& m : log)
    if (m.msg == WM_NCLBUTTONDOWN) {
      EXPECT_EQ(m.lParam, MAKELPARAM(10, 10));  // screen coordinates
    }
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndDistance) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  desktop->click({10, 10});
  desktop->click({11, 11});
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_LBUTTONDBLCLK), 1);
  desktop->click({10, 10});
  desktop->advance(501);
  desktop->click({10, 10});
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_LBUTTONDBLCLK), 1);  // too slow
  desktop->click({30, 30});
  desktop->click({40, 40});
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_LBUTTONDBLCLK), 1);  // too far
  WNDCLASSW wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"KvNoDbl";
  RegisterClassW(&wc);
  HWND plain = CreateWindowExW(0, u"KvNoDbl", u"", WS_POPUP | WS_VISIBLE, 200, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(plain, GWLP_WNDPROC, GetWindowLongPtrW(h, GWLP_WNDPROC));
  desktop->click({210, 10});
  desktop->click({210, 10});
  desktop->run_until_idle();
  EXPECT_EQ(Count(plain, WM_LBUTTONDOWN), 2);
  EXPECT_EQ(Count(plain, WM_LBUTTONDBLCLK), 0);
  DestroyWindow(plain);
  UnregisterClassW(u"KvNoDbl", nullptr);
}

TEST_F(Input, CaptureRoutesMouseToAHiddenWindowAndLossIsReported) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND hidden = Create(WS_POPUP, {0, 0, 10, 10});
  EXPECT_EQ(SetCapture(hidden), nullptr);
  desktop->mouse_move({50, 60});
  desktop->run_until_idle();
  EXPECT_EQ(Count(hidden, WM_MOUSEMOVE), 1);
  EXPECT_EQ(Count(a, WM_MOUSEMOVE), 0);
  for (auto& m : Log(hidden))
    if (m.msg == WM_MOUSEMOVE) {
      EXPECT_EQ(m.lParam, MAKELPARAM(50, 60));
    }
  EXPECT_EQ(SetCapture(a), hidden);
  auto log = Log(hidden);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().msg, WM_CAPTURECHANGED);
  EXPECT_EQ(log.back().lParam, reinterpret_cast<LPARAM>(a));
  // Destroying the capture window releases the capture.
  DestroyWindow(a);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, CaptureLossEndsAModalLoop) {
  HWND owner = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND other = Create(WS_POPUP | WS_VISIBLE, {200, 0, 100, 100});
  SetCapture(owner);
  desktop->script([&] { desktop->mouse_move({10, 10}); });
  desktop->script([&] { SetCapture(other); });
  int moves = 0;
  MSG m;
  while (GetCapture() == owner) {
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (m.message == WM_MOUSEMOVE) ++moves;
    DispatchMessageW(&m);
  }
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(GetCapture(), other);
  ReleaseCapture();
}

TEST_F(Input, ActivationAndFocusMessages) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND b = Create(WS_POPUP | WS_VISIBLE, {200, 0, 100, 100});
  HWND edit = Create(WS_CHILD | WS_VISIBLE, {10, 10, 20, 20}, b);
  EXPECT_EQ(GetActiveWindow(), b);
  ClearLog();
  SetFocus(edit);
  EXPECT_EQ(GetFocus(), edit);
  SetActiveWindow(a);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  auto seq = Log();
  std::vector<std::pair<HWND, UINT>> got;
  for (auto& m : seq)
    if (m.msg == WM_NCACTIVATE || m.msg == WM_ACTIVATE || m.msg == WM_KILLFOCUS || m.msg == WM_SETFOCUS)
      got.push_back({m.hwnd, m.msg});
  std::vector<std::pair<HWND, UINT>> want{{b, WM_KILLFOCUS},      {edit, WM_SETFOCUS},  {b, WM_NCACTIVATE}, {b, WM_ACTIVATE},
                                          {edit, WM_KILLFOCUS}, {a, WM_NCACTIVATE}, {a, WM_ACTIVATE},
                                          {a, WM_SETFOCUS}};
  EXPECT_EQ(got, want);
  ClearLog();
  desktop->set_app_active(false);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(Count(a, WM_ACTIVATEAPP), 1);
  desktop->set_app_active(true);
  EXPECT_EQ(GetActiveWindow(), a);
}

TEST_F(Input, ClickActivatesUnlessTheWindowSaysNoActivate) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND popup = Create(WS_POPUP | WS_VISIBLE, {200, 0, 100, 100}, nullptr, 0, [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return std::nullopt;
  });
  SetActiveWindow(a);
  desktop->click({250, 50});
  desktop->run_until_idle();
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(Count(popup, WM_LBUTTONDOWN), 1);
  HWND b = Create(WS_POPUP | WS_VISIBLE, {400, 0, 100, 100});
  SetActiveWindow(a);
  desktop->click({450, 50});
  desktop->run_until_idle();
  EXPECT_EQ(GetActiveWindow(), b);
}

TEST_F(Input, KeysGoToTheFocusAndTranslateIntoCharacters) {
  HWND w = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  SetFocus(w);
  desktop->press_key('A');
  desktop->key_down(VK_SHIFT);
  desktop->press_key('B');
  desktop->key_up(VK_SHIFT);
  desktop->key_down(VK_MENU);
  desktop->press_key('F');
  desktop->key_up(VK_MENU);
  desktop->press_key('Q', u'й');  // the character comes with the key, whatever the layout
  desktop->run_until_idle();
  std::u16string chars, sysChars;
  for (auto& m : Log(w)) {
    if (m.msg == WM_CHAR) chars += char16_t(m.wParam);
    if (m.msg == WM_SYSCHAR) sysChars += char16_t(m.wParam);
  }
  EXPECT_EQ(chars, u"aBй");
  EXPECT_EQ(sysChars, u"f");
  EXPECT_GE(Count(w, WM_SYSKEYDOWN), 2);  // Alt itself and Alt+F
  EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
  desktop->key_down(VK_CONTROL);
  desktop->run_until_idle();
  EXPECT_NE(GetKeyState(VK_CONTROL) & 0x8000, 0);
  EXPECT_NE(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0);
  desktop->key_up(VK_CONTROL);
  desktop->run_until_idle();
}

TEST_F(Input, WheelGoesToTheFocusWindow) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  HWND b = Create(WS_POPUP | WS_VISIBLE, {200, 0, 100, 100});
  SetFocus(a);
  desktop->wheel({250, 50}, -120);
  desktop->run_until_idle();
  ASSERT_EQ(Count(a, WM_MOUSEWHEEL), 1);
  EXPECT_EQ(Count(b, WM_MOUSEWHEEL), 0);
  for (auto& m : Log(a))
    if (m.msg == WM_MOUSEWHEEL) {
      EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(m.wParam), -120);
    }
}

TEST_F(Input, TrackMouseEventReportsLeaving) {
  HWND a = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  Create(WS_POPUP | WS_VISIBLE, {200, 0, 100, 100});
  desktop->mouse_move({50, 50});
  desktop->run_until_idle();
  TRACKMOUSEEVENT t;
  t.dwFlags = TME_LEAVE;
  t.hwndTrack = a;
  ASSERT_TRUE(TrackMouseEvent(&t));
  desktop->mouse_move({60, 60});
  desktop->run_until_idle();
  EXPECT_EQ(Count(a, WM_MOUSELEAVE), 0);
  desktop->mouse_move({250, 50});
  desktop->run_until_idle();
  EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);
  desktop->mouse_move({10, 10});
  desktop->mouse_move({260, 50});
  desktop->run_until_idle();
  EXPECT_EQ(Count(a, WM_MOUSELEAVE), 1);  // tracking ended with the first leave
  // Tracking a window the cursor is not over reports leaving at once.
  ASSERT_TRUE(TrackMouseEvent(&t));
  desktop->run_until_idle();
  EXPECT_EQ(Count(a, WM_MOUSELEAVE), 2);
}

TEST_F(Input, HoverIsReportedOnceAfterTheCursorRestsForTheHoverTime) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {100, 100, 100, 100});
  desktop->mouse_move({150, 150});
  desktop->run_until_idle();
  TRACKMOUSEEVENT t;
  t.dwFlags = TME_HOVER | TME_LEAVE;
  t.hwndTrack = h;
  t.dwHoverTime = 100;
  ASSERT_TRUE(TrackMouseEvent(&t));
  desktop->advance(60);
  desktop->mouse_move({151, 151});  // inside the hover rectangle: the wait goes on
  desktop->run_until_idle();
  desktop->advance(39);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_MOUSEHOVER), 0);
  desktop->advance(1);
  desktop->run_until_idle();
  ASSERT_EQ(Count(h, WM_MOUSEHOVER), 1);
  for (auto& m : Log(h))
    if (m.msg == WM_MOUSEHOVER) {
      EXPECT_EQ(m.lParam, MAKELPARAM(50, 50));  // client coordinates of where the wait began
    }
  desktop->advance(500);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_MOUSEHOVER), 1);  // hover tracking ends with its report; leave stays on
  t.dwFlags = TME_QUERY;
  ASSERT_TRUE(TrackMouseEvent(&t));
  EXPECT_EQ(t.dwFlags & (TME_HOVER | TME_LEAVE), TME_LEAVE);

  // Moving away from where the wait began starts it again.
  t.dwFlags = TME_HOVER;
  t.hwndTrack = h;
  t.dwHoverTime = 100;
  ASSERT_TRUE(TrackMouseEvent(&t));
  desktop->advance(80);
  desktop->mouse_move({170, 170});
  desktop->run_until_idle();
  desktop->advance(80);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_MOUSEHOVER), 1);
  desktop->advance(20);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_MOUSEHOVER), 2);
}

TEST_F(Input, AWaitingLoopWakesWhenAHoverFallsDue) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
  desktop->mouse_move({50, 50});
  desktop->run_until_idle();
  TRACKMOUSEEVENT t;
  t.dwFlags = TME_HOVER;
  t.hwndTrack = h;
  t.dwHoverTime = 250;
  ASSERT_TRUE(TrackMouseEvent(&t));
  // Nothing else is queued: the loop must wait for the hover's time, not forever.
  desktop->script([&] { desktop->advance(250); });
  MSG m;
  ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_MOUSEHOVER);
  EXPECT_EQ(m.hwnd, h);
}

TEST_F(Input, ThePointerStaysInsideItsConfinement) {
  RECT box{100, 100, 200, 150};
  ASSERT_TRUE(ClipCursor(&box));
  desktop->mouse_move({500, 20});
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p, (POINT{199, 100}));
  SetCursorPos(0, 400);
  GetCursorPos(&p);
  EXPECT_EQ(p, (POINT{100, 149}));
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 300, 300});
  desktop->click({10, 10});  // lands at the nearest point inside the confinement
  desktop->run_until_idle();
  auto log = Log(h);
  auto down = std::find_if(log.begin(), log.end(), [](auto& x) { return x.msg == WM_LBUTTONDOWN; });
  ASSERT_NE(down, log.end());
  EXPECT_EQ(down->lParam, MAKELPARAM(100, 100));
  ClipCursor(nullptr);
  desktop->mouse_move({500, 20});
  GetCursorPos(&p);
  EXPECT_EQ(p, (POINT{500, 20}));
}

TEST_F(Input, MovingOverAWindowShowsItsClassCursorUnlessItSetsOne) {
  HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
  WNDCLASSW wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hCursor = cross;
  wc.lpszClassName = u"KvCrossCursorWindow";
  ASSERT_TRUE(RegisterClassW(&wc));
  HWND plain = CreateWindowExW(0, u"KvCrossCursorWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
  HWND own = Create(WS_POPUP | WS_VISIBLE, {200, 0, 100, 100});  // class without a cursor
  HCURSOR beam = LoadCursorW(nullptr, IDC_IBEAM);
  SetHandler(own, [&](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_SETCURSOR && LOWORD(lp) == HTCLIENT) {
      SetCursor(beam);
      return TRUE;
    }
    return std::nullopt;
  });
  desktop->mouse_move({50, 50});
  desktop->run_until_idle();
  EXPECT_EQ(GetCursor(), cross);
  desktop->mouse_move({250, 50});
  desktop->run_until_idle();
  EXPECT_EQ(GetCursor(), beam);
  desktop->mouse_move({50, 60});
  desktop->run_until_idle();
  EXPECT_EQ(GetCursor(), cross);
  DestroyWindow(plain);
  UnregisterClassW(u"KvCrossCursorWindow", nullptr);
}

TEST_F(Input, TheCaretIsASolidBlockOrAPictureCombinedByXorAndBlinks) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});  // white background
  desktop->run_until_idle();
  ASSERT_EQ(desktop->surface_pixel(h, 10, 10), RGB(255, 255, 255));
  // Solid: its rectangle inverted while shown.
  ASSERT_TRUE(CreateCaret(h, nullptr, 2, 5));
  SetCaretPos(10, 10);
  EXPECT_EQ(desktop->surface_pixel(h, 10, 10), RGB(255, 255, 255));  // created hidden
  ShowCaret(h);
  EXPECT_EQ(desktop->surface_pixel(h, 11, 14), RGB(0, 0, 0));
  EXPECT_EQ(desktop->surface_pixel(h, 12, 14), RGB(255, 255, 255));
  EXPECT_EQ(desktop->surface_pixel(h, 11, 15), RGB(255, 255, 255));
  desktop->advance(GetCaretBlinkTime());  // blinks off, then on again
  desktop->run_until_idle();
  EXPECT_EQ(desktop->surface_pixel(h, 11, 14), RGB(255, 255, 255));
  desktop->advance(GetCaretBlinkTime());
  desktop->run_until_idle();
  EXPECT_EQ(desktop->surface_pixel(h, 11, 14), RGB(0, 0, 0));
  DestroyCaret();
  EXPECT_EQ(desktop->surface_pixel(h, 11, 14), RGB(255, 255, 255));

  // A picture: its own size, its colours combined with what is below by XOR.
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = 3;
  bi.bmiHeader.biHeight = -2;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP pic = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(pic, nullptr);
  auto* px = static_cast<uint32_t*>(bits);
  const uint32_t colours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0x808080};
  std::copy(std::begin(colours), std::end(colours), px);
  ASSERT_TRUE(CreateCaret(h, pic, 50, 50));  // the size given is ignored
  SetCaretPos(20, 30);
  ShowCaret(h);
  EXPECT_EQ(desktop->surface_pixel(h, 20, 30), RGB(0, 255, 255));
  EXPECT_EQ(desktop->surface_pixel(h, 21, 30), RGB(255, 0, 255));
  EXPECT_EQ(desktop->surface_pixel(h, 22, 30), RGB(255, 255, 0));
  EXPECT_EQ(desktop->surface_pixel(h, 20, 31), RGB(255, 255, 255));
  EXPECT_EQ(desktop->surface_pixel(h, 21, 31), RGB(0, 0, 0));
  EXPECT_EQ(desktop->surface_pixel(h, 22, 31), RGB(127, 127, 127));
  EXPECT_EQ(desktop->surface_pixel(h, 23, 30), RGB(255, 255, 255));
  EXPECT_EQ(desktop->surface_pixel(h, 20, 32), RGB(255, 255, 255));
  SetCaretPos(40, 40);  // moving takes it away from the old place
  EXPECT_EQ(desktop->surface_pixel(h, 21, 31), RGB(255, 255, 255));
  EXPECT_EQ(desktop->surface_pixel(h, 41, 41), RGB(0, 0, 0));
  HideCaret(h);
  EXPECT_EQ(desktop->surface_pixel(h, 41, 41), RGB(255, 255, 255));
  DestroyCaret();
  DeleteObject(pic);
}

// A keyboard state set by the program is what the key questions answer afterwards.
TEST_F(Input, SetKeyboardStateIsWhatTheKeyQuestionsAnswer) {
  BYTE state[256] = {};
  state[VK_SHIFT] = 0x80;    // held
  state[VK_CAPITAL] = 0x01;  // toggled on
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_NE(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
  BYTE back[256];
  std::fill(std::begin(back), std::end(back), BYTE(0x55));
  ASSERT_TRUE(GetKeyboardState(back));
  EXPECT_TRUE(std::equal(std::begin(state), std::end(state), std::begin(back)));
  std::fill(std::begin(state), std::end(state), BYTE(0));
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_FALSE(SetKeyboardState(nullptr));
}

// A press, a move and a release over no window, then one more move, all queued before the press
// is taken (a busy program): the release still reaches the window that had the press, whether its
// drag loop peeks at other messages before it takes the capture, takes none, or the queue is
// peeked before the press; the move after the release reaches no one.
TEST_F(Input, AQueuedReleaseOverNoWindowEndsWhatItsPressBegan) {
  struct Row {
    const char* name;
    bool peekBeforePress;    // a loop looks for other messages while the press is still queued
    bool peekBeforeCapture;  // the press's loop processes paints before it takes the capture
    bool takeCapture;        // else the window receives what follows the press as it comes
  };
  const Row rows[] = {{"loop peeking before its capture", false, true, true},
                      {"loop capturing at once", false, false, true},
                      {"queue peeked before the press", true, true, true},
                      {"no capture taken", false, false, false}};
  const POINT outside{500, 400}, later{520, 420};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::optional<POINT> released;  // where the press's own loop saw the button come up
    HWND w = Create(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0,
                    [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                      if (m != WM_LBUTTONDOWN || !row.takeCapture) return std::nullopt;
                      MSG msg;
                      if (row.peekBeforeCapture) PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
                      SetCapture(h);
                      // The drag loop: ends at the release, or when nothing is left to take.
                      while (!released && GetCapture() == h && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                        if (msg.message == WM_LBUTTONUP) released = msg.pt;
                        if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST) DispatchMessageW(&msg);
                      }
                      ReleaseCapture();
                      return 0;
                    });
    ClearLog();
    desktop->mouse_down({50, 50});
    desktop->mouse_move(outside);
    desktop->mouse_up(outside);
    desktop->mouse_move(later);
    MSG msg;
    if (row.peekBeforePress) {
      EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    }
    desktop->run_until_idle();
    const LPARAM outsideInClient = MAKELPARAM(outside.x, outside.y), laterInClient = MAKELPARAM(later.x, later.y);
    // Checks that go on to the next row: the window's handler must not outlive this one.
    if (row.takeCapture) {
      EXPECT_TRUE(released.has_value());
      EXPECT_EQ(released.value_or(POINT{}).x, outside.x);
      EXPECT_EQ(released.value_or(POINT{}).y, outside.y);
    } else {
      auto log = Log(w);
      auto up = std::find_if(log.begin(), log.end(), [](auto& x) { return x.msg == WM_LBUTTONUP; });
      EXPECT_TRUE(up != log.end() && up->lParam == outsideInClient);
      EXPECT_EQ(std::count_if(log.begin(), log.end(), [&](auto& x) { return x.msg == WM_MOUSEMOVE && x.lParam == outsideInClient; }), 1);
    }
    for (auto& m : Log(w)) EXPECT_FALSE(m.msg == WM_MOUSEMOVE && m.lParam == laterInClient);
    DestroyWindow(w);
  }
}
