#pragma once
// The TIFF file of a bitmap: uncompressed, one strip, little-endian, at the bitmap's own depth
// (bilevel for 1 bit, a colour map for 4 and 8 bits, RGB for everything deeper).

namespace fw {
class TBitmap;
class TStream;
}  // namespace fw

namespace kvexport {

// Writes the whole file from the stream's current position. A bitmap without pixels, or one
// whose pixels cannot be read, raises fw::Exception before anything is written; stream errors
// propagate.
void WriteTIFF(fw::TStream& Stream, fw::TBitmap& Bitmap);

}  // namespace kvexport
