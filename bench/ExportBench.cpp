// LZW coding of a 1600x1200 chart-like picture at 256 colours: white background, grid lines,
// five coloured polylines and a band of noise that uses the whole palette.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/GIFImageCoders.h"

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

}  // namespace
