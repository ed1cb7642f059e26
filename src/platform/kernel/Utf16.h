#pragma once
// Surrogate-pair helpers for UTF-16 text, shared by every part that walks wide strings.

#include <cstddef>
#include <string_view>

namespace win {

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }
constexpr char32_t CombineSurrogates(char16_t high, char16_t low) {
  return 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
}
// Whether a well-formed surrogate pair starts at text[i].
constexpr bool IsPairAt(std::u16string_view text, std::size_t i) {
  return i + 1 < text.size() && IsHighSurrogate(text[i]) && IsLowSurrogate(text[i + 1]);
}

}  // namespace win
