#pragma once
// Time sources. Real time by default; tests switch the process to a virtual clock that moves only
// when advanced, so timers, hint delays and animations are deterministic.

#include <functional>

#include "platform/kernel/WinDef.h"

namespace win {

DWORD GetTickCount();
ULONGLONG GetTickCount64();
DWORD timeGetTime();
BOOL QueryPerformanceCounter(LONGLONG* count);
BOOL QueryPerformanceFrequency(LONGLONG* frequency);
// Real clock: blocks the thread. Virtual clock: advances virtual time by `ms` and returns.
void Sleep(DWORD ms);

namespace clock {

// Switches between the real and the virtual clock. The virtual clock starts at 1,000,000 ms so
// that tick arithmetic never starts at zero.
void UseVirtual(bool on);
bool IsVirtual();
// Moves virtual time forward and notifies the listeners. No effect on the real clock.
void Advance(DWORD ms);
// Milliseconds since an arbitrary origin, from whichever clock is active.
ULONGLONG NowMs();
// Listeners run (on the advancing thread) after each Advance, e.g. to let a message queue fire
// due timers. Returns an id for RemoveListener.
int AddListener(std::function<void()> onAdvance);
void RemoveListener(int id);

}  // namespace clock
}  // namespace win
