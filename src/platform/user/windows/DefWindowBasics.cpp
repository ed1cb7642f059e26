// Default handling of the window-level messages: creation, text, closing, placement, UI state.

#include <algorithm>

#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/UserCore.h"

namespace win::user {

LRESULT OnNcCreate(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
  if (WindowObj* w = FindWindowObj(hwnd); w && cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
    w->text = cs->lpszName;
  return TRUE;
}

LRESULT OnSetText(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) return FALSE;
  auto* text = reinterpret_cast<LPCWSTR>(lParam);
  w->text = text ? text : u"";
  return TRUE;
}

LRESULT OnGetText(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  WindowObj* w = FindWindowObj(hwnd);
  auto* buffer = reinterpret_cast<LPWSTR>(lParam);
  if (!w || !buffer || wParam == 0) return 0;
  size_t n = std::min<size_t>(w->text.size(), wParam - 1);
  std::copy_n(w->text.data(), n, buffer);
  buffer[n] = 0;
  return LRESULT(n);
}

LRESULT OnGetTextLength(HWND hwnd, UINT, WPARAM, LPARAM) {
  WindowObj* w = FindWindowObj(hwnd);
  return w ? LRESULT(w->text.size()) : 0;
}

LRESULT OnClose(HWND hwnd, UINT, WPARAM, LPARAM) {
  DestroyWindow(hwnd);
  return 0;
}

LRESULT OnWindowPosChanged(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
  WindowObj* w = FindWindowObj(hwnd);
  if (!w || !wp) return 0;
  if (!(wp->flags & SWP_NOCLIENTMOVE))
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(WORD(SHORT(w->client.left)), WORD(SHORT(w->client.top))));
  if (!(w = FindWindowObj(hwnd))) return 0;
  if (!(wp->flags & SWP_NOCLIENTSIZE) || (wp->flags & SWP_STATECHANGED)) {
    WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    SendMessageW(hwnd, WM_SIZE, kind,
                 MAKELPARAM(WORD(w->client.right - w->client.left), WORD(w->client.bottom - w->client.top)));
  }
  return 0;
}

LRESULT OnGetMinMaxInfo(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT OnSysCommand(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  switch (wParam & 0xFFF0) {
    case SC_CLOSE: SendMessageW(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    default: break;
  }
  return 0;
}

LRESULT OnContextMenu(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowObj* w = FindWindowObj(hwnd);
  if (w && (w->style & WS_CHILD) && w->parent && !IsRoot(w->parent))
    SendMessageW(w->parent->hwnd, msg, wParam, lParam);
  return 0;
}

LRESULT OnChangeUIState(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) return 0;
  WORD action = LOWORD(wParam), flags = HIWORD(wParam);
  if (w->style & WS_CHILD && w->parent && !IsRoot(w->parent)) {
    SendMessageW(w->parent->hwnd, WM_CHANGEUISTATE, wParam, 0);
    return 0;
  }
  if (action == UIS_INITIALIZE) {
    action = UIS_SET;  // keyboard cues start hidden until a key asks for them
    flags = UISF_HIDEACCEL | UISF_HIDEFOCUS;
  }
  SendMessageW(hwnd, WM_UPDATEUISTATE, MAKEWPARAM(action, flags), 0);
  return 0;
}

LRESULT OnUpdateUIState(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) return 0;
  WORD action = LOWORD(wParam), flags = HIWORD(wParam);
  if (action == UIS_SET) w->uiState |= flags;
  if (action == UIS_CLEAR) w->uiState &= WORD(~flags);
  std::vector<HWND> kids;
  for (WindowObj* c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) SendMessageW(k, WM_UPDATEUISTATE, wParam, 0);
  return 0;
}

LRESULT OnQueryUIState(HWND hwnd, UINT, WPARAM, LPARAM) {
  WindowObj* w = FindWindowObj(hwnd);
  return w ? w->uiState : 0;
}

LRESULT OnNotifyFormat(HWND, UINT, WPARAM, LPARAM) { return 2; /* NFR_UNICODE */ }

LRESULT OnCancelMode(HWND hwnd, UINT, WPARAM, LPARAM) {
  if (GetCapture() == hwnd) ReleaseCapture();
  return 0;
}

LRESULT OnActivate(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
  return 0;
}

LRESULT OnNcActivate(HWND, UINT, WPARAM, LPARAM) { return TRUE; }

LRESULT OnQueryEndSession(HWND, UINT, WPARAM, LPARAM) { return TRUE; }

}  // namespace win::user
