// LISTBOX keyboard and mouse: notifications, moving through the list, type-ahead search,
// extended and multiple selection, dragging with capture and auto-scroll, and the keyboard hooks
// of LBS_WANTKEYBOARDINPUT.

#include <gtest/gtest.h>

#include <vector>

#include "listbox_support.h"

using namespace win;
using kvtest::ListTest;

namespace {

class ListBoxInput : public ListTest {
 protected:
  HWND MakeFilled(DWORD style, int count = 20) {
    HWND list = MakeList(style | WS_VSCROLL, {10, 10, 200, 65});
    for (int i = 0; i < count; ++i) {
      std::u16string t = std::u16string(1, char16_t(u'a' + i % 26)) + u" item";
      SendMessageW(list, LB_INSERTSTRING, WPARAM(-1), LPARAM(t.c_str()));
    }
    return list;
  }
  // Centre of a visible row, in screen coordinates.
  POINT Row(HWND list, int index) {
    RECT rc;
    SendMessageW(list, LB_GETITEMRECT, index, LPARAM(&rc));
    return At(list, 20, (rc.top + rc.bottom) / 2);
  }
  int Cur(HWND list) { return int(SendMessageW(list, LB_GETCURSEL, 0, 0)); }
};

}  // namespace

TEST_F(ListBoxInput, ClickSelectsAndNotifiesOnlyWithLbsNotify) {
  HWND quiet = MakeFilled(0);
  HWND loud = MakeList(LBS_NOTIFY, {250, 10, 200, 65}, 9);
  Add(loud, {u"one", u"two", u"three"});
  desktop->run_until_idle();
  ClearLog();
  desktop->click(Row(quiet, 2));
  desktop->run_until_idle();
  EXPECT_EQ(Cur(quiet), 2);
  EXPECT_EQ(GetFocus(), quiet);
  EXPECT_TRUE(Notes(quiet).empty());

  desktop->click(Row(loud, 1));
  desktop->run_until_idle();
  EXPECT_EQ(Cur(loud), 1);
  EXPECT_EQ(Notes(loud), (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE}));
  EXPECT_EQ(GetCapture(), nullptr);  // the capture ends with the button
  ClearLog();
  desktop->advance(1000);  // too late for a double click
  desktop->click(Row(loud, 1));  // the same item again: no change, no notification
  desktop->run_until_idle();
  EXPECT_TRUE(Notes(loud).empty());
  desktop->click(Row(loud, 1));  // a second click in time is a double click
  desktop->run_until_idle();
  EXPECT_EQ(Notes(loud), (std::vector<WORD>{LBN_DBLCLK}));
  ClearLog();
  SetFocus(quiet);
  EXPECT_EQ(Notes(loud), (std::vector<WORD>{LBN_KILLFOCUS}));
}

TEST_F(ListBoxInput, ArrowPageHomeAndEndMoveTheSelection) {
  HWND list = MakeFilled(LBS_NOTIFY);
  SetFocus(list);
  desktop->run_until_idle();
  ClearLog();
  Press(VK_DOWN);  // no selection yet: the caret item is selected first
  EXPECT_EQ(Cur(list), 0);
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(Cur(list), 2);
  Press(VK_UP);
  EXPECT_EQ(Cur(list), 1);
  Press(VK_NEXT);  // a page is the rows shown less one
  EXPECT_EQ(Cur(list), 5);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1);
  Press(VK_END);
  EXPECT_EQ(Cur(list), 19);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 15);
  Press(VK_DOWN);  // at the end nothing changes
  EXPECT_EQ(Cur(list), 19);
  Press(VK_PRIOR);
  EXPECT_EQ(Cur(list), 15);
  Press(VK_HOME);
  EXPECT_EQ(Cur(list), 0);
  desktop->run_until_idle();
  std::vector<WORD> expected(8, LBN_SELCHANGE);  // one per change
  EXPECT_EQ(Notes(list), expected);
}

TEST_F(ListBoxInput, TypeAheadSearchesByTheFirstLettersWithinTheTimeOut) {
  HWND list = MakeList(0);
  Add(list, {u"apple", u"banana", u"berry", u"blueberry", u"cherry", u"blackberry"});
  SetFocus(list);
  Type(u'b');
  EXPECT_EQ(Cur(list), 1);
  Type(u'L');  // "bl" within the time-out
  EXPECT_EQ(Cur(list), 3);
  Type(u'a');  // "bla"
  EXPECT_EQ(Cur(list), 5);
  desktop->advance(kListBoxTypeAheadMs);
  Type(u'c');  // a new search
  EXPECT_EQ(Cur(list), 4);
  desktop->advance(kListBoxTypeAheadMs + 1);
  Type(u'b');
  EXPECT_EQ(Cur(list), 5);  // the next item starting with b after the caret
  Type(u'b');  // the same letter again steps on, wrapping round
  EXPECT_EQ(Cur(list), 1);
  Type(u'b');
  EXPECT_EQ(Cur(list), 2);
  desktop->advance(kListBoxTypeAheadMs);
  Type(u'z');  // nothing starts with z
  EXPECT_EQ(Cur(list), 2);
}

TEST_F(ListBoxInput, AnExtendedSelectionFollowsADragWithTheButtonHeld) {
  HWND list = MakeFilled(LBS_EXTENDEDSEL | LBS_NOTIFY, 5);
  desktop->mouse_down(Row(list, 1));
  desktop->mouse_move(Row(list, 3));
  desktop->mouse_up(Row(list, 3));
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 3);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(SendMessageW(list, LB_GETSEL, i, 0), i >= 1 && i <= 3 ? 1 : 0) << i;
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list, LB_GETANCHORINDEX, 0, 0), 1);
}

TEST_F(ListBoxInput, ExtendedSelectionWithShiftAndCtrl) {
  HWND list = MakeFilled(LBS_EXTENDEDSEL | LBS_NOTIFY, 5);
  desktop->click(Row(list, 1));
  Hold(VK_SHIFT);
  desktop->click(Row(list, 3));
  Release(VK_SHIFT);
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list, LB_GETANCHORINDEX, 0, 0), 1);
  Hold(VK_CONTROL);
  desktop->click(Row(list, 2));  // Ctrl toggles one item and keeps the rest
  Release(VK_CONTROL);
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 2, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
  desktop->click(Row(list, 0));  // a plain click selects just that item
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 1);
  // Shift with the arrows extends from the anchor; Ctrl moves the caret alone.
  Hold(VK_SHIFT);
  Press(VK_DOWN);
  Press(VK_DOWN);
  Release(VK_SHIFT);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 3);
  Hold(VK_CONTROL);
  Press(VK_DOWN);
  Release(VK_CONTROL);
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 3);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 3);
  Hold(VK_CONTROL);
  Press(VK_SPACE);  // Ctrl+Space adds the caret item
  Release(VK_CONTROL);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 4);
}

// Ctrl+Shift adds the whole range from the anchor to the row reached, both ends included, to
// what was selected before, whichever way the range runs; by the mouse and by the arrows.
TEST_F(ListBoxInput, CtrlShiftAddsTheWholeRangeToTheSelection) {
  const struct {
    int first;           // a plain click: the anchor
    int toggled;         // then a Ctrl+click there (-1: none), which moves the anchor
    int reached;         // the row Ctrl+Shift+click reaches (-1: Ctrl+Shift+Down twice instead)
    std::vector<int> selected;
  } cases[] = {
      {0, -1, 3, {0, 1, 2, 3}}, {3, -1, 1, {1, 2, 3}},  {0, 2, 3, {0, 2, 3}},
      {3, 1, 0, {0, 1, 3}},     {1, -1, -1, {1, 2, 3}}, {0, 1, -1, {0, 1, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << " " << c.toggled << " " << c.reached);
    HWND list = MakeFilled(LBS_EXTENDEDSEL | LBS_NOTIFY, 4);
    desktop->click(Row(list, c.first));
    desktop->run_until_idle();
    if (c.toggled >= 0) {
      Hold(VK_CONTROL);
      desktop->click(Row(list, c.toggled));
      Release(VK_CONTROL);
    }
    Hold(VK_CONTROL);
    Hold(VK_SHIFT);
    if (c.reached >= 0) {
      desktop->click(Row(list, c.reached));
      desktop->run_until_idle();
    } else {
      Press(VK_DOWN);
      Press(VK_DOWN);
    }
    Release(VK_SHIFT);
    Release(VK_CONTROL);
    std::vector<int> selected;
    for (int i = 0; i < 4; ++i)
      if (SendMessageW(list, LB_GETSEL, i, 0) > 0) selected.push_back(i);
    EXPECT_EQ(selected, c.selected);
    DestroyWindow(list);
  }
}

TEST_F(ListBoxInput, MultipleSelectionTogglesWithClicksAndSpace) {
  HWND list = MakeFilled(LBS_MULTIPLESEL, 5);
  desktop->click(Row(list, 1));
  desktop->run_until_idle();
  desktop->click(Row(list, 3));
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
  Press(VK_UP);  // arrows only move the caret
  EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 2);
  EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 2);
  Press(VK_SPACE);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 2, 0), 1);
  Press(VK_SPACE);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 2, 0), 0);
  desktop->advance(1000);
  desktop->click(Row(list, 1));  // clicking a selected item deselects it
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 1, 0), 0);
}

TEST_F(ListBoxInput, DraggingBelowTheListScrollsByTimerWhileTheCaptureLasts) {
  HWND list = MakeFilled(LBS_NOTIFY);
  desktop->run_until_idle();
  desktop->mouse_down(Row(list, 1));
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), list);
  desktop->mouse_move(Row(list, 3));
  desktop->run_until_idle();
  EXPECT_EQ(Cur(list), 3);
  RECT wr;
  GetWindowRect(list, &wr);
  desktop->mouse_move({wr.left + 20, wr.bottom + 10});
  desktop->run_until_idle();
  EXPECT_EQ(Cur(list), 3);  // nothing before the timer
  for (int i = 0; i < 4; ++i) {
    desktop->advance(100);
    desktop->run_until_idle();
  }
  EXPECT_EQ(Cur(list), 7);
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 3);
  desktop->mouse_up({wr.left + 20, wr.bottom + 10});
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), nullptr);
  desktop->advance(500);
  desktop->run_until_idle();
  EXPECT_EQ(Cur(list), 7);  // the timer ended with the drag
  // A drag that loses its capture is cancelled.
  ClearLog();
  desktop->mouse_down(Row(list, 5));
  desktop->run_until_idle();
  SetCapture(parent);
  ReleaseCapture();
  desktop->mouse_up(Row(list, 5));
  desktop->run_until_idle();
  auto notes = Notes(list);
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes.back(), LBN_SELCANCEL);
}

TEST_F(ListBoxInput, WantKeyboardInputAsksTheParentFirst) {
  HWND list = MakeFilled(LBS_WANTKEYBOARDINPUT, 10);
  SetFocus(list);
  SendMessageW(list, LB_SETCURSEL, 4, 0);
  LRESULT reply = -2;
  std::vector<WPARAM> asked;
  answer = [&](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_VKEYTOITEM && m != WM_CHARTOITEM) return std::nullopt;
    asked.push_back(w);
    return reply;
  };
  Press(VK_DOWN);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], MAKEWPARAM(VK_DOWN, 4));  // the key and the caret
  EXPECT_EQ(Cur(list), 4);  // -2: handled by the parent
  reply = -1;
  Press(VK_DOWN);
  EXPECT_EQ(Cur(list), 5);  // -1: the list's own action
  reply = 1;
  Press(VK_DOWN);
  EXPECT_EQ(Cur(list), 1);  // an index: go there
  reply = 8;
  asked.clear();
  Type(u'x');
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), MAKEWPARAM(u'x', 1));
  EXPECT_EQ(Cur(list), 8);
}

TEST_F(ListBoxInput, WheelScrolls) {
  HWND list = MakeFilled(0);
  SetFocus(list);
  desktop->wheel(Row(list, 1), -WHEEL_DELTA);
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 3);
  desktop->wheel(Row(list, 1), WHEEL_DELTA * 5);
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
}
