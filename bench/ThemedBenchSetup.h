#pragma once
// Shared set-ups of the themed engine's benchmarks: the engine with every theme registered, the
// theme names in menu order, a themed popup menu of 40 items, and a form with four docks holding
// six toolbars of ten items.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "ThemedToolkit.h"
#include "framework/Forms.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/painting/Paint.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"
#include "tx/TxDock.h"
#include "tx/TxItems.h"
#include "tx/TxPopupWindow.h"
#include "tx/TxThemes.h"
#include "tx/TxToolbar.h"

namespace benchsetup {

struct ThemedEngine {
  win::desktop::HeadlessDesktop desktop{1024, 768};
  bench::ThemedToolkit toolkit;
  ThemedEngine() { themes::RegisterThemes(); }
};

// The registered themes, Default first, in the theme menu's order.
inline std::vector<std::string> ThemeNames() {
  ThemedEngine engine;
  std::vector<std::string> names;
  for (const tx::TTxThemeEntry& e : tx::ThemeRegistry()) names.push_back(e.Name);
  return names;
}

inline void FillPopupMenu(tx::TTxPopupMenu& Menu, int Count) {
  for (int i = 0; i < Count; ++i) {
    auto* it = new tx::TTxItem(&Menu);
    it->SetCaption("Command &" + std::to_string(i));
    Menu.Items()->Add(it);
  }
}

// Opens and paints a themed popup menu of 40 items, then closes it, once per iteration.
inline void RunPopupShow40(benchmark::State& state) {
  tx::TTxPopupMenu menu(nullptr);
  FillPopupMenu(menu, 40);
  for (auto _ : state) {
    std::unique_ptr<toolbars::TTBPopupWindow> w(menu.Items()->PopupAtRect(false, tx::TRect{10, 10, 90, 30}));
    win::UpdateWindow(w->Handle());
    benchmark::DoNotOptimize(w.get());
  }
}

// A shown form with four docks and six toolbars; the caller deletes it.
inline fw::TForm* DockedToolbarsForm() {
  auto* form = new fw::TForm(nullptr);
  form->SetBounds(0, 0, 900, 600);
  const toolbars::TTBDockPosition sides[] = {toolbars::dpTop, toolbars::dpBottom, toolbars::dpLeft, toolbars::dpRight};
  tx::TTxDock* docks[4];
  for (int d = 0; d < 4; ++d) {
    docks[d] = new tx::TTxDock(form);
    docks[d]->SetPosition(sides[d]);
    docks[d]->SetParent(form);
  }
  for (int t = 0; t < 6; ++t) {
    auto* bar = new tx::TTxToolbar(form);
    bar->AfterConstruction();
    for (int i = 0; i < 10; ++i) {
      auto* it = new tx::TTxItem(bar->Items());
      it->SetCaption("Item " + std::to_string(i));
      bar->Items()->Add(it);
    }
    bar->SetDockRow(t / 4);
    bar->SetCurrentDock(docks[t % 4]);
  }
  form->Show();
  return form;
}

}  // namespace benchsetup
