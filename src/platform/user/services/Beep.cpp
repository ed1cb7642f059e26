#include "platform/user/services/Beep.h"

#include <mutex>

namespace win {
namespace {

struct BeepState {
  std::mutex mutex;
  int count = 0;
  UINT lastType = 0;
  std::function<void(UINT)> listener;
};

BeepState& State() {
  static BeepState s;
  return s;
}

}  // namespace

BOOL MessageBeep(UINT uType) {
  auto& s = State();
  std::function<void(UINT)> listener;
  {
    std::lock_guard lock(s.mutex);
    ++s.count;
    s.lastType = uType;
    listener = s.listener;
  }
  if (listener) listener(uType);
  return TRUE;
}

int MessageBeepCount() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.count;
}

UINT LastMessageBeepType() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return s.lastType;
}

void SetMessageBeepListener(std::function<void(UINT)> listener) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.listener = std::move(listener);
}

void ResetMessageBeeps() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  s.count = 0;
  s.lastType = 0;
  s.listener = nullptr;
}

}  // namespace win
