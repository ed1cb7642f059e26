#pragma once
// Small painting steps shared by the classic drawing routines and the window frames and scroll
// bars the window system paints with them. Coordinates are logical.

#include "platform/kernel/WinDef.h"

namespace win::userdraw {

// A live device context of any kind.
bool IsDrawableDC(HDC hdc);

void FillSysColor(HDC hdc, const RECT& r, int colorIndex);
void FillColor(HDC hdc, const RECT& r, COLORREF color);
// A 1-pixel checkerboard aligned to device coordinates: `even` where x + y is even, else `odd`.
void FillCheckerboard(HDC hdc, const RECT& r, COLORREF even, COLORREF odd);
// A glyph given as rows of text, 'X' marking painted pixels, with its top-left at (x, y).
void DrawGlyph(HDC hdc, int x, int y, const char* const* rows, int rowCount, COLORREF color);

}  // namespace win::userdraw
