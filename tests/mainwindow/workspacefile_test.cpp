// Workspace files: the chart's formatting round-trips through a file, the chart's own title
// texts stay unless the user takes the file's, and the default workspace is offered at start
// only when the user keeps one.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "chart/Chart.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "framework/StdCtrls.h"
#include "framework/control_fixture.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"
#include "mainwindow/Startup.h"
#include "mainwindow/WinMain.h"
#include "mainwindow/WorkspaceFile.h"

namespace {

using workspace::TWorkspaceTitles;

class WorkspaceFileTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    file = (std::filesystem::temp_directory_path() / ("kv_ws_" + std::to_string(::getpid()) + ".def")).string();
  }
  void TearDown() override {
    std::filesystem::remove(file);
    std::filesystem::remove(workspace::DefaultWorkspaceFileName());
    std::filesystem::remove(workspace::TPropSaver::SettingsFileName());
    ControlTest::TearDown();
  }
  std::string file;
};

TEST_F(WorkspaceFileTest, FormattingComesBackAndTitleTextsOnlyWhenTaken) {
  chart::TChart source(nullptr);
  source.SetColor(fw::clNavy);
  source.Title()->SetText("Из файла");
  source.Foot()->SetText("Подвал из файла");
  source.Legend()->SetAlignment(chart::laTop);
  source.LeftAxis()->Title()->SetCaption("U, В");
  workspace::SaveWorkspace(file, &source);

  chart::TChart target(nullptr);
  target.Title()->SetText("Свой");
  target.Foot()->SetText("Свой подвал");
  target.LeftAxis()->Title()->SetCaption("Своя ось");
  TWorkspaceTitles take;
  take.Foot = true;
  ASSERT_TRUE(workspace::LoadWorkspace(file, &target, take));
  EXPECT_EQ(target.Color(), fw::clNavy);
  EXPECT_EQ(target.Legend()->Alignment(), chart::laTop);
  EXPECT_EQ(target.Title()->Text(), "Свой");          // kept
  EXPECT_EQ(target.Foot()->Text(), "Подвал из файла");  // taken
  EXPECT_EQ(target.LeftAxis()->Title()->Caption(), "Своя ось");

  take.AxisTitles = true;
  ASSERT_TRUE(workspace::LoadWorkspace(file, &target, take));
  EXPECT_EQ(target.LeftAxis()->Title()->Caption(), "U, В");
}

TEST_F(WorkspaceFileTest, AFileWithoutChartFormattingChangesNothing) {
  std::ofstream(file) << "[OTHER]\nKey=1\n";
  chart::TChart target(nullptr);
  target.SetColor(fw::clTeal);
  EXPECT_FALSE(workspace::LoadWorkspace(file, &target, {}));
  EXPECT_FALSE(workspace::LoadWorkspace(file + ".missing", &target, {}));
  EXPECT_EQ(target.Color(), fw::clTeal);
}

TEST_F(WorkspaceFileTest, DefaultWorkspaceIsOfferedAtStartWhenKept) {
  chart::TChart source(nullptr);
  source.SetColor(fw::clMaroon);
  source.Title()->SetText("Из файла");
  workspace::SaveWorkspace(workspace::DefaultWorkspaceFileName(), &source);
  {
    workspace::TPropSaver settings(true);
    workspace::TPreferences prefs;
    prefs.SaveGraphSettings = true;
    prefs.ConfirmClose = false;
    prefs.Save(settings);
    settings.UpdateFile();
  }
  workspace::StartProgram();
  bool asked = false;
  desktop->script([&] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i) {
      fw::TCustomForm* f = fw::Screen->Forms(i);
      if (f->Caption() != "Загрузка") continue;
      asked = true;
      // Take the main title over as well.
      for (fw::Integer c = 0; c < f->ComponentCount(); ++c)
        if (auto* check = dynamic_cast<fw::TCheckBox*>(f->Components(c)); check && check->Caption() == "Заголовок")
          check->SetChecked(true);
      f->SetModalResult(fw::mrOk);
    }
  });
  auto* form = fw::Application->CreateForm<workspace::TwndKorvalinMain>();
  EXPECT_TRUE(asked);
  EXPECT_EQ(form->Chart()->Color(), fw::clMaroon);
  EXPECT_EQ(form->Chart()->Title()->Text(), "Из файла");
  form->Close();
  delete form;
  workspace::FinishProgram();
}

}  // namespace
