// The find-result windows reached through the main window's find actions: each measure compared
// with the analysis routines' own result, following the selection, paste, copy, clear, picking
// bounds on the chart, and the windows' end with the graphs.

#include "analysis/Analisis.h"
#include "analysis/WinFindOp.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsItems.h"
#include "controls/CsToolbars.h"
#include "controls/FloatEdit.h"
#include "framework/GridsString.h"
#include "framework/SysUtils.h"
#include "mainwindow_fixture.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"

namespace mainwindowtest {

namespace {

class FindWindowsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    a = Add({0, 1, 2, 3, 4, 5}, {1, 5, 2, -3, 4, 0}, "a");
    b = Add({0, 10}, {7, 8}, "b");
    Graphs().Select(0);
  }
  workspace::TGraph* Add(const std::vector<double>& X, const std::vector<double>& Y, const char* Title) {
    auto* s = new chart::TLineSeries(nullptr);
    for (std::size_t i = 0; i < X.size(); ++i) s->AddXY(X[i], Y[i]);
    workspace::TGraph* g = Graphs().AddGraph(s, "data.txt", {}, Title);
    Graphs().SelectLastAdded();
    return g;
  }
  analysis::TwndFindOp* Open(analysis::TFindOpKind Kind) {
    const int slot[] = {0, 1, -1, 2, 3, 4};
    EXPECT_TRUE(form->FindActions()[std::size_t(slot[Kind])]->Execute());
    Pump();
    return analysis::FindOpWindows[std::size_t(Kind)];
  }
  static std::string Num(double V) { return fw::FloatToStr(V); }
  workspace::TGraph* a = nullptr;
  workspace::TGraph* b = nullptr;
};

}  // namespace

TEST_F(FindWindowsTest, EveryMeasureIsTheRoutinesOwnOverTheTypedBounds) {
  const chart::TChartSeries* s = a->Series();
  analysis::TPointXY max{}, min{};
  analysis::FindMaxYInRange(s, max, 0.5, 4.5);
  analysis::FindMinYInRange(s, min, 0.5, 4.5);
  analysis::TMinMaxXY mm{};
  analysis::FindMinMaxYInRange(s, mm, 0.5, 4.5);
  const double mean = analysis::MeanYInRange(s, 0.5, 4.5);
  const double integral = analysis::IntegrateRange(s, 0.5, 4.5);
  struct Case {
    analysis::TFindOpKind Kind;
    const char* Name;
    std::vector<std::pair<std::pair<int, int>, double>> Cells;
  };
  const Case cases[] = {
      {analysis::fkMax, "MAX", {{{0, 1}, max.X}, {{1, 1}, max.Y}}},
      {analysis::fkMin, "MIN", {{{0, 1}, min.X}, {{1, 1}, min.Y}}},
      {analysis::fkDelta, "DELTA", {{{1, 1}, mm.MaxX}, {{2, 1}, mm.MaxY}, {{1, 2}, mm.MinX}, {{2, 2}, mm.MinY},
                                   {{1, 3}, mm.MaxX - mm.MinX}, {{2, 3}, mm.MaxY - mm.MinY}}},
      {analysis::fkAverage, "AVERAGE", {{{0, 1}, mean}, {{1, 1}, mean - mm.MinY}, {{2, 1}, mm.MaxY - mean}}},
      {analysis::fkIntegral, "INTEGRAL", {{{0, 1}, integral}}}};
  EXPECT_DOUBLE_EQ(max.Y, 5);
  EXPECT_DOUBLE_EQ(min.Y, -3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    analysis::TwndFindOp* w = Open(c.Kind);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(w->Caption(), std::string(c.Name) + " - a");
    w->fedX1->SetText(u"0.5");
    w->fedX2->SetText(u"4.5");
    w->butSearch->Click();
    for (const auto& [cell, value] : c.Cells) EXPECT_EQ(w->Grid->Cells(cell.first, cell.second), Num(value));
  }
  EXPECT_EQ(analysis::FindOpWindows[2], nullptr);
}

// Each kind's grid: its headers, its columns sharing the width as the kind shares it, and every
// row on show in the window's grid, none cut off or left over below.
TEST_F(FindWindowsTest, EachKindsGridShowsItsHeadersAndAllItsRows) {
  struct Case {
    analysis::TFindOpKind Kind;
    int Rows, Cols, FixedCols;
    std::vector<std::pair<std::pair<int, int>, const char*>> Headers;
    std::vector<int> EqualColumns;  // columns as wide as each other
  };
  const Case cases[] = {
      {analysis::fkMax, 2, 2, 0, {{{0, 0}, "MaxX"}, {{1, 0}, "MaxY"}}, {0, 1}},
      {analysis::fkMin, 2, 2, 0, {{{0, 0}, "MinX"}, {{1, 0}, "MinY"}}, {0, 1}},
      {analysis::fkDelta, 4, 3, 1,
       {{{1, 0}, "X"}, {{2, 0}, "Y"}, {{0, 1}, "Max"}, {{0, 2}, "Min"}, {{0, 3}, "Delta"}}, {1, 2}},
      {analysis::fkAverage, 2, 3, 0, {{{0, 0}, "Avg"}, {{1, 0}, "DevMin"}, {{2, 0}, "DevMax"}}, {0, 1, 2}},
      {analysis::fkIntegral, 2, 1, 0, {{{0, 0}, "Value"}}, {0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.Kind));
    fw::TStringGrid* grid = Open(c.Kind)->Grid;
    EXPECT_EQ(grid->RowCount(), c.Rows);
    EXPECT_EQ(grid->ColCount(), c.Cols);
    EXPECT_EQ(grid->FixedCols(), c.FixedCols);
    EXPECT_EQ(grid->FixedRows(), 1);
    for (const auto& [cell, text] : c.Headers) EXPECT_EQ(grid->Cells(cell.first, cell.second), text);
    for (int col : c.EqualColumns) EXPECT_EQ(grid->ColWidths(col), grid->ColWidths(c.EqualColumns.front()));
    if (c.Kind == analysis::fkDelta) {
      EXPECT_GE(grid->ColWidths(0), 30);  // 30, or wider to show "Delta" whole
    }
    int rowsHeight = 0;
    for (int row = 0; row < grid->RowCount(); ++row) rowsHeight += grid->RowHeights(row) + grid->GridLineWidth();
    EXPECT_LE(rowsHeight, grid->ClientHeight());
    EXPECT_LT(grid->ClientHeight() - rowsHeight, grid->DefaultRowHeight());
  }
}

TEST_F(FindWindowsTest, OneWindowPerKindFollowsTheSelectionWithoutRecomputing) {
  analysis::TwndFindOp* w = Open(analysis::fkMax);
  w->fedX1->SetText(u"0");
  w->fedX2->SetText(u"5");
  w->butSearch->Click();
  EXPECT_EQ(w->Grid->Cells(1, 1), "5");
  Graphs().Select(1);
  EXPECT_EQ(w->Caption(), "MAX - b");
  EXPECT_EQ(w->Grid->Cells(1, 1), "5");  // stays until the next search
  EXPECT_EQ(Open(analysis::fkMax), w);
  EXPECT_EQ(w->GraphIndex(), 1);
  w->butSearch->Click();
  EXPECT_EQ(w->Grid->Cells(1, 1), "7");
  // Closing hides it for the next use.
  w->Close();
  Pump();
  EXPECT_EQ(analysis::FindOpWindows[0], w);
  EXPECT_FALSE(w->Visible());
}

TEST_F(FindWindowsTest, AnIntervalWithoutAPointIsSaidAndTheResultsStay) {
  analysis::TwndFindOp* w = Open(analysis::fkMin);
  w->fedX1->SetText(u"0");
  w->fedX2->SetText(u"5");
  w->butSearch->Click();
  ASSERT_EQ(w->Grid->Cells(1, 1), "-3");
  for (const char16_t* bounds : {u"5.5", u"4"}) {  // beyond the graph; X1 above X2
    win::ClearMessageBoxHistory();
    wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
    w->fedX1->SetText(bounds);
    w->fedX2->SetText(bounds == std::u16string(u"4") ? u"1" : u"9");
    w->butSearch->Click();
    ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
    EXPECT_EQ(win::MessageBoxHistory()[0].text, u"На заданном участке нет ни одной точки.");
    EXPECT_EQ(w->Grid->Cells(1, 1), "-3");
  }
}

TEST_F(FindWindowsTest, BoundsArePastedCopiedClearedAndTakenFromGraphAndAxis) {
  analysis::TwndFindOp* w = Open(analysis::fkIntegral);
  fw::Clipboard()->SetAsText("1.5\t7");
  w->PasteBounds();
  EXPECT_DOUBLE_EQ(double(w->fedX1->Value()), 1.5);
  EXPECT_DOUBLE_EQ(double(w->fedX2->Value()), 7);
  fw::Clipboard()->SetAsText("abc 3");
  w->PasteBounds();
  EXPECT_DOUBLE_EQ(double(w->fedX1->Value()), 1.5);
  EXPECT_DOUBLE_EQ(double(w->fedX2->Value()), 3);
  w->fedX1->SetFocus();
  w->CopyBoundsOrResults();
  EXPECT_EQ(fw::Clipboard()->AsText(), fw::FloatToStr(1.5) + " 3");
  w->SetBoundsFromGraph(true, true);
  EXPECT_DOUBLE_EQ(double(w->fedX1->Value()), 0);
  EXPECT_DOUBLE_EQ(double(w->fedX2->Value()), 5);
  form->Chart()->BottomAxis()->SetMinMax(-2, 12);
  w->SetBoundsFromAxis(false, true);
  EXPECT_DOUBLE_EQ(double(w->fedX2->Value()), 12);
  w->butSearch->Click();
  EXPECT_FALSE(w->Grid->Cells(0, 1).empty());
  // With the grid focused, copy takes the selected cells and clear empties the results.
  w->Grid->SetFocus();
  w->CopyBoundsOrResults();
  EXPECT_EQ(fw::Clipboard()->AsText(), w->Grid->Cells(0, 1) + "\r\n");
  w->ClearBoundsOrResults();
  EXPECT_EQ(w->Grid->Cells(0, 1), "");
  EXPECT_DOUBLE_EQ(double(w->fedX2->Value()), 12);
  w->fedX2->SetFocus();
  w->ClearBoundsOrResults();
  EXPECT_DOUBLE_EQ(double(w->fedX2->Value()), 0);
}

TEST_F(FindWindowsTest, ToolItemsShowTheCommandPicturesAndAct) {
  // The program makes its data module before any window; the window is made on first use.
  const std::unique_ptr<workspace::TDataModule1> images =
      workspace::DataModule1 ? nullptr : std::make_unique<workspace::TDataModule1>(nullptr);
  analysis::TwndFindOp* w = Open(analysis::fkMax);
  ASSERT_NE(workspace::DataModule1, nullptr);
  struct Case {
    const char* name;
    int image;
    bool captionShown;
  };
  const Case cases[] = {
      {"itMinAbs", workspace::imgBoundMinAbs, false},
      {"itMinVis", workspace::imgBoundMinVis, false},
      {"itMinMaxAbs", workspace::imgBoundMinMaxAbs, false},
      {"itMinMaxVis", workspace::imgBoundMinMaxVis, false},
      {"itMaxVis", workspace::imgBoundMaxVis, false},
      {"itMaxAbs", workspace::imgBoundMaxAbs, false},
      {"tbutPickPoint", workspace::imgPickPoint, false},
      {"tbutPickPoints", workspace::imgPickPoint, true},
      {"itCopy", workspace::imgCopy, true},
      {"itPaste", workspace::imgPaste, true},
      {"itClear", workspace::imgClearAll, true},
  };
  for (const Case& c : cases) {
    auto* item = dynamic_cast<cs::TCsItem*>(w->FindComponent(c.name));
    ASSERT_NE(item, nullptr) << c.name;
    EXPECT_EQ(item->ImageIndex(), c.image) << c.name;
    EXPECT_EQ(item->DisplayMode() == toolbars::nbdmImageAndText, c.captionShown) << c.name;
    auto* bar = dynamic_cast<cs::TCsToolbar*>(item->Parent()->ParentComponent());
    ASSERT_NE(bar, nullptr) << c.name;
    EXPECT_EQ(bar->Images(), workspace::DataModule1->SmallImages()) << c.name;
  }
  EXPECT_EQ(dynamic_cast<cs::TCsItem*>(w->FindComponent("itMinMaxAbs"))->Hint(),
            "Левая граница = минимум Х графиков\r\nПравая граница = максимум Х графиков");
  // A click runs the command: the graph's X range becomes the bounds.
  dynamic_cast<cs::TCsItem*>(w->FindComponent("itMinMaxAbs"))->Click();
  EXPECT_DOUBLE_EQ(double(w->fedX1->Value()), 0);
  EXPECT_DOUBLE_EQ(double(w->fedX2->Value()), 5);
  analysis::CloseFindOpWindows();  // before the images go
}

TEST_F(FindWindowsTest, BoundsArePickedOnThePlotAndEscOrAnotherWindowCancels) {
  analysis::TwndFindOp* w = Open(analysis::fkMax);
  w->SetLeft(form->Left() + form->Width() + 10);  // off the chart
  form->Chart()->Repaint();
  Pump();
  const fw::TRect plot = form->Chart()->ChartRect();
  ASSERT_GT(plot.right - plot.left, 20);
  const int x1 = plot.left + (plot.right - plot.left) / 4, x2 = plot.left + 3 * (plot.right - plot.left) / 4;
  const int y = (plot.top + plot.bottom) / 2;
  auto press = [&](int X, int Y) {
    desktop->click(At(form->Chart(), X, Y));
    AppPump();
    Step(600);
  };
  // Both bounds: the first press sets X1, the second X2.
  w->TogglePick(true);
  EXPECT_TRUE(w->tbutPickPoints->Checked());
  press(plot.left - 5 > 0 ? plot.left - 5 : 0, y);  // outside the plot: nothing yet
  EXPECT_TRUE(static_cast<bool>(workspace::PointPickHandler));
  press(x1, y);
  press(x2, y);
  EXPECT_NEAR(double(w->fedX1->Value()), form->Chart()->BottomAxis()->CalcPosPoint(x1), 1e-6);
  EXPECT_NEAR(double(w->fedX2->Value()), form->Chart()->BottomAxis()->CalcPosPoint(x2), 1e-6);
  EXPECT_FALSE(w->tbutPickPoints->Checked());
  EXPECT_FALSE(static_cast<bool>(workspace::PointPickHandler));
  // One bound with fedX1 focused sets X1; cancelling (Esc in the main window) unchecks it.
  w->fedX1->SetFocus();
  w->TogglePick(false);
  press(x2, y);
  EXPECT_NEAR(double(w->fedX1->Value()), form->Chart()->BottomAxis()->CalcPosPoint(x2), 1e-6);
  EXPECT_FALSE(w->tbutPickPoint->Checked());
  w->TogglePick(false);
  workspace::CancelPointPick();
  EXPECT_FALSE(w->tbutPickPoint->Checked());
  // A pick armed in another window cancels this one's.
  w->TogglePick(false);
  analysis::TwndFindOp* other = Open(analysis::fkMin);
  other->TogglePick(true);
  EXPECT_FALSE(w->tbutPickPoint->Checked());
  EXPECT_TRUE(other->tbutPickPoints->Checked());
}

TEST_F(FindWindowsTest, EscInTheWindowCancelsItsPickAndThenClosesIt) {
  analysis::TwndFindOp* w = Open(analysis::fkMax);
  ASSERT_NE(w, nullptr);
  w->fedX1->SetFocus();
  AppPump();
  w->TogglePick(true);
  ASSERT_TRUE(static_cast<bool>(workspace::PointPickHandler));
  desktop->press_key(win::VK_ESCAPE);
  AppPump();
  EXPECT_FALSE(static_cast<bool>(workspace::PointPickHandler));
  EXPECT_FALSE(w->tbutPickPoints->Checked());
  ASSERT_EQ(analysis::FindOpWindows[analysis::fkMax], w);
  EXPECT_TRUE(w->Visible()) << "the first Esc only ends the pick";
  desktop->press_key(win::VK_ESCAPE);
  Pump();
  EXPECT_TRUE(analysis::FindOpWindows[analysis::fkMax] == nullptr || !w->Visible()) << "Esc did not close it";
}

TEST_F(FindWindowsTest, WindowsGoWithTheLastGraphAndFollowAGraphThatIsGone) {
  analysis::TwndFindOp* w = Open(analysis::fkMax);
  Graphs().Select(1);
  ASSERT_EQ(w->GraphIndex(), 1);
  // Undoing the second addition takes the bound graph away: the window follows the current one.
  form->UndoAction()->Execute();
  ASSERT_EQ(Graphs().Count(), 1);
  EXPECT_LT(w->GraphIndex(), 1);
  w->TogglePick(true);
  Graphs().Clear();
  EXPECT_EQ(analysis::FindOpWindows[0], nullptr);
  EXPECT_FALSE(static_cast<bool>(workspace::PointPickHandler));
}

}  // namespace mainwindowtest

#include "analysis/WinFindOpGroup.h"
#include "analysis/WinSelect.h"
#include "chart/PlotMultiSelectorTool.h"

namespace mainwindowtest {

TEST_F(FindWindowsTest, GroupSearchHasOneRowPerCheckedGraphWithTheRoutinesNumbers) {
  workspace::TGraph* c = Add({0, 2, 4}, {3, 9, 1}, "c");
  a->Checked = false;
  b->Checked = true;
  c->Checked = true;
  analysis::TwndFindOpGroup* w = analysis::ShowFindOpGroup(analysis::fkAverage, false);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->Caption(), "AVERAGE");
  ASSERT_EQ(w->Grid->RowCount(), 3);
  ASSERT_EQ(w->Grid->ColCount(), 5);
  EXPECT_EQ(w->Grid->Cells(0, 1), "0");
  EXPECT_EQ(w->Grid->Cells(1, 1), "b");
  EXPECT_EQ(w->Grid->Cells(0, 2), "1");
  EXPECT_EQ(w->Grid->Cells(1, 2), "c");
  EXPECT_EQ(w->Grid->Cells(3, 0), "DevMin");
  w->fedX1->SetText(u"0");
  w->fedX2->SetText(u"3");
  w->butSearch->Click();
  for (auto [row, graph] : {std::pair{1, b}, std::pair{2, c}}) {
    analysis::TMinMaxXY mm{};
    analysis::FindMinMaxYInRange(graph->Series(), mm, 0, 3);
    const double mean = analysis::MeanYInRange(graph->Series(), 0, 3);
    EXPECT_EQ(w->Grid->Cells(2, row), Num(mean));
    EXPECT_EQ(w->Grid->Cells(3, row), Num(mean - mm.MinY));
    EXPECT_EQ(w->Grid->Cells(4, row), Num(mm.MaxY - mean));
  }
  // A graph deleted since: its row is emptied on the next search, the others computed.
  Graphs().DeleteGraph(b);
  w->butSearch->Click();
  EXPECT_EQ(w->Grid->Cells(2, 1), "");
  EXPECT_FALSE(w->Grid->Cells(2, 2).empty());
  w->Grid->SetFocus();  // the window opened on its first bound, where the command clears the bounds
  w->ClearBoundsOrResults();
  EXPECT_EQ(w->Grid->Cells(2, 2), "");
  EXPECT_EQ(w->Grid->Cells(1, 2), "c");
}

TEST_F(FindWindowsTest, GroupActionsTakeTheChartSelectionOrTheGraphChoice) {
  form->MultiSelectorTool()->SelectAll();
  ASSERT_TRUE(form->FindGroupActions()[2]->Execute());  // delta
  ASSERT_EQ(analysis::FindOpGroupWindows().size(), 1u);
  analysis::TwndFindOpGroup* w = analysis::FindOpGroupWindows()[0];
  EXPECT_EQ(w->Grid->ColCount(), 8);
  EXPECT_EQ(w->RowCount(), 2);
  // One graph selected: the choice dialog, whose ticks decide the rows.
  form->MultiSelectorTool()->ClearSelection();
  form->MultiSelectorTool()->SetSeries(a->Series());
  ASSERT_EQ(form->MultiSelectorTool()->SelectedSeries().Count(), 1);
  Pump();
  desktop->script([&] {
    analysis::TwndGraphSelect* d = nullptr;
    for (fw::Integer i = 0; i < fw::Screen->FormCount() && !d; ++i)
      d = dynamic_cast<analysis::TwndGraphSelect*>(fw::Screen->Forms(i));
    ASSERT_NE(d, nullptr);
    d->Choice().Items[0].Checked = true;
    d->Choice().Items[1].Checked = false;
    d->SetModalResult(fw::mrOk);
  });
  ASSERT_TRUE(form->FindGroupActions()[0]->Execute());
  ASSERT_EQ(analysis::FindOpGroupWindows().size(), 2u);
  analysis::TwndFindOpGroup* one = analysis::FindOpGroupWindows()[1];
  EXPECT_EQ(one->RowCount(), 1);
  EXPECT_EQ(one->Grid->Cells(1, 1), "a");
  // Closing with an armed pick cancels it; the window frees itself.
  one->TogglePick(true);
  ASSERT_TRUE(static_cast<bool>(workspace::PointPickHandler));
  one->Close();
  Pump();
  AppPump();
  EXPECT_FALSE(static_cast<bool>(workspace::PointPickHandler));
  EXPECT_EQ(analysis::FindOpGroupWindows().size(), 1u);
}

// The window holds its graph, not a list place: after a reorder and an undo that takes away the
// graph before it, the caption and the search still name the same graph.
TEST_F(FindWindowsTest, AReorderAndAnUndoNeverHandTheWindowAnotherGraph) {
  workspace::TGraph* c = Add({0, 1}, {-9, 40}, "c");
  Graphs().Exchange(c, a);  // c, b, a
  Graphs().Select(1);
  analysis::TwndFindOp* w = Open(analysis::fkMax);
  ASSERT_EQ(w->Graph(), b);
  EXPECT_EQ(w->Caption(), "MAX - b");
  form->UndoAction()->Execute();  // takes c, the first, away
  ASSERT_EQ(Graphs().IndexOf(c), -1);
  EXPECT_EQ(w->Graph(), b);
  EXPECT_EQ(w->GraphIndex(), Graphs().IndexOf(b));
  EXPECT_EQ(w->Caption(), "MAX - b");
  w->fedX1->SetText(u"0");
  w->fedX2->SetText(u"10");
  w->butSearch->Click();
  EXPECT_EQ(w->Grid->Cells(1, 1), "8");
  // A rename shows in the caption.
  Graphs().Rename(b, "b2");
  EXPECT_EQ(w->Caption(), "MAX - b2");
}

}  // namespace mainwindowtest
