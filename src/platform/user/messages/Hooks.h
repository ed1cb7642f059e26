#pragma once
// Thread hooks: WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_CBT, WH_GETMESSAGE and WH_MSGFILTER.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

// Hooks are per thread; threadId 0 means the calling thread. Only the calling thread's hooks
// can be installed (there are no global hooks).
HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

}  // namespace win
