#include "analysis/WinFindOpGroup.h"

#include <algorithm>
#include <string>

#include "analysis/DialogLayout.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "controls/FloatEdit.h"
#include "framework/GridsString.h"
#include "framework/SysUtils.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"

namespace analysis {

namespace {

std::vector<TwndFindOpGroup*> GroupWindows;

struct TGroupLayout {
  std::vector<const char*> Headers;  // of the columns after "№" and "График"
  int Width;                         // of the window, in pixels
};

TGroupLayout LayoutOf(TFindOpKind Kind) {
  switch (Kind) {
    case fkMax: return {{"MaxX", "MaxY"}, 354};
    case fkMin: return {{"MinX", "MinY"}, 354};
    case fkDelta: return {{"MaxX", "MaxY", "MinX", "MinY", "DeltaX", "DeltaY"}, 676};
    case fkAverage: return {{"Avg", "DevMin", "DevMax"}, 434};
    case fkIntegral: return {{"Value"}, 307};
  }
  return {{}, 307};
}

}  // namespace

TwndFindOpGroup::TwndFindOpGroup(fw::TComponent* AOwner, TFindOpKind Kind, const std::vector<fw::Integer>& GraphIds)
    : TFindOpForm(AOwner, Kind, ""), FGraphIds(GraphIds) {  // several at once: no name
  SetBorderStyle(fw::bsSizeToolWin);
  SetPosition(fw::poMainFormCenter);
  const TGroupLayout layout = LayoutOf(Kind);
  Grid->SetColCount(fw::Integer(layout.Headers.size()) + 2);
  Grid->SetRowCount(RowCount() + 1);
  Grid->SetFixedRows(1);
  Grid->SetFixedCols(0);
  Grid->SetColWidths(0, 30);
  Grid->SetCells(0, 0, "№");
  Grid->SetCells(1, 0, "График");
  for (std::size_t c = 0; c < layout.Headers.size(); ++c) Grid->SetCells(fw::Integer(c) + 2, 0, layout.Headers[c]);
  const workspace::TGraphCollection* graphs = workspace::GraphCollection;
  for (fw::Integer r = 0; r < RowCount(); ++r) {
    Grid->SetCells(0, r + 1, std::to_string(r));
    const workspace::TGraph* graph = graphs ? graphs->ById(FGraphIds[std::size_t(r)]) : nullptr;
    Grid->SetCells(1, r + 1, graph ? graph->Series()->Title() : std::string());
  }
  SetWidth(layout.Width);
  const fw::Integer rowsHeight = (RowCount() + 1) * (Grid->DefaultRowHeight() + Grid->GridLineWidth()) + 4;
  const fw::Integer gridHeight = std::min<fw::Integer>(rowsHeight, 400);
  Grid->SetBounds(TDialogLayout::X(4), GridTop(), ClientWidth() - 2 * TDialogLayout::X(4), gridHeight);
  SetClientHeight(GridTop() + gridHeight + 5);
  Grid->SetAnchors(fw::TAnchors{fw::akLeft, fw::akTop, fw::akRight, fw::akBottom});
  FitGridColumns();
  OnClose = [this](fw::TObject*, fw::TCloseAction& Action) {
    CancelPick();
    Action = fw::caFree;
  };
  GroupWindows.push_back(this);
}

TwndFindOpGroup::~TwndFindOpGroup() {
  GroupWindows.erase(std::remove(GroupWindows.begin(), GroupWindows.end(), this), GroupWindows.end());
}

void TwndFindOpGroup::Search() {
  const double a = double(fedX1->Value());
  const double b = double(fedX2->Value());
  const fw::Integer columns = Grid->ColCount() - 2;
  const workspace::TGraphCollection* graphs = workspace::GraphCollection;
  try {
    for (fw::Integer r = 0; r < RowCount(); ++r) {
      const workspace::TGraph* graph = graphs ? graphs->ById(FGraphIds[std::size_t(r)]) : nullptr;
      const std::vector<double> values =
          graph ? FindOpMeasure(Kind(), *graph->Series(), a, b) : std::vector<double>{};
      for (fw::Integer c = 0; c < columns; ++c)
        Grid->SetCells(c + 2, r + 1, values.empty() ? std::string() : fw::FloatToStr(values[std::size_t(c)]));
    }
  } catch (...) {
    FitGridColumns();  // the rows searched before the refusal keep their numbers
    throw;
  }
  FitGridColumns();
}

void TwndFindOpGroup::ClearResults() {
  for (fw::Integer r = 1; r < Grid->RowCount(); ++r)
    for (fw::Integer c = 2; c < Grid->ColCount(); ++c) Grid->SetCells(c, r, "");
}

bool TwndFindOpGroup::GraphXRange(double& Min, double& Max) const {
  if (!chart::MainChart || chart::MainChart->SeriesCount() == 0) return false;
  Min = chart::MainChart->MinimumXOnAxis(chart::MainChart->BottomAxis());
  Max = chart::MainChart->MaximumXOnAxis(chart::MainChart->BottomAxis());
  return true;
}

TwndFindOpGroup* ShowFindOpGroup(TFindOpKind Kind, bool UseSelection) {
  workspace::TGraphCollection* graphs = workspace::GraphCollection;
  if (!graphs) return nullptr;
  std::vector<fw::Integer> ids;
  if (UseSelection) {
    for (const workspace::TGraph* graph : graphs->SelectedGraphs()) ids.push_back(graph->Id());
  } else {
    for (fw::Integer i = 0; i < graphs->Count(); ++i)
      if (graphs->Items(i)->Checked) ids.push_back(graphs->Items(i)->Id());
  }
  if (ids.empty()) return nullptr;
  auto* window = new TwndFindOpGroup(fw::Application, Kind, ids);
  window->Show();
  return window;
}

const std::vector<TwndFindOpGroup*>& FindOpGroupWindows() { return GroupWindows; }

}  // namespace analysis
