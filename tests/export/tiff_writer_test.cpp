// The TIFF writer: the file's exact layout for a small RGB picture, every depth read back by
// Pillow and tiffinfo with the source's pixels, and the failures that must not leave a file.

#include <gtest/gtest.h>

#include <map>

#include "export/KvPlotTiffWriter.h"
#include "format_test_support.h"
#include "framework/SysUtils.h"

namespace {

using namespace writertest;

struct Entry {
  std::uint16_t Type;
  std::uint32_t Count;
  std::uint32_t Value;
};

// The directory the header points at, by tag, in file order.
std::vector<std::pair<std::uint16_t, Entry>> Directory(const Bytes& File) {
  std::vector<std::pair<std::uint16_t, Entry>> out;
  const std::uint32_t at = Long(File, 4);
  const int n = Word(File, at);
  for (int i = 0; i < n; ++i) {
    const std::size_t e = at + 2 + std::size_t(i) * 12;
    const std::uint16_t type = Word(File, e + 2);
    const std::uint32_t count = Long(File, e + 4);
    const std::uint32_t value = type == 3 && count == 1 ? Word(File, e + 8) : Long(File, e + 8);
    out.push_back({Word(File, e), Entry{type, count, value}});
  }
  return out;
}

std::map<std::uint16_t, Entry> Tags(const Bytes& File) {
  std::map<std::uint16_t, Entry> m;
  for (const auto& [tag, e] : Directory(File)) m[tag] = e;
  return m;
}

Bytes WriteToMemory(fw::TBitmap& Bitmap) {
  fw::TMemoryStream s;
  kvexport::WriteTIFF(s, Bitmap);
  return StreamBytes(s);
}

TEST(TiffWriter, SmallRgbPictureHasTheExactLayout) {
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf24bit);
  b.SetSize(3, 2);
  const fw::TColor colors[2][3] = {{0x0000FF, 0x00FF00, 0xFF0000}, {0x123456, 0xFFFFFF, 0x000000}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b.Canvas()->SetPixels(x, y, colors[y][x]);
  const Bytes f = WriteToMemory(b);

  // Header, two resolutions, bits per sample, "Korvalin.4" with its zero and one pad byte, rows.
  const std::uint32_t ifd = 8 + 8 + 8 + 6 + 12 + 18;
  ASSERT_EQ(f.size(), ifd + 2 + 15 * 12 + 4);
  EXPECT_EQ(Bytes(f.begin(), f.begin() + 8), (Bytes{'I', 'I', 42, 0, std::uint8_t(ifd), 0, 0, 0}));
  EXPECT_EQ(Long(f, 8), 877u);
  EXPECT_EQ(Long(f, 12), 10u);
  EXPECT_EQ(Long(f, 16), 877u);
  EXPECT_EQ(Long(f, 20), 10u);
  EXPECT_EQ(Bytes(f.begin() + 24, f.begin() + 30), (Bytes{8, 0, 8, 0, 8, 0}));
  EXPECT_EQ(std::string(f.begin() + 30, f.begin() + 41), std::string("Korvalin.4", 11));
  // Top row first, red green blue.
  const Bytes rows(f.begin() + 42, f.begin() + 60);
  EXPECT_EQ(rows, (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 0x56, 0x34, 0x12, 255, 255, 255, 0, 0, 0}));

  const auto dir = Directory(f);
  std::vector<std::uint16_t> order;
  for (const auto& [tag, e] : dir) order.push_back(tag);
  EXPECT_EQ(order, (std::vector<std::uint16_t>{254, 256, 257, 258, 259, 262, 273, 277, 278, 279, 282, 283,
                                               284, 296, 305}));
  auto tags = Tags(f);
  EXPECT_EQ(tags[256].Value, 3u);
  EXPECT_EQ(tags[257].Value, 2u);
  EXPECT_EQ(tags[258].Count, 3u);
  EXPECT_EQ(tags[258].Value, 24u) << "offset of the 8, 8, 8 block";
  EXPECT_EQ(tags[262].Value, 2u);
  EXPECT_EQ(tags[273].Value, 42u);
  EXPECT_EQ(tags[279].Value, 18u);
  EXPECT_EQ(tags[282].Value, 8u);
  EXPECT_EQ(tags[283].Value, 16u);
  EXPECT_EQ(tags[305].Type, 2u);
  EXPECT_EQ(tags[305].Count, 11u);
  EXPECT_EQ(tags[305].Value, 30u);
  EXPECT_EQ(Long(f, f.size() - 4), 0u) << "no next directory";
}

TEST(TiffWriter, ThirtyTwoBitPicturesGiveTheSameFileAsTwentyFourBitOnes) {
  auto deep = RandomBitmap(fw::pf32bit, 7, 5, 11);
  fw::TBitmap flat;
  flat.Assign(deep.get());
  flat.SetPixelFormat(fw::pf24bit);
  EXPECT_EQ(WriteToMemory(*deep), WriteToMemory(flat));
}

TEST(TiffWriter, PaletteDirectoryHoldsTheColourMapInSixteenBits) {
  auto b = RandomBitmap(fw::pf8bit, 5, 3, 3);
  std::vector<win::RGBQUAD> table = b->ColorTable();
  table[0] = win::RGBQUAD{255, 128, 1, 0};  // blue, green, red
  b->SetColorTable(table);
  const Bytes f = WriteToMemory(*b);
  auto tags = Tags(f);
  ASSERT_EQ(tags.count(320), 1u);
  EXPECT_EQ(tags[320].Count, 768u);
  EXPECT_EQ(tags[320].Value, 8u);
  EXPECT_EQ(tags[262].Value, 3u);
  EXPECT_EQ(tags[258].Value, 8u);
  EXPECT_EQ(Word(f, 8), 1 * 256) << "red of entry 0";
  EXPECT_EQ(Word(f, 8 + 512), 128 * 256) << "green of entry 0";
  EXPECT_EQ(Word(f, 8 + 1024), 255 * 256) << "blue of entry 0: 255 is stored as 65280";
  EXPECT_EQ(Directory(f).size(), 15u);
  EXPECT_EQ(tags[273].Value % 2, 0u);
  EXPECT_EQ(Long(f, 4) % 2, 0u) << "the directory starts on a word boundary";
}

TEST(TiffWriter, FourBitPicturesKeepEveryColumn) {
  for (int width : {1, 9, 10, 11}) {
    auto b = RandomBitmap(fw::pf4bit, width, 2, unsigned(width));
    const Bytes f = WriteToMemory(*b);
    auto tags = Tags(f);
    EXPECT_EQ(tags[256].Value, std::uint32_t(width));
    EXPECT_EQ(tags[279].Value, std::uint32_t((width + 1) / 2 * 2)) << "rows of (width + 1) / 2 bytes";
  }
}

TEST(TiffWriter, EmptyPictureRaisesAndWritesNothing) {
  fw::TBitmap empty;
  fw::TMemoryStream s;
  EXPECT_THROW(kvexport::WriteTIFF(s, empty), fw::Exception);
  EXPECT_EQ(s.Size(), 0);
}

// Every depth the drawing layer makes, at awkward widths, through both readers.
class TiffDepths : public ::testing::TestWithParam<fw::TPixelFormat> {};

TEST_P(TiffDepths, PillowAndTiffinfoReadTheSourcePixels) {
  ScratchDir dir;
  const std::vector<int> widths = {1, 13, 30};
  std::vector<std::unique_ptr<fw::TBitmap>> sources;
  std::vector<std::string> paths;
  for (int width : widths) {
    sources.push_back(RandomBitmap(GetParam(), width, 7, unsigned(width * 31 + GetParam())));
    paths.push_back(dir.File("p" + std::to_string(width) + ".tif"));
    fw::TFileStream file(paths.back(), fw::fmCreate);
    kvexport::WriteTIFF(file, *sources.back());
  }
  const std::vector<PillowPicture> pictures = ReadAllWithPillow(dir, paths);
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const PillowPicture& p = pictures[i];
    fw::TBitmap& b = *sources[i];
    EXPECT_EQ(p.Width, widths[i]);
    EXPECT_EQ(p.Height, 7);
    std::vector<std::uint32_t> want = BitmapRgb(b);
    if (GetParam() == fw::pf1bit) {
      // Bilevel files hold black and white: the lighter of the two colours is the white one.
      const std::vector<win::RGBQUAD> t = b.ColorTable();
      auto luma = [](const win::RGBQUAD& c) { return 299 * c.rgbRed + 587 * c.rgbGreen + 114 * c.rgbBlue; };
      const bool firstLighter = luma(t[0]) > luma(t[1]);
      const std::uint32_t first = std::uint32_t(t[0].rgbRed) << 16 | t[0].rgbGreen << 8 | t[0].rgbBlue;
      for (std::uint32_t& c : want) c = (c == first) == firstLighter ? 0xFFFFFF : 0;
    }
    EXPECT_EQ(p.Rgb, want) << "width " << widths[i];

    const CommandResult info = RunCommand("tiffinfo '" + paths[i] + "'");
    EXPECT_EQ(info.Status, 0) << info.Output;
    EXPECT_NE(info.Output.find("Image Width: " + std::to_string(widths[i]) + " Image Length: 7"),
              std::string::npos)
        << info.Output;
    EXPECT_EQ(info.Output.find("Warning"), std::string::npos) << info.Output;
    EXPECT_NE(info.Output.find("Software: Korvalin.4"), std::string::npos) << info.Output;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, TiffDepths,
                         ::testing::Values(fw::pfDevice, fw::pf1bit, fw::pf4bit, fw::pf8bit, fw::pf15bit,
                                           fw::pf16bit, fw::pf24bit, fw::pf32bit));

TEST(TiffWriter, BilevelPictureWhoseFirstColourIsWhiteIsNotInverted) {
  ScratchDir dir;
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf1bit);
  b.SetSize(9, 2);
  b.SetColorTable({win::RGBQUAD{255, 255, 255, 0}, win::RGBQUAD{0, 0, 0, 0}});
  for (int y = 0; y < 2; ++y) {
    auto* row = static_cast<std::uint8_t*>(b.ScanLine(y));
    row[0] = y ? 0x0F : 0xF0;
    row[1] = 0x80;
  }
  const std::string path = dir.File("bw.tif");
  {
    fw::TFileStream file(path, fw::fmCreate);
    kvexport::WriteTIFF(file, b);
  }
  EXPECT_EQ(Tags(ReadFile(path))[262].Value, 0u) << "white is zero";
  const PillowPicture p = ReadWithPillow(dir, path);
  ASSERT_EQ(p.Rgb.size(), 18u);
  EXPECT_EQ(p.Rgb[0], 0x000000u) << "bit set: entry 1, black";
  EXPECT_EQ(p.Rgb[4], 0xFFFFFFu);
  EXPECT_EQ(p.Rgb[8], 0x000000u);
  EXPECT_EQ(p.Rgb, BitmapRgb(b));
}

}  // namespace
