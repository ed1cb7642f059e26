#pragma once
// A drop-down button showing the selected colour as a grey-framed bar; its menu is the colour
// pickers' menu ("Авто", the colour grid, "Выбрать...").

#include "controls/CsColorItems.h"
#include "controls/CsMenuButton.h"

namespace cs {

class TCsColorButton : public TCsMenuButton, public TCsColorPickerBase {
 public:
  // "Авто" shown, no separators.
  explicit TCsColorButton(fw::TComponent* AOwner);

  // clDefault after construction. An unpickable value is refused (nothing changes).
  fw::TColor SelectedColor() const { return PickedColor(); }
  void SetSelectedColor(fw::TColor Value) { StoreColor(Value); }

  void SetPickedColor(fw::TColor Value) override { SetSelectedColor(Value); }
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  void MenuPopup() override;
  void RepaintFace() override { Invalidate(); }
};

}  // namespace cs
