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

// Logical point + offset = pixel on the target surface (origins and the window DC's origin).
inline POINT SurfaceOffset(const DCObj& dc) {
  return POINT{dc.origin.x + dc.state.viewportOrg.x - dc.state.windowOrg.x,
               dc.origin.y + dc.state.viewportOrg.y - dc.state.windowOrg.y};
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
