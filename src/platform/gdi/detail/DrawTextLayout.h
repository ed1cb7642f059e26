#pragma once
// DrawText's layout, apart from any device: line splitting, word breaking, tab expansion, the "&"
// prefix, ellipses and placement in the rectangle, all in whole logical units from a face's
// advances. DrawText paints what this returns.

#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/GdiTypes.h"

namespace win::gdi {

class FontFace;

struct DrawTextOptions {
  RECT rect{};
  UINT format = 0;     // DT_ flags; a DT_TABSTOP tab length must already be taken out
  int tabLength = 8;   // average character widths per tab stop
  int leftMargin = 0;
  int rightMargin = 0;
  int charExtra = 0;   // the DC's extra space after every character
};

struct LaidOutLine {
  std::u16string text;       // characters to draw: ampersands resolved, expanded tabs as blanks
  std::vector<int> offsets;  // start of each character, from x
  int width = 0;
  int x = 0;                 // left of the line's cell, logical units
  int y = 0;                 // top of the line's cell
  int prefix = -1;           // index of the character the "&" prefix underlines, or -1
  bool visible = true;       // false for a partly visible last line under DT_EDITCONTROL
};

struct DrawTextLayout {
  std::vector<LaidOutLine> lines;
  RECT textRect{};           // the rectangle DT_CALCRECT reports
  int height = 0;            // DrawText's result
  UINT lengthDrawn = 0;      // characters of the source text laid out in visible lines
  bool modified = false;     // an ellipsis changed the text (DT_MODIFYSTRING)
  std::u16string modifiedText;
};

DrawTextLayout LayOutDrawText(const FontFace& face, std::u16string_view text, const DrawTextOptions& options);

}  // namespace win::gdi
