#pragma once
// Message sequences for tests of modal loops (menus, drags, sizing, popups), where order is what
// matters. A MessageRecorder listens to the platform's message trace while it lives; Matches
// compares what it heard with an expected table, in order:
//
//   kvtest::MessageRecorder rec(win::kChannelMenu | win::kChannelFocus);
//   rec.Watch(owner);
//   ... run the loop ...
//   EXPECT_TRUE(rec.Matches({
//       kvtest::Sent(WM_ENTERMENULOOP, owner).W(TRUE),
//       kvtest::Sent(WM_INITMENU, owner).W(WPARAM(menu)),
//       kvtest::Sent(WM_MENUSELECT, owner).Optional(),
//       kvtest::Posted(WM_COMMAND, owner).W(MAKEWPARAM(7, 0)),
//       kvtest::Sent(WM_EXITMENULOOP, owner).Returns(0),
//   }));
//
// Every recorded message must be matched by the next expected entry, or be skipped over by
// optional entries; the failure message shows both lists side by side. Messages of every thread
// are heard; threads still delivering must be done before the recorder goes.

#include <gtest/gtest.h>

#include <initializer_list>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/user/messages/MessageTrace.h"

namespace kvtest {

struct ExpectedMessage {
  win::UINT msg = 0;          // for a hook entry: 0
  win::HWND hwnd = nullptr;   // nullptr: any window
  std::optional<win::TraceKind> kind;
  int hook = 0;               // WH_ id of a hook entry
  int code = 0;               // its hook code
  std::optional<win::WPARAM> wParam;
  std::optional<win::LPARAM> lParam;
  std::optional<win::LRESULT> result;
  std::optional<int> depth;
  bool optional = false;

  ExpectedMessage& W(win::WPARAM v) { wParam = v; return *this; }
  ExpectedMessage& L(win::LPARAM v) { lParam = v; return *this; }
  ExpectedMessage& Returns(win::LRESULT v) { result = v; return *this; }
  ExpectedMessage& Depth(int v) { depth = v; return *this; }
  ExpectedMessage& Optional() { optional = true; return *this; }

  bool Fits(const win::TracedMessage& m) const;
  std::string Describe() const;
};

// A message sent straight to the window procedure.
ExpectedMessage Sent(win::UINT msg, win::HWND hwnd = nullptr);
// A message posted to the queue and dispatched.
ExpectedMessage Posted(win::UINT msg, win::HWND hwnd = nullptr);
// Either way.
ExpectedMessage Msg(win::UINT msg, win::HWND hwnd = nullptr);
// A call of a thread hook chain; W and L are the hook's own parameters.
ExpectedMessage Hook(int idHook, int code);

class MessageRecorder {
 public:
  explicit MessageRecorder(unsigned channels = win::kAllChannels);
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  // Only messages to these windows are kept (hooks are kept regardless); none: every window.
  void Watch(win::HWND hwnd);
  void Ignore(win::UINT msg);
  void Clear();

  // The calls heard, in the order they began, each with the result it returned (once returned).
  std::vector<win::TracedMessage> Calls() const;
  ::testing::AssertionResult Matches(std::initializer_list<ExpectedMessage> expected) const;
  ::testing::AssertionResult Matches(const std::vector<ExpectedMessage>& expected) const;

 private:
  void Hear(const win::TracedMessage& m);

  mutable std::mutex FLock;
  std::vector<win::TracedMessage> FCalls;
  std::set<win::HWND> FWindows;
  std::set<win::UINT> FIgnored;
  win::MessageTraceSinkEntry FPrevious;
};

// One line for a recorded call, as the failure messages show it.
std::string DescribeCall(const win::TracedMessage& m);

}  // namespace kvtest
