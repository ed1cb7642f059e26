#include "platform/gdi/IconFormat.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

namespace win::icons {
namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;

uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

size_t RowBytes(int width, int bpp) { return ((size_t(width) * size_t(bpp) + 31) / 32) * 4; }

struct Entry {
  int width, height, bpp;
  uint32_t size, offset;
};

bool ReadDirectory(const uint8_t* data, size_t size, std::vector<Entry>& entries) {
  if (size < kHeaderSize || Get16(data) != 0 || Get16(data + 2) != 1) return false;
  const size_t count = Get16(data + 4);
  if (count == 0 || size < kHeaderSize + count * kEntrySize) return false;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data + kHeaderSize + i * kEntrySize;
    entries.push_back(Entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, Get16(e + 6), Get32(e + 8), Get32(e + 12)});
  }
  return true;
}

// Nearest to the size asked for; the deeper image on a tie.
const Entry& Choose(const std::vector<Entry>& entries, int side) {
  const Entry* best = &entries.front();
  auto distance = [side](const Entry& e) { return std::abs(e.width - side) + std::abs(e.height - side); };
  for (const Entry& e : entries) {
    if (distance(e) < distance(*best) || (distance(e) == distance(*best) && e.bpp > best->bpp)) best = &e;
  }
  return *best;
}

bool DecodeDib(const uint8_t* p, size_t size, Image& out, std::string& error) {
  if (size >= 8 && std::memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0) {
    error = "PNG-compressed icon images are not supported";
    return false;
  }
  error = "Icon image is not valid";
  if (size < kInfoHeaderSize) return false;
  const uint32_t headerSize = Get32(p);
  const int32_t width = int32_t(Get32(p + 4));
  const int32_t doubleHeight = int32_t(Get32(p + 8));
  const int bpp = Get16(p + 14);
  const uint32_t compression = Get32(p + 16);
  const uint32_t colorsUsed = Get32(p + 32);
  if (headerSize < kInfoHeaderSize || headerSize > size || Get16(p + 12) != 1 || compression != 0) return false;
  if (width <= 0 || width > kMaxSide || doubleHeight <= 0 || doubleHeight % 2 != 0 || doubleHeight / 2 > kMaxSide)
    return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  const int height = doubleHeight / 2;
  const size_t paletteCount = bpp <= 8 ? (colorsUsed ? colorsUsed : size_t(1) << bpp) : 0;
  if (paletteCount > (size_t(1) << 8)) return false;
  const size_t xorStride = RowBytes(width, bpp), andStride = RowBytes(width, 1);
  const size_t xorStart = headerSize + paletteCount * 4;
  const size_t andStart = xorStart + xorStride * size_t(height);
  const bool hasMask = andStart + andStride * size_t(height) <= size;
  // A 32 bpp image may leave its mask out; every other depth needs one.
  if (andStart > size || (!hasMask && bpp != 32)) return false;

  const uint8_t* palette = p + headerSize;
  out.width = width;
  out.height = height;
  out.pixels.assign(size_t(width) * size_t(height), 0);
  out.mask.assign(out.pixels.size(), 0);
  bool anyAlpha = false;
  for (int row = 0; row < height; ++row) {
    const uint8_t* src = p + xorStart + size_t(row) * xorStride;
    const size_t y = size_t(height - 1 - row);  // rows are stored bottom-up
    for (int x = 0; x < width; ++x) {
      uint32_t argb = 0;
      if (bpp <= 8) {
        const int perByte = 8 / bpp;
        const int shift = 8 - bpp * (x % perByte + 1);
        const size_t index = (src[x / perByte] >> shift) & ((1u << bpp) - 1);
        if (index < paletteCount) {
          const uint8_t* q = palette + index * 4;
          argb = (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
        }
      } else {
        const uint8_t* q = src + size_t(x) * size_t(bpp / 8);
        argb = (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
        if (bpp == 32) {
          argb |= uint32_t(q[3]) << 24;
          anyAlpha = anyAlpha || q[3] != 0;
        }
      }
      out.pixels[y * size_t(width) + size_t(x)] = argb;
    }
    if (hasMask) {
      const uint8_t* m = p + andStart + size_t(row) * andStride;
      for (int x = 0; x < width; ++x)
        out.mask[y * size_t(width) + size_t(x)] = (m[x >> 3] >> (7 - (x & 7))) & 1;
    }
  }
  // 32 bpp images whose alpha bytes are all zero are older colour-and-mask icons.
  out.alpha = anyAlpha;
  if (out.alpha) {
    std::fill(out.mask.begin(), out.mask.end(), uint8_t(0));
  } else {
    for (uint32_t& px : out.pixels) px &= 0xFFFFFF;
  }
  return true;
}

}  // namespace

win::HICON NewId() {
  static std::atomic<uintptr_t> next{0x1C0000};
  return reinterpret_cast<win::HICON>(next.fetch_add(4));
}

size_t DataLength(const uint8_t* data, size_t size) {
  std::vector<Entry> entries;
  if (!ReadDirectory(data, size, entries)) return 0;
  size_t end = kHeaderSize + entries.size() * kEntrySize;
  for (const Entry& e : entries) end = std::max(end, size_t(e.offset) + size_t(e.size));
  return end;
}

bool Decode(const uint8_t* data, size_t size, Image& out, std::string& error, int preferredSide) {
  error = "Icon image is not valid";
  std::vector<Entry> entries;
  if (!ReadDirectory(data, size, entries)) return false;
  const Entry& e = Choose(entries, preferredSide);
  if (size_t(e.offset) > size || size_t(e.size) > size - size_t(e.offset)) return false;
  Image image;
  if (!DecodeDib(data + e.offset, e.size, image, error)) return false;
  out = std::move(image);
  return true;
}

std::vector<uint8_t> Encode(const Image& image) {
  const int w = image.width, h = image.height;
  const int bpp = image.alpha ? 32 : 24;
  const size_t xorStride = RowBytes(w, bpp), andStride = RowBytes(w, 1);
  const size_t imageBytes = kInfoHeaderSize + (xorStride + andStride) * size_t(h);
  std::vector<uint8_t> out;
  out.reserve(kHeaderSize + kEntrySize + imageBytes);
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(uint8_t(w == 256 ? 0 : w));
  out.push_back(uint8_t(h == 256 ? 0 : h));
  out.push_back(0);  // colour count: no palette
  out.push_back(0);
  Put16(out, 1);
  Put16(out, uint32_t(bpp));
  Put32(out, uint32_t(imageBytes));
  Put32(out, uint32_t(kHeaderSize + kEntrySize));
  // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
  Put32(out, kInfoHeaderSize);
  Put32(out, uint32_t(w));
  Put32(out, uint32_t(2 * h));
  Put16(out, 1);
  Put16(out, uint32_t(bpp));
  Put32(out, 0);
  Put32(out, uint32_t((xorStride + andStride) * size_t(h)));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  auto seeThrough = [&](size_t i) { return image.alpha ? (image.pixels[i] >> 24) == 0 : image.mask[i] != 0; };
  for (int row = 0; row < h; ++row) {
    const size_t y = size_t(h - 1 - row);
    const size_t start = out.size();
    for (int x = 0; x < w; ++x) {
      const size_t i = y * size_t(w) + size_t(x);
      // See-through pixels of a masked icon are black, so the colour image adds nothing there.
      const uint32_t px = !image.alpha && seeThrough(i) ? 0 : image.pixels[i];
      out.push_back(uint8_t(px));
      out.push_back(uint8_t(px >> 8));
      out.push_back(uint8_t(px >> 16));
      if (bpp == 32) out.push_back(uint8_t(px >> 24));
    }
    out.resize(start + xorStride, 0);
  }
  for (int row = 0; row < h; ++row) {
    const size_t y = size_t(h - 1 - row);
    std::vector<uint8_t> bits(andStride, 0);
    for (int x = 0; x < w; ++x)
      if (seeThrough(y * size_t(w) + size_t(x))) bits[size_t(x) >> 3] |= uint8_t(0x80 >> (x & 7));
    out.insert(out.end(), bits.begin(), bits.end());
  }
  return out;
}

}  // namespace win::icons
