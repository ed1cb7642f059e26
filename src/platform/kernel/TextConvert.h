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
// The same conversions into a caller's string, whose storage is reused: converting large texts
// again and again then costs no fresh memory from the system.
void Utf8ToWide(std::string_view utf8, std::u16string& out);
void WideToUtf8(std::u16string_view wide, std::string& out);
void Cp1251ToWide(std::string_view bytes, std::u16string& out);
void WideToCp1251(std::u16string_view wide, std::string& out);
// Text of unknown encoding, decided line by line (lines end at CR or LF): a line of well-formed
// UTF-8 is UTF-8, any other line is Windows Cyrillic. One damaged line (a letter cut short, a
// line from another editor) thus never changes how the others read. Line ends are kept.
std::u16string DecodeTextBytes(std::string_view bytes);
std::string DecodeTextToUtf8(std::string_view bytes);
// Calls fn(line) for each line of bytes, without its line end (CR LF, LF or CR).
template <typename Fn>
void ForEachLineOf(std::string_view bytes, Fn&& fn) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = bytes.size();
    fn(bytes.substr(i, end - i));
    i = end;
    if (i < bytes.size() && bytes[i] == '\r') ++i;
    if (i < bytes.size() && bytes[i] == '\n' && (i == end || bytes[i - 1] == '\r')) ++i;
  }
}

}  // namespace win
