#pragma once
// Registers the wide classes (the combo box, menu items, actions) with the framework's class
// registry and their published wide properties with the component streams. Called once from
// the start-up list; calling it again does nothing.

namespace cs {

void RegisterUnicodeControls();

}  // namespace cs
