// Lines and polylines.

#include <QPolygon>
#include <algorithm>

#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/MetafileRecords.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/Drawing.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/gdi/detail/Pens.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {

const PenObj* StrokingPen(const DCObj& dc) {
  const PenObj* pen = FindPen(dc.state.pen);
  return pen && pen->style != PS_NULL ? pen : nullptr;
}

bool SetPainterRop2(QPainter& p, int rop2) {
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (rop2) {
    case R2_NOP: return false;
    case R2_BLACK: mode = QPainter::RasterOp_ClearDestination; break;
    case R2_NOTMERGEPEN: mode = QPainter::RasterOp_NotSourceAndNotDestination; break;
    case R2_MASKNOTPEN: mode = QPainter::RasterOp_NotSourceAndDestination; break;
    case R2_NOTCOPYPEN: mode = QPainter::RasterOp_NotSource; break;
    case R2_MASKPENNOT: mode = QPainter::RasterOp_SourceAndNotDestination; break;
    case R2_NOT: mode = QPainter::RasterOp_NotDestination; break;
    case R2_XORPEN: mode = QPainter::RasterOp_SourceXorDestination; break;
    case R2_NOTMASKPEN: mode = QPainter::RasterOp_NotSourceOrNotDestination; break;
    case R2_MASKPEN: mode = QPainter::RasterOp_SourceAndDestination; break;
    case R2_NOTXORPEN: mode = QPainter::RasterOp_NotSourceXorDestination; break;
    case R2_MERGENOTPEN: mode = QPainter::RasterOp_NotSourceOrDestination; break;
    case R2_MERGEPENNOT: mode = QPainter::RasterOp_SourceOrNotDestination; break;
    case R2_MERGEPEN: mode = QPainter::RasterOp_SourceOrDestination; break;
    case R2_WHITE: mode = QPainter::RasterOp_SetDestination; break;
    default: break;
  }
  p.setCompositionMode(mode);
  return true;
}

void FinishPainter(DCObj& dc) {
  if (BitmapObj* bmp = FindBitmap(dc.bitmap); bmp && bmp->workCopy) CommitPaintTarget(*bmp);
}

void StrokePath(DCObj& dc, const PenObj& pen, const POINT* points, size_t count, bool close) {
  if (count == 0) return;
  if (IsThinPen(pen)) {
    DeviceWriter w(dc);
    if (!w.Valid()) return;
    std::vector<uint8_t> storage;
    const LineStyle style = ThinPenStyle(dc, pen, storage);
    const SurfaceShift off = w.Offset();
    int64_t stylePos = 0;
    auto dev = [off](const POINT& p) {
      auto clamp = [](int64_t v) { return LONG(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
      return POINT{clamp(int64_t(p.x) + off.x), clamp(int64_t(p.y) + off.y)};
    };
    POINT prev = dev(points[0]);
    for (size_t i = 1; i < count; ++i) {
      const POINT next = dev(points[i]);
      w.Line(prev, next, style, stylePos);
      prev = next;
    }
    if (close && count > 1) w.Line(prev, dev(points[0]), style, stylePos);
    return;
  }
  QPainter* p = PreparePainter(dc);
  if (!p || !SetPainterRop2(*p, dc.state.rop2)) return;
  p->setPen(WidePen(dc, pen));
  p->setBrush(Qt::NoBrush);
  QPolygon poly(int(std::min<size_t>(count, size_t(INT32_MAX))));
  const int cell = pen.pixelCells ? pen.width / 2 : 0;
  for (int i = 0; i < poly.size(); ++i) poly[i] = QPoint(points[i].x + cell, points[i].y + cell);
  if (close) p->drawPolygon(poly);
  else p->drawPolyline(poly);
  FinishPainter(dc);
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

BOOL LineTo(HDC hdc, int x, int y) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  if (dc->recorder) dc->recorder->LineTo(POINT{x, y});
  const POINT pts[2] = {dc->state.curPos, POINT{x, y}};
  if (const PenObj* pen = StrokingPen(*dc)) StrokePath(*dc, *pen, pts, 2, false);
  dc->state.curPos = pts[1];
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  if (!points || count < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (dc->recorder) dc->recorder->Poly(EMR_POLYLINE, points, size_t(count));
  if (const PenObj* pen = StrokingPen(*dc)) StrokePath(*dc, *pen, points, size_t(count), false);
  return TRUE;
}

BOOL PolylineTo(HDC hdc, const POINT* points, DWORD count) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  if (!points || count < 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (dc->recorder) dc->recorder->Poly(EMR_POLYLINETO, points, count);
  if (const PenObj* pen = StrokingPen(*dc)) {
    std::vector<POINT> path;
    path.reserve(size_t(count) + 1);
    path.push_back(dc->state.curPos);
    path.insert(path.end(), points, points + count);
    StrokePath(*dc, *pen, path.data(), path.size(), false);
  }
  dc->state.curPos = points[count - 1];
  return TRUE;
}

BOOL PolyPolyline(HDC hdc, const POINT* points, const DWORD* counts, DWORD polyCount) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  if (!points || !counts || polyCount == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (DWORD i = 0; i < polyCount; ++i)
    if (counts[i] < 2) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  if (dc->recorder) dc->recorder->PolyPoly(EMR_POLYPOLYLINE, points, counts, polyCount);
  const PenObj* pen = StrokingPen(*dc);
  const POINT* p = points;
  for (DWORD i = 0; i < polyCount; ++i) {
    if (pen) StrokePath(*dc, *pen, p, counts[i], false);
    p += counts[i];
  }
  return TRUE;
}

}  // namespace win
