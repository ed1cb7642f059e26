// The popup menu window class "#32768": a topmost tool window that never activates and paints
// the menu it shows.

#include <memory>
#include <mutex>

#include "platform/gdi/Gdi.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/detail/MenuLayout.h"
#include "platform/user/detail/MenuLoop.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace win::menu {
namespace {

inline constexpr char16_t kClassName[] = u"#32768";

struct MenuWindowState {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  int selected = -1;
};

MenuWindowState* StateOf(HWND wnd) {
  return reinterpret_cast<MenuWindowState*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

void ForgetWindow(HMENU menu, HWND wnd) {
  std::lock_guard lock(MenuLock());
  if (MenuObj* m = FindMenu(menu); m && m->popupWindow == wnd) m->popupWindow = nullptr;
}

LRESULT MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      auto state = std::make_unique<MenuWindowState>(*static_cast<MenuWindowState*>(cs->lpCreateParams));
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
      break;
    }
    case WM_NCDESTROY: {
      std::unique_ptr<MenuWindowState> state(StateOf(hwnd));
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      if (state) ForgetWindow(state->menu, hwnd);
      break;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (MenuWindowState* s = StateOf(hwnd); s && dc) PaintPopup(s->menu, s->owner, dc, s->selected);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case MN_GETHMENU:
      if (MenuWindowState* s = StateOf(hwnd)) return reinterpret_cast<LRESULT>(s->menu);
      return 0;
    case WM_CLOSE:
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterMenuClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSW wc;
    wc.style = CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = MenuWindowProc;
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
  });
}

}  // namespace

HWND CreateMenuWindow(HMENU menu, HWND owner) {
  RegisterMenuClass();
  MenuWindowState init{menu, owner, -1};
  HWND wnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP, 0, 0, 0, 0, owner,
                             nullptr, nullptr, &init);
  if (wnd) {
    std::lock_guard lock(MenuLock());
    if (MenuObj* m = FindMenu(menu)) m->popupWindow = wnd;
  }
  return wnd;
}

void SetMenuWindowSelection(HWND wnd, int selected) {
  MenuWindowState* s = StateOf(wnd);
  if (!s || s->selected == selected) return;
  s->selected = selected;
  InvalidateRect(wnd, nullptr, FALSE);
}

HMENU MenuOfWindow(HWND wnd) {
  MenuWindowState* s = StateOf(wnd);
  return s ? s->menu : nullptr;
}

}  // namespace win::menu
