// The find windows' figures on the headless desktop: a bound changed, the measure recomputed
// over a 1,000,000-point graph and the result painted; the group search over 100 graphs of
// 10,000 points, painted; the series list following a chart of 1,000 series when one is added
// and removed, painted.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "ThemedToolkit.h"
#include "analysis/ChartListBox.h"
#include "analysis/WinFindOp.h"
#include "chart/Chart.h"
#include "analysis/WinFindOpGroup.h"
#include "chart/Series.h"
#include "controls/FloatEdit.h"
#include "framework/Forms.h"
#include "framework/GridsString.h"
#include "framework/StringList.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"

namespace {

struct Workspace {
  bench::ThemedToolkit toolkit;  // the search windows sit on themed toolbars
  win::desktop::HeadlessDesktop desk{1280, 1024};
  workspace::TGraphCollection graphs{nullptr};
  workspace::TGraphCollection* saved = workspace::GraphCollection;
  Workspace(int Graphs, int Points) {
    workspace::GraphCollection = &graphs;
    for (int g = 0; g < Graphs; ++g) {
      auto* s = new chart::TLineSeries(nullptr);
      for (int i = 0; i < Points; ++i) s->AddXY(0.001 * i, std::sin(0.001 * i + g));
      graphs.AddGraph(s, "bench", {}, "g")->Checked = true;
    }
  }
  ~Workspace() {
    analysis::CloseFindOpWindows();
    graphs.Clear();
    workspace::GraphCollection = saved;
  }
};

void BM_FindOpRecompute1M(benchmark::State& state) {
  Workspace w(1, 1000000);
  analysis::ShowFindOpWindow(analysis::fkAverage, 0);
  analysis::TwndFindOp* window = analysis::FindOpWindows[analysis::fkAverage];
  window->fedX1->SetValue(0);
  w.desk.run_until_idle();
  int step = 0;
  for (auto _ : state) {
    window->fedX2->SetValue(500 + (step++ % 100));
    window->Search();
    w.desk.run_until_idle();
  }
  benchmark::DoNotOptimize(window->Grid->Cells(0, 1));
}
BENCHMARK(BM_FindOpRecompute1M)->Unit(benchmark::kMillisecond);

void BM_GroupSearch100x10k(benchmark::State& state) {
  Workspace w(100, 10000);
  analysis::TwndFindOpGroup* window = analysis::ShowFindOpGroup(analysis::fkDelta, false);
  window->fedX1->SetValue(1);
  window->fedX2->SetValue(8);
  w.desk.run_until_idle();
  for (auto _ : state) {
    window->Search();
    window->Grid->Invalidate();
    w.desk.run_until_idle();
  }
  delete window;
}
BENCHMARK(BM_GroupSearch100x10k)->Unit(benchmark::kMillisecond);

// One iteration adds a series and removes it again: two steps, each to be at most 1 ms.
void BM_ChartListBoxSync1000(benchmark::State& state) {
  win::desktop::HeadlessDesktop desk{1280, 1024};
  {
    fw::TForm form(nullptr);
    form.SetBounds(0, 0, 800, 600);
    auto* chart = new chart::TChart(&form);
    chart->SetParent(&form);
    chart->SetBounds(260, 0, 540, 600);
    // The list's work is measured, not the chart's picture.
    chart->SetVisible(false);
    for (int i = 0; i < 1000; ++i) {
      auto* s = new chart::TLineSeries(&form);
      s->SetTitle("graph " + std::to_string(i));
      s->SetParentChart(chart);
    }
    auto* list = new analysis::TChartListBox(&form);
    list->SetParent(&form);
    list->SetBounds(0, 0, 260, 600);
    list->SetChart(chart);
    form.Show();
    desk.run_until_idle();
    for (auto _ : state) {
      auto* s = new chart::TLineSeries(&form);
      s->SetTitle("added");
      s->SetParentChart(chart);
      desk.run_until_idle();
      delete s;
      desk.run_until_idle();
    }
    benchmark::DoNotOptimize(list->Items()->Count());
  }
}
BENCHMARK(BM_ChartListBoxSync1000)->Unit(benchmark::kMillisecond);

}  // namespace
