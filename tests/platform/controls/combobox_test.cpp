// COMBOBOX: the CB_ messages, the drop-down list window and its tracking, the keyboard, the edit
// field of CBS_DROPDOWN, owner-drawn combo boxes and the notifications to the parent.

#include <gtest/gtest.h>

#include "listbox_support.h"
#include "platform/controls/Edit.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/services/SysMetrics.h"

using namespace win;
using kvtest::ListTest;

namespace {

class ComboBox : public ListTest {
 protected:
  HWND MakeCombo(DWORD style, RECT r = {20, 20, 150, 200}, int id = 5) {
    HWND h = CreateWindowExW(0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, r.left, r.top, r.right,
                             r.bottom, parent, reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
    if (h) SendMessageW(h, WM_SETFONT, WPARAM(font), 0);
    return h;
  }
  static void AddItems(HWND combo, std::initializer_list<const char16_t*> texts) {
    for (auto* t : texts) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(t));
  }
  static std::u16string WindowText(HWND hwnd) {
    char16_t buf[128] = {};
    GetWindowTextW(hwnd, buf, 128);
    return buf;
  }
  static COMBOBOXINFO Info(HWND combo) {
    COMBOBOXINFO info;
    EXPECT_TRUE(GetComboBoxInfo(combo, &info));
    return info;
  }
  static int Sel(HWND combo) { return int(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }
  // Screen point in the middle of row `index` of the dropped list.
  static POINT ListRow(HWND combo, int index) {
    HWND list = Info(combo).hwndList;
    RECT rc;
    SendMessageW(list, LB_GETITEMRECT, index, LPARAM(&rc));
    return At(list, 10, (rc.top + rc.bottom) / 2);
  }
};

}  // namespace

TEST_F(ComboBox, ItemMessagesAndTheTextOfADropDownList) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
  ASSERT_NE(combo, nullptr);
  AddItems(combo, {u"Orange", u"apple", u"Banana"});
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  char16_t buf[32] = {};
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 1, LPARAM(buf)), 6);
  EXPECT_EQ(std::u16string(buf), u"Banana");
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 2, 0), 6);
  EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 3, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_FINDSTRING, WPARAM(-1), LPARAM(u"OR")), 2);
  EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(u"APPLE")), 0);
  EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 1, LPARAM(u"kiwi")), 1);
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 1, 99), CB_OKAY);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 1, 0), 99);

  EXPECT_EQ(Sel(combo), CB_ERR);
  EXPECT_EQ(WindowText(combo), u"");
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(WindowText(combo), u"Banana");
  EXPECT_EQ(GetWindowTextLengthW(combo), 6);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 9, 0), CB_ERR);
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_EQ(SendMessageW(combo, CB_SELECTSTRING, WPARAM(-1), LPARAM(u"or")), 3);
  EXPECT_EQ(WindowText(combo), u"Orange");
  // The text of a drop-down list can only name an item.
  EXPECT_EQ(SendMessageW(combo, WM_SETTEXT, 0, LPARAM(u"kiwi")), TRUE);
  EXPECT_EQ(Sel(combo), 1);
  EXPECT_EQ(SendMessageW(combo, WM_SETTEXT, 0, LPARAM(u"melon")), CB_ERR);
  EXPECT_EQ(Sel(combo), 1);
  EXPECT_EQ(SendMessageW(combo, CB_GETEDITSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_LIMITTEXT, 5, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, WPARAM(-1), 0), CB_ERR);
  EXPECT_EQ(WindowText(combo), u"");
  EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 0, 0), 3);
  EXPECT_EQ(SendMessageW(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBox, GeometryHeightsAndDroppedRectangle) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST, {20, 20, 150, 200});
  // The field is the text height plus 2; the window adds the edge and a margin.
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), 15);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 13);
  RECT wr;
  GetWindowRect(combo, &wr);
  EXPECT_EQ(wr.bottom - wr.top, 21);
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), 20), CB_OKAY);
  GetWindowRect(combo, &wr);
  EXPECT_EQ(wr.bottom - wr.top, 26);
  EXPECT_EQ(SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), 300), CB_ERR);

  COMBOBOXINFO info = Info(combo);
  EXPECT_EQ(info.hwndItem, combo);
  EXPECT_EQ(info.rcButton.right, 150 - 2);
  EXPECT_EQ(info.rcButton.left, 150 - 2 - GetSystemMetrics(SM_CXVSCROLL));
  char16_t cls[32] = {};
  GetClassNameW(info.hwndList, cls, 32);
  EXPECT_EQ(std::u16string(cls), u"ComboLBox");
  EXPECT_TRUE(GetWindowLongPtrW(info.hwndList, GWL_STYLE) & WS_POPUP);
  EXPECT_FALSE(IsWindowVisible(info.hwndList));

  for (int i = 0; i < 30; ++i) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(u"row"));
  RECT dropped;
  ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&dropped)));
  EXPECT_EQ(dropped.top, wr.bottom);  // below the combo box
  EXPECT_EQ(dropped.left, wr.left);
  EXPECT_EQ(dropped.right - dropped.left, 150);
  // 200 given at creation less the combo's own 21: whole rows of 13 and the border.
  EXPECT_EQ(dropped.bottom - dropped.top, 13 * 13 + 2);
  EXPECT_EQ(SendMessageW(combo, CB_SETDROPPEDWIDTH, 220, 0), 220);
  EXPECT_EQ(SendMessageW(combo, CB_SETDROPPEDWIDTH, 40, 0), 150);  // never narrower than the combo
  SendMessageW(combo, CB_SETDROPPEDWIDTH, 220, 0);
  EXPECT_EQ(SendMessageW(combo, CB_SETMINVISIBLE, 0, 0), FALSE);
  EXPECT_EQ(SendMessageW(combo, CB_SETMINVISIBLE, 5, 0), TRUE);
  EXPECT_EQ(SendMessageW(combo, CB_GETMINVISIBLE, 0, 0), 5);
  SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&dropped));
  EXPECT_EQ(dropped.bottom - dropped.top, 5 * 13 + 2);
  EXPECT_EQ(dropped.right - dropped.left, 220);

  // Near the bottom of the work area the list opens above the combo box.
  HWND lowParent = Create(WS_POPUP | WS_VISIBLE, {0, 540, 300, 60});
  HWND low = CreateWindowExW(0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 20, 10, 150, 100,
                             lowParent, nullptr, nullptr, nullptr);
  SendMessageW(low, WM_SETFONT, WPARAM(font), 0);
  for (int i = 0; i < 10; ++i) SendMessageW(low, CB_ADDSTRING, 0, LPARAM(u"row"));
  RECT lowRect;
  GetWindowRect(low, &lowRect);
  SendMessageW(low, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&dropped));
  EXPECT_EQ(dropped.bottom, lowRect.top);

  COMBOBOXINFO wrong;
  wrong.cbSize = 4;
  EXPECT_FALSE(GetComboBoxInfo(combo, &wrong));
  COMBOBOXINFO notCombo;
  EXPECT_FALSE(GetComboBoxInfo(parent, &notCombo));
  EXPECT_FALSE(GetComboBoxInfo(nullptr, &notCombo));
}

TEST_F(ComboBox, ClickDropsTheListAndAClickOnAnItemChoosesIt) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  AddItems(combo, {u"one", u"two", u"three", u"four"});
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  desktop->run_until_idle();
  ClearLog();
  Click(At(combo, 30, 10));
  HWND list = Info(combo).hwndList;
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), list);
  EXPECT_EQ(GetFocus(), combo);  // the list never takes the focus
  EXPECT_EQ(Notes(combo), (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN}));
  ClearLog();
  Click(ListRow(combo, 2));
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_EQ(WindowText(combo), u"three");
  EXPECT_EQ(Notes(combo), (std::vector<WORD>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBox, PressDragAndReleaseOnAnItemChoosesIt) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  AddItems(combo, {u"one", u"two", u"three"});
  desktop->mouse_down(At(combo, 30, 10));
  desktop->run_until_idle();
  ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  desktop->mouse_move(ListRow(combo, 1));
  desktop->run_until_idle();
  desktop->mouse_up(ListRow(combo, 1));
  desktop->run_until_idle();
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Sel(combo), 1);
}

TEST_F(ComboBox, ClickOutsideCancelsAndTheClickReachesTheWindowUnderIt) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST, {20, 20, 150, 100});
  AddItems(combo, {u"one", u"two", u"three"});
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  HWND other = MakeList(LBS_NOTIFY, {300, 20, 150, 65}, 9);
  Add(other, {u"x", u"y", u"z"});
  Click(At(combo, 30, 10));
  desktop->mouse_move(ListRow(combo, 2));  // pointing highlights without choosing
  desktop->run_until_idle();
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_EQ(WindowText(combo), u"one");
  ClearLog();
  Click(At(other, 10, 13 + 6));
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Sel(combo), 0);  // what was only pointed at is dropped
  EXPECT_EQ(Notes(combo), (std::vector<WORD>{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
  // The list box under the pointer got the click.
  EXPECT_EQ(SendMessageW(other, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetFocus(), other);
}

TEST_F(ComboBox, KeyboardDropsClosesAndChangesTheSelection) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  AddItems(combo, {u"alpha", u"beta", u"gamma", u"delta"});
  SetFocus(combo);
  ClearLog();
  Press(VK_DOWN);  // closed: the arrows change the selection
  EXPECT_EQ(Sel(combo), 0);
  Press(VK_DOWN);
  EXPECT_EQ(Sel(combo), 1);
  EXPECT_EQ(Notes(combo), (std::vector<WORD>{CBN_SELCHANGE, CBN_SELCHANGE}));
  ClearLog();
  Press(VK_F4);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  Press(VK_DOWN);  // dropped: the arrows move in the list and tell the parent
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_EQ(WindowText(combo), u"gamma");
  Press(VK_RETURN);
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Notes(combo), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  ClearLog();
  // Alt+Down drops, Esc cancels.
  Hold(VK_MENU);
  Press(VK_DOWN);
  Release(VK_MENU);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  Press(VK_ESCAPE);
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Sel(combo), 2);
  EXPECT_EQ(Notes(combo), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
  // Type-ahead selects by the first letters.
  Type(u'd');
  EXPECT_EQ(Sel(combo), 3);
  // With the extended interface F4 does nothing and Down drops the list.
  SendMessageW(combo, CB_SETEXTENDEDUI, TRUE, 0);
  EXPECT_TRUE(SendMessageW(combo, CB_GETEXTENDEDUI, 0, 0));
  Press(VK_F4);
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  Press(VK_DOWN);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Sel(combo), 3);
  // Losing the focus closes the list.
  SetFocus(parent);
  desktop->run_until_idle();
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBox, DropDownHasAnEditFieldThatFollowsTheList) {
  HWND combo = MakeCombo(CBS_DROPDOWN);
  ASSERT_NE(combo, nullptr);
  AddItems(combo, {u"red", u"green", u"blue"});
  COMBOBOXINFO info = Info(combo);
  HWND edit = info.hwndItem;
  ASSERT_NE(edit, combo);
  char16_t cls[16] = {};
  GetClassNameW(edit, cls, 16);
  EXPECT_EQ(std::u16string(cls), u"Edit");
  EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_EQ(GetParent(edit), combo);

  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(WindowText(edit), u"green");
  EXPECT_EQ(WindowText(combo), u"green");
  SetFocus(combo);  // the focus goes on to the edit, and the text is selected
  desktop->run_until_idle();
  EXPECT_EQ(GetFocus(), edit);
  DWORD start = 7, end = 7;
  EXPECT_EQ(SendMessageW(combo, CB_GETEDITSEL, WPARAM(&start), LPARAM(&end)), MAKELONG(0, 5));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);
  EXPECT_EQ(SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 3)), TRUE);
  EXPECT_EQ(SendMessageW(combo, CB_GETEDITSEL, 0, 0), MAKELONG(1, 3));

  ClearLog();
  SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, WORD(-1)));
  Type(u'b');
  Type(u'l');
  Type(u'u');
  Type(u'e');
  EXPECT_EQ(WindowText(combo), u"blue");
  auto notes = Notes(combo);
  EXPECT_EQ(std::count(notes.begin(), notes.end(), CBN_EDITCHANGE), 4);
  EXPECT_EQ(std::count(notes.begin(), notes.end(), CBN_EDITUPDATE), 4);
  EXPECT_EQ(Sel(combo), 2);  // the exact item
  Type(u's');
  EXPECT_EQ(Sel(combo), CB_ERR);  // "blues" is no item
  // Keys reach the combo through the edit.
  Press(VK_F4);
  EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  Press(VK_UP);
  EXPECT_EQ(WindowText(combo), u"blue");
  Press(VK_RETURN);
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Sel(combo), 2);
  // The text may be anything.
  EXPECT_TRUE(SendMessageW(combo, WM_SETTEXT, 0, LPARAM(u"purple")));
  EXPECT_EQ(WindowText(edit), u"purple");
  EXPECT_EQ(Sel(combo), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_LIMITTEXT, 3, 0), TRUE);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 3);
  // The combo's focus notifications come once, for the pair.
  ClearLog();
  SetFocus(parent);
  desktop->run_until_idle();
  notes = Notes(combo);
  EXPECT_EQ(std::count(notes.begin(), notes.end(), CBN_KILLFOCUS), 1);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(WindowText(edit), u"");
}

TEST_F(ComboBox, SimpleComboShowsItsListAlways) {
  HWND combo = MakeCombo(CBS_SIMPLE, {20, 20, 150, 120});
  AddItems(combo, {u"a", u"b", u"c"});
  COMBOBOXINFO info = Info(combo);
  EXPECT_TRUE(IsWindowVisible(info.hwndList));
  EXPECT_EQ(GetParent(info.hwndList), combo);
  EXPECT_EQ(info.stateButton, DWORD(STATE_SYSTEM_INVISIBLE));
  EXPECT_TRUE(SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0));
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  desktop->run_until_idle();
  ClearLog();
  RECT rc;
  SendMessageW(info.hwndList, LB_GETITEMRECT, 1, LPARAM(&rc));
  Click(At(info.hwndList, 5, rc.top + 3));
  EXPECT_EQ(Sel(combo), 1);
  EXPECT_EQ(WindowText(info.hwndItem), u"b");
  EXPECT_EQ(GetFocus(), info.hwndItem);
  auto notes = Notes(combo);
  EXPECT_NE(std::find(notes.begin(), notes.end(), CBN_SELCHANGE), notes.end());
  Click(At(info.hwndList, 5, rc.top + 3));
  notes = Notes(combo);
  EXPECT_EQ(notes.back(), CBN_DBLCLK);
}

TEST_F(ComboBox, OwnerDrawnComboMeasuresAndDrawsFieldAndItems) {
  std::vector<UINT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
  answer = [&](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_MEASUREITEM) {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      EXPECT_EQ(mis->CtlType, ODT_COMBOBOX);
      EXPECT_EQ(mis->CtlID, 5u);
      measured.push_back(mis->itemID);
      mis->itemHeight = mis->itemID == UINT(-1) ? 24 : 18;
      return TRUE;
    }
    if (m == WM_DRAWITEM) {
      drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
      return TRUE;
    }
    return std::nullopt;
  };
  HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(measured, (std::vector<UINT>{UINT(-1), 0}));  // the field, then the list's items
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0), 24);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 18);
  for (DWORD_PTR d : {100, 200, 300}) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(d));
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  drawn.clear();
  desktop->run_until_idle();
  ASSERT_FALSE(drawn.empty());
  const DRAWITEMSTRUCT& field = drawn.back();
  EXPECT_EQ(field.CtlType, ODT_COMBOBOX);
  EXPECT_EQ(field.hwndItem, combo);
  EXPECT_EQ(field.itemID, 1u);
  EXPECT_EQ(field.itemData, 200u);
  EXPECT_TRUE(field.itemState & ODS_COMBOBOXEDIT);
  EXPECT_FALSE(field.itemState & ODS_FOCUS);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  drawn.clear();
  desktop->run_until_idle();
  int listItems = 0;
  for (auto& d : drawn) {
    if (d.itemState & ODS_COMBOBOXEDIT) continue;
    ++listItems;
    EXPECT_EQ(d.CtlType, ODT_COMBOBOX);
    EXPECT_EQ(d.rcItem.bottom - d.rcItem.top, 18);
    EXPECT_EQ((d.itemState & ODS_SELECTED) != 0, d.itemID == 1u);
  }
  EXPECT_EQ(listItems, 3);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboBox, DestroyingAComboWhileDroppedLeavesNothingBehind) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  AddItems(combo, {u"a"});
  HWND list = Info(combo).hwndList;
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_EQ(GetCapture(), list);
  DestroyWindow(combo);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ComboBox, CaseStylesPassToTheEditField) {
  HWND upper = MakeCombo(CBS_DROPDOWN | CBS_UPPERCASE);
  HWND edit = Info(upper).hwndItem;
  EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_UPPERCASE);
  SetFocus(upper);
  Type(u'q');
  EXPECT_EQ(WindowText(upper), u"Q");
  HWND plain = MakeCombo(CBS_DROPDOWN, {200, 20, 150, 100}, 6);
  EXPECT_FALSE(GetWindowLongPtrW(Info(plain).hwndItem, GWL_STYLE) & (ES_UPPERCASE | ES_LOWERCASE));
}

// A dialog's keyboard handling asks the focused window which keys it wants: a dropped list keeps
// Return and Esc for itself, for both the list style and the edit field of a drop-down.
TEST_F(ComboBox, DroppedListClaimsReturnAndEscapeFromTheDialog) {
  auto dialogCommands = [this] {
    int n = 0;
    for (auto& m : Log(parent))
      if (m.msg == WM_COMMAND && m.lParam == 0 && (m.wParam == 1 || m.wParam == 2)) ++n;
    return n;
  };
  for (DWORD style : {DWORD(CBS_DROPDOWNLIST), DWORD(CBS_DROPDOWN)}) {
    for (UINT key : {UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
      SCOPED_TRACE(int(style) * 100 + int(key));
      HWND combo = MakeCombo(style);
      AddItems(combo, {u"alpha", u"beta"});
      SendMessageW(combo, CB_SETCURSEL, 0, 0);
      HWND focus = style == CBS_DROPDOWN ? Info(combo).hwndItem : combo;
      SetFocus(combo);
      SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
      if (key == VK_RETURN) SendMessageW(Info(combo).hwndList, WM_KEYDOWN, VK_DOWN, 0);
      ClearLog();
      MSG msg{focus, WM_KEYDOWN, key, 0, 0, {}};
      EXPECT_NE(SendMessageW(focus, WM_GETDLGCODE, key, LPARAM(&msg)) & DLGC_WANTMESSAGE, 0);
      EXPECT_TRUE(IsDialogMessageW(parent, &msg));
      desktop->run_until_idle();
      EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
      EXPECT_EQ(Sel(combo), key == VK_RETURN ? 1 : 0);
      EXPECT_EQ(dialogCommands(), 0);
      // Closed, the key is the dialog's again.
      EXPECT_EQ(SendMessageW(focus, WM_GETDLGCODE, key, LPARAM(&msg)) & DLGC_WANTMESSAGE, 0);
      EXPECT_TRUE(IsDialogMessageW(parent, &msg));
      EXPECT_EQ(dialogCommands(), 1);
      DestroyWindow(combo);
    }
  }
}
