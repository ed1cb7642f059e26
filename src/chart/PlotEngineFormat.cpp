// Number pictures ("#,##0.###") and the default palette.
#include <cmath>
#include <cstdio>
#include <vector>

#include "chart/PlotEngine.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/TextConvert.h"

namespace chart {

TColor PlotDefaultPaletteColor(Integer Index) {
  // The classic chart palette: the sixteen VGA colours in chart order, then money green, sky
  // blue, cream and medium grey.
  static constexpr TColor palette[PlotPaletteSize] = {
      fw::clRed,    fw::clGreen,  fw::clYellow, fw::clBlue,   fw::clWhite,      fw::clGray,     fw::clFuchsia,
      fw::clTeal,   fw::clNavy,   fw::clMaroon, fw::clLime,   fw::clOlive,      fw::clPurple,   fw::clSilver,
      fw::clAqua,   fw::clBlack,  fw::clMoneyGreen, fw::clSkyBlue, fw::clCream, fw::clMedGray};
  Integer i = Index % PlotPaletteSize;
  if (i < 0) i += PlotPaletteSize;
  return palette[i];
}

namespace {

struct Picture {
  String prefix, suffix;
  int minInt = 0;
  int minFrac = 0, maxFrac = 0;
  bool hasDigits = false;
  bool grouping = false;
  bool scientific = false;
  bool expPlus = false;
  int expDigits = 0;
};

// Splits Format into its sections at ';' outside quotes.
std::vector<String> Sections(std::string_view format) {
  std::vector<String> out(1);
  char quote = 0;
  for (char c : format) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      out.emplace_back();
      continue;
    }
    out.back() += c;
  }
  return out;
}

Picture Parse(std::string_view s) {
  Picture p;
  bool seenDigit = false, afterPoint = false, inExp = false;
  String* literal = &p.prefix;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"' || c == '\'') {
      std::size_t end = s.find(c, i + 1);
      if (end == std::string_view::npos) end = s.size();
      *literal += s.substr(i + 1, end - i - 1);
      i = end;
    } else if (inExp && c == '0') {
      ++p.expDigits;
    } else if (c == '0' || c == '#') {
      seenDigit = p.hasDigits = true;
      literal = &p.suffix;
      if (afterPoint) {
        ++p.maxFrac;
        if (c == '0') p.minFrac = p.maxFrac;
      } else if (c == '0') {
        ++p.minInt;
      }
    } else if (c == '.' && !afterPoint && !inExp) {
      afterPoint = true;
      seenDigit = true;
      literal = &p.suffix;
    } else if (c == ',' && seenDigit && !afterPoint) {
      p.grouping = true;
    } else if ((c == 'E' || c == 'e') && seenDigit && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
      p.scientific = inExp = true;
      p.expPlus = s[i + 1] == '+';
      ++i;
    } else {
      if (inExp) inExp = false;
      *literal += c;
    }
  }
  return p;
}

String Printf(const char* fmt, int precision, double v) {
  int n = std::snprintf(nullptr, 0, fmt, precision, v);
  String out(std::size_t(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), fmt, precision, v);
  out.resize(std::size_t(n));
  return out;
}

String Group(const String& digits) {
  String sep = win::WideToUtf8(std::u16string(1, win::locale::RegionalThousandSeparator()));
  String out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += sep;
    out += digits[i];
  }
  return out;
}

// |Value| by the picture, without sign.
String Render(const Picture& p, double v) {
  if (!p.hasDigits) return {};
  const int maxFrac = std::min(p.maxFrac, 30);
  String mantissa, exponent;
  if (p.scientific) {
    String t = Printf("%.*e", maxFrac, v);  // d.ddde[+-]xx
    std::size_t e = t.find('e');
    mantissa = t.substr(0, e);
    int ex = std::atoi(t.c_str() + e + 1);
    String digits = std::to_string(std::abs(ex));
    while (int(digits.size()) < p.expDigits) digits.insert(digits.begin(), '0');
    exponent = String("E") + (ex < 0 ? "-" : (p.expPlus ? "+" : "")) + digits;
  } else {
    mantissa = Printf("%.*f", maxFrac, v);
  }
  std::size_t dot = mantissa.find('.');
  String intPart = mantissa.substr(0, dot);
  String frac = dot == String::npos ? String() : mantissa.substr(dot + 1);
  while (int(frac.size()) > p.minFrac && !frac.empty() && frac.back() == '0') frac.pop_back();
  std::size_t nz = intPart.find_first_not_of('0');
  intPart = nz == String::npos ? String() : intPart.substr(nz);
  while (int(intPart.size()) < p.minInt) intPart.insert(intPart.begin(), '0');
  if (p.grouping) intPart = Group(intPart);
  String out = intPart;
  if (!frac.empty()) out += fw::DecimalSeparator() + frac;
  if (out.empty()) out = "0";
  return out + exponent;
}

bool AllZero(const String& s) { return s.find_first_of("123456789") == String::npos; }

}  // namespace

String PlotFormatFloat(std::string_view Format, double Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  std::vector<String> sections = Sections(Format);
  if (sections.size() == 1 && sections[0].empty()) return fw::FloatToStr(Value);
  Picture p = Parse(sections[0]);
  // More than 18 digits before the point in a picture without an exponent: the general number
  // text ("1E308"), not hundreds of digits.
  if (p.hasDigits && !p.scientific && std::fabs(Value) >= 1e18) return fw::FloatToStr(Value);
  String body = Render(p, std::fabs(Value));
  if (p.hasDigits && AllZero(body) && sections.size() > 2) {
    Picture z = Parse(sections[2]);
    return z.prefix + Render(z, 0.0) + z.suffix;
  }
  if (Value < 0 && !AllZero(body)) {
    if (sections.size() > 1 && !sections[1].empty()) {
      Picture n = Parse(sections[1]);
      return n.prefix + Render(n, -Value) + n.suffix;
    }
    return "-" + p.prefix + body + p.suffix;
  }
  return p.prefix + body + p.suffix;
}

}  // namespace chart
