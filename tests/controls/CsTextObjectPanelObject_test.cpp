// What the control set's text controls take from the themed panel object: one line for an empty
// caption or a lone "&", the hot state ending when the control is disabled, the pushed state
// ending when the focus leaves, and the focus taken on a press only inside the active parent.
#include <gtest/gtest.h>

#include "controls/CsButtons.h"
#include "controls/CsTextObject.h"
#include "framework/stdctrls_support.h"
#include "tx/Tx.h"

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
  // The pointer to p, and the application's idle step that tracks the control under it.
  void MouseTo(win::POINT p) {
    desktop->mouse_move(p);
    AppPump();
    win::MSG msg{};
    fw::Application->Idle(msg);
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

}  // namespace
}  // namespace cs
