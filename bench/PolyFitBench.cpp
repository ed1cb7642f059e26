// Least-squares polynomial fit of degree 5 through a million-point line series.
#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/CurveFitting.h"
#include "chart/Series.h"

namespace {

void BM_PolyFit5_1M(benchmark::State& state) {
  fw::TComponent owner{nullptr};
  auto* source = new chart::TLineSeries(&owner);
  auto* result = new chart::TLineSeries(&owner);
  auto* fit = new analysis::TCurveFittingFunction(&owner);
  constexpr int kPoints = 1'000'000;
  source->BeginUpdate();
  for (int i = 0; i < kPoints; ++i) {
    const double x = i * 1e-5;
    source->AddXY(x, std::sin(x) + 0.1 * x * x);
  }
  source->EndUpdate();
  fit->SetPolyDegree(6);  // six terms: degree 5
  result->SetFunctionType(fit);
  result->SetDataSource(source);
  for (auto _ : state) {
    result->CheckDataSource();
    benchmark::DoNotOptimize(fit->AnswerVector(6));
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

}  // namespace

BENCHMARK(BM_PolyFit5_1M)->Unit(benchmark::kMillisecond);
