#pragma once
// A region as GDI keeps it: a y-sorted list of bands, each a sorted list of disjoint x spans, so
// every region is a set of non-overlapping rectangles covering [left, right) x [top, bottom).
// Pure value type, no handles: the GDI region objects, clip regions and the window system's
// update and visible regions all use it.

#include <algorithm>
#include <span>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& r);
  static Region FromRects(const std::vector<RECT>& rects);  // union of possibly overlapping rects
  // Shaped regions: a pixel belongs to the shape when its centre lies inside the outline, so the
  // result covers exactly [left, right) x [top, bottom) of the bounding rectangle. Rows beyond
  // +-kShapeRowLimit are left out, so absurd coordinates cannot allocate without bound.
  static constexpr int kShapeRowLimit = 1 << 16;
  static Region Ellipse(const RECT& bounds);
  static Region RoundRect(const RECT& bounds, int ellipseWidth, int ellipseHeight);
  // Polygons given as `count` vertex lists; fillMode is ALTERNATE (1) or WINDING (2). Unlike the
  // shapes above, a vertex names a pixel as a line's end point does: a pixel belongs when the
  // point of its coordinates lies inside, a point on the outline when the inside lies right of or
  // below it, so a polygon outlined and filled with one colour is solid.
  static Region Polygons(const POINT* points, const int* counts, int count, int fillMode);

  bool IsEmpty() const { return !hasOne_ && many_.empty(); }
  RECT Bounds() const;
  // Banded, y then x sorted; valid while the region lives and is not changed.
  std::span<const RECT> Rects() const {
    return hasOne_ ? std::span<const RECT>(&one_, 1) : std::span<const RECT>(many_);
  }
  bool Contains(int x, int y) const;
  bool Intersects(const RECT& r) const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION, as GDI reports a region's shape.
  int Complexity() const;

  Region Union(const Region& o) const;
  Region Intersect(const Region& o) const;
  Region Subtract(const Region& o) const;
  Region Xor(const Region& o) const;
  void Offset(int dx, int dy);  // coordinates saturate at the LONG range

  friend bool operator==(const Region& a, const Region& b) {
    const auto ra = a.Rects(), rb = b.Rects();
    return std::equal(ra.begin(), ra.end(), rb.begin(), rb.end());
  }

 private:
  void Assign(std::vector<RECT>&& rects);
  // A region of one rectangle (most clip and update regions) is kept here, without allocating;
  // many_ holds two or more.
  RECT one_{};
  bool hasOne_ = false;
  std::vector<RECT> many_;
};

}  // namespace win
