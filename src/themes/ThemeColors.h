#pragma once
// Colour-table steps the themes share: the contrast step of their tables, the snap to the
// colours the screen shows, and the state tables of the themes painted in the system's own
// colours.

#include "themes/ThemeStates.h"

namespace themes {

// Color made to stand out against Background by Threshold (EnsureContrast), returned.
fw::TColor ContrastEnsured(fw::TColor Color, fw::TColor Background, fw::Integer Threshold);

// Miranda's and Zezio's tables: eight button states and four menu-line states built from the
// face, window, highlight and grey-text colours, with Accent as the highlight of pushed, checked
// and popup-parent buttons. Buttons against ToolbarColor, menu lines against PopupColor; DisabledText is the text of a
// disabled, keyboard-hot button. Colours are as computed, not yet snapped to the screen.
void BuildSystemColorTable(fw::TColor Accent, fw::TColor ToolbarColor, fw::TColor PopupColor,
                           fw::TColor DisabledText, TPartColors (&Buttons)[8], TPartColors (&MenuLines)[4]);

// The nearest colour the screen shows (system colours resolved; clNone stays).
fw::TColor NearestScreenColor(fw::TColor Color);
void SnapToScreen(TPartColors& Colors);

}  // namespace themes
