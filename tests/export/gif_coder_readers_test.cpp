// Code streams wrapped in a minimal GIF file and read back by independent decoders: Pillow and
// giftext must see the same colour indices.

#include "export_test_files.h"
#include "gif_coder_test_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace gifcodertest;

namespace {

void PutWord(Bytes& Out, int Value) {
  Out.push_back(static_cast<std::uint8_t>(Value & 0xFF));
  Out.push_back(static_cast<std::uint8_t>(Value >> 8 & 0xFF));
}

// Header, screen descriptor with a global table of 2^Bits colours, one image descriptor,
// the code stream and the trailer.
Bytes MinimalGif(int Width, int Height, int Bits, bool Interlaced, const Bytes& CodeStream) {
  Bytes f = {'G', 'I', 'F', '8', '7', 'a'};
  PutWord(f, Width);
  PutWord(f, Height);
  f.push_back(static_cast<std::uint8_t>(0x80 | (Bits - 1) << 4 | (Bits - 1)));
  f.push_back(0);
  f.push_back(0);
  const int entries = 1 << Bits;
  // Not a grey ramp, which a reader could turn into a grey picture and lose the indices.
  for (int i = 0; i < entries; ++i) {
    f.push_back(static_cast<std::uint8_t>(i));
    f.push_back(static_cast<std::uint8_t>(255 - i));
    f.push_back(static_cast<std::uint8_t>(i * 7));
  }
  f.push_back(',');
  PutWord(f, 0);
  PutWord(f, 0);
  PutWord(f, Width);
  PutWord(f, Height);
  f.push_back(Interlaced ? 0x40 : 0x00);
  f.insert(f.end(), CodeStream.begin(), CodeStream.end());
  f.push_back(';');
  return f;
}

std::string Hex(const Bytes& B) {
  static const char* digits = "0123456789abcdef";
  std::string s;
  for (std::uint8_t v : B) {
    s.push_back(digits[v >> 4]);
    s.push_back(digits[v & 15]);
  }
  return s;
}

class GifCoderReaders : public ::testing::Test {
 protected:
  std::string Write(const std::string& Name, const Bytes& File) {
    const std::string path = dir_.File(Name);
    exporttest::WriteFile(path, File);
    return path;
  }

  exporttest::ScratchDir dir_;
};

TEST_F(GifCoderReaders, PillowAndGiftextSeeTheEncodedIndices) {
  std::mt19937 rng(1234);
  struct Case {
    int Colors, Width, Height, Compression;
    bool Interlaced;
  };
  const Case cases[] = {{2, 37, 23, 0, false},   {2, 37, 23, 1, false},     {16, 120, 90, 0, true},
                        {16, 120, 90, 1, false}, {256, 300, 200, 0, false}, {256, 300, 200, 1, true},
                        {5, 1, 1, 0, false},     {128, 211, 7, 1, true}};
  int index = 0;
  for (const Case& c : cases) {
    const int bits = BitsFor(c.Colors) < 2 ? 1 : BitsFor(c.Colors);
    const Bytes p = RandomPicture(rng, c.Width, c.Height, c.Colors);
    const Bytes stream = Encode(p, c.Width, c.Height, bits, c.Colors, c.Compression, c.Interlaced);
    const std::string path = Write("frame" + std::to_string(index++) + ".gif",
                                   MinimalGif(c.Width, c.Height, bits, c.Interlaced, stream));
    SCOPED_TRACE(path);

    int status = -1;
    const std::string pillow = exporttest::CommandOutput(
        "/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
        "im.load(); print(im.size[0], im.size[1], im.mode, bytes(im.getdata()).hex())\" " +
            path + " 2>&1",
        &status);
    ASSERT_EQ(status, 0) << pillow;
    EXPECT_EQ(pillow, std::to_string(c.Width) + " " + std::to_string(c.Height) + " P " + Hex(p) + "\n");

    // giftext hands out the raw rows in the order they were stored.
    Bytes stored;
    std::vector<int> order;
    if (c.Interlaced) {
      for (int y = 0; y < c.Height; y += 8) order.push_back(y);
      for (int y = 4; y < c.Height; y += 8) order.push_back(y);
      for (int y = 2; y < c.Height; y += 4) order.push_back(y);
      for (int y = 1; y < c.Height; y += 2) order.push_back(y);
    } else {
      for (int y = 0; y < c.Height; ++y) order.push_back(y);
    }
    for (int y : order)
      stored.insert(stored.end(), p.begin() + static_cast<std::ptrdiff_t>(y) * c.Width,
                    p.begin() + static_cast<std::ptrdiff_t>(y + 1) * c.Width);
    const std::string raw = exporttest::CommandOutput("giftext -r " + path + " 2>/dev/null", &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(Hex(Bytes(raw.begin(), raw.end())), Hex(stored));

    const std::string text = exporttest::CommandOutput("giftext " + path + " 2>&1", &status);
    ASSERT_EQ(status, 0) << text;
    EXPECT_NE(text.find("GIF file terminated normally"), std::string::npos) << text;
  }
}

}  // namespace
