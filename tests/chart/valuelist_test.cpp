#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>
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

// Every way of changing the values must show in the remembered ranges and the line summary.
TEST(ValueList, EveryChangeOfTheValuesRenewsWhatIsDerivedFromThem) {
  const std::vector<std::pair<const char*, std::function<void(TLineSeries&)>>> changes = {
      {"SetPointX", [](TLineSeries& s) { s.SetPointX(3, -50); }},
      {"SetPointY", [](TLineSeries& s) { s.SetPointY(40, 1e6); }},
      {"SetValue", [](TLineSeries& s) { s.YValues()->SetValue(7, -1e6); }},
      {"AddXY", [](TLineSeries& s) { s.AddXY(1e5, -7); }},
      {"DeletePoint", [](TLineSeries& s) { s.DeletePoint(0); }},
      {"DeleteRemovingGap", [](TLineSeries& s) { s.DeletePoints(10, 30, true); }},
      {"Exchange", [](TLineSeries& s) { s.YValues()->Exchange(0, 99); }},
      {"FillSequence", [](TLineSeries& s) { s.YValues()->FillSequence(); }},
      {"Multiplier", [](TLineSeries& s) { s.YValues()->SetMultiplier(-3); }},
      {"SortByY", [](TLineSeries& s) { s.YValues()->SetOrder(loDescending); }},
      {"Append", [](TLineSeries& s) { const double x[] = {500, 501}, y[] = {-90, 90}; s.AppendPoints(x, y, 2); }},
      {"Adopt", [](TLineSeries& s) { s.AdoptPoints({1, 2, 3}, {-4, 5, 6}); }},
      {"Assign", [](TLineSeries& s) { TLineSeries o(nullptr); o.AddXY(-1, -2); o.AddXY(8, 9); s.AssignValues(&o); }},
      {"CopyFrom", [](TLineSeries& s) { TLineSeries o(nullptr); o.AddXY(4, 4); s.CopyPointsFrom(&o); }},
      {"Clear", [](TLineSeries& s) { s.Clear(); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    TLineSeries s(nullptr);
    for (int i = 0; i < 100; ++i) s.AddXY(i, std::sin(i * 0.3) * 10);
    // Taken once before the change, so that a stale copy would be there to be returned.
    double lo, hi;
    s.ValueRange(s.YValues(), lo, hi);
    s.ValueRange(s.XValues(), lo, hi);
    s.LineSummary();
    change(s);
    double yLo = 0, yHi = 0, xLo = 0, xHi = 0, rawYLo = HUGE_VAL;
    bool any = false;
    for (Integer i = 0; i < s.Count(); ++i) {
      if (i < 32) rawYLo = std::min(rawYLo, s.YValues()->Data()[i]);
      const double x = s.PointX(i), y = s.PointY(i);
      yLo = any ? std::min(yLo, y) : y;
      yHi = any ? std::max(yHi, y) : y;
      xLo = any ? std::min(xLo, x) : x;
      xHi = any ? std::max(xHi, x) : x;
      any = true;
    }
    EXPECT_EQ(s.MinYValue(), yLo);
    EXPECT_EQ(s.MaxYValue(), yHi);
    EXPECT_EQ(s.MinXValue(), xLo);
    EXPECT_EQ(s.MaxXValue(), xHi);
    const TLineSummary& summary = s.LineSummary();
    EXPECT_EQ(summary.BlockCount(0), std::size_t(s.Count()) / 32);
    if (summary.BlockCount(0) > 0 && summary.At(0, 0).Usable()) {
      EXPECT_EQ(summary.At(0, 0).lo, rawYLo);
    }
  }
}

TEST(ValueList, LoadedLineSeriesNeedsAtMost24BytesPerPoint) {
  TLineSeries s(nullptr);
  const Integer n = 1000003;
  for (Integer i = 0; i < n; ++i) s.AddXY(i, std::sin(i * 0.001));
  const std::size_t bytes =
      (s.XValues()->Capacity() + s.YValues()->Capacity()) * sizeof(double) + s.LineSummary().Bytes();
  EXPECT_GT(s.LineSummary().BlockCount(0), 0u);
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
