#pragma once
// A chart canvas drawing on a white 24-bit bitmap, for the canvas tests.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "chart/PlotCanvas.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"

namespace canvastest {

class CanvasOnBitmap : public ::testing::Test {
 protected:
  static constexpr int kWidth = 120, kHeight = 100;
  void SetUp() override {
    bitmap_.SetPixelFormat(fw::pf24bit);
    bitmap_.SetSize(kWidth, kHeight);
    bitmap_.Canvas()->Brush()->SetColor(fw::clWhite);
    bitmap_.Canvas()->FillRect(fw::TRect{0, 0, kWidth, kHeight});
    canvas_.SetReferenceCanvas(bitmap_.Canvas());
    canvas_.Pen()->SetColor(fw::clBlack);
    canvas_.Brush()->SetColor(fw::clWhite);
  }
  // The pixel whatever the canvas's clip (GetPixel fails outside the clip).
  fw::TColor At(int x, int y) {
    win::HDC dc = bitmap_.Canvas()->Handle();
    const int saved = win::SaveDC(dc);
    win::SelectClipRgn(dc, nullptr);
    const fw::TColor c = fw::TColor(win::GetPixel(dc, x, y) & 0xFFFFFF);
    win::RestoreDC(dc, saved);
    return c;
  }
  int Channel(int x, int y, int shift) { return (At(x, y) >> shift) & 0xFF; }

  fw::TBitmap bitmap_;
  chart::TPlotCanvas3D canvas_;
};

}  // namespace canvastest
