#include <gtest/gtest.h>

#include <thread>

#include "platform/gdi/detail/GdiObjects.h"

namespace win::gdi {
namespace {

TEST(HandleTable, FindsByTypeAndForgetsRemovedHandles) {
  auto& table = HandleTable::Instance();
  const size_t before = table.LiveCount();
  HGDIOBJ pen = table.Add(std::make_unique<PenObj>());
  HGDIOBJ brush = table.Add(std::make_unique<BrushObj>());
  ASSERT_NE(pen, nullptr);
  ASSERT_NE(pen, brush);
  EXPECT_EQ(table.LiveCount(), before + 2);
  EXPECT_NE(FindPen(pen), nullptr);
  EXPECT_EQ(FindBrush(pen), nullptr) << "a pen handle is not a brush";
  EXPECT_EQ(FindPen(brush), nullptr);
  EXPECT_TRUE(table.Remove(pen));
  EXPECT_EQ(table.Find(pen), nullptr);
  EXPECT_FALSE(table.Remove(pen)) << "a handle is removed once";
  EXPECT_TRUE(table.Remove(brush));
  EXPECT_EQ(table.LiveCount(), before);
}

TEST(HandleTable, ReusedSlotDoesNotReviveOldHandle) {
  auto& table = HandleTable::Instance();
  HGDIOBJ first = table.Add(std::make_unique<PenObj>());
  ASSERT_TRUE(table.Remove(first));
  HGDIOBJ second = table.Add(std::make_unique<PenObj>());  // takes the freed slot
  EXPECT_NE(first, second);
  EXPECT_EQ(table.Find(first), nullptr);
  EXPECT_NE(table.Find(second), nullptr);
  EXPECT_FALSE(table.Remove(first));
  EXPECT_NE(table.Find(second), nullptr) << "removing the stale handle must not free the new object";
  table.Remove(second);
}

TEST(HandleTable, ForgedHandlesFail) {
  auto& table = HandleTable::Instance();
  EXPECT_EQ(table.Find(nullptr), nullptr);
  EXPECT_EQ(table.Find(reinterpret_cast<HGDIOBJ>(uintptr_t(0xDEADBEEF))), nullptr);
  EXPECT_EQ(table.Find(reinterpret_cast<HGDIOBJ>(~uintptr_t(0))), nullptr);
  EXPECT_FALSE(table.Remove(reinterpret_cast<HGDIOBJ>(uintptr_t(0x100000001))));
  EXPECT_EQ(table.Add(nullptr), nullptr);
}

TEST(HandleTable, ConcurrentAddAndRemove) {
  auto& table = HandleTable::Instance();
  const size_t before = table.LiveCount();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&table] {
      for (int i = 0; i < 2000; ++i) {
        HGDIOBJ h = table.Add(std::make_unique<BrushObj>());
        ASSERT_NE(FindBrush(h), nullptr);
        ASSERT_TRUE(table.Remove(h));
      }
    });
  for (auto& th : threads) th.join();
  EXPECT_EQ(table.LiveCount(), before);
}

}  // namespace
}  // namespace win::gdi
