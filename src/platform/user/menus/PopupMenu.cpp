// TrackPopupMenuEx, EndMenu and where the items of a shown menu are on the screen.

#include "platform/user/menus/PopupMenu.h"

#include "platform/kernel/LastError.h"
#include "platform/kernel/Rects.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/detail/MenuInternal.h"
#include "platform/user/detail/MenuLoop.h"
#include "platform/user/windows/Window.h"

namespace win {
namespace {

// The screen offset of the coordinates an item's rectangle is kept in: the client area of the
// popup window showing the menu, or the window whose bar shows it.
bool LayoutOrigin(HWND hwnd, HMENU hmenu, POINT* origin) {
  HWND popup = nullptr, host = nullptr;
  {
    std::lock_guard lock(menu::MenuLock());
    menu::MenuObj* m = menu::CheckMenu(hmenu);
    if (!m) return false;
    popup = m->popupWindow;
    host = m->barHost;
  }
  if (popup && IsWindow(popup)) {
    *origin = POINT{0, 0};
    return ClientToScreen(popup, origin) != FALSE;
  }
  if (host && (!hwnd || hwnd == host) && IsWindow(host)) {
    RECT r{};
    GetWindowRect(host, &r);
    *origin = POINT{r.left, r.top};
    return true;
  }
  return false;
}

}  // namespace

BOOL TrackPopupMenuEx(HMENU hmenu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) {
  if (!IsMenu(hmenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (params && params->cbSize != sizeof(TPMPARAMS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  menu::TrackRequest req;
  req.owner = owner;
  req.flags = flags;
  req.popup = hmenu;
  req.pt = POINT{x, y};
  if (params) {
    req.hasExclude = true;
    req.exclude = params->rcExclude;
  }
  bool started = false;
  UINT cmd = menu::RunMenuLoop(req, &started);
  if (!started) return FALSE;
  return (flags & TPM_RETURNCMD) ? BOOL(cmd) : TRUE;
}

BOOL TrackPopupMenu(HMENU hmenu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(hmenu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() { return menu::EndCurrentMenu() ? TRUE : FALSE; }

BOOL GetMenuItemRect(HWND hwnd, HMENU hmenu, UINT item, RECT* rect) {
  if (!rect) return FALSE;
  POINT origin;
  if (!LayoutOrigin(hwnd, hmenu, &origin)) return FALSE;
  std::lock_guard lock(menu::MenuLock());
  menu::MenuObj* m = menu::FindMenu(hmenu);
  if (!m || item >= m->items.size()) return FALSE;
  *rect = m->items[item].rect;
  OffsetRect(rect, origin.x, origin.y);
  return TRUE;
}

int MenuItemFromPoint(HWND hwnd, HMENU hmenu, POINT screenPt) {
  POINT origin;
  if (!LayoutOrigin(hwnd, hmenu, &origin)) return -1;
  std::lock_guard lock(menu::MenuLock());
  menu::MenuObj* m = menu::FindMenu(hmenu);
  if (!m) return -1;
  POINT local{screenPt.x - origin.x, screenPt.y - origin.y};
  for (size_t i = 0; i < m->items.size(); ++i)
    if (PtInRect(&m->items[i].rect, local)) return int(i);
  return -1;
}

}  // namespace win
