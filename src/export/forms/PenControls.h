#pragma once
// The pen controls the format dialogs share: visible box, style list, width spin and colour
// button (a swatch until the colour button is bound), bound two ways to a chart pen. The colour
// is chosen on the control set's colour button and held by the binding until it is written.

#include "export/forms/DialogControls.h"
#include "framework/Colors.h"

namespace chart {
class TChartPen;
}
namespace fw {
class TWinControl;
}
namespace cs {
class TCsCheckBox;
class TCsColorButton;
class TCsComboBox;
class TCsPanel;
class TCsSpinEdit;
}  // namespace cs

namespace kvforms {

struct TPenControls {
  cs::TCsCheckBox* Visible = nullptr;
  cs::TCsComboBox* Style = nullptr;  // solid, dash, dot, dash-dot, dash-dot-dot
  cs::TCsSpinEdit* Width = nullptr;
  cs::TCsColorButton* ColorButton = nullptr;
  cs::TCsPanel* Swatch = nullptr;
  fw::TColor Color = fw::clBlack;

  // The held colour, also shown on the swatch or the colour button.
  void SetColor(fw::TColor Value);
};

// ToControls: pen to controls; else controls to pen, the width clamped to the spin's range and
// the style kept when the list shows none (a clear or inside-frame pen).
void SyncPenControls(TPenControls& Controls, chart::TChartPen& Pen, bool ToControls);

// A pen group box at At: visible box with Caption, style list, width spin (1 to 10) and swatch.
TPenControls MakePenGroup(fw::TWinControl* Parent, const char* Name, const char* Caption, TBox At);
// The group's colour button in the swatch's place (the swatch goes), choosing Pen's held
// colour. Pen must stay where it is while the button lives.
void BindPenColour(TPenControls& Pen, const char* Name);

}  // namespace kvforms
