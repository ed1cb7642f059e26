// LZW coding of a 1600x1200 chart-like picture at 256 colours: white background, grid lines,
// five coloured polylines and a band of noise that uses the whole palette; and colour reduction
// with dithering of the same picture in true colour, with a gradient band added.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "export/GIFImageCoders.h"
#include "export/GIFImageReduce.h"
#include "framework/GraphicsBitmap.h"

namespace {

constexpr int kWidth = 1600, kHeight = 1200;

// Integer-only, so that the same picture can be rebuilt elsewhere for comparison.
std::vector<std::uint8_t> ChartPicture() {
  std::vector<std::uint8_t> p(static_cast<std::size_t>(kWidth) * kHeight, 0);
  auto at = [&](int x, int y) -> std::uint8_t& { return p[static_cast<std::size_t>(y) * kWidth + x]; };
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (x % 80 == 0 || y % 60 == 0) at(x, y) = 1;
  std::uint32_t state = 2024;
  for (int line = 0; line < 5; ++line) {
    constexpr int kStep = 50;
    std::vector<int> vertex(kWidth / kStep + 1);
    for (int& v : vertex) {
      state = state * 1664525u + 1013904223u;
      v = 100 + static_cast<int>((state >> 8) % 800u);
    }
    int previous = vertex[0];
    for (int x = 0; x < kWidth; ++x) {
      const int i = x / kStep, t = x % kStep;
      const int y = (vertex[i] * (kStep - t) + vertex[i + 1] * t) / kStep;
      const int lo = y < previous ? y : previous, hi = y < previous ? previous : y;
      for (int yy = lo; yy <= hi + 1; ++yy) at(x, yy) = static_cast<std::uint8_t>(2 + line);
      previous = y;
    }
  }
  for (int y = 1000; y < 1100; ++y)
    for (int x = 0; x < kWidth; ++x) {
      std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
      h ^= h >> 13;
      h *= 0x5bd1e995u;
      h ^= h >> 15;
      at(x, y) = static_cast<std::uint8_t>(h & 0xFF);
    }
  return p;
}

void BM_GifEncode1600x1200(benchmark::State& state) {
  const std::vector<std::uint8_t> picture = ChartPicture();
  kvexport::GIFCodedFrame frame;
  frame.Data = picture.data();
  frame.Width = kWidth;
  frame.Height = kHeight;
  frame.BitsPerPixel = 8;
  frame.ColorCount = 256;
  std::vector<std::uint8_t> out;
  out.reserve(picture.size());
  for (auto _ : state) {
    out.clear();
    kvexport::GIFEncodeFrame(out, frame, 0);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["bytes"] = static_cast<double>(out.size());
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(picture.size()));
}
BENCHMARK(BM_GifEncode1600x1200)->Unit(benchmark::kMillisecond);

// The chart picture in true colour: the indices above through a fixed palette (white ground,
// grey grid, five curve colours, greys for the noise band), and a horizontal gradient over the
// last 80 rows, so that the picture has far more than 256 colours.
std::unique_ptr<fw::TBitmap> TrueColorChart() {
  static constexpr std::uint8_t kCurves[7][3] = {{255, 255, 255}, {200, 200, 200}, {220, 0, 0}, {0, 150, 0},
                                                 {0, 0, 220},     {200, 120, 0},   {120, 0, 160}};
  const std::vector<std::uint8_t> indices = ChartPicture();
  auto bitmap = std::make_unique<fw::TBitmap>();
  bitmap->SetPixelFormat(fw::pf24bit);
  bitmap->SetSize(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t r, g, b;
      if (y >= 1120) {
        r = static_cast<std::uint8_t>(x * 255 / (kWidth - 1));
        g = 128;
        b = static_cast<std::uint8_t>(255 - r);
      } else {
        const int i = indices[static_cast<std::size_t>(y) * kWidth + x];
        if (i < 7) {
          r = kCurves[i][0], g = kCurves[i][1], b = kCurves[i][2];
        } else {
          r = g = b = static_cast<std::uint8_t>(i);
        }
      }
      row[x * 3] = b;
      row[x * 3 + 1] = g;
      row[x * 3 + 2] = r;
    }
  }
  return bitmap;
}

// The image's default reduction (the 216-colour web palette) with Floyd-Steinberg dithering.
void BM_ColorReduceDither1600x1200(benchmark::State& state) {
  const std::unique_ptr<fw::TBitmap> picture = TrueColorChart();
  for (auto _ : state) {
    std::unique_ptr<fw::TBitmap> reduced = kvexport::ReduceColors(
        *picture, kvexport::TColorReduction::Netscape, kvexport::TDitherMode::FloydSteinberg, 8, nullptr);
    benchmark::DoNotOptimize(reduced.get());
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kWidth * kHeight);
}
BENCHMARK(BM_ColorReduceDither1600x1200)->Unit(benchmark::kMillisecond);

// The optimal 256-colour palette of the same picture, mapped with Floyd-Steinberg dithering.
void BM_ColorReduceQuantize1600x1200(benchmark::State& state) {
  const std::unique_ptr<fw::TBitmap> picture = TrueColorChart();
  std::unique_ptr<fw::TBitmap> reduced;
  for (auto _ : state) {
    reduced = kvexport::ReduceColors(*picture, kvexport::TColorReduction::Quantize,
                                     kvexport::TDitherMode::FloydSteinberg, 8, nullptr);
    benchmark::DoNotOptimize(reduced.get());
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kWidth * kHeight);
  // The mean squared error per channel against the true colours (gif_reference.py prints
  // Pillow's the same way).
  reduced->SetPixelFormat(fw::pf24bit);
  double squares = 0;
  for (int y = 0; y < kHeight; ++y) {
    const auto* a = static_cast<const std::uint8_t*>(picture->ScanLine(y));
    const auto* b = static_cast<const std::uint8_t*>(reduced->ScanLine(y));
    for (int i = 0; i < kWidth * 3; ++i) squares += double(int(a[i]) - int(b[i])) * double(int(a[i]) - int(b[i]));
  }
  state.counters["colour_error"] = squares / (double(kWidth) * kHeight * 3);
}
BENCHMARK(BM_ColorReduceQuantize1600x1200)->Unit(benchmark::kMillisecond);

}  // namespace
