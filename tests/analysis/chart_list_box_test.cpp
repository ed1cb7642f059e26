// The series list on the headless desktop: following the chart's series events, switching
// series on and off by the check column, exchanging series by dragging, renaming in place.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/ChartListBox.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/Forms.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/StringList.h"
#include "platform/controls/MessageBox.h"
#include "platform/user/services/Beep.h"
#include "platform/user/windows/WinUserTypes.h"
#include "support/HeadlessFixture.h"

namespace {

using analysis::TChartListBox;
using chart::TChartSeries;

// Counts the rows it paints, to see a repaint asked for.
class CountingListBox : public TChartListBox {
 public:
  using TChartListBox::TChartListBox;
  int draws = 0;

 protected:
  void DrawItem(fw::Integer Index, const fw::TRect& Rect, fw::TOwnerDrawState State) override {
    ++draws;
    TChartListBox::DrawItem(Index, Rect, State);
  }
};

class ChartListBoxTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    win::ResetMessageBeeps();
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetBorderStyle(fw::bsNone);
    form->SetBounds(20, 20, 600, 300);
    chart = new chart::TChart(form.get());
    chart->SetParent(form.get());
    chart->SetBounds(260, 0, 340, 300);
    for (const char* title : {"a", "b", "c"}) series.push_back(AddSeries(title));
    list = new CountingListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(0, 0, 260, 300);
    list->SetShowSeriesIcon(false);  // as the main window has it: the check column starts at 0
    list->SetChart(chart);
    list->OnRefresh = [this](fw::TObject*) { ++refreshes; };
    list->OnRemovedSeries = [this](fw::TObject*, TChartSeries* s) { removed.push_back(s); };
    list->OnChangeActive = [this](fw::TObject*, TChartSeries* s) { activated.push_back(s); };
    list->OnChangeOrder = [this](fw::TObject*, TChartSeries* a, TChartSeries* b) { orders.push_back({a, b}); };
    form->Show();
    Pump();
  }
  void TearDown() override {
    form.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  TChartSeries* AddSeries(const char* Title) {
    auto* s = new chart::TLineSeries(form.get());
    s->SetTitle(Title);
    s->SetParentChart(chart);
    return s;
  }
  void Pump() { desktop->run_until_idle(); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (fw::Integer i = 0; i < list->Items()->Count(); ++i) rows.push_back(list->Items()->Strings(i));
    return rows;
  }
  std::vector<TChartSeries*> ChartOrder() const {
    return std::vector<TChartSeries*>(chart->SeriesList().begin(), chart->SeriesList().end());
  }
  // A point of the list's row in client coordinates, on the screen.
  win::POINT At(int X, int Row) { return list->ClientToScreen(fw::TPoint{X, Row * 24 + 12}); }
  void Key(win::UINT Vk) {
    desktop->press_key(Vk);
    Pump();
  }
  void Type(const std::u16string& Text) {
    for (char16_t ch : Text) desktop->type_char(ch);
    Pump();
  }

  std::unique_ptr<fw::TForm> form;
  chart::TChart* chart = nullptr;
  std::vector<TChartSeries*> series;
  CountingListBox* list = nullptr;
  int refreshes = 0;
  std::vector<TChartSeries*> removed, activated;
  std::vector<std::pair<TChartSeries*, TChartSeries*>> orders;
};

TEST_F(ChartListBoxTest, FollowsTheSeriesEventsOfItsChart) {
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(list->SeriesAt(2), series[2]);
  EXPECT_EQ(list->ItemIndex(), 0);

  // Added: the rows are listed again, the selected series kept.
  list->SetItemIndex(1);
  TChartSeries* d = AddSeries("d");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(list->SelectedSeries(), series[1]);

  // Removed by other code: its row goes without a refill, and the removal is told once.
  delete series[0];
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b", "c", "d"}));
  EXPECT_EQ(removed, (std::vector<TChartSeries*>{series[0]}));
  EXPECT_EQ(refreshes, 1);

  // Title changed: only that row's text.
  d->SetTitle("delta");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b", "c", "delta"}));
  EXPECT_EQ(refreshes, 1);

  // Colour and activity: a repaint, no refill.
  for (auto change : {+[](TChartSeries* s) { s->SetSeriesColor(fw::clRed); },
                      +[](TChartSeries* s) { s->SetActive(false); }}) {
    Pump();
    list->draws = 0;
    change(series[1]);
    Pump();
    EXPECT_GT(list->draws, 0);
  }
  EXPECT_EQ(refreshes, 1);

  // The chart going empties the list.
  list->SetChart(nullptr);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ChartListBoxTest, TheOtherItemsListMirrorsTheRows) {
  fw::TStringList other;
  other.Add("stale");
  int changes = 0;
  list->OnOtherItemsChange = [&](fw::TObject*) { ++changes; };
  // The list as text and series, checked against the rows after every step.
  auto mirrored = [&] {
    std::vector<std::pair<std::string, fw::TObject*>> rows, copy;
    for (fw::Integer i = 0; i < list->Items()->Count(); ++i) rows.emplace_back(list->Items()->Strings(i), list->Items()->Objects(i));
    for (fw::Integer i = 0; i < other.Count(); ++i) copy.emplace_back(other.Strings(i), other.Objects(i));
    return rows == copy;
  };
  struct Step {
    const char* What;
    std::function<void()> Do;
    std::vector<std::string> Rows;
  };
  TChartSeries* d = nullptr;
  const Step steps[] = {
      {"attached", [&] { list->SetOtherItems(&other); }, {"a", "b", "c"}},
      {"added", [&] { d = AddSeries("d"); }, {"a", "b", "c", "d"}},
      {"exchanged", [&] { list->MoveSeries(3, 0); }, {"d", "b", "c", "a"}},
      // A holder that leaves the chart's order alone: no refill follows, the rows swap by themselves.
      {"exchanged, no refill",
       [&] {
         list->OnExchangeSeries = [](TChartSeries*, TChartSeries*) {};
         list->MoveSeries(1, 2);
         list->OnExchangeSeries = nullptr;
       },
       {"d", "c", "b", "a"}},
      {"refilled", [&] { list->UpdateSeries(); }, {"d", "b", "c", "a"}},
      {"removed", [&] { delete series[1]; }, {"d", "c", "a"}},
      {"retitled", [&] { d->SetTitle("delta"); }, {"delta", "c", "a"}},
      {"chart gone", [&] { list->SetChart(nullptr); }, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.What);
    const int before = changes;
    step.Do();
    EXPECT_EQ(Rows(), step.Rows);
    EXPECT_TRUE(mirrored());
    if (std::string(step.What) != "chart gone") {
      EXPECT_GT(changes, before) << "the change was not reported";
    }
  }
  // Detached, the list is left alone.
  list->SetOtherItems(nullptr);
  list->SetChart(chart);
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_EQ(other.Count(), 0);
}

TEST_F(ChartListBoxTest, TheCheckColumnSwitchesSeriesOnAndOff) {
  // Without the icon column the check column is 0 < X < 16.
  desktop->click(At(8, 1));
  Pump();
  EXPECT_FALSE(series[1]->Active());
  EXPECT_EQ(activated, (std::vector<TChartSeries*>{series[1]}));
  desktop->click(At(16, 1));  // the column's border
  Pump();
  EXPECT_FALSE(series[1]->Active());
  EXPECT_EQ(activated.size(), 1u);

  // Radio buttons: switching the style leaves the first active series alone, a click makes
  // the clicked one the only active series.
  series[1]->SetActive(true);
  list->SetCheckStyle(analysis::cbsRadio);
  EXPECT_TRUE(series[0]->Active());
  EXPECT_FALSE(series[1]->Active());
  EXPECT_FALSE(series[2]->Active());
  desktop->click(At(8, 2));
  Pump();
  EXPECT_FALSE(series[0]->Active());
  EXPECT_TRUE(series[2]->Active());
}

TEST_F(ChartListBoxTest, DraggingARowOntoAnotherExchangesTheTwoSeries) {
  desktop->mouse_down(At(100, 2));
  desktop->mouse_move(At(100, 1));
  desktop->mouse_move(At(100, 0));
  desktop->mouse_up(At(100, 0));
  Pump();
  // An exchange, not a move by one place.
  EXPECT_EQ(ChartOrder(), (std::vector<TChartSeries*>{series[2], series[1], series[0]}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"c", "b", "a"}));
  ASSERT_EQ(orders.size(), 1u);
  EXPECT_EQ(orders[0], std::make_pair(series[2], series[0]));
  EXPECT_EQ(list->ItemIndex(), 0);

  // A press released on its own row, a press in the check column, and no dragging allowed:
  // nothing moves.
  desktop->click(At(100, 1));
  desktop->mouse_down(At(8, 2));
  desktop->mouse_up(At(8, 0));
  list->SetEnableDragSeries(false);
  desktop->mouse_down(At(100, 2));
  desktop->mouse_up(At(100, 0));
  Pump();
  EXPECT_EQ(ChartOrder(), (std::vector<TChartSeries*>{series[2], series[1], series[0]}));
  EXPECT_EQ(orders.size(), 1u);
}

TEST_F(ChartListBoxTest, RenamesInPlaceAndRefusesAnEmptyTitle) {
  list->SetFocus();
  list->SetItemIndex(1);
  Pump();
  struct Case {
    const char* name;
    std::u16string typed;
    win::UINT closing;
    std::string title;
    int beeps;
  } const cases[] = {
      {"Esc keeps the old title", u"zzz", win::VK_ESCAPE, "b", 0},
      {"Enter stores the typed title", u"beta", win::VK_RETURN, "beta", 0},
      {"an empty title is refused", u"", win::VK_RETURN, "beta", 1},
      {"only spaces are refused", u"   ", win::VK_RETURN, "beta", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Key(win::VK_F2);
    ASSERT_NE(list->TitleEdit(), nullptr);
    ASSERT_TRUE(list->TitleEdit()->Visible());
    EXPECT_EQ(list->TitleEdit()->Left(), 16 + 26 + -2);  // over the title column
    EXPECT_EQ(list->TitleEdit()->Text(), series[1]->Title());
    list->TitleEdit()->SetText("");
    Type(c.typed);
    Key(c.closing);
    EXPECT_FALSE(list->TitleEdit()->Visible());
    EXPECT_EQ(series[1]->Title(), c.title);
    EXPECT_EQ(Rows()[1], c.title);
    EXPECT_EQ(win::MessageBeepCount(), c.beeps);
  }
  // Through the owner's hook when one is set: the list box leaves the chart alone.
  std::vector<std::string> asked;
  list->OnSetSeriesTitle = [&](TChartSeries*, const fw::String& Title) { asked.push_back(Title); };
  Key(win::VK_F2);
  list->TitleEdit()->SetText("");
  Type(u"gamma");
  Key(win::VK_RETURN);
  EXPECT_EQ(asked, (std::vector<std::string>{"gamma"}));
  EXPECT_EQ(series[1]->Title(), "beta");
}

TEST_F(ChartListBoxTest, DeleteAsksFirstAndTheRemovalEventTakesTheRow) {
  list->SetFocus();
  list->SetItemIndex(1);
  Pump();
  win::ClearMessageBoxHistory();
  // No: nothing goes. Yes: the series is freed and its row goes with it.
  for (const bool yes : {false, true}) {
    desktop->script([&, yes] {
      if (!yes) desktop->press_key(win::VK_TAB);  // from Yes to No
      desktop->press_key(win::VK_RETURN);
    });
    Key(win::VK_DELETE);
  }
  ASSERT_EQ(win::MessageBoxHistory().size(), 2u);
  EXPECT_EQ(win::MessageBoxHistory()[0].text, u"Delete b ?");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(chart->SeriesCount(), 2);
  EXPECT_EQ(removed.size(), 1u);
  EXPECT_EQ(list->ItemIndex(), 0);
  // Not allowed: Delete does nothing, and asks nothing.
  list->SetAllowDeleteSeries(false);
  Key(win::VK_DELETE);
  EXPECT_EQ(win::MessageBoxHistory().size(), 2u);
  EXPECT_EQ(chart->SeriesCount(), 2);
}

}  // namespace
