// The chart's series list: membership through either side, series events passed on, exchange,
// series freed while listed, the X range on an axis.
#include <gtest/gtest.h>

#include <memory>

#include "chart/PlotAxis.h"
#include "chart_Fixture.h"

using namespace chart;

namespace {

struct Recorder : TChartSeriesListener {
  std::vector<std::pair<TChartSeries*, TChartSeriesEvent>> events;
  void SeriesEvent(TChartSeries* s, TChartSeriesEvent e) override { events.emplace_back(s, e); }
};

using ChartSeriesTest = charttest::ChartTest;

TEST_F(ChartSeriesTest, ASeriesJoinsThroughEitherSideAndMovesBetweenCharts) {
  TChart one(nullptr), two(nullptr);
  charttest::SquareSeries a(nullptr), b(nullptr);
  a.SetParentChart(&one);
  one.AddSeries(&b);
  EXPECT_EQ(b.ParentChart(), &one);
  ASSERT_EQ(one.SeriesCount(), 2);
  EXPECT_EQ(one.Series(0), &a);
  EXPECT_EQ(one.Series(1), &b);
  one.AddSeries(&a);  // already there: no duplicate
  EXPECT_EQ(one.SeriesCount(), 2);

  two.AddSeries(&a);
  EXPECT_EQ(a.ParentChart(), &two);
  EXPECT_EQ(one.SeriesCount(), 1);
  EXPECT_EQ(one.Series(0), &b);
  EXPECT_EQ(two.SeriesCount(), 1);

  one.RemoveSeries(&b);
  EXPECT_EQ(b.ParentChart(), nullptr);
  EXPECT_EQ(one.SeriesCount(), 0);
  one.RemoveSeries(&b);  // not there: nothing
  two.RemoveSeries(&b);
  EXPECT_EQ(two.SeriesCount(), 1);
  a.SetParentChart(nullptr);
}

TEST_F(ChartSeriesTest, ASeriesTakesItsAxesFromTheChartItJoinsAndLeavesThemThere) {
  charttest::SquareSeries s(nullptr);
  {
    TChart one(nullptr), two(nullptr);
    s.SetHorizAxis(one.TopAxis());
    s.SetParentChart(&one);
    EXPECT_EQ(s.HorizAxis(), one.TopAxis());
    // Moving to another chart: the same places among that chart's axes.
    two.AddSeries(&s);
    EXPECT_EQ(s.HorizAxis(), two.TopAxis());
    EXPECT_EQ(s.VertAxis(), two.LeftAxis());
    two.RemoveSeries(&s);
    EXPECT_EQ(s.HorizAxis(), nullptr);
    EXPECT_EQ(s.VertAxis(), nullptr);
    s.SetParentChart(&one);
  }
  // The chart went away: the series points at none of its axes.
  EXPECT_EQ(s.ParentChart(), nullptr);
  EXPECT_EQ(s.HorizAxis(), nullptr);
  EXPECT_EQ(s.VertAxis(), nullptr);
  TChartAxis free(true);
  s.SetHorizAxis(&free);
  TChart three(nullptr);
  s.SetParentChart(&three);
  EXPECT_EQ(s.HorizAxis(), three.BottomAxis());
  s.SetParentChart(nullptr);
}

TEST_F(ChartSeriesTest, SeriesWithoutAxesGoOnTheBottomAndLeftAxes) {
  TChart chart(nullptr);
  charttest::SquareSeries plain(nullptr), placed(nullptr);
  placed.SetHorizAxis(chart.TopAxis());
  plain.SetParentChart(&chart);
  placed.SetParentChart(&chart);
  EXPECT_EQ(plain.HorizAxis(), chart.BottomAxis());
  EXPECT_EQ(plain.VertAxis(), chart.LeftAxis());
  EXPECT_EQ(placed.HorizAxis(), chart.TopAxis());
  EXPECT_EQ(placed.VertAxis(), chart.LeftAxis());
  plain.SetParentChart(nullptr);
  placed.SetParentChart(nullptr);
}

TEST_F(ChartSeriesTest, ListenersHearAddRemoveSwapAndTheSeriesOwnEvents) {
  TChart chart(nullptr);
  Recorder rec;
  chart.AddListener(&rec);
  charttest::SquareSeries a(nullptr), b(nullptr);
  a.SetParentChart(&chart);
  b.SetParentChart(&chart);
  chart.ExchangeSeries(&a, &b);
  EXPECT_EQ(chart.Series(0), &b);
  EXPECT_EQ(chart.Series(1), &a);
  chart.ExchangeSeries(&a, &a);  // nothing
  charttest::SquareSeries stranger(nullptr);
  chart.ExchangeSeries(&a, &stranger);  // nothing
  a.AddXY(1, 2);
  a.SetActive(false);
  a.SetSeriesColor(fw::TColor(0x010203));  // not a palette colour, so it is a change
  a.SetTitle("A");
  b.SetParentChart(nullptr);
  const std::vector<std::pair<TChartSeries*, TChartSeriesEvent>> expected = {
      {&a, seAdd}, {&b, seAdd}, {&a, seSwap}, {&a, seDataChanged}, {&a, seChangeActive},
      {&a, seChangeColor}, {&a, seChangeTitle}, {&b, seRemove}};
  EXPECT_EQ(rec.events, expected);
  // A series that left is no longer heard.
  rec.events.clear();
  b.AddXY(0, 0);
  EXPECT_TRUE(rec.events.empty());
  chart.RemoveListener(&rec);
  a.AddXY(2, 3);
  EXPECT_TRUE(rec.events.empty());
  a.SetParentChart(nullptr);
}

TEST_F(ChartSeriesTest, ASeriesEventMakesTheChartRedraw) {
  TChart* chart = ShowChart(10, 10, 200, 150);
  auto* s = new charttest::SquareSeries(chart);
  s->SetParentChart(chart);
  Pump();
  ASSERT_FALSE(chart->Canvas()->Dirty());
  const int draws = s->draws;
  ASSERT_GE(draws, 1);
  s->AddXY(1, 1);
  EXPECT_TRUE(chart->Canvas()->Dirty());
  Pump();
  EXPECT_EQ(s->draws, draws + 1);
  EXPECT_FALSE(chart->Canvas()->Dirty());
  // An inactive series is not drawn.
  s->SetActive(false);
  Pump();
  EXPECT_EQ(s->draws, draws + 1);
}

TEST_F(ChartSeriesTest, AFreedSeriesLeavesTheListAndTheChartFreedLeavesItsSeries) {
  Recorder rec;
  auto* kept = new charttest::SquareSeries(nullptr);
  {
    TChart chart(nullptr);
    chart.AddListener(&rec);
    auto* gone = new charttest::SquareSeries(nullptr);
    gone->SetParentChart(&chart);
    kept->SetParentChart(&chart);
    delete gone;
    ASSERT_EQ(chart.SeriesCount(), 1);
    EXPECT_EQ(chart.Series(0), kept);
    EXPECT_EQ(rec.events.back(), (std::pair<TChartSeries*, TChartSeriesEvent>{gone, seRemove}));
    chart.RemoveListener(&rec);
    // Series owned by the chart go with it.
    auto* owned = new charttest::SquareSeries(&chart);
    owned->SetParentChart(&chart);
  }
  EXPECT_EQ(kept->ParentChart(), nullptr);
  kept->AddXY(1, 1);  // no chart to tell
  delete kept;
}

TEST_F(ChartSeriesTest, TheXRangeOnAnAxisComesFromTheActiveSeriesOnIt) {
  TChart chart(nullptr);
  charttest::SquareSeries a(nullptr), b(nullptr), top(nullptr);
  a.AddXY(-3, 0);
  a.AddXY(4, 0);
  b.AddXY(7, 0);
  top.AddXY(100, 0);
  top.SetHorizAxis(chart.TopAxis());
  a.SetParentChart(&chart);
  b.SetParentChart(&chart);
  top.SetParentChart(&chart);
  EXPECT_DOUBLE_EQ(chart.MinimumXOnAxis(chart.BottomAxis()), -3);
  EXPECT_DOUBLE_EQ(chart.MaximumXOnAxis(chart.BottomAxis()), 7);
  EXPECT_DOUBLE_EQ(chart.MaximumXOnAxis(chart.TopAxis()), 100);
  b.SetActive(false);
  EXPECT_DOUBLE_EQ(chart.MaximumXOnAxis(chart.BottomAxis()), 4);
  for (auto* s : {&a, &b, &top}) s->SetParentChart(nullptr);
  EXPECT_EQ(MainChart, nullptr);
}

}  // namespace

namespace {

TEST_F(ChartSeriesTest, SeriesWithoutAColourTakeTheFirstPaletteColourNoOtherShows) {
  TChart chart(nullptr);
  charttest::SquareSeries a(nullptr), b(nullptr), c(nullptr), d(nullptr);
  c.SetSeriesColor(PlotDefaultPaletteColor(1));  // a colour of its own is kept
  chart.AddSeries(&a);
  chart.AddSeries(&c);
  chart.AddSeries(&b);
  EXPECT_EQ(a.SeriesColor(), PlotDefaultPaletteColor(0));
  EXPECT_EQ(c.SeriesColor(), PlotDefaultPaletteColor(1));
  EXPECT_EQ(b.SeriesColor(), PlotDefaultPaletteColor(2));
  // A freed slot is taken again.
  chart.RemoveSeries(&a);
  chart.AddSeries(&d);
  EXPECT_EQ(d.SeriesColor(), PlotDefaultPaletteColor(0));
  // A series that already has a colour keeps it when it moves.
  TChart other(nullptr);
  other.AddSeries(&b);
  EXPECT_EQ(b.SeriesColor(), PlotDefaultPaletteColor(2));
}

}  // namespace
