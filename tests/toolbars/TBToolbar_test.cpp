// The toolbar on its dock: chevron, wrapping and cutting by shrink mode, menu bar mode, Alt+letter
// through SC_KEYMENU, and shortcuts through the registered toolbars.

#include "toolbars/TBToolbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolbarsFixture.h"
#include "framework/Menus.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/Beep.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBFloatingParent.h"

namespace toolbars::testing {
namespace {

class ToolbarTest : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(50, 50, 300, 300);
    dock = new TTBDock(form);
    dock->SetParent(form);
    form->Show();
    win::SetActiveWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  TTBCustomToolbar* NewToolbar(int Buttons) {
    auto* t = new TTBCustomToolbar(form);
    t->AfterConstruction();
    for (int i = 0; i < Buttons; ++i) {
      auto* it = new StyledItem(t->Items(), ("Button " + std::to_string(i)).c_str());
      it->OnClick = [this, i](fw::TObject*) { clicked.push_back(i); };
      t->Items()->Add(it);
    }
    t->SetCurrentDock(dock);
    Pump();
    return t;
  }
  static int Shown(TTBCustomToolbar* T, bool OffEdge) {
    int n = 0;
    for (Integer i = 0; i < T->View()->ViewerCount(); ++i) {
      TTBItemViewer* v = T->View()->Viewers(i);
      if (v->Item() == T->ChevronItem()) continue;
      if (OffEdge ? v->OffEdge() : v->Show()) ++n;
    }
    return n;
  }
  bool ChevronShown(TTBCustomToolbar* T) { return T->View()->Find(T->ChevronItem())->Show(); }
  fw::TForm* form = nullptr;
  TTBDock* dock = nullptr;
  std::vector<int> clicked;
};

TEST_F(ToolbarTest, FitsWithoutChevronWhenThereIsRoom) {
  TTBCustomToolbar* t = NewToolbar(2);
  EXPECT_FALSE(ChevronShown(t));
  EXPECT_EQ(Shown(t, true), 0);
  EXPECT_EQ(t->CurrentSize(), 0);
  EXPECT_GT(dock->Height(), 0);
}

// Items added one by one enter the priority list first (tbcpHighest: the earliest hide first)
// or last (tbcpLowest: the latest hide first).
TEST_F(ToolbarTest, ChevronPriorityForNewItemsDecidesWhichButtonsHideFirst) {
  for (TTBChevronPriorityForNewItems priority : {tbcpHighest, tbcpLowest}) {
    SCOPED_TRACE(int(priority));
    auto* t = new TTBCustomToolbar(form);
    t->AfterConstruction();
    t->SetChevronPriorityForNewItems(priority);
    for (int i = 0; i < 12; ++i) t->Items()->Add(new StyledItem(t->Items(), ("Button " + std::to_string(i)).c_str()));
    t->SetCurrentDock(dock);
    Pump();
    ASSERT_TRUE(ChevronShown(t));
    TTBView* v = t->View();
    EXPECT_EQ(v->Viewers(0)->Show(), priority == tbcpLowest);
    EXPECT_EQ(v->Viewers(11)->Show(), priority == tbcpHighest);
    delete t;
  }
}

TEST_F(ToolbarTest, ShrinkModeDecidesWhatATooShortDockDoes) {
  TTBCustomToolbar* t = NewToolbar(12);
  // Chevron: the toolbar takes the dock's length and hides the rest behind the chevron.
  EXPECT_TRUE(ChevronShown(t));
  EXPECT_GT(Shown(t, true), 0);
  EXPECT_LE(t->Left() + t->Width(), dock->Width());
  const Integer oneRow = dock->Height();

  // Wrap: more rows instead.
  t->SetShrinkMode(tbsmWrap);
  Pump();
  EXPECT_FALSE(ChevronShown(t));
  EXPECT_EQ(Shown(t, true), 0);
  EXPECT_GT(dock->Height(), oneRow);
  EXPECT_LE(t->Left() + t->Width(), dock->Width());
  // Measured for its dock it wraps as it does there; floating (no width set) it takes one row.
  EXPECT_EQ(t->OrderControls(false, dtTopBottom, dock).y, t->ClientHeight());
  EXPECT_LT(t->OrderControls(false, dtFloating, nullptr).y, t->ClientHeight() / 2);

  // None: cut at the dock's end.
  t->SetShrinkMode(tbsmNone);
  Pump();
  EXPECT_FALSE(ChevronShown(t));
  EXPECT_EQ(dock->Height(), oneRow);
  EXPECT_GT(t->Width(), dock->Width());
}

// Two toolbars sharing a row too short for both: the chevron shares the room out once, and
// further arranges of the dock (a theme switch asks one per toolbar) change nothing. A shrunk
// toolbar still reports its whole length, the one it takes again when room comes back.
TEST_F(ToolbarTest, AnOverfullRowSettlesInOneArrangeAndKeepsItsWholeLengths) {
  for (TTBDockPosition position : {dpTop, dpLeft}) {
    SCOPED_TRACE(int(position));
    delete dock;
    form->SetBounds(50, 50, 300, 300);
    dock = new TTBDock(form);
    dock->SetPosition(position);
    dock->SetParent(form);
    const bool vertical = position == dpLeft;
    auto along = [&](const TPoint& P) { return vertical ? P.y : P.x; };
    TTBCustomToolbar* a = NewToolbar(6);
    TTBCustomToolbar* b = NewToolbar(8);
    b->SetDockRow(0);
    b->SetDockPos(1000);
    Pump();
    ASSERT_EQ(vertical ? a->Left() : a->Top(), vertical ? b->Left() : b->Top()) << "one row";
    ASSERT_TRUE(ChevronShown(a) || ChevronShown(b));
    const TPoint wholeA = a->BaseSize(), wholeB = b->BaseSize();
    EXPECT_GT(along(wholeA) + along(wholeB), vertical ? dock->Height() : dock->Width())
        << "what they ask for is more than the row";
    const fw::TRect boundsA = a->BoundsRect(), boundsB = b->BoundsRect();
    const int hiddenA = Shown(a, true), hiddenB = Shown(b, true);
    for (int pass = 0; pass < 3; ++pass) {
      SCOPED_TRACE(pass);
      dock->ArrangeToolbars();
      Pump();
      EXPECT_EQ(a->BoundsRect(), boundsA);
      EXPECT_EQ(b->BoundsRect(), boundsB);
      EXPECT_EQ(Shown(a, true), hiddenA);
      EXPECT_EQ(Shown(b, true), hiddenB);
      EXPECT_EQ(a->BaseSize(), wholeA);
      EXPECT_EQ(b->BaseSize(), wholeB);
    }
    // Room for both: each takes the length it reported while shrunk.
    const Integer room = along(wholeA) + along(wholeB) + 100;
    form->SetBounds(50, 50, vertical ? 300 : room, vertical ? room : 300);
    Pump();
    EXPECT_FALSE(ChevronShown(a));
    EXPECT_FALSE(ChevronShown(b));
    EXPECT_EQ(a->BaseSize(), wholeA);
    EXPECT_EQ(b->BaseSize(), wholeB);
    delete a;
    delete b;
  }
}

// A drag measures the toolbar for every dock it could go to before it starts: on whichever dock
// it sits, measuring it for a dock of either direction or for floating leaves the toolbar, its
// layout and its dock as they were, and what the measure says is the size the toolbar then takes there.
TEST_F(ToolbarTest, MeasuringForAnyDockLeavesTheToolbarAndItsDockAlone) {
  delete dock;
  form->SetBounds(50, 50, 500, 500);
  TTBDock* docks[4] = {};
  for (TTBDockPosition position : {dpTop, dpBottom, dpLeft, dpRight}) {
    docks[position] = new TTBDock(form);
    docks[position]->SetPosition(position);
    docks[position]->SetParent(form);
  }
  dock = docks[dpTop];
  TTBCustomToolbar* t = NewToolbar(4);
  for (TTBDockPosition position : {dpTop, dpBottom, dpLeft, dpRight}) {
    SCOPED_TRACE(int(position));
    t->SetCurrentDock(docks[position]);
    Pump();
    const fw::TRect bounds = t->BoundsRect(), dockBounds = docks[position]->BoundsRect();
    const TPoint base = t->BaseSize();
    const struct {
      TTBDockType Type;
      TTBDock* To;
    } measures[] = {{dtTopBottom, docks[dpTop]}, {dtLeftRight, docks[dpLeft]}, {dtFloating, nullptr}};
    std::vector<TRect> places;
    for (Integer i = 0; i < t->View()->ViewerCount(); ++i)
      places.push_back(t->View()->Viewers(i)->BoundsRect());
    for (const auto& m : measures) {
      t->OrderControls(false, m.Type, m.To);
      // The layout stays as it is, with nothing to lay out or paint again.
      EXPECT_TRUE(t->View()->PositionsValid());
      win::RECT pending{};
      EXPECT_FALSE(win::GetUpdateRect(t->Handle(), &pending, win::FALSE));
      for (Integer i = 0; i < t->View()->ViewerCount(); ++i)
        EXPECT_EQ(t->View()->Viewers(i)->BoundsRect(), places[size_t(i)]) << "viewer " << i;
      EXPECT_EQ(t->BoundsRect(), bounds);
      EXPECT_EQ(docks[position]->BoundsRect(), dockBounds);
      EXPECT_EQ(t->BaseSize(), base);
    }
    // The measure for a dock of the other direction is the client size the toolbar gets there.
    TTBDock* across = docks[position == dpLeft || position == dpRight ? dpTop : dpLeft];
    const TPoint measured = t->OrderControls(false, GetDockTypeOf(across, false), across);
    t->SetCurrentDock(across);
    Pump();
    EXPECT_EQ(t->ClientWidth(), measured.x);
    EXPECT_EQ(t->ClientHeight(), measured.y);
  }
}

TEST_F(ToolbarTest, MenuBarModeSwitchesItsCompanions) {
  TTBCustomToolbar* t = NewToolbar(1);
  t->SetMenuBar(true);
  EXPECT_TRUE(t->FullSize());
  EXPECT_EQ(t->ShrinkMode(), tbsmWrap);
  EXPECT_FALSE(t->CloseButton());
  EXPECT_TRUE(t->ProcessShortCuts());
  EXPECT_TRUE(t->View()->Style() & tbvoMenuBar);
  EXPECT_EQ(t->Width(), dock->Width());
  t->SetMenuBar(false);
  EXPECT_EQ(t->ShrinkMode(), tbsmChevron);
  EXPECT_FALSE(t->FullSize());
  EXPECT_TRUE(t->CloseButton());
}

TEST_F(ToolbarTest, AltLetterOpensTheOnlyMatchAndSelectsTheFirstOfSeveral) {
  TTBCustomToolbar* t = NewToolbar(0);
  t->SetMenuBar(true);
  auto* file = new StyledItem(t->Items(), "&File", tbisSubmenu);
  auto* find = new StyledItem(t->Items(), "&Find", tbisSubmenu);
  auto* edit = new StyledItem(t->Items(), "&Edit", tbisSubmenu);
  for (auto* m : {file, find, edit}) {
    t->Items()->Add(m);
    m->Add(new StyledItem(t->Items(), "Inner"));
  }
  Pump();
  TTBCustomItem* opened = nullptr;
  desktop->script([&] {
    auto popups = Popups();
    opened = popups.empty() ? nullptr : popups[0]->View()->ParentItem();
    desktop->press_key(win::VK_ESCAPE);
  });
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  win::SendMessageW(t->Handle(), win::WM_SYSCOMMAND, win::SC_KEYMENU, u'e');
  EXPECT_EQ(opened, edit);

  TTBCustomItem* selected = nullptr;
  size_t popupsOpen = 99;
  desktop->script([&] {
    selected = t->View()->Selected() ? t->View()->Selected()->Item() : nullptr;
    popupsOpen = Popups().size();
    desktop->press_key(win::VK_ESCAPE);
  });
  win::SendMessageW(t->Handle(), win::WM_SYSCOMMAND, win::SC_KEYMENU, u'f');
  EXPECT_EQ(selected, file);
  EXPECT_EQ(popupsOpen, 0u);

  const int beeps = win::MessageBeepCount();
  EXPECT_EQ(win::SendMessageW(t->Handle(), win::WM_SYSCOMMAND, win::SC_KEYMENU, u'q'), 1);
  EXPECT_EQ(win::MessageBeepCount(), beeps + 1);
}

TEST_F(ToolbarTest, AltLettersFromOtherWindowsGoToTheMainForm) {
  TTBCustomToolbar* t = NewToolbar(1);
  win::HWND other = Create(win::WS_POPUP | win::WS_VISIBLE, {600, 600, 50, 50});
  auto sysCharTarget = [&] {
    win::PostMessageW(other, win::WM_SYSCHAR, u'f', 0);
    win::MSG msg{};
    EXPECT_TRUE(win::PeekMessageW(&msg, nullptr, win::WM_SYSCHAR, win::WM_SYSCHAR, win::PM_REMOVE));
    return msg.hwnd;
  };
  EXPECT_EQ(sysCharTarget(), other);
  t->SetMenuBar(true);
  EXPECT_EQ(sysCharTarget(), form->Handle());
  t->SetMenuBar(false);
  EXPECT_EQ(sysCharTarget(), other);
}

TEST_F(ToolbarTest, ShortcutsReachTheItemsOfRegisteredToolbars) {
  TTBCustomToolbar* t = NewToolbar(1);
  t->Items()->Items(0)->SetShortCut(fw::ShortCut(Word('K'), fw::TShiftState{fw::ssCtrl}));
  TMessage key{win::WM_KEYDOWN, 'K', 0, 0};
  win::BYTE state[256] = {};
  state[win::VK_CONTROL] = 0x80;
  win::SetKeyboardState(state);
  EXPECT_FALSE(t->ProcessShortCut(key)) << "not registered yet";
  t->SetProcessShortCuts(true);
  bool asked = false;
  t->OnShortCut = [&](TMessage&, bool& handled) {
    asked = true;
    handled = false;
  };
  EXPECT_TRUE(t->ProcessShortCut(key));
  EXPECT_TRUE(asked);
  Pump();
  EXPECT_EQ(clicked, (std::vector<int>{0}));

  // Typed on the form: the application's key-down notice reaches the toolbar's items.
  clicked.clear();
  win::SetFocus(form->Handle());
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('K');
  desktop->key_up(win::VK_CONTROL);
  fw::Application->ProcessMessages();  // the application's loop turns key-downs into shortcuts
  Pump();
  EXPECT_EQ(clicked, (std::vector<int>{0}));

  t->SetProcessShortCuts(false);
  clicked.clear();
  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('K');
  desktop->key_up(win::VK_CONTROL);
  fw::Application->ProcessMessages();
  Pump();
  EXPECT_TRUE(clicked.empty());
}

// The shortcut hook a registered toolbar puts on the application's window takes only the keys
// and system commands of the bars: the application still hears everything else, and so do the
// hooks that come after it.
TEST_F(ToolbarTest, TheShortcutHookLeavesTheApplicationsOtherMessagesAlone) {
  TTBCustomToolbar* t = NewToolbar(1);
  t->SetProcessShortCuts(true);
  int activated = 0, deactivated = 0, laterHookHeard = 0;
  fw::Application->OnActivate = [&](fw::TObject*) { ++activated; };
  fw::Application->OnDeactivate = [&](fw::TObject*) { ++deactivated; };
  static const int kLaterHook = 0;
  fw::Application->HookMainWindow(
      [&](TMessage& M) {
        if (M.Msg == win::WM_ACTIVATEAPP) ++laterHookHeard;
        return false;
      },
      &kLaterHook);
  win::SendMessageW(fw::Application->Handle(), win::WM_ACTIVATEAPP, 0, 0);
  EXPECT_EQ(deactivated, 1);
  EXPECT_FALSE(fw::Application->Active());
  win::SendMessageW(fw::Application->Handle(), win::WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(activated, 1);
  EXPECT_TRUE(fw::Application->Active());
  EXPECT_EQ(laterHookHeard, 2);
  fw::Application->UnhookMainWindow(&kLaterHook);
}

TEST_F(ToolbarTest, FloatingEdgeStepsThroughTheWidthsWhereRowsChange) {
  TTBCustomToolbar* t = NewToolbar(6);
  t->SetFloatingPosition(TPoint{400, 400});
  t->SetFloating(true);
  Pump();
  TTBFloatingWindowParent* p = t->FloatingParent();
  ASSERT_NE(p, nullptr);
  const win::RECT start = [&] {
    win::RECT r{};
    win::GetWindowRect(p->Handle(), &r);
    return r;
  }();
  const win::POINT edge{start.right - 1, (start.top + start.bottom) / 2};
  std::vector<TPoint> sizes;
  Integer widthAfterSmallMove = 0;
  win::SetCursorPos(edge.x, edge.y);
  desktop->script([&] {
    sizes = t->ResizeSizes();
    desktop->mouse_move({edge.x - 3, edge.y});
  });
  desktop->script([&] {
    widthAfterSmallMove = p->Width();
    desktop->mouse_move({edge.x - (start.right - start.left) / 2, edge.y});
  });
  desktop->script([&] { desktop->mouse_up({edge.x - (start.right - start.left) / 2, edge.y}); });
  win::SendMessageW(p->Handle(), win::WM_NCLBUTTONDOWN, win::HTRIGHT, win::MAKELPARAM(edge.x, edge.y));

  ASSERT_GE(sizes.size(), 3u) << "one size per row count, six buttons";
  for (size_t i = 1; i < sizes.size(); ++i) {
    EXPECT_LT(sizes[i - 1].x, sizes[i].x);
    EXPECT_GT(sizes[i - 1].y, sizes[i].y) << "narrower sizes have more rows";
  }
  EXPECT_EQ(widthAfterSmallMove, start.right - start.left) << "a small move stays within the snap distance";
  EXPECT_GT(t->FloatingWidth(), 0);
  bool listed = false;
  for (const TPoint& s : sizes) listed |= s.x == p->Width() && s.y == p->Height();
  EXPECT_TRUE(listed) << p->Width() << " x " << p->Height();
  EXPECT_LT(p->Width(), start.right - start.left);
  EXPECT_GT(p->Height(), start.bottom - start.top);
  EXPECT_TRUE(t->ResizeSizes().empty());

  // What shows is the toolbar in its new rows, as a full repaint draws it.
  Pump();
  const auto shown = [&] {
    win::RECT r{};
    win::GetWindowRect(t->Handle(), &r);
    std::vector<win::COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) pixels.push_back(desktop->screen_pixel(x, y));
    return pixels;
  };
  const std::vector<win::COLORREF> afterResize = shown();
  win::RedrawWindow(
      t->Handle(), nullptr, nullptr,
      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
  Pump();
  EXPECT_TRUE(afterResize == shown());
}

}  // namespace
}  // namespace toolbars::testing
