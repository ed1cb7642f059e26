#include "analysis/GraphOperations.h"

#include "analysis/Analisis.h"
#include "chart/Series.h"
#include "workspace/Graph.h"
#include "workspace/Operations.h"
#include "workspace/PropSaver.h"

namespace analysis {

namespace {

void Record(workspace::TOperationCollection* Undo, fw::Integer Kind, const workspace::TGraph& Graph, double Value) {
  if (Undo) Undo->AddOperation(Kind, {std::int64_t(Graph.Id()), Value});
}

}  // namespace

void TNormParams::Load(const workspace::TPropSaver& Store) {
  AlongX = Store.ReadString("NormXY", "rbY") == "rbX";
  Factor = Store.ReadFloat("Factor", 1);
  ByMax = Store.ReadBool("NormMax", false);
}

void TNormParams::Save(workspace::TPropSaver& Store) const {
  Store.WriteString("NormXY", AlongX ? "rbX" : "rbY");
  Store.WriteBool("NormMax", ByMax);
  Store.WriteFloat("Factor", Factor);
}

namespace {
constexpr const char* kOffsetKindNames[] = {"rbMax", "rbMin", "rbAvg", "rbUsr"};
}

void TOffsetParams::Load(const workspace::TPropSaver& Store) {
  Horizontal = Store.ReadString("Direction", "rbH") != "rbV";
  const fw::String kind = Store.ReadString("Kind", "rbMax");
  Kind = okMax;
  for (int k = 0; k < 4; ++k)
    if (kind == kOffsetKindNames[k]) Kind = TOffsetKind(k);
  Value = Store.ReadFloat("Value", 0);
}

void TOffsetParams::Save(workspace::TPropSaver& Store) const {
  Store.WriteString("Direction", Horizontal ? "rbH" : "rbV");
  Store.WriteString("Kind", kOffsetKindNames[Kind]);
  Store.WriteFloat("Value", Value);
}

void TTrimParams::Load(const workspace::TPropSaver& Store) {
  Left = Store.ReadBool("Left", true);
  Right = Store.ReadBool("Right", true);
  LeftValue = Store.ReadFloat("LeftValue", 0);
  RightValue = Store.ReadFloat("RightValue", 0);
}

void TTrimParams::Save(workspace::TPropSaver& Store) const {
  Store.WriteBool("Left", Left);
  Store.WriteBool("Right", Right);
  Store.WriteFloat("LeftValue", LeftValue);
  Store.WriteFloat("RightValue", RightValue);
}

workspace::TGraphArray OperandGraphs(workspace::TGraphCollection& Graphs) {
  workspace::TGraphArray result = Graphs.SelectedGraphs();
  if (!result.empty()) return result;
  workspace::TGraph* current = Graphs.Current();
  if (!current) return result;
  Graphs.SelectBySeries(current->Series());
  result = Graphs.SelectedGraphs();
  if (result.empty()) result.push_back(current);
  return result;
}

void ApplyNormalize(const TNormParams& Params, workspace::TGraphCollection& Graphs,
                    workspace::TOperationCollection* Undo) {
  for (workspace::TGraph* graph : OperandGraphs(Graphs)) {
    if (Params.AlongX) {
      graph->DivideX(Params.Factor);
      Record(Undo, workspace::opNormalizeX, *graph, Params.Factor);
    } else {
      const double divisor = Params.ByMax ? graph->Series()->YValues()->MaxValue() : Params.Factor;
      graph->DivideY(divisor);
      Record(Undo, workspace::opNormalizeY, *graph, divisor);
    }
  }
  Graphs.Changed();
}

void ApplyOffset(const TOffsetParams& Params, workspace::TGraphCollection& Graphs,
                 workspace::TOperationCollection* Undo) {
  for (workspace::TGraph* graph : OperandGraphs(Graphs)) {
    const chart::TChartSeries* series = graph->Series();
    if (series->Count() == 0) continue;
    double dx = -Params.Value, dy = -Params.Value;
    TPointXY point{};
    switch (Params.Kind) {
      case okMax: FindMaxY(series, point); dx = point.X; dy = point.Y; break;
      case okMin: FindMinY(series, point); dx = point.X; dy = point.Y; break;
      case okAvg:
        dx = (series->XValues()->MinValue() + series->XValues()->MaxValue()) / 2;
        dy = graph->MeanY();
        break;
      case okUser: break;
    }
    if (Params.Horizontal) {
      graph->OffsetX(dx);
      Record(Undo, workspace::opOffsetX, *graph, dx);
    } else {
      graph->OffsetY(dy);
      Record(Undo, workspace::opOffsetY, *graph, dy);
    }
  }
  Graphs.Changed();
}

void ApplyTrim(const TTrimParams& Params, workspace::TGraphCollection& Graphs) {
  workspace::TOperationCollection* undo = Graphs.Operations();
  for (workspace::TGraph* graph : OperandGraphs(Graphs)) {
    // The points as they were, so that undoing gives back what the trim cut (and not the
    // graph's addition, the entry below).
    workspace::TGraphState former = workspace::TGraphState::Of(*graph);
    graph->Trim(Params.Left, Params.Right, Params.LeftValue, Params.RightValue);
    if (undo && graph->Series()->Count() != fw::Integer(former.X.size()))
      undo->AddFormerState(workspace::opTrimGraph, graph->Id(), std::move(former));
  }
  Graphs.Changed();
}

}  // namespace analysis
