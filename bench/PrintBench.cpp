// The chart of BM_ChartBitmap1M (one line series of 10^6 points) printed on the PDF printer: an
// A4 page at 150 dots per inch, the chart in its print rectangle, the PDF written to a file.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "RandomWalkChart.h"
#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/Series.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Printers.h"

namespace {

void BM_PrintChart1M(benchmark::State& state) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 1600, 1200);
  bench::FillRandomWalkChart(chart, 1'000'000);
  fw::TPrinter printer;
  printer.FileName = (std::filesystem::temp_directory_path() / "kv-bench-print.pdf").string();
  for (auto _ : state) {
    printer.BeginDoc();
    chart.PrintPartial(*printer.Canvas(), chart.ChartPrintRect(printer.PageWidth(), printer.PageHeight()));
    printer.EndDoc();
  }
  state.counters["pdf_bytes"] = double(std::filesystem::file_size(printer.FileName));
  std::filesystem::remove(printer.FileName);
}
BENCHMARK(BM_PrintChart1M)->Unit(benchmark::kMillisecond);

}  // namespace
