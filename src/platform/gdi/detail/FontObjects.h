#pragma once
// Font objects behind HFONT handles, as the rest of the drawing layer sees them.

#include <memory>

#include "platform/gdi/GdiTypes.h"

namespace win::gdi {

class FontFace;
struct DCObj;

// The face of a font handle; null for a handle that is not a live font.
std::shared_ptr<const FontFace> FaceOfFont(HFONT font);

// The face text on `dc` is drawn and measured with: its selected font, or the default logical
// font when the selected one is no longer valid. Never null.
std::shared_ptr<const FontFace> SelectedFace(const DCObj& dc);

}  // namespace win::gdi
