// Region algebra on y-x banded rectangle lists. Every operation works band by band: the y axis is
// cut at every band edge of both operands, each slice combines two sorted span lists, and equal
// touching slices are merged again. The result is canonical (maximal bands, merged spans), so two
// regions covering the same pixels have identical rectangle lists.

#include "platform/gdi/Region.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace win {
namespace {

struct Span {
  LONG left, right;
};
using Spans = std::vector<Span>;

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Sorts spans and joins the overlapping or touching ones.
void NormalizeSpans(Spans& s) {
  std::sort(s.begin(), s.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
  size_t out = 0;
  for (const Span& sp : s) {
    if (sp.right <= sp.left) continue;
    if (out > 0 && sp.left <= s[out - 1].right) {
      s[out - 1].right = std::max(s[out - 1].right, sp.right);
    } else {
      s[out++] = sp;
    }
  }
  s.resize(out);
}

// Appends y slices in increasing order and produces the canonical rectangle list.
class BandBuilder {
 public:
  explicit BandBuilder(size_t expected = 0) { rects_.reserve(expected); }
  // `spans` must be sorted and merged.
  void Add(LONG top, LONG bottom, const Spans& spans) {
    if (spans.empty() || bottom <= top) return;
    if (!rects_.empty() && lastBottom_ == top && SameAsLastBand(spans)) {
      for (size_t i = lastStart_; i < rects_.size(); ++i) rects_[i].bottom = bottom;
    } else {
      lastStart_ = rects_.size();
      for (const Span& s : spans) rects_.push_back(RECT{s.left, top, s.right, bottom});
    }
    lastBottom_ = bottom;
  }
  std::vector<RECT> Take() { return std::move(rects_); }

 private:
  bool SameAsLastBand(const Spans& spans) const {
    if (rects_.size() - lastStart_ != spans.size()) return false;
    for (size_t i = 0; i < spans.size(); ++i) {
      const RECT& r = rects_[lastStart_ + i];
      if (r.left != spans[i].left || r.right != spans[i].right) return false;
    }
    return true;
  }
  std::vector<RECT> rects_;
  size_t lastStart_ = 0;
  LONG lastBottom_ = 0;  // of the last band, once rects_ holds one
};

enum class Op { Union, Intersect, Subtract, Xor };

bool Apply(Op op, bool a, bool b) {
  switch (op) {
    case Op::Union: return a || b;
    case Op::Intersect: return a && b;
    case Op::Subtract: return a && !b;
    case Op::Xor: return a != b;
  }
  return false;
}

// One band of a rectangle list: the rectangles [begin, end) share its top and bottom, and their
// x spans are sorted, disjoint and not touching.
struct BandOf {
  const RECT* begin;
  const RECT* end;
};

const RECT* BandEnd(const RECT* band, const RECT* last) {
  const RECT* e = band;
  while (e != last && e->top == band->top) ++e;
  return e;
}

// The spans of a slice where band a (or nothing, begin == end) meets band b: both edge lists are
// walked in x order at once, coverage being constant between two edges.
void CombineSpans(BandOf a, BandOf b, Op op, Spans& out) {
  out.clear();
  constexpr LONG kBeyond = std::numeric_limits<LONG>::max();
  bool inA = false, inB = false, inside = false;
  LONG start = 0;
  while (a.begin != a.end || b.begin != b.end) {
    const LONG xa = a.begin != a.end ? (inA ? a.begin->right : a.begin->left) : kBeyond;
    const LONG xb = b.begin != b.end ? (inB ? b.begin->right : b.begin->left) : kBeyond;
    const LONG x = std::min(xa, xb);
    if (xa == x) {
      if (inA) ++a.begin;
      inA = !inA;
    }
    if (xb == x) {
      if (inB) ++b.begin;
      inB = !inB;
    }
    const bool now = Apply(op, inA, inB);
    if (now == inside) continue;
    inside = now;
    // Both lists are canonical (spans apart), so a span ends at an x where coverage truly stops,
    // never at the start of the next one.
    if (now) start = x;
    else out.push_back(Span{start, x});
  }
}

// Both lists non-empty and canonical. The y axis is cut at every band edge of either; each slice
// combines the two bands covering it (or one and nothing).
std::vector<RECT> Combine(std::span<const RECT> ra, std::span<const RECT> rb, Op op) {
  const RECT *a = ra.data(), *aLast = a + ra.size();
  const RECT *b = rb.data(), *bLast = b + rb.size();
  BandBuilder builder(ra.size() + rb.size() + 2);
  thread_local Spans spans;
  LONG y = std::min(a->top, b->top);
  for (;;) {
    while (a != aLast && a->bottom <= y) a = BandEnd(a, aLast);
    while (b != bLast && b->bottom <= y) b = BandEnd(b, bLast);
    if (a == aLast && b == bLast) break;
    const bool inA = a != aLast && a->top <= y;
    const bool inB = b != bLast && b->top <= y;
    LONG next = std::numeric_limits<LONG>::max();
    if (a != aLast) next = std::min(next, inA ? a->bottom : a->top);
    if (b != bLast) next = std::min(next, inB ? b->bottom : b->top);
    if (inA || inB) {
      const BandOf bandA{a, inA ? BandEnd(a, aLast) : a};
      const BandOf bandB{b, inB ? BandEnd(b, bLast) : b};
      CombineSpans(bandA, bandB, op, spans);
      builder.Add(y, next, spans);
    }
    y = next;
  }
  return builder.Take();
}

LONG Saturate(int64_t v) {
  return LONG(std::clamp<int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

// Rows [top, bottom) clipped to the shape row limit.
std::pair<LONG, LONG> ShapeRows(LONG top, LONG bottom) {
  return {std::max<LONG>(top, -Region::kShapeRowLimit), std::min<LONG>(bottom, Region::kShapeRowLimit)};
}

// Pixels whose centre x + 0.5 lies in [xa, xb).
Span CentreSpan(double xa, double xb) {
  constexpr double kMax = double(std::numeric_limits<LONG>::max());
  const double first = std::clamp(std::ceil(xa - 0.5), -kMax, kMax);
  const double end = std::clamp(std::ceil(xb - 0.5), -kMax, kMax);
  return Span{LONG(first), LONG(end)};
}

}  // namespace

Region::Region(const RECT& r) {
  if (IsEmptyRect(r)) return;
  one_ = r;
  hasOne_ = true;
}

void Region::Assign(std::vector<RECT>&& rects) {
  hasOne_ = rects.size() == 1;
  if (hasOne_) {
    one_ = rects.front();
    many_.clear();
  } else {
    many_ = std::move(rects);
  }
}

Region Region::FromRects(const std::vector<RECT>& input) {
  std::vector<RECT> rects;
  rects.reserve(input.size());
  for (const RECT& r : input)
    if (!IsEmptyRect(r)) rects.push_back(r);
  Region out;
  if (rects.size() <= 1) {
    out.Assign(std::move(rects));
    return out;
  }
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
  std::vector<LONG> ys;
  for (const RECT& r : rects) ys.insert(ys.end(), {r.top, r.bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  BandBuilder builder;
  std::vector<const RECT*> active;
  size_t next = 0;
  Spans spans;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    const LONG y0 = ys[k], y1 = ys[k + 1];
    std::erase_if(active, [y0](const RECT* r) { return r->bottom <= y0; });
    while (next < rects.size() && rects[next].top <= y0) active.push_back(&rects[next++]);
    spans.clear();
    for (const RECT* r : active) spans.push_back(Span{r->left, r->right});
    NormalizeSpans(spans);
    builder.Add(y0, y1, spans);
  }
  out.Assign(builder.Take());
  return out;
}

Region Region::RoundRect(const RECT& b, int ellipseWidth, int ellipseHeight) {
  Region out;
  if (IsEmptyRect(b)) return out;
  const double w = double(b.right) - b.left, h = double(b.bottom) - b.top;
  const double rx = std::clamp(double(std::abs(ellipseWidth)), 0.0, w) / 2;
  const double ry = std::clamp(double(std::abs(ellipseHeight)), 0.0, h) / 2;
  const auto [rowTop, rowBottom] = ShapeRows(b.top, b.bottom);
  BandBuilder builder;
  Spans spans(1);
  for (LONG y = rowTop; y < rowBottom; ++y) {
    const double cy = y + 0.5;
    // Vertical distance into a corner ellipse (0 in the straight middle part).
    double dy = 0;
    if (cy < b.top + ry) dy = (b.top + ry) - cy;
    else if (cy > b.bottom - ry) dy = cy - (b.bottom - ry);
    double inset = 0;
    if (dy > 0 && ry > 0) {
      const double t = dy / ry;
      inset = rx - (t >= 1 ? 0 : rx * std::sqrt(1 - t * t));
    }
    spans[0] = CentreSpan(b.left + inset, b.right - inset);
    if (spans[0].right > spans[0].left) builder.Add(y, y + 1, spans);
  }
  out.Assign(builder.Take());
  return out;
}

Region Region::Ellipse(const RECT& b) {
  return RoundRect(b, int(std::min<int64_t>(int64_t(b.right) - b.left, INT32_MAX)),
                   int(std::min<int64_t>(int64_t(b.bottom) - b.top, INT32_MAX)));
}

namespace {

// One non-horizontal polygon edge, stored top to bottom; dir is +1 for an edge the outline walks
// downwards and -1 for one it walks upwards (the winding contribution).
struct PolygonEdge {
  int64_t x0, y0, x1, y1;
  int dir;
};

__extension__ using Wide = __int128;
constexpr int kWindingFill = 2;  // else alternate (even-odd)

// The first whole x at or right of where the edge crosses row y (y0 <= y < y1), exactly: the
// vertices name pixels, as lines do, so the crossing often lands on a pixel itself and rounding
// must not move it.
LONG FirstPixelRightOf(const PolygonEdge& e, int64_t y) {
  const int64_t dy = e.y1 - e.y0, dx = e.x1 - e.x0, t = y - e.y0;
  constexpr int64_t kSmall = int64_t(1) << 31;
  Wide num = (t < kSmall && dx > -kSmall && dx < kSmall) ? Wide(t * dx) : Wide(t) * dx;
  Wide q = num / dy;
  if (q * dy != num && num > 0) ++q;  // division truncates towards zero: that is the ceiling below 0
  return Saturate(int64_t(std::clamp<Wide>(e.x0 + q, INT64_MIN, INT64_MAX)));
}

}  // namespace

Region Region::Polygons(const POINT* points, const int* counts, int count, int fillMode) {
  std::vector<PolygonEdge> edges;
  LONG minY = std::numeric_limits<LONG>::max(), maxY = std::numeric_limits<LONG>::min();
  const POINT* p = points;
  for (int i = 0; i < count; ++i) {
    const int n = counts[i];
    if (n < 0) return Region();
    for (int k = 0; k < n; ++k) {
      const POINT& a = p[k];
      const POINT& c = p[(k + 1) % n];  // every polygon closes itself
      minY = std::min(minY, a.y);
      maxY = std::max(maxY, a.y);
      if (a.y == c.y) continue;
      if (a.y < c.y) edges.push_back(PolygonEdge{a.x, a.y, c.x, c.y, 1});
      else edges.push_back(PolygonEdge{c.x, c.y, a.x, a.y, -1});
    }
    p += n;
  }
  Region out;
  if (edges.empty()) return out;
  std::sort(edges.begin(), edges.end(), [](const PolygonEdge& a, const PolygonEdge& b) { return a.y0 < b.y0; });
  // A pixel is filled when the point of its own coordinates lies inside under the fill mode's
  // rule, so the fill meets the outline a pen draws through the same vertices. A point on the
  // outline is inside where the shape lies right of or below it: an edge covers rows [y0, y1)
  // and a span covers [entry, exit), so shapes that share an edge never share a pixel.
  const auto [rowTop, rowBottom] = ShapeRows(minY, maxY);
  BandBuilder builder;
  std::vector<const PolygonEdge*> active;
  std::vector<std::pair<LONG, int>> crossings;
  Spans spans;
  size_t next = 0;
  for (LONG y = rowTop; y < rowBottom; ++y) {
    while (next < edges.size() && edges[next].y0 <= y) active.push_back(&edges[next++]);
    std::erase_if(active, [y](const PolygonEdge* e) { return e->y1 <= y; });
    crossings.clear();
    // Only the first pixel at or after each crossing matters: two crossings before the same
    // pixel leave no pixel between them, whatever their order.
    for (const PolygonEdge* e : active) crossings.emplace_back(FirstPixelRightOf(*e, y), e->dir);
    std::sort(crossings.begin(), crossings.end());
    spans.clear();
    int winding = 0;
    for (size_t k = 0; k + 1 < crossings.size(); ++k) {
      winding += (fillMode == kWindingFill) ? crossings[k].second : 1;
      const bool inside = (fillMode == kWindingFill) ? winding != 0 : (winding & 1) != 0;
      if (inside) spans.push_back(Span{crossings[k].first, crossings[k + 1].first});
    }
    NormalizeSpans(spans);
    builder.Add(y, y + 1, spans);
  }
  out.Assign(builder.Take());
  return out;
}

RECT Region::Bounds() const {
  const auto rects = Rects();
  if (rects.empty()) return RECT{};
  RECT b{rects.front().left, rects.front().top, rects.front().right, rects.back().bottom};
  for (const RECT& r : rects) {
    b.left = std::min(b.left, r.left);
    b.right = std::max(b.right, r.right);
  }
  return b;
}

bool Region::Contains(int x, int y) const {
  const auto rects = Rects();
  auto it = std::partition_point(rects.begin(), rects.end(), [y](const RECT& r) { return r.bottom <= y; });
  for (; it != rects.end() && it->top <= y; ++it) {
    if (x < it->left) return false;
    if (x < it->right) return true;
  }
  return false;
}

bool Region::Intersects(const RECT& q) const {
  if (IsEmptyRect(q)) return false;
  const auto rects = Rects();
  auto it = std::partition_point(rects.begin(), rects.end(), [&q](const RECT& r) { return r.bottom <= q.top; });
  for (; it != rects.end() && it->top < q.bottom; ++it)
    if (it->left < q.right && q.left < it->right) return true;
  return false;
}

int Region::Complexity() const {
  if (IsEmpty()) return 1;  // NULLREGION
  return hasOne_ ? 2 : 3;  // SIMPLEREGION : COMPLEXREGION
}

Region Region::Union(const Region& o) const {
  if (o.IsEmpty()) return *this;
  if (IsEmpty()) return o;
  // A rectangle taking in the other side is the union (an update region that is already the
  // whole window, invalidated again in part).
  const auto covers = [](const RECT& r, const RECT& b) {
    return r.left <= b.left && r.top <= b.top && r.right >= b.right && r.bottom >= b.bottom;
  };
  if (hasOne_ && covers(one_, o.Bounds())) return *this;
  if (o.hasOne_ && covers(o.one_, Bounds())) return o;
  Region out;
  out.Assign(Combine(Rects(), o.Rects(), Op::Union));
  return out;
}

Region Region::Intersect(const Region& o) const {
  Region out;
  if (IsEmpty() || o.IsEmpty()) return out;
  if (hasOne_ && o.hasOne_) {
    const RECT &a = one_, &b = o.one_;
    return Region(RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                       std::min(a.bottom, b.bottom)});
  }
  out.Assign(Combine(Rects(), o.Rects(), Op::Intersect));
  return out;
}

Region Region::Subtract(const Region& o) const {
  if (IsEmpty() || o.IsEmpty()) return *this;
  Region out;
  out.Assign(Combine(Rects(), o.Rects(), Op::Subtract));
  return out;
}

Region Region::Xor(const Region& o) const {
  if (o.IsEmpty()) return *this;
  if (IsEmpty()) return o;
  Region out;
  out.Assign(Combine(Rects(), o.Rects(), Op::Xor));
  return out;
}

void Region::Offset(int dx, int dy) {
  if ((dx == 0 && dy == 0) || IsEmpty()) return;
  const auto moved = [dx, dy](const RECT& r) {
    return RECT{Saturate(int64_t(r.left) + dx), Saturate(int64_t(r.top) + dy), Saturate(int64_t(r.right) + dx),
                Saturate(int64_t(r.bottom) + dy)};
  };
  const auto keepsSize = [](const RECT& m, const RECT& r) {
    return int64_t(m.right) - m.left == int64_t(r.right) - r.left &&
           int64_t(m.bottom) - m.top == int64_t(r.bottom) - r.top;
  };
  const std::span<RECT> rects = hasOne_ ? std::span<RECT>(&one_, 1) : std::span<RECT>(many_);
  if (std::all_of(rects.begin(), rects.end(), [&](const RECT& r) { return keepsSize(moved(r), r); })) {
    for (RECT& r : rects) r = moved(r);
    return;
  }
  // Saturation squashed some rectangles, and with them perhaps bands: rebuild the canonical form.
  std::vector<RECT> squashed;
  for (const RECT& r : rects)
    if (const RECT m = moved(r); !IsEmptyRect(m)) squashed.push_back(m);
  *this = FromRects(squashed);
}

}  // namespace win
