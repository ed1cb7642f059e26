#include <gtest/gtest.h>

#include <algorithm>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "chart_Fixture.h"
#include "chart_TestSupport.h"
#include "framework/StringList.h"

using namespace chart;

namespace {

class TRegistryProbeSeries : public TLineSeries {
 public:
  using TLineSeries::TLineSeries;
};
class TRegistryProbeFunction : public TPlotFunction {
 public:
  using TPlotFunction::TPlotFunction;
};
class TRegistryProbeTool : public fw::TComponent {
 public:
  using fw::TComponent::TComponent;
};

template <typename T>
const TPlotClassInfo* Lookup(const std::vector<TPlotClassInfo>& list) {
  auto it = std::find_if(list.begin(), list.end(), [](const TPlotClassInfo& i) { return *i.Type == typeid(T); });
  return it == list.end() ? nullptr : &*it;
}

TEST(Registry, SeriesGalleryDescriptionsAndStreamingNames) {
  RegisterLineSeriesClasses();
  RegisterLineSeriesClasses();  // twice keeps one entry
  EXPECT_EQ(std::count_if(PlotSeriesGallery().begin(), PlotSeriesGallery().end(),
                          [](const TPlotClassInfo& i) { return *i.Type == typeid(TLineSeries); }),
            1);
  TLineSeries line(nullptr);
  EXPECT_EQ(SeriesGalleryDescription(&line), "Line");
  TRegistryProbeSeries probe(nullptr);
  EXPECT_EQ(SeriesGalleryDescription(&probe), "TRegistryProbeSeries");
  RegisterPlotSeries(PlotClassOf<TRegistryProbeSeries>("Extended", "Probe"));
  EXPECT_EQ(SeriesGalleryDescription(&probe), "Probe");
  EXPECT_EQ(Lookup<TRegistryProbeSeries>(PlotSeriesGallery())->Page, "Extended");
  fw::TPersistentClass cls = fw::GetClass("TRegistryProbeSeries");
  ASSERT_NE(cls, nullptr);
  std::unique_ptr<fw::TPersistent> made(cls->Create(nullptr));
  EXPECT_NE(dynamic_cast<TRegistryProbeSeries*>(made.get()), nullptr);
  UnRegisterPlotSeries(typeid(TRegistryProbeSeries));
  EXPECT_EQ(SeriesGalleryDescription(&probe), "TRegistryProbeSeries");
  EXPECT_EQ(fw::GetClass("TRegistryProbeSeries"), nullptr);
}

TEST(Registry, FunctionsOnStandardAndNamedPagesAndTools) {
  RegisterStandardFunction(PlotClassOf<TRegistryProbeFunction>({}, "Probe"));
  const TPlotClassInfo* info = Lookup<TRegistryProbeFunction>(PlotFunctionGallery());
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Page, "Functions");
  EXPECT_EQ(info->Description, "Probe");
  UnRegisterPlotFunction(typeid(TRegistryProbeFunction));
  RegisterPlotFunction(PlotClassOf<TRegistryProbeFunction>("Stats", "Probe"));
  EXPECT_EQ(Lookup<TRegistryProbeFunction>(PlotFunctionGallery())->Page, "Stats");
  UnRegisterPlotFunction(typeid(TRegistryProbeFunction));
  EXPECT_EQ(Lookup<TRegistryProbeFunction>(PlotFunctionGallery()), nullptr);

  RegisterToolTypes({PlotClassOf<TRegistryProbeTool>()});
  ASSERT_NE(Lookup<TRegistryProbeTool>(PlotToolTypes()), nullptr);
  fw::TComponent owner(nullptr);
  fw::TPersistent* tool = fw::FindClass("TRegistryProbeTool")->Create(&owner);
  EXPECT_EQ(static_cast<fw::TComponent*>(tool)->Owner(), &owner);
  UnregisterToolTypes({PlotClassOf<TRegistryProbeTool>()});
  EXPECT_EQ(Lookup<TRegistryProbeTool>(PlotToolTypes()), nullptr);
  EXPECT_EQ(fw::GetClass("TRegistryProbeTool"), nullptr);
}

// Without a list, a series on a chart is numbered by its place in the chart's series.
using RegistryChartTest = charttest::ChartTest;
TEST_F(RegistryChartTest, DisplayNameWithoutAListNumbersBySeriesOfTheChart) {
  TChart chart(nullptr);
  auto* first = new TLineSeries(&chart);
  auto* second = new TLineSeries(&chart);
  first->SetParentChart(&chart);
  second->SetParentChart(&chart);
  EXPECT_EQ(SeriesDisplayName(second), "Series2");
}

TEST(Registry, DisplayNamesAndListing) {
  fw::TComponent owner(nullptr);
  auto* a = new TLineSeries(&owner);
  auto* b = new TLineSeries(&owner);
  auto* c = new TLineSeries(&owner);
  a->SetTitle("Voltage");
  b->SetName("SeriesB");
  TChartSeriesList list;
  list.Add(a);
  list.Add(b);
  list.Add(c);
  EXPECT_EQ(SeriesDisplayName(a, &list), "Voltage");
  EXPECT_EQ(SeriesDisplayName(b, &list), "SeriesB");
  EXPECT_EQ(SeriesDisplayName(c, &list), "Series3");
  EXPECT_EQ(SeriesDisplayName(c), "Series");
  fw::TStringList strings;
  strings.Add("stale");
  ListSeriesInStrings(&strings, list);
  ASSERT_EQ(strings.Count(), 3);
  EXPECT_EQ(strings.Strings(2), "Series3");
  EXPECT_EQ(strings.Objects(1), b);
  list.Exchange(0, 2);
  EXPECT_EQ(list.IndexOf(a), 2);
  EXPECT_EQ(list.Remove(b), 1);
  EXPECT_EQ(list.IndexOf(b), -1);
}

TEST(Registry, CustomXValuesAndDataFlags) {
  TLineSeries s(nullptr);
  EXPECT_FALSE(HasCustomXValues(&s));
  EXPECT_EQ(SeriesDataFlags(&s), 0);
  for (int i = 0; i < 20000; ++i) s.Add(i % 7);
  EXPECT_FALSE(HasCustomXValues(&s));
  s.SetPointX(19999, 5e5);  // only the last one differs
  EXPECT_TRUE(HasCustomXValues(&s));
  s.SetPointX(19999, 19999);
  s.SetPointX(15000, 1.5);  // past the checked prefix, missed by design
  EXPECT_FALSE(HasCustomXValues(&s));
  s.SetPointX(10000, 3);
  EXPECT_EQ(SeriesDataFlags(&s), 1);
  s.SetPointX(10000, 10000);

  s.SetPointColor(5, s.SeriesColor());  // same as the series: no flag
  EXPECT_EQ(SeriesDataFlags(&s), 0);
  s.SetPointColor(10001, fw::clBlue);  // past the checked points
  EXPECT_EQ(SeriesDataFlags(&s), 0);
  s.SetPointColor(10000, fw::clBlue);
  EXPECT_EQ(SeriesDataFlags(&s), 2);
  s.SetPointLabel(101, "late");
  EXPECT_EQ(SeriesDataFlags(&s), 2);
  s.SetPointLabel(100, "x");
  EXPECT_EQ(SeriesDataFlags(&s), 6);
}

double Cross(const win::POINT& o, const win::POINT& a, const win::POINT& b) {
  return double(a.x - o.x) * (b.y - o.y) - double(a.y - o.y) * (b.x - o.x);
}

TEST(ConvexHullTest, KeepsCornersInOneTurningDirection) {
  std::vector<win::POINT> pts{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {5, 0}, {2, 8}, {10, 10}};
  ConvexHull(pts);
  ASSERT_EQ(pts.size(), 4u);
  EXPECT_EQ(pts[0], (win::POINT{0, 0}));
  for (size_t i = 0; i < pts.size(); ++i)
    EXPECT_GT(Cross(pts[i], pts[(i + 1) % 4], pts[(i + 2) % 4]), 0);
  std::vector<win::POINT> line{{3, 3}, {1, 1}, {2, 2}};
  ConvexHull(line);
  EXPECT_EQ(line, (std::vector<win::POINT>{{1, 1}, {3, 3}}));
  std::vector<win::POINT> none;
  ConvexHull(none);
  EXPECT_TRUE(none.empty());
  std::vector<win::POINT> huge{{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}, {0, 0}};
  ConvexHull(huge);
  EXPECT_EQ(huge.size(), 3u);
}

}  // namespace
