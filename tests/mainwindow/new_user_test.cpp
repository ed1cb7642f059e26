// What a new user meets in the main window: undoing a trim, commands that cannot act, copying
// cells of the data panel.

#include "analysis/WinOperations.h"
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

}  // namespace
}  // namespace mainwindowtest
