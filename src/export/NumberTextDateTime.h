#pragma once
// Date-time values (days since 30 December 1899, the fraction being the time of day) as text in
// the process's regional formats.

#include <string_view>

#include "framework/ClassesTypes.h"

namespace kvexport {

// The value in Windows picture notation: d dd ddd dddd (day, names), M MM MMM MMMM (month,
// names), y yy yyyy (year), h hh (12-hour), H HH (24-hour), m mm, s ss, t tt (A/P, AM/PM), text in
// single quotes as it is ('' is a quote); other characters are copied. The time is rounded to the
// millisecond (a time that rounds up to 24:00 is midnight of the next day) and shown in whole
// seconds.
fw::String FormatDateTimeText(std::string_view Picture, double Value);

// The standard date-time text: the regional short date, then a blank and the regional long time
// unless hours, minutes and seconds are all zero. Values outside the years 1 to 9999 and NaN or infinities,
// which have no date, become the general number text with Separator.
fw::String DateTimeToGeneralText(double Value, char Separator);

}  // namespace kvexport
