#pragma once
// Internal: the message pump shared by the frame's modal mouse loops (caption buttons, moving and
// sizing, scroll bars). A loop runs while its window holds the mouse capture.

#include "platform/user/windows/WinUserTypes.h"

namespace win::frame {

// Takes the next message for a loop whose window is `hwnd`. False, with nothing taken, once the
// window has lost the capture or is gone; WM_QUIT is posted again for the outer loop and ends
// this one too.
bool NextLoopMessage(HWND hwnd, MSG* msg);

// Mouse messages reach a capturing window as client messages; these tell the kinds apart
// whichever way they come.
bool IsMouseMove(UINT msg);
bool IsLeftButtonUp(UINT msg);
bool IsButtonDown(UINT msg);  // any button's press or double-click

}  // namespace win::frame
