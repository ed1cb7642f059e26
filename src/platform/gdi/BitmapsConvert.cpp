// Format conversion between bitmaps: colour tables, 16-bit masks and the monochrome rules.

#include <algorithm>
#include <cstring>

#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/BlitRows.h"

namespace win::gdi {

bool IsMonochrome(const BitmapObj& bmp) {
  return bmp.bpp == 1 && (!bmp.dibSection || bmp.colorTable == MonochromeTable());
}

PixelConverter::PixelConverter(const BitmapObj& src, const BitmapObj& dst, const MonoRules* rules)
    : src_(src), dst_(dst) {
  const bool monoSrc = rules && IsMonochrome(src);
  const bool monoDst = rules && IsMonochrome(dst);
  if ((monoSrc && monoDst) || (!monoSrc && SameFormat(src, dst))) {
    mode_ = Mode::Identity;
    return;
  }
  if (monoDst) monoWhite_ = RawToColor(src, ColorToRaw(src, rules->srcBkColor));
  if (src.bpp <= 8) {
    mode_ = Mode::Table;
    table_.resize(size_t(1) << src.bpp);
    for (size_t i = 0; i < table_.size(); ++i) {
      if (monoSrc)
        table_[i] = ColorToRaw(dst, i == 0 ? rules->textColor : rules->bkColor);
      else if (monoDst)
        table_[i] = RawToColor(src, uint32_t(i)) == monoWhite_ ? 1 : 0;
      else
        table_[i] = ColorToRaw(dst, RawToColor(src, uint32_t(i)));
    }
    return;
  }
  mode_ = monoDst ? Mode::ToMono : dst.bpp <= 8 ? Mode::ToPalette : Mode::Direct;
}

uint32_t PixelConverter::operator()(uint32_t raw) const {
  switch (mode_) {
    case Mode::Identity:
      return raw;
    case Mode::Table:
      return raw < table_.size() ? table_[raw] : 0;
    case Mode::ToMono:
      return RawToColor(src_, raw) == monoWhite_ ? 1 : 0;
    case Mode::ToPalette: {
      auto it = nearest_.find(raw);
      if (it == nearest_.end()) it = nearest_.emplace(raw, ColorToRaw(dst_, RawToColor(src_, raw))).first;
      return it->second;
    }
    case Mode::Direct:
      break;
  }
  return ColorToRaw(dst_, RawToColor(src_, raw));
}

void PixelConverter::ConvertRow(const BitmapObj& from, int x0, int x1, int y, uint32_t* out) const {
  const uint8_t* row = from.bits.data() + size_t(y) * size_t(from.stride);
  if (mode_ == Mode::Identity && from.bpp == 32) {
    std::memcpy(out, row + size_t(x0) * 4, size_t(x1 - x0) * 4);
    return;
  }
  // 24 and 32 bpp hold the same $00RRGGBB; between them (and from 32 to 32 without the
  // identity) a pixel keeps its three colour bytes.
  const bool direct = mode_ == Mode::Identity || mode_ == Mode::Direct;
  if (direct && from.bpp == 32 && dst_.bpp == 24) {
    for (int x = x0; x < x1; ++x) {
      uint32_t v;
      std::memcpy(&v, row + size_t(x) * 4, 4);
      *out++ = v & 0xFFFFFFu;
    }
    return;
  }
  if (direct && from.bpp == 24 && (dst_.bpp == 24 || dst_.bpp == 32)) {
    Copy24To32(row + size_t(x0) * 3, reinterpret_cast<uint8_t*>(out), size_t(x1 - x0));
    return;
  }
  if (mode_ == Mode::Table && from.bpp == 1) {
    for (int x = x0; x < x1; ++x) *out++ = table_[(row[x >> 3] >> (7 - (x & 7))) & 1];
    return;
  }
  for (int x = x0; x < x1; ++x) *out++ = (*this)(GetRaw(from, x, y));
}

void ConvertBitmap(const BitmapObj& src, BitmapObj& dst) {
  if (src.width != dst.width || src.height != dst.height) return;
  const PixelConverter convert(src, dst);
  if (convert.Identity() && src.stride == dst.stride) {
    std::copy_n(src.bits.begin(), size_t(src.stride) * size_t(src.height), dst.bits.begin());
    return;
  }
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x) SetRaw(dst, x, y, convert(GetRaw(src, x, y)));
}

}  // namespace win::gdi
