#pragma once
// Unicode windows for framework controls: a control's window is made under a class of its own
// (the framework class name + ".UnicodeClass") and subclassed by a TWinControlTrap, which keeps
// the control's wide caption across the window's re-creation and answers the window system's
// questions about text (WM_NOTIFYFORMAT) as a Unicode window does.

#include "controls/UniSystem.h"
#include "framework/Controls.h"

namespace cs {

class TWinControlTrap;

// The control whose Unicode window CreateUnicodeHandle is making, else nullptr.
extern fw::TWinControl* CreatingUnicodeControl;

// Whether the window was made under a Unicode class.
bool IsUnicodeWindow(win::HWND Wnd);
// The window's text, read whole in UTF-16.
WideString UnicodeWindowText(win::HWND Wnd);
// Registers the Unicode class for Params' class (name, at most 64 characters, + ".UnicodeClass")
// once, its first message going to UnicodeInitWndProc; a class of that name with another
// procedure is replaced. Returns the class name; raises the last system error on failure.
WideString RegisterUnicodeClass(const fw::TCreateParams& Params);
// The window of a wide control, made under its Unicode class and subclassed. SubClass names
// the standard class whose procedure is the control's default one (empty: DefWindowProcW).
// Raises the last system error when the window cannot be made.
void CreateUnicodeHandle(fw::TWinControl* Control, const fw::TCreateParams& Params, const WideString& SubClass);
// The first message of every Unicode window: binds it to the control being made, with the
// control's trap waiting for it.
win::LRESULT UnicodeInitWndProc(win::HWND Wnd, win::UINT Msg, win::WPARAM WParam, win::LPARAM LParam);
// Subclasses the control's Unicode window and gives it Caption (or the caption its holder kept).
// EUniInternalError when the window is not a Unicode one.
void SubclassUnicodeControl(fw::TWinControl* Control, const WideString& Caption);
// The standard class (as the framework names it) whose procedure Params' class copies; empty
// for a window of the framework's own.
WideString StandardSubClassOf(const fw::TCreateParams& Params);

// Traps whose window was destroyed while their control lives on, waiting for its next window.
std::size_t PendingTrapCount();
// The trap subclassing the control's window (or waiting for it), else nullptr.
TWinControlTrap* FindControlTrap(const fw::TWinControl* Control);

}  // namespace cs
