#pragma once
// Why a text gave the two-column reader too few points, said so that a user can act on it:
// a file written with a decimal point (or separated by commas) does not read with the default
// decimal comma, and no window changes that, only the settings file does.

#include <cstddef>
#include <string_view>

#include "workspace/TextReader.h"

namespace workspace {

// How much of a text the message looks at: the start of a large file tells as much as all of it.
inline constexpr std::size_t TooFewPointsSampleSize = std::size_t(64) << 10;

// TooFewPointsMsg; when Sample (the text, or its first TooFewPointsSampleSize bytes) gives two
// points or more with the other decimal separator (after a decimal point also with commas between
// the fields) or with the usual delimiters the settings lack, also what was found and the keys of
// the settings file that make such data read.
String TooFewPointsMessage(std::string_view Sample, const TTextReaderSettings& Settings);

}  // namespace workspace
