// Both encoders against the decoder over random pictures, flat pictures and interlaced order.

#include "framework/Streams.h"
#include "gif_coder_test_support.h"

#include <gtest/gtest.h>

using namespace gifcodertest;

namespace {

TEST(GifCoderRoundTrip, RandomPicturesOf2To256Colours) {
  std::mt19937 rng(2024);
  for (int colors : {2, 3, 4, 5, 8, 16, 17, 31, 64, 129, 200, 256}) {
    for (int compression : {0, 1}) {
      const int width = 1 + static_cast<int>(rng() % 300);
      const int height = 1 + static_cast<int>(rng() % 200);
      const Bytes p = RandomPicture(rng, width, height, colors);
      const Bytes out = Encode(p, width, height, BitsFor(colors), colors, compression);
      const Decoded d = Decode(out, width, height);
      ASSERT_EQ(d.Pixels, p) << colors << " colours, compression " << compression << ", " << width << "x"
                             << height;
      EXPECT_EQ(d.Consumed, out.size());
      EXPECT_TRUE(d.Warnings.empty());
    }
  }
}

TEST(GifCoderRoundTrip, NoisyPictures300x200) {
  std::mt19937 rng(5);
  for (int colors : {2, 3, 16, 17, 256}) {
    Bytes p(300 * 200);
    for (auto& v : p) v = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(colors));
    for (int compression : {0, 1}) {
      const Bytes out = Encode(p, 300, 200, BitsFor(colors), colors, compression);
      ASSERT_EQ(Decode(out, 300, 200).Pixels, p) << colors << " colours, compression " << compression;
    }
  }
}

TEST(GifCoderRoundTrip, FlatPicturesOf70000Pixels) {
  for (int bits : {2, 3, 4, 8}) {
    const int colors = 1 << bits;
    const Bytes p(70000, static_cast<std::uint8_t>(colors - 1));
    for (int compression : {0, 1}) {
      const Bytes out = Encode(p, 350, 200, bits, colors, compression);
      ASSERT_EQ(Decode(out, 350, 200).Pixels, p) << bits << " bits, compression " << compression;
    }
  }
  // Run coding of one value needs far fewer codes than pixels.
  const Bytes flat(70000, 1);
  EXPECT_LT(Encode(flat, 350, 200, 2, 4, 1).size(), 2000u);
}

TEST(GifCoderRoundTrip, LongRunsAfterTableCodesOfTheSameValue) {
  // Runs of one value separated by single other pixels, so the run coder reuses its table.
  Bytes p;
  for (int n : {5, 50, 3, 500, 20, 7000, 2, 40000, 9}) {
    p.insert(p.end(), static_cast<std::size_t>(n), 3);
    p.push_back(1);
  }
  const int width = static_cast<int>(p.size());
  for (int bits : {2, 5}) {
    const Bytes out = Encode(p, width, 1, bits, 1 << bits, 1);
    EXPECT_EQ(Decode(out, width, 1).Pixels, p) << bits;
  }
}

TEST(GifCoderRoundTrip, InterlacedRowsAreSentInPassOrder) {
  // Each row holds its own number, so the non-interlaced reading of an interlaced stream shows
  // the order in which the rows were sent.
  for (int height : {1, 2, 3, 4, 5, 7, 8, 9, 12, 17, 30}) {
    const int width = 3;
    Bytes p;
    for (int y = 0; y < height; ++y) p.insert(p.end(), width, static_cast<std::uint8_t>(y));
    std::vector<int> order;
    for (int y = 0; y < height; y += 8) order.push_back(y);
    for (int y = 4; y < height; y += 8) order.push_back(y);
    for (int y = 2; y < height; y += 4) order.push_back(y);
    for (int y = 1; y < height; y += 2) order.push_back(y);
    Bytes sent;
    for (int y : order) sent.insert(sent.end(), width, static_cast<std::uint8_t>(y));
    for (int compression : {0, 1}) {
      const Bytes out = Encode(p, width, height, 5, 32, compression, true);
      EXPECT_EQ(Decode(out, width, height, false).Pixels, sent) << "height " << height;
      EXPECT_EQ(Decode(out, width, height, true).Pixels, p) << "height " << height;
    }
  }
}

}  // namespace

namespace {

TEST(GifCoderRoundTrip, StreamsAreLeftRightAfterTheFrame) {
  std::mt19937 rng(31);
  const Bytes p = RandomPicture(rng, 90, 70, 64);
  for (int compression : {0, 1}) {
    fw::TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    kvexport::GIFCodedFrame frame;
    frame.Data = p.data();
    frame.Width = 90;
    frame.Height = 70;
    frame.BitsPerPixel = 6;
    frame.ColorCount = 64;
    kvexport::GIFEncodeFrame(stream, frame, compression);
    const fw::Int64 end = stream.Position();
    stream.WriteBuffer(";", 1);
    EXPECT_EQ(end - 2, static_cast<fw::Int64>(Encode(p, 90, 70, 6, 64, compression).size()));

    stream.SetPosition(2);
    Bytes pixels(p.size());
    std::vector<std::string> warnings;
    kvexport::GIFDecodeFrame(stream, pixels.data(), 90, 70, false, 0,
                             [&](const std::string& m) { warnings.push_back(m); });
    EXPECT_EQ(pixels, p);
    EXPECT_EQ(stream.Position(), end);
    EXPECT_TRUE(warnings.empty());

    // Cut inside the data: the stream ends up at its end, with a warning and the prefill.
    stream.SetSize(end - 40);
    stream.SetPosition(2);
    kvexport::GIFDecodeFrame(stream, pixels.data(), 90, 70, false, 63,
                             [&](const std::string& m) { warnings.push_back(m); });
    EXPECT_FALSE(warnings.empty());
    EXPECT_EQ(pixels.back(), 63);
    EXPECT_EQ(stream.Position(), end - 40);
  }
}

}  // namespace
