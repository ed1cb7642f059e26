// Bitmap objects: creation, GetObject, pixel access in every depth, and the images DCs paint on.

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {

size_t DibStride(int width, int bpp) {
  if (width <= 0 || bpp <= 0 || bpp > 32) return 0;
  return ((size_t(width) * size_t(bpp) + 31) / 32) * 4;
}

std::vector<RGBQUAD> MonochromeTable() {
  return {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
}

std::unique_ptr<BitmapObj> MakeBitmapObj(int width, int height, int bpp, bool dibSection,
                                         const std::vector<RGBQUAD>& colorTable, DWORD redMask,
                                         DWORD greenMask, DWORD blueMask) {
  if (width <= 0 || height <= 0) return nullptr;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
  const size_t stride = DibStride(width, bpp);
  if (stride == 0 || stride > kMaxBitmapBytes / size_t(height)) return nullptr;
  auto bmp = std::make_unique<BitmapObj>();
  bmp->width = width;
  bmp->height = height;
  bmp->bpp = bpp;
  bmp->stride = int(stride);
  bmp->dibSection = dibSection;
  if (bpp == 16) {
    const bool is565 = redMask == 0xF800 && greenMask == 0x07E0 && blueMask == 0x001F;
    const bool is555 = (redMask == 0x7C00 && greenMask == 0x03E0 && blueMask == 0x001F) ||
                       (redMask == 0 && greenMask == 0 && blueMask == 0);
    if (!is565 && !is555) return nullptr;
    bmp->redMask = is565 ? 0xF800 : 0x7C00;
    bmp->greenMask = is565 ? 0x07E0 : 0x03E0;
    bmp->blueMask = 0x001F;
  } else if (bpp == 32) {
    bmp->redMask = 0xFF0000;
    bmp->greenMask = 0xFF00;
    bmp->blueMask = 0xFF;
  } else if (bpp <= 8) {
    const size_t maxEntries = size_t(1) << bpp;
    bmp->colorTable.assign(colorTable.begin(), colorTable.begin() + std::min(colorTable.size(), maxEntries));
    if (bmp->colorTable.empty()) bmp->colorTable = bpp == 1 ? MonochromeTable() : std::vector<RGBQUAD>(1);
    for (RGBQUAD& q : bmp->colorTable) q.rgbReserved = 0;
  }
  try {
    bmp->bits.assign(stride * size_t(height), 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return bmp;
}

HBITMAP DefaultDCBitmap() {
  static HBITMAP stock = [] {
    auto bmp = MakeBitmapObj(1, 1, 1, false, MonochromeTable());
    bmp->stock = true;
    return static_cast<HBITMAP>(HandleTable::Instance().Add(std::move(bmp)));
  }();
  return stock;
}

int GetBitmapObject(const BitmapObj& bmp, int cb, void* pv) {
  const int needed = bmp.dibSection ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
  if (!pv) return needed;
  if (cb < int(sizeof(BITMAP))) return 0;
  BITMAP bm;
  bm.bmType = 0;
  bm.bmWidth = bmp.width;
  bm.bmHeight = bmp.height;
  bm.bmWidthBytes = bmp.stride;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = WORD(bmp.bpp);
  bm.bmBits = bmp.dibSection ? const_cast<uint8_t*>(bmp.bits.data()) : nullptr;
  if (!bmp.dibSection || cb < int(sizeof(DIBSECTION))) {
    std::memcpy(pv, &bm, sizeof bm);
    return int(sizeof(BITMAP));
  }
  DIBSECTION ds;
  ds.dsBm = bm;
  ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  ds.dsBmih.biWidth = bmp.width;
  ds.dsBmih.biHeight = -bmp.height;  // the memory is top-down
  ds.dsBmih.biPlanes = 1;
  ds.dsBmih.biBitCount = WORD(bmp.bpp);
  ds.dsBmih.biCompression = (bmp.bpp == 16 && bmp.greenMask == 0x07E0) ? BI_BITFIELDS : BI_RGB;
  ds.dsBmih.biSizeImage = DWORD(size_t(bmp.stride) * size_t(bmp.height));
  ds.dsBmih.biClrUsed = bmp.bpp <= 8 ? DWORD(bmp.colorTable.size()) : 0;
  if (bmp.bpp == 16 || bmp.bpp == 32) {
    ds.dsBitfields[0] = bmp.redMask;
    ds.dsBitfields[1] = bmp.greenMask;
    ds.dsBitfields[2] = bmp.blueMask;
  }
  std::memcpy(pv, &ds, sizeof ds);
  return int(sizeof(DIBSECTION));
}

// --- Raw pixel access ----------------------------------------------------------------------------

uint32_t RawMask(const BitmapObj& bmp) {
  switch (bmp.bpp) {
    case 16:
      return bmp.redMask | bmp.greenMask | bmp.blueMask;
    case 24:
      return 0xFFFFFF;
    case 32:
      return 0xFFFFFFFF;
    default:
      return (1u << bmp.bpp) - 1;
  }
}

uint32_t GetRaw(const BitmapObj& bmp, int x, int y) {
  const uint8_t* row = bmp.bits.data() + size_t(y) * size_t(bmp.stride);
  switch (bmp.bpp) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 8:
      return row[x];
    case 16:
      return uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8);
    case 24: {
      const uint8_t* p = row + 3 * size_t(x);
      return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
    default: {
      uint32_t v;
      std::memcpy(&v, row + 4 * size_t(x), 4);
      return v;
    }
  }
}

void SetRaw(BitmapObj& bmp, int x, int y, uint32_t raw) {
  uint8_t* row = bmp.bits.data() + size_t(y) * size_t(bmp.stride);
  switch (bmp.bpp) {
    case 1: {
      const uint8_t bit = uint8_t(0x80 >> (x & 7));
      row[x >> 3] = (raw & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
      break;
    }
    case 4: {
      uint8_t& b = row[x >> 1];
      b = (x & 1) ? uint8_t((b & 0xF0) | (raw & 0x0F)) : uint8_t((b & 0x0F) | ((raw & 0x0F) << 4));
      break;
    }
    case 8:
      row[x] = uint8_t(raw);
      break;
    case 16:
      row[2 * x] = uint8_t(raw);
      row[2 * x + 1] = uint8_t(raw >> 8);
      break;
    case 24: {
      uint8_t* p = row + 3 * size_t(x);
      p[0] = uint8_t(raw);
      p[1] = uint8_t(raw >> 8);
      p[2] = uint8_t(raw >> 16);
      break;
    }
    default:
      std::memcpy(row + 4 * size_t(x), &raw, 4);
      break;
  }
}

namespace {

// 5- or 6-bit channel to 8 bits, replicating the high bits so full scale stays full scale.
inline BYTE Expand5(uint32_t v) {
  return BYTE((v << 3) | (v >> 2));
}
inline BYTE Expand6(uint32_t v) {
  return BYTE((v << 2) | (v >> 4));
}

}  // namespace

COLORREF RawToColor(const BitmapObj& bmp, uint32_t raw) {
  switch (bmp.bpp) {
    case 16:
      if (bmp.greenMask == 0x07E0)
        return RGB(Expand5((raw >> 11) & 0x1F), Expand6((raw >> 5) & 0x3F), Expand5(raw & 0x1F));
      return RGB(Expand5((raw >> 10) & 0x1F), Expand5((raw >> 5) & 0x1F), Expand5(raw & 0x1F));
    case 24:
    case 32:
      return RGB(BYTE(raw >> 16), BYTE(raw >> 8), BYTE(raw));
    default: {
      if (raw >= bmp.colorTable.size()) return RGB(0, 0, 0);
      const RGBQUAD& q = bmp.colorTable[raw];
      return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
  }
}

int NearestIndex(const std::vector<RGBQUAD>& table, COLORREF c) {
  int best = 0;
  long bestDist = -1;
  for (size_t i = 0; i < table.size(); ++i) {
    const long dr = long(table[i].rgbRed) - GetRValue(c);
    const long dg = long(table[i].rgbGreen) - GetGValue(c);
    const long db = long(table[i].rgbBlue) - GetBValue(c);
    const long d = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || d < bestDist) {
      bestDist = d;
      best = int(i);
      if (d == 0) break;
    }
  }
  return best;
}

uint32_t ColorToRaw(const BitmapObj& bmp, COLORREF c) {
  const uint32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  switch (bmp.bpp) {
    case 16:
      if (bmp.greenMask == 0x07E0) return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    case 24:
    case 32:
      return (r << 16) | (g << 8) | b;
    default:
      return uint32_t(NearestIndex(bmp.colorTable, c));
  }
}

COLORREF ReadPixel(const BitmapObj& bmp, int x, int y) {
  if (x < 0 || y < 0 || x >= bmp.width || y >= bmp.height) return CLR_INVALID;
  return RawToColor(bmp, GetRaw(bmp, x, y));
}

void WritePixel(BitmapObj& bmp, int x, int y, COLORREF c) {
  if (x < 0 || y < 0 || x >= bmp.width || y >= bmp.height) return;
  SetRaw(bmp, x, y, ColorToRaw(bmp, c));
}

// --- The images DCs paint on ---------------------------------------------------------------------

namespace {

QImage::Format WrappingFormat(const BitmapObj& bmp) {
  switch (bmp.bpp) {
    case 32:
      return QImage::Format_RGB32;
    case 24:
      return QImage::Format_BGR888;
    case 16:
      return bmp.greenMask == 0x07E0 ? QImage::Format_RGB16 : QImage::Format_RGB555;
    default:
      return QImage::Format_Invalid;
  }
}

}  // namespace

QImage& PaintTarget(BitmapObj& bmp) {
  const QImage::Format wrap = WrappingFormat(bmp);
  if (wrap != QImage::Format_Invalid) {
    if (bmp.paintImage.isNull() || bmp.paintImage.constBits() != bmp.bits.data())
      bmp.paintImage = QImage(bmp.bits.data(), bmp.width, bmp.height, bmp.stride, wrap);
    bmp.workCopy = false;
    return bmp.paintImage;
  }
  // A painter already open on the working copy holds pixels not yet written back: keep them.
  if (!bmp.paintImage.isNull() && bmp.paintImage.paintingActive()) return bmp.paintImage;
  if (bmp.paintImage.width() != bmp.width || bmp.paintImage.height() != bmp.height ||
      bmp.paintImage.format() != QImage::Format_RGB32)
    bmp.paintImage = QImage(bmp.width, bmp.height, QImage::Format_RGB32);
  // Palette lookups once per entry, not per pixel.
  std::vector<QRgb> lut(size_t(1) << bmp.bpp);
  for (size_t i = 0; i < lut.size(); ++i) {
    const COLORREF c = RawToColor(bmp, uint32_t(i));
    lut[i] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
  }
  for (int y = 0; y < bmp.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(bmp.paintImage.scanLine(y));
    for (int x = 0; x < bmp.width; ++x) line[x] = lut[GetRaw(bmp, x, y)];
  }
  bmp.workCopy = true;
  return bmp.paintImage;
}

void CommitPaintTarget(BitmapObj& bmp) {
  if (!bmp.workCopy || bmp.paintImage.isNull()) return;
  // Pixels whose colour did not change keep their index (a table may repeat a colour); changed
  // ones take the nearest entry, looked up once per distinct colour.
  std::unordered_map<QRgb, uint32_t> nearest;
  for (int y = 0; y < bmp.height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(bmp.paintImage.constScanLine(y));
    for (int x = 0; x < bmp.width; ++x) {
      const QRgb p = line[x] & 0xFFFFFF;
      const COLORREF c = RGB(BYTE(qRed(p)), BYTE(qGreen(p)), BYTE(qBlue(p)));
      const uint32_t old = GetRaw(bmp, x, y);
      if (RawToColor(bmp, old) == c) continue;
      auto it = nearest.find(p);
      if (it == nearest.end()) it = nearest.emplace(p, ColorToRaw(bmp, c)).first;
      SetRaw(bmp, x, y, it->second);
    }
  }
  // Once no painter holds the copy, the bits are the image: a later commit of this copy would
  // undo direct writes to them (scan lines).
  if (!bmp.paintImage.paintingActive()) bmp.workCopy = false;
}

namespace {

HBITMAP AddBitmap(std::unique_ptr<BitmapObj> bmp) {
  if (!bmp) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return static_cast<HBITMAP>(HandleTable::Instance().Add(std::move(bmp)));
}

}  // namespace

}  // namespace win::gdi

namespace win {

using namespace win::gdi;

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                         DWORD offset) {
  if (ppvBits) *ppvBits = nullptr;
  DibLayout layout;
  if (!pbmi || hSection || offset || usage != DIB_RGB_COLORS ||
      !ParseDibHeader(reinterpret_cast<const uint8_t*>(pbmi), SIZE_MAX, layout) ||
      layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bmp = MakeBitmapObj(layout.width, layout.height, layout.bpp, true, layout.colorTable, layout.redMask,
                           layout.greenMask, layout.blueMask);
  if (!bmp) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* bits = bmp->bits.data();
  HBITMAP h = AddBitmap(std::move(bmp));
  if (h && ppvBits) *ppvBits = bits;
  return h;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
  if (width < 0 || height < 0 || planes != 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (width == 0 || height == 0) return DefaultDCBitmap();
  std::unique_ptr<BitmapObj> bmp;
  switch (bitCount) {
    case 1:
      bmp = MakeBitmapObj(width, height, 1, false, MonochromeTable());
      break;
    case 16:
      bmp = MakeBitmapObj(width, height, 16, false, {}, 0xF800, 0x07E0, 0x001F);
      break;
    case 24:
    case 32:
      bmp = MakeBitmapObj(width, height, int(bitCount), false);
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
  if (bmp && bits) {
    // Device bitmap rows are WORD aligned.
    const size_t srcStride = ((size_t(width) * bitCount + 15) / 16) * 2;
    const auto* src = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
      std::memcpy(bmp->bits.data() + size_t(y) * size_t(bmp->stride), src + size_t(y) * srcStride, srcStride);
  }
  return AddBitmap(std::move(bmp));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  DCObj* dc = FindDC(hdc);
  if (!dc || width < 0 || height < 0) {
    SetLastError(dc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (width == 0 || height == 0) return DefaultDCBitmap();
  const BitmapObj* selected = dc->kind == DCKind::Memory ? FindBitmap(dc->bitmap) : nullptr;
  if (selected && selected->dibSection)
    return AddBitmap(MakeBitmapObj(width, height, selected->bpp, true, selected->colorTable,
                                   selected->redMask, selected->greenMask, selected->blueMask));
  if (selected && selected->bpp == 1) return CreateBitmap(width, height, 1, 1, nullptr);
  return AddBitmap(MakeDisplayBitmap(width, height));
}

}  // namespace win
