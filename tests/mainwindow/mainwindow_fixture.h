#pragma once
// The main window on the headless desktop with a fresh settings file, the program's start-up
// registrations and a temporary folder for data files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "framework/ActnList.h"
#include "framework/Clipbrd.h"
#include "framework/control_fixture.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/windows/WinUserTypes.h"
#include "workspace/Common.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"
#include "workspace/Operations.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"
#include "mainwindow/Startup.h"
#include "mainwindow/WinMain.h"

namespace mainwindowtest {

using Points = std::vector<std::pair<double, double>>;

// A graph's points, for comparing with what a computation should give.
inline Points PointsOf(const chart::TChartSeries* s) {
  Points p;
  for (fw::Integer i = 0; i < s->Count(); ++i) p.emplace_back(s->PointX(i), s->PointY(i));
  return p;
}

namespace wd = win::desktop;
using workspace::TwndKorvalinMain;

class MainWindowTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    wd::ClearScriptedAnswers();
    win::ClearMessageBoxHistory();
    std::filesystem::remove(workspace::TPropSaver::SettingsFileName());
    workspace::Preferences = workspace::TPreferences{};
    workspace::StartProgram();
    folder = std::filesystem::temp_directory_path() / ("kv_mainwindow_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    form = fw::Application->CreateForm<TwndKorvalinMain>();
    form->Show();
    Pump();
  }
  void TearDown() override {
    workspace::PointPickHandler = nullptr;
    if (form) {
      workspace::Preferences.ConfirmClose = false;
      form->Close();
      delete form;
    }
    workspace::FinishProgram();
    EXPECT_EQ(wd::PendingScriptedAnswers(), 0u) << "an answer the test queued was never asked for";
    wd::ClearScriptedAnswers();
    std::filesystem::remove_all(folder);
    std::filesystem::remove(workspace::TPropSaver::SettingsFileName());
    ControlTest::TearDown();
  }
  std::string WriteFile(const std::string& name, const std::string& text) {
    auto path = folder / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  workspace::TGraphCollection& Graphs() { return *form->Graphs(); }

  TwndKorvalinMain* form = nullptr;
  std::filesystem::path folder;
};

}  // namespace mainwindowtest
