// Scroll-bar ranges, pages and positions, showing, hiding and enabling window bars, the bar
// geometry and its drawing.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/kernel/LastError.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/frames/ScrollBarGeometry.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class ScrollInfo : public HeadlessTest {
 protected:
  SCROLLINFO Get(HWND h, int bar) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(h, bar, &si));
    return si;
  }
  int Set(HWND h, int bar, UINT mask, int min, int max, UINT page, int pos) {
    SCROLLINFO si;
    si.fMask = mask;
    si.nMin = min;
    si.nMax = max;
    si.nPage = page;
    si.nPos = pos;
    return SetScrollInfo(h, bar, &si, TRUE);
  }
  int ClientHeight(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return r.bottom;
  }
};

}  // namespace

TEST(ScrollBarGeometry, ArrowsTrackAndProportionalThumb) {
  frame::ScrollData d;
  d.min = 0;
  d.max = 99;
  d.page = 25;
  RECT bar{0, 0, 16, 232};  // a 200-pixel track
  frame::ScrollBarParts p = frame::ComputeScrollBarParts(bar, true, d, 0);
  EXPECT_EQ(p.arrowUp, (RECT{0, 0, 16, 16}));
  EXPECT_EQ(p.arrowDown, (RECT{0, 216, 16, 232}));
  EXPECT_EQ(p.trackLength, 200);
  EXPECT_EQ(p.thumbLength, 50);  // 200 * 25 / 100
  EXPECT_EQ(p.thumb, (RECT{0, 16, 16, 66}));
  // The last position (max - page + 1 = 75) puts the thumb at the track's end.
  p = frame::ComputeScrollBarParts(bar, true, d, 75);
  EXPECT_EQ(p.thumb.bottom, 216);
  EXPECT_EQ(frame::PositionFromThumb(p, d, p.thumbStart), 75);
  EXPECT_EQ(frame::PositionFromThumb(p, d, 75), 38);  // halfway (150 pixels of room)
  EXPECT_EQ(frame::PositionFromThumb(p, d, -20), 0);
  EXPECT_EQ(frame::PositionFromThumb(p, d, 500), 75);
  EXPECT_EQ(frame::HitScrollBar(p, POINT{8, 5}), frame::ScrollPart::ArrowUp);
  EXPECT_EQ(frame::HitScrollBar(p, POINT{8, 100}), frame::ScrollPart::PageUp);
  EXPECT_EQ(frame::HitScrollBar(p, POINT{8, 200}), frame::ScrollPart::Thumb);
  EXPECT_EQ(frame::HitScrollBar(p, POINT{8, 220}), frame::ScrollPart::ArrowDown);
  EXPECT_EQ(frame::HitScrollBar(p, POINT{20, 100}), frame::ScrollPart::None);

  // A huge range keeps the thumb at its minimum length; page 0 gives a square thumb.
  d.max = 1000000;
  d.page = 1;
  EXPECT_EQ(frame::ComputeScrollBarParts(bar, true, d, 0).thumbLength, frame::kMinThumb);
  d.page = 0;
  EXPECT_EQ(frame::ComputeScrollBarParts(bar, true, d, 0).thumbLength, 16);
  // A bar too short for two arrows halves them and shows no thumb.
  frame::ScrollBarParts shortBar = frame::ComputeScrollBarParts(RECT{0, 0, 20, 16}, false, d, 0);
  EXPECT_EQ(shortBar.arrowUp, (RECT{0, 0, 10, 16}));
  EXPECT_EQ(shortBar.arrowDown, (RECT{10, 0, 20, 16}));
  EXPECT_EQ(shortBar.thumbLength, 0);
  // Nothing to scroll: no thumb.
  d.max = 10;
  d.page = 11;
  EXPECT_FALSE(frame::CanScroll(d));
  EXPECT_EQ(frame::ComputeScrollBarParts(bar, true, d, 0).thumbLength, 0);
}

TEST_F(ScrollInfo, DefaultsClampingAndPositionRules) {
  HWND h = Create(WS_POPUP | WS_VSCROLL, {0, 0, 200, 200});
  SCROLLINFO si = Get(h, SB_VERT);
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 100);
  EXPECT_EQ(si.nPos, 0);
  // The position stops at max - page + 1.
  EXPECT_EQ(Set(h, SB_VERT, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 500), 90);
  EXPECT_EQ(Set(h, SB_VERT, SIF_POS, 0, 0, 0, -5), 0);
  // A page larger than the range shrinks to range + 1.
  Set(h, SB_VERT, SIF_PAGE, 0, 0, 1000, 0);
  EXPECT_EQ(Get(h, SB_VERT).nPage, 100u);
  // Positions and ranges through the older calls.
  Set(h, SB_VERT, SIF_ALL, 10, 60, 0, 20);
  EXPECT_EQ(SetScrollPos(h, SB_VERT, 40, FALSE), 20);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 40);
  EXPECT_EQ(SetScrollPos(h, SB_VERT, 1000, FALSE), 40);
  EXPECT_EQ(GetScrollPos(h, SB_VERT), 60);
  int lo = -1, hi = -1;
  EXPECT_TRUE(GetScrollRange(h, SB_VERT, &lo, &hi));
  EXPECT_EQ(lo, 10);
  EXPECT_EQ(hi, 60);
  // Track position equals the position while nothing is dragged.
  EXPECT_EQ(Get(h, SB_VERT).nTrackPos, 60);
  // Ranges wider than 0x7FFFFFFF are refused and change nothing.
  SetLastError(0);
  EXPECT_FALSE(SetScrollRange(h, SB_VERT, -2, 0x7FFFFFFF, FALSE));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_SCROLLBAR_RANGE);
  GetScrollRange(h, SB_VERT, &lo, &hi);
  EXPECT_EQ(hi, 60);
  // min > max is read as an empty range at min.
  Set(h, SB_VERT, SIF_RANGE | SIF_DISABLENOSCROLL, 50, 20, 0, 0);
  GetScrollRange(h, SB_VERT, &lo, &hi);
  EXPECT_EQ(lo, 50);
  EXPECT_EQ(hi, 50);
}

TEST_F(ScrollInfo, BadArgumentsFailTheWin32Way) {
  HWND h = Create(WS_POPUP, {0, 0, 100, 100});
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  // No bar and nothing set: no scroll information.
  SetLastError(0);
  EXPECT_FALSE(GetScrollInfo(h, SB_VERT, &si));
  EXPECT_EQ(GetLastError(), ERROR_NO_SCROLLBARS);
  EXPECT_EQ(GetScrollPos(h, SB_HORZ), 0);
  int lo = 5, hi = 5;
  EXPECT_FALSE(GetScrollRange(h, SB_HORZ, &lo, &hi));
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
  EXPECT_FALSE(GetScrollRange(h, SB_HORZ, nullptr, &hi));
  si.cbSize = 3;
  EXPECT_EQ(SetScrollInfo(h, SB_VERT, &si, FALSE), 0);
  EXPECT_FALSE(GetScrollInfo(h, SB_VERT, &si));
  si.cbSize = sizeof(SCROLLINFO);
  EXPECT_EQ(SetScrollInfo(h, 7, &si, FALSE), 0);
  EXPECT_EQ(SetScrollInfo(h, SB_VERT, nullptr, FALSE), 0);
  HWND dead = Create(WS_POPUP | WS_VSCROLL, {0, 0, 100, 100});
  DestroyWindow(dead);
  EXPECT_FALSE(GetScrollInfo(dead, SB_VERT, &si));
  EXPECT_EQ(SetScrollPos(dead, SB_VERT, 3, TRUE), 0);
  EXPECT_FALSE(ShowScrollBar(dead, SB_VERT, TRUE));
  EXPECT_FALSE(EnableScrollBar(dead, SB_VERT, ESB_DISABLE_BOTH));
  EXPECT_FALSE(ShowScrollBar(h, 9, TRUE));
}

TEST_F(ScrollInfo, RangesShowHideOrDisableWindowBars) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  EXPECT_EQ(ClientHeight(h), 200);
  Set(h, SB_HORZ, SIF_RANGE | SIF_PAGE, 0, 299, 200, 0);
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_HSCROLL);
  EXPECT_EQ(ClientHeight(h), 184);
  // Everything fits again: the bar goes.
  Set(h, SB_HORZ, SIF_PAGE, 0, 0, 300, 0);
  EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & WS_HSCROLL);
  EXPECT_EQ(ClientHeight(h), 200);
  // With SIF_DISABLENOSCROLL it stays, disabled.
  Set(h, SB_HORZ, SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 300, 0);
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_HSCROLL);
  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_HSCROLL, &info));
  EXPECT_TRUE(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(info.rcScrollBar, (RECT{0, 184, 200, 200}));
  Set(h, SB_HORZ, SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 100, 0);
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_HSCROLL, &info));
  EXPECT_FALSE(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  // Thumb: track 200 - 32 = 168, page 100 of 300 -> 56 pixels, right after the left arrow.
  EXPECT_EQ(info.dxyLineButton, 16);
  EXPECT_EQ(info.xyThumbTop, 16);
  EXPECT_EQ(info.xyThumbBottom, 16 + 56);
}

TEST_F(ScrollInfo, ShowAndEnableScrollBar) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  EXPECT_TRUE(ShowScrollBar(h, SB_BOTH, TRUE));
  RECT c;
  GetClientRect(h, &c);
  EXPECT_EQ(c, (RECT{0, 0, 184, 184}));
  EXPECT_TRUE(ShowScrollBar(h, SB_VERT, FALSE));
  GetClientRect(h, &c);
  EXPECT_EQ(c, (RECT{0, 0, 200, 184}));
  // Shown bars have information even before any was set.
  EXPECT_EQ(Get(h, SB_HORZ).nMax, 100);

  EXPECT_TRUE(EnableScrollBar(h, SB_HORZ, ESB_DISABLE_LEFT));
  EXPECT_FALSE(EnableScrollBar(h, SB_HORZ, ESB_DISABLE_LEFT));  // already so
  SCROLLBARINFO info;
  GetScrollBarInfo(h, OBJID_HSCROLL, &info);
  EXPECT_TRUE(info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_FALSE(info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_TRUE(EnableScrollBar(h, SB_HORZ, ESB_ENABLE_BOTH));
  EXPECT_FALSE(EnableScrollBar(h, SB_HORZ, 7));
}

TEST_F(ScrollInfo, BarsAreDrawnInTheNonClientArea) {
  HWND h = Create(WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, {0, 0, 200, 200});
  Set(h, SB_VERT, SIF_ALL, 0, 99, 50, 0);
  desktop->run_until_idle();
  auto px = [&](int x, int y) { return desktop->surface_pixel(h, x, y); };
  // Vertical bar at x 184..199, y 0..183: up arrow, thumb of 76 pixels (152 * 50 / 100), track.
  EXPECT_EQ(px(184, 0), GetSysColor(COLOR_BTNHIGHLIGHT));     // arrow: soft raised button
  EXPECT_EQ(px(184, 16), GetSysColor(COLOR_3DLIGHT));          // thumb's raised edge
  EXPECT_EQ(px(185, 17), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(px(190, 50), GetSysColor(COLOR_BTNFACE));          // thumb middle
  EXPECT_EQ(px(199, 91), GetSysColor(COLOR_3DDKSHADOW));       // thumb's bottom-right
  // The track below the thumb is a BTNHIGHLIGHT / BTNFACE checkerboard.
  COLORREF a = px(190, 120), b = px(191, 120);
  EXPECT_NE(a, b);
  EXPECT_TRUE((a == GetSysColor(COLOR_BTNHIGHLIGHT) && b == GetSysColor(COLOR_BTNFACE)) ||
              (b == GetSysColor(COLOR_BTNHIGHLIGHT) && a == GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(px(190, 121), b);
  // The size box between the bars.
  EXPECT_EQ(px(190, 190), GetSysColor(COLOR_BTNFACE));
  // Moving the position redraws the thumb at once.
  SetScrollPos(h, SB_VERT, 50, TRUE);
  EXPECT_EQ(px(184, 16 + 76), GetSysColor(COLOR_3DLIGHT));  // the thumb now starts at 92
  EXPECT_NE(px(190, 50), px(191, 50));                      // where it was is track again
}

// Each arrow flag disables its own arrow of the bar it is given, and only that one.
TEST_F(ScrollInfo, ArrowFlagsDisableTheirOwnArrows) {
  struct Case {
    int bar;
    LONG object;
    UINT flags;
    bool first, last;  // whether the up/left and down/right arrows are unavailable
  };
  const Case cases[] = {
      {SB_VERT, OBJID_VSCROLL, ESB_DISABLE_UP, true, false},   {SB_VERT, OBJID_VSCROLL, ESB_DISABLE_DOWN, false, true},
      {SB_HORZ, OBJID_HSCROLL, ESB_DISABLE_LEFT, true, false}, {SB_HORZ, OBJID_HSCROLL, ESB_DISABLE_RIGHT, false, true},
      {SB_VERT, OBJID_VSCROLL, ESB_DISABLE_BOTH, true, true},  {SB_HORZ, OBJID_HSCROLL, ESB_ENABLE_BOTH, false, false},
  };
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  ASSERT_TRUE(ShowScrollBar(h, SB_BOTH, TRUE));
  for (const Case& c : cases) {
    EnableScrollBar(h, c.bar, ESB_ENABLE_BOTH);
    EnableScrollBar(h, c.bar, c.flags);
    SCROLLBARINFO info;
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(h, c.object, &info));
    EXPECT_EQ((info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) != 0, c.first) << "flags " << c.flags << " bar " << c.bar;
    EXPECT_EQ((info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) != 0, c.last) << "flags " << c.flags << " bar " << c.bar;
  }
}
