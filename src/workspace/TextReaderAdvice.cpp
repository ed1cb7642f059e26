#include "workspace/TextReaderAdvice.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/SysUtils.h"
#include "workspace/Common.h"
#include "workspace/PropSaver.h"

namespace workspace {

namespace {

std::size_t PointsOf(std::string_view Sample, const TTextReaderSettings& Settings) {
  TTwoColumnPoints points;
  ReadTwoColumnText(Sample, Settings, points);
  return points.X.size();
}

// The lines of Sample that are exactly two number fields under Settings.
std::size_t PairLines(std::string_view Sample, const TTextReaderSettings& Settings) {
  std::size_t pairs = 0;
  while (!Sample.empty()) {
    const std::size_t end = std::min(Sample.find('\n'), Sample.size());
    std::string_view line = Sample.substr(0, end);
    Sample.remove_prefix(std::min(end + 1, Sample.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<String> fields;
    SplitString(line, Settings.Delimiters, fields);
    double x, y;
    if (fields.size() == 2 && ParseNumberField(fields[0], Settings.DecimalSeparator, x) &&
        ParseNumberField(fields[1], Settings.DecimalSeparator, y))
      ++pairs;
  }
  return pairs;
}

// The delimiters as the settings file keeps them: character codes separated by ';'.
String DelimiterCodes(const String& Delimiters) {
  String codes;
  for (char c : Delimiters) {
    if (!codes.empty()) codes += ';';
    codes += std::to_string(int(static_cast<unsigned char>(c)));
  }
  return codes;
}

// A delimiter as the message names it.
String DelimiterName(char C) {
  switch (C) {
    case '\t':
      return "табуляция";
    case ' ':
      return "пробел";
    case ',':
      return "запятая";
    case ';':
      return "точка с запятой";
    default:
      return String(1, C);
  }
}

String Joined(const std::vector<String>& Parts, const char* Between) {
  String text;
  for (const String& part : Parts) text += (text.empty() ? "" : Between) + part;
  return text;
}

}  // namespace

String TooFewPointsMessage(std::string_view Sample, const TTextReaderSettings& Settings) {
  const String plain = TooFewPointsMsg;
  // What else may make such data read, in this order: the other decimal separator (which then
  // cannot delimit), the same with the usual delimiters (commas too after a decimal point) that
  // the settings lack, and those delimiters with the separator kept.
  const char other = Settings.DecimalSeparator == '.' ? ',' : '.';
  const auto withUsualDelimiters = [](TTextReaderSettings s) {
    for (char c : String(s.DecimalSeparator == '.' ? "\t ;," : "\t ;"))
      if (s.Delimiters.find(c) == String::npos) s.Delimiters += c;
    return s;
  };
  TTextReaderSettings otherSeparator = Settings;
  otherSeparator.DecimalSeparator = other;
  std::erase(otherSeparator.Delimiters, other);
  std::vector<TTextReaderSettings> tries{otherSeparator};
  for (const TTextReaderSettings& t : {withUsualDelimiters(otherSeparator), withUsualDelimiters(Settings)})
    if (t.Delimiters != tries.back().Delimiters || t.DecimalSeparator != tries.back().DecimalSeparator)
      tries.push_back(t);

  // The one under which the most lines are two numbers and nothing else ("1,5;2,5" also reads,
  // wrongly, as "1" and "5" with a decimal point and commas between the fields); of equals, the
  // one that reads the most points.
  const TTextReaderSettings* best = nullptr;
  std::size_t found = 0, bestPairs = 0;
  for (const TTextReaderSettings& t : tries) {
    const std::size_t points = PointsOf(Sample, t);
    if (points < 2) continue;
    const std::size_t pairs = PairLines(Sample, t);
    if (!best || pairs > bestPairs || (pairs == bestPairs && points > found)) {
      best = &t;
      found = points;
      bestPairs = pairs;
    }
  }
  if (!best) return plain;

  std::vector<String> what, keys;
  if (best->DecimalSeparator != Settings.DecimalSeparator) {
    what.push_back(other == '.'
                       ? "числа записаны с десятичной точкой, а в настройках задана десятичная запятая"
                       : "числа записаны с десятичной запятой, а в настройках задана десятичная точка");
    keys.push_back(fw::Format("PointDecimalSeparator=%d", other == '.' ? 1 : 0));
  }
  String added;
  for (char c : best->Delimiters)
    if (Settings.Delimiters.find(c) == String::npos) added += (added.empty() ? "" : ", ") + DelimiterName(c);
  if (!added.empty())
    what.push_back("поля разделены символами, которых нет среди разделителей (" + added + ")");
  if (best->Delimiters != Settings.Delimiters)
    keys.push_back("Delimiters=" + DelimiterCodes(best->Delimiters));
  return fw::Format(
      "%s.\nВ данных %s (%sтак прочиталось бы точек: %d).\n\nЧтобы читать такие данные, укажите в разделе "
      "[PREFERENCES] файла настроек \"%s\":\n%s",
      plain, Joined(what, "; "), Sample.size() >= TooFewPointsSampleSize ? "в начале файла " : "", int(found),
      TPropSaver::SettingsFileName(), Joined(keys, "\n"));
}

}  // namespace workspace
