#pragma once
// The default window procedure. Each message's default handling is a handler in a table, so that
// the parts of the window system (frames, menus, scroll bars ...) plug theirs in without
// touching a central switch.

#include "platform/user/WinUserTypes.h"

namespace win {

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

using DefaultHandler = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Replaces the default handling of `msg` (below WM_USER) and returns the previous handler, which
// a replacement may call for the cases it does not take over. Call during start-up only.
DefaultHandler SetDefaultHandler(UINT msg, DefaultHandler handler);
DefaultHandler GetDefaultHandler(UINT msg);

}  // namespace win
