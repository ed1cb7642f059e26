// Exact code streams of the GIF encoders: vectors worked out by hand, code widths, sub-block
// packing and the LZW table reset.

#include "export/GIFImageException.h"
#include "gif_coder_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace gifcodertest;

namespace {

TEST(GifCoderStream, SinglePixelIsClearPixelEnd) {
  // Codes 4, 1, 5 at 3 bits: 100 001 101 packed from the low bit.
  const Bytes expected = {0x02, 0x02, 0x4C, 0x01, 0x00};
  EXPECT_EQ(Encode({1}, 1, 1, 1, 2, 0), expected);
  EXPECT_EQ(Encode({1}, 1, 1, 1, 2, kvexport::GIFCompressionRLE), expected);
  EXPECT_EQ(ListCodes(expected), (std::vector<int>{4, 1, 5}));
}

TEST(GifCoderStream, RunLengthOfTenOnePixelsUsesGrowingRunCodes) {
  const Bytes out = Encode(Bytes(10, 1), 10, 1, 2, 4, kvexport::GIFCompressionRLE);
  EXPECT_EQ(out, (Bytes{0x02, 0x03, 0x8C, 0x8F, 0x05, 0x00}));
  // Runs of 1, 2, 3 and 4 pixels; the width grows to 4 bits after the third code.
  EXPECT_EQ(ListCodes(out), (std::vector<int>{4, 1, 6, 7, 8, 5}));
}

TEST(GifCoderStream, MinimumCodeSizeFollowsTheColourTableAndIsAtLeastTwo) {
  for (int compression : {0, 1}) {
    EXPECT_EQ(Encode({0, 1}, 2, 1, 1, 2, compression)[0], 2);
    EXPECT_EQ(Encode({0, 7}, 2, 1, 3, 8, compression)[0], 3);
    EXPECT_EQ(Encode({0, 200}, 2, 1, 8, 256, compression)[0], 8);
    // The first code after the minimum size is the clear code at one bit more.
    const Bytes two = Encode({0, 1}, 2, 1, 1, 2, compression);
    EXPECT_EQ(ListCodes(two).front(), 4);
    EXPECT_EQ(two[2] & 0x07, 4);
  }
}

TEST(GifCoderStream, EmptyFrameHoldsOnlyTheEndCode) {
  const Bytes out = Encode({}, 0, 0, 2, 4, 0);
  EXPECT_EQ(out, (Bytes{0x02, 0x01, 0x05, 0x00}));
}

TEST(GifCoderStream, LzwRepeatsReuseTableEntries) {
  // 0 0 0 0: clear, 0, then the new string "00" (6), then 0; widths stay 3.
  const Bytes out = Encode({0, 0, 0, 0}, 4, 1, 2, 4, 0);
  EXPECT_EQ(ListCodes(out), (std::vector<int>{4, 0, 6, 0, 5}));
}

TEST(GifCoderStream, SubBlocksHoldAtMost255BytesAndEndWithZero) {
  // Noise at 256 colours gives about one code byte per pixel or more.
  std::mt19937 rng(7);
  for (int pixels : {10, 300, 5000}) {
    Bytes p(static_cast<std::size_t>(pixels));
    for (auto& v : p) v = static_cast<std::uint8_t>(rng());
    const Bytes out = Encode(p, pixels, 1, 8, 256, 0);
    const Blocks b = SplitBlocks(out);
    ASSERT_TRUE(b.Terminated) << pixels;
    ASSERT_FALSE(b.Lengths.empty());
    for (std::size_t i = 0; i + 1 < b.Lengths.size(); ++i) EXPECT_EQ(b.Lengths[i], 255);
    EXPECT_GE(b.Lengths.back(), 1);
    EXPECT_LE(b.Lengths.back(), 255);
    EXPECT_EQ(out.size(), 1 + b.Data.size() + b.Lengths.size() + 1);
  }
}

// Finds pictures whose code data are exactly N bytes long, to check the block boundary.
Bytes StreamWithCodeBytes(std::size_t N) {
  // Literal-only RLE output of alternating values: each pixel is one code of 9 bits after the
  // width settles, so the length can be tuned pixel by pixel.
  for (int pixels = 1; pixels < 2000; ++pixels) {
    Bytes p(static_cast<std::size_t>(pixels));
    for (int i = 0; i < pixels; ++i) p[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 37 % 256);
    const Bytes out = Encode(p, pixels, 1, 8, 256, 0);
    if (SplitBlocks(out).Data.size() == N) return out;
  }
  return {};
}

TEST(GifCoderStream, BlockBoundaryAt255And256CodeBytes) {
  const Bytes full = StreamWithCodeBytes(255);
  ASSERT_FALSE(full.empty());
  EXPECT_EQ(full.size(), 1u + 1 + 255 + 1);
  EXPECT_EQ(full[1], 0xFF);
  EXPECT_EQ(full.back(), 0x00);

  const Bytes over = StreamWithCodeBytes(256);
  ASSERT_FALSE(over.empty());
  ASSERT_EQ(over.size(), 1u + 1 + 255 + 1 + 1 + 1);
  EXPECT_EQ(over[1], 0xFF);
  EXPECT_EQ(over[1 + 1 + 255], 0x01);
  EXPECT_EQ(over.back(), 0x00);
}

TEST(GifCoderStream, LzwClearsBeforeCode4095AndNeverPasses12Bits) {
  std::mt19937 rng(11);
  Bytes p(300 * 200);
  for (auto& v : p) v = static_cast<std::uint8_t>(rng());
  const Bytes out = Encode(p, 300, 200, 8, 256, 0);
  std::vector<int> freeAt;
  const std::vector<int> codes = ListCodes(out, &freeAt);
  ASSERT_EQ(codes.back(), 257);
  EXPECT_LE(*std::max_element(codes.begin(), codes.end()), 4095);
  int clears = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    EXPECT_LE(codes[i], freeAt[i]) << "code " << i << " names no entry";
    if (codes[i] == 256) {
      ++clears;
      if (i > 0) {
        EXPECT_EQ(freeAt[i], 4095) << "clear at code " << i;
      }
    }
  }
  EXPECT_GT(clears, 3);
  EXPECT_EQ(codes.front(), 256);
  // The whole stream decodes back.
  EXPECT_EQ(Decode(out, 300, 200).Pixels, p);
}

TEST(GifCoderStream, RunLengthClearLimitOutsideRuns) {
  // Alternating values never form runs, so every code is a literal and the encoder clears
  // after 9 codes for B <= 3 and after C - 2 codes above.
  for (int bits : {2, 3, 4, 8}) {
    const int colors = 1 << bits;
    Bytes p(600);
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint8_t>(i % 2);
    const Bytes out = Encode(p, 600, 1, bits, colors, kvexport::GIFCompressionRLE);
    const std::vector<int> codes = ListCodes(out);
    const int clear = 1 << bits;
    const std::size_t limit = bits <= 3 ? 9u : static_cast<std::size_t>(clear - 2);
    std::vector<std::size_t> gaps;
    std::size_t since = 0;
    for (std::size_t i = 1; i < codes.size(); ++i) {
      if (codes[i] == clear) {
        gaps.push_back(since);
        since = 0;
      } else if (codes[i] != clear + 1) {
        EXPECT_LT(codes[i], clear) << "literal expected";
        ++since;
      }
    }
    ASSERT_FALSE(gaps.empty()) << bits;
    for (std::size_t g : gaps) EXPECT_EQ(g, limit) << bits;
    EXPECT_EQ(Decode(out, 600, 1).Pixels, p);
  }
}

TEST(GifCoderStream, ColourOutsideTheTableIsRefused) {
  for (int compression : {0, 1}) {
    try {
      Encode({0, 1, 4}, 3, 1, 2, 4, compression);
      FAIL() << "no exception";
    } catch (const kvexport::GIFException& e) {
      EXPECT_STREQ(e.what(), "Color not in color table");
    }
    // A colour count larger than the code size can express does not let bigger values through.
    EXPECT_THROW(Encode({0, 4}, 2, 1, 2, 256, compression), kvexport::GIFException);
    // The first pixel is checked as well.
    EXPECT_THROW(Encode({3}, 1, 1, 1, 2, compression), kvexport::GIFException);
  }
}

}  // namespace
