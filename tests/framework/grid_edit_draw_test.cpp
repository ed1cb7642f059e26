#include <gtest/gtest.h>

#include <set>

#include "framework/GridsInplaceEdit.h"
#include "framework/StdCtrlsEdit.h"
#include "grid_fixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

class GridEditing : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->OnSetEditText = [&](TObject*, Integer c, Integer r, const String& v) {
      sets.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
    };
  }
  bool EditorShown() { return grid->InplaceEditor() != nullptr && grid->InplaceEditor()->Visible(); }
  std::vector<std::string> sets;
};

TEST_F(GridEditing, TypingStartsTheEditorAndEnterCommitsThroughSetEditText) {
  grid->SetCells(1, 1, "old");
  Type(u"ab");
  ASSERT_TRUE(grid->EditorMode());
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(grid->InplaceEditor()->Focused());
  EXPECT_EQ(grid->InplaceEditor()->Text(), "ab");  // the first character replaced the text
  EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(1, 1));
  EXPECT_EQ(grid->Cells(1, 1), "old");             // nothing stored while typing
  Key(win::VK_RETURN);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_FALSE(EditorShown());
  EXPECT_TRUE(grid->Focused());
  EXPECT_EQ(grid->Cells(1, 1), "ab");
  EXPECT_EQ(sets, (std::vector<std::string>{"1,1=ab"}));
}

TEST_F(GridEditing, EscapeCancelsWithoutStoring) {
  grid->SetCells(1, 1, "keep");
  Key(win::VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(grid->InplaceEditor()->Text(), "keep");
  Type(u"!!");  // F2 leaves the caret at the end
  EXPECT_EQ(grid->InplaceEditor()->Text(), "keep!!");
  Key(win::VK_ESCAPE);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "keep");
  EXPECT_TRUE(sets.empty());
  // Enter opens the editor with the whole text selected: typing replaces it.
  Key(win::VK_RETURN);
  Type(u"new");
  Key(win::VK_RETURN);
  EXPECT_EQ(grid->Cells(1, 1), "new");
}

TEST_F(GridEditing, MovingAwayCommitsAndAnUnchangedTextIsNotStored) {
  std::vector<std::string> asked;
  grid->OnGetEditText = [&](TObject*, Integer c, Integer r, String& v) {
    asked.push_back(std::to_string(c) + "," + std::to_string(r));
    v += "*";
  };
  Type(u"x");
  Key(win::VK_DOWN);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  EXPECT_EQ(grid->Cells(1, 1), "x");
  Key(win::VK_F2);
  EXPECT_EQ(grid->InplaceEditor()->Text(), "*");  // the text came through OnGetEditText
  Key(win::VK_UP);
  EXPECT_EQ(sets, (std::vector<std::string>{"1,1=x"}));
  EXPECT_EQ(asked, (std::vector<std::string>{"1,1", "1,2"}));
}

TEST_F(GridEditing, NoEditorWithoutEditingOrOnRowSelect) {
  grid->SetOptions(grid->Options() - TGridOptions{goEditing});
  Type(u"q");
  Key(win::VK_F2);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor(), nullptr);
  grid->SetOptions(grid->Options() + TGridOptions{goEditing, goRowSelect});
  grid->ShowEditor();
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "");
}

TEST_F(GridEditing, TheEditorFollowsItsCellAndEndsWhenTheCellScrollsAway) {
  grid->SetRowCount(30);
  Type(u"5");
  grid->SetColWidths(0, 30);
  EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(1, 1));
  EXPECT_EQ(grid->InplaceEditor()->Left(), 31);
  grid->SetTopRow(10);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "5");
}

TEST_F(GridEditing, AlwaysShowEditorKeepsItOpenAcrossMoves) {
  grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
  form->SetActiveControl(grid);
  Pump();
  grid->SetFocus();
  Pump();
  ASSERT_TRUE(grid->EditorMode());
  Type(u"7");
  Key(win::VK_DOWN);
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  EXPECT_EQ(grid->Cells(1, 1), "7");
  Type(u"8");
  Key(win::VK_ESCAPE);  // back to the text the cell had, still editing
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->Text(), "");
}

// What is typed shows as it is typed: the first character opens the editor over the highlighted
// cell, and the grid's own painting of that cell must not cover the editor.
TEST_F(GridEditing, TheFirstTypedCharacterShowsInTheCell) {
  grid->SetColor(clWhite);
  Type(u"W");
  ASSERT_TRUE(EditorShown());
  const TRect cell = grid->CellRect(1, 1);
  const win::COLORREF highlight = win::COLORREF(ColorToRGB(clHighlight));
  int dark = 0, highlighted = 0;
  for (int y = cell.top + 1; y < cell.bottom - 1; ++y)
    for (int x = cell.left + 1; x < cell.right - 1; ++x) {
      const win::COLORREF px = desktop->screen_pixel(At(grid, x, y).x, At(grid, x, y).y);
      dark += px != win::COLORREF(clWhite) && px != highlight;
      highlighted += px == highlight;
    }
  EXPECT_GT(dark, 10);
  EXPECT_EQ(highlighted, 0);
}

// An editor that stays shown keeps what was typed when the focus goes to another control (a
// dialog's OK reads the cells then), and stays open over its cell.
TEST_F(GridEditing, FocusLeavingAnAlwaysShownEditorKeepsWhatWasTyped) {
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 250, 100, 24);
  grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
  grid->SetFocus();
  Pump();
  ASSERT_TRUE(grid->EditorMode());
  Type(u"beta");
  EXPECT_EQ(grid->Cells(1, 1), "");
  other->SetFocus();
  Pump();
  EXPECT_EQ(grid->Cells(1, 1), "beta");
  EXPECT_EQ(sets, (std::vector<std::string>{"1,1=beta"}));
  EXPECT_TRUE(EditorShown());
  // Esc back in the editor returns to what the cell holds now: the text kept.
  grid->SetFocus();
  Pump();
  Key(win::VK_ESCAPE);
  EXPECT_EQ(grid->Cells(1, 1), "beta");
}

// A grid drawing nothing of its own that records the DrawCell calls.
class RecordingGrid : public TDrawGrid {
 public:
  using TDrawGrid::TDrawGrid;
  struct Call {
    Integer col, row;
    TRect rect;
    TGridDrawState state;
  };
  std::vector<Call> calls;

 protected:
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override {
    calls.push_back(Call{ACol, ARow, ARect, AState});
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

using GridDrawing = GridTest;

TEST_F(GridDrawing, DrawCellIsCalledForTheVisibleCellsWithTheirStates) {
  auto* g = new RecordingGrid(form);
  g->SetParent(form);
  g->SetScrollBars(ssNone);
  g->SetBounds(10, 220, 200, 60);  // columns 0..3 (the last cut), rows 0..2 (the last cut)
  g->SetColCount(10);
  g->SetRowCount(10);
  form->SetActiveControl(g);
  Pump();
  g->SetSelection(TGridRect{2, 1, 3, 2});
  g->SetLeftCol(2);
  int events = 0;
  g->OnDrawCell = [&](TObject*, Integer, Integer, const TRect&, TGridDrawState) { ++events; };
  g->calls.clear();
  g->Invalidate();
  win::UpdateWindow(g->Handle());
  std::set<std::pair<int, int>> seen;
  for (auto& c : g->calls) {
    seen.emplace(c.col, c.row);
    bool fixed = c.col == 0 || c.row == 0;
    EXPECT_EQ(c.state.Contains(gdFixed), fixed) << c.col << "," << c.row;
    bool selected = !fixed && c.col >= 2 && c.col <= 3 && c.row >= 1 && c.row <= 2;
    EXPECT_EQ(c.state.Contains(gdSelected), selected) << c.col << "," << c.row;
    EXPECT_EQ(c.state.Contains(gdFocused), c.col == 2 && c.row == 1) << c.col << "," << c.row;
    EXPECT_EQ(c.rect.right - c.rect.left, 64);
  }
  std::set<std::pair<int, int>> expected;
  for (int row : {0, 1, 2})
    for (int col : {0, 2, 3, 4}) expected.emplace(col, row);
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(g->calls.size(), expected.size());
  EXPECT_EQ(events, int(expected.size()));
}

TEST_F(GridDrawing, LinesHaveTheirWidthAndColours) {
  grid->SetFixedColor(clYellow);
  grid->SetColor(clWhite);
  form->SetActiveControl(nullptr);
  grid->SetGridLineWidth(3);
  grid->Invalidate();
  Pump();
  auto px = [&](int x, int y) { return desktop->screen_pixel(At(grid, x, y).x, At(grid, x, y).y); };
  // Column 0 is [0, 64), its lines [64, 67); row 0 is [0, 24), its lines [24, 27).
  // Row 2 (no selection there) is [54, 78).
  EXPECT_EQ(px(63, 60), win::COLORREF(clYellow));
  for (int x = 64; x < 67; ++x) EXPECT_EQ(px(x, 60), win::COLORREF(clBlack)) << x;  // fixed column's line
  EXPECT_EQ(px(67, 60), win::COLORREF(clWhite));
  for (int x = 131; x < 134; ++x) EXPECT_EQ(px(x, 60), win::COLORREF(clSilver)) << x;  // data line
  EXPECT_EQ(px(134, 60), win::COLORREF(clWhite));
  for (int y = 24; y < 27; ++y) EXPECT_EQ(px(100, y), win::COLORREF(clBlack)) << y;
  for (int y = 51; y < 54; ++y) EXPECT_EQ(px(100, y), win::COLORREF(clSilver)) << y;
  EXPECT_EQ(px(100, 54), win::COLORREF(clWhite));
  // Without the options the line space takes the cells' colours.
  grid->SetOptions(TGridOptions{goFixedHorzLine, goHorzLine});
  grid->SetGridLineWidth(1);
  Pump();
  EXPECT_EQ(px(63, 60), win::COLORREF(clYellow));  // no vertical lines: no space for them either
  EXPECT_EQ(px(64, 60), win::COLORREF(clWhite));
  EXPECT_EQ(px(30, 24), win::COLORREF(clBlack));
  EXPECT_EQ(px(30, 49), win::COLORREF(clBlack));
  EXPECT_EQ(px(100, 49), win::COLORREF(clSilver));
}

TEST_F(GridDrawing, SelectedCellsAreHighlightedAndTextIsDrawn) {
  grid->SetColor(clWhite);
  grid->SetSelection(TGridRect{2, 2, 3, 2});
  form->SetActiveControl(nullptr);
  grid->SetCells(1, 3, "WWWW");
  Pump();
  auto px = [&](int x, int y) { return desktop->screen_pixel(At(grid, x, y).x, At(grid, x, y).y); };
  win::COLORREF highlight = win::COLORREF(ColorToRGB(clHighlight));
  EXPECT_EQ(px(140, 60), highlight);
  EXPECT_EQ(px(200, 60), highlight);
  EXPECT_EQ(px(100, 60), win::COLORREF(clWhite));
  // Some of the text's pixels are dark, inside the cell's left part only.
  int dark = 0;
  for (int y = 77; y < 99; ++y)
    for (int x = 65; x < 129; ++x) dark += px(x, y) != win::COLORREF(clWhite);
  EXPECT_GT(dark, 10);
  EXPECT_EQ(px(66, 76), win::COLORREF(clWhite));  // 2 pixels in from the cell's corner stay clear
}

TEST_F(GridDrawing, ColsAndRowsAreViewsOfTheCells) {
  TStringList list;
  list.SetCommaText("a,b,c");
  grid->SetRows(2, &list);
  EXPECT_EQ(grid->Cells(0, 2), "a");
  EXPECT_EQ(grid->Cells(2, 2), "c");
  EXPECT_EQ(grid->Cells(3, 2), "");
  EXPECT_EQ(grid->Cols(1)->Strings(2), "b");
  grid->Cols(4)->SetStrings(0, "top");
  EXPECT_EQ(grid->Cells(4, 0), "top");
  TObject marker;
  grid->Rows(0)->SetObjects(1, &marker);
  EXPECT_EQ(grid->Objects(1, 0), &marker);
  EXPECT_EQ(grid->Rows(2)->Add("d"), 3);  // the first empty cell
  EXPECT_EQ(grid->Cells(3, 2), "d");
  grid->Rows(2)->Add("e");
  EXPECT_THROW(grid->Rows(2)->Add("f"), EInvalidGridOperation);  // no room left
  grid->Rows(2)->Clear();
  EXPECT_EQ(grid->Rows(2)->CommaText(), ",,,,");
  EXPECT_THROW(grid->Cols(1)->Insert(0, "x"), EInvalidGridOperation);
  // Cells past a shrunk count are gone when it grows again.
  grid->SetRowCount(2);
  grid->SetRowCount(5);
  EXPECT_EQ(grid->Cols(4)->Strings(0), "top");
  EXPECT_EQ(grid->Cells(0, 2), "");
}

}  // namespace
}  // namespace fw::testing
