// The drag loop between docks and out to float (smooth and outline, Ctrl, Escape), the close
// button loop and the floating parent's frame codes, with scripted input.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ToolbarsFixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"

namespace toolbars::testing {
namespace {

class Box : public TTBCustomDockableWindow {
 public:
  Box(fw::TComponent* AOwner, TPoint AClient) : TTBCustomDockableWindow(AOwner), FClient(AClient) {}
  TPoint OrderControls(bool, TTBDockType, TTBDock*) override { return FClient; }
  void GetBaseSize(TPoint& ASize) override { ASize = FClient; }

 private:
  TPoint FClient;
};

class DragLoop : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    form = fw::Application->CreateForm<fw::TForm>();  // the main form
    form->SetBounds(100, 100, 500, 400);
    top = NewDock(dpTop);
    bottom = NewDock(dpBottom);
    a = NewBox(top, 0, 0);
    b = NewBox(bottom, 0, 0);
    form->Show();
    win::SetActiveWindow(form->Handle());
    Pump();
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
  Box* NewBox(TTBDock* Dock, Integer Row, Integer Pos) {
    auto* w = new Box(form, {80, 20});
    w->SetDockRow(Row);
    w->SetDockPos(Pos);
    w->SetCurrentDock(Dock);
    return w;
  }
  static win::RECT ScreenRect(fw::TWinControl* C) {
    win::RECT r{};
    win::GetWindowRect(C->Handle(), &r);
    return r;
  }
  // Presses on the drag handle of W and runs the loop; the script moves and releases.
  void GrabHandle(TTBCustomDockableWindow* W) {
    const win::RECT r = ScreenRect(W);
    grab = win::POINT{r.left + 3, (r.top + r.bottom) / 2};
    desktop->mouse_move(grab);
    Pump();
    win::SendMessageW(W->Handle(), win::WM_NCLBUTTONDOWN, HTDockBorder, win::MAKELPARAM(grab.x, grab.y));
  }
  fw::TForm* form = nullptr;
  TTBDock *top = nullptr, *bottom = nullptr;
  Box *a = nullptr, *b = nullptr;
  win::POINT grab{};
};

TEST_F(DragLoop, DropsIntoTheRowOfAnotherDock) {
  const win::RECT target = ScreenRect(b);
  desktop->script([&] { desktop->mouse_move({target.right + 40, (target.top + target.bottom) / 2}); });
  desktop->script([&] { desktop->mouse_up({target.right + 40, (target.top + target.bottom) / 2}); });
  GrabHandle(a);
  EXPECT_EQ(a->CurrentDock(), bottom);
  EXPECT_EQ(a->DockRow(), b->DockRow());
  EXPECT_EQ(a->EffectiveDockRow(), 0);
  EXPECT_EQ(a->LastDock(), bottom);
  EXPECT_EQ(top->GetToolbarCount(), 0);
  EXPECT_EQ(bottom->GetToolbarCount(), 2);
  EXPECT_EQ(bottom->DragWindow(), nullptr);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

// A floating window on a monitor that goes away comes onto the one that is left; on a monitor
// that stays it keeps its place.
TEST_F(DragLoop, AFloatingWindowWhoseMonitorGoesMovesOntoTheOneLeft) {
  const win::MonitorArea left{{0, 0, 800, 600}, {0, 0, 800, 560}};
  const win::MonitorArea right{{800, 0, 1600, 600}, {800, 0, 1600, 600}};
  ASSERT_TRUE(win::SetMonitorLayout({left, right}));
  a->SetFloatingPosition({1200, 300});
  a->SetFloating(true);
  b->SetFloatingPosition({100, 100});
  b->SetFloating(true);
  Pump();
  ASSERT_EQ(a->FloatingParent()->Left(), 1200);
  ASSERT_TRUE(win::SetMonitorLayout({left}));
  Pump();
  const win::RECT r = ScreenRect(a->FloatingParent());
  EXPECT_GE(r.left, 0);
  EXPECT_LE(r.right, 800);
  EXPECT_LE(r.bottom, 560) << "inside the work area";
  EXPECT_EQ(a->FloatingPosition(), (TPoint{r.left, r.top}));
  EXPECT_EQ(b->FloatingParent()->Left(), 100);
  EXPECT_EQ(b->FloatingParent()->Top(), 100);
  win::ResetMonitorLayout();
}

// A right click on the docked frame (the drag handle) pops up the window's menu.
TEST_F(DragLoop, ARightClickOnTheFramePopsUpTheWindowsMenu) {
  TTBPopupMenu menu(form);
  menu.Items()->Add(new StyledItem(&menu, "&Hide"));
  a->SetPopupMenu(&menu);
  const win::RECT r = ScreenRect(a);
  int shown = 0;
  desktop->script([&] {
    shown = int(Popups().size());
    desktop->press_key(win::VK_ESCAPE);
  });
  win::SendMessageW(a->Handle(), win::WM_NCRBUTTONUP, HTDockBorder, win::MAKELPARAM(r.left + 3, r.top + 5));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(menu.PopupComponent(), a);
  // From the keyboard (no point) it opens at the window's client origin.
  win::POINT at{};
  desktop->script([&] {
    if (!Popups().empty()) at = {Popups()[0]->Left(), Popups()[0]->Top()};
    desktop->press_key(win::VK_ESCAPE);
  });
  win::SendMessageW(a->Handle(), win::WM_CONTEXTMENU, win::WPARAM(a->Handle()), win::LPARAM(-1));
  const fw::TPoint origin = a->ClientToScreen(fw::TPoint{0, 0});
  EXPECT_EQ(at.x, origin.x);
  EXPECT_EQ(at.y, origin.y);
  a->SetPopupMenu(nullptr);
}

// The docked close button lights up while the pointer is over it and goes dark when it leaves.
TEST_F(DragLoop, TheDockedCloseButtonFollowsThePointer) {
  a->SetCloseButtonWhenDocked(true);
  Pump();
  win::SendMessageW(a->Handle(), win::WM_NCMOUSEMOVE, HTDockClose, 0);
  EXPECT_TRUE(a->CloseButtonHover());
  win::SendMessageW(a->Handle(), win::WM_NCMOUSEMOVE, HTDockBorder, 0);
  EXPECT_FALSE(a->CloseButtonHover());
  win::SendMessageW(a->Handle(), win::WM_NCMOUSEMOVE, HTDockClose, 0);
  win::SendMessageW(a->Handle(), win::WM_NCMOUSELEAVE, 0, 0);
  EXPECT_FALSE(a->CloseButtonHover());
}

// A double-click on the docked frame floats the window where it floated last; one that never
// floated floats where it is docked.
TEST_F(DragLoop, DoubleClickFloatsAtTheStoredFloatingPlace) {
  const TPoint docked = b->ClientToScreen(TPoint{0, 0});
  b->DoubleClick();
  ASSERT_TRUE(b->Floating());
  EXPECT_EQ(b->FloatingPosition(), docked);

  a->SetFloatingPosition({300, 220});
  a->SetFloating(true);
  Pump();
  a->DoubleClick();  // back onto its dock
  ASSERT_FALSE(a->Floating());
  EXPECT_EQ(a->CurrentDock(), top);
  a->DoubleClick();
  ASSERT_TRUE(a->Floating());
  EXPECT_EQ(a->FloatingPosition(), (TPoint{300, 220}));
  EXPECT_EQ(a->FloatingParent()->Left(), 300);
}

TEST_F(DragLoop, DraggedOutOfEveryDockItFloatsAndKeepsItsRowForLater) {
  a->SetDockRow(0);
  desktop->script([&] { desktop->mouse_move({grab.x + 60, grab.y + 150}); });
  desktop->script([&] { desktop->mouse_up({grab.x + 60, grab.y + 150}); });
  GrabHandle(a);
  ASSERT_TRUE(a->Floating());
  TTBFloatingWindowParent* p = a->FloatingParent();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(win::IsWindowVisible(p->Handle()));
  EXPECT_EQ(a->DockRow(), 0);
  EXPECT_EQ(a->LastDock(), top);
}

// One smooth drag out to float, onto another dock, out again and back onto it: the frame the
// window floated in is kept for the drag but is out of sight while the window sits on a dock,
// shows again with the window when it floats again, and is gone once the drag ends docked. The
// same holds when the drag starts from the frame's own caption.
TEST_F(DragLoop, AFrameLeftDuringTheDragIsOutOfSightAndGoneAfterIt) {
  const win::RECT target = ScreenRect(b);
  const win::POINT overBottom{target.right + 40, (target.top + target.bottom) / 2};
  const win::POINT out{ScreenRect(a).left + 63, ScreenRect(a).top + 160};
  struct Seen {
    bool docked, frameShown, windowShown;
  };
  std::vector<Seen> seen;
  win::HWND frame = nullptr;
  auto look = [&] {
    if (TTBFloatingWindowParent* p = a->FloatingParent()) frame = p->Handle();
    seen.push_back({a->CurrentDock() == bottom, frame && win::IsWindowVisible(frame) != 0,
                    win::IsWindowVisible(a->Handle()) != 0});
  };
  for (const win::POINT at : {out, overBottom, out, overBottom})
    desktop->script([&, at] {
      look();  // what the previous move left
      desktop->mouse_move(at);
    });
  desktop->script([&] {
    look();
    desktop->mouse_up(overBottom);
  });
  GrabHandle(a);
  ASSERT_EQ(seen.size(), 5u);
  ASSERT_NE(frame, nullptr);
  const Seen expected[] = {{false, false, true}, {false, true, true}, {true, false, true}, {false, true, true},
                           {true, false, true}};
  for (size_t i = 1; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].docked, expected[i].docked) << "move " << i;
    EXPECT_EQ(seen[i].frameShown, expected[i].frameShown) << "move " << i;
    EXPECT_TRUE(seen[i].windowShown) << "move " << i;
  }
  EXPECT_EQ(a->CurrentDock(), bottom);
  EXPECT_FALSE(win::IsWindow(frame)) << "the frame goes when the drag ends docked";

  // From the floating caption straight onto a dock.
  a->SetFloatingPosition({260, 300});
  a->SetFloating(true);
  Pump();
  TTBFloatingWindowParent* p = a->FloatingParent();
  ASSERT_NE(p, nullptr);
  frame = p->Handle();
  const win::RECT start = ScreenRect(p);
  const TRect caption = p->GetCaptionRect(true, true);
  const win::POINT on{start.left + caption.left + 10, start.top + caption.top + 4};
  const win::RECT topRect = ScreenRect(top);
  const win::POINT overTop{topRect.left + 200, (topRect.top + topRect.bottom) / 2};
  bool shownDocked = true;
  TTBDock* dockedOn = nullptr;
  desktop->mouse_move(on);
  Pump();
  desktop->script([&] { desktop->mouse_move(overTop); });
  desktop->script([&] {
    dockedOn = a->CurrentDock();
    shownDocked = win::IsWindowVisible(frame) != 0;
    desktop->mouse_up(overTop);
  });
  win::SendMessageW(frame, win::WM_NCLBUTTONDOWN, HTDockCaption, win::MAKELPARAM(on.x, on.y));
  EXPECT_EQ(dockedOn, top);
  EXPECT_FALSE(shownDocked) << "the frame whose caption was pressed hides once the window docks";
  EXPECT_FALSE(win::IsWindow(frame));
}

// A press on the floating caption drags the floating frame with the grab point under the
// pointer: a click without moving leaves it in place, a move carries it by the same amount, and
// a double-click finds it where it was and docks it.
TEST_F(DragLoop, TheFloatingCaptionKeepsTheGrabPoint) {
  a->SetFloatingPosition({260, 300});
  a->SetFloating(true);
  Pump();
  TTBFloatingWindowParent* p = a->FloatingParent();
  ASSERT_NE(p, nullptr);
  const TRect caption = p->GetCaptionRect(true, true);
  const win::RECT start = ScreenRect(p);
  const win::POINT on{start.left + caption.left + 10, start.top + caption.top + 4};
  auto pressCaption = [&] {
    win::SendMessageW(p->Handle(), win::WM_NCLBUTTONDOWN, HTDockCaption, win::MAKELPARAM(on.x, on.y));
  };
  desktop->mouse_move(on);
  Pump();
  for (int click = 0; click < 3; ++click) {
    desktop->script([&] { desktop->mouse_up(on); });
    pressCaption();
    const win::RECT r = ScreenRect(p);
    EXPECT_EQ(r.left, start.left) << "click " << click;
    EXPECT_EQ(r.top, start.top) << "click " << click;
  }
  struct Step {
    Integer dx, dy;
  };
  for (const Step s : {Step{30, 20}, Step{-45, 60}, Step{5, -7}}) {
    desktop->script([&] { desktop->mouse_move({on.x + s.dx, on.y + s.dy}); });
    win::RECT during{};
    desktop->script([&] {
      during = ScreenRect(p);
      desktop->mouse_up({on.x + s.dx, on.y + s.dy});
    });
    pressCaption();
    EXPECT_EQ(during.left, start.left + s.dx) << "the frame follows the pointer, " << s.dx;
    EXPECT_EQ(during.top, start.top + s.dy) << s.dy;
    // Back to the start for the next step.
    a->SetFloatingPosition({start.left, start.top});
    Pump();
  }
  a->SetDockPos(0);
  desktop->mouse_up(on);
  Pump();
  desktop->mouse_down(on);
  desktop->mouse_up(on);
  desktop->mouse_down(on);
  desktop->mouse_up(on);
  Pump();
  EXPECT_FALSE(a->Floating()) << "a double-click on the caption docks it";
  EXPECT_EQ(a->CurrentDock(), top);
}

// A press, a move half way and a release further on, all queued before the loop runs (as a busy
// desktop hands them over), and the pointer moving on after the release: the drag ends where the
// button came up, along the dock, by the floating caption and at the floating frame's edge.
TEST_F(DragLoop, ADragEndsWhereTheButtonComesUp) {
  struct Drag {
    const char* Name;
    bool Floating;
    // Where to press, in the frame's window coordinates.
    std::function<win::POINT(TTBFloatingWindowParent*)> PressAt;
    // What the drag changes: a place or a size, in pixels.
    std::function<Integer()> Measure;
  };
  const Drag drags[] = {
      {"the docked drag handle", false, [&](TTBFloatingWindowParent*) { return win::POINT{3, 10}; },
       [&] { return Integer(ScreenRect(a).left); }},
      {"the floating caption", true,
       [&](TTBFloatingWindowParent* P) {
         const TRect caption = P->GetCaptionRect(true, true);
         return win::POINT{caption.left + 10, caption.top + 4};
       },
       [&] { return Integer(ScreenRect(a->FloatingParent()).left); }},
      {"the floating frame's right edge", true,
       [&](TTBFloatingWindowParent* P) {
         const win::RECT r = ScreenRect(P);
         return win::POINT{r.right - r.left - 1, (r.bottom - r.top) / 2};
       },
       [&] {
         const win::RECT r = ScreenRect(a->FloatingParent());
         return Integer(r.right - r.left);
       }},
  };
  for (const Drag& d : drags) {
    a->SetFloatingPosition({200, 250});
    a->SetFloating(d.Floating);
    Pump();
    TTBFloatingWindowParent* p = a->FloatingParent();
    const win::RECT frame = ScreenRect(d.Floating ? static_cast<fw::TWinControl*>(p) : a);
    const win::POINT local = d.PressAt(p);
    const win::POINT at{frame.left + local.x, frame.top + local.y};
    const Integer before = d.Measure();
    desktop->mouse_move(at);
    Pump();
    desktop->mouse_down(at);
    desktop->mouse_move({at.x + 15, at.y});
    desktop->mouse_up({at.x + 30, at.y});
    desktop->mouse_move({at.x + 60, at.y});
    Pump();
    EXPECT_EQ(d.Measure() - before, 30) << d.Name;
    EXPECT_EQ(win::GetCapture(), nullptr) << d.Name;
  }
}

// The press, a move, a key, a further move and the release all queued before the loop runs (as
// a busy desktop hands them over): a window dragged by its floating caption passes through
// each move's own point, from the press's on, not through where the pointer already is.
TEST_F(DragLoop, AQueuedDragPassesThroughEachMovesOwnPoint) {
  a->SetFloatingPosition({200, 250});
  a->SetFloating(true);
  Pump();
  TTBFloatingWindowParent* p = a->FloatingParent();
  const win::RECT frame = ScreenRect(p);
  const TRect caption = p->GetCaptionRect(true, true);
  const win::POINT at{frame.left + caption.left + 10, frame.top + caption.top + 4};
  desktop->mouse_move(at);
  Pump();
  desktop->clear_events();
  desktop->mouse_down(at);
  desktop->mouse_move({at.x + 15, at.y});
  desktop->key_down(win::VK_SHIFT);  // keeps the two moves apart in the queue
  desktop->key_up(win::VK_SHIFT);
  desktop->mouse_move({at.x + 45, at.y});
  desktop->mouse_up({at.x + 45, at.y});
  Pump();
  std::vector<Integer> lefts;
  for (const auto& e : desktop->events())
    if (e.kind == win::desktop::HeadlessDesktop::Event::Moved && e.hwnd == p->Handle() &&
        (lefts.empty() || lefts.back() != e.rect.left))
      lefts.push_back(e.rect.left);
  EXPECT_EQ(lefts, (std::vector<Integer>{frame.left + 15, frame.left + 45}));
}

// A release that reaches the queue with no move to its point before it still ends the drag
// there: along the dock and at the floating frame's edge.
TEST_F(DragLoop, AReleaseWithNoMoveThereEndsTheDragThere) {
  struct Drag {
    const char* Name;
    bool Floating;
    std::function<win::POINT(const win::RECT&)> PressAt;  // on the frame's screen rectangle
    std::function<Integer()> Measure;
  };
  const Drag drags[] = {
      {"the docked drag handle", false, [](const win::RECT& R) { return win::POINT{R.left + 3, R.top + 10}; },
       [&] { return Integer(ScreenRect(a).left); }},
      {"the floating frame's right edge", true,
       [](const win::RECT& R) { return win::POINT{R.right - 1, (R.top + R.bottom) / 2}; },
       [&] {
         const win::RECT r = ScreenRect(a->FloatingParent());
         return Integer(r.right - r.left);
       }},
  };
  for (const Drag& d : drags) {
    a->SetFloatingPosition({200, 250});
    a->SetFloating(d.Floating);
    Pump();
    desktop->advance(1000);
    const win::POINT at = d.PressAt(ScreenRect(d.Floating ? static_cast<fw::TWinControl*>(a->FloatingParent()) : a));
    const Integer before = d.Measure();
    desktop->mouse_move(at);
    Pump();
    desktop->mouse_down(at);
    desktop->mouse_move({at.x + 15, at.y});
    desktop->mouse_up_alone({at.x + 30, at.y});
    Pump();
    EXPECT_EQ(d.Measure() - before, 30) << d.Name;
    EXPECT_EQ(win::GetCapture(), nullptr) << d.Name;
  }
}

// Closing a floating window (its close button, or hiding it) takes its frame off the screen;
// showing it again brings the frame back.
TEST_F(DragLoop, AHiddenFloatingWindowTakesItsFrameAlong) {
  a->SetFloating(true);
  Pump();
  TTBFloatingWindowParent* p = a->FloatingParent();
  ASSERT_TRUE(win::IsWindowVisible(p->Handle()));
  a->Close();
  Pump();
  EXPECT_FALSE(win::IsWindowVisible(p->Handle())) << "closed";
  EXPECT_FALSE(p->ShouldShow());
  a->Show();
  Pump();
  EXPECT_TRUE(win::IsWindowVisible(p->Handle())) << "shown again";
  EXPECT_TRUE(win::IsWindowVisible(a->Handle()));
  a->SetVisible(false);
  Pump();
  EXPECT_FALSE(win::IsWindowVisible(p->Handle())) << "hidden";
  a->SetVisible(true);
  Pump();
  EXPECT_TRUE(win::IsWindowVisible(p->Handle()));
}

// A drag that ends floating gives the window back the row and place it had on its dock, whatever
// docks it passed over on the way; a cancelled smooth drag along its dock puts it back there too.
TEST_F(DragLoop, TheStartRowAndPlaceComeBackAfterAFloatingEndOrACancel) {
  NewBox(top, 0, 0);
  a->SetDockRow(1);
  a->SetDockPos(30);
  Pump();
  const Integer row = a->DockRow(), pos = a->DockPos();
  ASSERT_EQ(row, 1);
  const win::RECT target = ScreenRect(b);
  const win::POINT overBottom{target.right + 40, (target.top + target.bottom) / 2};
  const win::POINT out{overBottom.x, overBottom.y - 150};
  Integer rowOver = -1, posOver = -1;
  desktop->script([&] { desktop->mouse_move(overBottom); });
  desktop->script([&] {
    rowOver = a->DockRow();
    posOver = a->DockPos();
    desktop->mouse_move(out);
  });
  desktop->script([&] { desktop->mouse_up(out); });
  GrabHandle(a);
  ASSERT_TRUE(a->Floating());
  EXPECT_NE(rowOver, row) << "over the other dock it took a row there";
  EXPECT_NE(posOver, pos);
  EXPECT_EQ(a->DockRow(), row);
  EXPECT_EQ(a->DockPos(), pos);

  // Along its own dock and Escape.
  const Integer bPos = b->DockPos();
  Integer posDuring = bPos;
  desktop->script([&] { desktop->mouse_move({grab.x + 60, grab.y}); });
  desktop->script([&] {
    posDuring = b->DockPos();
    desktop->press_key(win::VK_ESCAPE);
  });
  GrabHandle(b);
  EXPECT_NE(posDuring, bPos) << "a smooth drag moves the window at once";
  EXPECT_EQ(b->CurrentDock(), bottom);
  EXPECT_EQ(b->DockPos(), bPos);
}

TEST_F(DragLoop, CtrlKeepsItFloatingUntilReleased) {
  const win::RECT target = ScreenRect(b);
  const win::POINT over{target.right + 40, (target.top + target.bottom) / 2};
  bool floatingWithCtrl = false;
  desktop->script([&] { desktop->key_down(win::VK_CONTROL); });
  desktop->script([&] { desktop->mouse_move(over); });
  desktop->script([&] {
    floatingWithCtrl = a->Floating();
    desktop->key_up(win::VK_CONTROL);
  });
  desktop->script([&] { desktop->mouse_up(over); });
  GrabHandle(a);
  EXPECT_TRUE(floatingWithCtrl);
  EXPECT_EQ(a->CurrentDock(), bottom) << "releasing Ctrl docks without moving the mouse";
}

// Locked against updates, the desktop refuses another lock.
bool ScreenLockedForOutline() {
  if (!win::LockWindowUpdate(win::GetDesktopWindow())) return true;
  win::LockWindowUpdate(nullptr);
  return false;
}

TEST_F(DragLoop, EscapeDuringAnOutlineDragLeavesTheWindowWhereItWas) {
  a->SetSmoothDrag(false);
  const win::RECT target = ScreenRect(b);
  desktop->script([&] { desktop->mouse_move({target.right + 40, (target.top + target.bottom) / 2}); });
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  GrabHandle(a);
  EXPECT_EQ(a->CurrentDock(), top);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(DragLoop, OutlineDragAppliesOnRelease) {
  a->SetSmoothDrag(false);
  const win::RECT target = ScreenRect(b);
  const win::POINT over{target.right + 40, (target.top + target.bottom) / 2};
  TTBDock* during = nullptr;
  size_t drawnDuring = 0;
  bool lockedDuring = false;
  desktop->script([&] { desktop->mouse_move(over); });
  desktop->script([&] {
    during = a->CurrentDock();
    drawnDuring = desktop->drawn_over().size();
    lockedDuring = ScreenLockedForOutline();
    desktop->mouse_up(over);
  });
  GrabHandle(a);
  EXPECT_EQ(during, top) << "an outline drag moves only the outline";
  EXPECT_GT(drawnDuring, 0u) << "the outline shows on the screen";
  EXPECT_TRUE(lockedDuring);
  EXPECT_EQ(a->CurrentDock(), bottom);
  EXPECT_TRUE(desktop->drawn_over().empty()) << "the outline is erased";
  EXPECT_FALSE(ScreenLockedForOutline());
}

TEST_F(DragLoop, CannotFloatRefusesTheOutside) {
  a->SetDockMode(dmCannotFloat);
  desktop->script([&] { desktop->mouse_move({grab.x + 60, grab.y + 150}); });
  desktop->script([&] { desktop->mouse_up({grab.x + 60, grab.y + 150}); });
  GrabHandle(a);
  EXPECT_FALSE(a->Floating());
  EXPECT_EQ(a->CurrentDock(), top);
}

TEST_F(DragLoop, LostCaptureEndsTheDrag) {
  desktop->script([&] { win::ReleaseCapture(); });
  GrabHandle(a);
  EXPECT_EQ(a->CurrentDock(), top);
}

TEST_F(DragLoop, CloseButtonClosesOnlyWhenReleasedOverIt) {
  a->SetCloseButtonWhenDocked(true);
  Pump();
  TRect button{};
  a->GetDockedCloseButtonRect(false, button);
  const win::RECT r = ScreenRect(a);
  const win::POINT on{r.left + (button.left + button.right) / 2, r.top + (button.top + button.bottom) / 2};
  bool pushedDuring = false;
  desktop->mouse_move(on);
  Pump();
  desktop->script([&] {
    pushedDuring = a->CloseButtonDown();
    desktop->mouse_move({on.x + 100, on.y + 100});
  });
  desktop->script([&] { desktop->mouse_up({on.x + 100, on.y + 100}); });
  win::SendMessageW(a->Handle(), win::WM_NCLBUTTONDOWN, HTDockClose, win::MAKELPARAM(on.x, on.y));
  EXPECT_TRUE(pushedDuring);
  EXPECT_TRUE(a->Visible());
  EXPECT_FALSE(a->CloseButtonDown());

  desktop->script([&] { desktop->mouse_up(on); });
  win::SendMessageW(a->Handle(), win::WM_NCLBUTTONDOWN, HTDockClose, win::MAKELPARAM(on.x, on.y));
  EXPECT_FALSE(a->Visible());
}

// The press, the release and a move after it all queued before the loop runs: the close button
// goes by where the button came up, not by where the pointer has gone since.
TEST_F(DragLoop, TheCloseButtonGoesByTheReleasesOwnPoint) {
  a->SetCloseButtonWhenDocked(true);
  Pump();
  TRect button{};
  a->GetDockedCloseButtonRect(false, button);
  const win::RECT r = ScreenRect(a);
  const win::POINT on{r.left + (button.left + button.right) / 2, r.top + (button.top + button.bottom) / 2};
  const win::POINT off{on.x + 100, on.y + 100};
  struct Case {
    const char* name;
    win::POINT release, after;
    bool closes;
  };
  for (const Case& c : {Case{"released off it, the pointer back over it since", off, on, false},
                        Case{"released over it, the pointer gone since", on, off, true}}) {
    desktop->advance(1000);  // two presses, not a double click
    desktop->mouse_move(on);
    Pump();
    desktop->mouse_down(on);
    desktop->mouse_up(c.release);
    desktop->mouse_move(c.after);
    Pump();
    EXPECT_EQ(a->Visible(), !c.closes) << c.name;
    EXPECT_FALSE(a->CloseButtonDown()) << c.name;
    EXPECT_EQ(win::GetCapture(), nullptr) << c.name;
  }
}

TEST_F(DragLoop, FloatingFrameCodes) {
  a->SetFloating(true);
  Pump();
  TTBFloatingWindowParent* p = a->FloatingParent();
  ASSERT_NE(p, nullptr);
  const win::RECT r = ScreenRect(p);
  auto hit = [&](Integer x, Integer y) {
    return win::SendMessageW(p->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(r.left + x, r.top + y));
  };
  const TRect close = p->GetCloseButtonRect(true);
  const TRect caption = p->GetCaptionRect(true, true);
  EXPECT_EQ(hit(close.left + 1, close.top + 1), HTDockClose);
  EXPECT_EQ(hit(caption.left + 2, caption.top + 2), HTDockCaption);
  EXPECT_EQ(hit(0, (r.bottom - r.top) / 2), win::HTLEFT);
  EXPECT_EQ(hit((r.right - r.left) - 1, (r.bottom - r.top) - 1), win::HTBOTTOMRIGHT);

  a->SetResizable(false);
  Pump();
  EXPECT_EQ(hit(0, (r.bottom - r.top) / 2), win::HTNOWHERE);
  a->SetCloseButton(false);
  EXPECT_EQ(hit(close.left + 1, close.top + 1), HTDockCaption);
  a->SetShowCaption(false);
  EXPECT_NE(hit(caption.left + 2, caption.top + 2), HTDockCaption);
}

TEST_F(DragLoop, ClosingTheFloatingFrameClosesTheMainForm) {
  a->SetFloating(true);
  Pump();
  ClearLog();
  int mainCloses = 0;
  form->OnCloseQuery = [&](fw::TObject*, bool& canClose) {
    ++mainCloses;
    canClose = false;
  };
  win::SendMessageW(a->FloatingParent()->Handle(), win::WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(mainCloses, 1);
  EXPECT_TRUE(a->Floating());
}

TEST_F(DragLoop, MinimisingTheFormHidesOnlyItsOwnFloatingWindows) {
  a->SetHideWhenInactive(false);
  b->SetHideWhenInactive(false);
  b->SetFloatingMode(fmOnTopOfAllForms);
  a->SetFloating(true);
  b->SetFloating(true);
  Pump();
  auto shown = [](Box* W) { return bool(win::IsWindowVisible(W->FloatingParent()->Handle())); };
  EXPECT_TRUE(shown(a));
  EXPECT_TRUE(shown(b));
  win::ShowWindow(form->Handle(), win::SW_MINIMIZE);
  Pump();
  EXPECT_FALSE(shown(a));
  EXPECT_TRUE(shown(b));
  win::ShowWindow(form->Handle(), win::SW_RESTORE);
  Pump();
  EXPECT_TRUE(shown(a));
}

TEST_F(DragLoop, HideWhenInactiveFollowsTheApplication) {
  a->SetFloating(true);
  Pump();
  auto shown = [&] { return bool(win::IsWindowVisible(a->FloatingParent()->Handle())); };
  EXPECT_TRUE(shown());
  desktop->set_app_active(false);
  Pump();
  EXPECT_FALSE(shown());
  desktop->set_app_active(true);
  Pump();
  EXPECT_TRUE(shown());
}

}  // namespace
}  // namespace toolbars::testing
