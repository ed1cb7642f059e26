// Dock figures: arranging 12 toolbars of 20 items on four docks, and one step of a toolbar drag
// across docks with the arrangement and the repaint it causes.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "framework/Forms.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/painting/Paint.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBToolbar.h"

namespace {

using namespace toolbars;

struct DockFixture {
  DockFixture() : desk(1280, 1024) {
    form = new fw::TForm(nullptr);
    form->SetBounds(0, 0, 1200, 900);
    for (TTBDockPosition p : {dpTop, dpBottom, dpLeft, dpRight}) {
      auto* d = new TTBDock(form);
      d->SetPosition(p);
      d->SetParent(form);
      docks.push_back(d);
    }
    for (int t = 0; t < 12; ++t) {
      auto* bar = new TTBCustomToolbar(form);
      bar->AfterConstruction();
      for (int i = 0; i < 20; ++i) {
        auto* it = new TTBCustomItem(bar->Items());
        it->SetCaption("B" + std::to_string(i));
        bar->Items()->Add(it);
      }
      bar->SetDockRow(t % 3 == 2 ? 1 : 0);
      bar->SetDockPos(t * 40);
      bar->SetCurrentDock(docks[size_t(t % 4)]);
      bars.push_back(bar);
    }
    form->Show();
    win::UpdateWindow(form->Handle());
  }
  ~DockFixture() { delete form; }
  win::desktop::HeadlessDesktop desk;
  fw::TForm* form = nullptr;
  std::vector<TTBDock*> docks;
  std::vector<TTBCustomToolbar*> bars;
};

// Each step changes the window's size, so that every dock has a new length and its rows are laid
// out again (an arrangement of docks that are already settled costs next to nothing).
void BM_ArrangeDocks(benchmark::State& state) {
  DockFixture f;
  bool wide = false;
  for (auto _ : state) {
    f.form->SetBounds(0, 0, wide ? 1200 : 700, wide ? 900 : 600);
    for (TTBDock* d : f.docks) d->ArrangeToolbars();
    wide = !wide;
  }
}
BENCHMARK(BM_ArrangeDocks)->Unit(benchmark::kMicrosecond);

void BM_DragStep(benchmark::State& state) {
  DockFixture f;
  TTBCustomToolbar* bar = f.bars[0];
  bool toBottom = true;
  for (auto _ : state) {
    // What one mouse move over another dock does: a new row and place, the parent change, the
    // arrangement of both docks and the repaint.
    bar->SetDockRow(0);
    bar->SetDockPos(toBottom ? 300 : 100);
    bar->SetCurrentDock(toBottom ? f.docks[1] : f.docks[0]);
    win::UpdateWindow(f.form->Handle());
    toBottom = !toBottom;
  }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

}  // namespace
