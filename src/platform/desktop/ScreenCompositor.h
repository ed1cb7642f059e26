#pragma once
// The picture of the whole screen as our windows make it: a 32-bit bitmap that top-level window
// surfaces are composed onto (z-order, layered alpha and colour keys, window regions), again only
// where something changed. GetDC(NULL) measures and draws on it; drawing done there stays until
// the windows below it are composed again, as on a real screen.

#include <cstdint>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {
class Region;
}

namespace win::desktop {

class ScreenCompositor {
 public:
  ScreenCompositor(int width, int height);
  ~ScreenCompositor();
  ScreenCompositor(const ScreenCompositor&) = delete;
  ScreenCompositor& operator=(const ScreenCompositor&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Bitmap() const { return bitmap_; }
  // Rows of 0xAARRGGBB, top down; null when the bitmap could not be made.
  const uint32_t* Bits() const { return bits_; }

  void MarkAllDirty();
  // A screen area whose windows changed.
  void MarkDirty(const RECT& screenRect);
  // A top-level window's surface changed in `dirty` (window coordinates).
  void MarkWindowDirty(HWND topLevel, const RECT& dirty);
  // Composes the dirty areas again and returns the bitmap.
  HBITMAP Compose();
  // Screen rectangles where the bitmap differs from what the windows alone show: what was drawn
  // on the screen over them. The bitmap is composed first where windows changed.
  std::vector<RECT> DrawnOver();
  // Keeps a copy of the bitmap, so that a later look can tell whether anything was drawn since
  // (a DC taken only to measure text draws nothing).
  void Remember();
  bool ChangedSinceRemembered() const;
  COLORREF Pixel(int x, int y);

 private:
  void ComposeArea(uint32_t* out, const std::vector<RECT>& area) const;
  // Darkens the band right and below `window` (screen coordinates) inside `area`.
  void ComposeShadow(uint32_t* out, const Region& area, const RECT& window) const;
  int width_, height_;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  std::vector<RECT> dirty_;
  std::vector<uint32_t> scratch_;  // the windows alone, for DrawnOver
  std::vector<uint32_t> remembered_;
};

}  // namespace win::desktop
