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

// Calls Each(line) for every line of Sample, without its line end.
template <class F>
void ForEachLine(std::string_view Sample, F Each) {
  while (!Sample.empty()) {
    const std::size_t end = std::min(Sample.find('\n'), Sample.size());
    std::string_view line = Sample.substr(0, end);
    Sample.remove_prefix(std::min(end + 1, Sample.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Each(line);
  }
}

// How many fields Line splits into under Settings when every one of them is a number; 0 when a
// field is not.
std::size_t NumberFields(std::string_view Line, const TTextReaderSettings& Settings) {
  std::vector<String> fields;
  SplitString(Line, Settings.Delimiters, fields);
  double value;
  for (const String& field : fields)
    if (!ParseNumberField(field, Settings.DecimalSeparator, value)) return 0;
  return fields.size();
}

// The lines of Sample that are exactly two number fields under Settings.
std::size_t PairLines(std::string_view Sample, const TTextReaderSettings& Settings) {
  std::size_t pairs = 0;
  ForEachLine(Sample, [&](std::string_view line) { pairs += NumberFields(line, Settings) == 2; });
  return pairs;
}

// Settings with the other decimal separator, which then delimits no more.
TTextReaderSettings WithOtherSeparator(const TTextReaderSettings& Settings) {
  TTextReaderSettings s = Settings;
  s.DecimalSeparator = Settings.DecimalSeparator == '.' ? ',' : '.';
  std::erase(s.Delimiters, s.DecimalSeparator);
  return s;
}

// The settings file is read when the program starts: a key set there meanwhile reads only after
// a restart.
constexpr const char* kAfterRestart = "Изменение вступит в силу после перезапуска программы.";

String SeparatorKey(char Separator) { return fw::Format("PointDecimalSeparator=%d", Separator == '.' ? 1 : 0); }

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

String TooFewPointsMessage(std::string_view Sample, const TTextReaderSettings& Settings, std::size_t SkippedLines) {
  if (Sample.empty()) return String(TooFewPointsMsg) + ": данных нет (0 байт)";
  if (Sample.find('\0') != std::string_view::npos)
    return String(TooFewPointsMsg) + ": это не текст, а двоичные данные (в начале есть нулевые байты)";
  // The lines that gave no point are counted as the note on a graph read with gaps counts them.
  const String plain = SkippedLines == 0 ? String(TooFewPointsMsg)
                                         : fw::Format("%s: строк, не прочитанных как пары чисел: %d",
                                                      TooFewPointsMsg, SkippedLines);
  // What else may make such data read, in this order: the other decimal separator (which then
  // cannot delimit), the same with the usual delimiters (commas too after a decimal point) that
  // the settings lack, and those delimiters with the separator kept.
  const char other = Settings.DecimalSeparator == '.' ? ',' : '.';
  const auto withUsualDelimiters = [](TTextReaderSettings s) {
    for (char c : String(s.DecimalSeparator == '.' ? "\t ;," : "\t ;"))
      if (s.Delimiters.find(c) == String::npos) s.Delimiters += c;
    return s;
  };
  const TTextReaderSettings otherSeparator = WithOtherSeparator(Settings);
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
    keys.push_back(SeparatorKey(other));
  }
  String added;
  for (char c : best->Delimiters)
    if (Settings.Delimiters.find(c) == String::npos) added += (added.empty() ? "" : ", ") + DelimiterName(c);
  if (!added.empty())
    what.push_back("поля разделены символами, которых нет среди разделителей (" + added + ")");
  if (best->Delimiters != Settings.Delimiters)
    keys.push_back("Delimiters=" + DelimiterCodes(best->Delimiters));
  String text = fw::Format(
      "%s.\nВ данных %s (%sтак прочиталось бы точек: %d).\n\nЧтобы читать такие данные, укажите в разделе "
      "[PREFERENCES] файла настроек \"%s\":\n%s\n%s",
      plain, Joined(what, "; "), Sample.size() >= TooFewPointsSampleSize ? "в начале файла " : "", int(found),
      TPropSaver::SettingsFileName(), Joined(keys, "\n"), kAfterRestart);
  // The other separator set, files written with the present one read no more, or read wrongly
  // where it becomes a delimiter: the program's own text exports among them.
  if (best->DecimalSeparator != Settings.DecimalSeparator)
    text += fw::Format(
        "\n\nУчтите: после этого файлы, где числа записаны с десятичной %s (так их сохраняет и сама программа "
        "при нынешних настройках), будут читаться %s.",
        Settings.DecimalSeparator == ',' ? "запятой" : "точкой",
        best->Delimiters.find(Settings.DecimalSeparator) != String::npos ? "неверно" : "с пропуском строк");
  return text;
}

bool MisreadSeparatorPossible(const TTextReaderSettings& Settings) {
  return Settings.Delimiters.find(Settings.DecimalSeparator == '.' ? ',' : '.') != String::npos;
}

String MisreadSeparatorAdvice(std::string_view Sample, const TTextReaderSettings& Settings) {
  if (!MisreadSeparatorPossible(Settings)) return {};
  // A cut last line says nothing.
  if (Sample.size() >= TooFewPointsSampleSize) Sample = Sample.substr(0, Sample.rfind('\n') + 1);
  for (Integer skip = 0; skip < Settings.SkipLines && !Sample.empty(); ++skip)
    Sample.remove_prefix(std::min(Sample.find('\n'), Sample.size() - 1) + 1);
  const TTextReaderSettings other = WithOtherSeparator(Settings);
  std::size_t lines = 0, split = 0, most = 0;
  ForEachLine(Sample, [&](std::string_view line) {
    if (line.find_first_not_of(" \t") == std::string_view::npos) return;
    ++lines;
    const std::size_t fields = NumberFields(line, Settings);
    if (fields > 2 && NumberFields(line, other) == 2) {
      ++split;
      most = std::max(most, fields);
    }
  });
  if (split < 2 || split * 2 <= lines) return {};
  const char* otherName = other.DecimalSeparator == ',' ? "запятой" : "точкой";
  return fw::Format(
      "В %d строках из %d числа делятся на части (до %d чисел в строке, а читаются два первых), а с десятичной "
      "%s каждая из этих строк - ровно два числа: вероятно, числа записаны с десятичной %s, и график прочитан "
      "неверно.\n\nЧтобы читать такие данные, укажите в разделе [PREFERENCES] файла настроек \"%s\":\n%s\n"
      "Delimiters=%s\n%s",
      int(split), int(lines), int(most), otherName, otherName, TPropSaver::SettingsFileName(),
      SeparatorKey(other.DecimalSeparator), DelimiterCodes(other.Delimiters), kAfterRestart);
}

}  // namespace workspace
