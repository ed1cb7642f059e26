// The dock's row layout in tables: gaps, overlaps, wrapping, own rows, shrinking, stretching
// and room made for a dragged window.

#include "toolbars/TBDockRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolbars {
namespace {

enum : unsigned { kFull = 1, kStretch = 2, kDrag = 4, kInsert = 8, kHidden = 16 };

struct Bar {
  fw::Integer row, pos, len, min;
  TTBShrinkMode mode;
  unsigned flags;
};
struct Placed {
  fw::Integer row, pos, length;
};
struct Case {
  const char* name;
  fw::Integer rowSpace;
  bool oneRow;
  std::vector<Bar> bars;  // in sorted order
  std::vector<Placed> expected;
  bool dragSplitting;
};

std::vector<TDockRowBar> Build(const std::vector<Bar>& bars) {
  std::vector<TDockRowBar> out;
  for (const Bar& b : bars) {
    TDockRowBar r;
    r.DockRow = b.row;
    r.DockPos = b.pos;
    r.FullLength = b.len;
    r.MinLength = b.min;
    r.ShrinkMode = b.mode;
    r.FullSize = b.flags & kFull;
    r.Stretch = b.flags & kStretch;
    r.Dragged = b.flags & kDrag;
    r.InsertRowBefore = b.flags & kInsert;
    r.Visible = !(b.flags & kHidden);
    out.push_back(r);
  }
  return out;
}

const Case kCases[] = {
    {"overlap pushes the second window to the first one's end", 300, false,
     {{0, 0, 120, 0, tbsmNone, 0}, {0, 100, 120, 0, tbsmNone, 0}},
     {{0, 0, 120}, {0, 120, 120}}, false},
    {"a gap is kept while the row fits", 300, false,
     {{0, 0, 50, 0, tbsmNone, 0}, {0, 200, 50, 0, tbsmNone, 0}},
     {{0, 0, 50}, {0, 200, 50}}, false},
    {"a full-size window takes its row alone and the length of the dock", 300, false,
     {{0, 0, 50, 0, tbsmNone, 0}, {0, 100, 50, 0, tbsmNone, kFull}},
     {{1, 0, 50}, {0, 0, 300}}, false},
    {"a window inserted before a row gets a row of its own", 300, false,
     {{0, 0, 50, 0, tbsmNone, 0}, {0, 100, 50, 0, tbsmNone, kInsert}},
     {{1, 0, 50}, {0, 100, 50}}, false},
    {"empty rows are removed", 300, false,
     {{2, 10, 50, 0, tbsmNone, 0}, {5, 0, 40, 0, tbsmNone, 0}},
     {{0, 10, 50}, {1, 0, 40}}, false},
    {"the window that does not fit wraps and its gap is squeezed to the dock's end", 300, false,
     {{0, 0, 120, 0, tbsmNone, 0}, {0, 120, 120, 0, tbsmNone, 0}, {0, 240, 120, 0, tbsmNone, 0}},
     {{0, 0, 120}, {0, 120, 120}, {1, 180, 120}}, false},
    {"one row only: nothing wraps, the chevron window at the end shrinks", 300, true,
     {{0, 0, 120, 0, tbsmNone, 0}, {0, 120, 120, 0, tbsmNone, 0}, {0, 240, 120, 20, tbsmChevron, 0}},
     {{0, 0, 120}, {0, 120, 120}, {0, 240, 60}}, false},
    {"one row only: windows that cannot shrink are cut", 300, true,
     {{0, 0, 200, 0, tbsmNone, 0}, {0, 0, 200, 0, tbsmNone, 0}},
     {{0, 0, 200}, {0, 200, 200}}, false},
    {"a wrap window in a row of two does not shrink; the chevron window does", 300, true,
     {{0, 0, 200, 50, tbsmChevron, 0}, {0, 200, 200, 50, tbsmWrap, 0}},
     {{0, 0, 100}, {0, 100, 200}}, false},
    {"chevron windows give way to the overlap asked for", 250, false,
     {{0, 0, 150, 30, tbsmChevron, 0}, {0, 100, 150, 0, tbsmNone, 0}},
     {{0, 0, 100}, {0, 100, 150}}, false},
    {"the dragged window giving way in a shared row splits the row", 250, false,
     {{0, 0, 150, 30, tbsmChevron, kDrag}, {0, 100, 150, 0, tbsmNone, 0}},
     {{0, 0, 100}, {0, 100, 150}}, true},
    {"a stretching window at the row's end fills the dock", 300, false,
     {{0, 0, 40, 0, tbsmNone, 0}, {0, 100, 50, 0, tbsmNone, kStretch}},
     {{0, 0, 40}, {0, 40, 260}}, false},
    {"a stretching window takes the next window's gap", 300, false,
     {{0, 0, 50, 0, tbsmNone, kStretch}, {0, 200, 50, 0, tbsmNone, 0}},
     {{0, 0, 200}, {0, 200, 50}}, false},
    {"room for the dragged window comes out of earlier gaps; later windows stay", 400, false,
     {{0, 0, 100, 0, tbsmNone, 0}, {0, 150, 50, 0, tbsmNone, 0}, {0, 180, 60, 0, tbsmNone, kDrag},
      {0, 260, 20, 0, tbsmNone, 0}},
     {{0, 0, 100}, {0, 130, 50}, {0, 180, 60}, {0, 260, 20}}, false},
    {"a position below the minimum lengths before it is raised", 300, false,
     {{0, 0, 100, 60, tbsmChevron, 0}, {0, -1, 50, 0, tbsmNone, 0}},
     {{0, 0, 100}, {0, 100, 50}}, false},
    {"a hidden window keeps its row but takes no room", 300, false,
     {{0, 0, 200, 0, tbsmNone, kHidden}, {0, 0, 100, 0, tbsmNone, 0}},
     {{0, 0, 0}, {0, 0, 100}}, false},
};

class DockRowsTable : public ::testing::TestWithParam<Case> {};

TEST_P(DockRowsTable, Arranges) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.name);
  std::vector<TDockRowBar> bars = Build(c.bars);
  TDockRowsResult result = ArrangeDockRows(bars, c.rowSpace, c.oneRow);
  ASSERT_EQ(bars.size(), c.expected.size());
  for (size_t i = 0; i < bars.size(); ++i) {
    SCOPED_TRACE("window " + std::to_string(i));
    EXPECT_EQ(bars[i].Row, c.expected[i].row);
    if (!bars[i].Visible) continue;
    EXPECT_EQ(bars[i].Pos, c.expected[i].pos);
    EXPECT_EQ(bars[i].Length, c.expected[i].length);
  }
  EXPECT_EQ(result.DragSplitting, c.dragSplitting);
}

INSTANTIATE_TEST_SUITE_P(Cases, DockRowsTable, ::testing::ValuesIn(kCases));

TEST(DockRows, HighestRowCountsWrappedRows) {
  std::vector<TDockRowBar> bars = Build({{0, 0, 200, 0, tbsmNone, 0}, {0, 0, 200, 0, tbsmNone, 0},
                                         {0, 0, 200, 0, tbsmNone, 0}});
  EXPECT_EQ(ArrangeDockRows(bars, 300, false).HighestRow, 2);
  std::vector<TDockRowBar> none;
  EXPECT_EQ(ArrangeDockRows(none, 300, false).HighestRow, -1);
}

}  // namespace
}  // namespace toolbars
