#pragma once
// The undo stack: records of what was done to which graph, undone newest first.

#include <memory>
#include <variant>
#include <vector>

#include "framework/ClassesTypes.h"
#include "workspace/GraphCollection.h"

namespace workspace {

enum TOperationKind : Integer {
  opAddGraph = 0,       // the graph is deleted again
  opLineFormat = 1,     // the value is the graph's former format (graph text properties)
  opExchangeXY = 2,
  opNormalizeX = 3,     // the value is the divisor
  opNormalizeY = 4,
  opOffsetX = 5,        // the value is what was subtracted
  opOffsetY = 6,
  opMirrorX = 7,
  opMirrorY = 8
};
// Kinds AddOperation records; the user's deletion of a graph is recorded by AddDeletion.
inline constexpr Integer OperationKindCount = 9;
inline constexpr Integer opDeleteGraph = 9;  // the deleted graph is put back
inline constexpr Integer opRebuildGraph = 10;  // the graph's former points and values are put back
inline constexpr Integer opTrimGraph = 11;     // the trimmed points are put back

// A graph's points and the values it was computed with, as they stood before it was rebuilt.
struct TGraphState {
  std::vector<double> X, Y;
  Integer XOrder = 0;  // the X list's order (chart::TChartListOrder)
  String Title, Source, AuxParams;
  double LimStart = 0, LimStop = 0, LimStep = 0;
  bool Interpolate = false, Low = false, UseStep = false, DoPart = false;
  Integer Factor = 0, PolyDegree = 0, SplitInterval = 0;
  double Step = 0, X1 = 0, X2 = 0;

  static TGraphState Of(const TGraph& Graph);
  void RestoreTo(TGraph& Graph) const;
};

// The record of one operation.
struct TOperation {
  Integer Kind = opAddGraph;
  Integer GraphId = 0;
  std::variant<double, String> Value;
  // Kind opDeleteGraph: the graph itself, until the entry is undone or dropped.
  std::shared_ptr<TDeletedGraph> Deleted;
  // Kinds opRebuildGraph and opTrimGraph: the graph as it was.
  std::shared_ptr<TGraphState> Former;
  // The operation's name as the Undo caption shows it.
  String Caption;
};

class TOperationCollection {
 public:
  // Undoing acts on the graphs of Graphs, and Graphs records its additions here.
  explicit TOperationCollection(TGraphCollection* Graphs);
  ~TOperationCollection();
  TOperationCollection(const TOperationCollection&) = delete;
  TOperationCollection& operator=(const TOperationCollection&) = delete;

  // The collection undoing acts on (nullptr: none, undoing does nothing).
  TGraphCollection* Graphs() const { return FGraphs; }
  void SetGraphs(TGraphCollection* Value) { FGraphs = Value; }

  // The name of a kind ("добавление графика" ...); empty for an unknown kind.
  static String OperationName(Integer Kind);

  // Pushes an entry; Params = [graph id, value] (the value a number, or text for kind 1).
  // Raises EGraphError for an unknown kind or parameters of the wrong type.
  void AddOperation(Integer Kind, const TGraphParams& Params);
  // Pushes an entry of kind opDeleteGraph that keeps the deleted graph.
  void AddDeletion(TDeletedGraph Deleted);
  // Pushes an entry of kind opRebuildGraph keeping Graph's present points and values, before a
  // dialog computes it again in place.
  void AddRebuild(const TGraph& Graph);
  // Pushes an entry of kind opRebuildGraph or opTrimGraph that puts Former back on the graph.
  void AddFormerState(Integer Kind, Integer GraphId, TGraphState Former);

  Integer Count() const { return Integer(FItems.size()); }
  // 0 is the oldest entry; no range check.
  const TOperation& Items(Integer Index) const { return FItems[std::size_t(Index)]; }
  bool CanUndo() const { return !FItems.empty(); }
  // "Отменить " followed by the top entry's name ("Отменить" alone when the stack is empty).
  String UndoCaption() const;

  // Undoes and pops the top entry. An entry whose graph is gone is popped without effect.
  void Undo();
  // Drops every entry of the graph (it is being deleted).
  void RemoveGraph(Integer GraphId);
  void Clear();

  // Called after each change of the stack (for the Undo action's caption and state).
  std::function<void(TOperationCollection* Sender)> OnChange;

 private:
  void Changed();
  void UndoEntry(const TOperation& Entry);

  TGraphCollection* FGraphs;
  std::vector<TOperation> FItems;
};

// The workspace's undo stack (owned by the main window; nullptr until it exists).
extern TOperationCollection* OperationCollection;

}  // namespace workspace
