#include "framework/GraphicsBitmapFormat.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace fw::bitmaps {
namespace {

// Destination AND NOT source.
constexpr win::DWORD kMaskOutRop = 0x00220326;

win::RGBQUAD Quad(int r, int g, int b) {
  win::RGBQUAD q;
  q.rgbRed = win::BYTE(r);
  q.rgbGreen = win::BYTE(g);
  q.rgbBlue = win::BYTE(b);
  return q;
}

bool IsBlackWhite(const std::vector<win::RGBQUAD>& table) {
  return table.size() >= 2 && table[0] == Quad(0, 0, 0) && table[1] == Quad(255, 255, 255);
}

TPixelFormat FormatOfDib(int bpp, win::DWORD greenMask) {
  switch (bpp) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return greenMask == 0x07E0 ? pf16bit : pf15bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
  }
}

win::BITMAPINFO TopDownInfo(int width, int height, int bpp) {
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biBitCount = win::WORD(bpp);
  return bi;
}

}  // namespace

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

std::vector<win::RGBQUAD> DefaultColorTable(int bpp) {
  std::vector<win::RGBQUAD> t;
  if (bpp == 1) return {Quad(0, 0, 0), Quad(255, 255, 255)};
  if (bpp != 4 && bpp != 8) return t;
  static constexpr int kVga[16][3] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                      {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                      {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                      {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  for (const auto& c : kVga) t.push_back(Quad(c[0], c[1], c[2]));
  if (bpp == 4) return t;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) t.push_back(Quad(r * 51, g * 51, b * 51));
  // 24 greys between the cube's own: 8, 18, ... 238.
  for (int v = 8; t.size() < 256; v += 10) t.push_back(Quad(v, v, v));
  return t;
}

bool ReadFormat(win::HBITMAP h, Format& out, int& width, int& height) {
  if (!h || win::GetObjectType(h) != win::OBJ_BITMAP) return false;
  win::DIBSECTION ds;
  const int got = win::GetObjectW(h, sizeof ds, &ds);
  if (got <= 0) return false;
  width = ds.dsBm.bmWidth;
  height = ds.dsBm.bmHeight;
  out = Format{};
  out.bpp = ds.dsBm.bmBitsPixel;
  if (got < int(sizeof ds)) {
    out.handleType = bmDDB;
    out.monochrome = out.bpp == 1;
    out.pixelFormat = out.monochrome ? pf1bit : pfDevice;
    return true;
  }
  out.handleType = bmDIB;
  out.pixelFormat = FormatOfDib(out.bpp, ds.dsBitfields[1]);
  if (out.bpp == 32 && ds.dsBitfields[1] != 0 && ds.dsBitfields[1] != 0xFF00) out.pixelFormat = pfCustom;
  if (out.bpp <= 8) {
    win::BITMAPINFO bi = TopDownInfo(width, height, out.bpp);
    if (win::GetDIBits(nullptr, h, 0, 0, nullptr, &bi, win::DIB_RGB_COLORS) != 0)
      out.colorTable.assign(bi.bmiColors, bi.bmiColors + (size_t(1) << out.bpp));
    out.monochrome = out.bpp == 1 && IsBlackWhite(out.colorTable);
  }
  return true;
}

win::HBITMAP Create(TPixelFormat format, bool monochrome, TBitmapHandleType type, int width, int height,
                    const std::vector<win::RGBQUAD>& table) {
  if (width <= 0 || height <= 0) return nullptr;
  if (type == bmDDB || format == pfDevice) {
    // Device bitmaps: monochrome, or the display's 32 bpp.
    return win::CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr);
  }
  const int bpp = BitsPerPixel(format);
  if (bpp == 0) return nullptr;
  win::BITMAPINFO bi = TopDownInfo(width, height, bpp);
  if (format == pf16bit) {
    bi.bmiHeader.biCompression = win::BI_BITFIELDS;
    const win::DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(bi.bmiColors, masks, sizeof masks);
  }
  if (bpp <= 8) {
    std::vector<win::RGBQUAD> t = table.empty() || (monochrome && bpp == 1) ? DefaultColorTable(bpp) : table;
    t.resize(size_t(1) << bpp);
    std::copy(t.begin(), t.end(), bi.bmiColors);
    bi.bmiHeader.biClrUsed = win::DWORD(t.size());
  }
  void* bits = nullptr;
  return win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
}

void CommitPendingDrawing(win::HBITMAP h) {
  // A DIB transfer commits pending drawing before it reads; a header query transfers nothing.
  win::BITMAPINFO bi{};
  win::GetDIBits(nullptr, h, 0, 0, nullptr, &bi, win::DIB_RGB_COLORS);
}

std::vector<uint32_t> ReadPixels(win::HBITMAP h, int width, int height) {
  std::vector<uint32_t> px(size_t(width) * size_t(height));
  win::BITMAPINFO bi = TopDownInfo(width, height, 32);
  if (px.empty() || win::GetDIBits(nullptr, h, 0, win::UINT(height), px.data(), &bi, win::DIB_RGB_COLORS) == 0)
    return {};
  for (uint32_t& p : px) p &= 0xFFFFFF;
  return px;
}

bool WritePixels(win::HBITMAP h, int width, int height, const std::vector<uint32_t>& pixels) {
  if (pixels.size() != size_t(width) * size_t(height)) return false;
  win::BITMAPINFO bi = TopDownInfo(width, height, 32);
  return win::SetDIBits(nullptr, h, 0, win::UINT(height), pixels.data(), &bi, win::DIB_RGB_COLORS) != 0;
}

MemoryDC::MemoryDC(win::HBITMAP bitmap) : dc_(win::CreateCompatibleDC(nullptr)) {
  if (dc_ && bitmap) old_ = win::SelectObject(dc_, bitmap);
}

MemoryDC::~MemoryDC() {
  if (!dc_) return;
  if (old_) win::SelectObject(dc_, old_);
  win::DeleteDC(dc_);
}

MonoColors::MonoColors(win::HDC dc)
    : dc_(dc), text_(win::SetTextColor(dc, win::RGB(0, 0, 0))), bk_(win::SetBkColor(dc, win::RGB(255, 255, 255))) {}

MonoColors::~MonoColors() {
  win::SetTextColor(dc_, text_);
  win::SetBkColor(dc_, bk_);
}

win::HBITMAP CreateColorMask(win::HBITMAP image, int width, int height, win::COLORREF rgb) {
  const std::vector<uint32_t> px = ReadPixels(image, width, height);
  if (px.empty()) return nullptr;
  win::HBITMAP mask = Create(pf1bit, true, bmDIB, width, height, {});
  if (!mask) return nullptr;
  // ReadPixels gives 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
  const uint32_t key = (uint32_t(win::GetRValue(rgb)) << 16) | (uint32_t(win::GetGValue(rgb)) << 8) |
                       win::GetBValue(rgb);
  win::DIBSECTION ds;
  win::GetObjectW(mask, sizeof ds, &ds);
  auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bits + size_t(y) * size_t(ds.dsBm.bmWidthBytes);
    for (int x = 0; x < width; ++x)
      if (px[size_t(y) * size_t(width) + size_t(x)] == key) row[x >> 3] |= uint8_t(0x80 >> (x & 7));
  }
  return mask;
}

win::HBITMAP MaskedOutCopy(win::HDC imageDC, int width, int height, win::HBITMAP mask) {
  win::HBITMAP cut = Create(pf32bit, false, bmDIB, width, height, {});
  if (!cut) return nullptr;
  MemoryDC cutDC(cut);
  MemoryDC maskDC(mask);
  win::BitBlt(cutDC.Handle(), 0, 0, width, height, imageDC, 0, 0, win::SRCCOPY);
  win::BitBlt(cutDC.Handle(), 0, 0, width, height, maskDC.Handle(), 0, 0, kMaskOutRop);
  return cut;
}

void DrawMaskedOut(win::HDC dest, const TRect& rect, win::HBITMAP cut, int width, int height, win::HBITMAP mask) {
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  MemoryDC cutDC(cut);
  MemoryDC maskDC(mask);
  const MonoColors mono(dest);
  win::StretchBlt(dest, rect.left, rect.top, w, h, maskDC.Handle(), 0, 0, width, height, win::SRCAND);
  win::StretchBlt(dest, rect.left, rect.top, w, h, cutDC.Handle(), 0, 0, width, height, win::SRCPAINT);
}

void TransparentStretch(win::HDC dest, const TRect& rect, win::HDC imageDC, int width, int height,
                        win::HBITMAP mask) {
  win::HBITMAP cut = MaskedOutCopy(imageDC, width, height, mask);
  if (!cut) return;
  DrawMaskedOut(dest, rect, cut, width, height, mask);
  win::DeleteObject(cut);
}

}  // namespace fw::bitmaps
