#include "framework/GridsString.h"

#include <algorithm>

#include "framework/StringList.h"

namespace fw {

// One column or row of the grid as a string list. Lines cannot be inserted or deleted: the
// grid's shape is fixed by its counts; Add fills the first empty cell, Clear empties them all.
class TStringGrid::TLineView : public TStrings {
 public:
  TLineView(TStringGrid* Grid, Integer Index, bool IsColumn) : FGrid(Grid), FIndex(Index), FIsColumn(IsColumn) {}

  String Get(Integer Index) const override { return FGrid->Cells(ColOf(Index), RowOf(Index)); }
  Integer GetCount() const override { return FIsColumn ? FGrid->RowCount() : FGrid->ColCount(); }
  void Put(Integer Index, const String& S) override { FGrid->SetCells(ColOf(Index), RowOf(Index), S); }
  TObject* GetObject(Integer Index) const override { return FGrid->Objects(ColOf(Index), RowOf(Index)); }
  void PutObject(Integer Index, TObject* AObject) override {
    FGrid->SetObjects(ColOf(Index), RowOf(Index), AObject);
  }
  void Insert(Integer, const String&) override { throw EInvalidGridOperation("Grid index out of range"); }
  void Delete(Integer) override { throw EInvalidGridOperation("Grid index out of range"); }
  void Clear() override {
    for (Integer i = 0; i < GetCount(); ++i) {
      const TCell* cell = FGrid->Find(ColOf(i), RowOf(i));
      if (cell == nullptr) continue;
      FGrid->SetCells(ColOf(i), RowOf(i), String());
      FGrid->SetObjects(ColOf(i), RowOf(i), nullptr);
    }
  }
  Integer Add(const String& S) override { return AddObject(S, nullptr); }
  Integer AddObject(const String& S, TObject* AObject) override {
    for (Integer i = 0; i < GetCount(); ++i) {
      const TCell* cell = FGrid->Find(ColOf(i), RowOf(i));
      if (cell != nullptr && (!cell->Text.empty() || cell->Object != nullptr)) continue;
      FGrid->SetCells(ColOf(i), RowOf(i), S);
      FGrid->SetObjects(ColOf(i), RowOf(i), AObject);
      return i;
    }
    throw EInvalidGridOperation("Grid index out of range");
  }

 private:
  Integer ColOf(Integer Index) const { return FIsColumn ? FIndex : Index; }
  Integer RowOf(Integer Index) const { return FIsColumn ? Index : FIndex; }
  TStringGrid* FGrid;
  Integer FIndex;
  bool FIsColumn;
};

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

void TStringGrid::CheckCell(Integer ACol, Integer ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) {
    throw EInvalidGridOperation("Grid index out of range");
  }
}

const TStringGrid::TCell* TStringGrid::Find(Integer ACol, Integer ARow) const {
  if (size_t(ARow) >= FData.size()) return nullptr;
  const auto& row = FData[size_t(ARow)];
  return size_t(ACol) < row.size() ? &row[size_t(ACol)] : nullptr;
}

TStringGrid::TCell& TStringGrid::Ensure(Integer ACol, Integer ARow) {
  if (size_t(ARow) >= FData.size()) FData.resize(size_t(ARow) + 1);
  auto& row = FData[size_t(ARow)];
  if (size_t(ACol) >= row.size()) row.resize(size_t(ACol) + 1);
  return row[size_t(ACol)];
}

String TStringGrid::Cells(Integer ACol, Integer ARow) const {
  CheckCell(ACol, ARow);
  const TCell* cell = Find(ACol, ARow);
  return cell != nullptr ? cell->Text : String();
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const String& Value) {
  CheckCell(ACol, ARow);
  const TCell* cell = Find(ACol, ARow);
  if (cell == nullptr ? Value.empty() : cell->Text == Value) return;
  Ensure(ACol, ARow).Text = Value;
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(Integer ACol, Integer ARow) const {
  CheckCell(ACol, ARow);
  const TCell* cell = Find(ACol, ARow);
  return cell != nullptr ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value) {
  CheckCell(ACol, ARow);
  if (Find(ACol, ARow) == nullptr && Value == nullptr) return;
  Ensure(ACol, ARow).Object = Value;
}

TStrings* TStringGrid::Cols(Integer Index) {
  if (Index < 0 || Index >= ColCount()) throw EInvalidGridOperation("Grid index out of range");
  auto& view = FColViews[Index];
  if (!view) view = std::make_unique<TLineView>(this, Index, true);
  return view.get();
}

TStrings* TStringGrid::Rows(Integer Index) {
  if (Index < 0 || Index >= RowCount()) throw EInvalidGridOperation("Grid index out of range");
  auto& view = FRowViews[Index];
  if (!view) view = std::make_unique<TLineView>(this, Index, false);
  return view.get();
}

void TStringGrid::SetCols(Integer Index, TStrings* Value) { Cols(Index)->Assign(Value); }
void TStringGrid::SetRows(Integer Index, TStrings* Value) { Rows(Index)->Assign(Value); }

void TStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) {
    const TCell* cell = Find(ACol, ARow);
    if (cell != nullptr && !cell->Text.empty()) Canvas()->TextRect(ARect, ARect.left + 2, ARect.top + 2, cell->Text);
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(Integer ACol, Integer ARow) {
  String value = Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  for (auto& row : FData) {
    if (size_t(std::max(FromIndex, ToIndex)) >= row.size()) row.resize(size_t(std::max(FromIndex, ToIndex)) + 1);
    TCell moved = std::move(row[size_t(FromIndex)]);
    row.erase(row.begin() + FromIndex);
    row.insert(row.begin() + ToIndex, std::move(moved));
  }
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  if (size_t(std::max(FromIndex, ToIndex)) >= FData.size()) FData.resize(size_t(std::max(FromIndex, ToIndex)) + 1);
  std::vector<TCell> moved = std::move(FData[size_t(FromIndex)]);
  FData.erase(FData.begin() + FromIndex);
  FData.insert(FData.begin() + ToIndex, std::move(moved));
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
  if (FData.size() > size_t(RowCount())) FData.resize(size_t(RowCount()));
  for (auto& row : FData)
    if (row.size() > size_t(ColCount())) row.resize(size_t(ColCount()));
  FColViews.erase(FColViews.lower_bound(ColCount()), FColViews.end());
  FRowViews.erase(FRowViews.lower_bound(RowCount()), FRowViews.end());
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

}  // namespace fw
