// The themed engine: a 20-item toolbar painted in each theme, a warm-cache gradient fill of
// 1600 x 40 without the system's gradient routine, and a theme switch heard by 50 windows.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "framework/ControlMessages.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/gdi/Gdi.h"
#include "themes/ThemeList.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"
#include "tx/TxUtils.h"
#include "tx/TxUtilsState.h"

namespace {

using namespace tx;

// The engine started on a headless desktop for one benchmark.
struct Engine {
  win::desktop::HeadlessDesktop desktop{800, 600};
  Engine() {
    InitTx();
    themes::RegisterThemes();
  }
  ~Engine() { DoneTx(); }
};

std::unique_ptr<fw::TImageList> Glyphs() {
  auto list = std::make_unique<fw::TImageList>(nullptr);
  fw::TBitmap image;
  image.SetPixelFormat(fw::pf24bit);
  image.SetSize(16, 16);
  image.Canvas()->Brush()->SetColor(fw::clFuchsia);
  image.Canvas()->FillRect(TRect{0, 0, 16, 16});
  image.Canvas()->Brush()->SetColor(0xC06020);
  image.Canvas()->FillRect(TRect{2, 2, 14, 14});
  list->AddMasked(&image, fw::clFuchsia);
  return list;
}

// A 20-item toolbar painted in the named theme.
void BM_PaintToolbar(benchmark::State& state, const char* ThemeName) {
  Engine engine;
  SetCurrentTheme(ThemeName);
  auto images = Glyphs();
  fw::TBitmap surface;
  surface.SetPixelFormat(fw::pf32bit);
  surface.SetSize(20 * 23 + 8, 26);
  fw::TCanvas* canvas = surface.Canvas();
  const win::HDC dc = canvas->Handle();
  // 16 image buttons (one hot, one checked), 3 separators and a drop-down button.
  std::vector<TTxItemInfo> items(20);
  for (int i = 0; i < 20; ++i) {
    items[size_t(i)].ViewType = VT_TOOLBAR_NORMAL;
    items[size_t(i)].ItemOptions = IO_TOOLBAR_STYLE | IO_APP_ACTIVE;
    items[size_t(i)].Enabled = i != 7;
  }
  items[3].HoverKind = hkMouseHover;
  items[5].Selected = true;
  items[19].ComboPart = cpCombo;
  for (auto _ : state) {
    TTxTheme* theme = CurrentTheme;
    const TRect all{0, 0, surface.Width(), surface.Height()};
    theme->PaintBackground(canvas, all, all, all, theme->GetViewColor(VT_TOOLBAR_NORMAL), false, VT_TOOLBAR_NORMAL);
    for (int i = 0; i < 20; ++i) {
      const int saved = win::SaveDC(dc);
      win::OffsetViewportOrgEx(dc, 4 + i * 23, 2, nullptr);
      win::IntersectClipRect(dc, 0, 0, 23, 22);
      const TTxItemInfo& item = items[size_t(i)];
      const TRect r{0, 0, 23, 22};
      if (i == 6 || i == 12 || i == 16) {
        theme->PaintSeparator(canvas, r, item, false, true);
      } else {
        theme->PaintButton(canvas, r, item);
        const TPoint offset = theme->GetImageOffset(canvas, item, images.get());
        theme->PaintImage(canvas, TRect{3 + offset.x, 3 + offset.y, 19 + offset.x, 19 + offset.y}, item,
                          images.get(), 0);
        if (item.ComboPart == cpCombo) theme->PaintDropDownArrow(canvas, TRect{15, 0, 23, 22}, item);
      }
      win::RestoreDC(dc, saved);
    }
    benchmark::DoNotOptimize(win::GetPixel(dc, 10, 10));
  }
}
void BM_PaintToolbarDefault20(benchmark::State& state) { BM_PaintToolbar(state, "Default"); }
BENCHMARK(BM_PaintToolbarDefault20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, Aluminum, "Aluminum")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, Stripes, "Stripes")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, Monai, "Monai")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, Zezio, "Zezio")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, OfficeK, "OfficeK")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, Dream, "Dream")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, Miranda, "Miranda")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, Nexos5, "Nexos5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintToolbar, SentimoX, "SentimoX")->Unit(benchmark::kMillisecond);

void BM_ThemeGradient(benchmark::State& state) {
  Engine engine;
  fw::TBitmap surface;
  surface.SetPixelFormat(fw::pf32bit);
  surface.SetSize(1600, 40);
  const win::HDC dc = surface.Canvas()->Handle();
  const TGradientFillProc saved = GradientFillProc;
  GradientFillProc = nullptr;  // the banded path with its ramp cache
  GradientFillRect(dc, TRect{0, 0, 1600, 40}, 0xF0E0D0, 0x806040, false);  // warms the ramp
  for (auto _ : state) {
    GradientFillRect(dc, TRect{0, 0, 1600, 40}, 0xF0E0D0, 0x806040, false);
    benchmark::DoNotOptimize(win::GetPixel(dc, 800, 20));
  }
  GradientFillProc = saved;
}
BENCHMARK(BM_ThemeGradient)->Unit(benchmark::kMillisecond);

// A window that hears the switch and notes it (its repaint is not part of the figure).
class TListeningWindow : public fw::TObject {
 public:
  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg == TXM_THEMECHANGE && Message.WParam == TSC_AFTER_CHANGE) ++Changes;
  }
  int Changes = 0;
};

void BM_SwitchTheme50(benchmark::State& state) {
  Engine engine;
  std::vector<TListeningWindow> windows(50);
  for (auto& w : windows) AddThemeChangeListener(&w);
  bool xp = false;
  for (auto _ : state) {
    xp = !xp;
    SetCurrentTheme(xp ? "DefaultXP" : "Default");
  }
  for (auto& w : windows) RemoveThemeChangeListener(&w);
  if (windows.back().Changes != int(state.iterations())) state.SkipWithError("a window missed a switch");
}
BENCHMARK(BM_SwitchTheme50)->Unit(benchmark::kMillisecond);

}  // namespace
