#include "analysis/ParamGrid.h"

#include "framework/GridsInplaceEdit.h"
#include "framework/SysUtils.h"
#include "platform/user/messages/Input.h"

namespace analysis {

char16_t TypedSeparator(char16_t Key) {
  return Key == u'.' || Key == u',' ? char16_t(fw::DecimalSeparator()) : Key;
}

TParamGrid::TParamGrid(fw::TComponent* AOwner) : fw::TStringGrid(AOwner) {
  SetColCount(2);
  SetRowCount(2);
  SetFixedCols(0);
  SetFixedRows(1);
  SetOptions(fw::TGridOptions{fw::goFixedVertLine, fw::goFixedHorzLine, fw::goVertLine, fw::goHorzLine,
                              fw::goColSizing, fw::goEditing, fw::goTabs, fw::goThumbTracking});
  SetCells(0, 0, "Параметр");
  SetCells(1, 0, "Значение");
}

std::string TParamGrid::CellText(fw::Integer ACol, fw::Integer ARow) const {
  if (EditorMode() && InplaceEditor() && ACol == Col() && ARow == Row()) return InplaceEditor()->Text();
  return Cells(ACol, ARow);
}

bool TParamGrid::RowEmpty(fw::Integer ARow) const { return CellText(0, ARow).empty() && CellText(1, ARow).empty(); }

std::string TParamGrid::Text() const {
  std::string lines;
  for (fw::Integer row = 1; row < RowCount(); ++row)
    if (!RowEmpty(row)) lines += CellText(0, row) + "=" + CellText(1, row) + "\r\n";
  return lines;
}

void TParamGrid::SetText(const std::string& Lines) {
  if (EditorMode()) SetEditorMode(false);
  std::vector<std::pair<std::string, std::string>> rows;
  std::size_t start = 0;
  while (start < Lines.size()) {
    std::size_t end = Lines.find_first_of("\r\n", start);
    if (end == std::string::npos) end = Lines.size();
    const std::string line = Lines.substr(start, end - start);
    if (!line.empty()) {
      const std::size_t eq = line.find('=');
      rows.emplace_back(line.substr(0, eq), eq == std::string::npos ? std::string() : line.substr(eq + 1));
    }
    start = end + 1;
  }
  SetRowCount(fw::Integer(rows.size()) + 1 + (rows.empty() ? 1 : 0));
  for (fw::Integer row = 1; row < RowCount(); ++row) {
    const bool has = std::size_t(row - 1) < rows.size();
    SetCells(0, row, has ? rows[std::size_t(row - 1)].first : std::string());
    SetCells(1, row, has ? rows[std::size_t(row - 1)].second : std::string());
  }
}

void TParamGrid::InsertRow(fw::Integer Row) {
  if (EditorMode()) SetEditorMode(false);
  const fw::Integer at = std::min(std::max<fw::Integer>(Row, 0) + 1, RowCount());
  SetRowCount(RowCount() + 1);
  for (fw::Integer row = RowCount() - 1; row > at; --row) {
    SetCells(0, row, Cells(0, row - 1));
    SetCells(1, row, Cells(1, row - 1));
  }
  SetCells(0, at, "");
  SetCells(1, at, "");
  SetRow(at);
}

void TParamGrid::RemoveRow(fw::Integer Row) {
  if (Row < 1 || Row >= RowCount()) return;
  if (EditorMode()) SetEditorMode(false);
  if (RowCount() == 2) {
    SetCells(0, 1, "");
    SetCells(1, 1, "");
    return;
  }
  DeleteRow(Row);
}

void TParamGrid::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  if (Key == win::VK_RETURN && OnReturn) {
    if (EditorMode()) SetEditorMode(false);
    Key = 0;
    OnReturn();
    return;
  }
  if (Key == win::VK_DOWN && Row() == RowCount() - 1 && !RowEmpty(Row())) {
    InsertRow(Row());
    Key = 0;
    return;
  }
  if (Key == win::VK_INSERT) {
    InsertRow(Row());
    Key = 0;
    return;
  }
  if (Key == win::VK_DELETE && Shift.Contains(fw::ssCtrl)) {
    RemoveRow(Row());
    Key = 0;
    return;
  }
  fw::TStringGrid::KeyDown(Key, Shift);
}

fw::TInplaceEdit* TParamGrid::CreateEditor() {
  fw::TInplaceEdit* edit = fw::TStringGrid::CreateEditor();
  edit->OnKeyPress = [](fw::TObject*, char16_t& Key) { Key = TypedSeparator(Key); };
  return edit;
}

}  // namespace analysis
