// The BUTTON class: checks of every style, radio groups, mouse and keyboard, notifications,
// dialog codes, owner drawing and the pixels the drawing rules fix.

#include "platform/controls/Button.h"

#include <vector>

#include "platform/controls/Edit.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/Input.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"
#include "support/HeadlessFixture.h"

namespace kvtest {
namespace {

using namespace win;

class ButtonTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(RegisterButtonClass());
    parent = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, {50, 50, 500, 400});
  }
  HWND Make(DWORD style, int id, RECT r = {10, 10, 120, 24}, const char16_t* text = u"Кнопка") {
    HWND b = CreateWindowExW(0, u"Button", text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right, r.bottom,
                             parent, reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
    EXPECT_NE(b, nullptr);
    desktop->run_until_idle();
    return b;
  }
  // Notifications `code` the parent got from `button`.
  int Notified(HWND button, WORD code) const {
    int n = 0;
    for (const LoggedMessage& m : Log(parent)) {
      if (m.msg == WM_COMMAND && HIWORD(m.wParam) == code && m.lParam == reinterpret_cast<LPARAM>(button)) {
        EXPECT_EQ(LOWORD(m.wParam), GetDlgCtrlID(button));
        ++n;
      }
    }
    return n;
  }
  static LRESULT Check(HWND b) { return SendMessageW(b, BM_GETCHECK, 0, 0); }
  static POINT Centre(HWND b) {
    RECT r{};
    GetClientRect(b, &r);
    POINT p{r.right / 2, r.bottom / 2};
    ClientToScreen(b, &p);
    return p;
  }
  void ClickOn(HWND b) {
    desktop->click(Centre(b));
    desktop->run_until_idle();
  }
  void Press(UINT vk) {
    desktop->press_key(vk);
    desktop->run_until_idle();
  }
  COLORREF Pixel(HWND b, int x, int y) {
    desktop->run_until_idle();
    POINT p{x, y};
    ClientToScreen(b, &p);
    return desktop->screen_pixel(p.x, p.y);
  }

  HWND parent = nullptr;
};

TEST_F(ButtonTest, AutomaticCheckBoxesToggleOrCycleBeforeTheyNotify) {
  HWND two = Make(BS_AUTOCHECKBOX, 1);
  HWND three = Make(BS_AUTO3STATE, 2, {10, 40, 120, 24});
  LRESULT seenAtClick = -1;
  SetHandler(parent, [&](HWND, UINT msg, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (msg == WM_COMMAND && HIWORD(w) == BN_CLICKED) seenAtClick = Check(reinterpret_cast<HWND>(l));
    return std::nullopt;
  });
  ClearLog();
  ClickOn(two);
  EXPECT_EQ(Check(two), BST_CHECKED);
  EXPECT_EQ(seenAtClick, BST_CHECKED);
  ClickOn(two);
  EXPECT_EQ(Check(two), BST_UNCHECKED);
  EXPECT_EQ(Notified(two, BN_CLICKED), 2);

  std::vector<LRESULT> cycle;
  for (int i = 0; i < 4; ++i) {
    SendMessageW(three, BM_CLICK, 0, 0);
    cycle.push_back(Check(three));
  }
  EXPECT_EQ(cycle, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}));
  EXPECT_EQ(Notified(three, BN_CLICKED), 4);
}

TEST_F(ButtonTest, ManualStylesOnlyNotifyAndSetCheckClampsToTheStyle) {
  HWND box = Make(BS_CHECKBOX, 1);
  HWND three = Make(BS_3STATE, 2, {10, 40, 120, 24});
  HWND push = Make(BS_PUSHBUTTON, 3, {10, 70, 120, 24});
  ClearLog();
  ClickOn(box);
  EXPECT_EQ(Check(box), BST_UNCHECKED);
  EXPECT_EQ(Notified(box, BN_CLICKED), 1);

  SendMessageW(box, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(box), BST_CHECKED);
  SendMessageW(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(three), BST_INDETERMINATE);
  EXPECT_EQ(SendMessageW(three, BM_GETSTATE, 0, 0) & 3, BST_INDETERMINATE);
  SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(push), BST_UNCHECKED);

  // A style with fewer states clamps the check it had.
  SendMessageW(three, BM_SETSTYLE, BS_CHECKBOX, FALSE);
  EXPECT_EQ(Check(three), BST_CHECKED);
  EXPECT_EQ(GetWindowLongW(three, GWL_STYLE) & LONG(BS_TYPEMASK), LONG(BS_CHECKBOX));
  EXPECT_EQ(Notified(three, BN_CLICKED), 0);
}

TEST_F(ButtonTest, AutomaticRadioButtonsUncheckTheirGroupOnly) {
  HWND a = Make(WS_GROUP | BS_AUTORADIOBUTTON, 1, {10, 10, 100, 20});
  HWND b = Make(BS_AUTORADIOBUTTON, 2, {10, 30, 100, 20});
  HWND manual = Make(BS_RADIOBUTTON, 3, {10, 50, 100, 20});
  HWND other = Make(WS_GROUP | BS_AUTORADIOBUTTON, 4, {10, 70, 100, 20});
  SendMessageW(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(manual, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
  ClearLog();
  ClickOn(b);
  EXPECT_EQ(Check(b), BST_CHECKED);
  EXPECT_EQ(Check(a), BST_UNCHECKED);
  EXPECT_EQ(Check(manual), BST_CHECKED) << "a plain radio button is its parent's business";
  EXPECT_EQ(Check(other), BST_CHECKED) << "another group is not touched";
  EXPECT_EQ(Notified(b, BN_CLICKED), 1);
  EXPECT_EQ(Notified(a, BN_CLICKED), 0);
  // Clicking the checked one keeps it checked.
  ClickOn(b);
  EXPECT_EQ(Check(b), BST_CHECKED);
}

TEST_F(ButtonTest, MouseReleasedOutsideDoesNotClick) {
  HWND b = Make(BS_AUTOCHECKBOX, 1);
  ClearLog();
  POINT in = Centre(b);
  desktop->mouse_down(in);
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), b);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(SendMessageW(b, BM_GETSTATE, 0, 0) & (BST_PUSHED | BST_FOCUS), BST_PUSHED | BST_FOCUS);
  desktop->mouse_move(POINT{in.x + 300, in.y});
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  desktop->mouse_move(in);
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED) << "back inside it is pressed again";
  desktop->mouse_move(POINT{in.x + 300, in.y});
  desktop->mouse_up(POINT{in.x + 300, in.y});
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Notified(b, BN_CLICKED), 0);
  EXPECT_EQ(Check(b), BST_UNCHECKED);
}

TEST_F(ButtonTest, SpacePressesAndReleaseClicks) {
  HWND b = Make(BS_AUTOCHECKBOX, 1);
  SetFocus(b);
  ClearLog();
  desktop->key_down(VK_SPACE, u' ');
  desktop->run_until_idle();
  EXPECT_NE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_EQ(Notified(b, BN_CLICKED), 0);
  desktop->key_up(VK_SPACE);
  desktop->run_until_idle();
  EXPECT_EQ(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_EQ(Notified(b, BN_CLICKED), 1);
  EXPECT_EQ(Check(b), BST_CHECKED);
  // A key-up without its key-down (focus came in between) does nothing.
  desktop->key_up(VK_SPACE);
  desktop->run_until_idle();
  EXPECT_EQ(Notified(b, BN_CLICKED), 1);
}

TEST_F(ButtonTest, ArrowsWalkTheRadioGroupSkippingDisabledAndWrapping) {
  HWND a = Make(WS_GROUP | BS_AUTORADIOBUTTON, 1, {10, 10, 100, 20});
  HWND b = Make(BS_AUTORADIOBUTTON, 2, {10, 30, 100, 20});
  HWND c = Make(BS_AUTORADIOBUTTON, 3, {10, 50, 100, 20});
  HWND next = Make(WS_GROUP | BS_AUTORADIOBUTTON, 4, {10, 70, 100, 20});
  EnableWindow(b, FALSE);
  SendMessageW(a, BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(a);
  ClearLog();
  Press(VK_DOWN);
  EXPECT_EQ(GetFocus(), c);
  EXPECT_EQ(Check(c), BST_CHECKED);
  EXPECT_EQ(Check(a), BST_UNCHECKED);
  EXPECT_EQ(Notified(c, BN_CLICKED), 1);
  Press(VK_RIGHT);
  EXPECT_EQ(GetFocus(), a) << "wraps to the group's first";
  EXPECT_EQ(Check(next), BST_UNCHECKED);
  Press(VK_UP);
  EXPECT_EQ(GetFocus(), c);
  EXPECT_EQ(Check(b), BST_UNCHECKED);
}

TEST_F(ButtonTest, DialogCodesFollowTheStyle) {
  struct Case {
    DWORD style;
    LRESULT code;
  } cases[] = {{BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
               {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
               {BS_AUTOCHECKBOX, DLGC_BUTTON},
               {BS_3STATE, DLGC_BUTTON},
               {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
               {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
               {BS_GROUPBOX, DLGC_STATIC},
               {BS_OWNERDRAW, DLGC_BUTTON}};
  int id = 1;
  for (const Case& c : cases) {
    HWND b = Make(c.style, id++);
    EXPECT_EQ(SendMessageW(b, WM_GETDLGCODE, 0, 0), c.code) << "style " << c.style;
    DestroyWindow(b);
  }
  HWND p = Make(BS_PUSHBUTTON, 50);
  SendMessageW(p, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessageW(p, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, DoubleClicksNotifyRadioAndNotifyStylesAndPressTheRest) {
  HWND radio = Make(BS_RADIOBUTTON, 1, {10, 10, 100, 20});
  HWND notify = Make(BS_PUSHBUTTON | BS_NOTIFY, 2, {10, 40, 100, 20});
  HWND plain = Make(BS_AUTOCHECKBOX, 3, {10, 70, 100, 20});
  SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);  // focus by the mouse must not click it anyway
  for (HWND b : {radio, notify, plain}) {
    ClearLog();
    desktop->click(Centre(b));
    desktop->click(Centre(b));
    desktop->run_until_idle();
    if (b == plain) {
      EXPECT_EQ(Notified(b, BN_CLICKED), 2);
      EXPECT_EQ(Notified(b, BN_DOUBLECLICKED), 0);
      EXPECT_EQ(Check(b), BST_UNCHECKED) << "toggled twice";
    } else {
      EXPECT_EQ(Notified(b, BN_CLICKED), 1);
      EXPECT_EQ(Notified(b, BN_DOUBLECLICKED), 1);
    }
  }
}

TEST_F(ButtonTest, FocusByTheKeyboardClicksAnUncheckedRadioButNotByTheMouse) {
  HWND a = Make(WS_GROUP | BS_AUTORADIOBUTTON, 1, {10, 10, 100, 20});
  HWND b = Make(BS_AUTORADIOBUTTON, 2, {10, 30, 100, 20});
  ClearLog();
  POINT p = Centre(b);
  desktop->mouse_down(p);
  desktop->run_until_idle();
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(Check(b), BST_UNCHECKED) << "the press alone checks nothing";
  desktop->mouse_up(p);
  desktop->run_until_idle();
  EXPECT_EQ(Check(b), BST_CHECKED);
  EXPECT_EQ(Notified(b, BN_CLICKED), 1);
  SetFocus(a);
  desktop->run_until_idle();
  EXPECT_EQ(Check(a), BST_CHECKED);
  EXPECT_EQ(Check(b), BST_UNCHECKED);
  EXPECT_EQ(Notified(a, BN_CLICKED), 1);
}

TEST_F(ButtonTest, DisabledAndGroupButtonsIgnoreClicks) {
  HWND group = Make(BS_GROUPBOX, 1, {10, 10, 200, 100});
  HWND off = Make(BS_AUTOCHECKBOX | WS_DISABLED, 2, {10, 150, 100, 20});
  ClearLog();
  SendMessageW(group, BM_CLICK, 0, 0);
  SendMessageW(off, BM_CLICK, 0, 0);
  ClickOn(off);
  EXPECT_EQ(Notified(group, BN_CLICKED), 0);
  EXPECT_EQ(Notified(off, BN_CLICKED), 0);
  EXPECT_EQ(Check(off), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(group, WM_NCHITTEST, 0, MAKELPARAM(60, 80)), HTTRANSPARENT);
  EXPECT_EQ(SendMessageW(group, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, OwnerDrawnButtonsAreDrawnByTheParentWithTheirState) {
  std::vector<DRAWITEMSTRUCT> draws;
  SetHandler(parent, [&](HWND, UINT msg, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (msg != WM_DRAWITEM) return std::nullopt;
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    draws.push_back(*dis);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dis->hDC, &dis->rcItem, red);
    DeleteObject(red);
    return TRUE;
  });
  HWND b = Make(BS_OWNERDRAW, 7, {10, 10, 80, 30});
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().CtlType, ODT_BUTTON);
  EXPECT_EQ(draws.back().CtlID, 7u);
  EXPECT_EQ(draws.back().hwndItem, b);
  EXPECT_EQ(draws.back().rcItem.right, 80);
  EXPECT_EQ(draws.back().rcItem.bottom, 30);
  EXPECT_EQ(draws.back().itemState & (ODS_SELECTED | ODS_FOCUS), 0u);
  EXPECT_EQ(Pixel(b, 40, 15), RGB(255, 0, 0));
  draws.clear();
  desktop->mouse_down(Centre(b));
  desktop->run_until_idle();
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().itemState & (ODS_SELECTED | ODS_FOCUS), ODS_SELECTED | ODS_FOCUS);
  desktop->mouse_up(Centre(b));
  desktop->run_until_idle();
  EXPECT_EQ(draws.back().itemState & ODS_SELECTED, 0u);
  EnableWindow(b, FALSE);
  desktop->run_until_idle();
  EXPECT_NE(draws.back().itemState & ODS_DISABLED, 0u);
}

TEST_F(ButtonTest, CheckBoxesTakeTheParentsBrushAndPlaceTheGlyphBySide) {
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  SetHandler(parent, [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(green);
    return std::nullopt;
  });
  HWND left = Make(BS_AUTOCHECKBOX, 1, {10, 10, 120, 21}, u"");
  HWND right = Make(BS_AUTOCHECKBOX | BS_LEFTTEXT, 2, {10, 40, 120, 21}, u"");
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  // The glyph is 13 pixels, centred vertically (rows 4..16); its middle is the window colour.
  EXPECT_EQ(Pixel(left, 3, 6), window);
  EXPECT_EQ(Pixel(left, 116, 6), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(left, 3, 1), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(right, 116, 6), window);
  EXPECT_EQ(Pixel(right, 3, 6), RGB(0, 128, 0));
  // Pressed (or disabled), the middle turns to the button face.
  SendMessageW(left, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(Pixel(left, 3, 6), GetSysColor(COLOR_BTNFACE));
  SendMessageW(left, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(Pixel(left, 3, 6), window);
  DestroyWindow(left);
  DestroyWindow(right);
  DeleteObject(green);
}

TEST_F(ButtonTest, DefaultPushButtonWearsAFrameAndGroupBoxAnEtchedOne) {
  HWND plain = Make(BS_PUSHBUTTON, 1, {10, 10, 80, 26});
  HWND def = Make(BS_DEFPUSHBUTTON, 2, {100, 10, 80, 26});
  EXPECT_EQ(Pixel(def, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(Pixel(def, 79, 25), GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_NE(Pixel(plain, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
  SendMessageW(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_EQ(Pixel(def, 0, 0), Pixel(plain, 0, 0));

  HFONT font = CreateFontW(13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, std::u16string(kTestFontFace).c_str());
  HWND group = Make(BS_GROUPBOX, 3, {10, 60, 200, 100}, u"Оси");
  SendMessageW(group, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  // The frame's top line runs at half the text height; an etched edge starts with the shadow.
  EXPECT_EQ(Pixel(group, 0, 6), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(Pixel(group, 1, 7), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(group, 0, 50), GetSysColor(COLOR_BTNSHADOW));
  // Under the caption the line is cleared (the gap starts 2 pixels before the text at x 8).
  EXPECT_EQ(Pixel(group, 7, 6), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(group, 4, 6), GetSysColor(COLOR_BTNSHADOW));
  DestroyWindow(group);
  DeleteObject(font);
}

TEST_F(ButtonTest, PushLikeBoxesLookPressedWhenCheckedAndColoursAreAskedByKind) {
  HWND like = Make(BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, {10, 10, 80, 26}, u"");
  HWND push = Make(BS_PUSHBUTTON, 2, {100, 10, 80, 26});
  HWND box = Make(BS_CHECKBOX, 3, {10, 50, 80, 20});
  EXPECT_EQ(Pixel(like, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  ClickOn(like);
  EXPECT_EQ(Check(like), BST_CHECKED);
  EXPECT_NE(Pixel(like, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT)) << "a sunken edge";
  // A checked push button's middle is a checkerboard of highlight and face.
  COLORREF a = Pixel(like, 40, 13), b = Pixel(like, 41, 13);
  EXPECT_NE(a, b);
  for (COLORREF c : {a, b}) EXPECT_TRUE(c == GetSysColor(COLOR_BTNHIGHLIGHT) || c == GetSysColor(COLOR_BTNFACE));
  ClearLog();
  InvalidateRect(push, nullptr, TRUE);
  InvalidateRect(box, nullptr, TRUE);
  desktop->run_until_idle();
  int btn = 0, stat = 0;
  for (const LoggedMessage& m : Log(parent)) {
    if (m.msg == WM_CTLCOLORBTN && m.lParam == reinterpret_cast<LPARAM>(push)) ++btn;
    if (m.msg == WM_CTLCOLORSTATIC && m.lParam == reinterpret_cast<LPARAM>(box)) ++stat;
    EXPECT_FALSE(m.msg == WM_CTLCOLORSTATIC && m.lParam == reinterpret_cast<LPARAM>(push));
  }
  EXPECT_GE(btn, 1);
  EXPECT_GE(stat, 1);
}

TEST_F(ButtonTest, MultiLineCaptionsWrapInsideTheButton) {
  HFONT font = CreateFontW(13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, std::u16string(kTestFontFace).c_str());
  SetHandler(parent, [](HWND, UINT msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_CTLCOLORSTATIC) {
      SetTextColor(reinterpret_cast<HDC>(w), RGB(255, 0, 0));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return std::nullopt;
  });
  // 13 + 4 pixels of glyph and gap leave 42 pixels: six 7-pixel characters a line.
  HWND one = Make(BS_CHECKBOX, 1, {10, 10, 59, 40}, u"HHHH HHHH");
  HWND two = Make(BS_CHECKBOX | BS_MULTILINE, 2, {10, 60, 59, 40}, u"HHHH HHHH");
  for (HWND b : {one, two}) SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  auto redRows = [&](HWND b) {
    int rows = 0;
    for (int y = 0; y < 40; ++y) {
      bool red = false;
      for (int x = 17; x < 59 && !red; ++x) red = Pixel(b, x, y) == RGB(255, 0, 0);
      rows += red ? 1 : 0;
    }
    return rows;
  };
  int single = redRows(one), wrapped = redRows(two);
  EXPECT_GT(single, 0);
  EXPECT_GT(wrapped, single + 5) << "two lines of text";
  DestroyWindow(one);
  DestroyWindow(two);
  DeleteObject(font);
}

}  // namespace
}  // namespace kvtest
