#pragma once
// Hidden top-level windows that deliver messages to a method (timers, thread wake-ups, deferred
// frees, objects that must hear the system's broadcasts such as WM_SYSCOLORCHANGE), and the
// hook through which such methods report exceptions to the application.

#include <functional>

#include "framework/ClassesTypes.h"
#include "platform/user/windows/WinUserTypes.h"

namespace fw {

using TWndMethod = std::function<win::LRESULT(win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam)>;

// Messages the method does not answer should go to DefWindowProcW; the method decides.
win::HWND AllocateHWnd(TWndMethod Method);
// Destroys the window only while it is still the one AllocateHWnd made (a handle value can be
// reused once the window system has destroyed it, e.g. with its desktop).
void DeallocateHWnd(win::HWND Wnd);
// Whether Wnd is still a live window made by AllocateHWnd with a method.
bool AllocatedHWndAlive(win::HWND Wnd);

// Set by the application object: handles the exception being caught (call it inside a catch
// block). While unset, an exception raised in a hidden window's method propagates to the caller
// of DispatchMessageW.
extern std::function<void(TObject* Sender)> ApplicationHandleException;

}  // namespace fw
