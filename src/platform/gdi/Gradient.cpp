// GradientFill: horizontal and vertical rectangle gradients and Gouraud-shaded triangles. The
// first and last pixels of a rectangle gradient show the vertex colours exactly; 32 bpp targets
// also receive the vertices' alpha.

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {
namespace {

struct Color16 {
  int64_t r, g, b, a;  // 0..0xFF00
};

Color16 VertexColor(const TRIVERTEX& v) {
  return {v.Red, v.Green, v.Blue, v.Alpha};
}

// The 16-bit component `a + (b - a) * num / den` (rounded) as its 8-bit high byte.
BYTE Mix(int64_t a, int64_t b, int64_t num, int64_t den) {
  const int64_t v16 = den > 0 ? a + ((b - a) * num * 2 + (b >= a ? den : -den)) / (2 * den) : a;
  return BYTE(std::clamp<int64_t>(v16 >> 8, 0, 255));
}

// The raw value of a colour; 32 bpp targets keep the alpha too.
uint32_t RawColor(const BitmapObj& bmp, BYTE r, BYTE g, BYTE b, BYTE a) {
  uint32_t raw = ColorToRaw(bmp, RGB(r, g, b));
  if (bmp.bpp == 32) raw |= uint32_t(a) << 24;
  return raw;
}

void FillRectGradient(const DrawTarget& t, const TRIVERTEX& v1, const TRIVERTEX& v2, bool vertical) {
  POINT p1 = LogicalToSurface(*t.dc, v1.x, v1.y), p2 = LogicalToSurface(*t.dc, v2.x, v2.y);
  const RECT area{std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::max(p1.x, p2.x), std::max(p1.y, p2.y)};
  if (area.right <= area.left || area.bottom <= area.top) return;
  // The colour runs from the vertex on the left (top) to the one on the right (bottom).
  const bool firstLeads = vertical ? p1.y <= p2.y : p1.x <= p2.x;
  const Color16 c0 = VertexColor(firstLeads ? v1 : v2), c1 = VertexColor(firstLeads ? v2 : v1);
  const int64_t steps = (vertical ? area.bottom - area.top : area.right - area.left) - 1;
  const std::vector<RECT> rects = PaintableRects(*t.dc, area);
  if (rects.empty()) return;
  // The colour depends on one coordinate only: one raw value per step of the painted range.
  RECT box = rects.front();
  for (const RECT& r : rects)
    box = RECT{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
               std::max(box.bottom, r.bottom)};
  const int64_t first = vertical ? box.top - area.top : box.left - area.left;
  const int64_t last = vertical ? box.bottom - area.top : box.right - area.left;
  std::vector<uint32_t> ramp(size_t(last - first));
  for (int64_t i = first; i < last; ++i)
    ramp[size_t(i - first)] = RawColor(*t.bmp, Mix(c0.r, c1.r, i, steps), Mix(c0.g, c1.g, i, steps),
                                       Mix(c0.b, c1.b, i, steps), Mix(c0.a, c1.a, i, steps));
  for (const RECT& r : rects) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        SetRaw(*t.bmp, x, y, ramp[size_t((vertical ? y - area.top : x - area.left) - first)]);
  }
}

// Pixels are sampled at their integer positions, edges included, so a vertex's own pixel shows
// its colour exactly.
void FillTriangle(const DrawTarget& t, const TRIVERTEX* v[3]) {
  POINT p[3];
  for (int i = 0; i < 3; ++i) p[i] = LogicalToSurface(*t.dc, v[i]->x, v[i]->y);
  const int64_t area2 =
      int64_t(p[1].x - p[0].x) * (p[2].y - p[0].y) - int64_t(p[2].x - p[0].x) * (p[1].y - p[0].y);
  if (area2 == 0) return;
  const RECT box{std::min({p[0].x, p[1].x, p[2].x}), std::min({p[0].y, p[1].y, p[2].y}),
                 std::max({p[0].x, p[1].x, p[2].x}) + 1, std::max({p[0].y, p[1].y, p[2].y}) + 1};
  const Color16 c[3] = {VertexColor(*v[0]), VertexColor(*v[1]), VertexColor(*v[2])};
  auto edge = [](POINT a, POINT b, int x, int y) {
    return int64_t(b.x - a.x) * (y - a.y) - int64_t(b.y - a.y) * (x - a.x);
  };
  const int64_t den = std::abs(area2);
  const int64_t sign = area2 > 0 ? 1 : -1;
  // Weights reach 2^60 for far-away vertices: the weighted sum is taken in floating point.
  auto mix = [&](int64_t w0, int64_t w1, int64_t w2, int64_t Color16::*ch) {
    const double v16 =
        (double(w0) * double(c[0].*ch) + double(w1) * double(c[1].*ch) + double(w2) * double(c[2].*ch)) /
        double(den);
    return BYTE(std::clamp<int64_t>(int64_t(std::lround(v16)) >> 8, 0, 255));
  };
  for (const RECT& r : PaintableRects(*t.dc, box)) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        // Weights of each vertex: the doubled area of the opposite sub-triangle.
        const int64_t w0 = sign * edge(p[1], p[2], x, y);
        const int64_t w1 = sign * edge(p[2], p[0], x, y);
        const int64_t w2 = sign * edge(p[0], p[1], x, y);
        if (w0 < 0 || w1 < 0 || w2 < 0) continue;
        SetRaw(*t.bmp, x, y,
               RawColor(*t.bmp, mix(w0, w1, w2, &Color16::r), mix(w0, w1, w2, &Color16::g),
                        mix(w0, w1, w2, &Color16::b), mix(w0, w1, w2, &Color16::a)));
      }
  }
}

}  // namespace
}  // namespace win::gdi

namespace win {

using namespace win::gdi;

BOOL GradientFill(HDC hdc, const TRIVERTEX* pVertex, ULONG nVertex, const void* pMesh, ULONG nMesh,
                  ULONG ulMode) {
  DrawTarget t = ResolveTarget(hdc);
  if (t.dc && t.dc->recorder) return t.dc->recorder->GradientFill(pVertex, nVertex, pMesh, nMesh, ulMode);
  if (!t) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (ulMode > GRADIENT_FILL_TRIANGLE || (nMesh && (!pMesh || !pVertex))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Every index is checked before anything is painted.
  if (ulMode == GRADIENT_FILL_TRIANGLE) {
    const auto* tri = static_cast<const GRADIENT_TRIANGLE*>(pMesh);
    for (ULONG i = 0; i < nMesh; ++i)
      if (tri[i].Vertex1 >= nVertex || tri[i].Vertex2 >= nVertex || tri[i].Vertex3 >= nVertex) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
      }
  } else {
    const auto* rects = static_cast<const GRADIENT_RECT*>(pMesh);
    for (ULONG i = 0; i < nMesh; ++i)
      if (rects[i].UpperLeft >= nVertex || rects[i].LowerRight >= nVertex) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
      }
  }
  FlushPaintingThrough(*t.dc, *t.bmp);
  if (ulMode == GRADIENT_FILL_TRIANGLE) {
    const auto* tri = static_cast<const GRADIENT_TRIANGLE*>(pMesh);
    for (ULONG i = 0; i < nMesh; ++i) {
      const TRIVERTEX* v[3] = {&pVertex[tri[i].Vertex1], &pVertex[tri[i].Vertex2], &pVertex[tri[i].Vertex3]};
      FillTriangle(t, v);
    }
  } else {
    const auto* rects = static_cast<const GRADIENT_RECT*>(pMesh);
    for (ULONG i = 0; i < nMesh; ++i)
      FillRectGradient(t, pVertex[rects[i].UpperLeft], pVertex[rects[i].LowerRight],
                       ulMode == GRADIENT_FILL_RECT_V);
  }
  return TRUE;
}

}  // namespace win
