#pragma once
// The group search windows: the find measures over one X interval for several graphs at once,
// one table row per graph. Each call opens a new window that frees itself when closed; its graph
// list is fixed when it is made.

#include <vector>

#include "analysis/WinFindOpBase.h"

namespace analysis {

class TwndFindOpGroup : public TFindOpForm {
 public:
  // Graph ids, one row each, in order.
  TwndFindOpGroup(fw::TComponent* AOwner, TFindOpKind Kind, const std::vector<fw::Integer>& GraphIds);
  ~TwndFindOpGroup() override;

  fw::Integer RowCount() const { return fw::Integer(FGraphIds.size()); }
  // Every row's measure; a graph gone since the window was made, or without a point in the
  // interval, gets empty cells. The integral's refusal ends the search at its row.
  void Search() override;

 protected:
  void ClearResults() override;
  // The X range of the visible series on the bottom axis.
  bool GraphXRange(double& Min, double& Max) const override;

 private:
  std::vector<fw::Integer> FGraphIds;
};

// A new window of Kind: UseSelection, the series selected on the chart in selection order; else
// the graphs whose Checked flag is set, in workspace order. Nothing without such graphs.
TwndFindOpGroup* ShowFindOpGroup(TFindOpKind Kind, bool UseSelection);
// The open group windows.
const std::vector<TwndFindOpGroup*>& FindOpGroupWindows();

}  // namespace analysis
