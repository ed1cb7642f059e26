#include <gtest/gtest.h>

#include <cstring>

#include "bitmap_test_support.h"
#include "platform/gdi/Gdi.h"

namespace win::gdi::testing {
namespace {

// Colours every depth can hold exactly, when the palette depths carry them in their table.
const COLORREF kColors[] = {RGB(0, 0, 0),   RGB(255, 255, 255), RGB(255, 0, 0),   RGB(0, 255, 0),
                            RGB(0, 0, 255), RGB(255, 255, 0),   RGB(0, 255, 255), RGB(255, 0, 255)};

std::vector<RGBQUAD> ColorsTable() {
  std::vector<RGBQUAD> t;
  for (COLORREF c : kColors) t.push_back(RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0});
  return t;
}

struct Depth {
  int bpp;
  DWORD compression;
  int colors;  // how many of kColors the depth can hold
};
const Depth kDepths[] = {{1, BI_RGB, 2},        {4, BI_RGB, 8},  {8, BI_RGB, 8}, {16, BI_RGB, 8},
                         {16, BI_BITFIELDS, 8}, {24, BI_RGB, 8}, {32, BI_RGB, 8}};

COLORREF Expected(int x, int y, int colors) {
  return kColors[(x + 3 * y) % colors];
}

TEST(DibTransfer, EveryDepthRoundTripsThroughA32BitBottomUpBuffer) {
  BitmapGuard keep;
  constexpr int W = 7, H = 5;
  for (const Depth& d : kDepths) {
    SCOPED_TRACE(::testing::Message() << d.bpp << "/" << d.compression);
    std::vector<RGBQUAD> table = ColorsTable();
    if (d.bpp == 1) table.resize(2);
    HBITMAP h = keep(MakeDib(W, H, d.bpp, d.bpp <= 8 ? table : std::vector<RGBQUAD>{}, d.compression));
    ASSERT_NE(h, nullptr);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) SetPx(h, x, y, Expected(x, y, d.colors));

    BITMAPINFO bi = MakeInfo(W, H, 32);
    std::vector<uint32_t> buf(W * H, 0xDEADBEEF);
    ASSERT_EQ(GetDIBits(nullptr, h, 0, H, buf.data(), &bi, DIB_RGB_COLORS), H);
    EXPECT_EQ(bi.bmiHeader.biSizeImage, DWORD(W * H * 4));
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const COLORREF c = Expected(x, y, d.colors);
        const uint32_t want = (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
        ASSERT_EQ(buf[size_t((H - 1 - y) * W + x)], want) << x << "," << y;  // first row is the bottom
      }

    // Back in through SetDIBits, from a top-down buffer, into a fresh bitmap of the same depth.
    HBITMAP back = keep(MakeDib(W, H, d.bpp, d.bpp <= 8 ? table : std::vector<RGBQUAD>{}, d.compression));
    std::vector<uint32_t> topDown(W * H);
    for (int y = 0; y < H; ++y) std::memcpy(&topDown[size_t(y * W)], &buf[size_t((H - 1 - y) * W)], W * 4);
    BITMAPINFO tdi = MakeInfo(W, -H, 32);
    ASSERT_EQ(SetDIBits(nullptr, back, 0, H, topDown.data(), &tdi, DIB_RGB_COLORS), H);
    EXPECT_EQ(Bmp(back).bits, Bmp(h).bits);

    // Same depth out: the raw rows come out unchanged (top-down request).
    BITMAPINFO same = MakeInfo(W, -H, d.bpp, d.compression);
    std::vector<uint8_t> raw(Bmp(h).bits.size() + 16, 0xAB);
    ASSERT_EQ(GetDIBits(nullptr, h, 0, H, raw.data(), &same, DIB_RGB_COLORS), H);
    EXPECT_TRUE(std::equal(Bmp(h).bits.begin(), Bmp(h).bits.end(), raw.begin()));
    EXPECT_EQ(raw[Bmp(h).bits.size()], 0xAB);  // nothing written past the image
    if (d.bpp <= 8) {
      for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(same.bmiColors[i], table[i]) << i;
    }
  }
}

TEST(DibTransfer, QueryCallsFillTheHeaderAndColourTable) {
  BitmapGuard keep;
  HBITMAP h = keep(MakeDib(9, 4, 16, {}, BI_BITFIELDS));
  BITMAPINFO bi{};
  bi.bmiColors[0] = RGBQUAD{1, 2, 3, 4};
  ASSERT_NE(GetDIBits(nullptr, h, 0, 0, nullptr, &bi, DIB_RGB_COLORS), 0);
  EXPECT_EQ(bi.bmiHeader.biWidth, 9);
  EXPECT_EQ(bi.bmiHeader.biHeight, 4);
  EXPECT_EQ(bi.bmiHeader.biBitCount, 16);
  EXPECT_EQ(bi.bmiHeader.biCompression, BI_BITFIELDS);
  EXPECT_EQ(bi.bmiHeader.biSizeImage, 20u * 4);
  EXPECT_EQ(bi.bmiColors[0], (RGBQUAD{1, 2, 3, 4}));  // the query writes the header only

  // A 16-bit bit-field request with zero masks gets the bitmap's masks.
  BITMAPINFO req = MakeInfo(9, 4, 16, BI_BITFIELDS);
  ASSERT_NE(GetDIBits(nullptr, h, 0, 4, nullptr, &req, DIB_RGB_COLORS), 0);
  DWORD masks[3];
  std::memcpy(masks, req.bmiColors, sizeof masks);
  EXPECT_EQ(masks[0], 0xF800u);
  EXPECT_EQ(masks[1], 0x07E0u);

  // A palette request of another depth gets a table its indexes refer to.
  HBITMAP rgb = keep(MakeDib(2, 1, 24));
  SetPx(rgb, 0, 0, RGB(255, 0, 0));
  SetPx(rgb, 1, 0, RGB(0, 0, 128));
  BITMAPINFO pal = MakeInfo(2, 1, 8);
  uint8_t idx[4] = {};
  ASSERT_EQ(GetDIBits(nullptr, rgb, 0, 1, idx, &pal, DIB_RGB_COLORS), 1);
  const RGBQUAD& a = pal.bmiColors[idx[0]];
  const RGBQUAD& b = pal.bmiColors[idx[1]];
  EXPECT_EQ((RGBQUAD{a.rgbBlue, a.rgbGreen, a.rgbRed, 0}), (RGBQUAD{0, 0, 255, 0}));
  EXPECT_EQ((RGBQUAD{b.rgbBlue, b.rgbGreen, b.rgbRed, 0}), (RGBQUAD{128, 0, 0, 0}));
}

TEST(DibTransfer, ScanRangesCountFromTheBottomOfBottomUpDibs) {
  BitmapGuard keep;
  HBITMAP h = keep(MakeDib(1, 4, 32));
  for (int y = 0; y < 4; ++y) SetRaw(Bmp(h), 0, y, uint32_t(y + 1));
  BITMAPINFO up = MakeInfo(1, 4, 32);
  uint32_t two[3] = {0, 0, 0xFFFF};
  ASSERT_EQ(GetDIBits(nullptr, h, 1, 2, two, &up, DIB_RGB_COLORS), 2);
  EXPECT_EQ(two[0], 3u);  // scan 1 = second row from the bottom
  EXPECT_EQ(two[1], 2u);
  EXPECT_EQ(two[2], 0xFFFFu);
  BITMAPINFO down = MakeInfo(1, -4, 32);
  ASSERT_EQ(GetDIBits(nullptr, h, 3, 5, two, &down, DIB_RGB_COLORS), 1);  // only one scan left
  EXPECT_EQ(two[0], 4u);

  const uint32_t in[2] = {0x10, 0x20};
  ASSERT_EQ(SetDIBits(nullptr, h, 2, 2, in, &up, DIB_RGB_COLORS), 2);
  EXPECT_EQ(GetRaw(Bmp(h), 0, 1), 0x10u);
  EXPECT_EQ(GetRaw(Bmp(h), 0, 0), 0x20u);
  EXPECT_EQ(GetRaw(Bmp(h), 0, 2), 3u);
}

TEST(DibTransfer, DeviceTransfersPlaceTheSourceRectangleFromItsLowerLeftCorner) {
  MemDC f(8, 8, 32);
  // A 4x4 bottom-up DIB: pixel value = 0x100 * column + row-from-top.
  uint32_t dib[16];
  for (int row = 0; row < 4; ++row)
    for (int x = 0; x < 4; ++x) dib[(3 - row) * 4 + x] = uint32_t(0x100 * x + row);
  BITMAPINFO bi = MakeInfo(4, 4, 32);
  // Source rectangle 2x2 at (1, 0) = the bottom two rows, columns 1 and 2.
  ASSERT_EQ(StretchDIBits(f.dc, 0, 0, 2, 2, 1, 0, 2, 2, dib, &bi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(f.raw(0, 0), 0x102u);
  EXPECT_EQ(f.raw(1, 1), 0x203u);
  ASSERT_NE(SetDIBitsToDevice(f.dc, 4, 4, 2, 2, 1, 0, 0, 4, dib, &bi, DIB_RGB_COLORS), 0);
  EXPECT_EQ(f.raw(4, 4), 0x102u);
  EXPECT_EQ(f.raw(5, 5), 0x203u);
  // A band holding scans 2 and 3 only (rows 1 and 0 from the top).
  f.setRaw(0, 6, 0x777);
  ASSERT_EQ(SetDIBitsToDevice(f.dc, 0, 4, 4, 4, 0, 0, 2, 2, dib + 8, &bi, DIB_RGB_COLORS), 2);
  EXPECT_EQ(f.raw(0, 4), 0u);      // row 0
  EXPECT_EQ(f.raw(3, 5), 0x301u);  // row 1
  EXPECT_EQ(f.raw(0, 6), 0x777u);  // scans 0/1 are not in the band: untouched
  // Top-down DIBs count from the top; stretching doubles.
  BITMAPINFO td = MakeInfo(4, -4, 32);
  ASSERT_EQ(StretchDIBits(f.dc, 0, 0, 8, 8, 0, 0, 4, 4, dib, &td, DIB_RGB_COLORS, SRCCOPY), 4);
  EXPECT_EQ(f.raw(7, 0), uint32_t(dib[3]));
  EXPECT_EQ(f.raw(0, 7), uint32_t(dib[12]));
}

TEST(DibTransfer, MonochromeDibsUseTheirColourTableAndRunLengthDibsDecode) {
  MemDC f(8, 8, 32);
  SetTextColor(f.dc, RGB(1, 2, 3));
  SetBkColor(f.dc, RGB(4, 5, 6));
  BITMAPINFO bi = MakeInfo(2, 1, 1);
  bi.bmiColors[0] = RGBQUAD{0, 0, 255, 0};
  bi.bmiColors[1] = RGBQUAD{0, 255, 0, 0};
  const uint8_t bits[4] = {0x40, 0, 0, 0};
  ASSERT_EQ(StretchDIBits(f.dc, 0, 0, 2, 1, 0, 0, 2, 1, bits, &bi, DIB_RGB_COLORS, SRCCOPY), 1);
  EXPECT_EQ(f.raw(0, 0), 0xFF0000u);
  EXPECT_EQ(f.raw(1, 0), 0x00FF00u);

  // RLE8, 4x2, bottom-up: an encoded run, an absolute run and the end marker.
  BITMAPINFO rle = MakeInfo(4, 2, 8, BI_RLE8);
  rle.bmiHeader.biClrUsed = 3;
  rle.bmiColors[0] = RGBQUAD{0, 0, 0, 0};
  rle.bmiColors[1] = RGBQUAD{0, 0, 200, 0};
  rle.bmiColors[2] = RGBQUAD{200, 0, 0, 0};
  const uint8_t enc[] = {3, 1, 1, 2, 0, 0,  // bottom row: 1 1 1 2
                         0, 3, 2, 1, 2, 0,  // top row: absolute 2 1 2 (padded)
                         0, 1};             // end of bitmap
  rle.bmiHeader.biSizeImage = sizeof enc;
  ASSERT_EQ(StretchDIBits(f.dc, 0, 0, 4, 2, 0, 0, 4, 2, enc, &rle, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(f.raw(0, 1), 0xC80000u);
  EXPECT_EQ(f.raw(3, 1), 0x0000C8u);
  EXPECT_EQ(f.raw(0, 0), 0x0000C8u);
  EXPECT_EQ(f.raw(1, 0), 0xC80000u);
  EXPECT_EQ(f.raw(3, 0), 0u);  // never written: index 0
  // RLE4 with a delta move and an odd absolute run.
  BITMAPINFO rle4 = MakeInfo(4, 2, 4, BI_RLE4);
  rle4.bmiHeader.biClrUsed = 4;
  rle4.bmiColors[0] = RGBQUAD{0, 0, 0, 0};
  rle4.bmiColors[1] = RGBQUAD{10, 0, 0, 0};
  rle4.bmiColors[2] = RGBQUAD{20, 0, 0, 0};
  rle4.bmiColors[3] = RGBQUAD{30, 0, 0, 0};
  const uint8_t enc4[] = {4, 0x12, 0,    0,            // bottom row: 1 2 1 2
                          0, 2,    2,    0,            // delta: two to the right on the top row
                          0, 3,    0x31, 0x20, 0, 1};  // absolute 3 1 2 (clipped at 4), end
  rle4.bmiHeader.biSizeImage = sizeof enc4;
  MemDC g(4, 2, 32);
  ASSERT_EQ(StretchDIBits(g.dc, 0, 0, 4, 2, 0, 0, 4, 2, enc4, &rle4, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(g.raw(0, 1), 10u);
  EXPECT_EQ(g.raw(1, 1), 20u);
  EXPECT_EQ(g.raw(3, 1), 20u);
  EXPECT_EQ(g.raw(1, 0), 0u);
  EXPECT_EQ(g.raw(2, 0), 30u);
  EXPECT_EQ(g.raw(3, 0), 10u);
  // Truncated run-length data fails instead of reading past its end.
  rle.bmiHeader.biSizeImage = 7;
  EXPECT_EQ(StretchDIBits(f.dc, 0, 0, 4, 2, 0, 0, 4, 2, enc, &rle, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(DibTransfer, BadArgumentsFail) {
  BitmapGuard keep;
  HBITMAP h = keep(MakeDib(2, 2, 32));
  BITMAPINFO bi = MakeInfo(2, 2, 32);
  uint32_t buf[4];
  EXPECT_EQ(GetDIBits(nullptr, h, 0, 2, buf, nullptr, DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(nullptr, h, 0, 2, buf, &bi, DIB_PAL_COLORS), 0);
  EXPECT_EQ(GetDIBits(nullptr, reinterpret_cast<HBITMAP>(0x4242), 0, 2, buf, &bi, DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(reinterpret_cast<HDC>(0x4242), h, 0, 2, buf, &bi, DIB_RGB_COLORS), 0);
  BITMAPINFO rle = MakeInfo(2, 2, 8, BI_RLE8);
  EXPECT_EQ(GetDIBits(nullptr, h, 0, 2, buf, &rle, DIB_RGB_COLORS), 0);
  EXPECT_EQ(SetDIBits(nullptr, h, 0, 2, nullptr, &bi, DIB_RGB_COLORS), 0);
  EXPECT_EQ(
      StretchDIBits(reinterpret_cast<HDC>(0x4242), 0, 0, 2, 2, 0, 0, 2, 2, buf, &bi, DIB_RGB_COLORS, SRCCOPY),
      0);
}

}  // namespace
}  // namespace win::gdi::testing
