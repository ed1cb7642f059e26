#pragma once
// The frame's part of the default window procedure: non-client geometry, hit-testing, painting
// and activation, the caption buttons, the move and size loops, WM_SYSCOMMAND and the system
// menu, window scroll bars, cursors by hit code and the frame part of WM_PRINT.

#include "platform/user/detail/DefaultHandlers.h"

namespace win::frame {

// Puts the frame's handlers in the table (the default window procedure does when it builds it);
// the ones they replace stay reachable for the cases the frame leaves to them. Runs once.
void InstallFrameDefaults(user::DefaultTable& table);

// The previous handler of a message the frame took over (null when there was none).
DefaultHandler PreviousHandler(UINT msg);

// Handlers defined beside their loops.
LRESULT OnSysCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace win::frame
