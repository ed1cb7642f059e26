#pragma once
// Keyboard accelerator tables: key combinations that send commands to a window.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

struct HACCEL__;
using HACCEL = HACCEL__*;

// ACCEL::fVirt. Without FVIRTKEY the key is a character code matched against WM_CHAR/WM_SYSCHAR
// (FALT then asks for WM_SYSCHAR); with it the key is a virtual key matched against
// WM_KEYDOWN/WM_SYSKEYDOWN with exactly the Shift, Ctrl and Alt the entry names.
inline constexpr BYTE FVIRTKEY = 0x01, FNOINVERT = 0x02, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10;

struct ACCEL {
  BYTE fVirt = 0;
  WORD key = 0;
  WORD cmd = 0;
};

// Fails (NULL, ERROR_INVALID_PARAMETER) for no entries or a count above 32767.
HACCEL CreateAcceleratorTableW(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// With a null destination returns the number of entries; otherwise copies up to `count` of them
// and returns the number copied.
int CopyAcceleratorTableW(HACCEL table, ACCEL* destination, int count);

// On a match: a command in the system-command range (SC_SIZE and above) goes to the window as
// WM_SYSCOMMAND; any other as WM_COMMAND with HIWORD(wParam) 1, after WM_INITMENU and
// WM_INITMENUPOPUP when it is an item of the window's menu bar, and not at all when that item is
// disabled or the window is minimised. A matched key is reported handled (non-zero) either way,
// so it is not translated into a character.
int TranslateAcceleratorW(HWND hwnd, HACCEL table, MSG* msg);

}  // namespace win
