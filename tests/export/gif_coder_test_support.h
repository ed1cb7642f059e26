#pragma once
// Helpers for the GIF coder tests: encoding and decoding shorthands, a code lister that reads a
// code stream the way any GIF decoder sizes its codes, and random pictures.

#include "export/GIFImageCoders.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace gifcodertest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Encode(const Bytes& Pixels, int Width, int Height, int Bits, int Colors, int Compression,
                    bool Interlaced = false) {
  kvexport::GIFCodedFrame frame;
  frame.Data = Pixels.empty() ? nullptr : Pixels.data();
  frame.Width = Width;
  frame.Height = Height;
  frame.BitsPerPixel = Bits;
  frame.ColorCount = Colors;
  frame.Interlaced = Interlaced;
  Bytes out;
  kvexport::GIFEncodeFrame(out, frame, Compression);
  return out;
}

struct Decoded {
  Bytes Pixels;
  std::size_t Consumed = 0;
  std::vector<std::string> Warnings;
};

inline Decoded Decode(const Bytes& Stream, int Width, int Height, bool Interlaced = false,
                      std::uint8_t Prefill = 0) {
  Decoded result;
  result.Pixels.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), 0xEE);
  result.Consumed =
      kvexport::GIFDecodeFrame(Stream.data(), Stream.size(), result.Pixels.data(), Width, Height, Interlaced,
                               Prefill, [&](const std::string& m) { result.Warnings.push_back(m); });
  return result;
}

// Block lengths and the concatenated data of the sub-blocks after the code-size byte.
struct Blocks {
  std::vector<int> Lengths;
  Bytes Data;
  bool Terminated = false;
};

inline Blocks SplitBlocks(const Bytes& Stream) {
  Blocks b;
  std::size_t pos = 1;
  while (pos < Stream.size()) {
    const int n = Stream[pos++];
    if (n == 0) {
      b.Terminated = pos == Stream.size();
      break;
    }
    b.Lengths.push_back(n);
    for (int i = 0; i < n && pos < Stream.size(); ++i) b.Data.push_back(Stream[pos++]);
  }
  return b;
}

// Codes up to and including the end code, sized as a decoder sizes them: an entry is made for
// every code but the first after a clear, and the width grows when the next entry needs it.
inline std::vector<int> ListCodes(const Bytes& Stream, std::vector<int>* FreeAtCode = nullptr) {
  const int bits = Stream.at(0);
  const int clear = 1 << bits;
  const Bytes data = SplitBlocks(Stream).Data;
  std::vector<int> codes;
  int width = bits + 1;
  int next = clear + 2;
  bool first = true;
  std::size_t bitPos = 0;
  while (bitPos + static_cast<std::size_t>(width) <= data.size() * 8) {
    int code = 0;
    for (int i = 0; i < width; ++i, ++bitPos)
      if (data[bitPos / 8] >> (bitPos % 8) & 1) code |= 1 << i;
    codes.push_back(code);
    if (FreeAtCode) FreeAtCode->push_back(next);
    if (code == clear + 1) break;
    if (code == clear) {
      width = bits + 1;
      next = clear + 2;
      first = true;
      continue;
    }
    if (!first && next < 4096) {
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    first = false;
  }
  return codes;
}

// A picture of Colors values: noise, runs of random length, or a mix, from a fixed seed.
inline Bytes RandomPicture(std::mt19937& Rng, int Width, int Height, int Colors) {
  Bytes p(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height));
  std::uniform_int_distribution<int> value(0, Colors - 1);
  std::uniform_int_distribution<int> runLen(1, 300);
  const int style = std::uniform_int_distribution<int>(0, 2)(Rng);
  std::size_t i = 0;
  while (i < p.size()) {
    const int len = style == 0 ? 1 : style == 1 ? runLen(Rng) : (Rng() % 4 == 0 ? runLen(Rng) : 1);
    const auto v = static_cast<std::uint8_t>(value(Rng));
    for (int k = 0; k < len && i < p.size(); ++k) p[i++] = v;
  }
  return p;
}

inline int BitsFor(int Colors) {
  int bits = 1;
  while ((1 << bits) < Colors) ++bits;
  return bits;
}

}  // namespace gifcodertest
