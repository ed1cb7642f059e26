// The modal menu loop driven by scripted input on the headless desktop: each script step runs
// when the loop waits for input.

#include "toolbars/TBItemModal.h"

#include "ToolbarsFixture.h"
#include "support/MessageSequence.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemViewer.h"

namespace toolbars::testing {
namespace {

win::POINT CentreOf(TTBPopupWindow* popup, TTBCustomItem* item) {
  TRect r = popup->View()->Find(item)->ScreenBoundsRect();
  return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point inside a tall popup's top or bottom arrow strip, in screen coordinates.
win::POINT ArrowStrip(TTBPopupWindow* popup, bool top) {
  const TRect cr = popup->ClientRect();
  win::POINT pt{(cr.left + cr.right) / 2, top ? cr.top + 4 : cr.bottom - 4};
  win::ClientToScreen(popup->Handle(), &pt);
  return pt;
}

class MenuLoop : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    win::ResetMessageBeeps();
    // The form the menu belongs to keeps the focus while the menu is open.
    owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
    win::SetActiveWindow(owner);
    win::SetFocus(owner);
    Pump();
    menu = new TTBPopupMenu(nullptr);
    open = Add("&Open", &opened);
    save = Add("&Save", &saved);
    more = new StyledItem(menu, "&More", tbisSubmenu);
    menu->Items()->Add(more);
    sub = new TTBCustomItem(menu);
    sub->SetCaption("&Deep");
    sub->OnClick = [this](TObject*) { ++deep; };
    more->Add(sub);
  }
  void TearDown() override {
    delete menu;
    ToolbarsTest::TearDown();
  }
  TTBCustomItem* Add(const char* caption, int* counter) {
    auto* it = new TTBCustomItem(menu);
    it->SetCaption(caption);
    if (counter) it->OnClick = [counter](TObject*) { ++*counter; };
    menu->Items()->Add(it);
    return it;
  }
  // The script ends the loop with Esc when a test leaves the menu open.
  void Escape() {
    desktop->script([this] { desktop->press_key(win::VK_ESCAPE); });
  }

  win::HWND owner = nullptr;
  TTBPopupMenu* menu = nullptr;
  TTBCustomItem *open = nullptr, *save = nullptr, *more = nullptr, *sub = nullptr;
  int opened = 0, saved = 0, deep = 0;
};

TEST_F(MenuLoop, ClickRunsAfterTheLoopFromTheQueue) {
  desktop->script([this] {
    auto popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    win::POINT p = CentreOf(popups[0], save);
    desktop->mouse_move(p);
    desktop->click(p);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(saved, 0) << "the click never runs inside the loop";
  EXPECT_TRUE(Popups().empty());
  Pump();
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

// The order of things as the message trace shows it: the popup says it is shown (1578, 3), is
// destroyed, and only then the chosen item's click arrives from the queue (1280).
TEST_F(MenuLoop, TheClickIsPostedAfterThePopupIsGone) {
  kvtest::MessageRecorder rec(win::kChannelLifetime | win::kChannelPrivate);
  win::HWND popup = nullptr;
  desktop->script([&] {
    popup = Popups()[0]->Handle();
    desktop->type_char(u's');
  });
  menu->Popup(100, 100);
  Pump();
  ASSERT_EQ(saved, 1);
  auto calls = rec.Calls();
  auto find = [&](auto pred) {
    for (size_t i = 0; i < calls.size(); ++i)
      if (pred(calls[i])) return int(i);
    return -1;
  };
  int shown = find([&](const win::TracedMessage& m) {
    return m.hwnd == popup && m.msg == TBM_POPUPSHOWING && m.wParam == TPS_NOANIM;
  });
  int destroyed = find([&](const win::TracedMessage& m) { return m.hwnd == popup && m.msg == win::WM_DESTROY; });
  int clicked = find([&](const win::TracedMessage& m) {
    return m.msg == 1280 && m.kind == win::TraceKind::Posted;
  });
  ASSERT_GE(shown, 0);
  ASSERT_GE(destroyed, 0);
  ASSERT_GE(clicked, 0);
  EXPECT_LT(shown, destroyed);
  EXPECT_LT(destroyed, clicked);
  EXPECT_EQ(calls[size_t(clicked)].depth, 0) << "run from the application's loop, not inside a send";
}

TEST_F(MenuLoop, OutsideClickFallsThroughToTheWindowBelow) {
  win::HWND below = Create(win::WS_POPUP | win::WS_VISIBLE, {400, 300, 200, 200});
  Pump();
  ClearLog();
  desktop->script([this] { desktop->click({500, 400}); });
  menu->Popup(100, 100);
  EXPECT_EQ(menu->Items()->Count(), 3);
  Pump();
  EXPECT_EQ(Count(below, win::WM_LBUTTONDOWN), 1) << "the press reached its window after the menu closed";
  EXPECT_EQ(opened + saved, 0);
}

TEST_F(MenuLoop, OpeningReleaseOverNothingKeepsTheMenu) {
  bool stillOpen = false;
  desktop->script([this] { desktop->mouse_up({700, 500}); });
  desktop->script([&] {
    stillOpen = Popups().size() == 1;
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_TRUE(stillOpen);
  Pump();
  EXPECT_EQ(opened + saved, 0);
}

TEST_F(MenuLoop, AcceleratorsAndBeeps) {
  desktop->script([this] { desktop->type_char(u'z'); });
  desktop->script([this] { desktop->type_char(u's'); });
  menu->Popup(100, 100);
  EXPECT_EQ(win::MessageBeepCount(), 1) << "a character no item has beeps";
  Pump();
  EXPECT_EQ(saved, 1);
}

TEST_F(MenuLoop, KeysOpenSubmenusAndEscClosesOneLevel) {
  size_t depthAfterRight = 0, depthAfterEsc = 0;
  TTBCustomItem* selectedInSub = nullptr;
  desktop->script([this] { desktop->press_key(win::VK_END); });  // More
  desktop->script([this] { desktop->press_key(win::VK_RIGHT); });
  desktop->script([&] {
    auto popups = Popups();
    depthAfterRight = popups.size();
    if (popups.size() == 2 && popups[1]->View()->Selected()) selectedInSub = popups[1]->View()->Selected()->Item();
    desktop->press_key(win::VK_ESCAPE);
  });
  desktop->script([&] {
    depthAfterEsc = Popups().size();
    desktop->press_key(win::VK_RIGHT);
  });
  desktop->script([this] { desktop->press_key(win::VK_RETURN); });
  menu->Popup(100, 100);
  EXPECT_EQ(depthAfterRight, 2u);
  ASSERT_NE(selectedInSub, nullptr) << "a submenu opened by key selects its first item";
  EXPECT_EQ(selectedInSub, sub);
  EXPECT_EQ(depthAfterEsc, 1u);
  Pump();
  EXPECT_EQ(deep, 1);
}

TEST_F(MenuLoop, HoverOpensTheSubmenuAfterTheMenuDelay) {
  size_t before = 0, after = 0;
  desktop->script([&] { desktop->mouse_move(CentreOf(Popups()[0], more)); });
  desktop->script([&] {
    before = Popups().size();
    desktop->advance(win::DWORD(GetMenuShowDelay()));
  });
  desktop->script([&] {
    after = Popups().size();
    desktop->press_key(win::VK_ESCAPE);  // closes the submenu
    desktop->press_key(win::VK_ESCAPE);  // closes the menu
  });
  menu->Popup(100, 100);
  EXPECT_EQ(before, 1u);
  EXPECT_EQ(after, 2u);
}

TEST_F(MenuLoop, LosingTheCaptureEndsTheLoopWithoutAClick) {
  win::HWND thief = Create(win::WS_POPUP | win::WS_VISIBLE, {600, 500, 50, 50});
  desktop->script([&] {
    TTBView* v = Popups()[0]->View();
    v->SetSelected(v->Find(open));
    win::SetCapture(thief);
  });
  menu->Popup(100, 100);
  Pump();
  EXPECT_EQ(opened, 0);
  EXPECT_TRUE(Popups().empty());
  win::ReleaseCapture();
}

TEST_F(MenuLoop, ItemsFreedWhileTheirMenuIsOpen) {
  size_t depth = 0;
  TTBItemViewer* selected = nullptr;
  desktop->script([this] { desktop->press_key(win::VK_END); });
  desktop->script([this] { desktop->press_key(win::VK_RIGHT); });  // More's submenu opens
  desktop->script([&] {
    delete sub;   // the selected item of the open submenu
    delete more;  // the item whose submenu is open
    sub = more = nullptr;
    depth = Popups().size();
    selected = Popups()[0]->View()->Selected();
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(depth, 1u) << "the submenu closed with its item";
  EXPECT_EQ(selected, nullptr);
  Pump();
  EXPECT_EQ(opened + saved + deep, 0);
}

TEST_F(MenuLoop, AMonitorRemovedWhileAPopupIsOpen) {
  ASSERT_TRUE(win::SetMonitorLayout({{{0, 0, 800, 600}, {0, 0, 800, 560}}, {{800, 0, 1600, 600}, {800, 0, 1600, 600}}}));
  size_t depth = 0;
  desktop->script([&] {
    ASSERT_TRUE(win::SetMonitorLayout({{{0, 0, 800, 600}, {0, 0, 800, 560}}}));
    desktop->press_key(win::VK_END);
    desktop->press_key(win::VK_RIGHT);
  });
  desktop->script([&] {
    depth = Popups().size();
    if (depth == 2) {
      win::RECT r{};
      win::GetWindowRect(Popups()[1]->Handle(), &r);
      EXPECT_GE(r.left, 0);
    }
    desktop->press_key(win::VK_ESCAPE);
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(700, 100);
  EXPECT_EQ(depth, 2u);
  win::ResetMonitorLayout();
}

TEST_F(MenuLoop, CharactersTypedInTheMenuAreGoneAfterwards) {
  win::HWND edit = Create(win::WS_POPUP | win::WS_VISIBLE, {600, 500, 50, 50});
  Pump();
  ClearLog();
  desktop->script([&] {
    win::PostMessageW(edit, win::WM_CHAR, 'x', 0);
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  Pump();
  EXPECT_EQ(Count(edit, win::WM_CHAR), 0);
}

TEST_F(MenuLoop, MenuEventsAndPopupNotices) {
  int shownWithoutAnimation = 0;
  desktop->script([&] {
    TTBPopupWindow* p = Popups()[0];
    (void)p;
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  std::vector<win::DWORD> events;
  for (auto& e : win::RecordedWinEvents()) events.push_back(e.event);
  // The popup goes before the loop's handler.
  std::vector<win::DWORD> expected{win::EVENT_SYSTEM_MENUSTART, win::EVENT_SYSTEM_MENUPOPUPSTART,
                                   win::EVENT_SYSTEM_MENUPOPUPEND, win::EVENT_SYSTEM_MENUEND};
  std::vector<win::DWORD> got;
  for (auto e : events)
    if (e == win::EVENT_SYSTEM_MENUSTART || e == win::EVENT_SYSTEM_MENUEND || e == win::EVENT_SYSTEM_MENUPOPUPSTART ||
        e == win::EVENT_SYSTEM_MENUPOPUPEND)
      got.push_back(e);
  EXPECT_EQ(got, expected);
  (void)shownWithoutAnimation;
}

// A menu taller than the screen shows arrow strips; the pointer resting on one scrolls the menu
// that way on the clock, with no further mouse movement.
TEST_F(MenuLoop, ThePointerRestingOnAScrollArrowScrollsTheTallMenu) {
  for (int i = 0; i < 120; ++i) Add("Line", nullptr);
  Integer atStart = -1, downRest = -1, atEnd = -1, upRest = -1, upRestLonger = -1;
  bool upArrowAtEnd = false;
  desktop->script([&] {
    atStart = Popups()[0]->View()->ScrollOffset();
    desktop->mouse_move(ArrowStrip(Popups()[0], false));
  });
  desktop->script([&] { desktop->advance(350); });
  desktop->script([&] {
    downRest = Popups()[0]->View()->ScrollOffset();
    desktop->press_key(win::VK_END);  // the last line: scrolled to the very end
  });
  desktop->script([&] {
    atEnd = Popups()[0]->View()->ScrollOffset();
    upArrowAtEnd = Popups()[0]->View()->ShowUpArrow();
    desktop->mouse_move(ArrowStrip(Popups()[0], true));
  });
  desktop->script([&] { desktop->advance(350); });
  desktop->script([&] {
    upRest = Popups()[0]->View()->ScrollOffset();
    desktop->advance(350);
  });
  desktop->script([&] {
    upRestLonger = Popups()[0]->View()->ScrollOffset();
    desktop->press_key(win::VK_ESCAPE);
  });
  menu->Popup(100, 100);
  EXPECT_EQ(atStart, 0);
  EXPECT_GT(downRest, 0) << "resting on the bottom arrow scrolls down";
  ASSERT_TRUE(upArrowAtEnd);
  EXPECT_GT(atEnd, downRest);
  EXPECT_LT(upRest, atEnd) << "resting on the top arrow scrolls up";
  EXPECT_LT(upRestLonger, upRest) << "and keeps scrolling while the pointer stays";
  EXPECT_EQ(opened + saved + deep, 0) << "scrolling chose nothing";
}

// Lines scrolled by the arrows move whole: each keeps its height, lies where the scroll put it,
// and the pointer resting on a line selects that line, after resting on either arrow for one
// scroll step or for many.
TEST_F(MenuLoop, LinesScrolledByTheArrowsMoveWholeAndThePointerSelectsTheLineUnderIt) {
  for (int i = 0; i < 120; ++i) Add("Line", nullptr);
  const struct {
    const char* name;
    bool top;
    int steps;  // of the arrow's 100 ms clock
  } rests[] = {{"down one step", false, 1}, {"down many steps", false, 12}, {"up one step", true, 1},
               {"up many steps", true, 5}};
  std::vector<TRect> natural;  // every line at scroll offset 0
  desktop->script([&] {
    TTBView* view = Popups()[0]->View();
    for (Integer i = 0; i < view->ViewerCount(); ++i) natural.push_back(view->Viewers(i)->BoundsRect());
  });
  Integer last = 0;  // the offset the row before left
  for (const auto& r : rests) {
    desktop->script([&] { desktop->mouse_move(ArrowStrip(Popups()[0], r.top)); });
    for (int i = 0; i < r.steps; ++i) desktop->script([&] { desktop->advance(100); });
    desktop->script([&] {
      SCOPED_TRACE(r.name);
      TTBView* view = Popups()[0]->View();
      const Integer offset = view->ScrollOffset();
      EXPECT_GT(offset, 0);
      if (r.top)
        EXPECT_LT(offset, last) << "resting on the top arrow scrolls up";
      else
        EXPECT_GT(offset, last) << "resting on the bottom arrow scrolls down";
      last = offset;
      ASSERT_EQ(Integer(natural.size()), view->ViewerCount());
      TTBItemViewer* target = nullptr;
      int misplaced = 0, first = -1;
      for (Integer i = 0; i < view->ViewerCount(); ++i) {
        TTBItemViewer* v = view->Viewers(i);
        const TRect& n = natural[size_t(i)];
        if (v->BoundsRect() != TRect{n.left, n.top - offset, n.right, n.bottom - offset} && misplaced++ == 0) first = i;
        // The second line shown below the top arrow.
        if (v->Show() && !target && i > 0 && view->Viewers(i - 1)->Show()) target = v;
      }
      EXPECT_EQ(misplaced, 0) << "lines not moved whole by the scroll, the first: " << first;
      ASSERT_NE(target, nullptr);
      const TRect b = target->ScreenBoundsRect();
      desktop->mouse_move({(b.left + b.right) / 2, b.top + 1});
    });
    desktop->script([&] {
      SCOPED_TRACE(r.name);
      TTBView* view = Popups()[0]->View();
      TTBItemViewer* shown = nullptr;
      for (Integer i = 1; i < view->ViewerCount() && !shown; ++i)
        if (view->Viewers(i)->Show() && view->Viewers(i - 1)->Show()) shown = view->Viewers(i);
      EXPECT_EQ(view->Selected(), shown) << "the pointer's line is selected";
    });
  }
  Escape();
  menu->Popup(100, 100);
  EXPECT_EQ(opened + saved + deep, 0) << "scrolling chose nothing";
}

}  // namespace
}  // namespace toolbars::testing
