#pragma once
// Case mapping and comparison of wide text for Latin, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters; other characters are left as they are.

#include <string>
#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD NORM_IGNORECASE = 0x00000001;
inline constexpr DWORD NORM_IGNORENONSPACE = 0x00000002;
inline constexpr DWORD NORM_IGNORESYMBOLS = 0x00000004;
inline constexpr DWORD SORT_STRINGSORT = 0x00001000;

inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

char16_t ToUpperChar(char16_t c);
char16_t ToLowerChar(char16_t c);
std::u16string UpperCase(std::u16string_view text);
std::u16string LowerCase(std::u16string_view text);

// In place on a zero-terminated string; return the string. A value below 0x10000 in place of
// the pointer is a single character, whose mapping is returned the same way.
LPWSTR CharUpperW(LPWSTR text);
LPWSTR CharLowerW(LPWSTR text);
// In place on `length` units; return the number processed.
DWORD CharUpperBuffW(LPWSTR text, DWORD length);
DWORD CharLowerBuffW(LPWSTR text, DWORD length);

// Alphabetical order ignoring case (Ё sorts right after Е): negative, zero or positive.
int CompareTextIgnoreCase(std::u16string_view a, std::u16string_view b);
bool SameTextIgnoreCase(std::u16string_view a, std::u16string_view b);
// The same for UTF-8 text.
int CompareTextIgnoreCase(std::string_view a, std::string_view b);
bool SameTextIgnoreCase(std::string_view a, std::string_view b);

// Alphabetical comparison; without NORM_IGNORECASE a lower-case letter sorts before its
// upper-case form when the texts differ only in case. Counts of -1 mean zero-terminated texts.
// Returns CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN, or 0 with ERROR_INVALID_PARAMETER.
int CompareStringW(LCID locale, DWORD flags, LPCWSTR a, int countA, LPCWSTR b, int countB);

}  // namespace win
