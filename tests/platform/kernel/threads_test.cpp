#include "platform/kernel/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/kernel/Clock.h"
#include "platform/kernel/LastError.h"

namespace win {
namespace {

struct Shared {
  HANDLE go = nullptr;
  std::atomic<int> counter{0};
  DWORD seenId = 0;
};

DWORD CountUntilGo(LPVOID p) {
  auto* shared = static_cast<Shared*>(p);
  shared->seenId = GetCurrentThreadId();
  if (WaitForSingleObject(shared->go, INFINITE) != WAIT_OBJECT_0) return 99;
  ++shared->counter;
  return 7;
}

TEST(Threads, ThreadRunsWaitsAndReportsItsExitCode) {
  Shared shared;
  shared.go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, &CountUntilGo, &shared, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, GetCurrentThreadId());
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  ASSERT_TRUE(SetEvent(shared.go));
  ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(shared.counter.load(), 1);
  EXPECT_EQ(shared.seenId, id);
  ASSERT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 7u);
  // A finished thread stays signalled.
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(thread));
  EXPECT_TRUE(CloseHandle(shared.go));
}

TEST(Threads, SuspendedThreadStartsOnResume) {
  Shared shared;
  shared.go = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, &CountUntilGo, &shared, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  EXPECT_EQ(shared.counter.load(), 0);
  EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_LOWEST));
  EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_LOWEST);
  EXPECT_EQ(ResumeThread(thread), 1u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(shared.counter.load(), 1);
  EXPECT_EQ(ResumeThread(thread), 0u);
  CloseHandle(thread);
  CloseHandle(shared.go);
}

TEST(Threads, ThreadIdsAreStablePerThreadAndDistinct) {
  const DWORD mine = GetCurrentThreadId();
  EXPECT_EQ(GetCurrentThreadId(), mine);
  DWORD other = 0;
  std::thread([&] { other = GetCurrentThreadId(); }).join();
  EXPECT_NE(other, 0u);
  EXPECT_NE(other, mine);
}

TEST(Events, AutoResetReleasesOneWaitManualResetStaysSet) {
  HANDLE autoEvent = CreateEventW(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_TIMEOUT);
  SetEvent(autoEvent);
  EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_OBJECT_0);

  HANDLE manual = CreateEventW(nullptr, TRUE, FALSE, u"ignored name");
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
  SetEvent(manual);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
  ResetEvent(manual);
  EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
  CloseHandle(autoEvent);
  CloseHandle(manual);
}

TEST(Events, TimedWaitExpiresOnlyWhenVirtualTimePasses) {
  clock::UseVirtual(true);
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  std::atomic<DWORD> result{12345};
  std::thread waiter([&] { result = WaitForSingleObject(event, 100); });
  // Advancing less than the time-out must not end the wait; Sleep advances too.
  clock::Advance(60);
  Sleep(39);
  EXPECT_EQ(result.load(), 12345u);
  // Time passes in steps until the waiter has seen the deadline.
  while (result.load() == 12345u) clock::Advance(1);
  waiter.join();
  EXPECT_EQ(result.load(), WAIT_TIMEOUT);
  EXPECT_GE(clock::NowMs(), 1'000'100u);

  std::thread signalled([&] { result = WaitForSingleObject(event, 1000); });
  SetEvent(event);
  signalled.join();
  EXPECT_EQ(result.load(), WAIT_OBJECT_0);
  CloseHandle(event);
  clock::UseVirtual(false);
}

TEST(Handles, ClosedOrForgedHandlesFail) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(CloseHandle(event));
  SetLastError(0);
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(SetEvent(event));
  EXPECT_FALSE(ResetEvent(event));
  SetLastError(0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  HANDLE forged = reinterpret_cast<HANDLE>(uintptr_t(0xDEADBEEF));
  EXPECT_EQ(WaitForSingleObject(forged, INFINITE), WAIT_FAILED);
  EXPECT_FALSE(CloseHandle(nullptr));
  DWORD code = 0;
  EXPECT_FALSE(GetExitCodeThread(forged, &code));
  EXPECT_EQ(ResumeThread(forged), DWORD(-1));
  EXPECT_EQ(GetThreadPriority(forged), THREAD_PRIORITY_ERROR_RETURN);
  // An event handle is not a thread handle.
  HANDLE other = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_FALSE(GetExitCodeThread(other, &code));
  CloseHandle(other);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

TEST(CriticalSections, ExcludeOtherThreadsAndNest) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  EnterCriticalSection(&cs);
  EXPECT_TRUE(TryEnterCriticalSection(&cs));  // recursive for the owner
  bool otherGot = true;
  std::thread([&] { otherGot = TryEnterCriticalSection(&cs) != FALSE; }).join();
  EXPECT_FALSE(otherGot);
  LeaveCriticalSection(&cs);
  std::thread([&] { otherGot = TryEnterCriticalSection(&cs) != FALSE; }).join();
  EXPECT_FALSE(otherGot);  // still held once
  // A thread that does not own the section cannot release it.
  std::thread([&] { LeaveCriticalSection(&cs); }).join();
  std::thread([&] { otherGot = TryEnterCriticalSection(&cs) != FALSE; }).join();
  EXPECT_FALSE(otherGot);
  LeaveCriticalSection(&cs);
  std::thread([&] {
    otherGot = TryEnterCriticalSection(&cs) != FALSE;
    if (otherGot) LeaveCriticalSection(&cs);
  }).join();
  EXPECT_TRUE(otherGot);
  DeleteCriticalSection(&cs);
}

TEST(CriticalSections, ProtectACounterUnderContention) {
  CRITICAL_SECTION cs{};  // zero-filled: made on first use
  long counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 2000; ++i) {
        EnterCriticalSection(&cs);
        ++counter;
        LeaveCriticalSection(&cs);
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(counter, 8000);
  DeleteCriticalSection(&cs);
}

TEST(Interlocked, OperationsReturnWinValues) {
  volatile LONG v = 5;
  EXPECT_EQ(InterlockedIncrement(&v), 6);
  EXPECT_EQ(InterlockedDecrement(&v), 5);
  EXPECT_EQ(InterlockedExchange(&v, 10), 5);
  EXPECT_EQ(InterlockedExchangeAdd(&v, 3), 10);
  EXPECT_EQ(v, 13);
  EXPECT_EQ(InterlockedCompareExchange(&v, 20, 99), 13);  // no match: unchanged
  EXPECT_EQ(v, 13);
  EXPECT_EQ(InterlockedCompareExchange(&v, 20, 13), 13);
  EXPECT_EQ(v, 20);
  int a = 0, b = 0;
  void* volatile p = &a;
  EXPECT_EQ(InterlockedExchangePointer(&p, &b), &a);
  EXPECT_EQ(InterlockedCompareExchangePointer(&p, &a, &a), &b);
  EXPECT_EQ(p, &b);
  EXPECT_EQ(InterlockedCompareExchangePointer(&p, &a, &b), &b);
  EXPECT_EQ(p, &a);

  volatile LONG shared = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 5000; ++i) InterlockedIncrement(&shared);
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(shared, 20000);
}

}  // namespace
}  // namespace win
