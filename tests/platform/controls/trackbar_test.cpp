// Track bar: range, position, ticks, selection and geometry messages; keyboard and mouse with
// the scroll notifications; page auto-repeat on the virtual clock; custom draw.

#include <gtest/gtest.h>

#include "listbox_support.h"
#include "platform/controls/CommCtrl.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"

using namespace win;
using kvtest::ListTest;

namespace {

class TrackBar : public ListTest {
 protected:
  HWND MakeBar(DWORD style, RECT r = {10, 10, 200, 30}, int id = 4) {
    return CreateWindowExW(0, TRACKBAR_CLASSW, u"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right, r.bottom,
                           parent, reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
  }
  // (code, position) of the scroll messages the parent received.
  std::vector<std::pair<WORD, WORD>> Scrolls(UINT msg = WM_HSCROLL) {
    std::vector<std::pair<WORD, WORD>> out;
    for (auto& m : Log(parent))
      if (m.msg == msg) out.push_back({LOWORD(m.wParam), HIWORD(m.wParam)});
    return out;
  }
  static int Pos(HWND bar) { return int(SendMessageW(bar, TBM_GETPOS, 0, 0)); }
  static RECT Thumb(HWND bar) {
    RECT rc{};
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, LPARAM(&rc));
    return rc;
  }
};

using Scroll = std::pair<WORD, WORD>;

}  // namespace

TEST_F(TrackBar, RangePositionAndSizes) {
  HWND bar = MakeBar(0);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 0);
  EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageW(bar, TBM_GETLINESIZE, 0, 0), 1);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 20);  // a fifth of the range
  SendMessageW(bar, TBM_SETPOS, TRUE, 150);
  EXPECT_EQ(Pos(bar), 100);
  SendMessageW(bar, TBM_SETPOS, TRUE, -3);
  EXPECT_EQ(Pos(bar), 0);
  SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(WORD(-10), 10));
  EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), -10);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 4);
  SendMessageW(bar, TBM_SETPOS, TRUE, 7);
  SendMessageW(bar, TBM_SETRANGEMAX, TRUE, 5);  // the position follows a shrinking range
  EXPECT_EQ(Pos(bar), 5);
  SendMessageW(bar, TBM_SETRANGEMIN, TRUE, 6);
  EXPECT_EQ(Pos(bar), 6);
  SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  EXPECT_EQ(SendMessageW(bar, TBM_SETPAGESIZE, 0, 25), 20);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 25);
  EXPECT_EQ(SendMessageW(bar, TBM_SETLINESIZE, 0, 3), 1);
  EXPECT_EQ(SendMessageW(bar, TBM_GETLINESIZE, 0, 0), 3);

  SendMessageW(bar, TBM_SETSEL, TRUE, MAKELPARAM(20, 300));
  EXPECT_EQ(SendMessageW(bar, TBM_GETSELSTART, 0, 0), 20);
  EXPECT_EQ(SendMessageW(bar, TBM_GETSELEND, 0, 0), 100);  // kept in the range
  SendMessageW(bar, TBM_SETSELEND, TRUE, 60);
  EXPECT_EQ(SendMessageW(bar, TBM_GETSELEND, 0, 0), 60);
  SendMessageW(bar, TBM_CLEARSEL, TRUE, 0);
  EXPECT_EQ(SendMessageW(bar, TBM_GETSELSTART, 0, 0), SendMessageW(bar, TBM_GETSELEND, 0, 0));

  EXPECT_EQ(SendMessageW(bar, TBM_GETTHUMBLENGTH, 0, 0), 20);
  SendMessageW(bar, TBM_SETTHUMBLENGTH, 30, 0);  // ignored without TBS_FIXEDLENGTH
  EXPECT_EQ(SendMessageW(bar, TBM_GETTHUMBLENGTH, 0, 0), 20);
  HWND fixed = MakeBar(TBS_FIXEDLENGTH, {10, 50, 200, 40}, 5);
  SendMessageW(fixed, TBM_SETTHUMBLENGTH, 30, 0);
  EXPECT_EQ(SendMessageW(fixed, TBM_GETTHUMBLENGTH, 0, 0), 30);
  RECT t = Thumb(fixed);
  EXPECT_EQ(t.bottom - t.top, 30);
}

TEST_F(TrackBar, ThumbAndChannelGeometry) {
  HWND bar = MakeBar(0);
  RECT channel{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
  RECT t0 = Thumb(bar);
  // The thumb's centre runs over the channel from its first to its last pixel.
  EXPECT_EQ((t0.left + t0.right - 1) / 2, channel.left);
  SendMessageW(bar, TBM_SETPOS, TRUE, 100);
  RECT t1 = Thumb(bar);
  EXPECT_EQ((t1.left + t1.right - 1) / 2, channel.right - 1);
  EXPECT_EQ(t1.right - t1.left, t0.right - t0.left);
  EXPECT_GE(t0.top, 0);
  EXPECT_LE(t0.bottom, 30);
  EXPECT_GT(channel.top, t0.top);  // the channel runs through the thumb
  EXPECT_LT(channel.bottom, t0.bottom);

  // A vertical bar: the thumb moves down, the channel is reported as if the bar lay flat.
  HWND vert = MakeBar(TBS_VERT, {300, 10, 30, 200}, 6);
  RECT vc{};
  SendMessageW(vert, TBM_GETCHANNELRECT, 0, LPARAM(&vc));
  EXPECT_GT(vc.right - vc.left, vc.bottom - vc.top);
  RECT a = Thumb(vert);
  SendMessageW(vert, TBM_SETPOS, TRUE, 50);
  RECT b = Thumb(vert);
  EXPECT_GT(b.top, a.top);
  EXPECT_EQ(b.left, a.left);
  EXPECT_NEAR((b.top + b.bottom - 1) / 2, (vc.left + vc.right - 1) / 2, 1);  // half way down
}

TEST_F(TrackBar, TicksByHandAndAutomatic) {
  HWND bar = MakeBar(0);
  EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 2);  // the two ends
  EXPECT_TRUE(SendMessageW(bar, TBM_SETTIC, 0, 70));
  EXPECT_TRUE(SendMessageW(bar, TBM_SETTIC, 0, 30));
  EXPECT_FALSE(SendMessageW(bar, TBM_SETTIC, 0, 101));
  EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 4);
  EXPECT_EQ(SendMessageW(bar, TBM_GETTIC, 0, 0), 30);
  EXPECT_EQ(SendMessageW(bar, TBM_GETTIC, 1, 0), 70);
  EXPECT_EQ(SendMessageW(bar, TBM_GETTIC, 2, 0), -1);
  // A tick's position is where the thumb's centre stands at that value.
  SendMessageW(bar, TBM_SETPOS, TRUE, 70);
  RECT t = Thumb(bar);
  EXPECT_EQ(SendMessageW(bar, TBM_GETTICPOS, 1, 0), (t.left + t.right - 1) / 2);
  EXPECT_LT(SendMessageW(bar, TBM_GETTICPOS, 0, 0), SendMessageW(bar, TBM_GETTICPOS, 1, 0));
  EXPECT_EQ(SendMessageW(bar, TBM_GETTICPOS, 5, 0), -1);
  SendMessageW(bar, TBM_CLEARTICS, TRUE, 0);
  EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 2);

  HWND autoBar = MakeBar(TBS_AUTOTICKS, {10, 50, 200, 30}, 5);
  EXPECT_EQ(SendMessageW(autoBar, TBM_GETNUMTICS, 0, 0), 101);  // every value
  SendMessageW(autoBar, TBM_SETTICFREQ, 10, 0);
  EXPECT_EQ(SendMessageW(autoBar, TBM_GETNUMTICS, 0, 0), 11);
  EXPECT_EQ(SendMessageW(autoBar, TBM_GETTIC, 0, 0), 10);
  EXPECT_EQ(SendMessageW(autoBar, TBM_GETTIC, 8, 0), 90);
  HWND none = MakeBar(TBS_NOTICKS | TBS_AUTOTICKS, {10, 90, 200, 30}, 6);
  EXPECT_EQ(SendMessageW(none, TBM_GETNUMTICS, 0, 0), 0);

  // A range of billions with a tick at every value neither hangs nor allocates them.
  SendMessageW(autoBar, TBM_SETTICFREQ, 1, 0);
  SendMessageW(autoBar, TBM_SETRANGEMIN, FALSE, -2000000000);
  SendMessageW(autoBar, TBM_SETRANGEMAX, TRUE, 2000000000);
  EXPECT_EQ(SendMessageW(autoBar, TBM_GETNUMTICS, 0, 0), 0x7FFFFFFF);
  EXPECT_EQ(SendMessageW(autoBar, TBM_GETTIC, 0, 0), -1999999999);
  desktop->run_until_idle();
  InvalidateRect(autoBar, nullptr, TRUE);
  desktop->run_until_idle();
  // Painted: below the thumb every pixel of the channel's length carries a tick.
  RECT channel{};
  SendMessageW(autoBar, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
  RECT thumb = Thumb(autoBar);
  for (int x : {channel.left, (channel.left + channel.right) / 2 + 20, channel.right - 2})
    EXPECT_EQ(desktop->surface_pixel(parent, 10 + x, 50 + thumb.bottom + 1), GetSysColor(COLOR_BTNTEXT)) << x;
}

TEST_F(TrackBar, KeysMoveAndNotify) {
  HWND bar = MakeBar(0);
  SetFocus(bar);
  ClearLog();
  Press(VK_RIGHT);
  EXPECT_EQ(Pos(bar), 1);
  Press(VK_NEXT);
  EXPECT_EQ(Pos(bar), 21);
  Press(VK_END);
  EXPECT_EQ(Pos(bar), 100);
  Press(VK_UP);
  EXPECT_EQ(Pos(bar), 99);
  Press(VK_HOME);
  EXPECT_EQ(Pos(bar), 0);
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{{TB_LINEDOWN, 0}, {TB_ENDTRACK, 0}, {TB_PAGEDOWN, 0}, {TB_ENDTRACK, 0},
                                           {TB_BOTTOM, 0}, {TB_ENDTRACK, 0}, {TB_LINEUP, 0}, {TB_ENDTRACK, 0},
                                           {TB_TOP, 0}, {TB_ENDTRACK, 0}}));
  HWND vert = MakeBar(TBS_VERT, {300, 10, 30, 200}, 6);
  SetFocus(vert);
  ClearLog();
  Press(VK_DOWN);
  EXPECT_EQ(Pos(vert), 1);
  EXPECT_EQ(Scrolls(WM_VSCROLL).size(), 2u);
  EXPECT_TRUE(Scrolls(WM_HSCROLL).empty());
}

// The wheel over a focused bar: a notch away from the user moves it up (toward the minimum, left
// or top) by the line size, one toward the user down, the other way round with TBS_DOWNISLEFT;
// a finer wheel's turns count once they add up to a notch. Each notch is told as a line move of
// the keys, then the end of the move.
TEST_F(TrackBar, TheWheelMovesByTheLineSizeANotch) {
  struct Row {
    const char* name;
    DWORD style;
    int line, from;
    std::vector<int> turns;
    int to;
    std::vector<Scroll> told;
  };
  const Scroll up{TB_LINEUP, 0}, down{TB_LINEDOWN, 0}, end{TB_ENDTRACK, 0};
  const Row rows[] = {
      {"away", 0, 1, 50, {WHEEL_DELTA}, 49, {up, end}},
      {"toward", 0, 1, 50, {-WHEEL_DELTA}, 51, {down, end}},
      {"away, down is left", TBS_DOWNISLEFT, 1, 50, {WHEEL_DELTA}, 51, {down, end}},
      {"toward, down is left", TBS_DOWNISLEFT, 1, 50, {-WHEEL_DELTA}, 49, {up, end}},
      {"two notches at once, line 5", 0, 5, 50, {-2 * WHEEL_DELTA}, 60, {down, down, end}},
      {"a fine wheel", 0, 1, 50, {40, 40, 40, 40}, 49, {up, end}},
      {"a fine wheel turning back", 0, 1, 50, {80, -40, -40, -40}, 50, {}},
      {"vertical, away", TBS_VERT, 1, 50, {WHEEL_DELTA}, 49, {up, end}},
      {"at the minimum", 0, 1, 0, {WHEEL_DELTA}, 0, {up, end}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const bool vertical = (row.style & TBS_VERT) != 0;
    HWND bar = MakeBar(row.style, vertical ? RECT{300, 10, 30, 200} : RECT{10, 10, 200, 30});
    SendMessageW(bar, TBM_SETLINESIZE, 0, row.line);
    SendMessageW(bar, TBM_SETPOS, TRUE, row.from);
    SetFocus(bar);
    desktop->run_until_idle();
    ClearLog();
    for (int turn : row.turns) {
      desktop->wheel(At(bar, 5, 5), turn);
      desktop->run_until_idle();
    }
    EXPECT_EQ(Pos(bar), row.to);
    EXPECT_EQ(Scrolls(vertical ? WM_VSCROLL : WM_HSCROLL), row.told);
    DestroyWindow(bar);
  }
}

// A thumb moved from the keyboard or by the mouse is painted again where it now is; a key that
// cannot move it paints nothing.
TEST_F(TrackBar, AMovedThumbIsRepainted) {
  int paints = 0;
  answer = [&](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    auto* nm = reinterpret_cast<NMCUSTOMDRAW*>(l);
    if (m == WM_NOTIFY && nm->hdr.code == NM_CUSTOMDRAW && nm->dwDrawStage == CDDS_PREPAINT) ++paints;
    return std::nullopt;
  };
  HWND bar = MakeBar(0);
  SetFocus(bar);
  desktop->run_until_idle();
  paints = 0;
  Press(VK_RIGHT);
  EXPECT_EQ(Pos(bar), 1);
  EXPECT_EQ(paints, 1);
  Press(VK_HOME);
  EXPECT_EQ(paints, 2);
  Press(VK_HOME);  // already there
  EXPECT_EQ(paints, 2);
}

TEST_F(TrackBar, DraggingTheThumbTracksAndEndsWithItsPosition) {
  HWND bar = MakeBar(0);
  desktop->run_until_idle();
  RECT t = Thumb(bar);
  RECT channel{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
  POINT grab = At(bar, (t.left + t.right) / 2, (t.top + t.bottom) / 2);
  ClearLog();
  desktop->mouse_down(grab);
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), bar);
  EXPECT_EQ(GetFocus(), bar);
  int length = channel.right - channel.left - 1;  // pixels for the 100 steps
  desktop->mouse_move({grab.x + length / 2, grab.y + 40});  // far off the bar still drags
  desktop->run_until_idle();
  int half = Pos(bar);
  EXPECT_NEAR(half, 50, 1);
  desktop->mouse_move({grab.x + length * 2, grab.y});
  desktop->run_until_idle();
  EXPECT_EQ(Pos(bar), 100);
  desktop->mouse_up({grab.x + length * 2, grab.y});
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{{TB_THUMBTRACK, WORD(half)}, {TB_THUMBTRACK, 100},
                                           {TB_THUMBPOSITION, 100}, {TB_ENDTRACK, 0}}));
}

TEST_F(TrackBar, PageClicksRepeatUntilTheThumbReachesThePointer) {
  HWND bar = MakeBar(0);
  SendMessageW(bar, TBM_SETPAGESIZE, 0, 10);
  desktop->run_until_idle();
  RECT channel{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
  int length = channel.right - channel.left - 1;
  POINT target = At(bar, channel.left + length * 35 / 100, 15);  // at value 35
  ClearLog();
  desktop->mouse_down(target);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(bar), 10);
  desktop->advance(499);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(bar), 10);  // the first repeat waits half a second
  desktop->advance(1);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(bar), 20);
  desktop->advance(100);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(bar), 30);
  for (int i = 0; i < 5; ++i) {
    desktop->advance(100);
    desktop->run_until_idle();
  }
  EXPECT_EQ(Pos(bar), 40);  // the thumb covers the pointer: no more steps
  desktop->mouse_up(target);
  desktop->run_until_idle();
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{{TB_PAGEDOWN, 0}, {TB_PAGEDOWN, 0}, {TB_PAGEDOWN, 0}, {TB_PAGEDOWN, 0},
                                           {TB_ENDTRACK, 0}}));
  // A click on the other side pages back.
  ClearLog();
  Click(At(bar, channel.left + 1, 15));
  EXPECT_EQ(Pos(bar), 30);
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{{TB_PAGEUP, 0}, {TB_ENDTRACK, 0}}));
}

TEST_F(TrackBar, CustomDrawStagesAndSkippingParts) {
  struct Stage {
    DWORD stage;
    DWORD_PTR part;
    RECT rc;
  };
  std::vector<Stage> stages;
  LRESULT prepaint = CDRF_NOTIFYITEMDRAW;
  LRESULT thumbAnswer = CDRF_DODEFAULT;
  answer = [&](UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (m != WM_NOTIFY) return std::nullopt;
    auto* nm = reinterpret_cast<NMCUSTOMDRAW*>(l);
    if (nm->hdr.code != NM_CUSTOMDRAW) return std::nullopt;
    EXPECT_EQ(w, 4u);
    EXPECT_EQ(nm->hdr.idFrom, 4u);
    EXPECT_NE(nm->hdc, nullptr);
    stages.push_back({nm->dwDrawStage, nm->dwItemSpec, nm->rc});
    if (nm->dwDrawStage == CDDS_PREPAINT) return prepaint;
    if (nm->dwDrawStage == CDDS_ITEMPREPAINT && nm->dwItemSpec == TBCD_THUMB) return thumbAnswer;
    return CDRF_DODEFAULT;
  };
  HWND bar = MakeBar(0);
  SendMessageW(bar, TBM_SETPOS, TRUE, 50);
  desktop->run_until_idle();
  ASSERT_EQ(stages.size(), 4u);
  EXPECT_EQ(stages[0].stage, CDDS_PREPAINT);
  EXPECT_EQ(stages[1].part, TBCD_TICS);
  EXPECT_EQ(stages[2].part, TBCD_CHANNEL);
  EXPECT_EQ(stages[3].part, TBCD_THUMB);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(stages[size_t(i)].stage, CDDS_ITEMPREPAINT);
  RECT channel{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
  EXPECT_EQ(stages[2].rc, channel);
  RECT thumb = Thumb(bar);
  EXPECT_EQ(stages[3].rc, thumb);
  // The thumb's face covers the channel at its centre ...
  int cx = (thumb.left + thumb.right) / 2;
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + cx, 10 + channel.top + 1), GetSysColor(COLOR_BTNFACE));
  // ... until the parent skips the thumb: then the channel's dark inner edge shows.
  thumbAnswer = CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT;
  stages.clear();
  InvalidateRect(bar, nullptr, TRUE);
  desktop->run_until_idle();
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + cx, 10 + channel.top + 1), GetSysColor(COLOR_3DDKSHADOW));
  ASSERT_EQ(stages.size(), 5u);
  EXPECT_EQ(stages[4].stage, CDDS_ITEMPOSTPAINT);
  EXPECT_EQ(stages[4].part, TBCD_THUMB);
  // Without CDRF_NOTIFYITEMDRAW only the whole-control stage is asked.
  prepaint = CDRF_DODEFAULT;
  stages.clear();
  InvalidateRect(bar, nullptr, TRUE);
  desktop->run_until_idle();
  ASSERT_EQ(stages.size(), 1u);
  EXPECT_EQ(stages[0].stage, CDDS_PREPAINT);
  answer = nullptr;
  DestroyWindow(bar);
}

TEST_F(TrackBar, SelectionRangeIsDrawnInTheHighlightColour) {
  HWND bar = MakeBar(TBS_ENABLESELRANGE | TBS_NOTHUMB);
  SendMessageW(bar, TBM_SETSEL, TRUE, MAKELPARAM(20, 80));
  desktop->run_until_idle();
  RECT channel{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
  int y = 10 + channel.top + 1;
  int length = channel.right - channel.left - 1;
  EXPECT_EQ(desktop->surface_pixel(parent, 10 + channel.left + length / 2, y), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_NE(desktop->surface_pixel(parent, 10 + channel.left + length / 10, y), GetSysColor(COLOR_HIGHLIGHT));
  HWND plain = MakeBar(TBS_NOTHUMB, {10, 50, 200, 30}, 5);
  SendMessageW(plain, TBM_SETSEL, TRUE, MAKELPARAM(20, 80));
  desktop->run_until_idle();
  EXPECT_NE(desktop->surface_pixel(parent, 10 + channel.left + length / 2, 50 + channel.top + 1),
            GetSysColor(COLOR_HIGHLIGHT));
}

// The parent's custom draw learns the state of each part: focus and disabled for every part,
// "selected" only for the thumb and only while it is being dragged.
TEST_F(TrackBar, CustomDrawItemStateFollowsFocusDragAndEnabled) {
  std::vector<std::pair<DWORD_PTR, UINT>> states;  // (part, item state) of each item stage
  answer = [&](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m != WM_NOTIFY) return std::nullopt;
    auto* nm = reinterpret_cast<NMCUSTOMDRAW*>(l);
    if (nm->hdr.code != NM_CUSTOMDRAW) return std::nullopt;
    if (nm->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (nm->dwDrawStage == CDDS_ITEMPREPAINT) states.push_back({nm->dwItemSpec, nm->uItemState});
    return CDRF_DODEFAULT;
  };
  HWND bar = MakeBar(0);
  desktop->run_until_idle();
  auto lastState = [&](DWORD_PTR part) {
    for (auto it = states.rbegin(); it != states.rend(); ++it)
      if (it->first == part) return it->second;
    ADD_FAILURE() << "part " << part << " was not drawn";
    return UINT(~0u);
  };
  EXPECT_EQ(lastState(TBCD_THUMB), 0u);
  EXPECT_EQ(lastState(TBCD_CHANNEL), 0u);

  RECT t = Thumb(bar);
  POINT grab = At(bar, (t.left + t.right) / 2, (t.top + t.bottom) / 2);
  states.clear();
  desktop->mouse_down(grab);
  desktop->run_until_idle();
  // A parent tests the bits one by one, so each must be a bit of its own.
  EXPECT_TRUE(lastState(TBCD_THUMB) & CDIS_SELECTED);
  EXPECT_EQ(lastState(TBCD_THUMB), CDIS_FOCUS | CDIS_SELECTED);
  EXPECT_EQ(lastState(TBCD_CHANNEL), CDIS_FOCUS);
  EXPECT_EQ(lastState(TBCD_TICS), CDIS_FOCUS);

  states.clear();
  desktop->mouse_up(grab);
  desktop->run_until_idle();
  EXPECT_EQ(lastState(TBCD_THUMB), CDIS_FOCUS);

  SetFocus(parent);
  EnableWindow(bar, FALSE);
  states.clear();
  InvalidateRect(bar, nullptr, TRUE);
  desktop->run_until_idle();
  EXPECT_EQ(lastState(TBCD_THUMB), CDIS_DISABLED);
  EXPECT_EQ(lastState(TBCD_CHANNEL), CDIS_DISABLED);
  answer = nullptr;
  DestroyWindow(bar);
}

// In a bar thinner than its thumb the thumb starts at the bar's edge, never above it, whichever
// side the ticks are on.
TEST_F(TrackBar, AThumbTallerThanTheBarStartsAtItsEdge) {
  for (DWORD style : {DWORD(TBS_TOP), DWORD(TBS_BOTH), DWORD(0)}) {
    HWND bar = MakeBar(style, {10, 10, 200, 8});
    RECT thumb = Thumb(bar);
    EXPECT_GT(thumb.bottom - thumb.top, 8) << style;
    EXPECT_GE(thumb.top, 0) << style;
    RECT channel{};
    SendMessageW(bar, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
    EXPECT_GE(channel.top, 0) << style;
    DestroyWindow(bar);
  }
}
