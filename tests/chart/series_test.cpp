#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/Series.h"
#include "chart_TestSupport.h"

using namespace chart;
using charttest::EventRecorder;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(Series, NullPointsAndNonFiniteValuesAreNull) {
  TLineSeries s(nullptr);
  s.Add(1);
  s.AddNull("gap");
  s.AddXY(5, kNaN);
  s.AddXY(6, kInf);
  s.AddNullPoint(7, 70);
  s.AddXY(8, 2);
  EXPECT_EQ(s.Count(), 6);
  EXPECT_FALSE(s.IsNullPoint(0));
  EXPECT_TRUE(s.IsNullPoint(1));
  EXPECT_EQ(s.PointX(1), 1);
  EXPECT_EQ(s.PointY(1), 0);
  EXPECT_EQ(s.PointLabel(1), "gap");
  EXPECT_TRUE(s.IsNullPoint(2));
  EXPECT_TRUE(s.IsNullPoint(3));
  EXPECT_TRUE(s.IsNullPoint(4));
  EXPECT_EQ(s.PointColor(4), clNullPoint);
  EXPECT_FALSE(s.IsNullPoint(5));
  EXPECT_EQ(s.PointX(5), 8);
  EXPECT_FALSE(s.IsNullPoint(-1));
  EXPECT_FALSE(s.IsNullPoint(99));
  EXPECT_EQ(s.ValueColor(2), fw::clNone);
}

TEST(Series, AFirstPointAddedAsNullIsNull) {
  TLineSeries s(nullptr);
  s.AddNullValue();
  EXPECT_TRUE(s.IsNullPoint(0));
  s.AddXY(5, 1);
  EXPECT_TRUE(s.IsNullPoint(0));
  EXPECT_FALSE(s.IsNullPoint(1));
  TLineSeries coloured(nullptr);
  coloured.AddXY(1, 1, "", fw::clRed);
  EXPECT_EQ(coloured.PointColor(0), fw::clRed);
}

TEST(Series, ExtremesSkipNullAndNonFinitePoints) {
  TLineSeries s(nullptr);
  s.AddXY(1, 5);
  s.AddNullPoint(-100, -100);
  s.AddXY(2, kNaN);
  s.AddXY(kInf, 3);
  s.AddXY(3, -2);
  EXPECT_EQ(s.MinXValue(), 1);
  EXPECT_EQ(s.MaxXValue(), 3);
  EXPECT_EQ(s.MinYValue(), -2);
  EXPECT_EQ(s.MaxYValue(), 5);
  TLineSeries empty(nullptr);
  EXPECT_EQ(empty.MinXValue(), 0);
  EXPECT_EQ(empty.MaxYValue(), 0);

  // Values made non-finite after adding (no null colour): still left out, with or without
  // point colours, also when the first point is the one.
  TLineSeries edited(nullptr);
  edited.AddXY(1, 4);
  edited.AddXY(2, 6);
  edited.AddXY(3, 5);
  edited.SetPointY(0, kNaN);
  edited.SetPointY(2, -kInf);
  EXPECT_EQ(edited.MinYValue(), 6);
  EXPECT_EQ(edited.MaxYValue(), 6);
  edited.SetPointColor(1, fw::clRed);
  EXPECT_EQ(edited.MinYValue(), 6);
  EXPECT_EQ(edited.MaxYValue(), 6);
  edited.SetPointY(1, 7);
  EXPECT_EQ(edited.MaxYValue(), 7) << "a changed value is seen";
}

TEST(Series, ValueColorTakesOwnThenSeriesOrPaletteColour) {
  TLineSeries s(nullptr);
  for (int i = 0; i < 25; ++i) s.Add(i);
  s.SetPointColor(3, fw::clPurple);
  EXPECT_EQ(s.SeriesColor(), PlotDefaultPaletteColor(0));
  s.SetSeriesColor(fw::clNavy);
  EXPECT_EQ(s.ValueColor(0), fw::clNavy);
  EXPECT_EQ(s.ValueColor(3), fw::clPurple);
  s.SetColorEachPoint(true);
  EXPECT_EQ(s.ValueColor(2), PlotDefaultPaletteColor(2));
  EXPECT_EQ(s.ValueColor(22), PlotDefaultPaletteColor(2));
  EXPECT_EQ(s.ValueColor(3), fw::clPurple);
  s.SetPointColor(4, clNullPoint);
  EXPECT_EQ(s.ValueColor(4), fw::clNone);
  EXPECT_TRUE(s.IsNullPoint(4));
}

TEST(Series, EventsAreHeldUntilTheOuterEndUpdate) {
  TLineSeries s(nullptr);
  EventRecorder rec;
  s.AddListener(&rec);
  s.Add(1);
  EXPECT_EQ(rec.events, (std::vector<TChartSeriesEvent>{seDataChanged}));
  rec.events.clear();
  s.BeginUpdate();
  s.BeginUpdate();
  s.Add(2);
  s.SetTitle("T");
  s.Add(3);
  s.SetSeriesColor(fw::clRed);
  s.EndUpdate();
  EXPECT_TRUE(rec.events.empty());
  s.EndUpdate();
  EXPECT_EQ(rec.events, (std::vector<TChartSeriesEvent>{seChangeTitle, seChangeColor, seDataChanged}));
  rec.events.clear();
  s.EndUpdate();  // unbalanced: ignored
  s.BeginUpdate();
  s.EndUpdate();  // no change inside, still a data change
  EXPECT_EQ(rec.events, (std::vector<TChartSeriesEvent>{seDataChanged}));
  rec.events.clear();
  s.SetActive(false);
  s.SetActive(false);
  s.SetTitle("T");
  EXPECT_EQ(rec.events, (std::vector<TChartSeriesEvent>{seChangeActive}));
  s.RemoveListener(&rec);
  s.Add(4);
  EXPECT_EQ(rec.events.size(), 1u);
}

TEST(Series, DeletePointsClampsAndRemovesGap) {
  TLineSeries s(nullptr);
  for (int i = 0; i < 6; ++i) s.Add(i * 10, "L" + std::to_string(i));
  s.DeletePoints(1, 2, true);
  ASSERT_EQ(s.Count(), 4);
  EXPECT_EQ(s.PointX(1), 1);  // was 3
  EXPECT_EQ(s.PointY(1), 30);
  EXPECT_EQ(s.PointLabel(1), "L3");
  EXPECT_FALSE(HasCustomXValues(&s));
  s.DeletePoints(3, 100);
  EXPECT_EQ(s.Count(), 3);
  s.DeletePoints(7, 1);
  s.DeletePoints(-1, 1);
  s.Delete(10);
  EXPECT_EQ(s.Count(), 3);
}

TEST(Series, CopyPointsFromAndAssignValues) {
  TLineSeries src(nullptr);
  src.XValues()->SetOrder(loNone);
  src.AddXY(3, 1, "a");
  src.AddXY(1, 2, "", fw::clLime);
  src.AddNullPoint(2, 0);
  TLineSeries sorted(nullptr);
  sorted.Add(99);
  sorted.CopyPointsFrom(&src);
  ASSERT_EQ(sorted.Count(), 3);
  EXPECT_EQ(sorted.PointX(0), 1);
  EXPECT_EQ(sorted.PointColor(0), fw::clLime);
  EXPECT_TRUE(sorted.IsNullPoint(1));
  EXPECT_EQ(sorted.PointLabel(2), "a");
  TLineSeries same(nullptr);
  same.XValues()->SetOrder(loNone);
  same.AssignValues(&src);
  EXPECT_EQ(same.PointX(0), 3);
  EXPECT_EQ(same.PointLabel(0), "a");
  EXPECT_EQ(same.PointColor(1), fw::clLime);
  EXPECT_TRUE(same.IsNullPoint(2));
}

TEST(Series, ValueFormatGivesTheTextOfAValue) {
  charttest::PlainNumberFormat plain;
  TLineSeries s(nullptr);
  EXPECT_EQ(s.FormatValue(1234567.8916), "1,234,567.892");
  EXPECT_EQ(s.FormatValue(-0.5), "-0.5");
  EXPECT_EQ(s.FormatValue(-0.0001), "0");
  s.SetValueFormat("0.00");
  EXPECT_EQ(s.FormatValue(2), "2.00");
  EXPECT_EQ(s.FormatValue(kNaN), "NAN");
  EXPECT_EQ(s.FormatValue(-kInf), "-INF");
}

TEST(Format, PicturesSectionsAndScientific) {
  charttest::PlainNumberFormat plain;
  EXPECT_EQ(PlotFormatFloat("#,##0.###", 0), "0");
  EXPECT_EQ(PlotFormatFloat("#,##0.###", 999.9996), "1,000");
  EXPECT_EQ(PlotFormatFloat("000", 7), "007");
  EXPECT_EQ(PlotFormatFloat("#.##", 0.5), ".5");
  EXPECT_EQ(PlotFormatFloat("0.0E+00", 12345), "1.2E+04");
  EXPECT_EQ(PlotFormatFloat("0.00E-00", 0.000123), "1.23E-04");
  EXPECT_EQ(PlotFormatFloat("0.0 'Hz'", 50), "50.0 Hz");
  EXPECT_EQ(PlotFormatFloat("0;(0);zero", -5), "(5)");
  EXPECT_EQ(PlotFormatFloat("0;(0);zero", 0), "zero");
  EXPECT_EQ(PlotFormatFloat("#,##0", 1e15), "1,000,000,000,000,000");
  EXPECT_EQ(PlotFormatFloat("#,##0.###", 1e308), "1E308") << "beyond 18 digits: the general number text";
  EXPECT_EQ(PlotFormatFloat("#,##0.###", -2.5e20), "-2.5E20");
  win::locale::SetRegionalDecimalSeparator(',');
  EXPECT_EQ(PlotFormatFloat("0.0", 2.26), "2,3");
}

}  // namespace
