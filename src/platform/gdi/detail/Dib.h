#pragma once
// Internal to the drawing layer: device-independent bitmap layouts (a BITMAPINFO and the bits
// that follow its rules) and their conversion to and from bitmap objects.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/GdiTypes.h"

namespace win::gdi {

struct BitmapObj;

// What a BITMAPINFO says about its pixels.
struct DibLayout {
  int width = 0;
  int height = 0;        // absolute value of biHeight
  bool topDown = false;  // biHeight < 0
  int bpp = 0;
  DWORD compression = BI_RGB;
  DWORD redMask = 0, greenMask = 0, blueMask = 0;  // 16 and 32 bpp
  std::vector<RGBQUAD> colorTable;                 // 1/4/8 bpp
  size_t headerBytes = 0;  // header, masks and colour table: where packed bits would start
  size_t stride = 0;       // bytes per uncompressed row
  size_t imageBytes = 0;   // uncompressed: stride * height; RLE: biSizeImage
};

// Reads and checks a BITMAPINFO of at most `avail` bytes. False (with a reason in *error) when the
// header is truncated, malformed, unsupported or of absurd size.
bool ParseDibHeader(const uint8_t* info, size_t avail, DibLayout& layout, std::string* error = nullptr);

// The pixels of a DIB as a top-down bitmap object (RLE decoded). `bitsBytes` bounds every read of
// `bits`. Null on malformed or truncated data.
std::unique_ptr<BitmapObj> DibToBitmap(const DibLayout& layout, const uint8_t* bits, size_t bitsBytes,
                                       std::string* error = nullptr);

// The colour table of a palette depth that has no table of its own (GetDIBits of another depth,
// palette displays): black and white for 1 bpp, the sixteen standard colours for 4 bpp, and for
// 8 bpp those followed by a 6x6x6 colour cube and a grey ramp.
std::vector<RGBQUAD> DefaultColorTable(int bpp);

// A format with the layout's depth, masks and colour table, as an empty bitmap object of the
// given size; null when unsupported.
std::unique_ptr<BitmapObj> MakeBitmapForLayout(const DibLayout& layout, int width, int height);

}  // namespace win::gdi
