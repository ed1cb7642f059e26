#pragma once
// The title dialog's gradient button shows a colour ramp instead of a caption: a red and blue
// mix whose green rises from left to right, or a silver area while the button is disabled.

#include "framework/Colors.h"
#include "framework/GraphicsTypes.h"

namespace fw {
class TCanvas;
}
namespace cs {
class TCsButton;
}

namespace kvforms {

// The ramp's colour in pixel column X of a ramp Width columns wide: red 100, blue 127, green
// from 0 at the left edge to 255 at the right one.
fw::TColor GradientRampColor(fw::Integer X, fw::Integer Width);
// The ramp over R from 2 pixels below its top to 2 above its bottom, one vertical line per
// column; silver over the same area when not Enabled.
void PaintGradientRamp(fw::TCanvas* Canvas, const fw::TRect& R, bool Enabled);
// Button paints the ramp over its caption area from now on (its caption goes).
void ShowGradientRamp(cs::TCsButton* Button);

}  // namespace kvforms
