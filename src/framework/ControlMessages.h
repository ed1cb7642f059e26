#pragma once
// The framework's own window messages (CM_ from $B000, in their conventional order) and the
// notifications a parent reflects back to the child control they concern (CN_ = $BC00 + the
// window message), with the message record every handler receives.

#include "platform/kernel/WinDef.h"

namespace fw {

// One message as a control's handlers see it; Result is what the window procedure returns.
struct TMessage {
  win::UINT Msg = 0;
  win::WPARAM WParam = 0;
  win::LPARAM LParam = 0;
  win::LRESULT Result = 0;
};

// Only the messages the framework sends or answers; each keeps its conventional number.
inline constexpr win::UINT CM_BASE = 0xB000;
inline constexpr win::UINT CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_DIALOGKEY = CM_BASE + 5,
                           CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7,
                           CM_PARENTFONTCHANGED = CM_BASE + 8, CM_PARENTCOLORCHANGED = CM_BASE + 9,
                           CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
                           CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13,
                           CM_FONTCHANGED = CM_BASE + 14, CM_CURSORCHANGED = CM_BASE + 15,
                           CM_CTL3DCHANGED = CM_BASE + 16, CM_TEXTCHANGED = CM_BASE + 18,
                           CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20, CM_APPKEYDOWN = CM_BASE + 22,
                           CM_APPSYSCOMMAND = CM_BASE + 23, CM_SHOWINGCHANGED = CM_BASE + 25,
                           CM_ENTER = CM_BASE + 26, CM_EXIT = CM_BASE + 27, CM_WANTSPECIALKEY = CM_BASE + 30,
                           CM_RELEASE = CM_BASE + 33, CM_SHOWHINTCHANGED = CM_BASE + 34,
                           CM_PARENTSHOWHINTCHANGED = CM_BASE + 35, CM_SYSCOLORCHANGE = CM_BASE + 36,
                           CM_CONTROLLISTCHANGE = CM_BASE + 44, CM_CHILDKEY = CM_BASE + 46,
                           CM_HINTSHOW = CM_BASE + 48, CM_RECREATEWND = CM_BASE + 51, CM_INVALIDATE = CM_BASE + 52,
                           CM_CONTROLCHANGE = CM_BASE + 54, CM_ACTIONUPDATE = CM_BASE + 63,
                           CM_ACTIONEXECUTE = CM_BASE + 64, CM_HINTSHOWPAUSE = CM_BASE + 65;

inline constexpr win::UINT CN_BASE = 0xBC00;
inline constexpr win::UINT CN_CHARTOITEM = CN_BASE + 0x002F, CN_COMMAND = CN_BASE + 0x0111,
                           CN_COMPAREITEM = CN_BASE + 0x0039, CN_CTLCOLORBTN = CN_BASE + 0x0135,
                           CN_CTLCOLORDLG = CN_BASE + 0x0136, CN_CTLCOLOREDIT = CN_BASE + 0x0133,
                           CN_CTLCOLORLISTBOX = CN_BASE + 0x0134, CN_CTLCOLORMSGBOX = CN_BASE + 0x0132,
                           CN_CTLCOLORSCROLLBAR = CN_BASE + 0x0137, CN_CTLCOLORSTATIC = CN_BASE + 0x0138,
                           CN_DELETEITEM = CN_BASE + 0x002D, CN_DRAWITEM = CN_BASE + 0x002B,
                           CN_HSCROLL = CN_BASE + 0x0114, CN_MEASUREITEM = CN_BASE + 0x002C,
                           CN_PARENTNOTIFY = CN_BASE + 0x0210, CN_VKEYTOITEM = CN_BASE + 0x002E,
                           CN_VSCROLL = CN_BASE + 0x0115, CN_KEYDOWN = CN_BASE + 0x0100,
                           CN_KEYUP = CN_BASE + 0x0101, CN_CHAR = CN_BASE + 0x0102,
                           CN_SYSKEYDOWN = CN_BASE + 0x0104, CN_SYSCHAR = CN_BASE + 0x0106,
                           CN_NOTIFY = CN_BASE + 0x004E;

}  // namespace fw
