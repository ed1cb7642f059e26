#pragma once
// The place of the main window's toolbars kept in the settings, section "TOOLBARS": one line a
// toolbar, keyed by its component name, "visible;floating;dock;row;position;left;top;width"
// (dock 0 top, 1 bottom, 2 left, 3 right; left and top the floating frame's screen place;
// width the floating width, 0 for the toolbar's own). Reading is forgiving: a line that cannot
// be used (damaged, naming a dock the toolbar may not go to, floating off every monitor) leaves
// that toolbar where it was made, a line for a toolbar that no longer exists is skipped, and
// everything else is taken.

#include <vector>

#include "toolbars/TBDock.h"

namespace toolbars {
class TTBCustomDockableWindow;
}

namespace workspace {

class TPropSaver;

inline constexpr const char* ToolbarsSection = "TOOLBARS";

// Writes each window's present place over its line; every other line of the section stays
// byte for byte. The store's current section is kept.
void SaveToolbarLayout(TPropSaver& Store, const std::vector<toolbars::TTBCustomDockableWindow*>& Windows);
// Docks are indexed by their TTBDockPosition. Returns the number of windows placed.
int LoadToolbarLayout(TPropSaver& Store, const std::vector<toolbars::TTBCustomDockableWindow*>& Windows,
                      const std::vector<toolbars::TTBDock*>& Docks);

}  // namespace workspace
