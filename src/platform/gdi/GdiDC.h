#pragma once
// Device contexts and their drawing state.

#include "platform/gdi/GdiTypes.h"

namespace win {

// A memory DC holding the 1x1 monochrome default bitmap until a bitmap is selected.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);

// SaveDC returns the new depth (1, 2, ...); RestoreDC takes that depth or a negative index
// relative to the top (-1 = the last saved state). Restores objects, modes, colours, origins,
// the current position and the clip region.
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);

int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
int SetMapMode(HDC hdc, int mode);  // only MM_TEXT
int GetMapMode(HDC hdc);

// Logical to device: p - windowOrg + viewportOrg. The brush origin is in device units.
BOOL SetWindowOrgEx(HDC hdc, int x, int y, POINT* old);
BOOL GetWindowOrgEx(HDC hdc, POINT* out);
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, POINT* old);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* old);
BOOL GetViewportOrgEx(HDC hdc, POINT* out);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* old);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, POINT* old);
BOOL GetBrushOrgEx(HDC hdc, POINT* out);
BOOL LPtoDP(HDC hdc, POINT* points, int count);
BOOL DPtoLP(HDC hdc, POINT* points, int count);

BOOL MoveToEx(HDC hdc, int x, int y, POINT* old);
BOOL GetCurrentPositionEx(HDC hdc, POINT* out);

// Clipping. Clip regions are kept in device units; rectangles passed here are logical.
int SelectClipRgn(HDC hdc, HRGN rgn);            // a copy of rgn (device units); null removes the clip
int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode);  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int dx, int dy);
int GetClipBox(HDC hdc, RECT* out);              // logical bounds of what can be painted
int GetClipRgn(HDC hdc, HRGN out);               // 1 copied, 0 no clip region, -1 error
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rc);

}  // namespace win
