// A window surface that changes size keeps the picture it still has room for, in place.

#include "platform/gdi/SurfaceDC.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace win::testing {
namespace {

struct Surface {
  Surface(int w, int h) : width(w) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    // Every pixel names its place: 0x00YYXX.
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) bits[y * w + x] = uint32_t(y << 8 | x);
  }
  ~Surface() { DeleteObject(bitmap); }
  bool Resize(int w, int h) {
    void* p = nullptr;
    if (!ResizeSurface(bitmap, w, h, &p)) return false;
    bits = static_cast<uint32_t*>(p);
    width = w;
    return true;
  }
  uint32_t At(int x, int y) const { return bits[y * width + x]; }
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;
  int width;
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
  for (int y = 0; y < c.toH; ++y)
    for (int x = 0; x < c.toW; ++x) {
      const bool kept = x < c.fromW && y < c.fromH;
      ASSERT_EQ(s.At(x, y), kept ? uint32_t(y << 8 | x) : 0u) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SurfaceResize,
                         ::testing::Values(ResizeCase{20, 10, 12, 6},    // narrower and lower
                                           ResizeCase{12, 6, 20, 10},    // wider and higher
                                           ResizeCase{20, 6, 12, 10},    // narrower, higher
                                           ResizeCase{12, 10, 20, 6},    // wider, lower
                                           ResizeCase{16, 8, 16, 3},     // rows only
                                           ResizeCase{16, 8, 5, 8}));    // columns only

TEST(SurfaceResizeRules, ShrinkingAndGrowingBackReusesTheBuffer) {
  Surface s(40, 30);
  ASSERT_TRUE(s.Resize(20, 10));
  const uint32_t* small = s.bits;
  ASSERT_TRUE(s.Resize(40, 30));
  EXPECT_EQ(s.bits, small) << "the buffer was large enough";
  EXPECT_EQ(s.At(19, 9), uint32_t(9 << 8 | 19));
  EXPECT_EQ(s.At(20, 9), 0u);
}

TEST(SurfaceResizeRules, RefusesWhileADCPaintsOnItAndForOtherDepths) {
  Surface s(8, 8);
  HDC dc = CreateSurfaceDC(s.bitmap, POINT{0, 0}, nullptr);
  EXPECT_FALSE(s.Resize(4, 4));
  DeleteDC(dc);
  EXPECT_TRUE(s.Resize(4, 4));
  EXPECT_FALSE(s.Resize(0, 4));
  HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
  EXPECT_FALSE(ResizeSurface(mono, 4, 4, nullptr));
  DeleteObject(mono);
}

}  // namespace
}  // namespace win::testing
