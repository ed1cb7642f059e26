#pragma once
// Internal to the drawing layer: how a pen draws.

#include <QPen>
#include <vector>

#include "platform/gdi/detail/DeviceWriter.h"

namespace win::gdi {

// The on/off pixel runs of a cosmetic pen's predefined style (PS_DASH ... PS_ALTERNATE; empty
// for the others).
const std::vector<DWORD>& CosmeticDashRuns(UINT style);
// True for pens drawn pixel-exact by the device writer: cosmetic pens of one pixel (any style).
bool IsThinPen(const PenObj& pen);
// The pixel style of a thin pen on `dc` (`storage` keeps user styles alive).
LineStyle ThinPenStyle(const DCObj& dc, const PenObj& pen, std::vector<uint8_t>& storage);
// A Qt pen for wide and geometric pens (aliased drawing, GDI caps and joins).
QPen WidePen(const DCObj& dc, const PenObj& pen);

}  // namespace win::gdi
