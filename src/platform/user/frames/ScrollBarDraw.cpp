// Drawing scroll bars, and finding the bars of a window.

#include "platform/user/detail/ScrollBarDraw.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Rects.h"
#include "platform/user/detail/FramePaint.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/painting/UserDrawPaint.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win::frame {
namespace {

void DrawArrow(HDC hdc, RECT r, UINT glyph, bool pressed, bool inactive) {
  if (IsRectEmpty(&r)) return;
  DrawFrameControl(hdc, &r, DFC_SCROLL, glyph | (pressed ? DFCS_PUSHED : 0) | (inactive ? DFCS_INACTIVE : 0));
}

void DrawTrack(HDC hdc, const RECT& r, bool pressed) {
  if (IsRectEmpty(&r)) return;
  if (pressed)
    userdraw::FillSysColor(hdc, r, COLOR_3DDKSHADOW);
  else
    userdraw::FillCheckerboard(hdc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
}

}  // namespace

void DrawScrollBar(HDC hdc, const ScrollBarParts& p, const ScrollData& d, ScrollPart pressed) {
  bool off = (d.disabled & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH || !CanScroll(d);
  DrawArrow(hdc, p.arrowUp, p.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, pressed == ScrollPart::ArrowUp,
            off || (d.disabled & ESB_DISABLE_LTUP));
  DrawArrow(hdc, p.arrowDown, p.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, pressed == ScrollPart::ArrowDown,
            off || (d.disabled & ESB_DISABLE_RTDN));
  if (IsRectEmpty(&p.thumb)) {
    DrawTrack(hdc, p.track, false);
    return;
  }
  RECT before = p.track, after = p.track;
  if (p.vertical) {
    before.bottom = p.thumb.top;
    after.top = p.thumb.bottom;
  } else {
    before.right = p.thumb.left;
    after.left = p.thumb.right;
  }
  DrawTrack(hdc, before, pressed == ScrollPart::PageUp);
  DrawTrack(hdc, after, pressed == ScrollPart::PageDown);
  RECT thumb = p.thumb;
  DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void DrawSizeBox(HDC hdc, const RECT& box, bool grip) {
  if (IsRectEmpty(&box)) return;
  RECT r = box;
  if (grip)
    DrawFrameControl(hdc, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  else
    userdraw::FillSysColor(hdc, r, COLOR_BTNFACE);
}

RECT ScrollBarRect(HWND hwnd, int bar, bool* vertical) {
  if (bar == SB_CTL) {
    RECT r{};
    GetClientRect(hwnd, &r);
    if (vertical) *vertical = (GetWindowLongPtrW(hwnd, GWL_STYLE) & SBS_VERT) != 0;
    return r;
  }
  if (vertical) *vertical = bar == SB_VERT;
  WindowFrame f;
  if (!WindowFrameOf(hwnd, &f)) return RECT{};
  return bar == SB_VERT ? f.layout.vScroll : f.layout.hScroll;
}

ScrollBarParts PartsOf(HWND hwnd, int bar) {
  bool vertical = false;
  RECT r = ScrollBarRect(hwnd, bar, &vertical);
  FrameState* s = FindState(hwnd);
  ScrollData d = s ? s->bars[bar] : ScrollData{};
  ScrollBarParts p = ComputeScrollBarParts(r, vertical, d, d.pos);
  if (s && s->thumbDragging && s->pressedBar == bar && p.thumbLength) {
    // While dragged, the thumb follows the mouse exactly rather than the rounded position.
    int room = p.trackLength - p.thumbLength;
    p.thumbStart = std::clamp(s->thumbOffset, 0, std::max(room, 0));
    int a = p.trackStart + p.thumbStart;
    p.thumb = vertical ? RECT{r.left, a, r.right, a + p.thumbLength} : RECT{a, r.top, a + p.thumbLength, r.bottom};
  }
  return p;
}

void RedrawScrollBar(HWND hwnd, int bar) {
  if (!IsWindowVisible(hwnd)) return;
  ScrollBarParts p = PartsOf(hwnd, bar);
  if (IsRectEmpty(&p.bar)) return;
  // A window's own bars are part of its frame.
  if (bar != SB_CTL) {
    RepaintFrame(hwnd, &p.bar);
    return;
  }
  FrameState* s = FindState(hwnd);
  ScrollData d = s ? s->bars[bar] : ScrollData{};
  if (bar == SB_CTL && !IsWindowEnabled(hwnd)) d.disabled = ESB_DISABLE_BOTH;  // as its WM_PAINT draws it
  ScrollPart pressed = s && s->pressedBar == bar ? s->pressedPart : ScrollPart::None;
  HDC hdc = GetDC(hwnd);
  if (!hdc) return;
  DrawScrollBar(hdc, p, d, pressed);
  ReleaseDC(hwnd, hdc);
}

}  // namespace win::frame
