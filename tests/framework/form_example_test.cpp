// A small program on the framework: a form with a panel, an edit (the platform's EDIT class
// subclassed by a control), an action list and a popup menu, run by the application's loop with
// the user's input scripted.

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "platform/controls/StandardControls.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

class TEditBox : public TWinControl {
 public:
  explicit TEditBox(TComponent* AOwner) : TWinControl(AOwner) {
    FTabStop = true;
    SetBounds(0, 0, 120, 24);
  }
  int changes = 0;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, u"EDIT");
    Params.Style |= win::WS_BORDER;
  }
  void Dispatch(TMessage& M) override {
    if (M.Msg == CN_COMMAND && win::HIWORD(M.WParam) == 0x0300 /* EN_CHANGE */) {
      ++changes;
      return;
    }
    TWinControl::Dispatch(M);
  }
};

class TPanelBox : public TCustomControl {
 public:
  explicit TPanelBox(TComponent* AOwner) : TCustomControl(AOwner) {
    FControlStyle.Include(csAcceptsControls);
  }
};

class TMainWindow : public TForm {
 public:
  explicit TMainWindow(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Example");
    SetBounds(50, 50, 400, 300);
    Panel = new TPanelBox(this);
    Panel->SetParent(this);
    Panel->SetHeight(40);
    Panel->SetAlign(alTop);
    Edit = new TEditBox(this);
    Edit->SetParent(this);
    Edit->SetAlign(alClient);
    Actions = new TActionList(this);
    ClearAction = new TAction(this);
    ClearAction->SetActionList(Actions);
    ClearAction->SetCaption("&Clear");
    ClearAction->SetShortCut(ShortCut('L', {ssCtrl}));
    ClearAction->OnExecute = [this](TObject*) { Edit->SetText(""); };
    ClearAction->OnUpdate = [this](TObject*) { ClearAction->SetEnabled(!Edit->Text().empty()); };
    Popup = new TPopupMenu(this);
    ClearItem = new TMenuItem(this);
    Popup->Items()->Add(ClearItem);
    ClearItem->SetAction(ClearAction);
    Edit->SetPopupMenu(Popup);
    SetActiveControl(Edit);
  }
  TPanelBox* Panel;
  TEditBox* Edit;
  TActionList* Actions;
  TAction* ClearAction;
  TPopupMenu* Popup;
  TMenuItem* ClearItem;
};

using FormExampleTests = ControlTest;

TEST_F(FormExampleTests, ASmallProgramRunsUnderTheHeadlessDesktop) {
  ASSERT_TRUE(win::RegisterStandardControls());
  auto* main = Application->CreateForm<TMainWindow>();
  EXPECT_EQ(Application->MainForm(), main);

  String afterTyping, afterMenu, afterShortCut;
  bool actionDisabledWhenEmpty = false;
  desktop->script([&] {
    EXPECT_EQ(main->Edit->BoundsRect(), Rect(0, 40, main->ClientWidth(), main->ClientHeight()));
    EXPECT_NE(main->Edit->DefWndProc(), &win::DefWindowProcW);
    EXPECT_TRUE(main->Edit->Focused());
    for (char16_t ch : std::u16string(u"abc")) desktop->type_char(ch);
  });
  desktop->script([&] {
    afterTyping = main->Edit->Text();
    // The context menu of the edit is the framework's popup menu (not the edit's own).
    desktop->click(main->Edit->ClientToScreen(Point(10, 10)), 1);
  });
  desktop->script([&] {  // inside the menu's loop
    desktop->press_key(win::VK_DOWN);
    desktop->press_key(win::VK_RETURN);
  });
  desktop->script([&] {
    afterMenu = main->Edit->Text();
    desktop->type_char(u'x');
  });
  desktop->script([&] {
    desktop->key_down(win::VK_CONTROL);
    desktop->press_key('L');
    desktop->key_up(win::VK_CONTROL);
  });
  desktop->script([&] {
    afterShortCut = main->Edit->Text();
    main->ClearAction->Update();
    actionDisabledWhenEmpty = !main->ClearAction->Enabled() && !main->ClearItem->Enabled();
    main->Close();
  });
  Application->Run();

  EXPECT_EQ(afterTyping, "abc");
  EXPECT_EQ(afterMenu, "");
  EXPECT_EQ(afterShortCut, "");
  EXPECT_TRUE(actionDisabledWhenEmpty);
  EXPECT_GE(main->Edit->changes, 3);
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(FormExampleTests, KeyPressCanChangeOrSwallowTypedCharactersBeforeTheEditSeesThem) {
  ASSERT_TRUE(win::RegisterStandardControls());
  TForm form(nullptr);
  auto* edit = new TEditBox(&form);
  edit->SetParent(&form);
  std::u16string pressed;
  int ups = 0;
  edit->OnKeyPress = [&](TObject*, char16_t& key) {
    pressed += key;
    if (key == u'-') key = 0;          // swallowed
    if (key == u'q') key = u'Q';       // changed
  };
  edit->OnKeyUp = [&](TObject*, Word&, TShiftState) { ++ups; };
  form.SetKeyPreview(true);
  form.OnKeyPress = [&](TObject*, char16_t& key) {
    if (key == u'#') key = 0;  // the form sees it first and keeps it from the edit
  };
  form.Show();
  form.SetActiveControl(edit);
  Pump();
  for (char16_t ch : std::u16string(u"aж-q#")) desktop->type_char(ch);
  desktop->press_key('Z');
  AppPump();
  EXPECT_EQ(pressed, u"aж-qz");
  EXPECT_EQ(edit->Text(), "aжQz");
  EXPECT_GE(ups, 1);
}

}  // namespace
}  // namespace fw::testing
