#pragma once
// Bitmaps the program carries compressed: 32-bit pixels packed with zlib, unpacked straight into
// a DIB section.

#include <cstddef>

#include "platform/gdi/GdiTypes.h"

namespace win {

// A width x height 32 bpp DIB section whose pixels, top row first, each blue, green, red and
// alpha (not premultiplied), are the zlib stream `data`. Null when the stream is damaged or does
// not hold exactly that many pixels. The caller deletes it with DeleteObject.
HBITMAP CreateBitmapFromPacked(int width, int height, const void* data, std::size_t size);

}  // namespace win
