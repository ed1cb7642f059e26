// Undoing a deletion: the graph comes back, and the graphs derived from it are derived again.

#include "workspace_fixture.h"

namespace {

using workspace::TGraph;

class GraphUndoTest : public wstest::WorkspaceTest {};

TEST_F(GraphUndoTest, UndoneDeletionGivesDerivedGraphsTheirSourceAndKindBack) {
  TGraph* source = AddData({0, 1, 2}, {0, 1, 4});
  chart::TChartSeries* src = source->Series();
  TGraph* spline = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "SplineFunction",
                                    {std::int64_t(workspace::gkSpline), src, false, std::int64_t(2)}, "");
  TGraph* env = graphs->AddGraph(NewSeries({0, 1}, {0, 1}), "EnvelopeFunction",
                                 {std::int64_t(workspace::gkEnvelope), src}, "");

  graphs->DeleteUndoable(graphs->IndexOf(source));
  ASSERT_EQ(spline->Kind, workspace::gkData);
  ASSERT_EQ(env->SourceSeries, nullptr);

  undo->Undo();
  ASSERT_EQ(graphs->Count(), 3);
  EXPECT_EQ(graphs->Items(0)->Series(), src);
  for (const auto& [g, kind] : {std::pair{spline, workspace::gkSpline}, std::pair{env, workspace::gkEnvelope}}) {
    EXPECT_EQ(g->SourceSeries, src);
    EXPECT_EQ(g->Kind, kind);
  }
}

}  // namespace
