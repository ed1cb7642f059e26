// The control set's tabs and themes on the headless desktop: laying out and painting a tab control
// of 100 tabs after a width change (tabs hidden and shown again), and switching the theme with
// the control gallery shown, every control repainted.
#include <benchmark/benchmark.h>

#include <string>

#include "ThemedToolkit.h"
#include "GalleryForm.h"
#include "controls/CsTabs.h"
#include "controls/UniCodePages.h"
#include "framework/Forms.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"

namespace {

void BM_TabControlLayout100(benchmark::State& state) {
  win::desktop::HeadlessDesktop desktop{1280, 1024};
  const bench::ThemedToolkit toolkit;
  {
    auto* form = new fw::TForm(nullptr);
    form->SetBounds(0, 0, 1200, 400);
    auto* tabs = new cs::TCsTabControl(form);
    tabs->SetParent(form);
    tabs->SetBounds(10, 10, 1100, 100);  // a short pane: the figure is the tabs'
    for (int i = 0; i < 100; ++i) tabs->AddTab(u"Вкладка " + cs::Utf8ToWide(std::to_string(i + 1)));
    form->Show();
    desktop.run_until_idle();
    int step = 0;
    for (auto _ : state) {
      // Alternately narrower and wider: trailing tabs hide, then come back; all is repainted.
      tabs->SetWidth(step++ % 2 == 0 ? 700 : 1100);
      desktop.run_until_idle();
    }
    delete form;
  }
}
BENCHMARK(BM_TabControlLayout100)->Unit(benchmark::kMillisecond);

void BM_CsGallerySwitchTheme(benchmark::State& state) {
  win::desktop::HeadlessDesktop desktop{1024, 768};
  const bench::ThemedToolkit toolkit;
  themes::RegisterThemes();
  {
    auto* form = new gallery::TGalleryForm(nullptr);
    form->Show();
    desktop.run_until_idle();
    int step = 0;
    for (auto _ : state) {
      tx::SetCurrentTheme(step++ % 2 == 0 ? "DefaultXP" : "Default");
      desktop.run_until_idle();
    }
    delete form;
  }
  tx::SetCurrentTheme("Default");
}
BENCHMARK(BM_CsGallerySwitchTheme)->Unit(benchmark::kMillisecond);

}  // namespace
