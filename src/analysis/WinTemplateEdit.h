#pragma once
// The expression template editor ("Заготовки выражений"): the templates of the settings file in
// a list with new, delete, move up and down, and the selected one's name, parameters and formula
// edited and applied to a working copy that OK writes back, renumbered in list order.

#include <memory>

#include "analysis/ExpressionTemplates.h"
#include "analysis/ParamGrid.h"
#include "framework/Forms.h"

namespace cs {
class TCsButton;
class TCsEdit;
class TCsListBox;
class TCsMemo;
}  // namespace cs

namespace analysis {


class TwndTemplateEdit : public fw::TForm {
 public:
  explicit TwndTemplateEdit(fw::TComponent* AOwner);
  ~TwndTemplateEdit() override;

  void List1Click();
  void butNewClick();
  void butApplyClick();
  void butDeleteClick();
  void butMoveClick(bool Up);
  // Writes the list to the settings file; the dialog closes with OK only when that worked.
  void butOkClick();
  const TTemplateList& WorkStore() const { return *FWorkStore; }
  bool IsNew() const { return FIsNew; }

  cs::TCsListBox* List1 = nullptr;
  cs::TCsButton* butNew = nullptr;
  cs::TCsButton* butDelete = nullptr;
  cs::TCsButton* butUp = nullptr;
  cs::TCsButton* butDown = nullptr;
  cs::TCsEdit* edName = nullptr;
  TParamGrid* ParamGrid = nullptr;
  cs::TCsMemo* Memo1 = nullptr;
  cs::TCsButton* butApply = nullptr;

 private:
  void FillList(int Selected);
  void ShowTemplate(int Index);

  std::unique_ptr<TTemplateList> FWorkStore;
  bool FIsNew = false;
};

// Runs the editor modally; true when OK wrote the templates.
bool EditExpressionTemplates();

}  // namespace analysis
