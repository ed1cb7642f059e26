#include "export/forms/PenControls.h"

#include <algorithm>
#include <cmath>

#include "chart/PlotCanvas.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "workspace/Common.h"

#include <string>

namespace kvforms {

void TPenControls::SetColor(fw::TColor Value) {
  Color = Value;
  if (Swatch) Swatch->SetColor(Value);
  if (ColorButton) ColorButton->SetSelectedColor(Value);  // a colour it cannot show stays held
}

void SyncPenControls(TPenControls& Controls, chart::TChartPen& Pen, bool ToControls) {
  const fw::Integer styles = Controls.Style->Items()->Count();
  if (ToControls) {
    Controls.Visible->SetChecked(Pen.Visible());
    const auto style = static_cast<fw::Integer>(Pen.Style());
    Controls.Style->SetItemIndex(style < styles ? style : -1);
    Controls.Width->SetValue(Pen.Width());
    Controls.SetColor(Pen.Color());
    return;
  }
  Pen.SetVisible(Controls.Visible->Checked());
  const fw::Integer index = Controls.Style->ItemIndex();
  if (index >= 0 && index < styles) Pen.SetStyle(static_cast<fw::TPenStyle>(index));
  const fw::Extended width =
      std::clamp(std::round(Controls.Width->Value()), Controls.Width->MinValue(), Controls.Width->MaxValue());
  Pen.SetWidth(static_cast<fw::Integer>(width));
  Pen.SetColor(Controls.Color);
}

TPenControls MakePenGroup(fw::TWinControl* Parent, const char* Name, const char* Caption, TBox At) {
  auto* box = MakeGroupBox(Parent, Name, "", At);
  const std::string name(Name);
  TPenControls pen;
  pen.Visible = MakeCheckBox(box, name + "Visible", Caption, {6, 2, At.Width - 12, 17});
  pen.Style = MakeDropDownList(box, name + "Style",
                               {"Сплошная", "Штриховая", "Пунктирная", "Штрих-пунктирная", "Штрих-пунктир-пунктирная"},
                               {6, 22, 110, 21});
  pen.Width = MakeSpinEdit(box, name + "Width", 10, {120, 22, 40, 21});
  pen.Width->SetMinValue(1);
  pen.Swatch = new cs::TCsPanel(box);
  pen.Swatch->SetParent(box);
  pen.Swatch->SetBounds(6, 46, 30, 19);
  return pen;
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
