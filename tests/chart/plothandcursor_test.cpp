// The chart's hand cursor: after registration, Screen hands out a cursor of the program's own
// (not a system shape) whose picture has its hot spot on the hand.

#include <gtest/gtest.h>

#include <algorithm>

#include "chart/PlotHandCursor.h"
#include "framework/Forms.h"
#include "platform/user/messages/Cursor.h"

namespace {

TEST(PlotHandCursor, ScreenGivesTheProgramsHandPicture) {
  chart::RegisterPlotHandCursor();
  const win::HCURSOR first = fw::Screen->Cursors(chart::crPlotHand);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(win::IsSystemCursor(first));
  EXPECT_EQ(win::CursorShapeId(first), 2020);
  chart::RegisterPlotHandCursor();
  EXPECT_EQ(fw::Screen->Cursors(chart::crPlotHand), first) << "registering again keeps the handle";

  win::CursorImage image;
  ASSERT_TRUE(win::GetCursorImage(first, &image));
  ASSERT_EQ(image.argb.size(), size_t(image.width) * size_t(image.height));
  const auto at = [&](int x, int y) { return image.argb[size_t(y) * size_t(image.width) + size_t(x)]; };
  EXPECT_EQ(at(image.hotSpot.x, image.hotSpot.y), 0xFFFFFFFFu) << "the hot spot lies on the palm";
  const auto clear = std::count_if(image.argb.begin(), image.argb.end(), [](uint32_t p) { return p >> 24 == 0; });
  EXPECT_GT(size_t(clear), image.argb.size() / 2) << "the picture is a hand, not a block";
}

}  // namespace
