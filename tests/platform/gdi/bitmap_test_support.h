#pragma once
// Helpers shared by the bitmap, blit and DIB tests: BITMAPINFO builders, a DC made straight in
// the handle table (so bitmap tests do not depend on the DC code), pixel access by handle.

#include <cstring>
#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/Bitmaps.h"
#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi::testing {

inline BITMAPINFO MakeInfo(int width, int height, int bpp, DWORD compression = BI_RGB) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biBitCount = WORD(bpp);
  bi.bmiHeader.biCompression = compression;
  return bi;
}

inline void SetMasks(BITMAPINFO& bi, DWORD r, DWORD g, DWORD b) {
  DWORD masks[3] = {r, g, b};
  std::memcpy(bi.bmiColors, masks, sizeof masks);
}

inline HBITMAP MakeDib(int width, int height, int bpp, const std::vector<RGBQUAD>& table = {},
                       DWORD compression = BI_RGB, void** bits = nullptr) {
  BITMAPINFO bi = MakeInfo(width, height, bpp, compression);
  if (bpp == 16 && compression == BI_BITFIELDS) SetMasks(bi, 0xF800, 0x07E0, 0x001F);
  for (size_t i = 0; i < table.size(); ++i) bi.bmiColors[i] = table[i];
  bi.bmiHeader.biClrUsed = DWORD(table.size());
  void* ignored = nullptr;
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}

inline BitmapObj& Bmp(HBITMAP h) {
  return *FindBitmap(h);
}
inline COLORREF Px(HBITMAP h, int x, int y) {
  return ReadPixel(*FindBitmap(h), x, y);
}
inline void SetPx(HBITMAP h, int x, int y, COLORREF c) {
  WritePixel(*FindBitmap(h), x, y, c);
}

// A memory DC with `bmp` selected, made directly in the handle table and removed with the
// owner. Stands in for the DC code's CreateCompatibleDC/SelectObject in bitmap-level tests.
class TestDC {
 public:
  explicit TestDC(HBITMAP bmp, DCKind kind = DCKind::Memory) {
    auto dc = std::make_unique<DCObj>();
    dc->kind = kind;
    dc->bitmap = bmp;
    dc_ = dc.get();
    h_ = static_cast<HDC>(HandleTable::Instance().Add(std::move(dc)));
  }
  ~TestDC() { HandleTable::Instance().Remove(h_); }
  TestDC(const TestDC&) = delete;
  TestDC& operator=(const TestDC&) = delete;
  HDC handle() const { return h_; }
  DCObj& obj() { return *dc_; }
  operator HDC() const { return h_; }

 private:
  DCObj* dc_ = nullptr;
  HDC h_ = nullptr;
};

// A memory DC owning a DIB section of the given depth.
struct MemDC {
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;
  MemDC(int w, int h, int bpp = 32, const std::vector<RGBQUAD>& table = {}) {
    dc = CreateCompatibleDC(nullptr);
    bmp = MakeDib(w, h, bpp, table);
    old = SelectObject(dc, bmp);
  }
  explicit MemDC(HBITMAP b) : bmp(b) {
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bmp);
  }
  ~MemDC() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
  }
  BitmapObj& obj() const { return *FindBitmap(bmp); }
  uint32_t raw(int x, int y) const { return GetRaw(obj(), x, y); }
  void setRaw(int x, int y, uint32_t v) const { SetRaw(obj(), x, y, v); }
  COLORREF px(int x, int y) const { return ReadPixel(obj(), x, y); }
  MemDC(const MemDC&) = delete;
  MemDC& operator=(const MemDC&) = delete;
};

// Deletes bitmap handles made in a test.
struct BitmapGuard {
  std::vector<HBITMAP> handles;
  HBITMAP operator()(HBITMAP h) {
    handles.push_back(h);
    return h;
  }
  ~BitmapGuard() {
    for (HBITMAP h : handles)
      if (h && h != DefaultDCBitmap()) HandleTable::Instance().Remove(h);
  }
};

}  // namespace win::gdi::testing
