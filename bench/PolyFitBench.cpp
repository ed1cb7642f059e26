// Least-squares polynomial fit of degree 5 through a million points: BM_PolyFit5_1M as the
// chart runs it (points copied out of the source, solved, the curve evaluated and filled into
// the result series), BM_PolyFit5Solve_1M the solve alone on arrays (numpy.polyfit's like).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

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

void BM_PolyFit5Solve_1M(benchmark::State& state) {
  constexpr int kPoints = 1'000'000;
  std::vector<double> x(kPoints), y(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    x[std::size_t(i)] = i * 1e-5;
    y[std::size_t(i)] = std::sin(x[std::size_t(i)]) + 0.1 * x[std::size_t(i)] * x[std::size_t(i)];
  }
  analysis::TPolyVector coefficients{};
  for (auto _ : state) {
    analysis::PolyFitting(kPoints, 6, x.data(), y.data(), coefficients);
    benchmark::DoNotOptimize(coefficients.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

}  // namespace

BENCHMARK(BM_PolyFit5_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PolyFit5Solve_1M)->Unit(benchmark::kMillisecond);
