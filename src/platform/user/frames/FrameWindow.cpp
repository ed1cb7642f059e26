// The frame layout of live windows and the menu-bar handlers.

#include "platform/user/detail/FrameWindow.h"

#include <algorithm>

#include "platform/user/frames/FrameMenuBar.h"
#include "platform/user/detail/FrameState.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace frame {
namespace {

MenuBarHandlers& Handlers() {
  static MenuBarHandlers h;
  return h;
}

}  // namespace

const MenuBarHandlers& MenuBar() { return Handlers(); }

FrameLayout LayoutForSize(HWND hwnd, DWORD style, DWORD exStyle, int width, int height, FrameStyle* fsOut) {
  FrameStyle fs{style, exStyle, 0};
  if (!(style & WS_CHILD) && MenuBar().height) {
    int barWidth = MenuBarWidth(style, exStyle, width);
    fs.menuBarHeight = std::max(0, MenuBar().height(hwnd, barWidth));
  }
  if (fsOut) *fsOut = fs;
  return ComputeFrameLayout(fs, width, height);
}

bool WindowFrameOf(HWND hwnd, WindowFrame* out) {
  user::WindowObj* w = user::FindWindowObj(hwnd);
  if (!w || !out) return false;
  out->hwnd = hwnd;
  out->origin = user::WindowOrigin(*w);
  DWORD style = w->style, exStyle = w->exStyle;
  int width = w->window.right - w->window.left, height = w->window.bottom - w->window.top;
  out->layout = LayoutForSize(hwnd, style, exStyle, width, height, &out->style);
  return true;
}

bool CaptionActive(HWND hwnd) {
  if (FrameState* s = FindState(hwnd); s && s->ncActive) return *s->ncActive;
  HWND active = GetActiveWindow();
  if (!active) return false;
  return active == hwnd || active == GetAncestor(hwnd, GA_ROOT);
}

POINT ToWindow(const WindowFrame& f, POINT screen) { return POINT{screen.x - f.origin.x, screen.y - f.origin.y}; }

}  // namespace frame

void SetMenuBarHandlers(const MenuBarHandlers* handlers) { frame::Handlers() = handlers ? *handlers : MenuBarHandlers{}; }

}  // namespace win
