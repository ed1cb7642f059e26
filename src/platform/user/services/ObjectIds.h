#pragma once
// Object ids of a window's parts, shared by accessibility events and the part queries
// (GetMenuBarInfo, GetScrollBarInfo), with their Win32 values.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr LONG OBJID_WINDOW = 0, OBJID_SYSMENU = -1, OBJID_TITLEBAR = -2, OBJID_MENU = -3,
                      OBJID_CLIENT = -4, OBJID_VSCROLL = -5, OBJID_HSCROLL = -6;
inline constexpr LONG CHILDID_SELF = 0;

// What a part is and what state it is in, as accessibility and the part queries report them.
inline constexpr LONG ROLE_SYSTEM_MENUBAR = 2, ROLE_SYSTEM_CLIENT = 10,
                      ROLE_SYSTEM_MENUPOPUP = 11, ROLE_SYSTEM_MENUITEM = 12, ROLE_SYSTEM_SEPARATOR = 21,
                      ROLE_SYSTEM_TOOLBAR = 22, ROLE_SYSTEM_STATUSBAR = 23, ROLE_SYSTEM_STATICTEXT = 41,
                      ROLE_SYSTEM_TEXT = 42, ROLE_SYSTEM_PUSHBUTTON = 43, ROLE_SYSTEM_COMBOBOX = 46,
                      ROLE_SYSTEM_SPINBUTTON = 52, ROLE_SYSTEM_BUTTONMENU = 57, ROLE_SYSTEM_BUTTONDROPDOWNGRID = 58,
                      ROLE_SYSTEM_WHITESPACE = 59;
inline constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001, STATE_SYSTEM_FOCUSED = 0x00000004,
                       STATE_SYSTEM_PRESSED = 0x00000008, STATE_SYSTEM_CHECKED = 0x00000010,
                       STATE_SYSTEM_HOTTRACKED = 0x00000080, STATE_SYSTEM_INVISIBLE = 0x00008000,
                       STATE_SYSTEM_OFFSCREEN = 0x00010000, STATE_SYSTEM_FOCUSABLE = 0x00100000,
                       STATE_SYSTEM_HASPOPUP = 0x40000000;

}  // namespace win
