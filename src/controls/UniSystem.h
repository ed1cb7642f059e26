#pragma once
// The lowest layer of the Unicode layer: the layer's constants and exceptions, and the wide
// forms of the platform calls the wide controls, lists and menus use.
//
// The platform is always Unicode: its calls take UTF-16 and the framework's text is UTF-8, so
// there is one path through every wrapper (the wide one) and `UnicodePlatform` is true. The
// ANSI form of a text still exists where it can be seen (Windows Cyrillic, "?" for characters
// it lacks): `WideCharFitsAnsi`, `WideToAnsiCP` and the ANSI views of the wide lists.

#include <string>
#include <string_view>

#include "framework/SysUtils.h"
#include "platform/kernel/CodePages.h"
#include "platform/kernel/WinDef.h"

namespace cs {

using fw::String;
using fw::WideString;

inline constexpr bool UnicodePlatform = true;
// Version checks answer as on the latest platform the wide controls know.
inline constexpr bool PlatformIsXPOrLater = true;
// The code page of every implicit wide-to-ANSI conversion: the thread's ANSI page, Windows
// Cyrillic on this platform.
inline constexpr win::UINT DefaultAnsiCodePage = win::CP_THREAD_ACP;

// Bad input (invalid UTF-7) and internal failures of the layer.
class EUniGeneralError : public fw::Exception {
 public:
  using fw::Exception::Exception;
};
class EUniInternalError : public fw::Exception {
 public:
  using fw::Exception::Exception;
};

// The last system error of the calling thread, raised as EUniInternalError with its text.
[[noreturn]] void RaiseLastOSError();

// Wide wrappers of the platform calls.
win::BOOL WideSetWindowText(win::HWND Wnd, const WideString& Text);
win::DWORD WideGetFileAttributes(const WideString& Name);
// Count -1 draws the whole zero-terminated text.
int WideDrawText(win::HDC DC, const char16_t* Text, int Count, win::RECT* Rect, win::UINT Format);
// Copies the program's path: with room, the path and its terminator (the length is returned);
// otherwise exactly Size characters without a terminator (Size is returned).
win::DWORD WideGetModuleFileNameBuf(win::HMODULE Module, char16_t* Buffer, win::DWORD Size);
// One character, or a zero-terminated text converted in place (the platform's case rules).
char16_t WideCharUpper(char16_t Character);
char16_t WideCharLower(char16_t Character);
char16_t* WideCharUpper(char16_t* Text);
char16_t* WideCharLower(char16_t* Text);
win::DWORD WideCharUpperBuff(char16_t* Buffer, win::DWORD Count);
win::DWORD WideCharLowerBuff(char16_t* Buffer, win::DWORD Count);
// A string of the program's string table; the length (Buffer null or Size < 1) or the number
// of characters copied and terminated; 0 when there is no such string.
int WideLoadString(win::HINSTANCE Instance, win::UINT Id, char16_t* Buffer, int Size);
// A message text of the program: UTF-8 (a leading byte-order mark is skipped).
WideString WideLoadResString(std::string_view Text);

// Whether Character has a byte of its own in the ANSI code page.
bool WideCharFitsAnsi(char16_t Character);

}  // namespace cs
