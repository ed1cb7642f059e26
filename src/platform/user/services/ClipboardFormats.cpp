#include "platform/user/services/ClipboardFormats.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "platform/kernel/CaseMapping.h"
#include "platform/kernel/LastError.h"

namespace win {
namespace {

struct Registry {
  std::mutex mutex;
  std::vector<std::u16string> names;  // names[i] is format 0xC000 + i
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

}  // namespace

UINT RegisterClipboardFormatW(LPCWSTR lpszFormat) {
  if (!lpszFormat || !*lpszFormat) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string name(lpszFormat);
  auto& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  for (size_t i = 0; i < r.names.size(); ++i)
    if (SameTextIgnoreCase(r.names[i], name)) return UINT(kFirstRegisteredClipboardFormat + i);
  if (r.names.size() > 0xFFFF - kFirstRegisteredClipboardFormat) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  r.names.push_back(std::move(name));
  return UINT(kFirstRegisteredClipboardFormat + r.names.size() - 1);
}

int GetClipboardFormatNameW(UINT format, LPWSTR lpszFormatName, int cchMaxCount) {
  if (!lpszFormatName || cchMaxCount <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  if (format < kFirstRegisteredClipboardFormat || format - kFirstRegisteredClipboardFormat >= r.names.size()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto& name = r.names[format - kFirstRegisteredClipboardFormat];
  size_t n = std::min(name.size(), size_t(cchMaxCount - 1));
  std::copy_n(name.begin(), n, lpszFormatName);
  lpszFormatName[n] = 0;
  return int(n);
}

}  // namespace win
