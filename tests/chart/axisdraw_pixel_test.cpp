// Axes drawn on a bitmap: the axis line, ticks at the labels' pixels, the grid, minor marks,
// label and title boxes with the fixed test font, and the side, direction and span rules.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart_TestSupport.h"
#include "seriesdraw_support.h"

namespace {

using chart::TChartAxis;
using drawtest::DrawSurface;
using fw::clBlack;
using fw::clWhite;

constexpr fw::TColor kTick = fw::clDkGray;
const win::RECT kPixelPlot{20, 10, 180, 120};

class AxisOnBitmap : public ::testing::Test {
 protected:
  AxisOnBitmap() : surface(200, 170) { canvas.SetReferenceCanvas(surface.bitmap.Canvas()); }

  std::unique_ptr<TChartAxis> MakeAxis(bool Horizontal, double Min, double Max, bool OtherSide = false) {
    auto axis = std::make_unique<TChartAxis>(Horizontal);
    axis->SetOtherSide(OtherSide);
    axis->SetMinMax(Min, Max);
    drawtest::UseTestFont(axis->LabelsFont());
    drawtest::UseTestFont(axis->Title()->Font());
    axis->MinorTicks()->SetVisible(false);
    axis->SetPlotRect(kPixelPlot);
    return axis;
  }
  // The label glyphs are boxes: a text of n characters at (x, y) fills the columns
  // x .. x + 7n - 2 (each glyph 6 wide, 7 apart) and the rows y .. y + 9.
  void ExpectTextBox(int X, int Y, int Chars, fw::TColor Color = clBlack) {
    EXPECT_EQ(surface.At(X, Y), Color) << "top-left of text at " << X << "," << Y;
    EXPECT_EQ(surface.At(X + 7 * Chars - 2, Y + 9), Color) << "bottom-right of text at " << X << "," << Y;
    EXPECT_EQ(surface.At(X - 1, Y + 4), clWhite) << "left of text at " << X << "," << Y;
    EXPECT_EQ(surface.At(X + 7 * Chars - 1, Y + 4), clWhite) << "right of text at " << X << "," << Y;
    EXPECT_EQ(surface.At(X + 2, Y - 1), clWhite) << "above text at " << X << "," << Y;
    EXPECT_EQ(surface.At(X + 2, Y + 10), clWhite) << "below text at " << X << "," << Y;
  }

  charttest::PlainNumberFormat format;
  DrawSurface surface;
  chart::TPlotCanvas3D canvas;
};

TEST_F(AxisOnBitmap, BottomAxisLineTicksAndLabels) {
  auto axis = MakeAxis(true, 0, 100);
  axis->Draw(canvas);
  // The line: row 120 from the start to the end pixel inclusive.
  EXPECT_EQ(surface.At(20, 120), clBlack);
  EXPECT_EQ(surface.At(180, 120), clBlack);
  EXPECT_EQ(surface.At(100, 120), clBlack);
  EXPECT_EQ(surface.At(19, 120), clWhite);
  EXPECT_EQ(surface.At(181, 120), clWhite);
  EXPECT_EQ(surface.At(100, 119), clWhite);

  // "0" and "100" are 28 pixels with a blank between: steps of 20 over 160 pixels.
  const std::vector<int> expected{20, 52, 84, 116, 148, 180};
  ASSERT_EQ(axis->TickPositions(), std::vector<fw::Integer>(expected.begin(), expected.end()));
  for (int x : expected) {
    for (int y = 121; y <= 124; ++y) EXPECT_EQ(surface.At(x, y), kTick) << x << "," << y;
    EXPECT_EQ(surface.At(x, 125), clWhite) << "one row between ticks and labels at " << x;
  }
  EXPECT_EQ(surface.At(36, 122), clWhite) << "no tick between labels";
  // Labels are centred on their ticks with their tops 2 rows past the ticks' ends.
  ExpectTextBox(20 - 7 / 2, 126, 1);      // "0"
  ExpectTextBox(52 - 14 / 2, 126, 2);     // "20"
  ExpectTextBox(180 - 21 / 2, 126, 3);    // "100"
}

TEST_F(AxisOnBitmap, TicksSitAtTheLabelValuesPixelsOnInvertedAndLogarithmicAxes) {
  auto inverted = MakeAxis(true, 0, 100);
  inverted->SetInverted(true);
  inverted->Draw(canvas);
  EXPECT_EQ(inverted->CalcPosValue(0), 180);
  for (int y = 121; y <= 124; ++y) EXPECT_EQ(surface.At(180, y), kTick);
  ExpectTextBox(180 - 3, 126, 1);  // "0" now at the right end
  ExpectTextBox(20 - 10, 126, 3);  // "100" at the left end

  surface.Clear();
  auto log = MakeAxis(true, 1, 1000);
  log->SetLogarithmic(true);
  log->Draw(canvas);
  const std::vector<fw::Integer> ticks = log->TickPositions();
  ASSERT_EQ(ticks.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    const fw::Integer x = log->CalcPosValue(std::pow(10.0, k));
    EXPECT_EQ(ticks[std::size_t(k)], x);
    EXPECT_EQ(surface.At(x, 122), kTick) << "decade " << k;
  }
  EXPECT_EQ(ticks[1], 20 + std::lround(160.0 / 3));
}

TEST_F(AxisOnBitmap, GridCrossesThePlotAtEveryTickAndTheHookComesFirst) {
  auto axis = MakeAxis(true, 0, 100);
  axis->Grid()->SetStyle(fw::psSolid);
  axis->Grid()->SetColor(fw::clRed);
  int hookCalls = 0;
  axis->OnDrawGrid = [&](TChartAxis& Sender, chart::TPlotCanvas3D& Canvas) {
    ++hookCalls;
    EXPECT_EQ(&Sender, axis.get());
    EXPECT_EQ(&Canvas, &canvas);
    EXPECT_EQ(Sender.TickPositions().size(), 6u) << "tick positions are final when the hook runs";
    EXPECT_EQ(surface.At(52, 50), clWhite) << "grid lines come after the hook";
  };
  axis->DrawGrid(canvas);
  EXPECT_EQ(hookCalls, 1);
  for (int x : {52, 84, 116, 148}) {
    EXPECT_EQ(surface.At(x, 10), fw::clRed);
    EXPECT_EQ(surface.At(x, 119), fw::clRed);
    EXPECT_EQ(surface.At(x, 120), clWhite) << "the axis row is left to the axis";
    EXPECT_EQ(surface.At(x, 9), clWhite);
    EXPECT_EQ(surface.At(x + 1, 60), clWhite);
  }
  axis->SetVisible(false);
  surface.Clear();
  axis->DrawGrid(canvas);
  EXPECT_EQ(surface.CountNotWhite(), 0) << "a hidden axis draws no grid";
  EXPECT_EQ(hookCalls, 1);
}

TEST_F(AxisOnBitmap, MinorTicksAndMinorGridDivideEachStep) {
  auto axis = MakeAxis(true, 0, 100);
  axis->MinorTicks()->SetVisible(true);
  axis->SetMinorTickCount(3);
  axis->Grid()->SetVisible(false);
  axis->MinorGrid()->SetVisible(true);
  axis->MinorGrid()->SetStyle(fw::psSolid);
  axis->MinorGrid()->SetColor(fw::clBlue);
  axis->DrawGrid(canvas);
  axis->Draw(canvas);
  // Between 0 and 20: 5, 10 and 15 at 28, 36 and 44; minor ticks are 2 long.
  for (int x : {28, 36, 44}) {
    EXPECT_EQ(surface.At(x, 121), kTick) << x;
    EXPECT_EQ(surface.At(x, 122), kTick) << x;
    EXPECT_EQ(surface.At(x, 123), clWhite) << x;
    EXPECT_EQ(surface.At(x, 60), fw::clBlue) << x;
  }
  EXPECT_EQ(surface.At(52, 60), clWhite) << "the major grid is hidden";
  EXPECT_EQ(surface.At(32, 60), clWhite);
}

TEST_F(AxisOnBitmap, InnerTicksPointIntoThePlot) {
  auto axis = MakeAxis(true, 0, 100);
  axis->SetTickInnerLength(3);
  axis->TicksInner()->SetColor(fw::clRed);
  axis->Draw(canvas);
  for (int y = 117; y <= 119; ++y) EXPECT_EQ(surface.At(52, y), fw::clRed) << y;
  EXPECT_EQ(surface.At(52, 116), clWhite);
  EXPECT_EQ(surface.At(52, 121), kTick);
}

TEST_F(AxisOnBitmap, LeftAndRightAxesMirrorEachOther) {
  auto left = MakeAxis(false, 0, 100);
  left->Draw(canvas);
  EXPECT_EQ(left->PosAxis(), 20);
  EXPECT_EQ(surface.At(20, 10), clBlack);
  EXPECT_EQ(surface.At(20, 120), clBlack);
  EXPECT_EQ(surface.At(20, 121), clWhite);
  const fw::Integer y0 = left->CalcPosValue(0);
  EXPECT_EQ(y0, 120);
  for (int x = 16; x <= 19; ++x) EXPECT_EQ(surface.At(x, y0), kTick) << x;
  EXPECT_EQ(surface.At(15, y0), clWhite);
  // Label boxes end 2 columns before the ticks (box right edge 15, exclusive) and are centred on
  // their tick: "0" is 7 wide and 13 high.
  ExpectTextBox(15 - 7, 120 - 13 / 2, 1);
  ExpectTextBox(15 - 14, 98 - 13 / 2, 2);  // "20" at 120 - 20 * 110 / 100

  surface.Clear();
  auto right = MakeAxis(false, 0, 100, true);
  right->Draw(canvas);
  EXPECT_EQ(right->PosAxis(), 180);
  EXPECT_EQ(surface.At(180, 60), clBlack);
  for (int x = 181; x <= 184; ++x) EXPECT_EQ(surface.At(x, 120), kTick) << x;
  ExpectTextBox(186, 120 - 6, 1);

  surface.Clear();
  auto top = MakeAxis(true, 0, 100, true);
  top->Draw(canvas);
  EXPECT_EQ(top->PosAxis(), 10);
  EXPECT_EQ(surface.At(100, 10), clBlack);
  for (int y = 6; y <= 9; ++y) EXPECT_EQ(surface.At(52, y), kTick) << y;
  EXPECT_EQ(surface.At(52, 5), clWhite);
  // Boxes end 2 rows above the ticks: bottom edge 5 (exclusive), so the top is at -8 and the
  // glyph rows -8 .. 1 are cut by the bitmap: rows 0 and 1 show.
  EXPECT_EQ(surface.At(52 - 7, 1), clBlack);
  EXPECT_EQ(surface.At(52 - 7, 2), clWhite);
}

TEST_F(AxisOnBitmap, StartEndAndPositionPercentMoveTheAxis) {
  auto axis = MakeAxis(true, 0, 100);
  axis->SetStartPosition(25);
  axis->SetEndPosition(75);
  axis->SetPositionPercent(50);
  axis->SetLabels(false);
  axis->SetPlotRect(kPixelPlot);
  EXPECT_EQ(axis->IStartPos(), 60);
  EXPECT_EQ(axis->IEndPos(), 140);
  EXPECT_EQ(axis->PosAxis(), 65);
  axis->Draw(canvas);
  EXPECT_EQ(surface.At(60, 65), clBlack);
  EXPECT_EQ(surface.At(140, 65), clBlack);
  EXPECT_EQ(surface.At(59, 65), clWhite);
  EXPECT_EQ(surface.At(141, 65), clWhite);
  EXPECT_EQ(surface.At(100, 120), clWhite) << "nothing on the plot's edge";
  EXPECT_EQ(axis->CalcPosValue(0), 60);
  EXPECT_EQ(axis->CalcPosValue(100), 140);
  EXPECT_EQ(surface.At(60, 66), kTick);

  // A vertical axis moves right from the left edge.
  auto vert = MakeAxis(false, 0, 1);
  vert->SetPositionPercent(10);
  vert->SetPlotRect(kPixelPlot);
  EXPECT_EQ(vert->PosAxis(), 36);
}

TEST_F(AxisOnBitmap, TitleSitsBeyondTheLabelsCentredOnTheSpan) {
  auto axis = MakeAxis(true, 0, 100);
  axis->Title()->SetCaption("AB");
  axis->Draw(canvas);
  // Ticks 4, gap 2, labels 13, gap 2: the title's top is 21 rows below the axis line.
  ExpectTextBox(100 - 7, 141, 2);

  surface.Clear();
  auto hidden = MakeAxis(true, 0, 100);
  hidden->SetVisible(false);
  hidden->Title()->SetCaption("AB");
  hidden->Draw(canvas);
  EXPECT_EQ(surface.CountNotWhite(), 0) << "a hidden axis draws nothing";
}

TEST_F(AxisOnBitmap, HiddenPensAndLabelsDrawNothing) {
  auto axis = MakeAxis(true, 0, 100);
  axis->Axis()->SetVisible(false);
  axis->Ticks()->SetVisible(false);
  axis->SetLabels(false);
  axis->Draw(canvas);
  EXPECT_EQ(surface.CountNotWhite(), 0);
}

TEST_F(AxisOnBitmap, DegenerateRangesDrawWithoutFailing) {
  auto flat = MakeAxis(true, 5, 5);
  flat->Draw(canvas);
  ASSERT_EQ(flat->TickPositions().size(), 1u) << "a zero range gets its one value";
  EXPECT_EQ(flat->TickPositions()[0], 100) << "in the middle";

  auto huge = MakeAxis(false, -1e308, 1e308);
  huge->DrawGrid(canvas);
  huge->Draw(canvas);
  EXPECT_FALSE(huge->TickPositions().empty());
  EXPECT_LE(huge->TickPositions().size(), 10000u);

  auto tiny = MakeAxis(true, 1e-300, 2e-300);
  tiny->Draw(canvas);
  EXPECT_FALSE(tiny->TickPositions().empty());

  auto log = MakeAxis(true, -5, 0);
  log->SetLogarithmic(true);
  log->DrawGrid(canvas);
  log->Draw(canvas);
  EXPECT_TRUE(log->TickPositions().empty()) << "no positive values: no labels on a log axis";

  // A zero-size plot.
  auto none = MakeAxis(true, 0, 10);
  none->SetPlotRect(win::RECT{50, 50, 50, 50});
  none->DrawGrid(canvas);
  none->Draw(canvas);
  EXPECT_GE(none->SizeNeeded(canvas), 0);
}

}  // namespace
