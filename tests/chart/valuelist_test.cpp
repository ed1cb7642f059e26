#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/Series.h"
#include "chart_TestSupport.h"

using namespace chart;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::vector<double> Values(const TChartValueList* l) {
  std::vector<double> v;
  for (Integer i = 0; i < l->Count(); ++i) v.push_back(l->Value(i));
  return v;
}

TEST(ValueList, SortedInsertKeepsYLabelsAndColoursInStep) {
  TLineSeries s(nullptr);
  s.AddXY(5, 50, "five");
  s.AddXY(1, 10, "", fw::clRed);
  s.AddXY(3, 30, "three");
  s.AddXY(3, 31);  // equal X goes after the existing one
  s.AddXY(0, 0);
  EXPECT_EQ(Values(s.XValues()), (std::vector<double>{0, 1, 3, 3, 5}));
  EXPECT_EQ(Values(s.YValues()), (std::vector<double>{0, 10, 30, 31, 50}));
  EXPECT_EQ(s.PointLabel(2), "three");
  EXPECT_EQ(s.PointLabel(4), "five");
  EXPECT_EQ(s.PointLabel(3), "");
  EXPECT_EQ(s.PointColor(1), fw::clRed);
  EXPECT_EQ(s.PointColor(0), clTeeColor);
  EXPECT_EQ(s.PointColor(4), clTeeColor);
}

TEST(ValueList, DescendingAndUnorderedInsert) {
  TLineSeries s(nullptr);
  s.XValues()->SetOrder(loDescending);
  for (double x : {2.0, 7.0, 1.0, 5.0}) s.AddXY(x, x * 10);
  EXPECT_EQ(Values(s.XValues()), (std::vector<double>{7, 5, 2, 1}));
  EXPECT_EQ(Values(s.YValues()), (std::vector<double>{70, 50, 20, 10}));

  TLineSeries u(nullptr);
  u.XValues()->SetOrder(loNone);
  for (double x : {2.0, 7.0, 1.0}) u.AddXY(x, 0);
  EXPECT_EQ(Values(u.XValues()), (std::vector<double>{2, 7, 1}));
  // Ordering later sorts the points, Y following.
  u.YValues()->SetValue(1, 77);
  u.XValues()->SetOrder(loAscending);
  EXPECT_EQ(Values(u.XValues()), (std::vector<double>{1, 2, 7}));
  EXPECT_EQ(u.PointY(2), 77);
}

TEST(ValueList, NaNXGoesLastAndLaterInsertsStaySorted) {
  TLineSeries s(nullptr);
  s.AddXY(2, 1);
  s.AddXY(kNaN, 1);
  s.AddXY(1, 1);
  s.AddXY(3, 1);
  EXPECT_EQ(s.PointX(0), 1);
  EXPECT_EQ(s.PointX(1), 2);
  EXPECT_EQ(s.PointX(2), 3);
  EXPECT_TRUE(std::isnan(s.PointX(3)));
  EXPECT_EQ(s.XValues()->Locate(3), 2);
  EXPECT_EQ(s.XValues()->Locate(2.5), -1);
}

TEST(ValueList, CachedStatisticsFollowInsertDeleteAndSet) {
  TLineSeries s(nullptr);
  for (double y : {4.0, -2.0, 9.0, 1.0}) s.Add(y);
  const TChartValueList* ys = s.YValues();
  EXPECT_EQ(ys->MinValue(), -2);
  EXPECT_EQ(ys->MaxValue(), 9);
  EXPECT_EQ(ys->Total(), 12);
  EXPECT_EQ(ys->TotalABS(), 16);
  s.Delete(2);  // removes 9
  EXPECT_EQ(ys->MaxValue(), 4);
  EXPECT_EQ(ys->Total(), 3);
  s.AddXY(-1, 100);
  EXPECT_EQ(ys->MaxValue(), 100);
  EXPECT_EQ(s.PointY(0), 100);  // inserted first by its X
  s.SetPointY(0, -50);
  EXPECT_EQ(ys->MinValue(), -50);
  EXPECT_EQ(ys->Total(), -47);
  s.DeletePoints(0, 2);
  EXPECT_EQ(ys->MinValue(), -2);
  EXPECT_EQ(ys->MaxValue(), 1);
  s.Clear();
  EXPECT_EQ(ys->Count(), 0);
  EXPECT_EQ(ys->Total(), 0);
}

TEST(ValueList, NonFiniteValuesStayOutOfStatistics) {
  TLineSeries s(nullptr);
  for (double y : {3.0, kNaN, kInf, -kInf, -1.0}) s.Add(y);
  EXPECT_EQ(s.YValues()->MinValue(), -1);
  EXPECT_EQ(s.YValues()->MaxValue(), 3);
  EXPECT_EQ(s.YValues()->Total(), 2);
}

TEST(ValueList, MultiplierScalesReadsAndStatistics) {
  TLineSeries s(nullptr);
  for (double y : {1.0, -3.0, 2.0}) s.Add(y);
  s.YValues()->SetMultiplier(-2);
  EXPECT_EQ(s.PointY(1), 6);
  EXPECT_EQ(s.YValues()->MinValue(), -4);
  EXPECT_EQ(s.YValues()->MaxValue(), 6);
  EXPECT_EQ(s.YValues()->Total(), 0);
  EXPECT_EQ(s.YValues()->TotalABS(), 12);
}

TEST(ValueList, DeleteExchangeFillSequenceAndBounds) {
  TChartValueList l(nullptr, "V");
  TLineSeries s(nullptr);
  for (double y : {5.0, 6.0, 7.0, 8.0}) s.Add(y);
  l.Assign(s.YValues());
  EXPECT_EQ(l.Name(), "Y");
  l.Exchange(0, 3);
  EXPECT_EQ(Values(&l), (std::vector<double>{8, 6, 7, 5}));
  l.Exchange(0, 9);  // out of range: nothing
  l.Delete(1, 100);
  EXPECT_EQ(Values(&l), (std::vector<double>{8}));
  l.Delete(-1);
  l.Delete(5);
  EXPECT_EQ(l.Count(), 1);
  EXPECT_EQ(l.First(), 8);
  EXPECT_EQ(l.Last(), 8);
  s.XValues()->SetOrder(loNone);
  s.XValues()->SetValue(0, 40);
  s.XValues()->FillSequence();
  EXPECT_EQ(Values(s.XValues()), (std::vector<double>{0, 1, 2, 3}));
  EXPECT_EQ(s.XValues()->Locate(2), 2);
}

TEST(ValueList, LoadedLineSeriesNeedsAtMost24BytesPerPoint) {
  TLineSeries s(nullptr);
  const Integer n = 1000003;
  for (Integer i = 0; i < n; ++i) s.AddXY(i, std::sin(i * 0.001));
  std::size_t bytes = (s.XValues()->Capacity() + s.YValues()->Capacity()) * sizeof(double);
  EXPECT_LE(double(bytes) / n, 24.0);
  EXPECT_FALSE(s.HasPointColors());
  EXPECT_TRUE(s.Labels().Empty());
}

TEST(Labels, GetterIsEmptyPastTheEndAndSetterGrows) {
  TLabelsList labels;
  EXPECT_EQ(labels.Labels(3), "");
  labels.SetLabels(3, "d");
  EXPECT_EQ(labels.Count(), 4);
  EXPECT_EQ(labels.Labels(0), "");
  EXPECT_EQ(labels.Labels(3), "d");
  labels.SetLabels(-1, "x");
  EXPECT_EQ(labels.Count(), 4);
}

}  // namespace
