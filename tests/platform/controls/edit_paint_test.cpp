// What an edit paints: its text in the window colours, the selection in the highlight colours
// while focused (or always with ES_NOHIDESEL), password characters instead of the text.

#include "edit_test_support.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/services/SysColors.h"

namespace kvtest {
namespace {

using namespace win;

class EditPaintTest : public EditTest {
 protected:
  // A pixel of the edit's client area as it appears on screen.
  COLORREF At(HWND e, int x, int y) {
    desktop->run_until_idle();
    POINT p = Screen(e, x, y);
    return desktop->screen_pixel(p.x, p.y);
  }
  // The middle row of the text of a 20-pixel single-line edit (text rows 3 .. 12).
  static constexpr int kRow = 8;
  // Column 1 of character i is inked; column 6 (the last of the advance) never is.
  static int Ink(int i) { return i * kAdvance + 1; }
  static int Gap(int i) { return i * kAdvance + 6; }
};

TEST_F(EditPaintTest, TextInWindowColoursOnTheWindowBackground) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"ab c");
  EXPECT_EQ(At(e, Ink(0), kRow), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(At(e, Gap(0), kRow), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(At(e, Ink(2), kRow), GetSysColor(COLOR_WINDOW));  // a blank draws nothing
  EXPECT_EQ(At(e, Ink(3), kRow), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(At(e, Ink(5), kRow), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(At(e, Ink(0), 1), GetSysColor(COLOR_WINDOW));  // above the text
}

TEST_F(EditPaintTest, SelectionIsHighlightedOnlyWhileFocusedUnlessNoHideSel) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"abcd", 101);
  HWND keep = MakeEdit(ES_AUTOHSCROLL | ES_NOHIDESEL, 100, 20, u"abcd", 102);
  SetWindowPos(keep, nullptr, 10, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetSel(e, 1, 3);
  SetSel(keep, 1, 3);
  // Unfocused: plain text.
  EXPECT_EQ(At(e, Ink(1), kRow), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(At(e, Gap(1), kRow), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(At(keep, Ink(1), kRow), GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(At(keep, Gap(1), kRow), GetSysColor(COLOR_HIGHLIGHT));
  SetFocus(e);
  EXPECT_EQ(At(e, Ink(1), kRow), GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(At(e, Gap(2), kRow), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(At(e, Gap(0), kRow), GetSysColor(COLOR_WINDOW));  // before the selection
  EXPECT_EQ(At(e, Ink(3), kRow), GetSysColor(COLOR_WINDOWTEXT));  // after it
}

TEST_F(EditPaintTest, ReadOnlyAndDisabledLooks) {
  HWND ro = MakeEdit(ES_AUTOHSCROLL | ES_READONLY, 100, 20, u"a", 101);
  EXPECT_EQ(At(ro, Gap(0), kRow), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(At(ro, Ink(0), kRow), GetSysColor(COLOR_WINDOWTEXT));
  EnableWindow(ro, FALSE);
  EXPECT_EQ(At(ro, Ink(0), kRow), GetSysColor(COLOR_GRAYTEXT));
}

TEST_F(EditPaintTest, ParentBrushAndTextColourAreUsed) {
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  SetHandler(parent, [&](HWND, UINT msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (msg != WM_CTLCOLOREDIT) return std::nullopt;
    SetTextColor(HDC(w), RGB(255, 0, 0));
    return reinterpret_cast<LRESULT>(green);
  });
  HWND e = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"a");
  EXPECT_EQ(At(e, Ink(0), kRow), RGB(255, 0, 0));
  EXPECT_EQ(At(e, Gap(0), kRow), RGB(0, 128, 0));
  DestroyWindow(e);
  DeleteObject(green);
}

TEST_F(EditPaintTest, PasswordCharactersAreDrawnInsteadOfBlanks) {
  HWND e = MakeEdit(ES_AUTOHSCROLL | ES_PASSWORD, 100, 20, u"a b");
  // The blank of the text shows as a password character.
  EXPECT_EQ(At(e, Ink(1), kRow), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(At(e, Ink(3), kRow), GetSysColor(COLOR_WINDOW));
}

TEST_F(EditPaintTest, ScrolledTextIsClippedToTheFormattingRectangle) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 100, 20, u"abc");
  RECT r{14, 3, 50, 16};
  SendMessageW(e, EM_SETRECT, 0, LPARAM(&r));
  EXPECT_EQ(At(e, Ink(2), kRow), GetSysColor(COLOR_WINDOWTEXT));  // 'a' now at x 14
  EXPECT_EQ(At(e, Ink(0), kRow), GetSysColor(COLOR_WINDOW));
  SetWindowTextW(e, u"abcdefghijklmnop");
  EXPECT_EQ(At(e, 52, kRow), GetSysColor(COLOR_WINDOW));  // nothing right of the rectangle
}

}  // namespace
}  // namespace kvtest
