#pragma once
// Pens, brushes, stock objects and the calls common to every GDI object.

#include "platform/gdi/GdiTypes.h"

namespace win {

// Cosmetic dash patterns (pixels on/off, starting with "on" at the first pixel of a call):
// PS_DASH 18/6, PS_DOT 3/3, PS_DASHDOT 9/6/3/6, PS_DASHDOTDOT 9/3/3/3/3/3, PS_ALTERNATE 1/1.
// CreatePen with a width above 1 draws dashed styles solid, as GDI does.
HPEN CreatePen(int style, int width, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* lp);
// PS_COSMETIC (width 1, solid brush) or PS_GEOMETRIC (any width, end caps and joins);
// PS_USERSTYLE takes `styleCount` on/off lengths (pixels, or pen widths for geometric pens).
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);

HBRUSH CreateSolidBrush(COLORREF color);
// Hatch patterns on an 8x8 cell aligned to the brush origin (row/column 0 is the origin):
// HS_HORIZONTAL row 0, HS_VERTICAL column 0, HS_FDIAGONAL x == y, HS_BDIAGONAL x + y == 7,
// HS_CROSS row 0 and column 0, HS_DIAGCROSS both diagonals.
HBRUSH CreateHatchBrush(int hatch, COLORREF color);
// The top-left 8x8 pixels of the bitmap (tiled when smaller); a monochrome bitmap paints 0 bits in
// the text colour and 1 bits in the background colour of the DC it is used on.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
// A pattern from a packed DIB (BITMAPINFOHEADER, colour table or masks, then the bits; the
// top-left 8x8 pixels, tiled when smaller). Only DIB_RGB_COLORS: the colours come from the DIB
// itself, also for 1 bpp. CreateBrushIndirect takes it as BS_DIBPATTERNPT (lbHatch = the DIB,
// lbColor = the usage).
HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);

// FillRect takes (HBRUSH)(COLOR_x + 1) for a system colour. The window system owns those colours
// and installs the function that gives their current values (null removes it; without one the
// values are invalid handles).
using SysColorResolver = COLORREF (*)(int index);
void SetSysColorResolver(SysColorResolver resolver);

// DC_BRUSH and DC_PEN paint with colours kept per DC (white and black at first; SaveDC keeps
// them). Set* return the previous colour, CLR_INVALID for a bad DC.
COLORREF SetDCBrushColor(HDC hdc, COLORREF color);
COLORREF GetDCBrushColor(HDC hdc);
COLORREF SetDCPenColor(HDC hdc, COLORREF color);
COLORREF GetDCPenColor(HDC hdc);

HGDIOBJ GetStockObject(int index);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);  // regions: see SelectClipRgn; returns the complexity
BOOL DeleteObject(HGDIOBJ obj);              // fails for an object selected into a DC
DWORD GetObjectType(HGDIOBJ obj);
int GetObjectW(HGDIOBJ obj, int size, void* out);
inline int GetObject(HGDIOBJ obj, int size, void* out) { return GetObjectW(obj, size, out); }
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PAL

}  // namespace win
