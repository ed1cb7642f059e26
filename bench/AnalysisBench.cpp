// Evaluating a parsed expression at 10^6 values of x through the parser's block evaluation.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "analysis/MathPars.h"

namespace {

void BM_ParserEval1M(benchmark::State& state) {
  constexpr std::size_t kCount = 1000000;
  std::vector<double> xs(kCount), ys(kCount);
  for (std::size_t i = 0; i < kCount; ++i) xs[i] = 0.001 + static_cast<double>(i) * 1e-4;
  analysis::TMathParser parser;
  parser.SetVariable("a", 0.25);
  parser.SetExpression("sin(x)*exp(-x/10)+a*x^2");
  for (auto _ : state) {
    parser.EvaluateBlock("x", xs.data(), ys.data(), kCount);
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(kCount));
}
BENCHMARK(BM_ParserEval1M)->Unit(benchmark::kMillisecond);

}  // namespace
