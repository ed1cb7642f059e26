#pragma once
// The name/value grid of the expression dialogs: the column titles "Параметр" and "Значение",
// one parameter a row; rows are added (Down on the last row that holds something, Insert),
// edited in place and deleted (Ctrl+Delete). Its text is one "name=value" line a row, as the
// parameters are stored. Enter runs OnReturn (the dialog's OK); "." and "," type the user's
// decimal separator.

#include <functional>
#include <string>

#include "framework/GridsString.h"

namespace analysis {

class TParamGrid : public fw::TStringGrid {
 public:
  explicit TParamGrid(fw::TComponent* AOwner);

  // Every row with a name or a value as "name=value" and CR LF, in row order; a cell being
  // edited counts with the text typed so far.
  std::string Text() const;
  // The grid's text is its rows (also when set through the control): one row a line, split at
  // the first "="; at least one row, empty when there are no lines.
  void SetText(const std::string& Lines) override;
  // The data rows (the title row not counted).
  fw::Integer ParamCount() const { return RowCount() - 1; }
  // A row after Row (the last when Row is beyond it); the removal of Row, one empty row kept.
  void InsertRow(fw::Integer Row);
  void RemoveRow(fw::Integer Row);

  std::function<void()> OnReturn;

 protected:
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
  fw::TInplaceEdit* CreateEditor() override;

 private:
  std::string CellText(fw::Integer ACol, fw::Integer ARow) const;
  bool RowEmpty(fw::Integer ARow) const;
};

// The user's decimal separator for a typed "." or ","; other characters as they are.
char16_t TypedSeparator(char16_t Key);

}  // namespace analysis
