// The SCROLLBAR control: a child window showing one bar with the window bars' drawing and loop.

#include <mutex>

#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/detail/ScrollBarDraw.h"
#include "platform/user/detail/ScrollBarTrack.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

bool Vertical(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & SBS_VERT) != 0; }

void Notify(HWND hwnd, WORD code, int pos = 0) {
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, Vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, WORD(pos)), LPARAM(hwnd));
}

LRESULT OnKey(HWND hwnd, WPARAM vk) {
  WORD code;
  switch (vk) {
    case VK_UP: case VK_LEFT: code = SB_LINEUP; break;
    case VK_DOWN: case VK_RIGHT: code = SB_LINEDOWN; break;
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    default: return 0;
  }
  Notify(hwnd, code);
  if (IsWindow(hwnd)) Notify(hwnd, SB_ENDSCROLL);
  return 0;
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  frame::FrameState* s = frame::FindState(hwnd);
  frame::ScrollData d = s ? s->bars[SB_CTL] : frame::ScrollData{};
  if (!IsWindowEnabled(hwnd)) d.disabled = ESB_DISABLE_BOTH;
  frame::ScrollPart pressed = s && s->pressedBar == SB_CTL ? s->pressedPart : frame::ScrollPart::None;
  frame::DrawScrollBar(hdc, frame::PartsOf(hwnd, SB_CTL), d, pressed);
  EndPaint(hwnd, &ps);
}

LRESULT ScrollBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      if (frame::FrameState* s = frame::StateOf(hwnd)) s->bars[SB_CTL].initialised = true;
      return 0;
    case WM_ERASEBKGND: return 1;  // every pixel is painted
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &pt);
      frame::TrackScrollBar(hwnd, SB_CTL, pt);
      return 0;
    }
    case WM_KEYDOWN: return OnKey(hwnd, wParam);
    case SBM_SETPOS: return SetScrollPos(hwnd, SB_CTL, int(wParam), BOOL(lParam));
    case SBM_GETPOS: return GetScrollPos(hwnd, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      int previous = GetScrollPos(hwnd, SB_CTL);
      if (!SetScrollRange(hwnd, SB_CTL, int(wParam), int(lParam), msg == SBM_SETRANGEREDRAW)) return 0;
      return previous;
    }
    case SBM_GETRANGE: {
      int lo = 0, hi = 0;
      GetScrollRange(hwnd, SB_CTL, &lo, &hi);
      if (auto* p = reinterpret_cast<int*>(wParam)) *p = lo;
      if (auto* p = reinterpret_cast<int*>(lParam)) *p = hi;
      return 0;
    }
    case SBM_ENABLE_ARROWS: return EnableScrollBar(hwnd, SB_CTL, UINT(wParam));
    case SBM_SETSCROLLINFO: return SetScrollInfo(hwnd, SB_CTL, reinterpret_cast<const SCROLLINFO*>(lParam), BOOL(wParam));
    case SBM_GETSCROLLINFO: return GetScrollInfo(hwnd, SB_CTL, reinterpret_cast<SCROLLINFO*>(lParam));
    case SBM_GETSCROLLBARINFO:
      return GetScrollBarInfo(hwnd, OBJID_CLIENT, reinterpret_cast<SCROLLBARINFO*>(lParam));
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

BOOL RegisterScrollBarClass() {
  static std::once_flag once;
  static BOOL ok = FALSE;
  std::call_once(once, [] {
    WNDCLASSEXW wc;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = ScrollBarProc;
    wc.lpszClassName = u"ScrollBar";
    ok = RegisterClassExW(&wc) != 0;
  });
  return ok;
}

}  // namespace win
