#pragma once
// Code-page conversion shaped as the Win32 functions. The process's ANSI page is Windows
// Cyrillic (1251) and its OEM page is 866; UTF-8, 1252 and ISO 8859-1 are also known.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_MACCP = 2;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_COMPOSITE = 0x00000002;
inline constexpr DWORD MB_USEGLYPHCHARS = 0x00000004;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;

inline constexpr DWORD WC_COMPOSITECHECK = 0x00000200;
inline constexpr DWORD WC_DISCARDNS = 0x00000010;
inline constexpr DWORD WC_SEPCHARS = 0x00000020;
inline constexpr DWORD WC_DEFAULTCHAR = 0x00000040;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

UINT GetACP();
UINT GetOEMCP();
BOOL IsValidCodePage(UINT codePage);

// Returns the number of UTF-16 units written, or, when `wideCount` is 0, the number needed.
// A `byteCount` of -1 means a zero-terminated source whose terminator is converted too.
// Fails with 0 and the last error ERROR_INVALID_PARAMETER, ERROR_INVALID_FLAGS,
// ERROR_INSUFFICIENT_BUFFER or (with MB_ERR_INVALID_CHARS) ERROR_NO_UNICODE_TRANSLATION.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide, int wideCount);

// Characters a single-byte page lacks become `defaultChar` (or "?") and set *usedDefaultChar.
// For UTF-8 both of those must be null; lone surrogates become U+FFFD unless
// WC_ERR_INVALID_CHARS asks for failure.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR bytes, int byteCount,
                        LPCSTR defaultChar, BOOL* usedDefaultChar);

}  // namespace win
