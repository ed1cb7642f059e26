#pragma once
// Internal to the menu code: where a menu window goes on the screen. Pure geometry, so the rules
// can be checked without windows.

#include "platform/kernel/WinDef.h"

namespace win::menu {

// A popup menu of `size` shown for the point `pt` with the TPM_ alignment flags: flipped to the
// other side of the point when it would leave the work area, moved off `exclude` (when given)
// vertically with TPM_VERTICAL or horizontally otherwise, and finally kept inside `work`.
RECT PlacePopupMenu(SIZE size, POINT pt, UINT flags, const RECT* exclude, const RECT& work);
// A submenu opening beside its parent item: right of the parent window, overlapping its frame,
// or left of it when there is no room; its first item level with the parent item.
RECT PlaceSubmenu(SIZE size, const RECT& parentWindow, const RECT& parentItem, const RECT& work);
// The work area of the monitor nearest to a point.
RECT WorkAreaAt(POINT pt);

}  // namespace win::menu
