// What the mouse does on big charts: finding the clicked series, a cursor move with snapping,
// painting the data grid at a scroll position, and one pan step of the axis scroll tool with the
// redraw of the plot.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartLegend.h"
#include "chart/PlotAxis.h"
#include "chart/PlotChartGrid.h"
#include "chart/PlotMultiSelectorTool.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsCursor.h"
#include "chart/Series.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "platform/desktop/HeadlessDesktop.h"

namespace {

constexpr int kWidth = 1200, kHeight = 800;

// A random walk over ascending X.
void Fill(chart::TChartSeries& Series, int Count, uint32_t Seed) {
  std::vector<double> xs(static_cast<std::size_t>(Count)), ys(static_cast<std::size_t>(Count));
  uint32_t state = Seed;
  double y = 0;
  for (int i = 0; i < Count; ++i) {
    state = state * 1664525u + 1013904223u;
    y += double(state >> 8) / double(1u << 24) - 0.5;
    xs[std::size_t(i)] = i;
    ys[std::size_t(i)] = y;
  }
  Series.AdoptPoints(std::move(xs), std::move(ys));
}

// A chart of SeriesCount series of Points points each, laid out by one drawing.
struct BigChart {
  BigChart(int SeriesCount, int Points) : chart(new chart::TChart(nullptr)) {
    chart->SetBounds(0, 0, kWidth, kHeight);
    chart->Legend()->SetVisible(false);
    for (int i = 0; i < SeriesCount; ++i) {
      auto* s = new chart::TLineSeries(chart.get());
      Fill(*s, Points, 7u + uint32_t(i));
      s->SetParentChart(chart.get());
    }
    Redraw();
  }
  void Redraw() {
    if (!bitmap) {
      bitmap = std::make_unique<fw::TBitmap>();
      bitmap->SetSize(kWidth, kHeight);
    }
    chart->Draw(*bitmap->Canvas(), win::RECT{0, 0, kWidth, kHeight});
  }
  std::unique_ptr<chart::TChart> chart;
  std::unique_ptr<fw::TBitmap> bitmap;
};

// A press of the selector over the plot where no series lies: every probe asks every series.
void ClickedSeries(benchmark::State& state, int SeriesCount, int Points) {
  BigChart big(SeriesCount, Points);
  auto* tool = new chart::TMultiSelectorTool(big.chart.get());
  tool->SetParentChart(big.chart.get());
  const fw::TRect plot = big.chart->ChartRect();
  int x = plot.left + 1;
  for (auto _ : state) {
    tool->HandleMouseEvent(chart::cmeDown, fw::mbLeft, {}, x, plot.top + 1);
    tool->HandleMouseEvent(chart::cmeUp, fw::mbLeft, {}, x, plot.top + 1);
    x = x + 7 < plot.right ? x + 7 : plot.left + 1;
    benchmark::DoNotOptimize(tool->ClickedPart());
  }
}
void BM_ClickedSeries1M(benchmark::State& state) { ClickedSeries(state, 1, 1'000'000); }
void BM_ClickedSeries100x10k(benchmark::State& state) { ClickedSeries(state, 100, 10'000); }
BENCHMARK(BM_ClickedSeries1M)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickedSeries100x10k)->Unit(benchmark::kMicrosecond);

// A cursor following the mouse and snapping to the nearest point (both lines).
void BM_CursorSnap1M(benchmark::State& state) {
  BigChart big(1, 1'000'000);
  auto* tool = new chart::TCursorTool(big.chart.get());
  tool->SetParentChart(big.chart.get());
  tool->SetSeries(big.chart->Series(0));
  tool->SetSnap(true);
  tool->SetFollowMouse(true);
  const fw::TRect plot = big.chart->ChartRect();
  int x = plot.left + 1;
  for (auto _ : state) {
    tool->HandleMouseEvent(chart::cmeMove, fw::mbLeft, {}, x, (plot.top + plot.bottom) / 2);
    x = x + 3 < plot.right ? x + 3 : plot.left + 1;
    benchmark::DoNotOptimize(tool->XValue());
  }
}
BENCHMARK(BM_CursorSnap1M)->Unit(benchmark::kMicrosecond);

// The data grid of a 10^6-point series painted at a new scroll position each time.
void BM_DataGridPaint1M(benchmark::State& state) {
  win::desktop::HeadlessDesktop desk(1280, 1024);
  delete fw::Application;
  fw::Application = new fw::TApplication(nullptr);
  {
    fw::TForm form(nullptr);
    form.SetBorderStyle(fw::bsNone);
    form.SetBounds(0, 0, 320, 800);
    auto* series = new chart::TLineSeries(&form);
    Fill(*series, 1'000'000, 11u);
    auto* grid = new chart::TChartGrid(&form);
    grid->SetParent(&form);
    grid->SetAlign(fw::alClient);
    grid->SetShowXValues(chart::cgsYes);
    grid->SetShowTitleRow(false);
    grid->SetSeries(series);
    form.Show();
    desk.run_until_idle();
    int top = 1;
    for (auto _ : state) {
      grid->SetTopRow(top);
      grid->Repaint();
      top = (top * 7919 + 13) % 999'000 + 1;
    }
  }
  delete fw::Application;
  fw::Application = new fw::TApplication(nullptr);
}
BENCHMARK(BM_DataGridPaint1M)->Unit(benchmark::kMicrosecond);

// One pan step by the axis scroll tool on the bottom axis, and the redraw of the chart.
void PanRedraw(benchmark::State& state, double VisibleFraction) {
  BigChart big(1, 10'000'000);
  chart::TChartAxis* axis = big.chart->BottomAxis();
  axis->SetMinMax(0, 10'000'000 * VisibleFraction);
  big.Redraw();
  auto* tool = new chart::TAxisScrollTool(big.chart.get());
  tool->SetParentChart(big.chart.get());
  tool->SetAxis(axis);
  const win::RECT a = axis->AxisRect();
  const int y = (a.top + a.bottom) / 2;
  int x = (a.left + a.right) / 2;
  tool->HandleMouseEvent(chart::cmeDown, fw::mbLeft, {}, x, y);
  int step = -1;
  for (auto _ : state) {
    x += step;
    step = -step;  // to and fro, so the view stays put
    tool->HandleMouseEvent(chart::cmeMove, fw::mbLeft, {}, x, y);
    big.Redraw();
  }
  tool->HandleMouseEvent(chart::cmeUp, fw::mbLeft, {}, x, y);
}
void BM_PanRedraw10M(benchmark::State& state) { PanRedraw(state, 1.0); }
void BM_PanRedraw10MZoomed(benchmark::State& state) { PanRedraw(state, 0.01); }
BENCHMARK(BM_PanRedraw10M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanRedraw10MZoomed)->Unit(benchmark::kMillisecond);

}  // namespace
