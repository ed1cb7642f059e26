#include "platform/kernel/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace win {
namespace {

constexpr int kGeneralDigits = 15;

// Significant digits of |value| and its decimal exponent (|value| = 0.d1d2... x 10^e), as
// to_chars rounds them to `count` digits.
std::string ScientificDigits(Extended magnitude, int count, int& e) {
  std::vector<char> buffer(size_t(count) + 32);
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific, count - 1);
  const std::string_view text(buffer.data(), size_t(result.ptr - buffer.data()));
  // text = d.ddddde[+-]xx
  const size_t ePos = text.find('e');
  std::string digits;
  digits.reserve(ePos);
  for (size_t i = 0; i < ePos; ++i)
    if (text[i] != '.') digits.push_back(text[i]);
  e = std::atoi(std::string(text.substr(ePos + 1)).c_str()) + 1;
  return digits;
}

// True when the digits after the first kGeneralDigits read exactly "5000...": then only the
// exact expansion tells a true tie from a value just above or below it.
bool LooksLikeTie(const std::string& digits) {
  if (digits.size() <= size_t(kGeneralDigits) || digits[kGeneralDigits] != '5') return false;
  return digits.find_first_not_of('0', size_t(kGeneralDigits) + 1) == std::string::npos;
}

// Significant digits of |value| (no trailing zeros) and e with |value| = 0.digits x 10^e,
// rounded half away from zero to kGeneralDigits digits. `value` is finite and non-zero.
void RoundedDigits(Extended value, std::string& digits, int& e) {
  const Extended magnitude = std::fabs(value);
  // Twice the digits settle the rounding unless they show a tie; a tie is decided on the exact
  // expansion, which every long double has in at most about 20 + |binary exponent| digits.
  std::string all = ScientificDigits(magnitude, 2 * kGeneralDigits, e);
  if (LooksLikeTie(all)) {
    int binaryExponent = 0;
    std::frexp(magnitude, &binaryExponent);
    all = ScientificDigits(magnitude, 24 + std::abs(binaryExponent) + 64, e);
  }
  digits = all.substr(0, kGeneralDigits);
  if (all.size() > size_t(kGeneralDigits) && all[kGeneralDigits] >= '5') {
    int i = kGeneralDigits - 1;
    while (i >= 0 && digits[size_t(i)] == '9') digits[size_t(i--)] = '0';
    if (i >= 0) {
      ++digits[size_t(i)];
    } else {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++e;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FloatToGeneralText(Extended value, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  std::string digits;
  int e = 0;
  RoundedDigits(value, digits, e);
  std::string out = value < 0 ? "-" : "";
  const int count = int(digits.size());
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      out += '0';
      out += separator;
      out.append(size_t(-e), '0');
      out += digits;
    } else if (e >= count) {
      out += digits;
      out.append(size_t(e - count), '0');
    } else {
      out.append(digits, 0, size_t(e));
      out += separator;
      out.append(digits, size_t(e));
    }
    return out;
  }
  out += digits[0];
  if (count > 1) {
    out += separator;
    out.append(digits, 1);
  }
  out += 'E';
  out += std::to_string(e - 1);
  return out;
}

bool TryTextToFloat(std::string_view text, char separator, Extended& out) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;

  // Validate and rewrite into the locale-free form std::from_chars reads.
  std::string normal;
  normal.reserve(end - begin);
  size_t i = begin;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int mantissaDigits = 0;
  while (i < end && IsDigit(text[i])) {
    normal.push_back(text[i++]);
    ++mantissaDigits;
  }
  if (i < end && text[i] == separator) {
    normal.push_back('.');
    ++i;
    while (i < end && IsDigit(text[i])) {
      normal.push_back(text[i++]);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    normal.push_back('e');
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) normal.push_back(text[i++]);
    int exponentDigits = 0;
    while (i < end && IsDigit(text[i])) {
      normal.push_back(text[i++]);
      ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
  }
  if (i != end) return false;

  Extended value = 0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (result.ec != std::errc() || result.ptr != normal.data() + normal.size()) return false;
  if (!std::isfinite(value)) return false;
  out = negative ? -value : value;
  return true;
}

}  // namespace win
