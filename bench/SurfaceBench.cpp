// A window surface resized the way a dragged frame resizes it: 700x600 and 1200x900 in turn,
// keeping the picture that still fits. Alone (as while a window is resized step by step before
// it paints), and with every pixel then made ready for the screen (as when each step is shown).

#include <benchmark/benchmark.h>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/SurfaceDC.h"

namespace {

void ResizeBackAndForth(benchmark::State& state, bool shown) {
  win::BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(win::BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = 1200;
  bmi.bmiHeader.biHeight = -900;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::HBITMAP surface = win::CreateDIBSection(nullptr, &bmi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  bool wide = false;
  for (auto _ : state) {
    win::ResizeSurface(surface, wide ? 1200 : 700, wide ? 900 : 600, &bits, nullptr);
    if (shown) win::SettleSurface(surface);
    benchmark::DoNotOptimize(bits);
    wide = !wide;
  }
  win::DeleteObject(surface);
}

void BM_ResizeSurface(benchmark::State& state) { ResizeBackAndForth(state, false); }
BENCHMARK(BM_ResizeSurface)->Unit(benchmark::kMicrosecond);

void BM_ResizeSurfaceShown(benchmark::State& state) { ResizeBackAndForth(state, true); }
BENCHMARK(BM_ResizeSurfaceShown)->Unit(benchmark::kMicrosecond);

}  // namespace
