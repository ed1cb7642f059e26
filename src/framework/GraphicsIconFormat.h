#pragma once
// The .ico file format under TIcon: the image an icon holds, read from and written as .ico data.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace fw::icons {

// The directory stores sizes in a byte (0 = 256), so no icon image is larger.
inline constexpr int kMaxSide = 256;

struct Image {
  int width = 0;
  int height = 0;
  bool alpha = false;              // per-pixel alpha; else `mask` says what is see-through
  std::vector<uint32_t> pixels;    // top-down 0xAARRGGBB
  std::vector<uint8_t> mask;       // top-down, 1 = see-through (all 0 for alpha images)
  win::HICON id = nullptr;         // the icon's opaque handle
};

// A fresh opaque handle value (never null, never repeated while the program runs).
win::HICON NewId();

// How many bytes of `data` the .ico data takes (header, directory and every image), or 0 when
// the header is not one of an icon file. `data` holds at least the header and the directory.
size_t DataLength(const uint8_t* data, size_t size);
// Decodes the chosen image; false with a reason in `error` for data that is not a usable icon.
bool Decode(const uint8_t* data, size_t size, Image& out, std::string& error);
std::vector<uint8_t> Encode(const Image& image);

}  // namespace fw::icons
