#pragma once
// The BUTTON control ("Button"): push buttons, check boxes (two- and three-state, automatic or
// not), radio buttons, group boxes and owner-drawn buttons, with the BM_ messages and the BN_
// notifications (WM_COMMAND to the parent) at their Win32 values.
//
// Behaviour callers rely on:
//  - a click (mouse released inside, Space released, BM_CLICK) first advances the check of the
//    automatic styles (BS_AUTOCHECKBOX toggles, BS_AUTO3STATE cycles unchecked, checked,
//    indeterminate; BS_AUTORADIOBUTTON checks itself and unchecks the other automatic radio
//    buttons of its group), then sends BN_CLICKED;
//  - a double click sends BN_DOUBLECLICKED for radio buttons, owner-drawn buttons and BS_NOTIFY
//    buttons, and is an ordinary press for the others;
//  - the arrow keys move the focus among the radio buttons of a group (a group runs from a
//    WS_GROUP sibling to the next one); a radio button that gets the focus other than by a mouse
//    press and is not checked is clicked;
//  - the parent is asked for colours with WM_CTLCOLORBTN (push buttons) or WM_CTLCOLORSTATIC
//    (check boxes, radio buttons, group boxes); BS_OWNERDRAW buttons are drawn by the parent
//    through WM_DRAWITEM (ODT_BUTTON).

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD BS_PUSHBUTTON = 0x0000, BS_DEFPUSHBUTTON = 0x0001, BS_CHECKBOX = 0x0002,
                       BS_AUTOCHECKBOX = 0x0003, BS_RADIOBUTTON = 0x0004, BS_3STATE = 0x0005,
                       BS_AUTO3STATE = 0x0006, BS_GROUPBOX = 0x0007, BS_USERBUTTON = 0x0008,
                       BS_AUTORADIOBUTTON = 0x0009, BS_PUSHBOX = 0x000A, BS_OWNERDRAW = 0x000B,
                       BS_TYPEMASK = 0x000F, BS_LEFTTEXT = 0x0020, BS_RIGHTBUTTON = BS_LEFTTEXT,
                       BS_TEXT = 0x0000, BS_ICON = 0x0040, BS_BITMAP = 0x0080, BS_LEFT = 0x0100,
                       BS_RIGHT = 0x0200, BS_CENTER = 0x0300, BS_TOP = 0x0400, BS_BOTTOM = 0x0800,
                       BS_VCENTER = 0x0C00, BS_PUSHLIKE = 0x1000, BS_MULTILINE = 0x2000, BS_NOTIFY = 0x4000,
                       BS_FLAT = 0x8000;

inline constexpr UINT BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1, BM_GETSTATE = 0x00F2, BM_SETSTATE = 0x00F3,
                      BM_SETSTYLE = 0x00F4, BM_CLICK = 0x00F5, BM_GETIMAGE = 0x00F6, BM_SETIMAGE = 0x00F7;

inline constexpr WORD BN_CLICKED = 0, BN_PAINT = 1, BN_HILITE = 2, BN_UNHILITE = 3, BN_DISABLE = 4,
                      BN_DOUBLECLICKED = 5, BN_DBLCLK = BN_DOUBLECLICKED, BN_SETFOCUS = 6, BN_KILLFOCUS = 7;

inline constexpr LRESULT BST_UNCHECKED = 0x0000, BST_CHECKED = 0x0001, BST_INDETERMINATE = 0x0002,
                         BST_PUSHED = 0x0004, BST_FOCUS = 0x0008;

// Registers "Button" once; TRUE when the class exists.
BOOL RegisterButtonClass();

}  // namespace win
