// The chart panel: installing canvases, pictures of the chart, print margins, empty sizes.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "chart_Fixture.h"

using namespace chart;
using charttest::PixelOf;

namespace {

// A canvas that tells when it is freed, and may call itself non-GDI.
class WatchedCanvas : public TPlotCanvas3D {
 public:
  WatchedCanvas(bool* Freed, bool NonGdi = false) : freed(Freed), nonGdi(NonGdi) {}
  ~WatchedCanvas() override {
    if (freed) *freed = true;
  }
  bool NonGDICanvas() const override { return nonGdi; }
  void FillRect(const TRect& R) override {
    ++fills;
    TPlotCanvas3D::FillRect(R);
  }
  bool* freed;
  bool nonGdi;
  int fills = 0;
};

using ChartPanelTest = charttest::ChartTest;

TEST_F(ChartPanelTest, InstallingACanvasCopiesTheSettingsAndFreesTheOldOne) {
  TChart chart(nullptr);
  bool firstFreed = false, secondFreed = false;
  ASSERT_EQ(chart.SetCanvas(std::make_unique<WatchedCanvas>(&firstFreed)), nullptr);
  TPlotCanvas3D* first = chart.Canvas();
  first->Pen()->SetColor(fw::clRed);
  first->Font()->SetName("Korvalin Test");
  first->View().Rotation = 300;

  EXPECT_EQ(chart.SetCanvas(std::make_unique<WatchedCanvas>(&secondFreed)), nullptr);
  EXPECT_TRUE(firstFreed);
  ASSERT_NE(chart.Canvas(), first);
  EXPECT_EQ(chart.Canvas()->Pen()->Color(), fw::clRed);
  EXPECT_EQ(chart.Canvas()->Font()->Name(), "Korvalin Test");
  EXPECT_EQ(chart.Canvas()->View().Rotation, 300);
  EXPECT_EQ(chart.Canvas()->ReferenceCanvas(), chart.fw::TCustomControl::Canvas());
  EXPECT_FALSE(secondFreed);
}

TEST_F(ChartPanelTest, TakingTheCanvasOutKeepsItAliveAndPuttingItBackFreesTheStandIn) {
  TChart chart(nullptr);
  bool ownFreed = false, standInFreed = false;
  chart.SetCanvas(std::make_unique<WatchedCanvas>(&ownFreed));
  chart.Canvas()->Brush()->SetColor(fw::clLime);

  std::unique_ptr<TPlotCanvas3D> own = chart.SetCanvas(nullptr);
  ASSERT_NE(own, nullptr);
  EXPECT_FALSE(ownFreed);
  EXPECT_EQ(chart.Canvas(), nullptr);
  // Without a canvas the chart draws nothing and does not fail.
  fw::TBitmap bitmap;
  bitmap.SetSize(50, 40);
  chart.Draw(*bitmap.Canvas(), TRect{0, 0, 50, 40});

  // A stand-in (as a picture export installs one) takes the settings of the one taken out.
  chart.SetCanvas(std::make_unique<WatchedCanvas>(&standInFreed));
  chart.Canvas()->AssignSettings(own.get());
  EXPECT_EQ(chart.Canvas()->Brush()->Color(), fw::clLime);
  chart.Canvas()->Brush()->SetColor(fw::clYellow);

  TPlotCanvas3D* raw = own.get();
  chart.SetCanvas(std::move(own));
  EXPECT_TRUE(standInFreed);
  EXPECT_FALSE(ownFreed);
  EXPECT_EQ(chart.Canvas(), raw);
  EXPECT_EQ(chart.Canvas()->Brush()->Color(), fw::clYellow);
}

TEST_F(ChartPanelTest, CreateBitmapIs24BitsOnANonGdiCanvasAndTheAskedFormatOtherwise) {
  TChart chart(nullptr);
  auto plain = chart.CreateBitmap(fw::clWhite, TRect{0, 0, 60, 40}, fw::pf32bit);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->PixelFormat(), fw::pf32bit);
  EXPECT_EQ(plain->Width(), 60);
  EXPECT_EQ(plain->Height(), 40);

  chart.SetCanvas(std::make_unique<WatchedCanvas>(nullptr, true));
  auto other = chart.CreateBitmap(fw::clWhite, TRect{10, 10, 70, 50}, fw::pf8bit);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->PixelFormat(), fw::pf24bit);
  EXPECT_EQ(other->Width(), 60);
}

TEST_F(ChartPanelTest, CreateBitmapPaintsTheBackColourAndKeepsBufferedDisplay) {
  TChart chart(nullptr);
  chart.SetColor(fw::clBlue);
  ASSERT_TRUE(chart.BufferedDisplay());
  auto bitmap = chart.CreateBitmap(fw::clRed, TRect{0, 0, 120, 90}, fw::pf24bit);
  ASSERT_NE(bitmap, nullptr);
  // The panel's background outside the plot rectangle is the given colour, not the panel's.
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), fw::clRed);
  EXPECT_EQ(PixelOf(*bitmap, 119, 89), fw::clRed);
  EXPECT_TRUE(chart.BufferedDisplay());
  EXPECT_EQ(chart.Color(), fw::clBlue);
}

TEST_F(ChartPanelTest, AbsurdAndEmptyPictureSizesFailCleanly) {
  TChart chart(nullptr);
  std::vector<std::string> log;
  auto* tool = new charttest::RecordingTool(&chart, &log, "t");
  tool->SetParentChart(&chart);
  EXPECT_EQ(chart.CreateBitmap(fw::clWhite, TRect{0, 0, 100000, 100000}, fw::pf24bit), nullptr);
  EXPECT_EQ(chart.CreateBitmap(fw::clWhite, TRect{10, 0, 0, 10}, fw::pf24bit), nullptr);
  auto empty = chart.CreateBitmap(fw::clWhite, TRect{5, 5, 5, 30}, fw::pf24bit);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->Width(), 0);
  // A zero-size chart draws nothing: no tool hears a paint.
  fw::TBitmap target;
  target.SetSize(10, 10);
  chart.Draw(*target.Canvas(), TRect{3, 3, 3, 9});
  chart.Draw(*target.Canvas(), TRect{3, 3, 9, 3});
  EXPECT_TRUE(log.empty());
}

TEST_F(ChartPanelTest, ATinyChartStillDrawsWithoutFailing) {
  TChart chart(nullptr);
  chart.Title()->SetText("A title much wider than the chart");
  auto* s = new charttest::SquareSeries(&chart);
  s->AddXY(0, 0);
  s->AddXY(1, std::nan(""));
  s->AddXY(2, 1e308);
  s->SetParentChart(&chart);
  auto* line = new TLineSeries(&chart);
  for (double y : {1.0, std::nan(""), HUGE_VAL, -HUGE_VAL, 2.0}) line->AddXY(line->Count(), y);
  line->AddXY(std::nan(""), 3);
  line->SetParentChart(&chart);
  for (int size : {1, 2, 5, 15, 30, 200}) {
    auto bitmap = chart.CreateBitmap(fw::clWhite, TRect{0, 0, size, size}, fw::pf24bit);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_GE(chart.ChartRect().right, chart.ChartRect().left);
    EXPECT_GE(chart.ChartRect().bottom, chart.ChartRect().top);
  }
}

TEST_F(ChartPanelTest, ThePanelGradientReplacesTheBackgroundColour) {
  TChart chart(nullptr);
  chart.Legend()->SetVisible(false);
  chart.Gradient()->Visible = true;
  chart.Gradient()->StartColor = fw::clLime;
  chart.Gradient()->EndColor = fw::clLime;
  auto bitmap = chart.CreateBitmap(fw::clRed, TRect{0, 0, 120, 90}, fw::pf24bit);
  EXPECT_EQ(PixelOf(*bitmap, 0, 0), fw::clLime);
  EXPECT_EQ(PixelOf(*bitmap, 119, 89), fw::clLime);
  chart.Gradient()->Visible = false;
  bitmap = chart.CreateBitmap(fw::clRed, TRect{0, 0, 120, 90}, fw::pf24bit);
  EXPECT_EQ(PixelOf(*bitmap, 119, 89), fw::clRed);
}

TEST_F(ChartPanelTest, PrintRectangleFollowsTheMarginPercents) {
  TChart chart(nullptr);
  chart.SetPrintProportional(false);
  chart.SetPrintMargins(TRect{10, 20, 5, 15});
  EXPECT_EQ(chart.ChartPrintRect(2000, 1000), (TRect{200, 200, 1900, 850}));
  // Rounded to the nearest pixel.
  EXPECT_EQ(chart.ChartPrintRect(1005, 333), (TRect{101, 67, 955, 283}));
  EXPECT_EQ(chart.ChartPrintRect(0, 0), (TRect{0, 0, 0, 0}));
  // Margins stay within the page and leave at least one percent of it.
  chart.SetPrintMargins(TRect{-5, 120, 70, 50});
  EXPECT_EQ(chart.PrintMargins(), (TRect{0, 99, 70, 0}));
  chart.SetPrintMargins(TRect{60, 10, 60, 10});
  EXPECT_EQ(chart.PrintMargins().left + chart.PrintMargins().right, 99);
  chart.SetPrintResolution(500);
  EXPECT_EQ(chart.PrintResolution(), 100);
  chart.SetPrintResolution(-101);
  EXPECT_EQ(chart.PrintResolution(), -100);
}

TEST_F(ChartPanelTest, ProportionalMarginsKeepTheChartsShapeCentredOnThePage) {
  TChart chart(nullptr);
  chart.SetBounds(0, 0, 400, 200);  // 2 : 1
  chart.SetPrintMargins(TRect{3, 40, 25, 1});  // not what proportional margins start from
  // A square page: the room inside 10 percent on every side is 800 x 800, the chart takes
  // 800 x 400, centred vertically.
  const TRect m = chart.CalcProportionalMargins(1000, 1000);
  EXPECT_EQ(m.left, 10);
  EXPECT_EQ(m.right, 10);
  EXPECT_EQ(m.top, 30);
  EXPECT_EQ(m.bottom, 30);
  chart.SetPrintProportional(true);
  const TRect r = chart.ChartPrintRect(1000, 1000);
  EXPECT_EQ(r, (TRect{100, 300, 900, 700}));
  EXPECT_EQ((r.right - r.left), 2 * (r.bottom - r.top));
  // Again on the same page, or back after turning the page: the same.
  EXPECT_EQ(chart.ChartPrintRect(1000, 1000), r);
  const TRect landscape = chart.CalcProportionalMargins(3000, 1000);
  EXPECT_EQ(landscape, (TRect{23, 10, 23, 10}));  // height binds: 800 high, 1600 of 3000 wide
  chart.SetPrintMargins(landscape);
  EXPECT_EQ(chart.CalcProportionalMargins(1000, 1000), m);
}

TEST_F(ChartPanelTest, PrintPartialDrawsIntoTheGivenRectangleMarkedAsPrinting) {
  TChart chart(nullptr);
  chart.SetColor(fw::clYellow);
  bool printingSeen = false;
  chart.OnAfterDraw = [&](fw::TObject*) { printingSeen = chart.Printing(); };
  fw::TBitmap page;
  page.SetPixelFormat(fw::pf24bit);
  page.SetSize(300, 200);
  page.Canvas()->Brush()->SetColor(fw::clWhite);
  page.Canvas()->FillRect(TRect{0, 0, 300, 200});
  chart.PrintPartial(*page.Canvas(), TRect{100, 50, 250, 150});
  EXPECT_TRUE(printingSeen);
  EXPECT_FALSE(chart.Printing());
  EXPECT_EQ(PixelOf(page, 100, 50), fw::clYellow);
  EXPECT_EQ(PixelOf(page, 249, 149), fw::clYellow);
  EXPECT_EQ(PixelOf(page, 99, 50), fw::clWhite);
  EXPECT_EQ(PixelOf(page, 250, 149), fw::clWhite);
  EXPECT_EQ(PixelOf(page, 100, 150), fw::clWhite);
}

}  // namespace
