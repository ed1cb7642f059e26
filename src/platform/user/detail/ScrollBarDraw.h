#pragma once
// Internal: drawing scroll bars in the classic look, and finding a window's bars.

#include "platform/user/frames/ScrollBarGeometry.h"

namespace win::frame {

struct WindowFrame;

// Arrows as frame controls (pushed while pressed, inactive when disabled that way), the track
// as the BTNHIGHLIGHT/BTNFACE checkerboard (3DDKSHADOW under a pressed page area), the thumb as
// a raised button.
void DrawScrollBar(HDC hdc, const ScrollBarParts& parts, const ScrollData& d, ScrollPart pressed);
// The square where two window bars meet: BTNFACE, with the size grip when the window can be sized
// from it.
void DrawSizeBox(HDC hdc, const RECT& box, bool grip);

// The rectangle of window bar SB_HORZ / SB_VERT (window coordinates) or of a SCROLLBAR control
// (SB_CTL, client coordinates); empty when the bar is not shown.
RECT ScrollBarRect(HWND hwnd, int bar, bool* vertical);
// The parts of a bar as they are drawn now (the thumb follows the drag while it lasts).
ScrollBarParts PartsOf(HWND hwnd, int bar);
// Draws one bar at once (when the window is visible).
void RedrawScrollBar(HWND hwnd, int bar);

}  // namespace win::frame
