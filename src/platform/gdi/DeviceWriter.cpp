#include "platform/gdi/detail/DeviceWriter.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/detail/DCAccess.h"

namespace win::gdi {
namespace {

constexpr int kRGB32 = QImage::Format_RGB32, kARGB32 = QImage::Format_ARGB32,
              kARGB32P = QImage::Format_ARGB32_Premultiplied, kBGR888 = QImage::Format_BGR888,
              kRGB16 = QImage::Format_RGB16, kRGB555 = QImage::Format_RGB555;

bool Is32(int f) { return f == kRGB32 || f == kARGB32 || f == kARGB32P; }

// Bits of a native pixel that carry colour, and the bits always set (opaque alpha).
uint32_t ColourMask(int f) {
  if (f == kRGB16) return 0xFFFF;
  if (f == kRGB555) return 0x7FFF;
  return 0xFFFFFF;
}
uint32_t FixedBits(int f) { return Is32(f) ? 0xFF000000u : 0; }

// Binary raster operations on native pixels: bitwise, so they act on every channel alike.
inline uint32_t Rop2(int rop, uint32_t s, uint32_t d) {
  switch (rop) {
    case R2_BLACK: return 0;
    case R2_NOTMERGEPEN: return ~(s | d);
    case R2_MASKNOTPEN: return ~s & d;
    case R2_NOTCOPYPEN: return ~s;
    case R2_MASKPENNOT: return s & ~d;
    case R2_NOT: return ~d;
    case R2_XORPEN: return s ^ d;
    case R2_NOTMASKPEN: return ~(s & d);
    case R2_MASKPEN: return s & d;
    case R2_NOTXORPEN: return ~(s ^ d);
    case R2_NOP: return d;
    case R2_MERGENOTPEN: return ~s | d;
    case R2_MERGEPENNOT: return s | ~d;
    case R2_MERGEPEN: return s | d;
    case R2_WHITE: return ~0u;
    default: return s;  // R2_COPYPEN
  }
}

}  // namespace

DeviceWriter::DeviceWriter(DCObj& dc) : rop_(dc.state.rop2) {
  bmp_ = FindBitmap(dc.bitmap);
  if (!bmp_) return;
  QImage& img = PaintTarget(*bmp_);
  const int f = int(img.format());
  if (img.isNull() || !(Is32(f) || f == kBGR888 || f == kRGB16 || f == kRGB555)) return;
  clip_ = &SurfaceClip(dc);
  if (clip_->IsEmpty()) return;
  // Written through constBits: a non-const access could detach the image from the bitmap's bits.
  bits_ = const_cast<uchar*>(img.constBits());
  bpl_ = img.bytesPerLine();
  format_ = f;
  offset_ = SurfaceOffset(dc);
  box_ = clip_->Bounds();
  simpleClip_ = clip_->Rects().size() == 1;
}

DeviceWriter::~DeviceWriter() {
  if (wrote_ && bmp_ && bmp_->workCopy) CommitPaintTarget(*bmp_);
}

uint32_t DeviceWriter::ToNative(COLORREF c) const {
  const uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  switch (format_) {
    case kRGB16: return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    case kRGB555: return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case kBGR888: return (r << 16) | (g << 8) | b;
    default: return 0xFF000000u | (r << 16) | (g << 8) | b;
  }
}

bool DeviceWriter::Visible(int x, int y) const {
  if (!bits_ || x < box_.left || x >= box_.right || y < box_.top || y >= box_.bottom) return false;
  return simpleClip_ || clip_->Contains(x, y);
}

void DeviceWriter::Blend(int x, int y, uint32_t s) {
  if (rop_ == R2_NOP) return;
  uchar* row = bits_ + qsizetype(y) * bpl_;
  uint32_t d = 0;
  if (rop_ != R2_COPYPEN) {
    switch (format_) {
      case kRGB16:
      case kRGB555: d = reinterpret_cast<const uint16_t*>(row)[x]; break;
      case kBGR888: d = row[3 * x] | (row[3 * x + 1] << 8) | (uint32_t(row[3 * x + 2]) << 16); break;
      default: d = reinterpret_cast<const uint32_t*>(row)[x]; break;
    }
    s = (Rop2(rop_, s, d) & ColourMask(format_)) | FixedBits(format_);
  }
  switch (format_) {
    case kRGB16:
    case kRGB555: reinterpret_cast<uint16_t*>(row)[x] = uint16_t(s); break;
    case kBGR888:
      row[3 * x] = uchar(s);
      row[3 * x + 1] = uchar(s >> 8);
      row[3 * x + 2] = uchar(s >> 16);
      break;
    default: reinterpret_cast<uint32_t*>(row)[x] = s; break;
  }
}

void DeviceWriter::SpanClipped(int y, int x0, int x1, const PaintSource& src, const uint32_t* native) {
  if (x0 >= x1) return;
  wrote_ = true;
  if (!src.pattern) {
    if (rop_ == R2_COPYPEN && Is32(format_)) {
      uint32_t* row = reinterpret_cast<uint32_t*>(bits_ + qsizetype(y) * bpl_);
      std::fill(row + x0, row + x1, native[0]);
      return;
    }
    if (rop_ == R2_COPYPEN && format_ == kBGR888) {
      // One pixel written, then the filled part copied onto the rest, doubling each time.
      uchar* span = bits_ + qsizetype(y) * bpl_ + 3 * qsizetype(x0);
      const size_t bytes = 3 * size_t(x1 - x0);
      span[0] = uchar(native[0]);
      span[1] = uchar(native[0] >> 8);
      span[2] = uchar(native[0] >> 16);
      for (size_t done = 3; done < bytes; done *= 2) std::memcpy(span + done, span, std::min(done, bytes - done));
      return;
    }
    for (int x = x0; x < x1; ++x) Blend(x, y, native[0]);
    return;
  }
  const int rowBase = int((int64_t(y) - src.origin.y) & 7) * 8;
  for (int x = x0; x < x1; ++x) {
    const int i = rowBase + int((int64_t(x) - src.origin.x) & 7);
    if (!src.transparent[i]) Blend(x, y, native[i]);
  }
}

void DeviceWriter::FillRect(const RECT& r, const PaintSource& src) {
  if (!bits_) return;
  if (!simpleClip_) {
    FillRegion(Region(r), src);
    return;
  }
  const RECT c{std::max(r.left, box_.left), std::max(r.top, box_.top), std::min(r.right, box_.right),
               std::min(r.bottom, box_.bottom)};
  if (c.left >= c.right || c.top >= c.bottom) return;
  wrote_ = true;
  if (!src.pattern && rop_ == R2_COPYPEN && Is32(format_)) {
    // The common solid fill: straight row stores.
    const uint32_t v = ToNative(src.color);
    const int w = c.right - c.left;
    uchar* row = bits_ + qsizetype(c.top) * bpl_ + qsizetype(c.left) * 4;
    for (int y = c.top; y < c.bottom; ++y, row += bpl_) {
      uint32_t* p = reinterpret_cast<uint32_t*>(row);
      for (int x = 0; x < w; ++x) p[x] = v;
    }
    return;
  }
  uint32_t native[64];
  const int n = src.pattern ? 64 : 1;
  for (int i = 0; i < n; ++i) native[i] = ToNative(src.pattern ? src.colors[i] : src.color);
  for (int y = c.top; y < c.bottom; ++y) SpanClipped(y, c.left, c.right, src, native);
}

void DeviceWriter::FillRegion(const Region& r, const PaintSource& src) {
  if (!bits_ || r.IsEmpty()) return;
  const Region visible = r.Intersect(*clip_);
  uint32_t native[64];
  const int n = src.pattern ? 64 : 1;
  for (int i = 0; i < n; ++i) native[i] = ToNative(src.pattern ? src.colors[i] : src.color);
  for (const RECT& rc : visible.Rects())
    for (int y = rc.top; y < rc.bottom; ++y) SpanClipped(y, rc.left, rc.right, src, native);
}

void DeviceWriter::PutPixel(int x, int y, COLORREF color) {
  if (!Visible(x, y)) return;
  wrote_ = true;
  Blend(x, y, ToNative(color));
}

void DeviceWriter::Line(POINT a, POINT b, const LineStyle& style, int64_t& stylePos) {
  const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t len = std::max(std::abs(dx), std::abs(dy));  // pixels drawn: the end is left out
  if (len == 0) return;
  const int64_t minor = std::min(std::abs(dx), std::abs(dy));
  const int64_t majStart = xMajor ? a.x : a.y, minStart = xMajor ? a.y : a.x;
  const int majStep = (xMajor ? dx : dy) < 0 ? -1 : 1, minStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  // Minor offset of step i: i * minor / len rounded to nearest, ties towards the start point.
  const int64_t twoLen = 2 * len;
  // 128-bit: i * minor reaches 2^64 for lines across the whole coordinate range.
  auto offsetAt = [&](int64_t i) { return int64_t((__int128(2) * i * minor + len - 1) / twoLen); };
  const int64_t startPos = stylePos;
  stylePos += len;
  if (!bits_) return;

  // Steps whose pixel can land inside the clip box: the major axis bounds them directly, the
  // minor axis through the monotonic offset (binary search), so huge lines cost nothing.
  const int64_t majLo = xMajor ? box_.left : box_.top, majHi = xMajor ? box_.right : box_.bottom;
  const int64_t minLo = xMajor ? box_.top : box_.left, minHi = xMajor ? box_.bottom : box_.right;
  int64_t i0, i1;  // [i0, i1)
  if (majStep > 0) {
    i0 = std::max<int64_t>(0, majLo - majStart);
    i1 = std::min<int64_t>(len, majHi - majStart);
  } else {
    i0 = std::max<int64_t>(0, majStart - (majHi - 1));
    i1 = std::min<int64_t>(len, majStart - majLo + 1);
  }
  if (i0 >= i1) return;
  // Offsets allowed by the minor bounds: [qLo, qHi].
  const int64_t qLo = minStep > 0 ? minLo - minStart : minStart - (minHi - 1);
  const int64_t qHi = minStep > 0 ? minHi - 1 - minStart : minStart - minLo;
  if (qHi < 0 || qLo > offsetAt(len - 1)) return;
  auto firstWithOffsetAtLeast = [&](int64_t q, int64_t lo, int64_t hi) {  // in [lo, hi]
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (offsetAt(mid) >= q) hi = mid;
      else lo = mid + 1;
    }
    return lo;
  };
  i0 = std::max(i0, firstWithOffsetAtLeast(qLo, 0, len));
  i1 = std::min(i1, firstWithOffsetAtLeast(qHi + 1, 0, len));
  if (i0 >= i1) return;

  wrote_ = true;
  const uint32_t ink = ToNative(style.color), gap = ToNative(style.gapColor);
  int64_t q = offsetAt(i0);
  int64_t rem = int64_t(__int128(2) * i0 * minor + len - 1 - __int128(q) * twoLen);
  int64_t maj = majStart + majStep * i0;
  int64_t mnr = minStart + minStep * q;
  const bool fast = style.length == 0 && simpleClip_ && rop_ == R2_COPYPEN && Is32(format_);
  for (int64_t i = i0; i < i1; ++i) {
    const int x = int(xMajor ? maj : mnr), y = int(xMajor ? mnr : maj);
    if (fast) {
      reinterpret_cast<uint32_t*>(bits_ + qsizetype(y) * bpl_)[x] = ink;
    } else if (simpleClip_ || clip_->Contains(x, y)) {
      if (style.length == 0 || style.mask[(startPos + i) % style.length]) Blend(x, y, ink);
      else if (style.opaqueGaps) Blend(x, y, gap);
    }
    maj += majStep;
    rem += 2 * minor;
    if (rem >= twoLen) {
      rem -= twoLen;
      mnr += minStep;
    }
  }
}

}  // namespace win::gdi
