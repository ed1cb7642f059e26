// Character extra space: set and read per DC, kept by SaveDC, honoured by measuring and output.

#include "text_test_support.h"

#include "platform/gdi/GdiDC.h"

namespace win::testing {
namespace {

class GdifixCharExtra : public TextCanvas {};

TEST_F(GdifixCharExtra, SetReturnsThePreviousValueAndSaveDcKeepsIt) {
  EXPECT_EQ(GetTextCharacterExtra(dc_), 0);
  EXPECT_EQ(SetTextCharacterExtra(dc_, 4), 0);
  EXPECT_EQ(SetTextCharacterExtra(dc_, -2), 4);
  const int saved = SaveDC(dc_);
  SetTextCharacterExtra(dc_, 9);
  ASSERT_TRUE(RestoreDC(dc_, saved));
  EXPECT_EQ(GetTextCharacterExtra(dc_), -2);

  HDC gone = CreateCompatibleDC(nullptr);
  DeleteDC(gone);
  EXPECT_EQ(SetTextCharacterExtra(gone, 1), int(0x80000000));
  EXPECT_EQ(GetTextCharacterExtra(gone), int(0x80000000));
}

TEST_F(GdifixCharExtra, MeasuringAddsTheExtraAfterEveryCharacter) {
  SIZE size{};
  SetTextCharacterExtra(dc_, 3);
  ASSERT_TRUE(GetTextExtentPoint32W(dc_, u"Hello", 5, &size));
  EXPECT_EQ(size, (SIZE{35 + 5 * 3, 13}));
  SetTextCharacterExtra(dc_, -1);
  ASSERT_TRUE(GetTextExtentPoint32W(dc_, u"Hello", 5, &size));
  EXPECT_EQ(size.cx, 35 - 5);
  RECT calc{0, 0, 0, 0};
  SetTextCharacterExtra(dc_, 2);
  DrawTextW(dc_, u"ab", 2, &calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.right, 14 + 2 * 2);
}

TEST_F(GdifixCharExtra, OutputWidensTheCellUnlessGivenItsOwnSpacing) {
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, RGB(255, 0, 0));
  SetTextCharacterExtra(dc_, 5);
  ASSERT_TRUE(TextOutW(dc_, 0, 0, u"ab", 2));
  EXPECT_EQ(Count(kWhite), kWidth * kHeight - (14 + 2 * 5) * 13);
  EXPECT_EQ(Bounds(RGB(255, 0, 0)).right, 24);
  Clear();
  const INT dx[] = {7, 7};
  ASSERT_TRUE(ExtTextOutW(dc_, 0, 0, 0, nullptr, u"ab", 2, dx));
  EXPECT_EQ(Count(kWhite), kWidth * kHeight - 14 * 13);
}

}  // namespace
}  // namespace win::testing
