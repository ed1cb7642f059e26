#include "controls/CsThemeType.h"

#include <utility>

#include "tx/Tx.h"
#include "tx/TxUxThemes.h"

namespace cs {
namespace {

TCsThemeState& State() {
  // The themed engine's answers. Before the engine starts there is no current theme: the
  // controls then paint as under "Default", never through a theme that does not exist.
  static TCsThemeState state{[] {
                               std::string name = tx::GetCurrentThemeName();
                               return name.empty() ? std::string("Default") : name;
                             },
                             [] { return tx::IsUxThemeActive(); }};
  return state;
}

}  // namespace

TCsThemeState SetThemeState(TCsThemeState NewState) { return std::exchange(State(), std::move(NewState)); }

bool IsVisualStylesAvailable() { return State().VisualStylesAvailable && State().VisualStylesAvailable(); }

TCsThemeType GetEffectiveThemeType(TCsThemeType ThemeType) {
  if (ThemeType == thtTx && State().CurrentThemeName && State().CurrentThemeName() == "Default")
    ThemeType = thtWindows;
  if (ThemeType == thtWindows && !IsVisualStylesAvailable()) return thtNone;
  return ThemeType;
}

}  // namespace cs
