#include "tx/TxToolPals.h"

#include <algorithm>

#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/WinUserTypes.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"

namespace tx {

using namespace toolbars;

namespace {
Integer Metric(Integer Id) { return CurrentTheme->GetIntegerMetric(Id); }
bool SameCell(TPoint A, TPoint B) { return A.x == B.x && A.y == B.y; }
}  // namespace

// ---- palette ---------------------------------------------------------------------------------

TTxCustomToolPalette::TTxCustomToolPalette(fw::TComponent* AOwner) : TTxCustomItem(AOwner) {}

void TTxCustomToolPalette::SetColCount(Byte Value) {
  if (FColCount == Value) return;
  FColCount = Value;
  Change(true);
}

void TTxCustomToolPalette::SetRowCount(Byte Value) {
  if (FRowCount == Value) return;
  FRowCount = Value;
  Change(true);
}

void TTxCustomToolPalette::SetPaletteOptions(TTxToolPaletteOptions Value) {
  if (FPaletteOptions == Value) return;
  FPaletteOptions = Value;
  Change(true);
}

void TTxCustomToolPalette::SetSelectedCell(TPoint Value) {
  FSelectedCell = Value;
  Change(true);
  DoChange();
}

void TTxCustomToolPalette::DoCalcCellSize(fw::TCanvas* /*Canvas*/, Integer& /*AWidth*/, Integer& /*AHeight*/) {}

void TTxCustomToolPalette::DoCalcImageSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  if (OnCalcImageSize) OnCalcImageSize(this, Canvas, AWidth, AHeight);
}

bool TTxCustomToolPalette::DoCellClick(Integer& ACol, Integer& ARow) {
  bool allow = true;
  if (OnCellClick) OnCellClick(this, ACol, ARow, allow);
  return allow;
}

void TTxCustomToolPalette::DoChange() {
  if (OnChange) OnChange(this);
}

void TTxCustomToolPalette::DoDrawCellImage(fw::TCanvas* Canvas, const TRect& ARect, Integer ACol, Integer ARow,
                                           const TTxItemInfo& ItemInfo) {
  if (OnDrawCellImage)
    OnDrawCellImage(this, Canvas, ARect, ACol, ARow, ItemInfo.Selected, ItemInfo.HoverKind != hkNone,
                    ItemInfo.Enabled);
}

void TTxCustomToolPalette::DoGetCellVisible(Integer ACol, Integer ARow, bool& Visible) {
  if (OnGetCellVisible) OnGetCellVisible(this, ACol, ARow, Visible);
}

void TTxCustomToolPalette::DoGetHint(TPoint Cell, String& HintText) {
  if (OnGetCellHint) OnGetCellHint(this, Cell.x, Cell.y, HintText);
}

void TTxCustomToolPalette::HandleClickCell(Integer ACol, Integer ARow) {
  if (DoCellClick(ACol, ARow) && !FPaletteOptions.Contains(tpoNoAutoSelect)) SetSelectedCell(TPoint{ACol, ARow});
}

TTBItemViewerClass TTxCustomToolPalette::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTxToolViewer>();
}

// ---- viewer ----------------------------------------------------------------------------------

TTxToolViewer::TTxToolViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel)
    : TTxItemViewer(AView, AItem, AGroupLevel) {
  FColCount = Palette()->ColCount();
  FRowCount = Palette()->RowCount();
}

bool TTxToolViewer::InMenu() { return !IsToolbarStyle(); }

TRect TTxToolViewer::ItemRect() const {
  const TRect& b = BoundsRect();
  return TRect{0, 0, b.right - b.left, b.bottom - b.top};
}

void TTxToolViewer::CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) {
  TTxCustomToolPalette* palette = Palette();
  const bool menu = InMenu();
  FIndent = menu ? Metric(TMI_MENU_IMAGE_TEXT_SPACE) + GetPopupMargin(this) + Metric(TMI_MENU_CAPTION_LEFT) - 3 : 0;
  FColCount = palette->ColCount();
  FRowCount = palette->RowCount();
  Integer w = 16, h = 16;
  if (fw::TCustomImageList* images = GetImageList()) {
    w = images->Width();
    h = images->Height();
  }
  palette->DoCalcImageSize(Canvas, w, h);
  palette->DoCalcCellSize(Canvas, w, h);
  FCellWidth = w + 6;
  FCellHeight = h + 6;
  AWidth = std::max<Integer>(8, FCellWidth * FColCount + FIndent + (menu ? Metric(TMI_MENU_CAPTION_RIGHT) : 0));
  AHeight = std::max<Integer>(8, FCellHeight * FRowCount);
}

TRect TTxToolViewer::GetCellRect(const TRect& R, TPoint Cell) const {
  if (!Palette()->Stretch()) {
    const Integer left = R.left + FIndent + Cell.x * FCellWidth, top = R.top + Cell.y * FCellHeight;
    return TRect{left, top, left + FCellWidth, top + FCellHeight};
  }
  // Stretched cells share the item evenly; the indent moves the grid's left edge only.
  const Integer w = R.right - R.left, h = R.bottom - R.top;
  const Integer cols = std::max(FColCount, 1), rows = std::max(FRowCount, 1);
  return TRect{R.left + (Cell.x == 0 ? FIndent : 0) + (w * Cell.x) / cols, R.top + (h * Cell.y) / rows,
               R.left + (w * (Cell.x + 1)) / cols, R.top + (h * (Cell.y + 1)) / rows};
}

TPoint TTxToolViewer::GetCellAt(Integer X, Integer Y) {
  if (FCellWidth <= 0 || FCellHeight <= 0) return NoCell;
  // Points left of the grid (the menu's image column) or above it belong to no cell.
  if (X < FIndent || Y < 0) return NoCell;
  const TRect r = ItemRect();
  TPoint cell;
  if (Palette()->Stretch()) {
    const Integer w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return NoCell;
    cell = TPoint{(X - FIndent) * FColCount / w, Y * FRowCount / h};
  } else {
    cell = TPoint{(X - FIndent) / FCellWidth, Y / FCellHeight};
  }
  return CellVisible(cell) ? cell : NoCell;
}

bool TTxToolViewer::CellVisible(TPoint Cell) {
  if (Cell.x < 0 || Cell.x >= FColCount || Cell.y < 0 || Cell.y >= FRowCount) return false;
  bool visible = true;
  if (!Palette()->PaletteOptions().Contains(tpoCustomImages))
    if (fw::TCustomImageList* images = GetImageList()) visible = Cell.y * FColCount + Cell.x < images->Count();
  Palette()->DoGetCellVisible(Cell.x, Cell.y, visible);
  return visible;
}

void TTxToolViewer::DrawCellImage(fw::TCanvas* Canvas, const TRect& ARect, Integer Col, Integer Row,
                                  const TTxItemInfo& ItemInfo) {
  if (!Palette()->PaletteOptions().Contains(tpoCustomImages))
    CurrentTheme->PaintImage(Canvas, ARect, ItemInfo, GetImageList(), Row * FColCount + Col);
  Palette()->DoDrawCellImage(Canvas, ARect, Col, Row, ItemInfo);
}

void TTxToolViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool /*IsPushed*/,
                          bool /*UseDisabledShadow*/) {
  TTxCustomToolPalette* palette = Palette();
  TTxItemInfo info{};
  info.ViewType = GetViewType(View());
  info.ItemOptions = palette->ComponentState().Contains(fw::csDesigning) ? IO_DESIGNING : 0;
  info.Enabled = palette->Enabled() || View()->Customizing();
  Integer iw = FCellWidth - 6, ih = FCellHeight - 6;
  info.ImageWidth = iw;
  info.ImageHeight = ih;
  const bool menu = InMenu();
  if (menu) {
    info.PopupMargin = GetPopupMargin(this);
    CurrentTheme->PaintMenuItemFrame(Canvas, ClientAreaRect, info);
  }
  const bool selectedViewer = IsSelected && View()->Selected() == this;
  TTxHoverKind hot = hkNone;
  if (selectedViewer) {
    if (palette->Enabled())
      hot = hkMouseHover;
    else if (!View()->MouseOverSelected())
      hot = hkKeyboardHover;
  }
  for (Integer row = 0; row < FRowCount; ++row)
    for (Integer col = 0; col < FColCount; ++col) {
      const TPoint cell{col, row};
      if (!CellVisible(cell)) continue;
      TTxItemInfo c = info;
      const bool isHot = SameCell(cell, FHotCell);
      c.HoverKind = isHot ? hot : hkNone;
      c.Pushed = isHot && FMouseDown;
      c.Selected = SameCell(cell, palette->SelectedCell());
      const TRect r = GetCellRect(ClientAreaRect, cell);
      CurrentTheme->PaintButton(Canvas, r, c);
      const Integer left = (r.left + r.right - iw) / 2, top = (r.top + r.bottom - ih) / 2;
      DrawCellImage(Canvas, TRect{left, top, left + iw, top + ih}, col, row, c);
    }
}

void TTxToolViewer::InvalidateCell(TPoint Cell) {
  fw::TWinControl* window = View()->Window();
  if (Cell.x < 0 || !window || !window->HandleAllocated()) return;
  const TRect& b = BoundsRect();
  const TRect r = GetCellRect(b, Cell);
  const win::RECT rc{r.left, r.top, r.right, r.bottom};
  win::InvalidateRect(window->Handle(), &rc, win::FALSE);
}

void TTxToolViewer::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  TPoint current = NoCell;
  if (CellVisible(FHotCell))
    current = FHotCell;
  else if (CellVisible(Palette()->SelectedCell()))
    current = Palette()->SelectedCell();
  TPoint target = current;
  if (current.x < 0) {
    target = TPoint{0, 0};
  } else {
    switch (Key) {
      case win::VK_RETURN:
        if (SameCell(current, FHotCell)) {
          Palette()->HandleClickCell(current.x, current.y);
          return;
        }
        break;
      case win::VK_HOME: target.x = 0; break;
      case win::VK_END: target.x = FColCount - 1; break;
      case win::VK_PRIOR: target.y = 0; break;
      case win::VK_NEXT: target.y = FRowCount - 1; break;
      case win::VK_LEFT:
        if (--target.x < 0) {
          target.x = FColCount - 1;
          --target.y;
        }
        break;
      case win::VK_RIGHT:
        if (++target.x >= FColCount) {
          target.x = 0;
          ++target.y;
        }
        break;
      case win::VK_UP: --target.y; break;
      case win::VK_DOWN: ++target.y; break;
      default: TTxItemViewer::KeyDown(Key, Shift); return;
    }
  }
  if (SameCell(target, current) || !CellVisible(target)) return;
  Key = 0;
  FHotCell = target;
  View()->Invalidate(this);
}

void TTxToolViewer::Entering(TTBItemViewer* OldSelected) {
  FHotCell = NoCell;
  if (View()->IsPopup() && OldSelected && OldSelected != this) {
    if (OldSelected->BoundsRect().top < BoundsRect().top) {
      FHotCell = TPoint{0, 0};
    } else {
      TPoint last{FColCount - 1, FRowCount - 1};
      while (!CellVisible(last) && last.x > 0) --last.x;
      FHotCell = last;
    }
  }
  TTxItemViewer::Entering(OldSelected);
}

void TTxToolViewer::MouseMove(Integer X, Integer Y) {
  const TPoint cell = GetCellAt(X, Y);
  if (SameCell(cell, FHotCell)) return;
  const TPoint old = FHotCell;
  FHotCell = cell;
  const TRect& b = BoundsRect();
  if (Show() && b.right > b.left && b.bottom > b.top) {
    InvalidateCell(old);
    InvalidateCell(cell);
  }
}

void TTxToolViewer::MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) {
  FMouseDown = true;
  MouseMove(X, Y);
  TTxItemViewer::MouseDown(Shift, X, Y, MouseDownOnMenu);
  View()->SetCapture();
}

void TTxToolViewer::MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) {
  FMouseDown = false;
  const TPoint cell = GetCellAt(X, Y);
  if (cell.x >= 0) Palette()->HandleClickCell(cell.x, cell.y);
  TTxItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
}

String TTxToolViewer::GetHintText() {
  String hint;
  if (FHotCell.x >= 0) Palette()->DoGetHint(FHotCell, hint);
  return hint;
}

}  // namespace tx
