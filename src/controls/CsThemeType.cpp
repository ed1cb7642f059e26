#include "controls/CsThemeType.h"

#include <utility>

namespace cs {
namespace {

TCsThemeState& State() {
  static TCsThemeState state{[] { return std::string("Default"); }, [] { return false; }};
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
