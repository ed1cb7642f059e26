#pragma once
// Recording helpers: a frame in .01 mm for a picture of w x h screen pixels, and the bytes of a
// metafile.

#include <cstring>
#include <vector>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/Metafile.h"

namespace win::testing {

// The inclusive frame of a w x h pixel picture at the screen's resolution.
inline RECT FrameForPixels(int w, int h) {
  HDC screen = CreateCompatibleDC(nullptr);
  const int64_t dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  DeleteDC(screen);
  return RECT{0, 0, LONG(w * 2540 / dpiX) - 1, LONG(h * 2540 / dpiY) - 1};
}

inline std::vector<uint8_t> MetafileBytesOf(HENHMETAFILE h) {
  std::vector<uint8_t> out(GetEnhMetaFileBits(h, 0, nullptr));
  GetEnhMetaFileBits(h, UINT(out.size()), out.data());
  return out;
}

inline uint32_t U32At(const std::vector<uint8_t>& b, size_t off) {
  uint32_t v = 0;
  std::memcpy(&v, b.data() + off, 4);
  return v;
}

// Offsets of the records of `type`, in order.
inline std::vector<size_t> RecordsOfType(const std::vector<uint8_t>& b, uint32_t type) {
  std::vector<size_t> out;
  for (size_t off = 0; off + 8 <= b.size();) {
    const uint32_t size = U32At(b, off + 4);
    if (size < 8) break;
    if (U32At(b, off) == type) out.push_back(off);
    off += size;
  }
  return out;
}

}  // namespace win::testing
