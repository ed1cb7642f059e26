// The message trace (see messages/MessageTrace.h and detail/MessageTrace.h).

#include "platform/user/messages/MessageTrace.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "platform/kernel/TextConvert.h"
#include "platform/user/detail/MessageTrace.h"
#include "platform/user/detail/UserCore.h"
#include "platform/user/messages/Hooks.h"

namespace win {
namespace user {
namespace {

struct SinkState {
  std::mutex m;
  std::shared_ptr<const MessageTraceSinkEntry> installed;  // a test's sink
  std::shared_ptr<const MessageTraceSinkEntry> standardError;  // the environment's
};

SinkState& Sinks() {
  static SinkState* s = new SinkState;  // used by windows destroyed during static destruction
  return *s;
}

std::atomic<unsigned long long> gNextRecord{1};
thread_local int tDepth = 0;

void WriteToStandardError(const TracedMessage& m) {
  std::string line = FormatTracedMessage(m);
  std::fprintf(stderr, "%s\n", line.c_str());
}

std::shared_ptr<const MessageTraceSinkEntry> CurrentSink() {
  SinkState& s = Sinks();
  std::lock_guard lock(s.m);
  return s.installed ? s.installed : s.standardError;
}

void Refresh(SinkState& s) { gMessageTrace.store(s.installed || s.standardError, std::memory_order_relaxed); }

void Report(const TracedMessage& m) {
  auto sink = CurrentSink();
  if (sink && (sink->channels & m.channel) && sink->sink) sink->sink(m);
}

// The environment's trace, installed before any window exists.
const bool kEnvironmentRead = [] {
  const char* v = std::getenv("KV_TRACE_MESSAGES");
  if (!v || !*v || std::string_view(v) == "0") return false;
  std::string_view text(v);
  unsigned channels = text == "1" || text == "all" ? unsigned(kAllChannels) : ChannelsFromText(text);
  SetStandardErrorTrace(true, channels ? channels : unsigned(kAllChannels));
  return true;
}();

}  // namespace

void SetStandardErrorTrace(bool on, unsigned channels) {
  SinkState& s = Sinks();
  std::lock_guard lock(s.m);
  s.standardError = on ? std::make_shared<const MessageTraceSinkEntry>(MessageTraceSinkEntry{WriteToStandardError, channels})
                       : nullptr;
  Refresh(s);
}

TraceCall::TraceCall(TraceKind kind, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int hook, int code) {
  if (!MessageTraceOn()) return;
  TracedMessage& r = FRecord.emplace();
  r.id = gNextRecord.fetch_add(1, std::memory_order_relaxed);
  r.kind = kind;
  r.channel = kind == TraceKind::Hook ? kChannelHook : ChannelOfMessage(msg);
  r.depth = tDepth++;
  r.hwnd = hwnd;
  r.msg = msg;
  r.hook = hook;
  r.code = code;
  r.wParam = wParam;
  r.lParam = lParam;
  Report(r);
}

TraceCall::~TraceCall() {
  if (FRecord) --tDepth;
}

void TraceCall::Returned(LRESULT result) {
  if (!FRecord || !MessageTraceOn()) return;
  FRecord->returned = true;
  FRecord->result = result;
  Report(*FRecord);
}

}  // namespace user

MessageTraceSinkEntry SetMessageTraceSink(MessageTraceSink sink, unsigned channels) {
  user::SinkState& s = user::Sinks();
  std::lock_guard lock(s.m);
  MessageTraceSinkEntry previous = s.installed ? *s.installed : MessageTraceSinkEntry{nullptr, kAllChannels};
  s.installed = sink ? std::make_shared<const MessageTraceSinkEntry>(MessageTraceSinkEntry{std::move(sink), channels})
                     : nullptr;
  user::Refresh(s);
  return previous;
}

namespace {
const char* HookName(int hook) {
  switch (hook) {
    case WH_MSGFILTER: return "WH_MSGFILTER";
    case WH_KEYBOARD: return "WH_KEYBOARD";
    case WH_GETMESSAGE: return "WH_GETMESSAGE";
    case WH_CALLWNDPROC: return "WH_CALLWNDPROC";
    case WH_CBT: return "WH_CBT";
    case WH_SYSMSGFILTER: return "WH_SYSMSGFILTER";
    case WH_MOUSE: return "WH_MOUSE";
    case WH_CALLWNDPROCRET: return "WH_CALLWNDPROCRET";
    default: return "WH_?";
  }
}
}  // namespace

std::string FormatTracedMessage(const TracedMessage& m) {
  std::string indent(size_t(m.depth) * 2, ' ');
  char buf[256];
  if (m.kind == TraceKind::Hook) {
    if (m.returned)
      std::snprintf(buf, sizeof buf, "[msg] %s  -> 0x%" PRIXPTR " from %s", indent.c_str(), uintptr_t(m.result),
                    HookName(m.hook));
    else
      std::snprintf(buf, sizeof buf, "[msg] %shook %s code=%d wParam=0x%" PRIXPTR " lParam=0x%" PRIXPTR,
                    indent.c_str(), HookName(m.hook), m.code, uintptr_t(m.wParam), uintptr_t(m.lParam));
    return buf;
  }
  std::string name = MessageName(m.msg);
  if (m.returned) {
    std::snprintf(buf, sizeof buf, "[msg] %s  -> 0x%" PRIXPTR " from %s", indent.c_str(), uintptr_t(m.result),
                  name.c_str());
    return buf;
  }
  std::string cls;
  if (user::WindowPtr w = user::FindWindowPtr(m.hwnd); w && w->cls) cls = WideToUtf8(w->cls->name);
  std::snprintf(buf, sizeof buf, "[msg] %s%s %s (0x%04X) to %p \"%s\" wParam=0x%" PRIXPTR " lParam=0x%" PRIXPTR " [%s]",
                indent.c_str(), m.kind == TraceKind::Sent ? "sent" : "posted", name.c_str(), unsigned(m.msg),
                static_cast<void*>(m.hwnd), cls.c_str(), uintptr_t(m.wParam), uintptr_t(m.lParam),
                std::string(ChannelName(m.channel)).c_str());
  return buf;
}

}  // namespace win
