#include "controls/CsColorPalette.h"

#include "framework/GraphicsCanvas.h"
#include "platform/kernel/Rects.h"
#include "platform/user/windows/WinUserTypes.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"
#include "tx/TxUtils.h"

namespace cs {
namespace {

struct TNamedColor {
  fw::TColor Color;
  const char* Name;
};

constexpr TNamedColor kColors[kColorPaletteRows][kColorPaletteCols] = {
    {{0x000000, "Black"}, {0x003399, "Brown"}, {0x003333, "Olive Green"}, {0x003300, "Dark Green"},
     {0x663300, "Dark Teal"}, {0x800000, "Dark blue"}, {0x993333, "Indigo"}, {0x333333, "Gray-80%"}},
    {{0x000080, "Dark Red"}, {0x0066FF, "Orange"}, {0x008080, "Dark Yellow"}, {0x008000, "Green"},
     {0x808000, "Teal"}, {0xFF0000, "Blue"}, {0x996666, "Blue-Gray"}, {0x808080, "Gray-50%"}},
    {{0x0000FF, "Red"}, {0x0099FF, "Light Orange"}, {0x00CC99, "Lime"}, {0x669933, "Sea Green"},
     {0xCCCC33, "Aqua"}, {0xFF6633, "Light Blue"}, {0x800080, "Violet"}, {0x969696, "Gray-40%"}},
    {{0xFF00FF, "Pink"}, {0x00CCFF, "Gold"}, {0x00FFFF, "Yellow"}, {0x00FF00, "Bright Green"},
     {0xFFFF00, "Turquoise"}, {0xFFCC00, "Sky Blue"}, {0x663399, "Plum"}, {0xC0C0C0, "Gray-25%"}},
    {{0xCC99FF, "Rose"}, {0x99CCFF, "Tan"}, {0x99FFFF, "Light Yellow"}, {0xCCFFCC, "Light Green"},
     {0xFFFFCC, "Light Turquoise"}, {0xFFCC99, "Pale Blue"}, {0xFF99CC, "Lavender"}, {0xFFFFFF, "White"}},
};

bool InGrid(fw::Integer Col, fw::Integer Row) {
  return Col >= 0 && Col < kColorPaletteCols && Row >= 0 && Row < kColorPaletteRows;
}

// Only the RGB part counts; system colours in their current value. The markers clNone and
// clDefault are no colour and match no cell.
fw::TColor PlainRGB(fw::TColor Color) {
  if (Color == fw::clNone || Color == fw::clDefault) return Color;
  return fw::TColor(fw::ColorToRGB(Color) & 0xFFFFFF);
}

}  // namespace

fw::TColor DefaultPaletteColor(fw::Integer Col, fw::Integer Row) {
  return InGrid(Col, Row) ? kColors[Row][Col].Color : fw::clNone;
}

const char* DefaultPaletteColorName(fw::Integer Col, fw::Integer Row) {
  return InGrid(Col, Row) ? kColors[Row][Col].Name : "";
}

// ---- grid item ----

TCsColorPaletteGrid::TCsColorPaletteGrid(fw::TComponent* AOwner) : tx::TTxCustomItem(AOwner) {
  SetOptions(Options() + toolbars::TTBItemOptions{toolbars::tboShowHint});
}

fw::TPoint TCsColorPaletteGrid::FindCell(fw::TColor Color) {
  const fw::TColor rgb = PlainRGB(Color);
  for (fw::Integer row = 0; row < kColorPaletteRows; ++row)
    for (fw::Integer col = 0; col < kColorPaletteCols; ++col)
      if (PlainRGB(kColors[row][col].Color) == rgb) return {col, row};
  return {-1, 0};
}

void TCsColorPaletteGrid::SetColor(fw::TColor Value) {
  FColor = Value;
  SetSelectedCell(FindCell(Value));
}

void TCsColorPaletteGrid::SetSelectedCell(fw::TPoint Cell) {
  FSelectedCell = Cell;
  Change(true);
  DoChange();
}

void TCsColorPaletteGrid::DoChange() {
  if (InGrid(FSelectedCell.x, FSelectedCell.y)) FColor = DefaultPaletteColor(FSelectedCell.x, FSelectedCell.y);
  if (OnChange) OnChange(this);
}

void TCsColorPaletteGrid::HandleClickCell(fw::Integer Col, fw::Integer Row) {
  if (InGrid(Col, Row)) SetSelectedCell({Col, Row});
}

toolbars::TTBItemViewerClass TCsColorPaletteGrid::GetItemViewerClass(toolbars::TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsColorPaletteViewer>();
}

// ---- viewer ----

TCsColorPaletteViewer::TCsColorPaletteViewer(toolbars::TTBView* AView, toolbars::TTBCustomItem* AItem,
                                             fw::Integer AGroupLevel)
    : tx::TTxItemViewer(AView, AItem, AGroupLevel) {}

void TCsColorPaletteViewer::CalcSize(fw::TCanvas* /*Canvas*/, fw::Integer& AWidth, fw::Integer& AHeight) {
  // In a menu the grid starts at the caption column.
  FIndent = 0;
  fw::Integer right = 0;
  if (!IsToolbarStyle() && tx::CurrentTheme != nullptr) {
    FIndent = tx::CurrentTheme->GetIntegerMetric(tx::TMI_MENU_IMAGE_TEXT_SPACE) + tx::GetPopupMargin(this) +
              tx::CurrentTheme->GetIntegerMetric(tx::TMI_MENU_CAPTION_LEFT) - 3;
    right = tx::CurrentTheme->GetIntegerMetric(tx::TMI_MENU_CAPTION_RIGHT);
  }
  AWidth = std::max<fw::Integer>(kCellSize * kColorPaletteCols + FIndent + right, 8);
  AHeight = std::max<fw::Integer>(kCellSize * kColorPaletteRows, 8);
}

fw::TRect TCsColorPaletteViewer::CellRect(const fw::TRect& ItemRect, fw::Integer Col, fw::Integer Row) const {
  const fw::Integer left = ItemRect.left + FIndent + Col * kCellSize, top = ItemRect.top + Row * kCellSize;
  return {left, top, left + kCellSize, top + kCellSize};
}

fw::TPoint TCsColorPaletteViewer::CellAt(fw::Integer X, fw::Integer Y) const {
  if (X < FIndent || Y < 0) return {-1, 0};
  const fw::Integer col = (X - FIndent) / kCellSize, row = Y / kCellSize;
  return InGrid(col, row) ? fw::TPoint{col, row} : fw::TPoint{-1, 0};
}

void TCsColorPaletteViewer::Paint(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, bool IsSelected,
                                  bool /*IsPushed*/, bool /*UseDisabledShadow*/) {
  TCsColorPaletteGrid* grid = Grid();
  const bool enabled = grid->Enabled();
  tx::TTxItemInfo base;
  base.ViewType = tx::GetViewType(View());
  base.Enabled = enabled;
  base.ImageWidth = 12;
  base.ImageHeight = 12;
  if (!IsToolbarStyle() && tx::CurrentTheme != nullptr) {
    base.PopupMargin = tx::GetPopupMargin(this);
    tx::CurrentTheme->PaintMenuItemFrame(Canvas, ClientAreaRect, base);
  }
  const win::HDC dc = Canvas->Handle();
  for (fw::Integer row = 0; row < kColorPaletteRows; ++row)
    for (fw::Integer col = 0; col < kColorPaletteCols; ++col) {
      const fw::TRect cell = CellRect(ClientAreaRect, col, row);
      tx::TTxItemInfo info = base;
      const bool hot = IsSelected && FHotCell.x == col && FHotCell.y == row;
      if (hot) info.HoverKind = enabled ? tx::hkMouseHover : tx::hkKeyboardHover;
      info.Pushed = hot && FMouseDown;
      info.Selected = grid->SelectedCell().x == col && grid->SelectedCell().y == row;
      if (tx::CurrentTheme != nullptr) tx::CurrentTheme->PaintButton(Canvas, cell, info);
      fw::TRect swatch{cell.left + 3, cell.top + 3, cell.left + 15, cell.top + 15};
      tx::FrameRectColor(dc, swatch, fw::clBtnShadow, true);
      // A disabled grid shows empty frames.
      if (enabled) tx::FillRectColor(dc, swatch, DefaultPaletteColor(col, row));
    }
}

void TCsColorPaletteViewer::SetHotCell(fw::TPoint Cell) {
  if (Cell.x == FHotCell.x && Cell.y == FHotCell.y) return;
  FHotCell = Cell;
  View()->Invalidate(this);
}

void TCsColorPaletteViewer::Entering(toolbars::TTBItemViewer* OldSelected) {
  FHotCell = {-1, 0};
  // Arriving from the keyboard in a menu: the first cell from above, the last from below.
  if (OldSelected != nullptr && OldSelected != this && View()->IsPopup()) {
    FHotCell = OldSelected->BoundsRect().top < BoundsRect().top ? fw::TPoint{0, 0}
                                                                : fw::TPoint{kColorPaletteCols - 1, kColorPaletteRows - 1};
  }
  tx::TTxItemViewer::Entering(OldSelected);
}

void TCsColorPaletteViewer::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  fw::TPoint current{-1, 0};
  if (InGrid(FHotCell.x, FHotCell.y)) current = FHotCell;
  else if (InGrid(Grid()->SelectedCell().x, Grid()->SelectedCell().y)) current = Grid()->SelectedCell();
  fw::TPoint next = current;
  if (current.x < 0) {
    next = {0, 0};
  } else {
    switch (Key) {
      case win::VK_RETURN:
        if (InGrid(FHotCell.x, FHotCell.y)) Grid()->HandleClickCell(FHotCell.x, FHotCell.y);
        return;  // the view then executes the item: the menu closes
      case win::VK_HOME: next.x = 0; break;
      case win::VK_END: next.x = kColorPaletteCols - 1; break;
      case win::VK_PRIOR: next.y = 0; break;
      case win::VK_NEXT: next.y = kColorPaletteRows - 1; break;
      case win::VK_LEFT:
        if (--next.x < 0) next = {kColorPaletteCols - 1, next.y - 1};
        break;
      case win::VK_RIGHT:
        if (++next.x >= kColorPaletteCols) next = {0, next.y + 1};
        break;
      case win::VK_UP: --next.y; break;
      case win::VK_DOWN: ++next.y; break;
      default: tx::TTxItemViewer::KeyDown(Key, Shift); return;
    }
  }
  if ((next.x != current.x || next.y != current.y) && InGrid(next.x, next.y)) {
    Key = 0;
    SetHotCell(next);
  }
}

void TCsColorPaletteViewer::MouseDown(fw::TShiftState Shift, fw::Integer X, fw::Integer Y, bool& MouseDownOnMenu) {
  FMouseDown = true;
  SetHotCell(CellAt(X, Y));
  tx::TTxItemViewer::MouseDown(Shift, X, Y, MouseDownOnMenu);
}

void TCsColorPaletteViewer::MouseMove(fw::Integer X, fw::Integer Y) { SetHotCell(CellAt(X, Y)); }

void TCsColorPaletteViewer::MouseUp(fw::Integer X, fw::Integer Y, bool MouseWasDownOnMenu) {
  FMouseDown = false;
  const fw::TPoint cell = CellAt(X, Y);
  if (cell.x >= 0) Grid()->HandleClickCell(cell.x, cell.y);
  tx::TTxItemViewer::MouseUp(X, Y, MouseWasDownOnMenu);
}

}  // namespace cs
