#pragma once
// Internal to the drawing layer: whole-row copies between the direct-colour depths, for blits
// that neither stretch nor mirror. Each gives exactly what converting pixel by pixel gives.

#include <cstddef>
#include <cstdint>

#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi {

// Copies `n` pixels of a row of `src`'s format into a row of `dst`'s format.
using RowCopier = void (*)(const uint8_t* src, uint8_t* dst, size_t n);

// 24 bpp pixels to 32 bpp words with a zero top byte, and back (the top byte dropped).
void Copy24To32(const uint8_t* src, uint8_t* dst, size_t n);
void Copy32To24(const uint8_t* src, uint8_t* dst, size_t n);

// The copier from 24 to 32 bpp (a zero top byte) or from 32 to 24 bpp, or null for other pairs.
// Rows of one format are plain byte moves and get none.
RowCopier DirectRowCopier(const BitmapObj& src, const BitmapObj& dst);

}  // namespace win::gdi
