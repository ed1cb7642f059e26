// A window surface that changes size keeps the picture it still has room for, moves no rows
// while its buffer has room, clears the parts it gains when something reaches them, and is read
// and painted through its row stride.

#include "platform/gdi/SurfaceDC.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/Region.h"

namespace win::testing {
namespace {

// Every pixel names its place: 0x00YYXX.
uint32_t Mark(int x, int y) { return uint32_t(y << 8 | x); }

// A 32-bit top-down picture w x h, as surfaces are laid out.
BITMAPINFO SurfaceLayout(int w, int h) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  return bmi;
}

struct Surface {
  Surface(int w, int h) : width(w), height(h), stride(w) {
    BITMAPINFO bmi = SurfaceLayout(w, h);
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) bits[y * w + x] = Mark(x, y);
  }
  ~Surface() { DeleteObject(bitmap); }
  bool Resize(int w, int h) {
    void* p = nullptr;
    int bytes = 0;
    if (!ResizeSurface(bitmap, w, h, &p, &bytes)) return false;
    bits = static_cast<uint32_t*>(p);
    width = w;
    height = h;
    stride = bytes / 4;
    return true;
  }
  // A pixel as readers of the bits see it (the parts gained made black first).
  uint32_t At(int x, int y) const {
    SettleSurface(bitmap);
    return Raw(x, y);
  }
  uint32_t& Raw(int x, int y) const { return bits[y * stride + x]; }
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;
  int width, height, stride;
};

struct ResizeCase {
  int fromW, fromH, toW, toH;
};

class SurfaceResize : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(SurfaceResize, KeepsTheSharedPartAndBlackensTheRest) {
  const ResizeCase c = GetParam();
  Surface s(c.fromW, c.fromH);
  ASSERT_TRUE(s.Resize(c.toW, c.toH));
  BITMAP info{};
  ASSERT_EQ(GetObjectW(s.bitmap, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmWidth, c.toW);
  EXPECT_EQ(info.bmHeight, c.toH);
  EXPECT_EQ(info.bmWidthBytes, s.stride * 4) << "GetObject reports the rows as they lie";
  EXPECT_GE(s.stride, c.toW);
  for (int y = 0; y < c.toH; ++y)
    for (int x = 0; x < c.toW; ++x) {
      const bool kept = x < c.fromW && y < c.fromH;
      ASSERT_EQ(s.At(x, y), kept ? Mark(x, y) : 0u) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SurfaceResize,
                         ::testing::Values(ResizeCase{20, 10, 12, 6},    // narrower and lower
                                           ResizeCase{12, 6, 20, 10},    // wider and higher
                                           ResizeCase{20, 6, 12, 10},    // narrower, higher
                                           ResizeCase{12, 10, 20, 6},    // wider, lower
                                           ResizeCase{16, 8, 16, 3},     // rows only
                                           ResizeCase{16, 8, 5, 8}));    // columns only

// A run of sizes: a pixel keeps its picture only while every size so far held it; a part cut off
// and given back comes back black, whether the buffer was laid out anew or not.
TEST(SurfaceResizeRules, EachStepKeepsWhatFitEveryStepBefore) {
  const std::vector<std::pair<int, int>> steps = {
      {30, 16},  // wider and higher than the buffer: laid out anew
      {12, 6},   // within it
      {25, 14},  // within it again
      {26, 15},  // within it again
      {60, 40},  // beyond it again
      {8, 40},
      {60, 3},
  };
  Surface s(20, 10);
  int keptW = 20, keptH = 10;
  for (const auto& [w, h] : steps) {
    ASSERT_TRUE(s.Resize(w, h)) << w << "x" << h;
    keptW = std::min(keptW, w);
    keptH = std::min(keptH, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(s.At(x, y), x < keptW && y < keptH ? Mark(x, y) : 0u) << w << "x" << h << " at " << x << "," << y;
  }
}

TEST(SurfaceResizeRules, ShrinkingAndGrowingBackMovesNoRowsAndAllocatesNothing) {
  Surface s(40, 30);
  const uint32_t* before = s.bits;
  ASSERT_TRUE(s.Resize(20, 10));
  EXPECT_EQ(s.bits, before);
  EXPECT_EQ(s.stride, 40) << "the rows stay where they were";
  ASSERT_TRUE(s.Resize(40, 30));
  EXPECT_EQ(s.bits, before) << "the buffer was large enough";
  EXPECT_EQ(s.At(19, 9), Mark(19, 9));
  EXPECT_EQ(s.At(20, 9), 0u);
  EXPECT_EQ(s.At(39, 29), 0u);
}

TEST(SurfaceResizeRules, GrowingPastTheBufferLeavesRoomForTheNextSteps) {
  Surface s(100, 50);
  ASSERT_TRUE(s.Resize(110, 55));
  EXPECT_GE(s.stride, 150) << "rows grow by half at least";
  const uint32_t* grown = s.bits;
  for (int w = 111; w <= 150; w += 13) {
    ASSERT_TRUE(s.Resize(w, 55 + (w - 110) / 2));
    EXPECT_EQ(s.bits, grown) << w;
  }
  EXPECT_EQ(s.At(99, 49), Mark(99, 49));
}

// Kept only while it is a fair share of the buffer: a window left much smaller gives the memory
// back (and keeps its picture), one a little smaller keeps its rows where they are.
TEST(SurfaceResizeRules, AFarSmallerSurfaceIsLaidOutTightlyAgain) {
  Surface s(1000, 500);
  ASSERT_TRUE(s.Resize(600, 400));
  EXPECT_EQ(s.stride, 1000);
  ASSERT_TRUE(s.Resize(100, 50));
  EXPECT_EQ(s.stride, 100);
  BITMAP info{};
  ASSERT_EQ(GetObjectW(s.bitmap, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmWidthBytes, 400);
  for (int y = 0; y < 50; y += 7)
    for (int x = 0; x < 100; x += 9) ASSERT_EQ(s.At(x, y), Mark(x, y)) << x << "," << y;
}

TEST(SurfaceResizeRules, RefusesWhileADCPaintsOnItAndForOtherDepths) {
  Surface s(8, 8);
  HDC dc = CreateSurfaceDC(s.bitmap, POINT{0, 0}, nullptr);
  EXPECT_FALSE(s.Resize(4, 4));
  DeleteDC(dc);
  EXPECT_TRUE(s.Resize(4, 4));
  EXPECT_FALSE(s.Resize(0, 4));
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
  EXPECT_FALSE(ResizeSurface(mono, 4, 4, nullptr, nullptr));
  DeleteObject(mono);
}

// After narrowing, the rows lie wider apart than the width: every way of reading and painting
// the surface must still find each pixel in its place.
class NarrowedSurface : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(s.Resize(kW, kH));
    ASSERT_GT(s.stride, kW);
  }
  static constexpr int kW = 25, kH = 20;
  Surface s{40, 30};
};

TEST_F(NarrowedSurface, PixelsAndBlitsReadThroughTheStride) {
  HDC dc = CreateSurfaceDC(s.bitmap, POINT{0, 0}, nullptr);
  EXPECT_EQ(GetPixel(dc, 24, 19), RGB(0, 19, 24));
  EXPECT_EQ(GetPixel(dc, 3, 7), RGB(0, 7, 3));
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(dc, kW, kH);
  HGDIOBJ old = SelectObject(mem, copy);
  ASSERT_TRUE(BitBlt(mem, 0, 0, kW, kH, dc, 0, 0, SRCCOPY));
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) ASSERT_EQ(GetPixel(mem, x, y), RGB(0, y, x)) << x << "," << y;
  SelectObject(mem, old);
  DeleteObject(copy);
  DeleteDC(mem);
  DeleteDC(dc);

  BITMAPINFO bi = SurfaceLayout(kW, kH);
  std::vector<uint32_t> rows(size_t(kW) * kH);
  HDC screen = CreateCompatibleDC(nullptr);
  ASSERT_EQ(GetDIBits(screen, s.bitmap, 0, kH, rows.data(), &bi, DIB_RGB_COLORS), kH);
  DeleteDC(screen);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) ASSERT_EQ(rows[size_t(y * kW + x)] & 0xFFFFFFu, Mark(x, y)) << x << "," << y;
}

TEST_F(NarrowedSurface, PaintingLandsWhereItIsMeant) {
  HDC dc = CreateSurfaceDC(s.bitmap, POINT{0, 0}, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT box{20, 4, 25, 9};  // up to the last column
  FillRect(dc, &box, red);
  DeleteObject(red);
  DeleteDC(dc);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      ASSERT_EQ(s.At(x, y) & 0xFFFFFFu, inside ? 0xFF0000u : Mark(x, y)) << x << "," << y;
    }
}

// The parts a resize gains are cleared only where something reaches them: a DC clears what its
// visible region covers and nothing else, so what it paints there is never cleared afterwards.
TEST(SurfaceResizeRules, ADCClearsTheNewPartsItReachesAndNoMore) {
  Surface s(20, 10);
  ASSERT_TRUE(s.Resize(40, 30));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (x >= 20 || y >= 10) s.Raw(x, y) = 0xABCDEF;  // what an old picture left there
  const RECT reach{30, 0, 40, 30};  // DC coordinates, origin (0, 0)
  Region visible(reach);
  HDC dc = CreateSurfaceDC(s.bitmap, POINT{0, 0}, &visible);
  EXPECT_EQ(s.Raw(35, 5), 0u);
  EXPECT_EQ(s.Raw(25, 5), 0xABCDEFu) << "out of the DC's reach: left for later";
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  const RECT all{0, 0, 40, 30};
  FillRect(dc, &all, blue);  // clipped to the visible region
  DeleteObject(blue);
  DeleteDC(dc);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const uint32_t want = x >= 30 ? 0x0000FFu : x < 20 && y < 10 ? Mark(x, y) : 0u;
      ASSERT_EQ(s.At(x, y) & 0xFFFFFFu, want) << x << "," << y;
    }
}

// Whatever reads the bitmap itself sees the new parts black: a DIB copy, and a blit whose source
// DC reaches only part of the surface.
TEST(SurfaceResizeRules, ReadersOfTheBitmapSeeTheNewPartsBlack) {
  Surface s(10, 4);
  ASSERT_TRUE(s.Resize(12, 6));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 12; ++x)
      if (x >= 10 || y >= 4) s.Raw(x, y) = 0xABCDEF;
  const auto expected = [](int x, int y) { return x < 10 && y < 4 ? Mark(x, y) : 0u; };
  Region corner(RECT{0, 0, 2, 2});
  HDC dc = CreateSurfaceDC(s.bitmap, POINT{0, 0}, &corner);
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP copy = CreateCompatibleBitmap(dc, 12, 6);
  HGDIOBJ old = SelectObject(mem, copy);
  ASSERT_TRUE(BitBlt(mem, 0, 0, 12, 6, dc, 0, 0, SRCCOPY));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(GetPixel(mem, x, y), RGB(0, expected(x, y) >> 8, expected(x, y) & 0xFF)) << x << "," << y;
  SelectObject(mem, old);
  DeleteObject(copy);
  DeleteDC(dc);

  ASSERT_TRUE(s.Resize(14, 7));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 14; ++x)
      if (x >= 12 || y >= 6) s.Raw(x, y) = 0xABCDEF;
  BITMAPINFO bi = SurfaceLayout(14, 7);
  std::vector<uint32_t> rows(14 * 7);
  ASSERT_EQ(GetDIBits(mem, s.bitmap, 0, 7, rows.data(), &bi, DIB_RGB_COLORS), 7);
  DeleteDC(mem);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 14; ++x) ASSERT_EQ(rows[size_t(y * 14 + x)] & 0xFFFFFFu, expected(x, y)) << x << "," << y;
}

// Written straight into the bitmap after a resize: all of it stays, none is cleared afterwards.
TEST(SurfaceResizeRules, DIBsWrittenAfterAResizeAreKept) {
  Surface s(10, 4);
  ASSERT_TRUE(s.Resize(12, 6));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 12; ++x)
      if (x >= 10 || y >= 4) s.Raw(x, y) = 0xABCDEF;
  BITMAPINFO bi = SurfaceLayout(12, 6);
  const std::vector<uint32_t> picture(12 * 6, 0x00123456);
  HDC mem = CreateCompatibleDC(nullptr);
  ASSERT_EQ(SetDIBits(mem, s.bitmap, 0, 6, picture.data(), &bi, DIB_RGB_COLORS), 6);
  std::vector<uint32_t> back(12 * 6);
  ASSERT_EQ(GetDIBits(mem, s.bitmap, 0, 6, back.data(), &bi, DIB_RGB_COLORS), 6);
  DeleteDC(mem);
  for (size_t i = 0; i < back.size(); ++i) ASSERT_EQ(back[i] & 0xFFFFFFu, 0x123456u) << i;
}

// A picture file holds rows as wide as the picture, not as the memory lay: read back by Qt.
TEST_F(NarrowedSurface, SavedAsABmpFileItReadsBackWhole) {
  std::vector<uint8_t> file;
  ASSERT_TRUE(SaveBmpToMemory(s.bitmap, file));
  QImage back;
  ASSERT_TRUE(back.loadFromData(file.data(), int(file.size()), "BMP"));
  ASSERT_EQ(back.width(), kW);
  ASSERT_EQ(back.height(), kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) ASSERT_EQ(back.pixel(x, y) & 0xFFFFFFu, Mark(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace win::testing
