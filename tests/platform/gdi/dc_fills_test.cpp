// FrameRect and the region fills.

#include "dc_test_support.h"

namespace win::testing {
namespace {

TEST(DcFills, FrameRectDrawsOnePixelInsideTheRect) {
  Canvas c(6, 5);
  HBRUSH b = CreateSolidBrush(kRed);
  RECT r{1, 1, 5, 4};
  ASSERT_TRUE(FrameRect(c.dc(), &r, b));
  EXPECT_EQ(c.Picture(kRed), Rows({"......", ".####.", ".#..#.", ".####.", "......"}));
  RECT inverted{5, 4, 1, 1};
  c.Clear(kWhite);
  FrameRect(c.dc(), &inverted, b);
  EXPECT_EQ(c.CountNot(kWhite), 0) << "an inverted rect is empty";
  DeleteObject(b);
}

TEST(DcFills, SolidSpansOn24BppMatch32BppForEveryLength) {
  Canvas deep(40, 26), packed(40, 26, 24);
  HBRUSH b = CreateSolidBrush(RGB(12, 200, 77));
  for (const Canvas* c : {&deep, &packed}) {
    IntersectClipRect(c->dc(), 1, 0, 31, 26);
    for (int i = 0; i < 26; ++i) {  // lengths 1 .. 26 at shifting starts, some cut by the clip
      const RECT r{i % 4 + i / 8, i, i % 4 + i / 8 + i + 1, i + 1};
      FillRect(c->dc(), &r, b);
    }
  }
  EXPECT_GT(packed.CountNot(kWhite), 300);
  EXPECT_EQ(packed.Picture(RGB(12, 200, 77)), deep.Picture(RGB(12, 200, 77)));
  DeleteObject(b);
}

TEST(DcFills, FillRgnAndPaintRgnInLogicalUnits) {
  Canvas c(8, 8);
  SetViewportOrgEx(c.dc(), 1, 1, nullptr);
  HRGN rgn = CreateRectRgn(0, 0, 2, 2);
  HBRUSH red = CreateSolidBrush(kRed);
  ASSERT_TRUE(FillRgn(c.dc(), rgn, red));
  EXPECT_EQ(c.At(1, 1), kRed);
  EXPECT_EQ(c.At(2, 2), kRed);
  EXPECT_EQ(c.At(3, 3), kWhite);
  EXPECT_EQ(c.At(0, 0), kWhite);
  Selected blue(c.dc(), CreateSolidBrush(kBlue));
  OffsetRgn(rgn, 4, 4);
  SetROP2(c.dc(), R2_MASKPEN);  // region fills follow the mode: blue AND white = blue
  ASSERT_TRUE(PaintRgn(c.dc(), rgn));
  EXPECT_EQ(c.At(5, 5), kBlue);
  EXPECT_FALSE(FillRgn(c.dc(), nullptr, red));
  DeleteObject(rgn);
  DeleteObject(red);
}

TEST(DcFills, FrameRgnErodesByWidthAndHeight) {
  Canvas c(10, 10);
  HRGN rgn = CreateRectRgn(1, 1, 9, 9);
  HBRUSH b = CreateSolidBrush(kRed);
  ASSERT_TRUE(FrameRgn(c.dc(), rgn, b, 2, 1));
  EXPECT_EQ(c.Picture(kRed), Rows({
                                 "..........",
                                 ".########.",
                                 ".##....##.",
                                 ".##....##.",
                                 ".##....##.",
                                 ".##....##.",
                                 ".##....##.",
                                 ".##....##.",
                                 ".########.",
                                 "..........",
                             }));
  EXPECT_FALSE(FrameRgn(c.dc(), rgn, b, 0, 1));
  DeleteObject(rgn);
  DeleteObject(b);
}

}  // namespace
}  // namespace win::testing
