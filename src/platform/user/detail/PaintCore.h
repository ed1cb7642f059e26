#pragma once
// Internal to the window system's painting: surfaces, visible regions and region handles.

#include <optional>

#include "platform/gdi/Region.h"
#include "platform/user/detail/UserCore.h"

namespace win::user {

// A top-level window's 32-bit surface, sized to the window; created or resized on demand.
HBITMAP EnsureSurface(WindowObj& top);
// Pixels of a surface (top-down BGRA rows, `stride` pixels apart, which may be more than the
// width) and its size; null when none.
const uint32_t* SurfacePixels(const WindowObj& top, int* width, int* height, int* stride);
// Where `w`'s window rectangle lies on its top-level's surface.
POINT OffsetInTop(const WindowObj& w);
// What `w` may paint on its top-level's surface (surface coordinates).
Region VisibleInSurface(const WindowObj& w, bool clientOnly, bool clipChildren, bool clipSiblings);

std::optional<Region> RegionFromHandle(HRGN rgn);
HRGN HandleFromRegion(const Region& r);

// Adds `area` (window coordinates of w) to the update regions of w and, when asked, of its
// descendants (each in its own window coordinates).
void InvalidateWindowArea(WindowObj& w, const Region& area, bool erase, bool children);
// Layered state and drawing done through the desktop DC (for the compositor).
void NotifyRepainted(WindowObj& top, const RECT& dirtySurface);
// Runs the window's WM_PAINT with BeginPaint handing out `hdc` (its state saved and restored by
// EndPaint) for the whole client area: nothing is validated, erased or released.
void PaintRedirected(HWND hwnd, HDC hdc);
// The bitmap GetDC(NULL) draws on: the composited screen of the desktop presenter (none: no DC).
void SetDesktopSurface(HBITMAP screen);

}  // namespace win::user
