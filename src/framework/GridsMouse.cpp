// Mouse: clicking selects, dragging extends the selection (scrolling while the pointer is past
// the edge), dragging a line of the fixed band sizes a column or row, dragging a fixed cell
// moves one.

#include <algorithm>
#include <cstdlib>

#include "framework/Forms.h"
#include "framework/Grids.h"
#include "framework/GridsAxis.h"
#include "framework/GridsInplaceEdit.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/messages/Timers.h"

namespace fw {

namespace {
constexpr win::UINT_PTR kScrollTimer = 1;
constexpr win::UINT kScrollInterval = 60;
// Pixels around a line (past the line itself) that still grab it for sizing.
constexpr Integer kSizingMargin = 2;

}  // namespace

// The index whose far line lies at Pos, or -1.
Integer TCustomGrid::EdgeAt(const Axis& A, Integer Pos) {
  auto test = [&](Integer i) {
    Integer s = A.Start(i);
    if (s < 0) return false;
    Integer edge = s + A.Size(i);
    return Pos >= edge - kSizingMargin && Pos < edge + A.Line + kSizingMargin;
  };
  for (Integer i = 0; i < A.Fixed; ++i)
    if (test(i)) return i;
  Integer last = A.LastVisible();
  for (Integer i = A.First; i <= last; ++i)
    if (test(i)) return i;
  return -1;
}

Integer TCustomGrid::SizingColAt(Integer X, Integer Y) {
  if (!FOptions.Contains(goColSizing) || FFixedRows == 0) return -1;
  Axis v = VertAxis();
  if (Y < 0 || Y >= v.FixedBoundary()) return -1;
  return EdgeAt(HorzAxis(), X);
}

Integer TCustomGrid::SizingRowAt(Integer X, Integer Y) {
  if (!FOptions.Contains(goRowSizing) || FFixedCols == 0) return -1;
  Axis h = HorzAxis();
  if (X < 0 || X >= h.FixedBoundary()) return -1;
  return EdgeAt(VertAxis(), Y);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  // Any button takes the focus (a right click on the way to the context menu too: the keys that
  // follow, Ctrl+C after "select all", are the grid's); only the left one moves the selection.
  bool wasFocused = Focused();
  if (!wasFocused && CanFocus() && !(FInplaceEdit != nullptr && FInplaceEdit->Focused())) SetFocus();
  if (Button != mbLeft) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  FLastMouse = Point(X, Y);
  if (Integer col = SizingColAt(X, Y); col >= 0) {
    FGridState = gsColSizing;
    FSizingIndex = col;
    FSizingStart = HorzAxis().Start(col);
  } else if (Integer row = SizingRowAt(X, Y); row >= 0) {
    FGridState = gsRowSizing;
    FSizingIndex = row;
    FSizingStart = VertAxis().Start(row);
  } else {
    TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= FFixedCols && cell.Y < FFixedRows && cell.Y >= 0 && FOptions.Contains(goColMoving)) {
      FGridState = gsColMoving;
      FMoveFrom = cell.X;
    } else if (cell.Y >= FFixedRows && cell.X < FFixedCols && cell.X >= 0 && FOptions.Contains(goRowMoving)) {
      FGridState = gsRowMoving;
      FMoveFrom = cell.Y;
    } else if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
      bool onCurrent = cell == FCurrent;
      if (FOptions.Contains(goEditing) && onCurrent && (wasFocused || Shift.Contains(ssDouble))) {
        ShowEditor();
        if (FEditorMode && FInplaceEdit != nullptr) FInplaceEdit->Deselect();
      } else {
        FGridState = gsSelecting;
        MoveCurrent(cell.X, cell.Y, !(Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)), true);
        if (HandleAllocated()) FScrollTimer = win::SetTimer(FHandle, kScrollTimer, kScrollInterval, nullptr) != 0;
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  FLastMouse = Point(X, Y);
  switch (FGridState) {
    case gsSelecting: SelectTo(X, Y); break;
    case gsColSizing: SetColWidths(FSizingIndex, std::max(X - FSizingStart, 1)); break;
    case gsRowSizing: SetRowHeights(FSizingIndex, std::max(Y - FSizingStart, 1)); break;
    default: break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGridState state = FGridState;
  Integer from = FMoveFrom;
  StopDrag();
  if (state == gsColMoving) {
    Integer to = HorzAxis().CellAt(X);
    if (to >= FFixedCols && to != from) MoveColumn(from, to);
  } else if (state == gsRowMoving) {
    Integer to = VertAxis().CellAt(Y);
    if (to >= FFixedRows && to != from) MoveRow(from, to);
  } else if (state == gsSelecting) {
    AfterMove();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::StopDrag() {
  if (FScrollTimer && HandleAllocated()) win::KillTimer(FHandle, kScrollTimer);
  FScrollTimer = false;
  FGridState = gsNormal;
  FSizingIndex = -1;
  FMoveFrom = -1;
}

void TCustomGrid::SelectTo(Integer X, Integer Y) {
  Axis h = HorzAxis(), v = VertAxis();
  // A point past an edge takes the cell at that edge.
  auto cellAt = [](const Axis& a, Integer pos) {
    Integer first = a.FixedBoundary();
    if (pos < first) return a.First;
    Integer c = a.CellAt(std::min(pos, a.Extent - 1));
    return c < 0 ? a.LastVisible() : c;
  };
  Integer col = cellAt(h, X), row = cellAt(v, Y);
  col = std::clamp(col, FFixedCols, FColCount - 1);
  row = std::clamp(row, FFixedRows, FRowCount - 1);
  if (col == FCurrent.X && row == FCurrent.Y) return;
  MoveCurrent(col, row, false, false);
}

void TCustomGrid::ScrollTowards(Integer X, Integer Y) {
  Axis h = HorzAxis(), v = VertAxis();
  Integer left = FTopLeft.X, top = FTopLeft.Y;
  if (X >= h.Extent) ++left;
  else if (X < h.FixedBoundary()) --left;
  if (Y >= v.Extent) ++top;
  else if (Y < v.FixedBoundary()) --top;
  MoveTopLeft(left, top);
}

void TCustomGrid::WMTimer(TMessage& M) {
  if (M.WParam != kScrollTimer) {
    DefaultHandler(M);
    return;
  }
  if (FGridState != gsSelecting) return;
  win::POINT p;
  win::GetCursorPos(&p);
  TPoint at = ScreenToClient(p);
  TRect client = ClientRect();
  if (at.x >= 0 && at.y >= 0 && at.x < client.right && at.y < client.bottom) {
    // Inside: only the band of fixed cells scrolls back.
    if (at.x >= HorzAxis().FixedBoundary() && at.y >= VertAxis().FixedBoundary()) return;
  }
  ScrollTowards(at.x, at.y);
  SelectTo(at.x, at.y);
}

void TCustomGrid::WMSetCursor(TMessage& M) {
  if (win::LOWORD(win::UINT(M.LParam)) == win::HTCLIENT && FGridState == gsNormal && Screen != nullptr) {
    win::POINT p;
    win::GetCursorPos(&p);
    TPoint at = ScreenToClient(p);
    TCursor cursor = crDefault;
    if (SizingColAt(at.x, at.y) >= 0) cursor = crHSplit;
    else if (SizingRowAt(at.x, at.y) >= 0) cursor = crVSplit;
    if (cursor != crDefault) {
      win::SetCursor(Screen->Cursors(cursor));
      M.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(M);
}

}  // namespace fw
