// Classic non-client geometry: frames by style, the caption and its buttons, the menu strip,
// edges, scroll bars, the client area and hit-testing.

#include <gtest/gtest.h>

#include "platform/kernel/Rects.h"
#include "platform/user/frames/FrameLayout.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/WinUserTypes.h"

using namespace win;
using namespace win::frame;

namespace {

FrameLayout Layout(DWORD style, DWORD exStyle, int w, int h, int menu = 0) {
  return ComputeFrameLayout(FrameStyle{style, exStyle, menu}, w, h);
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

}  // namespace

TEST(FrameLayout, BorderKindFollowsTheStyleRules) {
  EXPECT_EQ(BorderKindOf(WS_OVERLAPPEDWINDOW, 0), BorderKind::Thick);
  EXPECT_EQ(BorderKindOf(WS_POPUP | WS_THICKFRAME, 0), BorderKind::Thick);
  EXPECT_EQ(BorderKindOf(WS_POPUP | WS_DLGFRAME | WS_THICKFRAME, 0), BorderKind::Thick);
  EXPECT_EQ(BorderKindOf(WS_POPUP | WS_CAPTION, 0), BorderKind::Dialog);
  EXPECT_EQ(BorderKindOf(WS_POPUP, WS_EX_DLGMODALFRAME), BorderKind::Dialog);
  EXPECT_EQ(BorderKindOf(WS_POPUP | WS_BORDER, 0), BorderKind::Thin);
  EXPECT_EQ(BorderKindOf(WS_CHILD, 0), BorderKind::None);
}

TEST(FrameLayout, OverlappedWindowHasThickFrameCaptionAndThreeButtons) {
  FrameLayout l = Layout(WS_OVERLAPPEDWINDOW, 0, 300, 200);
  int f = GetSystemMetrics(SM_CXFRAME), cap = GetSystemMetrics(SM_CYCAPTION);
  ASSERT_EQ(f, 4);
  ASSERT_EQ(cap, 19);
  EXPECT_EQ(l.borderX, 4);
  EXPECT_EQ(l.caption, (RECT{4, 4, 296, 22}));
  EXPECT_EQ(l.client, (RECT{4, 23, 296, 196}));
  // Buttons 16x14, two pixels from the caption's top; close two pixels from the right end,
  // maximise two pixels left of it, minimise touching maximise.
  EXPECT_EQ(l.closeButton, (RECT{278, 6, 294, 20}));
  EXPECT_EQ(l.maxButton, (RECT{260, 6, 276, 20}));
  EXPECT_EQ(l.minButton, (RECT{244, 6, 260, 20}));
  EXPECT_TRUE(IsRectEmpty(&l.helpButton));
  EXPECT_EQ(l.sysIcon, (RECT{5, 5, 21, 21}));
  EXPECT_EQ(l.captionText.left, 21);
  EXPECT_EQ(l.captionText.right, 242);
}

TEST(FrameLayout, ButtonsDependOnBoxesHelpAndToolWindows) {
  FrameLayout closeOnly = Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 200, 100);
  EXPECT_FALSE(IsRectEmpty(&closeOnly.closeButton));
  EXPECT_TRUE(IsRectEmpty(&closeOnly.maxButton));
  EXPECT_TRUE(IsRectEmpty(&closeOnly.minButton));

  // Either box brings both buttons (the missing one is drawn disabled).
  FrameLayout oneBox = Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 200, 100);
  EXPECT_FALSE(IsRectEmpty(&oneBox.maxButton));
  EXPECT_FALSE(IsRectEmpty(&oneBox.minButton));

  FrameLayout help = Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP, 200, 100);
  EXPECT_EQ(help.helpButton.right, help.closeButton.left - 2);

  FrameLayout noSysMenu = Layout(WS_POPUP | WS_CAPTION | WS_MAXIMIZEBOX, 0, 200, 100);
  EXPECT_TRUE(IsRectEmpty(&noSysMenu.closeButton));
  EXPECT_TRUE(IsRectEmpty(&noSysMenu.sysIcon));

  FrameLayout modal = Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, 200, 100);
  EXPECT_TRUE(IsRectEmpty(&modal.sysIcon));

  // Tool windows: small caption, close button only, (SM_CXSMSIZE - 2) x (SM_CYSMSIZE - 4).
  FrameLayout tool = Layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW, 200, 100);
  int d = GetSystemMetrics(SM_CXDLGFRAME);
  EXPECT_TRUE(tool.smallCaption);
  EXPECT_EQ(tool.caption, (RECT{d, d, 200 - d, d + GetSystemMetrics(SM_CYSMCAPTION) - 1}));
  EXPECT_EQ(tool.closeButton, (RECT{200 - d - 2 - (GetSystemMetrics(SM_CXSMSIZE) - 2), d + 2, 200 - d - 2,
                                    d + 2 + GetSystemMetrics(SM_CYSMSIZE) - 4}));
  EXPECT_TRUE(IsRectEmpty(&tool.maxButton));
  EXPECT_TRUE(IsRectEmpty(&tool.sysIcon));
  EXPECT_EQ(tool.client.top, d + GetSystemMetrics(SM_CYSMCAPTION));
}

TEST(FrameLayout, MenuStripEdgesAndScrollBarsStackInsideTheFrame) {
  DWORD style = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;
  FrameLayout l = Layout(style, WS_EX_CLIENTEDGE, 300, 200, 19);
  EXPECT_EQ(l.menuBar, (RECT{4, 23, 296, 42}));
  EXPECT_EQ(l.edge, 2);
  EXPECT_EQ(l.edgeOuter, (RECT{4, 42, 296, 196}));
  EXPECT_EQ(l.vScroll, (RECT{278, 44, 294, 178}));
  EXPECT_EQ(l.hScroll, (RECT{6, 178, 278, 194}));
  EXPECT_EQ(l.sizeBox, (RECT{278, 178, 294, 194}));
  EXPECT_EQ(l.client, (RECT{6, 44, 278, 178}));

  FrameLayout stat = Layout(WS_CHILD | WS_BORDER, WS_EX_STATICEDGE, 50, 40);
  EXPECT_EQ(stat.client, (RECT{2, 2, 48, 38}));
  FrameLayout both = Layout(WS_CHILD, WS_EX_STATICEDGE | WS_EX_CLIENTEDGE, 50, 40);
  EXPECT_EQ(both.client, (RECT{3, 3, 47, 37}));

  // Children never get a menu strip.
  FrameLayout child = Layout(WS_CHILD | WS_CAPTION, 0, 100, 100, 19);
  EXPECT_TRUE(IsRectEmpty(&child.menuBar));
  EXPECT_EQ(MenuBarWidth(WS_OVERLAPPEDWINDOW, 0, 300), 292);
}

TEST(FrameLayout, SmallWindowsNeverTurnPartsInsideOut) {
  for (int w : {0, 1, 5, 9, 20, 40})
    for (int h : {0, 1, 5, 9, 20, 40}) {
      FrameLayout l = Layout(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, w, h, 19);
      RECT all{0, 0, w, h};
      SCOPED_TRACE(testing::Message() << w << "x" << h);
      EXPECT_LE(l.client.left, l.client.right);
      EXPECT_LE(l.client.top, l.client.bottom);
      EXPECT_TRUE(Inside(l.client, all));
      for (const RECT* r : {&l.caption, &l.closeButton, &l.maxButton, &l.minButton, &l.vScroll, &l.hScroll, &l.menuBar})
        if (!IsRectEmpty(r)) {
          EXPECT_TRUE(Inside(*r, all));
        }
    }
  // A bar shows only when there is room for it.
  FrameLayout narrow = Layout(WS_POPUP | WS_VSCROLL, 0, 10, 100);
  EXPECT_TRUE(IsRectEmpty(&narrow.vScroll));
  EXPECT_EQ(narrow.client, (RECT{0, 0, 10, 100}));
}

TEST(FrameLayout, HitTestingCoversEveryPart) {
  FrameStyle fs{WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, 19};
  FrameLayout l = ComputeFrameLayout(fs, 300, 200);
  auto hit = [&](int x, int y) { return HitTestLayout(l, fs, POINT{x, y}); };
  EXPECT_EQ(hit(-1, 10), HTNOWHERE);
  EXPECT_EQ(hit(300, 10), HTNOWHERE);
  EXPECT_EQ(hit(0, 0), HTTOPLEFT);
  EXPECT_EQ(hit(21, 0), HTTOPLEFT);  // corners reach a button's width past the frame
  EXPECT_EQ(hit(22, 0), HTTOP);
  EXPECT_EQ(hit(150, 0), HTTOP);
  EXPECT_EQ(hit(299, 0), HTTOPRIGHT);
  EXPECT_EQ(hit(0, 100), HTLEFT);
  EXPECT_EQ(hit(3, 100), HTLEFT);
  EXPECT_EQ(hit(299, 100), HTRIGHT);
  EXPECT_EQ(hit(150, 199), HTBOTTOM);
  EXPECT_EQ(hit(0, 199), HTBOTTOMLEFT);
  EXPECT_EQ(hit(299, 199), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(299, 185), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(10, 10), HTSYSMENU);
  EXPECT_EQ(hit(100, 10), HTCAPTION);
  EXPECT_EQ(hit(100, 22), HTCAPTION);  // the line below the caption belongs to it
  EXPECT_EQ(hit(280, 10), HTCLOSE);
  EXPECT_EQ(hit(277, 10), HTCAPTION);  // the gap between close and maximise
  EXPECT_EQ(hit(265, 10), HTMAXBUTTON);
  EXPECT_EQ(hit(250, 10), HTMINBUTTON);
  EXPECT_EQ(hit(100, 30), HTMENU);
  EXPECT_EQ(hit(100, 42), HTBORDER);  // client edge
  EXPECT_EQ(hit(285, 100), HTVSCROLL);
  EXPECT_EQ(hit(100, 185), HTHSCROLL);
  EXPECT_EQ(hit(285, 185), HTGROWBOX);
  EXPECT_EQ(hit(100, 100), HTCLIENT);

  // No sizing codes from a maximised window or a fixed frame.
  FrameStyle maxed{WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 0, 0};
  EXPECT_EQ(HitTestLayout(ComputeFrameLayout(maxed, 300, 200), maxed, POINT{0, 0}), HTBORDER);
  FrameStyle fixed{WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0};
  EXPECT_EQ(HitTestLayout(ComputeFrameLayout(fixed, 300, 200), fixed, POINT{1, 100}), HTBORDER);
}
