#pragma once
// Internal: painting a window's classic frame into a DC of the whole window.

#include "platform/user/windows/WinUserTypes.h"

namespace win::frame {

struct WindowFrame;

// Borders, caption (with its buttons, `pressedButton` drawn pushed), menu bar, client edge,
// scroll bars and the size box.
void PaintFrame(HDC windowDC, const WindowFrame& f, bool active, LRESULT pressedButton);
// Asks the window to paint its non-client area (`part`, in window coordinates; null: all of it)
// now, through WM_NCPAINT. Every change the window system shows in a frame goes this way, so that
// a window that paints its own frame never gets the classic one drawn over it.
void RepaintFrame(HWND hwnd, const RECT* part);

// Whether a caption button can be used now (a disabled one is drawn inactive and does nothing).
bool CaptionButtonEnabled(HWND hwnd, LRESULT hit);

}  // namespace win::frame
