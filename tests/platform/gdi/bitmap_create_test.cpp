#include <gtest/gtest.h>

#include <QPainter>

#include <cstring>

#include "bitmap_test_support.h"
#include "platform/kernel/LastError.h"

namespace win::gdi::testing {
namespace {

TEST(BitmapCreate, DibSectionOfEveryDepthReportsItsLayout) {
  BitmapGuard keep;
  struct Case {
    int bpp;
    DWORD compression;
    LONG stride;  // for width 13
  } cases[] = {{1, BI_RGB, 4},         {4, BI_RGB, 8},   {8, BI_RGB, 16}, {16, BI_RGB, 28},
               {16, BI_BITFIELDS, 28}, {24, BI_RGB, 40}, {32, BI_RGB, 52}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bpp);
    void* bits = nullptr;
    HBITMAP h = keep(
        MakeDib(13, 5, c.bpp, c.bpp <= 8 ? MonochromeTable() : std::vector<RGBQUAD>{}, c.compression, &bits));
    ASSERT_NE(h, nullptr);
    ASSERT_NE(bits, nullptr);
    DIBSECTION ds;
    ASSERT_EQ(GetBitmapObject(Bmp(h), sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, 13);
    EXPECT_EQ(ds.dsBm.bmHeight, 5);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, c.stride);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, c.bpp);
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biSizeImage, DWORD(c.stride * 5));
    if (c.bpp == 16) {
      EXPECT_EQ(ds.dsBitfields[1], c.compression == BI_BITFIELDS ? 0x07E0u : 0x03E0u);
      EXPECT_EQ(ds.dsBmih.biCompression, c.compression);
    }
    BITMAP bm;
    EXPECT_EQ(GetBitmapObject(Bmp(h), sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 13);
    EXPECT_EQ(GetBitmapObject(Bmp(h), 0, nullptr), int(sizeof(DIBSECTION)));
    EXPECT_EQ(GetBitmapObject(Bmp(h), sizeof(BITMAP) - 1, &bm), 0);
  }
}

TEST(BitmapCreate, BitsPointerAddressesTheTopRowForBothRowOrders) {
  BitmapGuard keep;
  for (int height : {4, -4}) {
    SCOPED_TRACE(height);
    void* bits = nullptr;
    HBITMAP h = keep(MakeDib(3, height, 32, {}, BI_RGB, &bits));
    ASSERT_NE(h, nullptr);
    auto* px = static_cast<uint32_t*>(bits);
    px[1] = 0x00123456;          // row 0, x 1
    px[3 * 3 + 2] = 0x00ABCDEF;  // row 3, x 2
    EXPECT_EQ(Px(h, 1, 0), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(Px(h, 2, 3), RGB(0xAB, 0xCD, 0xEF));
  }
}

TEST(BitmapCreate, PixelsRoundTripInEveryDepthWithTheirRawEncoding) {
  BitmapGuard keep;
  const std::vector<RGBQUAD> table16 = [] {
    std::vector<RGBQUAD> t(16);
    for (int i = 0; i < 16; ++i)
      t[size_t(i)] = RGBQUAD{BYTE(i * 5), BYTE(255 - i * 17), BYTE(i * 17), 0};  // b, g, r
    return t;
  }();
  // 1 bpp: black/white; 4 and 8 bpp through the table.
  HBITMAP mono = keep(MakeDib(9, 2, 1, MonochromeTable()));
  SetPx(mono, 8, 1, RGB(255, 255, 255));
  SetPx(mono, 7, 1, RGB(20, 20, 20));  // nearest: black
  EXPECT_EQ(Px(mono, 8, 1), RGB(255, 255, 255));
  EXPECT_EQ(Px(mono, 7, 1), RGB(0, 0, 0));
  EXPECT_EQ(Bmp(mono).bits[size_t(Bmp(mono).stride) + 1], 0x80);  // MSB is the leftmost pixel

  HBITMAP four = keep(MakeDib(5, 1, 4, table16));
  SetPx(four, 0, 0, RGB(3 * 17, 255 - 3 * 17, 15));
  SetPx(four, 1, 0, RGB(14 * 17, 255 - 14 * 17, 70));
  EXPECT_EQ(Bmp(four).bits[0], 0x3E);  // high nibble first
  EXPECT_EQ(Px(four, 1, 0), RGB(14 * 17, 255 - 14 * 17, 70));

  HBITMAP eight = keep(MakeDib(2, 2, 8, table16));
  SetPx(eight, 1, 1, RGB(10 * 17 + 3, 255 - 10 * 17, 52));  // nearest is entry 10
  EXPECT_EQ(Bmp(eight).bits[size_t(Bmp(eight).stride) + 1], 10);

  HBITMAP rgb555 = keep(MakeDib(2, 1, 16));
  SetPx(rgb555, 0, 0, RGB(255, 0, 0));
  SetPx(rgb555, 1, 0, RGB(0, 255, 8));
  EXPECT_EQ(GetRaw(Bmp(rgb555), 0, 0), 0x7C00u);
  EXPECT_EQ(GetRaw(Bmp(rgb555), 1, 0), 0x03E1u);
  EXPECT_EQ(Px(rgb555, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(Px(rgb555, 1, 0), RGB(0, 255, 8));

  HBITMAP rgb565 = keep(MakeDib(1, 1, 16, {}, BI_BITFIELDS));
  SetPx(rgb565, 0, 0, RGB(0, 255, 0));
  EXPECT_EQ(GetRaw(Bmp(rgb565), 0, 0), 0x07E0u);
  SetPx(rgb565, 0, 0, RGB(132, 4, 255));
  EXPECT_EQ(Px(rgb565, 0, 0), RGB(132, 4, 255));

  HBITMAP rgb24 = keep(MakeDib(2, 1, 24));
  SetPx(rgb24, 1, 0, RGB(1, 2, 3));
  const uint8_t* p = Bmp(rgb24).bits.data() + 3;
  EXPECT_EQ(p[0], 3);  // blue, green, red
  EXPECT_EQ(p[1], 2);
  EXPECT_EQ(p[2], 1);

  HBITMAP rgb32 = keep(MakeDib(1, 1, 32));
  SetPx(rgb32, 0, 0, RGB(7, 8, 9));
  EXPECT_EQ(GetRaw(Bmp(rgb32), 0, 0), 0x00070809u);
  EXPECT_EQ(Px(rgb32, 5, 0), CLR_INVALID);
}

TEST(BitmapCreate, MalformedRequestsFailWithoutAHandle) {
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  BITMAPINFO bi = MakeInfo(4, 4, 32);
  bi.bmiHeader.biPlanes = 0;
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  bi = MakeInfo(0, 4, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  bi = MakeInfo(4, 4, 7);
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  bi = MakeInfo(100000, 100000, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  bi = MakeInfo(4, 4, 16, BI_BITFIELDS);
  SetMasks(bi, 0xF000, 0x0F00, 0x00F0);  // 4-4-4 is not a layout we paint
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  bi = MakeInfo(4, 4, 8, BI_RLE8);
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  bi = MakeInfo(4, 4, 8);
  bi.bmiHeader.biClrUsed = 300;
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  bi.bmiHeader.biClrUsed = 0;
  bi.bmiHeader.biSize = 1000;
  EXPECT_EQ(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  // A device bitmap refused for its size, planes or depth says why.
  struct DeviceRequest {
    int width;
    UINT planes, bitCount;
  };
  for (DeviceRequest r : {DeviceRequest{-1, 1, 1}, DeviceRequest{4, 2, 1}, DeviceRequest{4, 1, 8},
                          DeviceRequest{4, 1, 7}}) {
    SetLastError(0);
    EXPECT_EQ(CreateBitmap(r.width, 4, r.planes, r.bitCount, nullptr), nullptr) << r.width << " " << r.bitCount;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << r.width << " " << r.bitCount;
  }
  EXPECT_EQ(CreateCompatibleBitmap(reinterpret_cast<HDC>(0x12345), 4, 4), nullptr);
}

TEST(BitmapCreate, DeviceBitmapsTakeWordAlignedRowsAndZeroSizeGivesTheDefault) {
  BitmapGuard keep;
  // Rows of an 8-pixel-wide monochrome bitmap occupy one WORD each.
  const uint16_t rows[3] = {0x00C3, 0x0066, 0x003C};
  HBITMAP h = keep(CreateBitmap(8, 3, 1, 1, rows));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Bmp(h).bits[0], 0xC3);
  EXPECT_EQ(Bmp(h).bits[size_t(Bmp(h).stride) * 2], 0x3C);
  EXPECT_EQ(Px(h, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(Px(h, 2, 0), RGB(0, 0, 0));
  BITMAP bm;
  DIBSECTION ds;
  EXPECT_EQ(GetBitmapObject(Bmp(h), sizeof ds, &ds), int(sizeof(BITMAP)));  // not a DIB section
  EXPECT_EQ(GetBitmapObject(Bmp(h), sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmBits, nullptr);
  EXPECT_EQ(bm.bmBitsPixel, 1);

  HBITMAP empty = CreateBitmap(0, 5, 1, 32, nullptr);
  EXPECT_EQ(empty, DefaultDCBitmap());
  EXPECT_EQ(Bmp(empty).width, 1);
  EXPECT_EQ(Bmp(empty).bpp, 1);
  EXPECT_TRUE(Bmp(empty).stock);
}

TEST(BitmapCreate, CompatibleBitmapFollowsTheDCsSelectedBitmap) {
  BitmapGuard keep;
  TestDC fresh(DefaultDCBitmap());
  HBITMAP mono = keep(CreateCompatibleBitmap(fresh, 10, 4));
  ASSERT_NE(mono, nullptr);
  EXPECT_EQ(Bmp(mono).bpp, 1);
  EXPECT_FALSE(Bmp(mono).dibSection);

  HBITMAP dib = keep(MakeDib(2, 2, 32));
  TestDC colour(dib);
  HBITMAP c = keep(CreateCompatibleBitmap(colour, 10, 4));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(Bmp(c).bpp, 32);
  EXPECT_EQ(Bmp(c).width, 10);
  // A DC holding a DIB section makes DIB sections of that format, colour table included.
  const std::vector<RGBQUAD> table = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
  TestDC pal(keep(MakeDib(2, 2, 8, table)));
  HBITMAP p = keep(CreateCompatibleBitmap(pal, 3, 3));
  EXPECT_EQ(Bmp(p).bpp, 8);
  EXPECT_TRUE(Bmp(p).dibSection);
  EXPECT_EQ(Bmp(p).colorTable, table);
  TestDC rgb565(keep(MakeDib(2, 2, 16, {}, BI_BITFIELDS)));
  EXPECT_EQ(Bmp(keep(CreateCompatibleBitmap(rgb565, 3, 3))).greenMask, 0x07E0u);
  // A DC holding a colour device bitmap makes 32-bit device bitmaps.
  TestDC ddb(keep(CreateBitmap(2, 2, 1, 24, nullptr)));
  HBITMAP d = keep(CreateCompatibleBitmap(ddb, 3, 3));
  EXPECT_EQ(Bmp(d).bpp, 32);
  EXPECT_FALSE(Bmp(d).dibSection);
  TestDC screen(dib, DCKind::Window);
  HBITMAP s = keep(CreateCompatibleBitmap(screen, 3, 3));
  EXPECT_EQ(Bmp(s).bpp, 32);
  EXPECT_EQ(CreateCompatibleBitmap(screen, 0, 3), DefaultDCBitmap());
}

TEST(BitmapPaintTarget, DirectDepthsArePaintedInPlace) {
  BitmapGuard keep;
  for (auto [bpp, compression] : {std::pair{16, BI_RGB}, {16, BI_BITFIELDS}, {24, BI_RGB}, {32, BI_RGB}}) {
    SCOPED_TRACE(bpp);
    HBITMAP h = keep(MakeDib(6, 4, bpp, {}, compression));
    BitmapObj& bmp = Bmp(h);
    QImage& img = PaintTarget(bmp);
    EXPECT_EQ(img.constBits(), bmp.bits.data());
    {
      QPainter p(&img);
      p.fillRect(2, 1, 3, 2, QColor(255, 0, 0));
    }
    CommitPaintTarget(bmp);
    EXPECT_EQ(ReadPixel(bmp, 2, 1), RGB(255, 0, 0));
    EXPECT_EQ(ReadPixel(bmp, 4, 2), RGB(255, 0, 0));
    EXPECT_EQ(ReadPixel(bmp, 5, 2), RGB(0, 0, 0));
    EXPECT_EQ(ReadPixel(bmp, 2, 3), RGB(0, 0, 0));
  }
}

TEST(BitmapPaintTarget, PaletteDepthsWriteBackTheNearestEntryAndKeepUnchangedIndexes) {
  BitmapGuard keep;
  // Entries 0 and 2 are both black: a pixel painted nothing must keep index 2.
  const std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {0, 0, 200, 0}, {0, 0, 0, 0}, {250, 250, 250, 0}};
  for (int bpp : {4, 8}) {
    SCOPED_TRACE(bpp);
    HBITMAP h = keep(MakeDib(4, 2, bpp, table));
    BitmapObj& bmp = Bmp(h);
    SetRaw(bmp, 3, 1, 2);
    QImage& img = PaintTarget(bmp);
    EXPECT_EQ(img.pixel(3, 1) & 0xFFFFFF, 0u);
    {
      QPainter p(&img);
      p.fillRect(0, 0, 2, 1, QColor(190, 10, 10));    // nearest: entry 1 (red 200)
      p.fillRect(0, 1, 1, 1, QColor(240, 255, 245));  // nearest: entry 3
    }
    CommitPaintTarget(bmp);
    EXPECT_EQ(GetRaw(bmp, 0, 0), 1u);
    EXPECT_EQ(GetRaw(bmp, 1, 0), 1u);
    EXPECT_EQ(GetRaw(bmp, 2, 0), 0u);
    EXPECT_EQ(GetRaw(bmp, 0, 1), 3u);
    EXPECT_EQ(GetRaw(bmp, 3, 1), 2u);
    // Bits changed behind the painter's back show up in the next working copy.
    SetRaw(bmp, 2, 0, 3);
    EXPECT_EQ(PaintTarget(bmp).pixel(2, 0) & 0xFFFFFF, 0xFAFAFAu);
  }
}

}  // namespace
}  // namespace win::gdi::testing
