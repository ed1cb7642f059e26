// Device contexts: creation and deletion, the painter kept open on a DC's target, and the clip
// that every drawing call honours.

#include <QRegion>
#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/MetafileStore.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {
namespace {

// Which DC's painter is open on a bitmap: Qt allows one painter per image at a time.
struct PainterOwners {
  std::mutex mutex;
  std::unordered_map<const BitmapObj*, DCObj*> owner;
};
PainterOwners& Owners() {
  static PainterOwners* o = new PainterOwners;
  return *o;
}

// Before a window DC draws or reads, the stale parts of its surface it can reach turn black.
void ClearStaleInReach(BitmapObj& bmp, const DCObj& dc) {
  if (bmp.stale.IsEmpty()) return;
  if (!dc.visible) return ClearStale(bmp, nullptr);
  Region reach = *dc.visible;
  reach.Offset(dc.origin.x, dc.origin.y);
  ClearStale(bmp, &reach);
}

void EndPainter(DCObj& dc) {
  if (dc.painter && dc.painter->isActive()) dc.painter->end();
  dc.painterSerial = 0;
}

// Ends the painter of whichever DC paints on `bmp` (other than `keep`) and records `keep` as the
// new painter owner (or nobody).
void HandOverPainting(const BitmapObj& bmp, DCObj* keep) {
  auto& o = Owners();
  std::lock_guard lock(o.mutex);
  auto it = o.owner.find(&bmp);
  if (it != o.owner.end() && it->second != keep) EndPainter(*it->second);
  if (keep) o.owner[&bmp] = keep;
  else if (it != o.owner.end()) o.owner.erase(it);
}

void ForgetPainter(DCObj& dc) {
  auto& o = Owners();
  std::lock_guard lock(o.mutex);
  std::erase_if(o.owner, [&dc](const auto& kv) { return kv.second == &dc; });
  EndPainter(dc);
}

void AdjustSelection(HGDIOBJ h, int delta) {
  if (!h) return;
  if (Object* o = HandleTable::Instance().Find(h)) o->selectedCount += delta;
}

void InitState(DCState& s) {
  s.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  s.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  s.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  s.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

}  // namespace

DCObj* DCOrFail(HDC hdc) {
  DCObj* dc = FindDC(hdc);
  if (!dc) SetLastError(ERROR_INVALID_HANDLE);
  return dc;
}

Object* ObjectOrFail(HGDIOBJ h) {
  Object* o = HandleTable::Instance().Find(h);
  if (!o) SetLastError(ERROR_INVALID_HANDLE);
  return o;
}

BrushObj* BrushOrFail(HGDIOBJ h) {
  BrushObj* b = FindBrush(h);
  if (!b) SetLastError(ERROR_INVALID_HANDLE);
  return b;
}

RegionObj* RegionOrFail(HGDIOBJ h) {
  RegionObj* r = FindRegion(h);
  if (!r) SetLastError(ERROR_INVALID_HANDLE);
  return r;
}

void RetainState(const DCState& s) {
  AdjustSelection(s.pen, 1);
  AdjustSelection(s.brush, 1);
  AdjustSelection(s.font, 1);
  AdjustSelection(s.palette, 1);
}

void ReleaseState(const DCState& s) {
  AdjustSelection(s.pen, -1);
  AdjustSelection(s.brush, -1);
  AdjustSelection(s.font, -1);
  AdjustSelection(s.palette, -1);
}

RECT DeviceBounds(const DCObj& dc) {
  const BitmapObj* bmp = FindBitmap(dc.bitmap);
  if (!bmp) return RECT{};
  return RECT{-dc.origin.x, -dc.origin.y, bmp->width - dc.origin.x, bmp->height - dc.origin.y};
}

std::optional<Region> DeviceArea(const DCObj& dc) {
  const RECT bounds = DeviceBounds(dc);
  if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return std::nullopt;
  Region area(bounds);
  if (dc.visible) area = area.Intersect(*dc.visible);
  if (dc.state.clip) area = area.Intersect(*dc.state.clip);
  return area;
}

const Region& SurfaceClip(DCObj& dc) {
  if (dc.clipSerial != dc.deviceSerial || !dc.cachedClip) {
    std::optional<Region> area = DeviceArea(dc);
    dc.cachedClip = area ? std::move(*area) : Region();
    dc.cachedClip->Offset(dc.origin.x, dc.origin.y);
    dc.clipSerial = dc.deviceSerial;
  }
  return *dc.cachedClip;
}

std::optional<Region> EffectiveClip(const DCObj& dc) {
  if (!dc.visible && !dc.state.clip) return std::nullopt;
  Region r = dc.visible ? *dc.visible : *dc.state.clip;
  if (dc.visible && dc.state.clip) r = r.Intersect(*dc.state.clip);
  r.Offset(dc.origin.x, dc.origin.y);
  return r;
}

QPainter* PreparePainter(DCObj& dc) {
  BitmapObj* bmp = FindBitmap(dc.bitmap);
  if (!bmp) return nullptr;
  QImage& img = PaintTarget(*bmp);
  if (img.isNull()) return nullptr;
  if (!dc.painter) dc.painter = std::make_unique<QPainter>();
  QPainter& p = *dc.painter;
  if (!p.isActive() || p.device() != &img) {
    EndPainter(dc);
    HandOverPainting(*bmp, &dc);
    if (!p.begin(&img)) return nullptr;
  }
  if (dc.painterSerial != dc.deviceSerial) {
    // The clip is given in surface pixels, so it is set before the logical transform.
    p.resetTransform();
    const auto clip = SurfaceClip(dc).Rects();
    const auto toQt = [](const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); };
    if (clip.size() == 1) {
      p.setClipRect(toQt(clip.front()));  // the usual clip, set without building a QRegion
    } else {
      std::vector<QRect> rects;
      rects.reserve(clip.size());
      for (const RECT& r : clip) rects.push_back(toQt(r));
      QRegion region;
      region.setRects(rects.data(), int(rects.size()));
      p.setClipRegion(region);
    }
    const SurfaceShift off = SurfaceOffset(dc);
    p.setTransform(QTransform::fromTranslate(qreal(off.x), qreal(off.y)));
    p.setRenderHint(QPainter::Antialiasing, false);
    dc.painterSerial = dc.deviceSerial;
  }
  return &p;
}

void FlushPainting(BitmapObj& bmp) {
  HandOverPainting(bmp, nullptr);
  CommitPaintTarget(bmp);
  ClearStale(bmp, nullptr);
}

void FlushPaintingThrough(const DCObj&, BitmapObj& bmp) {
  HandOverPainting(bmp, nullptr);
  CommitPaintTarget(bmp);
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

HDC CreateCompatibleDC(HDC hdc) {
  if (hdc && !DCOrFail(hdc)) return nullptr;
  auto dc = std::make_unique<DCObj>();
  dc->kind = DCKind::Memory;
  dc->bitmap = DefaultDCBitmap();
  InitState(dc->state);
  RetainState(dc->state);
  return static_cast<HDC>(HandleTable::Instance().Add(std::move(dc)));
}

HDC CreateSurfaceDC(HBITMAP surface, POINT origin, const Region* visible) {
  BitmapObj* bmp = FindBitmap(surface);
  if (!bmp) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto dc = std::make_unique<DCObj>();
  dc->kind = DCKind::Window;
  dc->bitmap = surface;
  dc->origin = origin;
  if (visible) dc->visible = *visible;
  ClearStaleInReach(*bmp, *dc);
  InitState(dc->state);
  RetainState(dc->state);
  ++bmp->selectedCount;  // the surface outlives every DC painting on it
  return static_cast<HDC>(HandleTable::Instance().Add(std::move(dc)));
}

void SetSurfaceDCVisible(HDC hdc, const Region* visible) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return;
  if (visible) dc->visible = *visible;
  else dc->visible.reset();
  if (BitmapObj* bmp = FindBitmap(dc->bitmap)) ClearStaleInReach(*bmp, *dc);
  DeviceChanged(*dc);
}

BOOL DeleteDC(HDC hdc) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  if (dc->recorder) DiscardRecording(*dc);
  ForgetPainter(*dc);
  if (BitmapObj* bmp = FindBitmap(dc->bitmap)) {
    CommitPaintTarget(*bmp);
    if (!bmp->stock) --bmp->selectedCount;
    if (bmp->selectedInto == dc) bmp->selectedInto = nullptr;
  }
  ReleaseState(dc->state);
  for (const DCState& s : dc->saved) ReleaseState(s);
  return HandleTable::Instance().Remove(hdc) ? TRUE : FALSE;
}

}  // namespace win
