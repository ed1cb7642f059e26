#include "platform/kernel/Version.h"

#include "platform/kernel/LastError.h"

namespace win {
namespace {

constexpr DWORD kMajor = 6, kMinor = 1, kBuild = 7601;

}  // namespace

BOOL GetVersionExW(OSVERSIONINFOW* info) {
  if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->dwMajorVersion = kMajor;
  info->dwMinorVersion = kMinor;
  info->dwBuildNumber = kBuild;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  info->szCSDVersion[0] = 0;
  return TRUE;
}

DWORD GetVersion() { return kMajor | (kMinor << 8) | (kBuild << 16); }

}  // namespace win
