// Dashed round-rectangle outlines, and drawing through origins at the ends of the int range.

#include <climits>

#include "dc_test_support.h"
#include "platform/gdi/GdiText.h"

namespace win::testing {
namespace {

TEST(GdifixRoundRect, DashedOutlineRunsClockwiseFromTheTopEdge) {
  Canvas c(60, 30);
  HPEN dash = CreatePen(PS_DASH, 1, kBlack);
  SelectObject(c.dc(), dash);
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  SetBkMode(c.dc(), TRANSPARENT);
  ASSERT_TRUE(RoundRect(c.dc(), 0, 0, 60, 30, 10, 10));
  // The top edge starts where the top-left corner's curve meets it (x = 5): 18 on, 6 off, 18 on.
  for (int x = 5; x < 23; ++x) EXPECT_EQ(c.At(x, 0), kBlack) << x;
  for (int x = 23; x < 29; ++x) EXPECT_EQ(c.At(x, 0), kWhite) << x;
  for (int x = 29; x < 47; ++x) EXPECT_EQ(c.At(x, 0), kBlack) << x;
  EXPECT_EQ(c.At(0, 0), kWhite) << "the corner is rounded off";
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(dash);
}

// True when `c` has a pixel other than white within one pixel of (x, y).
bool PaintedNear(const Canvas& c, int x, int y, int w, int h) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx >= 0 && ny >= 0 && nx < w && ny < h && c.At(nx, ny) != kWhite) return true;
    }
  return false;
}

TEST(GdifixRoundRect, DashesAndGapsTogetherFollowTheSolidOutline) {
  // With an opaque background the gaps take the background colour, so dashes and gaps together
  // trace the outline a solid pen draws (to within a pixel where the curve is stepped).
  constexpr int kW = 40, kH = 30;
  Canvas solid(kW, kH), dashed(kW, kH);
  SelectObject(solid.dc(), GetStockObject(NULL_BRUSH));
  ASSERT_TRUE(RoundRect(solid.dc(), 2, 3, 37, 27, 14, 10));
  HPEN dot = CreatePen(PS_DOT, 1, kBlack);
  SelectObject(dashed.dc(), dot);
  SelectObject(dashed.dc(), GetStockObject(NULL_BRUSH));
  SetBkMode(dashed.dc(), OPAQUE);
  SetBkColor(dashed.dc(), kRed);
  ASSERT_TRUE(RoundRect(dashed.dc(), 2, 3, 37, 27, 14, 10));
  int ink = 0, gaps = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const COLORREF d = dashed.At(x, y);
      if (d != kWhite) {
        EXPECT_TRUE(PaintedNear(solid, x, y, kW, kH)) << "stray pixel " << x << "," << y;
      }
      if (solid.At(x, y) != kWhite) {
        EXPECT_TRUE(PaintedNear(dashed, x, y, kW, kH)) << "outline lost at " << x << "," << y;
      }
      ink += d == kBlack;
      gaps += d == kRed;
    }
  // Straight edges are exact: the left edge column and the top edge row.
  for (int y = 9; y < 21; ++y) EXPECT_NE(dashed.At(2, y), kWhite) << y;
  for (int x = 9; x < 30; ++x) EXPECT_NE(dashed.At(x, 3), kWhite) << x;
  EXPECT_GT(ink, 20);
  EXPECT_GT(gaps, 20);
  SelectObject(dashed.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(dot);
}

TEST(GdifixOrigins, WindowOriginAtIntMinMapsExactlyAndNothingOverflows) {
  Canvas c(8, 8);
  ASSERT_TRUE(SetWindowOrgEx(c.dc(), INT_MIN, INT_MIN, nullptr));
  POINT org{};
  GetWindowOrgEx(c.dc(), &org);
  EXPECT_EQ(org.x, INT_MIN);
  // Logical INT_MIN is device 0.
  POINT p{INT_MIN, INT_MIN + 3};
  ASSERT_TRUE(LPtoDP(c.dc(), &p, 1));
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 3);
  ASSERT_TRUE(DPtoLP(c.dc(), &p, 1));
  EXPECT_EQ(p.x, INT_MIN);
  p = POINT{INT_MAX, 0};
  ASSERT_TRUE(LPtoDP(c.dc(), &p, 1));
  EXPECT_EQ(p.x, INT_MAX) << "saturates";
  EXPECT_EQ(SetPixel(c.dc(), INT_MIN + 2, INT_MIN + 1, kRed), kRed);
  EXPECT_EQ(c.At(2, 1), kRed);
  EXPECT_EQ(GetPixel(c.dc(), INT_MIN + 2, INT_MIN + 1), kRed);
  const RECT rc{INT_MIN + 4, INT_MIN + 4, INT_MIN + 6, INT_MIN + 6};
  EXPECT_NE(FillRect(c.dc(), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
  EXPECT_EQ(c.At(4, 4), kBlack);
  EXPECT_EQ(c.At(6, 6), kWhite);
  RECT box{};
  EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, INT_MIN);
  EXPECT_EQ(box.right, INT_MIN + 8);
  EXPECT_TRUE(PtVisible(c.dc(), INT_MIN + 7, INT_MIN));
  EXPECT_FALSE(PtVisible(c.dc(), INT_MAX, INT_MAX));

  // Every kind of call with far-off coordinates finishes without touching the canvas.
  c.Clear(kWhite);
  const int far = INT_MAX;
  MoveToEx(c.dc(), far, far, nullptr);
  LineTo(c.dc(), far - 5, far);
  Rectangle(c.dc(), far - 10, far - 10, far, far);
  Ellipse(c.dc(), far - 10, far - 10, far, far);
  RoundRect(c.dc(), far - 10, far - 10, far, far, 4, 4);
  PatBlt(c.dc(), far - 3, far - 3, 3, 3, BLACKNESS);
  BitBlt(c.dc(), far - 3, far - 3, 3, 3, c.dc(), 0, 0, SRCCOPY);
  TextOutW(c.dc(), far - 3, far - 3, u"x", 1);
  IntersectClipRect(c.dc(), far - 3, far - 3, far, far);
  ExcludeClipRect(c.dc(), INT_MIN, INT_MIN, far, far);
  EXPECT_EQ(c.CountNot(kWhite), 0);
}

TEST(GdifixOrigins, RelativeOriginMovesAndBrushOriginsSaturateOrWrapSafely) {
  Canvas c(8, 8);
  SetViewportOrgEx(c.dc(), INT_MAX - 1, 0, nullptr);
  ASSERT_TRUE(OffsetViewportOrgEx(c.dc(), 10, 0, nullptr));
  POINT org{};
  GetViewportOrgEx(c.dc(), &org);
  EXPECT_EQ(org.x, INT_MAX);
  SetWindowOrgEx(c.dc(), INT_MIN + 1, 0, nullptr);
  ASSERT_TRUE(OffsetWindowOrgEx(c.dc(), -10, 0, nullptr));
  GetWindowOrgEx(c.dc(), &org);
  EXPECT_EQ(org.x, INT_MIN);
  SetViewportOrgEx(c.dc(), 0, 0, nullptr);
  SetWindowOrgEx(c.dc(), 0, 0, nullptr);

  // A brush origin keeps its phase modulo 8 at any value: INT_MIN is a multiple of 8.
  HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, kBlack);
  SetBrushOrgEx(c.dc(), INT_MIN + 3, INT_MAX, nullptr);
  const RECT rc{0, 0, 8, 1};
  FillRect(c.dc(), &rc, hatch);
  EXPECT_EQ(c.Picture(kBlack, 8, 1), "...#....\n");
  SelectObject(c.dc(), hatch);
  PatBlt(c.dc(), 0, 2, 8, 1, PATCOPY);
  EXPECT_EQ(c.At(3, 2), kBlack);
  EXPECT_EQ(c.At(4, 2), kWhite);
  SelectObject(c.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(hatch);
}

}  // namespace
}  // namespace win::testing
