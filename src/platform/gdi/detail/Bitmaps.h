#pragma once
// Internal to the drawing layer: making bitmap objects and reading and writing their pixels in
// the bitmap's own ("raw") encoding. A raw value is the palette index for 1/4/8 bpp, the 16-bit
// word for 16 bpp, 0x00RRGGBB for 24 bpp and the whole 32-bit word (top byte included) for 32 bpp.

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi {

// Bytes per DWORD-aligned row; 0 when the width or depth is out of range.
size_t DibStride(int width, int bpp);

// The largest pixel buffer we allocate for one bitmap; larger requests fail cleanly.
inline constexpr size_t kMaxBitmapBytes = size_t(1) << 30;

// A zero-filled bitmap object of the given layout, or null for absurd or unsupported layouts.
// 16 bpp takes 5-5-5 or 5-6-5 masks; 1/4/8 bpp take up to 2^bpp colour table entries (missing
// entries are black).
std::unique_ptr<BitmapObj> MakeBitmapObj(int width, int height, int bpp, bool dibSection,
                                         const std::vector<RGBQUAD>& colorTable = {}, DWORD redMask = 0,
                                         DWORD greenMask = 0, DWORD blueMask = 0);

// A device bitmap in the display's format (32 bpp unless a test lowered the display depth).
std::unique_ptr<BitmapObj> MakeDisplayBitmap(int width, int height);

// The monochrome table: index 0 black, index 1 white.
std::vector<RGBQUAD> MonochromeTable();

// The 1x1 monochrome bitmap every fresh memory DC starts with. A stock object: shared, never
// deleted, and not counted as selected.
HBITMAP DefaultDCBitmap();

// GetObject for bitmaps: BITMAP for every bitmap, DIBSECTION for DIB sections when `cb` allows.
// Returns the byte count written (or needed, when `pv` is null), 0 on a too small buffer.
int GetBitmapObject(const BitmapObj& bmp, int cb, void* pv);

// The bits a raw value of `bmp` may use (colour bits only for 16 bpp).
uint32_t RawMask(const BitmapObj& bmp);
uint32_t GetRaw(const BitmapObj& bmp, int x, int y);
void SetRaw(BitmapObj& bmp, int x, int y, uint32_t raw);
COLORREF RawToColor(const BitmapObj& bmp, uint32_t raw);
// The raw value showing `c`: the nearest colour table entry for 1/4/8 bpp, a packed value
// (top byte 0 for 32 bpp) otherwise.
uint32_t ColorToRaw(const BitmapObj& bmp, COLORREF c);
// The table entry nearest to `c` (squared RGB distance, first entry on ties).
int NearestIndex(const std::vector<RGBQUAD>& table, COLORREF c);

inline bool SameFormat(const BitmapObj& a, const BitmapObj& b) {
  return a.bpp == b.bpp && a.redMask == b.redMask && a.greenMask == b.greenMask && a.blueMask == b.blueMask &&
         (a.bpp > 8 || a.colorTable == b.colorTable);
}

}  // namespace win::gdi

namespace win::gdi {

// The colours the monochrome rules of DC-to-DC transfers take: a monochrome source paints its 0
// bits in the destination DC's text colour and its 1 bits in its background colour; a colour
// source becomes 1 (white) on a monochrome destination where it equals the source DC's background
// colour.
struct MonoRules {
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF srcBkColor = RGB(255, 255, 255);
};

// Monochrome for the rules above: 1 bpp device bitmaps, and 1 bpp DIB sections whose table is
// black and white (others show their own two colours).
bool IsMonochrome(const BitmapObj& bmp);

// Maps raw values of one bitmap's format to another's. Without rules, colours go through the
// colour tables (DIB transfers); with rules, the monochrome rules above apply.
class PixelConverter {
 public:
  PixelConverter(const BitmapObj& src, const BitmapObj& dst, const MonoRules* rules = nullptr);
  uint32_t operator()(uint32_t raw) const;
  // Pixels x0 <= x < x1 of row y of `from` (the source or a copy of it: the same format),
  // converted, into `out`.
  void ConvertRow(const BitmapObj& from, int x0, int x1, int y, uint32_t* out) const;
  bool Identity() const { return mode_ == Mode::Identity; }

 private:
  enum class Mode : uint8_t { Identity, Table, ToMono, ToPalette, Direct };
  Mode mode_ = Mode::Direct;
  const BitmapObj& src_;
  const BitmapObj& dst_;
  std::vector<uint32_t> table_;                             // sources of 1/4/8 bpp: one entry per index
  COLORREF monoWhite_ = 0;                                  // ToMono: the source colour that becomes 1
  mutable std::unordered_map<uint32_t, uint32_t> nearest_;  // ToPalette: nearest entry per colour
};

// Copies the pixels of `src` into `dst` (same size) converting formats through colours.
void ConvertBitmap(const BitmapObj& src, BitmapObj& dst);

}  // namespace win::gdi
