// The chart of BM_ChartBitmap1M (one line series of 10^6 points, 1600x1200) written as an EMF
// and as a WMF file into memory: the recording, and for WMF the conversion to 16-bit records.
// The file sizes are reported, to show that the line arrives decimated as on screen.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/Series.h"
#include "export/KvPlotMetafile.h"
#include "framework/Streams.h"

namespace {

void WriteMetafile(benchmark::State& state, bool Enhanced) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 1600, 1200);
  chart.Title()->SetText("Random walk");
  auto* series = new chart::TLineSeries(&chart);
  uint32_t seed = 2024;
  auto unit = [&] {
    seed = seed * 1664525u + 1013904223u;
    return double(seed >> 8) / double(1u << 24);
  };
  double x = 0, y = 0;
  series->BeginUpdate();
  for (int i = 0; i < 1'000'000; ++i) {
    x += 0.5 + unit();
    y += unit() - 0.5;
    series->AddXY(x, y);
  }
  series->EndUpdate();
  series->SetParentChart(&chart);
  kvexport::TKvEMFExportFormat format(Enhanced);
  format.Panel = &chart;
  fw::Int64 bytes = 0;
  for (auto _ : state) {
    fw::TMemoryStream stream;
    format.SaveToStream(&stream);
    bytes = stream.Size();
  }
  state.counters["file_bytes"] = double(bytes);
}

void BM_EmfFile1M(benchmark::State& state) { WriteMetafile(state, true); }
void BM_WmfFile1M(benchmark::State& state) { WriteMetafile(state, false); }
BENCHMARK(BM_EmfFile1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WmfFile1M)->Unit(benchmark::kMillisecond);

}  // namespace
