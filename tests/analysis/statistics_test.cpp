#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/PlotFinancial.h"
#include "analysis/PlotStatistics.h"
#include "chart/PlotEngine.h"
#include "chart/Series.h"

using namespace analysis;
using analysis_test::ErrorOf;
using analysis_test::PyArray;
using analysis_test::RunNumPy;
using analysis_test::XsOf;
using analysis_test::YsOf;
using chart::TChartSeries;
using chart::TLineSeries;

namespace {

struct StatFixture : ::testing::Test {
  fw::TComponent owner{nullptr};
  TLineSeries* source = new TLineSeries(&owner);

  void Fill(const std::vector<double>& Y, const std::vector<double>& X = {}) {
    source->Clear();
    for (std::size_t i = 0; i < Y.size(); ++i) source->AddXY(X.empty() ? double(i) : X[i], Y[i]);
  }
  // A result series computing through Function with Period from the source.
  TLineSeries* Attach(chart::TPlotFunction* Function, double Period) {
    auto* result = new TLineSeries(&owner);
    result->SetFunctionType(Function);
    Function->SetPeriod(Period);
    result->SetDataSource(source);
    return result;
  }
};

// A random walk around 100 (no zero values) with X = 0, 1, 2, ...
std::vector<double> RandomWalk(std::size_t Count, unsigned Seed) {
  std::mt19937 random(Seed);
  std::normal_distribution<double> step(0, 1.5);
  std::vector<double> v;
  double value = 100;
  for (std::size_t i = 0; i < Count; ++i) v.push_back(value += step(random));
  return v;
}

template <typename T>
std::function<chart::TPlotFunction*(fw::TComponent*)> Make() {
  return [](fw::TComponent* Owner) { return new T(Owner); };
}

}  // namespace

// Every function over the same random walk against NumPy, computed from the definitions
// (sliding windows, disjoint periods, the recursive exponential average).
TEST_F(StatFixture, AgainstNumPy) {
  const std::vector<double> v = RandomWalk(200, 11);
  std::vector<double> x;
  for (std::size_t i = 0; i < v.size(); ++i) x.push_back(double(i) + 1);
  Fill(v, x);
  struct Row {
    const char* name;
    std::function<chart::TPlotFunction*(fw::TComponent*)> make;
    double period;
    // Which series to read: the function's own (nullptr) or one it owns.
    std::function<TChartSeries*(chart::TPlotFunction*)> owned;
    const char* reference;
  };
  auto ma = [](bool weighted, bool index) {
    return [=](fw::TComponent* o) {
      auto* f = new TMovingAverageFunction(o);
      f->SetWeighted(weighted);
      f->SetWeightedIndex(index);
      return f;
    };
  };
  auto std_ = [](bool complete) {
    return [=](fw::TComponent* o) {
      auto* f = new TStdDeviationFunction(o);
      f->SetComplete(complete);
      return f;
    };
  };
  auto bollinger = [](bool exponential) {
    return [=](fw::TComponent* o) {
      auto* f = new TBollingerFunction(o);
      f->SetExponential(exponential);
      return f;
    };
  };
  const std::vector<Row> rows = {
      {"moving average", ma(false, false), 7, nullptr, "W(v,7).mean(1)"},
      {"weighted by x", ma(true, false), 7, nullptr, "W(v*x,7).sum(1)/W(x,7).sum(1)"},
      {"weighted by index", ma(false, true), 7, nullptr, "W(v,7)@np.arange(1,8)/28"},
      {"exp. moving average", Make<TExpMovAveFunction>(), 10, nullptr, "ema(v,10)"},
      {"momentum", Make<TMomentumFunction>(), 5, nullptr, "W(v,5)[:,-1]-W(v,5)[:,0]"},
      {"momentum division", Make<TMomentumDivFunction>(), 5, nullptr, "100*W(v,5)[:,-1]/W(v,5)[:,0]"},
      {"performance", Make<TPerformanceFunction>(), 5, nullptr, "100*(W(v,5)[:,-1]-v[0])/v[0]"},
      {"deviation", std_(false), 8, nullptr, "v.reshape(-1,8).std(1,ddof=1)"},
      {"complete deviation", std_(true), 8, nullptr, "v.reshape(-1,8).std(1)"},
      {"root mean square", Make<TRMSFunction>(), 8, nullptr, "np.sqrt((v.reshape(-1,8)**2).sum(1)/7)"},
      {"variance", Make<TVarianceFunction>(), 8, nullptr, "v.reshape(-1,8).var(1)"},
      {"bollinger upper", bollinger(true), 10, nullptr, "ema(v,10)[9:]+2*W(v,10).std(1)"},
      {"bollinger lower", bollinger(true), 10,
       [](chart::TPlotFunction* f) { return static_cast<TBollingerFunction*>(f)->LowBand(); },
       "ema(v,10)[9:]-2*W(v,10).std(1)"},
      {"bollinger simple", bollinger(false), 10, nullptr, "W(v,10).mean(1)+2*W(v,10).std(1)"},
      {"macd", Make<TMACDFunction>(), 26, nullptr, "ema(v,12)-ema(v,26)"},
      {"macd signal", Make<TMACDFunction>(), 26,
       [](chart::TPlotFunction* f) { return static_cast<TMACDFunction*>(f)->SignalLine(); },
       "ema(ema(v,12)-ema(v,26),9)"},
      {"macd histogram", Make<TMACDFunction>(), 26,
       [](chart::TPlotFunction* f) { return static_cast<TMACDFunction*>(f)->Histogram(); },
       "(ema(v,12)-ema(v,26))-ema(ema(v,12)-ema(v,26),9)"},
  };
  const std::string prelude =
      "from numpy.lib.stride_tricks import sliding_window_view as W\n"
      "def ema(a,p):\n  k=2/(p+1);o=np.empty_like(a);o[0]=a[0]\n"
      "  for i in range(1,len(a)): o[i]=k*a[i]+(1-k)*o[i-1]\n  return o\n"
      "v=" + PyArray(v) + "\nx=" + PyArray(x) + "\n";
  for (const Row& row : rows) {
    chart::TPlotFunction* f = row.make(&owner);
    TLineSeries* result = Attach(f, row.period);
    const std::vector<double> got = YsOf(row.owned ? *row.owned(f) : *result);
    const std::vector<double> want =
        RunNumPy(prelude + "print(' '.join(repr(float(t)) for t in " + row.reference + "))\n");
    ASSERT_EQ(got.size(), want.size()) << row.name;
    for (std::size_t i = 0; i < got.size(); ++i)
      ASSERT_NEAR(got[i], want[i], 1e-9 * (1 + std::fabs(want[i]))) << row.name << " " << i;
  }
}

// The worked examples and boundaries the functions are defined by.
TEST_F(StatFixture, DefinedCases) {
  Fill({0, 0, 0}, {0, 0, 0});
  auto* ma = new TMovingAverageFunction(&owner);
  ma->SetWeighted(true);
  EXPECT_EQ(ma->ValueOverRange(source, 0, 2), 0) << "all X = 0, weighted: no denominator";
  Fill({2, 4});
  EXPECT_EQ(TStdDeviationFunction(nullptr).ValueOverRange(source, 0, 1), std::sqrt(2.0));
  EXPECT_EQ(TStdDeviationFunction(nullptr).ValueOverRange(source, 0, 0), 0);
  TStdDeviationFunction complete(nullptr);
  complete.SetComplete(true);
  EXPECT_EQ(complete.ValueOverRange(source, 0, 1), 1);
  Fill({0, 5, 10});
  EXPECT_EQ(TMomentumDivFunction(nullptr).ValueOverRange(source, 0, 2), 0);
  EXPECT_EQ(TPerformanceFunction(nullptr).ValueOverRange(source, 1, 2), 0);
  Fill({4, 5, 10});
  EXPECT_EQ(TPerformanceFunction(nullptr).ValueOverRange(source, 1, 2), 150) << "against the first value";
  Fill({1, 2, 3});
  EXPECT_EQ(YsOf(*Attach(new TExpMovAveFunction(&owner), 3)), (std::vector<double>{1, 1.5, 2.25}));
  EXPECT_TRUE(YsOf(*Attach(new TExpMovAveFunction(&owner), 0)).empty());
  auto* bollinger = new TBollingerFunction(&owner);
  bollinger->SetExponential(false);
  TLineSeries* upper = Attach(bollinger, 2);
  EXPECT_EQ(XsOf(*upper), (std::vector<double>{1, 2}));
  EXPECT_EQ(YsOf(*upper), (std::vector<double>{2.5, 3.5}));
  EXPECT_EQ(YsOf(*bollinger->LowBand()), (std::vector<double>{0.5, 1.5}));
  TExpAverageFunction expAverage(nullptr);
  EXPECT_EQ(ErrorOf([&] { expAverage.SetWeight(1.5); }), "ExpAverage Weight must be between 0 and 1");
  EXPECT_EQ(expAverage.Weight(), 0.2);
  EXPECT_DOUBLE_EQ(expAverage.ValueOverRange(source, 0, 2), 0.2 * 3 + 0.8 * 2);
  EXPECT_EQ(expAverage.ValueOverRange(source, 0, 0), 1);
}

// Periods below one window, longer than the data, and gaps: no crash and no value made up.
TEST_F(StatFixture, BadPeriodsAndNulls) {
  Fill({1, 2, 3, 4});
  auto* ma = new TMovingAverageFunction(&owner);
  TLineSeries* result = Attach(ma, 10);
  EXPECT_EQ(result->Count(), 0) << "a window longer than the data";
  ma->SetPeriod(2);
  EXPECT_EQ(YsOf(*result), (std::vector<double>{1.5, 2.5, 3.5})) << "a new period recomputes";
  ma->SetPeriod(0.2);
  EXPECT_EQ(YsOf(*result), (std::vector<double>{1, 2, 3, 4})) << "held to one point";
  EXPECT_NE(ErrorOf([&] { ma->SetPeriod(-1); }), "");
  source->AddNullPoint(4, 0);
  source->AddXY(5, 6);
  source->AddXY(6, 7);
  ma->SetPeriod(2);
  ASSERT_EQ(result->Count(), 6);
  EXPECT_TRUE(result->IsNullPoint(3) && result->IsNullPoint(4)) << "windows over the gap give no value";
  EXPECT_EQ(result->PointY(5), 6.5) << "the gap leaves the window without a trace";
  auto* bollinger = Attach(new TBollingerFunction(&owner), 3);
  for (int i = 0; i < bollinger->Count(); ++i)
    EXPECT_TRUE(std::isfinite(bollinger->PointY(i)) || bollinger->IsNullPoint(i)) << i;
}

// Values whose squares leave the double's range: deviations and bands stay finite and right.
TEST_F(StatFixture, HugeValuesKeepTheirDeviation) {
  struct Case { std::vector<double> Values; double Sample; };
  const Case cases[] = {
      {{1e200, 2e200}, std::sqrt(0.5) * 1e200},
      {{-1e300, 1e300}, std::sqrt(2.0) * 1e300},
      {{1.5e154, 1.5e154, 1.5e154}, 0},
  };
  for (const Case& c : cases) {
    Fill(c.Values);
    const double sd = TStdDeviationFunction(nullptr).ValueOverRange(source, 0, fw::Integer(c.Values.size()) - 1);
    EXPECT_NEAR(sd, c.Sample, 1e-12 * std::fabs(c.Sample)) << c.Values[0];
  }
  Fill({1e200, 2e200, 3e200, 4e200});
  auto* bollinger = new TBollingerFunction(&owner);
  bollinger->SetExponential(false);
  bollinger->SetDeviation(1);
  TLineSeries* upper = Attach(bollinger, 2);
  ASSERT_EQ(upper->Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(upper->PointY(i), (2 * i + 3) * 0.5e200 + 0.5e200, 1e188) << i;
}

// A period of 0 for the long average or the signal: no lines, as for other invalid periods.
TEST_F(StatFixture, MACDWithAPeriodOfZeroDrawsNothing) {
  Fill(RandomWalk(60, 3));
  for (const auto& [period, period3] : std::vector<std::pair<double, double>>{{0, 9}, {26, 0}}) {
    auto* macd = new TMACDFunction(&owner);
    macd->SetPeriod3(period3);
    TLineSeries* result = Attach(macd, period);
    EXPECT_EQ(result->Count(), 0) << period << " " << period3;
    EXPECT_EQ(macd->SignalLine()->Count(), 0);
    EXPECT_EQ(macd->Histogram()->Count(), 0);
  }
}

// RSI reads the source it is given, never lists kept from a source freed before.
TEST(RSISource, AFreedSourceLeavesNothingBehind) {
  fw::TComponent owner{nullptr};
  auto* rsiSeries = new TLineSeries(&owner);
  auto* rsi = new TRSIFunction(&owner);
  rsi->SetStyle(rsiClose);
  rsiSeries->SetFunctionType(rsi);
  rsi->SetPeriod(0);
  auto candles = [&](double Step) {
    auto* s = new TOHLCSeries(&owner);
    for (int i = 0; i < 10; ++i) s->AddOHLC(i, 10, 12, 8, 10 + (i % 2 ? Step : -Step) * i);
    return s;
  };
  for (double step : {1.0, 3.0, 0.5}) {
    TOHLCSeries* source = candles(step);
    rsiSeries->SetDataSource(source);
    const double got = rsiSeries->Count() ? rsiSeries->PointY(0) : -1;
    TRSIFunction fresh(nullptr);
    fresh.SetStyle(rsiClose);
    EXPECT_DOUBLE_EQ(got, fresh.ValueOverRange(source, -1, -1)) << step;
    rsiSeries->SetDataSource(nullptr);
    delete source;  // the next source may take its memory
  }
}

TEST_F(StatFixture, CrossPoints) {
  auto* a = new TLineSeries(&owner);
  auto* b = new TLineSeries(&owner);
  auto* result = new TLineSeries(&owner);
  result->SetFunctionType(new TCrossPointsFunction(&owner));
  struct Row {
    std::vector<double> ax, ay, bx, by;
    std::vector<double> x, y;
  };
  const std::vector<Row> rows = {
      {{0, 1}, {0, 1}, {0, 1}, {1, 0}, {0.5}, {0.5}},
      {{0, 1, 2, 3}, {0, 2, 0, 2}, {0, 3}, {1, 1}, {0.5, 1.5, 2.5}, {1, 1, 1}},
      {{0, 1, 2}, {0, 1, 0}, {0, 2}, {1, 1}, {1}, {1}},  // touching at a shared vertex: once
      {{0, 1}, {0, 1}, {0, 1}, {1, 2}, {}, {}},           // parallel
      {{0}, {0}, {0, 1}, {1, 0}, {}, {}},                 // too few points
  };
  for (const Row& r : rows) {
    a->Clear();
    b->Clear();
    for (std::size_t i = 0; i < r.ax.size(); ++i) a->AddXY(r.ax[i], r.ay[i]);
    for (std::size_t i = 0; i < r.bx.size(); ++i) b->AddXY(r.bx[i], r.by[i]);
    result->SetDataSource(a);
    result->AddDataSource(b);
    EXPECT_EQ(XsOf(*result), r.x);
    EXPECT_EQ(YsOf(*result), r.y);
  }
}

TEST(StatisticalRegistration, PagesNamesAndLookup) {
  RegisterStatisticalClasses();
  RegisterFinancialClasses();
  auto find = [](const std::vector<chart::TPlotClassInfo>& List, const char* Name) {
    for (const auto& info : List)
      if (info.Name == Name) return info.Page + "|" + info.Description;
    return std::string("-");
  };
  const auto& functions = chart::PlotFunctionGallery();
  EXPECT_EQ(find(functions, "TMovingAverageFunction"), "Financial|Moving\rAverage");
  EXPECT_EQ(find(functions, "TExpAverageFunction"), "Extended|Exponential\rAverage");
  EXPECT_EQ(find(functions, "TBollingerFunction"), "Financial|Bollinger\rbands");
  EXPECT_EQ(find(functions, "TPerimeterFunction"), "Extended|Perimeter");
  EXPECT_EQ(find(functions, "TRSIFunction"), "Financial|R.S.I.");
  EXPECT_EQ(find(chart::PlotSeriesGallery(), "THorizHistogramSeries"), "Stats|Horizontal\rHistogram");
  EXPECT_EQ(find(chart::PlotSeriesGallery(), "TCandleSeries"), "Financial|Candle");
  EXPECT_EQ(find(chart::PlotSeriesGallery(), "TOHLCSeries"), "-");
  UnRegisterFinancialClasses();
  UnRegisterStatisticalClasses();
  EXPECT_EQ(find(chart::PlotFunctionGallery(), "TMACDFunction"), "-");
  EXPECT_EQ(find(chart::PlotSeriesGallery(), "THistogramSeries"), "-");
}
