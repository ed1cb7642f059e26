#pragma once
// Item trees in component streams: the item classes of the toolbar framework and the toolbar
// itself are registered with their published properties. An item is written as a child of its
// parent item (a toolbar writes its root item's children), and a property an action link supplies
// is left to the link. An OnClick handler is written by name when it is one the form publishes
// (fw::RegisterMethods); a handler made in code otherwise names no code and is left out.

#include <vector>

#include "framework/PropInfo.h"

namespace toolbars {

// Registers the framework's item classes, the toolbar and their property tables (once).
void RegisterToolbarStreaming();

// The properties a button-like item publishes (Action, AutoCheck, Caption, Checked, DisplayMode,
// Enabled, GroupIndex, HelpContext, Hint, ImageIndex, Images, InheritOptions, MaskOptions,
// Options, ShortCut, Visible, OnClick), each linked one stored only when no action link supplies it; for
// the item classes of the layers above.
std::vector<fw::TPropInfo> ButtonItemProperties();

}  // namespace toolbars
