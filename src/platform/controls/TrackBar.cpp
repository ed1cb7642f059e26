// The track bar ("msctls_trackbar32"): a thumb on a channel between a minimum and a maximum, tick
// marks, an optional selection range, keyboard, mouse and wheel with WM_HSCROLL/WM_VSCROLL to
// the parent, and custom draw through NM_CUSTOMDRAW.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/controls/CommCtrl.h"
#include "platform/controls/Edit.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/kernel/Rects.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/painting/UserDraw.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

constexpr UINT_PTR kPageTimer = 1;
constexpr UINT kFirstRepeatMs = 500, kRepeatMs = 100;
constexpr int kChannelThickness = 4;
constexpr int kTickLength = 3;

struct TrackBar {
  HWND hwnd = nullptr;
  int min = 0, max = 100, pos = 0;
  int line = 1;
  int page = -1;  // -1: a fifth of the range
  int freq = 1;
  std::vector<int> tics;  // tick marks set with TBM_SETTIC
  int selStart = 0, selEnd = 0;
  int thumbLength = 20;
  bool dragging = false;
  int dragOffset = 0;
  int pageDirection = 0;  // while a page click repeats: -1 toward the minimum, +1 toward the maximum
  int wheelDelta = 0;     // wheel turned short of a whole notch, kept for the next turn
};

TrackBar* BarOf(HWND hwnd) { return reinterpret_cast<TrackBar*>(GetWindowLongPtrW(hwnd, 0)); }
DWORD StyleOf(const TrackBar& t) { return DWORD(GetWindowLongPtrW(t.hwnd, GWL_STYLE)); }
bool Vertical(const TrackBar& t) { return (StyleOf(t) & TBS_VERT) != 0; }

int Clamp(const TrackBar& t, long long v) { return int(std::clamp<long long>(v, t.min, std::max(t.min, t.max))); }
int PageSize(const TrackBar& t) {
  return t.page >= 0 ? t.page : int(std::max<long long>(1, (static_cast<long long>(t.max) - t.min) / 5));
}

// Automatic ticks every `freq` strictly between the ends; counted, never stored.
long long AutoTicCount(const TrackBar& t) {
  if (!(StyleOf(t) & TBS_AUTOTICKS)) return 0;
  long long span = static_cast<long long>(t.max) - t.min;
  return span > 1 ? (span - 1) / std::max(1, t.freq) : 0;
}
long long TicCount(const TrackBar& t) { return AutoTicCount(t) + static_cast<long long>(t.tics.size()); }
long long TicValue(const TrackBar& t, long long i) {
  long long autoCount = AutoTicCount(t);
  if (i < autoCount) return t.min + (i + 1) * static_cast<long long>(std::max(1, t.freq));
  return t.tics[size_t(i - autoCount)];
}

// Geometry along the bar (x of a horizontal one) and across it.
struct Geometry {
  int along = 0, cross = 0;
  int thumbAlong = 0;
  int channelStart = 0, channelEnd = 0;  // along
  int thumbCross = 0;                    // start of the thumb across
  int channelCross = 0;                  // start of the channel across
};

Geometry Measure(const TrackBar& t) {
  RECT rc;
  GetClientRect(t.hwnd, &rc);
  Geometry g;
  bool vert = Vertical(t);
  g.along = vert ? rc.bottom : rc.right;
  g.cross = vert ? rc.right : rc.bottom;
  g.thumbAlong = t.thumbLength / 2 + 1;
  int margin = g.thumbAlong / 2 + 2;
  g.channelStart = margin;
  g.channelEnd = std::max(margin + 1, g.along - margin);
  DWORD style = StyleOf(t);
  if (style & TBS_BOTH) g.thumbCross = (g.cross - t.thumbLength) / 2;
  else if (style & TBS_TOP) g.thumbCross = g.cross - t.thumbLength - 2;
  else g.thumbCross = 2;
  g.thumbCross = std::max(0, g.thumbCross);
  g.channelCross = g.thumbCross + (t.thumbLength - kChannelThickness) / 2;
  return g;
}

int AlongOf(const TrackBar& t, const Geometry& g, long long value) {
  long long span = static_cast<long long>(t.max) - t.min;
  if (span <= 0) return g.channelStart;
  long long length = g.channelEnd - g.channelStart - 1;
  double x = double(value - t.min) * double(length) / double(span);
  return g.channelStart + int(std::lround(x));
}

int ValueAt(const TrackBar& t, const Geometry& g, int along) {
  long long span = static_cast<long long>(t.max) - t.min;
  long long length = g.channelEnd - g.channelStart - 1;
  if (span <= 0 || length <= 0) return t.min;
  double v = double(along - g.channelStart) * double(span) / double(length);
  return Clamp(t, t.min + std::llround(v));
}

RECT Oriented(const TrackBar& t, int a0, int c0, int a1, int c1) {
  return Vertical(t) ? RECT{c0, a0, c1, a1} : RECT{a0, c0, a1, c1};
}

RECT ThumbRect(const TrackBar& t) {
  Geometry g = Measure(t);
  int centre = AlongOf(t, g, t.pos);
  int a0 = centre - g.thumbAlong / 2;
  return Oriented(t, a0, g.thumbCross, a0 + g.thumbAlong, g.thumbCross + t.thumbLength);
}

RECT ChannelRect(const TrackBar& t) {
  Geometry g = Measure(t);
  return Oriented(t, g.channelStart, g.channelCross, g.channelEnd, g.channelCross + kChannelThickness);
}

void Redraw(TrackBar& t, bool redraw = true) {
  if (redraw) InvalidateRect(t.hwnd, nullptr, TRUE);
}

void NotifyScroll(TrackBar& t, WORD code) {
  HWND parent = GetParent(t.hwnd);
  if (!parent) return;
  WORD pos = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? WORD(t.pos) : 0;
  SendMessageW(parent, Vertical(t) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), LPARAM(t.hwnd));
}

void MoveTo(TrackBar& t, long long value, WORD code) {
  int v = Clamp(t, value);
  if (v != t.pos) {
    t.pos = v;
    Redraw(t);
  }
  NotifyScroll(t, code);
}

bool OnKey(TrackBar& t, WPARAM vk) {
  switch (vk) {
    case VK_LEFT: case VK_UP: MoveTo(t, static_cast<long long>(t.pos) - t.line, TB_LINEUP); return true;
    case VK_RIGHT: case VK_DOWN: MoveTo(t, static_cast<long long>(t.pos) + t.line, TB_LINEDOWN); return true;
    case VK_PRIOR: MoveTo(t, static_cast<long long>(t.pos) - PageSize(t), TB_PAGEUP); return true;
    case VK_NEXT: MoveTo(t, static_cast<long long>(t.pos) + PageSize(t), TB_PAGEDOWN); return true;
    case VK_HOME: MoveTo(t, t.min, TB_TOP); return true;
    case VK_END: MoveTo(t, t.max, TB_BOTTOM); return true;
    default: return false;
  }
}

// A notch of the wheel moves the thumb by the line size, notified as a line move of the keys.
// Away from the user is "up", toward the minimum (left or top); TBS_DOWNISLEFT turns that round.
// A finer wheel's deltas add up to whole notches of WHEEL_DELTA.
void OnWheel(TrackBar& t, int delta) {
  t.wheelDelta += delta;
  const int notches = t.wheelDelta / WHEEL_DELTA;
  if (notches == 0) return;
  t.wheelDelta -= notches * WHEEL_DELTA;
  const bool towardMin = (notches > 0) != ((StyleOf(t) & TBS_DOWNISLEFT) != 0);
  // The parent's handler may destroy the bar, and `t` with it.
  const HWND hwnd = t.hwnd;
  for (int i = 0; i < std::abs(notches); ++i) {
    if (towardMin) MoveTo(t, static_cast<long long>(t.pos) - t.line, TB_LINEUP);
    else MoveTo(t, static_cast<long long>(t.pos) + t.line, TB_LINEDOWN);
    if (!IsWindow(hwnd)) return;
  }
  NotifyScroll(t, TB_ENDTRACK);
}

int AlongOfPoint(const TrackBar& t, POINT pt) { return Vertical(t) ? pt.y : pt.x; }

// One page step toward the pointer; false once the thumb has reached it.
bool PageTowardPointer(TrackBar& t) {
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(t.hwnd, &pt);
  RECT thumb = ThumbRect(t);
  if (PtInRect(&thumb, pt)) return false;
  Geometry g = Measure(t);
  int centre = AlongOf(t, g, t.pos);
  int along = AlongOfPoint(t, pt);
  if ((t.pageDirection < 0 && along >= centre) || (t.pageDirection > 0 && along <= centre)) return false;
  MoveTo(t, static_cast<long long>(t.pos) + t.pageDirection * static_cast<long long>(PageSize(t)),
         t.pageDirection < 0 ? TB_PAGEUP : TB_PAGEDOWN);
  return true;
}

void EndMouse(TrackBar& t, bool notify) {
  bool wasDragging = t.dragging, wasPaging = t.pageDirection != 0;
  t.dragging = false;
  t.pageDirection = 0;
  KillTimer(t.hwnd, kPageTimer);
  if (GetCapture() == t.hwnd) ReleaseCapture();
  if (!notify) return;
  if (wasDragging) {
    NotifyScroll(t, TB_THUMBPOSITION);
    Redraw(t);
  }
  if ((wasDragging || wasPaging) && IsWindow(t.hwnd)) NotifyScroll(t, TB_ENDTRACK);
}

void OnButtonDown(TrackBar& t, POINT pt) {
  if (GetFocus() != t.hwnd) SetFocus(t.hwnd);
  if (!IsWindow(t.hwnd)) return;
  RECT thumb = ThumbRect(t);
  Geometry g = Measure(t);
  if (!(StyleOf(t) & TBS_NOTHUMB) && PtInRect(&thumb, pt)) {
    t.dragging = true;
    t.dragOffset = AlongOfPoint(t, pt) - AlongOf(t, g, t.pos);
    SetCapture(t.hwnd);
    Redraw(t);
    return;
  }
  t.pageDirection = AlongOfPoint(t, pt) < AlongOf(t, g, t.pos) ? -1 : 1;
  SetCapture(t.hwnd);
  if (PageTowardPointer(t) && IsWindow(t.hwnd)) SetTimer(t.hwnd, kPageTimer, kFirstRepeatMs, nullptr);
}

void OnMouseMove(TrackBar& t, POINT pt) {
  if (!t.dragging) return;
  Geometry g = Measure(t);
  int v = ValueAt(t, g, AlongOfPoint(t, pt) - t.dragOffset);
  if (v == t.pos) return;
  t.pos = v;
  Redraw(t);
  NotifyScroll(t, TB_THUMBTRACK);
}

void OnTimer(TrackBar& t) {
  if (t.pageDirection == 0) {
    KillTimer(t.hwnd, kPageTimer);
    return;
  }
  if (!PageTowardPointer(t)) {
    KillTimer(t.hwnd, kPageTimer);
    return;
  }
  SetTimer(t.hwnd, kPageTimer, kRepeatMs, nullptr);
}

// Custom draw: the answer of one stage (CDRF_DODEFAULT without a parent).
LRESULT CustomDraw(TrackBar& t, HDC hdc, DWORD stage, DWORD_PTR part, const RECT& rc) {
  HWND parent = GetParent(t.hwnd);
  if (!parent) return CDRF_DODEFAULT;
  NMCUSTOMDRAW nm;
  nm.hdr.hwndFrom = t.hwnd;
  nm.hdr.idFrom = UINT_PTR(GetDlgCtrlID(t.hwnd));
  nm.hdr.code = NM_CUSTOMDRAW;
  nm.dwDrawStage = stage;
  nm.hdc = hdc;
  nm.rc = rc;
  nm.dwItemSpec = part;
  nm.uItemState = (GetFocus() == t.hwnd ? CDIS_FOCUS : 0) | (IsWindowEnabled(t.hwnd) ? 0 : CDIS_DISABLED) |
                  (part == TBCD_THUMB && t.dragging ? CDIS_SELECTED : 0);
  return SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, LPARAM(&nm));
}

void DrawTick(const TrackBar& t, HDC hdc, const Geometry& g, int along) {
  DWORD style = StyleOf(t);
  HBRUSH brush = GetSysColorBrush(COLOR_BTNTEXT);
  auto mark = [&](int c0) {
    RECT r = Oriented(t, along, c0, along + 1, c0 + kTickLength);
    FillRect(hdc, &r, brush);
  };
  if (style & (TBS_BOTH | TBS_TOP)) mark(g.thumbCross - kTickLength - 1);
  if ((style & TBS_BOTH) || !(style & TBS_TOP)) mark(g.thumbCross + t.thumbLength + 1);
}

void DrawTics(const TrackBar& t, HDC hdc) {
  if (!(StyleOf(t) & TBS_NOTICKS)) {
    Geometry g = Measure(t);
    DrawTick(t, hdc, g, AlongOf(t, g, t.min));
    DrawTick(t, hdc, g, AlongOf(t, g, t.max));
    // With more automatic ticks than pixels, every pixel gets one tick, not every value.
    long long autoCount = AutoTicCount(t);
    long long step = std::max<long long>(1, autoCount / std::max(1, g.channelEnd - g.channelStart));
    for (long long i = 0; i < autoCount; i += step) DrawTick(t, hdc, g, AlongOf(t, g, TicValue(t, i)));
    for (int v : t.tics) DrawTick(t, hdc, g, AlongOf(t, g, v));
  }
  if (GetFocus() == t.hwnd) {
    RECT rc;
    GetClientRect(t.hwnd, &rc);
    DrawFocusRect(hdc, &rc);
  }
}

void DrawChannel(const TrackBar& t, HDC hdc) {
  RECT rc = ChannelRect(t);
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOW));
  RECT edge = rc;
  DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
  if ((StyleOf(t) & TBS_ENABLESELRANGE) && t.selEnd > t.selStart) {
    Geometry g = Measure(t);
    int a0 = AlongOf(t, g, t.selStart), a1 = AlongOf(t, g, t.selEnd);
    RECT sel = Oriented(t, a0, g.channelCross + 1, a1 + 1, g.channelCross + kChannelThickness - 1);
    FillRect(hdc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
}

void DrawThumb(const TrackBar& t, HDC hdc) {
  RECT rc = ThumbRect(t);
  DrawFrameControl(hdc, &rc, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (t.dragging ? DFCS_PUSHED : 0) | (IsWindowEnabled(t.hwnd) ? 0 : DFCS_INACTIVE));
}

void Paint(TrackBar& t, HDC hdc) {
  RECT client;
  GetClientRect(t.hwnd, &client);
  HBRUSH background = nullptr;
  if (HWND parent = GetParent(t.hwnd))
    background = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC, WPARAM(hdc), LPARAM(t.hwnd)));
  FillRect(hdc, &client, background ? background : GetSysColorBrush(COLOR_BTNFACE));
  LRESULT whole = CustomDraw(t, hdc, CDDS_PREPAINT, 0, client);
  if (!IsWindow(t.hwnd)) return;
  if (!(whole & CDRF_SKIPDEFAULT)) {
    struct Part {
      DWORD_PTR itemSpec;
      RECT rc;
      void (*draw)(const TrackBar&, HDC);
    };
    std::vector<Part> parts{{TBCD_TICS, client, DrawTics}, {TBCD_CHANNEL, ChannelRect(t), DrawChannel}};
    if (!(StyleOf(t) & TBS_NOTHUMB)) parts.push_back({TBCD_THUMB, ThumbRect(t), DrawThumb});
    for (const Part& p : parts) {
      LRESULT r = (whole & CDRF_NOTIFYITEMDRAW) ? CustomDraw(t, hdc, CDDS_ITEMPREPAINT, p.itemSpec, p.rc) : CDRF_DODEFAULT;
      if (!IsWindow(t.hwnd)) return;
      if (!(r & CDRF_SKIPDEFAULT)) p.draw(t, hdc);
      if (r & CDRF_NOTIFYPOSTPAINT) CustomDraw(t, hdc, CDDS_ITEMPOSTPAINT, p.itemSpec, p.rc);
    }
  }
  if (whole & CDRF_NOTIFYPOSTPAINT) CustomDraw(t, hdc, CDDS_POSTPAINT, 0, client);
}

void SetRange(TrackBar& t, int lo, int hi, bool redraw) {
  t.min = lo;
  t.max = hi;
  t.pos = Clamp(t, t.pos);
  t.selStart = Clamp(t, t.selStart);
  t.selEnd = Clamp(t, t.selEnd);
  Redraw(t, redraw);
}

LRESULT TrackBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto* t = new TrackBar;
    t->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, 0, LONG_PTR(t));
    return 0;
  }
  TrackBar* tp = BarOf(hwnd);
  if (!tp) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TrackBar& t = *tp;
  bool redraw = wParam != 0;
  switch (msg) {
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, 0, 0);
      delete tp;
      return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (msg == WM_PRINTCLIENT || wParam) {
        Paint(t, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      if (HDC hdc = BeginPaint(hwnd, &ps)) {
        Paint(t, hdc);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }
    case WM_SIZE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Redraw(t); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: return OnKey(t, wParam) ? 0 : DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_KEYUP:
      switch (wParam) {
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
          NotifyScroll(t, TB_ENDTRACK);
          return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
      }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(t, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_MOUSEMOVE: OnMouseMove(t, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP: EndMouse(t, true); return 0;
    case WM_MOUSEWHEEL: OnWheel(t, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_CAPTURECHANGED:
      if (HWND(lParam) != hwnd && (t.dragging || t.pageDirection)) EndMouse(t, true);
      return 0;
    case WM_TIMER:
      if (wParam == kPageTimer) OnTimer(t);
      return 0;

    case TBM_GETPOS: return t.pos;
    case TBM_SETPOS:
      t.pos = Clamp(t, LONG(lParam));
      Redraw(t, redraw);
      return 0;
    case TBM_GETRANGEMIN: return t.min;
    case TBM_GETRANGEMAX: return t.max;
    case TBM_SETRANGE: SetRange(t, SHORT(LOWORD(lParam)), SHORT(HIWORD(lParam)), redraw); return 0;
    case TBM_SETRANGEMIN: SetRange(t, int(lParam), t.max, redraw); return 0;
    case TBM_SETRANGEMAX: SetRange(t, t.min, int(lParam), redraw); return 0;
    case TBM_SETTIC: {
      int v = int(lParam);
      if (v < t.min || v > t.max) return FALSE;
      auto it = std::lower_bound(t.tics.begin(), t.tics.end(), v);
      if (it == t.tics.end() || *it != v) t.tics.insert(it, v);
      Redraw(t);
      return TRUE;
    }
    case TBM_CLEARTICS: t.tics.clear(); Redraw(t, redraw); return 0;
    case TBM_GETNUMTICS:
      if (StyleOf(t) & TBS_NOTICKS) return 0;
      return LRESULT(std::min<long long>(TicCount(t) + 2, 0x7FFFFFFF));
    case TBM_GETTIC: {
      long long i = static_cast<long long>(int(wParam));
      if (i < 0 || i >= TicCount(t)) return -1;
      return LRESULT(TicValue(t, i));
    }
    case TBM_GETTICPOS: {
      long long i = static_cast<long long>(int(wParam));
      if (i < 0 || i >= TicCount(t)) return -1;
      return AlongOf(t, Measure(t), TicValue(t, i));
    }
    case TBM_GETPTICS: return t.tics.empty() ? 0 : LRESULT(t.tics.data());
    case TBM_SETTICFREQ:
      if (StyleOf(t) & TBS_AUTOTICKS) {
        t.freq = std::max(1, int(wParam));
        Redraw(t);
      }
      return 0;
    case TBM_SETSEL:
      t.selStart = Clamp(t, SHORT(LOWORD(lParam)));
      t.selEnd = Clamp(t, SHORT(HIWORD(lParam)));
      Redraw(t, redraw);
      return 0;
    case TBM_SETSELSTART: t.selStart = Clamp(t, LONG(lParam)); Redraw(t, redraw); return 0;
    case TBM_SETSELEND: t.selEnd = Clamp(t, LONG(lParam)); Redraw(t, redraw); return 0;
    case TBM_GETSELSTART: return t.selStart;
    case TBM_GETSELEND: return t.selEnd;
    case TBM_CLEARSEL: t.selStart = t.selEnd = 0; Redraw(t, redraw); return 0;
    case TBM_SETPAGESIZE: {
      int old = PageSize(t);
      t.page = std::max(0, int(lParam));
      return old;
    }
    case TBM_GETPAGESIZE: return PageSize(t);
    case TBM_SETLINESIZE: {
      int old = t.line;
      t.line = std::max(0, int(lParam));
      return old;
    }
    case TBM_GETLINESIZE: return t.line;
    case TBM_GETTHUMBRECT:
      if (auto* out = reinterpret_cast<RECT*>(lParam)) *out = ThumbRect(t);
      return 0;
    case TBM_GETCHANNELRECT:
      // Given as if the bar were horizontal, also for a vertical bar: callers swap the axes.
      if (auto* out = reinterpret_cast<RECT*>(lParam)) {
        Geometry g = Measure(t);
        *out = RECT{g.channelStart, g.channelCross, g.channelEnd, g.channelCross + kChannelThickness};
      }
      return 0;
    case TBM_SETTHUMBLENGTH:
      if (StyleOf(t) & TBS_FIXEDLENGTH) {
        t.thumbLength = std::clamp(int(wParam), 1, 0x7FFF);
        Redraw(t);
      }
      return 0;
    case TBM_GETTHUMBLENGTH: return t.thumbLength;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

BOOL RegisterTrackBarClass() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = TrackBarProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = TRACKBAR_CLASSW;
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
