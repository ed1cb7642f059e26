#pragma once
// Internal to the drawing layer: the pixel engine behind BitBlt, StretchBlt, PatBlt, the DIB
// transfers, AlphaBlend and GradientFill. Works on surface pixels of the DC's bitmap.

#include <cstdint>
#include <vector>

#include "platform/gdi/detail/Bitmaps.h"

namespace win::gdi {

// The DC and the bitmap it paints on; `bmp` is null when the DC cannot be painted through pixels.
struct DrawTarget {
  DCObj* dc = nullptr;
  BitmapObj* bmp = nullptr;
  explicit operator bool() const { return dc && bmp; }
};
DrawTarget ResolveTarget(HDC hdc);

// A logical point of the DC as a pixel of its bitmap (origins and the window DC's offset).
POINT LogicalToSurface(const DCObj& dc, int x, int y);

// The parts of `surfaceRect` (surface pixels) the DC may paint: its effective clip within its
// bitmap.
std::vector<RECT> PaintableRects(DCObj& dc, const RECT& surfaceRect);

// Blits, transfers and blends refuse extents this large (they could not be meant).
inline constexpr int kMaxExtent = 1 << 28;
// Surface coordinates are kept within this range, so sums with extents cannot overflow.
inline LONG ClampCoord(int64_t v) {
  return LONG(v < -kMaxExtent * 2LL ? -kMaxExtent * 2LL : v > kMaxExtent * 2LL ? kMaxExtent * 2LL : v);
}

// Normalises a rectangle given by origin and signed extent; true when the extent was negative.
// Extents beyond kMaxExtent are left for the caller to refuse.
inline bool Normalise(int& pos, int& extent) {
  if (extent >= 0 || extent < -kMaxExtent) return false;
  pos = ClampCoord(int64_t(pos) + extent);
  extent = -extent;
  return true;
}
inline bool ExtentTooLarge(int extent) {
  return extent > kMaxExtent || extent < -kMaxExtent;
}

// Nearest-neighbour mapping of destination pixel `i` of `dstLen` onto `srcLen` source pixels,
// sampling the destination pixel's centre; mirrored when `flip`. An offset into the source.
inline int NearestOffset(int i, int dstLen, int srcLen, bool flip) {
  const int v = srcLen == dstLen ? i : int((int64_t(2 * i + 1) * srcLen) / (int64_t(2) * dstLen));
  return flip ? srcLen - 1 - v : v;
}
// The source span [first, last) destination pixel `i` covers when `srcLen` shrinks to `dstLen`.
inline void CoveredSpan(int i, int dstLen, int srcLen, int& first, int& last) {
  first = int(int64_t(i) * srcLen / dstLen);
  last = int(int64_t(i + 1) * srcLen / dstLen);
  if (last <= first) last = first + 1;
}

// A source for the blit engine: a rectangle of a bitmap (signed extents mirror) and, for DC to DC
// transfers, the monochrome rules.
struct BlitSource {
  BitmapObj* bmp = nullptr;
  int x = 0, y = 0, w = 0, h = 0;
  const MonoRules* rules = nullptr;
};

// Computes `rop` (a ternary raster operation) over the logical destination rectangle, with the
// DC's brush as pattern and the stretch mode of the DC when the sizes differ. Flushes painting
// first. False when the operation cannot be done (a null brush is not an error: nothing is
// painted).
bool RunBlit(DCObj& dc, BitmapObj& dst, int x, int y, int w, int h, const BlitSource* src, DWORD rop);

// The result of a ternary raster operation on raw values (truth-table byte `code`).
inline uint32_t Rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
  switch (code) {
    case 0x00:
      return 0;
    case 0xFF:
      return ~0u;
    case 0xCC:
      return s;
    case 0xF0:
      return p;
    case 0xAA:
      return d;
    case 0x55:
      return ~d;
    case 0x33:
      return ~s;
    case 0x66:
      return s ^ d;
    case 0x88:
      return s & d;
    case 0xEE:
      return s | d;
    case 0x5A:
      return p ^ d;
    default:
      break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!(code & (1 << i))) continue;
    r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return r;
}
inline bool RopUsesSource(uint8_t code) {
  return ((code >> 2) ^ code) & 0x33;
}
inline bool RopUsesPattern(uint8_t code) {
  return ((code >> 4) ^ code) & 0x0F;
}

}  // namespace win::gdi
