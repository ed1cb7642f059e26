#include "export/forms/DialogControls.h"

#include <algorithm>
#include <cmath>

#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/CsTextObject.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "controls/UniComboBox.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/user/windows/WinUserTypes.h"
#include "workspace/Common.h"

namespace kvforms {
namespace {

template <typename T>
T* Make(fw::TWinControl* Parent, std::string_view Name, TBox At) {
  auto* control = new T(Parent);
  if (!Name.empty()) control->SetName(fw::String(Name));
  control->SetParent(Parent);
  control->SetBounds(At.Left, At.Top, At.Width, At.Height);
  return control;
}

}  // namespace

cs::TCsGroupBox* MakeGroupBox(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption, TBox At) {
  auto* box = Make<cs::TCsGroupBox>(Parent, Name, At);
  box->SetCaption(cs::Utf8ToWide(Caption));
  return box;
}

void SetGroupEnabled(fw::TWinControl* Group, bool Enabled) {
  Group->SetEnabled(Enabled);
  for (fw::Integer i = 0; i < Group->ControlCount(); ++i) {
    fw::TControl* child = Group->Controls(i);
    if (auto* container = dynamic_cast<fw::TWinControl*>(child); container && container->ControlCount() > 0)
      SetGroupEnabled(container, Enabled);
    else
      child->SetEnabled(Enabled);
  }
}

cs::TCsLabel* MakeLabel(fw::TWinControl* Parent, std::string_view Caption, TBox At) {
  auto* label = Make<cs::TCsLabel>(Parent, "", At);
  label->SetCaption(cs::Utf8ToWide(Caption));
  return label;
}

cs::TCsLabel* MakeWrappedLabel(fw::TWinControl* Parent, std::string_view Caption, TBox At) {
  auto* label = Make<cs::TCsLabel>(Parent, "", At);
  // Sized by hand while the caption and the wrapping come in, then measured at At's width.
  label->SetAutoSize(false);
  label->SetWrapping(tx::twWrap);
  label->SetCaption(cs::Utf8ToWide(Caption));
  label->SetBounds(At.Left, At.Top, At.Width, At.Height);
  label->SetAutoSize(true);
  return label;
}

cs::TCsCheckBox* MakeCheckBox(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption, TBox At) {
  auto* box = Make<cs::TCsCheckBox>(Parent, Name, At);
  box->SetCaption(cs::Utf8ToWide(Caption));
  return box;
}

cs::TCsRadioButton* MakeRadioButton(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption,
                                    TBox At) {
  auto* button = Make<cs::TCsRadioButton>(Parent, Name, At);
  button->SetCaption(cs::Utf8ToWide(Caption));
  return button;
}

cs::TCsSpinEdit* MakeSpinEdit(fw::TWinControl* Parent, std::string_view Name, fw::Extended MaxValue, TBox At) {
  auto* edit = Make<cs::TCsSpinEdit>(Parent, Name, At);
  edit->SetMinValue(0);
  edit->SetMaxValue(MaxValue);
  return edit;
}

cs::TCsSpinEdit* MakeSpinEdit(fw::TWinControl* Parent, std::string_view Name, fw::Extended MinValue,
                              fw::Extended MaxValue, TBox At) {
  auto* edit = MakeSpinEdit(Parent, Name, MaxValue, At);
  edit->SetMinValue(MinValue);
  return edit;
}

fw::Integer SpinInt(const cs::TCsSpinEdit* Spin) {
  return static_cast<fw::Integer>(std::lround(std::clamp(Spin->Value(), Spin->MinValue(), Spin->MaxValue())));
}

cs::TCsComboBox* MakeDropDownList(fw::TWinControl* Parent, std::string_view Name,
                                  std::initializer_list<std::string_view> Items, TBox At) {
  auto* combo = Make<cs::TCsComboBox>(Parent, Name, At);
  combo->SetStyle(fw::csDropDownList);
  for (std::string_view item : Items) combo->Items()->Add(cs::Utf8ToWide(item));
  return combo;
}

cs::TCsButton* MakeButton(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption, TBox At,
                          std::function<void()> Click) {
  auto* button = Make<cs::TCsButton>(Parent, Name, At);
  button->SetCaption(cs::Utf8ToWide(Caption));
  button->OnClick = [Click = std::move(Click)](fw::TObject*) { Click(); };
  return button;
}

cs::TCsColorButton* MakeColorButton(fw::TWinControl* Parent, std::string_view Name, TBox At,
                                    std::function<void(fw::TColor)> OnPick) {
  auto* button = Make<cs::TCsColorButton>(Parent, Name, At);
  button->SetDefaultVisible(false);  // a chart colour has no "automatic" value
  button->SetThemeType(cs::thtTx);
  button->OnColorChange = [button, OnPick = std::move(OnPick)](fw::TObject*) {
    OnPick(button->SelectedColor());
  };
  return button;
}

cs::TCsButton* MakeBottomButton(fw::TWinControl* Parent, std::string_view Name, std::string_view Caption,
                                fw::Integer ModalResult, TBox At) {
  auto* button = Make<cs::TCsButton>(Parent, Name, At);
  button->SetCaption(cs::Utf8ToWide(Caption));
  button->SetModalResult(ModalResult);
  button->SetAnchors(fw::TAnchors() + fw::akLeft + fw::akBottom);
  return button;
}

bool ChooseFont(fw::TFont* Font) {
  if (!workspace::SelectFont(Font)) return false;
  Font->SetSize(std::clamp(Font->Size(), kMinFontSize, kMaxFontSize));
  return true;
}

void BindMemoKeys(fw::TMemo* Memo, cs::TCsButton* Cancel, bool SelectAll) {
  Memo->OnKeyDown = [Memo, Cancel, SelectAll](fw::TObject*, fw::Word& Key, fw::TShiftState Shift) {
    if (Key == win::VK_ESCAPE && Shift.Empty()) {
      Key = 0;
      Cancel->Click();
    } else if (SelectAll && Key == 'A' && Shift == fw::TShiftState{fw::ssCtrl}) {
      Key = 0;
      Memo->SelectAll();
    }
  };
}

void BindRefusableOk(fw::TCustomForm* Form, cs::TCsButton* Ok, std::function<void()> Apply) {
  Ok->OnClick = [Form, Apply = std::move(Apply)](fw::TObject*) {
    try {
      Apply();
    } catch (const std::exception& e) {
      Form->SetModalResult(fw::mrNone);
      fw::Application->ShowException(e);
    }
  };
}

void BindCtrlEnter(fw::TCustomForm* Form, cs::TCsButton* Ok) {
  Form->OnKeyDown = [Ok](fw::TObject*, fw::Word& Key, fw::TShiftState Shift) {
    if (Key == win::VK_RETURN && Shift == fw::TShiftState{fw::ssCtrl}) {
      Key = 0;
      Ok->Click();
    }
  };
}

}  // namespace kvforms
