#pragma once
// Timers driven by the kernel clock; WM_TIMER is synthesised when the queue has nothing else.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

inline constexpr UINT USER_TIMER_MINIMUM = 0x0000000A, USER_TIMER_MAXIMUM = 0x7FFFFFFF;

}  // namespace win
