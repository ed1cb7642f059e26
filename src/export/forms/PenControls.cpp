#include "export/forms/PenControls.h"

#include <algorithm>
#include <cmath>

#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "workspace/Common.h"

namespace kvforms {

void TPenControls::SetColor(fw::TColor Value) {
  Color = Value;
  if (Swatch) Swatch->SetColor(Value);
}

void TPenControls::ChooseColor() { SetColor(workspace::SelectColor(Color)); }

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

}  // namespace kvforms
