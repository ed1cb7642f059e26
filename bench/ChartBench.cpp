// A line series of 10^4 to 10^6 points (a random walk over ascending X) drawn with a solid
// one-pixel pen into a 1600x1200 32-bit bitmap through the drawing layer. The line drawer keeps
// a block summary of the points built on the first draw: the *Redraw entries time later draws
// (summary reused), the *FirstDraw entries draws right after the points changed (summary built).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "RandomWalkChart.h"
#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "chart/SeriesDraw.h"
#include "platform/gdi/Gdi.h"

namespace {

constexpr int kWidth = 1600, kHeight = 1200;

struct Lcg {
  uint32_t state = 2024;
  double Unit() {
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1u << 24);
  }
};

void RenderLineSeries(benchmark::State& state, bool FirstDraw) {
  const int n = int(state.range(0));
  chart::TLineSeries series(nullptr);
  Lcg rng;
  double x = 0, y = 0;
  for (int i = 0; i < n; ++i) {
    x += 0.5 + rng.Unit();
    y += rng.Unit() - 0.5;
    series.AddXY(x, y);
  }
  chart::TChartAxis horiz(true), vert(false);
  horiz.SetMinMax(series.MinXValue(), series.MaxXValue());
  horiz.SetPositions(0, kWidth - 1);
  vert.SetMinMax(series.MinYValue(), series.MaxYValue());
  vert.SetPositions(0, kHeight - 1);

  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = kWidth;
  bi.bmiHeader.biHeight = -kHeight;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const win::HBITMAP bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  const win::HDC dc = win::CreateCompatibleDC(nullptr);
  const win::HGDIOBJ oldBitmap = win::SelectObject(dc, bmp);
  win::PatBlt(dc, 0, 0, kWidth, kHeight, win::WHITENESS);
  const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, win::RGB(0, 0, 160));
  const win::HGDIOBJ oldPen = win::SelectObject(dc, pen);

  int64_t vertices = 0;
  for (auto _ : state) {
    if (FirstDraw) {
      state.PauseTiming();
      series.YValues()->SetValue(0, series.YValues()->Data()[0]);  // a change: the summary is stale
      state.ResumeTiming();
    }
    vertices = chart::DrawLineSeriesPoints(dc, series, horiz, vert);
    benchmark::DoNotOptimize(bits);
    benchmark::ClobberMemory();
  }
  state.counters["vertices"] = double(vertices);
  state.SetItemsProcessed(state.iterations() * n);

  win::SelectObject(dc, oldPen);
  win::DeleteObject(pen);
  win::SelectObject(dc, oldBitmap);
  win::DeleteDC(dc);
  win::DeleteObject(bmp);
}
void BM_RenderLineSeries(benchmark::State& state) { RenderLineSeries(state, false); }
void BM_RenderLineSeriesFirstDraw(benchmark::State& state) { RenderLineSeries(state, true); }
BENCHMARK(BM_RenderLineSeries)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderLineSeriesFirstDraw)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A whole chart (title, legend, axes, grid, walls) with one line series of 10^6 points made into
// a 1600x1200 24-bit picture: layout, automatic scaling and drawing of every element; redrawn,
// or drawn first after the points changed.
void ChartBitmap1M(benchmark::State& state, bool FirstDraw) {
  chart::TChart chart(nullptr);
  bench::FillRandomWalkChart(chart, 1'000'000);
  const fw::TRect r{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    if (FirstDraw) {
      state.PauseTiming();
      for (fw::Integer i = 0; i < chart.SeriesCount(); ++i)
        chart.Series(i)->YValues()->SetValue(0, chart.Series(i)->YValues()->Data()[0]);  // a change
      state.ResumeTiming();
    }
    auto bitmap = chart.CreateBitmap(fw::clWhite, r, fw::pf24bit);
    benchmark::DoNotOptimize(bitmap.get());
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
void BM_ChartBitmap1M(benchmark::State& state) { ChartBitmap1M(state, false); }
void BM_ChartBitmap1MFirstDraw(benchmark::State& state) { ChartBitmap1M(state, true); }
BENCHMARK(BM_ChartBitmap1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartBitmap1MFirstDraw)->Unit(benchmark::kMillisecond);


// A click on a line series whose points all share one X, as a file of one column of readings
// gives (10^6 to 10^8 points, Y a random walk; the smoke run takes the smallest), on the same axes and bitmap size as the
// drawing above: the hit test of a pixel on the line's column where the walk ends, and of one two
// columns beside it, which nothing hits but whose narrowing by X still takes every point. The
// second argument: 0 on the column, 1 beside it. A click must answer within a frame (16 ms).
void BM_HitTestOneXColumn(benchmark::State& state) {
  const int64_t n = state.range(0);
  const bool beside = state.range(1) != 0;
  // Filled a piece at a time: only the series holds all the points.
  constexpr int64_t piece = 1 << 20;
  std::vector<double> xs(std::size_t(piece), 0.0), ys(std::size_t(piece), 0.0);
  Lcg rng;
  double y = 0;
  chart::TLineSeries series(nullptr);
  for (int64_t done = 0; done < n; done += piece) {
    const int64_t count = std::min(piece, n - done);
    for (int64_t i = 0; i < count; ++i) ys[std::size_t(i)] = y += rng.Unit() - 0.5;
    series.AppendPoints(xs.data(), ys.data(), fw::Integer(count));
  }
  chart::TChartAxis horiz(true), vert(false);
  horiz.SetMinMax(-1, 1);
  horiz.SetPositions(0, kWidth - 1);
  vert.SetMinMax(series.MinYValue(), series.MaxYValue());
  vert.SetPositions(0, kHeight - 1);
  series.SetHorizAxis(&horiz);
  series.SetVertAxis(&vert);
  const fw::Integer column = series.CalcXPos(0);
  // The walk's last point: the first segment over its pixel may come anywhere in the series.
  const fw::Integer row = series.CalcYPos(fw::Integer(n - 1));
  benchmark::DoNotOptimize(series.PointAt(column, row));  // the summary, as the first drawing builds it
  fw::Integer hit = -1;
  for (auto _ : state) {
    hit = series.PointAt(beside ? column + 2 : column, row);
    benchmark::DoNotOptimize(hit);
  }
  if ((hit >= 0) == beside) state.SkipWithError("the click did not find what it should");
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_HitTestOneXColumn)
    ->ArgsProduct({{1'000'000, 10'000'000, 100'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
