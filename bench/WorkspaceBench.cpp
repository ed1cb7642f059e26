// Opening a two-column text file (tab-separated, six decimals) into a line series ready to be
// drawn: reading the file, parsing, and filling the series, with the memory it takes.
// bench/workspace_reference.py times pandas.read_csv on the same files.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
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

// Resident memory of the process in bytes: now, or its peak (kB lines of /proc/self/status).
double ResidentBytes(const char* Key) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return 0;
  char line[256];
  double kb = 0;
  const std::size_t keyLength = std::strlen(Key);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, Key, keyLength) == 0) kb = std::atof(line + keyLength);
  std::fclose(f);
  return kb * 1024;
}

// After the timed reads, one more read measured for memory: what the process holds more with
// the series than before the read, and at its peak during the read, per point.
void CountMemory(benchmark::State& state, const std::function<void(chart::TChartSeries*)>& Load) {
  if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {  // the peak starts anew
    std::fputs("5", f);
    std::fclose(f);
  }
  const double before = ResidentBytes("VmRSS:");
  auto series = std::make_unique<chart::TLineSeries>(nullptr);
  Load(series.get());
  const double points = double(state.range(0));
  state.counters["rss_bytes_per_point"] = (ResidentBytes("VmRSS:") - before) / points;
  state.counters["peak_bytes_per_point"] = (ResidentBytes("VmHWM:") - before) / points;
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
  CountMemory(state, [&](chart::TChartSeries* Series) { workspace::LoadTwoColumnFile(name, settings, Series); });
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
  CountMemory(state, [&](chart::TChartSeries* Series) {
    workspace::LoadTwoColumnFileInShares(name, settings, unsigned(state.range(1)), Series);
  });
}
BENCHMARK(BM_ImportTwoColumnInShares)
    ->ArgsProduct({{1000000, 10000000}, {1, 8, 32}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
