#pragma once
// Internal to the menu code: measuring and laying out menus in the classic look, painting them,
// and finding the item under a point. Layout results go to Item::rect.
//
// A popup menu window has a 3-pixel raised frame; its items stack in columns (MFT_MENUBREAK and
// MFT_MENUBARBREAK start a new one). A text item is the check-mark column, the label, the
// accelerator text (the part after a tab, right-aligned in a column of its own) and the
// submenu-arrow column. A menu bar lays its items out in rows, each item its label's width plus
// the font's average character width on both sides.

#include <string>

#include "platform/user/menus/MenuTypes.h"

namespace win::menu {

inline constexpr int kPopupBorder = 3;

// Lays out the popup menu's items for `owner` (owner-drawn items are measured by WM_MEASUREITEM
// sent to it) and returns the size of the menu window. {0, 0} for a bad handle.
SIZE LayoutPopup(HMENU menu, HWND owner);
// Lays the bar out at `origin` (window coordinates of `owner`) for a bar `width` pixels wide and
// returns its height; 0 for a bad handle.
int LayoutBar(HMENU menu, HWND owner, int width, POINT origin);

// Paints a whole popup menu (client coordinates) or bar (its rectangle in DC coordinates).
// `selected` is the highlighted position or -1; `barOpen` draws a bar's selection pressed.
void PaintPopup(HMENU menu, HWND owner, HDC dc, int selected);
void PaintBar(HMENU menu, HWND owner, HDC dc, const RECT& bar, int selected, bool barOpen);

// Position of the selectable item whose rectangle holds `pt` (layout coordinates), or -1.
int ItemAt(HMENU menu, POINT pt);

// The label and accelerator text of an item's text ("Open\tCtrl+O").
void SplitItemText(const std::u16string& text, std::u16string* label, std::u16string* accel);
// The mnemonic of a label: the character after the first single "&", or 0.
char16_t Mnemonic(const std::u16string& label);

}  // namespace win::menu
