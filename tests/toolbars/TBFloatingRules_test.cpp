// The rules that keep floating windows with their forms: which window takes activation when one
// goes out of sight, when a floating frame is topmost, and what a click on a floating frame
// activates and raises.

#include <gtest/gtest.h>

#include <algorithm>

#include "ToolbarsFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "support/MessageSequence.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"

namespace toolbars::testing {
namespace {

class Bar : public TTBCustomDockableWindow {
 public:
  using TTBCustomDockableWindow::TTBCustomDockableWindow;
  TPoint OrderControls(bool, TTBDockType, TTBDock*) override { return TPoint{80, 20}; }
  void GetBaseSize(TPoint& ASize) override { ASize = TPoint{80, 20}; }
};

class FloatingRules : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    form = fw::Application->CreateForm<fw::TForm>();  // the main form
    form->SetBounds(100, 100, 500, 400);
    dock = new TTBDock(form);
    dock->SetParent(form);
    bar = NewBar(form);
    form->Show();
    win::SetActiveWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  Bar* NewBar(fw::TForm* Owner) {
    auto* b = new Bar(Owner);
    b->SetHideWhenInactive(false);
    b->SetParent(Owner);
    b->SetFloatingPosition({150, 150});
    b->SetFloating(true);
    return b;
  }
  static bool Topmost(fw::TWinControl* C) {
    return (win::GetWindowLongPtrW(C->Handle(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST) != 0;
  }
  // Top-level windows of the screen, topmost first.
  static std::vector<win::HWND> ZOrder() {
    std::vector<win::HWND> out;
    win::EnumWindows(
        [](win::HWND h, win::LPARAM lp) -> win::BOOL {
          reinterpret_cast<std::vector<win::HWND>*>(lp)->push_back(h);
          return win::TRUE;
        },
        reinterpret_cast<win::LPARAM>(&out));
    return out;
  }
  static bool Above(win::HWND Upper, win::HWND Lower) {
    const auto z = ZOrder();
    const auto u = std::find(z.begin(), z.end(), Upper), l = std::find(z.begin(), z.end(), Lower);
    return u != z.end() && l != z.end() && u < l;
  }
  fw::TForm* form = nullptr;
  TTBDock* dock = nullptr;
  Bar* bar = nullptr;
};

// Which window takes activation from one that goes out of sight: the first visible, enabled
// top-level window of the thread, a window that is not a tool window before one that is.
TEST_F(FloatingRules, ActivationPassesToTheFirstSuitableWindow) {
  struct Case {
    const char* name;
    bool normalEnabled, normalVisible, toolVisible;
    int expected;  // 0 none, 1 the normal window, 2 the tool window
  };
  const Case cases[] = {
      {"a normal window first", true, true, true, 1},
      {"a disabled one is passed over", false, true, true, 2},
      {"a hidden one is passed over", true, false, true, 2},
      {"nothing suitable", true, false, false, 0},
  };
  for (const Case& c : cases) {
    win::HWND from = Create(win::WS_POPUP | win::WS_VISIBLE, {10, 10, 50, 50});
    win::HWND tool = Create(win::WS_POPUP | (c.toolVisible ? win::WS_VISIBLE : 0u), {20, 20, 50, 50}, nullptr,
                            win::WS_EX_TOOLWINDOW);
    win::HWND normal = Create(win::WS_OVERLAPPEDWINDOW | (c.normalVisible ? win::WS_VISIBLE : 0u), {30, 30, 90, 90});
    win::EnableWindow(normal, c.normalEnabled);
    form->Hide();
    win::SetActiveWindow(from);
    Pump();
    PassActivation(from);
    const win::HWND expected = c.expected == 1 ? normal : c.expected == 2 ? tool : from;
    EXPECT_EQ(win::GetActiveWindow(), expected) << c.name;
    for (win::HWND h : {from, tool, normal}) win::DestroyWindow(h);
    form->Show();
  }
}

// A floating frame asked to activate while it is out of sight hands activation on at once.
TEST_F(FloatingRules, AHiddenFloatingFrameHandsActivationOn) {
  TTBFloatingWindowParent* frame = bar->FloatingParent();
  bar->Close();
  Pump();
  ASSERT_FALSE(win::IsWindowVisible(frame->Handle()));
  kvtest::MessageRecorder rec(win::kChannelFocus);
  rec.Watch(frame->Handle());
  rec.Watch(form->Handle());
  rec.Ignore(win::WM_SETFOCUS);
  rec.Ignore(win::WM_KILLFOCUS);
  win::SetActiveWindow(frame->Handle());
  Pump();
  EXPECT_EQ(win::GetActiveWindow(), form->Handle());
  const win::HWND f = form->Handle(), t = frame->Handle();
  EXPECT_TRUE(rec.Matches({
      kvtest::Sent(win::WM_NCACTIVATE, f).W(win::FALSE),
      kvtest::Sent(win::WM_ACTIVATE, f).W(win::WA_INACTIVE),
      kvtest::Sent(win::WM_NCACTIVATE, t).W(win::TRUE),
      kvtest::Sent(win::WM_ACTIVATE, t).W(win::WA_ACTIVE),
      kvtest::Sent(win::WM_NCACTIVATE, f).W(win::TRUE).Depth(1),  // the form's caption stays active
      kvtest::Sent(win::WM_NCACTIVATE, t).W(win::FALSE).Depth(1),  // and activation moves on at once
      kvtest::Sent(win::WM_ACTIVATE, t).W(win::WA_INACTIVE).Depth(1),
      kvtest::Sent(win::WM_NCACTIVATE, f).W(win::FALSE).Depth(2),
      kvtest::Sent(win::WM_NCACTIVATE, f).W(win::TRUE).Depth(1),
      kvtest::Sent(win::WM_ACTIVATE, f).W(win::WA_ACTIVE).Depth(1),
  }));
}

// On top of all forms a frame is topmost while its window is enabled; on top of its form it is
// topmost when the form is.
TEST_F(FloatingRules, TopmostFollowsTheModeTheStateAndTheOwner) {
  TTBFloatingWindowParent* frame = bar->FloatingParent();
  EXPECT_FALSE(Topmost(frame));
  struct Step {
    const char* name;
    std::function<void()> act;
    bool topmost;
  };
  const Step steps[] = {
      {"on top of all forms", [&] { bar->SetFloatingMode(fmOnTopOfAllForms); }, true},
      {"disabled", [&] { bar->SetEnabled(false); }, false},
      {"enabled again", [&] { bar->SetEnabled(true); }, true},
      {"back on top of its form", [&] { bar->SetFloatingMode(fmOnTopOfParentForm); }, false},
      {"its form topmost",
       [&] {
         win::SetWindowPos(form->Handle(), win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
         bar->Hide();
         bar->Show();
       },
       true},
  };
  for (const Step& s : steps) {
    s.act();
    Pump();
    EXPECT_EQ(Topmost(frame), s.topmost) << s.name;
    EXPECT_TRUE(win::IsWindowVisible(frame->Handle())) << s.name;
  }
}

// A click on a frame whose owner form is not the main form activates the main form and brings
// the owner form up with it, the frame still above its owner.
TEST_F(FloatingRules, AClickRaisesADifferentOwnerFormToo) {
  auto* other = fw::Application->CreateForm<fw::TForm>();
  other->SetBounds(200, 200, 300, 200);
  other->Show();
  Bar* owned = NewBar(other);
  win::SetWindowPos(form->Handle(), win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
  win::SetActiveWindow(form->Handle());
  Pump();
  TTBFloatingWindowParent* frame = owned->FloatingParent();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(Above(form->Handle(), other->Handle()));
  const win::LRESULT answer = win::SendMessageW(frame->Handle(), win::WM_MOUSEACTIVATE, win::WPARAM(form->Handle()),
                                                win::MAKELPARAM(win::HTCLIENT, win::WM_LBUTTONDOWN));
  EXPECT_EQ(answer, win::MA_NOACTIVATE);
  EXPECT_EQ(win::GetActiveWindow(), form->Handle());
  EXPECT_TRUE(Above(other->Handle(), form->Handle())) << "the owner form comes up";
  EXPECT_TRUE(Above(frame->Handle(), other->Handle())) << "under its tool window";
  delete other;
}

}  // namespace
}  // namespace toolbars::testing
