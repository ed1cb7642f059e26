#pragma once
// Shortcut and context menus: TrackPopupMenuEx runs a modal menu loop until an item is chosen or
// the menu is dismissed.

#include "platform/user/menus/MenuTypes.h"

namespace win {

// Shows `menu` at (x, y) (screen) placed by the TPM_ alignment flags, kept on the monitor's work
// area and clear of `params->rcExclude` when given, and tracks it with the mouse capture until
// an item is chosen or the menu is dismissed (Esc, Alt, a click outside, WM_CANCELMODE, capture
// taken away, EndMenu). With TPM_RETURNCMD the chosen command is returned (0: none) and nothing
// is posted; otherwise the choice is posted to `owner` as WM_COMMAND (WM_MENUCOMMAND for a menu
// with MNS_NOTIFYBYPOS) and the result is TRUE. TPM_NONOTIFY leaves out WM_ENTERMENULOOP,
// WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_MENUCHAR, WM_UNINITMENUPOPUP and
// WM_EXITMENULOOP. Without TPM_RIGHTBUTTON only the left button chooses. Fails for a bad menu or
// window handle, or while another menu of this thread is open.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* reserved2);
// Ends the menu loop running on this thread (nothing is chosen).
BOOL EndMenu();

}  // namespace win
