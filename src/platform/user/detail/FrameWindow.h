#pragma once
// Internal: the frame layout of a live window, and the window-level operations the frame code
// shares (redrawing parts of the non-client area, the caption's activity).

#include "platform/user/frames/FrameLayout.h"
#include "platform/user/windows/WinUserTypes.h"

namespace win {
struct MenuBarHandlers;
}

namespace win::frame {

struct WindowFrame {
  HWND hwnd = nullptr;
  FrameStyle style;
  FrameLayout layout;
  POINT origin{};  // the window's top-left corner on the screen
};

// The layout for the window's current rectangle; false for an invalid handle.
bool WindowFrameOf(HWND hwnd, WindowFrame* out);
// The layout for a window of these styles at a given size (WM_NCCALCSIZE asks before moving).
FrameLayout LayoutForSize(HWND hwnd, DWORD style, DWORD exStyle, int width, int height, FrameStyle* fsOut);

const MenuBarHandlers& MenuBar();

// Whether the caption is drawn active: the last WM_NCACTIVATE, else whether the window (or the
// top-level window it belongs to) is the active one.
bool CaptionActive(HWND hwnd);

// Converts a screen point to window coordinates of the frame.
POINT ToWindow(const WindowFrame& f, POINT screen);

}  // namespace win::frame
