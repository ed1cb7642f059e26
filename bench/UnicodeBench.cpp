// The Unicode layer's speed: UTF-16 to UTF-8 and to Windows Cyrillic over 100 MB of mixed
// Cyrillic and Latin text, sorting a wide list of a million Cyrillic lines against std::sort
// of the same lines with the same comparison, and loading a 100 MB UTF-16 file into a list.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/UniCodePages.h"
#include "controls/UniStrings.h"
#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Files.h"

namespace {

constexpr size_t k100MB = 100u * 1024 * 1024;

// Words of Russian and English text with spaces, punctuation and line ends, repeatable.
std::u16string MixedText(size_t bytes) {
  static const std::u16string words[] = {u"график", u"данные", u"ось", u"значение", u"chart", u"value",
                                         u"axis",   u"series", u"точка", u"линия",   u"2026",  u"x=1,5;"};
  std::u16string text;
  text.reserve(bytes / 2 + 16);
  uint32_t seed = 7;
  while (text.size() * 2 < bytes) {
    seed = seed * 1664525 + 1013904223;
    text += words[(seed >> 10) % 12];
    text += ((seed >> 20) % 9 == 0) ? u"\r\n" : u" ";
  }
  text.resize(bytes / 2);
  return text;
}

// Each conversion into a string that is reused, as bulk conversions run; the _NewString forms
// return a fresh string each time, so they also pay for the system's fresh memory (on this
// machine about 0.5 ms per megabyte touched).
void BM_WideToUtf8_100MB(benchmark::State& state) {
  const std::u16string text = MixedText(k100MB);
  std::string out;
  for (auto _ : state) {
    cs::WideToUtf8(text, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}
BENCHMARK(BM_WideToUtf8_100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WideToUtf8_100MB_NewString(benchmark::State& state) {
  const std::u16string text = MixedText(k100MB);
  for (auto _ : state) benchmark::DoNotOptimize(cs::WideToUtf8(text));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}
BENCHMARK(BM_WideToUtf8_100MB_NewString)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Utf8ToWide_100MB(benchmark::State& state) {
  const std::string utf8 = cs::WideToUtf8(MixedText(k100MB));
  std::u16string out;
  for (auto _ : state) {
    cs::Utf8ToWide(utf8, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(utf8.size()));
}
BENCHMARK(BM_Utf8ToWide_100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WideToCp1251_100MB(benchmark::State& state) {
  const std::u16string text = MixedText(k100MB);
  std::string out;
  for (auto _ : state) {
    cs::WideToAnsiCP(text, 1251, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}
BENCHMARK(BM_WideToCp1251_100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WideToCp1251_100MB_NewString(benchmark::State& state) {
  const std::u16string text = MixedText(k100MB);
  for (auto _ : state) benchmark::DoNotOptimize(cs::WideToAnsiCP(text, 1251));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}
BENCHMARK(BM_WideToCp1251_100MB_NewString)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Cp1251ToWide_100MB(benchmark::State& state) {
  const std::string bytes = cs::WideToAnsiCP(MixedText(k100MB), 1251);
  std::u16string out;
  for (auto _ : state) {
    cs::AnsiToWideCP(bytes, 1251, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_Cp1251ToWide_100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

// A million Cyrillic lines of 6 to 20 letters in mixed case.
std::vector<std::u16string> CyrillicLines() {
  std::vector<std::u16string> lines;
  lines.reserve(1000000);
  uint32_t seed = 99;
  for (int i = 0; i < 1000000; ++i) {
    seed = seed * 1664525 + 1013904223;
    std::u16string line;
    const int length = 6 + int((seed >> 8) % 15);
    for (int k = 0; k < length; ++k) {
      seed = seed * 1664525 + 1013904223;
      line.push_back(char16_t(0x410 + (seed >> 12) % 64));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void BM_SortWideList1M(benchmark::State& state) {
  const auto lines = CyrillicLines();
  cs::TUniStringList list;
  for (auto _ : state) {
    state.PauseTiming();
    list.Clear();
    list.BeginUpdate();
    for (const auto& line : lines) list.Add(line);
    list.EndUpdate();
    state.ResumeTiming();
    list.Sort();
    benchmark::DoNotOptimize(list.Strings(0));
  }
}
BENCHMARK(BM_SortWideList1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SortStdWide1M(benchmark::State& state) {
  const auto lines = CyrillicLines();
  std::vector<std::u16string> copy;
  for (auto _ : state) {
    state.PauseTiming();
    copy = lines;
    state.ResumeTiming();
    std::sort(copy.begin(), copy.end(),
              [](const std::u16string& a, const std::u16string& b) { return win::CompareTextIgnoreCase(a, b) < 0; });
    benchmark::DoNotOptimize(copy.front());
  }
}
BENCHMARK(BM_SortStdWide1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadWideFile100MB(benchmark::State& state) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("kv_bench_wide_" + std::to_string(::getpid()) + ".txt");
  {
    const std::u16string text = MixedText(k100MB - 2);
    std::ofstream out(path, std::ios::binary);
    out.write("\xFF\xFE", 2);
    out.write(reinterpret_cast<const char*>(text.data()), std::streamsize(text.size() * 2));
  }
  const std::u16string name = win::WidePathOf(path.string());
  for (auto _ : state) {
    cs::TUniStringList list;
    list.LoadFromFile(name);
    benchmark::DoNotOptimize(list.Count());
    state.PauseTiming();  // freeing the lines is not loading
    list.Clear();
    state.ResumeTiming();
  }
  std::filesystem::remove(path);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(k100MB));
}
BENCHMARK(BM_LoadWideFile100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
