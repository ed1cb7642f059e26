#pragma once
// Byte-level codecs shared by the code-page functions and the convenience conversions.

#include <string>
#include <string_view>

#include "platform/kernel/WinDef.h"

namespace win::detail {

inline constexpr char16_t kReplacementChar = 0xFFFD;

// UTF-8 to UTF-16. Each ill-formed sequence (maximal invalid subpart) becomes U+FFFD and sets
// `invalid`. Overlong forms, encoded surrogates and values above U+10FFFF are ill-formed.
std::u16string DecodeUtf8(std::string_view bytes, bool& invalid);
// The same into `out`, whose storage is reused (large texts are converted without asking the
// system for fresh memory each time).
void DecodeUtf8(std::string_view bytes, std::u16string& out, bool& invalid);
// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD and sets `invalid`.
std::string EncodeUtf8(std::u16string_view text, bool& invalid);
void EncodeUtf8(std::u16string_view text, std::string& out, bool& invalid);

// The upper half (0x80..0xFF) of a single-byte code page, or null when the page is unknown.
// Bytes the page leaves undefined map to the C1 control of the same value, so decoding never
// loses a byte.
const char16_t* SingleByteHighHalf(UINT codePage);
// Byte for a UTF-16 unit in a single-byte page; false when the page cannot represent it.
bool EncodeSingleByte(UINT codePage, char16_t unit, unsigned char& byte);

}  // namespace win::detail
