// All sixteen ROP2 modes against their truth tables, for lines, shape fills and wide pens.

#include "dc_test_support.h"

namespace win::testing {
namespace {

// The mode's result for pen bits s and destination bits d, read from the code's truth table:
// R2 code - 1 has bit 3 for (s=1,d=1), bit 2 for (s=1,d=0), bit 1 for (s=0,d=1), bit 0 for (s=0,d=0).
uint32_t Expected(int rop, uint32_t s, uint32_t d) {
  const uint32_t table = uint32_t(rop - 1);
  uint32_t out = 0;
  for (int bit = 0; bit < 24; ++bit) {
    const uint32_t sb = (s >> bit) & 1, db = (d >> bit) & 1;
    out |= ((table >> (sb * 2 + db)) & 1) << bit;
  }
  return out;
}

TEST(DcRop2, TruthTableFunctionMatchesNamedModes) {
  const uint32_t s = 0x00F0F0, d = 0x00CC33;
  EXPECT_EQ(Expected(R2_BLACK, s, d), 0u);
  EXPECT_EQ(Expected(R2_WHITE, s, d), 0xFFFFFFu);
  EXPECT_EQ(Expected(R2_COPYPEN, s, d), s);
  EXPECT_EQ(Expected(R2_NOP, s, d), d);
  EXPECT_EQ(Expected(R2_XORPEN, s, d), s ^ d);
  EXPECT_EQ(Expected(R2_NOT, s, d), ~d & 0xFFFFFF);
  EXPECT_EQ(Expected(R2_MASKPEN, s, d), s & d);
  EXPECT_EQ(Expected(R2_MERGENOTPEN, s, d), (~s | d) & 0xFFFFFF);
}

const COLORREF kPen = RGB(0x3C, 0xA5, 0x0F);
const COLORREF kDest = RGB(0x5A, 0x33, 0xF0);

TEST(DcRop2, LinesAndFillsFollowEveryMode) {
  for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
    Canvas c(8, 8);
    c.Clear(kDest);
    SetROP2(c.dc(), rop);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 1, kPen));
    Selected brush(c.dc(), CreateSolidBrush(kPen));
    MoveToEx(c.dc(), 0, 0, nullptr);
    LineTo(c.dc(), 8, 0);
    Rectangle(c.dc(), 0, 2, 8, 8);  // outline by the pen, inside by the brush
    const COLORREF want = Expected(rop, kPen, kDest);
    EXPECT_EQ(c.At(3, 0), want) << "line, rop " << rop;
    EXPECT_EQ(c.At(0, 2), want) << "outline, rop " << rop;
    EXPECT_EQ(c.At(4, 5), want) << "fill, rop " << rop;
    EXPECT_EQ(c.At(3, 1), kDest) << "untouched, rop " << rop;
  }
}

TEST(DcRop2, WidePensFollowEveryMode) {
  for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
    Canvas c(12, 12);
    c.Clear(kDest);
    SetROP2(c.dc(), rop);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 5, kPen));
    MoveToEx(c.dc(), 1, 6, nullptr);
    LineTo(c.dc(), 11, 6);
    EXPECT_EQ(c.At(6, 6), Expected(rop, kPen, kDest)) << "rop " << rop;
    EXPECT_EQ(c.At(6, 0), kDest);
  }
}

TEST(DcRop2, FillRectIsAPatternCopyWhateverTheMode) {
  Canvas c(4, 4);
  c.Clear(kDest);
  SetROP2(c.dc(), R2_XORPEN);
  HBRUSH b = CreateSolidBrush(kPen);
  RECT r{0, 0, 2, 2};
  FillRect(c.dc(), &r, b);
  EXPECT_EQ(c.At(1, 1), kPen);
  EXPECT_EQ(c.At(2, 2), kDest);
  DeleteObject(b);
}

TEST(DcRop2, InvertRectAndInvertRgnFlipEveryBit) {
  Canvas c(6, 4);
  c.Clear(kDest);
  RECT r{1, 1, 3, 3};
  ASSERT_TRUE(InvertRect(c.dc(), &r));
  EXPECT_EQ(c.At(1, 1), ~kDest & 0xFFFFFF);
  EXPECT_EQ(c.At(3, 1), kDest);
  HRGN rgn = CreateRectRgn(0, 0, 2, 2);
  ASSERT_TRUE(InvertRgn(c.dc(), rgn));
  EXPECT_EQ(c.At(0, 0), ~kDest & 0xFFFFFF);
  EXPECT_EQ(c.At(1, 1), kDest) << "inverted twice";
  DeleteObject(rgn);
}

TEST(DcRop2, InvalidModeIsRefused) {
  Canvas c(2, 2);
  EXPECT_EQ(SetROP2(c.dc(), 0), 0);
  EXPECT_EQ(SetROP2(c.dc(), 17), 0);
  EXPECT_EQ(GetROP2(c.dc()), R2_COPYPEN);
  EXPECT_EQ(SetROP2(c.dc(), R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(GetROP2(c.dc()), R2_XORPEN);
}

}  // namespace
}  // namespace win::testing
