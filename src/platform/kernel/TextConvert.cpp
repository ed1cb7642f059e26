#include "platform/kernel/TextConvert.h"

#include "platform/kernel/Utf16.h"
#include "platform/kernel/detail/Unicode.h"

namespace win {

std::u16string Utf8ToWide(std::string_view utf8) {
  bool invalid = false;
  return detail::DecodeUtf8(utf8, invalid);
}

std::string WideToUtf8(std::u16string_view wide) {
  bool invalid = false;
  return detail::EncodeUtf8(wide, invalid);
}

namespace {

// The whole Windows Cyrillic page as two tables, built once: bytes to units and units to bytes
// (0 where the page has no byte for a unit, other than U+0000 itself).
struct Cp1251Tables {
  char16_t toWide[256];
  unsigned char toByte[65536];
  Cp1251Tables() : toWide{}, toByte{} {
    const char16_t* high = detail::SingleByteHighHalf(1251);
    for (int b = 0; b < 256; ++b) {
      toWide[b] = b < 0x80 ? char16_t(b) : high[b - 0x80];
      toByte[toWide[b]] = static_cast<unsigned char>(b);
    }
  }
};
const Cp1251Tables& Cp1251() {
  static const Cp1251Tables tables;
  return tables;
}

}  // namespace

void Utf8ToWide(std::string_view utf8, std::u16string& out) {
  bool invalid = false;
  detail::DecodeUtf8(utf8, out, invalid);
}

void WideToUtf8(std::u16string_view wide, std::string& out) {
  bool invalid = false;
  detail::EncodeUtf8(wide, out, invalid);
}

std::u16string Cp1251ToWide(std::string_view bytes) {
  std::u16string out;
  Cp1251ToWide(bytes, out);
  return out;
}

std::string WideToCp1251(std::u16string_view wide) {
  std::string out;
  WideToCp1251(wide, out);
  return out;
}

void Cp1251ToWide(std::string_view bytes, std::u16string& out) {
  const char16_t* toWide = Cp1251().toWide;
  out.resize(bytes.size());
  const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  char16_t* dst = out.data();
  for (size_t i = 0, n = bytes.size(); i < n; ++i) dst[i] = toWide[src[i]];
}

void WideToCp1251(std::u16string_view wide, std::string& out) {
  const unsigned char* toByte = Cp1251().toByte;
  out.resize(wide.size());
  auto* dst = reinterpret_cast<unsigned char*>(out.data());
  size_t j = 0;
  for (size_t i = 0, n = wide.size(); i < n; ++i) {
    const char16_t unit = wide[i];
    const unsigned char b = toByte[unit];
    if (b != 0 || unit == 0) {
      dst[j++] = b;
      continue;
    }
    if (IsPairAt(wide, i)) ++i;  // one character, one replacement
    dst[j++] = '?';
  }
  out.resize(j);
}

std::string Utf8ToCp1251(std::string_view utf8) { return WideToCp1251(Utf8ToWide(utf8)); }
std::string Cp1251ToUtf8(std::string_view bytes) { return WideToUtf8(Cp1251ToWide(bytes)); }

bool IsValidUtf8(std::string_view bytes) {
  bool invalid = false;
  detail::DecodeUtf8(bytes, invalid);
  return !invalid;
}

std::string DecodeTextToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(i, end - i);
    if (IsValidUtf8(line)) {
      out += line;
    } else {
      out += Cp1251ToUtf8(line);
    }
    // The line end goes through as it is (CR and LF read the same in both encodings).
    i = bytes.find_first_not_of("\r\n", end);
    if (i == std::string_view::npos) i = bytes.size();
    out += bytes.substr(end, i - end);
  }
  return out;
}

std::u16string DecodeTextBytes(std::string_view bytes) { return Utf8ToWide(DecodeTextToUtf8(bytes)); }

}  // namespace win
