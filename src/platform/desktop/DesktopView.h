#pragma once
// What a desktop reads of a top-level window beyond the public calls: its surface, how a
// layered window blends, and its window region; and what it tells the window system about the
// screen.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::desktop {

struct SurfaceView {
  const uint32_t* bits = nullptr;  // top-down rows of 0xAARRGGBB
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels from one row to the next (may exceed the width)
  const uint32_t* Row(int y) const { return bits + size_t(y) * size_t(stride); }
};
// Null bits for a dead handle or a window without a surface.
SurfaceView SurfaceOf(HWND topLevel);

struct LayeredLook {
  bool layered = false;
  bool perPixelAlpha = false;  // the surface holds premultiplied alpha
  double opacity = 1.0;        // constant alpha over the whole window
  bool hasContent = true;      // false: layered but never given attributes or content
  std::optional<COLORREF> colourKey;  // pixels of this colour are holes in the window
};
LayeredLook LayeredLookOf(HWND topLevel);

// The window region as rectangles in window coordinates; none when the window has no region.
std::optional<std::vector<RECT>> WindowShapeOf(HWND topLevel);

// Tells the window system the size of the whole desktop (the bounding box of the monitors).
void SetDesktopRect(const RECT& rect);
// The bitmap GetDC(NULL) measures and draws on, with the desktop's top left at its origin
// (null: the screen has none). The caller keeps it alive while it is set.
void SetDesktopSurface(HBITMAP surface);

}  // namespace win::desktop
