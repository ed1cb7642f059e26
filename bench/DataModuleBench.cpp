// Start-up's data module: every image list filled (command images decoded from their packed
// strips, pen-style and pointer images drawn), then freed. Budget: 3 ms per creation.

#include <benchmark/benchmark.h>

#include "workspace/DataModule.h"

namespace {

void BM_DataModuleCreate(benchmark::State& state) {
  for (auto _ : state) {
    workspace::TDataModule1 module(nullptr);
    benchmark::DoNotOptimize(&module);
  }
}
BENCHMARK(BM_DataModuleCreate)->Unit(benchmark::kMillisecond);

}  // namespace
