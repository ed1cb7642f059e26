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

std::u16string Cp1251ToWide(std::string_view bytes) {
  const char16_t* high = detail::SingleByteHighHalf(1251);
  std::u16string out(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out[i] = b < 0x80 ? char16_t(b) : high[b - 0x80];
  }
  return out;
}

std::string WideToCp1251(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    unsigned char b = 0;
    if (detail::EncodeSingleByte(1251, wide[i], b)) {
      out.push_back(char(b));
      continue;
    }
    if (IsPairAt(wide, i)) ++i;  // one character, one replacement
    out.push_back('?');
  }
  return out;
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
