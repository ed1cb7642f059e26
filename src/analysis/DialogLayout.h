#pragma once
// Placement of dialog controls in dialog units (a quarter of the average character width across,
// an eighth of the character height down) for the analysis dialogs built in code.

#include "framework/Controls.h"

namespace analysis {

struct TDialogLayout {
  // The dialog font's average character is 6 by 13 pixels.
  static constexpr int BaseX = 6;
  static constexpr int BaseY = 13;
  static int X(int Units) { return Units * BaseX / 4; }
  static int Y(int Units) { return Units * BaseY / 8; }

  static void Place(fw::TControl* Control, fw::TWinControl* Parent, int Left, int Top, int Width, int Height) {
    Control->SetParent(Parent);
    Control->SetBounds(X(Left), Y(Top), X(Width), Y(Height));
  }
  // The client area of a dialog Width by Height units.
  static void SizeClient(fw::TWinControl* Form, int Width, int Height) {
    Form->SetClientWidth(X(Width));
    Form->SetClientHeight(Y(Height));
  }
};

}  // namespace analysis
