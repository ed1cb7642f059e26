// The settings store with many sections: reading the text of a file of N sections and writing
// one key into each (what a start and a close do), which grows linearly with N. And a close's
// save on a settings file of N lines: read, one key changed, written back under the file's lock
// (the file, unchanged since it was read, is not read twice). The program itself on a large file,
// start, exit and peak memory side by side with other builds: bench/settings_size_measure.py.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "framework/IniFiles.h"
#include "workspace/PropSaver.h"

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

// The file's times a minute back; its change time then lies in the past too, once settled.
void Age(const std::string& Path) {
  const struct timespec times[2] = {{::time(nullptr) - 60, 0}, {::time(nullptr) - 60, 0}};
  ::utimensat(AT_FDCWD, Path.c_str(), times, 0);
  ::usleep(250 * 1000);
}

void BM_SettingsSaveOfALargeFile(benchmark::State& State) {
  const long lines = long(State.range(0));
  const std::string path = "/tmp/kv_bench_settings_" + std::to_string(lines) + ".ini";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "[PREFERENCES]\r\nRuns=0\r\n\r\n[HISTORY]\r\n";
    for (long i = 0; i < lines; ++i) out << "Entry" << i << "=" << std::string(48, 'v') << "\r\n";
  }
  Age(path);
  int run = 0;
  for (auto _ : State) {
    workspace::TPropSaver store(path, "PREFERENCES", true);
    store.WriteInteger("Runs", ++run);
    store.UpdateFile();
    // Written a while ago, as a settings file is when the program starts: a file changed in the
    // last moments is read again at the save.
    State.PauseTiming();
    Age(path);
    State.ResumeTiming();
  }
  State.SetComplexityN(lines);
  std::remove(path.c_str());
}
BENCHMARK(BM_SettingsSaveOfALargeFile)->Arg(10000)->Arg(200000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
