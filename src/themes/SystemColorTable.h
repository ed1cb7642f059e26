#pragma once
// The state tables of the themes painted in the system's own colours (Miranda and Zezio): eight
// button states and four menu-line states built from the face, window, highlight and grey-text
// colours, with Accent as the highlight of pushed, checked and popup-parent buttons.

#include "themes/ThemeStates.h"

namespace themes {

// Buttons against ToolbarColor, menu lines against PopupColor; DisabledText is the text of a
// disabled, keyboard-hot button. Colours are as computed, not yet snapped to the screen.
void BuildSystemColorTable(fw::TColor Accent, fw::TColor ToolbarColor, fw::TColor PopupColor,
                           fw::TColor DisabledText, TPartColors (&Buttons)[8], TPartColors (&MenuLines)[4]);

// The nearest colour the screen shows (system colours resolved; clNone stays).
fw::TColor NearestScreenColor(fw::TColor Color);
void SnapToScreen(TPartColors& Colors);

}  // namespace themes
