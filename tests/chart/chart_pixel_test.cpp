// A drawn chart's pixels that the layout fixes (titles in the test font, background, wall,
// series squares, clipping), on a bitmap and on a headless window; and what PartAt finds there.
#include <gtest/gtest.h>

#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "chart/SeriesMarks.h"
#include "chart_Fixture.h"
#include "seriesdraw_support.h"

using namespace chart;
using charttest::PixelOf;

namespace {

constexpr TColor kBack = 0xF0F0F0;
constexpr TColor kWall = 0xE0D0C0;
constexpr TColor kTitle = 0x0000C0;
constexpr TColor kSeries = 0xC00000;

class ChartPixelTest : public charttest::ChartTest {
 protected:
  // A 400 x 300 chart with a title "AB", a foot "CD" and a series of three points.
  void Dress(TChart& c) {
    c.SetColor(kBack);
    c.BackWall()->SetColor(kWall);
    for (TChartTitle* t : {c.Title(), c.SubTitle(), c.Foot(), c.SubFoot()}) {
      drawtest::UseTestFont(t->Font(), kTitle);
    }
    c.Title()->SetText("AB");
    c.Foot()->SetText("CD");
    series = new charttest::SquareSeries(&c);
    series->SetTitle("S");
    series->SetSeriesColor(kSeries);
    series->AddXY(0, 0);
    series->AddXY(4, 60);
    series->AddXY(10, 100);
    series->SetParentChart(&c);
  }
  // A legend-less chart with a line series through (0, 0), (5, 80) and (10, 20), marks shown.
  static TLineSeries* AddMarkedLine(TChart& c) {
    c.Legend()->SetVisible(false);
    auto* line = new TLineSeries(&c);
    line->AddXY(0, 0);
    line->AddXY(5, 80);
    line->AddXY(10, 20);
    line->Marks()->SetVisible(true);
    line->SetParentChart(&c);
    return line;
  }
  charttest::SquareSeries* series = nullptr;
};

TEST_F(ChartPixelTest, TitlesSitCentredAtTheTopAndBottomInTheTestFont) {
  TChart chart(nullptr);
  Dress(chart);
  chart.Legend()->SetVisible(false);
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  ASSERT_NE(bmp, nullptr);
  // Two 7-pixel characters and 4 pixels of padding each side: 22 x 17, centred in the 380
  // pixels inside the 10-pixel panel margin, 4 pixels below it.
  EXPECT_EQ(chart.Title()->Bounds(), (win::RECT{189, 14, 211, 31}));
  // "A" covers columns 193..198 and rows 16..25; column 199 separates the glyphs.
  EXPECT_EQ(PixelOf(*bmp, 193, 16), kTitle);
  EXPECT_EQ(PixelOf(*bmp, 198, 25), kTitle);
  EXPECT_EQ(PixelOf(*bmp, 199, 20), fw::clWhite);
  EXPECT_EQ(PixelOf(*bmp, 200, 20), kTitle);
  EXPECT_EQ(PixelOf(*bmp, 195, 26), fw::clWhite);
  EXPECT_EQ(PixelOf(*bmp, 192, 20), fw::clWhite);
  // The foot: 4 pixels above the bottom margin.
  EXPECT_EQ(chart.Foot()->Bounds(), (win::RECT{189, 269, 211, 286}));
  EXPECT_EQ(PixelOf(*bmp, 193, 271), kTitle);
  // Hidden and empty titles take no room and have no bounds.
  EXPECT_EQ(chart.SubTitle()->Bounds(), (win::RECT{}));
  EXPECT_EQ(chart.ChartRect().top, 31);
  EXPECT_LE(chart.ChartRect().bottom, 269);
}

TEST_F(ChartPixelTest, BackgroundWallAndSeriesOnABitmap) {
  TChart chart(nullptr);
  Dress(chart);
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  const TRect plot = chart.ChartRect();
  ASSERT_GT(plot.right - plot.left, 100);
  ASSERT_GT(plot.bottom - plot.top, 100);
  EXPECT_EQ(PixelOf(*bmp, 0, 0), fw::clWhite);
  EXPECT_EQ(PixelOf(*bmp, 399, 299), fw::clWhite);
  // A place of the wall between any grid lines: X 0.3, Y 37.
  const Integer wx = chart.BottomAxis()->CalcPosValue(0.3), wy = chart.LeftAxis()->CalcPosValue(37);
  EXPECT_EQ(PixelOf(*bmp, wx, wy), kWall);
  // The wall's frame runs round the plot rectangle, the axes' end pixels included.
  EXPECT_EQ(PixelOf(*bmp, wx, plot.top), fw::clBlack);
  EXPECT_EQ(PixelOf(*bmp, wx, plot.top + 1), kWall);
  EXPECT_EQ(PixelOf(*bmp, wx, plot.top - 1), fw::clWhite);
  // Each point's square, in the series colour, at the pixels its axes give it (the first point
  // lies under the axes, drawn after the series).
  for (fw::Integer i = 1; i < series->Count(); ++i) {
    const Integer x = chart.BottomAxis()->CalcPosValue(series->PointX(i));
    const Integer y = chart.LeftAxis()->CalcPosValue(series->PointY(i));
    EXPECT_EQ(PixelOf(*bmp, x, y), kSeries) << i;
  }
  EXPECT_EQ(chart.BottomAxis()->CalcPosValue(0), plot.left);
  EXPECT_EQ(chart.BottomAxis()->CalcPosValue(10), plot.right);
  EXPECT_EQ(chart.LeftAxis()->CalcPosValue(100), plot.top);
}

TEST_F(ChartPixelTest, SeriesAreClippedToThePlotRectangle) {
  TChart chart(nullptr);
  Dress(chart);
  chart.Legend()->SetVisible(false);
  chart.BottomAxis()->SetMinMax(0, 4);
  chart.LeftAxis()->SetMinMax(0, 100);
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  const TRect plot = chart.ChartRect();
  // The point at X 4 sits on the right end pixel: its square reaches one pixel past it there
  // and is cut.
  const Integer y = chart.LeftAxis()->CalcPosValue(60);
  EXPECT_EQ(chart.BottomAxis()->CalcPosValue(4), plot.right);
  EXPECT_EQ(PixelOf(*bmp, plot.right, y), kSeries);
  EXPECT_EQ(PixelOf(*bmp, plot.right - 1, y), kSeries);
  EXPECT_NE(PixelOf(*bmp, plot.right + 1, y), kSeries);
}

TEST_F(ChartPixelTest, TheWindowShowsTheSamePictureAsTheBitmap) {
  TChart* chart = ShowChart(30, 40, 400, 300);
  Dress(*chart);
  chart->Legend()->SetVisible(false);
  Pump();
  EXPECT_EQ(desktop->screen_pixel(30 + 193, 40 + 16), win::COLORREF(kTitle));
  EXPECT_EQ(desktop->screen_pixel(30 + 199, 40 + 20), win::COLORREF(kBack));
  EXPECT_EQ(desktop->screen_pixel(30 + 1, 40 + 1), win::COLORREF(kBack));
  const Integer wx = chart->BottomAxis()->CalcPosValue(0.3), wy = chart->LeftAxis()->CalcPosValue(37);
  EXPECT_EQ(desktop->screen_pixel(30 + wx, 40 + wy), win::COLORREF(kWall));
  const Integer sx = chart->BottomAxis()->CalcPosValue(4), sy = chart->LeftAxis()->CalcPosValue(60);
  EXPECT_EQ(desktop->screen_pixel(30 + sx, 40 + sy), win::COLORREF(kSeries));
  // A change shows after the next paint.
  chart->BackWall()->SetColor(fw::clYellow);
  Pump();
  EXPECT_EQ(desktop->screen_pixel(30 + wx, 40 + wy), win::COLORREF(fw::clYellow));
  // AutoRepaint off: the change waits.
  chart->SetAutoRepaint(false);
  chart->BackWall()->SetColor(fw::clAqua);
  Pump();
  EXPECT_EQ(desktop->screen_pixel(30 + wx, 40 + wy), win::COLORREF(fw::clYellow));
  chart->SetAutoRepaint(true);
  chart->Invalidate();
  Pump();
  EXPECT_EQ(desktop->screen_pixel(30 + wx, 40 + wy), win::COLORREF(fw::clAqua));
}

TEST_F(ChartPixelTest, PartAtFindsEveryPartOfADrawnChart) {
  TChart chart(nullptr);
  Dress(chart);
  chart.SubTitle()->SetText("sub");
  chart.SubFoot()->SetText("subfoot");
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  const TRect plot = chart.ChartRect();
  auto partAt = [&](Integer x, Integer y) {
    TSelectorClickedPart p;
    p.PointIndex = 77;
    chart.PartAt(fw::TPoint{x, y}, p);
    return p;
  };
  auto centre = [](const win::RECT& r) { return fw::TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
  EXPECT_EQ(partAt(centre(chart.Title()->Bounds()).x, centre(chart.Title()->Bounds()).y).Part, cpTitle);
  EXPECT_EQ(partAt(centre(chart.SubTitle()->Bounds()).x, centre(chart.SubTitle()->Bounds()).y).Part, cpSubTitle);
  EXPECT_EQ(partAt(centre(chart.Foot()->Bounds()).x, centre(chart.Foot()->Bounds()).y).Part, cpFoot);
  EXPECT_EQ(partAt(centre(chart.SubFoot()->Bounds()).x, centre(chart.SubFoot()->Bounds()).y).Part, cpSubFoot);
  // The subtitle lies below the title, the subfoot below the foot.
  EXPECT_GE(chart.SubTitle()->Bounds().top, chart.Title()->Bounds().bottom);
  EXPECT_LE(chart.Foot()->Bounds().bottom, chart.SubFoot()->Bounds().top);

  const win::RECT legend = chart.Legend()->ShapeBounds();
  ASSERT_LT(legend.left, legend.right);
  const TSelectorClickedPart onLegend = partAt(legend.left + 1, legend.top + 1);
  EXPECT_EQ(onLegend.Part, cpLegend);
  ASSERT_EQ(chart.Legend()->Layout().Items.size(), 1u);
  const fw::TPoint item = centre(chart.Legend()->Layout().Items[0].Rect);
  const TSelectorClickedPart onItem = partAt(item.x, item.y);
  EXPECT_EQ(onItem.Part, cpLegend);
  EXPECT_EQ(onItem.PointIndex, 0);

  const Integer midY = (plot.top + plot.bottom) / 2, midX = (plot.left + plot.right) / 2;
  const TSelectorClickedPart onLeft = partAt(plot.left, midY);
  EXPECT_EQ(onLeft.Part, cpAxis);
  EXPECT_EQ(onLeft.Axis, chart.LeftAxis());
  const TSelectorClickedPart onBottom = partAt(midX, plot.bottom + 1);
  EXPECT_EQ(onBottom.Part, cpAxis);
  EXPECT_EQ(onBottom.Axis, chart.BottomAxis());

  const Integer px = chart.BottomAxis()->CalcPosValue(4), py = chart.LeftAxis()->CalcPosValue(60);
  const TSelectorClickedPart onPoint = partAt(px + 1, py - 1);
  EXPECT_EQ(onPoint.Part, cpSeries);
  EXPECT_EQ(onPoint.Series, series);
  EXPECT_EQ(onPoint.PointIndex, 1);

  const TSelectorClickedPart onPlot = partAt(px + 20, py + 20);
  EXPECT_EQ(onPlot.Part, cpChartRect);
  EXPECT_EQ(onPlot.Series, nullptr);
  const TSelectorClickedPart nothing = partAt(2, 2);
  EXPECT_EQ(nothing.Part, cpNone);
  EXPECT_EQ(nothing.PointIndex, -1);
  EXPECT_EQ(nothing.Axis, nullptr);

  // Hidden titles and legend are not found.
  const win::RECT title = chart.Title()->Bounds();
  chart.Title()->SetVisible(false);
  chart.Legend()->SetVisible(false);
  EXPECT_NE(partAt(centre(title).x, centre(title).y).Part, cpTitle);
  EXPECT_NE(partAt(legend.left + 1, legend.top + 1).Part, cpLegend);

  // The plot rectangle counts only while the chart has a series; an inactive series is not hit.
  series->SetActive(false);
  bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  EXPECT_NE(partAt(px + 1, py - 1).Part, cpSeries);
  series->SetParentChart(nullptr);
  bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  const TRect empty = chart.ChartRect();
  EXPECT_EQ(partAt((empty.left + empty.right) / 2 + 3, (empty.top + empty.bottom) / 2 + 3).Part, cpNone);
}

TEST_F(ChartPixelTest, ANeverDrawnOrZeroSizeChartHasNoPartsYet) {
  TChart chart(nullptr);
  Dress(chart);
  TSelectorClickedPart p;
  for (Integer v : {0, 1, 2, 5}) {
    chart.PartAt(fw::TPoint{v, v}, p);
    EXPECT_EQ(int(p.Part), int(cpNone)) << v;
  }
  fw::TBitmap target;
  target.SetSize(4, 4);
  chart.Draw(*target.Canvas(), TRect{0, 0, 0, 0});
  chart.PartAt(fw::TPoint{0, 0}, p);
  EXPECT_EQ(int(p.Part), int(cpNone));
}

TEST_F(ChartPixelTest, TheDepthViewDrawsTheWallsAsProjectedFaces) {
  TChart chart(nullptr);
  chart.SetColor(fw::clWhite);
  chart.Legend()->SetVisible(false);
  chart.BackWall()->SetColor(kWall);
  chart.LeftWall()->SetColor(fw::clLime);
  chart.BottomWall()->SetColor(fw::clAqua);
  auto flat = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 300, 240}, fw::pf24bit);
  const TRect flatPlot = chart.ChartRect();
  TView3DSettings& view = chart.View3DOptions();
  view.Orthogonal = true;
  view.OrthoAngle = 45;
  view.Depth = 20;
  chart.SetView3D(true);
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 300, 240}, fw::pf24bit);
  // The settings reach the canvas; the box's back lies 14 pixels right and up.
  EXPECT_TRUE(chart.Canvas()->View().View3D);
  EXPECT_EQ(chart.Canvas()->View().Depth, 20);
  const TRect plot = chart.ChartRect();
  EXPECT_EQ(plot.top, flatPlot.top + 14);
  EXPECT_EQ(plot.right, flatPlot.right - 14);
  const Integer midY = (plot.top + plot.bottom) / 2;
  // Between the front and back left edges: the left wall; between the bottom edges: the bottom
  // wall; up and right of the front rectangle's corner: the back wall.
  EXPECT_EQ(PixelOf(*bmp, plot.left + 7, midY), fw::clLime);
  EXPECT_EQ(PixelOf(*bmp, (plot.left + plot.right) / 2, plot.bottom - 7), fw::clAqua);
  EXPECT_EQ(PixelOf(*bmp, plot.right + 7, plot.top - 3), kWall);
  EXPECT_EQ(PixelOf(*bmp, plot.right + 7, plot.top - 13), kWall);
  EXPECT_EQ(PixelOf(*bmp, plot.right + 7, plot.top - 16), fw::clWhite);
  EXPECT_EQ(PixelOf(*bmp, plot.right + 16, midY), fw::clWhite);
  // Without depth the left and bottom walls are not drawn.
  EXPECT_NE(PixelOf(*flat, flatPlot.left + 7, (flatPlot.top + flatPlot.bottom) / 2), fw::clLime);
}

TEST_F(ChartPixelTest, TheDepthViewGivesEachActiveSeriesItsSlotOfDepth) {
  TChart chart(nullptr);
  chart.Legend()->SetVisible(false);
  TLineSeries* lines[4];
  for (TLineSeries*& s : lines) {
    s = new TLineSeries(&chart);
    s->AddXY(0, 0);
    s->AddXY(1, 1);
    s->SetParentChart(&chart);
  }
  lines[1]->SetActive(false);
  TView3DSettings& view = chart.View3DOptions();
  view.Orthogonal = true;
  view.Depth = 31;
  chart.SetView3D(true);
  chart.CreateBitmap(fw::clWhite, TRect{0, 0, 300, 240}, fw::pf24bit);
  // Three active series in list order, front to back, sharing the 31 pixels without a gap.
  EXPECT_EQ(lines[0]->StartZ(), 0);
  EXPECT_EQ(lines[0]->EndZ(), 10);
  EXPECT_EQ(lines[2]->StartZ(), 10);
  EXPECT_EQ(lines[2]->EndZ(), 20);
  EXPECT_EQ(lines[3]->StartZ(), 20);
  EXPECT_EQ(lines[3]->EndZ(), 31);
  EXPECT_EQ(lines[3]->MiddleZ(), 25);
  // Back to flat: every series lies on the front plane again.
  chart.SetView3D(false);
  chart.CreateBitmap(fw::clWhite, TRect{0, 0, 300, 240}, fw::pf24bit);
  for (Integer i : {0, 2, 3}) {
    EXPECT_EQ(lines[i]->StartZ(), 0) << i;
    EXPECT_EQ(lines[i]->EndZ(), 0) << i;
  }
}

TEST_F(ChartPixelTest, ALineChartShowsItsAxisLinesGridAtTheLabelsAndItsLine) {
  TChart chart(nullptr);
  chart.SetColor(fw::clWhite);
  chart.BackWall()->SetColor(kWall);
  chart.Legend()->SetVisible(false);
  constexpr TColor kAxis = 0x202080, kGrid = 0x30A030, kLine = 0xA03030;
  for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) {
    axis->Axis()->SetColor(kAxis);
    axis->Grid()->SetStyle(fw::psSolid);
    axis->Grid()->SetColor(kGrid);
  }
  auto* line = new TLineSeries(&chart);
  line->SetSeriesColor(kLine);
  line->AddXY(0, 0);
  line->AddXY(10, 0);
  line->AddXY(10, 100);
  line->SetParentChart(&chart);
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  const TRect plot = chart.ChartRect();
  TChartAxis* bottom = chart.BottomAxis();
  TChartAxis* left = chart.LeftAxis();
  EXPECT_EQ(bottom->PosAxis(), plot.bottom);
  EXPECT_EQ(left->PosAxis(), plot.left);
  // The axis lines, between two grid lines so that nothing else lies on those pixels.
  ASSERT_GE(bottom->TickPositions().size(), 3u);
  ASSERT_GE(left->TickPositions().size(), 3u);
  const Integer betweenX = (bottom->TickPositions()[1] + bottom->TickPositions()[2]) / 2;
  const Integer betweenY = (left->TickPositions()[1] + left->TickPositions()[2]) / 2;
  EXPECT_EQ(PixelOf(*bmp, betweenX, plot.bottom), kAxis);
  EXPECT_EQ(PixelOf(*bmp, plot.left, betweenY), kAxis);
  // Grid lines at every label value but the ones on the plot's edges, across the wall.
  for (Integer x : bottom->TickPositions()) {
    if (x > plot.left && x < plot.right) {
      EXPECT_EQ(PixelOf(*bmp, x, betweenY), kGrid) << x;
    }
  }
  for (Integer y : left->TickPositions()) {
    if (y > plot.top && y < plot.bottom) {
      EXPECT_EQ(PixelOf(*bmp, betweenX, y), kGrid) << y;
    }
  }
  EXPECT_EQ(PixelOf(*bmp, betweenX + 1, betweenY), kWall);
  // The line: along the bottom it lies under the axis line; up the right side it is the plot's
  // right end column, over the grid.
  EXPECT_EQ(bottom->CalcPosValue(10), plot.right);
  EXPECT_EQ(PixelOf(*bmp, plot.right, betweenY), kLine);
  EXPECT_EQ(PixelOf(*bmp, plot.right + 1, betweenY), fw::clWhite);
  EXPECT_EQ(PixelOf(*bmp, plot.right - 1, betweenY), kWall);
}

TEST_F(ChartPixelTest, PartAtFindsAPointOfALineSeriesAndItsMark) {
  TChart chart(nullptr);
  TLineSeries* line = AddMarkedLine(chart);
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  TSelectorClickedPart p;
  const Integer x = chart.BottomAxis()->CalcPosValue(5), y = chart.LeftAxis()->CalcPosValue(80);
  chart.PartAt(fw::TPoint{x, y}, p);
  EXPECT_EQ(p.Part, cpSeries);
  EXPECT_EQ(p.Series, line);
  EXPECT_EQ(p.PointIndex, 1);
  const TSeriesMarkPosition* mark = line->Marks()->Positions().Position(2);
  ASSERT_NE(mark, nullptr);
  const win::RECT r = mark->Bounds();
  ASSERT_LT(r.left, r.right);
  chart.PartAt(fw::TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, p);
  EXPECT_EQ(p.Part, cpSeriesMarks);
  EXPECT_EQ(p.Series, line);
  EXPECT_EQ(p.PointIndex, 2);
}

TEST_F(ChartPixelTest, PartAtTakesAMarkBeforeThePointOrAxisUnderIt) {
  TChart chart(nullptr);
  TLineSeries* line = AddMarkedLine(chart);
  chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  const Integer px = chart.BottomAxis()->CalcPosValue(5), py = chart.LeftAxis()->CalcPosValue(80);
  const Integer axisX = chart.LeftAxis()->PosAxis(), midY = (chart.ChartRect().top + chart.ChartRect().bottom) / 2;
  // Point 0's mark dragged over point 1, point 2's over the left axis line.
  TSeriesMarkPosition over;
  over.Custom = true;
  over.Width = 20;
  over.Height = 12;
  over.LeftTop = win::POINT{px - 10, py - 6};
  line->Marks()->Positions().SetPosition(0, over);
  over.LeftTop = win::POINT{axisX - 10, midY - 6};
  line->Marks()->Positions().SetPosition(2, over);
  chart.CreateBitmap(fw::clWhite, TRect{0, 0, 400, 300}, fw::pf24bit);
  TSelectorClickedPart p;
  chart.PartAt(fw::TPoint{px, py}, p);
  EXPECT_EQ(p.Part, cpSeriesMarks);
  EXPECT_EQ(p.Series, line);
  EXPECT_EQ(p.PointIndex, 0);
  chart.PartAt(fw::TPoint{axisX, midY}, p);
  EXPECT_EQ(p.Part, cpSeriesMarks);
  EXPECT_EQ(p.PointIndex, 2);
  // Just outside the dragged box the axis is what lies there.
  chart.PartAt(fw::TPoint{axisX, midY + 7}, p);
  EXPECT_EQ(p.Part, cpAxis);
  EXPECT_EQ(p.Axis, chart.LeftAxis());
}

}  // namespace
