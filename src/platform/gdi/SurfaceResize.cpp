// A window surface changing size. Its rows are laid out with a stride that may be wider than its
// width and a buffer that may hold more rows than it shows, both grown geometrically, so a
// window resized back and forth neither moves rows nor allocates; only the parts it gains are
// cleared. A surface left far smaller than its buffer gives the memory back.

#include <algorithm>
#include <cstring>
#include <new>

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

// A buffer of `stride` x `rows` capacity holding the top-left part both layouts share; the rest
// of the rows it shows (`height`) is black.
bool Relayout(BitmapObj& bmp, size_t stride, size_t rows, int width, int height) {
  std::vector<uint8_t> fresh;
  try {
    fresh.reserve(stride * rows);
    fresh.resize(stride * size_t(height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  const size_t keptRows = size_t(std::min(height, bmp.height));
  const size_t keptBytes = size_t(std::min(width, bmp.width)) * kPixelBytes;
  for (size_t y = 0; y < keptRows; ++y)
    std::memcpy(fresh.data() + y * stride, bmp.bits.data() + y * size_t(bmp.stride), keptBytes);
  bmp.bits.swap(fresh);
  bmp.stride = int(stride);
  return true;
}

// Same stride: the kept rows stay where they are; the columns gained are cleared, and so are the
// rows gained (their bytes come value-initialised from the buffer's growth).
void ReshapeInPlace(BitmapObj& bmp, int width, int height) {
  const size_t stride = size_t(bmp.stride);
  if (width > bmp.width) {
    const size_t from = size_t(bmp.width) * kPixelBytes, bytes = size_t(width - bmp.width) * kPixelBytes;
    const size_t keptRows = size_t(std::min(height, bmp.height));
    for (size_t y = 0; y < keptRows; ++y) std::memset(bmp.bits.data() + y * stride + from, 0, bytes);
  }
  bmp.bits.resize(stride * size_t(height));  // within the capacity: never reallocates
}

}  // namespace
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
  const size_t capacity = bmp->bits.capacity(), rowsHeld = capacity / held;
  const size_t needed = rowBytes * size_t(height);
  bool ok = true;
  if (capacity > kAlwaysKeptBytes && needed < capacity / 4) {
    // Far smaller than its buffer: laid out tightly again.
    ok = Relayout(*bmp, rowBytes, size_t(height), width, height);
  } else if (rowBytes > held || size_t(height) > rowsHeld) {
    size_t newStride = rowBytes > held ? Grown(held, rowBytes) : held;
    size_t newRows = size_t(height) > rowsHeld ? Grown(rowsHeld, size_t(height)) : rowsHeld;
    if (newStride > kMaxBitmapBytes / newRows) {  // no room to grow ahead: exactly what is asked
      newStride = rowBytes;
      newRows = size_t(height);
    }
    ok = Relayout(*bmp, newStride, newRows, width, height);
  } else {
    ReshapeInPlace(*bmp, width, height);
  }
  if (!ok) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  bmp->width = width;
  bmp->height = height;
  bmp->paintImage = QImage();  // wraps the old layout: made again on the next paint
  bmp->workCopy = false;
  if (bits) *bits = bmp->bits.data();
  if (stride) *stride = bmp->stride;
  return TRUE;
}

}  // namespace win
