#pragma once
// What the presenter reads of a top-level window beyond the public calls: its surface, how a
// layered window blends, and its window region.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::presenter {

struct SurfaceView {
  const uint32_t* bits = nullptr;  // top-down rows of 0xAARRGGBB
  int width = 0;
  int height = 0;
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

}  // namespace win::presenter

namespace win::presenter {
// The application as a whole gained or lost the desktop's foreground.
void SetApplicationForeground(bool active);
}  // namespace win::presenter
