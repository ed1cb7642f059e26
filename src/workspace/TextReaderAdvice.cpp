#include "workspace/TextReaderAdvice.h"

#include <string>

#include "framework/SysUtils.h"
#include "workspace/PropSaver.h"

namespace workspace {

namespace {

std::size_t PointsOf(std::string_view Sample, const TTextReaderSettings& Settings) {
  TTwoColumnPoints points;
  ReadTwoColumnText(Sample, Settings, points);
  return points.X.size();
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

}  // namespace

String TooFewPointsMessage(std::string_view Sample, const TTextReaderSettings& Settings) {
  const String plain = TooFewPointsMsg;
  const bool toPoint = Settings.DecimalSeparator != '.';
  TTextReaderSettings other = Settings;
  other.DecimalSeparator = toPoint ? '.' : ',';
  // The new separator cannot delimit as well.
  std::erase(other.Delimiters, other.DecimalSeparator);
  std::size_t found = PointsOf(Sample, other);
  bool withComma = false;
  if (found < 2 && toPoint && other.Delimiters.find(',') == String::npos) {
    other.Delimiters += ',';
    found = PointsOf(Sample, other);
    withComma = true;
  }
  if (found < 2) return plain;

  String what = toPoint ? "Числа записаны с десятичной точкой, а в настройках задана десятичная запятая"
                        : "Числа записаны с десятичной запятой, а в настройках задана десятичная точка";
  if (withComma) what += "; поля разделены запятыми";
  String keys = fw::Format("PointDecimalSeparator=%d", toPoint ? 1 : 0);
  if (other.Delimiters != Settings.Delimiters) keys += "\nDelimiters=" + DelimiterCodes(other.Delimiters);
  return fw::Format(
      "%s.\n%s (%sтак прочиталось бы точек: %d).\n\nЧтобы читать такие данные, укажите в разделе "
      "[PREFERENCES] файла настроек \"%s\":\n%s",
      plain, what, Sample.size() >= TooFewPointsSampleSize ? "в начале файла " : "", int(found),
      TPropSaver::SettingsFileName(), keys);
}

}  // namespace workspace
