// The gallery's variants of the financial and histogram series, the candle preview, the random
// samples and the 3D candle body.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "analysis/PlotFinancial.h"
#include "analysis/PlotHistogram.h"
#include "chart/PlotAxis.h"
#include "chart/SeriesPointer.h"
#include "chart/seriesdraw_support.h"

using namespace analysis;

namespace {

struct SubStyleCase {
  std::function<chart::TChartSeries*(fw::TComponent*)> Make;
  const char* Name;
  std::function<bool(chart::TChartSeries&)> Applied;  // the variant's settings, after applying it
};

TCandleSeries& Candle(chart::TChartSeries& S) { return dynamic_cast<TCandleSeries&>(S); }
TVolumeSeries& Volume(chart::TChartSeries& S) { return dynamic_cast<TVolumeSeries&>(S); }
THistogramSeries& AsHistogram(chart::TChartSeries& S) { return dynamic_cast<THistogramSeries&>(S); }

TEST(GallerySubStyles, EachVariantInOrderAndItsSettings) {
  auto candle = [](fw::TComponent* O) -> chart::TChartSeries* { return new TCandleSeries(O); };
  auto volume = [](fw::TComponent* O) -> chart::TChartSeries* { return new TVolumeSeries(O); };
  auto histogram = [](fw::TComponent* O) -> chart::TChartSeries* { return new THistogramSeries(O); };
  const std::vector<SubStyleCase> cases = {
      {candle, "Bar",
       [](auto& S) { return Candle(S).CandleStyle() == csCandleBar && Candle(S).ShowOpenTick() && Candle(S).ShowCloseTick(); }},
      {candle, "No Open",
       [](auto& S) { return Candle(S).CandleStyle() == csCandleBar && !Candle(S).ShowOpenTick() && Candle(S).ShowCloseTick(); }},
      {candle, "No Close",
       [](auto& S) { return Candle(S).CandleStyle() == csCandleBar && Candle(S).ShowOpenTick() && !Candle(S).ShowCloseTick(); }},
      {candle, "No Border",
       [](auto& S) { return Candle(S).CandleStyle() == csCandleStick && !Candle(S).Pointer()->Pen()->Visible(); }},
      {candle, "Line", [](auto& S) { return Candle(S).CandleStyle() == csLine && !Candle(S).Pointer()->Visible(); }},
      {volume, "Dotted", [](auto& S) { return Volume(S).LinePen()->SmallDots() && !Volume(S).ColorEachPoint(); }},
      {volume, "Colors", [](auto& S) { return Volume(S).ColorEachPoint() && !Volume(S).UseYOrigin(); }},
      {volume, "Origin", [](auto& S) { return Volume(S).UseYOrigin() && !Volume(S).LinePen()->SmallDots(); }},
      {histogram, "Hollow", [](auto& S) { return AsHistogram(S).Brush()->Style() == fw::bsClear; }},
      {histogram, "No Border",
       [](auto& S) { return !AsHistogram(S).LinePen()->Visible() && AsHistogram(S).Brush()->Style() != fw::bsClear; }},
      {histogram, "Lines", [](auto& S) { return AsHistogram(S).LinesPen()->Visible() && AsHistogram(S).Transparency() == 0; }},
      {histogram, "Transparency", [](auto& S) { return AsHistogram(S).Transparency() == 30 && !AsHistogram(S).LinesPen()->Visible(); }},
  };
  fw::TComponent owner(nullptr);
  std::map<fw::String, int> next;  // the variant's place in its class' list
  for (const SubStyleCase& c : cases) {
    // An empty series takes every variant: nothing is drawn or computed.
    std::unique_ptr<chart::TChartSeries> series(c.Make(&owner));
    const std::vector<fw::String> names = series->ListSubStyles();
    const chart::TChartSeries& made = *series;
    const int index = next[fw::ClassNameOf(typeid(made))]++;
    ASSERT_LT(index, int(names.size())) << c.Name;
    EXPECT_EQ(names[std::size_t(index)], c.Name);
    EXPECT_FALSE(c.Applied(*series)) << c.Name << " before";
    series->ApplySubStyle(index);
    EXPECT_TRUE(c.Applied(*series)) << c.Name;
    // An index outside the list changes nothing.
    std::unique_ptr<chart::TChartSeries> other(c.Make(&owner));
    other->ApplySubStyle(int(names.size()));
    other->ApplySubStyle(-1);
    EXPECT_FALSE(c.Applied(*other)) << c.Name;
  }
  EXPECT_EQ(next["TCandleSeries"], 5);
  EXPECT_EQ(TCandleSeries(nullptr).ListSubStyles().size(), 5u);
  EXPECT_EQ(TVolumeSeries(nullptr).ListSubStyles().size(), 3u);
  EXPECT_EQ(THistogramSeries(nullptr).ListSubStyles().size(), 4u);
}

TEST(GalleryPreview, FourCandlesWideAndGreyedWhenDisabled) {
  for (const bool enabled : {true, false}) {
    TCandleSeries candles(nullptr);
    candles.PrepareForGallery(enabled);
    EXPECT_EQ(candles.Count(), 4);
    EXPECT_EQ(candles.CandleWidth(), 12);
    EXPECT_EQ(candles.Pointer()->Pen()->Width(), 2);
    EXPECT_EQ(candles.UpCloseColor(), enabled ? fw::TColor(0xFF0000) : fw::TColor(0xC0C0C0));
    EXPECT_EQ(candles.DownCloseColor(), enabled ? fw::TColor(0x0000FF) : fw::TColor(0x808080));
    if (!enabled) {
      EXPECT_EQ(candles.Pointer()->Pen()->Color(), fw::TColor(0x808080));
    }
  }
}

TEST(SampleValues, FortyDaysOfARandomWalkAndRandomVolumes) {
  TCandleSeries candles(nullptr);
  candles.AddOHLC(1, 1, 1, 1, 1);
  candles.FillSampleValues();
  ASSERT_EQ(candles.Count(), 40);
  for (int i = 0; i < 40; ++i) {
    const double open = candles.OpenValues()->Value(i), close = candles.CloseValues()->Value(i);
    EXPECT_GE(candles.HighValues()->Value(i), std::max(open, close));
    EXPECT_LE(candles.LowValues()->Value(i), std::min(open, close));
    if (i > 0) {
      EXPECT_DOUBLE_EQ(candles.DateValues()->Value(i), candles.DateValues()->Value(i - 1) + 1);
      EXPECT_DOUBLE_EQ(open, candles.CloseValues()->Value(i - 1));
    }
  }
  EXPECT_GT(candles.DateValues()->Value(0), 45000) << "dates from today";
  TVolumeSeries volumes(nullptr);
  volumes.FillSampleValues();
  ASSERT_EQ(volumes.Count(), 40);
  double low = 1e300, high = -1e300;
  for (int i = 0; i < 40; ++i) {
    EXPECT_DOUBLE_EQ(volumes.XValues()->Value(i), i);
    low = std::min(low, volumes.VolumeValues()->Value(i));
    high = std::max(high, volumes.VolumeValues()->Value(i));
  }
  EXPECT_GE(low, 0);
  EXPECT_LT(low, high) << "the volumes vary";
}

TEST(CandleCube, BodyIsACubeOnlyIn3DWithDraw3D) {
  drawtest::DrawSurface surface(160, 120);
  TCandleSeries candles(nullptr);
  EXPECT_FALSE(candles.Pointer()->Draw3D());
  chart::TChartAxis horiz(true), vert(false);
  horiz.SetMinMax(0, 100);
  vert.SetMinMax(0, 100);
  horiz.SetPlotRect(win::RECT{10, 30, 110, 110});
  vert.SetPlotRect(win::RECT{10, 30, 110, 110});
  candles.SetHorizAxis(&horiz);
  candles.SetVertAxis(&vert);
  candles.SetCandleWidth(10);
  candles.SetUpCloseColor(0x00C000);
  candles.HighLowPen()->SetVisible(false);
  candles.SetDepthPositions(0, 10);
  candles.AddOHLC(50, 40, 60, 40, 60);
  chart::TPlotCanvas3D canvas;
  canvas.SetReferenceCanvas(surface.bitmap.Canvas());
  canvas.View().View3D = true;
  canvas.View().Depth = 10;
  // Behind the body's top edge, half the depth away.
  const chart::TPoint behind = canvas.Calc3DPos(horiz.CalcPosValue(50), vert.CalcPosValue(60) - 1, 5);
  const chart::TPoint front = canvas.Calc3DPos(horiz.CalcPosValue(50), vert.CalcPosValue(50), 0);
  for (const bool draw3D : {false, true}) {
    candles.Pointer()->SetDraw3D(draw3D);
    surface.Clear();
    candles.DrawAllValues(canvas);
    EXPECT_EQ(surface.At(front.x, front.y), fw::TColor(0x00C000)) << draw3D;
    EXPECT_EQ(surface.At(behind.x, behind.y) != fw::clWhite, draw3D) << "the top face";
  }
  // Dark3D shades the faces behind the front.
  EXPECT_EQ(surface.At(behind.x, behind.y), fw::TColor(0x006000));
}

}  // namespace
