// WM_PRINT and WM_PRINTCLIENT: a window drawn into any DC the caller gives, with its children
// and owned windows, as it looks on screen. The frame's handler draws the non-client part first
// and hands the message on unchanged, so the client part knows where the frame put its origin.

#include <algorithm>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/PaintCore.h"

namespace win::user {
namespace {

// What a child window is asked for: its whole look, whatever the parent was asked for.
constexpr LPARAM kChildFlags = PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN;

POINT ClientOffsetOf(const WindowObj& w) { return POINT{w.client.left - w.window.left, w.client.top - w.window.top}; }

// Sends WM_PRINT to `target` with the DC's origin moved by `origin` and, when asked, its drawing
// kept inside `clip` (logical units after the move).
void PrintAt(HWND target, HDC hdc, POINT origin, const RECT* clip, LPARAM flags) {
  int saved = SaveDC(hdc);
  OffsetViewportOrgEx(hdc, origin.x, origin.y, nullptr);
  if (clip) IntersectClipRect(hdc, clip->left, clip->top, clip->right, clip->bottom);
  SendMessageW(target, WM_PRINT, WPARAM(hdc), flags);
  RestoreDC(hdc, saved);
}

std::vector<HWND> Handles(const std::vector<WindowObj*>& topFirst) {
  // Bottom first, so that what lies above on screen is drawn over what lies below.
  std::vector<HWND> out;
  for (auto it = topFirst.rbegin(); it != topFirst.rend(); ++it) out.push_back((*it)->hwnd);
  return out;
}

void PrintChildren(HWND hwnd, HDC hdc, POINT clientOrigin) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) return;
  const int cw = w->client.right - w->client.left, ch = w->client.bottom - w->client.top;
  for (HWND k : Handles(w->children)) {
    WindowObj* c = FindWindowObj(k);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    // The child's window rectangle is in its parent's client coordinates; it shows only inside
    // the parent's client area.
    POINT at{clientOrigin.x + c->window.left, clientOrigin.y + c->window.top};
    RECT clip{-c->window.left, -c->window.top, cw - c->window.left, ch - c->window.top};
    clip.right = std::min<LONG>(clip.right, c->window.right - c->window.left);
    clip.bottom = std::min<LONG>(clip.bottom, c->window.bottom - c->window.top);
    clip.left = std::max<LONG>(clip.left, 0);
    clip.top = std::max<LONG>(clip.top, 0);
    PrintAt(k, hdc, at, &clip, kChildFlags);
  }
}

// `base`: the screen point the DC's origin stands for.
void PrintOwned(HWND hwnd, HDC hdc, POINT base, LPARAM flags) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) return;
  for (HWND k : Handles(Desktop()->children)) {
    WindowObj* o = FindWindowObj(k);
    if (!o || o->owner != w || !(o->style & WS_VISIBLE)) continue;
    // Owned windows keep their place relative to the owner; they are not cut to it.
    POINT at = WindowOrigin(*o);
    PrintAt(k, hdc, POINT{at.x - base.x, at.y - base.y}, nullptr, flags);
  }
}

}  // namespace

LRESULT OnPrint(HWND hwnd, UINT, WPARAM wParam, LPARAM flags) {
  auto hdc = reinterpret_cast<HDC>(wParam);
  WindowObj* w = FindWindowObj(hwnd);
  if (!w || !hdc) return 0;
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd)) return 0;
  // With the frame drawn, the DC's origin is the window's top left; without it, the client's.
  POINT clientOrigin = (flags & PRF_NONCLIENT) ? ClientOffsetOf(*w) : POINT{0, 0};
  if (flags & PRF_CLIENT) {
    RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    int saved = SaveDC(hdc);
    OffsetViewportOrgEx(hdc, clientOrigin.x, clientOrigin.y, nullptr);
    IntersectClipRect(hdc, client.left, client.top, client.right, client.bottom);
    if (flags & PRF_ERASEBKGND) SendMessageW(hwnd, WM_ERASEBKGND, wParam, 0);
    if (IsWindow(hwnd)) SendMessageW(hwnd, WM_PRINTCLIENT, wParam, flags);
    RestoreDC(hdc, saved);
    if (flags & PRF_CHILDREN) PrintChildren(hwnd, hdc, clientOrigin);
  }
  if ((flags & PRF_OWNED) && (w = FindWindowObj(hwnd)))
    PrintOwned(hwnd, hdc, (flags & PRF_NONCLIENT) ? WindowOrigin(*w) : ClientOrigin(*w), flags);
  return 1;
}

// A window that does not print its client area itself gets its own painting drawn into the DC.
LRESULT OnPrintClient(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  auto hdc = reinterpret_cast<HDC>(wParam);
  if (!hdc || !FindWindowObj(hwnd)) return 0;
  PaintRedirected(hwnd, hdc);
  return 0;
}

}  // namespace win::user
