#pragma once
// Bitmaps of the drawing layer: DIB sections and device bitmaps, blits with ternary raster
// operations, DIB transfers, gradients, alpha blending, device capabilities and BMP files.

#include <string>
#include <vector>

#include "platform/gdi/GdiTypes.h"

namespace win {

// --- Creating bitmaps ---------------------------------------------------------------------------
// Rows live top-down in memory whatever the sign of biHeight; *ppvBits receives row 0 = top row.
// Depths 1, 4, 8 (colour table from `pbmi`), 16 (BI_RGB = 5-5-5, or BI_BITFIELDS 5-6-5/5-5-5),
// 24 and 32. `hSection` and `offset` are not supported and must be null/0.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                         DWORD offset);
// A device bitmap: 1 bpp (monochrome), 16 (5-6-5), 24 or 32 bpp. `bits` rows are WORD aligned.
// A zero width or height gives the 1x1 monochrome default bitmap.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
// A DIB section of the same format when the DC holds a DIB section; monochrome when it holds a
// monochrome device bitmap (a fresh memory DC's default); else a device bitmap of the display's
// depth (32 bpp).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);

// --- Blits ---------------------------------------------------------------------------------------
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, DWORD rop);
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);

// --- DIB transfers -------------------------------------------------------------------------------
int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, void* lpvBits, BITMAPINFO* lpbmi, UINT usage);
int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT usage);
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT usage);
int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT usage,
                  DWORD rop);

// --- Gradients and alpha -------------------------------------------------------------------------
BOOL GradientFill(HDC hdc, const TRIVERTEX* pVertex, ULONG nVertex, const void* pMesh, ULONG nMesh,
                  ULONG ulMode);
BOOL AlphaBlend(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, BLENDFUNCTION ftn);
// Registers AlphaBlend and GradientFill as the optional entry points of "msimg32.dll".
void RegisterImagingEntryPoints();

// --- Device capabilities -------------------------------------------------------------------------
inline constexpr int RC_BITBLT = 0x0001, RC_BITMAP64 = 0x0008, RC_DI_BITMAP = 0x0080, RC_DIBTODEV = 0x0200,
                     RC_STRETCHBLT = 0x0800, RC_STRETCHDIB = 0x2000;
// Memory DCs report the depth of their selected bitmap; screen, window and other DCs the display's.
int GetDeviceCaps(HDC hdc, int index);
COLORREF GetNearestColor(HDC hdc, COLORREF color);
// The display depth BITSPIXEL reports for screen DCs, without taking one: a screen DC makes the
// desktop compose and remember the whole screen.
int GetDisplayBitsPerPixel();
// Tests: the display depth BITSPIXEL reports for screen DCs (32 by default; 0 restores it).
void SetDisplayBitsPerPixelForTesting(int bpp);
// The screen size HORZRES/VERTRES report for screen DCs (set by the desktop).
void SetScreenSize(int width, int height);

// --- BMP files -----------------------------------------------------------------------------------
// Load a BMP (BITMAPFILEHEADER + BITMAPINFOHEADER or later, any depth, RLE4/RLE8) into a DIB
// section. Null on failure, with a reason in *error when given.
HBITMAP LoadBmpFromMemory(const void* data, size_t size, std::string* error = nullptr);
HBITMAP LoadBmpFromFile(const std::string& path, std::string* error = nullptr);
// Save a bitmap as an uncompressed bottom-up BMP of its own depth (16 bpp as BI_BITFIELDS).
bool SaveBmpToMemory(HBITMAP hbm, std::vector<uint8_t>& out, std::string* error = nullptr);
// Written to a temporary name first, so a failure leaves no partial file behind.
bool SaveBmpToFile(HBITMAP hbm, const std::string& path, std::string* error = nullptr);

}  // namespace win
