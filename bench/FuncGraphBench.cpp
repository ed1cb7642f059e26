// Expression and derived graphs: the points of a y = f(x) graph of 1,000,000 points with a
// four-function formula taken by a series, and a smoothing spline over 100,000 points (what the
// dialogs' OK does, without the dialog and the chart's painting).

#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/DerivedGraphs.h"
#include "analysis/FuncGraph.h"
#include "analysis/MathPars.h"
#include "chart/Series.h"

namespace {

void BM_FuncGraph1M(benchmark::State& state) {
  for (auto _ : state) {
    analysis::TMathParser parser;
    parser.SetExpression("sin(x)*exp(-x/1000)+sqrt(x)-cos(2*x)");
    parser.SetVariable("x", 0);
    parser.Parse();
    analysis::TFuncPoints p = analysis::ComputeFunction(parser, 0, 999999.5, 1);
    chart::TLineSeries series(nullptr);
    series.AdoptPoints(std::move(p.X), std::move(p.Y));
    benchmark::DoNotOptimize(series.Count());
  }
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

}  // namespace
