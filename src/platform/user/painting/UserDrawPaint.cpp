#include "platform/user/painting/UserDrawPaint.h"

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/services/SysColors.h"

namespace win::userdraw {

bool IsDrawableDC(HDC hdc) {
  DWORD type = hdc ? GetObjectType(hdc) : 0;
  return type == OBJ_DC || type == OBJ_MEMDC || type == OBJ_METADC || type == OBJ_ENHMETADC;
}

void FillSysColor(HDC hdc, const RECT& r, int colorIndex) { FillRect(hdc, &r, GetSysColorBrush(colorIndex)); }

void FillColor(HDC hdc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(hdc, &r, brush);
  DeleteObject(brush);
}

void FillCheckerboard(HDC hdc, const RECT& r, COLORREF even, COLORREF odd) {
  // Rows of a monochrome 8x8 pattern (WORD aligned): 1 bits paint the background colour, 0 bits
  // the text colour. Row 0 starts with a 0 bit at the brush origin (0, 0), where x + y is even.
  static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP bits = CreateBitmap(8, 8, 1, 1, kRows);
  HBRUSH brush = CreatePatternBrush(bits);
  POINT oldOrg{};
  SetBrushOrgEx(hdc, 0, 0, &oldOrg);
  COLORREF oldText = SetTextColor(hdc, even);
  COLORREF oldBk = SetBkColor(hdc, odd);
  FillRect(hdc, &r, brush);
  SetTextColor(hdc, oldText);
  SetBkColor(hdc, oldBk);
  SetBrushOrgEx(hdc, oldOrg.x, oldOrg.y, nullptr);
  DeleteObject(brush);
  DeleteObject(bits);
}

void DrawGlyph(HDC hdc, int x, int y, const char* const* rows, int rowCount, COLORREF color) {
  for (int row = 0; row < rowCount; ++row)
    for (int col = 0; rows[row][col]; ++col)
      if (rows[row][col] == 'X') SetPixelV(hdc, x + col, y + row, color);
}

}  // namespace win::userdraw
