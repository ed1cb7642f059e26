// The chart of BM_ChartBitmap1M (one line series of 10^6 points) printed on the PDF printer: an
// A4 page at 150 dots per inch, the chart in its print rectangle, the PDF written to a file.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/Series.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Printers.h"

namespace {

void BM_PrintChart1M(benchmark::State& state) {
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
  fw::TPrinter printer;
  printer.FileName = (std::filesystem::temp_directory_path() / "kv-bench-print.pdf").string();
  for (auto _ : state) {
    printer.BeginDoc();
    chart.PrintPartial(*printer.Canvas(), chart.ChartPrintRect(printer.PageWidth(), printer.PageHeight()));
    printer.EndDoc();
  }
  std::filesystem::remove(printer.FileName);
}
BENCHMARK(BM_PrintChart1M)->Unit(benchmark::kMillisecond);

}  // namespace
