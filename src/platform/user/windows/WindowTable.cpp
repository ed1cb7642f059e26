// The handle table of windows, the desktop and message-root windows, and the per-thread queues.

#include <atomic>
#include <map>

#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Threads.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysWindowLink.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/UserCore.h"

namespace win::user {
namespace {

// Handles are slot index (low 24 bits) plus a generation count, so a destroyed window's handle
// never names a later window.
constexpr uintptr_t kIndexBits = 24;
constexpr uintptr_t kIndexMask = (uintptr_t(1) << kIndexBits) - 1;

struct Slot {
  WindowPtr obj;
  uintptr_t generation = 1;
};

struct Table {
  std::mutex m;
  std::vector<Slot> slots{Slot{}};  // slot 0 unused: handles are never small integers
  std::vector<size_t> freeSlots;
};

Table& TheTable() {
  static Table* t = new Table;  // outlives every static destructor that might still ask
  return *t;
}

HWND MakeHandle(size_t index, uintptr_t gen) { return reinterpret_cast<HWND>((gen << kIndexBits) | index); }

WindowObj* MakeRoot(bool desktop) {
  auto w = std::make_shared<WindowObj>();
  w->isDesktop = desktop;
  w->isMessageRoot = !desktop;
  w->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_POPUP;
  w->created = true;
  w->window = RECT{0, 0, 0, 0};
  w->client = w->window;
  WindowObj* raw = w.get();
  AddWindow(std::move(w));
  return raw;
}

struct QueueRegistry {
  std::mutex m;
  std::map<DWORD, std::shared_ptr<ThreadQueue>> queues;
};
QueueRegistry& Registry() {
  static QueueRegistry* r = new QueueRegistry;
  return *r;
}

// Closes the thread's queue when the thread ends: waiting senders are released and later posts
// fail, as they do for a thread that has gone.
struct QueueHolder {
  std::shared_ptr<ThreadQueue> q;
  ~QueueHolder() {
    if (!q) return;
    {
      std::lock_guard lock(Registry().m);
      Registry().queues.erase(q->threadId);
    }
    std::deque<std::shared_ptr<SentRequest>> pending;
    {
      std::lock_guard lock(q->m);
      q->closing = true;
      pending.swap(q->sent);
      q->posted.clear();
      q->input.clear();
    }
    for (auto& r : pending) {
      std::lock_guard lock(r->m);
      r->done = true;
      r->cv.notify_all();
    }
  }
};

}  // namespace

HWND AddWindow(WindowPtr w) {
  Table& t = TheTable();
  std::lock_guard lock(t.m);
  size_t index;
  if (!t.freeSlots.empty()) {
    index = t.freeSlots.back();
    t.freeSlots.pop_back();
  } else {
    if (t.slots.size() > kIndexMask) return nullptr;
    index = t.slots.size();
    t.slots.emplace_back();
  }
  Slot& s = t.slots[index];
  HWND h = MakeHandle(index, s.generation);
  w->hwnd = h;
  s.obj = std::move(w);
  return h;
}

WindowPtr FindWindowPtr(HWND hwnd) {
  uintptr_t v = reinterpret_cast<uintptr_t>(hwnd);
  size_t index = v & kIndexMask;
  uintptr_t gen = v >> kIndexBits;
  Table& t = TheTable();
  std::lock_guard lock(t.m);
  if (index == 0 || index >= t.slots.size()) return nullptr;
  Slot& s = t.slots[index];
  if (s.generation != gen || !s.obj) return nullptr;
  return s.obj;
}

WindowObj* FindWindowObj(HWND hwnd) {
  // The table keeps the object alive; callers on the owner thread use it synchronously.
  return FindWindowPtr(hwnd).get();
}

WindowObj* CheckWindow(HWND hwnd) {
  WindowObj* w = FindWindowObj(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

void RemoveWindow(HWND hwnd) {
  uintptr_t v = reinterpret_cast<uintptr_t>(hwnd);
  size_t index = v & kIndexMask;
  WindowPtr doomed;
  Table& t = TheTable();
  {
    std::lock_guard lock(t.m);
    if (index == 0 || index >= t.slots.size()) return;
    Slot& s = t.slots[index];
    if (s.generation != (v >> kIndexBits) || !s.obj) return;
    doomed = std::move(s.obj);
    s.obj.reset();
    s.generation = (s.generation + 1) & ((uintptr_t(1) << 24) - 1);
    if (s.generation == 0) s.generation = 1;
    t.freeSlots.push_back(index);
  }
  // `doomed` dies here unless a window procedure frame still holds it.
}

std::vector<WindowPtr> AllWindows() {
  Table& t = TheTable();
  std::lock_guard lock(t.m);
  std::vector<WindowPtr> out;
  for (auto& s : t.slots)
    if (s.obj) out.push_back(s.obj);
  return out;
}

namespace {
// The window-system services reach windows only through this link.
void InstallServiceLink() {
  SysWindowLink link;
  link.isWindow = [](HWND h) { return FindWindowObj(h) != nullptr; };
  link.windowRect = [](HWND h, RECT* r) { return GetWindowRect(h, r) != FALSE; };
  link.sendToTopLevelWindows = [](UINT msg, WPARAM wParam, LPARAM lParam) {
    std::vector<HWND> tops;
    for (WindowObj* t : Desktop()->children) tops.push_back(t->hwnd);
    for (HWND h : tops) SendMessageW(h, msg, wParam, lParam);
  };
  link.setAcceptFiles = [](HWND h, bool accept) {
    WindowObj* w = FindWindowObj(h);
    if (!w) return false;
    if (accept)
      w->exStyle |= WS_EX_ACCEPTFILES;
    else
      w->exStyle &= ~WS_EX_ACCEPTFILES;
    return true;
  };
  SetSysWindowLink(std::move(link));
}
}  // namespace

WindowObj* Desktop() {
  static WindowObj* d = [] {
    WindowObj* w = MakeRoot(true);
    InstallServiceLink();
    RegisterOptionalEntryPoints();
    SetSysColorResolver(&GetSysColor);  // FillRect's (HBRUSH)(COLOR_x + 1) values
    return w;
  }();
  return d;
}

WindowObj* MessageRoot() {
  static WindowObj* m = MakeRoot(false);
  return m;
}

DWORD CurrentThreadId() { return GetCurrentThreadId(); }


ThreadQueue& CurrentQueue() {
  thread_local QueueHolder holder;
  if (!holder.q) {
    holder.q = std::make_shared<ThreadQueue>();
    holder.q->threadId = CurrentThreadId();
    std::lock_guard lock(Registry().m);
    Registry().queues[holder.q->threadId] = holder.q;
  }
  return *holder.q;
}

void WakeAllQueues() {
  std::vector<std::shared_ptr<ThreadQueue>> all;
  {
    std::lock_guard lock(Registry().m);
    for (auto& [id, q] : Registry().queues) all.push_back(q);
  }
  for (auto& q : all) WakeQueue(*q);
}

std::shared_ptr<ThreadQueue> FindQueue(DWORD threadId) {
  std::lock_guard lock(Registry().m);
  auto it = Registry().queues.find(threadId);
  return it == Registry().queues.end() ? nullptr : it->second;
}

}  // namespace win::user
