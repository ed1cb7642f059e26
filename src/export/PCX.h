#pragma once
// PCX files (version 5, run-length encoded) from a framework bitmap.

#include <cstdint>

namespace fw {
class TBitmap;
class TStream;
}  // namespace fw

namespace kvexport {

// What the file holds: 1 black and white (1 bit, 1 plane), 2 sixteen colours (1 bit, 4 planes),
// 3 256 colours (8 bits, 1 plane), 4 true colour (8 bits, red, green and blue planes).
enum TPCXKind : std::uint8_t { pcxBlackWhite = 1, pcx16Colors = 2, pcx256Colors = 3, pcxTrueColor = 4 };

// Writes the whole file from the beginning of Stream. Kind 1 needs a 1-bit bitmap, kind 2 one of
// at most 4 bits, kind 3 one of at most 8 bits; kind 4 takes any depth. Any other combination,
// an empty bitmap or one wider or taller than 65535 pixels raises fw::Exception before anything
// is written; stream errors propagate.
void WritePCX(fw::TStream& Stream, fw::TBitmap& Bitmap, std::uint8_t Kind);

}  // namespace kvexport
