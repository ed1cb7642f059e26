#pragma once
// Text in other forms than UTF-16: UTF-7 (RFC 2152), in which form storage keeps wide texts as
// 7-bit strings, UTF-8, and the ANSI code pages. Every conversion here is lossless for what
// its target can hold; UTF-7 and our UTF-16 files keep even an unpaired surrogate.

#include <cstddef>
#include <string>
#include <string_view>

#include "controls/UniSystem.h"

namespace cs {

inline constexpr win::UINT CP_UTF7 = 65000;

// Outcome of the two UTF-7 codec routines.
enum TUtf7Result { utf7Ok = 0, utf7Invalid = 1, utf7TargetFull = 2 };

// Encodes Source into Target; SourceUsed/TargetUsed tell how far each end got. With
// AllowOptionalDirect the optional direct characters (!"#$%&*;<=>@[]^_`{|}) are written as
// they are; with AlwaysCloseShift every base64 run is closed by "-".
TUtf7Result Utf7Encode(std::u16string_view Source, char* Target, std::size_t TargetSize, bool AlwaysCloseShift,
                       bool AllowOptionalDirect, std::size_t& SourceUsed, std::size_t& TargetUsed);
// Decodes Source into Target. An invalid sequence makes the result utf7Invalid without ending
// the decoding (the rest is decoded as far as it goes).
TUtf7Result Utf7Decode(std::string_view Source, char16_t* Target, std::size_t TargetSize, std::size_t& SourceUsed,
                       std::size_t& TargetUsed);

// EUniGeneralError "Invalid UTF7" for bad input.
String WideToUtf7(std::u16string_view W);
WideString Utf7ToWide(std::string_view S);

WideString Utf8ToWide(std::string_view S);
String WideToUtf8(std::u16string_view W);

// Bytes in CodePage: 65000 UTF-7, 65001 UTF-8, 0 and 3 the ANSI page, or any page the platform
// knows. Characters the page lacks become "?".
WideString AnsiToWideCP(std::string_view S, win::UINT CodePage);
std::string WideToAnsiCP(std::u16string_view W, win::UINT CodePage);
// The same into a caller's string, whose storage is reused: bulk conversions (files, streams)
// run without asking the system for fresh memory each time.
void Utf8ToWide(std::string_view S, WideString& Out);
void WideToUtf8(std::u16string_view W, String& Out);
void AnsiToWideCP(std::string_view S, win::UINT CodePage, WideString& Out);
void WideToAnsiCP(std::u16string_view W, win::UINT CodePage, std::string& Out);

// The ANSI form of a wide text and back (DefaultAnsiCodePage).
std::string WideToAnsi(std::u16string_view W);
WideString AnsiToWide(std::string_view S);

// The ANSI code page of a locale (its LOCALE_IDEFAULTANSICODEPAGE), or the process's.
win::UINT LocaleAnsiCodePage(win::LCID Locale);

// Swaps the two bytes of every character up to the first U+0000.
void SwapWideByteOrder(char16_t* Buffer);

}  // namespace cs
