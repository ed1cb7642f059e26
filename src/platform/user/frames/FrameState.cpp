// Per-window frame and scroll-bar state beside the window objects.

#include "platform/user/detail/FrameState.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/user/menus/Menu.h"
#include "platform/user/detail/UserCore.h"

namespace win::frame {
namespace {

struct Entry {
  std::weak_ptr<user::WindowObj> window;  // tells a reused handle from the window it was made for
  std::unique_ptr<FrameState> state;
};

struct Store {
  std::mutex m;
  std::unordered_map<HWND, Entry> entries;
};

Store& TheStore() {
  static Store* s = new Store;  // outlives windows destroyed during static destruction
  return *s;
}

// Stale states are destroyed after the store's lock is released (destroying one destroys its menu).
FrameState* Lookup(HWND hwnd, bool create, std::unique_ptr<FrameState>& stale) {
  user::WindowPtr w = user::FindWindowPtr(hwnd);
  Store& s = TheStore();
  std::lock_guard lock(s.m);
  auto it = s.entries.find(hwnd);
  if (it != s.entries.end() && (!w || it->second.window.lock() != w)) {
    stale = std::move(it->second.state);
    s.entries.erase(it);
    it = s.entries.end();
  }
  if (!w) return nullptr;
  if (it == s.entries.end()) {
    if (!create) return nullptr;
    it = s.entries.emplace(hwnd, Entry{w, std::make_unique<FrameState>()}).first;
  }
  return it->second.state.get();
}

}  // namespace

FrameState::~FrameState() {
  if (sysMenu) DestroyMenu(sysMenu);
}

FrameState* StateOf(HWND hwnd) {
  std::unique_ptr<FrameState> stale;
  return Lookup(hwnd, true, stale);
}

FrameState* FindState(HWND hwnd) {
  std::unique_ptr<FrameState> stale;
  return Lookup(hwnd, false, stale);
}

void DropState(HWND hwnd) {
  std::unique_ptr<FrameState> gone;
  Store& s = TheStore();
  std::lock_guard lock(s.m);
  if (auto it = s.entries.find(hwnd); it != s.entries.end()) {
    gone = std::move(it->second.state);
    s.entries.erase(it);
  }
}

}  // namespace win::frame
