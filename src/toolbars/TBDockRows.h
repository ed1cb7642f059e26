#pragma once
// The row layout of a dock, apart from the windows themselves: which row each window takes,
// where it sits along the row and how long it is. The dock measures its windows, calls
// ArrangeDockRows over them in sorted order, and applies the result.

#include <vector>

#include "framework/ClassesTypes.h"
#include "toolbars/TBDock.h"

namespace toolbars {

struct TDockRowBar {
  // ---- what the window asks for ----
  fw::Integer DockRow = 0, DockPos = -1;
  bool Visible = true;           // shown on the dock
  bool InsertRowBefore = false;  // wants a new row before DockRow (set by the drag loop)
  bool FullSize = false, Stretch = false;
  bool Dragged = false;          // the window being dragged over the dock
  // Measured along the dock (shown windows only): full length with the docked frame, the
  // shortest it may shrink to, and how it shrinks.
  fw::Integer FullLength = 0, MinLength = 0;
  TTBShrinkMode ShrinkMode = tbsmNone;
  // ---- the result ----
  fw::Integer Row = 0;     // effective row (shown windows: the row they are shown in)
  fw::Integer Pos = 0;     // effective position along the row
  fw::Integer Length = 0;  // granted length (== FullLength when not shrunk)
  // ---- working values ----
  fw::Integer VisRow = 0, Gap = 0, Overlap = 0;
};

struct TDockRowsResult {
  fw::Integer HighestRow = -1;
  bool DragSplitting = false;  // the dragged window sits in a shrunk row of several windows
};

// Bars are in the dock's sorted order (by DockRow, then DockPos). RowSpace is the dock's inner
// length. With LimitToOneRow every window stays in row 0 and nothing wraps.
TDockRowsResult ArrangeDockRows(std::vector<TDockRowBar>& Bars, fw::Integer RowSpace, bool LimitToOneRow);

}  // namespace toolbars
