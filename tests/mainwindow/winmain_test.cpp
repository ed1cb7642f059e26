// The main window's chart tools: selecting graphs on the chart feeds the operations, an armed
// point pick comes before every tool, and the value tips follow their setting.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "chart/PlotChartGrid.h"
#include "chart/PlotDragPoint.h"
#include "chart/PlotMultiSelectorTool.h"
#include "chart/PlotToolsMarksTip.h"
#include "chart/Series.h"
#include "framework/Clipbrd.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "dialog_script.h"
#include "export/forms/WinCopy.h"
#include "mainwindow/SessionEnd.h"
#include "mainwindow_fixture.h"

namespace {

using namespace mainwindowtest;

class WinMainToolsTest : public MainWindowTest {
 protected:
  // Two graphs, one above the other, their middle points inside the plot.
  void OpenTwo() {
    form->OpenFileNames({WriteFile("low.txt", "0 1\n5 3\n10 1\n"), WriteFile("high.txt", "0 9\n5 7\n10 9\n")});
    Pump();
  }
  fw::TPoint PointOf(int Graph, int Index) {
    chart::TChartSeries* s = Graphs().Items(Graph)->Series();
    return fw::TPoint{s->CalcXPos(Index), s->CalcYPos(Index)};
  }
  void ClickChart(fw::TPoint P, bool Ctrl = false) {
    desktop->advance(1000);  // never a double click
    if (Ctrl) desktop->key_down(win::VK_CONTROL);
    desktop->mouse_move(At(form->Chart(), P.x, P.y));
    desktop->click(At(form->Chart(), P.x, P.y));
    Pump();
    if (Ctrl) desktop->key_up(win::VK_CONTROL);
    Pump();
  }
};

TEST_F(WinMainToolsTest, GraphsSelectedOnTheChartAreTheOperandsAndTheFocusedOneIsCurrent) {
  OpenTwo();
  ClickChart(PointOf(1, 1));
  ClickChart(PointOf(0, 1), true);
  const workspace::TGraphArray selected = Graphs().SelectedGraphs();
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[0], Graphs().Items(1));
  EXPECT_EQ(selected[1], Graphs().Items(0));
  EXPECT_EQ(Graphs().Current(), Graphs().Items(0));
  // Selecting a graph from code selects it on the chart alone.
  Graphs().Select(1);
  EXPECT_EQ(Graphs().SelectedGraphs(), workspace::TGraphArray{Graphs().Items(1)});
  // A deleted graph leaves the selection: every series still selected is a graph's.
  Graphs().Delete(1);
  EXPECT_EQ(Graphs().SelectedGraphs().size(), std::size_t(form->MultiSelectorTool()->SelectedSeries().Count()));
  EXPECT_LE(Graphs().SelectedGraphs().size(), 1u);
}

TEST_F(WinMainToolsTest, AnArmedPickTakesThePressBeforeAToolThatClaimsItAndGoesWithTheLastGraph) {
  form->OpenFileNames({WriteFile("p.txt", "0 1\n5 2\n10 3\n")});
  Pump();
  chart::TChartSeries* series = Graphs().Items(0)->Series();
  form->DragPointTool()->SetSeries(series);
  form->DragPointTool()->SetActive(true);  // claims presses on points
  std::vector<std::tuple<int, int, bool>> calls;
  workspace::PointPickHandler = [&](int x, int y, bool accept) { calls.emplace_back(x, y, accept); };
  const fw::TPoint p = PointOf(0, 1);
  desktop->mouse_down(At(form->Chart(), p.x, p.y));
  desktop->mouse_move(At(form->Chart(), p.x, p.y + 40));
  desktop->mouse_up(At(form->Chart(), p.x, p.y + 40));
  AppPump();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], std::make_tuple(int(p.x), int(p.y), true));
  EXPECT_DOUBLE_EQ(series->PointY(1), 2);  // the drag tool never saw the press
  // Undoing the graph away cancels the pick.
  ASSERT_TRUE(form->UndoAction()->Execute());
  EXPECT_EQ(Graphs().Count(), 0);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1], std::make_tuple(-1, -1, false));
}

TEST_F(WinMainToolsTest, ValueTipsFollowTheirSettingAndTheCommandWritesItAtOnce) {
  EXPECT_TRUE(form->HintValuesTool()->Active());
  EXPECT_EQ(form->HintValuesTool()->Style(), chart::smsXY);
  ASSERT_TRUE(form->ShowHintValuesAction()->Execute());
  EXPECT_FALSE(form->HintValuesTool()->Active());
  EXPECT_FALSE(workspace::TPropSaver(true).ReadBool("ShowHintValues", true));
  // The chart hears its tools in the order the form makes them, the selector last.
  const auto& tools = form->Chart()->Tools();
  ASSERT_FALSE(tools.empty());
  EXPECT_EQ(tools.back(), form->MultiSelectorTool());
  EXPECT_EQ(tools.front(), reinterpret_cast<chart::TPlotCustomTool*>(form->ScrollAxisX()));
}

// At the panel's default width both columns show whole, for a short value and for the longest
// text a value gets; drawing them widens no column.
TEST_F(WinMainToolsTest, TheDataPanelShowsWholeValuesAtItsDefaultWidth) {
  auto* s = new chart::TLineSeries(nullptr);
  s->AddXY(-1.23456789012345E-100, 1);
  s->AddXY(0.000123456789012345, -9.87654321098765E+200);
  Graphs().AddGraph(s, "wide.txt", {}, "wide");
  Graphs().SelectLastAdded();
  Pump();
  ASSERT_TRUE(form->ShowDataAction()->Execute());
  Pump();
  chart::TChartGrid* grid = form->DataGrid();
  ASSERT_EQ(grid->ColCount(), 3);
  const fw::Integer widthBefore = grid->ColWidths(1) + grid->ColWidths(2);
  grid->Repaint();
  Pump();
  EXPECT_EQ(grid->ColWidths(1) + grid->ColWidths(2), widthBefore);
  const fw::TRect client = grid->ClientRect();
  for (fw::Integer row = 1; row < grid->RowCount(); ++row)
    for (fw::Integer col = 1; col < 3; ++col) {
      const std::string text = grid->CellText(col, row);
      SCOPED_TRACE(text);
      EXPECT_FALSE(text.empty());
      const fw::TRect cell = grid->CellRect(col, row);
      EXPECT_LE(cell.right, client.right);
      EXPECT_GT(cell.right, cell.left);
      grid->Canvas()->Font()->Assign(grid->Font());
      EXPECT_LE(grid->Canvas()->TextWidth(text) + 4, cell.right - cell.left);
    }
}

TEST_F(WinMainToolsTest, TheDataPanelShowsThePointsOfTheGraphLastClicked) {
  OpenTwo();
  EXPECT_FALSE(form->DataPanel()->Visible());
  ASSERT_TRUE(form->ShowDataAction()->Execute());
  ASSERT_TRUE(form->DataPanel()->Visible());
  Pump();  // the chart lays itself out beside the panel
  EXPECT_EQ(form->DataGrid()->Series(), Graphs().Current()->Series());
  ClickChart(PointOf(0, 1));
  chart::TChartSeries* low = Graphs().Items(0)->Series();
  EXPECT_EQ(form->DataGrid()->Series(), low);
  // "#", X, Y; a row per point.
  EXPECT_EQ(form->DataGrid()->ColCount(), 3);
  EXPECT_EQ(form->DataGrid()->RowCount(), 4);
  EXPECT_EQ(form->DataGrid()->CellText(2, 2), low->FormatValue(3));
  // When the graph goes, the grid shows the graph that became current.
  Graphs().Delete(0);
  ASSERT_EQ(Graphs().Count(), 1);
  EXPECT_EQ(form->DataGrid()->Series(), Graphs().Items(0)->Series());
  ASSERT_TRUE(form->ShowDataAction()->Execute());
  EXPECT_FALSE(form->DataPanel()->Visible());
}

// Ctrl+C in the data panel's grid copies the selected cells (TAB between them, CR LF after each
// row), elsewhere the graphs; the panel's context menu copies, selects all and hides the panel.
TEST_F(WinMainToolsTest, TheDataPanelCopiesItsSelectedCellsAndHasItsContextMenu) {
  OpenTwo();
  ASSERT_TRUE(form->ShowDataAction()->Execute());
  chart::TChartGrid* grid = form->DataGrid();
  ClickChart(PointOf(1, 1));
  ASSERT_EQ(grid->Series(), Graphs().Items(1)->Series());
  grid->SetFocus();
  grid->SetSelection(fw::TGridRect{1, 2, 2, 3});
  fw::Clipboard()->SetAsText("before");
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('C');
  desktop->key_up(win::VK_CONTROL);
  Pump();
  EXPECT_EQ(fw::Clipboard()->AsText(), "5\t7\r\n10\t9\r\n");
  form->Chart()->SetFocus();
  AnswerDialog<kvforms::TwndCopyTxt>(*desktop, fw::mrOk);
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('C');
  desktop->key_up(win::VK_CONTROL);
  Pump();
  EXPECT_NE(fw::Clipboard()->AsText().find("[DATA]"), std::string::npos)
      << "the chart's Ctrl+C copies graphs";

  fw::TPopupMenu* menu = form->DataMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(grid->PopupMenu(), menu);
  EXPECT_EQ(form->DataPanel()->PopupMenu(), menu);
  ASSERT_EQ(menu->Items()->Count(), 4);
  menu->Items()->Items(1)->Click();  // select all
  EXPECT_EQ(grid->Selection(), (fw::TGridRect{1, 1, 2, 3}));
  menu->Items()->Items(0)->Click();  // copy
  EXPECT_EQ(fw::Clipboard()->AsText(), "0\t9\r\n5\t7\r\n10\t9\r\n");
  EXPECT_TRUE(menu->Items()->Items(3)->Checked());
  menu->Items()->Items(3)->Click();  // the panel's switch
  EXPECT_FALSE(form->DataPanel()->Visible());
}

// A session's end while the window runs: the signal's note reaches the message loop, which
// writes what this run changed at once and ends the application; the close after the loop writes
// nothing again, and a signal after the watch has gone is left as it was before.
TEST_F(MainWindowTest, ASessionsEndKeepsTheSettingsAndEndsTheApplication) {
  struct sigaction before {};
  ::sigaction(SIGTERM, nullptr, &before);
  {
    workspace::TSessionEndWatch watch;
    workspace::Preferences.SkipLines = 3;  // as a change made in the running program
    ASSERT_EQ(::raise(SIGTERM), 0);
    for (int tries = 0; tries < 500 && !fw::Application->Terminated(); ++tries) {
      AppPump();
      ::usleep(10 * 1000);
    }
    ASSERT_TRUE(fw::Application->Terminated());
    EXPECT_TRUE(form->Visible()) << "the window closes after the loop, not inside it";
    workspace::TPropSaver saved(true);
    EXPECT_EQ(saved.ReadInteger("SkipLines", 0), 3);
    workspace::Preferences.SkipLines = 4;
    form->CloseWithoutQuestions();
    EXPECT_EQ(workspace::TPropSaver(true).ReadInteger("SkipLines", 0), 3) << "written twice";
  }
  struct sigaction after {};
  ::sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
