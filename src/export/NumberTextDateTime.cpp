#include "export/NumberTextDateTime.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/kernel/Locale.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

namespace kvexport {
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

fw::String LocaleText(win::LCTYPE Type) {
  char16_t buffer[128];
  const int n = win::GetLocaleInfoW(win::LOCALE_USER_DEFAULT, Type, buffer, 128);
  return n > 0 ? win::WideToUtf8(std::u16string_view(buffer, std::size_t(n - 1))) : fw::String();
}

void AppendNumber(fw::String& Out, int Value, int Digits) {
  std::string text = std::to_string(Value);
  if (int(text.size()) < Digits) Out.append(std::size_t(Digits) - text.size(), '0');
  Out += text;
}

}  // namespace

fw::String FormatDateTimeText(std::string_view Picture, double Value) {
  const TDateParts p = Decode(Value);
  fw::String out;
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

fw::String DateTimeToGeneralText(double Value, char Separator) {
  if (!(Value >= kFirstDay && Value < kPastLastDay)) return win::FloatToGeneralText(Value, Separator);
  fw::String text = FormatDateTimeText(LocaleText(win::LOCALE_SSHORTDATE), Value);
  const TDateParts p = Decode(Value);
  if (p.Hour != 0 || p.Minute != 0 || p.Second != 0) {
    text += ' ';
    text += FormatDateTimeText(LocaleText(win::LOCALE_STIMEFORMAT), Value);
  }
  return text;
}

}  // namespace kvexport
