// Scroll-bar ranges, positions, visibility and enabling.

#include "platform/user/frames/ScrollBar.h"

#include <algorithm>

#include "platform/kernel/LastError.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/detail/ScrollBarDraw.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace {

using frame::ScrollData;

constexpr UINT kScrollInfoSizeWithoutTrackPos = sizeof(SCROLLINFO) - sizeof(int);

DWORD StyleBit(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }

bool ValidBar(int bar) { return bar == SB_HORZ || bar == SB_VERT || bar == SB_CTL; }

bool BarShown(HWND hwnd, int bar) {
  user::WindowObj* w = user::FindWindowObj(hwnd);
  if (!w) return false;
  if (bar == SB_CTL) return true;
  return (w->style & StyleBit(bar)) != 0;
}

// The data of a bar, creating the window's state; null (and the error set) when it cannot have one.
ScrollData* DataOf(HWND hwnd, int bar) {
  if (!ValidBar(bar)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!user::CheckWindow(hwnd)) return nullptr;
  frame::FrameState* s = frame::StateOf(hwnd);
  return s ? &s->bars[bar] : nullptr;
}

bool SetBarStyle(HWND hwnd, DWORD bits, bool show) {
  user::WindowObj* w = user::FindWindowObj(hwnd);
  if (!w) return false;
  DWORD style = show ? (w->style | bits) : (w->style & ~bits);
  if (style == w->style) return true;
  w->style = style;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void Clamp(ScrollData& d) {
  int64_t range = int64_t(d.max) - d.min + 1;
  if (int64_t(d.page) > range) d.page = UINT(range);
  d.pos = std::clamp(d.pos, d.min, d.min + frame::ScrollSpan(d));
  if (!d.tracking) d.trackPos = d.pos;
}

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (!info || (info->cbSize != sizeof(SCROLLINFO) && info->cbSize != kScrollInfoSizeWithoutTrackPos)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  ScrollData* d = DataOf(hwnd, bar);
  if (!d) return 0;
  UINT mask = info->fMask;
  if ((mask & SIF_RANGE) && int64_t(info->nMax) - info->nMin > 0x7FFFFFFF) {
    SetLastError(ERROR_INVALID_SCROLLBAR_RANGE);
    return d->pos;
  }
  ScrollData before = *d;
  d->initialised = true;
  if (mask & SIF_PAGE) d->page = info->nPage;
  if (mask & SIF_RANGE) {
    d->min = info->nMin;
    d->max = std::max(info->nMin, info->nMax);
  }
  if (mask & SIF_POS) d->pos = info->nPos;
  Clamp(*d);

  bool reframed = false;
  if (mask & (SIF_RANGE | SIF_PAGE)) {
    bool scrollable = frame::CanScroll(*d);
    if (mask & SIF_DISABLENOSCROLL) {
      d->disabled = scrollable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
      if (bar != SB_CTL && !BarShown(hwnd, bar)) reframed = SetBarStyle(hwnd, StyleBit(bar), true);
    } else {
      if (scrollable) d->disabled = ESB_ENABLE_BOTH;
      if (bar != SB_CTL && BarShown(hwnd, bar) != scrollable) reframed = SetBarStyle(hwnd, StyleBit(bar), scrollable);
    }
    // The window may have gone while it was re-framed.
    frame::FrameState* s = frame::FindState(hwnd);
    if (!s) return 0;
    d = &s->bars[bar];
  }
  int pos = d->pos;
  bool changed = before.min != d->min || before.max != d->max || before.page != d->page || before.pos != d->pos ||
                 before.disabled != d->disabled;
  if (redraw && changed && !reframed) frame::RedrawScrollBar(hwnd, bar);
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  if (!info || (info->cbSize != sizeof(SCROLLINFO) && info->cbSize != kScrollInfoSizeWithoutTrackPos)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ScrollData* d = DataOf(hwnd, bar);
  if (!d) return FALSE;
  if (bar != SB_CTL && !d->initialised && !BarShown(hwnd, bar)) {
    SetLastError(ERROR_NO_SCROLLBARS);
    return FALSE;
  }
  UINT mask = info->fMask;
  if (!(mask & (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS))) return FALSE;
  if (mask & SIF_RANGE) {
    info->nMin = d->min;
    info->nMax = d->max;
  }
  if (mask & SIF_PAGE) info->nPage = d->page;
  if (mask & SIF_POS) info->nPos = d->pos;
  if ((mask & SIF_TRACKPOS) && info->cbSize == sizeof(SCROLLINFO)) info->nTrackPos = d->tracking ? d->trackPos : d->pos;
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  ScrollData* d = DataOf(hwnd, bar);
  if (!d) return 0;
  int previous = d->pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return previous;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO si;
  si.fMask = SIF_POS;
  return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  if (int64_t(maxPos) - minPos > 0x7FFFFFFF) {
    SetLastError(ERROR_INVALID_SCROLLBAR_RANGE);
    return FALSE;
  }
  if (!DataOf(hwnd, bar)) return FALSE;
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = minPos;
  si.nMax = maxPos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  if (!minPos || !maxPos) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *minPos = *maxPos = 0;
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &si)) return FALSE;
  *minPos = si.nMin;
  *maxPos = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  if (!user::CheckWindow(hwnd)) return FALSE;
  DWORD bits = 0;
  switch (bar) {
    case SB_HORZ: bits = WS_HSCROLL; break;
    case SB_VERT: bits = WS_VSCROLL; break;
    case SB_BOTH: bits = WS_HSCROLL | WS_VSCROLL; break;
    case SB_CTL: ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE); return TRUE;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
  }
  if (show)
    if (frame::FrameState* s = frame::StateOf(hwnd)) {
      if (bits & WS_HSCROLL) s->bars[SB_HORZ].initialised = true;
      if (bits & WS_VSCROLL) s->bars[SB_VERT].initialised = true;
    }
  return SetBarStyle(hwnd, bits, show != FALSE) ? TRUE : FALSE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  if (!user::CheckWindow(hwnd)) return FALSE;
  if (arrows > ESB_DISABLE_BOTH) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int bars[2];
  int count = 0;
  switch (bar) {
    case SB_HORZ: case SB_VERT: case SB_CTL: bars[count++] = int(bar); break;
    case SB_BOTH: bars[count++] = SB_HORZ; bars[count++] = SB_VERT; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
  }
  bool changed = false;
  for (int i = 0; i < count; ++i) {
    frame::FrameState* s = frame::StateOf(hwnd);
    if (!s) return FALSE;
    ScrollData& d = s->bars[bars[i]];
    if (d.disabled == arrows) continue;
    d.disabled = arrows;
    changed = true;
    if (bars[i] == SB_CTL) EnableWindow(hwnd, arrows != ESB_DISABLE_BOTH);
    frame::RedrawScrollBar(hwnd, bars[i]);
  }
  return changed ? TRUE : FALSE;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG idObject, SCROLLBARINFO* info) {
  if (!info || info->cbSize != sizeof(SCROLLBARINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int bar = idObject == OBJID_HSCROLL ? SB_HORZ : idObject == OBJID_VSCROLL ? SB_VERT : idObject == OBJID_CLIENT ? SB_CTL : -1;
  if (bar < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ScrollData* d = DataOf(hwnd, bar);
  if (!d) return FALSE;
  frame::ScrollBarParts p = frame::PartsOf(hwnd, bar);
  POINT origin{};
  if (bar == SB_CTL) {
    ClientToScreen(hwnd, &origin);
  } else if (user::WindowObj* w = user::FindWindowObj(hwnd)) {
    origin = user::WindowOrigin(*w);
  }
  info->rcScrollBar = RECT{p.bar.left + origin.x, p.bar.top + origin.y, p.bar.right + origin.x, p.bar.bottom + origin.y};
  info->dxyLineButton = p.vertical ? p.arrowUp.bottom - p.arrowUp.top : p.arrowUp.right - p.arrowUp.left;
  int barStart = p.vertical ? p.bar.top : p.bar.left;
  info->xyThumbTop = p.thumbLength ? p.trackStart + p.thumbStart - barStart : 0;
  info->xyThumbBottom = p.thumbLength ? info->xyThumbTop + p.thumbLength : 0;
  std::fill(std::begin(info->rgstate), std::end(info->rgstate), 0);
  if (!BarShown(hwnd, bar) || (p.bar.right <= p.bar.left)) info->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
  if ((d->disabled & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH) info->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
  if (d->disabled & ESB_DISABLE_LTUP) info->rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
  if (d->disabled & ESB_DISABLE_RTDN) info->rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
  if (!p.thumbLength) info->rgstate[3] |= STATE_SYSTEM_INVISIBLE;
  if (frame::FrameState* s = frame::FindState(hwnd); s && s->pressedBar == bar && s->pressedPart != frame::ScrollPart::None)
    info->rgstate[int(s->pressedPart)] |= STATE_SYSTEM_PRESSED;
  return TRUE;
}

}  // namespace win
