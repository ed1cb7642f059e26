// Thread hooks. Each thread keeps one chain per hook type, newest first; a hook removed while a
// chain is running stays in place (inactive) until the outermost call returns.

#include "platform/user/messages/Hooks.h"

#include <atomic>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/user/detail/MessageTrace.h"
#include "platform/user/detail/UserCore.h"

namespace win {
namespace user {

namespace {
constexpr int kFirstHook = WH_MSGFILTER;   // -1
constexpr int kLastHook = WH_CALLWNDPROCRET;  // 12
constexpr int kHookTypes = kLastHook - kFirstHook + 1;
constexpr DWORD kErrorInvalidHookHandle = 1404;
constexpr DWORD kErrorInvalidHookFilter = 1426;

std::atomic<uintptr_t> g_nextHook{0x10};
}  // namespace

struct HookEntry {
  HHOOK handle = nullptr;
  HOOKPROC proc = nullptr;
  bool removed = false;
};

struct HookChains {
  std::vector<HookEntry> chains[kHookTypes];
  int running = 0;
};

namespace {

HookChains& ChainsOf(ThreadQueue& q) {
  if (!q.hooks) q.hooks = new HookChains;  // freed with the thread (see ~ThreadQueue)
  return *q.hooks;
}

std::vector<HookEntry>* ChainOf(ThreadQueue& q, int idHook) {
  if (idHook < kFirstHook || idHook > kLastHook) return nullptr;
  return &ChainsOf(q).chains[idHook - kFirstHook];
}

void Purge(HookChains& h) {
  if (h.running) return;
  for (auto& chain : h.chains) std::erase_if(chain, [](const HookEntry& e) { return e.removed; });
}

LRESULT CallFrom(ThreadQueue& q, std::vector<HookEntry>& chain, size_t start, int code, WPARAM wParam,
                 LPARAM lParam) {
  for (size_t i = start; i < chain.size(); ++i) {
    if (chain[i].removed) continue;
    HookChains& h = ChainsOf(q);
    ++h.running;
    struct Leave {
      HookChains& h;
      ~Leave() {
        --h.running;
        Purge(h);
      }
    } leave{h};
    return chain[i].proc(code, wParam, lParam);
  }
  return 0;
}

}  // namespace

ThreadQueue::~ThreadQueue() { delete hooks; }

bool HasHooks(ThreadQueue& q, int idHook) {
  if (!q.hooks) return false;
  auto* chain = ChainOf(q, idHook);
  if (!chain) return false;
  for (auto& e : *chain)
    if (!e.removed) return true;
  return false;
}

LRESULT CallHooks(ThreadQueue& q, int idHook, int code, WPARAM wParam, LPARAM lParam) {
  auto* chain = ChainOf(q, idHook);
  if (!chain) return 0;
  TraceCall trace(TraceKind::Hook, nullptr, 0, wParam, lParam, idHook, code);
  LRESULT r = CallFrom(q, *chain, 0, code, wParam, lParam);
  trace.Returned(r);
  return r;
}

}  // namespace user

using namespace user;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  ThreadQueue& q = CurrentQueue();
  if (threadId != 0 && threadId != q.threadId) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* chain = ChainOf(q, idHook);
  if (!chain || idHook == WH_JOURNALRECORD || idHook == WH_JOURNALPLAYBACK) {
    SetLastError(kErrorInvalidHookFilter);
    return nullptr;
  }
  if (!proc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HHOOK h = reinterpret_cast<HHOOK>(g_nextHook.fetch_add(0x10));
  chain->insert(chain->begin(), HookEntry{h, proc, false});
  return h;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  ThreadQueue& q = CurrentQueue();
  if (q.hooks && hook) {
    for (auto& chain : q.hooks->chains)
      for (auto& e : chain)
        if (e.handle == hook && !e.removed) {
          e.removed = true;
          Purge(*q.hooks);
          return TRUE;
        }
  }
  SetLastError(kErrorInvalidHookHandle);
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  ThreadQueue& q = CurrentQueue();
  if (!q.hooks || !hook) return 0;
  for (auto& chain : q.hooks->chains)
    for (size_t i = 0; i < chain.size(); ++i)
      if (chain[i].handle == hook) return CallFrom(q, chain, i + 1, code, wParam, lParam);
  return 0;
}

}  // namespace win
