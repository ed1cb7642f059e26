#pragma once
// The Qt GUI application object that fonts and glyph rendering need.

namespace win::gdi {

// Makes sure a QGuiApplication exists. The desktop presenter creates the real one before any
// text is drawn; tests and command-line tools get one on the "offscreen" platform, chosen through
// the application's own arguments. Returns false when another kind of Qt application object
// (one without GUI support) already exists, in which case no font can be loaded.
bool EnsureQtGui();

}  // namespace win::gdi
