// Every dialog and window of the analysis and format libraries opens from the main window's
// command that names it, and each of those commands is on the menu.

#include "chart/Series.h"
#include "dialog_commands.h"
#include "framework/Menus.h"
#include "mainwindow/dialog_script.h"
#include "mainwindow_fixture.h"

namespace mainwindowtest {
namespace {

class CommandsReachDialogsTest : public MainWindowTest {};

TEST_F(CommandsReachDialogsTest, EachDialogOpensFromItsCommandOnTheMenu) {
  for (const char* title : {"a", "b"}) {
    auto* s = new chart::TLineSeries(nullptr);
    for (int i = 0; i < 10; ++i) s->AddXY(i, i * i);
    Graphs().AddGraph(s, "data.txt", {}, title);
  }
  Graphs().SelectLastAdded();
  for (const TReach& row : DialogCommands()) {
    fw::TAction* action = row.Action(*form);
    ASSERT_NE(action, nullptr) << row.Command;
    EXPECT_NE(form->MenuItemOf(action), nullptr) << row.Command << " is on the menu";
    EXPECT_TRUE(action->Enabled()) << row.Command;
    bool opened = false;
    if (row.Modal) {
      desktop->script([&] {
        fw::TCustomForm* active = fw::Screen->ActiveForm();
        opened = active && row.Is(active);
        if (active && active != form) active->SetModalResult(fw::mrCancel);
      });
      action->Execute();
      Pump();
    } else {
      action->Execute();
      Pump();
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i) {
        fw::TCustomForm* shown = fw::Screen->Forms(i);
        if (row.Is(shown) && shown->Visible()) {
          opened = true;
          shown->Close();
        }
      }
      Pump();
    }
    EXPECT_TRUE(opened) << row.Command;
  }
}

}  // namespace
}  // namespace mainwindowtest
