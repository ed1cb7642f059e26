// Saving the 10^6-point chart of BM_ChartBitmap1M through the save-image path (the chart
// prepared, the dialog built, shown and answered OK, the file written and closed) against
// writing the same format directly: BM_SaveImageDialog/<n> and BM_SaveImageDirect/<n> for the
// eight formats, n the place of the extension below.

#include <benchmark/benchmark.h>

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

void BM_SaveImageDialog(benchmark::State& state) {
  const char* ext = kExtensions[state.range(0)];
  TBenchChart bench(ext);
  state.SetLabel(ext);
  for (auto _ : state) {
    bench.Desk.script([] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<kvforms::TwndSaveImg*>(fw::Screen->Forms(i))) dialog->SetModalResult(fw::mrOk);
    });
    kvforms::SaveChartImage(bench.Path, nullptr);
  }
}

void BM_SaveImageDirect(benchmark::State& state) {
  const char* ext = kExtensions[state.range(0)];
  TBenchChart bench(ext);
  state.SetLabel(ext);
  for (auto _ : state) kvexport::CreateExportFormat(ext)->SaveToFile(bench.Path);
}

BENCHMARK(BM_SaveImageDialog)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveImageDirect)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

}  // namespace
