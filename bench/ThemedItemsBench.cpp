// Themed items: a themed popup menu of 40 items opened and closed in the Default theme, and a
// list item of 100,000 strings scrolled by one page (hot row moved, rows repainted).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/painting/Paint.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxLists.h"
#include "tx/TxPopupWindow.h"
#include "ThemedBenchSetup.h"

namespace {

using namespace tx;

struct Engine {
  win::desktop::HeadlessDesktop desktop{1024, 768};
  Engine() { InitTx(); }
  ~Engine() { DoneTx(); }
};

void BM_ThemedPopupShow40(benchmark::State& state) {
  Engine engine;
  benchsetup::RunPopupShow40(state);
}
BENCHMARK(BM_ThemedPopupShow40)->Unit(benchmark::kMillisecond);

class TBigList : public TTxCustomList {
 public:
  using TTxCustomList::TTxCustomList;
  String GetItemText(Integer Index) override { return "Entry " + std::to_string(Index); }
  Integer GetCount() override { return 100000; }
};

void BM_ListItemScroll100k(benchmark::State& state) {
  Engine engine;
  toolbars::TTBRootItem root(nullptr);
  auto* list = new TBigList(&root);
  root.Add(list);
  toolbars::TTBView view(nullptr, nullptr, &root, nullptr, false, false, false);
  view.AfterConstruction();
  TPoint size{};
  view.UpdatePositions(size);
  auto* v = static_cast<TTxCustomListViewer*>(view.Viewers(0));
  fw::TBitmap surface;
  surface.SetPixelFormat(fw::pf32bit);
  surface.SetSize(size.x + 8, size.y + 8);
  const TRect r{0, 0, v->BoundsRect().right - v->BoundsRect().left, v->BoundsRect().bottom - v->BoundsRect().top};
  Integer index = 0;
  for (auto _ : state) {
    index = (index + v->VisibleRows()) % 100000;
    list->SetItemIndex(index);
    v->Paint(surface.Canvas(), r, false, false, false);
  }
}
BENCHMARK(BM_ListItemScroll100k)->Unit(benchmark::kMicrosecond);

}  // namespace
