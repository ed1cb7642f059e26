// The message trace as tests read it: channels, nesting depth, posted versus sent, hooks and
// results, and the sequence checker the toolkit's loop tests compare against.

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/Threads.h"
#include "platform/user/messages/Hooks.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/MessageTrace.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "platform/user/detail/MessageTrace.h"
#include "support/HeadlessFixture.h"
#include "support/MessageSequence.h"

using namespace win;
using kvtest::HeadlessTest;
using kvtest::MessageRecorder;
using kvtest::Posted;
using kvtest::Sent;

namespace {

constexpr UINT kOuter = WM_USER + 1, kInner = WM_USER + 2, kLater = WM_USER + 3;

LRESULT CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class MessageSequences : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    parent = Create(WS_POPUP, {0, 0, 50, 50});
    child = Create(WS_CHILD, {0, 0, 10, 10}, parent);
    // The outer message sends one to the child and posts one to itself; the child answers 42.
    SetHandler(parent, [this](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg != kOuter) return std::nullopt;
      SendMessageW(child, kInner, 5, 6);
      PostMessageW(h, kLater, 7, 0);
      return 11;
    });
    SetHandler(child, [](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (msg == kInner) return 42;
      return std::nullopt;
    });
  }
  HWND parent = nullptr, child = nullptr;
};

TEST_F(MessageSequences, NestingPostingAndResultsAreRecordedInOrder) {
  MessageRecorder rec;
  rec.Watch(parent);
  rec.Watch(child);
  SendMessageW(parent, kOuter, 1, 2);
  desktop->run_until_idle();
  EXPECT_TRUE(rec.Matches({
      Sent(kOuter, parent).W(1).L(2).Depth(0).Returns(11),
      Sent(kInner, child).W(5).L(6).Depth(1).Returns(42),
      Posted(kLater, parent).W(7).Depth(0),
  }));
}

TEST_F(MessageSequences, HookCallsAreRecordedInsideTheirMessage) {
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountingHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  MessageRecorder rec(kChannelPrivate | kChannelHook);
  rec.Watch(child);
  SendMessageW(child, kInner, 0, 0);
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(rec.Matches({Sent(kInner, child).Depth(0).Returns(42), kvtest::Hook(WH_CALLWNDPROC, HC_ACTION).Depth(1)}));
}

TEST_F(MessageSequences, TheCheckerRefusesWhatDiffers) {
  MessageRecorder rec;
  rec.Watch(parent);
  rec.Watch(child);
  SendMessageW(parent, kOuter, 1, 2);
  desktop->run_until_idle();
  struct Case {
    const char* name;
    std::vector<kvtest::ExpectedMessage> expected;
    bool matches;
  };
  const Case cases[] = {
      {"swapped pair", {Sent(kInner, child), Sent(kOuter, parent), Posted(kLater, parent)}, false},
      {"posted taken for sent", {Sent(kOuter), Sent(kInner), Sent(kLater)}, false},
      {"wrong window", {Sent(kOuter, child), Sent(kInner), Posted(kLater)}, false},
      {"wrong parameter", {Sent(kOuter).W(2), Sent(kInner), Posted(kLater)}, false},
      {"wrong result", {Sent(kOuter).Returns(12), Sent(kInner), Posted(kLater)}, false},
      {"wrong depth", {Sent(kOuter), Sent(kInner).Depth(0), Posted(kLater)}, false},
      {"one missing", {Sent(kOuter), Posted(kLater)}, false},
      {"one more expected", {Sent(kOuter), Sent(kInner), Posted(kLater), Sent(kOuter)}, false},
      {"optional entries skipped", {Sent(kOuter), Sent(WM_NULL).Optional(), Sent(kInner), Posted(kLater),
                                    Sent(WM_NULL).Optional()}, true},
      {"either kind", {kvtest::Msg(kOuter), kvtest::Msg(kInner), kvtest::Msg(kLater)}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(bool(rec.Matches(c.expected)), c.matches) << c.name;
  // A failure shows what was heard.
  std::string text = rec.Matches({Sent(kInner), Sent(kOuter)}).message();
  EXPECT_NE(text.find("entry 0 expected sent WM_USER+2"), std::string::npos) << text;
  EXPECT_NE(text.find("heard sent WM_USER+1"), std::string::npos) << text;
}

TEST_F(MessageSequences, ChannelsFilterWhatIsHeard) {
  {
    MessageRecorder menus(kChannelMenu);
    SendMessageW(parent, WM_INITMENU, 0, 0);
    SendMessageW(parent, WM_SETTEXT, 0, LPARAM(u"x"));
    SendMessageW(parent, kLater, 0, 0);
    EXPECT_TRUE(menus.Matches({Sent(WM_INITMENU, parent)}));
  }
  const struct {
    UINT msg;
    MessageChannel channel;
  } table[] = {
      {WM_INITMENUPOPUP, kChannelMenu},   {WM_ENTERMENULOOP, kChannelMenu},  {WM_LBUTTONDOWN, kChannelMouse},
      {WM_NCHITTEST, kChannelMouse},      {WM_KEYDOWN, kChannelKeyboard},    {WM_SETFOCUS, kChannelFocus},
      {WM_PAINT, kChannelPaint},          {WM_WINDOWPOSCHANGED, kChannelGeometry},
      {WM_DISPLAYCHANGE, kChannelSystem}, {WM_TIMER, kChannelTimer},         {WM_COMMAND, kChannelCommand},
      {WM_CREATE, kChannelLifetime},      {0x00B1 /* EM_SETSEL */, kChannelControl},
      {WM_USER + 7, kChannelPrivate},     {WM_SETTEXT, kChannelOther},
  };
  for (const auto& row : table) EXPECT_EQ(ChannelOfMessage(row.msg), row.channel) << MessageName(row.msg);
  EXPECT_EQ(ChannelsFromText("menu, focus"), unsigned(kChannelMenu | kChannelFocus));
  EXPECT_EQ(ChannelsFromText("nothing"), 0u);
  EXPECT_EQ(ChannelsFromText("all"), unsigned(kAllChannels));
}

TEST_F(MessageSequences, TheStandardErrorTraceShowsDepthAndResultsOfItsChannels) {
  ::testing::internal::CaptureStderr();
  user::SetStandardErrorTrace(true, kChannelPrivate);
  SendMessageW(parent, kOuter, 1, 2);
  SendMessageW(parent, WM_INITMENU, 0, 0);
  user::SetStandardErrorTrace(false);
  std::string out = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(out.find("[msg] sent WM_USER+1 (0x0401)"), std::string::npos) << out;
  EXPECT_NE(out.find("[msg]   sent WM_USER+2 (0x0402)"), std::string::npos) << out;
  EXPECT_NE(out.find("[msg]     -> 0x2A from WM_USER+2"), std::string::npos) << out;
  EXPECT_NE(out.find("[private]"), std::string::npos) << out;
  EXPECT_EQ(out.find("WM_INITMENU"), std::string::npos) << out;
  desktop->run_until_idle();
}

TEST_F(MessageSequences, ARecorderGivesBackThePreviousSink) {
  int outer = 0;
  auto previous = SetMessageTraceSink([&](const TracedMessage&) { ++outer; });
  {
    MessageRecorder rec;
    SendMessageW(child, kInner, 0, 0);
    EXPECT_EQ(outer, 0);
  }
  SendMessageW(child, kInner, 0, 0);
  EXPECT_EQ(outer, 2);  // the call and its result
  SetMessageTraceSink(previous.sink, previous.channels);
}

}  // namespace
