#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "chart_TestSupport.h"

using namespace chart;

namespace {

struct IncrementCase {
  double lo, hi;
  Integer length, labelSize;
  double increment;
  std::vector<const char*> texts;
};

class AxisLabels : public ::testing::TestWithParam<IncrementCase> {
  charttest::PlainNumberFormat plain;
};

TEST_P(AxisLabels, IncrementAndTexts) {
  const IncrementCase& c = GetParam();
  TChartAxis axis(true);
  axis.SetMinMax(c.lo, c.hi);
  axis.SetPositions(0, c.length);
  const double inc = axis.CalcIncrement(c.labelSize);
  EXPECT_NEAR(inc, c.increment, c.increment * 1e-12);
  std::vector<double> values = axis.LabelValues(c.labelSize);
  std::vector<std::string> texts;
  for (double v : values) texts.push_back(axis.LabelText(v, inc));
  std::vector<std::string> expected(c.texts.begin(), c.texts.end());
  EXPECT_EQ(texts, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, AxisLabels,
    ::testing::Values(
        IncrementCase{0, 10, 500, 100, 2, {"0", "2", "4", "6", "8", "10"}},
        IncrementCase{0, 10, 100, 100, 10, {"0", "10"}},
        IncrementCase{0.3, 1.7, 700, 100, 0.2, {"0.4", "0.6", "0.8", "1", "1.2", "1.4", "1.6"}},
        IncrementCase{-7, -1, 300, 100, 2, {"-6", "-4", "-2"}},
        IncrementCase{-3, 4, 400, 100, 2, {"-2", "0", "2", "4"}},
        IncrementCase{0, 1e-12, 500, 100, 2e-13,
                      {"0", "0.0000000000002", "0.0000000000004", "0.0000000000006", "0.0000000000008",
                       "0.000000000001"}},
        IncrementCase{0, 1e12, 300, 100, 5e11, {"0", "500,000,000,000", "1,000,000,000,000"}},
        IncrementCase{1e12, 1e12 + 3, 300, 100, 1, {"1,000,000,000,000", "1,000,000,000,001",
                                                   "1,000,000,000,002", "1,000,000,000,003"}}));

TEST(Axis, ReadableIncrementIsOneTwoOrFiveTimesAPowerOfTen) {
  for (double range : {1e-12, 3.7e-5, 0.9, 7.0, 123.0, 4.4e8, 1e12}) {
    for (Integer length : {50, 333, 1600}) {
      double inc = TChartAxis::ReadableIncrement(range, length, 40);
      double mantissa = inc / std::pow(10.0, std::floor(std::log10(inc) + 1e-12));
      EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
          << range << " " << length;
      // Labels fit, and the next smaller step would not.
      double maxLabels = std::max(1.0, length / 40.0);
      EXPECT_LE(range / inc, maxLabels * (1 + 1e-9));
      double smaller = inc / (std::fabs(mantissa - 5) < 1e-9 ? 2.5 : 2);
      EXPECT_GT(range / smaller, maxLabels * (1 - 1e-9));
    }
  }
  EXPECT_EQ(TChartAxis::ReadableIncrement(0, 100, 10), 0);
  EXPECT_EQ(TChartAxis::ReadableIncrement(std::nan(""), 100, 10), 0);
  EXPECT_EQ(TChartAxis::ReadableIncrement(10, 0, 0), 10);
}

TEST(Axis, UserIncrementWinsWhenLarger) {
  TChartAxis axis;
  axis.SetMinMax(0, 10);
  axis.SetPositions(0, 1000);
  axis.SetIncrement(2.5);
  EXPECT_EQ(axis.CalcIncrement(50), 2.5);
  EXPECT_EQ(axis.LabelValues(50), (std::vector<double>{0, 2.5, 5, 7.5, 10}));
  axis.SetIncrement(0.001);
  EXPECT_EQ(axis.CalcIncrement(50), 0.5);
  EXPECT_THROW(axis.SetIncrement(-1), fw::Exception);
}

TEST(Axis, RoundFirstLabel) {
  TChartAxis axis;
  axis.SetMinMax(0.3, 1.1);
  axis.SetPositions(0, 400);
  axis.SetIncrement(0.5);
  EXPECT_EQ(axis.LabelValues(10), (std::vector<double>{0.5, 1.0}));
  axis.SetRoundFirstLabel(false);
  std::vector<double> v = axis.LabelValues(10);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_DOUBLE_EQ(v[0], 0.3);
  EXPECT_DOUBLE_EQ(v[1], 0.8);
}

TEST(Axis, LogarithmicLabelsArePowersOfTheBase) {
  TChartAxis axis(false);
  axis.SetLogarithmic(true);
  axis.SetMinMax(0.5, 2000);
  axis.SetPositions(0, 1000);
  EXPECT_EQ(axis.CalcIncrement(20), 1);
  std::vector<double> v = axis.LabelValues(20);
  ASSERT_EQ(v.size(), 4u);
  for (size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(v[i], std::pow(10.0, double(i)), 1e-9 * v[i]);
  axis.SetPositions(0, 40);  // room for two labels: every second decade
  EXPECT_EQ(axis.CalcIncrement(20), 2);
  v = axis.LabelValues(20);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_NEAR(v[1], 100, 1e-9);
  axis.SetLogarithmicBase(2);
  axis.SetMinMax(1, 16);
  axis.SetPositions(0, 1000);
  v = axis.LabelValues(20);
  ASSERT_EQ(v.size(), 5u);
  EXPECT_NEAR(v[4], 16, 1e-9);
  EXPECT_THROW(axis.SetLogarithmicBase(1), fw::Exception);
  EXPECT_THROW(axis.SetLogarithmicBase(std::nan("")), fw::Exception);
}

TEST(Axis, BoundsRefuseMaximumBelowMinimum) {
  TChartAxis axis;
  axis.SetMinMax(5, -5);  // swapped
  EXPECT_EQ(axis.Minimum(), -5);
  EXPECT_EQ(axis.Maximum(), 5);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  try {
    axis.SetMaximum(-6);
    FAIL() << "accepted";
  } catch (const fw::Exception& e) {
    EXPECT_STREQ(e.what(), "Axis maximum should be >= minimum");
  }
  EXPECT_EQ(axis.Maximum(), 5);
  EXPECT_THROW(axis.SetMinimum(6), fw::Exception);
  EXPECT_THROW(axis.SetMinMax(0, std::numeric_limits<double>::infinity()), fw::Exception);
  axis.SetMaximum(-5);
  EXPECT_EQ(axis.Maximum(), -5);
}

TEST(Axis, ValuePixelRoundTrips) {
  for (bool horizontal : {true, false}) {
    for (bool inverted : {false, true}) {
      for (bool log : {false, true}) {
        TChartAxis axis(horizontal);
        axis.SetInverted(inverted);
        axis.SetLogarithmic(log);
        axis.SetMinMax(log ? 0.01 : -40, log ? 1e4 : 60);
        axis.SetPositions(37, 837);
        const bool minAtStart = horizontal != inverted;
        EXPECT_EQ(axis.CalcPosValue(axis.Minimum()), minAtStart ? 37 : 837);
        EXPECT_EQ(axis.CalcPosValue(axis.Maximum()), minAtStart ? 837 : 37);
        for (Integer px = 37; px <= 837; px += 7) EXPECT_EQ(axis.CalcPosValue(axis.CalcPosPoint(px)), px);
        for (double v : {0.02, 0.5, 3.0, 17.25, 59.0}) {
          double back = axis.CalcPosPoint(axis.CalcPosValue(v));
          double perPixel = log ? back * std::log(1e6) / 800 : 100.0 / 800;
          EXPECT_NEAR(back, v, perPixel) << horizontal << inverted << log;
        }
      }
    }
  }
}

TEST(Axis, BadValuesMapWithoutOverflow) {
  TChartAxis axis;
  axis.SetMinMax(0, 1);
  axis.SetPositions(0, 100);
  EXPECT_EQ(axis.CalcPosValue(std::nan("")), 0);
  EXPECT_EQ(axis.CalcPosValue(std::numeric_limits<double>::infinity()), 1 << 30);
  EXPECT_EQ(axis.CalcPosValue(-1e300), -(1 << 30));
  axis.SetMinMax(3, 3);
  EXPECT_EQ(axis.CalcPosValue(3), 50);
  axis.SetLogarithmic(true);
  axis.SetMinMax(-5, 100);  // minimum taken as 10
  EXPECT_EQ(axis.CalcPosValue(10), 0);
  EXPECT_EQ(axis.CalcPosValue(-1), -(1 << 30));  // off the axis on the minimum side
  EXPECT_EQ(axis.CalcPosValue(100), 100);
  axis.SetPositions(0, 0);
  EXPECT_EQ(axis.CalcPosPoint(10), -5);
}

TEST(Axis, AutomaticScalingScrollAndSeriesExtremes) {
  TChartAxis bottom(true), left(false);
  TLineSeries a(nullptr), b(nullptr), other(nullptr);
  for (TLineSeries* s : {&a, &b}) s->SetHorizAxis(&bottom), s->SetVertAxis(&left);
  a.AddXY(1, 10);
  a.AddXY(4, std::nan(""));
  a.AddXY(3, -2);
  b.AddXY(-1, 5);
  b.AddXY(2, 7);
  other.AddXY(-100, 100);
  TChartSeriesList list;
  list.Add(&a);
  list.Add(&b);
  list.Add(&other);
  EXPECT_EQ(MinimumXOnAxis(list, &bottom), -1);
  EXPECT_EQ(MaximumXOnAxis(list, &bottom), 3);
  b.SetActive(false);
  EXPECT_EQ(MinimumXOnAxis(list, &bottom), 1);
  b.SetActive(true);
  bottom.SetSeriesList(&list);
  left.SetSeriesList(&list);
  bottom.AdjustMaxMin();
  left.AdjustMaxMin();
  EXPECT_EQ(bottom.Minimum(), -1);
  EXPECT_EQ(bottom.Maximum(), 3);
  EXPECT_EQ(left.Minimum(), -2);
  EXPECT_EQ(left.Maximum(), 10);
  int changes = 0;
  bottom.OnChange = [&](fw::TObject*) { ++changes; };
  bottom.Scroll(1, true);  // would pass the largest X: refused
  EXPECT_EQ(bottom.Maximum(), 3);
  EXPECT_TRUE(bottom.Automatic());
  bottom.Scroll(1, false);
  EXPECT_EQ(bottom.Minimum(), 0);
  EXPECT_EQ(bottom.Maximum(), 4);
  EXPECT_FALSE(bottom.Automatic());
  bottom.Scroll(-0.5, true);
  EXPECT_EQ(bottom.Minimum(), -0.5);
  EXPECT_EQ(changes, 2);
  // Automatic minimum only.
  bottom.SetAutomaticMinimum(true);
  bottom.AdjustMaxMin();
  EXPECT_EQ(bottom.Minimum(), -1);
  EXPECT_EQ(bottom.Maximum(), 3.5);

  // A series of null points only gives no range: it does not pull the axis to 0.
  TLineSeries nulls(nullptr);
  nulls.SetHorizAxis(&bottom);
  nulls.SetVertAxis(&left);
  nulls.AddNullPoint(50, 50);
  nulls.AddXY(60, std::nan(""));
  list.Add(&nulls);
  left.AdjustMaxMin();
  EXPECT_EQ(left.Minimum(), -2);
  EXPECT_EQ(left.Maximum(), 10);
  double lo = 1, hi = 1;
  EXPECT_FALSE(nulls.ValueRange(nulls.YValues(), lo, hi));
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
  EXPECT_TRUE(a.ValueRange(a.XValues(), lo, hi));
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 3) << "the point with a NaN Y leaves out its X";
  list.Remove(&nulls);
}

}  // namespace
