#pragma once
// TStringGrid: a grid that keeps a text and an object per cell, draws the text and edits it.
// Cols[i] and Rows[i] are string lists that read and write the cells of one column or row.

#include <map>
#include <memory>
#include <vector>

#include "framework/Grids.h"

namespace fw {

class TStrings;

class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  // A cell outside the grid: EInvalidGridOperation "Grid index out of range".
  String Cells(Integer ACol, Integer ARow) const;
  void SetCells(Integer ACol, Integer ARow, const String& Value);
  // Objects are not owned by the grid.
  TObject* Objects(Integer ACol, Integer ARow) const;
  void SetObjects(Integer ACol, Integer ARow, TObject* Value);
  // Views of one column (one line per row) and one row (one line per column); the grid owns
  // them. Setting copies the lines in from the start.
  TStrings* Cols(Integer Index);
  void SetCols(Integer Index, TStrings* Value);
  TStrings* Rows(Integer Index);
  void SetRows(Integer Index, TStrings* Value);

 protected:
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  void SizeChanged(Integer OldColCount, Integer OldRowCount) override;

 private:
  struct TCell {
    String Text;
    TObject* Object = nullptr;
  };
  class TLineView;
  void CheckCell(Integer ACol, Integer ARow) const;
  const TCell* Find(Integer ACol, Integer ARow) const;
  TCell& Ensure(Integer ACol, Integer ARow);

  // Rows and columns grow only as far as cells are written.
  std::vector<std::vector<TCell>> FData;
  std::map<Integer, std::unique_ptr<TLineView>> FColViews, FRowViews;
};

}  // namespace fw
