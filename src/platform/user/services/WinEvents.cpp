#include "platform/user/services/WinEvents.h"

#include <algorithm>
#include <mutex>

#include "platform/kernel/Clock.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Threads.h"

namespace win {
namespace {

constexpr size_t kKeptEvents = 4096;

struct Listener {
  HWINEVENTHOOK handle = nullptr;
  DWORD eventMin = 0, eventMax = 0;
  WINEVENTPROC proc = nullptr;
  DWORD thread = 0;
  DWORD flags = 0;
  DWORD installer = 0;  // the thread that installed it
};

struct EventState {
  std::mutex mutex;
  std::vector<WinEventRecord> events;
  std::vector<Listener> listeners;
  uintptr_t nextHandle = 0x100;
};

EventState& State() {
  static EventState* state = new EventState;  // notified from windows destroyed at exit
  return *state;
}

bool Installed(EventState& s, HWINEVENTHOOK h) {
  return std::any_of(s.listeners.begin(), s.listeners.end(), [&](const Listener& l) { return l.handle == h; });
}

}  // namespace

HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE, WINEVENTPROC proc, DWORD, DWORD idThread,
                              DWORD dwFlags) {
  if (!proc || eventMin > eventMax) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  EventState& s = State();
  std::lock_guard lock(s.mutex);
  auto handle = reinterpret_cast<HWINEVENTHOOK>(s.nextHandle);
  s.nextHandle += 0x10;
  s.listeners.push_back({handle, eventMin, eventMax, proc, idThread, dwFlags, GetCurrentThreadId()});
  return handle;
}

BOOL UnhookWinEvent(HWINEVENTHOOK hook) {
  EventState& s = State();
  std::lock_guard lock(s.mutex);
  auto it = std::find_if(s.listeners.begin(), s.listeners.end(), [&](const Listener& l) { return l.handle == hook; });
  if (it == s.listeners.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  s.listeners.erase(it);
  return TRUE;
}

void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild) {
  EventState& s = State();
  std::vector<Listener> hearing;
  DWORD thread = GetCurrentThreadId();
  {
    std::lock_guard lock(s.mutex);
    // The record is for tests; a long session keeps only the latest events.
    if (s.events.size() >= kKeptEvents) s.events.erase(s.events.begin(), s.events.begin() + kKeptEvents / 2);
    s.events.push_back({event, hwnd, idObject, idChild});
    for (const Listener& l : s.listeners) {
      if (event < l.eventMin || event > l.eventMax) continue;
      if (l.thread != 0 && l.thread != thread) continue;
      // Every source is this process.
      if (l.flags & WINEVENT_SKIPOWNPROCESS) continue;
      if ((l.flags & WINEVENT_SKIPOWNTHREAD) && l.installer == thread) continue;
      hearing.push_back(l);
    }
  }
  DWORD time = GetTickCount();
  for (const Listener& l : hearing) {
    {
      std::lock_guard lock(s.mutex);
      if (!Installed(s, l.handle)) continue;
    }
    l.proc(l.handle, event, hwnd, idObject, idChild, thread, time);
  }
}

std::vector<WinEventRecord> RecordedWinEvents() {
  EventState& s = State();
  std::lock_guard lock(s.mutex);
  return s.events;
}

void ResetWinEvents() {
  EventState& s = State();
  std::lock_guard lock(s.mutex);
  s.events.clear();
}

}  // namespace win
