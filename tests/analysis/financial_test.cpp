#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/PlotFinancial.h"
#include "analysis/PlotStatistics.h"
#include "chart/PlotAxis.h"
#include "chart/SeriesPointer.h"
#include "chart/seriesdraw_support.h"
#include "export/KvPlotSVGCanvas.h"
#include "framework/StringList.h"

using namespace analysis;
using analysis_test::PyArray;
using analysis_test::RunNumPy;
using analysis_test::YsOf;
using drawtest::DrawSurface;

namespace {

constexpr fw::TColor kUp = 0x00C000, kDown = 0x0000C0;

// Candles on axes 0 .. 100 both ways, over the pixels 10 .. 110 of a white surface.
struct CandleFixture : ::testing::Test {
  CandleFixture() : surface(160, 120), candles(nullptr), horiz(true), vert(false) {
    horiz.SetMinMax(0, 100);
    vert.SetMinMax(0, 100);
    horiz.SetPlotRect(win::RECT{10, 10, 110, 110});
    vert.SetPlotRect(win::RECT{10, 10, 110, 110});
    candles.SetHorizAxis(&horiz);
    candles.SetVertAxis(&vert);
    candles.SetUpCloseColor(kUp);
    candles.SetDownCloseColor(kDown);
    canvas.SetReferenceCanvas(surface.bitmap.Canvas());
  }
  int X(double V) const { return horiz.CalcPosValue(V); }
  int Y(double V) const { return vert.CalcPosValue(V); }
  void Draw() {
    surface.Clear();
    candles.DrawAllValues(canvas);
  }
  DrawSurface surface;
  TCandleSeries candles;
  chart::TChartAxis horiz, vert;
  chart::TPlotCanvas3D canvas;
};

struct Ohlc {
  std::vector<double> open, high, low, close;
};

// A random walk of closes with opens near the previous close and highs and lows around both.
Ohlc RandomOhlc(std::size_t Count, unsigned Seed) {
  std::mt19937 random(Seed);
  std::normal_distribution<double> step(0, 1);
  std::uniform_real_distribution<double> spread(0, 1.5);
  Ohlc d;
  double close = 50;
  for (std::size_t i = 0; i < Count; ++i) {
    const double open = close + step(random) * 0.5;
    close += step(random);
    d.open.push_back(open);
    d.close.push_back(close);
    d.high.push_back(std::max(open, close) + spread(random));
    d.low.push_back(std::min(open, close) - spread(random));
  }
  return d;
}

std::string PyOhlc(const Ohlc& D) {
  return "o=" + PyArray(D.open) + "\nh=" + PyArray(D.high) + "\nl=" + PyArray(D.low) + "\nc=" + PyArray(D.close) +
         "\nfrom numpy.lib.stride_tricks import sliding_window_view as W\n";
}

}  // namespace

TEST_F(CandleFixture, ColourRules) {
  struct Row {
    double open, close;
    fw::TColor own;
    fw::TColor want;
  };
  const std::vector<Row> rows = {
      {10, 10, chart::clTeeColor, kUp},     // the first with close = open
      {10, 20, chart::clTeeColor, kUp},     // close above open
      {30, 15, chart::clTeeColor, kDown},   // close below open
      {12, 12, chart::clTeeColor, kDown},   // equal, after a higher close
      {12, 12, chart::clTeeColor, kDown},   // equal after an equal close: repeats
      {13, 13, chart::clTeeColor, kUp},     // equal, after a lower close
      {13, 13, chart::clTeeColor, kUp},     // repeats again
      {20, 10, 0x123456, 0x123456},         // its own colour
  };
  for (std::size_t i = 0; i < rows.size(); ++i)
    candles.AddOHLC(double(i), rows[i].open, 40, 5, rows[i].close);
  candles.SetPointColor(7, 0x123456);
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(candles.CandleColor(fw::Integer(i)), rows[i].want) << i;
}

TEST_F(CandleFixture, GeometryOfTheStyles) {
  candles.SetCandleWidth(5);
  candles.AddOHLC(50, 40, 80, 20, 60);
  Draw();
  const int x = X(50), mid = Y(50);
  // The body: 2 columns left of the date and 3 right of it (the last one the outline's).
  EXPECT_EQ(surface.At(x - 3, mid), fw::clWhite);
  EXPECT_EQ(surface.At(x - 1, mid), kUp);
  EXPECT_EQ(surface.At(x + 1, mid), kUp);
  EXPECT_NE(surface.At(x + 2, mid), fw::clWhite);
  EXPECT_EQ(surface.At(x + 3, mid), fw::clWhite);
  // The high-low line above and below the body, one column wide.
  EXPECT_NE(surface.At(x, Y(75)), fw::clWhite);
  EXPECT_NE(surface.At(x, Y(25)), fw::clWhite);
  EXPECT_EQ(surface.At(x + 1, Y(75)), fw::clWhite);
  EXPECT_EQ(surface.At(x, Y(85)), fw::clWhite);

  candles.SetCandleStyle(csOpenClose);
  Draw();
  EXPECT_EQ(surface.At(x, Y(75)), fw::clWhite) << "no high-low line";
  EXPECT_EQ(surface.At(x, mid), kUp);

  candles.SetCandleStyle(csCandleBar);
  candles.SetShowCloseTick(false);
  Draw();
  EXPECT_EQ(surface.At(x, Y(75)), kUp);
  EXPECT_EQ(surface.At(x - 2, Y(40)), kUp) << "open tick, left";
  EXPECT_EQ(surface.At(x - 3, Y(40)), fw::clWhite);
  EXPECT_EQ(surface.At(x + 2, Y(60)), fw::clWhite) << "no close tick";
  EXPECT_EQ(candles.PointAt(x - 1, Y(40)), 0);
  EXPECT_EQ(candles.PointAt(x + 1, Y(60)), -1);
  EXPECT_TRUE(candles.Pointer()->Visible());
  candles.SetCandleStyle(csLine);
  EXPECT_FALSE(candles.Pointer()->Visible());
}

// A picture canvas gets the same shapes: the body as a rectangle in the candle colour, the
// high-low line and the volume bar as lines.
TEST_F(CandleFixture, SvgPicture) {
  fw::TStringList lines;
  kvexport::TKvSVGCanvas svg(&lines);
  svg.SetReferenceCanvas(surface.bitmap.Canvas());
  candles.AddOHLC(50, 40, 80, 20, 60);
  candles.DrawAllValues(svg);
  TVolumeSeries volume(nullptr);
  volume.SetHorizAxis(&horiz);
  volume.SetVertAxis(&vert);
  volume.SetSeriesColor(kDown);
  volume.AddXY(30, 60);
  volume.DrawAllValues(svg);
  const std::string text = lines.Text();
  EXPECT_NE(text.find("<rect"), std::string::npos) << text;
  EXPECT_NE(text.find("fill=\"rgb(0,192,0)\""), std::string::npos) << text;
  EXPECT_NE(text.find("stroke=\"rgb(192,0,0)\""), std::string::npos) << "the volume bar's red";
}

// Candles drawn one by one or composed column by column, as the test asks; Asked counts the
// times the choice was put, so a case proves the composing path ran.
class ChoosingCandles : public TCandleSeries {
 public:
  using TCandleSeries::TCandleSeries;
  bool compose = false;
  mutable int asked = 0;

 protected:
  bool ComposesColumns(fw::Integer, fw::Integer) const override {
    ++asked;
    return compose;
  }
};

// Composed columns give the very pixels of candles drawn one by one: crowded and sparse, with
// and without outline and high-low line, thin and wide bodies, flat and null candles, candles
// of their own colour, and candles beyond the picture's edges.
TEST_F(CandleFixture, ComposedColumnsMatchCandleByCandle) {
  const Ohlc d = RandomOhlc(2000, 3);
  ChoosingCandles series(nullptr);
  for (std::size_t i = 0; i < d.close.size(); ++i) {
    const bool flat = i % 37 == 0;
    series.AddOHLC(double(i), flat ? d.close[i] : d.open[i], d.high[i], d.low[i], d.close[i]);
  }
  series.SetPointColor(500, 0x336699);
  series.SetPointColor(900, chart::clNullPoint);
  series.SetUpCloseColor(kUp);
  series.SetDownCloseColor(kDown);
  series.SetHorizAxis(&horiz);
  series.SetVertAxis(&vert);
  vert.SetMinMax(series.MinYValue() + 5, series.MaxYValue() - 5);
  struct Row {
    int plotWidth, candleWidth;
    TCandleStyle style;
    bool outline, highLow;
    int ownColors = 0;  // candles from 1000 on given colours of their own, all different
  };
  const std::vector<Row> rows = {
      {8, 4, csCandleStick, true, true},       {40, 4, csCandleStick, true, true},
      {150, 7, csCandleStick, true, true},     {40, 1, csCandleStick, true, true},
      {40, 0, csCandleStick, true, true},      {40, 2, csCandleStick, false, true},
      {40, 5, csCandleStick, true, false},     {40, 3, csOpenClose, true, true},
      {150, 4, csOpenClose, false, false},     {40, 4, csCandleStick, true, true, 240},
      {40, 4, csCandleStick, true, true, 300},
  };
  // The same on a 24- and a 32-bit picture.
  DrawSurface deep(surface.width, surface.height);
  deep.bitmap.SetPixelFormat(fw::pf32bit);
  for (DrawSurface* picture : {&surface, &deep}) {
    canvas.SetReferenceCanvas(picture->bitmap.Canvas());
    const int bytes = picture == &deep ? 4 : 3;
    auto pixels = [&] {
      std::vector<unsigned char> out;
      for (int y = 0; y < picture->height; ++y) {
        const auto* row = static_cast<const unsigned char*>(picture->bitmap.ScanLine(y));
        out.insert(out.end(), row, row + bytes * picture->width);
      }
      return out;
    };
    for (const Row& row : rows) {
      horiz.SetPlotRect(win::RECT{5, 10, 5 + row.plotWidth, 110});
      horiz.SetMinMax(0, double(d.close.size() - 1));
      series.SetCandleWidth(row.candleWidth);
      series.SetCandleStyle(row.style);
      series.Pointer()->Pen()->SetVisible(row.outline);
      series.HighLowPen()->SetVisible(row.highLow);
      series.HighLowPen()->SetColor(0x808000);
      for (int i = 0; i < 300; ++i)
        series.SetPointColor(1000 + i, i < row.ownColors ? 0x200000 + 7 * i : chart::clTeeColor);
      // Too many colours for the composed cells: drawn one by one, without asking.
      const bool composable = row.ownColors < 250;
      std::vector<unsigned char> want, got;
      for (bool compose : {false, true}) {
        series.compose = compose;
        series.asked = 0;
        picture->Clear();
        series.DrawAllValues(canvas);
        (compose ? got : want) = pixels();
        if (compose) {
          EXPECT_EQ(series.asked > 0, composable) << row.plotWidth << " " << row.candleWidth;
        }
      }
      EXPECT_TRUE(got == want) << bytes << " " << row.plotWidth << " " << row.candleWidth << " " << row.style;
      EXPECT_GT(std::count_if(want.begin(), want.end(), [](unsigned char b) { return b != 0xFF; }), 1000)
          << "candles on the picture";
    }
  }
}

TEST_F(CandleFixture, RangeCoversTheFourLists) {
  candles.AddOHLC(1, 40, 80, 20, 60);
  candles.AddOHLC(2, 45, 70, 30, 50);
  EXPECT_EQ(candles.MinYValue(), 20);
  EXPECT_EQ(candles.MaxYValue(), 80);
  candles.SetCandleStyle(csLine);
  EXPECT_EQ(candles.MinYValue(), 50);
  EXPECT_EQ(candles.MaxYValue(), 60);
  EXPECT_EQ(candles.HighValues()->Value(1), 70);
  EXPECT_EQ(candles.OpenValues()->Name(), "Open");
  EXPECT_TRUE(candles.DateValues()->DateTime());
}

TEST_F(CandleFixture, VolumeBarsStandOnTheirOrigin) {
  TVolumeSeries volume(nullptr);
  volume.SetHorizAxis(&horiz);
  volume.SetVertAxis(&vert);
  volume.SetSeriesColor(kDown);
  volume.AddXY(30, 60);
  volume.AddXY(70, 20);
  surface.Clear();
  volume.DrawAllValues(canvas);
  for (double v : {1.0, 59.0}) EXPECT_EQ(surface.At(X(30), Y(v)), kDown) << v;
  EXPECT_EQ(surface.At(X(30), Y(62)), fw::clWhite);
  EXPECT_EQ(surface.At(X(31), Y(30)), fw::clWhite);
  volume.SetUseYOrigin(true);
  volume.SetYOrigin(40);
  surface.Clear();
  volume.DrawAllValues(canvas);
  EXPECT_EQ(surface.At(X(30), Y(30)), fw::clWhite) << "below the origin";
  EXPECT_EQ(surface.At(X(70), Y(30)), kDown) << "down from the origin";
  EXPECT_EQ(volume.PointAt(X(70), Y(25)), 1);
}

// ADX by the Wilder sums and RSI by sliding windows, against NumPy on random candles.
TEST(Indicators, AgainstNumPy) {
  fw::TComponent owner{nullptr};
  const Ohlc d = RandomOhlc(120, 5);
  auto* source = new TOHLCSeries(&owner);
  for (std::size_t i = 0; i < d.close.size(); ++i) source->AddOHLC(double(i), d.open[i], d.high[i], d.low[i], d.close[i]);
  auto* adxSeries = new chart::TLineSeries(&owner);
  auto* adx = new TADXFunction(&owner);
  adxSeries->SetFunctionType(adx);
  adx->SetPeriod(5);
  adxSeries->SetDataSource(source);
  const auto want = RunNumPy(PyOhlc(d) +
                             "P=5;n=len(c)\n"
                             "tr=np.maximum.reduce([h[1:]-l[1:],abs(h[1:]-c[:-1]),abs(l[1:]-c[:-1])])\n"
                             "u=h[1:]-h[:-1];d=l[:-1]-l[1:]\n"
                             "pdm=np.where(u>d,np.maximum(u,0),0);mdm=np.where(d>u,np.maximum(d,0),0)\n"
                             "S=np.array([tr[:P].sum(),pdm[:P].sum(),mdm[:P].sum()]);out=[]\n"
                             "for i in range(P,n):\n"
                             "  if i>P: S=S-S/P+np.array([tr[i-1],pdm[i-1],mdm[i-1]])\n"
                             "  up=100*S[1]/S[0];dn=100*S[2]/S[0];dx=100*abs(up-dn)/(up+dn)\n"
                             "  A=dx/(P-1) if i==P else ((P-1)*A+dx)/P\n"
                             "  out+=[A,up,dn]\n"
                             "print(' '.join(repr(float(t)) for t in out))\n");
  const std::vector<double> got = YsOf(*adxSeries), up = YsOf(*adx->UpLine()), down = YsOf(*adx->DownLine());
  ASSERT_EQ(want.size(), 3 * got.size());
  ASSERT_EQ(got.size(), 115u);
  for (std::size_t k = 0; k < got.size(); ++k) {
    EXPECT_NEAR(got[k], want[3 * k], 1e-9) << k;
    EXPECT_NEAR(up[k], want[3 * k + 1], 1e-9) << k;
    EXPECT_NEAR(down[k], want[3 * k + 2], 1e-9) << k;
  }
  adx->SetPeriod(61);
  EXPECT_EQ(adxSeries->Count(), 0) << "fewer than twice the period";
  EXPECT_EQ(adx->UpLine()->Count(), 0);

  auto* rsiSeries = new chart::TLineSeries(&owner);
  auto* rsi = new TRSIFunction(&owner);
  rsiSeries->SetFunctionType(rsi);
  rsi->SetPeriod(9);
  rsiSeries->SetDataSource(source);
  for (TRSIStyle style : {rsiOpenClose, rsiClose}) {
    rsi->SetStyle(style);
    const std::string sums =
        style == rsiClose ? "w=np.diff(W(c,9),axis=1);g=np.clip(w,0,None).sum(1);s=np.clip(-w,0,None).sum(1)\n"
                          : "g=np.where(W(o,9)<=W(c,9),W(c,9),0).sum(1);s=np.where(W(o,9)>W(c,9),W(c,9),0).sum(1)\n";
    const auto ref = RunNumPy(PyOhlc(d) + sums +
                              "r=np.where(s==0,100,100-100/(1+abs(g/np.where(s==0,1,s))))\n"
                              "print(' '.join(repr(float(t)) for t in r))\n");
    const std::vector<double> values = YsOf(*rsiSeries);
    ASSERT_EQ(values.size(), ref.size());
    for (std::size_t k = 0; k < values.size(); ++k) EXPECT_NEAR(values[k], ref[k], 1e-9) << style << " " << k;
  }
}

// Rising closes have no losses: 100 throughout; flat candles have no range: ADX 0, no fault.
TEST(Indicators, NoLossesAndFlatData) {
  fw::TComponent owner{nullptr};
  auto* source = new TOHLCSeries(&owner);
  for (int i = 0; i < 30; ++i) source->AddOHLC(i, 10 + i, 11 + i, 9 + i, 10.5 + i);
  auto* rsiSeries = new chart::TLineSeries(&owner);
  auto* rsi = new TRSIFunction(&owner);
  rsi->SetStyle(rsiClose);
  rsiSeries->SetFunctionType(rsi);
  rsi->SetPeriod(5);
  rsiSeries->SetDataSource(source);
  ASSERT_EQ(rsiSeries->Count(), 26);
  for (double v : YsOf(*rsiSeries)) EXPECT_EQ(v, 100);
  auto* flat = new TOHLCSeries(&owner);
  for (int i = 0; i < 30; ++i) flat->AddOHLC(i, 5, 5, 5, 5);
  auto* adxSeries = new chart::TLineSeries(&owner);
  adxSeries->SetFunctionType(new TADXFunction(&owner));
  adxSeries->SetDataSource(flat);
  ASSERT_EQ(adxSeries->Count(), 16);
  for (double v : YsOf(*adxSeries)) EXPECT_EQ(v, 0);
  auto* plain = new chart::TLineSeries(&owner);
  plain->AddXY(0, 1);
  plain->AddXY(1, 2);
  rsiSeries->SetDataSource(plain);
  EXPECT_EQ(rsiSeries->Count(), 0) << "a source without close and open lists";
}

// The stochastic of every window against its definition on random candles, from one-point
// windows to windows longer than the data; a low that is not a number is a gap in its windows.
TEST(Indicators, StochasticWindows) {
  fw::TComponent owner{nullptr};
  Ohlc d = RandomOhlc(300, 9);
  d.low[40] = std::numeric_limits<double>::quiet_NaN();
  auto* source = new TOHLCSeries(&owner);
  for (std::size_t i = 0; i < d.close.size(); ++i) source->AddOHLC(double(i), d.open[i], d.high[i], d.low[i], d.close[i]);
  auto* series = new chart::TLineSeries(&owner);
  auto* stochastic = new TStochasticFunction(&owner);
  series->SetFunctionType(stochastic);
  series->SetDataSource(source);
  for (std::size_t period : {1, 2, 7, 50, 300, 301}) {
    stochastic->SetPeriod(double(period));
    std::vector<double> want;
    for (std::size_t last = period - 1; last < d.close.size(); ++last) {
      double lo = HUGE_VAL, hi = -HUGE_VAL;
      for (std::size_t k = last + 1 - period; k <= last; ++k) {
        lo = std::min(lo, d.low[k]);
        hi = std::max(hi, d.high[k]);
      }
      const bool gap = last >= 40 && last + 1 - period <= 40;
      want.push_back(gap ? std::nan("") : hi == lo ? 0 : 100 * (d.close[last] - lo) / (hi - lo));
    }
    const std::vector<double> got = YsOf(*series);
    ASSERT_EQ(got.size(), want.size()) << period;
    for (std::size_t k = 0; k < got.size(); ++k)
      EXPECT_TRUE(got[k] == want[k] || (std::isnan(got[k]) && std::isnan(want[k]))) << period << " " << k;
    EXPECT_EQ(stochastic->Dens().size(), want.size()) << period;
  }
}
