#pragma once
// The themes of this library, registered by explicit calls in one fixed order (after "Default",
// which the current-theme unit registers); the theme menu lists them sorted by name, "Default"
// first. A static library drops a unit nothing refers to, so no theme registers itself.

namespace themes {

// Registers every theme once; later calls do nothing.
void RegisterThemes();

}  // namespace themes
