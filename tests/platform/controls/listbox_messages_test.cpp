// LISTBOX messages: items, sorting, searching, selection in both modes, the top index and item
// geometry, and the errors the Win32 way.

#include <gtest/gtest.h>

#include "listbox_support.h"
#include "platform/user/frames/ScrollBar.h"

using namespace win;
using kvtest::ListTest;

namespace {
class ListBoxMessages : public ListTest {};
}  // namespace

TEST_F(ListBoxMessages, AddInsertDeleteAndReadItems) {
  HWND list = MakeList(0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, LPARAM(u"beta")), 0);
  EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, LPARAM(u"alpha")), 1);  // unsorted: appended
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 0, LPARAM(u"first")), 0);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, WPARAM(-1), LPARAM(u"last")), 3);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 9, LPARAM(u"x")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Text(list, 0), u"first");
  EXPECT_EQ(Text(list, 2), u"alpha");
  EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 2, 0), 5);
  EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 4, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 0, 0), LB_ERR);  // no buffer
  EXPECT_EQ(Text(list, -1), u"<err>");

  EXPECT_EQ(SendMessageW(list, LB_SETITEMDATA, 1, 1234), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 1, 0), 1234);
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 0, 0), 3);  // the count left
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), 1234);  // data moved with its item
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 3, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_RESETCONTENT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
  // A null text is an empty item, not a crash.
  EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, 0), 0);
  EXPECT_EQ(Text(list, 0), u"");
}

TEST_F(ListBoxMessages, AnItemInsertedAtTheSelectionLeavesTheSelectedItemSelected) {
  HWND list = MakeList(0);
  Add(list, {u"zero", u"one", u"two"});
  ASSERT_EQ(SendMessageW(list, LB_SETCURSEL, 1, 0), 1);
  SendMessageW(list, LB_INSERTSTRING, 1, LPARAM(u"new"));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Text(list, 2), u"one");
  SendMessageW(list, LB_INSERTSTRING, 3, LPARAM(u"after"));  // below the selection: it stays
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(ListBoxMessages, SortedListsInsertInCaseInsensitiveOrder) {
  HWND list = MakeList(LBS_SORT);
  Add(list, {u"pear", u"Apple", u"banana", u"apple", u"Cherry"});
  std::vector<std::u16string> got;
  for (int i = 0; i < 5; ++i) got.push_back(Text(list, i));
  EXPECT_EQ(got, (std::vector<std::u16string>{u"Apple", u"apple", u"banana", u"Cherry", u"pear"}));
  // LB_INSERTSTRING places where it is told, even in a sorted list.
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 0, LPARAM(u"zzz")), 0);
}

TEST_F(ListBoxMessages, FindingIsCaseInsensitiveAndWrapsFromTheStartIndex) {
  HWND list = MakeList(0);
  Add(list, {u"Red", u"green", u"Greenish", u"blue", u"grey"});
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, WPARAM(-1), LPARAM(u"GR")), 1);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 1, LPARAM(u"gr")), 2);  // starts after the index
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 4, LPARAM(u"gr")), 1);  // wraps round
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 2, LPARAM(u"greenish")), 2);  // the start item comes last
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(u"GREEN")), 1);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, 1, LPARAM(u"green")), 1);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(u"gre")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, WPARAM(-1), LPARAM(u"purple")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SELECTSTRING, WPARAM(-1), LPARAM(u"BL")), 3);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list, LB_SELECTSTRING, WPARAM(-1), LPARAM(u"none")), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);  // a failed search keeps the selection
}

TEST_F(ListBoxMessages, FindingFoldsTheFirstCharacterOfCyrillicItemsToo) {
  HWND list = MakeList(0);
  Add(list, {u"Ёлка", u"ель", u"Жук", u"жёлудь", u"Ель", u"", u"ёж"});
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, WPARAM(-1), LPARAM(u"ё")), 0);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 0, LPARAM(u"Ё")), 6);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 1, LPARAM(u"ЕЛ")), 4);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, WPARAM(-1), LPARAM(u"ЖЁ")), 3);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, WPARAM(-1), LPARAM(u"")), 0);  // every item starts with ""
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(u"")), 5);
}

TEST_F(ListBoxMessages, SingleSelectionMessages) {
  HWND list = MakeList(0);
  Add(list, {u"a", u"b", u"c"});
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 2, 0), 1);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 1, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 7, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 2);
  // The caret moves alone.
  EXPECT_EQ(SendMessageW(list, LB_SETCARETINDEX, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_SETCARETINDEX, 3, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, WPARAM(-1), 0), LB_ERR);  // cleared, answered LB_ERR
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  // The multiple-selection messages are refused.
  EXPECT_EQ(SendMessageW(list, LB_SETSEL, TRUE, 1), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 2)), LB_ERR);
  // Deleting the selected item leaves no selection; deleting before it moves it.
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  SendMessageW(list, LB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  SendMessageW(list, LB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  // A list with LBS_NOSEL never selects.
  HWND nosel = MakeList(LBS_NOSEL, {220, 10, 100, 65}, 8);
  Add(nosel, {u"a", u"b"});
  EXPECT_EQ(SendMessageW(nosel, LB_SETCURSEL, 1, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(nosel, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBoxMessages, MultipleSelectionMessages) {
  HWND list = MakeList(LBS_EXTENDEDSEL);
  Add(list, {u"0", u"1", u"2", u"3", u"4", u"5"});
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 1, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SETSEL, TRUE, 1), 0);
  EXPECT_EQ(SendMessageW(list, LB_SETSEL, TRUE, 4), 0);
  EXPECT_EQ(SendMessageW(list, LB_SETSEL, TRUE, 9), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
  int items[8] = {};
  EXPECT_EQ(SendMessageW(list, LB_GETSELITEMS, 8, LPARAM(items)), 2);
  EXPECT_EQ(items[0], 1);
  EXPECT_EQ(items[1], 4);
  EXPECT_EQ(SendMessageW(list, LB_GETSELITEMS, 1, LPARAM(items)), 1);  // never more than asked
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 4);
  EXPECT_EQ(SendMessageW(list, LB_GETANCHORINDEX, 0, 0), 4);

  EXPECT_EQ(SendMessageW(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(2, 3)), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 4);
  // SELITEMRANGEEX with the last before the first deselects the range.
  EXPECT_EQ(SendMessageW(list, LB_SELITEMRANGEEX, 4, 1), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_SELITEMRANGEEX, 4, 5), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 5, 0), 1);
  EXPECT_EQ(SendMessageW(list, LB_SETSEL, TRUE, WPARAM(-1)), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 6);
  EXPECT_EQ(SendMessageW(list, LB_SETSEL, FALSE, WPARAM(-1)), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_SELECTSTRING, WPARAM(-1), LPARAM(u"3")), LB_ERR);
}

TEST_F(ListBoxMessages, TopIndexItemRectsAndHitTesting) {
  HWND list = MakeList(WS_VSCROLL, {10, 10, 200, 65});  // five 13-pixel rows
  for (int i = 0; i < 20; ++i) {
    std::u16string t = u"item" + std::u16string(1, char16_t(u'A' + i));
    SendMessageW(list, LB_ADDSTRING, 0, LPARAM(t.c_str()));
  }
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 13);
  EXPECT_EQ(SendMessageW(list, LB_SETTOPINDEX, 7, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 7);
  EXPECT_EQ(SendMessageW(list, LB_SETTOPINDEX, 19, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 15);  // the last page stays full
  EXPECT_EQ(SendMessageW(list, LB_SETTOPINDEX, 20, 0), LB_ERR);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 19);
  EXPECT_EQ(si.nPage, 5u);
  EXPECT_EQ(si.nPos, 15);

  RECT rc{};
  EXPECT_EQ(SendMessageW(list, LB_GETITEMRECT, 16, LPARAM(&rc)), 1);
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(rc, (RECT{0, 13, client.right, 26}));
  EXPECT_EQ(SendMessageW(list, LB_GETITEMRECT, 3, LPARAM(&rc)), 0);  // above the view
  EXPECT_EQ(rc.top, -12 * 13);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMRECT, 20, LPARAM(&rc)), LB_ERR);

  EXPECT_EQ(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 30)), MAKELONG(17, 0));
  EXPECT_EQ(HIWORD(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 300))), 1);  // outside
  EXPECT_EQ(LOWORD(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 300))), 19);

  // Selecting scrolls the item into view.
  SendMessageW(list, LB_SETCURSEL, 2, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 2);
  SendMessageW(list, LB_SETCURSEL, 12, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 8);  // the item is the last whole row
}

TEST_F(ListBoxMessages, IntegralHeightCutsTheWindowToWholeRows) {
  HWND cut = MakeList(0, {10, 10, 100, 70});
  RECT rc;
  GetClientRect(cut, &rc);
  EXPECT_EQ(rc.bottom, 65);
  HWND free = MakeList(LBS_NOINTEGRALHEIGHT, {120, 10, 100, 70}, 8);
  GetClientRect(free, &rc);
  EXPECT_EQ(rc.bottom, 70);
}

TEST_F(ListBoxMessages, LimitsAndRefusals) {
  HWND list = MakeList(0);
  EXPECT_EQ(SendMessageW(list, LB_SETCOUNT, 10, 0), LB_ERR);  // only for LBS_NODATA
  EXPECT_EQ(SendMessageW(list, LB_SETITEMHEIGHT, 0, 256), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SETITEMHEIGHT, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_SETITEMHEIGHT, 0, 20), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 20);
  EXPECT_EQ(SendMessageW(list, LB_INITSTORAGE, WPARAM(-1), 0), LB_ERRSPACE);
  EXPECT_GE(SendMessageW(list, LB_INITSTORAGE, 100, 4000), 100);
  EXPECT_EQ(SendMessageW(list, LB_SETHORIZONTALEXTENT, 500, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), 500);

  HWND nodata = MakeList(LBS_NODATA | LBS_OWNERDRAWFIXED, {220, 10, 100, 65}, 8);
  EXPECT_EQ(SendMessageW(nodata, LB_SETCOUNT, 1000, 0), 0);
  EXPECT_EQ(SendMessageW(nodata, LB_GETCOUNT, 0, 0), 1000);
  EXPECT_EQ(SendMessageW(nodata, LB_SETCOUNT, WPARAM(-5), 0), LB_ERRSPACE);
  // A destroyed list answers nothing.
  DestroyWindow(list);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
}

// Scrolling sideways moves the items by the scrolled pixels and comes back to the very start.
TEST_F(ListBoxMessages, HorizontalScrollingMovesTheItemsAndReturnsToTheStart) {
  HWND list = MakeList(WS_HSCROLL);
  Add(list, {u"one", u"two"});
  SendMessageW(list, LB_SETHORIZONTALEXTENT, 500, 0);
  RECT client{};
  GetClientRect(list, &client);
  auto itemLeft = [&] {
    RECT r{};
    EXPECT_NE(SendMessageW(list, LB_GETITEMRECT, 0, LPARAM(&r)), LB_ERR);
    return int(r.left);
  };
  struct Step {
    WORD code;
    int left;
  };
  const Step steps[] = {{SB_LINERIGHT, -8}, {SB_RIGHT, -(500 - int(client.right))}, {SB_LINELEFT, -(500 - int(client.right) - 8)},
                        {SB_LEFT, 0}};
  EXPECT_EQ(itemLeft(), 0);
  for (const Step& s : steps) {
    SendMessageW(list, WM_HSCROLL, s.code, 0);
    EXPECT_EQ(itemLeft(), s.left) << "after " << s.code;
    EXPECT_EQ(GetScrollPos(list, SB_HORZ), -s.left) << "after " << s.code;
  }
}
