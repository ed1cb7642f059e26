#pragma once
// Moving and sizing windows with the mouse or the keyboard (SC_MOVE, SC_SIZE), and the default
// track sizes a window reports through WM_GETMINMAXINFO.

#include "platform/user/windows/WinUserTypes.h"

namespace win {

// WM_SIZING edges (and the low nibble of SC_SIZE for a mouse sizing)
inline constexpr WPARAM WMSZ_LEFT = 1, WMSZ_RIGHT = 2, WMSZ_TOP = 3, WMSZ_TOPLEFT = 4, WMSZ_TOPRIGHT = 5,
                        WMSZ_BOTTOM = 6, WMSZ_BOTTOMLEFT = 7, WMSZ_BOTTOMRIGHT = 8;

namespace frame {

// Starts from the defaults (maximised: the work area of the window's monitor plus the frame on
// every side, placed so that the frame lies outside the work area; tracking: SM_CXMINTRACK ..
// SM_CXMAXTRACK) and lets the window change them with WM_GETMINMAXINFO.
MINMAXINFO MinMaxInfoOf(HWND hwnd);

// The modal move or size loop. `command` is SC_MOVE or SC_SIZE with the low nibble as
// WM_SYSCOMMAND carries it: a mouse drag (SC_MOVE | HTCAPTION, SC_SIZE + WMSZ_ edge) follows the
// mouse from `screenPt` until the left button is released; the keyboard forms (low nibble 0)
// move by 8 pixels per arrow key (SC_SIZE: the first arrow picks the edge) until Enter. Escape
// puts the window back where it was; losing the capture ends the loop where the window is. The
// window moves (full-window drag) as the mouse does, after WM_MOVING / WM_SIZING let it change
// the rectangle; WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE bracket the loop.
void RunMoveSizeLoop(HWND hwnd, WPARAM command, POINT screenPt);

}  // namespace frame
}  // namespace win
