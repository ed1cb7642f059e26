// The chart of BM_ChartBitmap1M (one line series of 10^6 points, 1600x1200) written as an EMF
// and as a WMF file into memory: the recording, and for WMF the conversion to 16-bit records.
// The file sizes are reported, to show that the line arrives decimated as on screen.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "RandomWalkChart.h"
#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/Series.h"
#include "export/KvPlotMetafile.h"
#include "framework/Streams.h"

namespace {

void WriteMetafile(benchmark::State& state, bool Enhanced) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 1600, 1200);
  bench::FillRandomWalkChart(chart, 1'000'000);
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
