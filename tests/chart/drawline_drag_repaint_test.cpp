// A line being drawn is shown in XOR on the window; a repaint in the middle of the drag must
// leave it showing, so that the next move takes it away and no stray line stays behind.
#include <gtest/gtest.h>

#include "chart/PlotAxis.h"
#include "chart/PlotToolsDrawLine.h"
#include "tools_Fixture.h"

using namespace chart;

namespace {

class DrawLineRepaintTest : public charttest::ToolChartTest {
 protected:
  win::COLORREF Screen(fw::TPoint P) { return desktop->surface_pixel(form->Handle(), P.x, P.y) & 0xFFFFFF; }
  fw::TPoint At(double X, double Y) {
    return fw::TPoint{chart->BottomAxis()->CalcPosValue(X), chart->LeftAxis()->CalcPosValue(Y)};
  }
};

TEST_F(DrawLineRepaintTest, TheDraggedLineSurvivesARepaintAndLeavesNoTraceWhenMoved) {
  Build();
  auto* tool = new TDrawLineTool(form.get());
  tool->SetParentChart(chart);
  // Off the grid lines and the series' points.
  const fw::TPoint middle = At(2.5, 28.5), elsewhere = At(2.5, 23.5);
  const win::COLORREF background = Screen(middle);
  ASSERT_EQ(Screen(elsewhere), background);

  Press(At(1, 28.5));
  Move(At(4, 28.5));  // a level line through `middle`
  ASSERT_NE(Screen(middle), background);
  chart->Invalidate();
  Pump();
  EXPECT_NE(Screen(middle), background) << "the line is gone after the repaint";

  Move(At(4, 18.5));  // the line now runs through `elsewhere`, and `middle` is off it
  EXPECT_EQ(Screen(middle), background) << "a stray line stays where the drag was";
  Release(At(4, 18.5));
  EXPECT_EQ(tool->Lines()->Count(), 1);
}

}  // namespace
