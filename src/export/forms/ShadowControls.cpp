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

// The colour button, size and transparency edits with their gaps.
constexpr fw::Integer kShadowToolsWidth = 50 + 4 + 46 + 4 + 48;

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
  // The radios, the colour button (BindShadowColour), size and transparency in a row at their
  // measured widths; where the row does not fit the group, the radios stand one above the other.
  shadow.Simple = MakeRadioButton(shadow.Group, "itShadowSimple", "Обычная тень", {6, 16, 80, 17});
  shadow.Smooth = MakeRadioButton(shadow.Group, "itShadowSmooth", "Тень со спадом", {6, 16, 84, 17});
  shadow.Smooth->SetLeft(RightOf(shadow.Simple) + 8);
  fw::Integer top = 14;
  if (RightOf(shadow.Smooth) + 8 + kShadowToolsWidth + 6 > At.Width) {
    shadow.Simple->SetTop(14);
    shadow.Smooth->SetBounds(6, 32, shadow.Smooth->Width(), shadow.Smooth->Height());
    top = 20;
  }
  const fw::Integer left = std::max(RightOf(shadow.Simple), RightOf(shadow.Smooth)) + 8;
  shadow.Size = MakeSpinEdit(shadow.Group, "seShadowSize", 0, 100, {left + 54, top, 46, 21});
  shadow.Transparency = MakeSpinEdit(shadow.Group, "seShadowTransp", 0, 255, {left + 104, top, 48, 21});
  GrowToChildren(shadow.Group, 6);
  return shadow;
}

void BindShadowColour(TShadowControls& Shadow, std::string_view Name) {
  Shadow.ColorButton = MakeColorButton(Shadow.Group, Name, {Shadow.Size->Left() - 54, Shadow.Size->Top(), 50, 21},
                                       [&Shadow](fw::TColor Value) { Shadow.Color = Value; });
  Shadow.ColorButton->SetSelectedColor(Shadow.Color);
}

}  // namespace kvforms
