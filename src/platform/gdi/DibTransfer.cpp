// DIB transfers: GetDIBits, SetDIBits, SetDIBitsToDevice and StretchDIBits. Pixels travel as
// colours through the colour tables (no monochrome text/background rules: a DIB names its own
// colours). Scan lines count from the bottom of a bottom-up DIB and from the top of a top-down one.

#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/Blit.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/MetafileRecorder.h"
#include "platform/kernel/LastError.h"

namespace win::gdi {
namespace {

bool Fail(DWORD code) {
  SetLastError(code);
  return false;
}

// The output format a GetDIBits request asks for; fills in its masks where the caller left them 0.
bool RequestFormat(BITMAPINFO& bi, const BitmapObj& bmp, DibLayout& out) {
  BITMAPINFOHEADER& h = bi.bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
    return Fail(ERROR_INVALID_PARAMETER);
  const int bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(ERROR_INVALID_PARAMETER);
  out = DibLayout{};
  out.width = h.biWidth;
  out.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  out.topDown = h.biHeight < 0;
  out.bpp = bpp;
  out.compression = h.biCompression;
  out.stride = DibStride(out.width, bpp);
  if (out.width > (1 << 20) || out.height > (1 << 20)) return Fail(ERROR_INVALID_PARAMETER);
  DWORD masks[3];
  std::memcpy(masks, bi.bmiColors, sizeof masks);
  if (h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)) {
    if (masks[0] == 0 && masks[1] == 0 && masks[2] == 0) {
      if (bpp == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
      else if (bmp.bpp == 16)
        masks[0] = bmp.redMask, masks[1] = bmp.greenMask, masks[2] = bmp.blueMask;
      else
        masks[0] = 0xF800, masks[1] = 0x07E0, masks[2] = 0x001F;
      std::memcpy(bi.bmiColors, masks, sizeof masks);
    }
    out.redMask = masks[0], out.greenMask = masks[1], out.blueMask = masks[2];
  } else if (h.biCompression != BI_RGB) {
    return Fail(ERROR_INVALID_PARAMETER);
  } else if (bpp == 16) {
    out.redMask = 0x7C00, out.greenMask = 0x03E0, out.blueMask = 0x001F;
  }
  if (bpp <= 8) {
    out.colorTable = bmp.bpp == bpp ? bmp.colorTable : DefaultColorTable(bpp);
    out.colorTable.resize(size_t(1) << bpp);
  }
  return true;
}

// Copies one packed DIB row in `layout`'s format into row `y` of `dst`, converting through
// colours; pixels beyond either width are left alone.
void DibRowToBitmap(const DibLayout& layout, const uint8_t* row, BitmapObj& dst, int y) {
  auto line = MakeBitmapForLayout(layout, layout.width, 1);
  if (!line) return;
  std::memcpy(line->bits.data(), row, layout.stride);
  const PixelConverter convert(*line, dst);
  const int w = std::min(layout.width, dst.width);
  for (int x = 0; x < w; ++x) SetRaw(dst, x, y, convert(GetRaw(*line, x, 0)));
}

// A DIB given to a device call as a top-down bitmap object: all of it, or only the band of scan
// lines [startScan, startScan + lines) when `lines` is given. `bandTop` receives the DIB row (from
// the top) of the band's first row.
std::unique_ptr<BitmapObj> DibSource(const DibLayout& layout, const uint8_t* bits, UINT startScan, UINT lines,
                                     int& bandTop) {
  bandTop = 0;
  const bool rle = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
  if (rle || (startScan == 0 && lines >= UINT(layout.height)))
    return DibToBitmap(layout, bits, layout.imageBytes);
  if (startScan >= UINT(layout.height) || lines == 0) return nullptr;
  const int n = int(std::min<UINT>(lines, UINT(layout.height) - startScan));
  auto band = MakeBitmapForLayout(layout, layout.width, n);
  if (!band) return nullptr;
  // Rows in memory run in scan order: upwards for bottom-up DIBs.
  for (int k = 0; k < n; ++k) {
    const int row = layout.topDown ? k : n - 1 - k;
    std::memcpy(band->bits.data() + size_t(row) * size_t(band->stride), bits + size_t(k) * layout.stride,
                layout.stride);
  }
  bandTop = layout.topDown ? int(startScan) : layout.height - int(startScan) - n;
  return band;
}

}  // namespace
}  // namespace win::gdi

namespace win {

using namespace win::gdi;

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, void* lpvBits, BITMAPINFO* lpbmi, UINT usage) {
  BitmapObj* bmp = FindBitmap(hbm);
  if (!bmp || (hdc && !FindDC(hdc))) return Fail(ERROR_INVALID_HANDLE);
  if (!lpbmi || usage != DIB_RGB_COLORS) return Fail(ERROR_INVALID_PARAMETER);
  FlushPainting(*bmp);
  BITMAPINFOHEADER& h = lpbmi->bmiHeader;
  if (h.biBitCount == 0) {
    // Query of the bitmap's own format; only the header is written.
    if (lpvBits || h.biSize < sizeof(BITMAPINFOHEADER)) return Fail(ERROR_INVALID_PARAMETER);
    h.biWidth = bmp->width;
    h.biHeight = bmp->height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bmp->bpp);
    h.biCompression = (bmp->bpp == 16 && bmp->greenMask == 0x07E0) ? BI_BITFIELDS : BI_RGB;
    h.biSizeImage = DWORD(DibStride(bmp->width, bmp->bpp) * size_t(bmp->height));
    h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
    h.biClrUsed = h.biClrImportant = 0;
    return bmp->height;
  }
  DibLayout want;
  if (!RequestFormat(*lpbmi, *bmp, want)) return 0;
  h.biSizeImage = DWORD(want.stride * size_t(want.height));
  h.biClrUsed = 0;
  for (size_t i = 0; i < want.colorTable.size(); ++i) lpbmi->bmiColors[i] = want.colorTable[i];
  if (!lpvBits) return want.height;

  auto line = MakeBitmapForLayout(want, want.width, 1);
  if (!line) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  const PixelConverter convert(*bmp, *line);
  auto* out = static_cast<uint8_t*>(lpvBits);
  int copied = 0;
  for (UINT k = 0; k < cLines; ++k) {
    const int64_t scan = int64_t(start) + k;
    if (scan >= want.height) break;
    const int y = want.topDown ? int(scan) : want.height - 1 - int(scan);
    std::fill(line->bits.begin(), line->bits.end(), uint8_t(0));
    if (y < bmp->height) {
      const int w = std::min(want.width, bmp->width);
      for (int x = 0; x < w; ++x) SetRaw(*line, x, 0, convert(GetRaw(*bmp, x, y)));
    }
    std::memcpy(out + size_t(k) * want.stride, line->bits.data(), want.stride);
    ++copied;
  }
  return copied;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT usage) {
  BitmapObj* bmp = FindBitmap(hbm);
  if (!bmp || (hdc && !FindDC(hdc))) return Fail(ERROR_INVALID_HANDLE);
  DibLayout layout;
  if (!lpBits || !lpbmi || usage != DIB_RGB_COLORS ||
      !ParseDibHeader(reinterpret_cast<const uint8_t*>(lpbmi), SIZE_MAX, layout))
    return Fail(ERROR_INVALID_PARAMETER);
  FlushPainting(*bmp);
  const auto* bits = static_cast<const uint8_t*>(lpBits);
  if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
    auto whole = DibToBitmap(layout, bits, layout.imageBytes);
    if (!whole) return Fail(ERROR_INVALID_PARAMETER);
    const PixelConverter convert(*whole, *bmp);
    const int h = std::min(whole->height, bmp->height), w = std::min(whole->width, bmp->width);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) SetRaw(*bmp, x, y, convert(GetRaw(*whole, x, y)));
    return layout.height;
  }
  int copied = 0;
  for (UINT k = 0; k < cLines; ++k) {
    const int64_t scan = int64_t(start) + k;
    if (scan >= layout.height) break;
    const int y = layout.topDown ? int(scan) : layout.height - 1 - int(scan);
    if (y < bmp->height) DibRowToBitmap(layout, bits + size_t(k) * layout.stride, *bmp, y);
    ++copied;
  }
  return copied;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT startScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT usage) {
  DrawTarget dst = ResolveTarget(hdc);
  if (!dst) return Fail(ERROR_INVALID_HANDLE);
  DibLayout layout;
  if (!lpvBits || !lpbmi || usage != DIB_RGB_COLORS || w > 0x7FFFFFFF || h > 0x7FFFFFFF ||
      !ParseDibHeader(reinterpret_cast<const uint8_t*>(lpbmi), SIZE_MAX, layout))
    return Fail(ERROR_INVALID_PARAMETER);
  int bandTop = 0;
  auto src = DibSource(layout, static_cast<const uint8_t*>(lpvBits), startScan, cLines, bandTop);
  if (!src) return 0;
  // (xSrc, ySrc) is the lower-left corner of the source in a bottom-up DIB.
  const LONG top = ClampCoord(layout.topDown ? int64_t(ySrc) : int64_t(layout.height) - ySrc - int64_t(h));
  const BlitSource source{src.get(), ClampCoord(xSrc), top - bandTop, int(w), int(h), nullptr};
  if (!RunBlit(*dst.dc, *dst.bmp, xDest, yDest, int(w), int(h), &source, SRCCOPY)) return 0;
  return src->height;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT usage,
                  DWORD rop) {
  DrawTarget dst = ResolveTarget(hdc);
  if (dst.dc && dst.dc->recorder)
    return dst.dc->recorder->DibBlt(RECT{xDest, yDest, xDest + destWidth, yDest + destHeight}, POINT{xSrc, ySrc},
                                    SIZE{srcWidth, srcHeight}, lpBits, lpbmi, usage, rop);
  if (!dst) return Fail(ERROR_INVALID_HANDLE);
  DibLayout layout;
  if (!lpBits || !lpbmi || usage != DIB_RGB_COLORS ||
      !ParseDibHeader(reinterpret_cast<const uint8_t*>(lpbmi), SIZE_MAX, layout))
    return Fail(ERROR_INVALID_PARAMETER);
  int bandTop = 0;
  auto src = DibSource(layout, static_cast<const uint8_t*>(lpBits), 0, UINT(layout.height), bandTop);
  if (!src) return 0;
  // The source rectangle of a bottom-up DIB is measured from its bottom row.
  const LONG top = ClampCoord(layout.topDown ? int64_t(ySrc) : int64_t(layout.height) - ySrc - srcHeight);
  const BlitSource source{src.get(), ClampCoord(xSrc), top, srcWidth, srcHeight, nullptr};
  if (!RunBlit(*dst.dc, *dst.bmp, xDest, yDest, destWidth, destHeight, &source, rop)) return 0;
  return srcHeight < 0 ? -srcHeight : srcHeight;
}

}  // namespace win
