#pragma once
// Text measuring for controls that size or lay out by their caption, on a screen DC so that it
// works before any window exists.

#include "framework/GraphicsTypes.h"

namespace fw {

class TFont;

// The rectangle DrawTextW takes for Text in Font with Flags; a word-wrapping text is broken at
// Width.
TSize MeasureControlText(TFont* Font, const String& Text, win::UINT Flags, Integer Width);

}  // namespace fw
