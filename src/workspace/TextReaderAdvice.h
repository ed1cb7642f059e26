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

// TooFewPointsMsg with why: the number of lines that could not be read as two numbers
// (SkippedLines, past the header lines, blank ones not counted) when there are any; and when
// Sample (the text, or its first TooFewPointsSampleSize bytes) gives two points or more with the
// other decimal separator (after a decimal point also with commas between the fields) or with the
// usual delimiters the settings lack, also what was found and the keys of the settings file that
// make such data read (read at the next start: the file is read when the program starts).
// An empty Sample, or one holding zero bytes (no text), is said as such.
String TooFewPointsMessage(std::string_view Sample, const TTextReaderSettings& Settings, std::size_t SkippedLines);

// The opposite case, data that did read but likely wrongly: when the settings' decimal separator
// is the other one and that other one delimits, lines of decimal commas ("0,0100\t0,12882") split
// into more than two numbers and read as (0, 100). Empty unless most lines of Sample (the start
// of the text, TooFewPointsSampleSize bytes) split into more than two numbers under Settings and
// into exactly two with the other decimal separator; else what was found and the lines of the
// settings file that read such data.
String MisreadSeparatorAdvice(std::string_view Sample, const TTextReaderSettings& Settings);
// True when MisreadSeparatorAdvice may say anything under Settings (the other decimal separator
// is one of the delimiters): the start of the text need not be read otherwise.
bool MisreadSeparatorPossible(const TTextReaderSettings& Settings);

}  // namespace workspace
