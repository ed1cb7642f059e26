#pragma once
// The gradient dialog: one chart gradient (the panel's back, a title's or the legend's). Apply
// writes the controls into it; Cancel reads back the snapshot taken when the dialog opened.

#include <memory>

#include "framework/Colors.h"
#include "framework/Forms.h"

namespace chart {
class TPlotGradient;
}
namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsComboBox;
class TCsPanel;
class TCsSpinEdit;
class TCsColorButton;
}  // namespace cs
namespace workspace {
class TPropSaver;
}

namespace kvforms {

class TwndGradient : public fw::TForm {
 public:
  TwndGradient(fw::TComponent* AOwner, chart::TPlotGradient& Gradient);
  ~TwndGradient() override;

  void Apply();
  // The gradient as it was when the dialog opened.
  void Restore();
  // The colour of one of the three items, shown on its palette.
  void SetStartColor(fw::TColor Value);
  void SetMidColor(fw::TColor Value);
  void SetEndColor(fw::TColor Value);
  // "Нет среднего": the middle item is enabled and its swatch shown exactly when unchecked.
  void UpdateMid();
  // Exchanges the start and end colours.
  void Swap();

  cs::TCsCheckBox* cbVisible = nullptr;
  // Its item index is the direction.
  cs::TCsComboBox* cbxDirection = nullptr;
  cs::TCsButton* itStart = nullptr;
  cs::TCsColorButton* palStart = nullptr;
  cs::TCsButton* itMid = nullptr;
  cs::TCsColorButton* palMid = nullptr;
  cs::TCsCheckBox* itMidDisabled = nullptr;
  cs::TCsButton* itEnd = nullptr;
  cs::TCsColorButton* palEnd = nullptr;
  cs::TCsButton* itSwap = nullptr;
  cs::TCsSpinEdit* seBalance = nullptr;
  cs::TCsSpinEdit* seRadialX = nullptr;
  cs::TCsSpinEdit* seRadialY = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butCancel = nullptr;
  cs::TCsButton* butApply = nullptr;
  // Held until Apply.
  fw::TColor StartColor = fw::clWhite;
  fw::TColor MidColor = fw::clWhite;
  fw::TColor EndColor = fw::clWhite;

 private:
  chart::TPlotGradient& FGradient;
  std::unique_ptr<workspace::TPropSaver> FSnapshot;
};

// Shows the dialog modally on Gradient and answers the modal result; any end but OK restores
// the gradient. Freeing Holder (the element or chart owning the gradient) while the dialog is
// open closes it as cancelled, the gradient untouched.
fw::Integer ShowGradientDialog(chart::TPlotGradient& Gradient, fw::TComponent* Holder = nullptr);

}  // namespace kvforms
