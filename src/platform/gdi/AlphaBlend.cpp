// AlphaBlend: constant alpha, and per-pixel alpha of premultiplied 32 bpp sources, with
// nearest-neighbour stretching. Results round to nearest; 32 bpp destinations blend their alpha
// byte as a fourth channel.

#include <algorithm>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Modules.h"

namespace win::gdi {
namespace {

// x * y / 255, rounded to nearest, for x, y in 0..255.
inline uint32_t MulDiv255(uint32_t x, uint32_t y) {
  const uint32_t t = x * y + 128;
  return (t + (t >> 8)) >> 8;
}

// Source pixels as B, G, R, A bytes in one word (A = 255 where the source has no alpha byte).
uint32_t SourceBGRA(const BitmapObj& src, int x, int y) {
  const uint32_t raw = GetRaw(src, x, y);
  if (src.bpp == 32) return raw;
  const COLORREF c = RawToColor(src, raw);
  return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

uint32_t DestBGRA(const BitmapObj& dst, int x, int y) {
  const uint32_t raw = GetRaw(dst, x, y);
  if (dst.bpp == 32) return raw;
  const COLORREF c = RawToColor(dst, raw);
  return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

uint32_t Blend(uint32_t s, uint32_t d, uint32_t sca, bool perPixel) {
  uint32_t out = 0;
  if (!perPixel) {
    for (int sh = 0; sh < 32; sh += 8) {
      const uint32_t sc = (s >> sh) & 0xFF, dc = (d >> sh) & 0xFF;
      out |= ((sc * sca + dc * (255 - sca) + 127) / 255) << sh;
    }
    return out;
  }
  // Premultiplied source, scaled by the constant alpha first, then "over" the destination.
  const uint32_t sa = MulDiv255(s >> 24, sca);
  for (int sh = 0; sh < 32; sh += 8) {
    const uint32_t sc = MulDiv255((s >> sh) & 0xFF, sca), dc = (d >> sh) & 0xFF;
    out |= std::min<uint32_t>(255, sc + MulDiv255(dc, 255 - sa)) << sh;
  }
  return out;
}

}  // namespace
}  // namespace win::gdi

namespace win {

using namespace win::gdi;

BOOL AlphaBlend(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, BLENDFUNCTION ftn) {
  DrawTarget dst = ResolveTarget(hdcDest), src = ResolveTarget(hdcSrc);
  if (dst.dc && dst.dc->recorder)
    return dst.dc->recorder->AlphaBlend(RECT{xDest, yDest, xDest + wDest, yDest + hDest}, hdcSrc,
                                        RECT{xSrc, ySrc, xSrc + wSrc, ySrc + hSrc}, ftn);
  if (!dst || !src) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const bool perPixel = ftn.AlphaFormat == AC_SRC_ALPHA;
  if (ftn.BlendOp != AC_SRC_OVER || ftn.BlendFlags != 0 || (ftn.AlphaFormat & ~AC_SRC_ALPHA) || wDest < 0 ||
      hDest < 0 || wSrc < 0 || hSrc < 0 || wDest > kMaxExtent || hDest > kMaxExtent) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The source rectangle must lie inside the source bitmap.
  const POINT s0 = LogicalToSurface(*src.dc, xSrc, ySrc);
  if (s0.x < 0 || s0.y < 0 || int64_t(s0.x) + wSrc > src.bmp->width ||
      int64_t(s0.y) + hSrc > src.bmp->height) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;
  FlushPaintingThrough(*dst.dc, *dst.bmp);
  FlushPainting(*src.bmp);

  // The source is read in full before anything is written, so overlapping rectangles of one
  // bitmap blend the original pixels.
  std::vector<uint32_t> source(size_t(wSrc) * size_t(hSrc));
  for (int y = 0; y < hSrc; ++y)
    for (int x = 0; x < wSrc; ++x)
      source[size_t(y) * size_t(wSrc) + size_t(x)] = SourceBGRA(*src.bmp, s0.x + x, s0.y + y);

  const POINT d0 = LogicalToSurface(*dst.dc, xDest, yDest);
  const RECT area{d0.x, d0.y, d0.x + wDest, d0.y + hDest};
  const uint32_t sca = ftn.SourceConstantAlpha;
  for (const RECT& r : PaintableRects(*dst.dc, area)) {
    for (int y = r.top; y < r.bottom; ++y) {
      const uint32_t* row = &source[size_t(NearestOffset(y - area.top, hDest, hSrc, false)) * size_t(wSrc)];
      for (int x = r.left; x < r.right; ++x) {
        const uint32_t out = Blend(row[NearestOffset(x - area.left, wDest, wSrc, false)],
                                   DestBGRA(*dst.bmp, x, y), sca, perPixel);
        if (dst.bmp->bpp == 32)
          SetRaw(*dst.bmp, x, y, out);
        else
          SetRaw(*dst.bmp, x, y, ColorToRaw(*dst.bmp, RGB(BYTE(out >> 16), BYTE(out >> 8), BYTE(out))));
      }
    }
  }
  return TRUE;
}

void RegisterImagingEntryPoints() {
  modules::RegisterFunction(u"msimg32.dll", "AlphaBlend", &AlphaBlend);
  modules::RegisterFunction(u"msimg32.dll", "GradientFill", &GradientFill);
}

}  // namespace win
