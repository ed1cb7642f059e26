#pragma once
// Thread-wide window events shared by any number of listeners. Each listener registers one plain
// procedure with the events it wants; at most one platform hook of each kind is installed for the
// thread, counted by the registrations that need it, and removed when the last of them goes.
// Registrations must be balanced: every InstallHookProc by one UninstallHookProc of the same
// procedure.

#include "platform/user/windows/WinUserTypes.h"

namespace toolbars {

enum THookProcCode : unsigned char {
  hpSendActivateApp,       // WM_ACTIVATEAPP sent to a window: (window, wParam, lParam)
  hpSendWindowPosChanged,  // WM_WINDOWPOSCHANGED sent to a window: (window, wParam, WINDOWPOS*)
  hpPreDestroy,            // a window is about to be destroyed: (window, 0, 0)
  hpGetMessage,            // a message was retrieved: (nullptr, remove flag, MSG*)
};
using THookProcCodes = unsigned char;  // bit set of 1 << THookProcCode
inline constexpr THookProcCodes HookCode(THookProcCode Code) { return THookProcCodes(1u << Code); }

using THookProc = void (*)(THookProcCode Code, win::HWND Wnd, win::WPARAM WParam, win::LPARAM LParam);

// A procedure already registered gets its count raised and keeps the codes of its first
// registration. With OnlyIncrementCount (design time) no hook is counted or installed.
void InstallHookProc(THookProc Proc, THookProcCodes Codes, bool OnlyIncrementCount);
// Lowers the procedure's count (dropping it at 0) and the counts of the hooks its codes need;
// a hook whose count reaches 0 is removed. Unknown procedures are ignored.
void UninstallHookProc(THookProc Proc);

}  // namespace toolbars
