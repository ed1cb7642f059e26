#pragma once
// The shadow controls the title and legend dialogs share: plain or fading shadow, colour
// button, size and transparency spins, bound two ways to a chart element's shadow. The colour
// is edited in the framework's colour dialog and held by the binding until it is written.

#include <string_view>

#include "export/forms/DialogControls.h"
#include "framework/Colors.h"

namespace chart {
class TPlotShadow;
}
namespace cs {
class TCsColorButton;
class TCsGroupBox;
class TCsRadioButton;
class TCsSpinEdit;
}  // namespace cs

namespace kvforms {

struct TShadowControls {
  cs::TCsGroupBox* Group = nullptr;
  cs::TCsRadioButton* Simple = nullptr;
  cs::TCsRadioButton* Smooth = nullptr;
  cs::TCsColorButton* ColorButton = nullptr;
  cs::TCsSpinEdit* Size = nullptr;          // 0 to 100 pixels
  cs::TCsSpinEdit* Transparency = nullptr;  // 0 to 255
  fw::TColor Color = fw::clGray;
  // The size shown when the controls were last loaded: a size left as it was keeps the
  // shadow's own horizontal and vertical offsets.
  fw::Integer LoadedSize = 0;
};

// ToControls: shadow to controls (the size is the larger offset, without its sign); else
// controls to shadow. A changed size sets both offsets to it, each keeping its direction.
void SyncShadowToolbar(TShadowControls& Controls, chart::TPlotShadow& Shadow, bool ToControls);

// The shadow group box "Тень" at At, at least 334 pixels wide.
TShadowControls MakeShadowGroup(fw::TWinControl* Parent, TBox At);
// The group's colour button, named Name, choosing Shadow's held colour.
// Shadow must stay where it is while the button lives.
void BindShadowColour(TShadowControls& Shadow, std::string_view Name);

}  // namespace kvforms
