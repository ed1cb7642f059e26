// What a new user meets in the main window: undoing a trim, commands that cannot act, copying
// cells of the data panel.

#include "analysis/WinOperations.h"
#include "analysis/WinFindOpGroup.h"
#include "analysis/WinSelect.h"
#include "analysis/WinTracing.h"
#include "controls/CsButtons.h"
#include "chart/Series.h"
#include "mainwindow/dialog_script.h"
#include "mainwindow_fixture.h"

namespace mainwindowtest {
namespace {

class NewUserTest : public MainWindowTest {
 protected:
  workspace::TGraph* AddSquares(const char* title, int count = 10) {
    auto* s = new chart::TLineSeries(nullptr);
    for (int i = 0; i < count; ++i) s->AddXY(i, i * i);
    return Graphs().AddGraph(s, "data.txt", {}, title);
  }
  static std::vector<double> Ys(const workspace::TGraph& g) {
    std::vector<double> y;
    for (fw::Integer i = 0; i < g.Series()->Count(); ++i) y.push_back(g.Series()->PointY(i));
    return y;
  }
};

TEST_F(NewUserTest, UndoAfterATrimGivesThePointsBackAndKeepsTheGraph) {
  workspace::TGraph* g = AddSquares("a");
  Graphs().SelectLastAdded();
  const std::vector<double> before = Ys(*g);
  AnswerDialog<analysis::TwndTrim>(*desktop, fw::mrOk, [](analysis::TwndTrim& dialog) {
    dialog.ShowParams({true, true, 2.5, 6.5});
  });
  form->TrimAction()->Execute();
  Pump();
  ASSERT_EQ(Graphs().Count(), 1);
  ASSERT_LT(g->Series()->Count(), 10) << "nothing was trimmed";
  EXPECT_EQ(form->UndoAction()->Caption(), "Отменить обрезку графика");
  ASSERT_TRUE(form->UndoAction()->Enabled());
  form->UndoAction()->Execute();
  Pump();
  ASSERT_EQ(Graphs().Count(), 1) << "the undo deleted the graph";
  EXPECT_EQ(Ys(*Graphs().Items(0)), before);
  EXPECT_EQ(form->UndoAction()->Caption(), "Отменить добавление графика");
}

TEST_F(NewUserTest, ATrimThatCutsNothingRecordsNothing) {
  AddSquares("a");
  Graphs().SelectLastAdded();
  AnswerDialog<analysis::TwndTrim>(*desktop, fw::mrOk, [](analysis::TwndTrim& dialog) {
    dialog.ShowParams({true, false, -100, 0});
  });
  form->TrimAction()->Execute();
  Pump();
  EXPECT_EQ(Graphs().Items(0)->Series()->Count(), 10);
  EXPECT_EQ(form->UndoAction()->Caption(), "Отменить добавление графика");
}

TEST_F(NewUserTest, CommandsWithNothingToActOnAreDisabled) {
  struct TRow {
    const char* Command;
    fw::TAction* Action;
  };
  const TRow rows[] = {{"save as", form->SaveAsAction()}, {"tracing", form->ToggleTracingAction()},
                       {"group maximum", form->FindGroupActions()[0]}};
  for (const TRow& row : rows) EXPECT_FALSE(row.Action->Enabled()) << row.Command << " with no graph";
  workspace::TGraph* g = AddSquares("a");
  Graphs().SelectLastAdded();
  Pump();
  for (const TRow& row : rows) EXPECT_TRUE(row.Action->Enabled()) << row.Command << " with a graph";
  Graphs().DeleteGraph(g);
  Pump();
  for (const TRow& row : rows) EXPECT_FALSE(row.Action->Enabled()) << row.Command << " after the last graph went";
}

TEST_F(NewUserTest, OkWithNoGraphTickedSaysSoAndKeepsTheChoiceOpen) {
  AddSquares("a");
  AddSquares("b");
  Graphs().SelectLastAdded();
  bool stayedOpen = false;
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  desktop->script([&] {
    auto* dialog = FindOpenForm<analysis::TwndGraphSelect>();
    ASSERT_NE(dialog, nullptr);
    dialog->Choice().CheckNone();
    dialog->Refresh();
    dynamic_cast<cs::TCsButton*>(dialog->FindComponent("butOk"))->Click();
  });
  desktop->script([&] {
    auto* dialog = FindOpenForm<analysis::TwndGraphSelect>();
    stayedOpen = dialog != nullptr && dialog->Visible();
    if (dialog) dialog->SetModalResult(fw::mrCancel);
  });
  form->FindGroupActions()[0]->Execute();
  Pump();
  EXPECT_TRUE(stayedOpen);
  ASSERT_FALSE(win::MessageBoxHistory().empty());
  EXPECT_EQ(win::WideToUtf8(win::MessageBoxHistory().back().text), analysis::NothingChosenMsg);
  EXPECT_TRUE(analysis::FindOpGroupWindows().empty());
}

TEST_F(NewUserTest, TheTracingWindowOpensBesideTheChartOrWhereItWasLeft) {
  AddSquares("a");
  Graphs().SelectLastAdded();
  ASSERT_TRUE(form->ToggleTracingAction()->Execute());
  Pump();
  ASSERT_NE(analysis::TracingWindow, nullptr);
  fw::TControl* chart = form->Chart();
  const fw::TPoint chartTopLeft = chart->ClientToScreen(fw::TPoint{0, 0});
  const fw::TRect onScreen{chartTopLeft.x, chartTopLeft.y, chartTopLeft.x + chart->ClientWidth(),
                           chartTopLeft.y + chart->ClientHeight()};
  const fw::TForm& first = *analysis::TracingWindow;
  EXPECT_GE(first.Left(), onScreen.left);
  EXPECT_LE(first.Left() + first.Width(), onScreen.right);
  EXPECT_GE(first.Top(), onScreen.top);
  EXPECT_LT(first.Top(), onScreen.top + 40) << "at the chart's top";
  EXPECT_GT(first.Left() + first.Width(), onScreen.right - 40) << "at the chart's right";
  // Moved and closed, it opens where it was left.
  analysis::TracingWindow->SetBounds(30, 40, first.Width(), first.Height());
  analysis::TracingWindow->Close();
  Pump();
  ASSERT_EQ(analysis::TracingWindow, nullptr);
  ASSERT_TRUE(form->ToggleTracingAction()->Execute());
  Pump();
  ASSERT_NE(analysis::TracingWindow, nullptr);
  EXPECT_EQ(analysis::TracingWindow->Left(), 30);
  EXPECT_EQ(analysis::TracingWindow->Top(), 40);
  analysis::TracingWindow->Close();
  Pump();
}

}  // namespace
}  // namespace mainwindowtest
