// Keyboard: movement of the current cell, Tab through the cells, and the keys that start, end
// and cancel editing.

#include <algorithm>

#include "framework/Grids.h"
#include "framework/GridsInplaceEdit.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"

namespace fw {

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  switch (Key) {
    case win::VK_UP:
    case win::VK_DOWN:
    case win::VK_LEFT:
    case win::VK_RIGHT:
    case win::VK_HOME:
    case win::VK_END:
    case win::VK_PRIOR:
    case win::VK_NEXT:
      MoveInDirection(Key, Shift);
      break;
    case win::VK_TAB:
      if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
      TabMove(!Shift.Contains(ssShift));
      break;
    case win::VK_F2:
      if (!FOptions.Contains(goEditing)) return;
      ShowEditor();
      if (FEditorMode && FInplaceEdit != nullptr) FInplaceEdit->Deselect();
      break;
    case win::VK_RETURN:
      if (FEditorMode) {
        if (FOptions.Contains(goAlwaysShowEditor) && FInplaceEdit != nullptr) {
          KeepEditText();
          FInplaceEdit->SelectAll();
        } else {
          CommitEdit();
        }
      } else if (FOptions.Contains(goEditing)) {
        ShowEditor();
        if (FEditorMode && FInplaceEdit != nullptr) FInplaceEdit->SelectAll();
      } else {
        return;
      }
      break;
    case win::VK_ESCAPE:
      if (!FEditorMode) return;
      if (FOptions.Contains(goAlwaysShowEditor) && FInplaceEdit != nullptr) {
        FInplaceEdit->SetText(FEditStartText);
        FInplaceEdit->SelectAll();
      } else {
        CancelEdit();
      }
      break;
    default:
      return;
  }
  Key = 0;
}

void TCustomGrid::MoveInDirection(Word Key, TShiftState Shift) {
  bool ctrl = Shift.Contains(ssCtrl);
  bool rowSelect = FOptions.Contains(goRowSelect);
  bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
  TGridCoord to = FCurrent;
  Integer page = VisibleRowCount();
  switch (Key) {
    case win::VK_UP: --to.Y; break;
    case win::VK_DOWN: ++to.Y; break;
    case win::VK_LEFT:
      if (rowSelect) {  // nothing to move sideways: scroll instead
        MoveTopLeft(FTopLeft.X - 1, FTopLeft.Y);
        return;
      }
      --to.X;
      break;
    case win::VK_RIGHT:
      if (rowSelect) {
        MoveTopLeft(FTopLeft.X + 1, FTopLeft.Y);
        return;
      }
      ++to.X;
      break;
    case win::VK_HOME:
      if (ctrl || rowSelect) to.Y = FFixedRows;
      if (!rowSelect) to.X = FFixedCols;
      break;
    case win::VK_END:
      if (ctrl || rowSelect) to.Y = FRowCount - 1;
      if (!rowSelect) to.X = FColCount - 1;
      break;
    case win::VK_PRIOR:
      to.Y -= page;
      MoveTopLeft(FTopLeft.X, FTopLeft.Y - page);
      break;
    case win::VK_NEXT:
      to.Y += page;
      MoveTopLeft(FTopLeft.X, FTopLeft.Y + page);
      break;
    default: return;
  }
  to.X = std::clamp(to.X, FFixedCols, FColCount - 1);
  to.Y = std::clamp(to.Y, FFixedRows, FRowCount - 1);
  FocusCell(to.X, to.Y, !extend);
}

bool TCustomGrid::TabMove(bool Forward) {
  Integer cols = FColCount - FFixedCols, rows = FRowCount - FFixedRows;
  Int64 total = Int64(cols) * rows;
  Int64 at = Int64(FCurrent.Y - FFixedRows) * cols + (FCurrent.X - FFixedCols);
  // The cells in reading order, round to the first; a cell SelectCell refuses is passed over.
  for (Int64 step = 1; step < total && step <= 100000; ++step) {
    Int64 next = ((Forward ? at + step : at - step) % total + total) % total;
    Integer col = FFixedCols + Integer(next % cols), row = FFixedRows + Integer(next / cols);
    TGridCoord before = FCurrent;
    FocusCell(col, row, true);
    if (!(FCurrent == before)) return true;
  }
  return false;
}

void TCustomGrid::KeyPress(char16_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key < 32 || !FOptions.Contains(goEditing) || FEditorMode) return;
  ShowEditor();
  if (!FEditorMode || FInplaceEdit == nullptr) return;
  // The character typed replaces the cell's text, as typing into the editor would.
  FInplaceEdit->SetText(String());
  FInplaceEdit->Perform(win::WM_CHAR, Key, 1);
  Key = 0;
}

}  // namespace fw
