#pragma once
// A white 32-bpp canvas selected into a memory DC, and pixel pictures for exact comparisons.

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/detail/GdiObjects.h"

namespace win::testing {

inline constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0),
                          kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

class Canvas {
 public:
  Canvas(int width, int height, int bpp = 32) : width_(width), height_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biBitCount = WORD(bpp);
    void* bits = nullptr;
    bmp_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bmp_);
    Clear(kWhite);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bmp_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bmp_; }
  void Clear(COLORREF c) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) gdi::WritePixel(*gdi::FindBitmap(bmp_), x, y, c);
  }
  COLORREF At(int x, int y) const { return gdi::ReadPixel(*gdi::FindBitmap(bmp_), x, y) & 0xFFFFFF; }
  // One text row per pixel row: '#' for `ink`, '.' for white, '?' for anything else; only the
  // top-left w x h pixels.
  std::string Picture(COLORREF ink, int w = -1, int h = -1) const {
    if (w < 0) w = width_;
    if (h < 0) h = height_;
    std::string out;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const COLORREF c = At(x, y);
        out += c == ink ? '#' : c == kWhite ? '.' : '?';
      }
      out += '\n';
    }
    return out;
  }
  int CountNot(COLORREF c) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += At(x, y) != c;
    return n;
  }

 private:
  int width_, height_;
  HBITMAP bmp_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Joins picture rows written one per line in the test source.
inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) (s += r) += '\n';
  return s;
}

// Selects an object for the lifetime of the guard and deletes it afterwards.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ obj) : dc_(dc), obj_(obj), old_(SelectObject(dc, obj)) {}
  ~Selected() {
    SelectObject(dc_, old_);
    DeleteObject(obj_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ obj_, old_;
};

}  // namespace win::testing
