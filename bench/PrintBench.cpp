// The chart of BM_ChartBitmap1M (one line series of 10^6 points) printed on the PDF printer: an
// A4 page at 150 dots per inch, the chart in its print rectangle, the PDF written to a file.
// BM_PrintPreviewDrag1M: the print preview of that chart (the print dialog's 432 x 312 panel)
// after the user drags its left margin, from the release to the repainted sheet.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "RandomWalkChart.h"
#include "export/PlotPreviewPanel.h"
#include "framework/Forms.h"
#include "platform/desktop/HeadlessDesktop.h"
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

void BM_PrintPreviewDrag1M(benchmark::State& state) {
  win::desktop::HeadlessDesktop desk{1920, 1280};
  auto chart = std::make_unique<chart::TChart>(nullptr);
  chart->SetBounds(0, 0, 1600, 1200);
  bench::FillRandomWalkChart(*chart, 1'000'000);
  chart->SetPrintProportional(false);
  chart->SetPrintMargins(fw::TRect{15, 15, 15, 15});
  fw::TPrinter printer;
  auto form = std::make_unique<fw::TForm>(nullptr);
  form->SetBorderStyle(fw::bsNone);
  form->SetBounds(50, 50, 432, 312);
  auto* preview = new kvexport::TPlotPreviewPanel(form.get());
  preview->SetParent(form.get());
  preview->SetPrinter(&printer);
  preview->SetPanel(chart.get());
  form->Show();
  desk.run_until_idle();
  long paints = 0;
  preview->OnAfterDraw = [&paints](fw::TObject*) { ++paints; };
  const fw::TRect area = preview->MarginsRect(preview->PaperRect());
  const int y = (area.top + area.bottom) / 2;
  int x = area.left;
  for (auto _ : state) {
    // Two pixels right, then back: the margin changes every time.
    const int to = x == area.left ? x + 2 : area.left;
    state.PauseTiming();
    desk.mouse_move(preview->ClientToScreen(fw::TPoint{x, y}));
    desk.mouse_down(preview->ClientToScreen(fw::TPoint{x, y}));
    desk.run_until_idle();
    desk.mouse_move(preview->ClientToScreen(fw::TPoint{to, y}));
    desk.run_until_idle();
    state.ResumeTiming();
    desk.mouse_up(preview->ClientToScreen(fw::TPoint{to, y}));
    desk.run_until_idle();
    x = to;
  }
  state.counters["paints_per_drag"] = double(paints) / double(state.iterations());
  form.reset();
}
BENCHMARK(BM_PrintPreviewDrag1M)->Unit(benchmark::kMillisecond);

}  // namespace
