#include "analysis/DialogControls.h"

#include "analysis/DialogLayout.h"
#include "analysis/ParamGrid.h"
#include "controls/CsButtons.h"
#include "controls/CsLayout.h"
#include "controls/CsPanels.h"
#include "controls/CsTextObject.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "tx/TxItems.h"
#include "tx/TxToolbar.h"
#include "workspace/Common.h"

namespace analysis {

namespace {

template <class C>
C* Make(fw::TWinControl* Parent, TUnits At) {
  auto* control = new C(Parent);
  TDialogLayout::Place(control, Parent, At.Left, At.Top, At.Width, At.Height);
  return control;
}

}  // namespace

cs::TCsGroupBox* MakeGroup(fw::TWinControl* Parent, const char16_t* Caption, TUnits At) {
  auto* group = Make<cs::TCsGroupBox>(Parent, At);
  group->SetCaption(Caption);
  return group;
}

cs::TCsCheckBox* MakeCheck(fw::TWinControl* Parent, const char* Name, const char16_t* Caption, TUnits At) {
  auto* check = Make<cs::TCsCheckBox>(Parent, At);
  check->SetName(Name);
  check->SetCaption(Caption);
  return check;
}

cs::TCsRadioButton* MakeRadio(fw::TWinControl* Parent, const char* Name, const char16_t* Caption, TUnits At) {
  auto* radio = Make<cs::TCsRadioButton>(Parent, At);
  radio->SetName(Name);
  radio->SetCaption(Caption);
  return radio;
}

cs::TCsLabel* MakeLabel(fw::TWinControl* Parent, const char16_t* Caption, TUnits At) {
  auto* label = Make<cs::TCsLabel>(Parent, At);
  label->SetCaption(Caption);
  return label;
}

cs::TLxCsFloatEdit* MakeFloatEdit(fw::TWinControl* Parent, const char* Name, TUnits At) {
  auto* edit = Make<cs::TLxCsFloatEdit>(Parent, At);
  edit->SetName(Name);
  edit->SetDigits(9);
  edit->SetCheckMaxMin(false);
  // Either separator types a decimal point, whichever the locale's is.
  edit->SetAdditionalDecimalSeparator(fw::DecimalSeparator() == '.' ? u',' : u'.');
  edit->SetValue(0);
  return edit;
}

cs::TCsSpinEdit* MakeSpin(fw::TWinControl* Parent, const char* Name, int Min, int Max, TUnits At) {
  auto* spin = Make<cs::TCsSpinEdit>(Parent, At);
  spin->SetName(Name);
  spin->SetValueType(cs::vtInt);
  spin->SetMinValue(Min);
  spin->SetMaxValue(Max);
  spin->SetIncrement(1);
  return spin;
}

cs::TCsButton* MakeButton(fw::TWinControl* Parent, const char* Name, const char16_t* Caption, fw::Integer Result,
                          TUnits At) {
  auto* button = Make<cs::TCsButton>(Parent, At);
  button->SetName(Name);
  button->SetCaption(Caption);
  button->SetModalResult(Result);
  return button;
}

TParamGrid* MakeParamGrid(fw::TWinControl* Parent, TUnits At) {
  auto* grid = MakeAt<TParamGrid>(Parent, "ParamGrid", At);
  grid->SetFixedColor(workspace::GetThemeFormColor());
  const fw::Integer half = (TDialogLayout::X(At.Width) - 6) / 2;
  grid->SetColWidths(0, half);
  grid->SetColWidths(1, half);
  return grid;
}

tx::TTxSubmenuItem* MakeSubmenuBar(fw::TForm* Form, const char* Name, const char* Caption, TUnits At) {
  auto* bar = new tx::TTxToolbar(Form);
  bar->SetName("tbTemplates");
  bar->AfterConstruction();
  TDialogLayout::Place(bar, Form, At.Left, At.Top, At.Width, At.Height);
  auto* item = new tx::TTxSubmenuItem(Form);
  item->SetName(Name);
  item->SetCaption(Caption);
  bar->Items()->Add(item);
  return item;
}

void MakeOkCancel(fw::TForm* Form, int Width, int Height) {
  MakeButton(Form, "butOk", u"OK", fw::mrOk, {Width - 112, Height - 18, 52, 14})->SetDefault(true);
  MakeButton(Form, "butCancel", u"Отмена", fw::mrCancel, {Width - 56, Height - 18, 52, 14})->SetCancel(true);
}

void WidenForGroup(fw::TForm* Form, fw::TWinControl* Group) {
  const fw::Integer before = Group->Width();
  cs::GrowToChildren(Group, TDialogLayout::X(4));
  const fw::Integer dx = Group->Width() - before;
  if (dx <= 0) return;
  Form->SetClientWidth(Form->ClientWidth() + dx);
  for (const char* name : {"butOk", "butCancel"})
    if (auto* button = dynamic_cast<fw::TControl*>(Form->FindComponent(name))) button->SetLeft(button->Left() + dx);
}

void SetUpDialog(fw::TForm* Form, const char* Name, const fw::String& Caption, int Width, int Height) {
  Form->SetName(Name);
  Form->SetCaption(Caption);
  Form->SetBorderStyle(fw::bsDialog);
  Form->SetPosition(fw::poMainFormCenter);
  Form->SetColor(workspace::GetThemeFormColor());
  TDialogLayout::SizeClient(Form, Width, Height);
}

}  // namespace analysis
