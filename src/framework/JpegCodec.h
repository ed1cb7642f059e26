#pragma once
// The libjpeg calls behind TJPEGImage, kept in C-style functions: libjpeg reports errors by a
// long jump back into the function that set it up, which therefore owns no C++ objects; the
// results come back as plain status and the caller turns a failure into an exception.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fw::jpeg {

struct EncodeParams {
  int quality = 90;  // 1..100
  bool grayscale = false;
  bool progressive = false;
  bool fastDct = false;
};

struct DecodeParams {
  int scaleDenom = 1;  // 1, 2, 4 or 8
  bool grayscale = false;
  bool fastDct = false;     // also plain (not smoothed) upsampling
  bool blockSmoothing = true;
  bool quantize = false;    // 256 colours with a colour map
};

struct Image {
  int width = 0;
  int height = 0;
  int components = 0;                // 1 (grey or indexed) or 3 (RGB)
  std::vector<uint8_t> pixels;       // top-down rows of width * components bytes
  std::vector<uint8_t> colorMap;     // indexed: RGB triples
  bool progressive = false;
};

// `rgb`: top-down rows of width * 3 bytes. False with a message on failure.
bool Encode(const uint8_t* rgb, int width, int height, const EncodeParams& params, std::vector<uint8_t>& out,
            std::string& error);
// Reads only the header: size, components and whether the file is progressive.
bool ReadHeader(const uint8_t* data, size_t size, Image& out, std::string& error);
// Corrupt data, including data libjpeg only warns about (a truncated scan), fails.
bool Decode(const uint8_t* data, size_t size, const DecodeParams& params, Image& out, std::string& error);

}  // namespace fw::jpeg
