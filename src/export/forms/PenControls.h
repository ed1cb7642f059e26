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
class TCsPenButton;
class TCsPanel;
class TCsSpinEdit;
}  // namespace cs

namespace kvforms {

struct TPenControls {
  cs::TCsCheckBox* Visible = nullptr;
  // The control set's pen-style button: its menu offers solid, dash, dot, dash-dot,
  // dash-dot-dot and clear; it holds an inside-frame style it was given.
  cs::TCsPenButton* Style = nullptr;
  cs::TCsSpinEdit* Width = nullptr;
  cs::TCsColorButton* ColorButton = nullptr;
  cs::TCsPanel* Swatch = nullptr;
  fw::TColor Color = fw::clBlack;

  // The held colour, also shown on the swatch or the colour button.
  void SetColor(fw::TColor Value);
};

// ToControls: pen to controls; else controls to pen, the width clamped to the spin's range.
// Check box = Visible, pen-style button = Style, spin edit = Width, colour button = Color.
void SyncPenControls(TPenControls& Controls, chart::TChartPen& Pen, bool ToControls);
// The binding of a pen group made by MakePenGroup (the axis and legend dialogs' groups: visible
// box, style, width and colour in a group box): the same two-way binding as SyncPenControls.
void SyncPenToolbar(TPenControls& Group, chart::TChartPen& Pen, bool ToControls);

// A pen group box at At: visible box with Caption, pen-style button, width spin (1 to 10) and
// swatch.
TPenControls MakePenGroup(fw::TWinControl* Parent, const char* Name, const char* Caption, TBox At);
// A pen-style button named Name in Parent at At.
cs::TCsPenButton* MakePenStyleButton(fw::TWinControl* Parent, std::string_view Name, TBox At);
// The group's colour button in the swatch's place (the swatch goes), choosing Pen's held
// colour. Pen must stay where it is while the button lives.
void BindPenColour(TPenControls& Pen, const char* Name);

}  // namespace kvforms
