// Timers. Each timer has a due time on the kernel clock; a due timer yields one WM_TIMER when the
// queue has nothing else, however many periods passed, and is rescheduled when it is removed.

#include "platform/user/messages/Timers.h"

#include <algorithm>

#include "platform/kernel/Clock.h"
#include "platform/kernel/LastError.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {
namespace {

// Ids handed out for timers without a window, as Win32 does (never colliding with each other).
UINT_PTR g_nextThreadTimerId = 0x7FF0;

UINT ClampInterval(UINT ms) { return std::clamp<UINT>(ms, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM); }

UINT_PTR AddTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, bool system) {
  ThreadQueue& q = CurrentQueue();
  if (hwnd) {
    WindowObj* w = CheckWindow(hwnd);
    if (!w) return 0;
    if (w->threadId != q.threadId) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
  } else {
    // A thread timer: an id of ours unless the caller names an existing one to replace.
    bool exists = std::any_of(q.timers.begin(), q.timers.end(),
                              [&](const Timer& t) { return !t.hwnd && t.id == id && id != 0; });
    if (!exists) {
      do {
        id = ++g_nextThreadTimerId;
      } while (std::any_of(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.id == id; }));
    }
  }
  UINT interval = ClampInterval(elapse);
  ULONGLONG due = clock::NowMs() + interval;
  for (Timer& t : q.timers) {
    if (t.hwnd == hwnd && t.id == id && t.system == system) {
      t.proc = proc;
      t.interval = interval;
      t.due = due;
      return hwnd ? (id ? id : 1) : id;
    }
  }
  q.timers.push_back(Timer{hwnd, id, proc, interval, due, system});
  return hwnd ? (id ? id : 1) : id;
}

BOOL RemoveTimer(HWND hwnd, UINT_PTR id, bool system) {
  ThreadQueue& q = CurrentQueue();
  auto it = std::find_if(q.timers.begin(), q.timers.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id && t.system == system; });
  if (it == q.timers.end()) return FALSE;
  q.timers.erase(it);
  // A WM_TIMER already posted for it is gone too: timer messages are never queued ahead.
  return TRUE;
}

bool MatchesFilter(HWND hwnd, HWND filter);

}  // namespace

bool TakeTimerMessage(ThreadQueue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  if (q.timers.empty()) return false;
  bool wantTimer = (min == 0 && max == 0) || (WM_TIMER >= min && WM_TIMER <= max);
  bool wantSys = (min == 0 && max == 0) || (WM_SYSTIMER >= min && WM_SYSTIMER <= max);
  if (!wantTimer && !wantSys) return false;
  ULONGLONG now = clock::NowMs();
  Timer* best = nullptr;
  for (Timer& t : q.timers) {
    if (t.due > now) continue;
    if (t.system ? !wantSys : !wantTimer) continue;
    if (!MatchesFilter(t.hwnd, filter)) continue;
    if (!best || t.due < best->due) best = &t;
  }
  if (!best) return false;
  *out = MSG{best->hwnd, best->system ? WM_SYSTIMER : WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc),
             DWORD(now), CurrentCursorPos()};
  if (remove) best->due = now + best->interval;
  return true;
}

std::optional<ULONGLONG> NextTimerDue(ThreadQueue& q) {
  std::optional<ULONGLONG> due;
  for (const Timer& t : q.timers)
    if (!due || t.due < *due) due = t.due;
  return due;
}

void KillWindowTimers(ThreadQueue& q, HWND hwnd) {
  std::erase_if(q.timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

UINT_PTR SetSystemTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) { return AddTimer(hwnd, id, elapseMs, nullptr, true); }
void KillSystemTimer(HWND hwnd, UINT_PTR id) { RemoveTimer(hwnd, id, true); }

namespace {
bool MatchesFilter(HWND hwnd, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
  if (hwnd == filter) return true;
  WindowObj* f = FindWindowObj(filter);
  WindowObj* w = FindWindowObj(hwnd);
  return f && w && IsDescendant(f, w);
}
}  // namespace

}  // namespace user

using namespace user;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  return AddTimer(hwnd, id, elapseMs, proc, false);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  if (hwnd && !CheckWindow(hwnd)) return FALSE;
  if (!RemoveTimer(hwnd, id, false)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

}  // namespace win
