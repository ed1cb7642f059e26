#include "export/forms/ShadowControls.h"

#include <algorithm>
#include <cstdlib>

#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "workspace/Common.h"

namespace kvforms {
namespace {

// Offset with the direction of Old (a zero offset points right or down).
fw::Integer Directed(fw::Integer Old, fw::Integer Size) { return Old < 0 ? -Size : Size; }

}  // namespace

void SyncShadowToolbar(TShadowControls& Controls, chart::TPlotShadow& Shadow, bool ToControls) {
  if (ToControls) {
    Controls.Simple->SetChecked(!Shadow.Smooth);
    Controls.Smooth->SetChecked(Shadow.Smooth);
    Controls.Color = Shadow.Color;
    if (Controls.ColorButton) Controls.ColorButton->SetSelectedColor(Shadow.Color);
    Controls.Size->SetValue(std::max(std::abs(Shadow.HorizSize), std::abs(Shadow.VertSize)));
    Controls.LoadedSize = SpinInt(Controls.Size);
    Controls.Transparency->SetValue(Shadow.Transparency);
    return;
  }
  Shadow.Smooth = Controls.Smooth->Checked();
  Shadow.Color = Controls.Color;
  const fw::Integer size = SpinInt(Controls.Size);
  if (size != Controls.LoadedSize) {
    Shadow.HorizSize = Directed(Shadow.HorizSize, size);
    Shadow.VertSize = Directed(Shadow.VertSize, size);
    Controls.LoadedSize = size;
  }
  Shadow.Transparency = SpinInt(Controls.Transparency);
}

TShadowControls MakeShadowGroup(fw::TWinControl* Parent, TBox At) {
  TShadowControls shadow;
  shadow.Group = MakeGroupBox(Parent, "gbxShadow", "Тень", At);
  shadow.Simple = MakeRadioButton(shadow.Group, "itShadowSimple", "Обычная тень", {6, 16, 80, 17});
  shadow.Smooth = MakeRadioButton(shadow.Group, "itShadowSmooth", "Тень со спадом", {88, 16, 84, 17});
  shadow.Size = MakeSpinEdit(shadow.Group, "seShadowSize", 0, 100, {230, 14, 46, 21});
  shadow.Transparency = MakeSpinEdit(shadow.Group, "seShadowTransp", 0, 255, {280, 14, 48, 21});
  return shadow;
}

void BindShadowColour(TShadowControls& Shadow, std::string_view Name) {
  Shadow.ColorButton = MakeColorButton(Shadow.Group, Name, {176, 14, 50, 21},
                                       [&Shadow](fw::TColor Value) { Shadow.Color = Value; });
  Shadow.ColorButton->SetSelectedColor(Shadow.Color);
}

}  // namespace kvforms
