#pragma once
// Menu constants and records, with their Win32 values.

#include "platform/kernel/WinDef.h"
#include "platform/user/services/ObjectIds.h"

namespace win {

using ULONG_PTR = uintptr_t;

inline constexpr DWORD ERROR_INVALID_ACCEL_HANDLE = 1403;
inline constexpr DWORD ERROR_MENU_ITEM_NOT_FOUND = 1456;

// MF_ flags of AppendMenu, InsertMenu, ModifyMenu, CheckMenuItem, EnableMenuItem, GetMenuState ...
inline constexpr UINT MF_INSERT = 0x0000, MF_CHANGE = 0x0080, MF_APPEND = 0x0100, MF_DELETE = 0x0200,
                      MF_REMOVE = 0x1000, MF_BYCOMMAND = 0x0000, MF_BYPOSITION = 0x0400,
                      MF_SEPARATOR = 0x0800, MF_ENABLED = 0x0000, MF_GRAYED = 0x0001, MF_DISABLED = 0x0002,
                      MF_UNCHECKED = 0x0000, MF_CHECKED = 0x0008, MF_USECHECKBITMAPS = 0x0200,
                      MF_STRING = 0x0000, MF_BITMAP = 0x0004, MF_OWNERDRAW = 0x0100, MF_POPUP = 0x0010,
                      MF_MENUBARBREAK = 0x0020, MF_MENUBREAK = 0x0040, MF_UNHILITE = 0x0000,
                      MF_HILITE = 0x0080, MF_DEFAULT = 0x1000, MF_SYSMENU = 0x2000, MF_HELP = 0x4000,
                      MF_RIGHTJUSTIFY = 0x4000, MF_MOUSESELECT = 0x8000;

// Item types and states (MENUITEMINFOW::fType, fState)
inline constexpr UINT MFT_STRING = MF_STRING, MFT_BITMAP = MF_BITMAP, MFT_MENUBARBREAK = MF_MENUBARBREAK,
                      MFT_MENUBREAK = MF_MENUBREAK, MFT_OWNERDRAW = MF_OWNERDRAW, MFT_RADIOCHECK = 0x0200,
                      MFT_SEPARATOR = MF_SEPARATOR, MFT_RIGHTORDER = 0x2000, MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
inline constexpr UINT MFS_GRAYED = 0x0003, MFS_DISABLED = MFS_GRAYED, MFS_CHECKED = MF_CHECKED,
                      MFS_HILITE = MF_HILITE, MFS_ENABLED = MF_ENABLED, MFS_UNCHECKED = MF_UNCHECKED,
                      MFS_UNHILITE = MF_UNHILITE, MFS_DEFAULT = MF_DEFAULT;

// MENUITEMINFOW::fMask
inline constexpr UINT MIIM_STATE = 0x0001, MIIM_ID = 0x0002, MIIM_SUBMENU = 0x0004, MIIM_CHECKMARKS = 0x0008,
                      MIIM_TYPE = 0x0010, MIIM_DATA = 0x0020, MIIM_STRING = 0x0040, MIIM_BITMAP = 0x0080,
                      MIIM_FTYPE = 0x0100;

// Predefined item bitmaps (MENUITEMINFOW::hbmpItem)
inline const HBITMAP HBMMENU_CALLBACK = reinterpret_cast<HBITMAP>(-1);
inline const HBITMAP HBMMENU_SYSTEM = reinterpret_cast<HBITMAP>(1);
inline const HBITMAP HBMMENU_MBAR_RESTORE = reinterpret_cast<HBITMAP>(2);
inline const HBITMAP HBMMENU_MBAR_MINIMIZE = reinterpret_cast<HBITMAP>(3);
inline const HBITMAP HBMMENU_MBAR_CLOSE = reinterpret_cast<HBITMAP>(5);
inline const HBITMAP HBMMENU_MBAR_CLOSE_D = reinterpret_cast<HBITMAP>(6);
inline const HBITMAP HBMMENU_MBAR_MINIMIZE_D = reinterpret_cast<HBITMAP>(7);
inline const HBITMAP HBMMENU_POPUP_CLOSE = reinterpret_cast<HBITMAP>(8);
inline const HBITMAP HBMMENU_POPUP_RESTORE = reinterpret_cast<HBITMAP>(9);
inline const HBITMAP HBMMENU_POPUP_MAXIMIZE = reinterpret_cast<HBITMAP>(10);
inline const HBITMAP HBMMENU_POPUP_MINIMIZE = reinterpret_cast<HBITMAP>(11);

// MENUINFO::fMask and dwStyle
inline constexpr DWORD MIM_MAXHEIGHT = 0x00000001, MIM_BACKGROUND = 0x00000002, MIM_HELPID = 0x00000004,
                       MIM_MENUDATA = 0x00000008, MIM_STYLE = 0x00000010, MIM_APPLYTOSUBMENUS = 0x80000000;
inline constexpr DWORD MNS_NOCHECK = 0x80000000, MNS_MODELESS = 0x40000000, MNS_DRAGDROP = 0x20000000,
                       MNS_AUTODISMISS = 0x10000000, MNS_NOTIFYBYPOS = 0x08000000, MNS_CHECKORBMP = 0x04000000;

// TrackPopupMenu(Ex) flags
inline constexpr UINT TPM_LEFTBUTTON = 0x0000, TPM_RIGHTBUTTON = 0x0002, TPM_LEFTALIGN = 0x0000,
                      TPM_CENTERALIGN = 0x0004, TPM_RIGHTALIGN = 0x0008, TPM_TOPALIGN = 0x0000,
                      TPM_VCENTERALIGN = 0x0010, TPM_BOTTOMALIGN = 0x0020, TPM_HORIZONTAL = 0x0000,
                      TPM_VERTICAL = 0x0040, TPM_NONOTIFY = 0x0080, TPM_RETURNCMD = 0x0100,
                      TPM_RECURSE = 0x0001, TPM_HORPOSANIMATION = 0x0400, TPM_HORNEGANIMATION = 0x0800,
                      TPM_VERPOSANIMATION = 0x1000, TPM_VERNEGANIMATION = 0x2000, TPM_NOANIMATION = 0x4000,
                      TPM_LAYOUTRTL = 0x8000, TPM_WORKAREA = 0x10000;

// WM_MENUCHAR results (high word)
inline constexpr WORD MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3;

// WM_MEASUREITEM / WM_DRAWITEM (menus and owner-drawn controls share the records)
inline constexpr UINT ODT_MENU = 1, ODT_LISTBOX = 2, ODT_COMBOBOX = 3, ODT_BUTTON = 4, ODT_STATIC = 5;
inline constexpr UINT ODA_DRAWENTIRE = 0x0001, ODA_SELECT = 0x0002, ODA_FOCUS = 0x0004;
inline constexpr UINT ODS_SELECTED = 0x0001, ODS_GRAYED = 0x0002, ODS_DISABLED = 0x0004, ODS_CHECKED = 0x0008,
                      ODS_FOCUS = 0x0010, ODS_DEFAULT = 0x0020, ODS_HOTLIGHT = 0x0040, ODS_INACTIVE = 0x0080,
                      ODS_NOACCEL = 0x0100;

// Window messages of the menu window class, and WM_UNINITMENUPOPUP
inline constexpr UINT WM_UNINITMENUPOPUP = 0x0125, WM_MENURBUTTONUP = 0x0122, WM_MENUCOMMAND = 0x0126;
inline constexpr UINT MN_GETHMENU = 0x01E1;


struct MENUITEMINFOW {
  UINT cbSize = sizeof(MENUITEMINFOW);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;
  HBITMAP hbmpUnchecked = nullptr;
  ULONG_PTR dwItemData = 0;
  LPWSTR dwTypeData = nullptr;
  UINT cch = 0;
  HBITMAP hbmpItem = nullptr;
};

struct MENUINFO {
  DWORD cbSize = sizeof(MENUINFO);
  DWORD fMask = 0;
  DWORD dwStyle = 0;
  UINT cyMax = 0;
  HBRUSH hbrBack = nullptr;
  DWORD dwContextHelpID = 0;
  ULONG_PTR dwMenuData = 0;
};

struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  RECT rcExclude{};
};

struct MENUBARINFO {
  DWORD cbSize = sizeof(MENUBARINFO);
  RECT rcBar{};
  HMENU hMenu = nullptr;
  HWND hwndMenu = nullptr;
  BOOL fBarFocused : 1 = 0;
  BOOL fFocused : 1 = 0;
};

struct MEASUREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemWidth = 0;
  UINT itemHeight = 0;
  ULONG_PTR itemData = 0;
};

struct DRAWITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  UINT itemAction = 0;
  UINT itemState = 0;
  HWND hwndItem = nullptr;
  HDC hDC = nullptr;
  RECT rcItem{};
  ULONG_PTR itemData = 0;
};

struct COMPAREITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  HWND hwndItem = nullptr;
  UINT itemID1 = 0;
  ULONG_PTR itemData1 = 0;
  UINT itemID2 = 0;
  ULONG_PTR itemData2 = 0;
  DWORD dwLocaleId = 0;
};

struct DELETEITEMSTRUCT {
  UINT CtlType = 0;
  UINT CtlID = 0;
  UINT itemID = 0;
  HWND hwndItem = nullptr;
  ULONG_PTR itemData = 0;
};

}  // namespace win
