// "Сохранить как..." of the main window: a picture name goes through the save-image dialog
// (the chart saved, the balloon's notice shown), any other name writes the current graph.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "chart/PlotMultiSelectorTool.h"
#include "controls/Balloon.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/NumericSpinEdit.h"
#include "dialog_script.h"
#include "export/PlotPreviewPanel.h"
#include "export/forms/WinPrint.h"
#include "export/forms/WinSaveImg.h"
#include "export/forms/WinSaveParams.h"
#include "mainwindow_fixture.h"
#include "toolbars/TBItem.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"

namespace {

using namespace mainwindowtest;

std::string ReadAll(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(MainWindowTest, SaveAsWritesAPictureThroughTheDialogOrTheCurrentGraphAsData) {
  form->OpenFileNames({WriteFile("data.txt", "0 1\n1 4\n2 9\n")});
  ASSERT_EQ(Graphs().Count(), 1);
  ASSERT_NE(form->MenuItemOf(form->SaveAsAction()), nullptr);

  // A picture: the dialog opens on the chart's size; OK writes the file and tells so.
  const auto picture = folder / "chart.bmp";
  wd::PushSaveDialogAnswer(wd::FileDialogResult{{win::Utf8ToWide(picture.string())}, 1});
  fw::Integer shownWidth = -1;
  desktop->script([&] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* dialog = dynamic_cast<kvforms::TwndSaveImg*>(fw::Screen->Forms(i))) {
        shownWidth = fw::Integer(dialog->seWidth->Value());
        dialog->SetModalResult(fw::mrOk);
      }
  });
  workspace::Preferences.ShowBalloonTips = true;
  ASSERT_TRUE(form->SaveAsAction()->Execute());
  EXPECT_EQ(shownWidth, form->Chart()->Width());
  const std::string bmp = ReadAll(picture);
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_TRUE(form->MultiSelectorTool()->Active());
  // The finished save is announced in a balloon.
  auto* balloon = dynamic_cast<cs::TBalloon*>(FindOpenForm<cs::TBalloon>());
  ASSERT_NE(balloon, nullptr);
  EXPECT_TRUE(balloon->Visible());

  // Data: the current graph as text, its three points on three lines.
  const auto text = folder / "out.txt";
  wd::PushSaveDialogAnswer(wd::FileDialogResult{{win::Utf8ToWide(text.string())}, 1});
  ASSERT_TRUE(form->SaveAsAction()->Execute());
  const std::string written = ReadAll(text);
  EXPECT_NE(written.find('9'), std::string::npos) << written;

  // A cancelled file dialog writes nothing.
  wd::PushSaveDialogAnswer(std::nullopt);
  ASSERT_TRUE(form->SaveAsAction()->Execute());
  EXPECT_FALSE(std::filesystem::exists(folder / "none.txt"));
}

// Two graphs selected on the chart: Save as opens the wizard instead of the file dialog, and its
// OK writes a file per graph; Cancel writes none.
TEST_F(MainWindowTest, SaveAsWithSeveralSelectedGraphsWritesThemThroughTheWizard) {
  form->OpenFileNames({WriteFile("one.txt", "0 1\n1 4\n"), WriteFile("two.txt", "0 7\n1 8\n")});
  ASSERT_EQ(Graphs().Count(), 2);
  form->MultiSelectorTool()->SelectAll();
  ASSERT_EQ(Graphs().SelectedGraphs().size(), 2u);
  const auto out = folder / "out";
  std::filesystem::create_directory(out);
  for (const bool ok : {false, true}) {
    AnswerDialog<kvforms::TwndSaveParams>(*desktop, ok ? fw::mrOk : fw::mrCancel, [&](kvforms::TwndSaveParams& w) {
      if (!ok) return;
      w.rbSaveSeparate->SetChecked(true);
      w.butNextClick();
      w.butNextClick();
      w.edFilesPath->SetText(fw::String(out.string()));
      w.rbSourceNames->SetChecked(true);
      w.butOkClick();
    });
    ASSERT_TRUE(form->SaveAsAction()->Execute());
    if (!ok) {
      EXPECT_TRUE(std::filesystem::is_empty(out));
    }
  }
  EXPECT_EQ(ReadAll(out / "one.txt"), "0\t1\n1\t4\n");
  EXPECT_EQ(ReadAll(out / "two.txt"), "0\t7\n1\t8\n");
  std::remove(workspace::TPropSaver::SettingsFileName().c_str());
}

}  // namespace

namespace {

TEST_F(MainWindowTest, PrintOpensThePrintDialogOnTheMainChart) {
  ASSERT_NE(form->MenuItemOf(form->PrintAction()), nullptr);
  chart::TCustomPlotPanel* previewed = nullptr;
  AnswerDialog<kvforms::TwndPrint>(*desktop, fw::mrCancel,
                                   [&](kvforms::TwndPrint& d) { previewed = d.p->Panel(); });
  ASSERT_TRUE(form->PrintAction()->Execute());
  EXPECT_EQ(previewed, form->Chart());
  EXPECT_TRUE(form->MultiSelectorTool()->Active());
}

}  // namespace
