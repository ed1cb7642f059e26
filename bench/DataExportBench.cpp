// Tab-separated export of one graph of 10^6 points into a memory stream: X in steps of a
// millisecond, Y a noisy signal with full 15-digit values, as an instrument trace would be.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "export/KvPlotStore.h"
#include "framework/Streams.h"

namespace {

void BM_TsvExport1M(benchmark::State& state) {
  chart::TChart chart(nullptr);
  chart::TLineSeries series(nullptr);
  std::uint32_t noise = 12345;
  for (int i = 0; i < 1000000; ++i) {
    noise = noise * 1664525u + 1013904223u;
    series.AddXY(i * 0.001, std::sin(i * 0.001) * 12.5 + (noise >> 8) * 1e-9);
  }
  chart.AddSeries(&series);
  std::int64_t bytes = 0;
  for (auto _ : state) {
    kvexport::TKvSeriesDataText text(&chart, &series);
    text.SetDecimalSeparator(',');
    fw::TMemoryStream stream;
    text.SaveToStream(&stream);
    bytes += stream.Size();
    benchmark::DoNotOptimize(stream.Memory());
  }
  state.SetBytesProcessed(bytes);
  chart.RemoveSeries(&series);
}
BENCHMARK(BM_TsvExport1M)->Unit(benchmark::kMillisecond);

}  // namespace
