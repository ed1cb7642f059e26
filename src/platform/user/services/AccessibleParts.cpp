#include "platform/user/services/AccessibleParts.h"

#include <algorithm>
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

namespace {

AccessibleInfoSource SourceOf(HWND hwnd) {
  std::lock_guard lock(gLock);
  auto it = Sources().find(hwnd);
  return it == Sources().end() ? AccessibleInfoSource() : it->second;
}

// The shown windows inside Parent that describe themselves, each as one part (a window without a
// source is looked through), in reading order.
void AppendDescribedWindows(HWND parent, std::vector<AccessiblePart>& out, int depth) {
  if (depth > 32) return;
  std::vector<AccessiblePart> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    AccessibleInfoSource source = SourceOf(child);
    if (!source) {
      AppendDescribedWindows(child, found, depth + 1);
      continue;
    }
    AccessibleWindowInfo info = source();
    AccessiblePart part;
    part.name = info.name;
    if (part.name.empty()) {
      char16_t text[256] = {};
      part.name.assign(text, size_t(std::max(0, GetWindowTextW(child, text, 256))));
    }
    part.role = info.role;
    GetWindowRect(child, &part.bounds);
    part.window = child;
    part.children = std::move(info.parts);
    AppendDescribedWindows(child, part.children, depth + 1);
    found.push_back(std::move(part));
  }
  std::stable_sort(found.begin(), found.end(), [](const AccessiblePart& a, const AccessiblePart& b) {
    return a.bounds.top != b.bounds.top ? a.bounds.top < b.bounds.top : a.bounds.left < b.bounds.left;
  });
  for (AccessiblePart& p : found) out.push_back(std::move(p));
}

}  // namespace

AccessibleWindowInfo AccessibleInfoOf(HWND hwnd) {
  AccessibleInfoSource source = SourceOf(hwnd);
  // The source runs outside the lock: it reads the window's own state, which may ask again.
  if (!IsWindow(hwnd)) return {};
  AccessibleWindowInfo info;
  if (source) info = source();
  AppendDescribedWindows(hwnd, info.parts, 0);
  return info;
}

}  // namespace win
