// Null points and values that are not numbers, the same way in every function: a gap while in
// the window, no trace after, and never the number a null point happens to store.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/PlotFinancial.h"
#include "analysis/PlotStatistics.h"

namespace {

using namespace analysis;
using analysis_test::YsOf;

constexpr int kPoints = 14, kHole = 5;
enum THole { hNone, hNull, hNaNClose, hNaNHigh };

// Candles rising by one with a wobble; point kHole as the case asks, a null point storing
// Placeholder in every list.
TOHLCSeries* Candles(fw::TComponent* Owner, THole Hole, double Placeholder = 1e6) {
  auto* s = new TOHLCSeries(Owner);
  for (int i = 0; i < kPoints; ++i) {
    const double c = 10 + i + (i % 3 == 0 ? 0.75 : -0.25);
    s->AddOHLC(i, c - (i % 2 ? 0.5 : -0.5), c + 1.5, c - 1.25, c);
  }
  if (Hole == hNull) {
    for (chart::TChartValueList* list : {s->CloseValues(), s->OpenValues(), s->HighValues(), s->LowValues()})
      list->SetValue(kHole, Placeholder);
    s->SetPointColor(kHole, chart::clNullPoint);
  }
  if (Hole == hNaNClose) s->CloseValues()->SetValue(kHole, std::nan(""));
  if (Hole == hNaNHigh) s->HighValues()->SetValue(kHole, std::nan(""));
  return s;
}

bool Same(double A, double B) { return A == B || (std::isnan(A) && std::isnan(B)); }

struct Case {
  const char* Name;
  std::function<chart::TPlotFunction*(fw::TComponent*)> Make;
  bool Windowed;  // a window of the period: the values after the hole are those without it
};

std::vector<double> Computed(const Case& C, THole Hole, double Placeholder = 1e6) {
  fw::TComponent owner(nullptr);
  auto* result = new chart::TLineSeries(&owner);
  result->SetFunctionType(C.Make(&owner));
  result->SetDataSource(Candles(&owner, Hole, Placeholder));
  return YsOf(*result);
}

template <typename F>
std::function<chart::TPlotFunction*(fw::TComponent*)> With(double Period, std::function<void(F*)> Setup = {}) {
  return [=](fw::TComponent* Owner) {
    auto* f = new F(Owner);
    f->SetPeriod(Period);
    if (Setup) Setup(f);
    return static_cast<chart::TPlotFunction*>(f);
  };
}

TEST(FunctionGaps, EveryFunctionTreatsNullsAndNonNumbersAsGaps) {
  const Case cases[] = {
      {"moving average", With<TMovingAverageFunction>(3), true},
      {"momentum", With<TMomentumFunction>(3), true},
      {"momentum division", With<TMomentumDivFunction>(3), true},
      {"performance", With<TPerformanceFunction>(3), true},
      {"exponential average", With<TExpAverageFunction>(3), true},
      {"RSI of closes", With<TRSIFunction>(4, [](TRSIFunction* f) { f->SetStyle(rsiClose); }), true},
      {"RSI of opens and closes", With<TRSIFunction>(4), true},
      {"stochastic", With<TStochasticFunction>(3), true},
      {"Bollinger", With<TBollingerFunction>(3, [](TBollingerFunction* f) { f->SetExponential(false); }), true},
      {"exponential Bollinger", With<TBollingerFunction>(3, [](TBollingerFunction* f) { f->SetExponential(true); }),
       false},
      {"ADX", With<TADXFunction>(3), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::vector<double> clean = Computed(c, hNone), hole = Computed(c, hNull), other = Computed(c, hNull, -3);
    ASSERT_FALSE(clean.empty());
    // What a null point stores never counts.
    ASSERT_EQ(other.size(), hole.size());
    for (std::size_t k = 0; k < hole.size(); ++k) EXPECT_TRUE(Same(hole[k], other[k])) << k;
    // The hole shows as a break, and the line goes on after it.
    int gaps = 0;
    for (double v : hole) gaps += std::isnan(v);
    EXPECT_GT(gaps, 0);
    ASSERT_FALSE(hole.empty());
    EXPECT_TRUE(std::isfinite(hole.back()));
    if (c.Windowed) {
      ASSERT_EQ(hole.size(), clean.size());
      EXPECT_DOUBLE_EQ(hole.back(), clean.back()) << "no trace once the hole has left the window";
    }
    // A close that is not a number is a hole like a null point; so is a high for the functions
    // of candles.
    const std::vector<double> nanClose = Computed(c, hNaNClose);
    ASSERT_EQ(nanClose.size(), hole.size());
    for (std::size_t k = 0; k < hole.size(); ++k) EXPECT_TRUE(Same(nanClose[k], hole[k])) << "NaN close " << k;
  }
  // One high that is not a number: ADX's lines go on, not stuck at 0 for the rest.
  fw::TComponent owner(nullptr);
  auto* result = new chart::TLineSeries(&owner);
  auto* adx = new TADXFunction(&owner);
  adx->SetPeriod(3);
  result->SetFunctionType(adx);
  result->SetDataSource(Candles(&owner, hNaNHigh));
  const std::vector<double> up = YsOf(*adx->UpLine());
  ASSERT_FALSE(up.empty());
  EXPECT_GT(up.back(), 0);
}

// Over the whole series (period 0) the gaps are left out.
TEST(FunctionGaps, WholeSeriesValuesLeaveGapsOut) {
  const Case cases[] = {
      {"moving average", With<TMovingAverageFunction>(0), false},
      {"momentum", With<TMomentumFunction>(0), false},
      {"performance", With<TPerformanceFunction>(0), false},
      {"exponential average", With<TExpAverageFunction>(0), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::vector<double> hole = Computed(c, hNull), other = Computed(c, hNull, -3);
    ASSERT_FALSE(hole.empty());
    for (std::size_t k = 0; k < hole.size(); ++k) {
      EXPECT_TRUE(std::isfinite(hole[k]));
      EXPECT_TRUE(Same(hole[k], other[k]));
    }
  }
  fw::TComponent owner(nullptr);
  auto* source = Candles(&owner, hNull);
  double sum = 0;
  for (int i = 0; i < kPoints; ++i)
    if (i != kHole) sum += source->CloseValues()->Value(i);
  auto* result = new chart::TLineSeries(&owner);
  result->SetFunctionType(With<TMovingAverageFunction>(0)(&owner));
  result->SetDataSource(source);
  ASSERT_GT(result->Count(), 0);
  EXPECT_DOUBLE_EQ(result->PointY(0), sum / (kPoints - 1));
}

}  // namespace
