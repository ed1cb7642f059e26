// Typing into edits through injected keys: insertion, keyboard selection, deletion, undo, the
// length limit and the styles that filter or refuse input.

#include "edit_test_support.h"
#include "platform/user/services/Beep.h"

namespace kvtest {
namespace {

using namespace win;

class EditTypingTest : public EditTest {};

TEST_F(EditTypingTest, TypedCharactersReplaceTheSelectionAndMoveTheCaret) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"hello world");
  SetFocus(e);
  SetSel(e, 0, 5);
  Type(u"bye");
  EXPECT_EQ(Text(e), u"bye world");
  EXPECT_EQ(Sel(e), std::make_pair(3, 3));
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, 3 * kAdvance);
}

// Letters typed from keys alone (the character taken from the layout): Caps Lock, switched by
// its own press, makes them capitals and Shift turns them back; digits and Ctrl letters do not
// follow it.
TEST_F(EditTypingTest, CapsLockMakesTypedLettersCapitals) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 300, 20, u"");
  SetFocus(e);
  const struct {
    UINT vk;
    const char* mods;
    const char16_t* text;  // the edit's text afterwards
  } steps[] = {
      {'A', "", u"a"},         {'B', "s", u"aB"},       {VK_CAPITAL, "", u"aB"}, {'C', "", u"aBC"},
      {'D', "s", u"aBCd"},     {'1', "", u"aBCd1"},     {'1', "s", u"aBCd1!"},   {VK_CAPITAL, "", u"aBCd1!"},
      {'E', "", u"aBCd1!e"},   {'F', "s", u"aBCd1!eF"},
  };
  for (const auto& step : steps) {
    Key(step.vk, step.mods);
    EXPECT_EQ(Text(e), step.text) << "after key " << step.vk << " " << step.mods;
  }
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);  // pressed twice: off again
  // With Caps Lock on, a Ctrl letter is a control key, not a capital.
  Key(VK_CAPITAL);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
  Key('G', "c");
  EXPECT_EQ(Text(e), u"aBCd1!eF");
  Key(VK_CAPITAL);
}

TEST_F(EditTypingTest, ArrowsHomeEndAndShiftExtendTheSelection) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  SetFocus(e);
  SetSel(e, 2, 2);
  Key(VK_RIGHT, "s");
  Key(VK_RIGHT, "s");
  EXPECT_EQ(Sel(e), std::make_pair(2, 4));
  Key(VK_HOME, "s");  // the anchor stays at 2
  EXPECT_EQ(Sel(e), std::make_pair(0, 2));
  Key(VK_END);
  EXPECT_EQ(Sel(e), std::make_pair(6, 6));
  Key(VK_LEFT);
  EXPECT_EQ(Sel(e), std::make_pair(5, 5));
  // Left without Shift collapses a selection to its start.
  SetSel(e, 1, 4);
  Key(VK_LEFT);
  EXPECT_EQ(Sel(e), std::make_pair(1, 1));
  SetSel(e, 1, 4);
  Key(VK_RIGHT);
  EXPECT_EQ(Sel(e), std::make_pair(4, 4));
}

TEST_F(EditTypingTest, CtrlArrowsMoveByWords) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 300, 20, u"one two, three");
  SetFocus(e);
  SetSel(e, 0, 0);
  Key(VK_RIGHT, "c");
  EXPECT_EQ(Sel(e).second, 4);  // start of "two"
  Key(VK_RIGHT, "c");
  EXPECT_EQ(Sel(e).second, 7);  // the comma is a word of its own
  Key(VK_RIGHT, "c");
  EXPECT_EQ(Sel(e).second, 9);
  Key(VK_RIGHT, "cs");
  EXPECT_EQ(Sel(e), std::make_pair(9, 14));
  Key(VK_END);
  Key(VK_LEFT, "c");
  EXPECT_EQ(Sel(e).second, 9);
  Key(VK_LEFT, "c");
  EXPECT_EQ(Sel(e).second, 7);
  Key(VK_LEFT, "c");
  EXPECT_EQ(Sel(e).second, 4);
}

TEST_F(EditTypingTest, CtrlADoesNotSelectAll) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abc");
  SetFocus(e);
  SetSel(e, 1, 1);
  Key('A', "c");
  EXPECT_EQ(Sel(e), std::make_pair(1, 1));
  EXPECT_EQ(Text(e), u"abc");
}

TEST_F(EditTypingTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  SetFocus(e);
  SetSel(e, 3, 3);
  Key(VK_BACK);
  EXPECT_EQ(Text(e), u"abdef");
  Key(VK_DELETE);
  EXPECT_EQ(Text(e), u"abef");
  EXPECT_EQ(Sel(e), std::make_pair(2, 2));
  SetSel(e, 1, 3);
  Key(VK_DELETE);
  EXPECT_EQ(Text(e), u"af");
  SetSel(e, 0, 0);
  Key(VK_BACK);  // nothing before the caret
  EXPECT_EQ(Text(e), u"af");
}

TEST_F(EditTypingTest, UndoRevertsTypingAsOneStepAndASecondUndoRedoes) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"x");
  SetFocus(e);
  SetSel(e, 1, 1);
  EXPECT_FALSE(SendMessageW(e, EM_CANUNDO, 0, 0));
  Type(u"yz");
  EXPECT_TRUE(SendMessageW(e, EM_CANUNDO, 0, 0));
  Key('Z', "c");
  EXPECT_EQ(Text(e), u"x");
  Key('Z', "c");
  EXPECT_EQ(Text(e), u"xyz");
  SendMessageW(e, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessageW(e, EM_CANUNDO, 0, 0));
  EXPECT_FALSE(SendMessageW(e, EM_UNDO, 0, 0));
  EXPECT_EQ(Text(e), u"xyz");
}

// Undo puts the selection back as it was before the edit: a caret left where the longer text
// ended would lie past the end of the text restored, and the next key would go nowhere.
TEST_F(EditTypingTest, UndoPutsTheSelectionBack) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  SetFocus(e);
  SetSel(e, 1, 3);
  Type(u"X");
  EXPECT_EQ(Text(e), u"aXdef");
  SendMessageW(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), u"abcdef");
  EXPECT_EQ(Sel(e), std::make_pair(1, 3));

  SetWindowTextW(e, u"abc");
  SetSel(e, 3, 3);
  Type(u"defgh");
  SendMessageW(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), u"abc");
  EXPECT_EQ(Sel(e), std::make_pair(3, 3));
  Type(u"Z");
  EXPECT_EQ(Text(e), u"abcZ");
}

TEST_F(EditTypingTest, TypingPastTheLimitBeepsAndSendsMaxText) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20);
  SendMessageW(e, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETLIMITTEXT, 0, 0), 3);
  SetFocus(e);
  ResetMessageBeeps();
  ClearLog();
  Type(u"abcd");
  EXPECT_EQ(Text(e), u"abc");
  EXPECT_EQ(MessageBeepCount(), 1);
  auto codes = Notifications(e);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_MAXTEXT), 1);
  // Replacing a selection within the limit still works.
  SetSel(e, 0, 1);
  Type(u"z");
  EXPECT_EQ(Text(e), u"zbc");
}

TEST_F(EditTypingTest, DefaultAndZeroLimits) {
  HWND single = MakeEdit(ES_AUTOHSCROLL);
  EXPECT_EQ(DWORD(SendMessageW(single, EM_GETLIMITTEXT, 0, 0)), kEditDefaultLimit);
  SendMessageW(single, EM_SETLIMITTEXT, 0, 0);
  EXPECT_EQ(DWORD(SendMessageW(single, EM_GETLIMITTEXT, 0, 0)), kEditMaxLimitSingleLine);
}

TEST_F(EditTypingTest, ReadOnlyRefusesEditingButAllowsMoving) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, 200, 20, u"fixed");
  SetFocus(e);
  SetSel(e, 0, 0);
  ResetMessageBeeps();
  Type(u"x");
  Key(VK_DELETE);
  Key(VK_BACK);
  EXPECT_EQ(Text(e), u"fixed");
  EXPECT_EQ(MessageBeepCount(), 3);
  Key(VK_RIGHT, "s");
  EXPECT_EQ(Sel(e), std::make_pair(0, 1));
  // EM_SETREADONLY turns it off and on through the style.
  EXPECT_TRUE(SendMessageW(e, EM_SETREADONLY, FALSE, 0));
  EXPECT_EQ(GetWindowLongW(e, GWL_STYLE) & LONG(ES_READONLY), 0);
  Type(u"F");
  EXPECT_EQ(Text(e), u"Fixed");
}

TEST_F(EditTypingTest, NumberStyleRefusesOtherCharacters) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_NUMBER);
  SetFocus(e);
  ResetMessageBeeps();
  Type(u"1a2-3");
  EXPECT_EQ(Text(e), u"123");
  EXPECT_EQ(MessageBeepCount(), 2);
}

TEST_F(EditTypingTest, CaseStylesConvertTypedAndSetText) {
  HWND upper = MakeEdit(ES_AUTOHSCROLL | ES_UPPERCASE, 200, 20, u"", 101);
  SetFocus(upper);
  Type(u"abЖж");
  EXPECT_EQ(Text(upper), u"ABЖЖ");
  HWND lower = MakeEdit(ES_AUTOHSCROLL | ES_LOWERCASE, 200, 20, u"", 102);
  SetWindowTextW(lower, u"MiXeD Щ");
  EXPECT_EQ(Text(lower), u"mixed щ");
}

TEST_F(EditTypingTest, EnterAndTabAreRefusedInASingleLineEdit) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"a");
  SetFocus(e);
  SetSel(e, 1, 1);
  ResetMessageBeeps();
  Key(VK_RETURN);
  Key(VK_TAB);
  EXPECT_EQ(Text(e), u"a");
  EXPECT_EQ(MessageBeepCount(), 2);
}

TEST_F(EditTypingTest, WithoutAutoHScrollTextStopsAtTheRightEdge) {
  // 10 characters of 7 pixels fill 70 pixels; the caret needs the last column.
  HWND e = MakeEdit(0, 71, 20);
  SetFocus(e);
  ClearLog();
  Type(u"abcdefghijkl");
  EXPECT_EQ(Text(e), u"abcdefghij");
  auto codes = Notifications(e);
  EXPECT_GE(std::count(codes.begin(), codes.end(), EN_MAXTEXT), 1);
}

TEST_F(EditTypingTest, ChangeNotificationsComeInOrderAroundTheRepaint) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  SetFocus(e);
  ClearLog();
  Type(u"q");
  std::vector<UINT> order;
  for (const LoggedMessage& m : Log())
    if ((m.hwnd == parent && m.msg == WM_COMMAND && m.lParam == LPARAM(e)) || (m.hwnd == parent && m.msg == WM_CTLCOLOREDIT))
      order.push_back(m.msg == WM_COMMAND ? HIWORD(m.wParam) : 0xFFFF);
  // EN_UPDATE before the edit repaints (asking the parent for colours), EN_CHANGE after.
  ASSERT_EQ(order.size(), 3u);
  EXPECT_EQ(order[0], EN_UPDATE);
  EXPECT_EQ(order[1], 0xFFFFu);
  EXPECT_EQ(order[2], EN_CHANGE);
  // The notification carries the control's id.
  for (const LoggedMessage& m : Log(parent)) {
    if (m.msg == WM_COMMAND) {
      EXPECT_EQ(LOWORD(m.wParam), 100);
    }
  }
}

TEST_F(EditTypingTest, FocusNotificationsAndCaret) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"", 100);
  HWND other = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"", 101);
  ClearLog();
  SetFocus(e);
  SetFocus(other);
  auto codes = Notifications(e);
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_EQ(codes[0], EN_SETFOCUS);
  EXPECT_EQ(codes[1], EN_KILLFOCUS);
}

}  // namespace
}  // namespace kvtest
