// Region algebra on y-x banded rectangle lists. Every operation works band by band: the y axis is
// cut at every band edge of both operands, each slice combines two sorted span lists, and equal
// touching slices are merged again. The result is canonical (maximal bands, merged spans), so two
// regions covering the same pixels have identical rectangle lists.

#include "platform/gdi/Region.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace win {
namespace {

struct Span {
  LONG left, right;
  friend bool operator==(const Span&, const Span&) = default;
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
  // `spans` must be sorted and merged.
  void Add(LONG top, LONG bottom, const Spans& spans) {
    if (spans.empty() || bottom <= top) return;
    if (lastBottom_ == top && spans == lastSpans_) {
      for (size_t i = lastStart_; i < rects_.size(); ++i) rects_[i].bottom = bottom;
    } else {
      lastStart_ = rects_.size();
      for (const Span& s : spans) rects_.push_back(RECT{s.left, top, s.right, bottom});
      lastSpans_ = spans;
    }
    lastBottom_ = bottom;
  }
  std::vector<RECT> Take() { return std::move(rects_); }

 private:
  std::vector<RECT> rects_;
  Spans lastSpans_;
  size_t lastStart_ = 0;
  std::optional<LONG> lastBottom_;
};

struct Band {
  LONG top, bottom;
  Spans spans;
};

std::vector<Band> ToBands(const std::vector<RECT>& rects) {
  std::vector<Band> bands;
  for (const RECT& r : rects) {
    if (bands.empty() || bands.back().top != r.top) bands.push_back(Band{r.top, r.bottom, {}});
    bands.back().spans.push_back(Span{r.left, r.right});
  }
  return bands;
}

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

Spans CombineSpans(const Spans& a, const Spans& b, Op op) {
  Spans out;
  size_t ia = 0, ib = 0;
  // Sweep the x edges of both lists in order; between two edges coverage is constant.
  std::vector<LONG> xs;
  xs.reserve(2 * (a.size() + b.size()));
  for (const Span& s : a) xs.insert(xs.end(), {s.left, s.right});
  for (const Span& s : b) xs.insert(xs.end(), {s.left, s.right});
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  for (size_t k = 0; k + 1 < xs.size(); ++k) {
    const LONG x0 = xs[k], x1 = xs[k + 1];
    while (ia < a.size() && a[ia].right <= x0) ++ia;
    while (ib < b.size() && b[ib].right <= x0) ++ib;
    const bool inA = ia < a.size() && a[ia].left <= x0;
    const bool inB = ib < b.size() && b[ib].left <= x0;
    if (!Apply(op, inA, inB)) continue;
    if (!out.empty() && out.back().right == x0) {
      out.back().right = x1;
    } else {
      out.push_back(Span{x0, x1});
    }
  }
  return out;
}

std::vector<RECT> Combine(const std::vector<RECT>& ra, const std::vector<RECT>& rb, Op op) {
  const std::vector<Band> a = ToBands(ra), b = ToBands(rb);
  std::vector<LONG> ys;
  ys.reserve(2 * (a.size() + b.size()));
  for (const Band& band : a) ys.insert(ys.end(), {band.top, band.bottom});
  for (const Band& band : b) ys.insert(ys.end(), {band.top, band.bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  static const Spans kNone;
  BandBuilder builder;
  size_t ia = 0, ib = 0;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    const LONG y0 = ys[k], y1 = ys[k + 1];
    while (ia < a.size() && a[ia].bottom <= y0) ++ia;
    while (ib < b.size() && b[ib].bottom <= y0) ++ib;
    const Spans& sa = (ia < a.size() && a[ia].top <= y0) ? a[ia].spans : kNone;
    const Spans& sb = (ib < b.size() && b[ib].top <= y0) ? b[ib].spans : kNone;
    if (sa.empty() && sb.empty()) continue;
    builder.Add(y0, y1, CombineSpans(sa, sb, op));
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
  if (!IsEmptyRect(r)) rects_.push_back(r);
}

Region Region::FromRects(const std::vector<RECT>& input) {
  std::vector<RECT> rects;
  rects.reserve(input.size());
  for (const RECT& r : input)
    if (!IsEmptyRect(r)) rects.push_back(r);
  Region out;
  if (rects.size() <= 1) {
    out.rects_ = std::move(rects);
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
  out.rects_ = builder.Take();
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
  out.rects_ = builder.Take();
  return out;
}

Region Region::Ellipse(const RECT& b) {
  return RoundRect(b, int(std::min<int64_t>(int64_t(b.right) - b.left, INT32_MAX)),
                   int(std::min<int64_t>(int64_t(b.bottom) - b.top, INT32_MAX)));
}

Region Region::Polygons(const POINT* points, const int* counts, int count, int fillMode) {
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
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
      if (a.y < c.y) edges.push_back(Edge{double(a.x), double(a.y), double(c.x), double(c.y), 1});
      else edges.push_back(Edge{double(c.x), double(c.y), double(a.x), double(a.y), -1});
    }
    p += n;
  }
  Region out;
  if (edges.empty()) return out;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  const auto [rowTop, rowBottom] = ShapeRows(minY, maxY);
  BandBuilder builder;
  std::vector<const Edge*> active;
  std::vector<std::pair<double, int>> crossings;
  Spans spans;
  size_t next = 0;
  for (LONG y = rowTop; y < rowBottom; ++y) {
    const double cy = y + 0.5;
    while (next < edges.size() && edges[next].y0 <= cy) active.push_back(&edges[next++]);
    std::erase_if(active, [cy](const Edge* e) { return e->y1 <= cy; });
    crossings.clear();
    for (const Edge* e : active) {
      if (e->y0 > cy) continue;
      crossings.emplace_back(e->x0 + (cy - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0), e->dir);
    }
    std::sort(crossings.begin(), crossings.end());
    spans.clear();
    int winding = 0;
    for (size_t k = 0; k + 1 < crossings.size(); ++k) {
      winding += (fillMode == 2) ? crossings[k].second : 1;
      const bool inside = (fillMode == 2) ? winding != 0 : (winding & 1) != 0;
      if (inside) spans.push_back(CentreSpan(crossings[k].first, crossings[k + 1].first));
    }
    NormalizeSpans(spans);
    builder.Add(y, y + 1, spans);
  }
  out.rects_ = builder.Take();
  return out;
}

RECT Region::Bounds() const {
  if (rects_.empty()) return RECT{};
  RECT b{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.right = std::max(b.right, r.right);
  }
  return b;
}

bool Region::Contains(int x, int y) const {
  auto it = std::partition_point(rects_.begin(), rects_.end(), [y](const RECT& r) { return r.bottom <= y; });
  for (; it != rects_.end() && it->top <= y; ++it) {
    if (x < it->left) return false;
    if (x < it->right) return true;
  }
  return false;
}

bool Region::Intersects(const RECT& q) const {
  if (IsEmptyRect(q)) return false;
  auto it = std::partition_point(rects_.begin(), rects_.end(), [&q](const RECT& r) { return r.bottom <= q.top; });
  for (; it != rects_.end() && it->top < q.bottom; ++it)
    if (it->left < q.right && q.left < it->right) return true;
  return false;
}

int Region::Complexity() const {
  if (rects_.empty()) return 1;       // NULLREGION
  return rects_.size() == 1 ? 2 : 3;  // SIMPLEREGION : COMPLEXREGION
}

Region Region::Union(const Region& o) const {
  if (o.IsEmpty()) return *this;
  if (IsEmpty()) return o;
  // A rectangle taking in the other side is the union (an update region that is already the
  // whole window, invalidated again in part).
  const auto covers = [](const RECT& r, const RECT& b) {
    return r.left <= b.left && r.top <= b.top && r.right >= b.right && r.bottom >= b.bottom;
  };
  if (rects_.size() == 1 && covers(rects_[0], o.Bounds())) return *this;
  if (o.rects_.size() == 1 && covers(o.rects_[0], Bounds())) return o;
  Region out;
  out.rects_ = Combine(rects_, o.rects_, Op::Union);
  return out;
}

Region Region::Intersect(const Region& o) const {
  Region out;
  if (IsEmpty() || o.IsEmpty()) return out;
  if (rects_.size() == 1 && o.rects_.size() == 1) {
    const RECT &a = rects_[0], &b = o.rects_[0];
    return Region(RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                       std::min(a.bottom, b.bottom)});
  }
  out.rects_ = Combine(rects_, o.rects_, Op::Intersect);
  return out;
}

Region Region::Subtract(const Region& o) const {
  if (IsEmpty() || o.IsEmpty()) return *this;
  Region out;
  out.rects_ = Combine(rects_, o.rects_, Op::Subtract);
  return out;
}

Region Region::Xor(const Region& o) const {
  if (o.IsEmpty()) return *this;
  if (IsEmpty()) return o;
  Region out;
  out.rects_ = Combine(rects_, o.rects_, Op::Xor);
  return out;
}

void Region::Offset(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  std::vector<RECT> moved;
  moved.reserve(rects_.size());
  for (const RECT& r : rects_) {
    RECT m{Saturate(int64_t(r.left) + dx), Saturate(int64_t(r.top) + dy), Saturate(int64_t(r.right) + dx),
           Saturate(int64_t(r.bottom) + dy)};
    if (!IsEmptyRect(m)) moved.push_back(m);
  }
  // Saturation can squash bands together; rebuild the canonical form only when it happened.
  if (moved.size() == rects_.size()) {
    bool same = true;
    for (size_t i = 0; i < moved.size() && same; ++i)
      same = (int64_t(moved[i].right) - moved[i].left == int64_t(rects_[i].right) - rects_[i].left) &&
             (int64_t(moved[i].bottom) - moved[i].top == int64_t(rects_[i].bottom) - rects_[i].top);
    if (same) {
      rects_ = std::move(moved);
      return;
    }
  }
  *this = FromRects(moved);
}

}  // namespace win
