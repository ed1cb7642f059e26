#pragma once
// A drop-down button showing the selected colour as a grey-framed bar; its menu is the colour
// pickers' menu ("Авто", the colour grid, "Выбрать...").

#include "controls/CsColorItems.h"
#include "controls/CsMenuButton.h"

namespace cs {

class TCsColorButton : public TCsMenuButton, public ICsColorPicker {
 public:
  explicit TCsColorButton(fw::TComponent* AOwner);

  // clDefault after construction. An unpickable value is refused (nothing changes).
  fw::TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(fw::TColor Value);
  fw::TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(fw::TColor Value);
  // True after construction.
  bool DefaultVisible() const { return FDefaultVisible; }
  void SetDefaultVisible(bool Value) { FDefaultVisible = Value; }
  // False after construction.
  bool ShowSeparators() const { return FShowSeparators; }
  void SetShowSeparators(bool Value) { FShowSeparators = Value; }
  tx::TTxCustomColorSet* ColorSet() const { return FMenu.ColorSet(); }
  void SetColorSet(tx::TTxCustomColorSet* Value) { FMenu.SetColorSet(Value, FSelectedColor); }
  const TCsColorMenu& Menu() const { return FMenu; }

  fw::TNotifyEvent OnColorChange;

  void SetPickedColor(fw::TColor Value) override { SetSelectedColor(Value); }
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  void MenuPopup() override;

 private:
  fw::TColor FSelectedColor = fw::clDefault;
  fw::TColor FDefaultColor = fw::clDefault;
  bool FDefaultVisible = true;
  bool FShowSeparators = false;
  TCsColorMenu FMenu{this, this};
};

}  // namespace cs
