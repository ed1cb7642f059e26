#pragma once
// Font objects behind HFONT handles, as the rest of the drawing layer sees them.

#include <memory>

#include "platform/gdi/GdiTypes.h"

namespace win::gdi {

class FontFace;
struct DCObj;

// The LOGFONTW of a stock font (OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT,
// DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT); false for any other index. The
// stock table makes its font objects from these.
bool StockFontLogFont(int stockIndex, LOGFONTW* out);

// The face of a font handle; null for a handle that is not a live font.
std::shared_ptr<const FontFace> FaceOfFont(HFONT font);

// The face text on `dc` is drawn and measured with: its selected font, or the system font when
// none (or no longer a valid one) is selected. Never null.
std::shared_ptr<const FontFace> SelectedFace(const DCObj& dc);

}  // namespace win::gdi
