// The PCX writer: header fields, the run-length code at its limits, each kind read back by
// Pillow with the source's colours, and the combinations it must refuse.

#include <gtest/gtest.h>

#include "export/PCX.h"
#include "format_test_support.h"
#include "framework/SysUtils.h"

namespace {

using namespace writertest;
using kvexport::WritePCX;

constexpr std::size_t kHeader = 128;
constexpr std::size_t kTrailer = 1 + 768;

Bytes Write(fw::TBitmap& B, std::uint8_t Kind) {
  fw::TMemoryStream s;
  WritePCX(s, B, Kind);
  return StreamBytes(s);
}

// The coded rows between the header and the trailing palette.
Bytes Body(const Bytes& F) {
  return Bytes(F.begin() + kHeader, F.end() - kTrailer);
}

std::unique_ptr<fw::TBitmap> Filled(fw::TPixelFormat Format, int Width, int Height, fw::TColor Color) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(Format);
  b->SetSize(Width, Height);
  b->Canvas()->Brush()->SetColor(Color);
  b->Canvas()->FillRect(fw::TRect{0, 0, Width, Height});
  return b;
}

// An 8-bit bitmap whose row 0 holds the given indexes, with a grey ramp for a colour table.
std::unique_ptr<fw::TBitmap> IndexRow(const Bytes& Indexes) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf8bit);
  b->SetSize(int(Indexes.size()), 1);
  std::vector<win::RGBQUAD> ramp(256);
  for (int i = 0; i < 256; ++i)
    ramp[std::size_t(i)] = win::RGBQUAD{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
  b->SetColorTable(ramp);
  std::copy(Indexes.begin(), Indexes.end(), static_cast<std::uint8_t*>(b->ScanLine(0)));
  return b;
}

TEST(PcxWriter, WhiteTrueColourLineIsOneRunPerPlane) {
  auto b = Filled(fw::pf24bit, 3, 1, fw::clWhite);
  const Bytes f = Write(*b, kvexport::pcxTrueColor);
  ASSERT_EQ(f.size(), kHeader + 6 + kTrailer);
  EXPECT_EQ(Bytes(f.begin(), f.begin() + 16), (Bytes{10, 5, 1, 8, 0, 0, 0, 0, 2, 0, 0, 0, 3, 0, 1, 0}));
  EXPECT_EQ(f[64], 0);
  EXPECT_EQ(f[65], 3) << "planes";
  EXPECT_EQ(Word(f, 66), 3) << "bytes per line";
  EXPECT_EQ(Word(f, 68), 1) << "palette info";
  EXPECT_EQ(Bytes(f.begin() + 70, f.begin() + 128), Bytes(58, 0));
  EXPECT_EQ(Body(f), (Bytes{0xC3, 0xFF, 0xC3, 0xFF, 0xC3, 0xFF}));
  EXPECT_EQ(f[f.size() - kTrailer], 12);
}

TEST(PcxWriter, RunsStopAtSixtyThreeAndAtTheEndOfEachPlane) {
  EXPECT_EQ(Body(Write(*IndexRow(Bytes{200}), kvexport::pcx256Colors)), (Bytes{0xC1, 200}))
      << "a single byte of 192 or more is written as a pair";
  EXPECT_EQ(Body(Write(*IndexRow(Bytes{5}), kvexport::pcx256Colors)), (Bytes{5}));
  EXPECT_EQ(Body(Write(*IndexRow(Bytes(100, 7)), kvexport::pcx256Colors)), (Bytes{0xFF, 7, 0xE5, 7}));
  EXPECT_EQ(Body(Write(*IndexRow(Bytes{1, 1, 2, 191, 192}), kvexport::pcx256Colors)),
            (Bytes{0xC2, 1, 2, 191, 0xC1, 192}));
  // Two white pixels: three planes of two equal bytes, never one run across planes.
  EXPECT_EQ(Body(Write(*Filled(fw::pf24bit, 2, 1, fw::clWhite), kvexport::pcxTrueColor)),
            (Bytes{0xC2, 0xFF, 0xC2, 0xFF, 0xC2, 0xFF}));
  // Rows do not run into each other either.
  EXPECT_EQ(Body(Write(*Filled(fw::pf24bit, 1, 2, fw::clBlack), kvexport::pcxTrueColor)), Bytes(6, 0));
}

TEST(PcxWriter, HeaderCarriesSizeWithoutPaddingOddLines) {
  auto big = Filled(fw::pf24bit, 640, 480, fw::clWhite);
  const Bytes f = Write(*big, kvexport::pcxTrueColor);
  EXPECT_EQ(Word(f, 8), 639);
  EXPECT_EQ(Word(f, 10), 479);
  EXPECT_EQ(Word(f, 12), 640);
  EXPECT_EQ(Word(f, 14), 480);
  auto odd = Filled(fw::pf24bit, 5, 1, fw::clWhite);
  EXPECT_EQ(Word(Write(*odd, kvexport::pcxTrueColor), 66), 5);
  auto bw = Filled(fw::pf1bit, 13, 1, fw::clWhite);
  EXPECT_EQ(Word(Write(*bw, kvexport::pcxBlackWhite), 66), 2);
}

TEST(PcxWriter, PaletteIsWrittenFromItsSixBitComponents) {
  auto b = IndexRow(Bytes{0, 1});
  std::vector<win::RGBQUAD> table = b->ColorTable();
  table[1] = win::RGBQUAD{128, 255, 3, 0};  // blue, green, red
  b->SetColorTable(table);
  const Bytes f = Write(*b, kvexport::pcx256Colors);
  const std::size_t trailer = f.size() - 768;
  EXPECT_EQ(f[trailer + 3], 0) << "red 3 keeps only its top six bits";
  EXPECT_EQ(f[trailer + 4], 255);
  EXPECT_EQ(f[trailer + 5], 129) << "128 comes back as 32 * 255 / 63";
  EXPECT_EQ(f[16 + 3 + 2], 129) << "the header holds the first sixteen entries too";
}

TEST(PcxWriter, RefusesKindsTheSourceCannotFillAndWritesNothing) {
  auto deep = Filled(fw::pf24bit, 4, 4, fw::clWhite);
  auto eight = IndexRow(Bytes{1, 2, 3});
  fw::TBitmap empty;
  struct Case {
    fw::TBitmap* B;
    std::uint8_t Kind;
  };
  for (const Case& c : {Case{deep.get(), kvexport::pcxBlackWhite}, Case{deep.get(), kvexport::pcx256Colors},
                        Case{eight.get(), kvexport::pcx16Colors}, Case{eight.get(), 0}, Case{eight.get(), 5},
                        Case{&empty, kvexport::pcxTrueColor}}) {
    fw::TMemoryStream s;
    EXPECT_THROW(WritePCX(s, *c.B, c.Kind), fw::Exception) << int(c.Kind);
    EXPECT_EQ(s.Size(), 0);
  }
}

struct KindCase {
  fw::TPixelFormat Format;
  std::uint8_t Kind;
  const char* Mode;
};

class PcxKinds : public ::testing::TestWithParam<KindCase> {};

// Pillow decodes each kind; colours match the source's, within the 6-bit precision palette
// colours are kept in.
TEST_P(PcxKinds, PillowReadsTheSourceColours) {
  const KindCase k = GetParam();
  ScratchDir dir;
  const std::vector<int> widths = {1, 7, 64, 131};
  std::vector<std::unique_ptr<fw::TBitmap>> sources;
  std::vector<std::string> paths;
  for (int width : widths) {
    sources.push_back(RandomBitmap(k.Format, width, 5, unsigned(width) * 7 + k.Kind));
    paths.push_back(dir.File("p" + std::to_string(width) + ".pcx"));
    fw::TFileStream file(paths.back(), fw::fmCreate);
    WritePCX(file, *sources.back(), k.Kind);
  }
  const std::vector<PillowPicture> pictures = ReadAllWithPillow(dir, paths);
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const PillowPicture& p = pictures[i];
    fw::TBitmap& b = *sources[i];
    EXPECT_EQ(p.Mode, k.Mode);
    EXPECT_EQ(p.Width, widths[i]);
    EXPECT_EQ(p.Height, 5);
    std::vector<std::uint32_t> want = BitmapRgb(b);
    const bool exact = k.Format == fw::pfDevice || k.Format == fw::pf16bit || k.Format == fw::pf24bit ||
                       k.Format == fw::pf32bit || k.Kind == kvexport::pcxBlackWhite;
    for (std::uint32_t& c : want) {
      if (k.Kind == kvexport::pcxBlackWhite) {
        // One bit per pixel: set bits (colour table entry 1) are white to every reader.
        const std::vector<win::RGBQUAD> t = b.ColorTable();
        const std::uint32_t one = std::uint32_t(t[1].rgbRed) << 16 | t[1].rgbGreen << 8 | t[1].rgbBlue;
        c = c == one ? 0xFFFFFF : 0;
      } else if (!exact) {
        std::uint32_t out = 0;
        for (int shift : {0, 8, 16}) {
          const std::uint32_t six = (c >> shift & 0xFF) >> 2;
          out |= (k.Kind == kvexport::pcxTrueColor ? six << 2 : six * 255 / 63) << shift;
        }
        c = out;
      }
    }
    EXPECT_EQ(p.Rgb, want) << "width " << widths[i];
  }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PcxKinds,
                         ::testing::Values(KindCase{fw::pf24bit, kvexport::pcxTrueColor, "RGB"},
                                           KindCase{fw::pfDevice, kvexport::pcxTrueColor, "RGB"},
                                           KindCase{fw::pf32bit, kvexport::pcxTrueColor, "RGB"},
                                           KindCase{fw::pf16bit, kvexport::pcxTrueColor, "RGB"},
                                           KindCase{fw::pf8bit, kvexport::pcxTrueColor, "RGB"},
                                           KindCase{fw::pf4bit, kvexport::pcxTrueColor, "RGB"},
                                           KindCase{fw::pf8bit, kvexport::pcx256Colors, "P"},
                                           KindCase{fw::pf4bit, kvexport::pcx256Colors, "P"},
                                           KindCase{fw::pf4bit, kvexport::pcx16Colors, "P"},
                                           KindCase{fw::pf1bit, kvexport::pcxBlackWhite, "1"}));

}  // namespace
