// Clip regions limit every primitive; the clip queries report what can be painted.

#include "platform/gdi/SurfaceDC.h"

#include "dc_test_support.h"

namespace win::testing {
namespace {

// Draws one of each primitive over the whole canvas.
void DrawEverything(HDC dc, int w, int h) {
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, red);
  HGDIOBJ old = SelectObject(dc, red);
  Rectangle(dc, 0, 0, w, h);
  Ellipse(dc, 0, 0, w, h);
  for (int y = 0; y < h; ++y) {
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, w, y);
  }
  HPEN wide = CreatePen(PS_SOLID, 4, kBlue);
  SelectObject(dc, wide);
  MoveToEx(dc, 0, h / 2, nullptr);
  LineTo(dc, w, h / 2);
  const POINT tri[] = {{0, 0}, {w, 0}, {0, h}};
  Polygon(dc, tri, 3);
  SetPixel(dc, 0, 0, kGreen);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, old);
  DeleteObject(wide);
  DeleteObject(red);
}

TEST(DcClip, ComplexClipLimitsEveryPrimitive) {
  Canvas c(16, 16);
  HRGN clip = CreateRectRgn(2, 2, 6, 6);
  HRGN second = CreateEllipticRgn(8, 8, 16, 16);
  CombineRgn(clip, clip, second, RGN_OR);
  EXPECT_EQ(SelectClipRgn(c.dc(), clip), COMPLEXREGION);
  DrawEverything(c.dc(), 16, 16);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetClipRgn(c.dc(), probe), 1);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (!PtInRegion(probe, x, y)) {
        EXPECT_EQ(c.At(x, y), kWhite) << x << "," << y;
      } else {
        EXPECT_NE(c.At(x, y), kWhite) << x << "," << y;
      }
  DeleteObject(clip);
  DeleteObject(second);
  DeleteObject(probe);
}

TEST(DcClip, SelectClipRgnTakesACopy) {
  Canvas c(8, 8);
  HRGN rgn = CreateRectRgn(0, 0, 2, 2);
  SelectClipRgn(c.dc(), rgn);
  SetRectRgn(rgn, 0, 0, 8, 8);  // changing the region later does not change the clip
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 2, 2}));
  EXPECT_TRUE(DeleteObject(rgn));
  EXPECT_EQ(SelectClipRgn(c.dc(), nullptr), SIMPLEREGION);
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{0, 0, 8, 8}));
  HRGN probe = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(GetClipRgn(c.dc(), probe), 0) << "no clip region";
  DeleteObject(probe);
}

TEST(DcClip, IntersectAndExcludeTakeLogicalRectangles) {
  Canvas c(10, 10);
  SetWindowOrgEx(c.dc(), 10, 0, nullptr);  // logical x 10 is device 0
  EXPECT_EQ(IntersectClipRect(c.dc(), 12, 0, 18, 10), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc(), 14, 4, 16, 6), COMPLEXREGION);
  RECT box;
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{12, 0, 18, 10})) << "logical units";
  EXPECT_TRUE(PtVisible(c.dc(), 12, 0));
  EXPECT_FALSE(PtVisible(c.dc(), 14, 4));
  EXPECT_FALSE(PtVisible(c.dc(), 11, 0));
  RECT hole{14, 4, 16, 6}, edge{17, 9, 30, 30};
  EXPECT_FALSE(RectVisible(c.dc(), &hole));
  EXPECT_TRUE(RectVisible(c.dc(), &edge));
  HBRUSH b = CreateSolidBrush(kRed);
  RECT all{0, 0, 40, 40};
  FillRect(c.dc(), &all, b);
  EXPECT_EQ(c.At(2, 0), kRed);
  EXPECT_EQ(c.At(1, 0), kWhite);
  EXPECT_EQ(c.At(4, 4), kWhite);
  EXPECT_EQ(c.At(8, 9), kWhite);
  // The clip stays where it is on the device when the origin moves.
  SetWindowOrgEx(c.dc(), 0, 0, nullptr);
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{2, 0, 8, 10}));
  EXPECT_EQ(OffsetClipRgn(c.dc(), 1, 0), COMPLEXREGION);
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{3, 0, 9, 10}));
  DeleteObject(b);
}

TEST(DcClip, ExtSelectClipRgnModes) {
  Canvas c(10, 10);
  HRGN a = CreateRectRgn(0, 0, 6, 6), b = CreateRectRgn(4, 4, 10, 10);
  RECT box;
  SelectClipRgn(c.dc(), a);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_AND), SIMPLEREGION);
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{4, 4, 6, 6}));
  SelectClipRgn(c.dc(), a);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtVisible(c.dc(), 5, 5));
  EXPECT_TRUE(PtVisible(c.dc(), 5, 3));
  SelectClipRgn(c.dc(), a);
  ExtSelectClipRgn(c.dc(), b, RGN_XOR);
  EXPECT_FALSE(PtVisible(c.dc(), 5, 5));
  EXPECT_TRUE(PtVisible(c.dc(), 9, 9));
  SelectClipRgn(c.dc(), nullptr);
  ExtSelectClipRgn(c.dc(), a, RGN_DIFF);  // no clip yet: the whole device minus a
  EXPECT_FALSE(PtVisible(c.dc(), 0, 0));
  EXPECT_TRUE(PtVisible(c.dc(), 9, 0));
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), nullptr, RGN_AND), ERROR);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), a, 99), ERROR);
  DeleteObject(a);
  DeleteObject(b);
}

TEST(DcClip, EmptyClipPaintsNothing) {
  Canvas c(6, 6);
  EXPECT_EQ(IntersectClipRect(c.dc(), 2, 2, 2, 5), NULLREGION);
  DrawEverything(c.dc(), 6, 6);
  EXPECT_EQ(c.CountNot(kWhite), 0);
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc(), &box), NULLREGION);
}

TEST(DcSurface, OriginAndVisibleRegionBoundPainting) {
  Canvas surface(20, 20);
  const Region visible = Region::FromRects({{0, 0, 6, 4}, {0, 4, 3, 8}});
  HDC dc = CreateSurfaceDC(surface.bitmap(), POINT{5, 5}, &visible);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  EXPECT_FALSE(DeleteObject(surface.bitmap())) << "a surface outlives its DCs";
  DrawEverything(dc, 40, 40);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool in = visible.Contains(x - 5, y - 5);
      EXPECT_EQ(surface.At(x, y) != kWhite, in) << x << "," << y;
    }
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{0, 0, 6, 8}));
  // An application clip intersects the visible region; moving the visible region keeps it.
  IntersectClipRect(dc, 0, 0, 2, 2);
  const Region wider(RECT{0, 0, 10, 10});
  SetSurfaceDCVisible(dc, &wider);
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{0, 0, 2, 2}));
  SelectClipRgn(dc, nullptr);
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
  SetSurfaceDCVisible(dc, nullptr);
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{-5, -5, 15, 15})) << "the whole surface";
  HBITMAP other = CreateCompatibleBitmap(dc, 2, 2);
  EXPECT_EQ(SelectObject(dc, other), nullptr) << "no bitmaps in window DCs";
  DeleteObject(other);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(DcSurface, TwoDcsOnOneSurfaceTakeTurns) {
  Canvas surface(10, 10);
  HDC a = CreateSurfaceDC(surface.bitmap(), POINT{0, 0}, nullptr);
  HDC b = CreateSurfaceDC(surface.bitmap(), POINT{5, 0}, nullptr);
  HPEN wide = CreatePen(PS_SOLID, 3, kBlue);
  SelectObject(a, wide);
  SelectObject(b, wide);
  for (int i = 0; i < 3; ++i) {  // painters alternate on the same image
    MoveToEx(a, 0, 2 + 3 * i, nullptr);
    LineTo(a, 4, 2 + 3 * i);
    MoveToEx(b, 0, 2 + 3 * i, nullptr);
    LineTo(b, 4, 2 + 3 * i);
  }
  EXPECT_EQ(surface.At(1, 8), kBlue);
  EXPECT_EQ(surface.At(6, 8), kBlue);
  DeleteDC(a);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(wide));
}

TEST(DcSurface, BadSurface) {
  EXPECT_EQ(CreateSurfaceDC(nullptr, POINT{}, nullptr), nullptr);
  SetSurfaceDCVisible(nullptr, nullptr);  // ignored, no crash
}

}  // namespace
}  // namespace win::testing
