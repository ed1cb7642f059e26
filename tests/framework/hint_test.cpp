#include <gtest/gtest.h>

#include <string>

#include "control_fixture.h"
#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/HintWindow.h"
#include "framework/Menus.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

class HintBox : public TCustomControl {
 public:
  explicit HintBox(TComponent* AOwner) : TCustomControl(AOwner) {}
  String changedTo;
  bool forbid = false;

 protected:
  void CMHintShow(TMessage& M) override {
    auto* info = reinterpret_cast<THintInfo*>(M.LParam);
    if (!changedTo.empty()) info->HintStr = changedTo;
    M.Result = forbid ? 1 : 0;
  }
};

// A hint window class of its own, as a balloon hint would be.
class MarkedHint : public THintWindow {
 public:
  explicit MarkedHint(TComponent* AOwner) : THintWindow(AOwner) {}
  static const THintWindowClassInfo* ClassInfo() {
    static const THintWindowClassInfo info("MarkedHint", [](TComponent* o) -> THintWindow* { return new MarkedHint(o); },
                                           THintWindow::ClassInfo());
    return &info;
  }
};

class HintTests : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    a = new HintBox(form);
    a->SetParent(form);
    a->SetBounds(10, 10, 80, 40);
    a->SetHint("Open|Opens a file");
    a->SetShowHint(true);
    b = new HintBox(form);
    b->SetParent(form);
    b->SetBounds(150, 10, 80, 40);
    b->SetHint("Save");
    b->SetShowHint(true);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    ControlTest::TearDown();
  }
  bool HintShowing() {
    THintWindow* w = Application->HintWindow();
    return w != nullptr && w->HandleAllocated() && win::IsWindowVisible(w->Handle());
  }
  void MoveTo(TControl* c, int x, int y) {
    desktop->mouse_move(At(c, x, y));
    Pump();
  }
  TForm* form = nullptr;
  HintBox* a = nullptr;
  HintBox* b = nullptr;
};

TEST_F(HintTests, TheHintShowsAfterHintPauseAndHidesAfterHintHidePause) {
  EXPECT_EQ(Application->HintPause(), 500);
  EXPECT_EQ(Application->HintShortPause(), 50);
  EXPECT_EQ(Application->HintHidePause(), 2500);
  MoveTo(a, 5, 5);
  Step(499);
  EXPECT_FALSE(HintShowing());
  Step(1);
  ASSERT_TRUE(HintShowing());
  THintWindow* w = Application->HintWindow();
  EXPECT_EQ(w->Caption(), "Open");  // the short part
  // Below the mouse, topmost, not activated.
  win::RECT r;
  win::GetWindowRect(w->Handle(), &r);
  win::POINT mouse = At(a, 5, 5);
  EXPECT_EQ(r.left, mouse.x);
  EXPECT_GT(r.top, mouse.y);
  EXPECT_TRUE(win::GetWindowLongW(w->Handle(), win::GWL_EXSTYLE) & win::LONG(win::WS_EX_TOPMOST));
  EXPECT_TRUE(win::GetWindowLongW(w->Handle(), win::GWL_STYLE) & win::LONG(win::WS_POPUP));
  EXPECT_EQ(Screen->ActiveForm(), form);
  // Painted in the hint colour inside its border.
  EXPECT_EQ(desktop->screen_pixel(r.right - 3, r.top + 2), win::GetSysColor(24 /* COLOR_INFOBK */));
  EXPECT_EQ(desktop->screen_pixel(r.left, r.top), win::RGB(0, 0, 0));
  Step(2499);
  EXPECT_TRUE(HintShowing());
  Step(1);
  EXPECT_FALSE(HintShowing());
  // Moving within the same control does not bring it back.
  MoveTo(a, 6, 6);
  Step(600);
  EXPECT_FALSE(HintShowing());
}

TEST_F(HintTests, MovingToAnotherControlWhileAHintShowsUsesTheShortPause) {
  MoveTo(a, 5, 5);
  Step(500);
  ASSERT_TRUE(HintShowing());
  MoveTo(b, 5, 5);
  Step(49);
  EXPECT_FALSE(HintShowing());
  Step(1);
  ASSERT_TRUE(HintShowing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Save");
}

TEST_F(HintTests, LeavingForAPlaceWithoutHintCancelsIt) {
  MoveTo(a, 5, 5);
  Step(500);
  ASSERT_TRUE(HintShowing());
  MoveTo(form, 120, 150);
  EXPECT_FALSE(HintShowing());
  Step(1000);
  EXPECT_FALSE(HintShowing());
  // A click cancels a pending hint too.
  MoveTo(a, 5, 5);
  Step(200);
  desktop->click(At(a, 5, 5));
  AppPump();
  Step(400);
  EXPECT_FALSE(HintShowing());
}

TEST_F(HintTests, TheApplicationGoingInactiveCancelsTheHintAndTellsOnDeactivate) {
  int activations = 0, deactivations = 0;
  Application->OnActivate = [&](TObject*) { ++activations; };
  Application->OnDeactivate = [&](TObject*) { ++deactivations; };
  Application->Handle();
  MoveTo(a, 5, 5);
  Step(500);
  ASSERT_TRUE(HintShowing());
  desktop->set_app_active(false);
  Pump();
  EXPECT_FALSE(Application->Active());
  EXPECT_EQ(deactivations, 1);
  EXPECT_FALSE(HintShowing());
  // No hint comes up for an inactive application.
  MoveTo(b, 5, 5);
  Step(600);
  EXPECT_FALSE(HintShowing());
  desktop->set_app_active(true);
  Pump();
  EXPECT_TRUE(Application->Active());
  EXPECT_EQ(activations, 1);
}

TEST_F(HintTests, ControlsAndOnShowHintCanChangeOrStopTheHint) {
  a->changedTo = "Changed";
  MoveTo(a, 5, 5);
  Step(500);
  ASSERT_TRUE(HintShowing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Changed");
  Application->CancelHint();
  EXPECT_FALSE(HintShowing());

  b->forbid = true;
  MoveTo(b, 5, 5);
  Step(500);
  EXPECT_FALSE(HintShowing());

  b->forbid = false;
  Application->OnShowHint = [](String& text, bool& canShow, THintInfo& info) {
    text += "!";
    info.HintColor = clYellow;
    canShow = true;
  };
  MoveTo(form, 120, 150);
  MoveTo(b, 6, 6);
  Step(500);
  ASSERT_TRUE(HintShowing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Save!");
  EXPECT_EQ(Application->HintWindow()->Color(), clYellow);
}

TEST_F(HintTests, TheHintWindowClassIsTheApplications) {
  Application->SetHintWindowClass(MarkedHint::ClassInfo());
  MoveTo(a, 5, 5);
  Step(500);
  ASSERT_TRUE(HintShowing());
  EXPECT_NE(dynamic_cast<MarkedHint*>(Application->HintWindow()), nullptr);
  EXPECT_TRUE(MarkedHint::ClassInfo()->InheritsFrom(THintWindow::ClassInfo()));
  EXPECT_FALSE(THintWindow::ClassInfo()->InheritsFrom(MarkedHint::ClassInfo()));
}

TEST_F(HintTests, AnActionsShortCutIsAddedToTheHint) {
  TAction action(nullptr);
  action.SetHint("Save the file");
  action.SetShortCut(ShortCut('S', {ssCtrl}));
  b->SetAction(&action);
  MoveTo(b, 5, 5);
  Step(500);
  ASSERT_TRUE(HintShowing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Save the file (Ctrl+S)");
  b->SetAction(nullptr);
}

TEST_F(HintTests, ApplicationHintIsTheLongHintOfTheControlUnderTheMouse) {
  MoveTo(a, 5, 5);
  Application->DoMouseIdle();
  EXPECT_EQ(Application->Hint(), "Opens a file");
  MoveTo(b, 5, 5);
  Application->DoMouseIdle();
  EXPECT_EQ(Application->Hint(), "Save");
  form->SetHint("Form hint");
  MoveTo(form, 120, 150);
  Application->DoMouseIdle();
  EXPECT_EQ(Application->Hint(), "Form hint");
}

TEST_F(HintTests, CalcHintRectWrapsAtTheMaximumWidth) {
  THintWindow w(nullptr);
  w.Font()->SetName("Korvalin Test");
  TRect one = w.CalcHintRect(1000, "word", nullptr);
  EXPECT_EQ(one.left, 0);
  EXPECT_EQ(one.top, 0);
  TRect two = w.CalcHintRect(1000, "word word", nullptr);
  EXPECT_GT(two.right, one.right);
  EXPECT_EQ(two.bottom, one.bottom);
  TRect wrapped = w.CalcHintRect(one.right, "word word", nullptr);
  EXPECT_LE(wrapped.right, one.right + 6);
  EXPECT_GT(wrapped.bottom, one.bottom);  // two lines
  // The border and padding: 6 wider and 2 taller than the text.
  win::HDC dc = w.Canvas()->Handle();
  w.Canvas()->Font()->Assign(w.Font());
  w.Canvas()->RequiredState({csHandleValid, csFontValid});
  win::RECT r{0, 0, 1000, 0};
  win::DrawTextW(dc, u"word", -1, &r, win::DT_CALCRECT | win::DT_LEFT | win::DT_WORDBREAK | win::DT_NOPREFIX);
  EXPECT_EQ(one.right, r.right + 6);
  EXPECT_EQ(one.bottom, r.bottom + 2);
}

// The text is painted 2 pixels down inside the border: the shown window is taller than the
// measured rectangle, so descenders and the row below them are not cut off.
TEST_F(HintTests, AnActivatedHintHoldsItsTextWholeInsideTheBorder) {
  THintWindow w(nullptr);
  w.Font()->SetName("Korvalin Test");
  TRect r = w.CalcHintRect(1000, "Typy gjq", nullptr);
  r = TRect{r.left + 40, r.top + 60, r.right + 40, r.bottom + 60};
  w.ActivateHint(r, "Typy gjq");
  Pump();
  win::HDC dc = w.Canvas()->Handle();
  w.Canvas()->Font()->Assign(w.Font());
  w.Canvas()->RequiredState({csHandleValid, csFontValid});
  win::RECT text{0, 0, 1000, 0};
  win::DrawTextW(dc, u"Typy gjq", -1, &text, win::DT_CALCRECT | win::DT_LEFT | win::DT_WORDBREAK | win::DT_NOPREFIX);
  EXPECT_EQ(w.Left(), 40);
  EXPECT_EQ(w.Top(), 60);
  EXPECT_EQ(w.Width(), r.right - r.left);
  EXPECT_EQ(w.Height(), r.bottom - r.top + 4);
  EXPECT_GE(w.ClientHeight(), 2 + text.bottom) << "the text's last rows fall outside the client area";
  w.ReleaseHandle();
}

}  // namespace
}  // namespace fw::testing
