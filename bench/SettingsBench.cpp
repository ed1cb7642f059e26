// The settings store with many sections: reading the text of a file of N sections and writing
// one key into each (what a start and a close do), which grows linearly with N.

#include <benchmark/benchmark.h>

#include <string>

#include "framework/IniFiles.h"

namespace {

void BM_SettingsManySections(benchmark::State& State) {
  const int sections = int(State.range(0));
  std::string text;
  for (int i = 0; i < sections; ++i) text += "[Section" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
  for (auto _ : State) {
    fw::TMemIniFile ini("");
    ini.SetText(text);
    for (int i = 0; i < sections; ++i) ini.WriteInteger("SECTION" + std::to_string(i), "Other", i);
    benchmark::DoNotOptimize(ini.ReadInteger("section0", "key", -1));
  }
  State.SetComplexityN(sections);
}
BENCHMARK(BM_SettingsManySections)->Arg(1000)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
