#pragma once
// PNG pictures of bitmaps, for tests and for inspecting what the drawing layer produced.

#include <string>

#include "platform/gdi/GdiTypes.h"

namespace win {

// Saves `hbm` (or the part of it inside `part`, clipped to the bitmap) as a PNG file, written to a
// temporary name and renamed. False, with a reason in *error, on a bad handle, an empty part or a
// failed write.
bool SaveBitmapAsPng(HBITMAP hbm, const std::string& path, const RECT* part = nullptr,
                     std::string* error = nullptr);

}  // namespace win
