#include "framework/DateTimeText.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/SysUtils.h"

#include "platform/kernel/Locale.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

namespace fw {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day numbers of 1 January 0001 and 1 January 10000.
constexpr double kFirstDay = -693593;
constexpr double kPastLastDay = 2958466;

struct TDateParts {
  int Year, Month, Day, DayOfWeek;  // DayOfWeek 0 Monday .. 6 Sunday
  int Hour, Minute, Second;
};

TDateParts Decode(double Value) {
  // The integer part is the day whatever the sign; the fraction's size is the time of day.
  double dayPart = std::trunc(Value);
  std::int64_t ms = std::llround(std::fabs(Value - dayPart) * double(kMsPerDay));
  std::int64_t day = std::int64_t(dayPart);
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    ++day;
  }
  // Civil date from days since 1970-01-01 (proleptic Gregorian).
  const std::int64_t z = day - 25569 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  TDateParts p{};
  p.Day = int(doy - (153 * mp + 2) / 5 + 1);
  p.Month = int(mp < 10 ? mp + 3 : mp - 9);
  p.Year = int(yoe + era * 400 + (p.Month <= 2 ? 1 : 0));
  // 30 December 1899 was a Saturday.
  p.DayOfWeek = int(((day % 7) + 7 + 5) % 7);
  p.Hour = int(ms / 3600000);
  p.Minute = int(ms / 60000 % 60);
  p.Second = int(ms / 1000 % 60);
  return p;
}

String LocaleText(win::LCTYPE Type) {
  char16_t buffer[128];
  const int n = win::GetLocaleInfoW(win::LOCALE_USER_DEFAULT, Type, buffer, 128);
  return n > 0 ? win::WideToUtf8(std::u16string_view(buffer, std::size_t(n - 1))) : String();
}

void AppendNumber(String& Out, int Value, int Digits) {
  std::string text = std::to_string(Value);
  if (int(text.size()) < Digits) Out.append(std::size_t(Digits) - text.size(), '0');
  Out += text;
}

}  // namespace

String FormatDateTimeText(std::string_view Picture, double Value) {
  const TDateParts p = Decode(Value);
  String out;
  std::size_t i = 0;
  while (i < Picture.size()) {
    const char c = Picture[i];
    if (c == '\'') {
      // Quoted text; a doubled quote stands for one.
      ++i;
      while (i < Picture.size()) {
        if (Picture[i] == '\'') {
          if (i + 1 < Picture.size() && Picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += Picture[i++];
      }
      continue;
    }
    std::size_t run = 1;
    while (i + run < Picture.size() && Picture[i + run] == c) ++run;
    switch (c) {
      case 'd':
        if (run <= 2)
          AppendNumber(out, p.Day, int(run));
        else
          out += LocaleText((run == 3 ? win::LOCALE_SABBREVDAYNAME1 : win::LOCALE_SDAYNAME1) +
                            win::LCTYPE(p.DayOfWeek));
        break;
      case 'M':
        if (run <= 2)
          AppendNumber(out, p.Month, int(run));
        else
          out += LocaleText((run == 3 ? win::LOCALE_SABBREVMONTHNAME1 : win::LOCALE_SMONTHNAME1) +
                            win::LCTYPE(p.Month - 1));
        break;
      case 'y':
        if (run <= 2)
          AppendNumber(out, p.Year % 100, int(run));
        else
          AppendNumber(out, p.Year, 4);
        break;
      case 'h':
        AppendNumber(out, p.Hour % 12 == 0 ? 12 : p.Hour % 12, run >= 2 ? 2 : 1);
        break;
      case 'H':
        AppendNumber(out, p.Hour, run >= 2 ? 2 : 1);
        break;
      case 'm':
        AppendNumber(out, p.Minute, run >= 2 ? 2 : 1);
        break;
      case 's':
        AppendNumber(out, p.Second, run >= 2 ? 2 : 1);
        break;
      case 't':
        if (run >= 2)
          out += p.Hour < 12 ? "AM" : "PM";
        else
          out += p.Hour < 12 ? 'A' : 'P';
        break;
      default:
        out.append(run, c);
        break;
    }
    i += run;
  }
  return out;
}

String DateTimeToGeneralText(double Value, char Separator) {
  if (!(Value >= kFirstDay && Value < kPastLastDay)) return win::FloatToGeneralText(Value, Separator);
  String text = FormatDateTimeText(LocaleText(win::LOCALE_SSHORTDATE), Value);
  const TDateParts p = Decode(Value);
  if (p.Hour != 0 || p.Minute != 0 || p.Second != 0) {
    text += ' ';
    text += FormatDateTimeText(LocaleText(win::LOCALE_STIMEFORMAT), Value);
  }
  return text;
}

String DateTimeToStr(double Value) {
  return DateTimeToGeneralText(Value, DecimalSeparator());
}

String TimeToStr(double Value) { return FormatDateTimeText(LocaleText(win::LOCALE_STIMEFORMAT), Value); }

namespace {

bool IsLeap(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DaysInMonth(int Year, int Month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return Month == 2 && IsLeap(Year) ? 29 : kDays[Month - 1];
}

// Days since 30 December 1899 (the inverse of Decode's civil date).
double EncodeDay(int Year, int Month, int Day) {
  const std::int64_t y = Year - (Month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (Month > 2 ? Month - 3 : Month + 9) + 2) / 5 + Day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return double(era * 146097 + doe - 719468 + 25569);
}

// A run of 1 to MaxDigits decimal digits as a whole number, else -1.
int NumberOf(std::string_view Text, std::size_t MaxDigits) {
  if (Text.empty() || Text.size() > MaxDigits) return -1;
  int v = 0;
  for (char c : Text) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

std::vector<std::string_view> SplitAt(std::string_view Text, std::string_view Separator) {
  std::vector<std::string_view> parts;
  if (Separator.empty()) return {Text};
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = Text.find(Separator, start);
    parts.push_back(Text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + Separator.size();
  }
}

bool ReadDate(std::string_view Text, double& Day) {
  const std::vector<std::string_view> parts = SplitAt(Text, LocaleText(win::LOCALE_SDATE));
  if (parts.size() != 3) return false;
  // The order of day, month and year in the short date format.
  const String pattern = LocaleText(win::LOCALE_SSHORTDATE);
  String order;
  for (char c : pattern)
    if ((c == 'd' || c == 'M' || c == 'y') && order.find(c) == String::npos) order += c;
  if (order.size() != 3) order = "dMy";
  int day = -1, month = -1, year = -1;
  for (std::size_t k = 0; k < 3; ++k) {
    const int v = NumberOf(parts[k], order[k] == 'y' ? 4 : 2);
    if (v < 0) return false;
    (order[k] == 'd' ? day : order[k] == 'M' ? month : year) = v;
  }
  if (parts[order.find('y')].size() <= 2) year += 2000;
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  Day = EncodeDay(year, month, day);
  return true;
}

bool ReadTime(std::string_view Text, std::string_view Suffix, double& Time) {
  const std::vector<std::string_view> parts = SplitAt(Text, LocaleText(win::LOCALE_STIME));
  if (parts.size() < 2 || parts.size() > 3) return false;
  int hour = NumberOf(parts[0], 2), minute = NumberOf(parts[1], 2);
  const int second = parts.size() == 3 ? NumberOf(parts[2], 2) : 0;
  if (hour < 0 || minute < 0 || second < 0 || minute > 59 || second > 59) return false;
  if (!Suffix.empty()) {
    const String s = UpperCase(Suffix);
    if ((s != "AM" && s != "PM") || hour < 1 || hour > 12) return false;
    hour = hour % 12 + (s == "PM" ? 12 : 0);
  }
  if (hour > 23) return false;
  Time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return true;
}

}  // namespace

bool TryStrToDateTime(std::string_view Text, double& Value) {
  const String trimmed = Trim(Text);
  std::vector<std::string_view> words;
  for (std::string_view w : SplitAt(trimmed, " "))
    if (!w.empty()) words.push_back(w);
  if (words.empty() || words.size() > 3) return false;
  double day = 0, time = 0;
  std::size_t next = 0;
  const String timeSeparator = LocaleText(win::LOCALE_STIME);
  if (words[0].find(timeSeparator) == std::string_view::npos) {
    if (!ReadDate(words[0], day)) return false;
    next = 1;
  }
  if (next < words.size()) {
    if (words.size() - next > 2 || !ReadTime(words[next], next + 1 < words.size() ? words[next + 1] : "", time))
      return false;
  }
  // Before 30 December 1899 the day counts down while the time of day still counts up.
  Value = day < 0 ? day - time : day + time;
  return true;
}

double StrToDateTime(std::string_view Text) {
  double v = 0;
  if (!TryStrToDateTime(Text, v)) throw EConvertError("'" + String(Text) + "' is not a valid date and time");
  return v;
}

}  // namespace fw
