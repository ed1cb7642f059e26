// The values under the mouse: the chart's last mouse position through the series' own axes.

#include <gtest/gtest.h>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"

namespace {

// Lets the test move the mouse over the chart the way the control's message handling does.
struct MouseChart : chart::TChart {
  using chart::TChart::TChart;
  using chart::TCustomAxisPanel::MouseMove;
};

TEST(SeriesCursor, CursorToValuesReadsTheChartsMouseOnTheSeriesAxes) {
  MouseChart chartControl(nullptr);
  chart::TLineSeries series(nullptr);
  double x = -1, y = -1;
  series.CursorToValues(x, y);
  EXPECT_EQ(x, 0) << "no chart: no mouse";
  EXPECT_EQ(y, 0);

  series.SetParentChart(&chartControl);
  ASSERT_EQ(series.HorizAxis(), chartControl.BottomAxis());
  chart::TChartAxis* right = chartControl.RightAxis();
  series.SetVertAxis(right);
  chartControl.BottomAxis()->SetMinMax(0, 100);
  chartControl.BottomAxis()->SetPositions(0, 200);
  right->SetMinMax(-1, 1);
  right->SetPositions(0, 100);
  chartControl.MouseMove({}, 50, 25);
  series.CursorToValues(x, y);
  EXPECT_DOUBLE_EQ(x, 25);
  EXPECT_DOUBLE_EQ(y, 0.5) << "the series' own vertical axis";
  series.SetParentChart(nullptr);
}

}  // namespace
