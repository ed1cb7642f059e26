#pragma once
// The colour grid of the colour pickers: forty named colours in 8 columns and 5 rows, each cell
// a framed swatch painted as a button of the current theme. Pointing at a cell makes it hot, a
// click (or Enter on the hot cell) selects it and fires OnChange; setting Color selects the cell
// holding that colour (none when no cell does).

#include "framework/Colors.h"
#include "tx/TxItemViewer.h"
#include "tx/TxItems.h"

namespace cs {

inline constexpr fw::Integer kColorPaletteCols = 8, kColorPaletteRows = 5;

// The default colours, row by row ($BBGGRR) and their names; clNone and "" outside the grid.
fw::TColor DefaultPaletteColor(fw::Integer Col, fw::Integer Row);
const char* DefaultPaletteColorName(fw::Integer Col, fw::Integer Row);

class TCsColorPaletteGrid : public tx::TTxCustomItem {
 public:
  explicit TCsColorPaletteGrid(fw::TComponent* AOwner);

  // clNone after construction.
  fw::TColor Color() const { return FColor; }
  // Stores the colour and selects its cell; always repaints and fires OnChange.
  void SetColor(fw::TColor Value);
  // Column -1: no cell selected.
  fw::TPoint SelectedCell() const { return FSelectedCell; }
  void SetSelectedCell(fw::TPoint Cell);
  // The cell whose colour has the same RGB (system colours resolved); (-1, 0) for none.
  static fw::TPoint FindCell(fw::TColor Color);
  // Selects the cell and fires OnChange (a click on it).
  virtual void HandleClickCell(fw::Integer Col, fw::Integer Row);

  fw::TNotifyEvent OnChange;

  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;

 protected:
  // The colour of the selected cell becomes Color, then OnChange.
  virtual void DoChange();

 private:
  fw::TColor FColor = fw::clNone;
  fw::TPoint FSelectedCell{-1, 0};
};

class TCsColorPaletteViewer : public tx::TTxItemViewer {
 public:
  TCsColorPaletteViewer(toolbars::TTBView* AView, toolbars::TTBCustomItem* AItem, fw::Integer AGroupLevel);

  // 12 x 12 swatches with a 6-pixel margin.
  static constexpr fw::Integer kCellSize = 18;
  fw::TPoint HotCell() const { return FHotCell; }
  // The cell under a point relative to the viewer; column -1 for none.
  fw::TPoint CellAt(fw::Integer X, fw::Integer Y) const;
  fw::TRect CellRect(const fw::TRect& ItemRect, fw::Integer Col, fw::Integer Row) const;

  void CalcSize(fw::TCanvas* Canvas, fw::Integer& AWidth, fw::Integer& AHeight) override;
  void Paint(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  void Entering(toolbars::TTBItemViewer* OldSelected) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void MouseDown(fw::TShiftState Shift, fw::Integer X, fw::Integer Y, bool& MouseDownOnMenu) override;
  void MouseMove(fw::Integer X, fw::Integer Y) override;
  void MouseUp(fw::Integer X, fw::Integer Y, bool MouseWasDownOnMenu) override;

 private:
  TCsColorPaletteGrid* Grid() const { return static_cast<TCsColorPaletteGrid*>(Item()); }
  void SetHotCell(fw::TPoint Cell);

  fw::TPoint FHotCell{-1, 0};
  fw::Integer FIndent = 0;
  bool FMouseDown = false;
};

}  // namespace cs
