#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/Analisis.h"
#include "analysis/AnalysisRegistration.h"
#include "analysis/PlotFunci.h"
#include "chart/Series.h"
#include "framework/StringList.h"
#include "workspace/Common.h"
#include "workspace/GraphCollection.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"

using namespace analysis;
using analysis_test::ErrorOf;
using analysis_test::XsOf;
using analysis_test::YsOf;
using chart::TChartSeries;
using chart::TLineSeries;
using workspace::TGraph;

namespace {

// A workspace of its own for each test: the global collection and the split count are put back
// afterwards.
struct Workspace : ::testing::Test {
  workspace::TGraphCollection graphs{nullptr};
  workspace::TGraphCollection* savedCollection = workspace::GraphCollection;
  fw::Integer savedSplit = workspace::Preferences.SplitInterval;

  void SetUp() override { workspace::GraphCollection = &graphs; }
  void TearDown() override {
    workspace::GraphCollection = savedCollection;
    workspace::Preferences.SplitInterval = savedSplit;
    workspace::SetInfoWindowHandler(nullptr);
  }

  TGraph* Add(const std::vector<double>& X, const std::vector<double>& Y, const char* Title = "g") {
    auto* s = new TLineSeries(nullptr);
    for (std::size_t i = 0; i < X.size(); ++i) s->AddXY(X[i], Y[i]);
    return graphs.AddGraph(s, "file.txt", {}, Title);
  }
};

}  // namespace

TEST_F(Workspace, IndexArithmeticAddsItsGraphAndSelectsIt) {
  TGraph* a = Add({0, 1, 2}, {10, 20, 30});
  TGraph* b = Add({5, 6, 7, 8, 9}, {1, 2, 3, 4, 5});
  TGraph* made = AddSubtractGraph({a, b});
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(graphs.Count(), 3);
  EXPECT_EQ(graphs.Current(), made);
  EXPECT_EQ(made->Source, "SubtractFunction");
  EXPECT_EQ(made->Kind, workspace::gkData);
  EXPECT_EQ(made->Series()->Title(), "Разница графиков");
  EXPECT_EQ(XsOf(*made->Series()), (std::vector<double>{5, 6, 7, 8, 9}));
  EXPECT_EQ(YsOf(*made->Series()), (std::vector<double>{9, 18, 27, 4, 5}));
}

TEST_F(Workspace, SourceNamesAndTitlesOfEveryRoutine) {
  TGraph* a = Add({0, 1, 2}, {1, 2, 4});
  TGraph* b = Add({0, 1, 2}, {2, 2, 2});
  workspace::Preferences.SplitInterval = 2;
  struct Row {
    TGraph* (*routine)(const TGraphArray&);
    const char* source;
    const char* title;
    std::vector<double> y;
  };
  const std::vector<Row> rows = {
      {AddSubtractGraph, "SubtractFunction", "Разница графиков", {-1, 0, 2}},
      {AddSumGraph, "SumFunction", "Сумма графиков", {3, 4, 6}},
      {AddMultiplyGraph, "MultiplyFunction", "Произведение графиков", {2, 4, 8}},
      {AddDivideGraph, "DivideFunction", "Частное графиков", {0.5, 1, 2}},
      {AddAverageGraph, "AverageFunction", "Средняя линия", {1.5, 2, 3}},
      {AddEnvelopeHighGraph, "EnvelopeHighFunction", "Верхняя огибающая", {2, 2, 4}},
      {AddEnvelopeLowGraph, "EnvelopeLowFunction", "Нижняя огибающая", {1, 2, 2}},
      {AddSumRareGraph, "SumRareFunction", "Сумма графиков", {3, 3.5, 4, 5, 6}},
      {AddSubtractRareGraph, "SubtractRareFunction", "Разница графиков", {-1, -0.5, 0, 1, 2}},
      {AddMultiplyRareGraph, "MultiplyRareFunction", "Произведение графиков", {2, 3, 4, 6, 8}},
      {AddDivideRareGraph, "DivideRareFunction", "Частное графиков", {0.5, 0.75, 1, 1.5, 2}},
      {AddAverageRareGraph, "AverageRareFunction", "Средняя линия", {1.5, 1.75, 2, 2.5, 3}},
  };
  for (const Row& row : rows) {
    TGraph* made = row.routine({a, b});
    ASSERT_NE(made, nullptr) << row.source;
    EXPECT_EQ(made->Source, row.source);
    EXPECT_EQ(made->Series()->Title(), row.title) << row.source;
    EXPECT_EQ(YsOf(*made->Series()), row.y) << row.source;
    EXPECT_EQ(graphs.Current(), made) << row.source;
  }
}

// A single graph through the point-index routines: a level line over its X range.
TEST_F(Workspace, SingleGraphGivesLevelLines) {
  TGraph* g = Add({2, 3, 7}, {4, -2, 10});
  const std::vector<std::pair<TGraph* (*)(const TGraphArray&), double>> rows = {
      {AddSumGraph, 12},       {AddSubtractGraph, 0},     {AddMultiplyGraph, 0},   {AddDivideGraph, 0},
      {AddEnvelopeHighGraph, 10}, {AddEnvelopeLowGraph, -2}, {AddAverageGraph, 4}};
  for (const auto& [routine, level] : rows) {
    TGraph* made = routine({g});
    EXPECT_EQ(XsOf(*made->Series()), (std::vector<double>{2, 7}));
    EXPECT_EQ(YsOf(*made->Series()), (std::vector<double>{level, level}));
  }
}

// The routines combine arrays directly; the chart functions on a temporary series, as the
// engine computes any series, give the same points.
TEST_F(Workspace, RoutinesAgreeWithTheChartFunctionsOnATemporarySeries) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> value(-4, 4);
  TGraphArray operands;
  for (std::size_t count : {17u, 40u, 23u, 40u}) {
    std::vector<double> x, y;
    for (std::size_t i = 0; i < count; ++i) {
      x.push_back(double(i) * 0.5 + double(operands.size()));
      y.push_back(i % 7 == 3 ? 0 : value(random));
    }
    operands.push_back(Add(x, y));
  }
  fw::TComponent owner{nullptr};
  auto check = [&](TGraph* (*routine)(const TGraphArray&), chart::TPlotFunction* function) {
    auto* temporary = new TLineSeries(&owner);
    temporary->SetActive(false);
    temporary->SetFunctionType(function);
    for (TGraph* g : operands) temporary->AddDataSource(g->Series());
    TGraph* made = routine(operands);
    EXPECT_EQ(XsOf(*made->Series()), XsOf(*temporary)) << function->ClassName();
    EXPECT_EQ(YsOf(*made->Series()), YsOf(*temporary)) << function->ClassName();
  };
  check(AddSumGraph, new TAddPlotFunction(&owner));
  check(AddSubtractGraph, new TSubtractPlotFunction(&owner));
  check(AddMultiplyGraph, new TMultiplyPlotFunction(&owner));
  check(AddDivideGraph, new TDividePlotFunction(&owner));
  check(AddAverageGraph, new TAveragePlotFunction(&owner));
  check(AddEnvelopeHighGraph, new THighPlotFunction(&owner));
  check(AddEnvelopeLowGraph, new TLowPlotFunction(&owner));
}

TEST_F(Workspace, FailuresAddNoGraph) {
  TGraph* a = Add({0, 1, 2}, {1, 2, 3});
  TGraph* zero = Add({-1, 3}, {-1, 3});
  TGraph* three = Add({0, 1, 2}, {0, 1, 4}, "three");
  TGraph* empty = Add({}, {});
  const int before = graphs.Count();
  workspace::Preferences.SplitInterval = 1;
  EXPECT_EQ(ErrorOf([&] { AddDivideRareGraph({a, zero}); }), "Floating point division by zero");
  EXPECT_EQ(ErrorOf([&] { AddDerivativeGraph(three->Series()); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { AddDerivative2Graph(three->Series()); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { AddSumGraph({}); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { AddSumGraph({empty}); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { AddSumGraph({empty, empty}); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { AddSumRareGraph({empty, a}); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { AddAverageRareGraph({}); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { AddMultiplyGraph({a, nullptr}); }), MsgTooFewPoints);
  TGraph* huge = Add({0, 1}, {1e308, 1e308});
  EXPECT_EQ(ErrorOf([&] { AddSumGraph({huge, huge}); }), "Floating point overflow");
  EXPECT_EQ(graphs.Count(), before + 1);
  workspace::GraphCollection = nullptr;
  EXPECT_FALSE(ErrorOf([&] { AddSumGraph({a, a}); }).empty());
}

TEST_F(Workspace, MeanLineDeviationsGoToTheInformationWindow) {
  TGraph* ref = Add({0, 4, 8}, {0, 4, 0});
  TGraph* other = Add({2, 6}, {10, 30});
  workspace::Preferences.SplitInterval = 4;
  std::vector<fw::String> keys, values;
  int graphsWhenShown = -1;
  workspace::SetInfoWindowHandler([&](workspace::TPropSaver& Info) {
    fw::TStringList names;
    Info.ReadSection(Info.Section(), &names);
    for (fw::Integer i = 0; i < names.Count(); ++i) {
      keys.push_back(names.Strings(i));
      values.push_back(Info.ReadString(names.Strings(i), "?"));
    }
    graphsWhenShown = graphs.Count();
  });
  AddAverageRareGraph({ref, other});
  EXPECT_EQ(graphsWhenShown, 3) << "shown after the graph was added";
  EXPECT_EQ(keys, (std::vector<fw::String>{"Макс.откл.(абс.)", "Макс.откл.(%)", "Мин.откл.(абс.)", "Мин.откл.(%)"}));
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(std::stod(values[0]), 14);
  EXPECT_DOUBLE_EQ(std::stod(values[1]), 14.0 / 16 * 100);
  EXPECT_EQ(std::stod(values[2]), 0);
  // The smallest deviation is at x = 0, where the mean is 0: no percentage of it.
  EXPECT_EQ(values[3], "—");
  // A single graph: no deviation, and the largest one's mean stays 0.
  values.clear();
  keys.clear();
  AddAverageRareGraph({other});
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[1], "—");
  EXPECT_EQ(std::stod(values[3]), 0);
}

TEST_F(Workspace, DerivativesTakeTheSeriesTitle) {
  TGraph* g = Add({0, 1, 3, 4}, {0, 2, 4, 10}, "Замер");
  TGraph* d = AddDerivativeGraph(g->Series());
  EXPECT_EQ(d->Source, "DerivativeFunction");
  EXPECT_EQ(d->Series()->Title(), "Производная Замер");
  EXPECT_EQ(XsOf(*d->Series()), (std::vector<double>{1, 3}));
  EXPECT_EQ(YsOf(*d->Series()), (std::vector<double>{4.0 / 3, 8.0 / 3}));
  TGraph* d2 = AddDerivative2Graph(g->Series());
  EXPECT_EQ(d2->Source, "DerivativeFunction2");
  EXPECT_EQ(d2->Series()->Title(), "Производная2 Замер");
  EXPECT_EQ(graphs.Current(), d2);
  // (2/2 - 2/1) * 2 / 3 at X 1, (6/1 - 2/2) * 2 / 3 at X 3.
  EXPECT_EQ(YsOf(*d2->Series()), (std::vector<double>{-2.0 / 3, 10.0 / 3}));
}

// A parametric graph goes back in X: its derivative keeps the order of its points.
TEST_F(Workspace, DerivedPointsOfAParametricGraphKeepTheirOrder) {
  auto* s = new TLineSeries(nullptr);
  s->XValues()->SetOrder(chart::loNone);
  const std::vector<double> x = {0, 2, 4, 3, 1, 0.5};
  for (std::size_t i = 0; i < x.size(); ++i) s->AddXY(x[i], double(i));
  TGraph* g = graphs.AddGraph(s, "x(t);y(t)", {}, "p");
  TGraph* d = AddDerivativeGraph(g->Series());
  EXPECT_EQ(XsOf(*d->Series()), (std::vector<double>{2, 4, 3, 1}));
  EXPECT_EQ(YsOf(*d->Series()), (std::vector<double>{0.5, 2.0, 2.0 / -3, 2.0 / -2.5}));
}

// The result series is filled as one block when its X values ascend: the points, labels and
// order must be those a point-by-point sorted insertion gives, also for repeated X values, and
// X values with a NaN among them keep the point-by-point insertion.
TEST_F(Workspace, ResultSeriesHoldWhatAPointByPointFillingHolds) {
  auto* labelled = new TLineSeries(nullptr);
  const std::vector<double> x = {0, 1, 1, 1, 2, 5};
  for (std::size_t i = 0; i < x.size(); ++i) labelled->AddXY(x[i], double(10 * i), i == 2 ? "two" : "");
  labelled->AddXY(7, 0, "last");
  TGraph* a = graphs.AddGraph(labelled, "a.txt", {}, "a");
  TGraph* b = Add({0, 1}, {1, 1});
  const chart::TChartSeries* made = AddSubtractGraph({a, b})->Series();
  auto expected = std::make_unique<TLineSeries>(nullptr);
  const std::vector<double> y = {-1, 9, 20, 30, 40, 50, 0};
  for (std::size_t i = 0; i < y.size(); ++i)
    expected->AddXY(labelled->PointX(fw::Integer(i)), y[i], labelled->PointLabel(fw::Integer(i)));
  EXPECT_EQ(XsOf(*made), XsOf(*expected));
  EXPECT_EQ(YsOf(*made), YsOf(*expected));
  for (fw::Integer i = 0; i < expected->Count(); ++i) EXPECT_EQ(made->PointLabel(i), expected->PointLabel(i)) << i;
  EXPECT_EQ(made->PointLabel(2), "two");
  EXPECT_EQ(made->PointLabel(6), "last");
  EXPECT_EQ(made->XValues()->Order(), chart::loAscending);
  // The cached statistics follow the block: the smallest and largest values are the new ones.
  EXPECT_EQ(made->YValues()->MinValue(), -1);
  EXPECT_EQ(made->YValues()->MaxValue(), 50);
  EXPECT_EQ(made->MaxXValue(), 7);

  // A NaN X (kept last by the sorted source) goes in point by point, as before.
  auto* withNaN = new TLineSeries(nullptr);
  withNaN->AddXY(0, 1);
  withNaN->AddXY(std::nan(""), 2);
  withNaN->AddXY(2, 3);
  withNaN->AddXY(1, 4);
  TGraph* n = graphs.AddGraph(withNaN, "n.txt", {}, "n");
  const chart::TChartSeries* sum = AddSumGraph({n, b})->Series();
  ASSERT_EQ(sum->Count(), 4);
  EXPECT_EQ(sum->PointX(0), 0);
  EXPECT_EQ(sum->PointX(1), 1);
  EXPECT_EQ(sum->PointX(2), 2);
  EXPECT_TRUE(std::isnan(sum->PointX(3)));
  EXPECT_EQ(YsOf(*sum), (std::vector<double>{2, 5, 3, 2}));
}

TEST_F(Workspace, SearchesOnSeries) {
  TGraph* g = Add({0, 1, 2, 3}, {1, 3, 3, -5});
  TPointXY res;
  FindMaxY(g->Series(), res);
  EXPECT_EQ(res.X, 1);
  EXPECT_EQ(res.Y, 3);
  FindMinY(g->Series(), res);
  EXPECT_EQ(res.X, 3);
  FindMaxYInRange(g->Series(), res, 2.5, 10);
  EXPECT_EQ(res.Y, -5);
  FindMinYInRange(g->Series(), res, 0, 1);
  EXPECT_EQ(res.Y, 1);
  TMinMaxXY mm;
  FindMinMaxYInRange(g->Series(), mm, 0, 3);
  EXPECT_EQ(mm.MaxX, 1);
  EXPECT_EQ(mm.MinX, 3);
  EXPECT_EQ(MeanYInRange(g->Series(), 0, 2), 7.0 / 3);
  EXPECT_DOUBLE_EQ(IntegrateRange(g->Series(), 0, 2), (1 + 4 * 3 + 3) / 3.0);
  // Lists read through their multiplier.
  g->Series()->XValues()->SetMultiplier(10);
  FindMaxYInRange(g->Series(), res, 5, 30);
  EXPECT_EQ(res.X, 10);
  EXPECT_EQ(ErrorOf([&] { IntegrateRange(g->Series(), 0, 5); }), MsgNoPointsInRange);
  FindMaxY(nullptr, res);
  EXPECT_EQ(res.Y, MaxSearchStart);
}

TEST_F(Workspace, TrimmingDecidesBeforeDeleting) {
  auto series = [](std::vector<double> X) {
    auto s = std::make_unique<TLineSeries>(nullptr);
    for (double x : X) s->AddXY(x, x * 10);
    return s;
  };
  auto s = series({0, 1, 2, 3});
  EXPECT_TRUE(TrimSeriesLeft(s.get(), 1.5));
  EXPECT_EQ(XsOf(*s), (std::vector<double>{2, 3}));
  EXPECT_EQ(YsOf(*s), (std::vector<double>{20, 30}));
  s = series({0, 1, 2, 3});
  EXPECT_TRUE(TrimSeriesRight(s.get(), 2.4));
  EXPECT_EQ(XsOf(*s), (std::vector<double>{0, 1, 2}));
  // Refused cuts change nothing: nothing would be left after the kept point.
  s = series({0, 1});
  EXPECT_FALSE(TrimSeriesLeft(s.get(), 0.9));
  EXPECT_EQ(XsOf(*s), (std::vector<double>{0, 1}));
  s = series({0, 1, 2, 3});
  EXPECT_FALSE(TrimSeriesLeft(s.get(), 10));
  EXPECT_EQ(s->Count(), 4);
  // Right of every point, the right cut has nothing to do.
  EXPECT_TRUE(TrimSeriesRight(s.get(), 10));
  EXPECT_EQ(s->Count(), 4);
  auto one = series({5});
  EXPECT_FALSE(TrimSeriesRight(one.get(), 10));
  EXPECT_EQ(one->Count(), 1);
  EXPECT_TRUE(TrimSeries(s.get(), 0.6, 2.2));
  EXPECT_EQ(XsOf(*s), (std::vector<double>{1, 2}));
  s = series({0, 1, 2, 3});
  EXPECT_FALSE(TrimSeries(s.get(), 2.9, 0));
  EXPECT_EQ(s->Count(), 4) << "a refused left cut stops before the right one";
  EXPECT_FALSE(TrimSeriesLeft(nullptr, 0));
  EXPECT_FALSE(TrimSeriesRight(nullptr, 0));
}

TEST_F(Workspace, StartUpRegistrationInstallsTheCuttingRoutines) {
  RegisterAnalysis();
  ASSERT_TRUE(workspace::GraphTrimRoutines.TrimLeft);
  ASSERT_TRUE(workspace::GraphTrimRoutines.TrimRight);
  TGraph* g = Add({0, 1, 2, 3}, {0, 1, 2, 3});
  EXPECT_TRUE(workspace::GraphTrimRoutines.TrimLeft(g->Series(), 0.8));
  EXPECT_EQ(g->Series()->Count(), 3);
  const auto& gallery = chart::PlotFunctionGallery();
  for (const char* name : {"TAddPlotFunction", "TSmoothingFunction", "TCurveFittingFunction"})
    EXPECT_TRUE(std::any_of(gallery.begin(), gallery.end(), [&](const chart::TPlotClassInfo& i) { return i.Name == name; }))
        << name;
  UnRegisterAnalysis();
  EXPECT_FALSE(workspace::GraphTrimRoutines.TrimLeft);
  EXPECT_TRUE(std::none_of(gallery.begin(), gallery.end(),
                           [](const chart::TPlotClassInfo& i) { return i.Name == "TAddPlotFunction"; }));
}
