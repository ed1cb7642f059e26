#include "analysis/WinFindOp.h"

#include <string>

#include "analysis/DialogLayout.h"
#include "chart/Series.h"
#include "controls/FloatEdit.h"
#include "framework/GridsString.h"
#include "framework/StdCtrlsScrollStyle.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Exceptions.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"

namespace analysis {

std::array<TwndFindOp*, 6> FindOpWindows{};

namespace {

constexpr const char* kNoPointInRange = "На заданном участке нет ни одной точки";

// The result cells of each kind, (column, row), in the order of FindOpMeasure's numbers.
std::vector<std::pair<int, int>> ResultCells(TFindOpKind Kind) {
  switch (Kind) {
    case fkMax:
    case fkMin: return {{0, 1}, {1, 1}};
    case fkDelta: return {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}};
    case fkAverage: return {{0, 1}, {1, 1}, {2, 1}};
    case fkIntegral: return {{0, 1}};
  }
  return {};
}

}  // namespace

TwndFindOp::TwndFindOp(fw::TComponent* AOwner, TFindOpKind Kind)
    : TFindOpForm(AOwner, Kind, (std::string("wndFindOp") + std::to_string(int(Kind))).c_str()) {
  SetBorderStyle(fw::bsToolWindow);
  SetPosition(fw::poDesktopCenter);
  Grid->SetScrollBars(fw::ssNone);
  LayOutGrid();
  // Kept for the next use of its kind; closing only ends its pick.
  OnClose = [this](fw::TObject*, fw::TCloseAction& Action) {
    Action = fw::caHide;
    CancelPick();
  };
}

TwndFindOp::~TwndFindOp() {
  for (auto& slot : FindOpWindows)
    if (slot == this) slot = nullptr;
}

void TwndFindOp::LayOutGrid() {
  const fw::Integer row = Grid->DefaultRowHeight();
  const fw::Integer line = Grid->GridLineWidth();
  const fw::Integer width = TDialogLayout::X(192);
  fw::Integer height = 2 * row + 5 * line;
  switch (Kind()) {
    case fkMax:
    case fkMin:
      Grid->SetColCount(2);
      Grid->SetRowCount(2);
      Grid->SetFixedCols(0);
      Grid->SetColWidths(0, width / 2);
      Grid->SetColWidths(1, width / 2);
      Grid->SetCells(0, 0, Kind() == fkMax ? "MaxX" : "MinX");
      Grid->SetCells(1, 0, Kind() == fkMax ? "MaxY" : "MinY");
      break;
    case fkDelta:
      Grid->SetColCount(3);
      Grid->SetRowCount(4);
      Grid->SetFixedCols(1);
      Grid->SetColWidths(0, 30);
      Grid->SetColWidths(1, (width - 30) / 2);
      Grid->SetColWidths(2, (width - 30) / 2);
      Grid->SetCells(1, 0, "X");
      Grid->SetCells(2, 0, "Y");
      Grid->SetCells(0, 1, "Max");
      Grid->SetCells(0, 2, "Min");
      Grid->SetCells(0, 3, "Delta");
      height = 4 * row + 7 * line;
      break;
    case fkAverage:
      Grid->SetColCount(3);
      Grid->SetRowCount(2);
      Grid->SetFixedCols(0);
      for (int c = 0; c < 3; ++c) Grid->SetColWidths(c, width / 3 - line);
      Grid->SetCells(0, 0, "Avg");
      Grid->SetCells(1, 0, "DevMin");
      Grid->SetCells(2, 0, "DevMax");
      height = 2 * row + 3 * line;
      break;
    case fkIntegral:
      Grid->SetColCount(1);
      Grid->SetRowCount(2);
      Grid->SetFixedCols(0);
      Grid->SetColWidths(0, width);
      Grid->SetCells(0, 0, "Value");
      height = 2 * row + 3 * line;
      break;
  }
  Grid->SetFixedRows(1);
  Grid->SetBounds(TDialogLayout::X(4), GridTop(), width, height);
  SetClientHeight(GridTop() + height + 5);
  FitGridColumns();
}

workspace::TGraph* TwndFindOp::Graph() const {
  const workspace::TGraphCollection* graphs = workspace::GraphCollection;
  return graphs && FGraphId >= 0 ? graphs->ById(FGraphId) : nullptr;
}

fw::Integer TwndFindOp::GraphIndex() const {
  const workspace::TGraph* graph = Graph();
  return graph ? workspace::GraphCollection->IndexOf(graph) : -1;
}

void TwndFindOp::Bind(fw::Integer Index) {
  const workspace::TGraphCollection* graphs = workspace::GraphCollection;
  const workspace::TGraph* graph = graphs ? graphs->Items(Index) : nullptr;
  FGraphId = graph ? graph->Id() : -1;
  SetCaption(std::string(KindName()) + " - " + (graph ? graph->Series()->Title() : std::string()));
}

void TwndFindOp::Search() {
  const workspace::TGraph* graph = Graph();
  if (!graph) return;
  const std::vector<double> values =
      FindOpMeasure(Kind(), *graph->Series(), double(fedX1->Value()), double(fedX2->Value()));
  if (values.empty()) throw win::Exception(kNoPointInRange);
  const auto cells = ResultCells(Kind());
  for (std::size_t i = 0; i < cells.size(); ++i)
    Grid->SetCells(cells[i].first, cells[i].second, fw::FloatToStr(values[i]));
  FitGridColumns();
}

void TwndFindOp::ClearResults() {
  for (auto [col, row] : ResultCells(Kind())) Grid->SetCells(col, row, "");
}

bool TwndFindOp::GraphXRange(double& Min, double& Max) const {
  const workspace::TGraph* graph = Graph();
  if (!graph || graph->Series()->Count() == 0) return false;
  Min = graph->Series()->XValues()->MinValue();
  Max = graph->Series()->XValues()->MaxValue();
  return true;
}

void ShowFindOpWindow(TFindOpKind Kind, fw::Integer GraphIndex) {
  if (!workspace::GraphCollection || workspace::GraphCollection->Count() == 0) return;
  TwndFindOp*& slot = FindOpWindows[std::size_t(Kind)];
  if (!slot) slot = new TwndFindOp(fw::Application, Kind);
  slot->Show();
  slot->Bind(GraphIndex);
}

void SetFindOpWindowsGraph(fw::Integer GraphIndex) {
  for (TwndFindOp* window : FindOpWindows)
    if (window) window->Bind(GraphIndex);
}

void FollowFindOpGraphs(fw::Integer CurrentIndex) {
  for (TwndFindOp* window : FindOpWindows) {
    if (!window) continue;
    const fw::Integer index = window->GraphIndex();
    window->Bind(index >= 0 ? index : CurrentIndex);
  }
}

void CloseFindOpWindows() {
  for (TwndFindOp*& window : FindOpWindows) {
    TwndFindOp* doomed = window;
    window = nullptr;
    delete doomed;
  }
}

void CancelFindOpPick(TwndFindOp* Window) {
  if (Window) Window->CancelPick();
}

}  // namespace analysis
