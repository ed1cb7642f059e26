// Default handling of input messages: questions children pass to their parents, keyboard access
// to the system menu, the context-menu request.

#include <utility>

#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/DefaultHandlers.h"
#include "platform/user/detail/UserCore.h"

namespace win::user {
namespace {

HWND ParentOfChild(HWND hwnd) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w || !(w->style & WS_CHILD) || !w->parent || IsRoot(w->parent)) return nullptr;
  return w->parent->hwnd;
}

HWND TopOf(HWND hwnd) {
  HWND r = GetAncestor(hwnd, GA_ROOT);
  return r ? r : hwnd;
}

constexpr LPARAM kPreviouslyDown = LPARAM(1) << 30;

}  // namespace

LRESULT OnMouseActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (HWND p = ParentOfChild(hwnd)) {
    LRESULT r = SendMessageW(p, msg, wParam, lParam);
    if (r) return r;
  }
  return MA_ACTIVATE;
}

LRESULT OnSetCursor(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A parent may choose the cursor for its children; otherwise nothing was set here.
  if (HWND p = ParentOfChild(hwnd))
    if (SendMessageW(p, msg, wParam, lParam)) return TRUE;
  return FALSE;
}

LRESULT OnMouseWheel(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (HWND p = ParentOfChild(hwnd)) return SendMessageW(p, msg, wParam, lParam);
  return 0;
}

LRESULT OnRButtonUp(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd, &pt);
  SendMessageW(hwnd, WM_CONTEXTMENU, WPARAM(hwnd), MAKELPARAM(WORD(SHORT(pt.x)), WORD(SHORT(pt.y))));
  return 0;
}

LRESULT OnSysKeyDown(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  ThreadQueue& q = CurrentQueue();
  if (wParam == VK_MENU) {
    if (!(lParam & kPreviouslyDown)) q.altAlone = true;  // a repeat keeps what the first press said
  } else {
    q.altAlone = false;
  }
  if (wParam == VK_F4 && (lParam & (LPARAM(1) << 29)))
    SendMessageW(TopOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

LRESULT OnSysKeyUp(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  // Alt pressed and released with no other key in between, or F10: keyboard access to the menu.
  bool enter = wParam == VK_F10;
  if (wParam == VK_MENU) enter = std::exchange(CurrentQueue().altAlone, false);
  if (enter) SendMessageW(TopOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
  return 0;
}

LRESULT OnSysChar(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
  CurrentQueue().altAlone = false;
  if (!(lParam & (LPARAM(1) << 29))) return 0;  // F10 and friends give no menu character
  if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_TAB) return 0;
  SendMessageW(TopOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
  return 0;
}

}  // namespace win::user
