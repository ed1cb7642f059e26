#pragma once
// Internal: the caption buttons' press-and-release loop.

#include "platform/user/windows/WinUserTypes.h"

namespace win::frame {

// Runs after a press on caption button `hit` (HTCLOSE, HTMINBUTTON, HTMAXBUTTON, HTHELP): the
// button is drawn pushed while the mouse stays on it; true when the button is released over it.
// A disabled button does nothing (false). Losing the capture, or the window going, ends the loop
// without a command.
bool TrackCaptionButton(HWND hwnd, LRESULT hit);

}  // namespace win::frame
