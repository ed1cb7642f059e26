// The scroll bar's mouse loop.

#include "platform/user/detail/ScrollBarTrack.h"

#include <algorithm>

#include "platform/user/detail/FrameModalLoop.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/detail/ScrollBarDraw.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win::frame {
namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFF1;

class Tracker {
 public:
  Tracker(HWND hwnd, int bar) : hwnd_(hwnd), bar_(bar) {
    bool vertical = false;
    ScrollBarRect(hwnd, bar, &vertical);
    if (bar == SB_CTL) {
      target_ = GetParent(hwnd);
      control_ = LPARAM(hwnd);
    } else {
      target_ = hwnd;
    }
    message_ = vertical ? WM_VSCROLL : WM_HSCROLL;
  }

  void Run(POINT screen) {
    FrameState* s = FindState(hwnd_);
    if (!s || !target_) return;
    ScrollBarParts parts = PartsOf(hwnd_, bar_);
    const ScrollData& d = s->bars[bar_];
    part_ = HitScrollBar(parts, Local(screen));
    if (part_ == ScrollPart::None || !CanScroll(d) || (d.disabled & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH) return;
    if ((part_ == ScrollPart::ArrowUp && (d.disabled & ESB_DISABLE_LTUP)) ||
        (part_ == ScrollPart::ArrowDown && (d.disabled & ESB_DISABLE_RTDN)))
      return;
    if (part_ == ScrollPart::Thumb && parts.thumbLength == 0) return;

    SetCapture(hwnd_);
    s->pressedBar = bar_;
    s->pressedPart = part_;
    if (part_ == ScrollPart::Thumb) {
      s->thumbDragging = true;
      s->thumbOffset = parts.thumbStart;
      s->bars[bar_].tracking = true;
      s->bars[bar_].trackPos = s->bars[bar_].pos;
      grab_ = Along(Local(screen)) - (parts.trackStart + parts.thumbStart);
    }
    RedrawScrollBar(hwnd_, bar_);
    if (part_ != ScrollPart::Thumb) {
      Notify(Code(), 0);
      user::SetSystemTimer(hwnd_, kRepeatTimer, ScrollRepeatDelay());
    }
    POINT mouse = screen;
    MSG msg;
    while (NextLoopMessage(hwnd_, &msg)) {
      if (msg.message == WM_SYSTIMER && msg.hwnd == hwnd_ && msg.wParam == kRepeatTimer) {
        user::SetSystemTimer(hwnd_, kRepeatTimer, ScrollRepeatPeriod());
        if (OverPart(mouse)) Notify(Code(), 0);
        ShowPressed(OverPart(mouse));
      } else if (IsMouseMove(msg.message)) {
        mouse = msg.pt;
        if (part_ == ScrollPart::Thumb)
          DragThumb(mouse);
        else
          ShowPressed(OverPart(mouse));
      } else if (IsLeftButtonUp(msg.message)) {
        if (part_ == ScrollPart::Thumb) {
          // The thumb ends where the button came up, should the release carry a point of its own.
          if (msg.pt.x != mouse.x || msg.pt.y != mouse.y) DragThumb(msg.pt);
          if (FrameState* st = FindState(hwnd_)) Notify(SB_THUMBPOSITION, st->bars[bar_].trackPos);
        }
        break;
      } else if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                 (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK)) {
        // The rest of the mouse traffic belongs to the loop.
      } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (IsWindow(hwnd_)) user::KillSystemTimer(hwnd_, kRepeatTimer);
    if (FrameState* st = FindState(hwnd_)) {
      st->thumbDragging = false;
      st->bars[bar_].tracking = false;
      st->bars[bar_].trackPos = st->bars[bar_].pos;
      st->pressedBar = -1;
      st->pressedPart = ScrollPart::None;
    }
    if (!IsWindow(hwnd_)) return;
    if (GetCapture() == hwnd_) ReleaseCapture();
    RedrawScrollBar(hwnd_, bar_);
    Notify(SB_ENDSCROLL, 0);
  }

 private:
  POINT Local(POINT screen) const {
    if (bar_ == SB_CTL) {
      ScreenToClient(hwnd_, &screen);
      return screen;
    }
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return POINT{screen.x - r.left, screen.y - r.top};
  }

  int Along(POINT local) const { return message_ == WM_VSCROLL ? local.y : local.x; }

  WORD Code() const {
    switch (part_) {
      case ScrollPart::ArrowUp: return SB_LINEUP;
      case ScrollPart::ArrowDown: return SB_LINEDOWN;
      case ScrollPart::PageUp: return SB_PAGEUP;
      default: return SB_PAGEDOWN;
    }
  }

  bool OverPart(POINT screen) const {
    if (!IsWindow(hwnd_)) return false;
    return HitScrollBar(PartsOf(hwnd_, bar_), Local(screen)) == part_;
  }

  void ShowPressed(bool pressed) {
    FrameState* s = FindState(hwnd_);
    ScrollPart want = pressed ? part_ : ScrollPart::None;
    if (!s || s->pressedPart == want) return;
    s->pressedPart = want;
    RedrawScrollBar(hwnd_, bar_);
  }

  void DragThumb(POINT screen) {
    FrameState* s = FindState(hwnd_);
    if (!s) return;
    bool vertical = false;
    RECT r = ScrollBarRect(hwnd_, bar_, &vertical);
    ScrollData d = s->bars[bar_];
    ScrollBarParts parts = ComputeScrollBarParts(r, vertical, d, d.pos);
    int room = std::max(parts.trackLength - parts.thumbLength, 0);
    int offset = std::clamp(Along(Local(screen)) - parts.trackStart - grab_, 0, room);
    int pos = PositionFromThumb(parts, d, offset);
    bool moved = offset != s->thumbOffset;
    s->thumbOffset = offset;
    if (moved) RedrawScrollBar(hwnd_, bar_);
    if (pos != s->bars[bar_].trackPos) {
      s->bars[bar_].trackPos = pos;
      Notify(SB_THUMBTRACK, pos);
    }
  }

  void Notify(WORD code, int pos) {
    if (IsWindow(target_)) SendMessageW(target_, message_, MAKEWPARAM(code, WORD(pos)), control_);
  }

  HWND hwnd_;
  int bar_;
  HWND target_ = nullptr;
  LPARAM control_ = 0;
  UINT message_ = WM_VSCROLL;
  ScrollPart part_ = ScrollPart::None;
  int grab_ = 0;
};

}  // namespace

UINT ScrollRepeatDelay() {
  UINT delay = 1;
  SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
  return (std::min<UINT>(delay, 3) + 1) * 250;
}

UINT ScrollRepeatPeriod() {
  UINT speed = 31;
  SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  speed = std::min<UINT>(speed, 31);
  return 400 - speed * (400 - 33) / 31;
}

void TrackScrollBar(HWND hwnd, int bar, POINT screenPt) {
  if (!IsWindow(hwnd) || (bar != SB_HORZ && bar != SB_VERT && bar != SB_CTL)) return;
  if (!StateOf(hwnd)) return;
  Tracker(hwnd, bar).Run(screenPt);
}

}  // namespace win::frame
