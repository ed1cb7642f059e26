// SVG export of a chart showing one line series of 100,000 points (a random walk over ascending
// X) at 1600x1200: the chart draws once through the SVG canvas into a list of lines, which is
// then written as UTF-8 text to a memory stream.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "export/KvPlotSVG.h"
#include "framework/Forms.h"
#include "framework/Streams.h"
#include "platform/desktop/HeadlessDesktop.h"

namespace {

struct Lcg {
  std::uint32_t state = 2024;
  double Unit() {
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1u << 24);
  }
};

void BM_SvgExport100k(benchmark::State& state) {
  win::desktop::HeadlessDesktop desk(1920, 1280);
  if (!fw::Application) fw::Application = new fw::TApplication(nullptr);
  auto chart = std::make_unique<chart::TChart>(nullptr);
  chart->SetBounds(0, 0, 1600, 1200);
  auto* series = new chart::TLineSeries(chart.get());
  series->SetParentChart(chart.get());
  Lcg rng;
  double x = 0, y = 0;
  for (int i = 0; i < 100000; ++i) {
    x += 0.5 + rng.Unit();
    y += rng.Unit() - 0.5;
    series->AddXY(x, y);
  }
  kvexport::TKvSVGExportFormat format;
  format.Panel = chart.get();
  std::int64_t bytes = 0;
  for (auto _ : state) {
    fw::TMemoryStream out;
    format.SaveToStream(&out);
    bytes = out.Size();
    benchmark::DoNotOptimize(out.Memory());
  }
  state.counters["bytes"] = double(bytes);
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_SvgExport100k)->Unit(benchmark::kMillisecond);

}  // namespace
