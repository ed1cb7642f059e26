#include "support/MessageSequence.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace kvtest {

using win::TracedMessage;
using win::TraceKind;

namespace {
std::string Hex(uintptr_t v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%" PRIXPTR, v);
  return buf;
}

std::string Label(TraceKind kind, win::UINT msg, int hook, int code) {
  if (kind == TraceKind::Hook) return "hook " + std::to_string(hook) + " code " + std::to_string(code);
  return win::MessageName(msg);
}
}  // namespace

bool ExpectedMessage::Fits(const TracedMessage& m) const {
  if (kind == TraceKind::Hook) {
    if (m.kind != TraceKind::Hook || m.hook != hook) return false;
    if (m.code != code) return false;
  } else {
    if (m.kind == TraceKind::Hook || m.msg != msg) return false;
    if (kind && m.kind != *kind) return false;
    if (hwnd && m.hwnd != hwnd) return false;
  }
  if (wParam && m.wParam != *wParam) return false;
  if (lParam && m.lParam != *lParam) return false;
  if (result && (!m.returned || m.result != *result)) return false;
  if (depth && m.depth != *depth) return false;
  return true;
}

std::string ExpectedMessage::Describe() const {
  std::string s = kind == TraceKind::Hook ? Label(TraceKind::Hook, 0, hook, code)
                                          : (kind == TraceKind::Sent ? "sent " : kind == TraceKind::Posted ? "posted " : "")
                                                + win::MessageName(msg);
  if (hwnd) s += " to " + Hex(uintptr_t(hwnd));
  if (wParam) s += " w=" + Hex(uintptr_t(*wParam));
  if (lParam) s += " l=" + Hex(uintptr_t(*lParam));
  if (result) s += " -> " + Hex(uintptr_t(*result));
  if (depth) s += " depth " + std::to_string(*depth);
  if (optional) s += " (optional)";
  return s;
}

ExpectedMessage Sent(win::UINT msg, win::HWND hwnd) {
  ExpectedMessage e;
  e.msg = msg;
  e.hwnd = hwnd;
  e.kind = TraceKind::Sent;
  return e;
}

ExpectedMessage Posted(win::UINT msg, win::HWND hwnd) {
  ExpectedMessage e = Sent(msg, hwnd);
  e.kind = TraceKind::Posted;
  return e;
}

ExpectedMessage Msg(win::UINT msg, win::HWND hwnd) {
  ExpectedMessage e;
  e.msg = msg;
  e.hwnd = hwnd;
  return e;
}

ExpectedMessage Hook(int idHook, int code) {
  ExpectedMessage e;
  e.kind = TraceKind::Hook;
  e.hook = idHook;
  e.code = code;
  return e;
}

std::string DescribeCall(const TracedMessage& m) {
  std::string s = m.kind == TraceKind::Hook ? Label(m.kind, 0, m.hook, m.code)
                                           : std::string(m.kind == TraceKind::Sent ? "sent " : "posted ") +
                                                 win::MessageName(m.msg) + " to " + Hex(uintptr_t(m.hwnd));
  s += " w=" + Hex(uintptr_t(m.wParam)) + " l=" + Hex(uintptr_t(m.lParam));
  s += m.returned ? " -> " + Hex(uintptr_t(m.result)) : std::string(" (not returned)");
  s += " depth " + std::to_string(m.depth);
  return s;
}

MessageRecorder::MessageRecorder(unsigned channels) {
  FPrevious = win::SetMessageTraceSink([this](const TracedMessage& m) { Hear(m); }, channels);
}

MessageRecorder::~MessageRecorder() { win::SetMessageTraceSink(FPrevious.sink, FPrevious.channels); }

void MessageRecorder::Watch(win::HWND hwnd) {
  std::lock_guard lock(FLock);
  FWindows.insert(hwnd);
}

void MessageRecorder::Ignore(win::UINT msg) {
  std::lock_guard lock(FLock);
  FIgnored.insert(msg);
}

void MessageRecorder::Clear() {
  std::lock_guard lock(FLock);
  FCalls.clear();
}

void MessageRecorder::Hear(const TracedMessage& m) {
  std::lock_guard lock(FLock);
  if (m.kind != TraceKind::Hook) {
    if (!FWindows.empty() && !FWindows.contains(m.hwnd)) return;
    if (FIgnored.contains(m.msg)) return;
  }
  if (!m.returned) {
    FCalls.push_back(m);
    return;
  }
  // The call began earlier; most often it is the last one heard.
  auto it = std::find_if(FCalls.rbegin(), FCalls.rend(), [&](const TracedMessage& c) { return c.id == m.id; });
  if (it != FCalls.rend()) *it = m;
}

std::vector<TracedMessage> MessageRecorder::Calls() const {
  std::lock_guard lock(FLock);
  return FCalls;
}

::testing::AssertionResult MessageRecorder::Matches(std::initializer_list<ExpectedMessage> expected) const {
  return Matches(std::vector<ExpectedMessage>(expected));
}

::testing::AssertionResult MessageRecorder::Matches(const std::vector<ExpectedMessage>& expected) const {
  std::vector<TracedMessage> calls = Calls();
  size_t e = 0, r = 0;
  std::string fault;
  while (e < expected.size() && r < calls.size()) {
    if (expected[e].Fits(calls[r])) {
      ++e;
      ++r;
    } else if (expected[e].optional) {
      ++e;
    } else {
      fault = "entry " + std::to_string(e) + " expected " + expected[e].Describe() + ", heard " + DescribeCall(calls[r]);
      break;
    }
  }
  if (fault.empty()) {
    while (e < expected.size() && expected[e].optional) ++e;
    if (e < expected.size())
      fault = "entry " + std::to_string(e) + " expected " + expected[e].Describe() + ", heard nothing more";
    else if (r < calls.size())
      fault = "heard more than expected from call " + std::to_string(r) + ": " + DescribeCall(calls[r]);
  }
  if (fault.empty()) return ::testing::AssertionSuccess();
  std::string text = fault + "\n  expected:\n";
  for (size_t i = 0; i < expected.size(); ++i) text += "    " + std::to_string(i) + ": " + expected[i].Describe() + "\n";
  text += "  heard:\n";
  for (size_t i = 0; i < calls.size(); ++i) text += "    " + std::to_string(i) + ": " + DescribeCall(calls[i]) + "\n";
  return ::testing::AssertionFailure() << text;
}

}  // namespace kvtest
