// Multi-line edits: line breaks, word wrap, line messages, vertical movement and scrolling.

#include <cstring>

#include "edit_test_support.h"
#include "platform/user/services/Beep.h"
#include "platform/user/frames/ScrollBar.h"

namespace kvtest {
namespace {

using namespace win;

class EditMultiLineTest : public EditTest {};

TEST_F(EditMultiLineTest, EnterInsertsALineBreakAndLinesAreCounted) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100);
  SetFocus(e);
  Type(u"ab");
  Key(VK_RETURN);
  Type(u"cde");
  EXPECT_EQ(Text(e), u"ab\r\ncde");
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 1, 0), 4);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 2, 0), -1);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, WPARAM(-1), 0), 4);  // the caret's line
  EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, 5, 0), 3);
  EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, 1, 0), 2);
  EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, 5, 0), 1);
  EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, 2, 0), 0);
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.y, kLine);
  EXPECT_EQ(caret.x, 3 * kAdvance);
  // Backspace at a line start removes the whole CR LF.
  Key(VK_HOME);
  Key(VK_BACK);
  EXPECT_EQ(Text(e), u"abcde");
}

TEST_F(EditMultiLineTest, ArrowsStepOverLineBreaksWhole) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100, u"ab\r\ncd");
  SetFocus(e);
  SetSel(e, 2, 2);
  Key(VK_RIGHT);
  EXPECT_EQ(Sel(e), std::make_pair(4, 4));
  Key(VK_LEFT);
  EXPECT_EQ(Sel(e), std::make_pair(2, 2));
  // A selection boundary inside the pair is moved out of it.
  SetSel(e, 3, 3);
  EXPECT_EQ(Sel(e), std::make_pair(2, 2));
}

TEST_F(EditMultiLineTest, UpDownKeepTheColumnAcrossShortLines) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100, u"abcdef\r\nxy\r\nlmnopq");
  SetFocus(e);
  SetSel(e, 5, 5);
  Key(VK_DOWN);
  EXPECT_EQ(Sel(e).second, 10);  // end of "xy"
  Key(VK_DOWN);
  EXPECT_EQ(Sel(e).second, 17);  // column 5 again on the third line
  Key(VK_UP, "s");
  EXPECT_EQ(Sel(e), std::make_pair(10, 17));
  Key(VK_END, "c");
  EXPECT_EQ(Sel(e).second, 18);
  Key(VK_HOME, "c");
  EXPECT_EQ(Sel(e).second, 0);
}

TEST_F(EditMultiLineTest, WordWrapBreaksAfterBlanksWithoutAutoHScroll) {
  // 10 characters fit in a 71-pixel edit.
  HWND e = MakeEdit(ES_MULTILINE, 71, 100, u"aaaa bbbb cccc");
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 1, 0), 10);
  // A word longer than the line is cut where it stops fitting.
  SetWindowTextW(e, u"abcdefghijklmnopqrstuvwxy");
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 1, 0), 10);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 2, 0), 20);
  // With ES_AUTOHSCROLL the lines are not wrapped.
  HWND nowrap = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 71, 100, u"aaaa bbbb cccc", 101);
  EXPECT_EQ(SendMessageW(nowrap, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditMultiLineTest, WrappedLinesFollowAResize) {
  HWND e = MakeEdit(ES_MULTILINE, 71, 100, u"aaaa bbbb cccc");
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 2);
  SetWindowPos(e, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditMultiLineTest, GetLineCopiesOneLineWithoutItsBreak) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100, u"first\r\nsecond");
  char16_t buf[16] = {};
  WORD room = 16;
  std::memcpy(buf, &room, sizeof room);
  EXPECT_EQ(SendMessageW(e, EM_GETLINE, 1, LPARAM(buf)), 6);
  EXPECT_EQ(std::u16string(buf, 6), u"second");
  std::memcpy(buf, &room, sizeof room);
  EXPECT_EQ(SendMessageW(e, EM_GETLINE, 7, LPARAM(buf)), 0);
  EXPECT_EQ(SendMessageW(e, EM_GETLINE, 0, 0), 0);
}

TEST_F(EditMultiLineTest, LineLengthOfMinusOneCountsUnselectedCharactersOfSelectedLines) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100, u"abcd\r\nefgh");
  SetSel(e, 2, 8);  // "cd", break, "ef"
  EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, WPARAM(-1), 0), 2 + 2);
}

TEST_F(EditMultiLineTest, CaretBelowTheLastVisibleLineScrollsAndLineScrollMoves) {
  // 3 lines of 13 pixels are visible in 40.
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 200, 40, u"1\r\n2\r\n3\r\n4\r\n5\r\n6");
  SetFocus(e);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  Key(VK_END, "c");
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.y, 2 * kLine);
  EXPECT_TRUE(SendMessageW(e, EM_LINESCROLL, 0, -2));
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  // No scrolling past the last line.
  SendMessageW(e, EM_LINESCROLL, 0, 100);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  LRESULT r = SendMessageW(e, EM_SCROLL, SB_LINEUP, 0);
  EXPECT_EQ(HIWORD(uintptr_t(r)), TRUE);
  EXPECT_EQ(SHORT(LOWORD(uintptr_t(r))), -1);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 2);
  SendMessageW(e, EM_SCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SendMessageW(e, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
}

TEST_F(EditMultiLineTest, PageKeysMoveByAScreenful) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 40, u"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
  SetFocus(e);
  SetSel(e, 0, 0);
  Key(VK_NEXT);
  EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, WPARAM(-1), 0), 3);
  Key(VK_NEXT, "s");
  EXPECT_EQ(Sel(e), std::make_pair(9, 18));
  Key(VK_PRIOR);
  EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, WPARAM(-1), 0), 3);
}

TEST_F(EditMultiLineTest, VerticalScrollBarFollowsAndDrivesTheView) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | WS_VSCROLL, 200, 40, u"1\r\n2\r\n3\r\n4\r\n5\r\n6");
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(e, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 5);
  EXPECT_EQ(si.nPage, 3u);
  EXPECT_EQ(si.nPos, 0);
  ClearLog();
  SendMessageW(e, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  GetScrollInfo(e, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 1);
  SendMessageW(e, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  auto codes = Notifications(e);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_VSCROLL), 2);
  // The wheel scrolls three lines a notch.
  SendMessageW(e, WM_VSCROLL, SB_TOP, 0);
  POINT at = Screen(e, 5, 5);
  SendMessageW(e, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(SHORT(-WHEEL_DELTA))), MAKELPARAM(WORD(at.x), WORD(at.y)));
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
}

TEST_F(EditMultiLineTest, TabsExpandToTabStops) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 300, 60, u"a\tb");
  // Default stops every 32 dialog units: 8 average characters.
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 2, 0)), 8 * kAdvance);
  INT stops[1] = {20};  // 20 dialog units = 5 characters
  EXPECT_TRUE(SendMessageW(e, EM_SETTABSTOPS, 1, LPARAM(stops)));
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 2, 0)), 20 * kAdvance / 4);
  EXPECT_TRUE(SendMessageW(e, EM_SETTABSTOPS, 0, 0));
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 2, 0)), 8 * kAdvance);
}

// A tab stretches to the next stop wherever it stands: first on a line, after another tab, or
// after text.
TEST_F(EditMultiLineTest, TabsAtTheStartOfALineAndInARowReachTheirStops) {
  struct Case {
    const char16_t* text;
    int index, x;
  };
  const Case cases[] = {
      {u"\tb", 1, 8 * kAdvance},        {u"\t\tb", 2, 16 * kAdvance},
      {u"ab\r\n\tc", 5, 8 * kAdvance}, {u"abcdefghi\tb", 10, 16 * kAdvance},
  };
  for (const Case& c : cases) {
    HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 300, 60, c.text);
    EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, WPARAM(c.index), 0)), c.x) << &c - cases;
    DestroyWindow(e);
  }
}

TEST_F(EditMultiLineTest, CharFromPosReportsTheLine) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100, u"ab\r\ncdef");
  LRESULT r = SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(2 * kAdvance, kLine + 3));
  EXPECT_EQ(LOWORD(uintptr_t(r)), 6);
  EXPECT_EQ(HIWORD(uintptr_t(r)), 1);
  LRESULT p = SendMessageW(e, EM_POSFROMCHAR, 5, 0);
  EXPECT_EQ(GET_X_LPARAM(p), kAdvance);
  EXPECT_EQ(GET_Y_LPARAM(p), kLine);
}

TEST_F(EditMultiLineTest, SetTextDoesNotReportAChangeInAMultiLineEdit) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100);
  ClearLog();
  SetWindowTextW(e, u"x\r\ny");
  auto codes = Notifications(e);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_CHANGE), 0);
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(EditMultiLineTest, PasteKeepsLineBreaksAndPasswordCharIsIgnored) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 100);
  SendMessageW(e, EM_REPLACESEL, FALSE, LPARAM(u"a\r\nb"));
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 2);
  SendMessageW(e, EM_SETPASSWORDCHAR, WPARAM(u'*'), 0);
  EXPECT_EQ(SendMessageW(e, EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(EditMultiLineTest, HorizontalScrollBarScrollsWideLines) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL, 71, 60, u"0123456789abcdefghij\r\nx");
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(e, SB_HORZ, &si));
  EXPECT_EQ(si.nMax, 20 * kAdvance);
  EXPECT_EQ(si.nPos, 0);
  ClearLog();
  SendMessageW(e, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 0, 0)), -kAdvance);
  GetScrollInfo(e, SB_HORZ, &si);
  EXPECT_EQ(si.nPos, kAdvance);
  SendMessageW(e, WM_HSCROLL, SB_LEFT, 0);
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 0, 0)), 0);
  auto codes = Notifications(e);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_HSCROLL), 2);
  // Characters scroll by average widths through EM_LINESCROLL.
  EXPECT_TRUE(SendMessageW(e, EM_LINESCROLL, 3, 0));
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 0, 0)), -3 * kAdvance);
}

TEST_F(EditMultiLineTest, WithoutAutoVScrollTextStopsAtTheBottomLine) {
  // Three lines fit in 40 pixels.
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 200, 40);
  SetFocus(e);
  ResetMessageBeeps();
  ClearLog();
  Type(u"a\rb\rc\rd");
  // The third Enter is refused; "d" still fits on the last line.
  EXPECT_EQ(Text(e), u"a\r\nb\r\ncd");
  EXPECT_EQ(MessageBeepCount(), 1);
  auto codes = Notifications(e);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_MAXTEXT), 1);
  // A replacement keeps whole lines only.
  SetSel(e, 0, -1);
  SendMessageW(e, EM_REPLACESEL, FALSE, LPARAM(u"1\r\n2\r\n3\r\n4"));
  EXPECT_EQ(Text(e), u"1\r\n2\r\n3");
  // ES_AUTOVSCROLL lifts the bound.
  HWND grows = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 200, 40, u"", 101);
  SetFocus(grows);
  Type(u"a\rb\rc\rd");
  EXPECT_EQ(Text(grows), u"a\r\nb\r\nc\r\nd");
  EXPECT_EQ(SendMessageW(grows, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
}

}  // namespace
}  // namespace kvtest
