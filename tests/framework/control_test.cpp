#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

// A windowed control that counts the framework messages it overrides and paints one colour.
class CountingControl : public TCustomControl {
 public:
  explicit CountingControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  int enters = 0, leaves = 0, textChanges = 0, paints = 0;
  TColor fill = clRed;

 protected:
  void CMMouseEnter(TMessage& M) override {
    ++enters;
    TCustomControl::CMMouseEnter(M);
  }
  void CMMouseLeave(TMessage& M) override {
    ++leaves;
    TCustomControl::CMMouseLeave(M);
  }
  void CMTextChanged(TMessage& M) override {
    ++textChanges;
    TCustomControl::CMTextChanged(M);
  }
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(fill);
    Canvas()->FillRect(ClientRect());
  }
};

// A control without a window, filling itself.
class Swatch : public TGraphicControl {
 public:
  explicit Swatch(TComponent* AOwner) : TGraphicControl(AOwner) {}
  TColor fill = clBlue;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(fill);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
};

// A control that answers a message number of its own and leaves the rest to the framework.
class OwnMessageControl : public TWinControl {
 public:
  explicit OwnMessageControl(TComponent* AOwner) : TWinControl(AOwner) {}
  static constexpr win::UINT kOwn = win::WM_USER + 7;
  int own = 0;
  void Dispatch(TMessage& M) override {
    if (M.Msg == kOwn) {
      ++own;
      M.Result = 42;
      return;
    }
    TWinControl::Dispatch(M);
  }
};

class CommandTarget : public TWinControl {
 public:
  explicit CommandTarget(TComponent* AOwner) : TWinControl(AOwner) {}
  int reflected = 0;
  win::WPARAM lastW = 0;
  void Dispatch(TMessage& M) override {
    if (M.Msg == CN_COMMAND) {
      ++reflected;
      lastW = M.WParam;
      M.Result = 5;
      return;
    }
    TWinControl::Dispatch(M);
  }
};

using ControlTests = ControlTest;

TEST_F(ControlTests, FrameworkMessageNumbersKeepTheirConventionalValues) {
  EXPECT_EQ(CM_BASE, 0xB000u);
  EXPECT_EQ(CM_ACTIVATE, 0xB000u);
  EXPECT_EQ(CM_TEXTCHANGED, 0xB012u);
  EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
  EXPECT_EQ(CM_RELEASE, 0xB021u);
  EXPECT_EQ(CM_HINTSHOW, 0xB030u);
  EXPECT_EQ(CM_ACTIONEXECUTE, 0xB040u);
  EXPECT_EQ(CN_BASE, 0xBC00u);
  EXPECT_EQ(CN_COMMAND, 0xBC00u + win::WM_COMMAND);
  EXPECT_EQ(CN_KEYDOWN, 0xBC00u + win::WM_KEYDOWN);
  EXPECT_EQ(CN_NOTIFY, 0xBC00u + win::WM_NOTIFY);
}

TEST_F(ControlTests, OwnerFreesControlsAndParentLosesThem) {
  auto* form = new TForm(nullptr);
  auto* panel = new TCustomControl(form);
  panel->SetParent(form);
  auto* inner = new CountingControl(form);
  inner->SetParent(panel);
  auto* swatch = new Swatch(nullptr);  // not owned by the form, but parented
  swatch->SetParent(panel);
  EXPECT_EQ(panel->ControlCount(), 2);

  delete inner;
  EXPECT_EQ(panel->ControlCount(), 1);
  EXPECT_EQ(panel->Controls(0), swatch);

  // The parent frees what it holds even when someone else owns it.
  delete form;
  EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(ControlTests, AControlCannotBeParentedInsideItself) {
  TForm form(nullptr);
  auto* outer = new CountingControl(&form);
  outer->SetParent(&form);
  auto* inner = new CountingControl(&form);
  inner->SetParent(outer);
  EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
  EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
  EXPECT_EQ(outer->Parent(), &form);
  // Moving to another parent is fine, and the window follows.
  inner->SetParent(&form);
  EXPECT_EQ(win::GetParent(inner->Handle()), form.Handle());
  EXPECT_EQ(outer->ControlCount(), 0);
}

TEST_F(ControlTests, PopupMenuFreedFirstLeavesNoDanglingLink) {
  TForm form(nullptr);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  auto* menu = new TPopupMenu(nullptr);
  c->SetPopupMenu(menu);
  EXPECT_EQ(c->PopupMenu(), menu);
  delete menu;
  EXPECT_EQ(c->PopupMenu(), nullptr);
}

TEST_F(ControlTests, HandleIsMadeWhenFirstNeededWithTheParentsAndKeepsTheCaption) {
  TForm form(nullptr);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetBounds(5, 6, 40, 30);
  c->SetCaption("Привет");
  EXPECT_FALSE(form.HandleAllocated());
  EXPECT_FALSE(c->HandleAllocated());

  win::HWND h = c->Handle();
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_EQ(win::GetParent(h), form.Handle());
  EXPECT_EQ(FindControl(h), c);
  win::RECT r;
  win::GetWindowRect(h, &r);
  win::MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<win::POINT*>(&r), 2);
  EXPECT_EQ(r, (win::RECT{5, 6, 45, 36}));
  char16_t buf[32] = {};
  win::GetWindowTextW(h, buf, 32);
  EXPECT_EQ(std::u16string(buf), u"Привет");

  c->RecreateWnd();
  EXPECT_EQ(c->Caption(), "Привет");
  win::GetWindowTextW(c->Handle(), buf, 32);
  EXPECT_EQ(std::u16string(buf), u"Привет");
}

TEST_F(ControlTests, ChildWindowsShowOnlyWithAShowingParent) {
  TForm form(nullptr);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetBounds(0, 0, 10, 10);
  EXPECT_FALSE(c->Showing());
  form.Show();
  EXPECT_TRUE(c->Showing());
  EXPECT_TRUE(win::IsWindowVisible(c->Handle()));
  c->SetVisible(false);
  EXPECT_FALSE(c->Showing());
  EXPECT_FALSE(win::IsWindowVisible(c->Handle()));
  c->SetVisible(true);
  form.Hide();
  EXPECT_FALSE(c->Showing());
}

TEST_F(ControlTests, AlignPlacesControlsInFrameworkOrder) {
  TCustomControl panel(nullptr);
  panel.SetBounds(0, 0, 200, 100);
  auto* top = new Swatch(&panel);
  top->SetHeight(20);
  top->SetAlign(alTop);
  auto* bottom = new Swatch(&panel);
  bottom->SetHeight(10);
  bottom->SetAlign(alBottom);
  auto* left = new Swatch(&panel);
  left->SetWidth(30);
  left->SetAlign(alLeft);
  auto* right = new Swatch(&panel);
  right->SetWidth(40);
  right->SetAlign(alRight);
  auto* client = new Swatch(&panel);
  client->SetAlign(alClient);
  for (TControl* c : {static_cast<TControl*>(top), static_cast<TControl*>(bottom), static_cast<TControl*>(left),
                      static_cast<TControl*>(right), static_cast<TControl*>(client)}) {
    c->SetParent(&panel);
  }
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 90, 200, 100));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 30, 90));
  EXPECT_EQ(right->BoundsRect(), Rect(160, 20, 200, 90));
  EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 160, 90));

  // Resizing the parent aligns again.
  panel.SetBounds(0, 0, 300, 150);
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 140, 300, 150));
  EXPECT_EQ(client->BoundsRect(), Rect(30, 20, 260, 140));
  // Hiding one gives its room to the others.
  top->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Rect(30, 0, 260, 140));
  // A row turned into a column keeps its thickness, and anchors follow the alignment.
  bottom->SetAlign(alLeft);
  EXPECT_EQ(bottom->Width(), 10);
  EXPECT_EQ(bottom->Anchors(), (TAnchors{akLeft, akTop, akBottom}));
  client->SetAlign(alNone);
  EXPECT_EQ(client->Anchors(), (TAnchors{akLeft, akTop}));
}

TEST_F(ControlTests, ControlsOfOneAlignmentStackByPositionAndAMovedOneWinsTies) {
  TCustomControl panel(nullptr);
  panel.SetBounds(0, 0, 100, 100);
  auto* a = new Swatch(&panel);
  auto* b = new Swatch(&panel);
  a->SetBounds(0, 50, 10, 10);
  b->SetBounds(0, 5, 10, 20);
  a->SetParent(&panel);
  b->SetParent(&panel);
  a->SetAlign(alTop);  // alone: to the top
  b->SetAlign(alTop);  // b sits lower than a now, so it comes second
  EXPECT_EQ(a->BoundsRect(), Rect(0, 0, 100, 10));
  EXPECT_EQ(b->BoundsRect(), Rect(0, 10, 100, 30));
  // Moved to the same top as a, the moved control goes first.
  b->SetTop(0);
  EXPECT_EQ(b->BoundsRect(), Rect(0, 0, 100, 20));
  EXPECT_EQ(a->BoundsRect(), Rect(0, 20, 100, 30));
  // Moved below, it goes after.
  b->SetTop(25);
  EXPECT_EQ(a->BoundsRect(), Rect(0, 0, 100, 10));
  EXPECT_EQ(b->BoundsRect(), Rect(0, 10, 100, 30));
}

TEST_F(ControlTests, AnchorsKeepDistancesWhenTheParentResizes) {
  TCustomControl panel(nullptr);
  panel.SetBounds(0, 0, 200, 100);
  auto* br = new Swatch(&panel);
  br->SetParent(&panel);
  br->SetBounds(10, 10, 50, 20);
  br->SetAnchors({akRight, akBottom});
  auto* stretch = new Swatch(&panel);
  stretch->SetParent(&panel);
  stretch->SetBounds(10, 40, 100, 10);
  stretch->SetAnchors({akLeft, akTop, akRight});
  auto* centred = new Swatch(&panel);
  centred->SetParent(&panel);
  centred->SetBounds(90, 60, 20, 10);
  centred->SetAnchors({akTop});
  auto* plain = new Swatch(&panel);
  plain->SetParent(&panel);
  plain->SetBounds(5, 5, 5, 5);

  panel.SetBounds(0, 0, 300, 150);
  EXPECT_EQ(br->BoundsRect(), Rect(110, 60, 160, 80));
  EXPECT_EQ(stretch->BoundsRect(), Rect(10, 40, 210, 50));
  EXPECT_EQ(centred->BoundsRect(), Rect(140, 60, 160, 70));
  EXPECT_EQ(plain->BoundsRect(), Rect(5, 5, 10, 10));

  // Back again: the rules were not rewritten by the anchored moves.
  panel.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(br->BoundsRect(), Rect(10, 10, 60, 30));
  EXPECT_EQ(stretch->BoundsRect(), Rect(10, 40, 110, 50));
}

// A windowed control moved once its window exists learns its place from the window's own move
// notice: the next resize of the parent keeps the new distances, not the ones from before.
TEST_F(ControlTests, AWindowedControlMovedAfterItsWindowExistsKeepsItsNewDistances) {
  const struct {
    TAnchors anchors;
    TRect movedTo, afterGrowth;  // the parent grows by 50 x 30
  } cases[] = {
      {{akRight, akTop}, Rect(100, 10, 140, 40), Rect(150, 10, 190, 40)},
      {{akLeft, akBottom}, Rect(10, 100, 50, 130), Rect(10, 130, 50, 160)},
      {{akLeft, akTop, akRight, akBottom}, Rect(20, 20, 120, 80), Rect(20, 20, 170, 110)},
  };
  for (const auto& c : cases) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* child = new CountingControl(&form);
    child->SetParent(&form);
    child->SetBounds(10, 10, 40, 30);
    child->SetAnchors(c.anchors);
    ASSERT_NE(child->Handle(), nullptr);
    child->SetBounds(c.movedTo.left, c.movedTo.top, c.movedTo.right - c.movedTo.left,
                     c.movedTo.bottom - c.movedTo.top);
    EXPECT_EQ(child->BoundsRect(), c.movedTo);
    form.SetBounds(0, 0, 350, 230);
    EXPECT_EQ(child->BoundsRect(), c.afterGrowth);
    win::RECT r;
    win::GetWindowRect(child->Handle(), &r);
    win::MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<win::POINT*>(&r), 2);
    EXPECT_EQ(r, (win::RECT{c.afterGrowth.left, c.afterGrowth.top, c.afterGrowth.right, c.afterGrowth.bottom}))
        << "the window follows";
  }
}

TEST_F(ControlTests, ConstraintsLimitEverySize) {
  TCustomControl panel(nullptr);
  panel.SetBounds(0, 0, 200, 100);
  auto* c = new Swatch(&panel);
  c->SetParent(&panel);
  c->Constraints()->SetMaxWidth(80);
  c->Constraints()->SetMinHeight(15);
  c->SetBounds(0, 0, 150, 5);
  EXPECT_EQ(c->Width(), 80);
  EXPECT_EQ(c->Height(), 15);
  c->SetAlign(alClient);
  EXPECT_EQ(c->Width(), 80);
  EXPECT_EQ(c->Height(), 100);
  // A tighter limit applies at once.
  c->Constraints()->SetMaxHeight(40);
  EXPECT_EQ(c->Height(), 40);
  // A maximum below the minimum drags the minimum down.
  c->Constraints()->SetMaxHeight(10);
  EXPECT_EQ(c->Constraints()->MinHeight(), 10);
}

// A copy of the limits carries all four, no limit (0) included, with one change notice; a control
// whose limits are copied is held to them at once and at its next sizing.
TEST_F(ControlTests, CopiedConstraintsCarryAllFourLimits) {
  struct Limits {
    Integer minWidth, maxWidth, minHeight, maxHeight;
  };
  struct Case {
    Limits from, onto;
    win::SIZE atOnce, resized;  // a control sized 150 x 5 under the old limits; then 150 x 5 again
  };
  const Case cases[] = {
      {{10, 80, 15, 40}, {0, 0, 0, 0}, {80, 15}, {80, 15}},
      {{0, 0, 0, 0}, {160, 170, 8, 9}, {160, 8}, {150, 5}},
      {{155, 0, 0, 4}, {0, 120, 12, 0}, {155, 4}, {155, 4}},
  };
  auto set = [](TSizeConstraints& c, const Limits& l) {
    c.SetMinWidth(l.minWidth);
    c.SetMaxWidth(l.maxWidth);
    c.SetMinHeight(l.minHeight);
    c.SetMaxHeight(l.maxHeight);
  };
  for (const auto& k : cases) {
    TSizeConstraints from, onto;
    set(from, k.from);
    set(onto, k.onto);
    int changes = 0;
    onto.OnChange = [&](TObject* sender) {
      EXPECT_EQ(sender, &onto);
      ++changes;
    };
    onto.Assign(&from);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(onto.MinWidth(), k.from.minWidth);
    EXPECT_EQ(onto.MaxWidth(), k.from.maxWidth);
    EXPECT_EQ(onto.MinHeight(), k.from.minHeight);
    EXPECT_EQ(onto.MaxHeight(), k.from.maxHeight);

    TCustomControl panel(nullptr);
    panel.SetBounds(0, 0, 300, 200);
    auto* c = new Swatch(&panel);
    c->SetParent(&panel);
    set(*c->Constraints(), k.onto);
    c->SetBounds(0, 0, 150, 5);
    c->Constraints()->Assign(&from);
    EXPECT_EQ(c->Width(), k.atOnce.cx);
    EXPECT_EQ(c->Height(), k.atOnce.cy);
    c->SetBounds(0, 0, 150, 5);
    EXPECT_EQ(c->Width(), k.resized.cx);
    EXPECT_EQ(c->Height(), k.resized.cy);
  }
}

TEST_F(ControlTests, TextChangesGoThroughTheOverriddenHandlerOnlyWhenTheTextDiffers) {
  TForm form(nullptr);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetCaption("a");
  c->SetCaption("a");
  c->SetText("b");
  EXPECT_EQ(c->textChanges, 2);
  EXPECT_EQ(c->Text(), "b");
  c->Perform(CM_TEXTCHANGED);
  EXPECT_EQ(c->textChanges, 3);
}

TEST_F(ControlTests, ADescendantAnswersItsOwnMessageAndTheRestStillWork) {
  TForm form(nullptr);
  auto* c = new OwnMessageControl(&form);
  c->SetParent(&form);
  EXPECT_EQ(win::SendMessageW(c->Handle(), OwnMessageControl::kOwn, 0, 0), 42);
  EXPECT_EQ(c->own, 1);
  c->SetCaption("x");
  EXPECT_EQ(win::GetWindowTextLengthW(c->Handle()), 1);
  // A replaced message method sees everything first and can chain.
  int seen = 0;
  auto previous = c->WindowProc;
  c->WindowProc = [&](TMessage& m) {
    if (m.Msg == OwnMessageControl::kOwn) ++seen;
    previous(m);
  };
  EXPECT_EQ(c->Perform(OwnMessageControl::kOwn), 42);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(c->own, 2);
  c->WindowProc = previous;
}

TEST_F(ControlTests, ParentReflectsNotificationsToTheChildControl) {
  TForm form(nullptr);
  auto* c = new CommandTarget(&form);
  c->SetParent(&form);
  win::LRESULT r = win::SendMessageW(form.Handle(), win::WM_COMMAND, win::MAKEWPARAM(3, 1), win::LPARAM(c->Handle()));
  EXPECT_EQ(r, 5);
  EXPECT_EQ(c->reflected, 1);
  EXPECT_EQ(c->lastW, win::MAKEWPARAM(3, 1));
}

TEST_F(ControlTests, MouseInputReachesWindowedAndGraphicControlsInTheirOwnCoordinates) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 300, 200);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 100, 50);
  auto* s = new Swatch(&form);
  s->SetParent(&form);
  s->SetBounds(150, 20, 40, 40);
  form.Show();
  Pump();

  std::vector<std::string> log;
  c->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, Integer x, Integer y) {
    log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  c->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, Integer x, Integer y) {
    log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  };
  c->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, c);
    log.push_back("click");
  };
  s->OnClick = [&](TObject*) { log.push_back("swatch click"); };
  s->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer x, Integer y) {
    log.push_back("swatch down " + std::to_string(x) + "," + std::to_string(y));
  };

  desktop->click(At(c, 7, 9));
  Pump();
  desktop->click(At(s, 3, 4));
  Pump();
  // Pressed inside, released outside: no click.
  desktop->mouse_down(At(c, 5, 5));
  desktop->mouse_move(At(&form, 250, 150));
  desktop->mouse_up(At(&form, 250, 150));
  Pump();
  ASSERT_GE(log.size(), 7u);
  EXPECT_EQ(log[0], "down 0 7,9");
  EXPECT_EQ(log[1], "click");
  EXPECT_EQ(log[2], "up 7,9");
  EXPECT_EQ(log[3], "swatch down 3,4");
  EXPECT_EQ(log[4], "swatch click");
  EXPECT_EQ(log[5], "down 0 5,5");
  EXPECT_EQ(log[6].substr(0, 3), "up ");
  EXPECT_EQ(std::count(log.begin(), log.end(), "click"), 1);
}

TEST_F(ControlTests, MouseEnterAndLeaveFollowTheMouseAtIdle) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 50, 50);
  int enterEvents = 0, leaveEvents = 0;
  c->OnMouseEnter = [&](TObject*) { ++enterEvents; };
  c->OnMouseLeave = [&](TObject*) { ++leaveEvents; };
  form.Show();
  Pump();
  desktop->mouse_move(At(c, 5, 5));
  Pump();
  Application->DoMouseIdle();
  Application->DoMouseIdle();
  EXPECT_EQ(c->enters, 1);
  EXPECT_EQ(enterEvents, 1);
  desktop->mouse_move(At(&form, 200, 150));
  Pump();
  Application->DoMouseIdle();
  EXPECT_EQ(c->leaves, 1);
  EXPECT_EQ(leaveEvents, 1);
}

TEST_F(ControlTests, CustomControlsPaintThemselvesAndGraphicControlsArePaintedByTheParent) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(50, 50, 200, 100);
  form.SetColor(clWhite);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 30, 30);
  auto* s = new Swatch(&form);
  s->SetParent(&form);
  s->SetBounds(100, 10, 20, 20);
  form.Show();
  Pump();
  EXPECT_GE(c->paints, 1);
  EXPECT_EQ(desktop->screen_pixel(50 + 15, 50 + 15), win::RGB(255, 0, 0));
  EXPECT_EQ(desktop->screen_pixel(50 + 105, 50 + 15), win::RGB(0, 0, 255));
  EXPECT_EQ(desktop->screen_pixel(50 + 150, 50 + 80), win::RGB(255, 255, 255));

  s->fill = clLime;
  s->Invalidate();
  Pump();
  EXPECT_EQ(desktop->screen_pixel(50 + 105, 50 + 15), win::RGB(0, 255, 0));
}

TEST_F(ControlTests, AGraphicControlsCanvasDrawsOnItsPlaceInTheParent) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(20, 30, 200, 100);
  auto* s = new Swatch(&form);
  s->SetParent(&form);
  s->SetBounds(40, 10, 20, 20);
  form.Show();
  Pump();
  s->Canvas()->Brush()->SetColor(clYellow);
  s->Canvas()->FillRect(Rect(-50, -50, 100, 100));  // clipped to the control
  static_cast<TControlCanvas*>(s->Canvas())->FreeHandle();
  EXPECT_EQ(desktop->screen_pixel(20 + 45, 30 + 15), win::RGB(255, 255, 0));
  EXPECT_NE(desktop->screen_pixel(20 + 35, 30 + 15), win::RGB(255, 255, 0));
  EXPECT_NE(desktop->screen_pixel(20 + 45, 30 + 35), win::RGB(255, 255, 0));
}

TEST_F(ControlTests, PaintToDrawsTheControlAndItsChildrenOnAnyDC) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 60, 40);
  form.SetColor(clWhite);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 5, 20, 20);
  c->fill = clBlue;
  auto* s = new Swatch(&form);
  s->SetParent(&form);
  s->SetBounds(40, 5, 10, 10);
  s->fill = clRed;

  win::HDC screen = win::GetDC(nullptr);
  win::HDC dc = win::CreateCompatibleDC(screen);
  win::HBITMAP bmp = win::CreateCompatibleBitmap(screen, 100, 100);
  win::ReleaseDC(nullptr, screen);
  win::HGDIOBJ old = win::SelectObject(dc, bmp);
  win::RECT all{0, 0, 100, 100};
  win::FillRect(dc, &all, static_cast<win::HBRUSH>(win::GetStockObject(win::BLACK_BRUSH)));
  form.PaintTo(dc, 20, 30);
  EXPECT_EQ(win::GetPixel(dc, 20 + 2, 30 + 2), win::RGB(255, 255, 255));
  EXPECT_EQ(win::GetPixel(dc, 20 + 15, 30 + 10), win::RGB(0, 0, 255));
  EXPECT_EQ(win::GetPixel(dc, 20 + 45, 30 + 8), win::RGB(255, 0, 0));
  EXPECT_EQ(win::GetPixel(dc, 10, 10), win::RGB(0, 0, 0));
  EXPECT_EQ(win::GetPixel(dc, 20 + 61, 30 + 10), win::RGB(0, 0, 0));
  win::SelectObject(dc, old);
  win::DeleteObject(bmp);
  win::DeleteDC(dc);
}

TEST_F(ControlTests, FontColourAndShowHintComeFromTheParentUntilSetOwn) {
  TForm form(nullptr);
  form.Font()->SetName("Arial");
  form.SetColor(clYellow);
  form.SetShowHint(true);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  EXPECT_EQ(c->Font()->Name(), "Arial");
  EXPECT_EQ(c->Color(), clYellow);
  EXPECT_TRUE(c->ShowHint());
  form.Font()->SetSize(14);
  form.SetColor(clAqua);
  form.SetShowHint(false);
  EXPECT_EQ(c->Font()->Size(), 14);
  EXPECT_EQ(c->Color(), clAqua);
  EXPECT_FALSE(c->ShowHint());
  c->Font()->SetName("Courier New");
  c->SetColor(clRed);
  EXPECT_FALSE(c->ParentFont());
  EXPECT_FALSE(c->ParentColor());
  form.Font()->SetName("Tahoma");
  form.SetColor(clGreen);
  EXPECT_EQ(c->Font()->Name(), "Courier New");
  EXPECT_EQ(c->Color(), clRed);
  c->SetParentColor(true);
  EXPECT_EQ(c->Color(), clGreen);
}

TEST_F(ControlTests, ScreenAndClientCoordinatesAndZOrder) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(100, 50, 200, 100);
  auto* a = new Swatch(&form);
  a->SetParent(&form);
  a->SetBounds(10, 20, 30, 30);
  auto* b = new Swatch(&form);
  b->SetParent(&form);
  b->SetBounds(20, 30, 30, 30);
  form.Show();
  EXPECT_EQ(a->ClientToScreen(Point(1, 2)), Point(111, 72));
  EXPECT_EQ(a->ScreenToClient(Point(111, 72)), Point(1, 2));
  EXPECT_EQ(form.ControlAtPos(Point(25, 35), false), b);
  a->BringToFront();
  EXPECT_EQ(form.ControlAtPos(Point(25, 35), false), a);
  a->SendToBack();
  EXPECT_EQ(form.ControlAtPos(Point(25, 35), false), b);
  b->SetEnabled(false);
  EXPECT_EQ(form.ControlAtPos(Point(25, 35), false), a);
  EXPECT_EQ(form.ControlAtPos(Point(25, 35), true), b);
}

// A windowed control freed on its own leaves its parent's tab order (Tab would walk into it).
TEST_F(ControlTests, AWindowedControlFreedOnItsOwnLeavesTheTabOrder) {
  TForm form(nullptr);
  auto* gone = new CountingControl(&form);
  gone->SetParent(&form);
  auto* kept = new CountingControl(&form);
  kept->SetParent(&form);
  const void* goneAddress = gone;
  delete gone;
  std::vector<TWinControl*> order;
  form.GetTabOrderList(order);
  ASSERT_EQ(order.size(), 1u);
  EXPECT_EQ(order[0], kept);
  EXPECT_NE(static_cast<const void*>(order[0]), goneAddress);
}

// Windows stack as the control list does: a control added later lies on top of an earlier one it
// overlaps, whether the windows are made together, one is made again, or one is made later.
TEST_F(ControlTests, LaterSiblingWindowsLieOnTopOfEarlierOnes) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(100, 50, 300, 100);
  auto make = [&](Integer x) {
    auto* c = new CountingControl(&form);
    c->SetParent(&form);
    c->SetBounds(x, 10, 60, 30);
    return c;
  };
  CountingControl* first = make(10);
  CountingControl* second = make(40);  // overlaps first over x 40..70
  form.Show();
  const win::POINT overlap{100 + 55, 50 + 20};
  EXPECT_EQ(win::WindowFromPoint(overlap), second->Handle());
  EXPECT_EQ(win::GetWindow(form.Handle(), win::GW_CHILD), second->Handle());
  first->RecreateWnd();
  first->HandleNeeded();
  EXPECT_EQ(win::WindowFromPoint(overlap), second->Handle());
  // A third made after the others have windows goes on top; the order below stays.
  CountingControl* third = make(50);
  third->HandleNeeded();
  EXPECT_EQ(win::WindowFromPoint(overlap), third->Handle());
  EXPECT_EQ(win::GetWindow(third->Handle(), win::GW_HWNDNEXT), second->Handle());
  EXPECT_EQ(win::GetWindow(second->Handle(), win::GW_HWNDNEXT), first->Handle());
  first->BringToFront();
  EXPECT_EQ(win::WindowFromPoint(overlap), first->Handle());
}

TEST_F(ControlTests, RightClickShowsThePopupMenuOfTheControlUnderTheMouse) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* c = new CountingControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 100, 100);
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(&menu);
  item->SetCaption("&Open");
  menu.Items()->Add(item);
  int popups = 0, clicks = 0;
  menu.OnPopup = [&](TObject*) { ++popups; };
  item->OnClick = [&](TObject*) { ++clicks; };
  c->SetPopupMenu(&menu);
  form.Show();
  Pump();
  // The menu loop waits: choose the first item with the keyboard.
  desktop->script([&] {
    desktop->press_key(win::VK_DOWN);
    desktop->press_key(win::VK_RETURN);
  });
  desktop->click(At(c, 20, 20), 1);
  Pump();
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu.PopupComponent(), c);
  EXPECT_EQ(clicks, 1);

  // A control without a window gets it through its parent.
  auto* s = new Swatch(&form);
  s->SetParent(&form);
  s->SetBounds(150, 10, 40, 40);
  s->SetPopupMenu(&menu);
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  desktop->click(At(s, 5, 5), 1);
  Pump();
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(menu.PopupComponent(), s);
  EXPECT_EQ(clicks, 1);
}

// Two quick clicks: a control taking double clicks hears one click and a double click; one that
// takes none (a push button) hears two clicks, each press a plain one.
struct DoubleClickCase {
  const char* name;
  bool doubleClicks;
  std::vector<std::string> log;
};

class DoubleClickTests : public ControlTest, public ::testing::WithParamInterface<DoubleClickCase> {};

class StyledControl : public CountingControl {
 public:
  using CountingControl::CountingControl;
  void TakeDoubleClicks(bool Value) {
    if (Value) FControlStyle.Include(csDoubleClicks);
    else FControlStyle.Exclude(csDoubleClicks);
  }
};

TEST_P(DoubleClickTests, TheSecondPressCountsAsAClickOnlyWithoutDoubleClicks) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 300, 200);
  auto* c = new StyledControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 100, 50);
  c->TakeDoubleClicks(GetParam().doubleClicks);
  form.Show();
  Pump();
  std::vector<std::string> log;
  c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, Integer, Integer) {
    log.push_back(s.Contains(ssDouble) ? "down double" : "down");
  };
  c->OnClick = [&](TObject*) { log.push_back("click"); };
  c->OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
  desktop->click(At(c, 20, 20));
  desktop->click(At(c, 20, 20));
  Pump();
  EXPECT_EQ(log, GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DoubleClickTests,
    ::testing::Values(DoubleClickCase{"with_double_clicks", true, {"down", "click", "dblclick", "down double"}},
                      DoubleClickCase{"without_double_clicks", false, {"down", "click", "down", "click"}}),
    [](const ::testing::TestParamInfo<DoubleClickCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace fw::testing
