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

// Gives a 32-bit surface bitmap a new size in place: the pixels of the top-left part both sizes
// share stay, new parts are black. The pixel buffer is reused while it is large enough, so a
// window that is narrowed and widened again moves its rows but allocates nothing. *bits receives
// the (possibly moved) pixels. FALSE, with nothing changed, while a DC paints on the surface, for
// another depth or for an absurd size.
BOOL ResizeSurface(HBITMAP surface, int width, int height, void** bits);

}  // namespace win
