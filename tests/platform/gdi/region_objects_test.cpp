// HRGN calls: creation, combination, queries and region data.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/kernel/LastError.h"

namespace win {
namespace {

TEST(RegionObjects, CombineAllModesIntoAnyOperand) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), d = CreateRectRgn(0, 0, 0, 0);
  RECT box;
  EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
  GetRgnBox(d, &box);
  EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
  GetRgnBox(d, &box);
  EXPECT_EQ(box, (RECT{0, 0, 15, 15}));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(d, 7, 7));
  EXPECT_TRUE(PtInRegion(d, 12, 12));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(d, 12, 12));
  EXPECT_TRUE(PtInRegion(d, 2, 2));
  EXPECT_EQ(CombineRgn(d, b, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(d, b));
  EXPECT_EQ(CombineRgn(a, a, a, RGN_DIFF), NULLREGION) << "destination may be an operand";
  GetRgnBox(a, &box);
  EXPECT_EQ(box, (RECT{0, 0, 0, 0}));
  EXPECT_EQ(CombineRgn(d, a, b, 0), ERROR);
  for (HRGN r : {a, b, d}) EXPECT_TRUE(DeleteObject(r));
}

TEST(RegionObjects, CornersInAnyOrderAndExclusiveEdges) {
  HRGN r = CreateRectRgn(10, 8, 2, 3);
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{2, 3, 10, 8}));
  EXPECT_TRUE(PtInRegion(r, 9, 7));
  EXPECT_FALSE(PtInRegion(r, 10, 7));
  RECT inside{9, 7, 20, 20}, outside{10, 0, 20, 20};
  EXPECT_TRUE(RectInRegion(r, &inside));
  EXPECT_FALSE(RectInRegion(r, &outside));
  EXPECT_EQ(OffsetRgn(r, -2, -3), SIMPLEREGION);
  GetRgnBox(r, &box);
  EXPECT_EQ(box, (RECT{0, 0, 8, 5}));
  EXPECT_TRUE(SetRectRgn(r, 0, 0, 0, 5));
  EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
  DeleteObject(r);
}

TEST(RegionObjects, ShapedRegions) {
  HRGN e = CreateEllipticRgn(0, 0, 10, 10);
  RECT box;
  EXPECT_EQ(GetRgnBox(e, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
  EXPECT_FALSE(PtInRegion(e, 0, 0));
  EXPECT_TRUE(PtInRegion(e, 5, 5));
  HRGN rr = CreateRoundRectRgn(0, 0, 10, 10, 4, 4);
  EXPECT_TRUE(PtInRegion(rr, 5, 0));
  EXPECT_FALSE(PtInRegion(rr, 0, 0));
  const POINT tri[] = {{0, 0}, {10, 0}, {0, 10}};
  HRGN t = CreatePolygonRgn(tri, 3, ALTERNATE);
  EXPECT_TRUE(PtInRegion(t, 1, 1));
  EXPECT_FALSE(PtInRegion(t, 8, 8));
  EXPECT_EQ(CreatePolygonRgn(tri, 1, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(tri, 3, 7), nullptr);
  for (HRGN r : {e, rr, t}) DeleteObject(r);
}

TEST(RegionObjects, RegionDataListsTheBands) {
  HRGN r = CreateRectRgn(0, 0, 4, 2);
  HRGN s = CreateRectRgn(6, 0, 8, 4);
  CombineRgn(r, r, s, RGN_OR);
  const DWORD needed = GetRegionData(r, 0, nullptr);
  ASSERT_EQ(needed, sizeof(RGNDATAHEADER) + 3 * sizeof(RECT));
  std::vector<char> buf(needed);
  auto* data = reinterpret_cast<RGNDATA*>(buf.data());
  EXPECT_EQ(GetRegionData(r, needed - 1, data), 0u) << "too small";
  ASSERT_EQ(GetRegionData(r, needed, data), needed);
  EXPECT_EQ(data->rdh.iType, RDH_RECTANGLES);
  EXPECT_EQ(data->rdh.nCount, 3u);
  EXPECT_EQ(data->rdh.rcBound, (RECT{0, 0, 8, 4}));
  RECT rects[3];
  std::memcpy(rects, buf.data() + sizeof(RGNDATAHEADER), sizeof rects);
  EXPECT_EQ(rects[0], (RECT{0, 0, 4, 2}));
  EXPECT_EQ(rects[1], (RECT{6, 0, 8, 2}));
  EXPECT_EQ(rects[2], (RECT{6, 2, 8, 4}));
  DeleteObject(r);
  DeleteObject(s);
}

// A polygon region refused for its arguments says why.
TEST(RegionObjects, PolyPolygonRegionRefusesBadArgumentsWithInvalidParameter) {
  const POINT square[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
  const INT four[] = {4}, one[] = {1};
  struct Case {
    const POINT* points;
    const INT* counts;
    int polyCount, fillMode;
  };
  const Case cases[] = {
      {nullptr, four, 1, ALTERNATE}, {square, nullptr, 1, ALTERNATE}, {square, four, 0, ALTERNATE},
      {square, four, 1, 7},          {square, one, 1, WINDING},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(CreatePolyPolygonRgn(c.points, c.counts, c.polyCount, c.fillMode), nullptr) << &c - cases;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << &c - cases;
  }
  HRGN ok = CreatePolyPolygonRgn(square, four, 1, WINDING);
  EXPECT_NE(ok, nullptr);
  DeleteObject(ok);
}

TEST(RegionObjects, BadHandles) {
  HRGN r = CreateRectRgn(0, 0, 1, 1);
  DeleteObject(r);
  SetLastError(0);
  EXPECT_EQ(OffsetRgn(r, 1, 1), ERROR);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), ERROR);
  EXPECT_FALSE(PtInRegion(r, 0, 0));
  EXPECT_EQ(CombineRgn(r, r, r, RGN_OR), ERROR);
  EXPECT_EQ(GetRegionData(r, 0, nullptr), 0u);
  HBRUSH notARegion = CreateSolidBrush(0);
  EXPECT_EQ(GetRgnBox(reinterpret_cast<HRGN>(notARegion), &box), ERROR);
  DeleteObject(notARegion);
}

}  // namespace
}  // namespace win
