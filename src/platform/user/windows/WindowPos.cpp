// Placement: SetWindowPos and what is built on it (ShowWindow, MoveWindow, SetParent), enabling.

#include <algorithm>
#include <optional>

#include "platform/kernel/LastError.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/MoveSize.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool ReorderChild(WindowObj& w, HWND after) {
  WindowObj* p = w.parent;
  if (!p) return false;
  auto& l = p->children;
  auto old = std::find(l.begin(), l.end(), &w) - l.begin();
  std::erase(l, &w);
  size_t index;
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    index = 0;
  } else if (after == HWND_BOTTOM) {
    index = l.size();
  } else {
    WindowObj* a = FindWindowObj(after);
    auto it = a ? std::find(l.begin(), l.end(), a) : l.end();
    index = it == l.end() ? 0 : size_t(it - l.begin()) + 1;
  }
  l.insert(l.begin() + ptrdiff_t(index), &w);
  return ptrdiff_t(index) != old;
}

// Where the window goes when maximised, as WM_GETMINMAXINFO answers (in the parent's client
// coordinates for a child); the size stays within the tracking limits.
RECT MaximizedRect(HWND hwnd) {
  MINMAXINFO mmi = frame::MinMaxInfoOf(hwnd);
  int cx = std::max(mmi.ptMinTrackSize.x, std::min(mmi.ptMaxSize.x, mmi.ptMaxTrackSize.x));
  int cy = std::max(mmi.ptMinTrackSize.y, std::min(mmi.ptMaxSize.y, mmi.ptMaxTrackSize.y));
  return RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + cx, mmi.ptMaxPosition.y + cy};
}

}  // namespace

}  // namespace user

using namespace user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || IsRoot(w)) return FALSE;
  if (w->threadId != CurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (insertAfter != HWND_TOP && insertAfter != HWND_BOTTOM && insertAfter != HWND_TOPMOST &&
      insertAfter != HWND_NOTOPMOST && !(flags & SWP_NOZORDER)) {
    WindowObj* a = FindWindowObj(insertAfter);
    if (!a || a == w) {
      if (!a) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
      }
      flags |= SWP_NOZORDER;
    }
  }
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if (w->style & WS_VISIBLE)
    wp.flags &= ~SWP_SHOWWINDOW;
  else
    wp.flags &= ~SWP_HIDEWINDOW;
  RECT oldWin = w->window;
  if (wp.flags & SWP_NOMOVE) {
    wp.x = oldWin.left;
    wp.y = oldWin.top;
  }
  if (wp.flags & SWP_NOSIZE) {
    wp.cx = Width(oldWin);
    wp.cy = Height(oldWin);
  }
  wp.cx = std::clamp(wp.cx, 0, 32767);
  wp.cy = std::clamp(wp.cy, 0, 32767);
  if (!(wp.flags & SWP_NOSENDCHANGING)) {
    SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&wp));
    if (!(w = FindWindowObj(hwnd))) return FALSE;
    wp.cx = std::clamp(wp.cx, 0, 32767);
    wp.cy = std::clamp(wp.cy, 0, 32767);
  }
  RECT newWin{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  bool moved = newWin.left != oldWin.left || newWin.top != oldWin.top;
  bool resized = Width(newWin) != Width(oldWin) || Height(newWin) != Height(oldWin);
  if (!moved) wp.flags |= SWP_NOMOVE;
  if (!resized) wp.flags |= SWP_NOSIZE;
  bool frameChanged = (wp.flags & SWP_FRAMECHANGED) != 0;

  RECT oldClient = w->client;
  RECT newClient{oldClient.left + (newWin.left - oldWin.left), oldClient.top + (newWin.top - oldWin.top),
                 oldClient.right + (newWin.left - oldWin.left), oldClient.bottom + (newWin.top - oldWin.top)};
  if (resized || frameChanged || moved) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newWin;
    p.rgrc[1] = oldWin;
    p.rgrc[2] = oldClient;
    p.lppos = &wp;
    SendMessageW(hwnd, WM_NCCALCSIZE, TRUE, LPARAM(&p));
    if (!(w = FindWindowObj(hwnd))) return FALSE;
    newClient = p.rgrc[0];
  }
  RECT oldScreen = ScreenWindowRect(*w);
  bool wasVisible = IsReallyVisible(*w);
  w->window = newWin;
  w->client = newClient;
  if (Width(newClient) == Width(oldClient) && Height(newClient) == Height(oldClient)) wp.flags |= SWP_NOCLIENTSIZE;
  if (newClient.left == oldClient.left && newClient.top == oldClient.top) wp.flags |= SWP_NOCLIENTMOVE;

  bool zChanged = false;
  if (!(wp.flags & SWP_NOZORDER)) {
    if (IsTopLevel(*w)) {
      if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
      if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM) w->exStyle &= ~WS_EX_TOPMOST;
      std::vector<WindowObj*> before = w->parent->children;
      PlaceTopLevel(*w, insertAfter);
      zChanged = before != w->parent->children;
    } else {
      zChanged = ReorderChild(*w, insertAfter);
    }
  }
  if (wp.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (wp.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;

  OnWindowGeometryChanged(*w, oldScreen, wasVisible, resized || frameChanged || (wp.flags & SWP_SHOWWINDOW),
                          !(wp.flags & SWP_NOREDRAW));
  if (zChanged) {
    OnZOrderChanged();
    if (!IsTopLevel(*w) && IsReallyVisible(*w) && !(wp.flags & SWP_NOREDRAW))
      OnWindowGeometryChanged(*w, ScreenWindowRect(*w), true, true, true);
  }

  if (wp.flags & SWP_HIDEWINDOW) {
    ThreadQueue& q = CurrentQueue();
    if (q.active == hwnd) ActivateOtherWindow(*w);
    if (!(w = FindWindowObj(hwnd))) return TRUE;
  }
  SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&wp));
  if (!(w = FindWindowObj(hwnd))) return TRUE;
  if (!(wp.flags & SWP_NOACTIVATE) && IsTopLevel(*w) && w->parent->isDesktop && (w->style & WS_VISIBLE) &&
      !(w->exStyle & WS_EX_NOACTIVATE) && !(w->style & WS_CHILD)) {
    if (CurrentQueue().active != hwnd) ActivateWindow(w, WA_ACTIVE);
  }
  return TRUE;
}

BOOL ShowWindow(HWND hwnd, int cmd) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || IsRoot(w)) return FALSE;
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  UINT swp = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
  bool show = true;
  bool activate = true;
  std::optional<RECT> place;
  DWORD state = w->style & (WS_MINIMIZE | WS_MAXIMIZE);
  DWORD newState = state;
  switch (cmd) {
    case SW_HIDE: show = false; activate = false; break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT: newState = 0; break;
    case SW_SHOWNOACTIVATE: newState = 0; activate = false; break;
    case SW_SHOW: break;
    case SW_SHOWNA: activate = false; break;
    case SW_SHOWMINIMIZED: newState = WS_MINIMIZE; break;
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: newState = WS_MINIMIZE; activate = false; break;
    case SW_SHOWMAXIMIZED: newState = WS_MAXIMIZE; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
  }
  if (newState != state) {
    std::optional<RECT> maximized;
    if (newState == WS_MAXIMIZE) {
      maximized = MaximizedRect(hwnd);
      if (!(w = FindWindowObj(hwnd))) return FALSE;
    }
    if (state == 0) w->normalRect = w->window;
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | newState;
    if (newState == WS_MAXIMIZE)
      place = maximized;
    else if (newState == WS_MINIMIZE)
      place = RECT{-32000, -32000, -32000 + 160, -32000 + 24};
    else
      place = w->normalRect;
    swp &= ~(SWP_NOSIZE | SWP_NOMOVE);
    swp |= SWP_FRAMECHANGED | SWP_STATECHANGED;
  }
  if (show != wasVisible) {
    SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!(w = FindWindowObj(hwnd))) return wasVisible;
    swp |= show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
  }
  if (!activate || (w->style & WS_CHILD)) swp |= SWP_NOACTIVATE;
  if (activate && IsTopLevel(*w)) swp &= ~SWP_NOZORDER;
  if (show == wasVisible && !place && (swp & SWP_NOACTIVATE)) return wasVisible;
  RECT r = place.value_or(w->window);
  SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, swp);
  return wasVisible;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (bool(enable) == !wasDisabled) return wasDisabled;
  if (!enable) {
    SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
    if (!(w = FindWindowObj(hwnd))) return wasDisabled;
    w->style |= WS_DISABLED;
    ThreadQueue& q = CurrentQueue();
    WindowObj* f = FindWindowObj(q.focus);
    if (f && (f == w || IsDescendant(w, f))) SetFocus(nullptr);
  } else {
    w->style &= ~WS_DISABLED;
  }
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !placement) return FALSE;
  placement->flags = 0;
  placement->showCmd = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                       : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                       : (w->style & WS_VISIBLE)  ? SW_SHOWNORMAL
                                                  : SW_HIDE;
  placement->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->window;
  return TRUE;
}

HWND SetParent(HWND child, HWND newParent) {
  WindowObj* w = CheckWindow(child);
  if (!w || IsRoot(w)) return nullptr;
  WindowObj* np = newParent == HWND_MESSAGE ? MessageRoot() : newParent ? CheckWindow(newParent) : Desktop();
  if (!np) return nullptr;
  if (np == w || IsDescendant(w, np)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  WindowObj* old = w->parent;
  HWND oldHandle = old ? old->hwnd : nullptr;
  bool wasShown = (w->style & WS_VISIBLE) != 0;
  if (wasShown) {
    SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(w = FindWindowObj(child))) return nullptr;
  }
  RECT oldScreen = ScreenWindowRect(*w);
  UnlinkFromParent(*w);
  if (IsRoot(np)) {
    w->parent = np;
    if (np->isDesktop)
      PlaceTopLevel(*w, HWND_TOP);
    else
      LinkToParent(*w, np, 0);
  } else {
    LinkToParent(*w, np, 0);
  }
  OnWindowGeometryChanged(*w, oldScreen, false, true, true);
  OnZOrderChanged();
  if (wasShown)
    SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return oldHandle;
}

}  // namespace win
