#pragma once
// Internal to the drawing layer: handle lookups that fail the Win32 way, and the mapping from a
// DC's logical coordinates to pixels of its target surface.

#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi {

// The DC behind `hdc`, or null after SetLastError(ERROR_INVALID_HANDLE).
DCObj* DCOrFail(HDC hdc);
// The object behind `h`, or null after SetLastError(ERROR_INVALID_HANDLE).
Object* ObjectOrFail(HGDIOBJ h);
BrushObj* BrushOrFail(HGDIOBJ h);
RegionObj* RegionOrFail(HGDIOBJ h);
// As BrushOrFail, and also the system-colour brushes (HBRUSH)(COLOR_x + 1) once a system colour
// resolver is installed; FillRect is the one call that takes those values.
const BrushObj* FillBrushOrFail(HBRUSH h);

// Device arithmetic saturates at the int range, so absurd origins move drawing far off every
// surface instead of overflowing.
inline LONG SaturateCoord(int64_t v) {
  return LONG(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}
// Logical to device units: viewport origin - window origin.
inline SurfaceShift LogicalShift(const DCState& s) {
  return SurfaceShift{int64_t(s.viewportOrg.x) - s.windowOrg.x, int64_t(s.viewportOrg.y) - s.windowOrg.y};
}

// Logical point + offset = pixel on the target surface (origins and the window DC's origin).
inline SurfaceShift SurfaceOffset(const DCObj& dc) {
  return SurfaceShift{int64_t(dc.origin.x) + dc.state.viewportOrg.x - dc.state.windowOrg.x,
                      int64_t(dc.origin.y) + dc.state.viewportOrg.y - dc.state.windowOrg.y};
}
// Moves a region by a shift; exact wherever the result fits in the int range (Region::Offset
// saturates, and each half-step stays between the start and the end).
inline void OffsetRegion(Region& r, SurfaceShift s) {
  r.Offset(int(s.x / 2), int(s.y / 2));
  r.Offset(int(s.x - s.x / 2), int(s.y - s.y / 2));
}

// The brush origin in surface pixels, reduced to its phase in the 8x8 pattern (0..7), which is
// all a pattern needs and cannot overflow whatever the origins.
inline POINT SurfaceBrushPhase(const DCObj& dc) {
  return POINT{LONG((uint32_t(dc.state.brushOrg.x) + uint32_t(dc.origin.x)) & 7u),
               LONG((uint32_t(dc.state.brushOrg.y) + uint32_t(dc.origin.y)) & 7u)};
}

// Everything a DC may paint, in its own device coordinates (visible region and clip), clipped to
// its target; none when it has no target.
std::optional<Region> DeviceArea(const DCObj& dc);
// The DC's target bitmap in DC device coordinates (empty rect without a target).
RECT DeviceBounds(const DCObj& dc);

// Keeps the selection counts of the objects a saved or current state names.
void RetainState(const DCState& s);
void ReleaseState(const DCState& s);

}  // namespace win::gdi

namespace win::gdi {
// The DC's effective clip intersected with its target image, in surface pixels; cached until
// DeviceChanged. Empty without a target.
const Region& SurfaceClip(DCObj& dc);
}  // namespace win::gdi
