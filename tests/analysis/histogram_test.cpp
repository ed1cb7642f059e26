#include <gtest/gtest.h>

#include <vector>

#include "analysis/PlotHistogram.h"
#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "framework/GraphicsBitmap.h"
#include "chart/seriesdraw_support.h"

using namespace analysis;
using drawtest::Call;
using drawtest::RecordingCanvas;
using fw::TPoint;

namespace {

// Four bars at 12.5, 37.5, 62.5, 87.5 of axes 0 .. 100 over the pixels 10 .. 110: slots of 25 pixels.
template <typename TSeries>
struct HistogramFixture : ::testing::Test {
  HistogramFixture() : surface(160, 120), series(nullptr), horiz(true), vert(false) {
    horiz.SetMinMax(0, 100);
    vert.SetMinMax(0, 100);
    horiz.SetPlotRect(win::RECT{10, 10, 110, 110});
    vert.SetPlotRect(win::RECT{10, 10, 110, 110});
    series.SetHorizAxis(&horiz);
    series.SetVertAxis(&vert);
    recorder.SetReferenceCanvas(surface.bitmap.Canvas());
    const double positions[] = {12.5, 37.5, 62.5, 87.5}, values[] = {50, 80, 30, 60};
    for (int i = 0; i < 4; ++i)
      if (series.YMandatory())
        series.AddXY(positions[i], values[i]);
      else
        series.AddXY(values[i], positions[i]);
  }
  int X(double V) const { return horiz.CalcPosValue(V); }
  int Y(double V) const { return vert.CalcPosValue(V); }
  drawtest::DrawSurface surface;
  TSeries series;
  chart::TChartAxis horiz, vert;
  RecordingCanvas recorder;
};

using Histogram = HistogramFixture<THistogramSeries>;
using HorizHistogram = HistogramFixture<THorizHistogramSeries>;

}  // namespace

TEST_F(Histogram, BarsSkylineAndSeparators) {
  series.LinesPen()->SetVisible(true);
  series.DrawAllValues(recorder);
  const int half = 12;
  const std::vector<Call> outline = recorder.Of("Polyline");
  ASSERT_EQ(outline.size(), 1u);
  const int base = Y(0);
  const std::vector<TPoint> want = {
      {X(12.5) - half, base},    {X(12.5) - half, Y(50)}, {X(12.5) + half, Y(50)},  // the first bar, centred
      {X(12.5) + half, Y(50)},   {X(12.5) + half, Y(80)}, {X(37.5) + half, Y(80)},
      {X(37.5) + half, Y(80)},   {X(37.5) + half, Y(30)}, {X(62.5) + half, Y(30)},
      {X(62.5) + half, Y(30)},   {X(62.5) + half, Y(60)}, {X(87.5) + half, Y(60)},
      {X(87.5) + half, base}};
  EXPECT_EQ(outline[0].points, want);
  // Separators at the left edges of bars 2 .. 4, up to the lower neighbouring top.
  const std::vector<Call> lines = recorder.Of("Line");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{X(12.5) + half, base}, {X(12.5) + half, Y(50)}}));
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{X(37.5) + half, base}, {X(37.5) + half, Y(30)}}));
  EXPECT_EQ(series.PointAt(X(37.5), Y(70)), 1);
  EXPECT_EQ(series.PointAt(X(62.5), Y(40)), -1) << "above the third bar";
  EXPECT_EQ(series.PointAt(X(12.5) - half, Y(1)), 0);
}

TEST_F(HorizHistogram, BarsAlongTheVerticalAxis) {
  series.DrawAllValues(recorder);
  Integer base;
  const auto bars = series.CalcBars(base);
  ASSERT_EQ(bars.size(), 4u);
  EXPECT_EQ(base, X(0));
  EXPECT_EQ(bars[0].Low, Y(12.5) + 12);
  EXPECT_EQ(bars[0].High, Y(12.5) - 12);
  EXPECT_EQ(bars[1].Low, bars[0].High);
  EXPECT_EQ(bars[1].Top, X(80));
  EXPECT_EQ(series.PointAt(X(70), Y(37.5)), 1);
}

// On a chart: the slot follows the points shown or the chart's fixed points per page, and the
// automatic horizontal axis makes room for half a slot and the pen on each side.
TEST(HistogramOnAChart, SlotsFromPointsShownOrPerPageAndAxisMargins) {
  struct Case {
    int Points, PerPage;
  };
  for (const Case c : {Case{4, 0}, Case{8, 0}, Case{4, 8}, Case{4, 2}, Case{3, 100}, Case{1, 0}}) {
    chart::TChart chart(nullptr);
    chart.SetBounds(0, 0, 400, 300);
    chart.SetMaxPointsPerPage(c.PerPage);
    auto* series = new THistogramSeries(&chart);
    series->SetParentChart(&chart);
    for (int i = 0; i < c.Points; ++i) series->AddXY(10 + 10 * i, 1 + i % 3);
    const std::unique_ptr<fw::TBitmap> picture = chart.CreateBitmap(fw::clWhite, win::RECT{0, 0, 400, 300}, fw::pf24bit);
    const chart::TChartAxis& axis = *series->HorizAxis();
    const int slots = c.PerPage > 0 ? c.PerPage : c.Points;
    const int half = std::abs(axis.IAxisSize()) / slots / 2;
    Integer base = 0;
    const std::vector<THistogramSeries::TBar> bars = series->CalcBars(base);
    ASSERT_EQ(int(bars.size()), c.Points);
    const std::string where = std::to_string(c.Points) + " points, " + std::to_string(c.PerPage) + " per page";
    // The first bar centred on its X; each further bar from the previous edge to half a slot past
    // its X.
    EXPECT_EQ(bars[0].Low, series->CalcXPos(0) - half) << where;
    for (int i = 0; i < c.Points; ++i) {
      EXPECT_EQ(bars[std::size_t(i)].High, series->CalcXPos(i) + half) << where;
      if (i > 0) {
        EXPECT_EQ(bars[std::size_t(i)].Low, bars[std::size_t(i - 1)].High) << where;
      }
    }
    // The outer bar edges (and the pen) stay inside the axis.
    const int margin = half + series->LinePen()->Width();
    if (c.Points > 1) {
      EXPECT_NEAR(series->CalcXPos(0), axis.IStartPos() + margin, 1) << where;
      EXPECT_NEAR(series->CalcXPos(c.Points - 1), axis.IEndPos() - margin, 1) << where;
    }
  }
}

TEST(HistogramOnAChart, NegativePointsPerPageCountAsNone) {
  chart::TChart chart(nullptr);
  chart.SetMaxPointsPerPage(-3);
  EXPECT_EQ(chart.MaxPointsPerPage(), 0);
}
