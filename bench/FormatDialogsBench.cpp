// The format dialogs on a chart holding the 10^6-point graph of BM_ChartBitmap1M, in a shown
// 1024x768 form on the headless desktop.
// BM_FormatApply1M/<n>: Apply pressed in an open dialog until the chart is repainted with the
// change (n = 0 the title dialog, new title text; 1 the line dialog, new line width of the
// 1M-point graph). Goal: within a frame, 16 ms.
// BM_AxisDialogOpen: a double-click on the left axis, routed as the main window routes it
// (the multi-selector's clicked part), until the axis dialog is shown and painted (its modal
// loop first goes idle). Goal: 20 ms.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "RandomWalkChart.h"
#include "ThemedToolkit.h"
#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotMultiSelectorTool.h"
#include "controls/CsButtons.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/WinAxesFormat.h"
#include "export/forms/WinLineProp.h"
#include "export/forms/WinTitle.h"
#include "framework/Forms.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StringList.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "workspace/GraphCollection.h"

namespace {

using Clock = std::chrono::steady_clock;

struct TBenchWindow {
  bench::ThemedToolkit Toolkit;  // the dialogs hold themed toolbars
  win::desktop::HeadlessDesktop Desk{1920, 1280};
  fw::TForm* Form = nullptr;
  chart::TChart* Chart = nullptr;
  chart::TMultiSelectorTool* Selector = nullptr;
  std::unique_ptr<workspace::TGraphCollection> Graphs;
  TBenchWindow() {
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    Form = new fw::TForm(fw::Application);
    Form->SetBounds(0, 0, 1024, 768);
    Chart = new chart::TChart(Form);
    Chart->SetParent(Form);
    Chart->SetBounds(0, 0, 1000, 720);
    bench::FillRandomWalkChart(*Chart, 1'000'000);
    Graphs = std::make_unique<workspace::TGraphCollection>(Chart);
    Selector = new chart::TMultiSelectorTool(Form);
    Selector->SetParentChart(Chart);
    Form->Show();
    Desk.run_until_idle();
  }
  ~TBenchWindow() {
    Graphs.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
  }
  template <class TDialog>
  static TDialog* Open() {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* dialog = dynamic_cast<TDialog*>(fw::Screen->Forms(i))) return dialog;
    return nullptr;
  }
};

void BM_FormatApply1M(benchmark::State& state) {
  TBenchWindow w;
  const bool line = state.range(0) == 1;
  state.SetLabel(line ? "line" : "title");
  chart::TChartSeries* series = w.Chart->Series(0);
  w.Graphs->AddGraph(series, "walk", {}, "Walk");
  w.Graphs->Select(0);
  w.Desk.script([&] {
    fw::TForm* dialog = nullptr;
    fw::Integer step = 0;
    for (auto _ : state) {
      ++step;
      Clock::time_point start;
      if (auto* title = TBenchWindow::Open<kvforms::TwndTitle>()) {
        dialog = title;
        title->Memo1->Lines()->Clear();
        title->Memo1->Lines()->Add("Random walk " + std::to_string(step));
        start = Clock::now();
        title->butApply->Click();
      } else if (auto* lineDialog = TBenchWindow::Open<kvforms::TwndLineProp>()) {
        dialog = lineDialog;
        lineDialog->LinePen.Width->SetValue(1 + step % 3);
        start = Clock::now();
        lineDialog->butApply->Click();
      }
      w.Chart->Repaint();
      state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (dialog) dialog->SetModalResult(fw::mrCancel);
  });
  if (line)
    kvforms::ShowLineProp(*w.Graphs);
  else
    kvforms::ShowTitleFormat(*w.Chart->Title());
  w.Graphs->Clear();
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_FormatApply1M)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_AxisDialogOpen(benchmark::State& state) {
  TBenchWindow w;
  w.Chart->OnDblClick = [&w](fw::TObject*) {
    const chart::TSelectorClickedPart& part = w.Selector->ClickedPart();
    if (part.Part == chart::cpAxis && part.Axis) kvforms::ShowAxisFormat(*part.Axis);
  };
  const win::RECT r = w.Chart->LeftAxis()->AxisRect();
  const win::POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  bool opened = false;
  for (auto _ : state) {
    w.Desk.advance(1000);  // no third click of a triple
    Clock::time_point shown;
    opened = false;
    w.Desk.script([&] {
      shown = Clock::now();
      if (auto* dialog = TBenchWindow::Open<kvforms::TwndAxisFormat>()) {
        opened = true;
        dialog->SetModalResult(fw::mrCancel);
      }
    });
    const Clock::time_point start = Clock::now();
    w.Desk.mouse_move(at);
    w.Desk.click(at);
    w.Desk.click(at);
    w.Desk.run_until_idle();
    if (!opened) state.SkipWithError("the double-click opened no axis dialog");
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    // The chart's repaint after the dialog closed is not part of opening it.
    w.Desk.run_until_idle();
  }
}
BENCHMARK(BM_AxisDialogOpen)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
