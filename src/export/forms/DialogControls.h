#pragma once
// The one place the export dialogs build their controls: each maker creates a control of the
// control set owned and parented by Parent, names it, gives it its caption and puts it at
// (Left, Top, Width, Height) in the parent's client pixels. The dialogs' fixed client sizes
// are in pixels, so their controls are too.

#include <functional>
#include <initializer_list>
#include <string_view>

#include "controls/CsLayout.h"
#include "framework/ClassesTypes.h"
#include "framework/Colors.h"

namespace fw {
class TCustomForm;
class TFont;
class TMemo;
class TWinControl;
}  // namespace fw

namespace cs {
class TCsColorButton;
class TCsButton;
class TCsCheckBox;
class TCsComboBox;
class TCsGroupBox;
class TCsLabel;
class TCsRadioButton;
class TCsSpinEdit;
}  // namespace cs

namespace kvforms {

using cs::BottomOf;
using cs::FlowRight;
using cs::GrowPagesToChildren;
using cs::GrowToChildren;
using cs::RightOf;

// Font sizes the format dialogs give chart elements, in points: a font of no size cannot be
// drawn, and a huge one only costs memory and time.
inline constexpr fw::Integer kMinFontSize = 1;
inline constexpr fw::Integer kMaxFontSize = 1000;

struct TBox {
  fw::Integer Left, Top, Width, Height;
};

cs::TCsGroupBox* MakeGroupBox(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption, TBox At);
// A group and every control in it enabled or disabled at once. A disabled parent keeps input
// from its children but not their enabled look, so each of them follows the group.
void SetGroupEnabled(fw::TWinControl* Group, bool Enabled);
cs::TCsLabel* MakeLabel(fw::TWinControl* Parent, std::string_view Caption, TBox At);
// A label of several lines: the caption is broken between words to At's width, and the label is
// as high as its lines.
cs::TCsLabel* MakeWrappedLabel(fw::TWinControl* Parent, std::string_view Caption, TBox At);
cs::TCsCheckBox* MakeCheckBox(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption, TBox At);
cs::TCsRadioButton* MakeRadioButton(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption,
                                    TBox At);
// An integer spin edit from 0 to MaxValue.
cs::TCsSpinEdit* MakeSpinEdit(fw::TWinControl* Parent, std::string_view Name, fw::Extended MaxValue, TBox At);
// An integer spin edit from MinValue to MaxValue.
cs::TCsSpinEdit* MakeSpinEdit(fw::TWinControl* Parent, std::string_view Name, fw::Extended MinValue,
                              fw::Extended MaxValue, TBox At);
// The spin's value rounded to the nearest integer (halves away from zero) within its range.
fw::Integer SpinInt(const cs::TCsSpinEdit* Spin);
// A drop-down list holding Items in order.
cs::TCsComboBox* MakeDropDownList(fw::TWinControl* Parent, std::string_view Name,
                                  std::initializer_list<std::string_view> Items, TBox At);
// A push button running Click when pressed.
cs::TCsButton* MakeButton(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption, TBox At,
                          std::function<void()> Click);
// A colour button of the control set: its menu offers the forty named colours and "Выбрать..."
// (the colour dialog); OnPick gets every colour chosen or set on it.
cs::TCsColorButton* MakeColorButton(fw::TWinControl* Parent, std::string_view Name, TBox At,
                                    std::function<void(fw::TColor)> OnPick);
// A button ending the modal loop with ModalResult, kept at the parent's bottom edge.
cs::TCsButton* MakeBottomButton(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption,
                                fw::Integer ModalResult, TBox At);

// The font dialog on Font; a chosen size outside kMinFontSize..kMaxFontSize is clamped to it.
// True on OK.
bool ChooseFont(fw::TFont* Font);

// The format dialogs' memo keys: Esc in Memo presses Cancel, and with SelectAll Ctrl+A selects
// the memo's whole text. Both keys go no further.
void BindMemoKeys(fw::TMemo* Memo, cs::TCsButton* Cancel, bool SelectAll);
// Ok runs Apply before it closes Form; an Apply that raises is refused: the message shows and
// Form stays open (Apply must refuse before it writes anything).
void BindRefusableOk(fw::TCustomForm* Form, cs::TCsButton* Ok, std::function<void()> Apply);
// Ctrl+Enter anywhere in Form (which previews keys) presses Ok.
void BindCtrlEnter(fw::TCustomForm* Form, cs::TCsButton* Ok);

}  // namespace kvforms
