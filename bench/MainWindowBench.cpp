// The main window's theme switch: the theme menu's command between two themes, then everything
// it asks to be painted again (docks, menu bar, toolbars) painted on the headless desktop.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "controls/CsThemeMenu.h"
#include "framework/Forms.h"
#include "framework/StringList.h"
#include "mainwindow/Startup.h"
#include "mainwindow/WinMain.h"
#include "platform/desktop/HeadlessDesktop.h"
#include "toolbars/TBItem.h"
#include "tx/TxThemes.h"
#include "workspace/PropSaver.h"

namespace {

void BM_MainWindowThemeSwitch(benchmark::State& state) {
  win::desktop::HeadlessDesktop desk{1280, 1024};
  const std::filesystem::path settings = workspace::TPropSaver::SettingsFileName();
  std::filesystem::remove(settings);
  workspace::StartProgram();
  auto* form = fw::Application->CreateForm<workspace::TwndKorvalinMain>();
  form->Show();
  desk.run_until_idle();
  cs::TCsThemeGroupItem* themes = form->ThemeItems();
  toolbars::TTBCustomItem* first = themes->Items(0);  // Default
  toolbars::TTBCustomItem* second = themes->Items(themes->Strings()->IndexOf("DefaultXP"));
  bool toSecond = true;
  for (auto _ : state) {
    (toSecond ? second : first)->Click();
    desk.run_until_idle();
    toSecond = !toSecond;
  }
  form->Close();
  delete form;
  workspace::FinishProgram();
  std::filesystem::remove(settings);
}
BENCHMARK(BM_MainWindowThemeSwitch)->Unit(benchmark::kMillisecond);

}  // namespace
