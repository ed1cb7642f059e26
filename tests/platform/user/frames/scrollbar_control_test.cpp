// The SCROLLBAR control: its messages, drawing in the client area, notifications to the parent
// from the mouse and the keyboard.

#include <gtest/gtest.h>

#include "support/HeadlessFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"

using namespace win;
using kvtest::HeadlessTest;

namespace {

class ScrollBarControl : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(RegisterScrollBarClass());
    EXPECT_TRUE(RegisterScrollBarClass());  // once is enough; again is harmless
    parent = Create(WS_POPUP | WS_VISIBLE, {0, 0, 300, 300});
  }
  HWND MakeBar(DWORD style, RECT r) {
    return CreateWindowExW(0, u"SCROLLBAR", u"", WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right, r.bottom,
                           parent, nullptr, nullptr, nullptr);
  }
  std::vector<std::pair<WORD, LPARAM>> Requests(UINT msg) {
    std::vector<std::pair<WORD, LPARAM>> out;
    for (auto& m : Log(parent))
      if (m.msg == msg) out.push_back({LOWORD(m.wParam), m.lParam});
    return out;
  }
  HWND parent = nullptr;
};

}  // namespace

TEST_F(ScrollBarControl, MessagesSetAndReadItsRange) {
  HWND bar = MakeBar(SBS_VERT, {10, 10, 16, 200});
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageW(bar, SBM_SETRANGE, 0, 50), 0);
  EXPECT_EQ(SendMessageW(bar, SBM_SETPOS, 70, TRUE), 0);
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 50);  // clamped to the range
  int lo = -1, hi = -1;
  SendMessageW(bar, SBM_GETRANGE, WPARAM(&lo), LPARAM(&hi));
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 50);
  SCROLLINFO si;
  si.fMask = SIF_PAGE;
  si.nPage = 11;
  SendMessageW(bar, SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
  si.fMask = SIF_ALL;
  ASSERT_TRUE(SendMessageW(bar, SBM_GETSCROLLINFO, 0, LPARAM(&si)));
  EXPECT_EQ(si.nPage, 11u);
  EXPECT_EQ(si.nPos, 40);  // 50 - 11 + 1
  // The same data through the SB_CTL calls.
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 40);
  SCROLLBARINFO info;
  ASSERT_TRUE(SendMessageW(bar, SBM_GETSCROLLBARINFO, 0, LPARAM(&info)));
  EXPECT_EQ(info.rcScrollBar, (RECT{10, 10, 26, 210}));
  // A control's bar is never hidden by its range.
  SendMessageW(bar, SBM_SETRANGE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(bar));
}

TEST_F(ScrollBarControl, ClicksNotifyTheParentWithTheControlHandle) {
  HWND bar = MakeBar(SBS_HORZ, {10, 100, 200, 16});
  SendMessageW(bar, SBM_SETRANGE, 0, 100);
  desktop->run_until_idle();
  desktop->click({205, 108});  // right arrow
  desktop->run_until_idle();
  auto reqs = Requests(WM_HSCROLL);
  ASSERT_EQ(reqs.size(), 2u);
  EXPECT_EQ(reqs[0], (std::pair<WORD, LPARAM>{SB_LINERIGHT, LPARAM(bar)}));
  EXPECT_EQ(reqs[1].first, SB_ENDSCROLL);
  EXPECT_EQ(Count(parent, WM_VSCROLL), 0);
  // Drawn in its client area: the left arrow is a raised button.
  EXPECT_EQ(desktop->surface_pixel(parent, 10, 100), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(desktop->surface_pixel(parent, 25, 115), GetSysColor(COLOR_3DDKSHADOW));
}

TEST_F(ScrollBarControl, KeysScrollWhileItHasTheFocus) {
  // The keyboard state outlives a test's desktop: release Alt in case an earlier test left it
  // held (it would make these system keys).
  desktop->key_up(VK_MENU);
  desktop->run_until_idle();
  HWND bar = MakeBar(SBS_VERT, {10, 10, 16, 200});
  SetFocus(bar);
  ASSERT_EQ(GetFocus(), bar);
  desktop->press_key(VK_NEXT);
  desktop->press_key(VK_HOME);
  desktop->run_until_idle();
  std::vector<WORD> codes;
  for (auto& r : Requests(WM_VSCROLL)) codes.push_back(r.first);
  EXPECT_EQ(codes, (std::vector<WORD>{SB_PAGEDOWN, SB_ENDSCROLL, SB_TOP, SB_ENDSCROLL}));
}

TEST_F(ScrollBarControl, ADisabledControlIgnoresTheMouse) {
  HWND bar = MakeBar(SBS_VERT, {10, 10, 16, 200});
  SendMessageW(bar, SBM_ENABLE_ARROWS, ESB_DISABLE_BOTH, 0);
  EXPECT_FALSE(IsWindowEnabled(bar));
  desktop->click({18, 205});
  desktop->run_until_idle();
  EXPECT_TRUE(Requests(WM_VSCROLL).empty());
}

// The alignment styles leave a horizontal bar horizontal: its right arrow asks to scroll right.
TEST_F(ScrollBarControl, AlignmentStylesKeepAHorizontalBarHorizontal) {
  for (DWORD align : {SBS_TOPALIGN, SBS_BOTTOMALIGN}) {
    HWND bar = MakeBar(SBS_HORZ | align, {10, 100, 200, 16});
    SendMessageW(bar, SBM_SETRANGE, 0, 100);
    desktop->run_until_idle();
    ClearLog();
    desktop->click({205, 108});  // right arrow
    desktop->run_until_idle();
    auto reqs = Requests(WM_HSCROLL);
    ASSERT_FALSE(reqs.empty()) << align;
    EXPECT_EQ(reqs[0], (std::pair<WORD, LPARAM>{SB_LINERIGHT, LPARAM(bar)})) << align;
    EXPECT_EQ(Count(parent, WM_VSCROLL), 0) << align;
    DestroyWindow(bar);
  }
}
