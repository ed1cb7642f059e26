#pragma once
// The theme submenu of the main window: one item a registered theme, in registration order, the
// current one checked. Choosing an item makes its theme current, which repaints every themed
// window at once, and tells Chosen. Kept on its own so that a fuller theme menu replaces it here.

#include <functional>

#include "framework/ClassesTypes.h"

namespace fw {
class TComponent;
}
namespace toolbars {
class TTBCustomItem;
}

namespace workspace {

inline constexpr const char* ThemeMenuCaption = "Тема оформления";

toolbars::TTBCustomItem* AddThemeMenu(toolbars::TTBCustomItem* Parent, fw::TComponent* Owner,
                                      std::function<void(const fw::String& Theme)> Chosen);
// Checks the current theme's item (after a switch made elsewhere).
void CheckCurrentTheme(toolbars::TTBCustomItem* ThemeMenu);

}  // namespace workspace
