#pragma once
// Object ids of a window's parts, shared by accessibility events and the part queries
// (GetMenuBarInfo, GetScrollBarInfo), with their Win32 values.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr LONG OBJID_WINDOW = 0, OBJID_SYSMENU = -1, OBJID_TITLEBAR = -2, OBJID_MENU = -3,
                      OBJID_CLIENT = -4, OBJID_VSCROLL = -5, OBJID_HSCROLL = -6;
inline constexpr LONG CHILDID_SELF = 0;

}  // namespace win
