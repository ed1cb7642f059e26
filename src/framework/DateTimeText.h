#pragma once
// Date-time values (days since 30 December 1899, the fraction being the time of day) as text in
// the process's regional formats.

#include <string_view>

#include "framework/ClassesTypes.h"

namespace fw {

// The value in Windows picture notation: d dd ddd dddd (day, names), M MM MMM MMMM (month,
// names), y yy yyyy (year), h hh (12-hour), H HH (24-hour), m mm, s ss, t tt (A/P, AM/PM), text in
// single quotes as it is ('' is a quote); other characters are copied. The time is rounded to the
// millisecond (a time that rounds up to 24:00 is midnight of the next day) and shown in whole
// seconds.
String FormatDateTimeText(std::string_view Picture, double Value);

// The standard date-time text: the regional short date, then a blank and the regional long time
// unless hours, minutes and seconds are all zero. Values outside the years 1 to 9999 and NaN or infinities,
// which have no date, become the general number text with Separator.
String DateTimeToGeneralText(double Value, char Separator);
// DateTimeToGeneralText with the regional decimal separator.
String DateTimeToStr(double Value);
// The value's time of day in the regional long time format.
String TimeToStr(double Value);

// Reads a date, a time, or a date, a blank and a time, in the regional formats: day, month and
// year in the order of the short date format, split by the date separator (a year of one or two
// digits is one of 2000 to 2099); hours, minutes and optional seconds split by the time
// separator, with an optional AM or PM after a blank. A date that does not exist (the 31st of
// February), a year outside 1 to 9999 or any other text gives false and leaves Value alone.
bool TryStrToDateTime(std::string_view Text, double& Value);
// TryStrToDateTime, else EConvertError "'<Text>' is not a valid date and time".
double StrToDateTime(std::string_view Text);

}  // namespace fw
