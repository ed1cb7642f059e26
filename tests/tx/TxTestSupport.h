#pragma once
// Shared fixtures of the themed engine's tests: a headless desktop with the drawing utilities
// started, a 32-bit canvas pre-filled with a sentinel colour, and small image lists.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "support/HeadlessFixture.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace txtest {

using fw::TColor;
inline constexpr TColor kSentinel = 0x123456;

class TxTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    tx::InitTxUtils();
  }
  void TearDown() override {
    tx::DoneTxUtils();
    HeadlessTest::TearDown();
  }

  // A fresh target of w x h filled with `fill`.
  fw::TCanvas* Target(int w, int h, TColor fill = kSentinel) {
    bmp = std::make_unique<fw::TBitmap>();
    bmp->SetPixelFormat(fw::pf32bit);
    bmp->SetSize(w, h);
    bmp->Canvas()->Brush()->SetColor(fill);
    bmp->Canvas()->FillRect(fw::TRect{0, 0, w, h});
    return bmp->Canvas();
  }
  win::HDC DC() { return bmp->Canvas()->Handle(); }
  TColor Px(int x, int y) { return bmp->Canvas()->Pixels(x, y); }
  // Pixels of the target that differ from `fill`, outside `inside`. The target's rows are read
  // straight from its memory (blue, green, red, unused): the theme sweeps ask this some ten
  // thousand times a theme, too often for a pixel query each.
  int ChangedOutside(const fw::TRect& inside, TColor fill = kSentinel) {
    const auto outside = [&](int x, int y) {
      return x < inside.left || x >= inside.right || y < inside.top || y >= inside.bottom;
    };
    int n = 0;
    if (bmp->PixelFormat() != fw::pf32bit) {
      for (int y = 0; y < bmp->Height(); ++y)
        for (int x = 0; x < bmp->Width(); ++x)
          if (outside(x, y) && Px(x, y) != fill) ++n;
      return n;
    }
    const uint8_t red = fill & 0xFF, green = (fill >> 8) & 0xFF, blue = (fill >> 16) & 0xFF;
    for (int y = 0; y < bmp->Height(); ++y) {
      const auto* row = static_cast<const uint8_t*>(bmp->ScanLine(y));
      for (int x = 0; x < bmp->Width(); ++x) {
        const uint8_t* p = row + 4 * x;
        if (outside(x, y) && (p[0] != blue || p[1] != green || p[2] != red)) ++n;
      }
    }
    return n;
  }

  // An image list of one w x h image drawn from rows of TColor values; `mask` is see-through.
  std::unique_ptr<fw::TImageList> Images(int w, int h, const std::vector<TColor>& pixels, TColor mask) {
    auto list = std::make_unique<fw::TImageList>(nullptr);
    list->SetWidth(w);
    list->SetHeight(h);
    fw::TBitmap image;
    image.SetPixelFormat(fw::pf24bit);
    image.SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image.Canvas()->SetPixels(x, y, pixels[size_t(y * w + x)]);
    list->AddMasked(&image, mask);
    return list;
  }

  std::unique_ptr<fw::TBitmap> bmp;
};

}  // namespace txtest
