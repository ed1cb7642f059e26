#pragma once
// Code stream of one GIF frame (minimum code size, data sub-blocks, zero block): the LZW and
// run-length encoders and the LZW decoder, over byte buffers.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw {
class TStream;
}

namespace kvexport {

// Receives the coders' warnings; decoding goes on after each.
using GIFWarningHandler = std::function<void(const std::string& message)>;

// One frame's pixels: one colour index per byte, Width x Height, rows top to bottom.
struct GIFCodedFrame {
  const std::uint8_t* Data = nullptr;
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 8;  // minimum code size; values below 2 are written as 2
  int ColorCount = 256;  // every pixel must be below it
  bool Interlaced = false;
};

// The Compression setting of an image: 1 selects run-length coding, anything else LZW.
constexpr int GIFCompressionRLE = 1;

// Appends the frame's code stream to Out. A pixel at or above ColorCount raises
// GIFException("Color not in color table").
void GIFEncodeFrame(std::vector<std::uint8_t>& Out, const GIFCodedFrame& Frame, int Compression);

// Decodes a code stream starting at Data[0] into Pixels (Width x Height, written in interlace
// order when Interlaced). Pixels not reached by the data keep Prefill. Returns the number of
// bytes consumed, up to and including the zero block when one was met. Corrupt code streams
// raise GIFException; data ending early only warn.
std::size_t GIFDecodeFrame(const std::uint8_t* Data, std::size_t Size, std::uint8_t* Pixels, int Width,
                           int Height, bool Interlaced, std::uint8_t Prefill,
                           const GIFWarningHandler& Warning);

// The same from the position of Stream, which is left after the frame's zero block.
void GIFDecodeFrame(fw::TStream& Stream, std::uint8_t* Pixels, int Width, int Height, bool Interlaced,
                    std::uint8_t Prefill, const GIFWarningHandler& Warning);

// Writes the frame's code stream at the position of Stream.
void GIFEncodeFrame(fw::TStream& Stream, const GIFCodedFrame& Frame, int Compression);

}  // namespace kvexport
