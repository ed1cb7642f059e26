// The move and size loops, and the default track sizes.

#include "platform/user/frames/MoveSize.h"

#include <algorithm>

#include "platform/kernel/Rects.h"
#include "platform/user/detail/FrameModalLoop.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win::frame {
namespace {

constexpr int kKeyboardStep = 8;

bool HasLeft(WPARAM e) { return e == WMSZ_LEFT || e == WMSZ_TOPLEFT || e == WMSZ_BOTTOMLEFT; }
bool HasRight(WPARAM e) { return e == WMSZ_RIGHT || e == WMSZ_TOPRIGHT || e == WMSZ_BOTTOMRIGHT; }
bool HasTop(WPARAM e) { return e == WMSZ_TOP || e == WMSZ_TOPLEFT || e == WMSZ_TOPRIGHT; }
bool HasBottom(WPARAM e) { return e == WMSZ_BOTTOM || e == WMSZ_BOTTOMLEFT || e == WMSZ_BOTTOMRIGHT; }

POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Puts the window at a screen rectangle (children are placed in their parent's client area).
void Place(HWND hwnd, const RECT& screenRect, bool sizeToo) {
  RECT r = screenRect;
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)
    if (HWND parent = GetParent(hwnd)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | (sizeToo ? 0 : SWP_NOSIZE));
}

struct Loop {
  HWND hwnd = nullptr;
  bool moving = false;
  WPARAM edge = 0;  // WMSZ_ edge while sizing; 0 until the keyboard picked one
  bool keyboard = false;
  RECT original{};
  RECT current{};
  POINT start{};
  POINT cursor{};
  MINMAXINFO mmi{};

  // Follows the mouse (or the keyboard's cursor) to `pt`.
  void Track(POINT pt) {
    if (pt.x == cursor.x && pt.y == cursor.y) return;
    cursor = pt;
    int dx = pt.x - start.x, dy = pt.y - start.y;
    RECT r = original;
    if (moving) {
      OffsetRect(&r, dx, dy);
    } else {
      if (!edge) return;
      if (HasLeft(edge)) r.left += dx;
      if (HasRight(edge)) r.right += dx;
      if (HasTop(edge)) r.top += dy;
      if (HasBottom(edge)) r.bottom += dy;
      int w = std::clamp<int>(r.right - r.left, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
      int h = std::clamp<int>(r.bottom - r.top, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
      if (HasLeft(edge)) r.left = r.right - w; else r.right = r.left + w;
      if (HasTop(edge)) r.top = r.bottom - h; else r.bottom = r.top + h;
    }
    SendMessageW(hwnd, moving ? WM_MOVING : WM_SIZING, moving ? 0 : edge, LPARAM(&r));
    if (!IsWindow(hwnd) || EqualRect(&r, &current)) return;
    current = r;
    Place(hwnd, r, !moving || r.right - r.left != original.right - original.left ||
                       r.bottom - r.top != original.bottom - original.top);
  }

  // An arrow key of the keyboard forms: picks the edge first when sizing, then steps.
  void Arrow(UINT vk) {
    int dx = vk == VK_LEFT ? -kKeyboardStep : vk == VK_RIGHT ? kKeyboardStep : 0;
    int dy = vk == VK_UP ? -kKeyboardStep : vk == VK_DOWN ? kKeyboardStep : 0;
    if (!moving && !edge) {
      edge = vk == VK_LEFT ? WMSZ_LEFT : vk == VK_RIGHT ? WMSZ_RIGHT : vk == VK_UP ? WMSZ_TOP : WMSZ_BOTTOM;
      RECT r = current;
      start = Center(r);
      if (HasLeft(edge)) start.x = r.left;
      if (HasRight(edge)) start.x = r.right - 1;
      if (HasTop(edge)) start.y = r.top;
      if (HasBottom(edge)) start.y = r.bottom - 1;
      original = current;
      cursor = start;
      SetCursorPos(start.x, start.y);
      return;
    }
    POINT pt{cursor.x + dx, cursor.y + dy};
    SetCursorPos(pt.x, pt.y);
    Track(pt);
  }
};

}  // namespace

MINMAXINFO MinMaxInfoOf(HWND hwnd) {
  MINMAXINFO mmi;
  WindowFrame f;
  int bx = 0, by = 0;
  if (WindowFrameOf(hwnd, &f)) {
    bx = f.layout.borderX;
    by = f.layout.borderY;
  }
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  MONITORINFO mi;
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi)) work = mi.rcWork;
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)
    if (HWND parent = GetParent(hwnd)) GetClientRect(parent, &work);
  mmi.ptMaxSize = POINT{work.right - work.left + 2 * bx, work.bottom - work.top + 2 * by};
  mmi.ptMaxPosition = POINT{work.left - bx, work.top - by};
  mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
  return mmi;
}

void RunMoveSizeLoop(HWND hwnd, WPARAM command, POINT screenPt) {
  DWORD style = DWORD(GetWindowLongPtrW(hwnd, GWL_STYLE));
  bool moving = (command & 0xFFF0) == SC_MOVE;
  if (!IsWindow(hwnd) || (style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
  if (!moving && !(style & WS_THICKFRAME)) return;
  user::ThreadQueue& q = user::CurrentQueue();
  if (user::HasHooks(q, WH_CBT)) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (user::CallHooks(q, WH_CBT, HCBT_MOVESIZE, WPARAM(hwnd), LPARAM(&r)) != 0) return;
  }

  Loop loop;
  loop.hwnd = hwnd;
  loop.moving = moving;
  loop.edge = moving ? 0 : (command & 0x0F);
  loop.keyboard = (command & 0x0F) == 0;
  GetWindowRect(hwnd, &loop.original);
  loop.current = loop.original;
  if (!moving) loop.mmi = MinMaxInfoOf(hwnd);
  if (!IsWindow(hwnd)) return;
  loop.start = screenPt;
  // A mouse command sent without a point (a size grip, a caption drawn by the program itself)
  // starts where the pointer is, as the press that asked for it was there.
  if (!loop.keyboard && screenPt.x == 0 && screenPt.y == 0) GetCursorPos(&loop.start);
  if (loop.keyboard) {
    WindowFrame f;
    loop.start = Center(loop.original);
    if (moving && WindowFrameOf(hwnd, &f) && f.layout.hasCaption)
      loop.start = POINT{f.origin.x + (f.layout.caption.left + f.layout.caption.right) / 2,
                         f.origin.y + (f.layout.caption.top + f.layout.caption.bottom) / 2};
    SetCursorPos(loop.start.x, loop.start.y);
  }
  loop.cursor = loop.start;

  SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  if (!IsWindow(hwnd)) return;
  SetCapture(hwnd);
  bool cancelled = false;
  MSG msg;
  while (NextLoopMessage(hwnd, &msg)) {
    if (IsMouseMove(msg.message)) {
      loop.Track(msg.pt);
    } else if (IsLeftButtonUp(msg.message)) {
      loop.Track(msg.pt);
      break;
    } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      if (msg.wParam == VK_ESCAPE) {
        cancelled = true;
        break;
      }
      if (msg.wParam == VK_RETURN) break;
      if (loop.keyboard && (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP || msg.wParam == VK_DOWN))
        loop.Arrow(UINT(msg.wParam));
    } else if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
               (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
               (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK)) {
      // Keys and the other mouse messages belong to the loop.
    } else {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (!IsWindow(hwnd)) return;
  if (cancelled && !EqualRect(&loop.current, &loop.original)) Place(hwnd, loop.original, true);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (IsWindow(hwnd)) SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace win::frame
