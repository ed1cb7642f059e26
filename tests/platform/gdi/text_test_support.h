#pragma once
// A white 32-bit canvas with the test font selected, and pixel queries for text tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"  // CreateDIBSection
#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/GdiObjects.h"
#include "dc_test_support.h"  // kWhite, kBlack

namespace win::testing {


inline LOGFONTW MakeLogFont(std::u16string_view face, LONG height, LONG escapement = 0) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfEscapement = escapement;
  lf.lfOrientation = escapement;
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  return lf;
}

class TextCanvas : public ::testing::Test {
 protected:
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 120;

  void SetUp() override {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const uint32_t*>(bits);
    ASSERT_NE(bitmap_, nullptr);
    dc_ = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc_, nullptr);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    Clear();
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, kBlack);
    UseFont(MakeLogFont(kTestFontFace, 0));
  }

  void TearDown() override {
    SelectObject(dc_, oldFont_);
    if (font_) DeleteObject(font_);
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }

  // Selects a new font made from `lf`, deleting the previous one.
  void UseFont(const LOGFONTW& lf) {
    HFONT font = CreateFontIndirectW(&lf);
    ASSERT_NE(font, nullptr);
    HGDIOBJ previous = SelectObject(dc_, font);
    if (font_) {
      DeleteObject(font_);
    } else {
      oldFont_ = previous;
    }
    font_ = font;
  }

  void Clear() {
    RECT all{0, 0, kWidth, kHeight};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }

  // Device pixel (x, y), read from the bitmap's bits once pending drawing is committed.
  COLORREF Pixel(int x, int y) {
    Flush();
    return At(x, y);
  }

  // Bounding box of every pixel of `color` (empty RECT when there is none).
  RECT Bounds(COLORREF color) {
    Flush();
    RECT r{kWidth, kHeight, 0, 0};
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (At(x, y) == color) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r.right == 0 ? RECT{} : r;
  }

  int Count(COLORREF color) {
    Flush();
    int n = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) n += At(x, y) == color;
    return n;
  }

  // True when every pixel of [left, right) x [top, bottom) has `color`.
  bool Filled(RECT r, COLORREF color) {
    Flush();
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (At(x, y) != color) return false;
    return true;
  }

  void Flush() { gdi::FlushPainting(*gdi::FindBitmap(bitmap_)); }

  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return CLR_INVALID;
    uint32_t p = bits_[y * kWidth + x];
    return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  const uint32_t* bits_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};

}  // namespace win::testing
