// Legend layout arithmetic: where the box and its items go for each alignment, how many items
// are shown when they do not all fit, and how much of the chart rectangle the legend takes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "chart/ChartLegend.h"

namespace {

using chart::Integer;
using chart::LayoutLegend;
using chart::TLegendLayout;
using chart::TLegendLayoutParams;

bool Inside(const win::RECT& inner, const win::RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}
bool Overlap(const win::RECT& a, const win::RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
Integer Width(const win::RECT& r) { return r.right - r.left; }
void ExpectSame(const win::RECT& a, const win::RECT& b) {
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.right, b.right);
  EXPECT_EQ(a.bottom, b.bottom);
}
Integer Height(const win::RECT& r) { return r.bottom - r.top; }

// Text widths 30, 37, 44, ... (distinct, so a wrong item shows up in the geometry).
std::vector<Integer> Widths(int n) {
  std::vector<Integer> w(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) w[std::size_t(i)] = 30 + 7 * (i % 9);
  return w;
}

const win::RECT kChart{10, 20, 610, 420};  // 600 x 400

TLegendLayoutParams Params(chart::TLegendAlignment a) {
  TLegendLayoutParams p;
  p.Alignment = a;
  p.TopPos = 0;
  p.HorizMargin = 6;
  p.VertMargin = 3;
  p.SymbolWidth = 20;
  p.TextHeight = 13;
  return p;
}

// The checks every layout must pass: box inside the chart, items inside the box and apart,
// symbol and text inside their item, the shown items a prefix of the display order.
void CheckSound(const TLegendLayout& l, const win::RECT& chartBefore, const win::RECT& chartAfter, int count,
                bool inverted) {
  ASSERT_FALSE(l.Items.empty());
  EXPECT_TRUE(Inside(l.Box, chartBefore));
  EXPECT_FALSE(Overlap(l.Box, chartAfter)) << "the plot rectangle must not run under the legend";
  for (std::size_t i = 0; i < l.Items.size(); ++i) {
    const auto& it = l.Items[i];
    EXPECT_TRUE(Inside(it.Rect, l.Box)) << i;
    EXPECT_TRUE(Inside(it.Symbol, it.Rect)) << i;
    EXPECT_EQ(it.Item, inverted ? count - 1 - int(i) : int(i)) << "items in order";
    for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(it.Rect, l.Items[j].Rect)) << i << " " << j;
    if (i > 0) {
      const auto& prev = l.Items[i - 1];
      EXPECT_TRUE(it.Row > prev.Row || (it.Row == prev.Row && it.Rect.left > prev.Rect.left)) << i;
    }
  }
}

class LegendLayoutEachAlignment : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(LegendLayoutEachAlignment, BoxItemsAndShrunkChartRectangleAgree) {
  const auto align = chart::TLegendAlignment(std::get<0>(GetParam()));
  const int count = std::get<1>(GetParam());
  for (bool inverted : {false, true}) {
    TLegendLayoutParams p = Params(align);
    p.Inverted = inverted;
    win::RECT r = kChart;
    const TLegendLayout l = LayoutLegend(p, Widths(count), r);
    CheckSound(l, kChart, r, count, inverted);
    switch (align) {
      case chart::laLeft:
        EXPECT_EQ(l.Box.left, kChart.left + 6);
        EXPECT_EQ(r.left, l.Box.right + 6);
        EXPECT_EQ(r.top, kChart.top);
        EXPECT_EQ(r.right, kChart.right);
        break;
      case chart::laRight:
        EXPECT_EQ(l.Box.right, kChart.right - 6);
        EXPECT_EQ(r.right, l.Box.left - 6);
        EXPECT_EQ(r.left, kChart.left);
        break;
      case chart::laTop:
        EXPECT_EQ(l.Box.top, kChart.top + 3);
        EXPECT_EQ(r.top, l.Box.bottom + 3);
        EXPECT_EQ(r.bottom, kChart.bottom);
        EXPECT_LE(std::abs((l.Box.left - kChart.left) - (kChart.right - l.Box.right)), 1) << "centred across the chart";
        break;
      case chart::laBottom:
        EXPECT_EQ(l.Box.bottom, kChart.bottom - 3);
        EXPECT_EQ(r.bottom, l.Box.top - 3);
        EXPECT_EQ(r.top, kChart.top);
        break;
    }
    if (count <= 5) {
      EXPECT_EQ(int(l.Items.size()), count) << "a few items all fit";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, LegendLayoutEachAlignment,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3), ::testing::Values(1, 5, 60)));

TEST(LegendLayout, ColumnGeometryFollowsTheFontSymbolAndSpacing) {
  TLegendLayoutParams p = Params(chart::laRight);
  p.VertSpacing = 3;
  win::RECT r = kChart;
  const std::vector<Integer> w{30, 58, 41};
  const TLegendLayout l = LayoutLegend(p, w, r);
  ASSERT_EQ(l.Items.size(), 3u);
  // padding 4 + symbol 20 + gap 4 + widest text 58 + padding 4
  EXPECT_EQ(Width(l.Box), 90);
  // padding 2 + 3 rows of 13 + 2 gaps of 3 + padding 2
  EXPECT_EQ(Height(l.Box), 49);
  EXPECT_EQ(l.Box.top, kChart.top);
  EXPECT_EQ(l.Items[1].Rect.top, l.Box.top + 2 + 16);
  EXPECT_EQ(l.Items[1].Symbol.left, l.Box.left + 4);
  EXPECT_EQ(Width(l.Items[1].Symbol), 20);
  EXPECT_EQ(Height(l.Items[1].Symbol), 13);
  EXPECT_EQ(l.Items[1].Text.x, l.Box.left + 28);
  EXPECT_EQ(l.Items[1].TextWidth, 58);
  EXPECT_EQ(r.right, kChart.right - 6 - 90 - 6) << "the chart gives up the box and a margin on both sides";
}

TEST(LegendLayout, TopPosPlacesTheColumnAndMovesItUpWhenItemsWouldNotFit) {
  TLegendLayoutParams p = Params(chart::laRight);
  p.TopPos = 50;
  win::RECT r = kChart;
  TLegendLayout l = LayoutLegend(p, Widths(3), r);
  EXPECT_EQ(l.Box.top, kChart.top + 200);
  // 20 rows need 2 + 20 * 13 + 2 = 264 pixels: the box rises to end at the chart's bottom.
  r = kChart;
  l = LayoutLegend(p, Widths(20), r);
  ASSERT_EQ(l.Items.size(), 20u);
  EXPECT_EQ(l.Box.bottom, kChart.bottom);
  EXPECT_EQ(Height(l.Box), 264);
}

TEST(LegendLayout, ColumnShowsOnlyTheItemsThatFit) {
  TLegendLayoutParams p = Params(chart::laLeft);
  p.VertSpacing = 2;
  win::RECT r = kChart;
  const TLegendLayout l = LayoutLegend(p, Widths(60), r);
  // (400 - 4 + 2) / 15 = 26 rows
  ASSERT_EQ(l.Items.size(), 26u);
  EXPECT_EQ(l.Items.back().Item, 25);
  EXPECT_LE(l.Box.bottom, kChart.bottom);
  p.Inverted = true;
  r = kChart;
  const TLegendLayout inv = LayoutLegend(p, Widths(60), r);
  ASSERT_EQ(inv.Items.size(), 26u);
  EXPECT_EQ(inv.Items.front().Item, 59) << "inverted starts at the last series";
}

TEST(LegendLayout, RowsWrapAtTheChartWidth) {
  TLegendLayoutParams p = Params(chart::laTop);
  p.HorizMargin = 5;
  win::RECT r{0, 0, 400, 300};
  // Items 20 + 4 + 50 = 74 wide, 8 apart, in at most 400 - 10 - 8 = 382 pixels: 4 per row.
  const TLegendLayout l = LayoutLegend(p, std::vector<Integer>(10, 50), r);
  ASSERT_EQ(l.Items.size(), 10u);
  EXPECT_EQ(l.Rows, 3);
  EXPECT_EQ(l.Items[3].Row, 0);
  EXPECT_EQ(l.Items[4].Row, 1);
  EXPECT_EQ(l.Items[4].Rect.left, l.Items[0].Rect.left) << "each row starts at the box's left";
  EXPECT_EQ(l.Items[1].Rect.left, l.Items[0].Rect.right + 8);
  EXPECT_EQ(Width(l.Box), 4 * 74 + 3 * 8 + 8);
  EXPECT_EQ(Height(l.Box), 4 + 3 * 13);
  EXPECT_EQ(r.top, Height(l.Box) + 2 * 3);
}

TEST(LegendLayout, LegendTakesAtMostHalfTheChartAcrossItsSide) {
  // Rows below the plot: half of 100 holds (50 - 4) / 13 = 3 rows.
  win::RECT r{0, 0, 200, 100};
  TLegendLayout l = LayoutLegend(Params(chart::laBottom), Widths(60), r);
  EXPECT_EQ(l.Rows, 3);
  for (const auto& it : l.Items) EXPECT_LT(it.Row, 3);
  // A column beside it: half of 200 wide, the text keeps its full width so drawing cuts it.
  r = win::RECT{0, 0, 200, 300};
  l = LayoutLegend(Params(chart::laRight), {500}, r);
  ASSERT_EQ(l.Items.size(), 1u);
  EXPECT_EQ(Width(l.Box), 100);
  EXPECT_EQ(l.Items[0].TextWidth, 500);
  EXPECT_EQ(r.right, 200 - 6 - 100 - 6);
}

TEST(LegendLayout, CustomPositionKeepsTheChartRectangleAndShowsEveryItem) {
  for (auto align : {chart::laLeft, chart::laTop}) {
    TLegendLayoutParams p = Params(align);
    p.CustomPosition = true;
    p.CustomTopLeft = win::POINT{33, 44};
    win::RECT r = kChart;
    const TLegendLayout l = LayoutLegend(p, Widths(60), r);
    EXPECT_EQ(l.Box.left, 33);
    EXPECT_EQ(l.Box.top, 44);
    EXPECT_EQ(l.Items.size(), 60u);
    ExpectSame(r, kChart);
  }
}

TEST(LegendLayout, WithoutResizeChartTheRectangleStays) {
  for (auto align : {chart::laLeft, chart::laRight, chart::laTop, chart::laBottom}) {
    TLegendLayoutParams p = Params(align);
    p.ResizeChart = false;
    win::RECT r = kChart;
    const TLegendLayout l = LayoutLegend(p, Widths(5), r);
    EXPECT_EQ(l.Items.size(), 5u);
    ExpectSame(r, kChart);
  }
}

TEST(LegendLayout, NoItemsOrNoRoomGivesNothingAndKeepsTheRectangle) {
  for (auto align : {chart::laLeft, chart::laRight, chart::laTop, chart::laBottom}) {
    win::RECT r = kChart;
    TLegendLayout l = LayoutLegend(Params(align), {}, r);
    EXPECT_TRUE(l.Items.empty());
    EXPECT_EQ(r.right, kChart.right);
    win::RECT tiny{5, 5, 12, 9};
    l = LayoutLegend(Params(align), Widths(3), tiny);
    EXPECT_TRUE(l.Items.empty()) << align;
    ExpectSame(tiny, win::RECT{5, 5, 12, 9});
    for (win::RECT bad : {win::RECT{100, 100, 100, 100}, win::RECT{300, 300, 10, 10}}) {
      l = LayoutLegend(Params(align), Widths(3), bad);
      EXPECT_TRUE(l.Items.empty());
    }
  }
}

TEST(LegendLayout, AbsurdSettingsAreTakenAsZero) {
  TLegendLayoutParams p = Params(chart::laLeft);
  p.SymbolWidth = -50;
  p.VertSpacing = -9;
  p.HorizMargin = -4;
  win::RECT r = kChart;
  TLegendLayout l = LayoutLegend(p, {-10, 40}, r);
  ASSERT_EQ(l.Items.size(), 2u);
  EXPECT_EQ(l.Box.left, kChart.left);
  EXPECT_EQ(Width(l.Box), 4 + 0 + 4 + 40 + 4);
  EXPECT_EQ(l.Items[1].Rect.top, l.Items[0].Rect.bottom);
  EXPECT_EQ(l.Items[0].TextWidth, 0);
  // Sizes beyond any screen give no room for an item rather than wrapped-around rectangles.
  p = Params(chart::laTop);
  p.TextHeight = 2147483647;
  p.SymbolWidth = 2147483647;
  r = kChart;
  l = LayoutLegend(p, {2147483647}, r);
  EXPECT_TRUE(l.Items.empty());
  EXPECT_EQ(r.top, kChart.top);
}

}  // namespace
