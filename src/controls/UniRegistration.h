#pragma once
// Registers the wide classes (the combo box, menu items, actions) and the spin edit with the
// framework's class registry and their published properties with the component streams. Called once from
// the start-up list; calling it again does nothing.

namespace cs {

void RegisterUnicodeControls();

}  // namespace cs
