// Rectangle and region fills, and single pixels.

#include <algorithm>

#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/Drawing.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"

namespace win {
using namespace gdi;

namespace {

// A logical rectangle as surface pixels of `w`, corners kept as given (an inverted rect is empty).
RECT ToSurface(const DeviceWriter& w, const RECT& r) {
  auto clamp = [](int64_t v) { return LONG(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  const SurfaceShift o = w.Offset();
  return RECT{clamp(int64_t(r.left) + o.x), clamp(int64_t(r.top) + o.y), clamp(int64_t(r.right) + o.x),
              clamp(int64_t(r.bottom) + o.y)};
}

// The frame of a region: what remains after eroding it by w columns and h rows.
Region Frame(const Region& r, int w, int h) {
  Region inner = r;
  const int shifts[4][2] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
  for (const auto& s : shifts) {
    Region moved = r;
    moved.Offset(s[0], s[1]);
    inner = inner.Intersect(moved);
  }
  return r.Subtract(inner);
}

BOOL FillRegionWith(HDC hdc, HRGN rgn, HBRUSH hbrush, bool selectedBrush, int forcedRop, int frameW = 0, int frameH = 0) {
  DCObj* dc = DCOrFail(hdc);
  RegionObj* r = dc ? RegionOrFail(rgn) : nullptr;
  if (!r) return FALSE;
  if (dc->recorder) dc->recorder->RegionFill(r->rgn, selectedBrush ? nullptr : hbrush, forcedRop == R2_NOT, SIZE{frameW, frameH});
  PaintSource src;
  if (forcedRop == R2_NOT) {
    src.color = 0;
  } else if (selectedBrush) {
    if (!SelectedBrushSource(*dc, src)) return TRUE;
  } else {
    BrushObj* brush = BrushOrFail(hbrush);
    if (!brush) return FALSE;
    if (!BrushSource(*dc, *brush, src)) return TRUE;
  }
  const Region area = frameW > 0 || frameH > 0 ? Frame(r->rgn, frameW, frameH) : r->rgn;
  FillArea(*dc, area, src, forcedRop ? forcedRop : dc->state.rop2);
  return TRUE;
}

// FillRect and FrameRect: a pattern copy of the whole rectangle or of its one-pixel frame.
int PatternCopyRect(HDC hdc, const RECT* rc, HBRUSH hbrush, bool frameOnly) {
  DCObj* dc = DCOrFail(hdc);
  const BrushObj* brush = !dc ? nullptr : frameOnly ? BrushOrFail(hbrush) : FillBrushOrFail(hbrush);
  if (!brush || !rc) return 0;
  if (dc->recorder) dc->recorder->FillRect(*rc, hbrush, brush, frameOnly, PATCOPY);
  PaintSource src;
  if (!BrushSource(*dc, *brush, src)) return 1;
  DeviceWriter w(*dc);
  w.SetRop2(R2_COPYPEN);
  const RECT r = ToSurface(w, *rc);
  if (!frameOnly) {
    w.FillRect(r, src);
  } else if (r.right > r.left && r.bottom > r.top) {
    w.FillRegion(Region(r).Subtract(Region(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1})), src);
  }
  return 1;
}

}  // namespace

int FillRect(HDC hdc, const RECT* rc, HBRUSH brush) { return PatternCopyRect(hdc, rc, brush, false); }
int FrameRect(HDC hdc, const RECT* rc, HBRUSH brush) { return PatternCopyRect(hdc, rc, brush, true); }

BOOL InvertRect(HDC hdc, const RECT* rc) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || !rc) return FALSE;
  if (dc->recorder) dc->recorder->FillRect(*rc, nullptr, nullptr, false, DSTINVERT);
  DeviceWriter w(*dc);
  w.SetRop2(R2_NOT);
  w.FillRect(ToSurface(w, *rc), PaintSource{});
  return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) { return FillRegionWith(hdc, rgn, brush, false, 0); }
BOOL PaintRgn(HDC hdc, HRGN rgn) { return FillRegionWith(hdc, rgn, nullptr, true, 0); }
BOOL InvertRgn(HDC hdc, HRGN rgn) { return FillRegionWith(hdc, rgn, nullptr, false, R2_NOT); }
BOOL FrameRgn(HDC hdc, HRGN rgn, HBRUSH brush, int width, int height) {
  if (width <= 0 || height <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return FillRegionWith(hdc, rgn, brush, false, 0, width, height);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return CLR_INVALID;
  if (dc->recorder) return dc->recorder->SetPixel(POINT{x, y}, color & 0xFFFFFF), color & 0xFFFFFF;
  int sx, sy;
  {
    DeviceWriter w(*dc);
    sx = int(std::clamp<int64_t>(int64_t(x) + w.Offset().x, INT32_MIN, INT32_MAX));
    sy = int(std::clamp<int64_t>(int64_t(y) + w.Offset().y, INT32_MIN, INT32_MAX));
    if (!w.Visible(sx, sy)) return CLR_INVALID;
    w.SetRop2(R2_COPYPEN);
    w.PutPixel(sx, sy, color & 0xFFFFFF);
  }
  BitmapObj* bmp = FindBitmap(dc->bitmap);
  return bmp ? ReadPixel(*bmp, sx, sy) : CLR_INVALID;
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC hdc, int x, int y) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return CLR_INVALID;
  BitmapObj* bmp = FindBitmap(dc->bitmap);
  if (!bmp) return CLR_INVALID;
  const SurfaceShift o = SurfaceOffset(*dc);
  const int64_t sx = int64_t(x) + o.x, sy = int64_t(y) + o.y;
  const Region& clip = SurfaceClip(*dc);
  if (sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX || !clip.Contains(int(sx), int(sy)))
    return CLR_INVALID;
  // A low-depth bitmap is painted through a working copy; its own bits are current only after
  // the copy is written back.
  if (bmp->workCopy) CommitPaintTarget(*bmp);
  return ReadPixel(*bmp, int(sx), int(sy));
}

}  // namespace win
