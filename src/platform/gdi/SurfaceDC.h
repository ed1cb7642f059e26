#pragma once
// DCs the window system hands out for window surfaces.

#include "platform/gdi/GdiTypes.h"

namespace win {

class Region;

// A DC whose device (0,0) is `origin` on the surface bitmap and which never paints outside
// `visible` (DC device coordinates; null = the whole surface). ReleaseDC/DeleteDC frees it.
// The surface bitmap cannot be deleted while such DCs exist.
HDC CreateSurfaceDC(HBITMAP surface, POINT origin, const Region* visible);
void SetSurfaceDCVisible(HDC hdc, const Region* visible);

// Gives a 32-bit surface bitmap a new size: the pixels of the top-left part both sizes share
// stay, new parts are black. Rows may lie further apart than the width needs (*stride receives
// the bytes from one row to the next, which GetObject also reports), and the buffer grows ahead
// of the size asked, so a window that is narrowed and widened again moves no rows and allocates
// nothing; a surface left far smaller than its buffer is laid out tightly again. The new parts
// turn black when they are reached: a DC made on the surface clears what its visible region
// covers, and blits, DIB transfers and SettleSurface clear all of it. *bits receives the
// (possibly moved) pixels, which may hold old bytes in the new parts until then. FALSE, with
// nothing changed, while a DC paints on the surface, for another depth, for an absurd size or
// when memory runs out.
BOOL ResizeSurface(HBITMAP surface, int width, int height, void** bits, int* stride);
// Makes every new part of a resized surface black, for readers of its bits.
void SettleSurface(HBITMAP surface);

}  // namespace win
