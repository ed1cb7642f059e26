// A colour line is drawn across the whole plot at its value, in its pen's colour, along either
// axis.
#include <gtest/gtest.h>

#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotToolsLines.h"
#include "tools_Fixture.h"

using namespace chart;

namespace {

class ColorLineDrawTest : public charttest::ToolChartTest {
 protected:
  win::COLORREF Screen(int X, int Y) { return desktop->surface_pixel(form->Handle(), X, Y) & 0xFFFFFF; }
};

TEST_F(ColorLineDrawTest, TheLineCrossesThePlotAtItsValueInThePensColour) {
  Build();
  const fw::TRect plot = chart->ChartRect();
  struct Row {
    TChartAxis* Axis;
    double Value;
  };
  const Row rows[] = {{chart->BottomAxis(), 3.5}, {chart->LeftAxis(), 22.5}};  // off the grid lines
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Axis->Horizontal() ? "bottom axis" : "left axis");
    auto* line = new TColorLineTool(form.get());
    line->SetAxis(r.Axis);
    line->SetValue(r.Value);
    line->Pen()->SetColor(fw::clRed);
    chart->Invalidate();
    Pump();
    const int at = r.Axis->CalcPosValue(r.Value);
    // Near both ends of the plot and in its middle.
    for (int along : {plot.left + 3, (plot.left + plot.right) / 2, plot.right - 3}) {
      const int across = plot.top + (along - plot.left) * (plot.bottom - plot.top) / (plot.right - plot.left);
      const int x = r.Axis->Horizontal() ? at : along, y = r.Axis->Horizontal() ? across : at;
      EXPECT_EQ(Screen(x, y), win::COLORREF(fw::clRed)) << x << "," << y;
    }
    delete line;
  }
}

}  // namespace
