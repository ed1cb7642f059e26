// Series marks: the text of every style, where a mark is drawn and stored, the hit test, custom
// positions surviving a redraw (and flagged in the series' data flags), and Assign.

#include <gtest/gtest.h>

#include <limits>

#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesMarks.h"
#include "chart_TestSupport.h"
#include "seriesdraw_support.h"

namespace {

using chart::TSeriesMarks;
using drawtest::DrawSurface;
using drawtest::RecordingCanvas;

struct MarksOnSeries : ::testing::Test {
  MarksOnSeries() : surface(200, 150), series(nullptr), horiz(true), vert(false) {
    horiz.SetMinMax(0, 4);
    vert.SetMinMax(0, 100);
    const win::RECT plot{20, 40, 180, 140};
    horiz.SetPlotRect(plot);
    vert.SetPlotRect(plot);
    series.SetHorizAxis(&horiz);
    series.SetVertAxis(&vert);
    series.AddXY(1, 10, "a");
    series.AddXY(2, 30);
    series.AddXY(3, 60, "c");
    marks = series.Marks();
    drawtest::UseTestFont(marks->Font());
    canvas.SetReferenceCanvas(surface.bitmap.Canvas());
    recorder.SetReferenceCanvas(surface.bitmap.Canvas());
  }
  charttest::PlainNumberFormat format;
  DrawSurface surface;
  chart::TLineSeries series;
  chart::TChartAxis horiz, vert;
  TSeriesMarks* marks;
  chart::TPlotCanvas3D canvas;
  RecordingCanvas recorder;
};

TEST_F(MarksOnSeries, TextOfEveryStyle) {
  struct Case {
    chart::TSeriesMarksStyle style;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {chart::smsValue, "10", "30"},
      {chart::smsPercent, "10 %", "30 %"},
      {chart::smsLabel, "a", "30"},
      {chart::smsLabelPercent, "a 10 %", "30 %"},
      {chart::smsLabelValue, "a 10", "30"},
      {chart::smsLegend, "a", "30"},
      {chart::smsPercentTotal, "10 % of 100", "30 % of 100"},
      {chart::smsLabelPercentTotal, "a 10 % of 100", "30 % of 100"},
      {chart::smsXValue, "1", "2"},
      {chart::smsXY, "1 10", "2 30"},
  };
  for (const Case& c : cases) {
    marks->SetStyle(c.style);
    EXPECT_EQ(series.MarkText(0), c.first) << c.style;
    EXPECT_EQ(series.MarkText(1), c.second) << c.style;
  }
  EXPECT_EQ(series.MarkText(-1), "");
  EXPECT_EQ(series.MarkText(3), "");
  series.SetValueFormat("0.00");
  marks->SetStyle(chart::smsXY);
  EXPECT_EQ(series.MarkText(2), "3.00 60.00") << "the series' value format";
}

TEST_F(MarksOnSeries, HiddenMarksDrawNothingAndHitNothing) {
  series.DrawAllValues(recorder);
  recorder.calls.clear();
  series.DrawMarks(recorder);
  EXPECT_TRUE(recorder.calls.empty());
  EXPECT_EQ(marks->Clicked(60, 80), -1);
}

TEST_F(MarksOnSeries, MarksSitAboveTheirPointsAndAreHit) {
  marks->SetVisible(true);
  marks->SetStyle(chart::smsValue);
  series.LinePen()->SetVisible(false);
  series.DrawAllValues(canvas);
  series.DrawMarks(canvas);
  // Point 1 (2, 30) is at pixel (100, 110); "30" is 14 wide: box 18 x 15, arrow 8 long.
  const chart::TSeriesMarkPosition* p = marks->Positions().Position(1);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->ArrowFrom.x, 100);
  EXPECT_EQ(p->ArrowFrom.y, 110);
  EXPECT_EQ(p->ArrowTo.y, 102);
  EXPECT_EQ(p->Width, 18);
  EXPECT_EQ(p->Height, 15);
  EXPECT_EQ(p->LeftTop.x, 91);
  EXPECT_EQ(p->LeftTop.y, 87);
  EXPECT_FALSE(p->Custom);
  // Frame, fill, text and arrow pixels.
  EXPECT_EQ(surface.At(91, 87), fw::clBlack);
  EXPECT_EQ(surface.At(108, 101), fw::clBlack);
  EXPECT_EQ(surface.At(109, 95), fw::clWhite);
  EXPECT_EQ(surface.At(92, 98), fw::TColor(0x80FFFF)) << "the fill below the text";
  EXPECT_EQ(surface.At(93, 88), fw::clBlack) << "the text at the margins";
  EXPECT_EQ(surface.At(100, 106), fw::clGray) << "the arrow";
  EXPECT_EQ(surface.At(100, 110), fw::clGray) << "the arrow starts at the point";
  EXPECT_EQ(surface.At(100, 102), fw::clWhite) << "the arrow's last pixel is left out";

  EXPECT_EQ(marks->Clicked(91, 87), 1);
  EXPECT_EQ(marks->Clicked(108, 101), 1);
  EXPECT_EQ(marks->Clicked(109, 101), -1);
  EXPECT_EQ(marks->Clicked(100, 106), -1) << "the arrow is not the mark";
  ASSERT_NE(marks->Positions().Position(0), nullptr);
  EXPECT_EQ(marks->Clicked(60, 125), -1);
  marks->SetVisible(false);
  EXPECT_EQ(marks->Clicked(91, 87), -1);
}

TEST_F(MarksOnSeries, ARecordingCanvasGetsTheMarksTextAndShapes) {
  marks->SetVisible(true);
  marks->SetStyle(chart::smsXY);
  series.DrawAllValues(recorder);
  recorder.calls.clear();
  series.DrawMarks(recorder);
  EXPECT_EQ(surface.CountNotWhite(), 0);
  const auto texts = recorder.Of("TextOut");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "1 10");
  EXPECT_EQ(texts[2].text, "3 60");
  EXPECT_EQ(recorder.Of("Rectangle").size(), 3u);
  EXPECT_EQ(recorder.Of("Line").size(), 3u);
}

TEST_F(MarksOnSeries, NullAndNonFinitePointsHaveNoMark) {
  marks->SetVisible(true);
  series.SetPointColor(0, chart::clNullPoint);
  series.SetPointY(2, std::numeric_limits<double>::quiet_NaN());
  series.DrawAllValues(recorder);
  series.DrawMarks(recorder);
  EXPECT_EQ(marks->Positions().Position(0), nullptr);
  EXPECT_NE(marks->Positions().Position(1), nullptr);
  EXPECT_EQ(marks->Positions().Position(2), nullptr);
}

TEST_F(MarksOnSeries, CustomPositionsSurviveRedrawsAndFlagTheSeries) {
  marks->SetVisible(true);
  series.DrawAllValues(recorder);
  series.DrawMarks(recorder);
  EXPECT_EQ(chart::SeriesDataFlags(&series) & 8, 0);
  chart::TSeriesMarkPosition* p = marks->Positions().Position(2);
  ASSERT_NE(p, nullptr);
  p->Custom = true;
  p->LeftTop = win::POINT{5, 6};
  p->ArrowTo = win::POINT{10, 21};
  EXPECT_EQ(chart::SeriesDataFlags(&series) & 8, 8);

  vert.SetMinMax(0, 200);  // the points move
  series.DrawAllValues(recorder);
  series.DrawMarks(recorder);
  p = marks->Positions().Position(2);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->LeftTop.x, 5);
  EXPECT_EQ(p->LeftTop.y, 6);
  EXPECT_EQ(p->ArrowFrom.y, series.CalcYPos(2)) << "the arrow still starts at the point";
  EXPECT_EQ(marks->Clicked(6, 7), 2);
  const chart::TSeriesMarkPosition* automatic = marks->Positions().Position(1);
  ASSERT_NE(automatic, nullptr);
  EXPECT_EQ(automatic->ArrowFrom.y, series.CalcYPos(1)) << "the others follow their points";

  marks->Positions().ClearAutomatic();
  EXPECT_EQ(marks->Positions().Position(1), nullptr);
  EXPECT_NE(marks->Positions().Position(2), nullptr);
  EXPECT_EQ(marks->Positions().SetPosition(-1, {}), nullptr);
}

TEST_F(MarksOnSeries, AssignCopiesTheMarksSettings) {
  chart::TLineSeries other(nullptr);
  TSeriesMarks* m = other.Marks();
  m->SetVisible(true);
  m->SetStyle(chart::smsXY);
  m->SetColor(fw::clAqua);
  m->SetTransparent(true);
  m->SetArrowLength(20);
  m->Frame()->SetColor(fw::clRed);
  m->Arrow()->SetWidth(2);
  m->Font()->SetHeight(-20);
  marks->Assign(m);
  EXPECT_TRUE(marks->Visible());
  EXPECT_EQ(marks->Style(), chart::smsXY);
  EXPECT_EQ(marks->Color(), fw::clAqua);
  EXPECT_TRUE(marks->Transparent());
  EXPECT_EQ(marks->ArrowLength(), 20);
  EXPECT_EQ(marks->Frame()->Color(), fw::clRed);
  EXPECT_EQ(marks->Arrow()->Width(), 2);
  EXPECT_EQ(marks->Font()->Height(), -20);
  marks->SetArrowLength(-4);
  EXPECT_EQ(marks->ArrowLength(), 0);
}

}  // namespace
