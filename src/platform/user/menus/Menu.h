#pragma once
// Menu objects: menus and their items, looked up by command or by position. A stale or forged
// HMENU makes every call fail (FALSE, 0, -1 or NULL as Win32 answers) with
// ERROR_INVALID_MENU_HANDLE; a missing item fails with ERROR_MENU_ITEM_NOT_FOUND.

#include "platform/user/menus/MenuTypes.h"

namespace win {

HMENU CreateMenu();       // a menu bar
HMENU CreatePopupMenu();  // a drop-down, context or submenu
// Destroys the menu and, recursively, every submenu its items hold.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// With MF_POPUP, `idNewItem` is the submenu's handle. MF_BITMAP takes the bitmap in `newItem`,
// MF_OWNERDRAW the item data, otherwise `newItem` is the item's text.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem);
BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
// RemoveMenu keeps a removed item's submenu alive; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

int GetMenuItemCount(HMENU menu);             // -1 for a bad handle
UINT GetMenuItemID(HMENU menu, int position); // 0xFFFFFFFF for a submenu item or no item
HMENU GetSubMenu(HMENU menu, int position);
// For a submenu item the high byte holds the submenu's item count and the low byte its flags.
UINT GetMenuState(HMENU menu, UINT id, UINT flags);
// Copies at most maxCount - 1 characters and a zero; returns the characters copied (with a null
// buffer or maxCount 0: the text's length).
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags);

// MIIM_STRING / MIIM_TYPE text reads follow Win32: with a null dwTypeData or cch 0 the length
// goes to cch; otherwise at most cch - 1 characters and a zero are copied and cch gets the length.
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOW* info);
BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);

// Returns the previous check state (MF_CHECKED or MF_UNCHECKED), or 0xFFFFFFFF.
DWORD CheckMenuItem(HMENU menu, UINT id, UINT check);
// Checks `check` with a radio bullet and unchecks the others of first..last.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// Returns the previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED), or -1.
BOOL EnableMenuItem(HMENU menu, UINT id, UINT enable);
BOOL HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT hilite);
// 0xFFFFFFFF (or the position -1) clears the default item.
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);

BOOL SetMenuInfo(HMENU menu, const MENUINFO* info);
BOOL GetMenuInfo(HMENU menu, MENUINFO* info);

// The item's rectangle in screen coordinates, as last laid out in a menu bar or an open popup.
BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, RECT* rect);
// Position of the item under a screen point in an open menu or a window's bar, or -1.
int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screenPt);

}  // namespace win
