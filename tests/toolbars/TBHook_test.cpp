// The shared window hooks: one platform hook per kind, counted across listeners, events routed
// by code, and listeners that throw.

#include "toolbars/TBHook.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"
#include "toolbars/detail/TBHookInternal.h"

namespace toolbars {
namespace {

using detail::HookInstalled;

struct Call {
  THookProcCode code;
  win::HWND wnd;
  win::WPARAM wParam;
  win::UINT message;  // of the retrieved message for hpGetMessage
};
std::vector<Call> calls1, calls2;

void Listener1(THookProcCode Code, win::HWND Wnd, win::WPARAM WParam, win::LPARAM LParam) {
  win::UINT msg = Code == hpGetMessage ? reinterpret_cast<const win::MSG*>(LParam)->message : 0;
  calls1.push_back({Code, Wnd, WParam, msg});
}
void Listener2(THookProcCode Code, win::HWND Wnd, win::WPARAM WParam, win::LPARAM) {
  calls2.push_back({Code, Wnd, WParam, 0});
}
void Thrower(THookProcCode, win::HWND, win::WPARAM, win::LPARAM) { throw std::runtime_error("listener failed"); }

constexpr THookProcCodes kWindowCodes =
    THookProcCodes(HookCode(hpSendActivateApp) | HookCode(hpSendWindowPosChanged) | HookCode(hpPreDestroy));

class TBHookTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    calls1.clear();
    calls2.clear();
  }
  void TearDown() override {
    detail::RemoveAllHooks();
    HeadlessTest::TearDown();
  }
  win::HWND Window() { return Create(win::WS_OVERLAPPEDWINDOW, {10, 10, 100, 80}); }
};

TEST_F(TBHookTest, SharedProcedureInstallsOnceAndStaysUntilBalanced) {
  InstallHookProc(Listener1, kWindowCodes, false);
  InstallHookProc(Listener1, kWindowCodes, false);
  EXPECT_TRUE(HookInstalled(detail::hkCallWndProc));
  EXPECT_TRUE(HookInstalled(detail::hkCBT));
  EXPECT_FALSE(HookInstalled(detail::hkGetMessage));

  UninstallHookProc(Listener1);
  EXPECT_TRUE(HookInstalled(detail::hkCallWndProc));
  EXPECT_TRUE(HookInstalled(detail::hkCBT));
  win::HWND w = Window();
  win::SendMessageW(w, win::WM_ACTIVATEAPP, 1, 0);
  ASSERT_EQ(calls1.size(), 1u);

  UninstallHookProc(Listener1);
  EXPECT_FALSE(HookInstalled(detail::hkCallWndProc));
  EXPECT_FALSE(HookInstalled(detail::hkCBT));
  win::SendMessageW(w, win::WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(calls1.size(), 1u);
}

TEST_F(TBHookTest, EventsReachOnlyListenersOfTheirCode) {
  InstallHookProc(Listener1, kWindowCodes, false);
  InstallHookProc(Listener2, HookCode(hpGetMessage), false);
  win::HWND w = Window();
  calls1.clear();

  win::SendMessageW(w, win::WM_ACTIVATEAPP, 1, 77);
  win::SendMessageW(w, win::WM_SETTEXT, 0, 0);  // not an event: nobody is called
  ASSERT_EQ(calls1.size(), 1u);
  EXPECT_EQ(calls1[0].code, hpSendActivateApp);
  EXPECT_EQ(calls1[0].wnd, w);
  EXPECT_EQ(calls1[0].wParam, 1u);
  EXPECT_TRUE(calls2.empty());

  calls1.clear();
  win::SetWindowPos(w, nullptr, 20, 20, 0, 0, win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
  ASSERT_FALSE(calls1.empty());
  EXPECT_EQ(calls1.back().code, hpSendWindowPosChanged);

  win::PostMessageW(w, win::WM_USER + 5, 3, 0);
  win::MSG msg{};
  ASSERT_TRUE(win::PeekMessageW(&msg, w, win::WM_USER + 5, win::WM_USER + 5, win::PM_REMOVE));
  ASSERT_FALSE(calls2.empty());
  EXPECT_EQ(calls2.back().code, hpGetMessage);
  EXPECT_EQ(calls2.back().wnd, nullptr);
  EXPECT_EQ(calls2.back().wParam, win::WPARAM(win::PM_REMOVE));

  calls1.clear();
  win::DestroyWindow(w);
  ASSERT_FALSE(calls1.empty());
  EXPECT_EQ(calls1.front().code, hpPreDestroy);
  EXPECT_EQ(calls1.front().wnd, w);

  UninstallHookProc(Listener1);
  UninstallHookProc(Listener2);
  EXPECT_FALSE(HookInstalled(detail::hkGetMessage));
}

TEST_F(TBHookTest, SecondRegistrationKeepsTheFirstCodes) {
  InstallHookProc(Listener1, HookCode(hpSendActivateApp), false);
  InstallHookProc(Listener1, HookCode(hpPreDestroy), false);
  win::HWND w = Window();
  win::DestroyWindow(w);
  for (const Call& c : calls1) EXPECT_NE(c.code, hpPreDestroy);
  UninstallHookProc(Listener1);
  UninstallHookProc(Listener1);
  EXPECT_FALSE(HookInstalled(detail::hkCallWndProc));
}

TEST_F(TBHookTest, ThrowingListenerDoesNotStopTheOthersOrTheChain) {
  InstallHookProc(Thrower, HookCode(hpSendActivateApp), false);
  InstallHookProc(Listener1, HookCode(hpSendActivateApp), false);
  win::HWND w = Window();
  EXPECT_NO_THROW(win::SendMessageW(w, win::WM_ACTIVATEAPP, 1, 0));
  EXPECT_EQ(calls1.size(), 1u);
  EXPECT_EQ(Count(w, win::WM_ACTIVATEAPP), 1);  // the window still got its message
  UninstallHookProc(Thrower);
  UninstallHookProc(Listener1);
}

TEST_F(TBHookTest, CountOnlyRegistrationInstallsNothing) {
  InstallHookProc(Listener1, kWindowCodes, true);
  EXPECT_FALSE(HookInstalled(detail::hkCallWndProc));
  EXPECT_FALSE(HookInstalled(detail::hkCBT));
  UninstallHookProc(Listener1);
  UninstallHookProc(Listener2);  // never registered: ignored
  EXPECT_FALSE(HookInstalled(detail::hkCallWndProc));
}

}  // namespace
}  // namespace toolbars
