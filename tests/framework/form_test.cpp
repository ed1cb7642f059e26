#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/PageControl.h"
#include "framework/StdCtrls.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

// A minimal push button: Enter clicks the default one, Esc the cancel one, through CM_DIALOGKEY;
// a click sets the form's ModalResult.
class TestButton : public TWinControl {
 public:
  explicit TestButton(TComponent* AOwner) : TWinControl(AOwner) { FTabStop = true; }
  bool isDefault = false, isCancel = false;
  TModalResult modalResult = mrNone;
  int clicks = 0;
  void Click() override {
    ++clicks;
    if (TCustomForm* f = GetParentForm(this)) f->SetModalResult(modalResult);
    TWinControl::Click();
  }

 protected:
  void CMDialogKey(TMessage& M) override {
    if ((M.WParam == win::VK_RETURN && isDefault) || (M.WParam == win::VK_ESCAPE && isCancel)) {
      Click();
      M.Result = 1;
      return;
    }
    TWinControl::CMDialogKey(M);
  }
};

// A button with an accelerator in its caption.
class AccelButton : public TestButton {
 public:
  explicit AccelButton(TComponent* AOwner) : TestButton(AOwner) {}

 protected:
  void CMDialogChar(TMessage& M) override {
    if (IsAccel(char16_t(M.WParam), Caption()) && CanFocus()) {
      Click();
      M.Result = 1;
      return;
    }
    TestButton::CMDialogChar(M);
  }
};

class FocusBox : public TWinControl {
 public:
  explicit FocusBox(TComponent* AOwner) : TWinControl(AOwner) { FTabStop = true; }
};

// A control that asks for Enter through CM_WANTSPECIALKEY, and so takes it before the form does.
class EnterTaker : public FocusBox {
 public:
  using FocusBox::FocusBox;
  void Dispatch(TMessage& M) override {
    if (M.Msg == CM_WANTSPECIALKEY && M.WParam == win::VK_RETURN) {
      M.Result = 1;
      return;
    }
    FocusBox::Dispatch(M);
  }
};

using FormTests = ControlTest;

TEST_F(FormTests, ShowModalRunsUntilModalResultWithTheOtherWindowsDisabled) {
  auto* main = Application->CreateForm<TForm>();
  main->Show();
  Pump();
  TForm dialog(nullptr);
  bool mainEnabledMeanwhile = true;
  bool dialogVisibleMeanwhile = false;
  desktop->script([&] {
    mainEnabledMeanwhile = win::IsWindowEnabled(main->Handle()) != win::FALSE;
    dialogVisibleMeanwhile = win::IsWindowVisible(dialog.Handle()) != win::FALSE;
    dialog.SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_FALSE(mainEnabledMeanwhile);
  EXPECT_TRUE(dialogVisibleMeanwhile);
  EXPECT_TRUE(win::IsWindowEnabled(main->Handle()));
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(win::IsWindowVisible(dialog.Handle()));
  // It can be shown modally again.
  desktop->script([&] { dialog.SetModalResult(mrYes); });
  EXPECT_EQ(dialog.ShowModal(), mrYes);
  EXPECT_EQ(mrYes, 6);
  EXPECT_EQ(mrNo, 7);
}

TEST_F(FormTests, ClosingAModalFormAsksCloseQueryAndEndsWithCancel) {
  TForm dialog(nullptr);
  int queries = 0;
  std::vector<std::string> events;
  dialog.OnCloseQuery = [&](TObject*, bool& canClose) {
    ++queries;
    canClose = queries > 1;
  };
  dialog.OnClose = [&](TObject*, TCloseAction& action) {
    events.push_back("close");
    EXPECT_EQ(action, caHide);
  };
  dialog.OnHide = [&](TObject*) { events.push_back("hide"); };
  desktop->script([&] { win::PostMessageW(dialog.Handle(), win::WM_CLOSE, 0, 0); });
  desktop->script([&] { win::SendMessageW(dialog.Handle(), win::WM_CLOSE, 0, 0); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(events, (std::vector<std::string>{"close", "hide"}));
}

TEST_F(FormTests, ShowModalRefusesAVisibleForm) {
  TForm form(nullptr);
  form.Show();
  EXPECT_THROW(form.ShowModal(), EInvalidOperation);
}

TEST_F(FormTests, CloseActionsHideFreeMinimizeOrKeepTheForm) {
  auto* form = new TForm(nullptr);
  TCloseAction next = caNone;
  form->OnClose = [&](TObject*, TCloseAction& a) { a = next; };
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible());
  next = caMinimize;
  form->Close();
  EXPECT_TRUE(win::IsIconic(form->Handle()));
  next = caHide;
  form->Close();
  EXPECT_FALSE(form->Visible());
  form->Show();
  bool destroyed = false;
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  next = caFree;
  form->Close();
  EXPECT_FALSE(destroyed);  // deferred until the loop runs
  EXPECT_EQ(Screen->FormCount(), 1);
  Pump();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(FormTests, ReleaseInsideAnEventHandlerFreesTheFormAfterwards) {
  auto* form = new TForm(nullptr);
  auto* button = new TestButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 25);
  int after = 0;
  button->OnClick = [&](TObject*) {
    form->Release();
    ++after;  // the form and the button still exist here
    EXPECT_EQ(button->Parent(), form);
  };
  form->Show();
  Pump();
  desktop->click(At(button, 5, 5));
  Pump();
  EXPECT_EQ(after, 1);
  EXPECT_EQ(Screen->FormCount(), 0);
}

// A form freed by its own OK, whose click runs a message loop before it returns (a modal box
// after the close): the form outlives the key or click that pressed OK, out of sight, and goes
// once that handler has returned.
TEST_F(FormTests, FormReleasedInsideItsOwnNestedLoopOutlivesTheHandler) {
  struct Way {
    const char* name;
    bool byKey;
  };
  for (const Way& way : {Way{"Enter on a focused field", true}, Way{"a click on OK", false}}) {
    SCOPED_TRACE(way.name);
    auto* form = new TForm(nullptr);
    auto* box = new FocusBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 80, 25);
    auto* ok = new TestButton(form);
    ok->SetParent(form);
    ok->SetBounds(10, 50, 80, 25);
    ok->isDefault = true;
    bool destroyed = false, aliveAfterLoop = false, hiddenAfterLoop = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    ok->OnClick = [&](TObject*) {
      form->Close();
      Application->ProcessMessages();
      aliveAfterLoop = !destroyed;
      if (aliveAfterLoop) hiddenAfterLoop = !form->Visible() && ok->Parent() == form;
    };
    form->Show();
    form->SetActiveControl(box);
    Pump();
    if (way.byKey)
      desktop->press_key(win::VK_RETURN);
    else
      desktop->click(At(ok, 5, 5));
    AppPump();
    EXPECT_TRUE(aliveAfterLoop);
    EXPECT_TRUE(hiddenAfterLoop);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen->FormCount(), 0);
  }
}

TEST_F(FormTests, ClosingTheMainFormEndsRun) {
  auto* main = Application->CreateForm<TForm>();
  auto* second = Application->CreateForm<TForm>();
  EXPECT_EQ(Application->MainForm(), main);
  EXPECT_NE(Application->MainForm(), second);
  desktop->script([&] { main->Close(); });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(desktop->starved());
}

TEST_F(FormTests, EventsComeInTheirOrder) {
  std::vector<std::string> events;
  auto* form = new TForm(Application);
  bool painted = false;
  form->OnCreate = [&](TObject*) { events.push_back("create"); };
  form->OnShow = [&](TObject*) { events.push_back("show"); };
  form->OnActivate = [&](TObject*) { events.push_back("activate"); };
  form->OnPaint = [&](TObject* sender) {
    EXPECT_NE(form->Canvas()->Handle(), nullptr);
    EXPECT_EQ(sender, form);
    if (!painted) events.push_back("paint");
    painted = true;
  };
  form->OnResize = [&](TObject*) { events.push_back("resize"); };
  form->OnKeyDown = [&](TObject*, Word&, TShiftState) { events.push_back("key"); };
  form->OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
  form->OnHide = [&](TObject*) { events.push_back("hide"); };
  form->OnDestroy = [&](TObject*) { events.push_back("destroy"); };
  form->AfterConstruction();
  form->Show();
  Pump();
  form->SetBounds(form->Left(), form->Top(), 400, 300);
  desktop->press_key('K');
  AppPump();
  TForm other(nullptr);
  other.Show();
  Pump();
  form->Hide();
  delete form;
  EXPECT_EQ(events, (std::vector<std::string>{"create", "show", "activate", "paint", "resize", "key", "deactivate",
                                              "hide", "destroy"}));
}

TEST_F(FormTests, KeyPreviewLetsTheFormSeeKeysFirst) {
  TForm form(nullptr);
  auto* box = new FocusBox(&form);
  box->SetParent(&form);
  box->SetBounds(10, 10, 50, 20);
  form.SetKeyPreview(true);
  std::vector<std::string> log;
  form.OnKeyDown = [&](TObject* sender, Word& key, TShiftState) {
    EXPECT_EQ(sender, &form);
    log.push_back("form " + std::to_string(key));
    if (key == 'X') key = 0;
  };
  box->OnKeyDown = [&](TObject*, Word& key, TShiftState) { log.push_back("box " + std::to_string(key)); };
  form.Show();
  form.SetActiveControl(box);
  Pump();
  ASSERT_TRUE(box->Focused());
  desktop->press_key('A');
  desktop->press_key('X');
  AppPump();
  EXPECT_EQ(log, (std::vector<std::string>{"form 65", "box 65", "form 88"}));
}

TEST_F(FormTests, EnterAndEscClickTheDefaultAndCancelButtons) {
  TForm form(nullptr);
  auto* box = new FocusBox(&form);
  box->SetParent(&form);
  auto* ok = new TestButton(&form);
  ok->SetParent(&form);
  ok->isDefault = true;
  ok->modalResult = mrOk;
  auto* cancel = new TestButton(&form);
  cancel->SetParent(&form);
  cancel->isCancel = true;
  cancel->modalResult = mrCancel;
  form.SetActiveControl(box);
  desktop->script([&] { desktop->press_key(win::VK_RETURN); });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(ok->clicks, 1);
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(cancel->clicks, 1);
  EXPECT_EQ(ok->clicks, 1);
}

TEST_F(FormTests, AcceleratorCharactersReachTheControlsOfTheForm) {
  TForm form(nullptr);
  auto* box = new FocusBox(&form);
  box->SetParent(&form);
  auto* go = new AccelButton(&form);
  go->SetParent(&form);
  go->SetCaption("&Go");
  auto* stop = new AccelButton(&form);
  stop->SetParent(&form);
  stop->SetCaption("&Стоп");
  form.Show();
  form.SetActiveControl(box);
  Pump();
  desktop->type_char(u'g');
  desktop->type_char(u'с');
  desktop->type_char(u'x');
  AppPump();
  EXPECT_EQ(go->clicks, 1);
  EXPECT_EQ(stop->clicks, 1);
}

TEST_F(FormTests, TabMovesTheFocusInTabOrderAndShiftTabBack) {
  TForm form(nullptr);
  auto* a = new FocusBox(&form);
  auto* b = new FocusBox(&form);
  auto* c = new FocusBox(&form);
  auto* hidden = new FocusBox(&form);
  for (TWinControl* w : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b), static_cast<TWinControl*>(c),
                         static_cast<TWinControl*>(hidden)}) {
    w->SetParent(&form);
  }
  hidden->SetVisible(false);
  c->SetTabOrder(0);  // c, a, b
  EXPECT_EQ(a->TabOrder(), 1);
  int enters = 0, exits = 0;
  b->OnEnter = [&](TObject*) { ++enters; };
  b->OnExit = [&](TObject*) { ++exits; };
  form.Show();
  form.SetActiveControl(c);
  Pump();
  desktop->press_key(win::VK_TAB);
  AppPump();
  EXPECT_EQ(form.ActiveControl(), a);
  EXPECT_TRUE(a->Focused());
  desktop->press_key(win::VK_TAB);
  AppPump();
  EXPECT_EQ(form.ActiveControl(), b);
  EXPECT_EQ(Screen->ActiveControl(), b);
  desktop->press_key(win::VK_TAB);  // past the hidden one, round to the first
  AppPump();
  EXPECT_EQ(form.ActiveControl(), c);
  desktop->key_down(win::VK_SHIFT);
  desktop->press_key(win::VK_TAB);
  desktop->key_up(win::VK_SHIFT);
  AppPump();
  EXPECT_EQ(form.ActiveControl(), b);
  EXPECT_EQ(enters, 2);
  EXPECT_EQ(exits, 1);
  // A hidden control cannot become the active one.
  EXPECT_THROW(form.SetActiveControl(hidden), EInvalidOperation);
}

// What a form of plain controls (which leave Enter to the form) focuses when it first becomes
// active: its first control in tab order that can take the focus and stops on Tab, unless one
// was named before; a second activation returns to the control focused last.
TEST_F(FormTests, AFormOpensWithItsFirstControlFocused) {
  struct Row {
    const char* what;
    bool firstHidden, firstDisabled, firstSkipsTab, firstInAGroup, nameThird;
    int expected;  // index of the control focused after Show
  };
  const Row rows[] = {
      {"the first in tab order", false, false, false, false, false, 0},
      {"past a hidden first", true, false, false, false, false, 1},
      {"past a disabled first", false, true, false, false, false, 1},
      {"past one that skips Tab", false, false, true, false, false, 1},
      {"the first inside a group", false, false, false, true, false, 0},
      {"the one named before showing", false, false, false, false, true, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TForm form(nullptr);
    // A group that does not stop on Tab itself, holding the first control when the row asks.
    auto* group = new TWinControl(&form);
    group->SetParent(&form);
    FocusBox* boxes[3];
    for (FocusBox*& b : boxes) {
      b = new FocusBox(&form);
      b->SetParent(&b == &boxes[0] && row.firstInAGroup ? group : static_cast<TWinControl*>(&form));
    }
    boxes[0]->SetVisible(!row.firstHidden);
    boxes[0]->SetEnabled(!row.firstDisabled);
    boxes[0]->SetTabStop(!row.firstSkipsTab);
    if (row.nameThird) form.SetActiveControl(boxes[2]);
    form.Show();
    AppPump();
    EXPECT_EQ(form.ActiveControl(), boxes[row.expected]);
    EXPECT_TRUE(boxes[row.expected]->Focused());
  }
}

// Which control a dialog opens on, by the kinds of controls in its tab order: the first that
// leaves Enter to the dialog, or the default button where none comes before it; Enter right
// after it opens presses that default button.
TEST_F(FormTests, ADialogOpensOnTheControlEnterPassesBy) {
  enum Kind { Field, Box, Radios, NewLines, TakesEnter, Pages, Button, Ok };
  struct Row {
    const char* what;
    std::vector<Kind> controls;  // in tab order
    int expected;                // index of the control focused after Show, -1 for the form itself
  };
  const Row rows[] = {
      {"a field first", {Field, Box, Ok}, 0},
      {"a check box first", {Box, Field, Ok}, 1},
      {"a radio group first", {Radios, Field, Ok}, 1},
      {"a memo taking new lines first", {NewLines, Field, Ok}, 1},
      {"a control asking for Enter first", {TakesEnter, Field, Ok}, 1},
      {"a page control first: its page's field", {Pages, Field, Ok}, 0},
      {"nothing but buttons: the default one", {Button, Ok}, 1},
      {"the default button before any field", {Box, Ok, Field}, 1},
      {"boxes and no default button: the form", {Box, Button}, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 400);
    std::vector<TWinControl*> made;  // the focus each row's control stands for
    TButton* ok = nullptr;
    int top = 0;
    auto place = [&](TWinControl* c, TWinControl* parent) {
      c->SetParent(parent);
      c->SetBounds(4, top, 120, 22);
      top += 26;
      return c;
    };
    for (Kind kind : row.controls) {
      switch (kind) {
        case Field: made.push_back(place(new TEdit(&form), &form)); break;
        case Box: made.push_back(place(new TCheckBox(&form), &form)); break;
        case Radios: {
          auto* first = static_cast<TRadioButton*>(place(new TRadioButton(&form), &form));
          place(new TRadioButton(&form), &form);
          first->SetChecked(true);
          made.push_back(first);
          break;
        }
        case NewLines: {
          auto* memo = new TMemo(&form);
          memo->SetWantReturns(true);
          made.push_back(place(memo, &form));
          break;
        }
        case TakesEnter: made.push_back(place(new EnterTaker(&form), &form)); break;
        case Pages: {
          auto* pages = static_cast<TPageControl*>(place(new TPageControl(&form), &form));
          pages->SetHeight(120);
          top += 100;
          auto* sheet = new TTabSheet(&form);
          sheet->SetPageControl(pages);
          auto* inside = new TEdit(&form);
          inside->SetParent(sheet);
          made.push_back(inside);
          break;
        }
        case Button:
        case Ok: {
          auto* b = static_cast<TButton*>(place(new TButton(&form), &form));
          if (kind == Ok) {
            b->SetDefault(true);
            b->SetModalResult(mrOk);
            ok = b;
          }
          made.push_back(b);
          break;
        }
      }
    }
    form.Show();
    AppPump();
    TWinControl* expected = row.expected < 0 ? nullptr : made[std::size_t(row.expected)];
    EXPECT_EQ(form.ActiveControl(), expected);
    EXPECT_TRUE(expected != nullptr ? expected->Focused() : win::GetFocus() == form.Handle());
    if (ok != nullptr) {
      desktop->press_key(win::VK_RETURN);
      AppPump();
      EXPECT_EQ(form.ModalResult(), mrOk) << "Enter right after opening presses OK";
    }
  }
}

// A window shown again while it shows (its command chosen once more) takes the keyboard back to
// the control it had, so typed text lands there.
TEST_F(FormTests, AWindowShownAgainWhileItShowsTakesTheKeyboard) {
  auto* main = Application->CreateForm<TForm>();
  main->Show();
  AppPump();
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  form.Show();
  AppPump();
  ASSERT_TRUE(edit->Focused());
  win::SetActiveWindow(main->Handle());
  AppPump();
  ASSERT_FALSE(edit->Focused());
  form.Show();
  AppPump();
  EXPECT_TRUE(form.Active());
  EXPECT_TRUE(edit->Focused());
  desktop->type_char(u'4');
  desktop->type_char(u'2');
  AppPump();
  EXPECT_EQ(edit->Text(), "42");
}

TEST_F(FormTests, ASecondActivationReturnsToTheControlFocusedLast) {
  TForm form(nullptr);
  auto* a = new FocusBox(&form);
  auto* b = new FocusBox(&form);
  a->SetParent(&form);
  b->SetParent(&form);
  TForm other(nullptr);
  form.Show();
  AppPump();
  ASSERT_TRUE(a->Focused());
  desktop->press_key(win::VK_TAB);
  AppPump();
  ASSERT_TRUE(b->Focused());
  other.Show();
  AppPump();
  ASSERT_FALSE(b->Focused());
  win::SetActiveWindow(form.Handle());
  AppPump();
  EXPECT_EQ(form.ActiveControl(), b);
  EXPECT_TRUE(b->Focused());
}

TEST_F(FormTests, PositionsCentreOnTheScreenOrTheMainForm) {
  auto* main = Application->CreateForm<TForm>();
  main->SetBounds(100, 100, 400, 300);
  main->Show();
  TForm a(nullptr);
  a.SetBounds(0, 0, 200, 100);
  a.SetPosition(poScreenCenter);
  a.Show();
  EXPECT_EQ(a.BoundsRect(), Rect(300, 250, 500, 350));  // an 800 x 600 screen
  TForm b(nullptr);
  b.SetBounds(0, 0, 200, 100);
  b.SetPosition(poMainFormCenter);
  b.Show();
  EXPECT_EQ(b.BoundsRect(), Rect(200, 200, 400, 300));
  TForm c(nullptr);
  c.SetBounds(7, 8, 200, 100);
  c.SetPosition(poDesigned);
  c.Show();
  EXPECT_EQ(c.BoundsRect(), Rect(7, 8, 207, 108));
}

TEST_F(FormTests, BorderStylesAndStayOnTopBecomeWindowStyles) {
  TForm form(nullptr);
  form.SetBorderStyle(bsDialog);
  auto style = [&] { return win::DWORD(win::GetWindowLongW(form.Handle(), win::GWL_STYLE)); };
  auto ex = [&] { return win::DWORD(win::GetWindowLongW(form.Handle(), win::GWL_EXSTYLE)); };
  EXPECT_TRUE(ex() & win::WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(style() & win::WS_THICKFRAME);
  EXPECT_FALSE(style() & win::WS_MAXIMIZEBOX);
  form.SetBorderStyle(bsSizeable);
  EXPECT_TRUE(style() & win::WS_THICKFRAME);
  EXPECT_TRUE(style() & win::WS_MAXIMIZEBOX);
  form.SetBorderIcons({biSystemMenu});
  EXPECT_FALSE(style() & win::WS_MAXIMIZEBOX);
  EXPECT_TRUE(style() & win::WS_SYSMENU);
  form.SetBorderStyle(bsToolWindow);
  EXPECT_TRUE(ex() & win::WS_EX_TOOLWINDOW);
  form.SetBorderStyle(bsNone);
  EXPECT_FALSE(style() & win::WS_CAPTION);
  form.SetFormStyle(fsStayOnTop);
  EXPECT_TRUE(ex() & win::WS_EX_TOPMOST);
}

TEST_F(FormTests, ClientSizeIsTheWindowsClientAreaWithOrWithoutAHandle) {
  TForm form(nullptr);
  form.SetBorderStyle(bsSingle);
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  EXPECT_FALSE(form.HandleAllocated());
  EXPECT_EQ(form.ClientWidth(), 300);
  win::RECT r;
  win::GetClientRect(form.Handle(), &r);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.bottom, 200);
  EXPECT_GT(form.Width(), 300);
  form.SetClientWidth(250);
  win::GetClientRect(form.Handle(), &r);
  EXPECT_EQ(r.right, 250);
}

}  // namespace
}  // namespace fw::testing
