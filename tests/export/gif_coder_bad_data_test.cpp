// The decoder fed truncated and corrupt code streams: warnings and prefill, or GIFException,
// and never a read outside the data (run these under the address sanitizer).

#include "export/GIFImageException.h"
#include "gif_coder_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace gifcodertest;

namespace {

// Packs codes of the given widths into a stream with code size Bits.
Bytes Pack(int Bits, const std::vector<std::pair<int, int>>& CodesAndWidths) {
  Bytes data;
  std::uint32_t bucket = 0;
  int count = 0;
  for (auto [code, width] : CodesAndWidths) {
    bucket |= static_cast<std::uint32_t>(code) << count;
    count += width;
    while (count >= 8) {
      data.push_back(static_cast<std::uint8_t>(bucket));
      bucket >>= 8;
      count -= 8;
    }
  }
  if (count > 0) data.push_back(static_cast<std::uint8_t>(bucket));
  data.insert(data.begin(), {static_cast<std::uint8_t>(Bits), static_cast<std::uint8_t>(data.size())});
  data.push_back(0);
  return data;
}

std::string DecodeError(const Bytes& Stream, int Width, int Height) {
  try {
    Decode(Stream, Width, Height);
  } catch (const kvexport::GIFException& e) {
    return e.what();
  }
  return "";
}

TEST(GifCoderBadData, CodeBeyondTheNextEntryIsRefused) {
  // After clear and a literal the next entry is 6; code 7 names nothing yet.
  EXPECT_EQ(DecodeError(Pack(2, {{4, 3}, {1, 3}, {7, 3}, {5, 3}}), 4, 1), "Invalid GIF data");
  // Code 6 (the entry being made) is the usual repeat case and decodes.
  const Decoded ok = Decode(Pack(2, {{4, 3}, {1, 3}, {6, 3}, {5, 3}}), 3, 1);
  EXPECT_EQ(ok.Pixels, (Bytes{1, 1, 1}));
  // A table code straight after a clear is refused too.
  EXPECT_EQ(DecodeError(Pack(2, {{4, 3}, {6, 3}, {5, 3}}), 4, 1), "Invalid GIF data");
}

TEST(GifCoderBadData, CraftedPrefixLoopEndsInAnError) {
  // Taking code 260 while 258 is the next entry would make entries 259 and 260 name each other
  // as prefix, and the final 259 would then unwind forever.
  const Bytes loop = Pack(8, {{256, 9}, {1, 9}, {260, 9}, {259, 9}, {1, 9}, {259, 9}, {257, 9}});
  EXPECT_EQ(DecodeError(loop, 64, 64), "Invalid GIF data");
}

TEST(GifCoderBadData, RepeatCodesNamingTheNextEntryStillDecode) {
  // 6 and 7 each name the entry being made; the width grows to 4 once entry 7 exists.
  const Decoded d = Decode(Pack(2, {{4, 3}, {1, 3}, {6, 3}, {7, 3}, {5, 4}}), 6, 1, false, 0);
  EXPECT_EQ(d.Pixels, Bytes(6, 1));
  EXPECT_TRUE(d.Warnings.empty());
}

TEST(GifCoderBadData, TruncatedDataKeepPrefillAndWarn) {
  std::mt19937 rng(3);
  const Bytes p = RandomPicture(rng, 120, 80, 16);
  for (int compression : {0, 1}) {
    const Bytes out = Encode(p, 120, 80, 4, 16, compression);
    for (std::size_t cut : {out.size() / 2, out.size() - 3, std::size_t{300}, std::size_t{40}}) {
      // Copy into an exactly sized block so that the sanitizer sees any read past the end.
      auto data = std::make_unique<std::uint8_t[]>(cut);
      std::copy_n(out.begin(), cut, data.get());
      Bytes pixels(120 * 80, 0xEE);
      std::vector<std::string> warnings;
      const std::size_t used = kvexport::GIFDecodeFrame(data.get(), cut, pixels.data(), 120, 80, false, 9,
                                                        [&](const std::string& m) { warnings.push_back(m); });
      EXPECT_LE(used, cut);
      ASSERT_FALSE(warnings.empty()) << "cut at " << cut;
      for (const auto& w : warnings)
        EXPECT_TRUE(w == "Premature end of data" || w == "Decoder bit buffer under-run") << w;
      // Half the data cannot hold the last row.
      if (cut <= out.size() / 2) {
        EXPECT_EQ(pixels.back(), 9) << "cut " << cut << ", compression " << compression;
      }
      // What was decoded matches the picture up to where it stopped.
      std::size_t good = 0;
      while (good < p.size() && pixels[good] == p[good]) ++good;
      EXPECT_GT(good, 0u);
      EXPECT_TRUE(std::all_of(pixels.begin() + static_cast<std::ptrdiff_t>(std::min(good + 4096, p.size())),
                              pixels.end(), [](std::uint8_t v) { return v == 9; }));
    }
  }
}

TEST(GifCoderBadData, EmptyDataKeepPrefill) {
  Bytes pixels(6, 0xEE);
  EXPECT_EQ(kvexport::GIFDecodeFrame(nullptr, 0, pixels.data(), 3, 2, false, 4, nullptr), 0u);
  EXPECT_EQ(pixels, Bytes(6, 4));
}

TEST(GifCoderBadData, EarlyEndCodeStopsAndSkipsToTheZeroBlock) {
  Bytes s = Pack(2, {{4, 3}, {2, 3}, {5, 3}});
  // Extra sub-blocks after the end code still belong to the frame.
  s.pop_back();
  s.insert(s.end(), {0x02, 0xAA, 0xBB, 0x00, ';'});
  const Decoded d = Decode(s, 4, 1, false, 3);
  EXPECT_EQ(d.Pixels, (Bytes{2, 3, 3, 3}));
  EXPECT_EQ(d.Consumed, s.size() - 1);
}

TEST(GifCoderBadData, ClearFollowedByEndIsTheEnd) {
  const Decoded d = Decode(Pack(2, {{4, 3}, {4, 3}, {5, 3}}), 2, 1, false, 1);
  EXPECT_EQ(d.Pixels, (Bytes{1, 1}));
}

TEST(GifCoderBadData, ExcessCodesAfterTheLastPixelAreSkipped) {
  std::mt19937 rng(9);
  const Bytes p = RandomPicture(rng, 50, 20, 8);
  Bytes out = Encode(p, 50, 20, 3, 8, 0);
  out.push_back(';');
  // Read as a smaller frame: the rest of the data must still be passed over.
  const Decoded d = Decode(out, 50, 10);
  EXPECT_EQ(d.Consumed, out.size() - 1);
  EXPECT_TRUE(std::equal(d.Pixels.begin(), d.Pixels.end(), p.begin()));
}

TEST(GifCoderBadData, OversizedCodeSizeIsRefused) {
  EXPECT_EQ(DecodeError(Bytes{12, 1, 0xFF, 0}, 2, 2), "Invalid GIF data");
}

TEST(GifCoderBadData, RandomCorruptionNeverEscapesTheBuffers) {
  std::mt19937 rng(77);
  const Bytes p = RandomPicture(rng, 64, 64, 256);
  const Bytes clean = Encode(p, 64, 64, 8, 256, 0);
  for (int round = 0; round < 400; ++round) {
    Bytes s = clean;
    const int flips = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < flips; ++i) s[rng() % s.size()] = static_cast<std::uint8_t>(rng());
    s.resize(1 + rng() % s.size());
    auto data = std::make_unique<std::uint8_t[]>(s.size());
    std::copy(s.begin(), s.end(), data.get());
    Bytes pixels(64 * 64);
    try {
      const std::size_t used =
          kvexport::GIFDecodeFrame(data.get(), s.size(), pixels.data(), 64, 64, round % 2 == 1, 0, nullptr);
      EXPECT_LE(used, s.size());
    } catch (const kvexport::GIFException&) {
    }
  }
}

}  // namespace
