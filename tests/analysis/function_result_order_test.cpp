// A function of a source whose X values run backwards (a graph kept in the order it was made):
// the result series that keeps its X list ascending holds the same points as one kept in the
// order computed, sorted by X.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/PlotStatistics.h"
#include "chart/Series.h"

namespace {

using analysis_test::XsOf;
using analysis_test::YsOf;
using Points = std::vector<std::pair<double, double>>;

Points PointsOf(const chart::TChartSeries& S) {
  const std::vector<double> x = XsOf(S), y = YsOf(S);
  Points p;
  for (std::size_t i = 0; i < x.size(); ++i) p.emplace_back(x[i], y[i]);
  return p;
}

struct Case {
  const char* Name;
  std::function<chart::TPlotFunction*(fw::TComponent*)> Make;
};

template <typename F>
Case Of(const char* Name) {
  return {Name, [](fw::TComponent* Owner) { return static_cast<chart::TPlotFunction*>(new F(Owner)); }};
}

TEST(FunctionResultOrder, BackwardsSourceGivesAnAscendingResultWithTheSamePoints) {
  for (const Case& c : {Of<analysis::TMovingAverageFunction>("moving average"),
                        Of<analysis::TMomentumFunction>("momentum"),
                        Of<analysis::TExpAverageFunction>("exponential average")}) {
    SCOPED_TRACE(c.Name);
    fw::TComponent owner(nullptr);
    auto* source = new chart::TLineSeries(&owner);
    source->XValues()->SetOrder(chart::loNone);
    for (int i = 0; i < 8; ++i) source->AddXY(10 - i, (i * 7) % 5 + 0.5 * i);

    auto result = [&](chart::TChartListOrder Order) {
      auto* s = new chart::TLineSeries(&owner);
      s->XValues()->SetOrder(Order);
      chart::TPlotFunction* f = c.Make(&owner);
      f->SetPeriod(2);
      s->SetFunctionType(f);
      s->SetDataSource(source);
      return PointsOf(*s);
    };
    Points made = result(chart::loNone);
    const Points ascending = result(chart::loAscending);
    ASSERT_GE(made.size(), 2u);
    ASSERT_GT(made.front().first, made.back().first) << "computed in the source's order";
    std::stable_sort(made.begin(), made.end(), [](auto& a, auto& b) { return a.first < b.first; });
    EXPECT_EQ(ascending, made);
  }
}

}  // namespace
