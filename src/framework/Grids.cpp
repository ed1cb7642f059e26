#include "framework/Grids.h"

#include <algorithm>

#include "framework/GridsAxis.h"
#include "framework/GridsInplaceEdit.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/frames/ScrollBar.h"

namespace fw {

namespace {

// Counts beyond this are refused: the sizes and the cells are kept per index.
constexpr Integer kMaxCount = 0x7FFFFFF;
// Sizes are kept within these, so sums of a screenful stay far from overflow.
constexpr Integer kMaxCellSize = 0xFFFFFF;
constexpr Integer kMaxLineWidth = 1000;

[[noreturn]] void IndexError() { throw EInvalidGridOperation("Grid index out of range"); }

Integer ClampSize(Integer Value) { return std::clamp(Value, 0, kMaxCellSize); }

}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner), FFixedColor(clBtnFace) {
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents};
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
  TInplaceEdit* editor = FInplaceEdit;
  FInplaceEdit = nullptr;
  delete editor;
}

// ---- layout ----

Integer TCustomGrid::HorzLineWidth() const {
  return (FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine)) ? FGridLineWidth : 0;
}
Integer TCustomGrid::VertLineWidth() const {
  return (FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine)) ? FGridLineWidth : 0;
}

TCustomGrid::Axis TCustomGrid::HorzAxis() {
  Axis a;
  a.Count = FColCount;
  a.Fixed = FFixedCols;
  a.First = FTopLeft.X;
  a.Line = HorzLineWidth();
  a.Extent = ClientWidth();
  a.Sizes = &FColWidths;
  a.Default = FDefaultColWidth;
  return a;
}

TCustomGrid::Axis TCustomGrid::VertAxis() {
  Axis a;
  a.Count = FRowCount;
  a.Fixed = FFixedRows;
  a.First = FTopLeft.Y;
  a.Line = VertLineWidth();
  a.Extent = ClientHeight();
  a.Sizes = &FRowHeights;
  a.Default = FDefaultRowHeight;
  return a;
}

Integer TCustomGrid::VisibleColCount() {
  Axis a = HorzAxis();
  return a.LastFullVisible() - a.First + 1;
}

Integer TCustomGrid::VisibleRowCount() {
  Axis a = VertAxis();
  return a.LastFullVisible() - a.First + 1;
}

TGridCoord TCustomGrid::MaxTopLeft() { return TGridCoord{HorzAxis().MaxFirst(), VertAxis().MaxFirst()}; }

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) {
  Axis h = HorzAxis(), v = VertAxis();
  Integer x = h.Start(ACol), y = v.Start(ARow);
  if (x < 0 || y < 0) return TRect{};
  return TRect{x, y, std::min(x + h.Size(ACol), h.Extent), std::min(y + v.Size(ARow), v.Extent)};
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) {
  TGridCoord c{HorzAxis().CellAt(X), VertAxis().CellAt(Y)};
  if (c.X < 0 || c.Y < 0) return TGridCoord{-1, -1};
  return c;
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

// ---- counts and sizes ----

void TCustomGrid::CheckCol(Integer ACol) const {
  if (ACol < 0 || ACol >= FColCount) IndexError();
}
void TCustomGrid::CheckRow(Integer ARow) const {
  if (ARow < 0 || ARow >= FRowCount) IndexError();
}

void TCustomGrid::SetColCount(Integer Value) { ChangeSize(Value, FRowCount); }
void TCustomGrid::SetRowCount(Integer Value) { ChangeSize(FColCount, Value); }

void TCustomGrid::ChangeSize(Integer NewColCount, Integer NewRowCount) {
  NewColCount = std::max(NewColCount, 1);
  NewRowCount = std::max(NewRowCount, 1);
  if (NewColCount > kMaxCount || NewRowCount > kMaxCount) throw EInvalidGridOperation("Grid too large for operation");
  if (NewColCount == FColCount && NewRowCount == FRowCount) return;
  if (FEditorMode && (FCurrent.X >= NewColCount || FCurrent.Y >= NewRowCount)) CancelEdit();
  Integer oldCols = FColCount, oldRows = FRowCount;
  FColCount = NewColCount;
  FRowCount = NewRowCount;
  if (!FColWidths.empty()) FColWidths.resize(size_t(FColCount), FDefaultColWidth);
  if (!FRowHeights.empty()) FRowHeights.resize(size_t(FRowCount), FDefaultRowHeight);
  FFixedCols = std::min(FFixedCols, FColCount - 1);
  FFixedRows = std::min(FFixedRows, FRowCount - 1);
  auto clampCoord = [&](TGridCoord& c) {
    c.X = std::clamp(c.X, FFixedCols, FColCount - 1);
    c.Y = std::clamp(c.Y, FFixedRows, FRowCount - 1);
  };
  clampCoord(FCurrent);
  clampCoord(FAnchor);
  clampCoord(FTopLeft);
  SizeChanged(oldCols, oldRows);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedCols(Integer Value) {
  if (Value < 0) IndexError();
  if (Value >= FColCount) throw EInvalidGridOperation("Fixed column count must be less than column count");
  if (Value == FFixedCols) return;
  FFixedCols = Value;
  FCurrent.X = std::max(FCurrent.X, Value);
  FAnchor.X = std::max(FAnchor.X, Value);
  FTopLeft.X = Value;
  UpdateScrollRange();
  UpdateEditorBounds();
  Invalidate();
}

void TCustomGrid::SetFixedRows(Integer Value) {
  if (Value < 0) IndexError();
  if (Value >= FRowCount) throw EInvalidGridOperation("Fixed row count must be less than row count");
  if (Value == FFixedRows) return;
  FFixedRows = Value;
  FCurrent.Y = std::max(FCurrent.Y, Value);
  FAnchor.Y = std::max(FAnchor.Y, Value);
  FTopLeft.Y = Value;
  UpdateScrollRange();
  UpdateEditorBounds();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(Integer Value) {
  FDefaultColWidth = ClampSize(Value);
  FColWidths.clear();
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer Value) {
  FDefaultRowHeight = ClampSize(Value);
  FRowHeights.clear();
  RowHeightsChanged();
}

Integer TCustomGrid::ColWidths(Integer Index) const {
  CheckCol(Index);
  return FColWidths.empty() ? FDefaultColWidth : FColWidths[size_t(Index)];
}

void TCustomGrid::SetColWidths(Integer Index, Integer Value) {
  CheckCol(Index);
  Value = ClampSize(Value);
  if (ColWidths(Index) == Value) return;
  if (FColWidths.empty()) FColWidths.assign(size_t(FColCount), FDefaultColWidth);
  FColWidths[size_t(Index)] = Value;
  ColWidthsChanged();
}

Integer TCustomGrid::RowHeights(Integer Index) const {
  CheckRow(Index);
  return FRowHeights.empty() ? FDefaultRowHeight : FRowHeights[size_t(Index)];
}

void TCustomGrid::SetRowHeights(Integer Index, Integer Value) {
  CheckRow(Index);
  Value = ClampSize(Value);
  if (RowHeights(Index) == Value) return;
  if (FRowHeights.empty()) FRowHeights.assign(size_t(FRowCount), FDefaultRowHeight);
  FRowHeights[size_t(Index)] = Value;
  RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(Integer Value) {
  Value = std::clamp(Value, 0, kMaxLineWidth);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  ColWidthsChanged();
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  UpdateEditorBounds();
  Invalidate();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  UpdateEditorBounds();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect)) CancelEdit();
  if (FOptions.Contains(goRowSelect)) FAnchor.Y = FCurrent.Y;
  if (!FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  UpdateScrollRange();
  UpdateEditorBounds();
  Invalidate();
  AfterMove();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

// ---- current cell and selection ----

TGridRect TCustomGrid::Selection() const {
  TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
              std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = FColCount - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  TGridRect r{std::min(Value.Left, Value.Right), std::min(Value.Top, Value.Bottom), std::max(Value.Left, Value.Right),
              std::max(Value.Top, Value.Bottom)};
  if (r.Left < FFixedCols || r.Top < FFixedRows || r.Right >= FColCount || r.Bottom >= FRowCount) IndexError();
  TGridRect old = Selection();
  MoveCurrent(r.Left, r.Top, true, true);
  if (!(FCurrent == TGridCoord{r.Left, r.Top})) return;  // refused by SelectCell
  if (FOptions.Contains(goRangeSelect)) FAnchor = TGridCoord{r.Right, r.Bottom};
  InvalidateRect(old);
  InvalidateRect(Selection());
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor) {
  MoveCurrent(ACol, ARow, MoveAnchor, true);
  AfterMove();
}

bool TCustomGrid::SelectCell(Integer ACol, Integer ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

void TCustomGrid::MoveCurrent(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
  if (ACol < FFixedCols || ARow < FFixedRows || ACol >= FColCount || ARow >= FRowCount) IndexError();
  if (!MoveAnchor && !FOptions.Contains(goRangeSelect)) MoveAnchor = true;
  TGridCoord target{ACol, ARow};
  if (target == FCurrent) {
    if (MoveAnchor && !(FAnchor == FCurrent)) {
      TGridRect old = Selection();
      FAnchor = FCurrent;
      InvalidateRect(old);
    }
    if (Show) ClampInView(FCurrent);
    return;
  }
  if (!SelectCell(ACol, ARow)) return;
  if (FEditorMode) CommitEdit();
  TGridRect old = Selection();
  FCurrent = target;
  if (MoveAnchor) FAnchor = FCurrent;
  InvalidateRect(old);
  InvalidateRect(Selection());
  if (Show) ClampInView(FCurrent);
}

void TCustomGrid::AfterMove() {
  if (!FOptions.Contains(goAlwaysShowEditor) || !FOptions.Contains(goEditing) || FGridState == gsSelecting) return;
  if (Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused())) ShowEditor();
}

// ---- scrolling ----

void TCustomGrid::ClampInView(TGridCoord Coord) {
  if (!HandleAllocated()) return;
  Axis h = HorzAxis(), v = VertAxis();
  Integer left = FTopLeft.X, top = FTopLeft.Y;
  if (Coord.X >= FFixedCols) {
    if (Coord.X < left) {
      left = Coord.X;
    } else {
      h.First = left;
      while (h.First < Coord.X && h.LastFullVisible() < Coord.X) ++h.First;
      left = h.First;
    }
  }
  if (Coord.Y >= FFixedRows) {
    if (Coord.Y < top) {
      top = Coord.Y;
    } else {
      v.First = top;
      while (v.First < Coord.Y && v.LastFullVisible() < Coord.Y) ++v.First;
      top = v.First;
    }
  }
  MoveTopLeft(left, top);
}

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop) {
  TGridCoord most = MaxTopLeft();
  ALeft = std::clamp(ALeft, FFixedCols, std::max(most.X, FFixedCols));
  ATop = std::clamp(ATop, FFixedRows, std::max(most.Y, FFixedRows));
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = TGridCoord{ALeft, ATop};
  UpdateScrollPos();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  UpdateEditorBounds();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated() || FUpdatingScroll) return;
  FUpdatingScroll = true;
  // Showing or hiding one bar changes the client area, and so the other bar's range.
  for (int pass = 0; pass < 2; ++pass) {
    TGridCoord most = MaxTopLeft();
    auto setBar = [&](int bar, Integer fixed, Integer count, Integer max, Integer pos) {
      win::SCROLLINFO si;
      si.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
      si.nMin = fixed;
      si.nMax = count - 1;
      si.nPage = win::UINT(count - std::max(max, fixed));
      si.nPos = pos;
      win::SetScrollInfo(FHandle, bar, &si, win::TRUE);
    };
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
      setBar(win::SB_HORZ, FFixedCols, FColCount, most.X, FTopLeft.X);
    }
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
      setBar(win::SB_VERT, FFixedRows, FRowCount, most.Y, FTopLeft.Y);
    }
  }
  FUpdatingScroll = false;
  // A grown client area may show cells past the end: scroll back so the last ones fill it.
  TGridCoord most = MaxTopLeft();
  if (FTopLeft.X > most.X || FTopLeft.Y > most.Y) MoveTopLeft(std::min(FTopLeft.X, most.X), std::min(FTopLeft.Y, most.Y));
}

void TCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated()) return;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) win::SetScrollPos(FHandle, win::SB_HORZ, FTopLeft.X, win::TRUE);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) win::SetScrollPos(FHandle, win::SB_VERT, FTopLeft.Y, win::TRUE);
}

void TCustomGrid::WMScroll(TMessage& M) {
  if (M.LParam != 0) {
    TCustomControl::WMScroll(M);
    return;
  }
  bool vert = M.Msg == win::WM_VSCROLL;
  Integer pos = vert ? FTopLeft.Y : FTopLeft.X;
  Integer page = vert ? VisibleRowCount() : VisibleColCount();
  Integer last = vert ? FRowCount - 1 : FColCount - 1;
  Integer first = vert ? FFixedRows : FFixedCols;
  switch (win::LOWORD(win::DWORD(M.WParam))) {
    case win::SB_LINEUP: --pos; break;
    case win::SB_LINEDOWN: ++pos; break;
    case win::SB_PAGEUP: pos -= page; break;
    case win::SB_PAGEDOWN: pos += page; break;
    case win::SB_THUMBTRACK:
      if (!FOptions.Contains(goThumbTracking)) return;
      pos = win::HIWORD(win::DWORD(M.WParam));
      break;
    case win::SB_THUMBPOSITION: pos = win::HIWORD(win::DWORD(M.WParam)); break;
    case win::SB_TOP: pos = first; break;
    case win::SB_BOTTOM: pos = last; break;
    default: return;
  }
  if (vert) {
    MoveTopLeft(FTopLeft.X, pos);
  } else {
    MoveTopLeft(pos, FTopLeft.Y);
  }
  M.Result = 0;
}

void TCustomGrid::WMSize(TMessage& M) {
  TCustomControl::WMSize(M);
  UpdateScrollRange();
  UpdateEditorBounds();
}

// ---- invalidation ----

void TCustomGrid::InvalidateRect(const TGridRect& R) {
  if (!HandleAllocated()) return;
  Axis h = HorzAxis(), v = VertAxis();
  auto span = [](const Axis& a, Integer from, Integer to, Integer& lo, Integer& hi) {
    lo = a.Extent;
    hi = 0;
    auto take = [&](Integer i) {
      Integer s = a.Start(i);
      if (s < 0) return;
      lo = std::min(lo, s);
      hi = std::max(hi, std::min(s + a.Step(i), a.Extent));
    };
    for (Integer i = std::max(from, 0); i <= to && i < a.Fixed; ++i) take(i);
    Integer last = a.LastVisible();
    for (Integer i = std::max(from, a.First); i <= std::min(to, last); ++i) take(i);
  };
  Integer x0, x1, y0, y1;
  span(h, R.Left, R.Right, x0, x1);
  span(v, R.Top, R.Bottom, y0, y1);
  if (x0 >= x1 || y0 >= y1) return;
  TRect r{x0, y0, x1, y1};
  win::InvalidateRect(FHandle, &r, win::FALSE);
}

void TCustomGrid::InvalidateCell(Integer ACol, Integer ARow) { InvalidateRect(TGridRect{ACol, ARow, ACol, ARow}); }
void TCustomGrid::InvalidateRow(Integer ARow) { InvalidateRect(TGridRect{0, ARow, FColCount - 1, ARow}); }
void TCustomGrid::InvalidateCol(Integer ACol) { InvalidateRect(TGridRect{ACol, 0, ACol, FRowCount - 1}); }

// ---- moving and deleting ----

namespace {
// The index an item at Index goes to when the item at From moves to To.
Integer ShiftedIndex(Integer Index, Integer From, Integer To) {
  if (Index == From) return To;
  if (From < To && Index > From && Index <= To) return Index - 1;
  if (From > To && Index >= To && Index < From) return Index + 1;
  return Index;
}

void MoveItem(std::vector<Integer>& V, Integer From, Integer To) {
  if (V.empty()) return;
  Integer value = V[size_t(From)];
  V.erase(V.begin() + From);
  V.insert(V.begin() + To, value);
}
}  // namespace

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
  CheckCol(FromIndex);
  CheckCol(ToIndex);
  if (FromIndex == ToIndex) return;
  CancelEdit();
  MoveItem(FColWidths, FromIndex, ToIndex);
  FCurrent.X = std::max(ShiftedIndex(FCurrent.X, FromIndex, ToIndex), FFixedCols);
  FAnchor.X = std::max(ShiftedIndex(FAnchor.X, FromIndex, ToIndex), FFixedCols);
  ColumnMoved(FromIndex, ToIndex);
  ColWidthsChanged();
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
  CheckRow(FromIndex);
  CheckRow(ToIndex);
  if (FromIndex == ToIndex) return;
  CancelEdit();
  MoveItem(FRowHeights, FromIndex, ToIndex);
  FCurrent.Y = std::max(ShiftedIndex(FCurrent.Y, FromIndex, ToIndex), FFixedRows);
  FAnchor.Y = std::max(ShiftedIndex(FAnchor.Y, FromIndex, ToIndex), FFixedRows);
  RowMoved(FromIndex, ToIndex);
  RowHeightsChanged();
}

void TCustomGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::DeleteColumn(Integer ACol) {
  CheckCol(ACol);
  MoveColumn(ACol, FColCount - 1);
  SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(Integer ARow) {
  CheckRow(ARow);
  MoveRow(ARow, FRowCount - 1);
  SetRowCount(FRowCount - 1);
}

// ---- window ----

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= win::WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= win::WS_HSCROLL;
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
  // The in-place editor is a child over the current cell: the grid's painting of that cell
  // (highlighted, as it is while the editor opens) must not cover what is typed in it.
  Params.Style |= win::WS_CLIPCHILDREN;
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case win::WM_GETDLGCODE: WMGetDlgCode(M); return;
    case win::WM_TIMER: WMTimer(M); return;
    case win::WM_CANCELMODE:
      StopDrag();
      TCustomControl::Dispatch(M);
      return;
    default: TCustomControl::Dispatch(M); return;
  }
}

void TCustomGrid::WMGetDlgCode(TMessage& M) {
  M.Result = win::DLGC_WANTARROWS;
  if (FOptions.Contains(goTabs)) M.Result |= win::DLGC_WANTTAB;
  if (FOptions.Contains(goEditing)) M.Result |= win::DLGC_WANTCHARS;
}

void TCustomGrid::WMSetFocus(TMessage& M) {
  TCustomControl::WMSetFocus(M);
  InvalidateRect(Selection());
  if (FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing) && !FHidingEditor) ShowEditor();
}

void TCustomGrid::WMKillFocus(TMessage& M) {
  TCustomControl::WMKillFocus(M);
  InvalidateRect(Selection());
}

void TDrawGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

}  // namespace fw
