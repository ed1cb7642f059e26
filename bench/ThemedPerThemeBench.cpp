// The themed engine in every registered theme: a popup menu of 40 items with its shadow opened
// and painted (BM_ThemedPopupShow40/<theme>), and a switch to the theme with the repaint of a
// form's docks and toolbars (BM_SwitchTheme/<theme>).

#include <benchmark/benchmark.h>

#include <string>

#include "ThemedBenchSetup.h"

namespace {

using namespace tx;

void PopupShow40(benchmark::State& state, const std::string& Theme) {
  benchsetup::ThemedEngine engine;
  SetCurrentTheme(Theme);
  benchsetup::RunPopupShow40(state);
}

void SwitchTheme(benchmark::State& state, const std::string& Theme) {
  benchsetup::ThemedEngine engine;
  fw::TForm* form = benchsetup::DockedToolbarsForm();
  engine.desktop.run_until_idle();
  for (auto _ : state) {
    SetCurrentTheme(Theme);
    engine.desktop.run_until_idle();
  }
  delete form;
}

// One entry per registered theme, named after it.
const bool kRegistered = [] {
  for (const std::string& theme : benchsetup::ThemeNames()) {
    benchmark::RegisterBenchmark(("BM_ThemedPopupShow40/" + theme).c_str(), PopupShow40, theme)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_SwitchTheme/" + theme).c_str(), SwitchTheme, theme)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
