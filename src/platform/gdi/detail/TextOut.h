#pragma once
// Painting one run of text on a DC: the common end of ExtTextOut and DrawText.

#include <string_view>

#include "platform/gdi/GdiTypes.h"

namespace win::gdi {

class FontFace;
struct DCObj;

struct TextRun {
  int x = 0;                      // reference point, logical units
  int y = 0;
  UINT align = TA_LEFT | TA_TOP;  // horizontal and vertical TA_ flags
  UINT options = 0;               // ETO_OPAQUE, ETO_CLIPPED (with `rect`)
  const RECT* rect = nullptr;
  std::u16string_view text;
  const int* offsets = nullptr;   // start of each character from the run's start
  int width = 0;                  // advance of the whole run
  bool glyphs = true;             // false: only the marked character's underline is drawn
  int marked = -1;                // character underlined on its own (the "&" prefix), or -1
  int markedWidth = 0;
};

// Paints `run` in the DC's text colour, over a cell in the background colour when the
// background mode is OPAQUE, rotated by the face's escapement about the reference point, with
// the face's underline and strike-out. False when the DC has nothing to paint on.
bool PaintTextRun(DCObj& dc, const FontFace& face, const TextRun& run);

// Where a run of `width` starts along the baseline, and where its baseline lies below the
// reference point, for the TA_ flags of `align`.
int RunStartX(UINT align, int width);
int RunBaselineY(UINT align, const TEXTMETRICW& tm);

}  // namespace win::gdi
