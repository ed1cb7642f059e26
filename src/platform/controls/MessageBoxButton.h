#pragma once
// The push button ("Button" with BS_PUSHBUTTON / BS_DEFPUSHBUTTON) as far as the message box needs
// it: a caption with a mnemonic, the default-button frame, the focus rectangle, pressing with
// the mouse (capture, released inside) or the space bar, and BN_CLICKED to the parent. The other
// button styles are not built yet.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD BS_PUSHBUTTON = 0x0000, BS_DEFPUSHBUTTON = 0x0001, BS_TYPEMASK = 0x000F;
inline constexpr UINT BM_GETSTATE = 0x00F2, BM_SETSTATE = 0x00F3, BM_SETSTYLE = 0x00F4, BM_CLICK = 0x00F5;
inline constexpr WORD BN_CLICKED = 0;
inline constexpr LRESULT BST_PUSHED = 0x0004, BST_FOCUS = 0x0008;

// Registers "Button" once; TRUE when the class exists.
BOOL RegisterButtonClass();

}  // namespace win
