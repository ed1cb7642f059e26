#include <gtest/gtest.h>

#include <cstring>

#include "platform/kernel/LastError.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace win {
namespace {

TEST(GlobalMemory, BlocksAreZeroedAndKeepTheirSize) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 100);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 100u);
  auto* p = static_cast<unsigned char*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(p[i], 0) << i;
  std::memset(p, 0xAB, 100);
  GlobalUnlock(h);
  auto* again = static_cast<unsigned char*>(GlobalLock(h));
  EXPECT_EQ(again[99], 0xAB);
  GlobalUnlock(h);
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST(GlobalMemory, LocksNestAndUnlockReportsTheLastOne) {
  HGLOBAL h = GlobalAlloc(GHND, 8);
  ASSERT_NE(GlobalLock(h), nullptr);
  ASSERT_NE(GlobalLock(h), nullptr);
  EXPECT_TRUE(GlobalUnlock(h));
  SetLastError(12345);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
  GlobalFree(h);
}

TEST(GlobalMemory, FreedAndForgedHandlesFailCleanly) {
  HGLOBAL h = GlobalAlloc(GMEM_FIXED, 16);
  ASSERT_EQ(GlobalFree(h), nullptr);
  EXPECT_FALSE(IsGlobalBlock(h));
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalSize(h), 0u);
  SetLastError(0);
  EXPECT_EQ(GlobalFree(h), h);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  // A new block in the same slot does not answer to the old handle.
  HGLOBAL next = GlobalAlloc(GMEM_FIXED, 16);
  EXPECT_NE(next, h);
  EXPECT_EQ(GlobalLock(h), nullptr);
  GlobalFree(next);

  auto forged = reinterpret_cast<HGLOBAL>(uintptr_t(0x12345678));
  EXPECT_EQ(GlobalLock(forged), nullptr);
  EXPECT_FALSE(GlobalUnlock(forged));
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
}

TEST(GlobalMemory, EmptyBlocksLockToNullAndAbsurdSizesFail) {
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(IsGlobalBlock(empty));
  EXPECT_EQ(GlobalLock(empty), nullptr);
  EXPECT_EQ(GlobalSize(empty), 0u);
  GlobalFree(empty);

  SetLastError(0);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, size_t(1) << 40), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, SIZE_MAX), nullptr);
}

TEST(GlobalMemory, CopyHelperDuplicatesBytes) {
  const char data[] = "hello";
  HGLOBAL h = GlobalAllocCopy(data, sizeof(data));
  ASSERT_EQ(GlobalSize(h), sizeof(data));
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(h)), "hello");
  GlobalUnlock(h);
  GlobalFree(h);
}

}  // namespace
}  // namespace win
