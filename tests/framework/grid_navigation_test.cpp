#include <gtest/gtest.h>

#include "framework/StdCtrlsEdit.h"
#include "grid_fixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/ScrollBar.h"

namespace fw::testing {
namespace {

using GridNavigation = GridTest;

TEST_F(GridNavigation, DefaultLayoutPlacesCellsAfterTheirLines) {
  // 64 x 24 cells, each followed by a one-pixel line that belongs to it.
  EXPECT_EQ(grid->CellRect(0, 0), (TRect{0, 0, 64, 24}));
  EXPECT_EQ(grid->CellRect(1, 1), (TRect{65, 25, 129, 49}));
  EXPECT_EQ(grid->MouseCoord(64, 24), (TGridCoord{0, 0}));
  EXPECT_EQ(grid->MouseCoord(65, 25), (TGridCoord{1, 1}));
  // Five columns end at 325: the last one is cut at the client edge and not wholly visible.
  EXPECT_EQ(grid->CellRect(4, 1), (TRect{260, 25, 300, 49}));
  EXPECT_EQ(grid->VisibleColCount(), 3);
  EXPECT_EQ(grid->MouseCoord(299, 130), (TGridCoord{-1, -1}));  // below the fifth row
  grid->SetGridLineWidth(3);
  grid->SetColWidths(1, 10);
  EXPECT_EQ(grid->CellRect(2, 0), (TRect{67 + 13, 0, 67 + 13 + 64, 24}));
}

TEST_F(GridNavigation, CellsOutOfRangeAreRefused) {
  auto expectRefused = [](auto&& call) {
    try {
      call();
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGridOperation& e) {
      EXPECT_STREQ(e.what(), "Grid index out of range");
    }
  };
  expectRefused([&] { (void)grid->Cells(5, 0); });
  expectRefused([&] { grid->SetCells(0, -1, "x"); });
  expectRefused([&] { (void)grid->Objects(0, 5); });
  expectRefused([&] { grid->SetColWidths(5, 10); });
  expectRefused([&] { (void)grid->RowHeights(-1); });
  expectRefused([&] { grid->SetCol(5); });
  expectRefused([&] { grid->SetRow(0); });  // fixed rows are not selectable
  expectRefused([&] { grid->SetCol(0); });
  expectRefused([&] { grid->MoveColumn(1, 7); });
  expectRefused([&] { (void)grid->Rows(5); });
  expectRefused([&] { grid->SetSelection(TGridRect{0, 1, 2, 2}); });
  EXPECT_THROW(grid->SetFixedCols(5), EInvalidGridOperation);
  EXPECT_THROW(grid->SetRowCount(0x10000000), EInvalidGridOperation);
  EXPECT_EQ(grid->CellRect(9, 9), TRect{});
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(GridNavigation, ShrinkingCountsKeepFixedCellsBelowThemAndTheCurrentCellInside) {
  grid->SetRow(4);
  grid->SetCol(3);
  grid->SetRowCount(3);
  EXPECT_EQ(Current(), (TGridCoord{3, 2}));
  grid->SetColCount(1);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->Col(), 0);
  grid->SetRowCount(-5);
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(grid->FixedRows(), 0);
}

TEST_F(GridNavigation, ArrowsHomeEndMoveTheCurrentCellWithinTheScrollableCells) {
  Key(win::VK_RIGHT);
  Key(win::VK_DOWN);
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  Key(win::VK_END);
  EXPECT_EQ(Current(), (TGridCoord{4, 2}));
  Key(win::VK_RIGHT);  // stays at the edge
  EXPECT_EQ(Current(), (TGridCoord{4, 2}));
  Key(win::VK_HOME);
  EXPECT_EQ(Current(), (TGridCoord{1, 2}));
  Key(win::VK_LEFT);  // the fixed column cannot be entered
  Key(win::VK_UP);
  Key(win::VK_UP);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  Key(win::VK_END, {win::VK_CONTROL});
  EXPECT_EQ(Current(), (TGridCoord{4, 4}));
  Key(win::VK_HOME, {win::VK_CONTROL});
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(GridNavigation, SelectCellCanRefuseAMove) {
  std::vector<std::pair<int, int>> asked;
  grid->OnSelectCell = [&](TObject*, Integer c, Integer r, bool& can) {
    asked.emplace_back(c, r);
    can = c != 3;
  };
  Key(win::VK_RIGHT);
  Key(win::VK_RIGHT);
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
  Key(win::VK_DOWN);
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 1}, {3, 1}, {2, 2}}));
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 2}));
  grid->SetCol(3);
  EXPECT_EQ(grid->Col(), 2);
}

TEST_F(GridNavigation, TabWalksTheCellsOnlyWithTabsOption) {
  grid->SetColCount(3);
  Key(win::VK_TAB);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));  // without goTabs the grid leaves Tab alone
  grid->SetOptions(grid->Options() + TGridOptions{goTabs});
  form->SetActiveControl(grid);
  Pump();
  grid->OnSelectCell = [&](TObject*, Integer c, Integer r, bool& can) { can = !(c == 1 && r == 2); };
  Key(win::VK_TAB);
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
  Key(win::VK_TAB);  // next row's first cell is refused: passed over
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  Key(win::VK_TAB, {win::VK_SHIFT});
  EXPECT_EQ(Current(), (TGridCoord{2, 1}));
  grid->SetRow(4);
  grid->SetCol(2);
  Key(win::VK_TAB);  // round from the last cell to the first
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(GridNavigation, ShiftArrowsExtendTheSelectionOnlyWithRangeSelect) {
  Key(win::VK_RIGHT, {win::VK_SHIFT});
  Key(win::VK_DOWN, {win::VK_SHIFT});
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2}));
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  Key(win::VK_LEFT);  // a plain move collapses it
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 1, 2}));
  grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
  Key(win::VK_RIGHT, {win::VK_SHIFT});
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 2}));
  grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 4, 2}));
}

TEST_F(GridNavigation, ClickSelectsAndDragExtendsWithRangeSelect) {
  Click(65 + 70, 25 + 30);  // column 2, row 2
  EXPECT_EQ(Current(), (TGridCoord{2, 2}));
  desktop->mouse_down(At(grid, 70, 30));  // (1, 1)
  desktop->mouse_move(At(grid, 200, 80));  // (3, 3)
  Pump();
  EXPECT_EQ(grid->GridState(), gsSelecting);
  desktop->mouse_up(At(grid, 200, 80));
  Pump();
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 3}));
  EXPECT_EQ(grid->GridState(), gsNormal);
  Click(70, 105, {win::VK_SHIFT});  // (1, 4): Shift+click extends from the anchor
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 4}));
  // Fixed cells do not take the current cell.
  Click(10, 60);
  Click(100, 10);
  EXPECT_EQ(Current(), (TGridCoord{1, 4}));
}

// Every button takes the focus from another control (the keys after a context menu go to the
// grid); only the left one moves the current cell.
TEST_F(GridNavigation, AnyButtonTakesTheFocusOnlyTheLeftOneSelects) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 250, 100, 20);
  for (int button : {1, 2, 0}) {
    SCOPED_TRACE(button);
    edit->SetFocus();
    Pump();
    ASSERT_TRUE(edit->Focused());
    desktop->click(At(grid, 65 + 70, 25 + 30), button);  // (2, 2)
    Pump();
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(Current(), button == 0 ? (TGridCoord{2, 2}) : (TGridCoord{1, 1}));
  }
}

TEST_F(GridNavigation, DraggingAFixedLineSizesColumnsAndRowsOnlyWithTheOption) {
  desktop->mouse_down(At(grid, 129, 10));  // the line after column 1, in the fixed row
  desktop->mouse_move(At(grid, 150, 10));
  desktop->mouse_up(At(grid, 150, 10));
  Pump();
  EXPECT_EQ(grid->ColWidths(1), 64);  // no goColSizing: that was a click on a fixed cell
  grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing});
  desktop->mouse_down(At(grid, 129, 10));
  desktop->mouse_move(At(grid, 160, 12));
  Pump();
  EXPECT_EQ(grid->GridState(), gsColSizing);
  desktop->mouse_up(At(grid, 160, 12));
  Pump();
  EXPECT_EQ(grid->ColWidths(1), 160 - 65);
  EXPECT_EQ(grid->ColWidths(2), 64);
  EXPECT_EQ(grid->CellRect(2, 1).left, 161);
  desktop->mouse_down(At(grid, 20, 49));  // the line below row 1, in the fixed column
  desktop->mouse_move(At(grid, 20, 35));
  desktop->mouse_up(At(grid, 20, 35));
  Pump();
  EXPECT_EQ(grid->RowHeights(1), 10);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(GridNavigation, DraggingAFixedCellMovesColumnsWithColMoving) {
  grid->SetOptions(grid->Options() + TGridOptions{goColMoving});
  for (int c = 0; c < 5; ++c) grid->SetCells(c, 1, std::string(1, char('a' + c)));
  grid->SetColWidths(1, 40);
  std::vector<std::pair<int, int>> moves;
  grid->OnColumnMoved = [&](TObject*, Integer from, Integer to) { moves.emplace_back(from, to); };
  desktop->mouse_down(At(grid, 20 + 41 + 10, 10));  // header of column 1 (starts at 65)
  desktop->mouse_move(At(grid, 200, 10));
  desktop->mouse_up(At(grid, 200, 10));  // column 3 (from 65 + 41 + 65 = 171)
  Pump();
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 3}}));
  EXPECT_EQ(grid->Rows(1)->CommaText(), "a,c,d,b,e");
  EXPECT_EQ(grid->ColWidths(3), 40);
  EXPECT_EQ(grid->ColWidths(1), 64);
}

TEST_F(GridNavigation, MovingDownKeepsTheCurrentRowInView) {
  grid->SetRowCount(100);
  int changes = 0;
  grid->OnTopLeftChanged = [&](TObject*) { ++changes; };
  EXPECT_EQ(grid->VisibleRowCount(), 7);  // (200 - 25) / 25
  for (int i = 0; i < 9; ++i) Key(win::VK_DOWN);
  EXPECT_EQ(grid->Row(), 10);
  EXPECT_EQ(grid->TopRow(), 4);  // rows 4..10 fill the view
  EXPECT_EQ(changes, 3);
  Key(win::VK_NEXT);
  EXPECT_EQ(grid->Row(), 17);
  EXPECT_GE(grid->Row(), grid->TopRow());
  EXPECT_LT(grid->Row(), grid->TopRow() + grid->VisibleRowCount());
  Key(win::VK_END, {win::VK_CONTROL});
  EXPECT_EQ(grid->Row(), 99);
  EXPECT_EQ(grid->TopRow(), 93);  // the last rows end flush with the bottom, no further
  grid->SetTopRow(500);
  EXPECT_EQ(grid->TopRow(), 93);
  Key(win::VK_HOME, {win::VK_CONTROL});
  EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridNavigation, ScrollBarsFollowTheTopRowAndThumbTrackingIsOptional) {
  grid->SetScrollBars(ssVertical);
  grid->SetRowCount(50);
  Pump();
  win::HWND h = grid->Handle();
  win::SCROLLINFO si;
  si.fMask = win::SIF_ALL;
  ASSERT_TRUE(win::GetScrollInfo(h, win::SB_VERT, &si));
  EXPECT_EQ(si.nMin, 1);
  EXPECT_EQ(si.nMax, 49);
  EXPECT_EQ(si.nPos, 1);
  win::SendMessageW(h, win::WM_VSCROLL, win::MAKEWPARAM(win::SB_LINEDOWN, 0), 0);
  EXPECT_EQ(grid->TopRow(), 2);
  EXPECT_EQ(win::GetScrollPos(h, win::SB_VERT), 2);
  win::SendMessageW(h, win::WM_VSCROLL, win::MAKEWPARAM(win::SB_THUMBTRACK, 20), 0);
  EXPECT_EQ(grid->TopRow(), 2);
  win::SendMessageW(h, win::WM_VSCROLL, win::MAKEWPARAM(win::SB_THUMBPOSITION, 20), 0);
  EXPECT_EQ(grid->TopRow(), 20);
  grid->SetOptions(grid->Options() + TGridOptions{goThumbTracking});
  win::SendMessageW(h, win::WM_VSCROLL, win::MAKEWPARAM(win::SB_THUMBTRACK, 30), 0);
  EXPECT_EQ(grid->TopRow(), 30);
  win::SendMessageW(h, win::WM_VSCROLL, win::MAKEWPARAM(win::SB_BOTTOM, 0), 0);
  EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount());
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));  // scrolling leaves the current cell
  // A grid whose rows all fit has no bar to scroll.
  grid->SetRowCount(3);
  EXPECT_EQ(grid->TopRow(), 1);
  win::SendMessageW(h, win::WM_VSCROLL, win::MAKEWPARAM(win::SB_LINEDOWN, 0), 0);
  EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridNavigation, DraggingPastTheEdgeScrollsOnTheTimer) {
  grid->SetRowCount(40);
  desktop->mouse_down(At(grid, 70, 30));
  desktop->mouse_move(At(grid, 70, 260));  // below the grid
  Pump();
  EXPECT_EQ(grid->TopRow(), 1);
  Step(60);
  Step(60);
  Step(60);
  EXPECT_EQ(grid->TopRow(), 4);
  TGridRect sel = grid->Selection();
  EXPECT_EQ(sel.Top, 1);
  EXPECT_EQ(sel.Bottom, grid->TopRow() + grid->VisibleRowCount() - 1);
  desktop->mouse_up(At(grid, 70, 260));
  Pump();
  Step(300);
  EXPECT_EQ(grid->TopRow(), 4);
}

TEST_F(GridNavigation, DeletingAndMovingRowsCarriesTheCells) {
  for (int r = 0; r < 5; ++r) grid->SetCells(1, r, "r" + std::to_string(r));
  std::vector<std::pair<int, int>> moves;
  grid->OnRowMoved = [&](TObject*, Integer from, Integer to) { moves.emplace_back(from, to); };
  grid->MoveRow(4, 1);
  EXPECT_EQ(grid->Cols(1)->CommaText(), "r0,r4,r1,r2,r3");
  grid->DeleteRow(2);
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->Cols(1)->CommaText(), "r0,r4,r2,r3");
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{4, 1}, {2, 4}}));
  grid->DeleteColumn(1);
  EXPECT_EQ(grid->ColCount(), 4);
  EXPECT_EQ(grid->Cols(1)->CommaText(), ",,,");
}

}  // namespace
}  // namespace fw::testing
