#include "platform/user/services/AccessibleParts.h"

#include <map>
#include <mutex>

#include "platform/user/windows/Window.h"

namespace win {

namespace {

std::mutex gLock;
std::map<HWND, AccessibleInfoSource>& Sources() {
  static std::map<HWND, AccessibleInfoSource> sources;
  return sources;
}

}  // namespace

void SetAccessibleInfoSource(HWND hwnd, AccessibleInfoSource source) {
  std::lock_guard lock(gLock);
  if (source)
    Sources()[hwnd] = std::move(source);
  else
    Sources().erase(hwnd);
}

AccessibleWindowInfo AccessibleInfoOf(HWND hwnd) {
  AccessibleInfoSource source;
  {
    std::lock_guard lock(gLock);
    auto it = Sources().find(hwnd);
    if (it == Sources().end()) return {};
    source = it->second;
  }
  // The source runs outside the lock: it reads the window's own state, which may ask again.
  if (!IsWindow(hwnd)) return {};
  return source();
}

}  // namespace win
