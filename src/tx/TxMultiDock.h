#pragma once
// The multi-dock: a dock that holds dockable panels only and lays them out in one row along its
// length, sharing the length among them within each panel's limits. The panels' own SplitWidth or
// SplitHeight is what each asks for; the dock's depth follows the deepest panel.

#include <vector>

#include "tx/TxDock.h"

namespace tx {

class TTxDockablePanel;

// One panel's share of the dock's length.
struct TTxSplitShare {
  Integer Min = 0, Max = 0, Size = 0;
};

// Fits the sizes (each already within [Min, Max]) to Length: all at Min when the minimums do not
// fit, all at Max when the maximums fall short, otherwise the difference is spread evenly over
// the panels that can still take it, rounding the running share (ties to even) so that the sum
// is exact.
void FitSplitShares(std::vector<TTxSplitShare>& Shares, Integer Length);

class TTxMultiDock : public TTxDock {
 public:
  explicit TTxMultiDock(fw::TComponent* AOwner);

  // The depth of the last arrangement.
  Integer CrossSize() const { return FCrossSize; }
  // The panels shown on the dock, by DockPos.
  std::vector<TTxDockablePanel*> SortedVisiblePanels() const;

  bool Accepts(toolbars::TTBCustomDockableWindow* AWindow) override;
  void ArrangeToolbars() override;
  void Dispatch(fw::TMessage& Message) override;

 private:
  Integer FCrossSize = 0;
};

}  // namespace tx
