// The popup animation on a fake clock, and the showing handshake (message 1578) a themed popup
// window answers.

#include "toolbars/TBAnim.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "ToolbarsFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemViewer.h"

namespace toolbars::testing {
namespace {

// A popup window as a themed layer writes one: it records the showing notices and may veto the
// built-in animation.
class RecordingPopupWindow : public TTBPopupWindow {
 public:
  using TTBPopupWindow::TTBPopupWindow;
  static inline std::vector<win::WPARAM> Notices;
  static inline win::LRESULT Veto = 0;
  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg == TBM_POPUPSHOWING) {
      Notices.push_back(Message.WParam);
      Message.Result = Message.WParam == TPS_ANIMSTART ? Veto : 0;
      return;
    }
    TTBPopupWindow::Dispatch(Message);
  }
};

class RecordingRoot : public TTBRootItem {
 public:
  using TTBRootItem::TTBRootItem;
  TTBPopupWindowClass GetPopupWindowClass() override { return TTBPopupWindowClass::Of<RecordingPopupWindow>(); }
};

class PopupAnimation : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    RecordingPopupWindow::Notices.clear();
    RecordingPopupWindow::Veto = 0;
    owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
    win::SetActiveWindow(owner);
    win::SetFocus(owner);
    Pump();
    menu = new TTBPopupMenu(nullptr, new RecordingRoot(nullptr));
    for (const char* c : {"&One", "&Two"}) {
      auto* it = new TTBCustomItem(menu);
      it->SetCaption(c);
      menu->Items()->Add(it);
    }
    fakeNow = 0;
    SetAnimationClock([this] { return fakeNow.load(); },
                      [](unsigned) { std::this_thread::sleep_for(std::chrono::microseconds(200)); });
    detail::AnimationFrameObserver = [this](int step) { frames.push_back(step); };
  }
  void TearDown() override {
    EndAnimation(nullptr);
    delete menu;
    SetAnimationClock(nullptr, nullptr);
    detail::AnimationFrameObserver = nullptr;
    ToolbarsTest::TearDown();
  }
  // Waits (real time) until the worker posted its step message, then handles it.
  bool HandleNextStep() {
    for (int i = 0; i < 5000; ++i) {
      win::MSG msg{};
      if (win::PeekMessageW(&msg, nullptr, TBM_ANIMATIONSTEP, TBM_ANIMATIONSTEP, win::PM_REMOVE)) {
        win::DispatchMessageW(&msg);
        return true;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
  }

  win::HWND owner = nullptr;
  TTBPopupMenu* menu = nullptr;
  std::atomic<unsigned long long> fakeNow{0};
  std::vector<int> frames;
};

TEST_F(PopupAnimation, FadeFramesFollowTheClock) {
  std::vector<int> expected{32};
  desktop->script([&] {
    // At each time the worker moves to the next multiple of 16 and posts one step.
    struct Tick { unsigned long long ms; int alpha; };
    for (auto t : {Tick{28, -1}, Tick{29, 48}, Tick{38, 64}, Tick{48, 80}, Tick{142, 240}}) {
      fakeNow = t.ms;
      if (t.alpha < 0) continue;
      ASSERT_TRUE(HandleNextStep()) << "no step at " << t.ms;
      expected.push_back(t.alpha);
    }
    fakeNow = 150;
    ASSERT_TRUE(HandleNextStep()) << "no final step";
    EXPECT_FALSE(AnimationRunning());
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(frames, expected);
  // Asked first (1), then told the animation finished (2).
  EXPECT_EQ(RecordingPopupWindow::Notices, (std::vector<win::WPARAM>{TPS_ANIMSTART, TPS_ANIMFINISHED}));
}

TEST_F(PopupAnimation, AStaleStepIsIgnoredAndAVetoShowsAtOnce) {
  RecordingPopupWindow::Veto = 1;
  desktop->script([&] {
    EXPECT_FALSE(AnimationRunning());
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(RecordingPopupWindow::Notices, (std::vector<win::WPARAM>{TPS_ANIMSTART, TPS_NOANIM}));
  EXPECT_TRUE(frames.empty());

  // A step message of an earlier animation changes nothing.
  RecordingPopupWindow::Notices.clear();
  RecordingPopupWindow::Veto = 0;
  desktop->script([&] {
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    win::SendMessageW(popups[0]->Handle(), TBM_ANIMATIONSTEP, 0, -12345);
    EXPECT_EQ(frames, (std::vector<int>{32}));
    EXPECT_TRUE(AnimationRunning());
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_FALSE(AnimationRunning()) << "destroying the window ends its animation";
}

TEST_F(PopupAnimation, AKeyDuringTheAnimationIsHandledAtOnce) {
  bool runningAtKey = false;
  TTBCustomItem* selected = nullptr;
  desktop->script([&] {
    runningAtKey = AnimationRunning();
    desktop->press_key(win::VK_DOWN);
  });
  desktop->script([&] {
    if (auto popups = Popups(); !popups.empty() && popups[0]->View()->Selected())
      selected = popups[0]->View()->Selected()->Item();
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_TRUE(runningAtKey);
  ASSERT_NE(selected, nullptr) << "the key moved the selection while the clock stood still";
  EXPECT_EQ(selected->Caption(), "&One");
}

TEST_F(PopupAnimation, NoAnimationWhenSwitchedOffOrOpenedByKeyboard) {
  win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  menu->Popup(100, 100);
  EXPECT_EQ(RecordingPopupWindow::Notices, (std::vector<win::WPARAM>{TPS_NOANIM}));
  EXPECT_TRUE(frames.empty());
}

}  // namespace
}  // namespace toolbars::testing
