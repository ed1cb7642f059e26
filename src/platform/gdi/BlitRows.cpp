// Row copies between 24 and 32 bpp. Pixels are read and written as unaligned words where the
// row has room, which keeps the loops free of byte shuffling.

#include "platform/gdi/detail/BlitRows.h"

#include <cstring>


namespace win::gdi {
namespace {

uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store32(uint8_t* p, uint32_t v) {
  std::memcpy(p, &v, 4);
}

}  // namespace

void Copy24To32(const uint8_t* src, uint8_t* dst, size_t n) {
  if (n == 0) return;
  // The last pixel is read by bytes: a word would reach past the row (and the buffer).
  for (size_t i = 0; i + 1 < n; ++i) Store32(dst + 4 * i, Load32(src + 3 * i) & 0xFFFFFFu);
  const uint8_t* p = src + 3 * (n - 1);
  Store32(dst + 4 * (n - 1), uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16);
}

void Copy32To24(const uint8_t* src, uint8_t* dst, size_t n) {
  if (n == 0) return;
  // Each word's fourth byte lands on the next pixel, which overwrites it; the last is cut short.
  for (size_t i = 0; i + 1 < n; ++i) Store32(dst + 3 * i, Load32(src + 4 * i));
  std::memcpy(dst + 3 * (n - 1), src + 4 * (n - 1), 3);
}

RowCopier DirectRowCopier(const BitmapObj& src, const BitmapObj& dst) {
  // Both depths have one layout each (32 bpp masks are fixed), so only these pairs differ.
  if (src.bpp == 24 && dst.bpp == 32) return Copy24To32;
  if (src.bpp == 32 && dst.bpp == 24) return Copy32To24;
  return nullptr;
}

}  // namespace win::gdi
