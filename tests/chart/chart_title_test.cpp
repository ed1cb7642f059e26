// Titles (lines, alignment, custom position, bounds) and the framed box every shape draws.
#include <gtest/gtest.h>

#include "chart/ChartElement.h"
#include "chart/ChartTitle.h"
#include "chart_Fixture.h"
#include "seriesdraw_support.h"

using namespace chart;
using charttest::PixelOf;

namespace {

class ChartTitleTest : public charttest::ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    bitmap.SetPixelFormat(fw::pf24bit);
    bitmap.SetSize(120, 80);
    bitmap.Canvas()->Brush()->SetColor(fw::clWhite);
    bitmap.Canvas()->FillRect(TRect{0, 0, 120, 80});
    canvas.SetReferenceCanvas(bitmap.Canvas());
  }
  fw::TBitmap bitmap;
  TPlotCanvas3D canvas;
};

TEST_F(ChartTitleTest, TextSplitsIntoLinesAtEveryKindOfLineBreak) {
  TChartTitle t(nullptr);
  EXPECT_TRUE(t.Lines().empty());
  t.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(t.Lines(), (std::vector<fw::String>{"one", "two", "three", "four"}));
  t.SetText("end\n");
  EXPECT_EQ(t.Lines(), (std::vector<fw::String>{"end", ""}));
  t.SetText("\n\nx");
  EXPECT_EQ(t.Lines(), (std::vector<fw::String>{"", "", "x"}));
}

TEST_F(ChartTitleTest, LayoutTakesTheRoomOfEveryLineAndAlignsTheBox) {
  TChartTitle t(nullptr);
  t.Font()->SetName("Korvalin Test");
  t.Font()->SetHeight(-13);
  t.SetText("abc\nx");  // widest line 21 pixels, two 13-pixel lines
  win::RECT r{0, 0, 120, 80};
  t.CalcRect(canvas, r);
  EXPECT_EQ(t.Bounds(), (win::RECT{45, 4, 74, 34}));
  EXPECT_EQ(r, (win::RECT{0, 34, 120, 80}));
  t.SetAlignment(tlaLeft);
  r = win::RECT{0, 0, 120, 80};
  t.CalcRect(canvas, r);
  EXPECT_EQ(t.Bounds(), (win::RECT{4, 4, 33, 34}));
  t.SetAlignment(tlaRight);
  t.SetIsFoot(true);
  r = win::RECT{0, 0, 120, 80};
  t.CalcRect(canvas, r);
  EXPECT_EQ(t.Bounds(), (win::RECT{87, 46, 116, 76}));
  EXPECT_EQ(r, (win::RECT{0, 0, 120, 46}));
}

TEST_F(ChartTitleTest, LinesAreDrawnOneUnderTheOtherAsAligned) {
  TChartTitle t(nullptr);
  drawtest::UseTestFont(t.Font(), fw::clRed);
  t.SetAlignment(tlaRight);
  t.SetText("abc\nx");
  win::RECT r{0, 0, 120, 80};
  t.CalcRect(canvas, r);
  t.Draw(canvas);
  // Box 87..115 x 4..33: "abc" from 91; "x" (7 pixels on) ends 4 pixels inside the right side,
  // so its glyph covers 105..110, on the second line's rows 19..28.
  EXPECT_EQ(PixelOf(bitmap, 91, 6), fw::clRed);
  EXPECT_EQ(PixelOf(bitmap, 90, 6), fw::clWhite);
  EXPECT_EQ(PixelOf(bitmap, 105, 19), fw::clRed);
  EXPECT_EQ(PixelOf(bitmap, 104, 19), fw::clWhite);
  EXPECT_EQ(PixelOf(bitmap, 110, 28), fw::clRed);
  EXPECT_EQ(PixelOf(bitmap, 111, 19), fw::clWhite);
  EXPECT_EQ(PixelOf(bitmap, 105, 18), fw::clWhite);
}

TEST_F(ChartTitleTest, HiddenOrEmptyTitlesTakeNoRoomAndAreNotClicked) {
  TChartTitle t(nullptr);
  t.SetText("x");
  win::RECT r{0, 0, 120, 80};
  t.CalcRect(canvas, r);
  ASSERT_TRUE(t.Clicked(t.Bounds().left, t.Bounds().top));
  EXPECT_FALSE(t.Clicked(t.Bounds().right, t.Bounds().top));
  t.SetVisible(false);
  r = win::RECT{0, 0, 120, 80};
  t.CalcRect(canvas, r);
  EXPECT_EQ(r, (win::RECT{0, 0, 120, 80}));
  EXPECT_EQ(t.Bounds(), (win::RECT{}));
  EXPECT_FALSE(t.Clicked(0, 0));
  t.SetVisible(true);
  t.SetText("");
  t.CalcRect(canvas, r);
  EXPECT_EQ(r, (win::RECT{0, 0, 120, 80}));
}

TEST_F(ChartTitleTest, SettingLeftOrTopHoldsTheBoxThereAndLeavesTheChartItsRoom) {
  TChart chart(nullptr);
  TChartTitle* t = chart.Title();
  t->Font()->SetName("Korvalin Test");
  t->Font()->SetHeight(-13);
  t->SetText("ab");
  auto bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 300, 200}, fw::pf24bit);
  const Integer topBefore = chart.ChartRect().top;
  EXPECT_FALSE(t->CustomPosition());
  t->SetLeft(30);
  EXPECT_TRUE(t->CustomPosition());
  EXPECT_EQ(t->Left(), 30);
  t->SetTop(150);
  // The chart repaints at once when asked: the canvas is stale.
  EXPECT_TRUE(chart.Canvas()->Dirty());
  bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 300, 200}, fw::pf24bit);
  EXPECT_EQ(t->Bounds(), (win::RECT{30, 150, 52, 167}));
  EXPECT_LT(chart.ChartRect().top, topBefore);
  TSelectorClickedPart p;
  chart.PartAt(fw::TPoint{31, 151}, p);
  EXPECT_EQ(p.Part, cpTitle);
  t->SetCustomPosition(false);
  bmp = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 300, 200}, fw::pf24bit);
  EXPECT_EQ(chart.ChartRect().top, topBefore);
}

TEST_F(ChartTitleTest, AShapeDrawsItsShadowFillAndFrame) {
  TChartTitle shape(nullptr);
  shape.SetTransparent(false);
  shape.SetColor(fw::clRed);
  shape.Frame()->SetVisible(true);
  shape.Frame()->SetColor(fw::clBlue);
  shape.Shadow()->Color = fw::clGray;
  shape.Shadow()->HorizSize = 3;
  shape.Shadow()->VertSize = 2;
  shape.DrawShape(canvas, win::RECT{10, 10, 50, 30});
  EXPECT_EQ(PixelOf(bitmap, 11, 11), fw::clRed);
  EXPECT_EQ(PixelOf(bitmap, 48, 28), fw::clRed);
  EXPECT_EQ(PixelOf(bitmap, 10, 10), fw::clBlue);  // the frame on the box's edge pixels
  EXPECT_EQ(PixelOf(bitmap, 49, 29), fw::clBlue);
  EXPECT_EQ(PixelOf(bitmap, 9, 20), fw::clWhite);
  // The shadow: the box moved 3 right and 2 down, under it.
  EXPECT_EQ(PixelOf(bitmap, 52, 31), fw::clGray);
  EXPECT_EQ(PixelOf(bitmap, 13, 31), fw::clGray);
  EXPECT_EQ(PixelOf(bitmap, 53, 31), fw::clWhite);
  EXPECT_EQ(PixelOf(bitmap, 52, 32), fw::clWhite);
  EXPECT_EQ(PixelOf(bitmap, 12, 31), fw::clWhite);
  // Transparent: only the frame, no fill and no shadow.
  shape.SetTransparent(true);
  shape.DrawShape(canvas, win::RECT{60, 40, 100, 60});
  EXPECT_EQ(PixelOf(bitmap, 70, 50), fw::clWhite);
  EXPECT_EQ(PixelOf(bitmap, 101, 61), fw::clWhite);
  EXPECT_EQ(PixelOf(bitmap, 60, 50), fw::clBlue);
}

TEST_F(ChartTitleTest, TransparencyLetsThePictureBeneathShowThrough) {
  TChartTitle shape(nullptr);
  shape.SetTransparent(false);
  shape.SetColor(fw::clBlack);
  shape.Frame()->SetVisible(false);
  shape.SetTransparency(150);
  EXPECT_EQ(shape.Transparency(), 100);
  shape.DrawShape(canvas, win::RECT{10, 10, 50, 30});
  EXPECT_EQ(PixelOf(bitmap, 20, 20), fw::clWhite);
  shape.SetTransparency(50);
  shape.DrawShape(canvas, win::RECT{10, 10, 50, 30});
  const int red = PixelOf(bitmap, 20, 20) & 0xFF;
  EXPECT_NEAR(red, 128, 2);
  shape.SetTransparency(0);
  shape.DrawShape(canvas, win::RECT{10, 10, 50, 30});
  EXPECT_EQ(PixelOf(bitmap, 20, 20), fw::clBlack);
  // Nothing for an empty box.
  shape.SetColor(fw::clLime);
  shape.DrawShape(canvas, win::RECT{60, 60, 60, 70});
  EXPECT_EQ(PixelOf(bitmap, 60, 65), fw::clWhite);
}

TEST_F(ChartTitleTest, WallsFillAndFrameAndIgnoreNegativeSizes) {
  TChartWall wall(nullptr);
  wall.SetColor(fw::clAqua);
  wall.Pen()->SetColor(fw::clNavy);
  wall.DrawWall(canvas, win::RECT{5, 5, 25, 15});
  EXPECT_EQ(PixelOf(bitmap, 10, 10), fw::clAqua);
  EXPECT_EQ(PixelOf(bitmap, 5, 5), fw::clNavy);
  EXPECT_EQ(PixelOf(bitmap, 24, 14), fw::clNavy);
  wall.SetTransparent(true);
  wall.Pen()->SetVisible(false);
  wall.SetColor(fw::clRed);
  wall.DrawWall(canvas, win::RECT{5, 5, 25, 15});
  EXPECT_EQ(PixelOf(bitmap, 10, 10), fw::clAqua);
  wall.SetSize(-4);
  EXPECT_EQ(wall.Size(), 0);
}

}  // namespace
