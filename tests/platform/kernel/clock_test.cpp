#include "platform/kernel/Clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace win {
namespace {

class VirtualClock : public ::testing::Test {
 protected:
  void SetUp() override { clock::UseVirtual(true); }
  void TearDown() override { clock::UseVirtual(false); }
};

TEST_F(VirtualClock, StartsAtOneMillionAndMovesOnlyWhenAdvanced) {
  EXPECT_TRUE(clock::IsVirtual());
  EXPECT_EQ(clock::NowMs(), 1'000'000u);
  EXPECT_EQ(GetTickCount(), 1'000'000u);
  EXPECT_EQ(GetTickCount(), 1'000'000u);
  clock::Advance(250);
  EXPECT_EQ(GetTickCount64(), 1'000'250u);
  EXPECT_EQ(timeGetTime(), 1'000'250u);
  Sleep(50);
  EXPECT_EQ(GetTickCount(), 1'000'300u);
  // Switching to virtual again restarts from the same origin.
  clock::UseVirtual(true);
  EXPECT_EQ(GetTickCount(), 1'000'000u);
}

TEST_F(VirtualClock, PerformanceCounterFollowsVirtualTime) {
  LONGLONG freq = 0, before = 0, after = 0;
  ASSERT_TRUE(QueryPerformanceFrequency(&freq));
  ASSERT_GT(freq, 0);
  ASSERT_TRUE(QueryPerformanceCounter(&before));
  clock::Advance(1500);
  ASSERT_TRUE(QueryPerformanceCounter(&after));
  EXPECT_EQ((after - before) * 1000 / freq, 1500);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
  EXPECT_FALSE(QueryPerformanceFrequency(nullptr));
}

TEST_F(VirtualClock, ListenersRunAfterEachAdvanceUntilRemoved) {
  std::vector<ULONGLONG> seen;
  const int id = clock::AddListener([&] { seen.push_back(clock::NowMs()); });
  clock::Advance(10);
  Sleep(5);
  clock::RemoveListener(id);
  clock::Advance(10);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], 1'000'010u);
  EXPECT_EQ(seen[1], 1'000'015u);
}

TEST_F(VirtualClock, ListenerMayAdvanceAndRemoveItself) {
  int calls = 0;
  int id = 0;
  id = clock::AddListener([&] {
    ++calls;
    clock::RemoveListener(id);
    clock::Advance(1);
  });
  clock::Advance(1);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(clock::NowMs(), 1'000'002u);
}

TEST_F(VirtualClock, ConcurrentAdvancesAreNotLost) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([] {
      for (int i = 0; i < 1000; ++i) clock::Advance(1);
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(clock::NowMs(), 1'004'000u);
}

TEST(RealClock, IsMonotonicAndIgnoresAdvance) {
  clock::UseVirtual(false);
  EXPECT_FALSE(clock::IsVirtual());
  const ULONGLONG a = clock::NowMs();
  clock::Advance(1'000'000);
  const ULONGLONG b = clock::NowMs();
  EXPECT_GE(b, a);
  EXPECT_LT(b - a, 1'000'000u);
  LONGLONG c1 = 0, c2 = 0;
  QueryPerformanceCounter(&c1);
  QueryPerformanceCounter(&c2);
  EXPECT_GE(c2, c1);
}

}  // namespace
}  // namespace win
