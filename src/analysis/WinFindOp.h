#pragma once
// The find-result windows: small topmost tool windows, one per measure (maximum, minimum, delta,
// average with its deviations, integral), each evaluating its measure of the bound graph over
// [X1, X2]. Every open window follows the graph selected in the main window.

#include <array>

#include "analysis/WinFindOpBase.h"

namespace workspace {
class TGraph;
}

namespace analysis {

class TwndFindOp : public TFindOpForm {
 public:
  TwndFindOp(fw::TComponent* AOwner, TFindOpKind Kind);
  ~TwndFindOp() override;

  const char* KindName() const { return FindOpKindName(Kind()); }
  // The bound graph and its place in the collection (nullptr / -1 once it is gone). The window
  // holds the graph's identity, so a reorder or an undo never hands it another graph.
  workspace::TGraph* Graph() const;
  fw::Integer GraphIndex() const;
  // Binds the window to the graph at Index: the caption becomes the kind's name, " - " and the
  // graph's title; results already shown stay.
  void Bind(fw::Integer Index);

  // An interval without a point is refused with a message; the results stay.
  void Search() override;

 protected:
  void ClearResults() override;
  bool GraphXRange(double& Min, double& Max) const override;

 private:
  void LayOutGrid();

  fw::Integer FGraphId = -1;
};

// One slot per kind (slot 2 unused); a window is made on first use and kept.
extern std::array<TwndFindOp*, 6> FindOpWindows;

// Nothing without graphs; else makes (first time) and shows the window of Kind, bound to GraphIndex.
void ShowFindOpWindow(TFindOpKind Kind, fw::Integer GraphIndex);
// Binds every open find window to GraphIndex.
void SetFindOpWindowsGraph(fw::Integer GraphIndex);
// After any change of the graphs: a window whose graph is gone binds to CurrentIndex, the others
// take their graph's title again.
void FollowFindOpGraphs(fw::Integer CurrentIndex);
// Frees every find window.
void CloseFindOpWindows();
// Cancels the pick armed by Window, if it armed the one armed now.
void CancelFindOpPick(TwndFindOp* Window);

}  // namespace analysis
