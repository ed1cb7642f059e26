#pragma once
// The drop shadow of a top-level window whose class has CS_DROPSHADOW: a band of translucent
// black along its right and bottom edges, kDropShadowSize pixels wide, shown while shadows are
// on (SPI_GETDROPSHADOW, which reads off where the desktop cannot blend). Both desktops draw it
// from this one description: the headless compositor under the window, the presenter as a
// translucent native window below it.

#include <cstdint>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::desktop {

inline constexpr int kDropShadowSize = 4;
// The darkest alpha, right at the window's edge.
inline constexpr int kDropShadowAlpha = 96;

// Whether the window casts a shadow now: a visible, not minimised top-level window of a class
// with CS_DROPSHADOW, while shadows are on.
bool CastsDropShadow(HWND topLevel);

// The alpha of the shadow of a width × height window at (x, y) relative to the window's top
// left corner; 0 inside the window and outside the band.
uint8_t DropShadowAlpha(int width, int height, int x, int y);

// The shadow as premultiplied 0xAARRGGBB pixels (black, so only alpha), top-down rows of a
// (width + kDropShadowSize) × (height + kDropShadowSize) picture whose top left is the window's.
std::vector<uint32_t> DropShadowPicture(int width, int height);

}  // namespace win::desktop
