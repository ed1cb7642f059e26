// Menu figures: opening a popup menu of 40 items with images and shortcuts up to its painted
// window, moving the selection by key, and laying out a view of 200 items.

#include <benchmark/benchmark.h>

#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/WinUserTypes.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemView.h"

namespace {

using namespace toolbars;

struct MenuFixture {
  explicit MenuFixture(int count) : desk(1280, 1024), root(nullptr), images(nullptr) {
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    fw::TBitmap picture;
    picture.SetWidth(16 * count);
    picture.SetHeight(16);
    images.Add(&picture, nullptr);
    root.SetSubMenuImages(&images);
    for (int i = 0; i < count; ++i) {
      auto* it = new TTBCustomItem(&root);
      it->SetCaption("&Command number " + std::to_string(i));
      it->SetImageIndex(i);
      it->SetShortCut(fw::TShortCut(fw::scCtrl | ('A' + i % 26)));
      root.Add(it);
    }
  }
  ~MenuFixture() { root.Clear(); }
  win::desktop::HeadlessDesktop desk;
  TTBRootItem root;
  fw::TImageList images;
};

void BM_PopupMenuShow40(benchmark::State& state) {
  MenuFixture f(40);
  for (auto _ : state) {
    TTBPopupWindow* popup = f.root.CreatePopup(nullptr, nullptr, false, false, false, TPoint{100, 100}, 0);
    win::UpdateWindow(popup->Handle());
    state.PauseTiming();
    delete popup;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PopupMenuShow40)->Unit(benchmark::kMicrosecond);

void BM_MenuKeyNavigate(benchmark::State& state) {
  MenuFixture f(40);
  TTBPopupWindow* popup = f.root.CreatePopup(nullptr, nullptr, false, true, false, TPoint{100, 100}, 0);
  win::UpdateWindow(popup->Handle());
  TTBView* view = popup->View();
  for (auto _ : state) {
    fw::Word key = win::VK_DOWN;
    view->KeyDown(key, fw::TShiftState());
    win::UpdateWindow(popup->Handle());
  }
  delete popup;
}
BENCHMARK(BM_MenuKeyNavigate)->Unit(benchmark::kMicrosecond);

void BM_ViewLayout200(benchmark::State& state) {
  MenuFixture f(200);
  // Menu lines: every caption, image and shortcut text is measured.
  TTBView view(nullptr, nullptr, &f.root, nullptr, false, false, false);
  view.AfterConstruction();
  for (auto _ : state) {
    view.InvalidatePositions();
    view.ValidatePositions();
  }
}
BENCHMARK(BM_ViewLayout200)->Unit(benchmark::kMicrosecond);

}  // namespace
