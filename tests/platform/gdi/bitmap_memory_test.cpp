// A new bitmap's bytes read as zero without being written: a large surface takes the system's
// zeroed pages as it is drawn on, not all at once when it is made.

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "bitmap_test_support.h"
#include "platform/gdi/detail/PixelBuffer.h"

namespace win::gdi::testing {
namespace {

// The share of the pages of [p, p + bytes) that are in memory.
double ResidentShare(const uint8_t* p, size_t bytes) {
  const size_t page = size_t(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<uintptr_t>(p) / page * page;
  const size_t length = reinterpret_cast<uintptr_t>(p) + bytes - start;
  std::vector<unsigned char> in((length + page - 1) / page);
  if (mincore(reinterpret_cast<void*>(start), length, in.data()) != 0) return -1;
  size_t resident = 0;
  for (unsigned char c : in) resident += c & 1;
  return double(resident) / double(in.size());
}

TEST(BitmapMemory, ALargeDibSectionIsZeroWithoutTakingItsPagesUntilDrawnOn) {
  BitmapGuard keep;
  void* bits = nullptr;
  HBITMAP h = keep(MakeDib(2048, 1536, 32, {}, BI_RGB, &bits));  // 12 MB, a screen's worth
  ASSERT_NE(h, nullptr);
  auto* bytes = static_cast<uint8_t*>(bits);
  const size_t size = Bmp(h).bits.size();
  ASSERT_EQ(size, size_t(2048) * 1536 * 4);
  EXPECT_LT(ResidentShare(bytes, size), 0.1);
  // Reading finds zero everywhere (untouched pages read as the zero page).
  size_t nonZero = 0;
  for (size_t i = 0; i < size; i += 4093) nonZero += bytes[i] != 0;
  EXPECT_EQ(nonZero, 0u);
  // A drawn band takes its pages.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, h);
  RECT band{0, 0, 2048, 256};
  FillRect(dc, &band, HBRUSH(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_GT(ResidentShare(bytes, size_t(2048) * 256 * 4), 0.9);
}

TEST(PixelBufferTest, BytesGivenUpAndTakenBackReadAsZero) {
  PixelBuffer b;
  b.assign(64, 0x5A);
  EXPECT_EQ(b.size(), 64u);
  EXPECT_EQ(b[63], 0x5A);
  b.resize(16);  // keeps the memory
  const uint8_t* before = b.data();
  b.resize(48);
  EXPECT_EQ(b.data(), before);
  EXPECT_EQ(b[15], 0x5A);
  for (size_t i = 16; i < 48; ++i) ASSERT_EQ(b[i], 0) << i;
  b.resize(4096);  // grows into new memory, keeping what it held
  EXPECT_EQ(b[0], 0x5A);
  EXPECT_EQ(b[47], 0);
  EXPECT_EQ(b[4095], 0);
  PixelBuffer moved = std::move(b);
  EXPECT_EQ(moved.size(), 4096u);
  EXPECT_TRUE(b.empty());
  PixelBuffer same;
  same.assign(4096, 0);
  for (size_t i = 0; i < 16; ++i) same[i] = 0x5A;
  EXPECT_EQ(moved, same);
}

}  // namespace
}  // namespace win::gdi::testing
