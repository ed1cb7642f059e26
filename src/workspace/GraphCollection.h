#pragma once
// The workspace's ordered list of graphs on one chart, with its last-added and current
// indexes. Adding a graph puts its series on the chart and records an undo entry; deleting one
// takes the series off and turns the graphs derived from it into plain data. Window code (the
// multi-selector, the graph list, the status counts) follows through the callbacks below.

#include <cstdint>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

#include "framework/ClassesTypes.h"
#include "workspace/Graph.h"

namespace chart {
class TChartSeries;
class TCustomChart;
}  // namespace chart

namespace workspace {

class TOperationCollection;

// One item of the parameter list of AddGraph and AddOperation.
using TGraphParam = std::variant<std::int64_t, double, bool, fw::String, chart::TChartSeries*>;
using TGraphParams = std::vector<TGraphParam>;

using TGraphArray = std::vector<TGraph*>;

// A graph the user deleted, kept whole so that undoing brings back the same graph: where it
// stood in the list and among the chart's series, and the graphs computed from it (id and
// kind) that turned into plain data when it went.
struct TDeletedGraph {
  std::unique_ptr<TGraph> Graph;  // its series is off the chart while it is deleted
  Integer Index = -1;
  Integer ChartIndex = -1;
  std::vector<std::pair<Integer, Integer>> Derived;
};

class TGraphCollection {
 public:
  // Graphs go onto Chart (not owned).
  explicit TGraphCollection(chart::TCustomChart* Chart);
  // Frees every graph (and so takes their series off the chart).
  ~TGraphCollection();
  TGraphCollection(const TGraphCollection&) = delete;
  TGraphCollection& operator=(const TGraphCollection&) = delete;

  chart::TCustomChart* Chart() const { return FChart; }
  // The undo stack entries are recorded on (none: nothing is recorded).
  TOperationCollection* Operations() const { return FOperations; }
  void SetOperations(TOperationCollection* Value) { FOperations = Value; }

  Integer Count() const { return Integer(FItems.size()); }
  // nullptr outside 0 .. Count-1.
  TGraph* Items(Integer Index) const;
  Integer IndexOf(const TGraph* Graph) const;
  TGraph* ById(Integer Id) const;
  // The graph whose series Series is, or nullptr.
  TGraph* BySeries(const chart::TChartSeries* Series) const;
  // The graph at the current index (set by selecting), or nullptr.
  TGraph* Current() const { return Items(FCurrentIndex); }
  Integer CurrentIndex() const { return FCurrentIndex; }
  TGraph* LastAdded() const { return Items(FLastAddedIndex); }
  Integer LastAddedIndex() const { return FLastAddedIndex; }
  Integer CheckedCount() const;

  // Wraps Series (taken over) in a new graph, puts it on the chart (changing its colour when it
  // equals the back wall's) and at the end of the list, records an undo entry of kind 0 and
  // remembers it as the last added graph. Title, or else the file-name part of Source, becomes
  // the series title. Params[0] is the kind (none: kind 0); kinds 1 and 2 take LimStart,
  // LimStop, LimStep and (kind 1) AuxParams; kinds 3 to 5 take the source series and the kind's
  // values: 3 Interpolate, Factor; 4 PolyDegree, SplitInterval, DoPart, X1, X2; 5 Low, UseStep,
  // Factor, Step. Raises EGraphError, with nothing added, for a missing series, a series that
  // already belongs to a graph, or parameters of the wrong type or kind.
  TGraph* AddGraph(chart::TChartSeries* Series, const String& Source, const TGraphParams& Params,
                   const String& Title);

  // Selecting makes the graph current and tells OnGraphSelected (which selects its series in
  // the multi-selector and updates the graph toolbar and find windows).
  void Select(Integer Index);
  void SelectLastAdded();
  void SelectBySeries(chart::TChartSeries* Series);

  // Frees the graph and its series. Graphs of kinds 3 to 5 computed from its series become
  // plain data, and undo entries of the graph are dropped.
  void Delete(Integer Index);
  void DeleteGraph(TGraph* Graph);
  // The user's deletion: as Delete, but with an undo stack the graph goes onto it (an entry
  // "удаление графика") instead of being freed, and its own entries stay below that one.
  void DeleteUndoable(Integer Index);
  // Puts a graph deleted by DeleteUndoable back where it was (taking it from Deleted) and makes
  // it current.
  void Restore(TDeletedGraph& Deleted);
  void Clear();

  // Exchanges two graphs in the list and their series in the chart's drawing order (the series
  // list's order). The current and last-added graphs stay the same graphs. No undo entry: the
  // stack has no kind for it.
  void Exchange(TGraph* Graph1, TGraph* Graph2);
  // Retitles the graph's series. Raises EGraphError, changing nothing, for a title that is empty
  // or only spaces (the series would show its component name instead).
  void Rename(TGraph* Graph, const String& Title);

  // The graphs whose series are selected (OnGetSelectedSeries), in selection order.
  TGraphArray SelectedGraphs() const;

  // Clipboard commands. CopyText puts the selected graphs (else the current one) on the
  // clipboard as graph text with the preferences' copy options, once OnCopyTextDialog (the
  // copy-as-text dialog, which edits those options) returned true; without a dialog it copies
  // at once. CopyImage puts the chart's picture on the clipboard, drawn white without the
  // background gradient, once OnCopyImageDialog returned true, with the selection marks hidden
  // around dialog and copy (OnShowSelectionMarks). CopyToClipboard copies text when graphs
  // are selected, else the picture.
  void CopyText();
  void CopyImage();
  void CopyToClipboard();
  std::function<bool()> OnCopyTextDialog;
  std::function<bool()> OnCopyImageDialog;
  std::function<void(bool Show)> OnShowSelectionMarks;

  // Called after a graph was selected (nullptr: none is current any more).
  std::function<void(TGraph* Graph)> OnGraphSelected;
  // Called after graphs were added, deleted or changed, for the graph list and status counts.
  std::function<void(TGraphCollection* Sender)> OnChange;
  // The series selected on the chart, in selection order (the multi-selector's list).
  std::function<std::vector<chart::TChartSeries*>()> OnGetSelectedSeries;

  // Tells OnChange.
  void Changed();

 private:
  void ApplyParams(TGraph& Graph, const TGraphParams& Params) const;
  // Takes the graph out of the list (indexes follow) and unlinks the graphs computed from it,
  // listing them in Derived when given. The graph's series stays where it is.
  std::unique_ptr<TGraph> Extract(Integer Index, std::vector<std::pair<Integer, Integer>>* Derived);
  void Removed(bool WasCurrent);

  chart::TCustomChart* FChart;
  TOperationCollection* FOperations = nullptr;
  std::vector<std::unique_ptr<TGraph>> FItems;
  Integer FCurrentIndex = -1;
  Integer FLastAddedIndex = -1;
};

// The workspace's one collection (owned by the main window; nullptr until it exists).
extern TGraphCollection* GraphCollection;

}  // namespace workspace
