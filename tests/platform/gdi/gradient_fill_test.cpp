#include <gtest/gtest.h>

#include "bitmap_test_support.h"
#include "platform/gdi/Gdi.h"
#include "support/Snapshot.h"

namespace win::gdi::testing {
namespace {

TRIVERTEX V(int x, int y, COLOR16 r, COLOR16 g, COLOR16 b, COLOR16 a = 0) {
  TRIVERTEX v;
  v.x = x, v.y = y, v.Red = r, v.Green = g, v.Blue = b, v.Alpha = a;
  return v;
}

TEST(GradientFill, HorizontalRectangleHasExactEndColoursAndMonotoneSteps) {
  MemDC c(12, 3);
  TRIVERTEX v[2] = {V(1, 0, 0xFF00, 0x1200, 0x0000, 0xFF00), V(11, 3, 0x0000, 0x3400, 0xFF00, 0x0000)};
  GRADIENT_RECT r{0, 1};
  ASSERT_TRUE(GradientFill(c.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(c.raw(1, y), 0xFFFF1200u) << y;  // alpha, red, green, blue of the first vertex
    EXPECT_EQ(c.raw(10, y), 0x00003400u | 0xFF) << y;
    EXPECT_EQ(c.raw(0, y), 0u);   // outside on the left
    EXPECT_EQ(c.raw(11, y), 0u);  // the right edge is outside
    for (int x = 2; x <= 10; ++x) {
      EXPECT_LE(GetRValue(c.px(x, y)), GetRValue(c.px(x - 1, y)));
      EXPECT_GE(GetBValue(c.px(x, y)), GetBValue(c.px(x - 1, y)));
      EXPECT_GE(GetGValue(c.px(x, y)), GetGValue(c.px(x - 1, y)));
      EXPECT_EQ(c.raw(x, y), c.raw(x, 0));
    }
  }
  EXPECT_LT(GetRValue(c.px(5, 0)), 255);
  EXPECT_GT(GetRValue(c.px(5, 0)), 0);
  kvtest::SnapshotIfFailed(c.bmp, "horizontal");
}

TEST(GradientFill, VerticalRectangleRunsTopToBottomWhateverTheVertexOrder) {
  MemDC c(2, 8, 24);
  TRIVERTEX v[2] = {V(0, 8, 0x0000, 0x0000, 0x0000), V(2, 0, 0x8000, 0xFF00, 0x4000)};
  GRADIENT_RECT r{0, 1};
  ASSERT_TRUE(GradientFill(c.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V));
  EXPECT_EQ(c.px(0, 0), RGB(0x80, 0xFF, 0x40));
  EXPECT_EQ(c.px(1, 7), RGB(0, 0, 0));
  for (int y = 1; y < 8; ++y) EXPECT_LT(GetGValue(c.px(0, y)), GetGValue(c.px(0, y - 1))) << y;
  // A one-pixel band shows the leading colour.
  MemDC one(1, 1);
  TRIVERTEX w[2] = {V(0, 0, 0x1100, 0x2200, 0x3300), V(1, 1, 0xFF00, 0xFF00, 0xFF00)};
  ASSERT_TRUE(GradientFill(one.dc, w, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(one.px(0, 0), RGB(0x11, 0x22, 0x33));
}

TEST(GradientFill, TriangleShowsVertexColoursAtItsCornersAndStaysInside) {
  MemDC c(12, 12);
  TRIVERTEX v[3] = {V(1, 1, 0xFF00, 0, 0), V(10, 1, 0, 0xFF00, 0), V(1, 10, 0, 0, 0xFF00)};
  GRADIENT_TRIANGLE t{0, 1, 2};
  ASSERT_TRUE(GradientFill(c.dc, v, 3, &t, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_EQ(c.px(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(c.px(10, 1), RGB(0, 255, 0));
  EXPECT_EQ(c.px(1, 10), RGB(0, 0, 255));
  EXPECT_EQ(c.raw(10, 10), 0u);  // beyond the hypotenuse
  EXPECT_EQ(c.raw(0, 0), 0u);
  const COLORREF mid = c.px(4, 4);  // inside: a mix of all three
  EXPECT_GT(GetRValue(mid), 0);
  EXPECT_GT(GetGValue(mid), 0);
  EXPECT_GT(GetBValue(mid), 0);
  EXPECT_NEAR(GetRValue(mid) + GetGValue(mid) + GetBValue(mid), 255, 3);
  kvtest::SnapshotIfFailed(c.bmp, "triangle");
}

TEST(GradientFill, ClipAndBadArgumentsAreRespected) {
  MemDC c(6, 1);
  IntersectClipRect(c.dc, 2, 0, 4, 1);
  TRIVERTEX v[2] = {V(0, 0, 0xFF00, 0xFF00, 0xFF00), V(6, 1, 0xFF00, 0xFF00, 0xFF00)};
  GRADIENT_RECT r{0, 1};
  ASSERT_TRUE(GradientFill(c.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(c.raw(1, 0), 0u);
  EXPECT_EQ(c.px(2, 0), RGB(255, 255, 255));
  EXPECT_EQ(c.raw(4, 0), 0u);

  GRADIENT_RECT bad[2] = {{0, 1}, {0, 2}};
  SelectClipRgn(c.dc, nullptr);
  EXPECT_FALSE(GradientFill(c.dc, v, 2, bad, 2, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(c.raw(0, 0), 0u);  // nothing painted, not even the valid first rectangle
  EXPECT_FALSE(GradientFill(c.dc, v, 2, &r, 1, 7));
  EXPECT_FALSE(GradientFill(c.dc, v, 2, nullptr, 1, GRADIENT_FILL_RECT_H));
  EXPECT_FALSE(GradientFill(reinterpret_cast<HDC>(0x999), v, 2, &r, 1, GRADIENT_FILL_RECT_H));
}

}  // namespace
}  // namespace win::gdi::testing
