#include <gtest/gtest.h>

#include <random>

#include "bitmap_test_support.h"
#include "platform/gdi/Gdi.h"
#include "support/Snapshot.h"

namespace win::gdi::testing {
namespace {

// The truth-table definition, bit by bit: result bit = bit (P*4 + S*2 + D) of the code's byte.
uint32_t TruthTable(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t r = 0;
  for (int b = 0; b < 32; ++b) {
    const int idx = int(((p >> b) & 1) << 2 | ((s >> b) & 1) << 1 | ((d >> b) & 1));
    r |= uint32_t((code >> idx) & 1) << b;
  }
  return r;
}

// Pattern colours packed the way each tested depth stores them.
uint32_t Packed(int bpp, uint32_t bgr) {
  const uint32_t r = (bgr >> 16) & 0xFF, g = (bgr >> 8) & 0xFF, b = bgr & 0xFF;
  return bpp == 16 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3) : bgr;
}

TEST(BlitRop, EveryCodeFollowsItsTruthTableOnRandomPixelsAndPatterns) {
  const DWORD codes[] = {SRCCOPY,   SRCPAINT,   SRCAND,     SRCINVERT,  SRCERASE,   NOTSRCCOPY, NOTSRCERASE,
                         MERGECOPY, MERGEPAINT, PATCOPY,    PATPAINT,   PATINVERT,  DSTINVERT,  BLACKNESS,
                         WHITENESS, 0x00AA0029, 0x00E20746, 0x00B8074A, 0x006A01E9, 0x00960000};
  std::mt19937 rng(1234);
  constexpr int W = 19, H = 13;
  // 32 bpp works on whole words (the fourth byte too); 24 and 16 (5-6-5) bpp on their bits.
  for (auto [bpp, mask] : {std::pair{32, 0xFFFFFFFFu}, {24, 0xFFFFFFu}, {16, 0xFFFFu}}) {
    for (DWORD rop : codes) {
      SCOPED_TRACE(::testing::Message() << bpp << " bpp, rop " << std::hex << rop);
      const DWORD compression = bpp == 16 ? BI_BITFIELDS : BI_RGB;
      MemDC src(MakeDib(W, H, bpp, {}, compression)), dst(MakeDib(W, H, bpp, {}, compression)), pat(8, 8, 32);
      std::vector<uint32_t> before(W * H);
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          src.setRaw(x, y, rng() & mask);
          before[size_t(y * W + x)] = rng() & mask;
          dst.setRaw(x, y, before[size_t(y * W + x)]);
        }
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) pat.setRaw(x, y, rng() & 0xFFFFFF);
      HBRUSH brush = CreatePatternBrush(pat.bmp);
      ASSERT_NE(brush, nullptr);
      HGDIOBJ oldBrush = SelectObject(dst.dc, brush);
      SetBrushOrgEx(dst.dc, 3, 5, nullptr);
      ASSERT_TRUE(BitBlt(dst.dc, 0, 0, W, H, src.dc, 0, 0, rop));
      const uint8_t code = uint8_t(rop >> 16);
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          const uint32_t p = Packed(bpp, pat.raw((x - 3) & 7, (y - 5) & 7));
          const uint32_t want = TruthTable(code, p, src.raw(x, y), before[size_t(y * W + x)]) & mask;
          ASSERT_EQ(dst.raw(x, y), want) << x << "," << y;
        }
      SelectObject(dst.dc, oldBrush);
      DeleteObject(brush);
    }
  }
}

TEST(BlitRop, PaletteDestinationsOperateOnIndexBits) {
  std::vector<RGBQUAD> table(16);
  for (int i = 0; i < 16; ++i) table[size_t(i)] = RGBQUAD{BYTE(i * 16), BYTE(i * 16), BYTE(i * 16), 0};
  MemDC dst(5, 1, 4, table);
  for (int x = 0; x < 5; ++x) dst.setRaw(x, 0, uint32_t(x * 3));
  ASSERT_TRUE(PatBlt(dst.dc, 0, 0, 5, 1, DSTINVERT));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(dst.raw(x, 0), uint32_t(15 - x * 3));
  ASSERT_TRUE(PatBlt(dst.dc, 1, 0, 2, 1, BLACKNESS));
  ASSERT_TRUE(PatBlt(dst.dc, 3, 0, 1, 1, WHITENESS));
  EXPECT_EQ(dst.raw(1, 0), 0u);
  EXPECT_EQ(dst.raw(2, 0), 0u);
  EXPECT_EQ(dst.raw(3, 0), 15u);
  EXPECT_EQ(dst.raw(4, 0), 3u);

  // A colour source lands on the nearest entry.
  MemDC src(2, 1, 32);
  src.setRaw(0, 0, 0x202020);
  src.setRaw(1, 0, 0xEEEEEE);
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.raw(0, 0), 2u);
  EXPECT_EQ(dst.raw(1, 0), 15u);
}

TEST(BlitMono, MonochromeSourceTakesTheDestinationTextAndBackgroundColours) {
  const uint16_t rows[2] = {0x00A0, 0x0050};  // 1010 0000 / 0101 0000
  MemDC mono(CreateBitmap(4, 2, 1, 1, rows));
  for (int bpp : {32, 24, 16, 8}) {
    SCOPED_TRACE(bpp);
    std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}};
    MemDC dst(4, 2, bpp, bpp == 8 ? table : std::vector<RGBQUAD>{});
    SetTextColor(dst.dc, RGB(255, 0, 0));
    SetBkColor(dst.dc, RGB(0, 0, 255));
    SetTextColor(mono.dc, RGB(0, 255, 0));  // the source DC's colours play no part
    SetBkColor(mono.dc, RGB(0, 255, 0));
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 2, mono.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.px(0, 0), RGB(0, 0, 255));  // 1 bit: background colour
    EXPECT_EQ(dst.px(1, 0), RGB(255, 0, 0));  // 0 bit: text colour
    EXPECT_EQ(dst.px(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(dst.px(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.px(1, 1), RGB(0, 0, 255));
  }
}

TEST(BlitMono, TwoColourDibSectionsShowTheirOwnColours) {
  MemDC twoColour(2, 1, 1, {{0, 0, 255, 0}, {255, 0, 0, 0}});  // red, blue
  twoColour.setRaw(1, 0, 1);
  MemDC blackWhite(2, 1, 1, MonochromeTable());
  blackWhite.setRaw(1, 0, 1);
  MemDC dst(2, 2, 32);
  SetTextColor(dst.dc, RGB(0, 255, 0));
  SetBkColor(dst.dc, RGB(255, 255, 0));
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 2, 1, twoColour.dc, 0, 0, SRCCOPY));
  ASSERT_TRUE(BitBlt(dst.dc, 0, 1, 2, 1, blackWhite.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.px(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dst.px(1, 0), RGB(0, 0, 255));
  EXPECT_EQ(dst.px(0, 1), RGB(0, 255, 0));    // black-and-white: text colour
  EXPECT_EQ(dst.px(1, 1), RGB(255, 255, 0));  // and background colour
  // Onto a two-colour DIB a colour goes to the nearest entry.
  MemDC src(2, 1, 32);
  src.setRaw(0, 0, 0x0000F0);
  src.setRaw(1, 0, 0xF00000);
  ASSERT_TRUE(BitBlt(twoColour.dc, 0, 0, 2, 1, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(twoColour.raw(0, 0), 1u);
  EXPECT_EQ(twoColour.raw(1, 0), 0u);
}

TEST(BlitMono, ColourSourceBecomesWhiteWhereItEqualsTheSourceBackground) {
  MemDC src(3, 1, 32);
  src.setRaw(0, 0, 0x00FF00);
  src.setRaw(1, 0, 0x00FE00);
  src.setRaw(2, 0, 0xFFFFFF);
  SetBkColor(src.dc, RGB(0, 255, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP monoBmp = CreateCompatibleBitmap(dc, 3, 1);  // the fresh DC holds the monochrome default
  MemDC mono(monoBmp);
  SetBkColor(mono.dc, RGB(255, 0, 0));  // the destination's background plays no part
  ASSERT_TRUE(BitBlt(mono.dc, 0, 0, 3, 1, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(mono.raw(0, 0), 1u);
  EXPECT_EQ(mono.raw(1, 0), 0u);
  EXPECT_EQ(mono.raw(2, 0), 0u);
  // Monochrome to monochrome copies bits.
  MemDC mono2(CreateBitmap(3, 1, 1, 1, nullptr));
  ASSERT_TRUE(BitBlt(mono2.dc, 0, 0, 3, 1, mono.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(mono2.raw(0, 0), 1u);
  EXPECT_EQ(mono2.raw(1, 0), 0u);
  DeleteDC(dc);
}

TEST(BlitClip, DestinationClipOriginsAndBrushOriginApply) {
  MemDC src(10, 10, 32), dst(10, 10, 32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) src.setRaw(x, y, uint32_t(y * 16 + x));
  IntersectClipRect(dst.dc, 2, 2, 6, 5);
  SetWindowOrgEx(src.dc, -1, 0, nullptr);  // logical (0,0) of the source is pixel (1,0)
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 10, 10, src.dc, 0, 0, SRCCOPY));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 2 && y < 5;
      EXPECT_EQ(dst.raw(x, y), inside ? uint32_t(y * 16 + x + 1) : 0u) << x << "," << y;
    }
  kvtest::SnapshotIfFailed(dst.bmp, "clipped");
  // The viewport origin moves the destination.
  MemDC dst2(6, 6, 32);
  SetViewportOrgEx(dst2.dc, 2, 3, nullptr);
  ASSERT_TRUE(PatBlt(dst2.dc, 0, 0, 1, 1, WHITENESS));
  EXPECT_EQ(dst2.raw(2, 3), 0xFFFFFFFFu);
  EXPECT_EQ(dst2.raw(0, 0), 0u);
}

TEST(BlitClip, WindowDCsPaintAtTheirOriginInsideTheirVisibleRegion) {
  BitmapGuard keep;
  HBITMAP surface = keep(MakeDib(12, 12, 32));
  const Region visible(RECT{0, 0, 3, 3});  // DC device coordinates
  HDC win = CreateSurfaceDC(surface, POINT{4, 5}, &visible);
  ASSERT_NE(win, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HGDIOBJ old = SelectObject(win, brush);
  ASSERT_TRUE(PatBlt(win, -2, -2, 10, 10, PATCOPY));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 4 && x < 7 && y >= 5 && y < 8;
      EXPECT_EQ(Px(surface, x, y), inside ? RGB(1, 2, 3) : RGB(0, 0, 0)) << x << "," << y;
    }
  // The window DC as a source reads from its origin too.
  MemDC copy(3, 3, 32);
  ASSERT_TRUE(BitBlt(copy.dc, 0, 0, 3, 3, win, 0, 0, SRCCOPY));
  EXPECT_EQ(copy.px(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(copy.px(2, 2), RGB(1, 2, 3));
  kvtest::SnapshotIfFailed(surface, "surface");
  SelectObject(win, old);
  DeleteObject(brush);
  DeleteDC(win);
}

TEST(BlitClip, HatchPatternAlignsToTheBrushOrigin) {
  MemDC dst(16, 16, 32);
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(dst.dc, hatch);
  SetBkColor(dst.dc, RGB(0, 0, 255));
  SetBrushOrgEx(dst.dc, 0, 2, nullptr);
  ASSERT_TRUE(PatBlt(dst.dc, 0, 0, 16, 16, PATCOPY));
  for (int y = 0; y < 16; ++y)
    EXPECT_EQ(dst.px(5, y), ((y - 2) & 7) == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255)) << y;
  kvtest::SnapshotIfFailed(dst.bmp, "hatch");
  SelectObject(dst.dc, old);
  DeleteObject(hatch);
}

TEST(BlitOverlap, CopiesWithinOneBitmapReadTheOriginalPixels) {
  for (auto [dx, dy] : {std::pair{1, 1}, {-1, -1}, {2, 0}, {0, -2}, {-3, 1}}) {
    SCOPED_TRACE(::testing::Message() << dx << "," << dy);
    for (DWORD rop : {SRCCOPY, SRCINVERT}) {
      MemDC dc(8, 8, 32);
      std::vector<uint32_t> orig(64);
      for (int i = 0; i < 64; ++i) {
        orig[size_t(i)] = uint32_t(i * 2654435761u);
        dc.setRaw(i % 8, i / 8, orig[size_t(i)]);
      }
      ASSERT_TRUE(BitBlt(dc.dc, 2 + dx, 2 + dy, 4, 4, dc.dc, 2, 2, rop));
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const int sx = x - dx, sy = y - dy;
          const bool inDst = x >= 2 + dx && x < 6 + dx && y >= 2 + dy && y < 6 + dy;
          uint32_t want = orig[size_t(y * 8 + x)];
          if (inDst) want = rop == SRCCOPY ? orig[size_t(sy * 8 + sx)] : (orig[size_t(sy * 8 + sx)] ^ want);
          ASSERT_EQ(dc.raw(x, y), want) << x << "," << y;
        }
    }
  }
}

TEST(BlitStretch, NearestNeighbourMirroringAndShrinkModes) {
  MemDC src(4, 1, 32);
  for (int x = 0; x < 4; ++x) src.setRaw(x, 0, uint32_t(0x10 * (x + 1)));
  MemDC dst(12, 2, 32);
  SetStretchBltMode(dst.dc, COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 12, 2, src.dc, 0, 0, 4, 1, SRCCOPY));
  for (int x = 0; x < 12; ++x) {
    EXPECT_EQ(dst.raw(x, 0), uint32_t(0x10 * (x / 3 + 1))) << x;
    EXPECT_EQ(dst.raw(x, 1), uint32_t(0x10 * (x / 3 + 1))) << x;
  }
  // Opposite signs of the widths mirror.
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 8, 1, src.dc, 4, 0, -4, 1, SRCCOPY));
  for (int x = 0; x < 8; ++x) EXPECT_EQ(dst.raw(x, 0), uint32_t(0x10 * (4 - x / 2))) << x;

  // HALFTONE averages the covered source pixels.
  MemDC grey(2, 2, 24);
  SetPx(grey.bmp, 0, 0, RGB(0, 0, 0));
  SetPx(grey.bmp, 1, 0, RGB(255, 255, 255));
  SetPx(grey.bmp, 0, 1, RGB(100, 50, 0));
  SetPx(grey.bmp, 1, 1, RGB(200, 150, 10));
  MemDC one(1, 2, 32);
  EXPECT_EQ(SetStretchBltMode(one.dc, HALFTONE), BLACKONWHITE);
  EXPECT_EQ(GetStretchBltMode(one.dc), HALFTONE);
  ASSERT_TRUE(StretchBlt(one.dc, 0, 0, 1, 2, grey.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(one.px(0, 0), RGB(128, 128, 128));
  EXPECT_EQ(one.px(0, 1), RGB(150, 100, 5));

  // BLACKONWHITE keeps black bits of a monochrome source; WHITEONBLACK keeps white ones.
  const uint16_t bits[1] = {0x0040};  // 0100 in the first byte
  MemDC mono(CreateBitmap(4, 1, 1, 1, bits));
  MemDC half(CreateBitmap(2, 1, 1, 1, nullptr));
  ASSERT_TRUE(StretchBlt(half.dc, 0, 0, 2, 1, mono.dc, 0, 0, 4, 1, SRCCOPY));  // default mode
  EXPECT_EQ(half.raw(0, 0), 0u);
  EXPECT_EQ(half.raw(1, 0), 0u);
  SetStretchBltMode(half.dc, WHITEONBLACK);
  ASSERT_TRUE(StretchBlt(half.dc, 0, 0, 2, 1, mono.dc, 0, 0, 4, 1, SRCCOPY));
  EXPECT_EQ(half.raw(0, 0), 1u);
  EXPECT_EQ(half.raw(1, 0), 0u);
  EXPECT_EQ(SetStretchBltMode(half.dc, 99), 0);
}

TEST(BlitErrors, BadHandlesAndMisusedCodesFailAndNullBrushesPaintNothing) {
  MemDC dst(4, 4, 32);
  EXPECT_FALSE(BitBlt(reinterpret_cast<HDC>(0x777), 0, 0, 1, 1, dst.dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, reinterpret_cast<HDC>(0x777), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, nullptr, 0, 0, WHITENESS));  // no source needed
  EXPECT_EQ(dst.raw(0, 0), 0xFFFFFFFFu);
  EXPECT_FALSE(PatBlt(dst.dc, 0, 0, 1, 1, SRCCOPY));
  HGDIOBJ old = SelectObject(dst.dc, GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(PatBlt(dst.dc, 0, 0, 4, 4, PATCOPY));
  EXPECT_EQ(dst.raw(1, 1), 0u);
  SelectObject(dst.dc, old);
  // Far outside the bitmap, or a source far outside its own: nothing happens, no crash.
  EXPECT_TRUE(PatBlt(dst.dc, -100000, 50000, 3, 3, BLACKNESS));
  EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 4, 4, dst.dc, 100000, -100000, SRCCOPY));
  EXPECT_EQ(dst.raw(0, 0), 0xFFFFFFFFu);
}

TEST(BlitErrors, AbsurdCoordinatesAndExtentsFailCleanly) {
  constexpr int kMax = 0x7FFFFFFF, kMin = -0x7FFFFFFF - 1;
  MemDC dst(4, 4, 32), src(4, 4, 32);
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, kMax, 2, src.dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(StretchBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, kMin, 2, SRCCOPY));
  EXPECT_FALSE(PatBlt(dst.dc, 0, 0, kMin, kMin, BLACKNESS));
  EXPECT_TRUE(PatBlt(dst.dc, kMax, kMax, 100, 100, WHITENESS));  // entirely outside
  EXPECT_TRUE(BitBlt(dst.dc, kMin, 0, 5, 5, src.dc, kMax, kMin, SRCCOPY));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.raw(x, y), 0u);

  BLENDFUNCTION blend;
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, kMax, 1, src.dc, 0, 0, 1, 1, blend));
  EXPECT_FALSE(AlphaBlend(dst.dc, 0, 0, 1, 1, src.dc, kMax, 0, 1, 1, blend));
  uint32_t dib[4] = {};
  BITMAPINFO bi = MakeInfo(2, 2, 32);
  EXPECT_EQ(StretchDIBits(dst.dc, 0, 0, 2, 2, kMax, kMin, 2, 2, dib, &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(SetDIBitsToDevice(dst.dc, 0, 0, 0x7FFFFFFF, 2, kMin, kMax, 0, 2, dib, &bi, DIB_RGB_COLORS), 0);
  EXPECT_NE(SetDIBitsToDevice(dst.dc, 0, 0, 2, 2, kMin, kMax, 0, 2, dib, &bi, DIB_RGB_COLORS), 0);
  TRIVERTEX v[3];
  v[0].x = kMin, v[0].y = kMin, v[0].Red = 0xFF00;
  v[1].x = kMax, v[1].y = 0, v[1].Red = 0xFF00;
  v[2].x = 0, v[2].y = kMax, v[2].Red = 0xFF00;
  GRADIENT_TRIANGLE tri{0, 1, 2};
  EXPECT_TRUE(GradientFill(dst.dc, v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_EQ(dst.px(1, 1), RGB(255, 0, 0));  // the huge triangle covers the bitmap in one colour
  GRADIENT_RECT rect{0, 1};
  EXPECT_TRUE(GradientFill(dst.dc, v, 2, &rect, 1, GRADIENT_FILL_RECT_H));
}

}  // namespace
}  // namespace win::gdi::testing
