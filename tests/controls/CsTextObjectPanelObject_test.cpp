// What the control set's text controls take from the themed panel object: one line for an empty
// caption or a lone "&", the hot state ending when the control is disabled, the pushed state
// ending when the focus leaves, and the focus taken on a press only inside the active form, the
// shared hot-tracking timer and the skipped background erase.
#include <gtest/gtest.h>

#include <memory>

#include "controls/CsButtons.h"
#include "controls/CsTextObject.h"
#include "framework/Forms.h"
#include "framework/FormsScrolling.h"
#include "framework/GraphicsBitmap.h"
#include "framework/stdctrls_support.h"
#include "platform/user/messages/Input.h"
#include "tx/Tx.h"
#include "tx/TxHotTracking.h"
#include "tx/TxPanelObject.h"

namespace cs {
namespace {

class CsTextObjectPanelTest : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    tx::InitTx();
  }
  void TearDown() override {
    StdCtrlsTest::TearDown();
    tx::DoneTx();
  }
  // The pointer to p; the control under it tracks the pointer from the move.
  void MouseTo(win::POINT p) {
    desktop->mouse_move(p);
    AppPump();
  }
};

TEST_F(CsTextObjectPanelTest, AnEmptyOrLoneAmpersandCaptionKeepsOneLine) {
  auto* one = Add<TCsLabel>(10, 10, 50, 50);
  one->SetCaption(u"A");
  for (const char16_t* caption : {u"", u"&"}) {
    auto* label = Add<TCsLabel>(10, 40, 50, 50);
    label->SetCaption(caption);
    EXPECT_EQ(label->Height(), one->Height()) << (caption[0] == 0 ? "empty" : "&");
  }
}

TEST_F(CsTextObjectPanelTest, ADisabledControlIsNoLongerHot) {
  auto* button = Add<TCsButton>(10, 10, 80, 25);
  button->SetCaption(u"OK");
  ShowForm();
  MouseTo(At(button, 20, 10));
  ASSERT_TRUE(button->MouseInControl());
  button->SetEnabled(false);
  AppPump();
  EXPECT_FALSE(button->MouseInControl());
}

TEST_F(CsTextObjectPanelTest, LosingTheFocusEndsThePush) {
  auto* button = Add<TCsButton>(10, 10, 80, 25);
  auto* other = Add<TCsButton>(10, 50, 80, 25);
  ShowForm();
  desktop->mouse_down(At(button, 20, 10));
  AppPump();
  ASSERT_TRUE(button->Pushed());
  other->SetFocus();
  AppPump();
  EXPECT_FALSE(button->Pushed());
}

// A press straight into the control's window, without the window manager activating the form.
void PressAndRelease(fw::TWinControl* Control) {
  const win::LPARAM at = win::MAKELPARAM(5, 5);
  Control->Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, at);
  Control->Perform(win::WM_LBUTTONUP, 0, at);
}

TEST_F(CsTextObjectPanelTest, APressTakesTheFocusOnlyInsideTheActiveForm) {
  auto* first = Add<TCsButton>(10, 10, 80, 25);
  auto* second = Add<TCsButton>(10, 50, 80, 25);
  ShowForm();
  first->SetFocus();
  AppPump();
  fw::TForm other(nullptr);
  other.SetBounds(600, 100, 200, 100);
  other.Show();
  AppPump();
  ASSERT_EQ(fw::Screen->ActiveForm(), &other);
  PressAndRelease(second);
  AppPump();
  EXPECT_NE(form->ActiveControl(), second) << "the inactive form keeps its focused control";
  form->Show();
  form->SetFocus();
  AppPump();
  ASSERT_EQ(fw::Screen->ActiveForm(), form);
  PressAndRelease(second);
  AppPump();
  EXPECT_TRUE(second->Focused());
}

TEST_F(CsTextObjectPanelTest, OnlyTheKeyboardScrollsTheFocusedControlIntoView) {
  auto* box = Add<fw::TScrollingWinControl>(0, 0, 200, 100);
  auto* first = Add<TCsButton>(10, 10, 80, 25, box);
  auto* deep = Add<TCsButton>(10, 90, 80, 25, box);  // its lower part is out of sight
  ShowForm();
  first->SetFocus();
  AppPump();
  const fw::Integer top = deep->Top();
  PressAndRelease(deep);
  AppPump();
  ASSERT_TRUE(deep->Focused());
  EXPECT_EQ(deep->Top(), top) << "a press does not scroll";
  first->SetFocus();
  AppPump();
  deep->SetFocus();
  AppPump();
  EXPECT_LE(deep->Top() + deep->Height(), box->ClientHeight()) << "the focus from elsewhere scrolls it into view";
}

TEST_F(CsTextObjectPanelTest, TheSharedTimerEndsAHotStateNoLeaveNoticeEnded) {
  auto* panel = new tx::TTxPanelObject(form);
  panel->SetParent(form);
  panel->SetBounds(200, 10, 60, 30);
  auto* a = Add<TCsButton>(10, 10, 80, 25);
  auto* b = Add<TCsLabel>(10, 50, 80, 25);
  b->SetCaption(u"Label");
  ShowForm();
  desktop->mouse_move(At(panel, 20, 10));
  Pump();
  ASSERT_TRUE(panel->MouseInControl());
  // Moves alone, without the application's idle step: the controls track themselves.
  desktop->mouse_move(At(a, 20, 10));
  Pump();
  EXPECT_FALSE(panel->MouseInControl()) << "one timer for panel objects and text controls";
  EXPECT_TRUE(a->MouseInControl());
  desktop->mouse_move(At(b, 10, 5));
  Pump();
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_TRUE(b->MouseInControl());
  win::SetCursorPos(5, 5);  // off the form: no mouse move reaches the label
  desktop->advance(124);
  Pump();
  EXPECT_TRUE(b->MouseInControl());
  desktop->advance(2);
  Pump();
  EXPECT_FALSE(b->MouseInControl());
  EXPECT_EQ(tx::HotTrackedControl(), nullptr);
}

TEST_F(CsTextObjectPanelTest, ADoubleBufferedControlSkipsTheEraseOfAnotherDC) {
  auto* label = Add<TCsLabel>(10, 10, 80, 25);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 80, 25);
  label->SetColor(0x00AABBCC);
  ShowForm();
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(40, 20);
  const win::HDC dc = bmp.Canvas()->Handle();
  const auto erase = [&](win::LPARAM lParam) {
    bmp.Canvas()->Brush()->SetColor(0x00010203);
    bmp.Canvas()->FillRect(fw::Rect(0, 0, 40, 20));
    const win::LRESULT result = label->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), lParam);
    EXPECT_EQ(result, 1);
    return bmp.Canvas()->Pixels(20, 10);
  };
  EXPECT_TRUE(label->DoubleBuffered());
  EXPECT_EQ(erase(0), 0x00010203) << "the paint lays the background itself";
  EXPECT_EQ(erase(reinterpret_cast<win::LPARAM>(dc)), 0x00AABBCC) << "asked into the painting DC";
  label->SetDoubleBuffered(false);
  EXPECT_EQ(erase(0), 0x00AABBCC);
}

}  // namespace
}  // namespace cs
