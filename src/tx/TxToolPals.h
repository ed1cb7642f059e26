#pragma once
// Tool palettes: an item that shows a grid of cells instead of one button. Each cell shows an
// image (from the item's image list, or drawn by the item), follows the mouse and the arrow keys,
// and becomes the selected cell when clicked. TTxToolViewer lays the grid out and paints it
// through the current theme. The colour palette and its colour sets are in TxColorPalette.h.

#include <functional>
#include <vector>

#include "framework/Sets.h"
#include "tx/TxItemViewer.h"

namespace tx {

enum TTxToolPaletteOption : Byte { tpoCustomImages, tpoNoAutoSelect };
using TTxToolPaletteOptions = fw::TSet<TTxToolPaletteOption>;

using TTPCellClick = std::function<void(fw::TObject* Sender, Integer& ACol, Integer& ARow, bool& AllowChange)>;
using TTPGetCellHint = std::function<void(fw::TObject* Sender, Integer ACol, Integer ARow, String& HintText)>;
using TTPCalcImageSize = std::function<void(fw::TObject* Sender, fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight)>;
using TTPDrawCellImage = std::function<void(fw::TObject* Sender, fw::TCanvas* Canvas, TRect ARect, Integer ACol,
                                            Integer ARow, bool Selected, bool Hot, bool Enabled)>;
using TTPGetCellVisible = std::function<void(fw::TObject* Sender, Integer ACol, Integer ARow, bool& Visible)>;

// Column -1 means no cell.
inline constexpr TPoint NoCell{-1, 0};

class TTxCustomToolPalette : public TTxCustomItem {
 public:
  explicit TTxCustomToolPalette(fw::TComponent* AOwner);

  Byte ColCount() const { return FColCount; }
  void SetColCount(Byte Value);
  Byte RowCount() const { return FRowCount; }
  void SetRowCount(Byte Value);
  TTxToolPaletteOptions PaletteOptions() const { return FPaletteOptions; }
  void SetPaletteOptions(TTxToolPaletteOptions Value);
  TPoint SelectedCell() const { return FSelectedCell; }
  // Stores the cell, re-lays the item out and fires the change, even for the same cell.
  void SetSelectedCell(TPoint Value);

  fw::TNotifyEvent OnChange;
  TTPCellClick OnCellClick;
  TTPGetCellHint OnGetCellHint;
  TTPCalcImageSize OnCalcImageSize;
  TTPDrawCellImage OnDrawCellImage;
  TTPGetCellVisible OnGetCellVisible;

  virtual void DoCalcCellSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight);
  virtual void DoCalcImageSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight);
  // False when OnCellClick refuses the change.
  virtual bool DoCellClick(Integer& ACol, Integer& ARow);
  virtual void DoChange();
  virtual void DoDrawCellImage(fw::TCanvas* Canvas, const TRect& ARect, Integer ACol, Integer ARow,
                               const TTxItemInfo& ItemInfo);
  virtual void DoGetCellVisible(Integer ACol, Integer ARow, bool& Visible);
  virtual void DoGetHint(TPoint Cell, String& HintText);
  virtual void HandleClickCell(Integer ACol, Integer ARow);

  toolbars::TTBItemViewerClass GetItemViewerClass(TTBView* AView) override;

 private:
  Byte FColCount = 1, FRowCount = 1;
  TTxToolPaletteOptions FPaletteOptions;
  TPoint FSelectedCell = NoCell;
};

class TTxToolViewer : public TTxItemViewer {
 public:
  TTxToolViewer(TTBView* AView, TTBCustomItem* AItem, Integer AGroupLevel);

  Integer ColCount() const { return FColCount; }
  Integer RowCount() const { return FRowCount; }
  TPoint HotCell() const { return FHotCell; }
  Integer CellWidth() const { return FCellWidth; }
  Integer CellHeight() const { return FCellHeight; }
  Integer Indent() const { return FIndent; }

  // Cell rectangle inside the item rectangle R.
  TRect GetCellRect(const TRect& R, TPoint Cell) const;
  // The visible cell under (X, Y), relative to the item; NoCell when none.
  TPoint GetCellAt(Integer X, Integer Y);
  bool CellVisible(TPoint Cell);

  void CalcSize(fw::TCanvas* Canvas, Integer& AWidth, Integer& AHeight) override;
  void Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  void Entering(TTBItemViewer* OldSelected) override;
  void MouseDown(fw::TShiftState Shift, Integer X, Integer Y, bool& MouseDownOnMenu) override;
  void MouseMove(Integer X, Integer Y) override;
  void MouseUp(Integer X, Integer Y, bool MouseWasDownOnMenu) override;
  String GetHintText() override;

 protected:
  TTxCustomToolPalette* Palette() const { return static_cast<TTxCustomToolPalette*>(FItem); }
  // Draws the cell's image: the theme's image unless the item paints its own, then the item's.
  virtual void DrawCellImage(fw::TCanvas* Canvas, const TRect& ARect, Integer Col, Integer Row,
                             const TTxItemInfo& ItemInfo);

 private:
  bool InMenu();
  TRect ItemRect() const;
  void InvalidateCell(TPoint Cell);

  Integer FColCount = 1, FRowCount = 1;
  TPoint FHotCell = NoCell;
  Integer FIndent = 0;
  bool FMouseDown = false;
  Integer FCellWidth = 0, FCellHeight = 0;
};

}  // namespace tx
