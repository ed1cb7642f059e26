#pragma once
// The fixed table that maps the face names programs ask for to the font families we ship with.

#include <string_view>
#include <vector>

namespace win::gdi {

// The family used for a logical face name (compared without regard to ASCII case). The test face
// maps to itself; unknown and empty names map to DejaVu Sans.
std::u16string_view SubstituteFace(std::u16string_view requested);

bool IsTestFace(std::u16string_view requested);

// The face names the table knows, in table order (for font lists).
std::vector<std::u16string_view> SubstitutionFaceNames();

}  // namespace win::gdi
