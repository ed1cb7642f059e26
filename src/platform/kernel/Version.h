#pragma once
// The system version the program reports: an NT 6.1 system, so that every "Windows XP or later"
// test passes and no "before Windows 2000" path is taken.

#include "platform/kernel/WinDef.h"

namespace win {

inline constexpr DWORD VER_PLATFORM_WIN32s = 0, VER_PLATFORM_WIN32_WINDOWS = 1, VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize = 0;
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  WCHAR szCSDVersion[128] = {};
};

// Fails (FALSE, ERROR_INVALID_PARAMETER) unless dwOSVersionInfoSize is the record's size.
BOOL GetVersionExW(OSVERSIONINFOW* info);
// Major version in the low byte, minor in the next, build in the high word (NT: top bit clear).
DWORD GetVersion();

}  // namespace win
