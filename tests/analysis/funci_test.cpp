#include <gtest/gtest.h>

#include <algorithm>
#include <typeinfo>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/PlotFunci.h"
#include "chart/PlotConst.h"
#include "chart/Series.h"

using namespace analysis;
using analysis_test::ErrorOf;
using analysis_test::XsOf;
using analysis_test::YsOf;
using chart::TChartSeries;
using chart::TLineSeries;

namespace {

// A result series computing through a function from sources made of (X, Y) lists.
struct FunctionFixture : ::testing::Test {
  fw::TComponent owner{nullptr};
  TLineSeries* result = new TLineSeries(&owner);

  TLineSeries* Source(const std::vector<double>& Y, double X0 = 0) {
    auto* s = new TLineSeries(&owner);
    for (std::size_t i = 0; i < Y.size(); ++i) s->AddXY(X0 + double(i), Y[i]);
    return s;
  }
  template <typename T>
  T* Make() {
    return new T(&owner);
  }
  void Compute(chart::TPlotFunction* Function, const std::vector<TLineSeries*>& Sources) {
    result->SetFunctionType(Function);
    for (TLineSeries* s : Sources) result->AddDataSource(s);
    result->CheckDataSource();
  }
};

// Counts the data-change events a series reports.
struct ChangeCounter : chart::TChartSeriesListener {
  int changes = 0;
  void SeriesEvent(TChartSeries*, chart::TChartSeriesEvent Event) override {
    if (Event == chart::seDataChanged) ++changes;
  }
};

}  // namespace

TEST_F(FunctionFixture, SubtractAcrossSourcesOfDifferentLength) {
  TLineSeries* a = Source({10, 20, 30});
  TLineSeries* b = Source({1, 2, 3, 4, 5}, 100);
  Compute(Make<TSubtractPlotFunction>(), {a, b});
  EXPECT_EQ(XsOf(*result), (std::vector<double>{100, 101, 102, 103, 104})) << "X of the longer source";
  EXPECT_EQ(YsOf(*result), (std::vector<double>{9, 18, 27, 4, 5}));
}

TEST_F(FunctionFixture, CombiningSteps) {
  TDividePlotFunction divide(nullptr);
  EXPECT_EQ(divide.CalculateValue(6, 0), 6);
  EXPECT_EQ(divide.CalculateValue(6, 4), 1.5);
  EXPECT_EQ(TMultiplyPlotFunction(nullptr).CalculateValue(6, 4), 24);
  EXPECT_EQ(TSubtractPlotFunction(nullptr).CalculateValue(6, 4), 2);
  EXPECT_EQ(TManySeriesPlotFunction(nullptr).CalculateValue(6, 4), 0);
  EXPECT_EQ(ErrorOf([] { TMultiplyPlotFunction(nullptr).CalculateValue(1e200, 1e200); }), "Floating point overflow");
}

TEST_F(FunctionFixture, LowHighAndSumAcrossSources) {
  TLineSeries* nine = Source({9, 9});
  TLineSeries* rising = Source({5, 6, 7, 8});
  Compute(Make<TLowPlotFunction>(), {nine, rising});
  EXPECT_EQ(YsOf(*result), (std::vector<double>{5, 6, 7, 8}));
  result->SetFunctionType(Make<THighPlotFunction>());
  EXPECT_EQ(YsOf(*result), (std::vector<double>{9, 9, 7, 8}));
  result->SetFunctionType(Make<TAddPlotFunction>());
  EXPECT_EQ(YsOf(*result), (std::vector<double>{14, 15, 7, 8}));
  result->SetFunctionType(Make<TAveragePlotFunction>());
  EXPECT_EQ(YsOf(*result), (std::vector<double>{7, 7.5, 7, 8}));
  TAddPlotFunction add(nullptr);
  EXPECT_EQ(add.ValueAcrossSources({nine, rising}, 10), 0) << "no source has the index";
  EXPECT_EQ(THighPlotFunction(nullptr).ValueAcrossSources({}, 0), 0);
}

// With one source the frame asks for the whole-range value: a level line over the X range.
TEST_F(FunctionFixture, SingleSourceGivesALevelLine) {
  TLineSeries* s = Source({3, -1, 7, 2}, 10);
  struct Case {
    chart::TPlotFunction* function;
    double value;
  };
  const std::vector<Case> cases = {{Make<TAddPlotFunction>(), 11},      {Make<TSubtractPlotFunction>(), 0},
                                   {Make<TMultiplyPlotFunction>(), 0},  {Make<TDividePlotFunction>(), 0},
                                   {Make<THighPlotFunction>(), 7},      {Make<TLowPlotFunction>(), -1},
                                   {Make<TAveragePlotFunction>(), 2.75}, {Make<TMedianPlotFunction>(), 2.5}};
  result->AddDataSource(s);
  for (const Case& c : cases) {
    result->SetFunctionType(c.function);
    EXPECT_EQ(XsOf(*result), (std::vector<double>{10, 13})) << c.function->ClassName();
    EXPECT_EQ(YsOf(*result), (std::vector<double>{c.value, c.value})) << c.function->ClassName();
  }
}

TEST_F(FunctionFixture, ValueOverRangeOfPointRanges) {
  TLineSeries* s = Source({3, -1, 7, 2, 5});
  TAddPlotFunction add(nullptr);
  EXPECT_EQ(add.ValueOverRange(s, 1, 3), 8);
  EXPECT_EQ(add.ValueOverRange(s, 3, 1), 0);
  THighPlotFunction high(nullptr);
  EXPECT_EQ(high.ValueOverRange(s, 0, 1), 3) << "starts from the value at First";
  EXPECT_EQ(high.ValueOverRange(s, 1, 4), 7);
  EXPECT_EQ(high.ValueOverRange(s, 4, 3), 0);
  TLowPlotFunction low(nullptr);
  EXPECT_EQ(low.ValueOverRange(s, 2, 4), 2);
  EXPECT_EQ(low.ValueOverRange(s, -1, -1), -1);
  // By periods of two points: [0,1], [2,3], [4].
  result->SetFunctionType(Make<TAveragePlotFunction>());
  result->FunctionType()->SetPeriod(2);
  result->AddDataSource(s);
  EXPECT_EQ(YsOf(*result), (std::vector<double>{1, 4.5, 5}));
  EXPECT_EQ(XsOf(*result), (std::vector<double>{0.5, 2.5, 4}));
}

TEST_F(FunctionFixture, AverageOfAnEmptySourceAndWithoutNulls) {
  TLineSeries* empty = Source({});
  TAveragePlotFunction average(nullptr);
  EXPECT_TRUE(average.IncludeNulls());
  EXPECT_EQ(average.ValueOverRange(empty, -1, -1), 0);
  TLineSeries* s = Source({4, 100, 6});
  s->AddNullPoint(3, 50);
  EXPECT_EQ(average.ValueOverRange(s, -1, -1), 40);
  average.SetIncludeNulls(false);
  EXPECT_EQ(average.ValueOverRange(s, -1, -1), 110.0 / 3);
  s->SetPointColor(1, chart::clNullPoint);
  EXPECT_EQ(average.ValueOverRange(s, -1, -1), 5);
  EXPECT_EQ(average.ValueOverRange(s, 1, 1), 0) << "nothing taken";
  TLineSeries* other = Source({10, 20});
  EXPECT_EQ(average.ValueAcrossSources({s, other}, 1), 20) << "the null point is left out";
  EXPECT_EQ(average.ValueAcrossSources({s, other}, 0), 7);
  EXPECT_EQ(average.GetEditorClassName(), "TAverageFuncEditor");
}

TEST_F(FunctionFixture, IncludeNullsRecomputesOnlyWhenChanged) {
  TLineSeries* s = Source({1, 2, 3});
  auto* average = Make<TAveragePlotFunction>();
  Compute(average, {s});
  ChangeCounter counter;
  result->AddListener(&counter);
  average->SetIncludeNulls(true);
  EXPECT_EQ(counter.changes, 0);
  average->SetIncludeNulls(false);
  EXPECT_EQ(counter.changes, 1);
  auto* median = Make<TMedianPlotFunction>();
  result->SetFunctionType(median);
  counter.changes = 0;
  median->SetIncludeNulls(true);
  EXPECT_EQ(counter.changes, 0);
  median->SetIncludeNulls(false);
  EXPECT_EQ(counter.changes, 1);
  result->RemoveListener(&counter);
}

TEST_F(FunctionFixture, MedianAndMode) {
  TMedianPlotFunction median(nullptr);
  TModePlotFunction mode(nullptr);
  EXPECT_EQ(median.ValueOverRange(Source({3, 1, 2}), -1, -1), 2);
  EXPECT_EQ(median.ValueOverRange(Source({4, 1, 3, 2}), -1, -1), 2.5);
  EXPECT_EQ(median.ValueOverRange(Source({4, 1, 3, 2}), 1, 2), 2);
  EXPECT_EQ(mode.ValueOverRange(Source({3, 3, 1, 2, 2}), -1, -1), 2) << "equal runs: the smaller value";
  EXPECT_EQ(mode.ValueOverRange(Source({5, 1, 5, 1, 5}), -1, -1), 5);
  EXPECT_EQ(mode.ValueOverRange(Source({8}), -1, -1), 8);
  EXPECT_EQ(mode.ValueOverRange(Source({}), -1, -1), 0);
  // An empty set has no middle: 0, like the mode.
  EXPECT_EQ(median.ValueOverRange(Source({}), -1, -1), 0);
  TLineSeries* nulls = Source({9, 7});
  nulls->SetPointColor(0, chart::clNullPoint);
  nulls->SetPointColor(1, chart::clNullPoint);
  median.SetIncludeNulls(false);
  EXPECT_EQ(median.ValueOverRange(nulls, -1, -1), 0);
  EXPECT_EQ(median.ValueAcrossSources({nulls}, 0), 0);
  EXPECT_EQ(median.ValueAcrossSources({}, 0), 0);
  median.SetIncludeNulls(true);
  EXPECT_EQ(median.ValueOverRange(nulls, -1, -1), 8);
  EXPECT_EQ(median.ValueAcrossSources({Source({4}), Source({9}), Source({1, 1})}, 0), 4);
  EXPECT_EQ(TCustomSortedFunction(nullptr).ValueOverRange(Source({1, 2}), -1, -1), 0);
}

TEST_F(FunctionFixture, CustomFunctionCallsItsEventFromStartX) {
  auto* custom = Make<TCustomPlotFunction>();
  EXPECT_EQ(custom->NumPoints(), 100);
  EXPECT_EQ(custom->StartX(), 0);
  EXPECT_EQ(custom->Period(), 1);
  EXPECT_EQ(custom->GetEditorClassName(), "TCustomFunctionEditor");
  result->SetFunctionType(custom);
  custom->SetNumPoints(3);
  custom->SetStartX(1);
  custom->SetPeriod(0.5);
  std::vector<double> calls, seen;
  custom->SetOnCalculate([&](TCustomPlotFunction* Sender, double X, double& Y) {
    calls.push_back(X);
    seen.push_back(Sender->X());
    Y = X * 10;
  });
  EXPECT_EQ(calls, (std::vector<double>{1, 1.5, 2}));
  EXPECT_EQ(seen, calls);
  EXPECT_EQ(XsOf(*result), (std::vector<double>{1, 1.5, 2}));
  EXPECT_EQ(YsOf(*result), (std::vector<double>{10, 15, 20}));
  custom->SetPeriod(0.25);
  EXPECT_EQ(XsOf(*result), (std::vector<double>{1, 1.25, 1.5})) << "a new step recomputes";
  custom->SetNumPoints(0);
  EXPECT_EQ(result->Count(), 0);
}

// A series drawn sideways keeps its values in X.
class SidewaysSeries : public TLineSeries {
 public:
  explicit SidewaysSeries(fw::TComponent* Owner) : TLineSeries(Owner) {
    SetYMandatory(false);
    XValues()->SetOrder(chart::loNone);
  }
};

TEST_F(FunctionFixture, CustomFunctionOnASidewaysSeriesExchangesXAndY) {
  auto* sideways = new SidewaysSeries(&owner);
  auto* custom = Make<TCustomPlotFunction>();
  sideways->SetFunctionType(custom);
  custom->SetNumPoints(2);
  custom->SetOnCalculate([](TCustomPlotFunction*, double X, double& Y) { Y = X + 100; });
  EXPECT_EQ(XsOf(*sideways), (std::vector<double>{100, 101}));
  EXPECT_EQ(YsOf(*sideways), (std::vector<double>{0, 1}));
}

TEST(BasicFunctionRegistration, TenClassesOnTheStandardPageInOrder) {
  UnRegisterBasicFunctions();
  RegisterBasicFunctions();
  const auto& gallery = chart::PlotFunctionGallery();
  const std::vector<std::pair<const std::type_info*, const char*>> expected = {
      {&typeid(TAddPlotFunction), "Add"},       {&typeid(TSubtractPlotFunction), "Subtract"},
      {&typeid(TMultiplyPlotFunction), "Multiply"}, {&typeid(TDividePlotFunction), "Divide"},
      {&typeid(THighPlotFunction), "High"},     {&typeid(TLowPlotFunction), "Low"},
      {&typeid(TAveragePlotFunction), "Average"}, {&typeid(TCustomPlotFunction), "y = f(x)"},
      {&typeid(TMedianPlotFunction), "Median"}, {&typeid(TModePlotFunction), "Mode"}};
  std::ptrdiff_t previous = -1;
  for (const auto& [type, description] : expected) {
    const std::type_info* wanted = type;  // a lambda captures a variable, not a structured binding
    auto it = std::find_if(gallery.begin(), gallery.end(),
                           [&](const chart::TPlotClassInfo& i) { return *i.Type == *wanted; });
    ASSERT_NE(it, gallery.end()) << description;
    EXPECT_EQ(it->Description, description);
    EXPECT_EQ(it->Page, chart::PlotMsg_FunctionsPage);
    EXPECT_GT(it - gallery.begin(), previous) << description;
    previous = it - gallery.begin();
    std::unique_ptr<fw::TComponent> made(it->Create(nullptr));
    const fw::TComponent& component = *made;
    EXPECT_EQ(typeid(component), *type);
  }
  for (const char* unregistered : {"TManySeriesPlotFunction", "TCustomSortedFunction"})
    EXPECT_TRUE(std::none_of(gallery.begin(), gallery.end(),
                             [&](const chart::TPlotClassInfo& i) { return i.Name == unregistered; }));
  UnRegisterBasicFunctions();
  EXPECT_TRUE(std::none_of(gallery.begin(), gallery.end(),
                           [](const chart::TPlotClassInfo& i) { return *i.Type == typeid(TModePlotFunction); }));
}
