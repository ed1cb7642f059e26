// Selecting with the mouse, the clipboard commands and keys, and the context menu.

#include <cstring>

#include "edit_test_support.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/menus/Menu.h"

namespace kvtest {
namespace {

using namespace win;

class EditMouseClipboardTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    ResetClipboard();
  }
  void TearDown() override {
    ResetClipboard();
    EditTest::TearDown();
  }
  static std::u16string ClipboardText() {
    std::u16string out;
    if (!OpenClipboard(nullptr)) return u"<closed>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      auto* p = static_cast<const char16_t*>(GlobalLock(HGLOBAL(h)));
      if (p) out = p;
      GlobalUnlock(HGLOBAL(h));
    } else {
      out = u"<none>";
    }
    CloseClipboard();
    return out;
  }
  static void PutClipboard(std::u16string_view text, bool terminate = true) {
    std::u16string t(text);
    std::size_t bytes = (t.size() + (terminate ? 1 : 0)) * sizeof(char16_t);
    HGLOBAL mem = GlobalAllocCopy(t.c_str(), bytes);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
  }
};

TEST_F(EditMouseClipboardTest, ClickPlacesTheCaretAtTheNearestBoundary) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdef");
  // Character 2 spans x 14..20: a click at 17 rounds down to 2, at 18 up to 3.
  desktop->click(Screen(e, 17, 5));
  desktop->run_until_idle();
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(Sel(e), std::make_pair(2, 2));
  desktop->advance(1000);  // no double-click
  desktop->click(Screen(e, 18, 5));
  desktop->run_until_idle();
  EXPECT_EQ(Sel(e), std::make_pair(3, 3));
  desktop->advance(1000);
  desktop->click(Screen(e, 190, 5));  // past the end
  desktop->run_until_idle();
  EXPECT_EQ(Sel(e), std::make_pair(6, 6));
}

TEST_F(EditMouseClipboardTest, DragSelectsWithCaptureAndShiftClickExtends) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"abcdefgh");
  desktop->mouse_down(Screen(e, 7, 5));
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), e);
  desktop->mouse_move(Screen(e, 35, 5));
  desktop->run_until_idle();
  EXPECT_EQ(Sel(e), std::make_pair(1, 5));
  // Dragging back past the anchor selects the other way.
  desktop->mouse_move(Screen(e, 0, 5));
  desktop->run_until_idle();
  EXPECT_EQ(Sel(e), std::make_pair(0, 1));
  desktop->mouse_up(Screen(e, 0, 5));
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), nullptr);
  // Moving without the button changes nothing.
  desktop->mouse_move(Screen(e, 50, 5));
  desktop->run_until_idle();
  EXPECT_EQ(Sel(e), std::make_pair(0, 1));
  // Shift+click keeps the anchor (1) and moves the caret.
  desktop->advance(1000);
  desktop->key_down(VK_SHIFT);
  desktop->click(Screen(e, 42, 5));
  desktop->key_up(VK_SHIFT);
  desktop->run_until_idle();
  EXPECT_EQ(Sel(e), std::make_pair(1, 6));
}

TEST_F(EditMouseClipboardTest, DoubleClickSelectsTheWord) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 300, 20, u"alpha beta gamma");
  desktop->click(Screen(e, 6 * kAdvance + 3, 5));
  desktop->click(Screen(e, 6 * kAdvance + 3, 5));
  desktop->run_until_idle();
  EXPECT_EQ(Sel(e), std::make_pair(6, 10));
}

TEST_F(EditMouseClipboardTest, CopyCutPasteByMessagesAndKeys) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 300, 20, u"one two");
  SetFocus(e);
  SetSel(e, 0, 3);
  SendMessageW(e, WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"one");
  SetSel(e, 4, 7);
  Key('X', "c");
  EXPECT_EQ(ClipboardText(), u"two");
  EXPECT_EQ(Text(e), u"one ");
  SetSel(e, 0, 0);
  Key('V', "c");
  EXPECT_EQ(Text(e), u"twoone ");
  SetSel(e, 0, 3);
  Key(VK_INSERT, "c");  // copy
  SetSel(e, 7, 7);
  Key(VK_INSERT, "s");  // paste
  EXPECT_EQ(Text(e), u"twoone two");
  SetSel(e, 3, 6);
  Key(VK_DELETE, "s");  // cut
  EXPECT_EQ(ClipboardText(), u"one");
  EXPECT_EQ(Text(e), u"two two");
  SetSel(e, 0, 4);
  SendMessageW(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), u"two");
  EXPECT_EQ(ClipboardText(), u"one");  // clearing leaves the clipboard alone
  // A cut is undone like any change.
  EXPECT_TRUE(SendMessageW(e, WM_UNDO, 0, 0));
  EXPECT_EQ(Text(e), u"two two");
}

TEST_F(EditMouseClipboardTest, PasteIntoASingleLineEditStopsAtTheFirstLineBreak) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  PutClipboard(u"first\r\nsecond");
  SendMessageW(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), u"first");
}

TEST_F(EditMouseClipboardTest, HugePasteIsTruncatedToTheLimit) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"ab");
  SendMessageW(e, EM_LIMITTEXT, 10, 0);
  std::u16string huge(200000, u'x');
  PutClipboard(huge);
  SetSel(e, 1, 1);
  ClearLog();
  ResetMessageBeeps();
  SendMessageW(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), u"axxxxxxxxb");
  EXPECT_EQ(GetWindowTextLengthW(e), 10);
  auto codes = Notifications(e);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_MAXTEXT), 1);
  EXPECT_EQ(MessageBeepCount(), 0);  // only typing beeps
}

TEST_F(EditMouseClipboardTest, PasteOfAnUnterminatedBlockReadsOnlyTheBlock) {
  HWND e = MakeEdit(ES_AUTOHSCROLL);
  PutClipboard(u"abc", /*terminate=*/false);
  SendMessageW(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), u"abc");
}

TEST_F(EditMouseClipboardTest, PasswordEditsShowStarsAndKeepTheTextOffTheClipboard) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD, 200, 20, u"secret");
  EXPECT_EQ(SendMessageW(e, EM_GETPASSWORDCHAR, 0, 0), LRESULT(u'*'));
  PutClipboard(u"keep");
  SetSel(e, 0, -1);
  SendMessageW(e, WM_COPY, 0, 0);
  SendMessageW(e, WM_CUT, 0, 0);
  EXPECT_EQ(ClipboardText(), u"keep");
  EXPECT_EQ(Text(e), u"secret");
  // The text itself stays readable by the program.
  SendMessageW(e, EM_SETPASSWORDCHAR, WPARAM(u'#'), 0);
  EXPECT_EQ(SendMessageW(e, EM_GETPASSWORDCHAR, 0, 0), LRESULT(u'#'));
  SendMessageW(e, EM_SETPASSWORDCHAR, 0, 0);
  EXPECT_EQ(GetWindowLongW(e, GWL_STYLE) & LONG(ES_PASSWORD), 0);
  SetSel(e, 0, 3);
  SendMessageW(e, WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"sec");
}

TEST_F(EditMouseClipboardTest, ReadOnlyEditCopiesButNeitherCutsNorPastes) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, 200, 20, u"locked");
  SetSel(e, 0, 3);
  SendMessageW(e, WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"loc");
  SendMessageW(e, WM_CUT, 0, 0);
  SendMessageW(e, WM_PASTE, 0, 0);
  SendMessageW(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), u"locked");
}

class EditContextMenuTest : public EditMouseClipboardTest {
 protected:
  // Opens the context menu and answers it with keys: `downs` times Down, then Enter; when the
  // chosen item is greyed the menu stays open and Escape closes it.
  void RunMenu(HWND e, int downs, bool fromKeyboard = false, bool greyed = false) {
    for (int i = 0; i < downs; ++i) desktop->script([this] { desktop->press_key(VK_DOWN); });
    desktop->script([this] { desktop->press_key(VK_RETURN); });
    if (greyed) desktop->script([this] { desktop->press_key(VK_ESCAPE); });
    POINT at = Screen(e, 5, 5);
    LPARAM where = fromKeyboard ? MAKELPARAM(WORD(-1), WORD(-1)) : MAKELPARAM(WORD(at.x), WORD(at.y));
    SendMessageW(e, WM_CONTEXTMENU, WPARAM(e), where);
    desktop->run_until_idle();
  }
};

TEST_F(EditContextMenuTest, SelectAllFromTheKeyboardMenu) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"word");
  SetFocus(e);
  SetSel(e, 0, 2);
  // Undo, Cut, Copy, Paste, Delete, Select All: separators are skipped.
  RunMenu(e, 6, true);
  EXPECT_EQ(Sel(e), std::make_pair(0, 4));
}

TEST_F(EditContextMenuTest, CutFromTheMenu) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"word");
  SetFocus(e);
  SetSel(e, 1, 3);
  RunMenu(e, 2);
  EXPECT_EQ(Text(e), u"wd");
  EXPECT_EQ(ClipboardText(), u"or");
  // Now Undo is enabled and puts the text back.
  RunMenu(e, 1);
  EXPECT_EQ(Text(e), u"word");
}

TEST_F(EditContextMenuTest, GreyedItemsDoNothing) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, 200, 20, u"word");
  SetFocus(e);
  SetSel(e, 1, 3);
  RunMenu(e, 2, false, true);  // Cut is greyed in a read-only edit
  EXPECT_EQ(Text(e), u"word");
  EXPECT_EQ(ClipboardText(), u"<none>");
  EXPECT_EQ(desktop->pending_script(), 0u);  // Escape closed the menu
  RunMenu(e, 3);  // Copy is not
  EXPECT_EQ(ClipboardText(), u"or");
}

// The menu opens at the pointer when the mouse asked for it, and from the keyboard just below
// the caret's line, so that it covers neither the caret nor the text before it.
TEST_F(EditContextMenuTest, TheMenuOpensAtThePointerOrBelowTheCaret) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 200, 20, u"word");
  SetFocus(e);
  SetSel(e, 2, 2);
  const LRESULT caret = SendMessageW(e, EM_POSFROMCHAR, 2, 0);
  struct Case {
    bool fromKeyboard;
    POINT corner;  // where the menu's window starts, on the screen
  };
  const Case cases[] = {{false, Screen(e, 5, 5)},
                        {true, Screen(e, GET_X_LPARAM(caret), GET_Y_LPARAM(caret) + kLine)}};
  for (const Case& c : cases) {
    RECT menu{};
    desktop->script([&] {
      HWND popup = WindowFromPoint(POINT{c.corner.x + 4, c.corner.y + 4});
      GetWindowRect(popup, &menu);
      desktop->press_key(VK_ESCAPE);
    });
    LPARAM where = c.fromKeyboard ? MAKELPARAM(WORD(-1), WORD(-1)) : MAKELPARAM(WORD(c.corner.x), WORD(c.corner.y));
    SendMessageW(e, WM_CONTEXTMENU, WPARAM(e), where);
    desktop->run_until_idle();
    EXPECT_EQ(menu.left, c.corner.x) << c.fromKeyboard;
    EXPECT_EQ(menu.top, c.corner.y) << c.fromKeyboard;
  }
}

}  // namespace
}  // namespace kvtest
