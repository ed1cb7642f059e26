// Themed toolbars: a form with four docks holding six toolbars of ten items repainted after a
// switch of the current theme (the change broadcast, the colours and frames taken again, every
// dock and toolbar painted).

#include <benchmark/benchmark.h>

#include <string>

#include "framework/Forms.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "tx/Tx.h"
#include "tx/TxDock.h"
#include "tx/TxItems.h"
#include "tx/TxToolbar.h"

namespace {

using namespace tx;

void BM_RepaintDocksAfterSwitch(benchmark::State& state) {
  win::desktop::HeadlessDesktop desktop{1024, 768};
  InitTx();
  {
    auto* form = new fw::TForm(nullptr);
    form->SetBounds(0, 0, 900, 600);
    const toolbars::TTBDockPosition sides[] = {toolbars::dpTop, toolbars::dpBottom, toolbars::dpLeft,
                                               toolbars::dpRight};
    TTxDock* docks[4];
    for (int d = 0; d < 4; ++d) {
      docks[d] = new TTxDock(form);
      docks[d]->SetPosition(sides[d]);
      docks[d]->SetParent(form);
    }
    for (int t = 0; t < 6; ++t) {
      auto* bar = new TTxToolbar(form);
      bar->AfterConstruction();
      for (int i = 0; i < 10; ++i) {
        auto* it = new TTxItem(bar->Items());
        it->SetCaption("Item " + std::to_string(i));
        bar->Items()->Add(it);
      }
      bar->SetDockRow(t / 4);
      bar->SetCurrentDock(docks[t % 4]);
    }
    form->Show();
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
