// Window regions, layered windows and scrolling a window's contents.

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/PaintCore.h"

namespace win {

using namespace user;

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return 0;
  RECT oldScreen = ScreenWindowRect(*w);
  if (rgn) {
    auto r = RegionFromHandle(rgn);
    if (!r) return 0;
    w->windowRgn = *r;
    DeleteObject(rgn);  // the window owns the region from now on
  } else {
    w->windowRgn.reset();
  }
  if (redraw) OnWindowGeometryChanged(*w, oldScreen, IsReallyVisible(*w), true, true);
  if (IsTopLevel(*w)) NotifyRepainted(*w, RECT{0, 0, w->window.right - w->window.left, w->window.bottom - w->window.top});
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !rgn || !w->windowRgn) return ERROR;
  HRGN tmp = HandleFromRegion(*w->windowRgn);
  int r = CombineRgn(rgn, tmp, nullptr, RGN_COPY);
  DeleteObject(tmp);
  return r;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) {
    if (w) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  w->layeredKey = key;
  w->layeredAlpha = alpha;
  w->layeredFlags = flags & (LWA_ALPHA | LWA_COLORKEY);
  w->perPixelLayered = false;
  if (IsTopLevel(*w)) NotifyRepainted(*w, RECT{0, 0, w->window.right - w->window.left, w->window.bottom - w->window.top});
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED) || w->perPixelLayered) return FALSE;
  if (key) *key = w->layeredKey;
  if (alpha) *alpha = w->layeredAlpha;
  if (flags) *flags = w->layeredFlags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* pos, const SIZE* size, HDC src, const POINT* srcPos,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return FALSE;
  if (!(w->exStyle & WS_EX_LAYERED) || !IsTopLevel(*w) || (size && (size->cx <= 0 || size->cy <= 0))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (pos || size) {
    RECT r = ScreenWindowRect(*w);
    int x = pos ? pos->x : r.left, y = pos ? pos->y : r.top;
    int cx = size ? size->cx : r.right - r.left, cy = size ? size->cy : r.bottom - r.top;
    SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (!(w = FindWindowObj(hwnd))) return FALSE;
  }
  w->perPixelLayered = true;
  w->layeredKey = key;
  w->layeredAlpha = blend ? blend->SourceConstantAlpha : 255;
  w->layeredFlags = flags & (ULW_ALPHA | ULW_COLORKEY | ULW_OPAQUE);
  if (blend && (blend->AlphaFormat & AC_SRC_ALPHA)) w->layeredFlags |= 0x100;  // per-pixel alpha in the picture
  HBITMAP surface = EnsureSurface(*w);
  int sw = 0, sh = 0, stride = 0;
  auto* dst = const_cast<uint32_t*>(SurfacePixels(*w, &sw, &sh, &stride));
  if (src && dst) {
    // Copy the picture with its alpha bytes straight from the source bitmap.
    HBITMAP srcBmp = static_cast<HBITMAP>(GetCurrentObject(src, OBJ_BITMAP));
    BITMAP bm{};
    if (srcBmp && GetObjectW(srcBmp, sizeof bm, &bm)) {
      BITMAPINFO bi;
      bi.bmiHeader.biWidth = bm.bmWidth;
      bi.bmiHeader.biHeight = -bm.bmHeight;
      bi.bmiHeader.biBitCount = 32;
      std::vector<uint32_t> pixels(size_t(bm.bmWidth) * size_t(bm.bmHeight));
      if (GetDIBits(src, srcBmp, 0, UINT(bm.bmHeight), pixels.data(), &bi, DIB_RGB_COLORS)) {
        POINT sp = srcPos ? *srcPos : POINT{0, 0};
        for (int y = 0; y < sh; ++y)
          for (int x = 0; x < sw; ++x) {
            int sx = x + sp.x, sy = y + sp.y;
            if (sx < 0 || sy < 0 || sx >= bm.bmWidth || sy >= bm.bmHeight) continue;
            dst[size_t(y) * size_t(stride) + size_t(x)] = pixels[size_t(sy) * size_t(bm.bmWidth) + size_t(sx)];
          }
      }
    }
  }
  (void)surface;
  w->update = Region();
  w->erasePending = false;
  w->framePending = false;
  NotifyRepainted(*w, RECT{0, 0, sw, sh});
  return TRUE;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect,
                   UINT flags) {
  WindowObj* w = CheckWindow(hwnd);
  if (!w) return ERROR;
  RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  RECT area = scroll ? *scroll : client;
  RECT limit = clip ? *clip : client;
  Region areaR = Region(area).Intersect(Region(limit)).Intersect(Region(client));
  // Move the pixels that stay visible.
  Region moved = areaR;
  moved.Offset(dx, dy);
  moved = moved.Intersect(areaR);
  HDC hdc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (hdc && !moved.IsEmpty()) {
    RECT b = moved.Bounds();
    HRGN clipRgn = HandleFromRegion(moved);
    SelectClipRgn(hdc, clipRgn);
    DeleteObject(clipRgn);
    BitBlt(hdc, b.left, b.top, b.right - b.left, b.bottom - b.top, hdc, b.left - dx, b.top - dy, SRCCOPY);
  }
  if (hdc) ReleaseDC(hwnd, hdc);
  if (!(w = FindWindowObj(hwnd))) return ERROR;
  // What was pending moves with the pixels.
  POINT co{w->client.left - w->window.left, w->client.top - w->window.top};
  Region areaW = areaR;
  areaW.Offset(co.x, co.y);
  Region pending = w->update.Intersect(areaW);
  if (!pending.IsEmpty()) {
    Region shifted = pending;
    shifted.Offset(dx, dy);
    w->update = w->update.Subtract(pending).Union(shifted.Intersect(areaW));
  }
  Region exposed = areaR.Subtract(moved);
  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> kids;
    for (WindowObj* c : w->children) kids.push_back(c->hwnd);
    for (HWND k : kids) {
      WindowObj* c = FindWindowObj(k);
      if (!c) continue;
      RECT r = c->window;
      RECT inter;
      if (!scroll || IntersectRect(&inter, &r, &area))
        SetWindowPos(k, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (update) {
    HRGN tmp = HandleFromRegion(exposed);
    CombineRgn(update, tmp, nullptr, RGN_COPY);
    DeleteObject(tmp);
  }
  if (updateRect) *updateRect = exposed.IsEmpty() ? RECT{} : exposed.Bounds();
  if (flags & SW_INVALIDATE) {
    HRGN tmp = HandleFromRegion(exposed);
    RedrawWindow(hwnd, nullptr, tmp, RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                                         ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
    DeleteObject(tmp);
  }
  return exposed.Complexity();
}

}  // namespace win
