// Balloon hints: placement and anchor tables, layout from the label sizes, the arrow tip on the
// anchor, closing by the timer on the virtual clock, by a click, by a second balloon, and the
// component or its control freed while a balloon shows.
#include <gtest/gtest.h>

#include "controls/Balloon.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/stdctrls_support.h"
#include "platform/user/windows/Window.h"

namespace cs {
namespace {

TEST(BalloonLayout, PlacementFromWhereItPoints) {
  struct Case {
    TBalloonHoriz h;
    TBalloonVert v;
    TBalloonPosition p;
  } cases[] = {
      {blnLeft, blnTop, blnArrowTopLeft},        {blnMiddle, blnTop, blnArrowTopLeft},
      {blnRight, blnTop, blnArrowTopRight},      {blnRight, blnCenter, blnArrowTopRight},
      {blnLeft, blnCenter, blnArrowBottomLeft},  {blnLeft, blnBottom, blnArrowBottomLeft},
      {blnMiddle, blnBottom, blnArrowBottomRight}, {blnRight, blnBottom, blnArrowBottomRight},
      {blnMiddle, blnCenter, blnArrowBottomRight},
  };
  for (const Case& c : cases) EXPECT_EQ(BalloonPlacement(c.h, c.v), c.p) << c.h << ' ' << c.v;
}

TEST(BalloonLayout, AnchorAndOrigin) {
  const fw::TPoint anchor = BalloonAnchor({100, 200, 300, 260}, blnMiddle, blnCenter);
  EXPECT_EQ(anchor.x, 200);
  EXPECT_EQ(anchor.y, 230);
  struct Case {
    TBalloonPosition p;
    int x, y;
  } cases[] = {{blnArrowTopLeft, 20, 141}, {blnArrowTopRight, 180, 141}, {blnArrowBottomRight, 180, 228},
               {blnArrowBottomLeft, 20, 228}};
  for (const Case& c : cases) {
    const fw::TPoint origin = BalloonOrigin(anchor, c.p, 200, 89);
    EXPECT_EQ(origin.x, c.x) << c.p;
    EXPECT_EQ(origin.y, c.y) << c.p;
  }
}

class BalloonTest : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    target = Add<fw::TEdit>(50, 60, 120, 21);
    ShowForm();
    balloons = new TBalloonControl(form);
    balloons->SetControl(target);
    balloons->SetTitle("Сохранение");
    balloons->SetText("  Сохранение завершено  ");
    balloons->OnCloseBalloon = [this](fw::TObject*) { ++closed; };
  }
  fw::TEdit* target = nullptr;
  TBalloonControl* balloons = nullptr;
  int closed = 0;
};

TEST_F(BalloonTest, LayoutFollowsTheLabelsAndTheArrowPointsAtTheControl) {
  for (TBalloonVert v : {blnTop, blnBottom}) {
    balloons->SetVertical(v);
    balloons->ShowBalloon();
    TBalloon* b = balloons->Balloon();
    ASSERT_NE(b, nullptr);
    const bool above = v == blnBottom;
    EXPECT_EQ(b->TextLabel()->Caption(), "Сохранение завершено");  // trimmed
    EXPECT_EQ(b->TitleLabel()->Top(), above ? 32 : 12);
    EXPECT_EQ(b->TextLabel()->Top(), b->TitleLabel()->Top() + b->TitleLabel()->Height() + 8);
    EXPECT_EQ(b->ClientHeight(), b->TextLabel()->Top() + b->TextLabel()->Height() + (above ? 10 : 30));
    EXPECT_EQ(b->Width(), std::max(34 + b->TitleLabel()->Width(), 10 + b->TextLabel()->Width()) + 10);
    const fw::TPoint corner = target->ClientToScreen({0, 0});
    // Pointing from the left edge, the arrow stands at the body's right end, above or below it.
    const fw::TPoint tip = above ? fw::TPoint{b->Left() + b->Width() - 20, b->Top() + 2}
                                 : fw::TPoint{b->Left() + b->Width() - 20, b->Top() + b->Height()};
    EXPECT_EQ(tip.x, corner.x);
    EXPECT_EQ(tip.y, above ? corner.y + target->Height() : corner.y);
    const win::DWORD ex = win::DWORD(win::GetWindowLongPtrW(b->Handle(), win::GWL_EXSTYLE));
    EXPECT_NE(ex & win::WS_EX_TOPMOST, 0u);
    EXPECT_NE(ex & win::WS_EX_NOACTIVATE, 0u);
  }
  EXPECT_EQ(closed, 1);  // the second balloon replaced the first
}

TEST_F(BalloonTest, ClosesAfterItsDurationOnTheClock) {
  balloons->SetDuration(5);
  balloons->ShowBalloon();
  const win::HWND window = balloons->Balloon()->Handle();
  desktop->advance(4900);
  Pump();
  EXPECT_EQ(closed, 0);
  desktop->advance(200);
  Pump();
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(balloons->Balloon(), nullptr);
  EXPECT_FALSE(win::IsWindow(window));
  desktop->advance(10000);
  Pump();
  EXPECT_EQ(closed, 1);  // once
}

TEST_F(BalloonTest, WithoutDurationItStaysUntilClickedAndClickingCanBeOff) {
  balloons->SetCloseByClick(false);
  balloons->ShowBalloon();
  TBalloon* b = balloons->Balloon();
  desktop->advance(60000);
  Pump();
  desktop->click({b->Left() + 12, b->Top() + 12});
  Pump();
  EXPECT_EQ(balloons->Balloon(), b);
  balloons->SetCloseByClick(true);
  desktop->advance(1000);  // not a double click
  desktop->click({b->Left() + 12, b->Top() + 12});
  Pump();
  EXPECT_EQ(balloons->Balloon(), nullptr);
  EXPECT_EQ(closed, 1);
}

TEST_F(BalloonTest, TextChangesShowAtOnceWithoutANewLayout) {
  balloons->ShowBalloon();
  const int height = balloons->Balloon()->Height();
  balloons->SetText(" Готово ");
  EXPECT_EQ(balloons->Balloon()->TextLabel()->Caption(), " Готово ");
  EXPECT_EQ(balloons->Balloon()->Height(), height);
  balloons->SetPosition(blnArrowTopRight);
  balloons->SetPixelCoordinateX(300);
  balloons->SetPixelCoordinateY(400);
  EXPECT_EQ(balloons->Balloon()->Left(), 280);
  EXPECT_EQ(balloons->Balloon()->Top(), 400 - height);
}

// The icon's disc is filled every time the balloon paints, not only the first.
TEST_F(BalloonTest, TheIconsDiscIsFilledWhenPaintedAgain) {
  balloons->SetBalloonType(blnError);
  balloons->ShowBalloon();
  TBalloon* balloon = balloons->Balloon();
  const fw::TRect icon = balloon->IconRect();
  for (int paint = 0; paint < 2; ++paint) {
    balloon->Invalidate();
    Pump();
    const win::POINT p = At(balloon, icon.left + 4, (icon.top + icon.bottom) / 2);
    EXPECT_EQ(desktop->screen_pixel(p.x, p.y), 0x0000D0u) << "paint " << paint;
  }
}

TEST_F(BalloonTest, ControlAndComponentFreedWhileItShows) {
  balloons->SetDuration(1);
  balloons->ShowBalloon();
  delete target;
  EXPECT_EQ(balloons->Control(), nullptr);
  balloons->ShowBalloon();  // no control: shown at the screen origin, no crash
  EXPECT_NE(balloons->Balloon(), nullptr);
  delete balloons;  // takes its window along
  desktop->advance(2000);
  Pump();
  EXPECT_EQ(closed, 1);  // only the replaced first balloon reported
}

}  // namespace
}  // namespace cs
