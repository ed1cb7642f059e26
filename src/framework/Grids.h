#pragma once
// TCustomGrid: a window of cells in columns and rows, the first FixedCols columns and FixedRows
// rows fixed (not scrolled, not selectable), with a current cell, a rectangular selection, grid
// lines, the window's scroll bars, keyboard and mouse navigation, sizing and moving of columns
// and rows by mouse, and an in-place editor. TDrawGrid leaves the cells' content to OnDrawCell.
//
// Geometry: every cell is followed by a line GridLineWidth pixels wide, to its right when
// goVertLine or goFixedVertLine is set and below it when goHorzLine or goFixedHorzLine is set.
// The line belongs to the cell: it is drawn in clBlack for fixed cells (with the goFixed...
// option), in clSilver for the others (with goVertLine/goHorzLine), and in the cell's background
// colour otherwise.

#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/StdCtrlsScrollStyle.h"

namespace fw {

class TInplaceEdit;

class EInvalidGridOperation : public Exception {
 public:
  using Exception::Exception;
};

struct TGridCoord {
  Integer X = 0;
  Integer Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Left/Right are columns, Top/Bottom rows, both inclusive.
struct TGridRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// What a mouse drag is doing.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // Counts: at least one column and one row; fixed ones shrink to leave one scrollable.
  Integer ColCount() const { return FColCount; }
  void SetColCount(Integer Value);
  Integer RowCount() const { return FRowCount; }
  void SetRowCount(Integer Value);
  Integer FixedCols() const { return FFixedCols; }
  void SetFixedCols(Integer Value);
  Integer FixedRows() const { return FFixedRows; }
  void SetFixedRows(Integer Value);

  // Setting a default size gives every column (row) that size.
  Integer DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(Integer Value);
  Integer DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(Integer Value);
  Integer ColWidths(Integer Index) const;
  void SetColWidths(Integer Index, Integer Value);
  Integer RowHeights(Integer Index) const;
  void SetRowHeights(Integer Index, Integer Value);
  Integer GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);

  // The current cell. Moving it asks SelectCell; a refused move leaves everything as it was.
  Integer Col() const { return FCurrent.X; }
  void SetCol(Integer Value) { FocusCell(Value, FCurrent.Y, true); }
  Integer Row() const { return FCurrent.Y; }
  void SetRow(Integer Value) { FocusCell(FCurrent.X, Value, true); }
  // The selected cells: the current cell and the anchor's corner (all scrollable columns of the
  // rows with goRowSelect).
  TGridRect Selection() const;
  // Selects the rectangle, its top-left cell becoming the current one.
  void SetSelection(const TGridRect& Value);

  Integer LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(Integer Value) { MoveTopLeft(Value, FTopLeft.Y); }
  Integer TopRow() const { return FTopLeft.Y; }
  void SetTopRow(Integer Value) { MoveTopLeft(FTopLeft.X, Value); }
  // Scrollable columns (rows) wholly in view from LeftCol (TopRow); at least one.
  Integer VisibleColCount();
  Integer VisibleRowCount();

  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }

  // The cell's rectangle (without its lines) in client coordinates, cut to the client area;
  // empty when the cell is out of view or out of range.
  TRect CellRect(Integer ACol, Integer ARow);
  // The cell under a client point: (-1, -1) outside every cell.
  TGridCoord MouseCoord(Integer X, Integer Y);
  void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow);

  // The in-place editor.
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  void ShowEditor();
  // Hides the editor, handing a changed text to SetEditText.
  void HideEditor();
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

  void InvalidateCell(Integer ACol, Integer ARow);
  void InvalidateRow(Integer ARow);
  void InvalidateCol(Integer ACol);
  void InvalidateGrid() { Invalidate(); }

  void MoveColumn(Integer FromIndex, Integer ToIndex);
  void MoveRow(Integer FromIndex, Integer ToIndex);

  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TGetEditEvent OnGetEditText;
  TGetEditEvent OnGetEditMask;
  TSetEditEvent OnSetEditText;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;

 protected:
  friend class TInplaceEdit;

  virtual void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) = 0;
  virtual bool SelectCell(Integer ACol, Integer ARow);
  virtual bool CanEditShow();
  virtual TInplaceEdit* CreateEditor();
  virtual String GetEditText(Integer ACol, Integer ARow);
  virtual void SetEditText(Integer ACol, Integer ARow, const String& Value);
  virtual String GetEditMask(Integer ACol, Integer ARow);
  // Longest text the editor takes (0: no limit).
  virtual Integer GetEditLimit() { return 0; }
  virtual void ColumnMoved(Integer FromIndex, Integer ToIndex);
  virtual void RowMoved(Integer FromIndex, Integer ToIndex);
  virtual void SizeChanged(Integer OldColCount, Integer OldRowCount) {}
  virtual void TopLeftChanged();
  // The column (row) sizes changed.
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();

  void DeleteColumn(Integer ACol);
  void DeleteRow(Integer ARow);
  // Moves the current cell (asking SelectCell); MoveAnchor false extends the selection. Show
  // scrolls it into view.
  void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);
  void MoveTopLeft(Integer ALeft, Integer ATop);
  TGridState GridState() const { return FGridState; }

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Dispatch(TMessage& Message) override;
  void WMScroll(TMessage& Message) override;
  void WMSize(TMessage& Message) override;
  void WMSetCursor(TMessage& Message) override;
  void WMKillFocus(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override;
  virtual void WMGetDlgCode(TMessage& Message);
  virtual void WMTimer(TMessage& Message);

 private:
  struct Axis;
  Axis HorzAxis();
  Axis VertAxis();
  Integer HorzLineWidth() const;
  Integer VertLineWidth() const;
  void CheckCol(Integer ACol) const;
  void CheckRow(Integer ARow) const;
  void ChangeSize(Integer NewColCount, Integer NewRowCount);
  void MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
  void ClampInView(TGridCoord Coord);
  TGridCoord MaxTopLeft();
  void UpdateScrollRange();
  void UpdateScrollPos();
  void InvalidateRect(const TGridRect& R);
  void UpdateEdit();
  void UpdateEditorBounds();
  void CommitEdit();
  // Hands a changed editor text to SetEditText and goes on editing from it (an editor that
  // stays shown: Enter, or the focus leaving for another control).
  void KeepEditText();
  void CancelEdit();
  // Hides the editor, the focus going back to the grid when the editor had it.
  void CloseEditor();
  void AfterMove();
  // Painting.
  void PaintCell(Integer ACol, Integer ARow, const TRect& Box, const TRect& Cell, TGridDrawState State);
  TGridDrawState StateOf(Integer ACol, Integer ARow, const TGridRect& Sel, bool HasFocus) const;
  // Mouse sizing: the index whose far edge is under X (Y) in the fixed band, or -1.
  Integer SizingColAt(Integer X, Integer Y);
  Integer SizingRowAt(Integer X, Integer Y);
  static Integer EdgeAt(const Axis& A, Integer Pos);
  void SelectTo(Integer X, Integer Y);
  void ScrollTowards(Integer X, Integer Y);
  void StopDrag();
  void MoveInDirection(Word Key, TShiftState Shift);
  bool TabMove(bool Forward);

  Integer FColCount = 5, FRowCount = 5;
  Integer FFixedCols = 1, FFixedRows = 1;
  Integer FDefaultColWidth = 64, FDefaultRowHeight = 24;
  std::vector<Integer> FColWidths, FRowHeights;  // empty: every size is the default
  Integer FGridLineWidth = 1;
  TGridCoord FCurrent{1, 1}, FAnchor{1, 1}, FTopLeft{1, 1};
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TScrollStyle FScrollBars = ssBoth;
  TColor FFixedColor;
  bool FDefaultDrawing = true;
  bool FEditorMode = false;
  bool FUpdatingScroll = false;
  bool FHidingEditor = false;  // the focus coming back from the editor must not reopen it
  TInplaceEdit* FInplaceEdit = nullptr;
  String FEditStartText;  // the editor's text when it was shown
  // Mouse drag.
  TGridState FGridState = gsNormal;
  Integer FSizingIndex = -1, FSizingStart = 0;  // index sized; the client coordinate of its start
  Integer FMoveFrom = -1;
  TPoint FLastMouse{};
  bool FScrollTimer = false;
};

class TDrawGrid : public TCustomGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
  TDrawCellEvent OnDrawCell;

 protected:
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
};

}  // namespace fw
