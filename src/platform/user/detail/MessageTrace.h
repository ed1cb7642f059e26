#pragma once
// Internal: where deliveries and hook calls report to the message trace (see
// messages/MessageTrace.h). A TraceCall lives around one call into a window procedure or a hook
// chain: it reports the beginning, keeps the thread's nesting depth, and reports the result.

#include <atomic>
#include <optional>

#include "platform/user/messages/MessageTrace.h"

namespace win::user {

// True while a sink is installed (the environment's or a test's).
inline std::atomic<bool> gMessageTrace{false};
inline bool MessageTraceOn() { return gMessageTrace.load(std::memory_order_relaxed); }

// The standard-error trace of the environment variable, switched by tests.
void SetStandardErrorTrace(bool on, unsigned channels = kAllChannels);

class TraceCall {
 public:
  TraceCall(TraceKind kind, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int hook = 0, int code = 0);
  ~TraceCall();
  TraceCall(const TraceCall&) = delete;
  TraceCall& operator=(const TraceCall&) = delete;
  void Returned(LRESULT result);

 private:
  std::optional<TracedMessage> FRecord;  // set only while tracing: nothing to fill when off
};

}  // namespace win::user
