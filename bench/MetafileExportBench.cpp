// The chart of BM_ChartBitmap1M (one line series of 10^6 points, 1600x1200) written as an EMF
// and as a WMF file into memory: the recording, and for WMF the conversion to 16-bit records.
// The file sizes are reported, to show that the line arrives decimated as on screen, and for EMF
// the fonts created and the texts drawn.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "RandomWalkChart.h"
#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/Series.h"
#include "export/KvPlotMetafile.h"
#include "framework/Streams.h"
#include "platform/gdi/MetafileRecords.h"

namespace {

// The fonts created and the texts drawn in an EMF (records: type, size, data).
void CountRecords(const std::uint8_t* Data, std::size_t Size, int& Fonts, int& Texts) {
  Fonts = Texts = 0;
  for (std::size_t at = 0; at + 8 <= Size;) {
    std::uint32_t type, size;
    std::memcpy(&type, Data + at, 4);
    std::memcpy(&size, Data + at + 4, 4);
    if (size < 8) break;
    Fonts += type == win::EMR_EXTCREATEFONTINDIRECTW;
    Texts += type == win::EMR_EXTTEXTOUTW;
    at += size;
  }
}

void WriteMetafile(benchmark::State& state, bool Enhanced) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 1600, 1200);
  bench::FillRandomWalkChart(chart, 1'000'000);
  kvexport::TKvEMFExportFormat format(Enhanced);
  format.Panel = &chart;
  fw::Int64 bytes = 0;
  int fonts = 0, texts = 0;
  for (auto _ : state) {
    fw::TMemoryStream stream;
    format.SaveToStream(&stream);
    bytes = stream.Size();
    if (Enhanced) {
      state.PauseTiming();
      CountRecords(static_cast<const std::uint8_t*>(stream.Memory()), std::size_t(bytes), fonts, texts);
      state.ResumeTiming();
    }
  }
  state.counters["file_bytes"] = double(bytes);
  if (Enhanced) {
    state.counters["font_records"] = fonts;
    state.counters["text_records"] = texts;
  }
}

void BM_EmfFile1M(benchmark::State& state) { WriteMetafile(state, true); }
void BM_WmfFile1M(benchmark::State& state) { WriteMetafile(state, false); }
BENCHMARK(BM_EmfFile1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WmfFile1M)->Unit(benchmark::kMillisecond);

}  // namespace
