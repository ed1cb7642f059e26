#pragma once
// Helpers under the bitmap classes: the format of a bitmap object, making bitmaps of a format,
// memory DCs holding a bitmap, and whole-image pixel access at 32 bpp.

#include <cstdint>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "platform/gdi/GdiTypes.h"

namespace fw::bitmaps {

struct Format {
  TPixelFormat pixelFormat = pfDevice;
  bool monochrome = false;  // a 1 bpp device bitmap, or a 1 bpp DIB with a black/white table
  TBitmapHandleType handleType = bmDDB;
  int bpp = 32;
  std::vector<win::RGBQUAD> colorTable;  // DIBs of 1, 4 and 8 bpp
};

// False for a handle that is not a bitmap.
bool ReadFormat(win::HBITMAP h, Format& out, int& width, int& height);
// Bits per pixel of a DIB of the pixel format (0 for pfDevice and pfCustom).
int BitsPerPixel(TPixelFormat format);
// The table a new DIB of the depth starts with: black/white, the 16 VGA colours, or for 8 bpp
// those 16, a 6x6x6 colour cube and a grey ramp.
std::vector<win::RGBQUAD> DefaultColorTable(int bpp);
// A new bitmap object; null when the size cannot be made. `table` (1/4/8 bpp DIBs) may be empty.
win::HBITMAP Create(TPixelFormat format, bool monochrome, TBitmapHandleType type, int width, int height,
                    const std::vector<win::RGBQUAD>& table);
// Ends pending drawing on the bitmap so its bits can be touched directly.
void CommitPendingDrawing(win::HBITMAP h);

// The image as top-down 0x00RRGGBB words (width * height), and written back the same way.
std::vector<uint32_t> ReadPixels(win::HBITMAP h, int width, int height);
bool WritePixels(win::HBITMAP h, int width, int height, const std::vector<uint32_t>& pixels);

// A memory DC with a bitmap selected for the lifetime of the object.
class MemoryDC {
 public:
  explicit MemoryDC(win::HBITMAP bitmap);
  ~MemoryDC();
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  win::HDC Handle() const { return dc_; }

 private:
  win::HDC dc_ = nullptr;
  win::HGDIOBJ old_ = nullptr;
};

// Monochrome sources paint their 0 bits in the destination's text colour and their 1 bits in its
// background colour: this sets black and white for the object's lifetime, so masks read as drawn.
class MonoColors {
 public:
  explicit MonoColors(win::HDC dc);
  ~MonoColors();
  MonoColors(const MonoColors&) = delete;
  MonoColors& operator=(const MonoColors&) = delete;

 private:
  win::HDC dc_;
  win::COLORREF text_;
  win::COLORREF bk_;
};

// A 1 bpp DIB (black/white table) of the image's size: white where the pixel's colour is `rgb`.
win::HBITMAP CreateColorMask(win::HBITMAP image, int width, int height, win::COLORREF rgb);

// Paints `image` stretched over the destination rectangle, leaving the pixels that are white in
// `mask` untouched. The mask has the image's size.
void TransparentStretch(win::HDC dest, const TRect& rect, win::HDC imageDC, int width, int height,
                        win::HBITMAP mask);
// The two steps of TransparentStretch, for an image drawn many times: a 32 bpp copy of the image
// black where `mask` is white (null when it cannot be made), then that copy painted through the
// mask.
win::HBITMAP MaskedOutCopy(win::HDC imageDC, int width, int height, win::HBITMAP mask);
void DrawMaskedOut(win::HDC dest, const TRect& rect, win::HBITMAP cut, int width, int height, win::HBITMAP mask);

}  // namespace fw::bitmaps
