// The application's clip region of a DC (device units) and the queries on what a DC can paint.

#include <algorithm>

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/MetafileRecords.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"

namespace win {
using namespace gdi;

namespace {

int AreaComplexity(const DCObj& dc) {
  const std::optional<Region> area = DeviceArea(dc);
  return area ? area->Complexity() : NULLREGION;
}

void SetClip(DCObj& dc, std::optional<Region> clip) {
  dc.state.clip = std::move(clip);
  DeviceChanged(dc);
}

// Logical rectangle to device units, corners in any order.
RECT ToDevice(const DCObj& dc, int left, int top, int right, int bottom) {
  const SurfaceShift d = LogicalShift(dc.state);
  return RECT{SaturateCoord(int64_t(std::min(left, right)) + d.x), SaturateCoord(int64_t(std::min(top, bottom)) + d.y),
              SaturateCoord(int64_t(std::max(left, right)) + d.x), SaturateCoord(int64_t(std::max(top, bottom)) + d.y)};
}

// The clip region when none is set: the whole target.
Region CurrentClip(const DCObj& dc) { return dc.state.clip ? *dc.state.clip : Region(DeviceBounds(dc)); }

}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return ERROR;
  if (mode < RGN_AND || mode > RGN_COPY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  if (dc->recorder) dc->recorder->SelectClip(rgn, mode);
  if (!rgn) {
    if (mode != RGN_COPY) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
    }
    SetClip(*dc, std::nullopt);
    return AreaComplexity(*dc);
  }
  RegionObj* r = RegionOrFail(rgn);
  if (!r) return ERROR;
  switch (mode) {
    case RGN_COPY: SetClip(*dc, r->rgn); break;
    case RGN_AND: SetClip(*dc, dc->state.clip ? dc->state.clip->Intersect(r->rgn) : r->rgn); break;
    case RGN_OR: SetClip(*dc, CurrentClip(*dc).Union(r->rgn)); break;
    case RGN_XOR: SetClip(*dc, CurrentClip(*dc).Xor(r->rgn)); break;
    case RGN_DIFF: SetClip(*dc, CurrentClip(*dc).Subtract(r->rgn)); break;
  }
  return AreaComplexity(*dc);
}

int SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return ERROR;
  if (dc->recorder) dc->recorder->ClipRect(EMR_INTERSECTCLIPRECT, RECT{left, top, right, bottom});
  const Region rect(ToDevice(*dc, left, top, right, bottom));
  SetClip(*dc, dc->state.clip ? dc->state.clip->Intersect(rect) : rect);
  return AreaComplexity(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return ERROR;
  if (dc->recorder) dc->recorder->ClipRect(EMR_EXCLUDECLIPRECT, RECT{left, top, right, bottom});
  SetClip(*dc, CurrentClip(*dc).Subtract(Region(ToDevice(*dc, left, top, right, bottom))));
  return AreaComplexity(*dc);
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return ERROR;
  if (dc->recorder) dc->recorder->OffsetClip(dx, dy);
  if (dc->state.clip) {
    dc->state.clip->Offset(dx, dy);
    DeviceChanged(*dc);
  }
  return AreaComplexity(*dc);
}

int GetClipBox(HDC hdc, RECT* out) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || !out) return ERROR;
  const std::optional<Region> area = DeviceArea(*dc);
  if (!area || area->IsEmpty()) {
    *out = RECT{};
    return NULLREGION;
  }
  RECT b = area->Bounds();
  const SurfaceShift d = LogicalShift(dc->state);
  *out = RECT{SaturateCoord(int64_t(b.left) - d.x), SaturateCoord(int64_t(b.top) - d.y),
              SaturateCoord(int64_t(b.right) - d.x), SaturateCoord(int64_t(b.bottom) - d.y)};
  return area->Complexity();
}

int GetClipRgn(HDC hdc, HRGN out) {
  DCObj* dc = DCOrFail(hdc);
  RegionObj* r = dc ? RegionOrFail(out) : nullptr;
  if (!r) return -1;
  if (!dc->state.clip) return 0;
  r->rgn = *dc->state.clip;
  return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return -1;
  const std::optional<Region> area = DeviceArea(*dc);
  const RECT p = ToDevice(*dc, x, y, x, y);
  return area && area->Contains(p.left, p.top) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* rc) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc || !rc) return FALSE;
  const std::optional<Region> area = DeviceArea(*dc);
  return area && area->Intersects(ToDevice(*dc, rc->left, rc->top, rc->right, rc->bottom)) ? TRUE : FALSE;
}

}  // namespace win
