#pragma once
// Input state: capture, focus, activation, keyboard state, cursor position, leave tracking, caret.

#include <string>

#include "platform/user/windows/WinUserTypes.h"

namespace win {

// Capture
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

// Focus and activation
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
inline constexpr UINT LSFW_LOCK = 1, LSFW_UNLOCK = 2;
BOOL LockSetForegroundWindow(UINT lockCode);

// Keyboard state
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(BYTE* state256);
BOOL SetKeyboardState(const BYTE* state256);
inline constexpr UINT MAPVK_VK_TO_VSC = 0, MAPVK_VSC_TO_VK = 1, MAPVK_VK_TO_CHAR = 2;
UINT MapVirtualKeyW(UINT code, UINT mapType);
// The name of a virtual key as shortcut text shows it ("A", "F5", "Num 3", "PgUp", "Del");
// empty for a key without one. One table for every layer.
std::u16string KeyNameOfVirtualKey(UINT vk);
// The name of the key whose scan code is in bits 16..23 of lParam (as a key message carries
// it), copied and terminated into buffer (at most size - 1 characters); its length, 0 for none.
int GetKeyNameTextW(LONG lParam, LPWSTR buffer, int size);

// Cursor position
BOOL GetCursorPos(POINT* pt);
BOOL SetCursorPos(int x, int y);

// Mouse leave and hover tracking
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);

// Caret
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* pt);

}  // namespace win
