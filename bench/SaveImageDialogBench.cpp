// Saving the 10^6-point chart of BM_ChartBitmap1M through the save-image path, timed from OK to
// the closed file with the chart restored (BM_SaveImageDialog/<n>), against writing the same
// format directly (BM_SaveImageDirect/<n>), n the place of the extension below.
// BM_SaveImageDialogWhole/<n> times the whole path, building and showing the dialog included.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "RandomWalkChart.h"
#include "chart/ChartElement.h"
#include "chart/PlotCanvas.h"
#include "export/KvPlotExport.h"
#include "export/forms/WinSaveImg.h"
#include "framework/Forms.h"
#include "platform/desktop/HeadlessDesktop.h"

namespace {

const char* const kExtensions[] = {".bmp", ".jpg", ".gif", ".svg", ".tif", ".wmf", ".emf", ".pcx"};

struct TBenchChart {
  win::desktop::HeadlessDesktop Desk{1920, 1280};
  std::unique_ptr<chart::TChart> Chart;
  std::string Path;
  explicit TBenchChart(const char* Ext) {
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    Chart = std::make_unique<chart::TChart>(nullptr);
    Chart->SetBounds(0, 0, 1600, 1200);
    bench::FillRandomWalkChart(*Chart, 1'000'000);
    // As the save-image path draws it, so that both write the same picture.
    Chart->SetColor(fw::clWhite);
    Chart->BackWall()->SetColor(fw::clWhite);
    Chart->Gradient()->Visible = false;
    chart::MainChart = Chart.get();
    Path = (std::filesystem::temp_directory_path() / (std::string("kv-bench-save") + Ext)).string();
  }
  ~TBenchChart() {
    chart::MainChart = nullptr;
    Chart.reset();
    std::filesystem::remove(Path);
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
  }
};

void SaveThroughDialog(benchmark::State& state, bool FromOk) {
  const char* ext = kExtensions[state.range(0)];
  TBenchChart bench(ext);
  state.SetLabel(ext);
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    Clock::time_point ok;
    bench.Desk.script([&ok] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<kvforms::TwndSaveImg*>(fw::Screen->Forms(i))) dialog->SetModalResult(fw::mrOk);
      ok = Clock::now();
    });
    const Clock::time_point start = Clock::now();
    kvforms::SaveChartImage(bench.Path, nullptr);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - (FromOk ? ok : start)).count());
  }
}

void BM_SaveImageDialog(benchmark::State& state) { SaveThroughDialog(state, true); }
void BM_SaveImageDialogWhole(benchmark::State& state) { SaveThroughDialog(state, false); }

void BM_SaveImageDirect(benchmark::State& state) {
  const char* ext = kExtensions[state.range(0)];
  TBenchChart bench(ext);
  state.SetLabel(ext);
  for (auto _ : state) kvexport::CreateExportFormat(ext)->SaveToFile(bench.Path);
}

BENCHMARK(BM_SaveImageDialog)->DenseRange(0, 7)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveImageDialogWhole)->DenseRange(0, 7)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveImageDirect)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

}  // namespace
