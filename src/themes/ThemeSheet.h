#pragma once
// A sheet of every element a theme paints, in its main states, one column per theme: a reader
// sees a theme at a glance, and a test sees every painting operation run.

#include <string>
#include <vector>

namespace fw {
class TBitmap;
}

namespace themes {

// Draws the sheet of the named (registered) themes into Target, which it sizes. Each theme is
// acquired for the drawing and released after.
void DrawThemeSheet(fw::TBitmap* Target, const std::vector<std::string>& ThemeNames);

}  // namespace themes
