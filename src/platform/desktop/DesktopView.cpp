#include "platform/desktop/DesktopView.h"

#include "platform/user/detail/PaintCore.h"
#include "platform/user/detail/UserCore.h"

namespace win::desktop {

SurfaceView SurfaceOf(HWND topLevel) {
  SurfaceView v;
  user::WindowObj* w = user::FindWindowObj(topLevel);
  if (!w) return v;
  v.bits = user::SurfacePixels(*w, &v.width, &v.height, &v.stride);
  if (!v.bits) v = SurfaceView{};
  return v;
}

LayeredLook LayeredLookOf(HWND topLevel) {
  LayeredLook look;
  user::WindowObj* w = user::FindWindowObj(topLevel);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) return look;
  look.layered = true;
  if (w->perPixelLayered) {
    // UpdateLayeredWindow marks a picture with its own alpha (AC_SRC_ALPHA) by 0x100.
    look.perPixelAlpha = (w->layeredFlags & ULW_ALPHA) && (w->layeredFlags & 0x100);
    if (w->layeredFlags & ULW_ALPHA) look.opacity = w->layeredAlpha / 255.0;
    if (w->layeredFlags & ULW_COLORKEY) look.colourKey = w->layeredKey;
  } else {
    look.hasContent = w->layeredFlags != 0;
    if (w->layeredFlags & LWA_ALPHA) look.opacity = w->layeredAlpha / 255.0;
    if (w->layeredFlags & LWA_COLORKEY) look.colourKey = w->layeredKey;
  }
  return look;
}

std::optional<std::vector<RECT>> WindowShapeOf(HWND topLevel) {
  user::WindowObj* w = user::FindWindowObj(topLevel);
  if (!w || !w->windowRgn) return std::nullopt;
  const auto rects = w->windowRgn->Rects();
  return std::vector<RECT>(rects.begin(), rects.end());
}

void SetDesktopSurface(HBITMAP surface) { user::SetDesktopSurface(surface); }

void SetDesktopRect(const RECT& rect) {
  user::Desktop()->window = rect;
  user::Desktop()->client = rect;
}

}  // namespace win::desktop
