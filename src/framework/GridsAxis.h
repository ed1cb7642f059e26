#pragma once
// One direction of a grid's layout (columns across, rows down): sizes, the fixed band, the first
// scrolled-in cell and the client extent, with the pixel arithmetic both directions share.

#include "framework/Grids.h"

namespace fw {

struct TCustomGrid::Axis {
  Integer Count = 0;
  Integer Fixed = 0;
  Integer First = 0;   // first scrollable cell in view
  Integer Line = 0;    // line width after each cell
  Integer Extent = 0;  // client size
  const std::vector<Integer>* Sizes = nullptr;
  Integer Default = 0;

  Integer Size(Integer i) const { return Sizes->empty() ? Default : (*Sizes)[size_t(i)]; }
  Integer Step(Integer i) const { return Size(i) + Line; }
  // Pixels taken by the fixed cells and their lines.
  Integer FixedBoundary() const {
    Integer b = 0;
    for (Integer i = 0; i < Fixed && b < Extent; ++i) b += Step(i);
    return b;
  }
  // Start of cell i, or -1 when it is scrolled off or lies beyond the extent.
  Integer Start(Integer i) const {
    if (i < 0 || i >= Count) return -1;
    Integer p = 0;
    if (i < Fixed) {
      for (Integer j = 0; j < i; ++j) p += Step(j);
    } else {
      if (i < First) return -1;
      p = FixedBoundary();
      for (Integer j = First; j < i && p < Extent; ++j) p += Step(j);
    }
    return p < Extent ? p : -1;
  }
  // The cell (fixed or scrolled in) holding pixel Pos, its line included; -1 for none.
  Integer CellAt(Integer Pos) const {
    if (Pos < 0 || Pos >= Extent) return -1;
    Integer p = 0;
    for (Integer i = 0; i < Fixed; ++i) {
      p += Step(i);
      if (Pos < p) return i;
    }
    for (Integer i = First; i < Count; ++i) {
      p += Step(i);
      if (Pos < p) return i;
    }
    return -1;
  }
  // Last scrollable cell wholly in view; First at least.
  Integer LastFullVisible() const {
    Integer p = FixedBoundary();
    Integer last = First;
    for (Integer i = First; i < Count; ++i) {
      p += Size(i);
      if (p > Extent) break;
      last = i;
      p += Line;
    }
    return last;
  }
  // Last scrollable cell at least partly in view.
  Integer LastVisible() const {
    Integer p = FixedBoundary();
    Integer last = First;
    for (Integer i = First; i < Count && p < Extent; ++i) {
      last = i;
      p += Step(i);
    }
    return last;
  }
  // The largest First that still fills the extent with the last cells.
  Integer MaxFirst() const {
    Integer room = Extent - FixedBoundary();
    Integer first = Count - 1;
    Integer used = Size(first);
    while (first > Fixed) {
      Integer next = used + Line + Size(first - 1);
      if (next > room) break;
      used = next;
      --first;
    }
    return first < Fixed ? Fixed : first;
  }
};

}  // namespace fw
