// The move and size loops: mouse drags from the caption and the borders, the messages that let a
// window steer them, track sizes, Escape, capture loss and the keyboard forms.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/MoveSize.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class MoveSize : public HeadlessTest {
 protected:
  RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }
  // The messages of `h` among those the loop is about, in order.
  std::vector<UINT> LoopMessages(HWND h) {
    std::vector<UINT> out;
    for (UINT m : Messages(h))
      if (m == WM_ENTERSIZEMOVE || m == WM_EXITSIZEMOVE || m == WM_MOVING || m == WM_SIZING) {
        if (out.empty() || out.back() != m) out.push_back(m);
      }
    return out;
  }
};

}  // namespace

TEST_F(MoveSize, DraggingTheCaptionMovesTheWholeWindowAsTheMouseGoes) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  desktop->run_until_idle();
  std::vector<RECT> seen;
  SetHandler(h, [&](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_MOVING) seen.push_back(*reinterpret_cast<RECT*>(lp));
    return std::nullopt;
  });
  desktop->mouse_down({250, 110});
  desktop->mouse_move({260, 115});
  desktop->script([&] {  // moves queued together would be merged into one
    desktop->mouse_move({270, 140});
    desktop->mouse_up({270, 140});
  });
  desktop->run_until_idle();
  EXPECT_EQ(WindowRect(h), (RECT{120, 130, 420, 330}));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (RECT{110, 105, 410, 305}));  // screen coordinates, before the move
  EXPECT_EQ(LoopMessages(h), (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE}));
  EXPECT_EQ(GetCapture(), nullptr);
  // The command the caption sent is the mouse form of SC_MOVE.
  for (auto& m : Log(h))
    if (m.msg == WM_SYSCOMMAND) {
      EXPECT_EQ(m.wParam, SC_MOVE | HTCAPTION);
    }
}

// A size grip asks for the mouse sizing loop with no point: the loop starts where the pointer is,
// so the window's corner follows the pointer from there instead of jumping by its position.
TEST_F(MoveSize, AMouseCommandWithoutAPointStartsAtThePointer) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  desktop->run_until_idle();
  desktop->mouse_move({390, 290});
  desktop->run_until_idle();
  desktop->script([&] {
    desktop->mouse_move({340, 280});
    desktop->mouse_up({340, 280});
  });
  SendMessageW(h, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, 0);
  EXPECT_EQ(WindowRect(h), (RECT{100, 100, 350, 290}));
  desktop->script([&] {
    desktop->mouse_move({360, 300});
    desktop->mouse_up({360, 300});
  });
  SendMessageW(h, WM_SYSCOMMAND, SC_MOVE + 2, 0);
  EXPECT_EQ(WindowRect(h), (RECT{120, 120, 370, 310}));
}

TEST_F(MoveSize, TheWindowMayChangeTheMovingRectangle) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200}, nullptr, 0,
                  [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
                    if (m == WM_MOVING) {
                      auto* r = reinterpret_cast<RECT*>(lp);
                      int snapped = r->left / 50 * 50;  // snap to a 50-pixel grid horizontally
                      r->right += snapped - r->left;
                      r->left = snapped;
                      return TRUE;
                    }
                    return std::nullopt;
                  });
  desktop->mouse_down({250, 110});
  desktop->mouse_move({290, 120});
  desktop->mouse_up({290, 120});
  desktop->run_until_idle();
  EXPECT_EQ(WindowRect(h), (RECT{100, 110, 400, 310}));
}

TEST_F(MoveSize, SizingFromACornerFollowsTheMouseWithinTheTrackSizes) {
  std::vector<WPARAM> edges;
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {300, 100, 300, 200}, nullptr, 0,
                  [&](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
                    if (m == WM_GETMINMAXINFO) {
                      auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
                      mmi->ptMinTrackSize = POINT{200, 150};
                      mmi->ptMaxTrackSize = POINT{500, 400};
                      return 0;
                    }
                    if (m == WM_SIZING) edges.push_back(wp);
                    return std::nullopt;
                  });
  desktop->mouse_down({599, 299});  // bottom-right corner
  desktop->mouse_move({620, 330});
  desktop->mouse_move({450, 200});  // far past the minimum
  desktop->mouse_up({450, 200});
  desktop->run_until_idle();
  EXPECT_EQ(WindowRect(h), (RECT{300, 100, 500, 250}));
  ASSERT_FALSE(edges.empty());
  EXPECT_EQ(edges.front(), WMSZ_BOTTOMRIGHT);
  RECT c;
  GetClientRect(h, &c);
  EXPECT_EQ(c.right, 200 - 8);  // WM_SIZE and the new client area came along

  // From the left edge: the right edge stays, the maximum holds.
  edges.clear();
  desktop->mouse_down({301, 200});
  desktop->mouse_move({0, 200});
  desktop->mouse_up({0, 200});
  desktop->run_until_idle();
  EXPECT_EQ(WindowRect(h), (RECT{0, 100, 500, 250}));
  ASSERT_FALSE(edges.empty());
  EXPECT_EQ(edges.front(), WMSZ_LEFT);
}

TEST_F(MoveSize, EscapePutsTheWindowBackAndCaptureLossEndsTheLoop) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  desktop->mouse_down({250, 110});
  desktop->mouse_move({350, 210});
  desktop->script([&] {
    EXPECT_EQ(WindowRect(h), (RECT{200, 200, 500, 400}));  // moved while dragging
    desktop->key_down(VK_ESCAPE);
  });
  desktop->run_until_idle();
  EXPECT_EQ(WindowRect(h), (RECT{100, 100, 400, 300}));
  EXPECT_EQ(Count(h, WM_EXITSIZEMOVE), 1);
  EXPECT_EQ(GetCapture(), nullptr);
  desktop->key_up(VK_ESCAPE);
  desktop->mouse_up({350, 210});
  desktop->run_until_idle();

  // Another window taking the capture ends the loop where the window is.
  HWND other = Create(WS_POPUP | WS_VISIBLE, {600, 0, 50, 50});
  ClearLog();
  desktop->advance(1000);  // not a double-click
  desktop->mouse_down({250, 110});
  desktop->mouse_move({260, 130});
  desktop->script([&] { SetCapture(other); });
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_EXITSIZEMOVE), 1);
  EXPECT_EQ(WindowRect(h), (RECT{110, 120, 410, 320}));
  EXPECT_EQ(GetCapture(), other);
  ReleaseCapture();
  desktop->mouse_up({260, 130});
  desktop->run_until_idle();
}

TEST_F(MoveSize, KeyboardMoveAndSizeStepByEightPixels) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  desktop->run_until_idle();
  desktop->script([&] {
    desktop->press_key(VK_RIGHT);
    desktop->press_key(VK_RIGHT);
    desktop->press_key(VK_DOWN);
    desktop->press_key(VK_RETURN);
  });
  SendMessageW(h, WM_SYSCOMMAND, SC_MOVE, 0);
  EXPECT_EQ(WindowRect(h), (RECT{116, 108, 416, 308}));

  // Sizing: the first arrow picks the edge, the next ones move it.
  desktop->script([&] {
    desktop->press_key(VK_LEFT);
    desktop->press_key(VK_LEFT);
    desktop->press_key(VK_LEFT);
    desktop->press_key(VK_RETURN);
  });
  SendMessageW(h, WM_SYSCOMMAND, SC_SIZE, 0);
  EXPECT_EQ(WindowRect(h), (RECT{100, 108, 416, 308}));
  EXPECT_EQ(GetCapture(), nullptr);
  desktop->run_until_idle();
}

TEST_F(MoveSize, NothingMovesThatMayNotMove) {
  // A maximised window neither moves nor sizes; a fixed frame does not size.
  HWND big = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  ShowWindow(big, SW_MAXIMIZE);
  RECT before = WindowRect(big);
  ClearLog();
  SendMessageW(big, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(300, 10));
  SendMessageW(big, WM_SYSCOMMAND, SC_SIZE + WMSZ_RIGHT, MAKELPARAM(300, 10));
  EXPECT_EQ(Count(big, WM_ENTERSIZEMOVE), 0);
  EXPECT_EQ(WindowRect(big), before);
  ShowWindow(big, SW_RESTORE);

  HWND fixed = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {500, 100, 200, 100});
  SendMessageW(fixed, WM_SYSCOMMAND, SC_SIZE + WMSZ_RIGHT, MAKELPARAM(699, 150));
  EXPECT_EQ(Count(fixed, WM_ENTERSIZEMOVE), 0);
}

TEST_F(MoveSize, DoubleClickOnTheCaptionMaximisesAndRestores) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200});
  desktop->click({250, 110});
  desktop->click({250, 110});
  desktop->run_until_idle();
  EXPECT_TRUE(IsZoomed(h));
  RECT r = WindowRect(h);
  POINT caption{(r.left + r.right) / 2, r.top + 10};
  desktop->advance(1000);
  desktop->click(caption);
  desktop->click(caption);
  desktop->run_until_idle();
  EXPECT_FALSE(IsZoomed(h));
  EXPECT_EQ(WindowRect(h), (RECT{100, 100, 400, 300}));
}

TEST_F(MoveSize, AWindowDestroyedInsideTheLoopEndsIt) {
  HWND h = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 300, 200}, nullptr, 0,
                  [](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                    if (m == WM_MOVING) DestroyWindow(w);
                    return std::nullopt;
                  });
  desktop->mouse_down({250, 110});
  desktop->mouse_move({260, 120});
  desktop->mouse_move({270, 130});
  desktop->mouse_up({270, 130});
  desktop->run_until_idle();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MoveSize, DefaultTrackSizesComeFromTheMetricsAndTheWorkArea) {
  HWND h = Create(WS_OVERLAPPEDWINDOW, {10, 10, 300, 200});
  MINMAXINFO mmi = frame::MinMaxInfoOf(h);
  EXPECT_EQ(mmi.ptMinTrackSize.x, 112);
  EXPECT_EQ(mmi.ptMinTrackSize.y, 27);
  // The headless screen is 800x600 with its whole area to work in; the frame lies outside it.
  EXPECT_EQ(mmi.ptMaxSize.x, 800 + 8);
  EXPECT_EQ(mmi.ptMaxPosition.x, -4);
}
