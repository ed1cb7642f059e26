#pragma once
// A top-level window's menu bar: the menu a window shows in the strip its frame leaves below the
// caption, drawn and tracked by the menu code.

#include "platform/user/menus/MenuTypes.h"

namespace win {

// Only windows that are not children have a bar. SetMenu(hwnd, NULL) removes the bar (the old
// menu is not destroyed); the frame is recalculated either way.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
// Lays the bar out again and repaints it, after its items changed.
BOOL DrawMenuBar(HWND hwnd);
// OBJID_MENU only: idItem 0 is the whole bar, 1..n its items (screen coordinates).
BOOL GetMenuBarInfo(HWND hwnd, LONG idObject, LONG idItem, MENUBARINFO* info);

namespace menu {

// For the window code. The menu given to CreateWindowExW becomes the new top-level window's bar
// before its frame is first laid out (false: not a menu).
bool AttachCreatedBar(HWND hwnd, HMENU menu);
// Creation failed: the window lets go of its bar, which stays the caller's.
void ForgetWindowBar(HWND hwnd);
// The window is being destroyed: its bar goes with it, submenus and all, except menus still in
// use elsewhere (a submenu of another menu, another window's bar).
void DestroyWindowBar(HWND hwnd);

}  // namespace menu

}  // namespace win
