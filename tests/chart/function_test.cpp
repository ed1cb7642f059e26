#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "chart/Series.h"
#include "chart_TestSupport.h"

using namespace chart;

namespace {

// Sums the source's values over a range, and across sources at an index; records each range.
class SumFunction : public TPlotFunction {
 public:
  using TPlotFunction::TPlotFunction;
  std::vector<std::pair<Integer, Integer>> ranges;
  double ValueOverRange(TChartSeries* Source, Integer First, Integer Last) override {
    ranges.emplace_back(First, Last);
    TChartValueList* list = SourceValueList(Source);
    if (First < 0) First = 0, Last = list->Count() - 1;
    double sum = 0;
    for (Integer i = First; i <= Last; ++i) sum += list->Value(i);
    return sum;
  }
  double ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) override {
    double sum = 0;
    for (TChartSeries* s : Sources)
      if (s->Count() > Index) sum += s->PointY(Index);
    return sum;
  }
};

class MovingSum : public TPlotMovingFunction {
 public:
  using TPlotMovingFunction::TPlotMovingFunction;
  double ValueOverRange(TChartSeries* Source, Integer First, Integer Last) override {
    double sum = 0;
    for (Integer i = First; i <= Last; ++i) sum += Source->PointY(i);
    return sum;
  }
};

std::vector<std::pair<double, double>> Points(const TChartSeries& s) {
  std::vector<std::pair<double, double>> out;
  for (Integer i = 0; i < s.Count(); ++i) out.emplace_back(s.PointX(i), s.PointY(i));
  return out;
}
using P = std::vector<std::pair<double, double>>;

struct FunctionFixture : ::testing::Test {
  fw::TComponent owner{nullptr};
  TLineSeries* source = new TLineSeries(&owner);
  TLineSeries* result = new TLineSeries(&owner);
  SumFunction* fn = new SumFunction(&owner);
  void SetUp() override {
    // X 0, 2, 4, ... 12; Y 1 .. 7
    for (int i = 0; i < 7; ++i) source->AddXY(i * 2, i + 1);
    result->SetFunctionType(fn);
  }
};

TEST_F(FunctionFixture, DefaultsAndNegativePeriod) {
  EXPECT_EQ(fn->Period(), 0);
  EXPECT_EQ(fn->PeriodStyle(), psNumPoints);
  EXPECT_EQ(fn->PeriodAlign(), paCenter);
  EXPECT_EQ(fn->GetEditorClassName(), "TPlotFunctionEditor");
  EXPECT_EQ(fn->ParentSeries(), result);
  try {
    fn->SetPeriod(-1);
    FAIL() << "accepted";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "Function Period should be >= 0");
  }
  EXPECT_THROW(fn->SetPeriod(std::nan("")), fw::Exception);
  EXPECT_EQ(fn->Period(), 0);
  TPlotMovingFunction moving(nullptr);
  EXPECT_EQ(moving.Period(), 1);
  EXPECT_TRUE(moving.SingleSource());
}

TEST_F(FunctionFixture, WholeRangeGivesALevelLineOverTheSourceX) {
  result->SetDataSource(source);
  EXPECT_EQ(Points(*result), (P{{0, 28}, {12, 28}}));
  EXPECT_EQ(fn->ranges.back(), std::make_pair(-1, -1));
}

TEST_F(FunctionFixture, PointPeriodsIncludeTheLastPartialPeriod) {
  result->SetDataSource(source);
  fn->ranges.clear();
  fn->SetPeriod(3);
  EXPECT_EQ(fn->ranges, (std::vector<std::pair<Integer, Integer>>{{0, 2}, {3, 5}, {6, 6}}));
  EXPECT_EQ(Points(*result), (P{{2, 6}, {8, 15}, {12, 7}}));  // centre = mean of first and last X
  fn->SetPeriodAlign(paFirst);
  EXPECT_EQ(Points(*result), (P{{0, 6}, {6, 15}, {12, 7}}));
  fn->SetPeriodAlign(paLast);
  EXPECT_EQ(Points(*result), (P{{4, 6}, {10, 15}, {12, 7}}));
  fn->SetPeriod(2.6);  // rounds to 3 points
  EXPECT_EQ(result->Count(), 3);
  fn->SetPeriod(0.2);  // at least one point
  EXPECT_EQ(result->Count(), 7);
}

TEST_F(FunctionFixture, RangePeriodsStartAtTheFirstX) {
  source->Clear();
  for (double x : {1.0, 1.5, 2.9, 3.0, 7.2, 7.9}) source->AddXY(x, x);
  result->SetDataSource(source);
  fn->SetPeriodStyle(psRange);
  fn->ranges.clear();
  fn->SetPeriod(2);  // [1,3) [3,5) [5,7) empty, [7,9)
  EXPECT_EQ(fn->ranges, (std::vector<std::pair<Integer, Integer>>{{0, 2}, {3, 3}, {4, 5}}));
  const P expected{{1.95, 5.4}, {3, 3}, {7.55, 15.1}};
  P got = Points(*result);
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(got[i].first, expected[i].first, 1e-12);
    EXPECT_NEAR(got[i].second, expected[i].second, 1e-12);
  }
}

TEST_F(FunctionFixture, ManySourcesFollowTheLongestSource) {
  TLineSeries* shorter = new TLineSeries(&owner);
  shorter->AddXY(100, 10, "s0");
  shorter->AddXY(101, 20);
  source->SetPointLabel(1, "lbl");
  result->AddDataSource(shorter);
  result->AddDataSource(source);
  ASSERT_EQ(result->Count(), 7);
  EXPECT_EQ(result->PointX(0), 0);
  EXPECT_EQ(result->PointY(0), 11);
  EXPECT_EQ(result->PointY(1), 22);
  EXPECT_EQ(result->PointY(2), 3);
  EXPECT_EQ(result->PointLabel(1), "lbl");
  EXPECT_EQ(result->PointColor(0), clTeeColor);
  // Equal counts: the first passed is the reference.
  TLineSeries* twin = new TLineSeries(&owner);
  for (int i = 0; i < 7; ++i) twin->AddXY(50 + i, 0);
  TLineSeries* r2 = new TLineSeries(&owner);
  SumFunction* f2 = new SumFunction(&owner);
  r2->SetFunctionType(f2);
  r2->AddDataSource(twin);
  r2->AddDataSource(source);
  EXPECT_EQ(r2->PointX(0), 50);
}

TEST_F(FunctionFixture, SourceChangesAndDeletionRecompute) {
  result->SetDataSource(source);
  source->AddXY(14, 100);
  EXPECT_EQ(Points(*result), (P{{0, 128}, {14, 128}}));
  source->BeginUpdate();
  source->Add(1);
  source->Add(1);
  const Integer before = Integer(fn->ranges.size());
  source->Clear();
  EXPECT_EQ(Integer(fn->ranges.size()), before);  // held until EndUpdate
  source->AddXY(1, 2);
  source->EndUpdate();
  EXPECT_EQ(Points(*result), (P{{1, 2}, {1, 2}}));
  delete source;
  source = nullptr;
  EXPECT_TRUE(result->DataSources().empty());
  delete fn;
  fn = nullptr;
  EXPECT_EQ(result->FunctionType(), nullptr);
}

TEST_F(FunctionFixture, SourceValueListHonoursTheValueSource) {
  source->YValues()->SetName("Close");
  EXPECT_EQ(fn->SourceValueList(source), source->YValues());
  result->YValues()->SetValueSource("X");
  EXPECT_EQ(fn->SourceValueList(source), source->XValues());
  result->YValues()->SetValueSource("Missing");
  EXPECT_EQ(fn->SourceValueList(source), source->YValues());
}

TEST(MovingFunction, WindowsOfPeriodPoints) {
  fw::TComponent owner(nullptr);
  auto* src = new TLineSeries(&owner);
  for (int i = 0; i < 5; ++i) src->AddXY(i * 10, i + 1);
  auto* res = new TLineSeries(&owner);
  auto* fn = new MovingSum(&owner);
  fn->SetPeriod(3);
  fn->SetPeriodAlign(paLast);
  res->SetFunctionType(fn);
  res->SetDataSource(src);
  EXPECT_EQ(Points(*res), (P{{20, 6}, {30, 9}, {40, 12}}));
  fn->SetPeriodAlign(paCenter);
  EXPECT_EQ(Points(*res), (P{{10, 6}, {20, 9}, {30, 12}}));
  fn->SetPeriod(6);  // longer than the source
  EXPECT_EQ(res->Count(), 0);
}

}  // namespace
