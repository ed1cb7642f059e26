// A control-set toolbar of 20 items with images and captions painted whole: every viewer's
// face, image and wide caption through the current theme and the custom-drawing stages.

#include <benchmark/benchmark.h>

#include <string>

#include "ThemedToolkit.h"
#include "controls/CsToolbars.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/painting/Paint.h"
#include "tx/Tx.h"

namespace {

void BM_CsToolbarPaint20(benchmark::State& state) {
  win::desktop::HeadlessDesktop desktop{1800, 768};
  const bench::ThemedToolkit toolkit;
  {
    auto* form = new fw::TForm(nullptr);
    form->SetBounds(0, 0, 1700, 200);
    auto* images = new fw::TImageList(form);
    images->SetWidth(16);
    images->SetHeight(16);
    fw::TBitmap glyph;
    glyph.SetPixelFormat(fw::pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(0x3366CC);
    glyph.Canvas()->FillRect(fw::TRect{2, 2, 14, 14});
    for (int i = 0; i < 4; ++i) images->AddMasked(&glyph, fw::clFuchsia);
    auto* dock = new cs::TCsDock(form);
    dock->SetParent(form);
    auto* bar = new cs::TCsToolbar(form);
    bar->AfterConstruction();
    bar->SetImages(images);
    long faces = 0;
    for (int i = 0; i < 20; ++i) {
      auto* it = new cs::TCsItem(bar->Items());
      it->OnDrawItem = [&faces](fw::TObject*, fw::TCanvas*, fw::TRect&, tx::TTxItemInfo&, cs::TCsPaintStage S,
                                bool&) { faces += S == cs::pstPrePaint; };
      it->SetCaption(u"Пункт " + std::u16string(1, char16_t(u'0' + i % 10)));
      it->SetImageIndex(i % 4);
      it->SetDisplayMode(toolbars::nbdmImageAndText);
      bar->Items()->Add(it);
    }
    bar->SetCurrentDock(dock);
    form->Show();
    desktop.run_until_idle();
    faces = 0;
    for (auto _ : state) {
      win::RedrawWindow(bar->Handle(), nullptr, nullptr,
                        win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_UPDATENOW);
    }
    // Every item is painted in every iteration.
    state.counters["faces/paint"] = double(faces) / double(state.iterations());
    delete form;
  }
}
BENCHMARK(BM_CsToolbarPaint20)->Unit(benchmark::kMillisecond);

}  // namespace
