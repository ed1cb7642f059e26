#pragma once
// The controls the analysis dialogs are built from, made and placed in dialog units in one call.

#include "analysis/DialogLayout.h"
#include "framework/ClassesTypes.h"

namespace fw {
class TWinControl;
class TForm;
}  // namespace fw
namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsGroupBox;
class TCsLabel;
class TCsRadioButton;
class TCsSpinEdit;
class TLxCsFloatEdit;
}  // namespace cs

namespace tx {
class TTxSubmenuItem;
}

namespace analysis {

struct TUnits {
  int Left, Top, Width, Height;
};

cs::TCsGroupBox* MakeGroup(fw::TWinControl* Parent, const char16_t* Caption, TUnits At);
cs::TCsCheckBox* MakeCheck(fw::TWinControl* Parent, const char* Name, const char16_t* Caption, TUnits At);
cs::TCsRadioButton* MakeRadio(fw::TWinControl* Parent, const char* Name, const char16_t* Caption, TUnits At);
cs::TCsLabel* MakeLabel(fw::TWinControl* Parent, const char16_t* Caption, TUnits At);
// Text "0", 9 digits, no range check.
cs::TLxCsFloatEdit* MakeFloatEdit(fw::TWinControl* Parent, const char* Name, TUnits At);
// An integer spin edit from Min to Max, stepping by 1.
cs::TCsSpinEdit* MakeSpin(fw::TWinControl* Parent, const char* Name, int Min, int Max, TUnits At);
cs::TCsButton* MakeButton(fw::TWinControl* Parent, const char* Name, const char16_t* Caption, fw::Integer Result,
                          TUnits At);
// A control of class T named Name, placed on Parent.
template <class T>
T* MakeAt(fw::TWinControl* Parent, const char* Name, TUnits At) {
  auto* control = new T(Parent);
  control->SetName(Name);
  TDialogLayout::Place(control, Parent, At.Left, At.Top, At.Width, At.Height);
  return control;
}
// The parameter grid with its columns sharing its width and its titles in the form's colour.
class TParamGrid;
TParamGrid* MakeParamGrid(fw::TWinControl* Parent, TUnits At);
// A small themed toolbar on Form at At holding one submenu item (Name, Caption), for the
// template menus; the item is returned.
tx::TTxSubmenuItem* MakeSubmenuBar(fw::TForm* Form, const char* Name, const char* Caption, TUnits At);
// OK (default) and "Отмена" (cancel) at the bottom right of a dialog Width by Height units.
void MakeOkCancel(fw::TForm* Form, int Width, int Height);
// Widens Form's client area by what Group grew to hold its children (measured captions), moving
// the OK and Cancel buttons along.
void WidenForGroup(fw::TForm* Form, fw::TWinControl* Group);
// A dialog's common look: caption, fixed frame, centred on the main window, the theme's colour,
// and the client area in units.
void SetUpDialog(fw::TForm* Form, const char* Name, const fw::String& Caption, int Width, int Height);

}  // namespace analysis
