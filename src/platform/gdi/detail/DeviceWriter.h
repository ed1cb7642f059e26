#pragma once
// Internal to the drawing layer: exact pixel writing for lines and fills. Cosmetic lines and span
// fills are placed pixel by pixel by GDI's rules (last pixel left out, [left, right) spans), with
// any ROP2 mode and the DC's effective clip; QPainter is left for wide pens, curves and text.

#include <cstdint>

#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi {

// What a fill paints: one colour, or an 8x8 pattern anchored at a surface pixel.
struct PaintSource {
  bool pattern = false;
  COLORREF color = 0;
  COLORREF colors[64] = {};
  bool transparent[64] = {};
  POINT origin{};
};

// A cosmetic pen's pixel pattern: `mask[i % length]` tells whether the i-th pixel of a line is
// "on". Gaps take `gapColor` when `opaqueGaps`, else stay untouched. length 0 = solid.
struct LineStyle {
  COLORREF color = 0;
  const uint8_t* mask = nullptr;
  int length = 0;
  bool opaqueGaps = false;
  COLORREF gapColor = 0;
};

class DeviceWriter {
 public:
  // Binds to the DC's target with its effective clip and ROP2 mode.
  explicit DeviceWriter(DCObj& dc);
  ~DeviceWriter();  // writes a low-depth working copy back into its bitmap
  DeviceWriter(const DeviceWriter&) = delete;
  DeviceWriter& operator=(const DeviceWriter&) = delete;

  bool Valid() const { return bits_ != nullptr; }
  // Logical + offset = surface pixel.
  SurfaceShift Offset() const { return offset_; }
  void SetRop2(int rop2) { rop_ = rop2; }
  const RECT& ClipBox() const { return box_; }  // surface pixels
  bool Visible(int x, int y) const;             // surface pixel inside the clip

  // All in surface pixels.
  void FillRect(const RECT& r, const PaintSource& src);
  void FillRegion(const Region& r, const PaintSource& src);
  void PutPixel(int x, int y, COLORREF color);
  // A line from a to b without b's pixel; `stylePos` counts pixels across the segments of one call.
  void Line(POINT a, POINT b, const LineStyle& style, int64_t& stylePos);

 private:
  uint32_t ToNative(COLORREF c) const;
  void Blend(int x, int y, uint32_t native);
  void SpanClipped(int y, int x0, int x1, const PaintSource& src, const uint32_t* native);

  BitmapObj* bmp_ = nullptr;
  uchar* bits_ = nullptr;
  qsizetype bpl_ = 0;
  int format_ = 0;  // QImage::Format
  SurfaceShift offset_{};
  const Region* clip_ = nullptr;  // surface pixels, already within the target
  RECT box_{};
  bool simpleClip_ = true;
  int rop_ = R2_COPYPEN;
  bool wrote_ = false;
};

}  // namespace win::gdi
