#pragma once
// How a control-set control paints: the classic system look, the system's visual styles, or the
// current toolbar theme; and the rule that turns the requested type into the one really used.

#include <functional>
#include <string>

namespace cs {

enum TCsThemeType { thtNone, thtWindows, thtTx };
enum TCsPaintStage { pstPrePaint, pstPostPaint };

// thtTx under the theme named exactly "Default" paints as thtWindows; thtWindows without
// visual styles paints as thtNone.
TCsThemeType GetEffectiveThemeType(TCsThemeType ThemeType);

// True when the visual-style binding is on and the styles are active.
bool IsVisualStylesAvailable();

// Seam to the themed engine: the current theme's name and whether visual styles are available.
// It holds the engine's answers (the theme "Default" before the engine starts); tests replace
// them and restore the previous ones.
struct TCsThemeState {
  std::function<std::string()> CurrentThemeName;
  std::function<bool()> VisualStylesAvailable;
};
TCsThemeState SetThemeState(TCsThemeState State);

}  // namespace cs
