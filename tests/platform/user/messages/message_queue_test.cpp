// Sending, posting, retrieving; hooks; timers.

#include <gtest/gtest.h>

#include <thread>

#include "support/HeadlessFixture.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Threads.h"
#include "platform/user/messages/Hooks.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

class MessageQueue : public HeadlessTest {};

TEST_F(MessageQueue, SentMessagesRunAtOnceAndPostedOnesInOrderWhenPumped) {
  std::vector<int> order;
  HWND h = Create(WS_POPUP, {0, 0, 10, 10}, nullptr, 0, [&](HWND w, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m >= WM_USER && m < WM_USER + 10) {
      order.push_back(int(wp));
      if (wp == 1) {
        PostMessageW(w, WM_USER, 3, 0);
        SendMessageW(w, WM_USER, 2, 0);  // re-entrant send runs inside the handler
      }
      return LRESULT(wp * 10);
    }
    return std::nullopt;
  });
  PostMessageW(h, WM_USER, 1, 0);
  SendNotifyMessageW(h, WM_USER, 0, 0);  // same thread: runs immediately, before the post
  EXPECT_EQ(order, (std::vector<int>{0}));
  EXPECT_EQ(desktop->run_until_idle(), 2);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(SendMessageW(h, WM_USER, 4, 0), 40);
}

TEST_F(MessageQueue, PeekWithoutRemovalLeavesTheMessageAndFiltersApply) {
  HWND a = Create(WS_POPUP, {0, 0, 10, 10});
  HWND b = Create(WS_POPUP, {0, 0, 10, 10});
  PostMessageW(a, WM_USER + 1, 0, 0);
  PostMessageW(b, WM_USER + 2, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER + 1u);
  ASSERT_TRUE(PeekMessageW(&m, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER + 2u);
  ASSERT_TRUE(PeekMessageW(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_APP);
  EXPECT_EQ(m.hwnd, nullptr);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_USER + 3, WM_USER + 9, PM_REMOVE));
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(m.hwnd, b);
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, a);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, QuitEndsGetMessageAfterPostedMessages) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  PostMessageW(h, WM_USER, 0, 0);
  PostQuitMessage(5);
  MSG m;
  EXPECT_TRUE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 5u);
}

TEST_F(MessageQueue, ALoopAskingForOtherMessagesLeavesTheQuitMessageQueued) {
  // As a menu loop dropping leftover characters does after Alt+X chose "Выход".
  PostQuitMessage(3);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_CHAR, WM_DEADCHAR, PM_REMOVE));
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE));
  EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(MessageQueue, AWaitingLoopWithNothingScriptedEndsInsteadOfHanging) {
  expectStarvation = true;
  MSG m;
  EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_TRUE(desktop->starved());
}

TEST_F(MessageQueue, ScriptedStepsFeedAWaitingLoop) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  desktop->script([&] { PostMessageW(h, WM_USER, 7, 0); });
  desktop->script([] { PostQuitMessage(0); });
  MSG m;
  int got = 0;
  while (GetMessageW(&m, nullptr, 0, 0)) {
    DispatchMessageW(&m);
    ++got;
  }
  EXPECT_EQ(got, 1);
  EXPECT_EQ(Count(h, WM_USER), 1);
  EXPECT_FALSE(desktop->starved());
}

TEST_F(MessageQueue, CrossThreadSendWaitsUntilTheUiThreadPumps) {
  desktop->allow_blocking(true);
  DWORD uiThread = GetCurrentThreadId();
  HWND h = Create(WS_POPUP, {0, 0, 10, 10}, nullptr, 0, [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_USER) {
      EXPECT_EQ(GetCurrentThreadId(), uiThread);
      EXPECT_TRUE(InSendMessage());
      return LRESULT(wp + 1);
    }
    return std::nullopt;
  });
  LRESULT result = 0;
  bool posted = false;
  std::thread worker([&] {
    result = SendMessageW(h, WM_USER, 41, 0);
    posted = PostMessageW(h, WM_USER + 1, 0, 0) && PostThreadMessageW(uiThread, WM_QUIT, 0, 0);
  });
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
  worker.join();
  EXPECT_EQ(result, 42);
  EXPECT_TRUE(posted);
  EXPECT_EQ(Count(h, WM_USER + 1), 1);
  EXPECT_FALSE(InSendMessage());
}

TEST_F(MessageQueue, PostToAClosedQueueFailsCleanly) {
  HWND h = nullptr;
  DWORD tid = 0;
  std::thread other([&] {
    tid = GetCurrentThreadId();
    h = CreateWindowExW(0, u"KvTestWindow", u"", WS_POPUP, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_TRUE(PostMessageW(h, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(nullptr));
  });
  other.join();
  // The thread is gone: its queue is closed though the window object is still named.
  EXPECT_FALSE(PostThreadMessageW(tid, WM_USER, 0, 0));
  EXPECT_FALSE(PostMessageW(h, WM_USER, 0, 0));
  EXPECT_EQ(SendMessageW(h, WM_USER, 0, 0), 0);
}

TEST_F(MessageQueue, PostedQueueHasALimit) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  int ok = 0;
  for (int i = 0; i < 10001; ++i) ok += PostMessageW(h, WM_USER, 0, 0) ? 1 : 0;
  EXPECT_EQ(ok, 10000);
  EXPECT_EQ(GetLastError(), 1816u);
  EXPECT_EQ(desktop->run_until_idle(), 10000);
}

TEST_F(MessageQueue, TimersFireOnceWhenDueUnderVirtualTime) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  ASSERT_TRUE(SetTimer(h, 7, 100, nullptr));
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_TIMER), 0);
  desktop->advance(99);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_TIMER), 0);
  desktop->advance(1);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_TIMER), 1);
  desktop->advance(1000);  // ten periods pass: still one message
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_TIMER), 2);
  EXPECT_TRUE(KillTimer(h, 7));
  desktop->advance(1000);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_TIMER), 2);
  EXPECT_FALSE(KillTimer(h, 7));
}

namespace {
int g_timerProcCalls = 0;
void CALLBACK_TimerProc(HWND, UINT msg, UINT_PTR, DWORD) {
  if (msg == WM_TIMER) ++g_timerProcCalls;
}
}  // namespace

TEST_F(MessageQueue, ThreadTimerCallsItsProcedureFromDispatch) {
  g_timerProcCalls = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 50, CALLBACK_TimerProc);
  ASSERT_NE(id, 0u);
  desktop->advance(50);
  desktop->run_until_idle();
  EXPECT_EQ(g_timerProcCalls, 1);
  // A forged WM_TIMER naming an unregistered procedure calls nothing.
  MSG forged{nullptr, WM_TIMER, 12345, reinterpret_cast<LPARAM>(&CALLBACK_TimerProc) + 1, 0, {}};
  DispatchMessageW(&forged);
  EXPECT_EQ(g_timerProcCalls, 1);
  KillTimer(nullptr, id);
}

namespace {
HHOOK g_getMsgHook = nullptr;
LRESULT RewriteHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* m = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    if (m->message == WM_USER + 1) m->message = WM_NULL;       // swallowed
    if (m->message == WM_USER + 2) m->wParam = 99;             // rewritten
  }
  return CallNextHookEx(g_getMsgHook, code, wParam, lParam);
}
std::vector<UINT> g_sent;
HHOOK g_cwpHook = nullptr;
LRESULT ObserveSent(int code, WPARAM wParam, LPARAM lParam) {
  g_sent.push_back(reinterpret_cast<CWPSTRUCT*>(lParam)->message);
  return CallNextHookEx(g_cwpHook, code, wParam, lParam);
}
LRESULT VetoCreate(int code, WPARAM, LPARAM lParam) {
  if (code == HCBT_CREATEWND && reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->cx == 13) return 1;
  return 0;
}
}  // namespace

TEST_F(MessageQueue, GetMessageHookRewritesAndNullsMessages) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  g_getMsgHook = SetWindowsHookExW(WH_GETMESSAGE, RewriteHook, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(g_getMsgHook);
  PostMessageW(h, WM_USER + 1, 0, 0);
  PostMessageW(h, WM_USER + 2, 1, 0);
  desktop->run_until_idle();
  EXPECT_EQ(Count(h, WM_USER + 1), 0);
  EXPECT_EQ(Count(h, WM_NULL), 1);
  auto log = Log(h);
  auto it = std::find_if(log.begin(), log.end(), [](auto& m) { return m.msg == WM_USER + 2; });
  ASSERT_NE(it, log.end());
  EXPECT_EQ(it->wParam, 99u);
  EXPECT_TRUE(UnhookWindowsHookEx(g_getMsgHook));
  EXPECT_FALSE(UnhookWindowsHookEx(g_getMsgHook));
}

TEST_F(MessageQueue, CallWndProcHookSeesSentButNotPostedMessages) {
  HWND h = Create(WS_POPUP, {0, 0, 10, 10});
  g_sent.clear();
  g_cwpHook = SetWindowsHookExW(WH_CALLWNDPROC, ObserveSent, nullptr, 0);
  SendMessageW(h, WM_USER + 3, 0, 0);
  PostMessageW(h, WM_USER + 4, 0, 0);
  desktop->run_until_idle();
  UnhookWindowsHookEx(g_cwpHook);
  EXPECT_NE(std::find(g_sent.begin(), g_sent.end(), WM_USER + 3), g_sent.end());
  EXPECT_EQ(std::find(g_sent.begin(), g_sent.end(), WM_USER + 4), g_sent.end());
}

TEST_F(MessageQueue, CbtHookCanRefuseCreationAndSeesDestruction) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, VetoCreate, nullptr, 0);
  EXPECT_EQ(Create(WS_POPUP, {0, 0, 13, 13}), nullptr);
  HWND ok = Create(WS_POPUP, {0, 0, 14, 14});
  EXPECT_TRUE(ok);
  UnhookWindowsHookEx(hook);
}

TEST_F(MessageQueue, BroadcastReachesEveryTopLevelWindowButNoChildOrMessageOnlyWindow) {
  HWND shown = Create(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10});
  HWND hidden = Create(WS_POPUP, {0, 0, 10, 10});
  HWND disabled = Create(WS_POPUP | WS_DISABLED, {0, 0, 10, 10});
  HWND owned = Create(WS_POPUP, {0, 0, 10, 10}, shown);
  HWND child = Create(WS_CHILD | WS_VISIBLE, {0, 0, 5, 5}, shown);
  HWND messageOnly = CreateWindowExW(0, u"KvTestWindow", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const HWND tops[] = {shown, hidden, disabled, owned};
  const UINT msg = WM_APP + 7;

  ClearLog();
  SendMessageW(HWND_BROADCAST, msg, 1, 2);  // every window has its answer before the call returns
  for (HWND h : tops) EXPECT_EQ(Count(h, msg), 1);
  EXPECT_EQ(Count(child, msg), 0);
  EXPECT_EQ(Count(messageOnly, msg), 0);

  ClearLog();
  EXPECT_TRUE(SendNotifyMessageW(HWND_BROADCAST, msg, 0, 0));
  for (HWND h : tops) EXPECT_EQ(Count(h, msg), 1);

  ClearLog();
  EXPECT_TRUE(PostMessageW(HWND_BROADCAST, msg, 3, 4));
  for (HWND h : tops) EXPECT_EQ(Count(h, msg), 0);  // posted: nothing until pumped
  desktop->run_until_idle();
  for (HWND h : tops) {
    auto log = Log(h);
    auto it = std::find_if(log.begin(), log.end(), [&](auto& m) { return m.msg == msg; });
    ASSERT_NE(it, log.end());
    EXPECT_EQ(it->wParam, 3u);
    EXPECT_EQ(it->lParam, 4);
  }
  EXPECT_EQ(Count(child, msg), 0);
  EXPECT_EQ(Count(messageOnly, msg), 0);

  // A window destroyed by the broadcast itself does not stop the others from getting it.
  SetHandler(hidden, [](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_APP + 8) DestroyWindow(w);
    return std::nullopt;
  });
  ClearLog();
  SendMessageW(HWND_BROADCAST, WM_APP + 8, 0, 0);
  EXPECT_FALSE(IsWindow(hidden));
  EXPECT_EQ(Count(disabled, WM_APP + 8), 1);
  EXPECT_EQ(Count(owned, WM_APP + 8), 1);
  DestroyWindow(messageOnly);
}

TEST_F(MessageQueue, QueueStatusTellsWhatIsWaitingAndWhatIsNew) {
  HWND h = Create(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  desktop->run_until_idle();
  GetQueueStatus(QS_ALLINPUT);
  EXPECT_EQ(GetQueueStatus(QS_ALLINPUT), 0u);
  PostMessageW(h, WM_USER, 0, 0);
  // High word: what is in the queue; low word: what arrived since the last look.
  EXPECT_EQ(GetQueueStatus(QS_ALLINPUT), DWORD(MAKELONG(QS_POSTMESSAGE, QS_POSTMESSAGE)));
  EXPECT_EQ(GetQueueStatus(QS_ALLINPUT), DWORD(MAKELONG(0, QS_POSTMESSAGE)));
  // Only the kinds asked for are reported.
  EXPECT_EQ(GetQueueStatus(QS_INPUT), 0u);
  desktop->mouse_move({10, 10});
  desktop->key_down('A');
  EXPECT_EQ(GetQueueStatus(QS_INPUT), DWORD(MAKELONG(QS_MOUSEMOVE | QS_KEY, QS_MOUSEMOVE | QS_KEY)));
  desktop->mouse_down({10, 10});
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_MOUSEBUTTON)), QS_MOUSEBUTTON);
  // Retrieving a message counts as a look: nothing is new afterwards.
  MSG m;
  PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_EQ(LOWORD(GetQueueStatus(QS_ALLINPUT)), 0u);
  desktop->run_until_idle();
  desktop->mouse_up({10, 10});
  desktop->key_up('A');
  desktop->run_until_idle();
  EXPECT_EQ(GetQueueStatus(QS_ALLINPUT), 0u);
  // Pending paints and due timers show in the high word.
  InvalidateRect(h, nullptr, FALSE);
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_PAINT)), QS_PAINT);
  desktop->run_until_idle();
  SetTimer(h, 1, 100, nullptr);
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_TIMER)), 0u);
  desktop->advance(100);
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_TIMER)), QS_TIMER);
  KillTimer(h, 1);
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_TIMER)), 0u);
}

namespace {
std::vector<std::pair<int, int>> g_filterCalls;  // (hook kind, code)
bool g_systemTakes = false;
LRESULT SystemFilter(int code, WPARAM, LPARAM lParam) {
  g_filterCalls.push_back({WH_SYSMSGFILTER, code});
  return g_systemTakes && reinterpret_cast<MSG*>(lParam)->message == WM_KEYDOWN;
}
LRESULT ThreadFilter(int code, WPARAM, LPARAM lParam) {
  g_filterCalls.push_back({WH_MSGFILTER, code});
  return reinterpret_cast<MSG*>(lParam)->wParam == VK_ESCAPE;
}
}  // namespace

TEST_F(MessageQueue, MessageFiltersSeeTheMessageSystemFilterFirst) {
  MSG msg{nullptr, WM_KEYDOWN, 'A', 0, 0, {}};
  g_filterCalls.clear();
  g_systemTakes = false;
  EXPECT_FALSE(CallMsgFilterW(&msg, 0x4000));  // no filters: nobody takes it
  HHOOK thread = SetWindowsHookExW(WH_MSGFILTER, ThreadFilter, nullptr, GetCurrentThreadId());
  HHOOK system = SetWindowsHookExW(WH_SYSMSGFILTER, SystemFilter, nullptr, 0);
  ASSERT_TRUE(thread && system);
  EXPECT_FALSE(CallMsgFilterW(&msg, 0x4000));
  EXPECT_EQ(g_filterCalls, (std::vector<std::pair<int, int>>{{WH_SYSMSGFILTER, 0x4000}, {WH_MSGFILTER, 0x4000}}));
  msg.wParam = VK_ESCAPE;
  EXPECT_TRUE(CallMsgFilterW(&msg, 2));  // the thread's filter takes it
  g_filterCalls.clear();
  g_systemTakes = true;
  EXPECT_TRUE(CallMsgFilterW(&msg, 3));
  EXPECT_EQ(g_filterCalls, (std::vector<std::pair<int, int>>{{WH_SYSMSGFILTER, 3}}));  // taken: never passed on
  EXPECT_FALSE(CallMsgFilterW(nullptr, 0));
  UnhookWindowsHookEx(system);
  UnhookWindowsHookEx(thread);
  g_filterCalls.clear();
  EXPECT_FALSE(CallMsgFilterW(&msg, 0));
  EXPECT_TRUE(g_filterCalls.empty());
}
