// Capture, keyboard focus and activation.

#include <atomic>

#include "platform/desktop/Screen.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

std::atomic<bool> g_appActive{false};
std::atomic<HWND> g_foreground{nullptr};
HWND g_lastActive = nullptr;  // restored when the application comes back

void SendActivateApp(ThreadQueue& q, bool active) {
  std::vector<HWND> tops;
  for (WindowObj* t : Desktop()->children)
    if (t->threadId == q.threadId) tops.push_back(t->hwnd);
  for (HWND h : tops)
    if (IsWindow(h)) SendMessageW(h, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

bool CanActivate(const WindowObj& t) {
  return (t.style & WS_VISIBLE) && !(t.style & WS_DISABLED) && !(t.exStyle & WS_EX_NOACTIVATE) &&
         !(t.style & WS_CHILD);
}

}  // namespace

bool ApplicationActive() { return g_appActive; }

HWND ActivateWindow(WindowObj* w, WORD how) {
  ThreadQueue& q = CurrentQueue();
  HWND h = w ? w->hwnd : nullptr;
  HWND old = q.active;
  if (old == h) return old;
  if (HasHooks(q, WH_CBT)) {
    CBTACTIVATESTRUCT cbt{how == WA_CLICKACTIVE, old};
    if (CallHooks(q, WH_CBT, HCBT_ACTIVATE, WPARAM(h), LPARAM(&cbt)) != 0) return old;
  }
  if (h) {
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsWindow(h)) return old;
  }
  q.active = h;
  if (old && IsWindow(old)) {
    WindowObj* o = FindWindowObj(old);
    SendMessageW(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o && (o->style & WS_MINIMIZE)) ? 1 : 0),
                 reinterpret_cast<LPARAM>(h));
    // Keyboard focus never stays in a window that lost activation.
    WindowObj* f = FindWindowObj(q.focus);
    WindowObj* oldTop = FindWindowObj(old);
    if (f && oldTop && (f == oldTop || IsDescendant(oldTop, f))) {
      HWND lost = q.focus;
      q.focus = nullptr;
      SendMessageW(lost, WM_KILLFOCUS, WPARAM(h), 0);
    }
  }
  if (q.active != h) return old;
  if (h && !g_appActive) {
    g_appActive = true;
    SendActivateApp(q, true);
  } else if (!h && g_appActive && !old) {
    // nothing was active and nothing becomes active
  }
  if (h && q.active == h && IsWindow(h)) {
    g_foreground = h;
    g_lastActive = h;
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    WindowObj* n = FindWindowObj(h);
    SendMessageW(h, WM_ACTIVATE, MAKEWPARAM(how, (n && (n->style & WS_MINIMIZE)) ? 1 : 0),
                 reinterpret_cast<LPARAM>(old));
  } else if (!h) {
    g_foreground = nullptr;
  }
  return old;
}

void ActivateOtherWindow(WindowObj& leaving) {
  ThreadQueue& q = CurrentQueue();
  WindowObj* next = nullptr;
  if (leaving.owner && leaving.owner->threadId == q.threadId && CanActivate(*leaving.owner)) next = leaving.owner;
  if (!next)
    for (WindowObj* t : Desktop()->children)
      if (t != &leaving && t->threadId == q.threadId && CanActivate(*t) && !(t->exStyle & WS_EX_TOOLWINDOW)) {
        next = t;
        break;
      }
  ActivateWindow(next, WA_ACTIVE);
}

void SetApplicationActive(bool active) {
  ThreadQueue& q = CurrentQueue();
  if (!active) {
    if (!g_appActive) return;
    if (q.capture && IsWindow(q.capture)) SendMessageW(q.capture, WM_CANCELMODE, 0, 0);
    if (q.capture) ReleaseCapture();
    HWND keep = q.active;
    ActivateWindow(nullptr, WA_INACTIVE);
    g_lastActive = keep;
    g_appActive = false;
    g_foreground = nullptr;
    SendActivateApp(q, false);
    return;
  }
  if (g_appActive) return;
  WindowObj* w = FindWindowObj(g_lastActive);
  if (!w || !CanActivate(*w)) {
    w = nullptr;
    for (WindowObj* t : Desktop()->children)
      if (t->threadId == q.threadId && CanActivate(*t)) {
        w = t;
        break;
      }
  }
  if (w)
    ActivateWindow(w, WA_ACTIVE);
  else {
    g_appActive = true;
    SendActivateApp(q, true);
  }
}

void ForgetWindowInput(WindowObj& w) {
  ThreadQueue& q = CurrentQueue();
  HWND h = w.hwnd;
  if (q.capture == h) {
    q.capture = nullptr;
    q.pressWindow = nullptr;
    SendMessageW(h, WM_CAPTURECHANGED, 0, 0);
    if (desktop::Screen* s = desktop::GetScreen()) s->CaptureChanged(nullptr);
  }
  if (q.focus == h) q.focus = nullptr;
  if (q.active == h) {
    if (w.destroying)
      ActivateOtherWindow(w);
    else
      q.active = nullptr;
  }
  if (g_lastActive == h) g_lastActive = nullptr;
  if (g_foreground == h) g_foreground = nullptr;
  if (q.track.hwnd == h) q.track = TrackState{};
  if (q.caret.hwnd == h) {
    KillSystemTimer(h, 0xFFFF);
    q.caret = CaretState{};
  }
  if (q.lastClickHwnd == h) q.lastClickHwnd = nullptr;
  if (q.pressWindow == h) q.pressWindow = nullptr;
}

}  // namespace user

using namespace user;

HWND SetCapture(HWND hwnd) {
  ThreadQueue& q = CurrentQueue();
  if (!hwnd) {
    HWND old = q.capture;
    ReleaseCapture();
    return old;
  }
  WindowObj* w = CheckWindow(hwnd);
  if (!w || w->threadId != q.threadId) return nullptr;
  HWND old = q.capture;
  if (old == hwnd) return old;
  q.capture = hwnd;
  if (old && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  if (desktop::Screen* s = desktop::GetScreen()) s->CaptureChanged(q.capture);
  return old && IsWindow(old) ? old : nullptr;
}

BOOL ReleaseCapture() {
  ThreadQueue& q = CurrentQueue();
  HWND old = q.capture;
  if (!old) return TRUE;
  q.capture = nullptr;
  q.pressWindow = nullptr;  // the press's own hold ended when a capture took over from it
  if (IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
  if (desktop::Screen* s = desktop::GetScreen()) s->CaptureChanged(nullptr);
  return TRUE;
}

HWND GetCapture() {
  ThreadQueue& q = CurrentQueue();
  if (q.capture && !IsWindow(q.capture)) q.capture = nullptr;
  return q.capture;
}

HWND SetFocus(HWND hwnd) {
  ThreadQueue& q = CurrentQueue();
  HWND old = q.focus;
  if (hwnd) {
    WindowObj* w = CheckWindow(hwnd);
    if (!w || w->threadId != q.threadId) return nullptr;
    if (w->style & WS_MINIMIZE) return nullptr;
    if (HasHooks(q, WH_CBT) && CallHooks(q, WH_CBT, HCBT_SETFOCUS, WPARAM(hwnd), LPARAM(old)) != 0) return nullptr;
    if (!(w = FindWindowObj(hwnd))) return nullptr;
    WindowObj* top = TopLevelOf(w);
    if (top && top->parent && top->parent->isDesktop && q.active != top->hwnd) {
      ActivateWindow(top, WA_ACTIVE);
      if (!IsWindow(hwnd)) return nullptr;
      old = q.focus;
    }
    if (old == hwnd) return old;
    q.focus = hwnd;
    if (old && IsWindow(old)) SendMessageW(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (q.focus != hwnd || !IsWindow(hwnd)) return old;
    SendMessageW(hwnd, WM_SETFOCUS, WPARAM(old), 0);
    return old;
  }
  if (HasHooks(q, WH_CBT) && CallHooks(q, WH_CBT, HCBT_SETFOCUS, 0, LPARAM(old)) != 0) return nullptr;
  q.focus = nullptr;
  if (old && IsWindow(old)) SendMessageW(old, WM_KILLFOCUS, 0, 0);
  return old;
}

HWND GetFocus() {
  ThreadQueue& q = CurrentQueue();
  if (q.focus && !IsWindow(q.focus)) q.focus = nullptr;
  return q.focus;
}

HWND SetActiveWindow(HWND hwnd) {
  ThreadQueue& q = CurrentQueue();
  if (!hwnd) return ActivateWindow(nullptr, WA_INACTIVE);
  WindowObj* w = CheckWindow(hwnd);
  if (!w || w->threadId != q.threadId) return nullptr;
  w = TopLevelOf(w);
  if (!w->parent || !w->parent->isDesktop) return nullptr;
  return ActivateWindow(w, WA_ACTIVE);
}

HWND GetActiveWindow() {
  ThreadQueue& q = CurrentQueue();
  if (q.active && !IsWindow(q.active)) q.active = nullptr;
  return q.active;
}

BOOL SetForegroundWindow(HWND hwnd) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return FALSE;
  SetActiveWindow(hwnd);
  return GetActiveWindow() == TopLevelOf(w)->hwnd ? TRUE : FALSE;
}

HWND GetForegroundWindow() {
  HWND h = g_foreground;
  return h && IsWindow(h) ? h : nullptr;
}

BOOL LockSetForegroundWindow(UINT) { return TRUE; }

}  // namespace win
