// Region objects: HRGN handles over the pure Region class.

#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiRegions.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/kernel/LastError.h"

namespace win {
using namespace gdi;

namespace {

HRGN AddRegion(Region r) {
  auto obj = std::make_unique<RegionObj>();
  obj->rgn = std::move(r);
  return static_cast<HRGN>(HandleTable::Instance().Add(std::move(obj)));
}

RECT Normalized(int left, int top, int right, int bottom) {
  return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return AddRegion(Region(Normalized(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rc) {
  if (!rc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  return AddRegion(Region::RoundRect(Normalized(left, top, right, bottom), ellipseWidth, ellipseHeight));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
  return AddRegion(Region::Ellipse(Normalized(left, top, right, bottom)));
}

HRGN CreateEllipticRgnIndirect(const RECT* rc) {
  if (!rc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateEllipticRgn(rc->left, rc->top, rc->right, rc->bottom);
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polyCount, int fillMode) {
  if (!points || !counts || polyCount <= 0 || (fillMode != ALTERNATE && fillMode != WINDING)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  for (int i = 0; i < polyCount; ++i)
    if (counts[i] < 2) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  return AddRegion(Region::Polygons(points, counts, polyCount, fillMode));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
  return CreatePolyPolygonRgn(points, &count, 1, fillMode);
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
  RegionObj* d = RegionOrFail(dst);
  RegionObj* ra = d ? RegionOrFail(a) : nullptr;
  if (!ra) return ERROR;
  if (mode == RGN_COPY) {
    d->rgn = ra->rgn;
    return d->rgn.Complexity();
  }
  RegionObj* rb = RegionOrFail(b);
  if (!rb) return ERROR;
  switch (mode) {
    case RGN_AND: d->rgn = ra->rgn.Intersect(rb->rgn); break;
    case RGN_OR: d->rgn = ra->rgn.Union(rb->rgn); break;
    case RGN_XOR: d->rgn = ra->rgn.Xor(rb->rgn); break;
    case RGN_DIFF: d->rgn = ra->rgn.Subtract(rb->rgn); break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return ERROR;
  }
  return d->rgn.Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  RegionObj* r = RegionOrFail(rgn);
  if (!r) return ERROR;
  r->rgn.Offset(dx, dy);
  return r->rgn.Complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  RegionObj* r = RegionOrFail(rgn);
  return r && r->rgn.Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rc) {
  RegionObj* r = RegionOrFail(rgn);
  if (!r || !rc) return FALSE;
  return r->rgn.Intersects(Normalized(rc->left, rc->top, rc->right, rc->bottom)) ? TRUE : FALSE;
}

int GetRgnBox(HRGN rgn, RECT* out) {
  RegionObj* r = RegionOrFail(rgn);
  if (!r || !out) return ERROR;
  *out = r->rgn.Bounds();
  return r->rgn.Complexity();
}

BOOL EqualRgn(HRGN a, HRGN b) {
  RegionObj* ra = RegionOrFail(a);
  RegionObj* rb = ra ? RegionOrFail(b) : nullptr;
  if (!rb) return ERROR;
  return ra->rgn == rb->rgn ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  RegionObj* r = RegionOrFail(rgn);
  if (!r) return FALSE;
  r->rgn = Region(Normalized(left, top, right, bottom));
  return TRUE;
}

DWORD GetRegionData(HRGN rgn, DWORD size, RGNDATA* data) {
  RegionObj* r = RegionOrFail(rgn);
  if (!r) return 0;
  const auto& rects = r->rgn.Rects();
  const DWORD needed = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  if (!data) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  RGNDATAHEADER h;
  h.nCount = DWORD(rects.size());
  h.nRgnSize = DWORD(rects.size() * sizeof(RECT));
  h.rcBound = r->rgn.Bounds();
  std::memcpy(&data->rdh, &h, sizeof h);
  if (!rects.empty()) std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
  return size;
}

}  // namespace win
