// Mouse tracking of window scroll bars: arrows and page areas with auto-repeat on the virtual
// clock, dragging the thumb, disabled bars.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/detail/ScrollBarTrack.h"
#include "platform/user/detail/UserCore.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

// A 200x200 popup at (0, 0) with a vertical bar at x 184..199: arrows at y 0..15 and 184..199,
// track 16..183 (168 pixels). Range 0..99, page 10: a 16-pixel thumb.
constexpr POINT kUp{192, 8}, kDown{192, 190};

class ScrollTrack : public HeadlessTest {
 protected:
  void TearDown() override {
    ResetSystemParameters();
    HeadlessTest::TearDown();
  }
  // The window answers its own scroll requests the usual way.
  HWND MakeWindow(DWORD bar = WS_VSCROLL) {
    HWND h = Create(WS_POPUP | WS_VISIBLE | bar, {0, 0, 200, 200}, nullptr, 0,
                    [this](HWND w, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
                      if (m != WM_VSCROLL && m != WM_HSCROLL) return std::nullopt;
                      int which = m == WM_VSCROLL ? SB_VERT : SB_HORZ;
                      requests.push_back(LOWORD(wp));
                      SCROLLINFO si;
                      si.fMask = SIF_ALL;
                      GetScrollInfo(w, which, &si);
                      if (LOWORD(wp) == SB_THUMBTRACK) trackPositions.push_back({HIWORD(wp), si.nTrackPos});
                      int pos = si.nPos;
                      switch (LOWORD(wp)) {
                        case SB_LINEUP: pos -= 1; break;
                        case SB_LINEDOWN: pos += 1; break;
                        case SB_PAGEUP: pos -= int(si.nPage); break;
                        case SB_PAGEDOWN: pos += int(si.nPage); break;
                        case SB_THUMBPOSITION: pos = HIWORD(wp); break;
                        default: break;
                      }
                      SetScrollPos(w, which, pos, TRUE);
                      return 0;
                    });
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    SetScrollInfo(h, bar == WS_VSCROLL ? SB_VERT : SB_HORZ, &si, TRUE);
    desktop->run_until_idle();
    return h;
  }
  int Requests(WORD code) const { return int(std::count(requests.begin(), requests.end(), code)); }

  std::vector<WORD> requests;
  std::vector<std::pair<int, int>> trackPositions;  // (position in the message, nTrackPos)
};

}  // namespace

TEST_F(ScrollTrack, AClickOnAnArrowScrollsOneLineAndEnds) {
  HWND h = MakeWindow();
  desktop->click(kDown);
  desktop->run_until_idle();
  EXPECT_EQ(requests, (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 1);
  desktop->advance(1000);
  desktop->click(kUp);
  desktop->run_until_idle();
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollTrack, HoldingAnArrowRepeatsAfterTheKeyboardDelayAtTheRepeatRate) {
  // Delay 0 -> 250 ms; speed 0 -> 400 ms between repeats.
  SystemParametersInfoW(SPI_SETKEYBOARDDELAY, 0, nullptr, 0);
  SystemParametersInfoW(SPI_SETKEYBOARDSPEED, 0, nullptr, 0);
  ASSERT_EQ(frame::ScrollRepeatDelay(), 250u);
  ASSERT_EQ(frame::ScrollRepeatPeriod(), 400u);
  HWND h = MakeWindow();
  desktop->mouse_down(kDown);
  desktop->script([&] { desktop->advance(249); });
  desktop->script([&] {
    EXPECT_EQ(Requests(SB_LINEDOWN), 1);  // not yet
    desktop->advance(1);
  });
  desktop->script([&] {
    EXPECT_EQ(Requests(SB_LINEDOWN), 2);
    desktop->advance(399);
  });
  desktop->script([&] {
    EXPECT_EQ(Requests(SB_LINEDOWN), 2);
    desktop->advance(1);
  });
  desktop->script([&] {
    EXPECT_EQ(Requests(SB_LINEDOWN), 3);
    desktop->mouse_up(kDown);
  });
  desktop->run_until_idle();
  EXPECT_EQ(Requests(SB_LINEDOWN), 3);
  EXPECT_EQ(requests.back(), SB_ENDSCROLL);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 3);

  // The fastest rate: speed 31 repeats every 33 ms.
  SystemParametersInfoW(SPI_SETKEYBOARDSPEED, 31, nullptr, 0);
  EXPECT_EQ(frame::ScrollRepeatPeriod(), 33u);
}

TEST_F(ScrollTrack, RepeatsPauseWhileTheMouseIsOffThePressedPart) {
  MakeWindow();
  desktop->mouse_down(kDown);
  desktop->script([&] { desktop->mouse_move({100, 100}); });
  desktop->script([&] { desktop->advance(2000); });
  desktop->script([&] {
    EXPECT_EQ(Requests(SB_LINEDOWN), 1);
    desktop->mouse_move(kDown);
  });
  desktop->script([&] { desktop->advance(frame::ScrollRepeatPeriod()); });
  desktop->script([&] {
    EXPECT_EQ(Requests(SB_LINEDOWN), 2);
    desktop->mouse_up(kDown);
  });
  desktop->run_until_idle();
}

TEST_F(ScrollTrack, PageRepeatsStopWhenTheThumbReachesTheMouse) {
  HWND h = MakeWindow();
  POINT at{192, 60};
  desktop->mouse_down(at);
  // Thumb at 16..31; each page moves it about 17 pixels: after two pages it covers y 60.
  for (int i = 0; i < 4; ++i) desktop->script([&] { desktop->advance(1000); });
  desktop->script([&] { desktop->mouse_up(at); });
  desktop->run_until_idle();
  EXPECT_EQ(Requests(SB_PAGEDOWN), 2);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 20);
  EXPECT_EQ(requests.back(), SB_ENDSCROLL);
}

TEST_F(ScrollTrack, DraggingTheThumbTracksThenSetsThePosition) {
  HWND h = MakeWindow();
  desktop->mouse_down({192, 20});  // 4 pixels into the thumb
  desktop->script([&] { desktop->mouse_move({192, 100}); });
  desktop->script([&] {
    // Thumb start 100 - 4 - 16 = 80 of 152 pixels of room: position 80 * 90 / 152 = 47.
    ASSERT_FALSE(trackPositions.empty());
    EXPECT_EQ(trackPositions.back(), (std::pair<int, int>{47, 47}));
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 0);  // only the track position moved
    desktop->mouse_move({192, 500});         // beyond the end
  });
  desktop->script([&] { desktop->mouse_up({192, 500}); });
  desktop->run_until_idle();
  EXPECT_EQ(trackPositions.back().first, 90);
  ASSERT_GE(requests.size(), 2u);
  EXPECT_EQ(requests[requests.size() - 2], SB_THUMBPOSITION);
  EXPECT_EQ(requests.back(), SB_ENDSCROLL);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 90);
  SCROLLINFO si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(h, SB_VERT, &si);
  EXPECT_EQ(si.nTrackPos, 90);
}

// The press, a move, the release and a move after it all queued before the loop runs (as a busy
// desktop hands them over): the thumb ends where the button came up, not at the last move nor
// where the pointer has gone since.
TEST_F(ScrollTrack, ADraggedThumbEndsWhereTheButtonComesUp) {
  struct Case {
    const char* name;
    int moveY, releaseY;
    bool alone;  // the release reaches the queue with no move to its point before it
  };
  for (const Case& c : {Case{"released past the last move", 60, 100, false},
                        Case{"released at the last move", 100, 100, false},
                        Case{"released past the last move, with no move there", 60, 100, true}}) {
    HWND h = MakeWindow();
    requests.clear();
    desktop->mouse_down({192, 20});  // 4 pixels into the thumb
    desktop->mouse_move({192, c.moveY});
    if (c.alone) {
      user::InputEvent up;
      up.message = WM_LBUTTONUP;
      up.pt = {192, c.releaseY};
      user::AddInputEvent(up);
    } else {
      desktop->mouse_up({192, c.releaseY});
    }
    desktop->mouse_move({192, 500});
    desktop->run_until_idle();
    // Thumb start 100 - 4 - 16 = 80 of 152 pixels of room: position 80 * 90 / 152 = 47.
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 47) << c.name;
    ASSERT_GE(requests.size(), 2u) << c.name;
    EXPECT_EQ(requests[requests.size() - 2], SB_THUMBPOSITION) << c.name;
    DestroyWindow(h);
    desktop->run_until_idle();
  }
}

TEST_F(ScrollTrack, DisabledPartsDoNothing) {
  HWND h = MakeWindow();
  EnableScrollBar(h, SB_VERT, ESB_DISABLE_DOWN);
  desktop->click(kDown);
  desktop->run_until_idle();
  EXPECT_TRUE(requests.empty());
  SetScrollPos(h, SB_VERT, 5, TRUE);
  desktop->advance(1000);
  desktop->click(kUp);
  desktop->run_until_idle();
  EXPECT_EQ(requests, (std::vector<WORD>{SB_LINEUP, SB_ENDSCROLL}));
  requests.clear();
  EnableScrollBar(h, SB_VERT, ESB_DISABLE_BOTH);
  desktop->advance(1000);
  desktop->click({192, 100});
  desktop->run_until_idle();
  EXPECT_TRUE(requests.empty());
}

TEST_F(ScrollTrack, HorizontalBarsSendHorizontalRequests) {
  HWND h = MakeWindow(WS_HSCROLL);
  desktop->click({190, 192});  // right arrow
  desktop->run_until_idle();
  EXPECT_EQ(requests, (std::vector<WORD>{SB_LINERIGHT, SB_ENDSCROLL}));
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 1);
  EXPECT_EQ(Count(h, WM_VSCROLL), 0);
}

// Pressing the thumb does not move it: while held it stays where it was drawn until the mouse
// moves, for a first drag and for one after the thumb was dragged elsewhere.
TEST_F(ScrollTrack, PressingTheThumbLeavesItInPlace) {
  HWND h = MakeWindow();
  auto thumbTop = [&] {
    SCROLLBARINFO info;
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &info));
    return info.xyThumbTop;
  };
  for (int pos : {45, 80}) {
    SetScrollPos(h, SB_VERT, pos, TRUE);
    desktop->run_until_idle();
    const LONG before = thumbTop();
    ASSERT_GT(before, 16) << "the thumb is away from the track's start";
    POINT grab{192, int(before) + 4};
    desktop->mouse_down(grab);
    desktop->script([&] { EXPECT_EQ(thumbTop(), before) << "held at " << pos; });
    desktop->script([&] { desktop->mouse_up(grab); });
    desktop->run_until_idle();
    EXPECT_EQ(GetScrollPos(h, SB_VERT), pos);
  }
}
