#include "platform/user/services/WinEvents.h"

#include <mutex>

namespace win {
namespace {

struct EventLog {
  std::mutex mutex;
  std::vector<WinEventRecord> events;
};

EventLog& Log() {
  static EventLog log;
  return log;
}

}  // namespace

void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild) {
  EventLog& log = Log();
  std::lock_guard lock(log.mutex);
  log.events.push_back({event, hwnd, idObject, idChild});
}

std::vector<WinEventRecord> RecordedWinEvents() {
  EventLog& log = Log();
  std::lock_guard lock(log.mutex);
  return log.events;
}

void ResetWinEvents() {
  EventLog& log = Log();
  std::lock_guard lock(log.mutex);
  log.events.clear();
}

}  // namespace win
