#include "platform/desktop/ScreenCompositor.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/Region.h"
#include "platform/desktop/DropShadow.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/PaintCore.h"
#include "platform/user/detail/UserCore.h"

namespace win::desktop {
namespace {

uint32_t ToPixel(COLORREF c) { return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c); }
COLORREF FromPixel(uint32_t p) { return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p)); }

uint32_t Blend(uint32_t dst, uint32_t src, unsigned alpha, bool premultiplied) {
  unsigned sa = premultiplied ? ((src >> 24) * alpha + 127) / 255 : alpha;
  auto ch = [&](int shift) {
    unsigned s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    unsigned v = premultiplied ? (s * alpha + 127) / 255 + (d * (255 - sa) + 127) / 255 : (s * sa + d * (255 - sa) + 127) / 255;
    return std::min(v, 255u) << shift;
  };
  return 0xFF000000u | ch(16) | ch(8) | ch(0);
}

}  // namespace

ScreenCompositor::ScreenCompositor(int width, int height) : width_(width), height_(height) {
  BITMAPINFO bmi;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  MarkAllDirty();
}

ScreenCompositor::~ScreenCompositor() {
  if (bitmap_) DeleteObject(bitmap_);
}

void ScreenCompositor::MarkAllDirty() { dirty_.assign(1, RECT{0, 0, width_, height_}); }

void ScreenCompositor::MarkDirty(const RECT& r) {
  if (dirty_.size() >= 256)  // many small changes between looks: compose everything once
    MarkAllDirty();
  else
    dirty_.push_back(r);
}

void ScreenCompositor::MarkWindowDirty(HWND topLevel, const RECT& r) {
  RECT wr;
  if (GetWindowRect(topLevel, &wr))
    MarkDirty(RECT{wr.left + r.left, wr.top + r.top, wr.left + r.right, wr.top + r.bottom});
  else
    MarkAllDirty();
}

HBITMAP ScreenCompositor::Compose() {
  if (!bits_ || dirty_.empty()) return bitmap_;
  // Only what changed is composed again: drawing done through the desktop DC stays elsewhere,
  // as it does on a real screen until the windows below it repaint.
  std::vector<RECT> area = std::move(dirty_);
  dirty_.clear();
  ComposeArea(bits_, area);
  return bitmap_;
}

std::vector<RECT> ScreenCompositor::DrawnOver() {
  std::vector<RECT> runs;
  if (!bits_) return runs;
  Compose();
  scratch_.resize(size_t(width_) * size_t(height_));
  ComposeArea(scratch_.data(), {RECT{0, 0, width_, height_}});
  // Runs of differing pixels per row, banded as regions keep their rectangles.
  for (int y = 0; y < height_; ++y) {
    const uint32_t* a = bits_ + size_t(y) * size_t(width_);
    const uint32_t* b = scratch_.data() + size_t(y) * size_t(width_);
    for (int x = 0; x < width_;) {
      while (x < width_ && ((a[x] ^ b[x]) & 0xFFFFFF) == 0) ++x;
      const int start = x;
      while (x < width_ && ((a[x] ^ b[x]) & 0xFFFFFF) != 0) ++x;
      if (x > start) runs.push_back(RECT{start, y, x, y + 1});
    }
  }
  return runs;
}

void ScreenCompositor::ComposeArea(uint32_t* out, const std::vector<RECT>& rects) const {
  Region area = Region::FromRects(rects).Intersect(Region(RECT{0, 0, width_, height_}));
  uint32_t background = ToPixel(GetSysColor(1 /* COLOR_BACKGROUND */));
  for (const RECT& r : area.Rects())
    for (int y = r.top; y < r.bottom; ++y)
      std::fill(out + size_t(y) * size_t(width_) + size_t(r.left), out + size_t(y) * size_t(width_) + size_t(r.right),
                background);
  std::vector<user::WindowObj*> order(user::Desktop()->children.rbegin(), user::Desktop()->children.rend());
  for (user::WindowObj* w : order) {
    if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) continue;
    int sw = 0, sh = 0, stride = 0;
    const uint32_t* px = user::SurfacePixels(*w, &sw, &sh, &stride);
    if (!px) continue;
    RECT wr = user::ScreenWindowRect(*w);
    bool layered = (w->exStyle & WS_EX_LAYERED) != 0;
    bool perPixel = layered && w->perPixelLayered && (w->layeredFlags & 0x100) && (w->layeredFlags & ULW_ALPHA);
    unsigned alpha = 255;
    bool keyed = false;
    COLORREF key = w->layeredKey;
    if (layered && !w->perPixelLayered) {
      if (w->layeredFlags & LWA_ALPHA) alpha = w->layeredAlpha;
      keyed = (w->layeredFlags & LWA_COLORKEY) != 0;
    } else if (layered) {
      if (w->layeredFlags & ULW_ALPHA) alpha = w->layeredAlpha;
      keyed = (w->layeredFlags & ULW_COLORKEY) != 0;
    }
    if (layered && !w->perPixelLayered && w->layeredFlags == 0) continue;  // layered but never given content
    if (CastsDropShadow(w->hwnd)) ComposeShadow(out, area, RECT{wr.left, wr.top, wr.left + sw, wr.top + sh});
    const Region mine = area.Intersect(Region(RECT{wr.left, wr.top, wr.left + sw, wr.top + sh}));
    for (const RECT& r : mine.Rects())
      for (int sy = r.top; sy < r.bottom; ++sy) {
        int y = sy - wr.top;
        for (int sx = r.left; sx < r.right; ++sx) {
          int x = sx - wr.left;
          if (w->windowRgn && !w->windowRgn->Contains(x, y)) continue;
          uint32_t src = px[size_t(y) * size_t(stride) + size_t(x)];
          if (keyed && FromPixel(src) == key) continue;
          uint32_t& d = out[size_t(sy) * size_t(width_) + size_t(sx)];
          d = (alpha == 255 && !perPixel) ? (src | 0xFF000000u) : Blend(d, src, alpha, perPixel);
        }
      }
  }
}

void ScreenCompositor::ComposeShadow(uint32_t* out, const Region& area, const RECT& window) const {
  const int w = window.right - window.left, h = window.bottom - window.top;
  const Region band = area.Intersect(Region(RECT{window.left, window.top, window.right + kDropShadowSize,
                                                 window.bottom + kDropShadowSize}))
                          .Subtract(Region(window));
  for (const RECT& r : band.Rects())
    for (int sy = r.top; sy < r.bottom; ++sy)
      for (int sx = r.left; sx < r.right; ++sx) {
        unsigned a = DropShadowAlpha(w, h, sx - window.left, sy - window.top);
        if (a == 0) continue;
        uint32_t& d = out[size_t(sy) * size_t(width_) + size_t(sx)];
        d = Blend(d, 0, a, false);
      }
}

void ScreenCompositor::Remember() {
  if (bits_) remembered_.assign(bits_, bits_ + size_t(width_) * size_t(height_));
}

bool ScreenCompositor::ChangedSinceRemembered() const {
  const size_t n = size_t(width_) * size_t(height_);
  return !bits_ || remembered_.size() != n || !std::equal(remembered_.begin(), remembered_.end(), bits_);
}

COLORREF ScreenCompositor::Pixel(int x, int y) {
  Compose();
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return FromPixel(bits_[size_t(y) * size_t(width_) + size_t(x)]);
}

}  // namespace win::desktop
