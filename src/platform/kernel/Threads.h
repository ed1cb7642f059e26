#pragma once
// Threads, events, critical sections and interlocked operations in their Win32 shape. Kernel
// objects live in a handle table: a closed or forged handle makes a call fail with
// ERROR_INVALID_HANDLE. Time-outs follow the active clock, so under the virtual clock a
// time-out expires only when virtual time is advanced past it.

#include <cstddef>

#include "platform/kernel/WinDef.h"

namespace win {

using LPVOID = void*;
using SIZE_T = std::size_t;
using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
inline constexpr DWORD STILL_ACTIVE = 259;
inline constexpr DWORD CREATE_SUSPENDED = 0x00000004;

inline constexpr int THREAD_PRIORITY_LOWEST = -2;
inline constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
inline constexpr int THREAD_PRIORITY_NORMAL = 0;
inline constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
inline constexpr int THREAD_PRIORITY_HIGHEST = 2;
inline constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7FFFFFFF;

// Security attributes are accepted and ignored.
HANDLE CreateThread(void* securityAttributes, SIZE_T stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD creationFlags, DWORD* threadId);
// Starts a thread created suspended; returns the previous suspend count, or -1 on failure.
DWORD ResumeThread(HANDLE thread);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
// Priorities are recorded but do not change scheduling.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);
DWORD GetCurrentThreadId();

// Event names are ignored: every event is private to its handle.
HANDLE CreateEventW(void* securityAttributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// An auto-reset event is reset by the wait that it releases. A thread is signalled once its
// routine has returned.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);

// Recursive lock. A zero-filled section is usable as well: the lock is made on first use.
struct CRITICAL_SECTION {
  void* lock = nullptr;
};
void InitializeCriticalSection(CRITICAL_SECTION* section);
void DeleteCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
BOOL TryEnterCriticalSection(CRITICAL_SECTION* section);
// Leaving a section the thread does not own is ignored.
void LeaveCriticalSection(CRITICAL_SECTION* section);

LONG InterlockedIncrement(volatile LONG* target);
LONG InterlockedDecrement(volatile LONG* target);
LONG InterlockedExchange(volatile LONG* target, LONG value);
LONG InterlockedExchangeAdd(volatile LONG* target, LONG value);
LONG InterlockedCompareExchange(volatile LONG* target, LONG exchange, LONG comparand);
void* InterlockedExchangePointer(void* volatile* target, void* value);
void* InterlockedCompareExchangePointer(void* volatile* target, void* exchange, void* comparand);

}  // namespace win
