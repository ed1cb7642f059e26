#include "platform/kernel/Threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/kernel/Clock.h"
#include "platform/kernel/LastError.h"

namespace win {
namespace {

struct KernelObject {
  virtual ~KernelObject() = default;
};

struct Event : KernelObject {
  bool manualReset = false;
  bool signalled = false;
};

struct Thread : KernelObject {
  LPTHREAD_START_ROUTINE start = nullptr;
  LPVOID parameter = nullptr;
  DWORD id = 0;
  bool suspended = false;
  bool finished = false;
  DWORD exitCode = STILL_ACTIVE;
  int priority = THREAD_PRIORITY_NORMAL;
};

// One lock and one condition for every kernel object: waits are rare and short, and a single
// condition lets clock advances wake every timed wait.
struct Kernel {
  std::mutex mutex;
  std::condition_variable changed;
  std::map<uintptr_t, std::shared_ptr<KernelObject>> handles;
  uintptr_t nextHandle = 0x1000;
  bool clockHooked = false;
};

Kernel& TheKernel() {
  static Kernel* kernel = new Kernel;  // never destroyed: detached threads may outlive main
  return *kernel;
}

std::atomic<DWORD> gNextThreadId{1000};
thread_local DWORD tThreadId = 0;

HANDLE Insert(Kernel& k, std::shared_ptr<KernelObject> object) {
  const uintptr_t value = k.nextHandle;
  k.nextHandle += 4;
  k.handles.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

template <typename T>
std::shared_ptr<T> Lookup(Kernel& k, HANDLE handle) {
  auto it = k.handles.find(reinterpret_cast<uintptr_t>(handle));
  if (it == k.handles.end()) return nullptr;
  return std::dynamic_pointer_cast<T>(it->second);
}

// Lookup that reports an unknown handle (or one of another kind) as ERROR_INVALID_HANDLE.
template <typename T>
std::shared_ptr<T> Find(Kernel& k, HANDLE handle) {
  auto object = Lookup<T>(k, handle);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

BOOL SetEventState(HANDLE handle, bool signalled) {
  Kernel& k = TheKernel();
  {
    std::lock_guard lock(k.mutex);
    auto event = Find<Event>(k, handle);
    if (!event) return FALSE;
    event->signalled = signalled;
  }
  if (signalled) k.changed.notify_all();
  return TRUE;
}

void Launch(const std::shared_ptr<Thread>& thread) {
  std::thread([thread] {
    tThreadId = thread->id;
    const DWORD code = thread->start(thread->parameter);
    Kernel& k = TheKernel();
    {
      std::lock_guard lock(k.mutex);
      thread->finished = true;
      thread->exitCode = code;
    }
    k.changed.notify_all();
  }).detach();
}

// Timed waits under the virtual clock wake when time is advanced.
void HookClock(Kernel& k) {
  if (k.clockHooked) return;
  k.clockHooked = true;
  clock::AddListener([] {
    Kernel& kernel = TheKernel();
    { std::lock_guard lock(kernel.mutex); }
    kernel.changed.notify_all();
  });
}

bool TryAcquire(KernelObject& object) {
  if (auto* event = dynamic_cast<Event*>(&object)) {
    if (!event->signalled) return false;
    if (!event->manualReset) event->signalled = false;
    return true;
  }
  if (auto* thread = dynamic_cast<Thread*>(&object)) return thread->finished;
  return false;
}

struct SectionLock {
  std::recursive_mutex mutex;
  std::atomic<DWORD> owner{0};
  int depth = 0;
};

SectionLock* LockOf(CRITICAL_SECTION* section) {
  void* current = __atomic_load_n(&section->lock, __ATOMIC_ACQUIRE);
  if (current) return static_cast<SectionLock*>(current);
  auto* fresh = new SectionLock;
  void* expected = nullptr;
  if (__atomic_compare_exchange_n(&section->lock, &expected, fresh, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE))
    return fresh;
  delete fresh;
  return static_cast<SectionLock*>(expected);
}

}  // namespace

DWORD GetCurrentThreadId() {
  if (tThreadId == 0) tThreadId = gNextThreadId++;
  return tThreadId;
}

HANDLE CreateThread(void*, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                    DWORD* threadId) {
  if (!start || (creationFlags & ~CREATE_SUSPENDED) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto thread = std::make_shared<Thread>();
  thread->start = start;
  thread->parameter = parameter;
  thread->id = gNextThreadId++;
  thread->suspended = (creationFlags & CREATE_SUSPENDED) != 0;
  Kernel& k = TheKernel();
  HANDLE handle;
  {
    std::lock_guard lock(k.mutex);
    handle = Insert(k, thread);
  }
  if (threadId) *threadId = thread->id;
  if (!thread->suspended) Launch(thread);
  return handle;
}

DWORD ResumeThread(HANDLE handle) {
  Kernel& k = TheKernel();
  std::shared_ptr<Thread> thread;
  {
    std::lock_guard lock(k.mutex);
    thread = Find<Thread>(k, handle);
    if (!thread) return DWORD(-1);
    if (!thread->suspended) return 0;
    thread->suspended = false;
  }
  Launch(thread);
  return 1;
}

BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode) {
  Kernel& k = TheKernel();
  std::lock_guard lock(k.mutex);
  auto thread = Find<Thread>(k, handle);
  if (!thread) return FALSE;
  if (!exitCode) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *exitCode = thread->exitCode;
  return TRUE;
}

BOOL SetThreadPriority(HANDLE handle, int priority) {
  Kernel& k = TheKernel();
  std::lock_guard lock(k.mutex);
  auto thread = Find<Thread>(k, handle);
  if (!thread) return FALSE;
  if (priority < -15 || priority > 15) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  thread->priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE handle) {
  Kernel& k = TheKernel();
  std::lock_guard lock(k.mutex);
  auto thread = Find<Thread>(k, handle);
  if (!thread) return THREAD_PRIORITY_ERROR_RETURN;
  return thread->priority;
}

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR) {
  auto event = std::make_shared<Event>();
  event->manualReset = manualReset != FALSE;
  event->signalled = initialState != FALSE;
  Kernel& k = TheKernel();
  std::lock_guard lock(k.mutex);
  return Insert(k, std::move(event));
}

BOOL SetEvent(HANDLE handle) { return SetEventState(handle, true); }
BOOL ResetEvent(HANDLE handle) { return SetEventState(handle, false); }

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  Kernel& k = TheKernel();
  std::unique_lock lock(k.mutex);
  auto it = k.handles.find(reinterpret_cast<uintptr_t>(handle));
  if (it == k.handles.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  // Keep the object alive even if another thread closes the handle meanwhile.
  const std::shared_ptr<KernelObject> object = it->second;
  if (milliseconds != INFINITE) HookClock(k);
  const ULONGLONG deadline = clock::NowMs() + milliseconds;
  for (;;) {
    if (TryAcquire(*object)) return WAIT_OBJECT_0;
    if (milliseconds != INFINITE) {
      const ULONGLONG now = clock::NowMs();
      if (now >= deadline) return WAIT_TIMEOUT;
      if (!clock::IsVirtual()) {
        k.changed.wait_for(lock, std::chrono::milliseconds(deadline - now));
        continue;
      }
    }
    k.changed.wait(lock);
  }
}

BOOL CloseHandle(HANDLE handle) {
  Kernel& k = TheKernel();
  std::lock_guard lock(k.mutex);
  if (k.handles.erase(reinterpret_cast<uintptr_t>(handle)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

void InitializeCriticalSection(CRITICAL_SECTION* section) {
  if (section) section->lock = new SectionLock;
}

void DeleteCriticalSection(CRITICAL_SECTION* section) {
  if (!section) return;
  delete static_cast<SectionLock*>(section->lock);
  section->lock = nullptr;
}

void EnterCriticalSection(CRITICAL_SECTION* section) {
  if (!section) return;
  SectionLock* lock = LockOf(section);
  lock->mutex.lock();
  lock->owner = GetCurrentThreadId();
  ++lock->depth;
}

BOOL TryEnterCriticalSection(CRITICAL_SECTION* section) {
  if (!section) return FALSE;
  SectionLock* lock = LockOf(section);
  if (!lock->mutex.try_lock()) return FALSE;
  lock->owner = GetCurrentThreadId();
  ++lock->depth;
  return TRUE;
}

void LeaveCriticalSection(CRITICAL_SECTION* section) {
  if (!section || !section->lock) return;
  auto* lock = static_cast<SectionLock*>(section->lock);
  if (lock->owner != GetCurrentThreadId() || lock->depth == 0) return;
  if (--lock->depth == 0) lock->owner = 0;
  lock->mutex.unlock();
}

LONG InterlockedIncrement(volatile LONG* target) { return __atomic_add_fetch(target, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedDecrement(volatile LONG* target) { return __atomic_sub_fetch(target, 1, __ATOMIC_SEQ_CST); }
LONG InterlockedExchange(volatile LONG* target, LONG value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
LONG InterlockedExchangeAdd(volatile LONG* target, LONG value) {
  return __atomic_fetch_add(target, value, __ATOMIC_SEQ_CST);
}
LONG InterlockedCompareExchange(volatile LONG* target, LONG exchange, LONG comparand) {
  __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;  // the value found, whether or not it was replaced
}
void* InterlockedExchangePointer(void* volatile* target, void* value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
void* InterlockedCompareExchangePointer(void* volatile* target, void* exchange, void* comparand) {
  __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}

}  // namespace win
