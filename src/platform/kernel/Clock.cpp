#include "platform/kernel/Clock.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace win {
namespace {

constexpr ULONGLONG kVirtualStartMs = 1'000'000;
// Counter ticks per second for the performance counter (100 ns units).
constexpr LONGLONG kPerformanceFrequency = 10'000'000;

struct ClockState {
  std::mutex mutex;
  bool isVirtual = false;
  ULONGLONG virtualMs = kVirtualStartMs;
  int nextListenerId = 1;
  std::vector<std::pair<int, std::function<void()>>> listeners;
};

ClockState& State() {
  static ClockState state;
  return state;
}

std::chrono::steady_clock::duration RealSinceOrigin() {
  static const auto origin = std::chrono::steady_clock::now();
  return std::chrono::steady_clock::now() - origin;
}

}  // namespace

namespace clock {

void UseVirtual(bool on) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.isVirtual = on;
  // Each switch to virtual time starts from the same origin so runs are reproducible.
  if (on) s.virtualMs = kVirtualStartMs;
}

bool IsVirtual() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.isVirtual;
}

void Advance(DWORD ms) {
  auto& s = State();
  std::vector<std::function<void()>> toNotify;
  {
    std::lock_guard lock(s.mutex);
    if (!s.isVirtual) return;
    s.virtualMs += ms;
    toNotify.reserve(s.listeners.size());
    for (auto& entry : s.listeners) toNotify.push_back(entry.second);
  }
  // Called outside the lock: a listener may read the clock or advance it again.
  for (auto& listener : toNotify) listener();
}

ULONGLONG NowMs() {
  auto& s = State();
  {
    std::lock_guard lock(s.mutex);
    if (s.isVirtual) return s.virtualMs;
  }
  // Offset so that real ticks never start at zero either.
  return kVirtualStartMs +
         ULONGLONG(std::chrono::duration_cast<std::chrono::milliseconds>(RealSinceOrigin()).count());
}

int AddListener(std::function<void()> onAdvance) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  const int id = s.nextListenerId++;
  s.listeners.emplace_back(id, std::move(onAdvance));
  return id;
}

void RemoveListener(int id) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  std::erase_if(s.listeners, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace clock

DWORD GetTickCount() { return DWORD(clock::NowMs()); }
ULONGLONG GetTickCount64() { return clock::NowMs(); }
DWORD timeGetTime() { return DWORD(clock::NowMs()); }

BOOL QueryPerformanceCounter(LONGLONG* count) {
  if (!count) return FALSE;
  if (clock::IsVirtual()) {
    *count = LONGLONG(clock::NowMs()) * (kPerformanceFrequency / 1000);
  } else {
    *count = LONGLONG(kVirtualStartMs) * (kPerformanceFrequency / 1000) +
             LONGLONG(std::chrono::duration_cast<std::chrono::nanoseconds>(RealSinceOrigin()).count() / 100);
  }
  return TRUE;
}

BOOL QueryPerformanceFrequency(LONGLONG* frequency) {
  if (!frequency) return FALSE;
  *frequency = kPerformanceFrequency;
  return TRUE;
}

void Sleep(DWORD ms) {
  if (clock::IsVirtual()) {
    clock::Advance(ms);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace win
