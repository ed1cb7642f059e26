// The multi-selector on a headless chart: clicks, Ctrl toggles, selection from code, series
// that go away, and dragging a title.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "chart/PlotMultiSelectorTool.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "tools_Fixture.h"

using namespace chart;

namespace {

class MultiSelectorTest : public charttest::ToolChartTest {
 protected:
  void Build() {
    ToolChartTest::Build();
    tool = new TMultiSelectorTool(form.get());
    tool->SetParentChart(chart);
    tool->OnSelected = [this](fw::TObject*) { partsSeen.push_back(tool->ClickedPart().Part); };
  }
  std::vector<TChartSeries*> Selected() const {
    return {tool->SelectedSeries().begin(), tool->SelectedSeries().end()};
  }
  TMultiSelectorTool* tool = nullptr;
  std::vector<TSelectorPartCode> partsSeen;
};

TEST_F(MultiSelectorTest, ClicksAndCtrlClicksBuildTheSelectionInOrder) {
  Build();
  // Each step clicks a point of a series (-1: an empty spot of the plot), with or without Ctrl.
  struct Step {
    int series;
    bool ctrl;
    std::vector<int> selected;
    TSelectorPartCode part;
    int focused;
  };
  const Step steps[] = {
      {0, false, {0}, cpSeries, 0},     {1, true, {0, 1}, cpSeries, 1}, {2, true, {0, 1, 2}, cpSeries, 2},
      {0, true, {1, 2}, cpSeries, 1},   {1, false, {1}, cpSeries, 1},   {1, true, {}, cpNone, -1},
      {2, false, {2}, cpSeries, 2},     {-1, false, {}, cpChartRect, -1}, {-1, true, {}, cpChartRect, -1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "series " << s.series << " ctrl " << s.ctrl);
    // A pixel one off the point's centre diagonally still hits it.
    const fw::TPoint p = s.series >= 0 ? Px(s.series, 1) : fw::TPoint{Px(0, 0).x + 30, Px(2, 2).y};
    Click(s.series >= 0 ? fw::TPoint{p.x + 1, p.y + 1} : p, 0, s.ctrl);
    std::vector<TChartSeries*> expected;
    for (int i : s.selected) expected.push_back(series[i]);
    EXPECT_EQ(Selected(), expected);
    EXPECT_EQ(tool->ClickedPart().Part, s.part);
    EXPECT_EQ(tool->Series(), s.focused >= 0 ? series[s.focused] : nullptr);
  }
  EXPECT_EQ(partsSeen.size(), std::size(steps));  // one OnSelected per press
}

TEST_F(MultiSelectorTest, SelectionFromCodeAndItsEvents) {
  Build();
  tool->SelectSeries(series[1]);
  tool->SelectSeries(series[1]);  // already focused: nothing
  EXPECT_EQ(partsSeen.size(), 1u);
  tool->SelectAll();
  EXPECT_EQ(Selected(), (std::vector<TChartSeries*>{series[0], series[1], series[2]}));
  partsSeen.clear();
  tool->InvertSelection();  // everything was selected: nothing is
  EXPECT_EQ(partsSeen, std::vector<TSelectorPartCode>{cpNone});
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(tool->Series(), nullptr);
  tool->SelectSeries(series[0]);
  tool->InvertSelection();
  EXPECT_EQ(Selected(), (std::vector<TChartSeries*>{series[1], series[2]}));
  EXPECT_EQ(tool->Series(), series[1]);
  partsSeen.clear();
  tool->ClearSelection();
  tool->ClearSelection();  // nothing left to clear: no event
  EXPECT_EQ(partsSeen.size(), 1u);
}

TEST_F(MultiSelectorTest, SeriesThatGoAwayLeaveTheSelection) {
  Build();
  tool->SelectAll();
  partsSeen.clear();
  delete series[0];
  EXPECT_EQ(Selected(), (std::vector<TChartSeries*>{series[1], series[2]}));
  EXPECT_EQ(tool->Series(), series[1]);
  chart->RemoveSeries(series[1]);
  chart->RemoveSeries(series[2]);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(tool->ClickedPart().Part, cpNone);
  EXPECT_EQ(partsSeen.size(), 3u);
  // With nothing on the chart, code selection does nothing.
  tool->SelectAll();
  EXPECT_EQ(partsSeen.size(), 3u);
  Pump();  // and a paint with an empty selection draws
}

TEST_F(MultiSelectorTest, TitlesMoveOnlyAfterThreePixelsAndOnlyWithTheLeftButton) {
  Build();
  chart->Title()->SetText("Заголовок");
  Pump();
  int dragged = 0;
  tool->OnDragged = [&](fw::TObject*) { ++dragged; };
  const win::RECT b = chart->Title()->ShapeBounds();
  const fw::TPoint at{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  // Right button: selected, never dragged.
  Press(at, 1);
  Move(fw::TPoint{at.x + 10, at.y});
  Release(fw::TPoint{at.x + 10, at.y}, 1);
  EXPECT_EQ(tool->SelectedShape(), chart->Title());
  EXPECT_EQ(chart->Title()->Left(), b.left);
  // Left button: two pixels leave it, three move it.
  Press(at);
  Move(fw::TPoint{at.x + 2, at.y});
  EXPECT_EQ(chart->Title()->Left(), b.left);
  Move(fw::TPoint{at.x + 3, at.y});
  Release(fw::TPoint{at.x + 3, at.y});
  EXPECT_EQ(chart->Title()->Left(), b.left + 3);
  EXPECT_EQ(chart->Title()->Top(), b.top);
  EXPECT_EQ(dragged, 1);
  // A drag whose mouse capture is taken away ends there.
  Press(fw::TPoint{at.x + 3, at.y});
  Move(fw::TPoint{at.x + 10, at.y});
  win::SendMessageW(chart->Handle(), win::WM_CANCELMODE, 0, 0);
  Move(fw::TPoint{at.x + 30, at.y});
  EXPECT_EQ(chart->Title()->Left(), b.left + 10);
  EXPECT_EQ(dragged, 2);
}

}  // namespace

namespace {

TEST_F(MultiSelectorTest, ADoubleClickKeepsWhatItsFirstPressSelectedOnEachPartKind) {
  Build();
  chart->Legend()->SetVisible(true);
  chart->Title()->SetText("Заголовок");
  chart->Foot()->SetText("Подпись");
  Pump();
  auto centre = [](const win::RECT& R) { return fw::TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; };
  const struct {
    fw::TPoint at;
    TSelectorPartCode part;
  } rows[] = {
      {fw::TPoint{Px(1, 1).x + 1, Px(1, 1).y}, cpSeries},
      {centre(chart->Legend()->ShapeBounds()), cpLegend},
      {centre(chart->Title()->ShapeBounds()), cpTitle},
      {centre(chart->Foot()->ShapeBounds()), cpFoot},
      {centre(chart->LeftAxis()->AxisRect()), cpAxis},
      {fw::TPoint{chart->ChartRect().left + 5, chart->ChartRect().top + 5}, cpChartRect},
  };
  for (const auto& r : rows) {
    partsSeen.clear();
    desktop->advance(1000);
    desktop->mouse_move(At(chart, r.at.x, r.at.y));
    desktop->click(At(chart, r.at.x, r.at.y));
    desktop->click(At(chart, r.at.x, r.at.y));  // the second press is the double click's
    Pump();
    EXPECT_EQ(partsSeen, std::vector<TSelectorPartCode>{r.part}) << int(r.part);
    EXPECT_EQ(tool->ClickedPart().Part, r.part);
  }
}


// Handles are drawn on the selected series that are shown, at their points; a selected series
// that is hidden gets none, anywhere on the chart.
TEST_F(MultiSelectorTest, HandlesMarkOnlyTheSelectedSeriesThatAreShown) {
  Build();
  const win::COLORREF handle = win::RGB(0, 200, 90);
  tool->Brush()->SetColor(handle);
  tool->Pen()->SetColor(handle);
  const struct {
    bool all;  // every series selected, else series 1 alone
    std::vector<int> hidden;
  } cases[] = {{false, {}}, {false, {1}}, {true, {0, 2}}, {true, {0, 1, 2}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "all " << c.all << ", " << c.hidden.size() << " hidden");
    for (int i = 0; i < 3; ++i) series[i]->SetActive(std::find(c.hidden.begin(), c.hidden.end(), i) == c.hidden.end());
    tool->ClearSelection();
    if (c.all)
      tool->SelectAll();
    else
      tool->SelectSeries(series[1]);
    Pump();
    std::vector<fw::TPoint> marked;  // the points that should carry a handle
    for (int i = 0; i < 3; ++i)
      if (series[i]->Active() && (c.all || i == 1))
        for (int k = 0; k < 3; ++k) marked.push_back(Px(i, k));
    int handlePixels = 0;
    for (int y = 0; y < chart->Height(); ++y)
      for (int x = 0; x < chart->Width(); ++x) {
        const win::POINT at = At(chart, x, y);
        if (desktop->screen_pixel(at.x, at.y) != handle) continue;
        ++handlePixels;
        const bool nearMarked = std::any_of(marked.begin(), marked.end(), [&](const fw::TPoint& p) {
          return std::abs(p.x - x) <= tool->HandleSize() && std::abs(p.y - y) <= tool->HandleSize();
        });
        ASSERT_TRUE(nearMarked) << "a handle pixel at " << x << "," << y;
      }
    for (const fw::TPoint& p : marked) {
      const win::POINT at = At(chart, p.x, p.y);
      EXPECT_EQ(desktop->screen_pixel(at.x, at.y), handle) << p.x << "," << p.y;
    }
    EXPECT_EQ(handlePixels > 0, !marked.empty());
  }
}

}  // namespace
