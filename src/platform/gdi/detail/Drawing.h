#pragma once
// Internal to the drawing layer: the pieces lines, shapes and fills share.

#include <vector>

#include "platform/gdi/detail/DeviceWriter.h"

namespace win::gdi {

// The paint source of a brush on `dc` (pattern anchored at the DC's brush origin); false for a
// null brush.
bool BrushSource(const DCObj& dc, const BrushObj& brush, PaintSource& out);
// The paint source of the selected brush, or false when there is none to paint.
bool SelectedBrushSource(const DCObj& dc, PaintSource& out);
// The selected pen, null for PS_NULL (nothing to stroke).
const PenObj* StrokingPen(const DCObj& dc);

// Strokes connected segments through `points` (logical) with the selected pen: one-pixel pens
// exactly (each segment leaves out its end pixel, styles run on across segments), wide pens
// through QPainter. `close` adds the segment back to the first point.
void StrokePath(DCObj& dc, const PenObj& pen, const POINT* points, size_t count, bool close);

// Paints `area` (logical units) with the given source and ROP2 mode.
void FillArea(DCObj& dc, const Region& area, const PaintSource& src, int rop2);

// Applies a ROP2 mode to a painter; false for R2_NOP (nothing to draw).
bool SetPainterRop2(QPainter& p, int rop2);
// After painting through QPainter: writes a low-depth working copy back.
void FinishPainter(DCObj& dc);

}  // namespace win::gdi
