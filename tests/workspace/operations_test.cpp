// The undo stack: names and caption, entries of every kind undone on their graph, entries of
// deleted graphs, bad parameters.

#include "workspace/GraphText.h"
#include "workspace_fixture.h"

namespace {

using fw::String;
using workspace::TGraph;
using workspace::TOperationCollection;

class OperationsTest : public wstest::WorkspaceTest {};

TEST(OperationNames, EveryKindHasItsName) {
  const char* names[] = {"добавление графика", "изменение свойств линии", "обращение осей (X <-> Y)",
                         "нормировку по оси X", "нормировку по оси Y",    "смещение по оси X",
                         "смещение по оси Y",   "отражение оси X",        "отражение оси Y"};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(TOperationCollection::OperationName(k), names[k]) << k;
  EXPECT_EQ(TOperationCollection::OperationName(workspace::opDeleteGraph), "удаление графика");
  EXPECT_EQ(TOperationCollection::OperationName(workspace::opRebuildGraph), "перестроение графика");
  EXPECT_EQ(TOperationCollection::OperationName(workspace::opTrimGraph), "обрезку графика");
  EXPECT_EQ(TOperationCollection::OperationName(12), "");
  EXPECT_EQ(TOperationCollection::OperationName(-1), "");
}

TEST_F(OperationsTest, CaptionFollowsTheTopEntry) {
  int changes = 0;
  undo->OnChange = [&](TOperationCollection*) { ++changes; };
  EXPECT_FALSE(undo->CanUndo());
  EXPECT_EQ(undo->UndoCaption(), "Отменить");
  TGraph* g = AddData({0, 1}, {0, 1});
  undo->AddOperation(workspace::opOffsetY, {std::int64_t(g->Id()), 2.0});
  EXPECT_EQ(undo->UndoCaption(), "Отменить смещение по оси Y");
  EXPECT_EQ(undo->Items(1).Caption, "смещение по оси Y");
  undo->Undo();
  EXPECT_EQ(undo->UndoCaption(), "Отменить добавление графика");
  EXPECT_EQ(changes, 3);
}

TEST_F(OperationsTest, UndoOfAddingDeletesTheGraph) {
  AddData({0, 1}, {0, 1});
  TGraph* b = AddData({0, 1}, {2, 3});
  chart::TChartSeries* bs = b->Series();
  undo->Undo();
  ASSERT_EQ(graphs->Count(), 1);
  EXPECT_EQ(chart->SeriesList().IndexOf(bs), -1);
  EXPECT_EQ(chart->SeriesCount(), 1);
  undo->Undo();
  EXPECT_EQ(graphs->Count(), 0);
  EXPECT_FALSE(undo->CanUndo());
  undo->Undo();  // an empty stack: nothing
}

TEST_F(OperationsTest, EveryTransformKindIsUndone) {
  const std::vector<double> x0{1, 2, 4}, y0{-2, 6, 3};
  TGraph* g = AddData(x0, y0);
  const std::int64_t id = g->Id();
  struct Step {
    int kind;
    double value;
    std::function<void()> apply;
  };
  const std::vector<Step> steps = {
      {workspace::opExchangeXY, 0, [&] { g->ExchangeXY(); }},
      {workspace::opNormalizeX, 4, [&] { g->DivideX(4); }},
      {workspace::opNormalizeY, -2, [&] { g->DivideY(-2); }},
      {workspace::opOffsetX, 1.5, [&] { g->OffsetX(1.5); }},
      {workspace::opOffsetY, -3, [&] { g->OffsetY(-3); }},
      {workspace::opMirrorX, 0, [&] { g->MirrorX(); }},
      {workspace::opMirrorY, 0, [&] { g->MirrorY(); }},
  };
  for (const Step& s : steps) {
    const auto xb = Xs(g->Series()), yb = Ys(g->Series());
    s.apply();
    undo->AddOperation(s.kind, {id, s.value});
    EXPECT_NE(std::make_pair(Xs(g->Series()), Ys(g->Series())), std::make_pair(xb, yb)) << s.kind;
    undo->Undo();
    EXPECT_EQ(Xs(g->Series()), xb) << s.kind;
    EXPECT_EQ(Ys(g->Series()), yb) << s.kind;
  }
  // All of them stacked are undone newest first back to the start.
  for (const Step& s : steps) {
    s.apply();
    undo->AddOperation(s.kind, {id, s.value});
  }
  for (std::size_t i = 0; i < steps.size(); ++i) undo->Undo();
  EXPECT_EQ(Xs(g->Series()), x0);
  EXPECT_EQ(Ys(g->Series()), y0);
  EXPECT_EQ(graphs->Count(), 1);
}

TEST_F(OperationsTest, UndoOfALineFormatRestoresTheFormerFormat) {
  TGraph* g = AddData({0, 1}, {0, 1});
  g->Series()->SetSeriesColor(fw::clRed);
  g->Series()->SetTitle("До");
  const String former = workspace::GraphFormatText(*g);
  g->Series()->SetSeriesColor(fw::clBlue);
  g->Series()->SetTitle("После");
  g->Series()->SetActive(false);
  undo->AddOperation(workspace::opLineFormat, {std::int64_t(g->Id()), former});
  undo->Undo();
  EXPECT_EQ(g->Series()->SeriesColor(), fw::clRed);
  EXPECT_EQ(g->Series()->Title(), "До");
  EXPECT_TRUE(g->Series()->Active());
}

TEST_F(OperationsTest, EntriesOfADeletedGraphAreDropped) {
  TGraph* a = AddData({0, 1}, {0, 1});
  TGraph* b = AddData({0, 1}, {0, 1});
  undo->AddOperation(workspace::opOffsetX, {std::int64_t(a->Id()), 1.0});
  undo->AddOperation(workspace::opOffsetX, {std::int64_t(b->Id()), 1.0});
  graphs->DeleteGraph(a);
  ASSERT_EQ(undo->Count(), 2);
  EXPECT_EQ(undo->Items(0).GraphId, b->Id());
  EXPECT_EQ(undo->Items(1).GraphId, b->Id());
  // An entry for an id no graph has is popped without effect.
  undo->AddOperation(workspace::opOffsetX, {std::int64_t(987654), 1.0});
  undo->Undo();
  EXPECT_EQ(undo->Count(), 2);
  EXPECT_EQ(graphs->Count(), 1);
}

TEST_F(OperationsTest, BadEntriesAreRefused) {
  EXPECT_THROW(undo->AddOperation(9, {std::int64_t(1), 0.0}), workspace::EGraphError);
  EXPECT_THROW(undo->AddOperation(-1, {std::int64_t(1)}), workspace::EGraphError);
  EXPECT_THROW(undo->AddOperation(3, {}), workspace::EGraphError);
  EXPECT_THROW(undo->AddOperation(3, {1.0, 0.0}), workspace::EGraphError);
  EXPECT_THROW(undo->AddOperation(3, {std::int64_t(1), true}), workspace::EGraphError);
  EXPECT_EQ(undo->Count(), 0);
}

TEST_F(OperationsTest, AStackWithoutCollectionAndACollectionWithoutStack) {
  // Adding records nothing once the stack is gone.
  undo.reset();
  EXPECT_EQ(graphs->Operations(), nullptr);
  AddData({0, 1}, {0, 1});
  TOperationCollection loose(nullptr);
  loose.AddOperation(workspace::opAddGraph, {std::int64_t(graphs->Items(0)->Id())});
  loose.Undo();
  EXPECT_EQ(graphs->Count(), 1);
}

}  // namespace
