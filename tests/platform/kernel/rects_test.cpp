#include "platform/kernel/Rects.h"

#include <gtest/gtest.h>

#include <limits>

namespace win {
namespace {

RECT R(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

TEST(Rects, EmptinessAndPointHitUseHalfOpenEdges) {
  RECT rc = R(10, 20, 30, 40);
  EXPECT_FALSE(IsRectEmpty(&rc));
  EXPECT_TRUE(PtInRect(&rc, POINT{10, 20}));
  EXPECT_TRUE(PtInRect(&rc, POINT{29, 39}));
  EXPECT_FALSE(PtInRect(&rc, POINT{30, 39}));
  EXPECT_FALSE(PtInRect(&rc, POINT{29, 40}));
  EXPECT_FALSE(PtInRect(&rc, POINT{9, 25}));

  RECT zeroWidth = R(5, 5, 5, 10), inverted = R(10, 10, 0, 20), flat = R(0, 3, 10, 3);
  EXPECT_TRUE(IsRectEmpty(&zeroWidth));
  EXPECT_TRUE(IsRectEmpty(&inverted));
  EXPECT_TRUE(IsRectEmpty(&flat));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  EXPECT_FALSE(PtInRect(&zeroWidth, POINT{5, 5}));
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

TEST(Rects, SettersCopyOffsetInflateAndNullArguments) {
  RECT rc;
  ASSERT_TRUE(SetRect(&rc, 1, 2, 3, 4));
  EXPECT_EQ(rc, R(1, 2, 3, 4));
  RECT copy;
  ASSERT_TRUE(CopyRect(&copy, &rc));
  EXPECT_TRUE(EqualRect(&copy, &rc));
  ASSERT_TRUE(OffsetRect(&copy, -5, 10));
  EXPECT_EQ(copy, R(-4, 12, -2, 14));
  ASSERT_TRUE(InflateRect(&copy, 2, -1));
  EXPECT_EQ(copy, R(-6, 13, 0, 13));
  ASSERT_TRUE(SetRectEmpty(&copy));
  EXPECT_EQ(copy, R(0, 0, 0, 0));

  EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
  EXPECT_FALSE(SetRectEmpty(nullptr));
  EXPECT_FALSE(CopyRect(nullptr, &rc));
  EXPECT_FALSE(CopyRect(&rc, nullptr));
  EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
  EXPECT_FALSE(InflateRect(nullptr, 1, 1));
  EXPECT_FALSE(EqualRect(&rc, nullptr));
}

TEST(Rects, EqualRectComparesFieldsEvenForEmptyRects) {
  RECT a = R(0, 0, 0, 0), b = R(5, 5, 5, 5), c = R(0, 0, 0, 0);
  EXPECT_FALSE(EqualRect(&a, &b));
  EXPECT_TRUE(EqualRect(&a, &c));
}

TEST(Rects, IntersectOverlapTouchingDisjointAndEmpty) {
  RECT a = R(0, 0, 10, 10), b = R(5, -5, 20, 7), out = R(1, 1, 2, 2);
  ASSERT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_EQ(out, R(5, 0, 10, 7));

  // Rectangles that only share an edge have no common pixel.
  RECT touching = R(10, 0, 20, 10);
  out = R(1, 1, 2, 2);
  EXPECT_FALSE(IntersectRect(&out, &a, &touching));
  EXPECT_EQ(out, R(0, 0, 0, 0));

  RECT far = R(100, 100, 200, 200);
  out = R(1, 1, 2, 2);
  EXPECT_FALSE(IntersectRect(&out, &a, &far));
  EXPECT_EQ(out, R(0, 0, 0, 0));

  // An empty rectangle inside the other still gives no intersection.
  RECT emptyInside = R(3, 3, 3, 8);
  out = R(1, 1, 2, 2);
  EXPECT_FALSE(IntersectRect(&out, &a, &emptyInside));
  EXPECT_EQ(out, R(0, 0, 0, 0));

  // The destination may be one of the sources.
  ASSERT_TRUE(IntersectRect(&a, &a, &b));
  EXPECT_EQ(a, R(5, 0, 10, 7));
  EXPECT_FALSE(IntersectRect(nullptr, &a, &b));
}

TEST(Rects, UnionIgnoresEmptyRects) {
  RECT a = R(0, 0, 10, 10), b = R(20, 5, 30, 15), out;
  ASSERT_TRUE(UnionRect(&out, &a, &b));
  EXPECT_EQ(out, R(0, 0, 30, 15));

  // The empty rectangle lies far away but must not stretch the result.
  RECT empty = R(-100, -100, -100, 50);
  ASSERT_TRUE(UnionRect(&out, &empty, &b));
  EXPECT_EQ(out, b);
  ASSERT_TRUE(UnionRect(&out, &a, &empty));
  EXPECT_EQ(out, a);

  RECT empty2 = R(50, 50, 40, 60);
  out = R(1, 2, 3, 4);
  EXPECT_FALSE(UnionRect(&out, &empty, &empty2));
  EXPECT_EQ(out, R(0, 0, 0, 0));

  ASSERT_TRUE(UnionRect(&b, &a, &b));
  EXPECT_EQ(b, R(0, 0, 30, 15));
}

TEST(Rects, SubtractCutsOnlyFullSpans) {
  const RECT a = R(0, 0, 10, 10);
  RECT out;
  // A band across the full width at the top.
  RECT top = R(-5, -5, 15, 3);
  ASSERT_TRUE(SubtractRect(&out, &a, &top));
  EXPECT_EQ(out, R(0, 3, 10, 10));
  // At the bottom.
  RECT bottom = R(0, 6, 10, 20);
  ASSERT_TRUE(SubtractRect(&out, &a, &bottom));
  EXPECT_EQ(out, R(0, 0, 10, 6));
  // Full height at the left and at the right.
  RECT left = R(-1, 0, 4, 10), right = R(7, -3, 12, 13);
  ASSERT_TRUE(SubtractRect(&out, &a, &left));
  EXPECT_EQ(out, R(4, 0, 10, 10));
  ASSERT_TRUE(SubtractRect(&out, &a, &right));
  EXPECT_EQ(out, R(0, 0, 7, 10));
  // A hole in the middle or a band through the centre cannot be expressed: the source is kept.
  RECT hole = R(2, 2, 8, 8), middleBand = R(-1, 4, 11, 6);
  ASSERT_TRUE(SubtractRect(&out, &a, &hole));
  EXPECT_EQ(out, a);
  ASSERT_TRUE(SubtractRect(&out, &a, &middleBand));
  EXPECT_EQ(out, a);
  // Disjoint: unchanged.
  RECT far = R(50, 50, 60, 60);
  ASSERT_TRUE(SubtractRect(&out, &a, &far));
  EXPECT_EQ(out, a);
  // Covered completely: nothing left.
  RECT cover = R(-1, -1, 11, 11);
  out = R(1, 1, 2, 2);
  EXPECT_FALSE(SubtractRect(&out, &a, &cover));
  EXPECT_EQ(out, R(0, 0, 0, 0));
  // Empty source.
  RECT empty = R(3, 3, 3, 3);
  EXPECT_FALSE(SubtractRect(&out, &empty, &far));
  EXPECT_TRUE(IsRectEmpty(&out));
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(10, 3, 4), 8);   // 7.5
  EXPECT_EQ(MulDiv(-10, 3, 4), -8); // -7.5
  EXPECT_EQ(MulDiv(10, -3, 4), -8);
  EXPECT_EQ(MulDiv(10, 3, -4), -8);
  EXPECT_EQ(MulDiv(-10, -3, -4), -8);
  EXPECT_EQ(MulDiv(-10, 3, -4), 8);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);    // 2.33
  EXPECT_EQ(MulDiv(8, 1, 3), 3);    // 2.67
  EXPECT_EQ(MulDiv(-7, 1, 3), -2);
  EXPECT_EQ(MulDiv(-8, 1, 3), -3);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(0, 5, 7), 0);
  EXPECT_EQ(MulDiv(12, 96, 72), 16);
}

TEST(MulDiv, UsesWideIntermediateAndReportsFailureAsMinusOne) {
  const int maxInt = std::numeric_limits<int>::max();
  const int minInt = std::numeric_limits<int>::min();
  EXPECT_EQ(MulDiv(maxInt, maxInt, maxInt), maxInt);
  EXPECT_EQ(MulDiv(100000, 100000, 1000), 10000000);
  EXPECT_EQ(MulDiv(minInt, 1, 1), minInt);
  EXPECT_EQ(MulDiv(5, 7, 0), -1);
  EXPECT_EQ(MulDiv(maxInt, 2, 1), -1);
  EXPECT_EQ(MulDiv(minInt, -1, 1), -1);
  EXPECT_EQ(MulDiv(minInt, 2, 1), -1);
}

}  // namespace
}  // namespace win
