#pragma once
// Internal: a trace of the messages delivered to window procedures, one line per message on
// standard error (how it came, name, window, window class, parameters). It is on when the
// environment variable KV_TRACE_MESSAGES is set to anything but "" or "0" at start-up; when off,
// delivering a message pays one relaxed load.

#include <atomic>
#include <string>

#include "platform/user/windows/WinUserTypes.h"

namespace win::user {

struct WindowObj;

bool MessageTraceFromEnvironment();
inline std::atomic<bool> gMessageTrace{MessageTraceFromEnvironment()};

inline bool MessageTraceOn() { return gMessageTrace.load(std::memory_order_relaxed); }
// Tests switch it on and off.
inline void SetMessageTrace(bool on) { gMessageTrace.store(on, std::memory_order_relaxed); }

// `how`: "sent" or "dispatched".
void TraceMessage(const char* how, const WindowObj& w, UINT msg, WPARAM wParam, LPARAM lParam);

// "WM_PAINT", "WM_USER+5", "WM_APP+0x10", or the number in hexadecimal.
std::string MessageName(UINT msg);

}  // namespace win::user
