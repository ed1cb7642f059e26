#pragma once
// The themes of this library, registered by explicit calls in the order the theme menu lists
// them (after "Default", which the current-theme unit registers). A static library drops a unit
// nothing refers to, so no theme registers itself.

namespace themes {

// Registers every theme once; later calls do nothing.
void RegisterThemes();

}  // namespace themes
