// Painting: every cell in view gets its lines, a default background and a DrawCell call.

#include <algorithm>

#include "framework/Grids.h"
#include "framework/GridsAxis.h"

namespace fw {

namespace {
constexpr TColor kFixedLineColor = clBlack;
constexpr TColor kLineColor = clSilver;

bool Intersects(const TRect& A, const TRect& B) {
  return A.left < B.right && B.left < A.right && A.top < B.bottom && B.top < A.bottom;
}
}  // namespace

TGridDrawState TCustomGrid::StateOf(Integer ACol, Integer ARow, const TGridRect& Sel, bool HasFocus) const {
  TGridDrawState state;
  if (ACol < FFixedCols || ARow < FFixedRows) {
    state.Include(gdFixed);
    return state;
  }
  if (ACol >= Sel.Left && ACol <= Sel.Right && ARow >= Sel.Top && ARow <= Sel.Bottom) state.Include(gdSelected);
  if (HasFocus && ACol == FCurrent.X && ARow == FCurrent.Y) state.Include(gdFocused);
  return state;
}

void TCustomGrid::PaintCell(Integer ACol, Integer ARow, const TRect& Box, const TRect& Cell, TGridDrawState State) {
  TCanvas* c = Canvas();
  bool fixed = State.Contains(gdFixed);
  TColor background = fixed ? FFixedColor : Color();
  // The lines after the cell: right, then below (the corner goes with the right one).
  bool vert = fixed ? FOptions.Contains(goFixedVertLine) : FOptions.Contains(goVertLine);
  bool horz = fixed ? FOptions.Contains(goFixedHorzLine) : FOptions.Contains(goHorzLine);
  TColor lineColor = fixed ? kFixedLineColor : kLineColor;
  if (Box.right > Cell.right) {
    c->Brush()->SetColor(vert ? lineColor : background);
    c->FillRect(TRect{Cell.right, Cell.top, Box.right, Box.bottom});
  }
  if (Box.bottom > Cell.bottom) {
    c->Brush()->SetColor(horz ? lineColor : background);
    c->FillRect(TRect{Cell.left, Cell.bottom, Cell.right, Box.bottom});
  }
  bool highlighted = State.Contains(gdSelected) &&
                     (!State.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect));
  c->Brush()->SetColor(highlighted ? clHighlight : background);
  c->Font()->SetColor(highlighted ? clHighlightText : Font()->Color());
  if (FDefaultDrawing) c->FillRect(Cell);
  DrawCell(ACol, ARow, Cell, State);
  if (FDefaultDrawing && State.Contains(gdFocused) && !FOptions.Contains(goRowSelect) && !FEditorMode) {
    c->Brush()->SetColor(background);
    c->DrawFocusRect(Cell);
  }
}

void TCustomGrid::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  TRect client = ClientRect();
  TRect clip = c->ClipRect();
  Axis h = HorzAxis(), v = VertAxis();
  TGridRect sel = Selection();
  bool hasFocus = Focused();
  // Cells in view: the fixed ones, then the scrolled ones from LeftCol/TopRow.
  auto inView = [](const Axis& a) {
    std::vector<Integer> list;
    for (Integer i = 0; i < a.Fixed; ++i)
      if (a.Start(i) >= 0) list.push_back(i);
    if (a.FixedBoundary() < a.Extent) {
      Integer last = a.LastVisible();
      for (Integer i = a.First; i <= last; ++i) list.push_back(i);
    }
    return list;
  };
  std::vector<Integer> cols = inView(h), rows = inView(v);
  Integer right = 0, bottom = 0;
  for (Integer row : rows) {
    Integer y = v.Start(row);
    for (Integer col : cols) {
      Integer x = h.Start(col);
      TRect cell{x, y, x + h.Size(col), y + v.Size(row)};
      TRect box{x, y, cell.right + h.Line, cell.bottom + v.Line};
      right = std::max(right, box.right);
      bottom = std::max(bottom, box.bottom);
      if (!Intersects(box, clip)) continue;
      PaintCell(col, row, box, cell, StateOf(col, row, sel, hasFocus));
    }
  }
  // The area past the last cells.
  c->Brush()->SetColor(Color());
  if (right < client.right) c->FillRect(TRect{right, 0, client.right, client.bottom});
  if (bottom < client.bottom) c->FillRect(TRect{0, bottom, std::min(right, client.right), client.bottom});
}

}  // namespace fw
