// Menu bars: which window shows which menu, the bar's height, painting and tracking, reached by
// the frame through its menu-bar handlers.

#include "platform/user/menus/MenuBar.h"

#include <mutex>
#include <unordered_map>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Rects.h"
#include "platform/user/frames/FrameMenuBar.h"
#include "platform/user/detail/FrameWindow.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/detail/MenuLayout.h"
#include "platform/user/detail/MenuLoop.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace menu {
namespace {

std::mutex& BarsLock() {
  static std::mutex m;
  return m;
}
std::unordered_map<HWND, HMENU>& Bars() {
  static std::unordered_map<HWND, HMENU> bars;
  return bars;
}

HMENU BarOf(HWND hwnd) {
  std::lock_guard lock(BarsLock());
  auto it = Bars().find(hwnd);
  if (it == Bars().end()) return nullptr;
  if (!IsWindow(hwnd)) {
    Bars().erase(it);
    return nullptr;
  }
  return it->second;
}

bool IsChildWindow(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) != 0; }

// The bar's rectangle in window coordinates, from the frame's layout.
bool BarRect(HWND hwnd, RECT* bar) {
  frame::WindowFrame f;
  if (!frame::WindowFrameOf(hwnd, &f)) return false;
  *bar = f.layout.menuBar;
  return !IsRectEmpty(bar);
}

int BarHeight(HWND hwnd, int width) {
  HMENU menu = BarOf(hwnd);
  if (!menu || !IsMenu(menu)) return 0;
  return LayoutBar(menu, hwnd, width, POINT{0, 0});
}

void PaintBarHandler(HWND hwnd, HDC dc, const RECT* bar) {
  HMENU menu = BarOf(hwnd);
  if (!menu || !bar || !IsMenu(menu)) return;
  LayoutBar(menu, hwnd, bar->right - bar->left, POINT{bar->left, bar->top});
  bool open = false;
  int selected = TrackedBarItem(hwnd, &open);
  PaintBar(menu, hwnd, dc, *bar, selected, open);
}

void TrackBar(HWND hwnd, WPARAM command, LPARAM lParam) {
  HMENU menu = BarOf(hwnd);
  RECT bar;
  if (!menu || !IsMenu(menu) || !BarRect(hwnd, &bar)) return;
  LayoutBar(menu, hwnd, bar.right - bar.left, POINT{bar.left, bar.top});
  TrackRequest req;
  req.owner = hwnd;
  req.bar = menu;
  if ((command & 0xFFF0) == SC_MOUSEMENU) {
    RECT win{};
    GetWindowRect(hwnd, &win);
    POINT local{GET_X_LPARAM(lParam) - win.left, GET_Y_LPARAM(lParam) - win.top};
    req.barItem = ItemAt(menu, local);
    if (req.barItem < 0) return;
    req.openBarItem = true;
  } else if (lParam == ' ') {
    return;  // Alt+Space belongs to the system menu
  } else {
    req.mnemonic = char16_t(lParam);
  }
  bool started = false;
  RunMenuLoop(req, &started);
}

void InstallHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    MenuBarHandlers h;
    h.height = BarHeight;
    h.paint = PaintBarHandler;
    h.track = TrackBar;
    SetMenuBarHandlers(&h);
  });
}

// Makes `hmenu` (null: none) the bar of `hwnd`; the frame is not touched.
void RecordBar(HWND hwnd, HMENU hmenu) {
  InstallHandlers();
  HMENU old = nullptr;
  {
    std::lock_guard lock(BarsLock());
    auto it = Bars().find(hwnd);
    if (it != Bars().end()) old = it->second;
    if (hmenu)
      Bars()[hwnd] = hmenu;
    else
      Bars().erase(hwnd);
  }
  std::lock_guard lock(MenuLock());
  if (MenuObj* m = FindMenu(old); m && m->barHost == hwnd && old != hmenu) m->barHost = nullptr;
  if (MenuObj* m = FindMenu(hmenu)) m->barHost = hwnd;
}

void RecalcFrame(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

bool AttachCreatedBar(HWND hwnd, HMENU hmenu) {
  if (!IsMenu(hmenu)) return false;
  RecordBar(hwnd, hmenu);
  return true;
}

void ForgetWindowBar(HWND hwnd) { RecordBar(hwnd, nullptr); }

void DestroyWindowBar(HWND hwnd) {
  HMENU bar = nullptr;
  HWND otherHost = nullptr;  // another window showing the same bar
  std::vector<HMENU> otherBars;
  {
    std::lock_guard lock(BarsLock());
    auto it = Bars().find(hwnd);
    if (it == Bars().end()) return;
    bar = it->second;
    Bars().erase(it);
    for (const auto& [h, m] : Bars()) {
      if (!IsWindow(h)) continue;
      otherBars.push_back(m);
      if (m == bar) otherHost = h;
    }
  }
  std::lock_guard lock(MenuLock());
  if (MenuObj* m = FindMenu(bar); m && m->barHost == hwnd) m->barHost = otherHost;
  if (FindMenu(bar)) DestroyTreeKeepingShared(bar, otherBars);
}

}  // namespace menu

using namespace menu;

BOOL SetMenu(HWND hwnd, HMENU hmenu) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (IsChildWindow(hwnd)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hmenu && !IsMenu(hmenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  RecordBar(hwnd, hmenu);
  RecalcFrame(hwnd);
  return TRUE;
}

HMENU GetMenu(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  return BarOf(hwnd);
}

BOOL DrawMenuBar(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!BarOf(hwnd)) return TRUE;
  // The bar may have changed its height (items wrap to another row): let the frame recalculate.
  RecalcFrame(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  return TRUE;
}

BOOL GetMenuBarInfo(HWND hwnd, LONG idObject, LONG idItem, MENUBARINFO* info) {
  if (!info || info->cbSize != sizeof(MENUBARINFO) || idObject != OBJID_MENU) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HMENU menu = GetMenu(hwnd);
  RECT bar;
  if (!menu || !IsMenu(menu) || !BarRect(hwnd, &bar)) return FALSE;
  LayoutBar(menu, hwnd, bar.right - bar.left, POINT{bar.left, bar.top});
  RECT win{};
  GetWindowRect(hwnd, &win);
  RECT r = bar;
  if (idItem > 0) {
    std::lock_guard lock(MenuLock());
    MenuObj* m = FindMenu(menu);
    if (!m || size_t(idItem) > m->items.size()) return FALSE;
    r = m->items[size_t(idItem - 1)].rect;
  }
  OffsetRect(&r, win.left, win.top);
  bool open = false;
  int selected = TrackedBarItem(hwnd, &open);
  info->rcBar = r;
  info->hMenu = menu;
  info->hwndMenu = nullptr;
  info->fBarFocused = selected >= 0;
  info->fFocused = idItem > 0 && selected == idItem - 1;
  return TRUE;
}

}  // namespace win
