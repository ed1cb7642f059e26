// Device-independent bitmap layouts: header checks, and DIB bits (packed or RLE) into bitmap
// objects. Every read is bounded by the byte count the caller vouches for.

#include <algorithm>
#include <cstring>

#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/Dib.h"

namespace win::gdi {
namespace {

template <class T>
T Load(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

bool Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

constexpr LONG kMaxDimension = 1 << 20;

}  // namespace

bool ParseDibHeader(const uint8_t* info, size_t avail, DibLayout& layout, std::string* error) {
  layout = DibLayout{};
  if (!info || avail < 4) return Fail(error, "bitmap header is truncated");
  const DWORD size = Load<DWORD>(info);
  if (size != 40 && size != 52 && size != 56 && size != 108 && size != 124)
    return Fail(error, "bitmap header has an unsupported size");
  if (avail < size) return Fail(error, "bitmap header is truncated");
  const LONG width = Load<LONG>(info + 4);
  const LONG height = Load<LONG>(info + 8);
  const WORD planes = Load<WORD>(info + 12);
  const WORD bpp = Load<WORD>(info + 14);
  const DWORD compression = Load<DWORD>(info + 16);
  const DWORD sizeImage = Load<DWORD>(info + 20);
  const DWORD clrUsed = Load<DWORD>(info + 32);
  if (planes != 1) return Fail(error, "bitmap plane count is not 1");
  if (width <= 0 || height == 0 || height == LONG(0x80000000)) return Fail(error, "bitmap has no pixels");
  if (width > kMaxDimension || height > kMaxDimension || -height > kMaxDimension)
    return Fail(error, "bitmap dimensions are too large");
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(error, "bitmap depth is not supported");
  layout.width = width;
  layout.height = height < 0 ? -height : height;
  layout.topDown = height < 0;
  layout.bpp = bpp;
  layout.compression = compression;
  layout.stride = DibStride(layout.width, bpp);
  if (layout.stride > kMaxBitmapBytes / size_t(layout.height))
    return Fail(error, "bitmap dimensions are too large");

  size_t offset = size;
  switch (compression) {
    case BI_RGB:
      if (bpp == 16) {
        layout.redMask = 0x7C00, layout.greenMask = 0x03E0, layout.blueMask = 0x001F;
      } else if (bpp == 32) {
        layout.redMask = 0xFF0000, layout.greenMask = 0xFF00, layout.blueMask = 0xFF;
      }
      break;
    case BI_BITFIELDS: {
      if (bpp != 16 && bpp != 32) return Fail(error, "bit fields need 16 or 32 bits per pixel");
      const uint8_t* masks = info + 40;  // inside the later header versions, after the basic one
      if (size == 40) {
        if (avail < size + 12) return Fail(error, "bitmap bit fields are truncated");
        offset += 12;
      }
      layout.redMask = Load<DWORD>(masks);
      layout.greenMask = Load<DWORD>(masks + 4);
      layout.blueMask = Load<DWORD>(masks + 8);
      const bool ok16 = bpp == 16 && layout.blueMask == 0x001F &&
                        ((layout.redMask == 0xF800 && layout.greenMask == 0x07E0) ||
                         (layout.redMask == 0x7C00 && layout.greenMask == 0x03E0));
      const bool ok32 =
          bpp == 32 && layout.redMask == 0xFF0000 && layout.greenMask == 0xFF00 && layout.blueMask == 0xFF;
      if (!ok16 && !ok32) return Fail(error, "bitmap bit fields are not supported");
      break;
    }
    case BI_RLE8:
    case BI_RLE4:
      if ((compression == BI_RLE8) != (bpp == 8) || (compression == BI_RLE4) != (bpp == 4))
        return Fail(error, "run-length compression does not match the depth");
      if (layout.topDown) return Fail(error, "run-length bitmaps must be bottom-up");
      break;
    default:
      return Fail(error, "bitmap compression is not supported");
  }

  size_t entries = 0;
  if (bpp <= 8) {
    const size_t maxEntries = size_t(1) << bpp;
    if (clrUsed > maxEntries) return Fail(error, "bitmap colour table is too long");
    entries = clrUsed ? clrUsed : maxEntries;
  } else if (clrUsed > 256) {
    return Fail(error, "bitmap colour table is too long");
  } else {
    entries = clrUsed;  // an optional table that direct-colour pixels do not use
  }
  if (avail < offset + entries * 4) return Fail(error, "bitmap colour table is truncated");
  if (bpp <= 8) {
    layout.colorTable.resize(entries);
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t* q = info + offset + 4 * i;
      layout.colorTable[i] = RGBQUAD{q[0], q[1], q[2], 0};
    }
  }
  layout.headerBytes = offset + entries * 4;
  const bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  layout.imageBytes = rle ? sizeImage : layout.stride * size_t(layout.height);
  return true;
}

std::vector<RGBQUAD> DefaultColorTable(int bpp) {
  if (bpp == 1) return MonochromeTable();
  static const BYTE kStandard[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  std::vector<RGBQUAD> t;
  for (const auto& c : kStandard) t.push_back(RGBQUAD{c[2], c[1], c[0], 0});
  if (bpp == 4) return t;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) t.push_back(RGBQUAD{BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0});
  for (int i = 0; t.size() < 256; ++i) {
    const BYTE v = BYTE(8 + i * 10);
    t.push_back(RGBQUAD{v, v, v, 0});
  }
  return t;
}

std::unique_ptr<BitmapObj> MakeBitmapForLayout(const DibLayout& layout, int width, int height) {
  return MakeBitmapObj(width, height, layout.bpp, true, layout.colorTable, layout.redMask, layout.greenMask,
                       layout.blueMask);
}

namespace {

// Run-length decoding into a bottom-up row counter; pixels outside the image are dropped.
bool DecodeRle(const DibLayout& layout, const uint8_t* src, size_t n, BitmapObj& bmp, std::string* error) {
  const bool four = layout.compression == BI_RLE4;
  int x = 0, row = 0;  // row 0 = bottom
  auto put = [&](uint32_t index) {
    if (x < bmp.width && row < bmp.height) SetRaw(bmp, x, bmp.height - 1 - row, index);
    ++x;
  };
  size_t i = 0;
  while (row < bmp.height) {
    if (n - i < 2) {
      if (error) *error = "run-length data is truncated";
      return false;
    }
    const uint8_t count = src[i], value = src[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count; ++k) put(four ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // delta
      if (n - i < 2) {
        if (error) *error = "run-length data is truncated";
        return false;
      }
      x += src[i];
      row += src[i + 1];
      i += 2;
    } else {  // absolute run of `value` pixels, padded to a WORD
      const size_t bytes = four ? (size_t(value) + 1) / 2 : value;
      const size_t padded = (bytes + 1) & ~size_t(1);
      if (n - i < bytes) {
        if (error) *error = "run-length data is truncated";
        return false;
      }
      for (int k = 0; k < value; ++k) {
        const uint8_t b = src[i + (four ? size_t(k) / 2 : size_t(k))];
        put(four ? ((k & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      i += std::min(padded, n - i);
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<BitmapObj> DibToBitmap(const DibLayout& layout, const uint8_t* bits, size_t bitsBytes,
                                       std::string* error) {
  auto bmp = MakeBitmapForLayout(layout, layout.width, layout.height);
  if (!bmp) {
    if (error) *error = "bitmap could not be allocated";
    return nullptr;
  }
  if (!bits) {
    if (error) *error = "bitmap has no pixel data";
    return nullptr;
  }
  if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
    if (!DecodeRle(layout, bits, bitsBytes, *bmp, error)) return nullptr;
    return bmp;
  }
  if (bitsBytes < layout.imageBytes) {
    if (error) *error = "bitmap pixel data is truncated";
    return nullptr;
  }
  for (int y = 0; y < layout.height; ++y) {
    const int stored = layout.topDown ? y : layout.height - 1 - y;
    std::memcpy(bmp->bits.data() + size_t(y) * size_t(bmp->stride), bits + size_t(stored) * layout.stride,
                layout.stride);
  }
  return bmp;
}

}  // namespace win::gdi
