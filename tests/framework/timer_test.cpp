#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "framework/ClassesUtilWindow.h"
#include "framework/SysUtils.h"
#include "framework/Timer.h"

namespace fw {
namespace {

class TimerTest : public kvtest::HeadlessTest {
 protected:
  void Step(win::DWORD ms) {
    desktop->advance(ms);
    desktop->run_until_idle();
  }
};

TEST_F(TimerTest, FiresOncePerIntervalFromTheMessageLoop) {
  TTimer timer(nullptr);
  int fired = 0;
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    ++fired;
  };
  timer.SetInterval(100);
  Step(99);
  EXPECT_EQ(fired, 0);
  Step(1);
  EXPECT_EQ(fired, 1);
  Step(100);
  Step(100);
  EXPECT_EQ(fired, 3);
  EXPECT_EQ(timer.Interval(), 100u);
}

TEST_F(TimerTest, DisabledAndZeroIntervalNeverFire) {
  TTimer timer(nullptr);
  int fired = 0;
  timer.OnTimer = [&](TObject*) { ++fired; };
  timer.SetInterval(0);
  Step(5000);
  EXPECT_EQ(fired, 0);
  timer.SetInterval(10);
  timer.SetEnabled(false);
  Step(100);
  EXPECT_EQ(fired, 0);
  timer.SetEnabled(true);
  Step(10);
  EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, ChangingTheIntervalStartsThePeriodAgain) {
  TTimer timer(nullptr);
  int fired = 0;
  timer.OnTimer = [&](TObject*) { ++fired; };
  timer.SetInterval(100);
  Step(80);
  timer.SetInterval(50);  // restarts: the next tick is 50 ms from now, not 20
  Step(20);
  EXPECT_EQ(fired, 0);
  Step(30);
  EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, OwnerFreesTheTimerAndNoTickReachesIt) {
  int fired = 0;
  auto* owner = new TComponent(nullptr);
  auto* timer = new TTimer(owner);
  timer->SetInterval(10);
  timer->OnTimer = [&](TObject*) { ++fired; };
  delete owner;
  Step(100);
  EXPECT_EQ(fired, 0);
}

TEST_F(TimerTest, HandlerExceptionsGoToTheApplicationHandler) {
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.OnTimer = [](TObject*) { throw EConvertError("bad tick"); };
  std::string seen;
  ApplicationHandleException = [&](TObject*) {
    try {
      throw;
    } catch (const Exception& e) {
      seen = e.Message();
    }
  };
  Step(10);
  ApplicationHandleException = nullptr;
  EXPECT_EQ(seen, "bad tick");
}

}  // namespace
}  // namespace fw
