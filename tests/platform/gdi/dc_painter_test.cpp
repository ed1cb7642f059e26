// The painter contract other parts draw through: transform and clip of the DC, kept up to date.

#include "platform/gdi/detail/DCAccess.h"

#include "dc_test_support.h"

namespace win::testing {
namespace {

TEST(DcPainter, CarriesOriginsAndClipAndFollowsTheirChanges) {
  Canvas c(10, 10);
  gdi::DCObj* dc = gdi::FindDC(c.dc());
  ASSERT_NE(dc, nullptr);
  SetViewportOrgEx(c.dc(), 2, 3, nullptr);
  IntersectClipRect(c.dc(), 0, 0, 4, 4);  // device (2,3)-(6,7)
  QPainter* p = gdi::PreparePainter(*dc);
  ASSERT_NE(p, nullptr);
  p->fillRect(0, 0, 10, 10, QColor(255, 0, 0));
  EXPECT_EQ(c.At(2, 3), kRed);
  EXPECT_EQ(c.At(5, 6), kRed);
  EXPECT_EQ(c.At(6, 6), kWhite);
  EXPECT_EQ(c.At(1, 3), kWhite);
  // New clip and origin: the same painter object, updated.
  SelectClipRgn(c.dc(), nullptr);
  SetViewportOrgEx(c.dc(), 0, 0, nullptr);
  QPainter* again = gdi::PreparePainter(*dc);
  EXPECT_EQ(again, p);
  again->fillRect(8, 8, 1, 1, QColor(0, 0, 255));
  EXPECT_EQ(c.At(8, 8), kBlue);
}

TEST(DcPainter, FlushPaintingEndsThePainterAndEffectiveClipIsInSurfacePixels) {
  Canvas surface(10, 10);
  const Region visible(RECT{0, 0, 3, 3});
  HDC hdc = CreateSurfaceDC(surface.bitmap(), POINT{4, 4}, &visible);
  gdi::DCObj* dc = gdi::FindDC(hdc);
  ASSERT_NE(gdi::PreparePainter(*dc), nullptr);
  EXPECT_TRUE(dc->painter->isActive());
  gdi::FlushPainting(*gdi::FindBitmap(surface.bitmap()));
  EXPECT_FALSE(dc->painter->isActive());
  const std::optional<Region> clip = gdi::EffectiveClip(*dc);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->Bounds(), (RECT{4, 4, 7, 7}));
  DeleteDC(hdc);
  Canvas plain(2, 2);
  EXPECT_FALSE(gdi::EffectiveClip(*gdi::FindDC(plain.dc())).has_value()) << "nothing limits a plain memory DC";
}

}  // namespace
}  // namespace win::testing
