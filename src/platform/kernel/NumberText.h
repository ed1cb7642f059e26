#pragma once
// The one place where numbers become text and text becomes numbers, for every layer.

#include <string>
#include <string_view>

#include "platform/kernel/Extended.h"

namespace win {

// General number text: 15 significant digits rounded half away from zero, trailing zeros
// dropped, no thousands separators. With the value written as 0.d1d2... x 10^e, fixed notation
// is used for -3 <= e <= 15, otherwise "d1<sep>d2...E<exp>" with "-" only for a negative
// exponent and no leading zeros. Zero is "0"; NaN and infinities are "NAN", "INF" and "-INF".
std::string FloatToGeneralText(Extended value, char separator);
// The same text appended to `out` (no text of its own is made: for long runs of numbers).
void AppendGeneralText(std::string& out, Extended value, char separator);

// Strict reading: optional blanks (spaces, tabs) around, an optional sign, digits with at most
// one `separator`, an optional exponent ("E" or "e", optional sign, digits). Anything else,
// empty text, and values outside the range of Extended are refused (false, `out` unchanged).
bool TryTextToFloat(std::string_view text, char separator, Extended& out);

}  // namespace win
