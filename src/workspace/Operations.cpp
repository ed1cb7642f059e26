// The undo stack and the undoing of each kind of operation.
#include "workspace/Operations.h"

#include <algorithm>

#include "chart/Series.h"
#include "workspace/GraphText.h"

namespace workspace {

TOperationCollection* OperationCollection = nullptr;

namespace {

const char* const OperationNames[OperationKindCount] = {
    "добавление графика",     "изменение свойств линии", "обращение осей (X <-> Y)",
    "нормировку по оси X",    "нормировку по оси Y",     "смещение по оси X",
    "смещение по оси Y",      "отражение оси X",         "отражение оси Y"};

[[noreturn]] void BadOperation() { throw EGraphError("Неверные параметры операции"); }

}  // namespace

TOperationCollection::TOperationCollection(TGraphCollection* Graphs) : FGraphs(Graphs) {
  if (FGraphs) FGraphs->SetOperations(this);
}

TOperationCollection::~TOperationCollection() {
  if (FGraphs && FGraphs->Operations() == this) FGraphs->SetOperations(nullptr);
}

String TOperationCollection::OperationName(Integer Kind) {
  if (Kind == opDeleteGraph) return "удаление графика";
  if (Kind == opRebuildGraph) return "перестроение графика";
  if (Kind == opTrimGraph) return "обрезку графика";
  return Kind >= 0 && Kind < OperationKindCount ? OperationNames[Kind] : String();
}

void TOperationCollection::AddOperation(Integer Kind, const TGraphParams& Params) {
  if (Kind < 0 || Kind >= OperationKindCount || Params.empty()) BadOperation();
  TOperation entry;
  entry.Kind = Kind;
  entry.Caption = OperationName(Kind);
  if (auto* id = std::get_if<std::int64_t>(&Params[0]))
    entry.GraphId = Integer(*id);
  else
    BadOperation();
  if (Params.size() > 1) {
    const TGraphParam& v = Params[1];
    if (auto* d = std::get_if<double>(&v))
      entry.Value = *d;
    else if (auto* i = std::get_if<std::int64_t>(&v))
      entry.Value = double(*i);
    else if (auto* s = std::get_if<String>(&v))
      entry.Value = *s;
    else
      BadOperation();
  }
  FItems.push_back(std::move(entry));
  Changed();
}

void TOperationCollection::AddDeletion(TDeletedGraph Deleted) {
  TOperation entry;
  entry.Kind = opDeleteGraph;
  entry.Caption = OperationName(opDeleteGraph);
  entry.GraphId = Deleted.Graph ? Deleted.Graph->Id() : 0;
  entry.Deleted = std::make_shared<TDeletedGraph>(std::move(Deleted));
  FItems.push_back(std::move(entry));
  Changed();
}

TGraphState TGraphState::Of(const TGraph& Graph) {
  TGraphState s;
  const chart::TChartSeries* series = Graph.Series();
  for (Integer i = 0; i < series->Count(); ++i) {
    s.X.push_back(series->PointX(i));
    s.Y.push_back(series->PointY(i));
  }
  s.XOrder = Integer(series->XValues()->Order());
  s.Title = series->Title();
  s.Source = Graph.Source;
  s.AuxParams = Graph.AuxParams;
  s.LimStart = Graph.LimStart;
  s.LimStop = Graph.LimStop;
  s.LimStep = Graph.LimStep;
  s.Interpolate = Graph.Interpolate;
  s.Low = Graph.Low;
  s.UseStep = Graph.UseStep;
  s.DoPart = Graph.DoPart;
  s.Factor = Graph.Factor;
  s.PolyDegree = Graph.PolyDegree;
  s.SplitInterval = Graph.SplitInterval;
  s.Step = Graph.Step;
  s.X1 = Graph.X1;
  s.X2 = Graph.X2;
  return s;
}

void TGraphState::RestoreTo(TGraph& Graph) const {
  chart::TChartSeries* series = Graph.Series();
  series->XValues()->SetOrder(chart::TChartListOrder(XOrder));
  series->AdoptPoints(std::vector<double>(X), std::vector<double>(Y));
  series->SetTitle(Title);
  Graph.Source = Source;
  Graph.AuxParams = AuxParams;
  Graph.LimStart = LimStart;
  Graph.LimStop = LimStop;
  Graph.LimStep = LimStep;
  Graph.Interpolate = Interpolate;
  Graph.Low = Low;
  Graph.UseStep = UseStep;
  Graph.DoPart = DoPart;
  Graph.Factor = Factor;
  Graph.PolyDegree = PolyDegree;
  Graph.SplitInterval = SplitInterval;
  Graph.Step = Step;
  Graph.X1 = X1;
  Graph.X2 = X2;
}

void TOperationCollection::AddRebuild(const TGraph& Graph) {
  AddFormerState(opRebuildGraph, Graph.Id(), TGraphState::Of(Graph));
}

void TOperationCollection::AddFormerState(Integer Kind, Integer GraphId, TGraphState Former) {
  if (Kind != opRebuildGraph && Kind != opTrimGraph) BadOperation();
  TOperation entry;
  entry.Kind = Kind;
  entry.Caption = OperationName(Kind);
  entry.GraphId = GraphId;
  entry.Former = std::make_shared<TGraphState>(std::move(Former));
  FItems.push_back(std::move(entry));
  Changed();
}

String TOperationCollection::UndoCaption() const {
  return FItems.empty() ? String("Отменить") : "Отменить " + FItems.back().Caption;
}

void TOperationCollection::Undo() {
  if (FItems.empty()) return;
  const TOperation entry = std::move(FItems.back());
  FItems.pop_back();
  // The stack is consistent before the graphs change, whatever they report back.
  Changed();
  UndoEntry(entry);
}

void TOperationCollection::UndoEntry(const TOperation& Entry) {
  if (Entry.Kind == opDeleteGraph) {
    if (FGraphs && Entry.Deleted) FGraphs->Restore(*Entry.Deleted);
    return;
  }
  TGraph* graph = FGraphs ? FGraphs->ById(Entry.GraphId) : nullptr;
  if (!graph) return;
  const double* number = std::get_if<double>(&Entry.Value);
  const double value = number ? *number : 0.0;
  switch (Entry.Kind) {
    case opAddGraph:
      FGraphs->DeleteGraph(graph);
      return;
    case opLineFormat:
      if (auto* text = std::get_if<String>(&Entry.Value)) ApplyGraphFormatText(*graph, *text);
      break;
    case opExchangeXY: graph->ExchangeXY(); break;
    case opNormalizeX: graph->MultiplyX(value); break;
    case opNormalizeY: graph->MultiplyY(value); break;
    case opOffsetX: graph->OffsetX(-value); break;
    case opOffsetY: graph->OffsetY(-value); break;
    case opMirrorX: graph->MirrorX(); break;
    case opMirrorY: graph->MirrorY(); break;
    case opRebuildGraph:
    case opTrimGraph:
      if (Entry.Former) Entry.Former->RestoreTo(*graph);
      break;
    default: break;
  }
  FGraphs->Changed();
}

void TOperationCollection::RemoveGraph(Integer GraphId) {
  const auto before = FItems.size();
  FItems.erase(std::remove_if(FItems.begin(), FItems.end(), [GraphId](const TOperation& e) { return e.GraphId == GraphId; }),
               FItems.end());
  if (FItems.size() != before) Changed();
}

void TOperationCollection::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

void TOperationCollection::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace workspace
