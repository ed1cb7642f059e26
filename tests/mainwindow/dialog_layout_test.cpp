// Every dialog and tool window, opened as the user opens it and with the fonts it really uses,
// shows each caption, heading and line whole and no control over another.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "analysis/PolynomGraph.h"
#include "analysis/WinEnterText.h"
#include "analysis/WinFindOp.h"
#include "analysis/WinFindOpGroup.h"
#include "analysis/WinTemplateEdit.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"
#include "dialog_commands.h"
#include "export/KvPlotExport.h"
#include "export/forms/WinCopy.h"
#include "export/forms/WinGradient.h"
#include "export/forms/WinSaveImg.h"
#include "export/forms/WinSaveParams.h"
#include "layout_check.h"
#include "mainwindow/WinInfo.h"

namespace mainwindowtest {
namespace {

class DialogLayoutTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* title : {"a", "b"}) {
      auto* s = new chart::TLineSeries(nullptr);
      for (int i = 0; i < 10; ++i) s->AddXY(i, i * i);
      Graphs().AddGraph(s, "data.txt", {}, title);
    }
    Graphs().SelectLastAdded();
  }
  static std::string Joined(const std::vector<std::string>& Faults) {
    std::string out;
    for (const std::string& f : Faults) out += "\n  " + f;
    return out;
  }
  void ExpectWhole(fw::TWinControl* Form, const std::string& What) {
    const std::vector<std::string> faults = layoutcheck::Faults(Form);
    EXPECT_TRUE(faults.empty()) << What << ":" << Joined(faults);
  }
};

TEST_F(DialogLayoutTest, EveryDialogOpenedFromItsCommandShowsItsControlsWhole) {
  for (const TReach& row : DialogCommands()) {
    fw::TAction* action = row.Action(*form);
    ASSERT_NE(action, nullptr) << row.Command;
    bool checked = false;
    if (row.Modal) {
      desktop->script([&] {
        fw::TCustomForm* active = fw::Screen->ActiveForm();
        if (!active || active == form) return;
        ExpectWhole(active, row.Command);
        checked = true;
        active->SetModalResult(fw::mrCancel);
      });
      action->Execute();
      Pump();
    } else {
      action->Execute();
      Pump();
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i) {
        fw::TCustomForm* shown = fw::Screen->Forms(i);
        if (row.Is(shown) && shown->Visible()) {
          ExpectWhole(shown, row.Command);
          checked = true;
          shown->Close();
        }
      }
      Pump();
    }
    EXPECT_TRUE(checked) << row.Command;
  }
}

TEST_F(DialogLayoutTest, EveryOtherWindowShowsItsControlsWhole) {
  // The find windows with numbers as long as general number text gets (sixteen digits, a sign and
  // an exponent) and a graph named after a long file.
  auto* small = new chart::TLineSeries(nullptr);
  for (int i = 0; i < 40; ++i) small->AddXY(-0.0123456789 * (i + 1), -std::sin(0.37 * i) * 1e-5 / 3);
  Graphs().AddGraph(small, "/data/Измерение температуры 2026-12-07.txt", {}, "");
  const std::vector<fw::Integer> ids{Graphs().Items(0)->Id(), Graphs().Items(1)->Id(), Graphs().Items(2)->Id()};
  for (analysis::TFindOpKind kind :
       {analysis::fkMax, analysis::fkMin, analysis::fkDelta, analysis::fkAverage, analysis::fkIntegral}) {
    const std::string name = analysis::FindOpKindName(kind);
    for (bool searched : {false, true}) {
      const std::string when = searched ? " after a search" : "";
      std::unique_ptr<analysis::TwndFindOp> single(new analysis::TwndFindOp(nullptr, kind));
      single->Bind(2);
      std::unique_ptr<analysis::TwndFindOpGroup> group(new analysis::TwndFindOpGroup(nullptr, kind, ids));
      for (analysis::TFindOpForm* window : {static_cast<analysis::TFindOpForm*>(single.get()),
                                            static_cast<analysis::TFindOpForm*>(group.get())}) {
        window->fedX1->SetValue(-1);
        window->fedX2->SetValue(9);
        if (searched) window->Search();
      }
      if (searched) {
        ASSERT_NE(group->Grid->Cells(2, 3), "") << name;
        ASSERT_NE(single->Grid->Cells(kind == analysis::fkDelta ? 1 : 0, 1), "") << name;
      }
      ExpectWhole(single.get(), "find " + name + when);
      ExpectWhole(group.get(), "group search " + name + when);
      // The window itself widens: no column is left to a scroll bar.
      fw::Integer columns = 0;
      for (fw::Integer c = 0; c < group->Grid->ColCount(); ++c) columns += group->Grid->ColWidths(c);
      EXPECT_LE(columns, group->Grid->ClientWidth()) << name << when;
    }
  }
  // The polynomial's information window with its note.
  auto info = workspace::TPropSaver::FromStrings(nullptr, "POLYNOM");
  info->WriteFloat("K0", -1.23456789012345);
  info->WriteString("Примечание", analysis::PolynomNoteText);
  std::unique_ptr<workspace::TwndInfo> infoWindow(new workspace::TwndInfo(nullptr));
  infoWindow->ShowStore(*info);
  ExpectWhole(infoWindow.get(), "polynomial information");

  std::unique_ptr<fw::TForm> copyText(new kvforms::TwndCopyTxt(nullptr));
  ExpectWhole(copyText.get(), "copy text");
  std::unique_ptr<fw::TForm> copyPicture(new kvforms::TwndCopyImg(nullptr));
  ExpectWhole(copyPicture.get(), "copy picture");
  std::unique_ptr<fw::TForm> gradient(new kvforms::TwndGradient(nullptr, *form->Chart()->Gradient()));
  ExpectWhole(gradient.get(), "gradient");
  // The wizard shows one page at a time: each is checked shown.
  std::unique_ptr<fw::TForm> wizard(
      new kvforms::TwndSaveParams(nullptr, {Graphs().Items(0), Graphs().Items(1), Graphs().Items(2)}));
  const char* pages[] = {"Start", "FileFormat", "SaveBundle", "Files", "FileNames", "Format"};
  for (const char* page : pages) {
    for (const char* other : pages) {
      auto* panel = dynamic_cast<fw::TControl*>(wizard->FindComponent(std::string("page") + other));
      ASSERT_NE(panel, nullptr) << other;
      panel->SetVisible(std::string(other) == page);
    }
    ExpectWhole(wizard.get(), std::string("export wizard, page ") + page);
  }
  std::unique_ptr<fw::TForm> enterText(new analysis::TwndEnterText(nullptr));
  ExpectWhole(enterText.get(), "enter text");
  std::unique_ptr<fw::TForm> templates(new analysis::TwndTemplateEdit(nullptr));
  ExpectWhole(templates.get(), "template editor");

  // The save-image dialog shows the options of the format being saved.
  for (const char* ext : {".bmp", ".jpg", ".gif", ".svg"}) {
    std::unique_ptr<kvexport::TKvPlotExportFormat> format = kvexport::CreateExportFormat(ext);
    ASSERT_NE(format, nullptr) << ext;
    std::unique_ptr<kvforms::TwndSaveImg> save(new kvforms::TwndSaveImg(nullptr));
    save->LoadFormat(ext, *format);
    ExpectWhole(save.get(), std::string("save picture ") + ext);
  }
}

}  // namespace
}  // namespace mainwindowtest
