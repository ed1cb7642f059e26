#include "framework/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

void Abort() { throw EAbort(); }

namespace {

[[noreturn]] void BadFormat(std::string_view format) {
  throw EConvertError("Format '" + String(format) + "' invalid or incompatible with argument");
}

String Pad(String text, int width, bool left) {
  if (width > 0 && int(text.size()) < width) {
    String fill(std::size_t(width) - text.size(), ' ');
    text = left ? text + fill : fill + text;
  }
  return text;
}

String WithSeparator(String text, char separator) {
  for (char& c : text) {
    if (c == '.') c = separator;
  }
  return text;
}

// Fixed notation rounded half away from zero, deciding on the exact binary value (printf alone
// would round exact ties such as 2.5 to even).
String FixedText(Extended v, int precision) {
  if (std::isnan(v) || std::isinf(v) || std::fabs(v) >= 1e300L) return win::FloatToGeneralText(v, DecimalSeparator());
  precision = std::min(precision, 18);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*Lf", precision + 40, std::fabs(v));
  String text = buf;
  std::size_t dot = text.find('.');
  String digits = text.substr(0, dot) + text.substr(dot + 1, std::size_t(precision));
  if (text[dot + 1 + std::size_t(precision)] >= '5') {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(0, "1");
    } else {
      ++digits[i - 1];
    }
  }
  std::size_t intLength = digits.size() - std::size_t(precision);
  String out = digits.substr(0, intLength);
  if (precision > 0) out += DecimalSeparator() + digits.substr(intLength);
  bool zero = digits.find_first_not_of('0') == String::npos;
  return (v < 0 && !zero ? "-" : "") + out;
}

String GroupThousands(const String& fixed) {
  std::size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
  std::size_t end = fixed.find(DecimalSeparator());
  if (end == String::npos) end = fixed.size();
  String sep = win::WideToUtf8(std::u16string(1, win::locale::RegionalThousandSeparator()));
  String out = fixed.substr(0, start);
  for (std::size_t i = start; i < end; ++i) {
    if (i > start && (end - i) % 3 == 0) out += sep;
    out += fixed[i];
  }
  return out + fixed.substr(end);
}

}  // namespace

String FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args) {
  String out;
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= format.size()) BadFormat(format);
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    bool left = false;
    int width = 0, precision = -1;
    if (format[i] == '-') {
      left = true;
      ++i;
    }
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') width = width * 10 + (format[i++] - '0');
    if (i < format.size() && format[i] == '.') {
      precision = 0;
      ++i;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9') precision = precision * 10 + (format[i++] - '0');
    }
    if (i >= format.size() || next == args.end()) BadFormat(format);
    const TFormatArg& arg = *next++;
    char type = char(std::tolower(static_cast<unsigned char>(format[i])));
    String text;
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        const Int64* v = std::get_if<Int64>(&arg);
        if (!v) BadFormat(format);
        bool negative = *v < 0 && type == 'd';
        uint64_t magnitude = negative ? uint64_t(0) - uint64_t(*v) : uint64_t(*v);
        if (type == 'u' && *v < 0) magnitude = uint32_t(*v);
        char buf[32];
        std::snprintf(buf, sizeof buf, type == 'x' ? "%llX" : "%llu", static_cast<unsigned long long>(magnitude));
        String digits = buf;
        if (precision > int(digits.size())) digits.insert(0, std::size_t(precision) - digits.size(), '0');
        text = (negative ? "-" : "") + digits;
        break;
      }
      case 's': {
        const String* v = std::get_if<String>(&arg);
        if (!v) BadFormat(format);
        text = precision >= 0 && precision < int(v->size()) ? v->substr(0, std::size_t(precision)) : *v;
        break;
      }
      case 'f':
      case 'n':
      case 'e':
      case 'g': {
        Extended v;
        if (auto* f = std::get_if<Extended>(&arg)) {
          v = *f;
        } else if (auto* n = std::get_if<Int64>(&arg)) {
          v = Extended(*n);
        } else {
          BadFormat(format);
        }
        if (type == 'f') {
          text = FixedText(v, precision < 0 ? 2 : precision);
        } else if (type == 'n') {
          text = GroupThousands(FixedText(v, precision < 0 ? 2 : precision));
        } else if (type == 'e') {
          char buf[128];
          std::snprintf(buf, sizeof buf, "%.*LE", precision < 0 ? 14 : std::max(precision - 1, 0), v);
          text = WithSeparator(buf, DecimalSeparator());
        } else if (precision < 0 || precision >= 15) {
          text = win::FloatToGeneralText(v, DecimalSeparator());
        } else {
          char buf[128];
          std::snprintf(buf, sizeof buf, "%.*LG", std::max(precision, 1), v);
          text = WithSeparator(buf, DecimalSeparator());
        }
        break;
      }
      default:
        BadFormat(format);
    }
    out += Pad(std::move(text), width, left);
  }
  return out;
}

String IntToStr(Int64 value) { return std::to_string(value); }

String IntToHex(Int64 value, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
  return buf;
}

bool TryStrToInt(std::string_view text, Integer& value) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return false;
    }
    magnitude = magnitude * base + d;
    if (magnitude > 0xFFFFFFFFLL) return false;
  }
  int64_t v = negative ? -magnitude : magnitude;
  if (base == 16 && !negative && magnitude <= 0xFFFFFFFFLL) {
    value = Integer(uint32_t(magnitude));  // hexadecimal fills all 32 bits
    return true;
  }
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = Integer(v);
  return true;
}

Integer StrToInt(std::string_view text) {
  Integer v;
  if (!TryStrToInt(text, v)) throw EConvertError("'" + String(text) + "' is not a valid integer value");
  return v;
}

Integer StrToIntDef(std::string_view text, Integer def) {
  Integer v;
  return TryStrToInt(text, v) ? v : def;
}

char DecimalSeparator() { return win::locale::RegionalDecimalSeparator(); }

String FloatToStr(Extended value) { return win::FloatToGeneralText(value, DecimalSeparator()); }

bool TryStrToFloat(std::string_view text, Extended& value) {
  return win::TryTextToFloat(text, DecimalSeparator(), value);
}

bool TryStrToFloat(std::string_view text, double& value) {
  Extended v;
  // A number beyond the double's range would become an infinity: refused like any non-number.
  if (!TryStrToFloat(text, v) || !std::isfinite(double(v))) return false;
  value = double(v);
  return true;
}

namespace {
[[noreturn]] void RaiseNotAFloat(std::string_view text) {
  throw EConvertError("'" + String(text) + "' is not a valid floating point value");
}
}  // namespace

Extended StrToFloat(std::string_view text) {
  Extended v;
  if (!TryStrToFloat(text, v)) RaiseNotAFloat(text);
  return v;
}

double StrToDouble(std::string_view text) {
  double v;
  if (!TryStrToFloat(text, v)) RaiseNotAFloat(text);
  return v;
}

Extended StrToFloatDef(std::string_view text, Extended def) {
  Extended v;
  return TryStrToFloat(text, v) ? v : def;
}

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

String Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

String TrimLeft(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return String(s.substr(i));
}

String TrimRight(std::string_view s) {
  std::size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return String(s.substr(0, n));
}

String UpperCase(std::string_view s) {
  String r(s);
  for (char& c : r) {
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  }
  return r;
}

String LowerCase(std::string_view s) {
  String r(s);
  for (char& c : r) {
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  }
  return r;
}

int CompareText(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return int(x) - int(y);
  }
  return int(a.size()) - int(b.size());
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

String AnsiUpperCase(std::string_view s) { return win::WideToUtf8(win::UpperCase(win::Utf8ToWide(s))); }
String AnsiLowerCase(std::string_view s) { return win::WideToUtf8(win::LowerCase(win::Utf8ToWide(s))); }
int AnsiCompareText(std::string_view a, std::string_view b) { return win::CompareTextIgnoreCase(a, b); }
bool AnsiSameText(std::string_view a, std::string_view b) { return win::SameTextIgnoreCase(a, b); }

int AnsiCompareStr(std::string_view a, std::string_view b) {
  std::u16string wa = win::Utf8ToWide(a), wb = win::Utf8ToWide(b);
  return win::CompareStringW(win::LOCALE_USER_DEFAULT, 0, wa.data(), int(wa.size()), wb.data(), int(wb.size())) - 2;
}

String QuotedStr(std::string_view s) {
  String r = "'";
  for (char c : s) {
    r += c;
    if (c == '\'') r += '\'';
  }
  return r + "'";
}

String AnsiDequotedStr(std::string_view s, char quote) {
  if (s.empty() || s[0] != quote) return String(s);
  String r;
  std::size_t i = 1;
  for (; i < s.size(); ++i) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        r += quote;
        ++i;
      } else {
        return r;
      }
    } else {
      r += s[i];
    }
  }
  return r;
}

String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                     std::initializer_list<TReplaceFlag> flags) {
  bool all = false, ignoreCase = false;
  for (auto f : flags) {
    all |= f == rfReplaceAll;
    ignoreCase |= f == rfIgnoreCase;
  }
  if (oldPattern.empty()) return String(s);
  // Case folding works on UTF-16 units, which map one to one, so positions stay valid.
  std::u16string text = win::Utf8ToWide(s), pattern = win::Utf8ToWide(oldPattern);
  std::u16string replacement = win::Utf8ToWide(newPattern);
  std::u16string hay = ignoreCase ? win::UpperCase(text) : text;
  std::u16string needle = ignoreCase ? win::UpperCase(pattern) : pattern;
  std::u16string out;
  std::size_t from = 0;
  while (true) {
    std::size_t at = hay.find(needle, from);
    if (at == std::u16string::npos) break;
    out.append(text, from, at - from);
    out += replacement;
    from = at + needle.size();
    if (!all) break;
  }
  out.append(text, from, std::u16string::npos);
  return win::WideToUtf8(out);
}

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  std::size_t at = s.find(sub);
  return at == std::string_view::npos ? 0 : int(at) + 1;
}

String Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || std::size_t(index) > s.size()) return {};
  return String(s.substr(std::size_t(index - 1), std::size_t(count)));
}

bool IsValidIdent(std::string_view ident) {
  if (ident.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(ident[0])) return false;
  for (char c : ident) {
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

namespace {
std::size_t NameStart(std::string_view fileName) {
  std::size_t at = fileName.rfind(PathDelim);
  return at == std::string_view::npos ? 0 : at + 1;
}
}  // namespace

String ExtractFilePath(std::string_view fileName) { return String(fileName.substr(0, NameStart(fileName))); }

String ExtractFileDir(std::string_view fileName) {
  std::size_t n = NameStart(fileName);
  if (n > 1) --n;  // keep "/" for the root
  return String(fileName.substr(0, n));
}

String ExtractFileName(std::string_view fileName) { return String(fileName.substr(NameStart(fileName))); }

String ExtractFileExt(std::string_view fileName) {
  std::size_t start = NameStart(fileName);
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return String(fileName.substr(dot));
}

String ChangeFileExt(std::string_view fileName, std::string_view extension) {
  std::size_t start = NameStart(fileName);
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot < start) dot = fileName.size();
  return String(fileName.substr(0, dot)) + String(extension);
}

String IncludeTrailingPathDelimiter(std::string_view path) {
  String r(path);
  if (r.empty() || r.back() != PathDelim) r += PathDelim;
  return r;
}

String ExcludeTrailingPathDelimiter(std::string_view path) {
  String r(path);
  if (r.size() > 1 && r.back() == PathDelim) r.pop_back();
  return r;
}

bool FileExists(std::string_view fileName) {
  struct stat st {};
  return ::stat(String(fileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view dir) {
  struct stat st {};
  return ::stat(String(dir).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(std::string_view fileName) { return ::unlink(String(fileName).c_str()) == 0; }

String SysErrorMessage(int error) {
  char buf[256];
  return ::strerror_r(error, buf, sizeof buf);
}

}  // namespace fw
