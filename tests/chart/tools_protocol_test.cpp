// Tool bases: membership in a chart's tool list, the axis and series a tool works on.
#include <gtest/gtest.h>

#include "chart/PlotAxis.h"
#include "chart_Fixture.h"

using namespace chart;
using charttest::RecordingTool;

namespace {

class AxisTool : public TPlotCustomToolAxis {
 public:
  using TPlotCustomToolAxis::TPlotCustomToolAxis;
};

class SeriesTool : public TPlotCustomToolSeries {
 public:
  using TPlotCustomToolSeries::TPlotCustomToolSeries;
};

using ToolsProtocolTest = charttest::ChartTest;

TEST_F(ToolsProtocolTest, SettingTheParentChartMovesTheToolBetweenToolLists) {
  TChart one(nullptr), two(nullptr);
  std::vector<std::string> log;
  auto* a = new RecordingTool(&one, &log, "a");
  auto* b = new RecordingTool(&one, &log, "b");
  a->SetParentChart(&one);
  b->SetParentChart(&one);
  ASSERT_EQ(one.Tools(), (std::vector<TPlotCustomTool*>{a, b}));
  a->SetParentChart(&two);
  EXPECT_EQ(one.Tools(), (std::vector<TPlotCustomTool*>{b}));
  EXPECT_EQ(two.Tools(), (std::vector<TPlotCustomTool*>{a}));
  EXPECT_EQ(a->ParentChart(), &two);
  a->SetParentChart(&one);  // appended at the end again
  EXPECT_EQ(one.Tools(), (std::vector<TPlotCustomTool*>{b, a}));
  a->SetParentChart(nullptr);
  EXPECT_EQ(one.Tools(), (std::vector<TPlotCustomTool*>{b}));
  delete b;  // a freed tool leaves the list
  EXPECT_TRUE(one.Tools().empty());
}

TEST_F(ToolsProtocolTest, AChartFreedBeforeItsToolsLeavesThemWithoutAChart) {
  std::vector<std::string> log;
  RecordingTool tool(nullptr, &log, "t");
  AxisTool axisTool(nullptr);
  {
    TChart chart(nullptr);
    tool.SetParentChart(&chart);
    axisTool.SetAxis(chart.LeftAxis());
    ASSERT_EQ(axisTool.ParentChart(), &chart);
  }
  EXPECT_EQ(tool.ParentChart(), nullptr);
  EXPECT_EQ(axisTool.ParentChart(), nullptr);
  EXPECT_EQ(axisTool.Axis(), nullptr);
  EXPECT_EQ(axisTool.AxisID(), -1);
}

TEST_F(ToolsProtocolTest, ChangingAToolsActiveFlagRepaintsTheChart) {
  TChart* chart = ShowChart(10, 10, 200, 150);
  std::vector<std::string> log;
  auto* tool = new RecordingTool(chart, &log, "t");
  tool->SetParentChart(chart);
  Pump();
  ASSERT_FALSE(chart->Canvas()->Dirty());
  tool->SetActive(true);  // unchanged
  EXPECT_FALSE(chart->Canvas()->Dirty());
  tool->SetActive(false);
  EXPECT_TRUE(chart->Canvas()->Dirty());
  EXPECT_FALSE(tool->Active());
  log.clear();
  Pump();
  EXPECT_FALSE(chart->Canvas()->Dirty());
  EXPECT_TRUE(log.empty());  // repainted, and an inactive tool hears nothing
}

TEST_F(ToolsProtocolTest, AnAxisToolFollowsItsAxisChartAndStreamsItsIndex) {
  TChart chart(nullptr);
  AxisTool tool(nullptr);
  tool.SetAxis(chart.LeftAxis());
  EXPECT_EQ(tool.ParentChart(), &chart);
  EXPECT_EQ(tool.AxisID(), 2);
  EXPECT_EQ(chart.Tools().size(), 1u);
  tool.SetAxisID(0);
  EXPECT_EQ(tool.Axis(), chart.BottomAxis());
  tool.SetAxisID(5);
  EXPECT_EQ(tool.Axis(), chart.DepthTopAxis());
  TChartAxis* custom = chart.AddCustomAxis(false);
  tool.SetAxis(custom);
  EXPECT_EQ(tool.AxisID(), 6);
  tool.SetAxisID(7);
  EXPECT_EQ(tool.Axis(), nullptr);
  tool.SetAxisID(-1);
  EXPECT_EQ(tool.Axis(), nullptr);
  // The axis list holds the axes in creation order, each belonging to the chart.
  ASSERT_EQ(chart.AxesList().size(), 7u);
  EXPECT_EQ(chart.AxesList()[1], chart.TopAxis());
  EXPECT_EQ(chart.AxesList()[3], chart.RightAxis());
  EXPECT_EQ(chart.AxesList()[4], chart.DepthAxis());
  for (TChartAxis* axis : chart.AxesList()) EXPECT_EQ(axis->ParentChart(), &chart);
  EXPECT_TRUE(chart.BottomAxis()->Horizontal());
  EXPECT_FALSE(chart.LeftAxis()->Horizontal());
  EXPECT_TRUE(chart.TopAxis()->OtherSide());
  EXPECT_TRUE(chart.RightAxis()->OtherSide());
}

TEST_F(ToolsProtocolTest, AnAxisToolMovedToAnotherChartDropsTheOldChartsAxis) {
  TChart one(nullptr), two(nullptr);
  AxisTool tool(nullptr);
  tool.SetAxis(one.BottomAxis());
  tool.SetParentChart(&two);
  EXPECT_EQ(tool.Axis(), nullptr);
  EXPECT_TRUE(one.Tools().empty());
}

TEST_F(ToolsProtocolTest, ASeriesToolForgetsAFreedSeriesAndFallsBackToTheChartsAxes) {
  TChart chart(nullptr);
  SeriesTool tool(nullptr);
  tool.SetParentChart(&chart);
  EXPECT_EQ(tool.HorizontalAxis(), chart.BottomAxis());
  EXPECT_EQ(tool.VerticalAxis(), chart.LeftAxis());
  auto* s = new charttest::SquareSeries(nullptr);
  s->SetHorizAxis(chart.TopAxis());
  s->SetVertAxis(chart.RightAxis());
  tool.SetSeries(s);
  EXPECT_EQ(tool.HorizontalAxis(), chart.TopAxis());
  EXPECT_EQ(tool.VerticalAxis(), chart.RightAxis());
  delete s;
  EXPECT_EQ(tool.Series(), nullptr);
  EXPECT_EQ(tool.HorizontalAxis(), chart.BottomAxis());
  SeriesTool loose(nullptr);
  EXPECT_EQ(loose.HorizontalAxis(), nullptr);
  EXPECT_EQ(loose.VerticalAxis(), nullptr);
  EXPECT_TRUE(loose.Description().empty());
}

}  // namespace
