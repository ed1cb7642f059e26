// Docks with windows of fixed sizes: lists, rows and thickness, the drag fields, the dock's
// own rules, the docked frame and the switch between docks, floating and the form.

#include "toolbars/TBDock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ToolbarsFixture.h"
#include "framework/SysUtils.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"

namespace toolbars::testing {
namespace {

// A dockable window whose contents have a fixed size.
class FixedWindow : public TTBCustomDockableWindow {
 public:
  FixedWindow(fw::TComponent* AOwner, TPoint AClient, TTBShrinkMode AMode = tbsmNone, Integer AMin = 0)
      : TTBCustomDockableWindow(AOwner), FClient(AClient), FMode(AMode), FMin(AMin) {}
  TPoint OrderControls(bool, TTBDockType, TTBDock*) override { return FClient; }
  void GetBaseSize(TPoint& ASize) override { ASize = FClient; }
  TTBShrinkMode GetShrinkMode() override { return FMode; }
  void GetMinShrinkSize(Integer& AMinimumSize) override { AMinimumSize = FMin; }
  void SizeChanging(Integer, Integer) override { ++sizeChanges; }
  int sizeChanges = 0;

 private:
  TPoint FClient;
  TTBShrinkMode FMode;
  Integer FMin;
};

class TBDockTest : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    form = new fw::TForm(nullptr);
    form->SetBounds(100, 100, 400, 300);
    form->HandleNeeded();
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  TTBDock* NewDock(TTBDockPosition Pos) {
    auto* d = new TTBDock(form);
    d->SetPosition(Pos);
    d->SetParent(form);
    return d;
  }
  FixedWindow* NewWindow(TTBDock* Dock, TPoint Client, Integer Row, Integer Pos, TTBShrinkMode Mode = tbsmNone,
                         Integer Min = 0) {
    auto* w = new FixedWindow(form, Client, Mode, Min);
    w->SetDockRow(Row);
    w->SetDockPos(Pos);
    w->SetCurrentDock(Dock);
    return w;
  }
  fw::TForm* form = nullptr;
};

// Drag handle 6 (single) + 4 of frame along a top dock; 4 across.
constexpr Integer kNC = 10;

TEST_F(TBDockTest, EmptyDockIsZeroThickOrOneWithFixAlign) {
  TTBDock* d = NewDock(dpTop);
  d->ArrangeToolbars();
  EXPECT_EQ(d->Height(), 0);
  d->SetFixAlign(true);
  EXPECT_EQ(d->Height(), 1);
  TTBDock* l = NewDock(dpLeft);
  l->SetFixAlign(true);
  EXPECT_EQ(l->Width(), 1);
}

TEST_F(TBDockTest, RowsGiveTheDockItsThicknessAndWindowsTheirBounds) {
  TTBDock* d = NewDock(dpTop);
  FixedWindow* a = NewWindow(d, {100, 20}, 0, 0);
  FixedWindow* b = NewWindow(d, {50, 30}, 0, 150);
  FixedWindow* c = NewWindow(d, {80, 16}, 1, 0);
  EXPECT_TRUE(a->Docked());
  EXPECT_EQ(d->GetToolbarCount(), 3);
  // Row 0 is as thick as its thickest window plus the frame; row 1 follows it.
  EXPECT_EQ(a->BoundsRect(), (TRect{0, 0, 100 + kNC, 34}));
  EXPECT_EQ(b->BoundsRect(), (TRect{150, 0, 150 + 50 + kNC, 34}));
  EXPECT_EQ(c->BoundsRect(), (TRect{0, 34, 80 + kNC, 34 + 20}));
  EXPECT_EQ(d->Height(), 54);
  EXPECT_EQ(a->RowThickness(), 20);
  EXPECT_EQ(d->GetMinRowSize(0, b), 20);
  EXPECT_EQ(d->GetMinRowSize(0, a), 30);
  EXPECT_EQ(b->EffectiveDockPos(), 150);
  EXPECT_EQ(c->EffectiveDockRow(), 1);

  // Hiding the thick window thins its row; the dock shrinks.
  b->Hide();
  EXPECT_EQ(d->GetToolbarCount(), 2);
  EXPECT_EQ(d->Height(), 24 + 20);
}

TEST_F(TBDockTest, LeftDockLaysRowsOutAcross) {
  TTBDock* d = NewDock(dpLeft);
  d->SetBounds(0, 0, 0, 300);
  FixedWindow* a = NewWindow(d, {20, 100}, 0, 10);
  EXPECT_EQ(a->BoundsRect(), (TRect{0, 10, 24, 10 + 100 + kNC}));
  EXPECT_EQ(d->Width(), 24);
}

TEST_F(TBDockTest, UpdatesArePostponedAndRunOnce) {
  TTBDock* d = NewDock(dpTop);
  FixedWindow* a = NewWindow(d, {100, 20}, 0, 0);
  d->BeginUpdate();
  a->SetDockPos(50);
  EXPECT_EQ(a->Left(), 0);
  d->EndUpdate();
  EXPECT_EQ(a->Left(), 50);
}

TEST_F(TBDockTest, CommitNewPositionsWritesRowsAndPositionsBackOnce) {
  TTBDock* d = NewDock(dpTop);
  FixedWindow* a = NewWindow(d, {100, 20}, 0, 0);
  FixedWindow* b = NewWindow(d, {100, 20}, 0, 50);  // overlaps a: pushed to its end
  EXPECT_EQ(b->EffectiveDockPos(), 100 + kNC);
  EXPECT_EQ(b->DockPos(), 50);
  d->CommitPositions();
  EXPECT_EQ(b->DockPos(), 100 + kNC);
  (void)a;
}

TEST_F(TBDockTest, ChevronWindowShrinksToTheDockAndIsToldItsLength) {
  TTBDock* d = NewDock(dpTop);
  d->SetLimitToOneRow(true);
  FixedWindow* a = NewWindow(d, {300, 20}, 0, 0);
  FixedWindow* b = NewWindow(d, {200, 20}, 0, 400, tbsmChevron, 40);
  EXPECT_EQ(b->Width(), d->Width() - (300 + kNC));
  EXPECT_EQ(b->CurrentSize(), d->Width() - (300 + kNC));
  EXPECT_EQ(a->CurrentSize(), 0);
}

TEST_F(TBDockTest, DockRulesRaiseTheirMessages) {
  TTBDock* d = NewDock(dpTop);
  NewWindow(d, {10, 10}, 0, 0);
  try {
    d->SetPosition(dpBottom);
    FAIL();
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot change Position of a TTBDock if it already contains controls");
  }
  TTBDock* other = NewDock(dpBottom);
  auto* inner = new TTBDock(form);
  try {
    inner->SetParent(other);
    FAIL();
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "A TTBDock control cannot be placed inside a tool window or another TTBDock");
  }
}

TEST_F(TBDockTest, BottomDockKeepsItsBottomEdgeAsRowsComeAndGo) {
  TTBDock* bottom = NewDock(dpBottom);
  const Integer edge = form->ClientHeight();
  FixedWindow* a = NewWindow(bottom, {100, 20}, 0, 0);
  EXPECT_EQ(bottom->Top() + bottom->Height(), edge);
  EXPECT_EQ(bottom->Height(), 24);
  NewWindow(bottom, {100, 30}, 1, 0);
  EXPECT_EQ(bottom->Height(), 24 + 34);
  EXPECT_EQ(bottom->Top() + bottom->Height(), edge);
  EXPECT_EQ(a->Top(), 0);
}

TEST_F(TBDockTest, DockedFrameSizesAndHitCodes) {
  TTBDock* d = NewDock(dpTop);
  FixedWindow* a = NewWindow(d, {100, 20}, 0, 0);
  struct Case { TTBDragHandleStyle style; bool close; Integer handle; };
  for (Case c : {Case{dhSingle, false, 6}, Case{dhDouble, false, 9}, Case{dhNone, false, 0}, Case{dhNone, true, 14}}) {
    a->SetDragHandleStyle(c.style);
    a->SetCloseButtonWhenDocked(c.close);
    TPoint nc{};
    a->GetDockedNCAreaSize(nc);
    EXPECT_EQ(nc.x, 4 + c.handle);
    EXPECT_EQ(nc.y, 4);
  }
  d->SetAllowDrag(false);
  TPoint nc{};
  a->GetDockedNCAreaSize(nc);
  EXPECT_EQ(nc.x, 4);
  d->SetAllowDrag(true);

  // The close button in the handle answers 2001, the rest of the frame 2000.
  a->SetDragHandleStyle(dhSingle);
  a->SetCloseButtonWhenDocked(true);
  win::ShowWindow(form->Handle(), win::SW_SHOWNA);
  TRect button{};
  a->GetDockedCloseButtonRect(false, button);
  win::RECT wr{};
  win::GetWindowRect(a->Handle(), &wr);
  auto hit = [&](Integer x, Integer y) {
    return win::SendMessageW(a->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(wr.left + x, wr.top + y));
  };
  EXPECT_EQ(hit(button.left + 1, button.top + 1), HTDockClose);
  EXPECT_EQ(hit(1, a->Height() - 2), HTDockBorder);
  EXPECT_EQ(hit(a->Width() / 2, a->Height() / 2), win::HTCLIENT);
}

TEST_F(TBDockTest, ParentChangesFireInOrderAndKeepTheLastDock) {
  TTBDock* top = NewDock(dpTop);
  TTBDock* bottom = NewDock(dpBottom);
  FixedWindow* a = NewWindow(top, {100, 20}, 0, 0);
  std::vector<std::string> events;
  a->OnDockChanging = [&](fw::TObject*, bool floating, TTBDock* to) {
    events.push_back(std::string("changing:") + (floating ? "float" : to == bottom ? "bottom" : "other"));
  };
  a->OnRecreating = [&](fw::TObject*) { events.push_back("recreating"); };
  a->OnRecreated = [&](fw::TObject*) { events.push_back("recreated"); };
  a->OnDockChanged = [&](fw::TObject*) { events.push_back("changed"); };
  top->OnInsertRemoveBar = [&](fw::TObject*, bool inserting, TTBCustomDockableWindow*) {
    events.push_back(inserting ? "top+" : "top-");
  };
  a->SetCurrentDock(bottom);
  EXPECT_EQ(events, (std::vector<std::string>{"changing:bottom", "recreating", "top-", "recreated", "changed"}));
  EXPECT_EQ(a->LastDock(), bottom);
  EXPECT_EQ(top->GetToolbarCount(), 0);
  EXPECT_EQ(top->Height(), 0);
  EXPECT_EQ(bottom->GetToolbarCount(), 1);
}

TEST_F(TBDockTest, FloatingAndDoubleClickBack) {
  TTBDock* top = NewDock(dpTop);
  FixedWindow* a = NewWindow(top, {100, 20}, 0, 30);
  a->SetFloatingPosition(TPoint{200, 220});
  a->SetFloating(true);
  ASSERT_TRUE(a->Floating());
  TTBFloatingWindowParent* p = a->FloatingParent();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->DockableWindow(), a);
  EXPECT_EQ(p->ParentForm(), form);
  EXPECT_EQ(p->Left(), 200);
  EXPECT_EQ(a->ClientWidth(), 100);
  EXPECT_EQ(top->GetToolbarCount(), 0);
  EXPECT_EQ(a->LastDock(), top);  // still listed there, not shown
  EXPECT_EQ(top->DockList().size(), 1u);

  a->DoubleClick();
  EXPECT_TRUE(a->Docked());
  EXPECT_EQ(a->CurrentDock(), top);
  EXPECT_EQ(a->FloatingParent(), nullptr);
}

TEST_F(TBDockTest, DoubleClickWithoutLastDockGoesFirstIntoTheDefaultDock) {
  TTBDock* top = NewDock(dpTop);
  FixedWindow* other = NewWindow(top, {50, 20}, 0, -1);
  auto* a = new FixedWindow(form, {60, 20});
  a->SetUseLastDock(false);
  a->SetDefaultDock(top);
  a->SetParent(form);
  a->SetFloating(true);
  a->DoubleClick();
  ASSERT_EQ(a->CurrentDock(), top);
  EXPECT_EQ(a->DockPos(), -8);
  EXPECT_LT(a->Left(), other->Left());
}

TEST_F(TBDockTest, FloatingWithoutAnOwnerFormRaises) {
  auto* lonely = new FixedWindow(nullptr, {10, 10});
  EXPECT_THROW(lonely->SetFloating(true), fw::EInvalidOperation);
  delete lonely;
}

TEST_F(TBDockTest, CloseAsksFirstAndHides) {
  TTBDock* top = NewDock(dpTop);
  FixedWindow* a = NewWindow(top, {100, 20}, 0, 0);
  bool allow = false;
  int closed = 0;
  a->OnCloseQuery = [&](fw::TObject*, bool& canClose) { canClose = allow; };
  a->OnClose = [&](fw::TObject*) { ++closed; };
  a->Close();
  EXPECT_TRUE(a->Visible());
  allow = true;
  a->Close();
  EXPECT_FALSE(a->Visible());
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(top->GetToolbarCount(), 0);
}

}  // namespace
}  // namespace toolbars::testing
