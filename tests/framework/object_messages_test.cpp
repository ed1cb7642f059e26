// Messages beyond the controls: dispatch on plain objects, hidden framework windows hearing the
// system's broadcasts, and the framework notices controls, forms and the application receive.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "control_fixture.h"
#include "framework/ClassesUtilWindow.h"
#include "framework/StdCtrls.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"

namespace fw {
namespace {

using testing::ControlTest;

// A plain object (no window, no control) with one handler; the rest ends in DefaultHandler.
class TRelay : public TObject {
 public:
  std::vector<win::UINT> Handled, Defaulted;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == 1336) {
      Handled.push_back(Message.Msg);
      Message.Result = Message.WParam + 1;
      return;
    }
    TObject::Dispatch(Message);
  }
  void DefaultHandler(TMessage& Message) override { Defaulted.push_back(Message.Msg); }
};

TEST(ObjectDispatchTest, APlainObjectAnswersItsMessageAndPassesTheRestToTheDefault) {
  TRelay relay;
  TObject& asObject = relay;
  TMessage own{1336, 2, 0, 0}, other{1338, 3, 0, 0};
  asObject.Dispatch(own);
  asObject.Dispatch(other);
  EXPECT_EQ(own.Result, 3);
  EXPECT_EQ(relay.Handled, std::vector<win::UINT>{1336});
  EXPECT_EQ(relay.Defaulted, std::vector<win::UINT>{1338});
}

// Records the framework notices a control hears.
class TListener : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::vector<TMessage> Seen;
  std::vector<bool> ChildWhenTold;  // for CM_CONTROLCHANGE: was the control a child of this one
  win::UINT Watch = 0;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == Watch) Seen.push_back(Message);
    if (Message.Msg == CM_CONTROLCHANGE)
      ChildWhenTold.push_back(reinterpret_cast<TControl*>(Message.WParam)->Parent() == this);
    TWinControl::Dispatch(Message);
  }
};

class FrameworkNoticeTest : public ControlTest {};

TEST_F(FrameworkNoticeTest, HiddenFrameworkWindowsHearSystemBroadcasts) {
  std::vector<win::UINT> seen;
  win::HWND wnd = AllocateHWnd([&](win::UINT msg, win::WPARAM, win::LPARAM) -> win::LRESULT {
    seen.push_back(msg);
    return 0;
  });
  ASSERT_NE(wnd, nullptr);
  EXPECT_FALSE(win::IsWindowVisible(wnd));
  win::INT which = win::COLOR_BTNFACE;
  win::COLORREF colour = 0x123456;
  ASSERT_TRUE(win::SetSysColors(1, &which, &colour));
  desktop->set_app_active(false);
  desktop->set_app_active(true);
  win::SendMessageW(win::HWND_BROADCAST, win::WM_THEMECHANGED, 0, 0);
  win::SystemParametersInfoW(win::SPI_SETMENUSHOWDELAY, 250, nullptr, win::SPIF_SENDCHANGE);
  desktop->run_until_idle();
  for (win::UINT msg : {win::WM_SYSCOLORCHANGE, win::WM_ACTIVATEAPP, win::WM_THEMECHANGED, win::WM_SETTINGCHANGE})
    EXPECT_NE(std::find(seen.begin(), seen.end(), msg), seen.end()) << std::hex << msg;
  DeallocateHWnd(wnd);
  win::ResetSysColors();
  win::ResetSystemParameters();
}

TEST_F(FrameworkNoticeTest, AParentHearsControlsInsertedAndRemoved) {
  auto* form = new TForm(Application);
  auto* parent = new TListener(form);
  parent->SetParent(form);
  parent->Watch = CM_CONTROLCHANGE;
  auto* edit = new TEdit(form);
  auto* label = new TLabel(form);
  struct Step {
    TControl* control;
    TWinControl* newParent;
    win::LPARAM inserting;
  };
  const Step steps[] = {{edit, parent, 1}, {label, parent, 1}, {edit, form, 0}, {label, nullptr, 0}};
  size_t expected = 0;
  for (const Step& s : steps) {
    s.control->SetParent(s.newParent);
    ASSERT_EQ(parent->Seen.size(), ++expected);
    EXPECT_EQ(parent->Seen.back().WParam, win::WPARAM(s.control));
    EXPECT_EQ(parent->Seen.back().LParam, s.inserting);
    EXPECT_TRUE(parent->ChildWhenTold.back());  // inserted already, or not yet removed
  }
  // Re-parenting within the form tells the new parent only.
  edit->SetParent(parent);
  label->SetParent(form);
  EXPECT_EQ(parent->Seen.size(), expected + 1);
  delete form;
}

TEST_F(FrameworkNoticeTest, FormsPassSystemColourChangesToEveryControl) {
  auto* form = new TForm(Application);
  auto* panel = new TListener(form);
  panel->SetParent(form);
  auto* inner = new TListener(form);
  inner->SetParent(panel);
  panel->Watch = inner->Watch = CM_SYSCOLORCHANGE;
  form->HandleNeeded();
  win::INT which = win::COLOR_WINDOW;
  win::COLORREF colour = 0x00FF00;
  ASSERT_TRUE(win::SetSysColors(1, &which, &colour));
  EXPECT_EQ(panel->Seen.size(), 1u);
  EXPECT_EQ(inner->Seen.size(), 1u);
  win::ResetSysColors();
  delete form;
}

TEST_F(FrameworkNoticeTest, TheApplicationHearsKeysAndSystemCommandsItsHooksMayTake) {
  auto* form = new TForm(Application);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  form->Show();
  edit->SetFocus();
  std::vector<TMessage> heard;
  bool take = true;
  int hook = 0;
  Application->HookMainWindow(
      [&](TMessage& m) {
        if (m.Msg != CM_APPKEYDOWN && m.Msg != CM_APPSYSCOMMAND) return false;
        heard.push_back(m);
        m.Result = take ? 1 : 0;
        return take;
      },
      &hook);
  win::HWND focus = win::GetFocus();
  win::PostMessageW(focus, win::WM_KEYDOWN, 'Q', 0);
  AppPump();
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].Msg, CM_APPKEYDOWN);
  EXPECT_EQ(heard[0].WParam, win::WPARAM('Q'));

  // A taken system command never reaches the default handling; one left alone does.
  win::SendMessageW(form->Handle(), win::WM_SYSCOMMAND, win::SC_MINIMIZE, 0);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[1].Msg, CM_APPSYSCOMMAND);
  EXPECT_EQ(reinterpret_cast<TMessage*>(heard[1].LParam)->WParam, win::WPARAM(win::SC_MINIMIZE));
  EXPECT_FALSE(win::IsIconic(form->Handle()));
  take = false;
  win::SendMessageW(form->Handle(), win::WM_SYSCOMMAND, win::SC_MINIMIZE, 0);
  EXPECT_TRUE(win::IsIconic(form->Handle()));
  Application->UnhookMainWindow(&hook);
  delete form;
}

}  // namespace
}  // namespace fw
