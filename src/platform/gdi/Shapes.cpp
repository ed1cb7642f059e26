// Closed shapes: rectangles, ellipses, round rectangles, polygons, arcs, pies and chords.
// One-pixel pens are placed exactly from regions; wide pens are stroked through QPainter.

#include <QRect>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/MetafileRecords.h"
#include "platform/gdi/detail/DCAccess.h"
#include "platform/gdi/detail/Drawing.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/gdi/detail/Pens.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {

bool BrushSource(const DCObj& dc, const BrushObj& brush, PaintSource& out) {
  if (brush.style == BS_NULL) return false;
  if (brush.style == BS_SOLID) {
    out.pattern = false;
    out.color = BrushColor(dc, brush);
    return true;
  }
  out.pattern = true;
  out.origin = SurfaceBrushPhase(dc);
  return BrushPattern(dc, brush, out.colors, out.transparent);
}

bool SelectedBrushSource(const DCObj& dc, PaintSource& out) {
  const BrushObj* brush = FindBrush(dc.state.brush);
  return brush && BrushSource(dc, *brush, out);
}

void FillArea(DCObj& dc, const Region& area, const PaintSource& src, int rop2) {
  if (area.IsEmpty()) return;
  DeviceWriter w(dc);
  if (!w.Valid()) return;
  w.SetRop2(rop2);
  Region dev = area;
  OffsetRegion(dev, w.Offset());
  w.FillRegion(dev, src);
}

}  // namespace win::gdi

namespace win {
using namespace gdi;

namespace {

// Coordinates far outside any surface are pinned, so that +-1 arithmetic cannot overflow.
constexpr int kCoordLimit = 1 << 28;
int Pin(int v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }

RECT Bounds(int left, int top, int right, int bottom) {
  return RECT{Pin(std::min(left, right)), Pin(std::min(top, bottom)), Pin(std::max(left, right)),
              Pin(std::max(top, bottom))};
}

RECT Inset(const RECT& r, int d) { return RECT{r.left + d, r.top + d, r.right - d, r.bottom - d}; }

enum class Shape { Rect, Ellipse, RoundRect };

Region ShapeRegion(Shape s, const RECT& r, int ew, int eh) {
  switch (s) {
    case Shape::Ellipse: return Region::Ellipse(r);
    case Shape::RoundRect: return Region::RoundRect(r, ew, eh);
    default: return Region(r);
  }
}

// Points along the ellipse inscribed in b (pixel centres of its outline), counter-clockwise
// from the radial through (xs, ys) to the radial through (xe, ye); the same radial twice means a
// full turn.
std::vector<POINT> ArcPoints(const RECT& b, int xs, int ys, int xe, int ye) {
  const double cx = (b.left + b.right - 1) / 2.0, cy = (b.top + b.bottom - 1) / 2.0;
  const double rx = (b.right - 1 - b.left) / 2.0, ry = (b.bottom - 1 - b.top) / 2.0;
  const double a0 = std::atan2(-(ys - cy), xs - cx);
  double a1 = std::atan2(-(ye - cy), xe - cx);
  constexpr double kTurn = 2 * std::numbers::pi;
  while (a1 <= a0) a1 += kTurn;
  if (a1 - a0 > kTurn) a1 -= kTurn;
  const double perimeter = (rx + ry) * (a1 - a0);
  const int steps = std::clamp(int(perimeter / 2), 4, 4096);
  std::vector<POINT> pts;
  pts.reserve(size_t(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const double a = a0 + (a1 - a0) * i / steps;
    const POINT p{LONG(std::lround(cx + rx * std::cos(a))), LONG(std::lround(cy - ry * std::sin(a)))};
    if (pts.empty() || !(pts.back() == p)) pts.push_back(p);
  }
  return pts;
}

// The outline of a round rectangle as a closed path, clockwise from the left end of the top
// edge: the four corner quarters of a ew x eh ellipse joined by the straight edges.
std::vector<POINT> RoundRectOutline(const RECT& b, int ew, int eh) {
  ew = std::min<int>(ew, b.right - b.left);
  eh = std::min<int>(eh, b.bottom - b.top);
  if (ew < 2 || eh < 2) return {{b.left, b.top}, {b.right - 1, b.top}, {b.right - 1, b.bottom - 1}, {b.left, b.bottom - 1}};
  const RECT corners[4] = {{b.left, b.top, b.left + ew, b.top + eh},
                           {b.left, b.bottom - eh, b.left + ew, b.bottom},
                           {b.right - ew, b.bottom - eh, b.right, b.bottom},
                           {b.right - ew, b.top, b.right, b.top + eh}};
  // Counter-clockwise quarters: top-left from its top to its left, then bottom-left, bottom-right
  // and top-right; the whole is then walked backwards.
  std::vector<POINT> ccw;
  for (int i = 0; i < 4; ++i) {
    const RECT& c = corners[i];
    const int midX = int((int64_t(c.left) + c.right) / 2), midY = int((int64_t(c.top) + c.bottom) / 2);
    const POINT radial[4] = {{midX, c.top}, {c.left, midY}, {midX, c.bottom}, {c.right, midY}};
    const POINT from = radial[i], to = radial[(i + 1) % 4];
    for (const POINT& p : ArcPoints(c, from.x, from.y, to.x, to.y))
      if (ccw.empty() || !(ccw.back() == p)) ccw.push_back(p);
  }
  if (ccw.size() > 1 && ccw.front() == ccw.back()) ccw.pop_back();
  std::vector<POINT> path{ccw.front()};
  path.insert(path.end(), ccw.rbegin(), ccw.rend() - 1);
  return path;
}

// Rectangle, Ellipse and RoundRect: the pen outlines [left, right) x [top, bottom), the brush
// fills the inside; without a pen the fill loses its right column and bottom row.
BOOL DrawShape(HDC hdc, Shape shape, RECT b, int ew, int eh) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  ew = std::abs(ew);
  eh = std::abs(eh);
  if (dc->recorder)
    dc->recorder->Shape(shape == Shape::Rect ? EMR_RECTANGLE : shape == Shape::Ellipse ? EMR_ELLIPSE : EMR_ROUNDRECT,
                        b, SIZE{ew, eh});
  const PenObj* pen = StrokingPen(*dc);
  PaintSource brush;
  const bool hasBrush = SelectedBrushSource(*dc, brush);
  const int rop = dc->state.rop2;
  if (!pen) {
    if (hasBrush) FillArea(*dc, ShapeRegion(shape, RECT{b.left, b.top, b.right - 1, b.bottom - 1}, ew, eh), brush, rop);
    return TRUE;
  }
  if (IsThinPen(*pen)) {
    const Region outer = ShapeRegion(shape, b, ew, eh);
    const Region inner = ShapeRegion(shape, Inset(b, 1), std::max(0, ew - 2), std::max(0, eh - 2));
    if (hasBrush) FillArea(*dc, inner, brush, rop);
    const bool styled = pen->style != PS_SOLID && pen->style != PS_INSIDEFRAME;
    if (styled && b.right - b.left >= 2 && b.bottom - b.top >= 2) {
      // Dashes run along the outline clockwise from the top-left corner (rectangles; round
      // rectangles from where the top edge leaves the corner) or from the rightmost point
      // counter-clockwise (ellipses).
      std::vector<POINT> path;
      if (shape == Shape::Rect) {
        path = {{b.left, b.top}, {b.right - 1, b.top}, {b.right - 1, b.bottom - 1}, {b.left, b.bottom - 1}};
      } else if (shape == Shape::RoundRect) {
        path = RoundRectOutline(b, ew, eh);
      } else {
        path = ArcPoints(b, b.right, (b.top + b.bottom) / 2, b.right, (b.top + b.bottom) / 2);
        if (path.size() > 1 && path.front() == path.back()) path.pop_back();
      }
      StrokePath(*dc, *pen, path.data(), path.size(), true);
      return TRUE;
    }
    PaintSource ink;
    ink.color = PenColor(*dc, *pen);
    FillArea(*dc, outer.Subtract(inner), ink, rop);
    return TRUE;
  }
  // Wide pens: the path runs through the centre of the pen; an inside-frame pen (and a widened
  // one-pixel pen) keeps its outer edge on the bounds.
  const int w = pen->width;
  const bool inside = pen->style == PS_INSIDEFRAME || pen->pixelCells;
  const RECT path = inside ? RECT{b.left + w / 2, b.top + w / 2, b.right - 1 - (w - 1) / 2, b.bottom - 1 - (w - 1) / 2}
                           : RECT{b.left, b.top, b.right - 1, b.bottom - 1};
  if (hasBrush) {
    const RECT fill{path.left + 1, path.top + 1, path.right, path.bottom};
    FillArea(*dc, ShapeRegion(shape, fill, ew, eh), brush, rop);
  }
  QPainter* p = PreparePainter(*dc);
  if (!p || !SetPainterRop2(*p, rop)) return TRUE;
  p->setPen(WidePen(*dc, *pen));
  p->setBrush(Qt::NoBrush);
  const QRect q(path.left, path.top, path.right - path.left, path.bottom - path.top);
  switch (shape) {
    case Shape::Rect: p->drawRect(q); break;
    case Shape::Ellipse: p->drawEllipse(q); break;
    case Shape::RoundRect: p->drawRoundedRect(q, ew / 2.0, eh / 2.0); break;
  }
  FinishPainter(*dc);
  return TRUE;
}

BOOL DrawPolygons(HDC hdc, const POINT* points, const INT* counts, int polyCount) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  if (!points || !counts || polyCount <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (int i = 0; i < polyCount; ++i)
    if (counts[i] < 2) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  if (dc->recorder) dc->recorder->Polygons(points, counts, polyCount);
  PaintSource brush;
  if (SelectedBrushSource(*dc, brush))
    FillArea(*dc, Region::Polygons(points, counts, polyCount, dc->state.polyFillMode), brush, dc->state.rop2);
  if (const PenObj* pen = StrokingPen(*dc)) {
    const POINT* p = points;
    for (int i = 0; i < polyCount; ++i) {
      StrokePath(*dc, *pen, p, size_t(counts[i]), true);
      p += counts[i];
    }
  }
  return TRUE;
}

enum class ArcKind { Arc, Pie, Chord };

BOOL DrawArc(HDC hdc, ArcKind kind, RECT b, int xs, int ys, int xe, int ye, bool moveTo) {
  DCObj* dc = DCOrFail(hdc);
  if (!dc) return FALSE;
  if (dc->recorder)
    dc->recorder->Arc(kind == ArcKind::Pie ? EMR_PIE : kind == ArcKind::Chord ? EMR_CHORD : moveTo ? EMR_ARCTO : EMR_ARC,
                      b, POINT{xs, ys}, POINT{xe, ye});
  if (b.right - b.left < 2 || b.bottom - b.top < 2) return TRUE;
  std::vector<POINT> pts = ArcPoints(b, xs, ys, xe, ye);
  const PenObj* pen = StrokingPen(*dc);
  if (kind == ArcKind::Arc) {
    if (moveTo) pts.insert(pts.begin(), dc->state.curPos);
    if (pen) StrokePath(*dc, *pen, pts.data(), pts.size(), false);
    if (moveTo) dc->state.curPos = pts.back();
    return TRUE;
  }
  if (kind == ArcKind::Pie)
    pts.push_back(POINT{LONG((b.left + b.right - 1) / 2), LONG((b.top + b.bottom - 1) / 2)});
  PaintSource brush;
  const int n = int(pts.size());
  if (SelectedBrushSource(*dc, brush)) FillArea(*dc, Region::Polygons(pts.data(), &n, 1, ALTERNATE), brush, dc->state.rop2);
  if (pen) StrokePath(*dc, *pen, pts.data(), pts.size(), true);
  return TRUE;
}

}  // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  return DrawShape(hdc, Shape::Rect, Bounds(left, top, right, bottom), 0, 0);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return DrawShape(hdc, Shape::Ellipse, Bounds(left, top, right, bottom), 0, 0);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  return DrawShape(hdc, Shape::RoundRect, Bounds(left, top, right, bottom), Pin(ellipseWidth), Pin(ellipseHeight));
}

BOOL Polygon(HDC hdc, const POINT* points, int count) { return DrawPolygons(hdc, points, &count, 1); }

BOOL PolyPolygon(HDC hdc, const POINT* points, const INT* counts, int polyCount) {
  return DrawPolygons(hdc, points, counts, polyCount);
}

BOOL Arc(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return DrawArc(hdc, ArcKind::Arc, Bounds(l, t, r, b), Pin(xs), Pin(ys), Pin(xe), Pin(ye), false);
}

BOOL ArcTo(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return DrawArc(hdc, ArcKind::Arc, Bounds(l, t, r, b), Pin(xs), Pin(ys), Pin(xe), Pin(ye), true);
}

BOOL Pie(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return DrawArc(hdc, ArcKind::Pie, Bounds(l, t, r, b), Pin(xs), Pin(ys), Pin(xe), Pin(ye), false);
}

BOOL Chord(HDC hdc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return DrawArc(hdc, ArcKind::Chord, Bounds(l, t, r, b), Pin(xs), Pin(ys), Pin(xe), Pin(ye), false);
}

}  // namespace win
