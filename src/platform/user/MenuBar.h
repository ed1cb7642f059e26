#pragma once
// A top-level window's menu bar: the menu a window shows in the strip its frame leaves below the
// caption, drawn and tracked by the menu code.

#include "platform/user/MenuTypes.h"

namespace win {

// Only windows that are not children have a bar. SetMenu(hwnd, NULL) removes the bar (the old
// menu is not destroyed); the frame is recalculated either way.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
// Lays the bar out again and repaints it, after its items changed.
BOOL DrawMenuBar(HWND hwnd);
// OBJID_MENU only: idItem 0 is the whole bar, 1..n its items (screen coordinates).
BOOL GetMenuBarInfo(HWND hwnd, LONG idObject, LONG idItem, MENUBARINFO* info);

}  // namespace win
