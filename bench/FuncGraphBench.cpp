// Expression and derived graphs from the dialog's OK to the painted chart: the points computed
// (a y = f(x) graph of 1,000,000 points with a four-function formula, a smoothing spline over
// 100,000 points, a degree-9 polynomial over 1,000,000 points), taken by the graph's series on a
// chart and the chart drawn into an 800 x 600 picture. BM_SplineApply100k is the spline's
// computation alone.

#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/DerivedGraphs.h"
#include "analysis/FuncGraph.h"
#include "analysis/MathPars.h"
#include "analysis/PolynomGraph.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/Colors.h"

namespace {

constexpr fw::TRect kPicture{0, 0, 800, 600};

// A chart holding Source (when given) and the series the dialog fills.
struct TBenchChart {
  chart::TChart chart{nullptr};
  chart::TLineSeries* result = new chart::TLineSeries(&chart);
  explicit TBenchChart(chart::TChartSeries* Source = nullptr) {
    if (Source) Source->SetParentChart(&chart);
    result->SetParentChart(&chart);
  }
  // The points taken by the series and the chart painted.
  void Show(analysis::TFuncPoints&& Points) {
    result->AdoptPoints(std::move(Points.X), std::move(Points.Y));
    auto bitmap = chart.CreateBitmap(fw::clWhite, kPicture, fw::pf24bit);
    benchmark::DoNotOptimize(bitmap.get());
  }
};

void BM_FuncGraph1M(benchmark::State& state) {
  TBenchChart view;
  for (auto _ : state) {
    analysis::TMathParser parser;
    parser.SetExpression("sin(x)*exp(-x/1000)+sqrt(x)-cos(2*x)");
    parser.SetVariable("x", 0);
    parser.Parse();
    view.Show(analysis::ComputeFunction(parser, 0, 999999.5, 1));
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_FuncGraph1M)->Unit(benchmark::kMillisecond);

void BM_SplineApply100k(benchmark::State& state) {
  chart::TLineSeries source(nullptr);
  for (int i = 0; i < 100000; ++i) source.AddXY(i, std::sin(i * 0.01));
  analysis::TSplineParams params;
  params.Interpolate = true;
  for (auto _ : state) benchmark::DoNotOptimize(analysis::SplinePoints(&source, params).X.size());
}
BENCHMARK(BM_SplineApply100k)->Unit(benchmark::kMillisecond);

void BM_SplineDialogApply100k(benchmark::State& state) {
  auto* source = new chart::TLineSeries(nullptr);
  for (int i = 0; i < 100000; ++i) source->AddXY(i, std::sin(i * 0.01) + 0.1 * std::sin(i * 1.3));
  TBenchChart view(source);
  analysis::TSplineParams params;  // a new spline's values
  for (auto _ : state) view.Show(analysis::SplinePoints(source, params));
  state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_SplineDialogApply100k)->Unit(benchmark::kMillisecond);

void BM_PolynomDialogApply1M(benchmark::State& state) {
  auto* source = new chart::TLineSeries(nullptr);
  std::vector<double> x(1'000'000), y(1'000'000);
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = double(i) * 1e-5;
    y[i] = std::sin(x[i]) + 0.1 * x[i] * x[i];
  }
  source->AdoptPoints(std::move(x), std::move(y));
  TBenchChart view(source);
  analysis::TPolynomParams params;
  params.Degree = 9;
  for (auto _ : state) view.Show(std::move(analysis::PolynomPoints(source, params).Points));
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_PolynomDialogApply1M)->Unit(benchmark::kMillisecond);

}  // namespace
