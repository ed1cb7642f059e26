#pragma once
// Region objects (HRGN). The pixels a region covers follow the pure Region class.

#include "platform/gdi/GdiTypes.h"

namespace win {

HRGN CreateRectRgn(int left, int top, int right, int bottom);  // corners in any order
HRGN CreateRectRgnIndirect(const RECT* rc);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rc);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polyCount, int fillMode);

// dst = a op b (b is ignored for RGN_COPY); dst may be a or b. Returns the result's complexity.
int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rc);
int GetRgnBox(HRGN rgn, RECT* out);
BOOL EqualRgn(HRGN a, HRGN b);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// Writes an RGNDATAHEADER followed by the region's banded rectangles. With a null `data`, returns
// the bytes needed; with a buffer too small, 0; otherwise `size`.
DWORD GetRegionData(HRGN rgn, DWORD size, RGNDATA* data);

}  // namespace win
