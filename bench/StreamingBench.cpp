// A chart with one line series of 10^4 to 10^6 points written to a component stream and read
// back (a new chart each time); the points travel as the series' binary data.

#include <benchmark/benchmark.h>

#include <memory>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/Streams.h"

namespace {

void BM_ChartStreamRoundTrip(benchmark::State& state) {
  const int n = int(state.range(0));
  chart::RegisterLineSeriesClasses();
  chart::TChart source(nullptr);
  auto* series = new chart::TLineSeries(&source);
  series->SetName("Series1");
  for (int i = 0; i < n; ++i) series->AddXY(i * 0.25, (i * 7919 % 1000) * 0.01);
  source.AddSeries(series);
  for (auto _ : state) {
    fw::TMemoryStream stream;
    stream.WriteComponent(&source);
    stream.SetPosition(0);
    std::unique_ptr<fw::TComponent> back(stream.ReadComponent(nullptr));
    benchmark::DoNotOptimize(back.get());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ChartStreamRoundTrip)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
