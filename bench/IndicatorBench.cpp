// The statistical and financial functions over a source of 10^6 points, each computation as the
// chart runs it (result series filled), the histogram series' bar rectangles at 10^6 points, and 10^5
// candles drawn into a 1600x1200 picture. bench/python_reference.py times the pandas and NumPy
// counterparts on the same data.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <functional>
#include <vector>

#include "analysis/PlotFinancial.h"
#include "analysis/PlotHistogram.h"
#include "analysis/PlotStatistics.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"

namespace {

constexpr std::size_t kCount = 1000000;

// y = 100 + sin(x/50)·20 + a small saw, x = 0, 1, 2, ...: the data python_reference.py builds.
std::vector<double> Values(std::size_t Count) {
  std::vector<double> v(Count);
  for (std::size_t i = 0; i < Count; ++i) v[i] = 100 + 20 * std::sin(double(i) / 50) + double(i % 7) * 0.1;
  return v;
}

// Candles around the same closes: open the previous close, high and low half a unit out.
analysis::TCandleSeries* Candles(fw::TComponent* Owner, std::size_t Count) {
  auto* series = new analysis::TCandleSeries(Owner);
  const std::vector<double> v = Values(Count);
  for (std::size_t i = 0; i < Count; ++i) {
    const double open = i ? v[i - 1] : v[i];
    series->AddOHLC(double(i), open, std::max(open, v[i]) + 0.5, std::min(open, v[i]) - 0.5, v[i]);
  }
  return series;
}

void RunFunction(benchmark::State& state, chart::TChartSeries* Source,
                 const std::function<chart::TPlotFunction*(fw::TComponent*)>& Make, double Period) {
  fw::TComponent owner{nullptr};
  auto* result = new chart::TLineSeries(&owner);
  chart::TPlotFunction* function = Make(&owner);
  result->SetFunctionType(function);
  function->SetPeriod(Period);
  result->SetDataSource(Source);
  for (auto _ : state) {
    result->CheckDataSource();
    benchmark::DoNotOptimize(result->Count());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}

chart::TLineSeries* LineSource(fw::TComponent* Owner) {
  auto* source = new chart::TLineSeries(Owner);
  const std::vector<double> v = Values(kCount);
  std::vector<double> x(kCount);
  for (std::size_t i = 0; i < kCount; ++i) x[i] = double(i);
  source->AppendPoints(x.data(), v.data(), fw::Integer(kCount));
  return source;
}

void BM_MovingAverage1M(benchmark::State& state) {
  fw::TComponent owner{nullptr};
  RunFunction(state, LineSource(&owner), [](fw::TComponent* o) { return new analysis::TMovingAverageFunction(o); }, 20);
}
BENCHMARK(BM_MovingAverage1M)->Unit(benchmark::kMillisecond);

void BM_Bollinger1M(benchmark::State& state) {
  fw::TComponent owner{nullptr};
  RunFunction(state, LineSource(&owner), [](fw::TComponent* o) { return new analysis::TBollingerFunction(o); }, 20);
}
BENCHMARK(BM_Bollinger1M)->Unit(benchmark::kMillisecond);

void BM_MACD1M(benchmark::State& state) {
  fw::TComponent owner{nullptr};
  RunFunction(state, LineSource(&owner), [](fw::TComponent* o) { return new analysis::TMACDFunction(o); }, 26);
}
BENCHMARK(BM_MACD1M)->Unit(benchmark::kMillisecond);

void BM_RSI1M(benchmark::State& state) {
  fw::TComponent owner{nullptr};
  RunFunction(state, Candles(&owner, kCount),
              [](fw::TComponent* o) {
                auto* rsi = new analysis::TRSIFunction(o);
                rsi->SetStyle(analysis::rsiClose);
                return rsi;
              },
              14);
}
BENCHMARK(BM_RSI1M)->Unit(benchmark::kMillisecond);

// The stochastic over candles of the same closes, with a window long enough that rescanning
// each one would show.
void BM_Stochastic1M(benchmark::State& state) {
  fw::TComponent owner{nullptr};
  RunFunction(state, Candles(&owner, kCount), [](fw::TComponent* o) { return new analysis::TStochasticFunction(o); },
              double(state.range(0)));
}
BENCHMARK(BM_Stochastic1M)->Arg(14)->Arg(200)->Unit(benchmark::kMillisecond);

struct Picture {
  static constexpr int kWidth = 1600, kHeight = 1200;
  Picture() : horiz(true), vert(false) {
    bitmap.SetPixelFormat(fw::pf32bit);
    bitmap.SetSize(kWidth, kHeight);
    canvas.SetReferenceCanvas(bitmap.Canvas());
    horiz.SetPositions(0, kWidth - 1);
    vert.SetPositions(0, kHeight - 1);
  }
  void Fit(chart::TChartSeries* Series) {
    horiz.SetMinMax(Series->MinXValue(), Series->MaxXValue());
    vert.SetMinMax(Series->MinYValue(), Series->MaxYValue());
    Series->SetHorizAxis(&horiz);
    Series->SetVertAxis(&vert);
  }
  fw::TBitmap bitmap;
  chart::TPlotCanvas3D canvas;
  chart::TChartAxis horiz, vert;
};

// The bar rectangles of a histogram series of 10^6 points (one bar a point: no binning, so no
// binning routine is its peer).
void BM_HistogramBars1M(benchmark::State& state) {
  Picture picture;
  analysis::THistogramSeries series(nullptr);
  const std::vector<double> v = Values(kCount);
  std::vector<double> x(kCount);
  for (std::size_t i = 0; i < kCount; ++i) x[i] = double(i);
  series.AppendPoints(x.data(), v.data(), fw::Integer(kCount));
  picture.Fit(&series);
  series.DrawAllValues(picture.canvas);  // sets the visible range
  for (auto _ : state) {
    fw::Integer base;
    benchmark::DoNotOptimize(series.CalcBars(base).size());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_HistogramBars1M)->Unit(benchmark::kMillisecond);

void BM_RenderCandles100k(benchmark::State& state) {
  Picture picture;
  fw::TComponent owner{nullptr};
  analysis::TCandleSeries* candles = Candles(&owner, 100000);
  picture.Fit(candles);
  for (auto _ : state) {
    candles->DrawAllValues(picture.canvas);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * 100000);
}
BENCHMARK(BM_RenderCandles100k)->Unit(benchmark::kMillisecond);

}  // namespace
