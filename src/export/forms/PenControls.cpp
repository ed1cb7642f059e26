#include "export/forms/PenControls.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "chart/PlotCanvas.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/CsPenButton.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "workspace/Common.h"

namespace kvforms {

void TPenControls::SetColor(fw::TColor Value) {
  Color = Value;
  if (Swatch) Swatch->SetColor(Value);
  if (ColorButton) ColorButton->SetSelectedColor(Value);  // a colour it cannot show stays held
}

void SyncPenControls(TPenControls& Controls, chart::TChartPen& Pen, bool ToControls) {
  if (ToControls) {
    Controls.Visible->SetChecked(Pen.Visible());
    Controls.Style->SetSelectedStyle(Pen.Style());
    Controls.Width->SetValue(Pen.Width());
    Controls.SetColor(Pen.Color());
    return;
  }
  Pen.SetVisible(Controls.Visible->Checked());
  Pen.SetStyle(Controls.Style->SelectedStyle());
  const fw::Extended width =
      std::clamp(std::round(Controls.Width->Value()), Controls.Width->MinValue(), Controls.Width->MaxValue());
  Pen.SetWidth(static_cast<fw::Integer>(width));
  Pen.SetColor(Controls.Color);
}

void SyncPenToolbar(TPenControls& Group, chart::TChartPen& Pen, bool ToControls) {
  SyncPenControls(Group, Pen, ToControls);
}

TPenControls MakePenGroup(fw::TWinControl* Parent, const char* Name, const char* Caption, TBox At) {
  auto* box = MakeGroupBox(Parent, Name, "", At);
  const std::string name(Name);
  TPenControls pen;
  pen.Visible = MakeCheckBox(box, name + "Visible", Caption, {6, 2, At.Width - 12, 17});
  pen.Style = MakePenStyleButton(box, name + "Style", {6, 22, 110, 21});
  pen.Width = MakeSpinEdit(box, name + "Width", 10, {120, 22, 40, 21});
  pen.Width->SetMinValue(1);
  pen.Swatch = new cs::TCsPanel(box);
  pen.Swatch->SetParent(box);
  pen.Swatch->SetBounds(6, 46, 30, 19);
  return pen;
}

cs::TCsPenButton* MakePenStyleButton(fw::TWinControl* Parent, std::string_view Name, TBox At) {
  auto* button = new cs::TCsPenButton(Parent);
  button->SetParent(Parent);
  button->SetName(fw::String(Name));
  button->SetBounds(At.Left, At.Top, At.Width, At.Height);
  return button;
}

void BindPenColour(TPenControls& Pen, const char* Name) {
  fw::TWinControl* box = Pen.Visible->Parent();
  delete Pen.Swatch;
  Pen.Swatch = nullptr;
  Pen.ColorButton =
      MakeColorButton(box, Name, {6, 46, 60, 21}, [&Pen](fw::TColor Value) { Pen.Color = Value; });
  Pen.ColorButton->SetSelectedColor(Pen.Color);
}

}  // namespace kvforms
