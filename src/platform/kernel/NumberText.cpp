#include "platform/kernel/NumberText.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
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

// Digits and exponent (|value| = 0.digits x 10^e) of the shortest scientific text that reads
// back as the same double.
int ShortestDigits(double magnitude, char* digits, int& e) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
  int count = 0;
  const char* p = text;
  for (; p < result.ptr && *p != 'e'; ++p)
    if (*p != '.') digits[count++] = *p;
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+'), result.ptr, exponent);
  e = exponent + 1;
  return count;
}

// Adds one unit in the last of `count` digits, carrying into a new leading digit.
void RoundUp(char* digits, int count, int& e) {
  int i = count - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i >= 0) {
    ++digits[i];
  } else {
    digits[0] = '1';
    ++e;
  }
}

constexpr int kUndecided = 2;

// Where a double lies against the midpoint M = 0.d1..d15 5 x 10^e between its two 15-digit
// neighbours (d1..d15 the first digits of `digits`): -1 below, 0 on it, 1 above, kUndecided when
// the exact test does not apply. With M = D x 10^k for the 16-digit integer D, the test is
// exact for -22 <= k <= 0 (values from 1e-7 to 1e16): 10^-k is then an exact double, the product
// value x 10^-k is split exactly into a double and its error, and both stand next to D in long
// double without rounding that could change the sign.
int SideOfMidpoint(double magnitude, const char* digits, int e) {
  const int k = e - kGeneralDigits - 1;
  if (k < -22 || k > 0) return kUndecided;
  std::uint64_t d = 0;
  for (int i = 0; i < kGeneralDigits; ++i) d = d * 10 + std::uint64_t(digits[i] - '0');
  d = d * 10 + 5;
  double scale = 1;
  for (int i = 0; i < -k; ++i) scale *= 10;  // exact up to 10^22
  const double product = magnitude * scale;
  const double error = std::fma(magnitude, scale, -product);
  const Extended difference = (Extended(product) - Extended(d)) + Extended(error);
  return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

// The rounding of a value that is exactly a normal double, without the long double expansion (the
// general text of a million doubles is written in a fraction of a second). A double is finer
// than 15 digits everywhere: the shortest text that reads back as it lies within 0.111 of a unit
// in the 15th digit. So a shortest text of at most 15 digits is the rounded value itself, and a
// longer one rounds the same way as the value unless its digits past the 15th lie near one half;
// there the value is compared with the midpoint of its two 15-digit neighbours. False hands the
// cases that comparison cannot decide to the exact path.
bool RoundedDigitsOfDouble(double magnitude, std::string& digits, int& e) {
  char buffer[32];
  int count = ShortestDigits(magnitude, buffer, e);
  if (count > kGeneralDigits) {
    const int beyond = (buffer[kGeneralDigits] - '0') * 10 + (count > kGeneralDigits + 1 ? buffer[kGeneralDigits + 1] - '0' : 0);
    if (beyond <= 38) {
      count = kGeneralDigits;
    } else if (beyond >= 62) {
      count = kGeneralDigits;
      RoundUp(buffer, count, e);
    } else {
      const int side = SideOfMidpoint(magnitude, buffer, e);
      if (side == kUndecided) return false;
      count = kGeneralDigits;
      if (side >= 0) RoundUp(buffer, count, e);  // a tie rounds away from zero
    }
  }
  while (count > 1 && buffer[count - 1] == '0') --count;
  digits.assign(buffer, size_t(count));
  return true;
}

// Significant digits of |value| (no trailing zeros) and e with |value| = 0.digits x 10^e,
// rounded half away from zero to kGeneralDigits digits. `value` is finite and non-zero.
void RoundedDigits(Extended value, std::string& digits, int& e) {
  const Extended magnitude = std::fabs(value);
  const double asDouble = double(magnitude);
  // Subnormal doubles are coarser than 15 digits: they take the exact path.
  if (Extended(asDouble) == magnitude && asDouble >= std::numeric_limits<double>::min() &&
      RoundedDigitsOfDouble(asDouble, digits, e))
    return;
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
  std::string out;
  AppendGeneralText(out, value, separator);
  return out;
}

void AppendGeneralText(std::string& out, Extended value, char separator) {
  if (std::isnan(value)) {
    out += "NAN";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-INF" : "INF";
    return;
  }
  if (value == 0) {
    out += '0';
    return;
  }

  std::string digits;
  int e = 0;
  RoundedDigits(value, digits, e);
  if (value < 0) out += '-';
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
    return;
  }
  out += digits[0];
  if (count > 1) {
    out += separator;
    out.append(digits, 1);
  }
  out += 'E';
  out += std::to_string(e - 1);
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
