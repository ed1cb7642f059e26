#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StringList.h"
#include "framework/Timer.h"
#include "platform/controls/MessageBox.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

class ThrowingControl : public TCustomControl {
 public:
  explicit ThrowingControl(TComponent* AOwner) : TCustomControl(AOwner) {}
};

struct ShownBox {
  win::HWND owner;
  std::u16string text, caption;
  win::UINT flags;
};

using AppTests = ControlTest;

TEST_F(AppTests, AnExceptionInAnEventIsShownInAMessageBoxCaptionedWithTheTitle) {
  std::vector<ShownBox> shown;
  MessageBoxProc = [&](win::HWND owner, const WideString& text, const WideString& caption, win::UINT flags) {
    shown.push_back({owner, text, caption, flags});
    return 1;
  };
  Application->SetTitle("Коrvalin test");
  TForm form(nullptr);
  auto* c = new ThrowingControl(&form);
  c->SetParent(&form);
  c->SetBounds(0, 0, 50, 50);
  c->OnClick = [](TObject*) { throw EConvertError("'abc' is not a valid number"); };
  form.Show();
  Pump();
  desktop->click(At(c, 5, 5));
  Pump();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, u"'abc' is not a valid number.");  // a full stop is added
  EXPECT_EQ(shown[0].caption, u"Коrvalin test");
  EXPECT_EQ(shown[0].flags, win::MB_OK | win::MB_ICONERROR);
  EXPECT_EQ(shown[0].owner, form.Handle());

  // A message that ends in a full stop keeps it; EAbort is silent.
  c->OnClick = [](TObject*) { throw Exception("Done."); };
  Step(1000);  // not a double click
  desktop->click(At(c, 5, 5));
  Pump();
  c->OnClick = [](TObject*) { Abort(); };
  Step(1000);
  desktop->click(At(c, 5, 5));
  Pump();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, u"Done.");

  // OnException replaces the message box.
  std::string seen;
  Application->OnException = [&](TObject* sender, const std::exception& e) {
    EXPECT_EQ(sender, c);
    seen = e.what();
  };
  c->OnClick = [](TObject*) { throw Exception("quiet"); };
  Step(1000);
  desktop->click(At(c, 5, 5));
  Pump();
  EXPECT_EQ(seen, "quiet");
  EXPECT_EQ(shown.size(), 2u);
  // Something thrown that is not an exception object is reported too, not let through.
  c->OnClick = [](TObject*) { throw 42; };
  Step(1000);
  desktop->click(At(c, 5, 5));
  Pump();
  EXPECT_EQ(seen, "Unknown exception");
}

TEST_F(AppTests, ReleasingTwiceFreesOnce) {
  auto* form = new TForm(nullptr);
  int destroyed = 0;
  form->OnDestroy = [&](TObject*) { ++destroyed; };
  form->Release();
  form->Release();
  Pump();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(AppTests, TheExceptionBoxIsTheWindowSystemsMessageBoxAnsweredByTheScript) {
  win::desktop::ClearScriptedAnswers();
  win::ClearMessageBoxHistory();
  Application->SetTitle("Korvalin");
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDNO, {}, 0});
  EXPECT_EQ(Application->MessageBox("Save changes?", "Question", win::MB_YESNO), win::IDNO);
  // An exception from a timer's handler reaches a box too.
  win::desktop::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.OnTimer = [&](TObject*) {
    timer.SetEnabled(false);
    throw Exception("Timer failed");
  };
  desktop->advance(10);
  AppPump();
  EXPECT_EQ(win::desktop::PendingScriptedAnswers(), 0u);
  const auto& history = win::MessageBoxHistory();
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0].text, u"Save changes?");
  EXPECT_EQ(history[0].caption, u"Question");
  EXPECT_EQ(history[0].result, win::IDNO);
  EXPECT_EQ(history[1].text, u"Timer failed.");
  EXPECT_EQ(history[1].caption, u"Korvalin");
  EXPECT_EQ(history[1].type, win::MB_OK | win::MB_ICONERROR);
}

TEST_F(AppTests, IdleRunsOnIdleAndWaitsOnlyWhenDone) {
  int idles = 0;
  Application->OnIdle = [&](TObject*, bool& done) {
    ++idles;
    done = idles >= 3;
  };
  auto* main = Application->CreateForm<TForm>();
  desktop->script([&] { main->Close(); });
  Application->Run();
  EXPECT_GE(idles, 3);
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(AppTests, HandleMessageProcessesPostedMessagesThroughOnMessage) {
  std::vector<win::UINT> seen;
  bool eat = false;
  Application->OnMessage = [&](win::MSG& msg, bool& handled) {
    if (msg.message == win::WM_USER + 1) {
      seen.push_back(msg.message);
      handled = eat;
    }
  };
  int reached = 0;
  Application->HookMainWindow(
      [&](TMessage& m) {
        if (m.Msg == win::WM_USER + 1) ++reached;
        return false;
      },
      this);
  win::PostMessageW(Application->Handle(), win::WM_USER + 1, 0, 0);
  Application->ProcessMessages();
  eat = true;
  win::PostMessageW(Application->Handle(), win::WM_USER + 1, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(reached, 1);
  Application->UnhookMainWindow(this);
  eat = false;
  win::PostMessageW(Application->Handle(), win::WM_USER + 1, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(reached, 1);
}

TEST_F(AppTests, HookedMainWindowCanAnswerMessagesFirst) {
  Application->HookMainWindow(
      [](TMessage& m) {
        if (m.Msg != win::WM_USER + 9) return false;
        m.Result = 77;
        return true;
      },
      this);
  EXPECT_EQ(win::SendMessageW(Application->Handle(), win::WM_USER + 9, 0, 0), 77);
  // The application window is hidden and carries the title.
  Application->SetTitle("Plot");
  char16_t buf[16] = {};
  win::GetWindowTextW(Application->Handle(), buf, 16);
  EXPECT_EQ(std::u16string(buf), u"Plot");
  EXPECT_FALSE(win::IsWindowVisible(Application->Handle()));
}

TEST_F(AppTests, ScreenTracksFormsAndTheActiveForm) {
  int changes = 0;
  Screen->OnActiveFormChange = [&](TObject*) { ++changes; };
  auto* a = new TForm(nullptr);
  auto* b = new TForm(nullptr);
  EXPECT_EQ(Screen->FormCount(), 2);
  EXPECT_EQ(Screen->Forms(0), a);
  a->Show();
  Pump();
  EXPECT_EQ(Screen->ActiveForm(), a);
  b->Show();
  Pump();
  EXPECT_EQ(Screen->ActiveForm(), b);
  EXPECT_TRUE(b->Active());
  EXPECT_FALSE(a->Active());
  delete b;
  EXPECT_NE(Screen->ActiveForm(), b);
  delete a;
  EXPECT_EQ(Screen->FormCount(), 0);
  EXPECT_GE(changes, 2);
  Screen->OnActiveFormChange = nullptr;
}

TEST_F(AppTests, ScreenCursorsMapToSystemCursorsAndTheScreenCursorWins) {
  EXPECT_EQ(Screen->Cursors(crHourGlass), win::LoadCursorW(nullptr, win::IDC_WAIT));
  EXPECT_EQ(Screen->Cursors(crIBeam), win::LoadCursorW(nullptr, win::IDC_IBEAM));
  EXPECT_EQ(Screen->Cursors(crHandPoint), win::LoadCursorW(nullptr, win::IDC_HAND));
  EXPECT_EQ(Screen->Cursors(crDefault), win::LoadCursorW(nullptr, win::IDC_ARROW));
  EXPECT_EQ(Screen->Cursors(12345), win::LoadCursorW(nullptr, win::IDC_ARROW));
  Screen->SetCursors(1, win::LoadCursorW(nullptr, win::IDC_CROSS));
  EXPECT_EQ(Screen->Cursors(1), win::LoadCursorW(nullptr, win::IDC_CROSS));

  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 200);
  auto* c = new ThrowingControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 50, 50);
  c->SetCursor(crIBeam);
  form.Show();
  Pump();
  desktop->mouse_move(At(c, 5, 5));
  Pump();
  EXPECT_EQ(win::GetCursor(), win::LoadCursorW(nullptr, win::IDC_IBEAM));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(win::GetCursor(), win::LoadCursorW(nullptr, win::IDC_WAIT));
  desktop->mouse_move(At(c, 6, 6));
  Pump();
  EXPECT_EQ(win::GetCursor(), win::LoadCursorW(nullptr, win::IDC_WAIT));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(win::GetCursor(), win::LoadCursorW(nullptr, win::IDC_IBEAM));
}

TEST_F(AppTests, ScreenGeometryMonitorsAndFonts) {
  EXPECT_EQ(Screen->Width(), 800);
  EXPECT_EQ(Screen->Height(), 600);
  EXPECT_EQ(Screen->DesktopRect(), Rect(0, 0, 800, 600));
  TRect work = Screen->WorkAreaRect();
  EXPECT_LE(work.bottom, 600);
  EXPECT_GT(work.bottom, 0);
  ASSERT_EQ(Screen->MonitorCount(), 1);
  TMonitor* m = Screen->Monitors(0);
  EXPECT_TRUE(m->Primary());
  EXPECT_EQ(m->BoundsRect(), Rect(0, 0, 800, 600));
  EXPECT_EQ(Screen->MonitorFromPoint(Point(5000, 5000)), m);
  EXPECT_EQ(Screen->MonitorFromPoint(Point(5000, 5000), mdNull), nullptr);
  EXPECT_EQ(Screen->MonitorFromRect(Rect(10, 10, 20, 20)), m);
  TForm form(nullptr);
  EXPECT_EQ(Screen->MonitorFromWindow(form.Handle()), m);
  EXPECT_THROW(Screen->Monitors(1), EListError);

  TStrings* fonts = Screen->Fonts();
  EXPECT_GE(fonts->IndexOf("Arial"), 0);
  EXPECT_GE(fonts->IndexOf("Tahoma"), 0);
  EXPECT_GE(fonts->IndexOf("Times New Roman"), 0);
  for (Integer i = 1; i < fonts->Count(); ++i) EXPECT_LT(AnsiCompareText(fonts->Strings(i - 1), fonts->Strings(i)), 0);
  EXPECT_FALSE(Screen->HintFont()->Name().empty());
  EXPECT_FALSE(Screen->MenuFont()->Name().empty());
}

TEST_F(AppTests, ActionsRunThroughTheActiveFormsControlsWhenNothingElseHandlesThem) {
  class Target : public TCustomControl {
   public:
    explicit Target(TComponent* o) : TCustomControl(o) {}
    int executed = 0;
    bool ExecuteAction(TBasicAction*) override {
      ++executed;
      return true;
    }
  };
  TForm form(nullptr);
  auto* t = new Target(&form);
  t->SetParent(&form);
  form.Show();
  Pump();
  TAction orphan(nullptr);  // no list, no OnExecute
  // Nothing answers its update, so by default it is disabled as having no handler.
  EXPECT_FALSE(orphan.Execute());
  EXPECT_FALSE(orphan.Enabled());
  EXPECT_EQ(t->executed, 0);
  orphan.SetDisableIfNoHandler(false);
  EXPECT_TRUE(orphan.Enabled());
  EXPECT_TRUE(orphan.Execute());
  EXPECT_EQ(t->executed, 1);
}

TEST_F(AppTests, MinimizeAndRestoreTheMainForm) {
  auto* main = Application->CreateForm<TForm>();
  main->Show();
  Pump();
  int minimized = 0, restored = 0;
  Application->OnMinimize = [&](TObject*) { ++minimized; };
  Application->OnRestore = [&](TObject*) { ++restored; };
  Application->Minimize();
  EXPECT_TRUE(win::IsIconic(main->Handle()));
  Application->Restore();
  EXPECT_FALSE(win::IsIconic(main->Handle()));
  EXPECT_EQ(minimized, 1);
  EXPECT_EQ(restored, 1);
}

TEST_F(AppTests, FreeingAParentBeforeItsOwnedChildrenLeavesTheOwnerConsistent) {
  auto* form = new TForm(nullptr);
  auto* child = new ThrowingControl(form);  // made first, freed by its parent
  auto* panel = new ThrowingControl(form);
  panel->SetParent(form);
  child->SetParent(panel);
  EXPECT_EQ(form->ComponentCount(), 2);
  delete panel;
  EXPECT_EQ(form->ComponentCount(), 0);
  auto* again = new ThrowingControl(form);
  again->SetParent(form);
  auto* inner = new ThrowingControl(form);
  inner->SetParent(again);
  delete form;  // frees both without freeing one twice
  EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(AppTests, TopMostWindowsStepBackWhileNormalized) {
  TForm top(nullptr);
  top.SetFormStyle(fsStayOnTop);
  top.Show();
  auto exStyle = [&] { return win::DWORD(win::GetWindowLongW(top.Handle(), win::GWL_EXSTYLE)); };
  EXPECT_TRUE(exStyle() & win::WS_EX_TOPMOST);
  Application->NormalizeTopMosts();
  EXPECT_FALSE(exStyle() & win::WS_EX_TOPMOST);
  Application->RestoreTopMosts();
  EXPECT_TRUE(exStyle() & win::WS_EX_TOPMOST);
}

}  // namespace
}  // namespace fw::testing
