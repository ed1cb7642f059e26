#pragma once
// The default window procedure. Each message's default handling is a handler; DefWindowProc.cpp
// lists them all in one table, with the file each lives in.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

using DefaultHandler = LRESULT (*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace win
