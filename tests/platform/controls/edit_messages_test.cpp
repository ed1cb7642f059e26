// The EM_ and text messages of single-line edits, and replacement of the window procedure.

#include <cstring>

#include "edit_test_support.h"
#include "platform/kernel/LastError.h"
#include "platform/user/windows/DefWindowProc.h"

namespace kvtest {
namespace {

using namespace win;

class EditMessagesTest : public EditTest {};

TEST_F(EditMessagesTest, SetSelFollowsTheMinusOneRules) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  SetSel(e, 0, -1);
  EXPECT_EQ(Sel(e), std::make_pair(0, 6));
  SetSel(e, 4, 1);  // reversed: the caret goes to the second value
  EXPECT_EQ(Sel(e), std::make_pair(1, 4));
  SetFocus(e);
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, 1 * kAdvance);
  SetSel(e, -1, 0);  // removes the selection, caret stays
  EXPECT_EQ(Sel(e), std::make_pair(1, 1));
  SetSel(e, 2, 100);  // clamped
  EXPECT_EQ(Sel(e), std::make_pair(2, 6));
  // The packed result and the two out-parameters agree.
  LRESULT packed = SendMessageW(e, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(uintptr_t(packed)), 2);
  EXPECT_EQ(HIWORD(uintptr_t(packed)), 6);
}

TEST_F(EditMessagesTest, ReplaceSelHonoursTheUndoFlagAndTheLimit) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abc");
  SetSel(e, 1, 2);
  SendMessageW(e, EM_REPLACESEL, FALSE, LPARAM(u"XY"));
  EXPECT_EQ(Text(e), u"aXYc");
  EXPECT_EQ(Sel(e), std::make_pair(3, 3));
  EXPECT_FALSE(SendMessageW(e, EM_CANUNDO, 0, 0));
  SendMessageW(e, EM_REPLACESEL, TRUE, LPARAM(u"!"));
  EXPECT_TRUE(SendMessageW(e, EM_CANUNDO, 0, 0));
  SendMessageW(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), u"aXYc");
  SendMessageW(e, EM_LIMITTEXT, 6, 0);
  SetSel(e, 4, 4);
  ClearLog();
  SendMessageW(e, EM_REPLACESEL, TRUE, LPARAM(u"12345"));
  EXPECT_EQ(Text(e), u"aXYc12");
  auto codes = Notifications(e);
  EXPECT_NE(std::find(codes.begin(), codes.end(), EN_MAXTEXT), codes.end());
  // A null text deletes the selection.
  SetSel(e, 0, 4);
  SendMessageW(e, EM_REPLACESEL, FALSE, 0);
  EXPECT_EQ(Text(e), u"12");
}

TEST_F(EditMessagesTest, SetTextResetsModifyUndoAndSelection) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"start");
  EXPECT_FALSE(SendMessageW(e, EM_GETMODIFY, 0, 0));
  SetFocus(e);
  SetSel(e, 5, 5);
  Type(u"!");
  EXPECT_TRUE(SendMessageW(e, EM_GETMODIFY, 0, 0));
  ClearLog();
  EXPECT_TRUE(SetWindowTextW(e, u"new"));
  EXPECT_FALSE(SendMessageW(e, EM_GETMODIFY, 0, 0));
  EXPECT_FALSE(SendMessageW(e, EM_CANUNDO, 0, 0));
  EXPECT_EQ(Sel(e), std::make_pair(0, 0));
  auto codes = Notifications(e);
  EXPECT_NE(std::find(codes.begin(), codes.end(), EN_CHANGE), codes.end());
  SendMessageW(e, EM_SETMODIFY, TRUE, 0);
  EXPECT_TRUE(SendMessageW(e, EM_GETMODIFY, 0, 0));
  // The text survives being longer than the typing limit.
  SendMessageW(e, EM_LIMITTEXT, 2, 0);
  SetWindowTextW(e, u"longer");
  EXPECT_EQ(Text(e), u"longer");
}

TEST_F(EditMessagesTest, GetTextCopiesWhatFitsWithItsTerminator) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  char16_t buf[4] = {u'?', u'?', u'?', u'?'};
  EXPECT_EQ(SendMessageW(e, WM_GETTEXT, 4, LPARAM(buf)), 3);
  EXPECT_EQ(std::u16string(buf), u"abc");
  EXPECT_EQ(SendMessageW(e, WM_GETTEXT, 0, LPARAM(buf)), 0);
  EXPECT_EQ(SendMessageW(e, WM_GETTEXT, 10, 0), 0);
  EXPECT_EQ(SendMessageW(e, WM_GETTEXTLENGTH, 0, 0), 6);
}

TEST_F(EditMessagesTest, SingleLineAnswersOfLineMessages) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 0, 0), 0);
  EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, 3, 0), 6);
  EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, 4, 0), 0);
  char16_t buf[8] = {};
  WORD room = 4;
  std::memcpy(buf, &room, sizeof room);
  EXPECT_EQ(SendMessageW(e, EM_GETLINE, 0, LPARAM(buf)), 4);
  EXPECT_EQ(std::u16string(buf, 4), u"abcd");
  EXPECT_FALSE(SendMessageW(e, EM_LINESCROLL, 0, 1));
  EXPECT_EQ(SendMessageW(e, EM_GETHANDLE, 0, 0), 0);
  EXPECT_FALSE(SendMessageW(e, EM_SETTABSTOPS, 0, 0));
}

TEST_F(EditMessagesTest, PositionsFromCharactersAndBack) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  RECT fmt{};
  SendMessageW(e, EM_GETRECT, 0, LPARAM(&fmt));
  LRESULT p = SendMessageW(e, EM_POSFROMCHAR, 3, 0);
  EXPECT_EQ(GET_X_LPARAM(p), 3 * kAdvance);
  EXPECT_EQ(GET_Y_LPARAM(p), fmt.top);
  EXPECT_EQ(SendMessageW(e, EM_POSFROMCHAR, 6, 0), -1);  // past the last character
  LRESULT c = SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(4 * kAdvance + 1, 5));
  EXPECT_EQ(LOWORD(uintptr_t(c)), 4);
  EXPECT_EQ(HIWORD(uintptr_t(c)), 0);
}

TEST_F(EditMessagesTest, MarginsShapeTheFormattingRectangle) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abc");
  SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(5, 9));
  EXPECT_EQ(SendMessageW(e, EM_GETMARGINS, 0, 0), LRESULT(MAKELPARAM(5, 9)));
  RECT client{}, fmt{};
  GetClientRect(e, &client);
  SendMessageW(e, EM_GETRECT, 0, LPARAM(&fmt));
  EXPECT_EQ(fmt.left, 5);
  EXPECT_EQ(fmt.right, client.right - 9);
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 1, 0)), 5 + kAdvance);
  // One side alone leaves the other as it was.
  SendMessageW(e, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(1, 2));
  EXPECT_EQ(SendMessageW(e, EM_GETMARGINS, 0, 0), LRESULT(MAKELPARAM(5, 2)));
  // Font-based margins are not zero for a font with width.
  SendMessageW(e, EM_SETMARGINS, EC_USEFONTINFO, 0);
  LRESULT m = SendMessageW(e, EM_GETMARGINS, 0, 0);
  EXPECT_GT(LOWORD(uintptr_t(m)), 0);
  EXPECT_EQ(LOWORD(uintptr_t(m)), HIWORD(uintptr_t(m)));
}

TEST_F(EditMessagesTest, SetRectMovesTheTextAndNullRestoresTheDefault) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abc");
  RECT def{};
  SendMessageW(e, EM_GETRECT, 0, LPARAM(&def));
  RECT r{20, 2, 150, 15};
  SendMessageW(e, EM_SETRECTNP, 0, LPARAM(&r));
  RECT got{};
  SendMessageW(e, EM_GETRECT, 0, LPARAM(&got));
  EXPECT_EQ(got.left, 20);
  EXPECT_EQ(got.right, 150);
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 0, 0)), 20);
  SendMessageW(e, EM_SETRECT, 0, 0);
  SendMessageW(e, EM_GETRECT, 0, LPARAM(&got));
  EXPECT_EQ(got.left, def.left);
  EXPECT_EQ(got.right, def.right);
}

TEST_F(EditMessagesTest, AlignmentStylesPlaceShortText) {
  HWND right = MakeEdit(ES_RIGHT, 101, 20, u"ab", 101);
  HWND center = MakeEdit(ES_CENTER, 101, 20, u"ab", 102);
  // 14 pixels of text in 101: right-aligned leaves a column for the caret.
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(right, EM_POSFROMCHAR, 0, 0)), 101 - 14 - 1);
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(center, EM_POSFROMCHAR, 0, 0)), (101 - 14) / 2);
}

TEST_F(EditMessagesTest, AutoScrollKeepsTheCaretVisibleAndReportsTheFirstVisibleCharacter) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 71, 20);
  SetFocus(e);
  Type(u"0123456789abcdefghij");  // 140 pixels in a 71-pixel edit
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_GE(caret.x, 0);
  EXPECT_LT(caret.x, 71);
  LRESULT first = SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(first, 0);
  Key(VK_HOME);
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(EditMessagesTest, FontDefaultsToTheGuiFontAndFollowsSetFont) {
  HWND e = CreateWindowExW(0, u"Edit", u"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, nullptr, nullptr, nullptr);
  EXPECT_EQ(HGDIOBJ(SendMessageW(e, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(e, WM_SETFONT, WPARAM(font), TRUE);
  EXPECT_EQ(HFONT(SendMessageW(e, WM_GETFONT, 0, 0)), font);
}

TEST_F(EditMessagesTest, DialogCodes) {
  HWND single = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"", 101);
  HWND multi = MakeEdit(ES_MULTILINE, 100, 60, u"", 102);
  HWND wants = MakeEdit(ES_MULTILINE | ES_WANTRETURN, 100, 60, u"", 103);
  const LRESULT base = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  EXPECT_EQ(SendMessageW(single, WM_GETDLGCODE, 0, 0), base);
  EXPECT_EQ(SendMessageW(multi, WM_GETDLGCODE, 0, 0), base | DLGC_WANTALLKEYS);
  MSG enter;
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  EXPECT_EQ(SendMessageW(multi, WM_GETDLGCODE, VK_RETURN, LPARAM(&enter)), base);
  EXPECT_EQ(SendMessageW(wants, WM_GETDLGCODE, VK_RETURN, LPARAM(&enter)), base | DLGC_WANTALLKEYS);
}

TEST_F(EditMessagesTest, ParentColoursReadOnlyAndDisabledThroughStaticMessage) {
  HWND normal = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"a", 101);
  HWND ro = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, 100, 20, u"a", 102);
  HWND off = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"a", 103);
  EnableWindow(off, FALSE);
  for (HWND h : {normal, ro, off}) InvalidateRect(h, nullptr, TRUE);
  ClearLog();
  desktop->run_until_idle();
  auto askedWith = [&](HWND h) {
    UINT msg = 0;
    for (const LoggedMessage& m : Log(parent))
      if ((m.msg == WM_CTLCOLOREDIT || m.msg == WM_CTLCOLORSTATIC) && m.lParam == LPARAM(h)) msg = m.msg;
    return msg;
  };
  EXPECT_EQ(askedWith(normal), WM_CTLCOLOREDIT);
  EXPECT_EQ(askedWith(ro), WM_CTLCOLORSTATIC);
  EXPECT_EQ(askedWith(off), WM_CTLCOLORSTATIC);
}

TEST_F(EditMessagesTest, AbsurdArgumentsAreClampedOrRefused) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOHSCROLL, 100, 40, u"ab\r\ncd\r\nef\r\ngh");
  EXPECT_TRUE(SendMessageW(e, EM_LINESCROLL, WPARAM(INT(0x7FFFFFFF)), LPARAM(INT(0x80000000))));
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_TRUE(SendMessageW(e, EM_LINESCROLL, WPARAM(INT(0x80000000)), LPARAM(INT(0x7FFFFFFF))));
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 4, 0)), 0);
  INT stops[2] = {0x7FFFFFFF, -5};
  EXPECT_TRUE(SendMessageW(e, EM_SETTABSTOPS, 2, LPARAM(stops)));
  EXPECT_FALSE(SendMessageW(e, EM_SETTABSTOPS, 3, 0));  // a count without stops
  EXPECT_EQ(SendMessageW(e, EM_POSFROMCHAR, 1000000, 0), -1);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 1000000, 0), -1);
  EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, 1000000, 0), 0);
  RECT inverted{50, 30, 10, 5};
  SendMessageW(e, EM_SETRECTNP, 0, LPARAM(&inverted));
  RECT got{};
  SendMessageW(e, EM_GETRECT, 0, LPARAM(&got));
  EXPECT_GE(got.right, got.left);
  EXPECT_GE(got.bottom, got.top);
  SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0xFFFF, 0xFFFF));
  LRESULT c = SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(WORD(-30000), WORD(-30000)));
  EXPECT_EQ(HIWORD(uintptr_t(c)), 0);
  EXPECT_EQ(Text(e), u"ab\r\ncd\r\nef\r\ngh");
}

// A caller's procedure in front of the edit: the edit's behaviour and state stay reachable.
WNDPROC g_previous = nullptr;
int g_seenChars = 0;
LRESULT FilteringProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CHAR) {
    ++g_seenChars;
    if (w == u'x') return 0;  // swallowed
    if (w == u'a') w = u'A';  // changed
  }
  return CallWindowProcW(g_previous, h, msg, w, l);
}

TEST_F(EditMessagesTest, SubclassedEditKeepsWorking) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  g_seenChars = 0;
  g_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FilteringProc)));
  ASSERT_NE(g_previous, nullptr);
  SetFocus(e);
  Type(u"axb");
  EXPECT_EQ(g_seenChars, 3);
  EXPECT_EQ(Text(e), u"Ab");
  SetSel(e, 0, -1);
  EXPECT_EQ(Sel(e), std::make_pair(0, 2));
  SetWindowLongPtrW(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
  Type(u"x");
  EXPECT_EQ(Text(e), u"x");
}

TEST_F(EditMessagesTest, DestroyedEditFailsCleanly) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"gone");
  DestroyWindow(e);
  EXPECT_EQ(SendMessageW(e, EM_GETSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(e, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_FALSE(SetWindowTextW(e, u"x"));
}

TEST_F(EditMessagesTest, ParentThatDestroysTheEditOnChangeIsSurvived) {
  HWND e = nullptr;
  SetHandler(parent, [&](HWND, UINT msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_COMMAND && HIWORD(w) == EN_UPDATE && e) {
      HWND dying = e;
      e = nullptr;
      DestroyWindow(dying);
      return 0;
    }
    return std::nullopt;
  });
  e = MakeEdit(ES_AUTOHSCROLL);
  HWND kept = e;
  SetFocus(e);
  Type(u"z");
  EXPECT_FALSE(IsWindow(kept));
}

// Keys and characters sent straight to the control act and are answered as handled (zero), so a
// procedure that passes them on reports them handled too.
TEST_F(EditMessagesTest, KeysAndCharactersSentStraightActAndAnswerHandled) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"ab", 101);
  EXPECT_EQ(SendMessageW(e, WM_KEYDOWN, VK_END, 0), 0);
  EXPECT_EQ(SendMessageW(e, WM_CHAR, u'x', 0), 0);
  EXPECT_EQ(SendMessageW(e, WM_KEYDOWN, VK_HOME, 0), 0);
  EXPECT_EQ(SendMessageW(e, WM_CHAR, u'y', 0), 0);
  EXPECT_EQ(Text(e), u"yabx");
}

}  // namespace
}  // namespace kvtest
