// The blit engine: ternary raster operations computed on raw pixels of the destination's format,
// with the DC's brush as pattern, the monochrome conversion rules, stretching in every stretch
// mode, clipping by the destination DC, and overlapping source and destination.

#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/MetafileRecords.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/BlitRows.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {

DrawTarget ResolveTarget(HDC hdc) {
  DrawTarget t;
  t.dc = FindDC(hdc);
  if (t.dc) t.bmp = FindBitmap(t.dc->bitmap);
  return t;
}

POINT LogicalToSurface(const DCObj& dc, int x, int y) {
  const SurfaceShift off = SurfaceOffset(dc);
  return POINT{ClampCoord(int64_t(x) + off.x), ClampCoord(int64_t(y) + off.y)};
}

std::vector<RECT> PaintableRects(DCObj& dc, const RECT& surfaceRect) {
  if (surfaceRect.right <= surfaceRect.left || surfaceRect.bottom <= surfaceRect.top) return {};
  const Region visible = Region(surfaceRect).Intersect(SurfaceClip(dc));
  const auto rects = visible.Rects();
  return std::vector<RECT>(rects.begin(), rects.end());
}

namespace {

// A copy of the part of `src` inside `r` (clamped to the bitmap), so a blit within one bitmap
// reads the pixels as they were before it started.
std::unique_ptr<BitmapObj> CloneRect(const BitmapObj& src, RECT& r) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, src.width);
  r.bottom = std::min<LONG>(r.bottom, src.height);
  if (r.right <= r.left || r.bottom <= r.top) return nullptr;
  auto copy = MakeBitmapObj(r.right - r.left, r.bottom - r.top, src.bpp, src.dibSection, src.colorTable,
                            src.redMask, src.greenMask, src.blueMask);
  if (!copy) return nullptr;
  for (int y = 0; y < copy->height; ++y) {
    if (src.bpp >= 8) {
      const size_t bytes = size_t(src.bpp / 8);
      std::memcpy(copy->bits.data() + size_t(y) * size_t(copy->stride),
                  src.bits.data() + size_t(r.top + y) * size_t(src.stride) + size_t(r.left) * bytes,
                  size_t(copy->width) * bytes);
    } else {
      for (int x = 0; x < copy->width; ++x) SetRaw(*copy, x, y, GetRaw(src, r.left + x, r.top + y));
    }
  }
  return copy;
}

// Reads source pixels for destination pixels, converted to the destination's format.
class SourceSampler {
 public:
  SourceSampler(const BitmapObj& src, int sx, int sy, int sw, int sh, bool flipX, bool flipY, int w, int h,
                const BitmapObj& dst, const MonoRules* rules, int mode)
      : view_(&src),
        sx_(sx),
        sy_(sy),
        sw_(sw),
        sh_(sh),
        flipX_(flipX),
        flipY_(flipY),
        w_(w),
        h_(h),
        convert_(src, dst, rules),
        dst_(dst),
        mode_(mode) {
    combine_ = (mode == BLACKONWHITE || mode == WHITEONBLACK || mode == HALFTONE) && (sw > w || sh > h);
    if (&src == &dst) {
      RECT r{sx, sy, sx + sw, sy + sh};
      clone_ = CloneRect(src, r);
      view_ = clone_.get();
      vx_ = r.left;
      vy_ = r.top;
    }
  }

  // One source pixel per destination pixel, in the same order.
  bool Unscaled() const { return !combine_ && sw_ == w_ && sh_ == h_ && !flipX_ && !flipY_; }
  bool Identity() const { return convert_.Identity(); }
  const BitmapObj* View() const { return view_; }
  // Source pixel of destination offset (i, j) in view coordinates (unscaled blits only).
  int ViewX(int i) const { return sx_ + i - vx_; }
  int ViewY(int j) const { return sy_ + j - vy_; }
  // Destination offsets i0 <= i < i1 of view row `vy`, converted (unscaled blits only; the
  // columns lie inside the view).
  void ReadRow(int i0, int i1, int vy, uint32_t* out) const {
    convert_.ConvertRow(*view_, ViewX(i0), ViewX(i1), vy, out);
  }

  // False when the source pixel lies outside the source bitmap.
  bool Sample(int i, int j, uint32_t& out) const {
    if (!view_) return false;
    if (!combine_) {
      const int x = sx_ + NearestOffset(i, w_, sw_, flipX_) - vx_,
                y = sy_ + NearestOffset(j, h_, sh_, flipY_) - vy_;
      if (!Inside(x, y)) return false;
      out = convert_(GetRaw(*view_, x, y));
      return true;
    }
    int x0, x1, y0, y1;
    Span(i, w_, sw_, flipX_, x0, x1);
    Span(j, h_, sh_, flipY_, y0, y1);
    uint32_t acc = mode_ == BLACKONWHITE ? ~0u : 0u;
    uint32_t r = 0, g = 0, b = 0, n = 0;
    // Only the part of the span inside the bitmap counts: walking the rest pixel by pixel made a
    // huge source rectangle on a small bitmap take minutes per destination pixel.
    const int ya = int(std::max<int64_t>(int64_t(sy_) + y0 - vy_, 0)),
              yb = int(std::min<int64_t>(int64_t(sy_) + y1 - vy_, view_->height));
    const int xa = int(std::max<int64_t>(int64_t(sx_) + x0 - vx_, 0)),
              xb = int(std::min<int64_t>(int64_t(sx_) + x1 - vx_, view_->width));
    for (int y = ya; y < yb; ++y) {
      for (int x = xa; x < xb; ++x) {
        const uint32_t raw = GetRaw(*view_, x, y);
        ++n;
        if (mode_ == HALFTONE) {
          const COLORREF c = RawToColor(dst_, convert_(raw));
          r += GetRValue(c), g += GetGValue(c), b += GetBValue(c);
        } else if (mode_ == BLACKONWHITE) {
          acc &= raw;
        } else {
          acc |= raw;
        }
      }
    }
    if (n == 0) return false;
    if (mode_ == HALFTONE)
      out = ColorToRaw(dst_, RGB(BYTE((r + n / 2) / n), BYTE((g + n / 2) / n), BYTE((b + n / 2) / n)));
    else
      out = convert_(acc);
    return true;
  }

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < view_->width && y < view_->height; }
  static void Span(int i, int dstLen, int srcLen, bool flip, int& first, int& last) {
    if (srcLen <= dstLen) {
      first = NearestOffset(i, dstLen, srcLen, flip);
      last = first + 1;
      return;
    }
    CoveredSpan(i, dstLen, srcLen, first, last);
    if (flip) {
      const int f = srcLen - last;
      last = srcLen - first;
      first = f;
    }
  }

  const BitmapObj* view_;
  std::unique_ptr<BitmapObj> clone_;
  int vx_ = 0, vy_ = 0;
  int sx_, sy_, sw_, sh_;
  bool flipX_, flipY_;
  int w_, h_;
  PixelConverter convert_;
  const BitmapObj& dst_;
  int mode_;
  bool combine_ = false;
};

// `code` (an operation without pattern) of each source word with the destination word.
void ApplyRopToRow(uint8_t code, const uint32_t* src, uint32_t* dst, size_t n) {
  switch (code) {
    case 0x88:
      for (size_t i = 0; i < n; ++i) dst[i] &= src[i];
      return;
    case 0xEE:
      for (size_t i = 0; i < n; ++i) dst[i] |= src[i];
      return;
    case 0x66:
      for (size_t i = 0; i < n; ++i) dst[i] ^= src[i];
      return;
    case 0xCC:
      std::memcpy(dst, src, n * sizeof(uint32_t));
      return;
    default:
      for (size_t i = 0; i < n; ++i) dst[i] = Rop3(code, 0, src[i], dst[i]);
  }
}

}  // namespace

bool RunBlit(DCObj& dc, BitmapObj& dst, int x, int y, int w, int h, const BlitSource* src, DWORD rop) {
  const uint8_t code = uint8_t((rop >> 16) & 0xFF);
  const bool usesSrc = RopUsesSource(code);
  const bool usesPat = RopUsesPattern(code);
  if (usesSrc && (!src || !src->bmp)) return false;

  // Filled only when the operation reads the pattern (clearing it cost small blits a tenth of
  // their time).
  uint32_t pattern[64];
  if (usesPat) {
    const BrushObj* brush = FindBrush(dc.state.brush);
    COLORREF colors[64];
    bool transparent[64];
    if (!brush || !BrushPattern(dc, *brush, colors, transparent)) return true;  // null brush
    for (int i = 0; i < 64; ++i) pattern[i] = ColorToRaw(dst, colors[i]);
  }

  if (ExtentTooLarge(w) || ExtentTooLarge(h)) return false;
  bool flipX = Normalise(x, w), flipY = Normalise(y, h);
  if (w == 0 || h == 0) return true;
  FlushPaintingThrough(dc, dst);
  const POINT tl = LogicalToSurface(dc, x, y);
  const RECT dr{tl.x, tl.y, tl.x + w, tl.y + h};
  const std::vector<RECT> rects = PaintableRects(dc, dr);
  if (rects.empty()) return true;

  std::unique_ptr<SourceSampler> sampler;
  if (usesSrc) {
    int sx = src->x, sy = src->y, sw = src->w, sh = src->h;
    if (ExtentTooLarge(sw) || ExtentTooLarge(sh)) return false;
    flipX ^= Normalise(sx, sw);
    flipY ^= Normalise(sy, sh);
    if (sw == 0 || sh == 0) return true;
    FlushPainting(*src->bmp);
    sampler = std::make_unique<SourceSampler>(*src->bmp, sx, sy, sw, sh, flipX, flipY, w, h, dst, src->rules,
                                              dc.state.stretchBltMode);
    if (!sampler->View()) return true;  // nothing of the source lies inside its bitmap
  }

  // Straight copies move whole rows: of one format as bytes, between direct-colour formats
  // through a row converter. Source pixels outside the source bitmap are skipped, as below.
  const bool straight = code == 0xCC && sampler->Unscaled();
  const RowCopier copyRow = straight ? DirectRowCopier(*sampler->View(), dst) : nullptr;
  if (straight && (copyRow || (sampler->Identity() && dst.bpp >= 8))) {
    const BitmapObj& view = *sampler->View();
    const size_t bytes = size_t(dst.bpp / 8), srcBytes = size_t(view.bpp / 8);
    for (const RECT& r : rects) {
      const int i0 = std::max<int>(r.left - dr.left, -sampler->ViewX(0));
      const int i1 = std::min<int>(r.right - dr.left, view.width - sampler->ViewX(0));
      if (i1 <= i0) continue;
      for (int yy = r.top; yy < r.bottom; ++yy) {
        const int vy = sampler->ViewY(yy - dr.top);
        if (vy < 0 || vy >= view.height) continue;
        uint8_t* to = dst.bits.data() + size_t(yy) * size_t(dst.stride) + size_t(dr.left + i0) * bytes;
        const uint8_t* from =
            view.bits.data() + size_t(vy) * size_t(view.stride) + size_t(sampler->ViewX(i0)) * srcBytes;
        if (copyRow)
          copyRow(from, to, size_t(i1 - i0));
        else
          std::memmove(to, from, size_t(i1 - i0) * bytes);
      }
    }
    return true;
  }

  // Unscaled, without pattern, onto 32 or 24 bpp: each source row is read once, converted, and
  // the operation runs over whole rows (an image list's mask and cut take this way, also onto the
  // 24-bit work bitmaps of the image effects).
  if (sampler && !usesPat && (dst.bpp == 32 || dst.bpp == 24) && sampler->Unscaled()) {
    const BitmapObj& view = *sampler->View();
    std::vector<uint32_t> srcRow, dstRow;
    for (const RECT& r : rects) {
      const int i0 = std::max<int>(r.left - dr.left, -sampler->ViewX(0));
      const int i1 = std::min<int>(r.right - dr.left, view.width - sampler->ViewX(0));
      if (i1 <= i0) continue;
      srcRow.resize(size_t(i1 - i0));
      for (int yy = r.top; yy < r.bottom; ++yy) {
        const int vy = sampler->ViewY(yy - dr.top);
        if (vy < 0 || vy >= view.height) continue;
        sampler->ReadRow(i0, i1, vy, srcRow.data());
        uint8_t* rowStart = dst.bits.data() + size_t(yy) * size_t(dst.stride);
        if (dst.bpp == 32) {
          ApplyRopToRow(code, srcRow.data(), reinterpret_cast<uint32_t*>(rowStart) + dr.left + i0, size_t(i1 - i0));
        } else {
          dstRow.resize(srcRow.size());
          uint8_t* to = rowStart + size_t(dr.left + i0) * 3;
          uint8_t* words = reinterpret_cast<uint8_t*>(dstRow.data());
          Copy24To32(to, words, dstRow.size());
          ApplyRopToRow(code, srcRow.data(), dstRow.data(), dstRow.size());
          Copy32To24(words, to, dstRow.size());
        }
      }
    }
    return true;
  }

  const uint32_t mask = RawMask(dst);
  const POINT brushOrg = SurfaceBrushPhase(dc);
  for (const RECT& r : rects) {
    for (int yy = r.top; yy < r.bottom; ++yy) {
      const int patRow = ((yy - brushOrg.y) & 7) * 8;
      // 32 bpp rows are worked on as words; other depths through the raw accessors.
      uint32_t* row32 = dst.bpp == 32
                            ? reinterpret_cast<uint32_t*>(dst.bits.data() + size_t(yy) * size_t(dst.stride))
                            : nullptr;
      for (int xx = r.left; xx < r.right; ++xx) {
        uint32_t s = 0;
        if (sampler && !sampler->Sample(xx - dr.left, yy - dr.top, s)) continue;
        const uint32_t p = usesPat ? pattern[patRow + ((xx - brushOrg.x) & 7)] : 0;
        if (row32)
          row32[xx] = Rop3(code, p, s, row32[xx]);
        else
          SetRaw(dst, xx, yy, Rop3(code, p, s, GetRaw(dst, xx, yy)) & mask);
      }
    }
  }
  return true;
}

}  // namespace win::gdi

namespace win {

using namespace win::gdi;

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, DWORD rop) {
  DrawTarget dst = ResolveTarget(hdcDest);
  if (dst.dc && dst.dc->recorder)
    return dst.dc->recorder->Blt(RECT{xDest, yDest, xDest + wDest, yDest + hDest}, hdcSrc, POINT{xSrc, ySrc},
                                 SIZE{wSrc, hSrc}, rop);
  if (!dst) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const uint8_t code = uint8_t((rop >> 16) & 0xFF);
  if (!RopUsesSource(code)) return RunBlit(*dst.dc, *dst.bmp, xDest, yDest, wDest, hDest, nullptr, rop);
  DrawTarget src = ResolveTarget(hdcSrc);
  // A recording DC has no pixels of its own: what it has recorded so far is read instead.
  RecordedPixels recorded;
  if (src.dc && src.dc->recorder && recorded.Take(*src.dc)) {
    const SurfaceShift shift = LogicalShift(src.dc->state);
    xSrc = SaturateCoord(xSrc + shift.x);
    ySrc = SaturateCoord(ySrc + shift.y);
    src = ResolveTarget(recorded.dc());
  }
  if (!src) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const MonoRules rules{dst.dc->state.textColor, dst.dc->state.bkColor, src.dc->state.bkColor};
  const POINT s = LogicalToSurface(*src.dc, xSrc, ySrc);
  const BlitSource source{src.bmp, int(s.x), int(s.y), wSrc, hSrc, &rules};
  return RunBlit(*dst.dc, *dst.bmp, xDest, yDest, wDest, hDest, &source, rop) ? TRUE : FALSE;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  DrawTarget dst = ResolveTarget(hdc);
  if (dst.dc && dst.dc->recorder) return dst.dc->recorder->Blt(RECT{x, y, x + w, y + h}, nullptr, POINT{}, SIZE{}, rop);
  if (!dst || RopUsesSource(uint8_t((rop >> 16) & 0xFF))) {
    SetLastError(dst ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return RunBlit(*dst.dc, *dst.bmp, x, y, w, h, nullptr, rop) ? TRUE : FALSE;
}

int SetStretchBltMode(HDC hdc, int mode) {
  DCObj* dc = FindDC(hdc);
  if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  if (dc->recorder) dc->recorder->SetValue(EMR_SETSTRETCHBLTMODE, DWORD(mode));
  const int old = dc->state.stretchBltMode;
  dc->state.stretchBltMode = mode;
  return old;
}

int GetStretchBltMode(HDC hdc) {
  const DCObj* dc = FindDC(hdc);
  return dc ? dc->state.stretchBltMode : 0;
}

}  // namespace win
