// The main window's graph list: it lists the graphs, and its exchanges and renames go through
// the graph collection, so that the list of graphs, the chart, the current graph and the find
// windows stay in step.

#include "analysis/ChartListBox.h"
#include "analysis/WinFindOp.h"
#include "chart/Series.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StringList.h"
#include "mainwindow_fixture.h"
#include "platform/user/services/Beep.h"

namespace mainwindowtest {

namespace {

class GraphListTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* title : {"a", "b", "c"}) {
      auto* s = new chart::TLineSeries(nullptr);
      s->AddXY(0, 1);
      s->AddXY(1, 2);
      graphs.push_back(Graphs().AddGraph(s, "data.txt", {}, title));
    }
    list = form->GraphList();
    Pump();
  }
  void TearDown() override {
    analysis::CloseFindOpWindows();
    MainWindowTest::TearDown();
  }
  win::POINT At(int X, int Row) { return list->ClientToScreen(fw::TPoint{X, Row * 24 + 12}); }
  void Drag(int From, int To) {
    desktop->mouse_down(At(100, From));
    desktop->mouse_move(At(100, To));
    desktop->mouse_up(At(100, To));
    Pump();
  }
  std::vector<workspace::TGraph*> Order() {
    std::vector<workspace::TGraph*> order;
    for (fw::Integer i = 0; i < Graphs().Count(); ++i) order.push_back(Graphs().Items(i));
    return order;
  }
  std::vector<workspace::TGraph*> ChartOrder() {
    std::vector<workspace::TGraph*> order;
    for (chart::TChartSeries* s : form->Chart()->SeriesList()) order.push_back(Graphs().BySeries(s));
    return order;
  }
  std::vector<workspace::TGraph*> graphs;
  analysis::TChartListBox* list = nullptr;
};

}  // namespace

TEST_F(GraphListTest, ListsTheGraphsBesideTheChart) {
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Name(), "ChartListBox1");
  EXPECT_EQ(list->Align(), fw::alLeft);
  EXPECT_TRUE(list->Visible());
  EXPECT_FALSE(list->ShowSeriesIcon());
  EXPECT_FALSE(list->AllowDeleteSeries());
  EXPECT_EQ(list->Items()->Count(), 3);
  EXPECT_EQ(list->Items()->Strings(2), "c");
  // Switching a graph off keeps it in the workspace.
  desktop->click(At(8, 1));
  Pump();
  EXPECT_FALSE(graphs[1]->Series()->Active());
  EXPECT_EQ(Graphs().Count(), 3);
}

TEST_F(GraphListTest, DraggingExchangesGraphsInTheCollectionAndOnTheChart) {
  Graphs().Select(2);
  analysis::ShowFindOpWindow(analysis::fkMax, 2);
  analysis::ShowFindOpWindow(analysis::fkMin, 1);
  Pump();
  Drag(2, 0);
  const std::vector<workspace::TGraph*> exchanged{graphs[2], graphs[1], graphs[0]};
  EXPECT_EQ(Order(), exchanged);
  EXPECT_EQ(ChartOrder(), exchanged);
  // The current graph and each find window keep their graph.
  EXPECT_EQ(Graphs().Current(), graphs[2]);
  EXPECT_EQ(analysis::FindOpWindows[analysis::fkMax]->GraphIndex(), Graphs().IndexOf(graphs[2]));
  EXPECT_EQ(analysis::FindOpWindows[analysis::fkMin]->GraphIndex(), Graphs().IndexOf(graphs[1]));
  // Deleting and undoing afterwards puts the graph back where it now stands.
  Graphs().DeleteUndoable(0);
  form->Operations()->Undo();
  EXPECT_EQ(Order(), exchanged);
  EXPECT_EQ(ChartOrder(), exchanged);
}

TEST_F(GraphListTest, RenamesGoThroughTheCollectionAndAnEmptyTitleIsRefused) {
  Graphs().Select(1);
  list->SetFocus();
  list->SetItemIndex(1);
  Pump();
  win::ResetMessageBeeps();
  auto rename = [&](const std::u16string& Text) {
    desktop->press_key(win::VK_F2);
    Pump();
    list->TitleEdit()->SetText("");
    for (char16_t ch : Text) desktop->type_char(ch);
    desktop->press_key(win::VK_RETURN);
    Pump();
  };
  rename(u"beta");
  EXPECT_EQ(graphs[1]->Series()->Title(), "beta");
  EXPECT_NE(form->StatusText().find("beta"), std::string::npos);
  rename(u"");
  EXPECT_EQ(graphs[1]->Series()->Title(), "beta");
  EXPECT_EQ(win::MessageBeepCount(), 1);
  EXPECT_EQ(list->Items()->Strings(1), "beta");
  // The collection refuses it from any caller.
  try {
    Graphs().Rename(graphs[1], " ");
    ADD_FAILURE() << "an empty title was taken";
  } catch (const workspace::EGraphError& e) {
    EXPECT_STREQ(e.what(), "Название графика не может быть пустым");
  }
  EXPECT_EQ(graphs[1]->Series()->Title(), "beta");
}

}  // namespace mainwindowtest
