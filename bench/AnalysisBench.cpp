// The analysis computations at 10^6 points (the smoothing spline at 10^5): arrays in, arrays
// out, as the routines run them before filling the result series. bench/python_reference.py
// times the same computations with NumPy/SciPy on the same data.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "analysis/Analisis.h"
#include "analysis/AnalisisMath.h"
#include "analysis/MathPars.h"
#include "analysis/PlotSmoothingSpline.h"
#include "chart/Series.h"
#include "workspace/GraphCollection.h"

namespace {

constexpr std::size_t kCount = 1000000;

// Two graphs on different X grids: y = sin(x) on x = 0.001 i, and y = cos(x) + 2 on
// x = 0.0005 + 0.0011 i.
struct Data {
  std::vector<double> x1, y1, x2, y2;
  Data() : x1(kCount), y1(kCount), x2(kCount), y2(kCount) {
    for (std::size_t i = 0; i < kCount; ++i) {
      x1[i] = 0.001 * double(i);
      y1[i] = std::sin(x1[i]);
      x2[i] = 0.0005 + 0.0011 * double(i);
      y2[i] = std::cos(x2[i]) + 2;
    }
  }
  analysis::TXYArrays First() const { return {x1.data(), y1.data(), kCount}; }
  analysis::TXYArrays Second() const { return {x2.data(), y2.data(), kCount}; }
};

// The fastest repetition, the figure bench/python_reference.py prints for NumPy and SciPy.
double Fastest(const std::vector<double>& Times) {
  double best = Times.empty() ? 0 : Times.front();
  for (double t : Times) best = t < best ? t : best;
  return best;
}

const Data& Shared() {
  static const Data data;
  return data;
}

void BM_SubtractByIndex1M(benchmark::State& state) {
  const Data& d = Shared();
  std::vector<double> out;
  for (auto _ : state) {
    analysis::CombineByIndex(analysis::ioSubtract, {{d.y1.data(), kCount}, {d.y2.data(), kCount}}, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_SubtractByIndex1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// One step per interval: the grid is the first graph's own X values.
void BM_SubtractResampled1M(benchmark::State& state) {
  const Data& d = Shared();
  std::vector<double> x, y;
  for (auto _ : state) {
    analysis::ResampleArithmetic(analysis::roDifference, d.First(), {d.Second()}, 1, x, y);
    benchmark::DoNotOptimize(y.data());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_SubtractResampled1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// Ten steps per interval of the first graph's first 10^5 points: 10^6 grid points, walked by
// the mean line with the second graph, which ends inside the grid.
void BM_MeanLineResampled1M(benchmark::State& state) {
  const Data& d = Shared();
  const analysis::TXYArrays reference{d.x1.data(), d.y1.data(), kCount / 10 + 1};
  const analysis::TXYArrays other{d.x2.data(), d.y2.data(), kCount / 20};
  std::vector<double> x, y;
  analysis::TDeviationStats stats;
  for (auto _ : state) {
    analysis::ResampleAverage(reference, {other}, 10, x, y, stats);
    benchmark::DoNotOptimize(y.data());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_MeanLineResampled1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

void BM_Derivative1M(benchmark::State& state) {
  const Data& d = Shared();
  std::vector<double> x, y;
  for (auto _ : state) {
    analysis::Derivative(d.First(), x, y);
    benchmark::DoNotOptimize(y.data());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_Derivative1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

void BM_Integral1M(benchmark::State& state) {
  const Data& d = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(analysis::IntegrateRange(d.First(), d.x1.front(), d.x1.back()));
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_Integral1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The upper envelope of two graphs, point by point.
void BM_Envelope1M(benchmark::State& state) {
  const Data& d = Shared();
  std::vector<double> out;
  for (auto _ : state) {
    analysis::CombineByIndex(analysis::ioHigh, {{d.y1.data(), kCount}, {d.y2.data(), kCount}}, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_Envelope1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);


// A whole routine as the main window runs it: the difference by index of two graphs of 10^6
// points, from reading their series to the result graph added to the workspace (filling the
// result series included; freeing it is not timed).
void BM_SubtractRoutine1M(benchmark::State& state) {
  const Data& d = Shared();
  workspace::TGraphCollection graphs{nullptr};
  workspace::TGraphCollection* saved = workspace::GraphCollection;
  workspace::GraphCollection = &graphs;
  auto* first = new chart::TLineSeries(nullptr);
  first->AppendPoints(d.x1.data(), d.y1.data(), fw::Integer(kCount));
  auto* second = new chart::TLineSeries(nullptr);
  second->AppendPoints(d.x2.data(), d.y2.data(), fw::Integer(kCount));
  const analysis::TGraphArray sources{graphs.AddGraph(first, "a.txt", {}, "a"),
                                      graphs.AddGraph(second, "b.txt", {}, "b")};
  for (auto _ : state) {
    benchmark::DoNotOptimize(analysis::AddSubtractGraph(sources));
    state.PauseTiming();
    graphs.Delete(graphs.Count() - 1);
    state.ResumeTiming();
  }
  workspace::GraphCollection = saved;
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(kCount));
}
BENCHMARK(BM_SubtractRoutine1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The smoothing function through 10^5 points of a series: interpolating solve and the drawn
// curve (at most 600 fragments).
void BM_SmoothingSpline100k(benchmark::State& state) {
  constexpr int kPoints = 100000;
  fw::TComponent owner{nullptr};
  auto* source = new chart::TLineSeries(&owner);
  auto* result = new chart::TLineSeries(&owner);
  auto* smoothing = new analysis::TSmoothingFunction(&owner);
  source->BeginUpdate();
  for (int i = 0; i < kPoints; ++i) source->AddXY(i * 1e-3, std::sin(i * 1e-3) + 0.1 * std::sin(i * 0.37));
  source->EndUpdate();
  result->SetFunctionType(smoothing);
  result->SetDataSource(source);
  for (auto _ : state) {
    result->CheckDataSource();
    benchmark::DoNotOptimize(result->Count());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * kPoints);
}
BENCHMARK(BM_SmoothingSpline100k)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The parser benchmarks' work: a million x values and the expression NumPy's peer computes.
struct ParserWork {
  std::vector<double> xs = std::vector<double>(kCount), ys = std::vector<double>(kCount);
  analysis::TMathParser parser;
  ParserWork() {
    for (std::size_t i = 0; i < kCount; ++i) xs[i] = 0.001 + static_cast<double>(i) * 1e-4;
    parser.SetVariable("a", 0.25);
    parser.SetExpression("sin(x)*exp(-x/10)+a*x^2");
  }
};

void BM_ParserEval1M(benchmark::State& state) {
  ParserWork work;
  auto& [xs, ys, parser] = work;
  for (auto _ : state) {
    parser.EvaluateBlock("x", xs.data(), ys.data(), kCount);
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(kCount));
}
BENCHMARK(BM_ParserEval1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The same work on one thread: slices of 32,768 points stay below the count from which a block
// evaluation shares its points between threads. The peer of NumPy's one-thread figure.
void BM_ParserEvalOneThread1M(benchmark::State& state) {
  constexpr std::size_t kSlice = std::size_t(1) << 15;
  ParserWork work;
  auto& [xs, ys, parser] = work;
  for (auto _ : state) {
    for (std::size_t from = 0; from < kCount; from += kSlice)
      parser.EvaluateBlock("x", xs.data() + from, ys.data() + from, std::min(kSlice, kCount - from));
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(kCount));
}
BENCHMARK(BM_ParserEvalOneThread1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The same values one call at a time: the variable set, then Evaluate (which parses the text
// again each call).
void BM_ParserEvaluatePerPoint1M(benchmark::State& state) {
  ParserWork work;
  auto& [xs, ys, parser] = work;
  for (auto _ : state) {
    for (std::size_t i = 0; i < kCount; ++i) {
      parser.SetVariable("x", xs[i]);
      ys[i] = parser.Evaluate();
    }
    benchmark::DoNotOptimize(ys.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(kCount));
}
BENCHMARK(BM_ParserEvaluatePerPoint1M)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

}  // namespace
