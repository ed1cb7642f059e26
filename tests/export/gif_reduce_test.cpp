// Colour reduction: lookups, palettes, the octree quantiser and the ditherers.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "export/GIFImageException.h"
#include "export/GIFImageReduce.h"
#include "gif_test_support.h"

using namespace kvexport;
using namespace giftest;

namespace {

struct Reduced {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Index;
  std::vector<win::RGBQUAD> Table;
  std::uint32_t RGB(int X, int Y) const {
    const win::RGBQUAD q = Table.at(Index[static_cast<std::size_t>(Y) * Width + X]);
    return static_cast<std::uint32_t>(q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue);
  }
};

Reduced Reduce(fw::TBitmap& Source, TColorReduction R, TDitherMode D, int Bits = 8,
               const TGIFPalette* Custom = nullptr) {
  std::unique_ptr<fw::TBitmap> out = ReduceColors(Source, R, D, Bits, Custom);
  Reduced r;
  r.Width = out->Width();
  r.Height = out->Height();
  if (out->Empty()) return r;
  EXPECT_EQ(out->PixelFormat(), fw::pf8bit);
  r.Table = out->ColorTable();
  for (int y = 0; y < r.Height; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(out->ScanLine(y));
    r.Index.insert(r.Index.end(), row, row + r.Width);
  }
  return r;
}

int LookupIndex(TColorLookup& L, int R, int G, int B) {
  std::uint8_t r, g, b;
  return L.Lookup(static_cast<std::uint8_t>(R), static_cast<std::uint8_t>(G), static_cast<std::uint8_t>(B), r, g, b);
}

constexpr TDitherMode kAllModes[] = {TDitherMode::Nearest, TDitherMode::FloydSteinberg, TDitherMode::Stucki,
                                     TDitherMode::Sierra,  TDitherMode::JaJuNI,         TDitherMode::SteveArche,
                                     TDitherMode::Burkes};

// A picture with smooth gradients, edges and noise.
std::unique_ptr<fw::TBitmap> Photo(int W, int H) {
  return Bitmap24(W, H, [](int x, int y) {
    const std::uint32_t n = (static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u) >> 27;
    const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / 63);
    const std::uint32_t g = static_cast<std::uint32_t>(y * 255 / 47);
    const std::uint32_t b = (x / 8 + y / 8) % 2 ? 200 : 40 + n;
    return r << 16 | g << 8 | b;
  });
}

}  // namespace

TEST(GifReduce, FixedLookups) {
  TNetscapeColorLookup web;
  EXPECT_EQ(LookupIndex(web, 255, 255, 255), 215);
  EXPECT_EQ(LookupIndex(web, 0, 0, 0), 0);
  EXPECT_EQ(LookupIndex(web, 47, 0, 0), 0);
  EXPECT_EQ(LookupIndex(web, 48, 0, 0), 36);
  std::uint8_t r, g, b;
  EXPECT_EQ(web.Lookup(100, 160, 252, r, g, b), 2 * 36 + 3 * 6 + 5);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{102, 153, 255}));

  TGrayScaleLookup gray;
  EXPECT_EQ(LookupIndex(gray, 128, 128, 128), 128);
  EXPECT_EQ(LookupIndex(gray, 255, 0, 0), 76);
  TMonochromeLookup mono;
  EXPECT_EQ(LookupIndex(mono, 128, 128, 128), 1);
  EXPECT_EQ(LookupIndex(mono, 127, 127, 127), 0);
}

namespace {

// The entry a full search finds: smallest dr² + dg² + db², the lowest index on ties.
int NearestByFullSearch(const TGIFPalette& P, int R, int G, int B) {
  int best = 1 << 30, index = 0;
  for (std::size_t i = 0; i < P.size(); ++i) {
    const int dr = P[i].peRed - R, dg = P[i].peGreen - G, db = P[i].peBlue - B;
    const int d = dr * dr + dg * dg + db * db;
    if (d < best) best = d, index = static_cast<int>(i);
  }
  return index;
}

}  // namespace

TEST(GifReduce, FastLookupFindsTheNearestEntry) {
  const TGIFPalette palette = {{0, 0, 0, 0}, {110, 100, 100, 0}, {90, 100, 100, 0}, {104, 100, 100, 0}};
  TFastColorLookup lookup(palette);
  // Entries 1 and 3 lie in one 8x8x8 cell: each answers its own colour.
  EXPECT_EQ(LookupIndex(lookup, 104, 100, 100), 3);
  EXPECT_EQ(LookupIndex(lookup, 110, 100, 100), 1);
  EXPECT_EQ(LookupIndex(lookup, 108, 100, 100), 1);
  EXPECT_EQ(LookupIndex(lookup, 100, 100, 100), 3);
  EXPECT_EQ(LookupIndex(lookup, 20, 20, 20), 0);
  // Entries 1 and 2 are as far from (100, 100, 100): the lower index wins, and a later colour
  // of the same cell gets its own nearest entry.
  TFastColorLookup fresh({{0, 0, 0, 0}, {110, 100, 100, 0}, {90, 100, 100, 0}});
  EXPECT_EQ(LookupIndex(fresh, 100, 100, 100), 1);
  EXPECT_EQ(LookupIndex(fresh, 96, 100, 100), 2);
  std::uint8_t r, g, b;
  EXPECT_EQ(fresh.Lookup(97, 101, 99, r, g, b), 2);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{90, 100, 100}));
  // Random palettes, some with entries crowded into a few cells, against a full search of
  // random colours and of every colour of a few cells.
  std::mt19937 rng(7);
  for (int spread : {256, 24}) {
    TGIFPalette p;
    for (int i = 0; i < 200; ++i)
      p.push_back({static_cast<win::BYTE>(100 + rng() % spread * (256 - 100) / 256),
                   static_cast<win::BYTE>(rng() % spread), static_cast<win::BYTE>(rng() % spread), 0});
    p.push_back(p[5]);  // a duplicate: never the answer over its twin
    TFastColorLookup fast(p);
    for (int k = 0; k < 20000; ++k) {
      const int R = static_cast<int>(rng() % 256), G = static_cast<int>(rng() % 256), B = static_cast<int>(rng() % 256);
      ASSERT_EQ(LookupIndex(fast, R, G, B), NearestByFullSearch(p, R, G, B)) << R << " " << G << " " << B;
    }
    for (int R = 96; R < 112; ++R)
      for (int G = 0; G < 16; ++G)
        for (int B = 8; B < 16; ++B) ASSERT_EQ(LookupIndex(fast, R, G, B), NearestByFullSearch(p, R, G, B));
  }
}

TEST(GifReduce, PaletteBuilders) {
  const TGIFPalette web = WebPalette();
  ASSERT_EQ(web.size(), 216u);
  EXPECT_EQ(web[2 * 36 + 4 * 6 + 1].peRed, 102);
  EXPECT_EQ(web[2 * 36 + 4 * 6 + 1].peGreen, 204);
  EXPECT_EQ(web[2 * 36 + 4 * 6 + 1].peBlue, 51);
  EXPECT_EQ(web[5].peFlags, 0);
  const TGIFPalette gray = GrayScalePalette();
  ASSERT_EQ(gray.size(), 256u);
  EXPECT_EQ(gray[77].peGreen, 77);
  EXPECT_EQ(gray[77].peFlags, PC_NOCOLLAPSE);
  const TGIFPalette four = WindowsGrayPalette();
  ASSERT_EQ(four.size(), 4u);
  EXPECT_EQ(four[1].peRed, 128);
  EXPECT_EQ(four[2].peRed, 192);
  EXPECT_EQ(MonochromePalette().size(), 2u);
  EXPECT_EQ(DefaultPalette20().size(), 20u);
  const TGIFPalette halftone = HalftonePalette();
  ASSERT_EQ(halftone.size(), 256u);
  std::set<std::uint32_t> distinct;
  for (const auto& e : halftone) distinct.insert(static_cast<std::uint32_t>(e.peRed << 16 | e.peGreen << 8 | e.peBlue));
  EXPECT_GE(distinct.size(), 240u);
}

TEST(GifReduce, QuantizeKeepsFewColoursExactly) {
  auto bitmap = Bitmap24(30, 20, [](int x, int y) {
    return x < 10 ? 0x123456u : x < 20 ? 0xFEDCBAu : (y < 10 ? 0x00FF00u : 0xFEDCBAu);
  });
  const Reduced r = Reduce(*bitmap, TColorReduction::Quantize, TDitherMode::Nearest);
  ASSERT_EQ(r.Table.size(), 256u);
  std::set<int> used(r.Index.begin(), r.Index.end());
  EXPECT_EQ(used.size(), 3u);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(r.RGB(x, y), (x < 10 ? 0x123456u : x < 20 ? 0xFEDCBAu : (y < 10 ? 0x00FF00u : 0xFEDCBAu)));
  for (int i = 0; i < 256; ++i)
    if (!used.count(i)) {
      EXPECT_EQ(r.Table[static_cast<std::size_t>(i)], (win::RGBQUAD{0, 0, 0, 0}));
    }
}

TEST(GifReduce, QuantizeWindowsKeepsTheStaticColours) {
  auto bitmap = Photo(64, 48);
  const Reduced r = Reduce(*bitmap, TColorReduction::QuantizeWindows, TDitherMode::Nearest);
  ASSERT_EQ(r.Table.size(), 256u);
  const TGIFPalette statics = DefaultPalette20();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(r.Table[static_cast<std::size_t>(i)].rgbRed, statics[static_cast<std::size_t>(i)].peRed);
    EXPECT_EQ(r.Table[static_cast<std::size_t>(246 + i)].rgbBlue, statics[static_cast<std::size_t>(10 + i)].peBlue);
  }
}

TEST(GifReduce, OctreeLeavesStayWithinTheLimitAndAverageTheirColours) {
  std::mt19937 rng(7);
  std::vector<std::uint8_t> pixels;
  for (int i = 0; i < 1000; ++i)
    for (int c = 0; c < 3; ++c) pixels.push_back(static_cast<std::uint8_t>(rng()));
  const std::uint8_t* row = pixels.data();
  TColorQuantizer q(16, 8);
  q.ProcessImage(&row, 1000, 1);
  EXPECT_LE(q.LeafCount(), 16);
  EXPECT_EQ(static_cast<int>(q.ColorTable().size()), q.LeafCount());

  // Two clusters far apart reduced to two colours: each becomes the mean of its members.
  std::vector<std::uint8_t> two = {10, 20, 30, 14, 24, 34, 240, 230, 220, 244, 234, 224};
  const std::uint8_t* r2 = two.data();
  TColorQuantizer pair(2, 8);
  pair.ProcessImage(&r2, 4, 1);
  const std::vector<TGIFColor> colors = pair.ColorTable();
  ASSERT_EQ(colors.size(), 2u);
  EXPECT_EQ(colors[0], (TGIFColor{32, 22, 12}));
  EXPECT_EQ(colors[1], (TGIFColor{222, 232, 242}));
}

TEST(GifReduce, QuantizedPictureStaysCloseToTheSource) {
  auto bitmap = Photo(64, 48);
  const Reduced r = Reduce(*bitmap, TColorReduction::Quantize, TDitherMode::Nearest);
  TDIBReader source(*bitmap);
  double error = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const std::uint8_t* p = source.Scanline(y) + x * 3;
      const std::uint32_t c = r.RGB(x, y);
      error += std::abs(int(c >> 16) - p[2]) + std::abs(int(c >> 8 & 0xFF) - p[1]) + std::abs(int(c & 0xFF) - p[0]);
    }
  EXPECT_LT(error / (64 * 48 * 3), 6.0);
}

TEST(GifReduce, NearestEqualsPlainMapping) {
  auto bitmap = Photo(37, 23);
  const Reduced r = Reduce(*bitmap, TColorReduction::Netscape, TDitherMode::Nearest);
  TDIBReader source(*bitmap);
  TNetscapeColorLookup web;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) {
      const std::uint8_t* p = source.Scanline(y) + x * 3;
      ASSERT_EQ(r.Index[static_cast<std::size_t>(y) * 37 + x], LookupIndex(web, p[2], p[1], p[0]));
    }
}

TEST(GifReduce, FloydSteinbergOnTwoByTwo) {
  // Worked by hand: grey 100 against black and white, the error of each pixel carried right
  // (7/16) and down (3/16, 5/16, 1/16); the second row runs right to left.
  auto bitmap = Bitmap24(2, 2, [](int, int) { return 0x646464u; });
  const Reduced r = Reduce(*bitmap, TColorReduction::Monochrome, TDitherMode::FloydSteinberg);
  EXPECT_EQ(r.Index, (std::vector<std::uint8_t>{0, 1, 1, 0}));
}

TEST(GifReduce, EveryDithererKeepsPaletteColoursAndStaysInThePalette) {
  // A picture of web colours only has no error to spread.
  auto exact = Bitmap24(33, 17, [](int x, int y) {
    return static_cast<std::uint32_t>((x % 6) * 51) << 16 | static_cast<std::uint32_t>((y % 6) * 51) << 8 |
           static_cast<std::uint32_t>(((x + y) % 6) * 51);
  });
  auto photo = Photo(64, 48);
  for (TDitherMode mode : kAllModes) {
    SCOPED_TRACE(static_cast<int>(mode));
    const Reduced r = Reduce(*exact, TColorReduction::Netscape, mode);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 33; ++x)
        ASSERT_EQ(r.Index[static_cast<std::size_t>(y) * 33 + x], ((x % 6) * 36 + (y % 6) * 6 + (x + y) % 6));
    const Reduced a = Reduce(*photo, TColorReduction::WindowsGray, mode);
    const Reduced b = Reduce(*photo, TColorReduction::WindowsGray, mode);
    EXPECT_EQ(a.Index, b.Index);
    for (std::uint8_t i : a.Index) ASSERT_LT(i, 4);
  }
}

TEST(GifReduce, DiffusionKeepsTheMeanColour) {
  // 76 lies between the web levels 51 and 102: plain mapping gives 51 everywhere, the error
  // diffusers mix both so that the mean stays near 76.
  auto flat = Bitmap24(64, 64, [](int, int) { return 0x4C4C4Cu; });
  for (TDitherMode mode : kAllModes) {
    SCOPED_TRACE(static_cast<int>(mode));
    const Reduced r = Reduce(*flat, TColorReduction::Netscape, mode);
    double sum = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) sum += r.RGB(x, y) & 0xFF;
    const double mean = sum / (64 * 64);
    if (mode == TDitherMode::Nearest) {
      EXPECT_EQ(mean, 51.0);
    } else {
      EXPECT_NEAR(mean, 76.0, 3.0);
    }
  }
  auto grey = Bitmap24(64, 64, [](int, int) { return 0x808080u; });
  const Reduced mono = Reduce(*grey, TColorReduction::Monochrome, TDitherMode::FloydSteinberg);
  double white = 0;
  for (std::uint8_t i : mono.Index) white += i;
  EXPECT_NEAR(white / (64 * 64), 0.5, 0.03);
}

TEST(GifReduce, KernelsSumToTheirDivisors) {
  TNetscapeColorLookup lookup;
  TStuckiDitherer stucki(8, lookup);
  TSierraDitherer sierra(8, lookup);
  TJaJuNiDitherer jajuni(8, lookup);
  TSteveArcheDitherer arche(8, lookup);
  TBurkesDitherer burkes(8, lookup);
  for (const TKernelDitherer* d : std::initializer_list<const TKernelDitherer*>{&stucki, &sierra, &jajuni, &arche, &burkes}) {
    int sum = 0;
    for (const auto& w : d->Kernel()) sum += w.Weight;
    EXPECT_EQ(sum, d->Divisor());
  }
  EXPECT_EQ(stucki.Divisor(), 42);
  EXPECT_EQ(sierra.Divisor(), 32);
  EXPECT_EQ(jajuni.Divisor(), 48);
  EXPECT_EQ(arche.Divisor(), 200);
  EXPECT_EQ(burkes.Divisor(), 32);
}

TEST(GifReduce, RowsRunInSerpentineOrder) {
  TNetscapeColorLookup lookup;
  TDitherEngine engine(5, lookup);
  std::uint8_t r, g, b;
  EXPECT_EQ(engine.Column(), 0);
  for (int i = 0; i < 5; ++i) engine.Dither(0, 0, 0, r, g, b);
  engine.NextLine();
  EXPECT_EQ(engine.Direction(), -1);
  EXPECT_EQ(engine.Column(), 4);
  engine.Dither(0, 0, 0, r, g, b);
  EXPECT_EQ(engine.Column(), 3);
  engine.NextLine();
  EXPECT_EQ(engine.Column(), 0);
}

TEST(GifReduce, UnusableSettingsGiveAnEmptyResult) {
  auto bitmap = Photo(8, 8);
  EXPECT_TRUE(ReduceColors(*bitmap, static_cast<TColorReduction>(10), TDitherMode::Nearest, 8, nullptr)->Empty());
  EXPECT_TRUE(ReduceColors(*bitmap, TColorReduction::Netscape, static_cast<TDitherMode>(7), 8, nullptr)->Empty());
  EXPECT_TRUE(ReduceColors(*bitmap, TColorReduction::Palette, TDitherMode::Nearest, 8, nullptr)->Empty());
  const TGIFPalette custom = {{255, 0, 0, 0}, {0, 0, 255, 0}};
  const Reduced r = Reduce(*bitmap, TColorReduction::Palette, TDitherMode::Nearest, 8, &custom);
  for (std::uint8_t i : r.Index) EXPECT_LT(i, 2);
  // None keeps the picture as a 24-bit copy.
  auto copy = ReduceColors(*bitmap, TColorReduction::None, TDitherMode::Nearest, 8, nullptr);
  EXPECT_EQ(copy->PixelFormat(), fw::pf24bit);
  EXPECT_EQ(copy->Width(), 8);
}

TEST(GifReduce, DIBWriterRefusesOddRequests) {
  fw::TBitmap target;
  EXPECT_THROW(TDIBWriter(target, WebPalette(), 4, 4, fw::pf16bit), GIFException);
  EXPECT_THROW(TDIBWriter(target, WebPalette(), 0, 4, fw::pf8bit), GIFException);
  TDIBWriter writer(target, WebPalette(), 3, 5, fw::pf8bit);
  writer.Scanline(0)[4] = 215;
  EXPECT_THROW(writer.Scanline(3), fw::EInvalidGraphicOperation);
  EXPECT_EQ(target.ColorTable().at(215).rgbRed, 255);
}
