// The wide application: title before and after the application window, the idle hint from the
// control under the mouse, and the wide hint handed to hint-action clients.
#include <gtest/gtest.h>

#include "controls/UniApplication.h"
#include "controls/UniComboBox.h"
#include "framework/ExtCtrls.h"
#include "framework/stdctrls_support.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace cs {
namespace {

class WideAppTest : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    StartUniApplication();
  }
  // The application's idle work (actions update); a waiting message keeps it from waiting.
  void IdleOnce() {
    win::PostMessageW(form->Handle(), win::WM_NULL, 0, 0);
    fw::Application->Idle(win::MSG{});
    AppPump();
  }
  void TearDown() override {
    StopUniApplication();
    StdCtrlsTest::TearDown();
  }
};

TEST_F(WideAppTest, TitleBeforeTheWindowIsAppliedWhenItIsMade) {
  // A fresh application, whose window is not made yet.
  StopUniApplication();
  delete fw::Application;
  fw::Application = new fw::TApplication(nullptr);
  StartUniApplication();
  ASSERT_FALSE(fw::Application->HandleAllocated());
  UniApplication->SetTitle(u"Корвалин ✓");
  EXPECT_EQ(UniApplication->Title(), u"Корвалин ✓");
  const win::HWND wnd = fw::Application->Handle();
  char16_t text[64] = {};
  win::GetWindowTextW(wnd, text, 64);
  EXPECT_EQ(WideString(text), u"Корвалин ✓");
  const WideString lone(u"Окно \xDC01", 6);
  UniApplication->SetTitle(lone);
  EXPECT_EQ(UniApplication->Title(), lone);  // the window holds the wide text whole
  EXPECT_EQ(fw::Application->Title(), "Окно \xEF\xBF\xBD");
}

TEST_F(WideAppTest, IdleRefreshesTheHintFromTheControlUnderTheMouse) {
  auto* panel = Add<fw::TPanel>(0, 0, 300, 200);
  auto* combo = Add<TUniComboBox>(10, 10, 150, 21, panel);
  combo->SetStyle(fw::csDropDownList);
  SetWideControlHint(panel, u"Панель|Длинная подсказка панели");
  fw::Application->RegisterForm(form);  // the main form
  ShowForm();
  int hints = 0;
  fw::Application->OnHint = [&](fw::TObject*) { ++hints; };
  desktop->mouse_move(At(combo, 5, 5));
  Pump();
  AppPump();
  IdleOnce();
  ASSERT_NE(UniApplication->AppIdleEventControl(), nullptr);  // placed on the main form
  EXPECT_EQ(UniApplication->AppIdleEventControl()->Owner(), form);
  EXPECT_EQ(UniApplication->Hint(), u"Длинная подсказка панели");
  const int after = hints;
  IdleOnce();
  EXPECT_EQ(hints, after);  // the same hint again changes nothing
  fw::Application->OnHint = nullptr;
}

TEST_F(WideAppTest, ActivationIsNotedAndStillReachesTheApplication) {
  int activations = 0;
  fw::Application->OnActivate = [&](fw::TObject*) { ++activations; };
  Step(5000);
  const win::DWORD before = UniApplication->LastActivateTick();
  win::SendMessageW(fw::Application->Handle(), win::WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(activations, 1);
  EXPECT_GE(UniApplication->LastActivateTick() - before, 5000u);
  fw::Application->OnActivate = nullptr;
}

TEST_F(WideAppTest, HintActionClientsGetTheWideHint) {
  WideString received;
  String plainReceived;
  const char id = 0;
  fw::Application->HookMainWindow(
      [&](fw::TMessage& m) {
        if (m.Msg != fw::CM_ACTIONEXECUTE) return false;
        auto* action = reinterpret_cast<fw::TBasicAction*>(m.LParam);
        if (auto* wide = dynamic_cast<TUniHintAction*>(action)) received = wide->Hint();
        else if (auto* plain = dynamic_cast<fw::THintAction*>(action)) plainReceived = plain->Hint();
        return false;
      },
      &id);
  const WideString hint(u"Подсказка \xD800", 11);
  UniApplication->SetHint(hint);
  EXPECT_EQ(received, hint);
  EXPECT_EQ(plainReceived, "");  // replaced by the wide one
  // A hint action with another text is left to its clients as it is.
  fw::THintAction other(nullptr);
  other.SetHint("Другая");
  other.Execute();
  EXPECT_EQ(plainReceived, "Другая");
  fw::Application->UnhookMainWindow(&id);
}

}  // namespace
}  // namespace cs
