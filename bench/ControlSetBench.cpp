// The control set's figures on the headless desktop: completing a typed letter in a combo box of
// 100,000 items, scrolling a list box of a million lines by a page, loading 1 MB into the memo,
// and showing a balloon hint up to its painted window.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "controls/Balloon.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "controls/UniCodePages.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"

namespace {

// A headless desktop, a fresh application and a shown form for one benchmark.
struct Stage {
  Stage() : desktop(1024, 768) {
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    form = new fw::TForm(nullptr);
    form->SetBounds(50, 50, 600, 500);
  }
  ~Stage() {
    delete form;
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
  }
  void Show() {
    form->Show();
    desktop.run_until_idle();
  }
  win::desktop::HeadlessDesktop desktop;
  fw::TForm* form;
};

std::u16string ItemName(int i) {
  static const char16_t* stems[] = {u"график", u"данные", u"series", u"value", u"точка", u"axis"};
  return std::u16string(stems[i % 6]) + u" " + std::u16string(u"abcdefghij").substr(i % 10, 1) +
         cs::Utf8ToWide(std::to_string(i));
}

void BM_ComboAutoComplete100k(benchmark::State& state) {
  Stage stage;
  auto* combo = new cs::TCsComboBox(stage.form);
  combo->SetParent(stage.form);
  combo->SetBounds(10, 10, 200, 21);
  combo->Items()->BeginUpdate();
  for (int i = 0; i < 100000; ++i) combo->Items()->Add(ItemName(i));
  combo->Items()->Add(u"ёжик");  // the only item with this first letter: the last one searched
  combo->Items()->EndUpdate();
  stage.Show();
  combo->SetFocus();
  fw::Application->ProcessMessages();
  for (auto _ : state) {
    state.PauseTiming();
    combo->SetText(u"");
    fw::Application->ProcessMessages();
    state.ResumeTiming();
    stage.desktop.type_char(u'ё');
    fw::Application->ProcessMessages();
    stage.desktop.run_until_idle();  // shown: the edit repainted
  }
  if (combo->Text() != u"ёжик") state.SkipWithError("the typed letter did not complete the item");
}
BENCHMARK(BM_ComboAutoComplete100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CsListBoxScroll1M(benchmark::State& state) {
  Stage stage;
  auto* list = new cs::TCsListBox(stage.form);
  list->SetParent(stage.form);
  list->SetBounds(10, 10, 300, 400);
  stage.Show();
  list->Items()->BeginUpdate();
  for (int i = 0; i < 1000000; ++i) list->Items()->Add("line " + std::to_string(i));
  list->Items()->EndUpdate();
  stage.desktop.run_until_idle();
  int pages = 0;
  for (auto _ : state) {
    win::SendMessageW(list->Handle(), win::WM_VSCROLL, win::MAKEWPARAM(win::SB_PAGEDOWN, 0), 0);
    win::UpdateWindow(list->Handle());
    if (++pages == 10000) {
      state.PauseTiming();
      win::SendMessageW(list->Handle(), win::WM_VSCROLL, win::MAKEWPARAM(win::SB_TOP, 0), 0);
      pages = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_CsListBoxScroll1M)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_CsMemoLoad1MB(benchmark::State& state) {
  Stage stage;
  auto* memo = new cs::TCsMemo(stage.form);
  memo->SetParent(stage.form);
  memo->SetBounds(10, 10, 400, 300);
  stage.Show();
  std::string text;
  for (int i = 0; text.size() < 1024 * 1024; ++i) text += "Строка " + std::to_string(i) + " графика, x=1,5; y=2,25\r\n";
  text.resize(1024 * 1024);
  for (auto _ : state) {
    static_cast<fw::TControl*>(memo)->SetText(text);
    win::UpdateWindow(memo->Handle());
    state.PauseTiming();
    static_cast<fw::TControl*>(memo)->SetText("");
    state.ResumeTiming();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_CsMemoLoad1MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BalloonShow(benchmark::State& state) {
  Stage stage;
  auto* edit = new cs::TCsEdit(stage.form);
  edit->SetParent(stage.form);
  edit->SetBounds(100, 100, 120, 21);
  stage.Show();
  auto* balloons = new cs::TBalloonControl(stage.form);
  balloons->SetControl(edit);
  balloons->SetTitle("Сохранение");
  balloons->SetText("Сохранение завершено");
  balloons->SetDuration(5);
  for (auto _ : state) {
    balloons->ShowBalloon();
    win::UpdateWindow(balloons->Balloon()->Handle());
    state.PauseTiming();
    balloons->HideBalloon();
    stage.desktop.run_until_idle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BalloonShow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
