// Up-down control: range and position messages, the buddy's text (thousands separators, base 16,
// read back before each step), clicks with UDN_DELTAPOS and the scroll notification, refusal,
// wrapping, accelerated auto-repeat on the virtual clock, arrow keys in the buddy and alignment.

#include <gtest/gtest.h>

#include "listbox_support.h"
#include "platform/controls/CommCtrl.h"
#include "platform/controls/Edit.h"
#include "platform/kernel/Locale.h"
#include "platform/user/frames/ScrollBar.h"

using namespace win;
using kvtest::ListTest;

namespace {

class UpDown : public ListTest {
 protected:
  void SetUp() override {
    ListTest::SetUp();
    locale::SetRegionalThousandSeparator(u',');
    answer = [this](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
      if (m != WM_NOTIFY) return std::nullopt;
      auto* nm = reinterpret_cast<NMUPDOWN*>(l);
      if (nm->hdr.code != UDN_DELTAPOS) return std::nullopt;
      deltas.push_back({nm->iPos, nm->iDelta});
      return refuse ? 1 : 0;
    };
  }
  void TearDown() override {
    locale::ResetRegionalSettings();
    ListTest::TearDown();
  }
  HWND MakeEdit(RECT r = {10, 10, 100, 20}) {
    return CreateWindowExW(0, u"Edit", u"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right, r.bottom, parent, nullptr,
                           nullptr, nullptr);
  }
  HWND MakeUpDown(DWORD style, RECT r = {200, 10, 16, 40}, int id = 3) {
    return CreateWindowExW(0, UPDOWN_CLASSW, u"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right, r.bottom,
                           parent, reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
  }
  static std::u16string WindowText(HWND hwnd) {
    char16_t buf[64] = {};
    GetWindowTextW(hwnd, buf, 64);
    return buf;
  }
  static int Pos(HWND ud) { return int(SendMessageW(ud, UDM_GETPOS32, 0, 0)); }
  std::vector<std::pair<WORD, WORD>> Scrolls(UINT msg = WM_VSCROLL) {
    std::vector<std::pair<WORD, WORD>> out;
    for (auto& m : Log(parent))
      if (m.msg == msg) out.push_back({LOWORD(m.wParam), HIWORD(m.wParam)});
    return out;
  }
  POINT UpButton(HWND ud) { return At(ud, 8, 5); }
  POINT DownButton(HWND ud) { return At(ud, 8, 35); }

  std::vector<std::pair<int, int>> deltas;
  bool refuse = false;
};

using Scroll = std::pair<WORD, WORD>;

}  // namespace

TEST_F(UpDown, RangeAndPositionMessages) {
  HWND ud = MakeUpDown(0);
  ASSERT_NE(ud, nullptr);
  // The default range runs from 100 down to 0.
  EXPECT_EQ(SendMessageW(ud, UDM_GETRANGE, 0, 0), LRESULT(MAKELONG(0, 100)));
  EXPECT_EQ(Pos(ud), 0);
  SendMessageW(ud, UDM_SETRANGE, 0, MAKELPARAM(50, WORD(-50)));  // max 50, min -50
  int lo = 0, hi = 0;
  SendMessageW(ud, UDM_GETRANGE32, WPARAM(&lo), LPARAM(&hi));
  EXPECT_EQ(lo, -50);
  EXPECT_EQ(hi, 50);
  EXPECT_EQ(SendMessageW(ud, UDM_SETPOS, 0, MAKELPARAM(WORD(-20), 0)), 0);
  EXPECT_EQ(SHORT(LOWORD(SendMessageW(ud, UDM_GETPOS, 0, 0))), -20);
  EXPECT_EQ(SendMessageW(ud, UDM_SETPOS32, 0, 90), -20);
  EXPECT_EQ(Pos(ud), 50);  // kept in the range
  SendMessageW(ud, UDM_SETRANGE, 0, MAKELPARAM(WORD(-32768), 0));  // 16-bit ranges keep within +-32767
  SendMessageW(ud, UDM_GETRANGE32, WPARAM(&lo), LPARAM(&hi));
  EXPECT_EQ(hi, -32767);
  EXPECT_EQ(lo, 0);
  SendMessageW(ud, UDM_SETRANGE32, 0, 1000000);
  SendMessageW(ud, UDM_SETPOS32, 0, 999999);
  EXPECT_EQ(Pos(ud), 999999);

  UDACCEL accel[2] = {{0, 2}, {1, 10}};
  EXPECT_TRUE(SendMessageW(ud, UDM_SETACCEL, 2, LPARAM(accel)));
  EXPECT_FALSE(SendMessageW(ud, UDM_SETACCEL, 0, LPARAM(accel)));
  UDACCEL out[4] = {};
  EXPECT_EQ(SendMessageW(ud, UDM_GETACCEL, 4, LPARAM(out)), 2);
  EXPECT_EQ(out[1].nInc, 10u);
  EXPECT_EQ(SendMessageW(ud, UDM_SETBASE, 16, 0), 10);
  EXPECT_EQ(SendMessageW(ud, UDM_SETBASE, 7, 0), 0);
  EXPECT_EQ(SendMessageW(ud, UDM_GETBASE, 0, 0), 16);
}

TEST_F(UpDown, BuddyShowsThePositionAndIsReadBack) {
  HWND edit = MakeEdit();
  HWND ud = MakeUpDown(UDS_SETBUDDYINT);
  SendMessageW(ud, UDM_SETRANGE32, WPARAM(-100000), 100000);
  EXPECT_EQ(SendMessageW(ud, UDM_SETBUDDY, WPARAM(edit), 0), 0);
  EXPECT_EQ(HWND(SendMessageW(ud, UDM_GETBUDDY, 0, 0)), edit);
  SendMessageW(ud, UDM_SETPOS32, 0, 12345);
  EXPECT_EQ(WindowText(edit), u"12,345");
  SendMessageW(ud, UDM_SETPOS32, 0, -1234567 / 100);
  EXPECT_EQ(WindowText(edit), u"-12,345");
  SendMessageW(ud, UDM_SETPOS32, 0, 999);
  EXPECT_EQ(WindowText(edit), u"999");
  // What the user typed is read back.
  SetWindowTextW(edit, u"4,321");
  EXPECT_EQ(SendMessageW(ud, UDM_GETPOS, 0, 0), LRESULT(MAKELONG(4321, 0)));
  SetWindowTextW(edit, u"12x");
  LRESULT r = SendMessageW(ud, UDM_GETPOS, 0, 0);
  EXPECT_NE(HIWORD(r), 0);  // an error, with the last good position
  EXPECT_EQ(LOWORD(r), 4321);
  BOOL error = FALSE;
  EXPECT_EQ(SendMessageW(ud, UDM_GETPOS32, 0, LPARAM(&error)), 4321);
  EXPECT_TRUE(error);
  SetWindowTextW(edit, u"200000");  // out of the range is an error too
  SendMessageW(ud, UDM_GETPOS32, 0, LPARAM(&error));
  EXPECT_TRUE(error);

  SendMessageW(ud, UDM_SETBASE, 16, 0);
  SendMessageW(ud, UDM_SETPOS32, 0, 255);
  EXPECT_EQ(WindowText(edit), u"0xFF");
  SetWindowTextW(edit, u"0x1a");
  EXPECT_EQ(Pos(ud), 26);

  HWND plain = MakeEdit({10, 40, 100, 20});
  HWND nosep = MakeUpDown(UDS_SETBUDDYINT | UDS_NOTHOUSANDS, {200, 60, 16, 40}, 4);
  SendMessageW(nosep, UDM_SETRANGE32, 0, 100000);
  SendMessageW(nosep, UDM_SETBUDDY, WPARAM(plain), 0);
  SendMessageW(nosep, UDM_SETPOS32, 0, 54321);
  EXPECT_EQ(WindowText(plain), u"54321");
}

TEST_F(UpDown, ClicksStepAndNotifyAndTheParentMayRefuse) {
  HWND edit = MakeEdit();
  HWND ud = MakeUpDown(UDS_SETBUDDYINT);
  SendMessageW(ud, UDM_SETRANGE32, 0, 100);
  SendMessageW(ud, UDM_SETBUDDY, WPARAM(edit), 0);
  SendMessageW(ud, UDM_SETPOS32, 0, 10);
  desktop->run_until_idle();
  ClearLog();
  Click(UpButton(ud));
  EXPECT_EQ(Pos(ud), 11);
  EXPECT_EQ(WindowText(edit), u"11");
  EXPECT_EQ(deltas, (std::vector<std::pair<int, int>>{{10, 1}}));
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{{SB_THUMBPOSITION, 11}, {SB_ENDSCROLL, 11}}));
  // The buddy's text counts before the step.
  SetWindowTextW(edit, u"50");
  desktop->advance(1000);
  Click(DownButton(ud));
  EXPECT_EQ(Pos(ud), 49);
  EXPECT_EQ(deltas.back(), (std::pair<int, int>{50, -1}));
  // A refused step changes nothing and sends no scroll message.
  refuse = true;
  ClearLog();
  desktop->advance(1000);
  Click(UpButton(ud));
  EXPECT_EQ(Pos(ud), 49);
  EXPECT_EQ(WindowText(edit), u"49");
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{{SB_ENDSCROLL, 49}}));
  refuse = false;
  // At the end of the range nothing happens, unless the control wraps.
  SendMessageW(ud, UDM_SETPOS32, 0, 100);
  deltas.clear();
  desktop->advance(1000);
  Click(UpButton(ud));
  EXPECT_EQ(Pos(ud), 100);
  EXPECT_TRUE(deltas.empty());
  SetWindowLongPtrW(ud, GWL_STYLE, GetWindowLongPtrW(ud, GWL_STYLE) | UDS_WRAP);
  desktop->advance(1000);
  Click(UpButton(ud));
  EXPECT_EQ(Pos(ud), 0);
  EXPECT_EQ(deltas.back(), (std::pair<int, int>{100, -100}));
}

TEST_F(UpDown, TheUpButtonMovesTowardTheMaximumEvenInABackwardRange) {
  HWND ud = MakeUpDown(0);  // default range 100 .. 0
  SendMessageW(ud, UDM_SETPOS32, 0, 50);
  Click(UpButton(ud));
  EXPECT_EQ(Pos(ud), 49);
  desktop->advance(1000);
  Click(DownButton(ud));
  desktop->advance(1000);
  Click(DownButton(ud));
  EXPECT_EQ(Pos(ud), 51);
}

TEST_F(UpDown, HoldingRepeatsWithAcceleration) {
  HWND ud = MakeUpDown(0);
  SendMessageW(ud, UDM_SETRANGE32, 0, 10000);
  desktop->mouse_down(UpButton(ud));
  desktop->run_until_idle();
  EXPECT_EQ(Pos(ud), 1);
  desktop->advance(500);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(ud), 2);
  for (int i = 0; i < 14; ++i) {  // before 2 s after the press: steps of 1
    desktop->advance(100);
    desktop->run_until_idle();
  }
  EXPECT_EQ(Pos(ud), 16);
  desktop->advance(100);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(ud), 21);  // from 2 s on: steps of 5
  // Moving off the button pauses the repeat; releasing ends it.
  desktop->mouse_move(At(ud, 100, 5));
  desktop->advance(300);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(ud), 21);
  desktop->mouse_up(At(ud, 100, 5));
  desktop->run_until_idle();
  EXPECT_EQ(GetCapture(), nullptr);
  desktop->mouse_move(UpButton(ud));
  desktop->advance(1000);
  desktop->run_until_idle();
  EXPECT_EQ(Pos(ud), 21);
}

TEST_F(UpDown, ArrowKeysInTheBuddyAndAutoBuddyAlignment) {
  HWND edit = MakeEdit({10, 10, 100, 20});
  HWND ud = MakeUpDown(UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT, {0, 0, 16, 10});
  EXPECT_EQ(HWND(SendMessageW(ud, UDM_GETBUDDY, 0, 0)), edit);
  RECT er, ur;
  GetWindowRect(edit, &er);
  GetWindowRect(ud, &ur);
  EXPECT_EQ(er.right - er.left, 84);  // the buddy gives up the control's width
  EXPECT_EQ(ur.left, er.right);
  EXPECT_EQ(ur.top, er.top);
  EXPECT_EQ(ur.bottom - ur.top, 20);
  EXPECT_EQ(WindowText(edit), u"0");
  SendMessageW(ud, UDM_SETRANGE32, 0, 10);
  SetFocus(edit);
  ClearLog();
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(Pos(ud), 2);
  EXPECT_EQ(WindowText(edit), u"2");
  Press(VK_DOWN);
  EXPECT_EQ(Pos(ud), 1);
  EXPECT_EQ(Scrolls().back(), (Scroll{SB_ENDSCROLL, 1}));
  // Other keys still reach the edit.
  Type(u'7');
  EXPECT_EQ(WindowText(edit), u"71");  // typed at the caret, which setting the text left at the start
  // Once the up-down control is gone the buddy is an ordinary edit again.
  DestroyWindow(ud);
  std::u16string before = WindowText(edit);
  Press(VK_UP);
  EXPECT_EQ(WindowText(edit), before);
}

TEST_F(UpDown, HorizontalControlsScrollSideways) {
  HWND ud = MakeUpDown(UDS_HORZ, {200, 10, 40, 16});
  SendMessageW(ud, UDM_SETRANGE32, 0, 10);
  Click(At(ud, 30, 8));  // the right half steps up
  EXPECT_EQ(Pos(ud), 1);
  EXPECT_EQ(Scrolls(WM_HSCROLL).front(), (Scroll{SB_THUMBPOSITION, 1}));
  EXPECT_TRUE(Scrolls(WM_VSCROLL).empty());
  desktop->advance(1000);
  Click(At(ud, 5, 8));
  EXPECT_EQ(Pos(ud), 0);
}
