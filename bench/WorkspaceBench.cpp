// Opening a two-column text file (tab-separated, six decimals) into a line series ready to be
// drawn: reading the file, parsing, and filling the series. bench/workspace_reference.py times
// pandas.read_csv on the same files.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "chart/Series.h"
#include "workspace/TextReader.h"

namespace {

// Writes the file once per size and process; the Python side reads the same files.
std::string TwoColumnFile(long Lines) {
  static std::map<long, std::string> written;
  if (auto it = written.find(Lines); it != written.end()) return it->second;
  const std::string name = "/tmp/kv_bench_twocolumn_" + std::to_string(Lines) + ".txt";
  if (std::FILE* f = std::fopen(name.c_str(), "wb")) {
    for (long i = 0; i < Lines; ++i) {
      const double x = double(i) * 0.001;
      std::fprintf(f, "%.6f\t%.6f\n", x, 100.0 * std::sin(x) * std::exp(-x / 500.0));
    }
    std::fclose(f);
  }
  return written[Lines] = name;
}

void BM_ImportTwoColumn(benchmark::State& state) {
  const std::string name = TwoColumnFile(long(state.range(0)));
  workspace::TTextReaderSettings settings;
  settings.DecimalSeparator = '.';
  settings.Delimiters = "\t";
  for (auto _ : state) {
    auto series = std::make_unique<chart::TLineSeries>(nullptr);
    workspace::LoadTwoColumnFile(name, settings, series.get());
    benchmark::DoNotOptimize(series->Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetLabel(name);
}
BENCHMARK(BM_ImportTwoColumn)->Arg(10000)->Arg(100000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

// The same in a given number of shares (the second argument; 1 reads on one thread), for
// comparison with the reading on every core.
void BM_ImportTwoColumnInShares(benchmark::State& state) {
  const std::string name = TwoColumnFile(long(state.range(0)));
  workspace::TTextReaderSettings settings;
  settings.DecimalSeparator = '.';
  settings.Delimiters = "\t";
  for (auto _ : state) {
    auto series = std::make_unique<chart::TLineSeries>(nullptr);
    workspace::LoadTwoColumnFileInShares(name, settings, unsigned(state.range(1)), series.get());
    benchmark::DoNotOptimize(series->Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportTwoColumnInShares)
    ->ArgsProduct({{1000000, 10000000}, {1, 8, 32}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
