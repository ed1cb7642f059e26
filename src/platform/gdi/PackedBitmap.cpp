#include "platform/gdi/PackedBitmap.h"

#include <zlib.h>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace win {

HBITMAP CreateBitmapFromPacked(int width, int height, const void* data, std::size_t size) {
  if (width <= 0 || height <= 0 || !data || size == 0 || width > 0x7FFF || height > 0x7FFF) return nullptr;
  BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  // 32 bpp rows need no padding: the pixels fill the section exactly.
  const uLongf expected = uLongf(width) * uLongf(height) * 4;
  uLongf unpacked = expected;
  if (uncompress(static_cast<Bytef*>(bits), &unpacked, static_cast<const Bytef*>(data), uLong(size)) != Z_OK ||
      unpacked != expected) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

}  // namespace win
