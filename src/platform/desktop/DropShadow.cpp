#include "platform/desktop/DropShadow.h"

#include <algorithm>

#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

namespace win::desktop {

bool CastsDropShadow(HWND topLevel) {
  if (!IsWindow(topLevel) || GetAncestor(topLevel, GA_PARENT) != GetDesktopWindow()) return false;
  if (!IsWindowVisible(topLevel) || IsIconic(topLevel)) return false;
  if (!(GetClassLongPtrW(topLevel, GCL_STYLE) & CS_DROPSHADOW)) return false;
  BOOL on = FALSE;
  return SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &on, 0) && on;
}

uint8_t DropShadowAlpha(int width, int height, int x, int y) {
  const int n = kDropShadowSize;
  if (width <= 0 || height <= 0 || x < 0 || y < 0 || x >= width + n || y >= height + n) return 0;
  if (x < width && y < height) return 0;
  // Past the edge it fades outwards; along the edge it starts n pixels in from the window's
  // corner, fading in over those pixels, as light from the top left would leave it.
  auto fade = [n](int distance) { return std::clamp(n - distance, 0, n); };  // n at the edge … 1
  auto enter = [n](int along) { return std::clamp(along + 1 - n, 0, n); };    // 0 before n, then up to n
  int across = 0, along = 0;
  if (x >= width && y >= height) {  // the corner beyond both edges
    across = fade(x - width) * fade(y - height);
    return uint8_t(kDropShadowAlpha * across / ((n + 1) * (n + 1)));
  }
  if (x >= width) {  // right band
    across = fade(x - width);
    along = enter(y);
  } else {  // bottom band
    across = fade(y - height);
    along = enter(x);
  }
  return uint8_t(kDropShadowAlpha * across * along / ((n + 1) * n));
}

std::vector<uint32_t> DropShadowPicture(int width, int height) {
  const int w = std::max(0, width) + kDropShadowSize, h = std::max(0, height) + kDropShadowSize;
  std::vector<uint32_t> out(size_t(w) * size_t(h), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out[size_t(y) * size_t(w) + size_t(x)] = uint32_t(DropShadowAlpha(width, height, x, y)) << 24;
  return out;
}

}  // namespace win::desktop
