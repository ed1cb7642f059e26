#pragma once
// Stacking of native windows where a window manager framed some of them: the frames, not our
// windows, are the root's children it stacks, and windows it does not manage (menus, floating
// toolbars) are stacked against those frames.

#include <vector>

class QWindow;
typedef struct xcb_connection_t xcb_connection_t;

namespace win::presenter {

// The desktop's X connection; null on another platform.
xcb_connection_t* XConnection();

// The root's child holding `window`: the frame a window manager put around it, or the window
// itself; 0 when the native window does not exist or there is no X display.
unsigned long OutermostXWindow(const QWindow& window);

// Puts `window` directly above (or below) the root's child `sibling`. A refusal (a sibling that is
// gone, or not the window's sibling) leaves the window where it was.
void StackNextTo(const QWindow& window, unsigned long sibling, bool above);

// The root's children, bottom first, as the X server stacks them; empty without an X display.
std::vector<unsigned long> RootStacking();

}  // namespace win::presenter
