// The cursor, axis scroll and marks tip tools on a headless chart.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/PlotMultiSelectorTool.h"
#include "chart/PlotToolsAxisArrow.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotToolsMarksTip.h"
#include "chart/SeriesMarks.h"
#include "tools_Fixture.h"

using namespace chart;

namespace {

class CursorToolTest : public charttest::ToolChartTest {
 protected:
  void Build() {
    ToolChartTest::Build();
    tool = new TCursorTool(form.get());
    tool->SetParentChart(chart);
    tool->OnChange = [this](TCursorTool*, Integer, Integer, double, double, TChartSeries*, Integer i) {
      changes.push_back(i);
    };
    chart->Invalidate();
    Pump();
  }
  // The window's pixel at a client point of the chart.
  win::COLORREF Screen(int X, int Y) { return desktop->surface_pixel(form->Handle(), X, Y) & 0xFFFFFF; }
  TCursorTool* tool = nullptr;
  std::vector<Integer> changes;
};

TEST_F(CursorToolTest, FirstPaintPlacesTheCrossInTheMiddleAndReportsOnce) {
  Build();
  const TChartAxis* h = chart->BottomAxis();
  const TChartAxis* v = chart->LeftAxis();
  EXPECT_EQ(tool->XPos(), (h->IStartPos() + h->IEndPos()) / 2);
  EXPECT_EQ(tool->YPos(), (v->IStartPos() + v->IEndPos()) / 2);
  EXPECT_EQ(changes, std::vector<Integer>{-1});
}

TEST_F(CursorToolTest, SnapsByTheStylesDistanceInAxisUnits) {
  Build();
  tool->SetSeries(series[0]);  // points (2, 6), (5, 7.5), (8, 9)
  struct Row {
    TCursorToolStyle style;
    bool snap;
    double x, y;
    Integer index;
    double snappedX, snappedY;
  };
  const Row rows[] = {
      {cssVertical, true, 4.4, 20, 1, 5, 20},       {cssHorizontal, true, 0, 8.4, 2, 0, 9},
      {cssBoth, true, 3.5, 6.75, 0, 2, 6},          // equally far from points 0 and 1: the first wins
      {cssBoth, false, 3.5, 6.75, -1, 3.5, 6.75},  // snap off
  };
  for (const Row& r : rows) {
    tool->SetStyle(r.style);
    tool->SetSnap(r.snap);
    tool->SetXValue(r.x);
    tool->SetYValue(r.y);
    EXPECT_EQ(tool->SnapToPoint(), r.index);
    EXPECT_DOUBLE_EQ(tool->XValue(), r.snappedX);
    EXPECT_DOUBLE_EQ(tool->YValue(), r.snappedY);
  }
}

TEST_F(CursorToolTest, FollowsTheMouseInXorInsideTheAxesOnly) {
  Build();
  tool->SetSeries(series[0]);
  tool->SetSnap(true);
  tool->SetStyle(cssVertical);
  tool->SetFollowMouse(true);
  std::vector<Integer> snaps;
  tool->OnSnapChange = [&](TCursorTool*, Integer, Integer, double, double, TChartSeries*, Integer i) {
    snaps.push_back(i);
  };
  const int y = chart->ChartRect().top + 5;  // above every point
  const int oldX = tool->XPos();
  const win::COLORREF background = Screen(oldX + 20, y);
  ASSERT_NE(Screen(oldX, y), background);  // the line drawn at the first paint
  changes.clear();
  Move(fw::TPoint{Px(0, 0).x + 3, y});
  Move(fw::TPoint{Px(0, 0).x + 1, y});
  Move(fw::TPoint{Px(0, 2).x, y});
  EXPECT_EQ(changes, (std::vector<Integer>{0, 0, 2}));
  EXPECT_EQ(snaps, (std::vector<Integer>{0, 2}));
  EXPECT_EQ(tool->XPos(), Px(0, 2).x);
  // The old line is gone and the new one shows, on the window and after a repaint alike.
  EXPECT_EQ(Screen(oldX, y), background);
  EXPECT_NE(Screen(Px(0, 2).x, y), background);
  chart->Invalidate();
  Pump();
  EXPECT_EQ(Screen(oldX, y), background);
  EXPECT_NE(Screen(Px(0, 2).x, y), background);
  Move(fw::TPoint{chart->ChartRect().right + 20, y});  // outside: nothing
  EXPECT_EQ(changes.size(), 3u);
}

TEST_F(CursorToolTest, LinesAreHitFromLessThanThreePixels) {
  Build();
  const int x = tool->XPos(), y = tool->YPos();
  struct Row {
    int dx, dy, part;
  } const rows[] = {{2, 40, 2}, {3, 40, 0}, {40, -2, 1}, {40, 3, 0}, {1, 1, 3}};
  for (const Row& r : rows) EXPECT_EQ(tool->LinePartAt(x + r.dx, y + r.dy), r.part) << r.dx << "," << r.dy;
  EXPECT_EQ(tool->LinePartAt(chart->ChartRect().left - 10, y), 0);
  // Without FollowMouse a press on the vertical line drags it: X follows, Y stays.
  const double yValue = tool->YValue();
  Press(fw::TPoint{x + 2, y + 40});
  EXPECT_EQ(tool->DragPart(), 2);
  Move(fw::TPoint{x + 50, y + 60});
  Release(fw::TPoint{x + 50, y + 60});
  EXPECT_EQ(tool->XPos(), x + 50);
  EXPECT_DOUBLE_EQ(tool->YValue(), yValue);
  EXPECT_EQ(tool->DragPart(), 0);
}

class AxisScrollTest : public charttest::ToolChartTest {};

TEST_F(AxisScrollTest, DraggingAnAxisMovesTheGraphsWithTheMouse) {
  Build();
  // The selector after the scroll tool still sees the press on the axis.
  auto* scroll = new TAxisScrollTool(form.get());
  scroll->SetParentChart(chart);
  auto* selector = new TMultiSelectorTool(form.get());
  selector->SetParentChart(chart);
  struct Row {
    int axis;
    bool inverted;
    int along;
    double sign;  // of the change of Minimum per pixel along the drag
  } const rows[] = {{0, false, 50, -1}, {0, true, 50, 1}, {2, false, 30, 1}, {2, true, 30, -1}};
  for (const Row& r : rows) {
    TChartAxis* axis = chart->AxesList()[std::size_t(r.axis)];
    scroll->SetAxis(axis);
    scroll->SetScrollInverted(r.inverted);
    const double min = axis->Minimum(), max = axis->Maximum();
    const double perPixel = (max - min) / axis->IAxisSize();
    const win::RECT a = axis->AxisRect();
    const fw::TPoint from{(a.left + a.right) / 2, (a.top + a.bottom) / 2};
    const fw::TPoint to = axis->Horizontal() ? fw::TPoint{from.x + r.along, from.y} : fw::TPoint{from.x, from.y + r.along};
    Press(from);
    EXPECT_EQ(selector->ClickedPart().Axis, axis);
    Move(to);
    Release(to);
    EXPECT_NEAR(axis->Minimum(), min + r.sign * r.along * perPixel, 1e-9) << r.axis << r.inverted;
    EXPECT_NEAR(axis->Maximum() - axis->Minimum(), max - min, 1e-9);
  }
}

TEST_F(AxisScrollTest, AxisArrowsScrollByAShareOfTheRange) {
  Build();
  auto* arrows = new TAxisArrowTool(form.get());
  arrows->SetParentChart(chart);
  arrows->SetAxis(chart->BottomAxis());
  std::vector<bool> clicks;
  arrows->OnClick = [&](TAxisArrowTool*, bool AtStart) { clicks.push_back(AtStart); };
  const TChartAxis* axis = chart->BottomAxis();
  const int y = axis->PosAxis(), start = axis->IStartPos(), end = axis->IEndPos();
  struct Row {
    int x, percent;
    bool inverted;
    double minimum;  // after the click, from 0..10
  } const rows[] = {{start + 5, 10, false, 1}, {end - 5, 10, false, -1}, {start + 5, 10, true, -1},
                    {start, 10, false, 0},  // the start pixel itself is on no arrow
                    {start + 5, 0, false, 0}};
  for (const Row& r : rows) {
    chart->BottomAxis()->SetMinMax(0, 10);
    arrows->SetScrollPercent(r.percent);
    arrows->SetScrollInverted(r.inverted);
    Click(fw::TPoint{r.x, y});
    EXPECT_DOUBLE_EQ(axis->Minimum(), r.minimum) << r.x << " " << r.percent << " " << r.inverted;
  }
  EXPECT_EQ(clicks, (std::vector<bool>{true, false, true}));
}

class MarksTipTest : public charttest::ToolChartTest {};

TEST_F(MarksTipTest, ShowsThePointsValuesInTheChartsHint) {
  Build();
  auto* tips = new TMarksTipTool(form.get());
  tips->SetStyle(smsXY);
  tips->SetParentChart(chart);
  const TSeriesMarksStyle style = series[1]->Marks()->Style();
  Move(Px(1, 1));
  EXPECT_EQ(chart->Hint(), series[1]->FormatValue(5) + " " + series[1]->FormatValue(17.5));
  EXPECT_EQ(series[1]->Marks()->Style(), style);  // borrowed, given back
  EXPECT_TRUE(chart->AutoRepaint());
  Move(fw::TPoint{Px(1, 1).x + 30, Px(1, 1).y});
  EXPECT_EQ(chart->Hint(), "");
  Move(Px(2, 0));
  EXPECT_FALSE(chart->Hint().empty());
  tips->SetActive(false);
  EXPECT_EQ(chart->Hint(), "");
}

}  // namespace
