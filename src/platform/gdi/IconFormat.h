#pragma once
// The .ico file format: the image an icon holds, read from and written as .ico data (the
// framework's TIcon and the window system's icons share it).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/kernel/WinDef.h"

namespace win::icons {

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
// Decodes the image whose size is nearest to preferredSide × preferredSide (the deeper one on a
// tie); false with a reason in `error` for data that is not a usable icon.
bool Decode(const uint8_t* data, size_t size, Image& out, std::string& error, int preferredSide = 32);
std::vector<uint8_t> Encode(const Image& image);

}  // namespace win::icons
