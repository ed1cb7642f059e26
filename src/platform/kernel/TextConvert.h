#pragma once
// Conversions between the program's three text forms: UTF-8 (narrow text), UTF-16 (wide text)
// and Windows Cyrillic bytes (data files, ANSI captions). None of them fails: ill-formed input
// becomes U+FFFD, and characters outside Windows Cyrillic become "?".

#include <string>
#include <string_view>

namespace win {

std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view wide);
std::u16string Cp1251ToWide(std::string_view bytes);
std::string WideToCp1251(std::u16string_view wide);
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
// Text of unknown encoding: UTF-8 when the bytes are well-formed UTF-8, else Windows Cyrillic.
std::u16string DecodeTextBytes(std::string_view bytes);

}  // namespace win
