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

}  // namespace win
