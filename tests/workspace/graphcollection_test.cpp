// The graph collection on a chart: adding with kind parameters, titles, colours, selection,
// deletion and what it does to derived graphs and to the undo stack; the point transforms.

#include <cmath>
#include <functional>

#include "chart/ChartElement.h"
#include "chart/PlotAxis.h"
#include "chart/PlotEngine.h"
#include "workspace/TextReader.h"
#include "workspace_fixture.h"

namespace {

using fw::String;
using workspace::EGraphError;
using workspace::TGraph;
using workspace::TGraphParams;

class GraphCollectionTest : public wstest::WorkspaceTest {};

TEST_F(GraphCollectionTest, AddGraphPutsTheSeriesOnTheChartAndRecordsUndo) {
  TGraph* a = AddData({0, 1, 2}, {5, 6, 7}, "/home/user/data/curve.txt");
  TGraph* b = AddData({0, 1}, {1, 1}, "Clipboard");
  ASSERT_EQ(graphs->Count(), 2);
  EXPECT_EQ(graphs->Items(0), a);
  EXPECT_EQ(graphs->Items(2), nullptr);
  EXPECT_EQ(graphs->Items(-1), nullptr);
  EXPECT_EQ(a->Series()->Title(), "curve.txt");
  EXPECT_EQ(a->Source, "/home/user/data/curve.txt");
  EXPECT_EQ(a->Kind, workspace::gkData);
  EXPECT_EQ(b->Series()->Title(), "Clipboard");
  EXPECT_GT(b->Id(), a->Id());
  EXPECT_EQ(chart->SeriesCount(), 2);
  EXPECT_EQ(a->Series()->ParentChart(), chart);
  EXPECT_EQ(graphs->LastAdded(), b);
  EXPECT_EQ(graphs->Current(), nullptr);  // adding does not select
  ASSERT_EQ(undo->Count(), 2);
  EXPECT_EQ(undo->Items(1).Kind, workspace::opAddGraph);
  EXPECT_EQ(undo->Items(1).GraphId, b->Id());
  EXPECT_EQ(undo->UndoCaption(), "Отменить добавление графика");
  EXPECT_EQ(graphs->BySeries(a->Series()), a);
  EXPECT_EQ(graphs->ById(b->Id()), b);
  EXPECT_EQ(graphs->BySeries(nullptr), nullptr);
}

TEST_F(GraphCollectionTest, TitleGivenOrFileNamePartOrWholeExpression) {
  TGraph* titled = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "/x/y.txt", {}, "Мой график");
  EXPECT_EQ(titled->Series()->Title(), "Мой график");
  // An expression is not a path: its "/" stays in the title.
  TGraph* expr = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "sin(x)/2", {std::int64_t(1)}, {});
  EXPECT_EQ(expr->Series()->Title(), "sin(x)/2");
}

TEST_F(GraphCollectionTest, KindParametersAreStored) {
  TGraph* e = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "a*x", {std::int64_t(1), 0.5, 2.5, 0.25, String("a=2;")}, "e");
  EXPECT_EQ(e->Kind, workspace::gkExpression);
  EXPECT_EQ(e->LimStart, 0.5);
  EXPECT_EQ(e->LimStop, 2.5);
  EXPECT_EQ(e->LimStep, 0.25);
  EXPECT_EQ(e->AuxParams, "a=2;");

  TGraph* p = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "sin(t);cos(t)", {std::int64_t(2), -1.0, std::int64_t(1), 0.1}, "p");
  EXPECT_EQ(p->Kind, workspace::gkParametric);
  EXPECT_EQ(p->LimStart, -1.0);
  EXPECT_EQ(p->LimStop, 1.0);
  EXPECT_EQ(p->AuxParams, "");

  // Kind 1 without limits keeps the defaults.
  TGraph* d = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "x", {std::int64_t(1)}, "d");
  EXPECT_EQ(d->LimStart, 0.0);
  EXPECT_EQ(d->LimStop, 6.28);
  EXPECT_EQ(d->LimStep, 0.01);

  chart::TChartSeries* src = e->Series();
  TGraph* spline = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "SplineFunction", {std::int64_t(3), src, true, std::int64_t(7)}, "s");
  EXPECT_EQ(spline->Kind, workspace::gkSpline);
  EXPECT_EQ(spline->SourceSeries, src);
  EXPECT_TRUE(spline->Interpolate);
  EXPECT_EQ(spline->Factor, 7);

  TGraph* poly = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "PolynomFunction",
                                  {std::int64_t(4), src, std::int64_t(4), std::int64_t(3), true, -1.5, 2.5}, "q");
  EXPECT_EQ(poly->PolyDegree, 4);
  EXPECT_EQ(poly->SplitInterval, 3);
  EXPECT_TRUE(poly->DoPart);
  EXPECT_EQ(poly->X1, -1.5);
  EXPECT_EQ(poly->X2, 2.5);

  TGraph* env = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "EnvelopeFunction",
                                 {std::int64_t(5), src, true, false, std::int64_t(5), 0.75}, "v");
  EXPECT_EQ(env->Kind, workspace::gkEnvelope);
  EXPECT_TRUE(env->Low);
  EXPECT_FALSE(env->UseStep);
  EXPECT_EQ(env->Factor, 5);
  EXPECT_EQ(env->Step, 0.75);
}

TEST_F(GraphCollectionTest, BadParametersAddNothing) {
  const std::vector<TGraphParams> bad = {
      {std::int64_t(8)},                             // no such kind
      {std::int64_t(-1)},                            //
      {String("1")},                                 // kind as text
      {std::int64_t(1), String("0")},                // limit as text
      {std::int64_t(1), 0.0, 1.0, 0.1, 5.0},         // parameters text as a number
      {std::int64_t(3), 1.0},                        // source series as a number
      {std::int64_t(4), static_cast<chart::TChartSeries*>(nullptr), 2.5e12},  // degree out of range
  };
  for (const auto& params : bad) {
    std::unique_ptr<chart::TLineSeries> series(NewSeries({0, 1}, {0, 1}));
    EXPECT_THROW(graphs->AddGraph(series.get(), "s", params, "t"), EGraphError);
    EXPECT_EQ(graphs->Count(), 0);
    EXPECT_EQ(chart->SeriesCount(), 0);
    EXPECT_EQ(undo->Count(), 0);
    EXPECT_EQ(series->ParentChart(), nullptr);
  }
  EXPECT_THROW(graphs->AddGraph(nullptr, "s", {}, "t"), EGraphError);
  TGraph* g = AddData({0, 1}, {0, 1});
  EXPECT_THROW(graphs->AddGraph(g->Series(), "again", {}, ""), EGraphError);
  EXPECT_EQ(graphs->Count(), 1);
}

TEST_F(GraphCollectionTest, SeriesInTheBackWallColourGetsAnotherColour) {
  chart->BackWall()->SetColor(fw::clWhite);
  chart::TLineSeries* white = NewSeries({0, 1}, {0, 1});
  white->SetSeriesColor(fw::clWhite);
  graphs->AddGraph(white, "w", {}, "");
  EXPECT_NE(fw::ColorToRGB(white->SeriesColor()), fw::ColorToRGB(fw::clWhite));

  chart::TLineSeries* blue = NewSeries({0, 1}, {0, 1});
  blue->SetSeriesColor(fw::clBlue);
  graphs->AddGraph(blue, "b", {}, "");
  EXPECT_EQ(blue->SeriesColor(), fw::clBlue);

  // A wall in the palette's own colours still gives a visible series.
  chart->BackWall()->SetColor(chart::PlotDefaultPaletteColor(0));
  chart::TLineSeries* plain = NewSeries({0, 1}, {0, 1});
  plain->SetSeriesColor(chart::PlotDefaultPaletteColor(0));
  graphs->AddGraph(plain, "p", {}, "");
  EXPECT_NE(fw::ColorToRGB(plain->SeriesColor()), fw::ColorToRGB(chart::PlotDefaultPaletteColor(0)));
}

TEST_F(GraphCollectionTest, SelectingCallsBackAndSetsTheCurrentGraph) {
  std::vector<TGraph*> told;
  graphs->OnGraphSelected = [&](TGraph* g) { told.push_back(g); };
  graphs->SelectLastAdded();  // nothing added yet
  EXPECT_TRUE(told.empty());
  TGraph* a = AddData({0, 1}, {0, 1});
  TGraph* b = AddData({0, 1}, {0, 1});
  graphs->SelectLastAdded();
  EXPECT_EQ(graphs->Current(), b);
  graphs->SelectBySeries(a->Series());
  EXPECT_EQ(graphs->Current(), a);
  chart::TLineSeries other(nullptr);
  graphs->SelectBySeries(&other);  // not a graph: nothing happens
  EXPECT_EQ(graphs->Current(), a);
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0], b);
  EXPECT_EQ(told[1], a);
}

TEST_F(GraphCollectionTest, CheckedCountAndSelectedGraphsInSelectionOrder) {
  TGraph* a = AddData({0, 1}, {0, 1});
  TGraph* b = AddData({0, 1}, {0, 1});
  TGraph* c = AddData({0, 1}, {0, 1});
  EXPECT_EQ(graphs->CheckedCount(), 0);
  a->Checked = c->Checked = true;
  EXPECT_EQ(graphs->CheckedCount(), 2);
  EXPECT_TRUE(graphs->SelectedGraphs().empty());
  chart::TLineSeries stranger(nullptr);
  graphs->OnGetSelectedSeries = [&] {
    return std::vector<chart::TChartSeries*>{c->Series(), &stranger, a->Series(), c->Series()};
  };
  const workspace::TGraphArray selected = graphs->SelectedGraphs();
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[0], c);
  EXPECT_EQ(selected[1], a);
  (void)b;
}

TEST_F(GraphCollectionTest, DeletingTakesTheSeriesOffAndDerivedGraphsBecomeData) {
  TGraph* source = AddData({0, 1, 2}, {0, 1, 4});
  chart::TChartSeries* src = source->Series();
  TGraph* spline = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "SplineFunction", {std::int64_t(3), src, false, std::int64_t(2)}, "");
  TGraph* env = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "EnvelopeFunction", {std::int64_t(5), src}, "");
  TGraph* other = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "SplineFunction", {std::int64_t(3), spline->Series()}, "");
  const int sourceId = source->Id();
  graphs->Select(0);
  int changes = 0;
  std::vector<TGraph*> told;
  graphs->OnChange = [&](workspace::TGraphCollection*) { ++changes; };
  graphs->OnGraphSelected = [&](TGraph* g) { told.push_back(g); };

  graphs->DeleteGraph(source);
  EXPECT_EQ(graphs->Count(), 3);
  EXPECT_EQ(chart->SeriesCount(), 3);
  EXPECT_EQ(chart->SeriesList().IndexOf(src), -1);
  EXPECT_EQ(spline->Kind, workspace::gkData);
  EXPECT_EQ(spline->SourceSeries, nullptr);
  EXPECT_EQ(env->Kind, workspace::gkData);
  // A graph derived from another graph is untouched.
  EXPECT_EQ(other->Kind, workspace::gkSpline);
  EXPECT_EQ(other->SourceSeries, spline->Series());
  // The undo entry of the deleted graph is gone; the others stay.
  EXPECT_EQ(undo->Count(), 3);
  for (int i = 0; i < undo->Count(); ++i) EXPECT_NE(undo->Items(i).GraphId, sourceId);
  EXPECT_GE(changes, 1);
  // The current graph was deleted: the next one at its place becomes current.
  EXPECT_EQ(graphs->Current(), spline);
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.back(), spline);
  EXPECT_EQ(graphs->LastAdded(), other);

  graphs->Delete(2);
  EXPECT_EQ(graphs->LastAdded(), nullptr);
  graphs->Delete(7);  // out of range: nothing
  EXPECT_EQ(graphs->Count(), 2);
  graphs->Clear();
  EXPECT_EQ(graphs->Count(), 0);
  EXPECT_EQ(chart->SeriesCount(), 0);
  EXPECT_EQ(graphs->Current(), nullptr);
  EXPECT_EQ(undo->Count(), 0);
}

TEST_F(GraphCollectionTest, CurrentIndexFollowsDeletionsBeforeIt) {
  AddData({0, 1}, {0, 1});
  TGraph* b = AddData({0, 1}, {0, 1});
  TGraph* c = AddData({0, 1}, {0, 1});
  graphs->Select(2);
  graphs->Delete(0);
  EXPECT_EQ(graphs->Current(), c);
  graphs->Delete(1);  // the last and current one: the one before becomes current
  EXPECT_EQ(graphs->Current(), b);
}

// When the last graph goes (deleted, deleted with undo, its adding undone) the chart's zoom
// goes too; while graphs remain it stays.
TEST_F(GraphCollectionTest, TheLastGraphGoneTakesTheZoomWithIt) {
  const std::vector<std::function<void()>> removals{
      [&] { graphs->Delete(graphs->Count() - 1); },
      [&] { graphs->DeleteUndoable(graphs->Count() - 1); },
      [&] { undo->Undo(); },
  };
  for (std::size_t i = 0; i < removals.size(); ++i) {
    AddData({0, 1}, {0, 1});
    graphs->AddGraph(NewSeries({0, 10}, {0, 10}), "b", {}, {});
    chart->ZoomRect(fw::TRect{60, 60, 120, 120});
    ASSERT_TRUE(chart->Zoomed());
    removals[i]();
    EXPECT_TRUE(chart->Zoomed()) << i << ": a graph remains";
    removals[i]();
    EXPECT_FALSE(chart->Zoomed()) << i;
    EXPECT_TRUE(chart->BottomAxis()->Automatic() && chart->LeftAxis()->Automatic()) << i;
    graphs->Clear();
  }
}

TEST_F(GraphCollectionTest, TransformsAndTheirErrors) {
  TGraph* g = AddData({1, 2, 4}, {2, -4, 8});
  g->DivideX(-2);
  EXPECT_EQ(Xs(g->Series()), (std::vector<double>{-2, -1, -0.5}));  // re-sorted
  EXPECT_EQ(Ys(g->Series()), (std::vector<double>{8, -4, 2}));
  g->DivideY(4);
  EXPECT_EQ(Ys(g->Series()), (std::vector<double>{2, -1, 0.5}));
  g->OffsetX(1);
  EXPECT_EQ(Xs(g->Series()), (std::vector<double>{-3, -2, -1.5}));
  g->OffsetY(-1);
  EXPECT_EQ(Ys(g->Series()), (std::vector<double>{3, 0, 1.5}));
  EXPECT_DOUBLE_EQ(g->MeanY(), 1.5);
  // Division by zero is refused and changes nothing.
  EXPECT_THROW(g->DivideX(0), EGraphError);
  EXPECT_THROW(g->DivideY(0), EGraphError);
  EXPECT_THROW(g->DivideY(NAN), EGraphError);
  EXPECT_EQ(Xs(g->Series()), (std::vector<double>{-3, -2, -1.5}));
  g->ExchangeXY();
  EXPECT_EQ(Xs(g->Series()), (std::vector<double>{0, 1.5, 3}));
  EXPECT_EQ(Ys(g->Series()), (std::vector<double>{-2, -1.5, -3}));
  g->MirrorX();
  EXPECT_EQ(Xs(g->Series()), (std::vector<double>{-3, -1.5, 0}));
  g->MirrorY();
  EXPECT_EQ(Ys(g->Series()), (std::vector<double>{3, 1.5, 2}));
  TGraph* empty = graphs->AddGraph(new chart::TLineSeries(nullptr), "e", {}, "");
  EXPECT_EQ(empty->MeanY(), 0.0);
}

TEST_F(GraphCollectionTest, TrimThroughTheCuttingRoutinesReportsARefusedCut) {
  TGraph* g = AddData({0, 1, 2, 3}, {0, 1, 2, 3});
  const workspace::TGraphTrimRoutines saved = workspace::GraphTrimRoutines;
  workspace::GraphTrimRoutines = {};
  EXPECT_THROW(g->Trim(true, false, 1, 2), EGraphError);
  std::vector<std::string> calls;
  workspace::GraphTrimRoutines.TrimLeft = [&](chart::TChartSeries* s, double x) {
    calls.push_back("L" + std::to_string(int(x)));
    s->DeletePoint(0);
    return true;
  };
  workspace::GraphTrimRoutines.TrimRight = [&](chart::TChartSeries*, double x) {
    calls.push_back("R" + std::to_string(int(x)));
    return false;
  };
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  g->Trim(true, true, 1, 2);
  g->Trim(false, false, 1, 2);
  workspace::GraphTrimRoutines = saved;
  EXPECT_EQ(calls, (std::vector<std::string>{"L1", "R2"}));
  EXPECT_EQ(g->Series()->Count(), 3);
  const auto& boxes = win::MessageBoxHistory();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Невозможно обрезать график таким образом. Не остается ни одной точки");
}

}  // namespace

namespace {

class GraphOwnershipTest : public wstest::WorkspaceTest {};

// A series made with the chart as its owner belongs to the graph alone once added: the chart
// going first does not free it under the graph.
TEST_F(GraphOwnershipTest, TheGraphIsTheSeriesOnlyOwner) {
  auto* owned = new chart::TLineSeries(chart);
  owned->AddPoint(0, 0);
  owned->AddPoint(1, 1);
  const int before = chart->ComponentCount();
  workspace::TGraph* g = graphs->AddGraph(owned, "s", {}, "");
  EXPECT_EQ(chart->ComponentCount(), before - 1);
  EXPECT_EQ(owned->Owner(), nullptr);
  // The form (and the chart with it) goes before the collection.
  form.reset();
  EXPECT_EQ(g->Series(), owned);
  graphs.reset();  // frees the series once, without a chart to leave
}

// A file larger than a graph can hold is refused before anything is read.
TEST_F(GraphOwnershipTest, HugeFileIsRefusedWithAClearMessage) {
  const std::string path = dir + "/huge.txt";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(::ftruncate(::fileno(f), (std::int64_t(3) << 30)), 0);  // sparse: no disk used
  std::fclose(f);
  chart::TLineSeries series(nullptr);
  try {
    workspace::LoadTwoColumnFile(path, {}, &series);
    FAIL();
  } catch (const workspace::EGraphError& e) {
    EXPECT_NE(std::string(e.what()).find("слишком велик"), std::string::npos);
  }
}

}  // namespace

namespace {

class GraphOrderTest : public wstest::WorkspaceTest {};

TEST_F(GraphOrderTest, ExchangeSwapsListAndChartOrderKeepingCurrentAndLastAdded) {
  TGraph* a = AddData({0, 1}, {0, 1}, "a");
  TGraph* b = AddData({0, 1}, {0, 2}, "b");
  TGraph* c = AddData({0, 1}, {0, 3}, "c");
  graphs->Select(0);
  int changes = 0;
  graphs->OnChange = [&](workspace::TGraphCollection*) { ++changes; };
  const int undoCount = undo->Count();
  graphs->Exchange(c, a);
  EXPECT_EQ((std::vector<TGraph*>{graphs->Items(0), graphs->Items(1), graphs->Items(2)}),
            (std::vector<TGraph*>{c, b, a}));
  EXPECT_EQ((std::vector<chart::TChartSeries*>{chart->Series(0), chart->Series(1), chart->Series(2)}),
            (std::vector<chart::TChartSeries*>{c->Series(), b->Series(), a->Series()}));
  EXPECT_EQ(graphs->Current(), a);
  EXPECT_EQ(graphs->LastAdded(), c);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(undo->Count(), undoCount);  // no undo entry
  // A graph exchanged with itself or with one of no collection: nothing.
  graphs->Exchange(b, b);
  graphs->Exchange(b, nullptr);
  EXPECT_EQ(graphs->Items(1), b);
  EXPECT_EQ(changes, 1);
}

TEST_F(GraphOrderTest, RenameRetitlesTheSeriesAndRefusesAnEmptyTitle) {
  TGraph* a = AddData({0, 1}, {0, 1}, "a");
  int changes = 0;
  graphs->OnChange = [&](workspace::TGraphCollection*) { ++changes; };
  graphs->Rename(a, "Давление");
  EXPECT_EQ(a->Series()->Title(), "Давление");
  EXPECT_EQ(changes, 1);
  for (const char* empty : {"", "  "}) {
    EXPECT_THROW(graphs->Rename(a, empty), EGraphError);
    EXPECT_EQ(a->Series()->Title(), "Давление");
  }
  EXPECT_EQ(changes, 1);
}

}  // namespace
