// BMP files: BITMAPFILEHEADER + BITMAPINFOHEADER (or a later header version) in every depth,
// bottom-up or top-down, RLE4/RLE8 on reading. Reading checks every size against the buffer;
// writing goes through a temporary file that is renamed over the target only when complete.

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/BmpFile.h"
#include "platform/gdi/detail/Dib.h"

namespace win::gdi {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;

template <class T>
void Put(std::vector<uint8_t>& out, T v) {
  uint8_t b[sizeof v];
  std::memcpy(b, &v, sizeof v);
  out.insert(out.end(), b, b + sizeof v);
}

bool Refuse(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

HBITMAP NoBitmap(std::string* error, const std::string& why) {
  Refuse(error, why);
  return nullptr;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const void* data, size_t size, std::string* error) {
  static std::atomic<unsigned> counter{0};
  const std::string temp = path + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return Refuse(error, "cannot create " + temp);
  bool ok = std::fwrite(data, 1, size, f) == size;
  ok = std::fflush(f) == 0 && ok;
  ok = fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return Refuse(error, "cannot write " + path);
  }
  return true;
}

}  // namespace win::gdi

namespace win {

using namespace win::gdi;

HBITMAP LoadBmpFromMemory(const void* data, size_t size, std::string* error) {
  const auto* p = static_cast<const uint8_t*>(data);
  if (!p || size < kFileHeaderBytes) return NoBitmap(error, "BMP file header is truncated");
  if (p[0] != 'B' || p[1] != 'M') return NoBitmap(error, "not a BMP file (no \"BM\" signature)");
  DWORD offBits;
  std::memcpy(&offBits, p + 10, 4);
  DibLayout layout;
  std::string why;
  if (!ParseDibHeader(p + kFileHeaderBytes, size - kFileHeaderBytes, layout, &why))
    return NoBitmap(error, "BMP " + why);
  if (offBits < kFileHeaderBytes + layout.headerBytes || offBits > size)
    return NoBitmap(error, "BMP pixel data offset is out of range");
  size_t available = size - offBits;
  const bool rle = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
  if (rle && layout.imageBytes != 0 && layout.imageBytes < available) available = layout.imageBytes;
  std::unique_ptr<BitmapObj> bmp = DibToBitmap(layout, p + offBits, available, &why);
  if (!bmp) return NoBitmap(error, "BMP " + why);
  return static_cast<HBITMAP>(HandleTable::Instance().Add(std::move(bmp)));
}

HBITMAP LoadBmpFromFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return NoBitmap(error, "cannot open " + path);
  in.seekg(0, std::ios::end);
  const std::streamoff length = in.tellg();
  if (length < 0 || uint64_t(length) > kMaxBitmapBytes + (1u << 20))
    return NoBitmap(error, "BMP file is too large");
  in.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), length)) return NoBitmap(error, "cannot read " + path);
  return LoadBmpFromMemory(bytes.data(), bytes.size(), error);
}

bool SaveBmpToMemory(HBITMAP hbm, std::vector<uint8_t>& out, std::string* error) {
  BitmapObj* bmp = FindBitmap(hbm);
  if (!bmp) return Refuse(error, "not a bitmap handle");
  FlushPainting(*bmp);
  const bool masks = bmp->bpp == 16;
  const size_t tableBytes = bmp->bpp <= 8 ? bmp->colorTable.size() * 4 : masks ? 12 : 0;
  const size_t offBits = kFileHeaderBytes + kInfoHeaderBytes + tableBytes;
  // A window surface's rows may lie further apart in memory than a file's rows do.
  const size_t fileStride = DibStride(bmp->width, bmp->bpp);
  const size_t imageBytes = fileStride * size_t(bmp->height);
  out.clear();
  out.reserve(offBits + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Put<DWORD>(out, DWORD(offBits + imageBytes));
  Put<DWORD>(out, 0);
  Put<DWORD>(out, DWORD(offBits));
  Put<DWORD>(out, DWORD(kInfoHeaderBytes));
  Put<LONG>(out, bmp->width);
  Put<LONG>(out, bmp->height);  // bottom-up
  Put<WORD>(out, 1);
  Put<WORD>(out, WORD(bmp->bpp));
  Put<DWORD>(out, masks ? BI_BITFIELDS : BI_RGB);
  Put<DWORD>(out, DWORD(imageBytes));
  Put<LONG>(out, 3780);  // 96 dpi
  Put<LONG>(out, 3780);
  Put<DWORD>(out, bmp->bpp <= 8 ? DWORD(bmp->colorTable.size()) : 0);
  Put<DWORD>(out, 0);
  if (masks) {
    Put<DWORD>(out, bmp->redMask);
    Put<DWORD>(out, bmp->greenMask);
    Put<DWORD>(out, bmp->blueMask);
  }
  if (bmp->bpp <= 8)
    for (const RGBQUAD& q : bmp->colorTable) {
      out.push_back(q.rgbBlue);
      out.push_back(q.rgbGreen);
      out.push_back(q.rgbRed);
      out.push_back(0);
    }
  for (int y = bmp->height - 1; y >= 0; --y) {
    const uint8_t* row = bmp->bits.data() + size_t(y) * size_t(bmp->stride);
    out.insert(out.end(), row, row + fileStride);
  }
  return true;
}

bool SaveBmpToFile(HBITMAP hbm, const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes;
  return SaveBmpToMemory(hbm, bytes, error) && WriteFileReplacing(path, bytes.data(), bytes.size(), error);
}

}  // namespace win
