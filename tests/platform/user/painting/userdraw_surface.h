#pragma once
// A 32-bit memory surface for drawing tests, read straight from its bits (not through GetPixel),
// and a way to compare it with a picture written as rows of letters.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/services/SysColors.h"

namespace win::testing_support {

class Surface {
 public:
  Surface(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH b = CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, b);
    DeleteObject(b);
  }
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  COLORREF At(int x, int y) const {
    uint32_t v = bits_[size_t(y) * size_t(width_) + size_t(x)];  // 0x00RRGGBB
    return RGB(BYTE(v >> 16), BYTE(v >> 8), BYTE(v));
  }

  // Compares the area whose top-left is (x0, y0) with `rows`; each letter stands for the colour
  // the legend gives it. Reports every differing pixel.
  ::testing::AssertionResult Matches(int x0, int y0, const std::vector<std::string>& rows,
                                     const std::map<char, COLORREF>& legend) const {
    std::string diffs;
    for (size_t y = 0; y < rows.size(); ++y) {
      for (size_t x = 0; x < rows[y].size(); ++x) {
        COLORREF want = legend.at(rows[y][x]);
        COLORREF got = At(x0 + int(x), y0 + int(y));
        if (want != got) {
          char buf[96];
          std::snprintf(buf, sizeof(buf), "(%d,%d) want '%c' %06X got %06X\n", x0 + int(x), y0 + int(y), rows[y][x],
                        unsigned(want), unsigned(got));
          diffs += buf;
        }
      }
    }
    if (diffs.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << diffs;
  }

 private:
  int width_, height_;
  uint32_t* bits_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Gives every colour the classic drawing uses a distinct value, so a picture tells them apart;
// the classic scheme comes back when it goes. Letters for pictures are in `legend`, with '.'
// for kBackground.
class DistinctSysColors {
 public:
  static constexpr COLORREF kBackground = RGB(255, 0, 255);
  DistinctSysColors() {
    const INT idx[] = {COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNFACE,
                       COLOR_WINDOW,  COLOR_WINDOWFRAME,  COLOR_BTNTEXT,   COLOR_WINDOWTEXT};
    const char letters[] = "LHSDFWKTX";
    const COLORREF rgb[] = {RGB(200, 0, 0), RGB(255, 255, 255), RGB(100, 100, 100), RGB(30, 30, 30), RGB(0, 200, 0),
                            RGB(250, 250, 200), RGB(0, 0, 90), RGB(0, 0, 255), RGB(90, 0, 90)};
    SetSysColors(9, idx, rgb);
    for (int i = 0; i < 9; ++i) legend[letters[i]] = rgb[i];
    legend['.'] = kBackground;
  }
  ~DistinctSysColors() { ResetSysColors(); }
  DistinctSysColors(const DistinctSysColors&) = delete;
  DistinctSysColors& operator=(const DistinctSysColors&) = delete;

  std::map<char, COLORREF> legend;
};

}  // namespace win::testing_support
