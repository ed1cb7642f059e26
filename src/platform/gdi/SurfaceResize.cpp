// A window surface changing size. Its rows are laid out with a stride that may be wider than its
// width and a buffer that may hold more rows than it shows, both grown geometrically, so a
// window resized back and forth neither moves rows nor allocates. The parts it gains are not
// cleared at once: they are recorded as stale and made black when a DC that reaches them is made
// or something reads or writes the bitmap directly. A window resized many times before it
// paints (every step of a frame drag, every step of a toolbar arrangement) then clears only what
// its painting reaches. A surface left far smaller than its buffer gives the memory back.

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {
namespace {

constexpr size_t kPixelBytes = 4;
// Buffers up to this size are kept whatever the surface shrinks to.
constexpr size_t kAlwaysKeptBytes = size_t(256) << 10;

// Half again what is held, at least what is asked for.
size_t Grown(size_t held, size_t asked) { return std::max(asked, held + held / 2); }

// A zeroed buffer of `stride` x `rows` holding the top-left part both layouts share.
bool Relayout(BitmapObj& bmp, size_t stride, size_t rows, int width, int height) {
  PixelBuffer fresh;
  try {
    fresh.assign(stride * rows, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  const size_t keptRows = size_t(std::min(height, bmp.height));
  const size_t keptBytes = size_t(std::min(width, bmp.width)) * kPixelBytes;
  for (size_t y = 0; y < keptRows; ++y)
    std::memcpy(fresh.data() + y * stride, bmp.bits.data() + y * size_t(bmp.stride), keptBytes);
  bmp.bits = std::move(fresh);
  bmp.stride = int(stride);
  return true;
}

}  // namespace

void ClearStale(BitmapObj& bmp, const Region* area) {
  if (bmp.stale.IsEmpty()) return;
  Region clear = area ? bmp.stale.Intersect(*area) : std::move(bmp.stale);
  if (clear.IsEmpty()) return;
  bmp.stale = area ? bmp.stale.Subtract(clear) : Region();
  const size_t stride = size_t(bmp.stride);
  for (const RECT& r : clear.Rects()) {
    const size_t from = size_t(r.left) * kPixelBytes, bytes = size_t(r.right - r.left) * kPixelBytes;
    for (LONG y = r.top; y < r.bottom; ++y) std::memset(bmp.bits.data() + size_t(y) * stride + from, 0, bytes);
  }
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

BOOL ResizeSurface(HBITMAP surface, int width, int height, void** bits, int* stride) {
  BitmapObj* bmp = FindBitmap(surface);
  if (!bmp || bmp->bpp != 32 || bmp->selectedCount > 0 || bmp->selectedInto || width <= 0 || height <= 0 ||
      size_t(width) * kPixelBytes > kMaxBitmapBytes / size_t(height)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const size_t rowBytes = size_t(width) * kPixelBytes, held = size_t(bmp->stride);
  const size_t bufferBytes = bmp->bits.size(), rowsHeld = bufferBytes / held;
  const size_t needed = rowBytes * size_t(height);
  bool ok = true;
  if (bufferBytes > kAlwaysKeptBytes && needed < bufferBytes / 4) {
    // Far smaller than its buffer: laid out tightly again.
    ok = Relayout(*bmp, rowBytes, size_t(height), width, height);
  } else if (rowBytes > held || size_t(height) > rowsHeld) {
    // Rows start on whole pixels: a stride of half again may not be a multiple of four bytes.
    size_t newStride = rowBytes > held ? (Grown(held, rowBytes) + kPixelBytes - 1) / kPixelBytes * kPixelBytes : held;
    size_t newRows = size_t(height) > rowsHeld ? Grown(rowsHeld, size_t(height)) : rowsHeld;
    if (newStride > kMaxBitmapBytes / newRows) {  // no room to grow ahead: exactly what is asked
      newStride = rowBytes;
      newRows = size_t(height);
    }
    ok = Relayout(*bmp, newStride, newRows, width, height);
  }
  if (!ok) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  // What lies outside the old size holds whatever an earlier, larger picture left there.
  const Region now(RECT{0, 0, width, height});
  const Region gained = now.Subtract(Region(RECT{0, 0, bmp->width, bmp->height}));
  bmp->stale = bmp->stale.Intersect(now).Union(gained);
  bmp->width = width;
  bmp->height = height;
  bmp->paintImage = QImage();  // wraps the old layout: made again on the next paint
  bmp->workCopy = false;
  if (bits) *bits = bmp->bits.data();
  if (stride) *stride = bmp->stride;
  return TRUE;
}

void SettleSurface(HBITMAP surface) {
  if (BitmapObj* bmp = FindBitmap(surface)) ClearStale(*bmp, nullptr);
}

}  // namespace win
