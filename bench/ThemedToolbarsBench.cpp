// Themed toolbars: a form with four docks holding six toolbars of ten items repainted after a
// switch of the current theme (the change broadcast, the colours and frames taken again, every
// dock and toolbar painted).

#include <benchmark/benchmark.h>

#include "ThemedBenchSetup.h"

namespace {

using namespace tx;

void BM_RepaintDocksAfterSwitch(benchmark::State& state) {
  win::desktop::HeadlessDesktop desktop{1024, 768};
  InitTx();
  {
    fw::TForm* form = benchsetup::DockedToolbarsForm();
    desktop.run_until_idle();
    for (auto _ : state) {
      SetCurrentTheme("Default");
      desktop.run_until_idle();
    }
    delete form;
  }
  DoneTx();
}
BENCHMARK(BM_RepaintDocksAfterSwitch)->Unit(benchmark::kMillisecond);

}  // namespace
