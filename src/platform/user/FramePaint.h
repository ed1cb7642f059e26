#pragma once
// Internal: painting a window's classic frame into a DC of the whole window.

#include "platform/user/WinUserTypes.h"

namespace win::frame {

struct WindowFrame;

// Borders, caption (with its buttons, `pressedButton` drawn pushed), menu bar, client edge,
// scroll bars and the size box.
void PaintFrame(HDC windowDC, const WindowFrame& f, bool active, LRESULT pressedButton);
// Only the caption buttons (for the button-tracking loop).
void PaintCaptionButtons(HDC windowDC, const WindowFrame& f, bool active, LRESULT pressedButton);

// Whether a caption button can be used now (a disabled one is drawn inactive and does nothing).
bool CaptionButtonEnabled(HWND hwnd, LRESULT hit);

}  // namespace win::frame
