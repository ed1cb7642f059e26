// The themed toolbar, dock, floating frame and chevron: what they tell the items they hold,
// the colours they paint with, snapping of the floating frame and the repaint on a theme switch.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/control_fixture.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/Monitor.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "support/MessageSequence.h"
#include "toolbars/TBItemView.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"
#include "tx/TxChevron.h"
#include "tx/TxDock.h"
#include "tx/TxExtItems.h"
#include "tx/TxFloatingWindowParent.h"
#include "tx/TxItems.h"
#include "tx/TxParentBackground.h"
#include "tx/TxSpinEditItem.h"
#include "tx/TxToolbar.h"

namespace {

using namespace tx;
using toolbars::TTBDock;
using txtest::TProbeTheme;

constexpr TColor kFormColor = 0x00336699;

class ThemedToolbarTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    InitTx();
    if (!IsThemeRegistered("Probe")) RegisterTheme("Probe", &ThemeClassOf<TProbeTheme>);
    TProbeTheme::ThemedDocks = false;
    SetCurrentTheme("Probe");
    probe = dynamic_cast<TProbeTheme*>(CurrentTheme);
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(50, 50, 400, 300);
    form->SetColor(kFormColor);
    dock = new TTxDock(form);
    dock->SetParent(form);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    SetCurrentTheme("Default");
    DoneTx();
    win::ResetSystemParameters();
    ControlTest::TearDown();
  }
  TTxToolbar* NewToolbar(int Buttons, TTBDock* On) {
    auto* t = new TTxToolbar(form);
    t->AfterConstruction();
    for (int i = 0; i < Buttons; ++i) {
      auto* it = new TTxItem(t->Items());
      it->SetCaption(("Button " + std::to_string(i)).c_str());
      t->Items()->Add(it);
    }
    if (On)
      t->SetCurrentDock(On);
    else
      t->SetParent(form);
    Pump();
    return t;
  }
  TProbeTheme* probe = nullptr;
  fw::TForm* form = nullptr;
  TTxDock* dock = nullptr;
};

TEST_F(ThemedToolbarTest, ViewTypeTellsWhereTheToolbarSits) {
  struct Case {
    const char* name;
    bool docked, floating, menuBar, resizable;
    TTxItemTransparency transparency;
    Integer expected;
  } cases[] = {
      {"on the form", false, false, false, false, itAuto, 0x1201},
      {"on the form, opaque items", false, false, false, false, itEnable, 0x1001},
      {"docked", true, false, false, false, itAuto, 0x1001},
      {"docked, embedded look", true, false, false, false, itDisable, 0x1201},
      {"floating, resizable", false, true, false, true, itAuto, 0x1C01},
      {"floating menu bar", false, true, true, false, itAuto, 0x1802},
  };
  for (const auto& c : cases) {
    TTxToolbar* t = NewToolbar(2, c.docked ? dock : nullptr);
    t->SetMenuBar(c.menuBar);
    t->SetResizable(c.resizable);
    t->SetItemTransparency(c.transparency);
    if (c.floating) t->SetFloating(true);
    Pump();
    EXPECT_EQ(GetWinViewType(t), c.expected) << c.name;
    delete t;
  }
}

// A theme with another floating border: the floating frame is measured again and grows round the
// toolbar, which keeps its client size.
TEST_F(ThemedToolbarTest, ThemeSwitchKeepsAFloatingToolbarsClientSize) {
  const TPoint saved = TProbeTheme::FloatingBorder;
  TTxToolbar* t = NewToolbar(3, dock);
  t->SetFloating(true);
  Pump();
  auto* host = dynamic_cast<TTxFloatingWindowParent*>(t->Parent());
  ASSERT_NE(host, nullptr);
  const Integer hw = host->ClientWidth(), hh = host->ClientHeight();
  const Integer tw = t->ClientWidth(), th = t->ClientHeight();
  win::RECT before{}, after{};
  win::GetWindowRect(host->Handle(), &before);
  TProbeTheme::FloatingBorder = TPoint{saved.x + 4, saved.y + 2};
  SetCurrentTheme("Probe");  // a fresh probe with the wider border
  Pump();
  TProbeTheme::FloatingBorder = saved;
  EXPECT_EQ(host->ClientWidth(), hw);
  EXPECT_EQ(host->ClientHeight(), hh);
  EXPECT_EQ(t->ClientWidth(), tw);
  EXPECT_EQ(t->ClientHeight(), th);
  win::GetWindowRect(host->Handle(), &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left + 8);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 4);
}

TEST_F(ThemedToolbarTest, EffectiveColourComesFromColourParentOrTheme) {
  // Taken again whenever the toolbar moves between the form, a dock and its floating frame.
  TTxToolbar* embedded = NewToolbar(1, nullptr);
  EXPECT_EQ(embedded->Color(), fw::clNone);
  EXPECT_EQ(GetEffectiveColor(embedded), kFormColor);
  TTxToolbar* docked = NewToolbar(1, dock);
  EXPECT_EQ(GetEffectiveColor(docked), TProbeTheme::kToolbarColor);
  embedded->SetCurrentDock(dock);
  EXPECT_EQ(GetEffectiveColor(embedded), TProbeTheme::kToolbarColor);
  docked->SetColor(0x00112233);
  EXPECT_EQ(GetEffectiveColor(docked), 0x00112233u);
}

TEST_F(ThemedToolbarTest, FloatingFrameIsMeasuredAsAFloatingToolbar) {
  TTxToolbar* t = NewToolbar(2, dock);
  t->SetFloating(true);
  Pump();
  TPoint border{};
  t->GetFloatingBorderSize(border);
  // Adding the floating bit twice would ask for a popup's border (3, 3).
  EXPECT_EQ(border.x, TProbeTheme::FloatingBorder.x);
  EXPECT_EQ(border.y, TProbeTheme::FloatingBorder.y);
}

TEST_F(ThemedToolbarTest, DockColourFollowsItsParentUnlessSet) {
  TTxDock orphan(nullptr);
  EXPECT_EQ(GetEffectiveColor(&orphan), fw::clBtnFace);
  EXPECT_EQ(GetEffectiveColor(dock), kFormColor);
  dock->SetColor(0x00445566);
  EXPECT_EQ(GetEffectiveColor(dock), 0x00445566u);
}

TEST_F(ThemedToolbarTest, DockBackgroundIsTheParentsColourOrTheThemesDock) {
  NewToolbar(1, dock);  // gives the dock its height
  ASSERT_GT(dock->ClientRect().bottom, 5);
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(40, 40);
  const auto erase = [&] {
    fw::TMessage m{win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(bmp.Canvas()->Handle()), 0, 0};
    dock->Dispatch(m);
    return m.Result;
  };
  EXPECT_FALSE(dock->UsingBackground());
  EXPECT_EQ(erase(), 1);
  EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), kFormColor);
  EXPECT_TRUE(probe->Of("Dock").empty());

  TProbeTheme::ThemedDocks = true;
  EXPECT_TRUE(dock->ThemedBackground());
  EXPECT_TRUE(dock->UsingBackground());
  EXPECT_EQ(erase(), 1);
  const auto calls = probe->Of("Dock");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Flags, Cardinal(DP_TOP));
  // A colour of its own turns the theme's dock off.
  dock->SetColor(0x00445566);
  EXPECT_FALSE(dock->ThemedBackground());
}

// A dock drawn by the theme is drawn whole again when its size changes: the theme's look spans the
// dock, so the part that was already there is stale too.
TEST_F(ThemedToolbarTest, AThemedDockIsRedrawnWholeWhenItsSizeChanges) {
  TProbeTheme::ThemedDocks = true;
  NewToolbar(1, dock);
  Pump();
  win::RECT pending{};
  ASSERT_FALSE(win::GetUpdateRect(dock->Handle(), &pending, win::FALSE));
  form->SetBounds(50, 50, 500, 300);
  const TRect client = dock->ClientRect();
  ASSERT_EQ(client.right, form->ClientWidth());
  ASSERT_TRUE(win::GetUpdateRect(dock->Handle(), &pending, win::FALSE));
  EXPECT_EQ(TRect(pending), client);
}

// The size handler's repaint of what lies between the buttons keeps every button drawn as it is,
// except one a paint already waits for (that paint draws it) and all of them once the bar is no
// longer where it was painted (what they show belongs to the old place).
TEST_F(ThemedToolbarTest, RepaintBetweenButtonsLeavesWaitingOnlyButtonsNotDrawnWhereTheyAre) {
  TTxToolbar* bar = NewToolbar(3, nullptr);  // on the form, so that it moves where it is put
  bar->SetBounds(10, 150, 300, 30);
  const struct {
    const char* name;
    bool moved;   // the window moved on since its last paint
    int waiting;  // the button a paint already waits for, or -1
  } cases[] = {{"drawn where it is", false, -1}, {"a paint waits for the middle button", false, 1},
               {"moved since its paint", true, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Pump();
    ASSERT_TRUE(bar->View()->PositionsValid());
    if (c.moved) {
      bar->SetLeft(bar->Left() + 6);
      win::ValidateRect(bar->Handle(), nullptr);
    }
    win::RECT pending{};
    ASSERT_FALSE(win::GetUpdateRect(bar->Handle(), &pending, win::FALSE));
    if (c.waiting >= 0) {
      const TRect b = bar->View()->Viewers(c.waiting)->BoundsRect();
      const win::RECT rc{b.left, b.top, b.right, b.bottom};
      win::InvalidateRect(bar->Handle(), &rc, win::FALSE);
    }
    RepaintBetweenViewers(bar);
    win::HRGN region = win::CreateRectRgn(0, 0, 0, 0);
    win::GetUpdateRgn(bar->Handle(), region, win::FALSE);
    int buttons = 0;
    for (fw::Integer i = 0; i < bar->View()->ViewerCount(); ++i) {
      const TRect b = bar->View()->Viewers(i)->BoundsRect();
      if (!bar->View()->Viewers(i)->Show() || b.right <= b.left) continue;  // the chevron, hidden
      ++buttons;
      const bool expected = c.moved || i == c.waiting;
      EXPECT_EQ(win::PtInRegion(region, (b.left + b.right) / 2, (b.top + b.bottom) / 2) != 0, expected)
          << "button " << i << (expected ? " taken for drawn" : " left waiting for a paint");
    }
    EXPECT_EQ(buttons, 3);
    win::DeleteObject(region);
  }
  Pump();
}

// A spin's button let go is drawn plain again: the release asks a paint of the spin's buttons.
TEST_F(ThemedToolbarTest, ASpinButtonLetGoWaitsForAPaintThatDrawsItPlain) {
  TTxToolbar* bar = NewToolbar(0, nullptr);
  auto* spin = new TTxSpinEditItem(bar->Items());
  bar->Items()->Add(spin);
  bar->SetBounds(10, 150, 300, 30);
  Pump();
  auto* v = dynamic_cast<TTxSpinEditViewer*>(bar->View()->Find(spin));
  ASSERT_NE(v, nullptr);
  const TRect b = v->BoundsRect();
  const fw::Integer w = b.right - b.left, h = b.bottom - b.top;
  bool onMenu = false;
  v->MouseDown(fw::TShiftState{}, w - 2, h - 2, onMenu);
  ASSERT_EQ(v->PressedHalf(), 2);
  Pump();
  win::ValidateRect(bar->Handle(), nullptr);
  v->MouseUp(w - 2, h - 2, false);
  EXPECT_EQ(v->PressedHalf(), 0);
  win::HRGN region = win::CreateRectRgn(0, 0, 0, 0);
  win::GetUpdateRgn(bar->Handle(), region, win::FALSE);
  EXPECT_TRUE(win::PtInRegion(region, b.right - 3, b.bottom - 3)) << "the lower button left drawn pressed";
  win::DeleteObject(region);
  Pump();
}

// A dock that leaves erasing to others and notes where it was asked to draw.
struct NonErasingDock : TTBDock {
  using TTBDock::TTBDock;
  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg == win::WM_ERASEBKGND) return void(Message.Result = 0);
    TTBDock::Dispatch(Message);
  }
  void DrawBackground(win::HDC DC, const fw::TRect& R) override {
    win::POINT org{};
    win::GetWindowOrgEx(DC, &org);
    Origin = org;
    Drawn = R;
    ++Draws;
  }
  win::POINT Origin{};
  fw::TRect Drawn{};
  int Draws = 0;
};

TEST_F(ThemedToolbarTest, ParentBackgroundOfADockIsTheDocksDrawingShiftedToTheChild) {
  auto* plain = new NonErasingDock(form);
  plain->SetParent(form);
  TTxToolbar* t = NewToolbar(2, plain);
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(40, 40);
  PaintParentBackground(t, bmp.Canvas()->Handle(), TRect{0, 0, 10, 10});
  ASSERT_EQ(plain->Draws, 1);
  EXPECT_EQ(plain->Origin.x, t->Left());
  EXPECT_EQ(plain->Origin.y, t->Top());
  EXPECT_EQ(plain->Drawn.right, 10);
}

TEST_F(ThemedToolbarTest, FloatingFrameSnapsToTheWorkAreaOnlyWhenMoved) {
  auto* frame = new TTxFloatingWindowParent(form);
  frame->SetSnapDistance(-3);
  EXPECT_EQ(frame->SnapDistance(), 0);
  frame->SetBounds(100, 100, 120, 60);
  frame->HandleNeeded();
  win::MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  ASSERT_TRUE(win::GetMonitorInfoW(win::MonitorFromWindow(frame->Handle(), win::MONITOR_DEFAULTTONEAREST), &mi));
  const win::RECT w = mi.rcWork;
  struct Case {
    const char* name;
    Integer snap, x, y, cx, cy;
    win::UINT flags;
    Integer wantX, wantY;
  } cases[] = {
      {"5 from the right", 10, w.right - 125, 200, 0, 0, win::SWP_NOSIZE, w.right - 120, 200},
      {"5 from the bottom", 10, 200, w.bottom - 65, 0, 0, win::SWP_NOSIZE, 200, w.bottom - 60},
      {"near the top left", 10, w.left + 9, w.top + 3, 0, 0, win::SWP_NOSIZE, w.left, w.top},
      {"10 away: no snap", 10, w.left + 10, 200, 0, 0, win::SWP_NOSIZE, w.left + 10, 200},
      {"same size given", 10, w.left + 4, 200, 120, 60, 0, w.left, 200},
      {"a resize", 10, w.left + 4, 200, 150, 60, 0, w.left + 4, 200},
      {"snapping off", 0, w.left + 4, 200, 0, 0, win::SWP_NOSIZE, w.left + 4, 200},
  };
  for (const auto& c : cases) {
    frame->SetSnapDistance(c.snap);
    win::WINDOWPOS pos{};
    pos.hwnd = frame->Handle();
    pos.x = c.x;
    pos.y = c.y;
    pos.cx = c.cx;
    pos.cy = c.cy;
    pos.flags = c.flags | win::SWP_NOZORDER | win::SWP_NOACTIVATE;
    fw::TMessage m{win::WM_WINDOWPOSCHANGING, 0, reinterpret_cast<win::LPARAM>(&pos), 0};
    frame->Dispatch(m);
    EXPECT_EQ(pos.x, c.wantX) << c.name;
    EXPECT_EQ(pos.y, c.wantY) << c.name;
  }
}

TEST_F(ThemedToolbarTest, FloatingToolbarDraggedNearTheEdgeLandsFlushWithIt) {
  TTxToolbar* t = NewToolbar(2, dock);
  t->SetSnapDistance(10);
  t->SetFloating(true);
  Pump();
  auto* frame = dynamic_cast<TTxFloatingWindowParent*>(t->Parent());
  ASSERT_NE(frame, nullptr);
  win::MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  win::GetMonitorInfoW(win::MonitorFromWindow(frame->Handle(), win::MONITOR_DEFAULTTONEAREST), &mi);
  win::RECT before{};
  win::GetWindowRect(frame->Handle(), &before);
  const TRect caption = frame->GetCaptionRect(true, true);
  const win::POINT grab{before.left + caption.left + 3, before.top + caption.top + 3};
  // Moves the frame so that its right edge ends 5 pixels short of the work area's.
  const Integer dx = (mi.rcWork.right - 5) - before.right;
  const win::POINT drop{grab.x + dx, grab.y + 20};
  kvtest::MessageRecorder rec(win::kChannelGeometry);
  rec.Watch(frame->Handle());
  desktop->script([&] { desktop->mouse_move({grab.x + dx / 2, grab.y + 10}); });
  desktop->script([&] { desktop->mouse_move(drop); });
  desktop->script([&] { desktop->mouse_up(drop); });
  desktop->mouse_move(grab);
  Pump();
  win::SendMessageW(frame->Handle(), win::WM_NCLBUTTONDOWN, toolbars::HTDockCaption, win::MAKELPARAM(grab.x, grab.y));
  Pump();
  win::RECT after{};
  win::GetWindowRect(frame->Handle(), &after);
  EXPECT_EQ(after.right, mi.rcWork.right);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  // Each of the two moves of the pointer is a move the frame sees before it happens; the press
  // itself leaves the frame where it is.
  std::vector<kvtest::ExpectedMessage> steps;
  for (int i = 0; i < 2; ++i) {
    steps.push_back(kvtest::Sent(win::WM_WINDOWPOSCHANGING, frame->Handle()));
    steps.push_back(kvtest::Sent(win::WM_NCCALCSIZE, frame->Handle()).Optional());
    steps.push_back(kvtest::Sent(win::WM_WINDOWPOSCHANGED, frame->Handle()));
    steps.push_back(kvtest::Msg(win::WM_MOVE, frame->Handle()).Optional());
  }
  EXPECT_TRUE(rec.Matches(steps));
}

TEST_F(ThemedToolbarTest, ToolbarPassesItsSnapDistanceToItsFloatingFrame) {
  TTxToolbar* t = NewToolbar(2, dock);
  t->SetSnapDistance(12);
  t->SetFloating(true);
  Pump();
  auto* frame = dynamic_cast<TTxFloatingWindowParent*>(t->Parent());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->SnapDistance(), 12);
  t->SetSnapDistance(-1);
  EXPECT_EQ(t->SnapDistance(), 0);
  EXPECT_EQ(frame->SnapDistance(), 0);
}

TEST_F(ThemedToolbarTest, BackgroundIsTheFormBehindAnEmbeddedToolbarAndTheThemesOnADock) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(40, 40);
  struct Case {
    const char* name;
    bool docked;
    bool transparent;
    TColor colour;
    Integer viewType;
  } cases[] = {
      {"on the form", false, true, kFormColor, 0x1201},
      {"docked", true, false, TProbeTheme::kToolbarColor, 0x1001},
  };
  for (const auto& c : cases) {
    TTxToolbar* t = NewToolbar(2, c.docked ? dock : nullptr);
    t->SetResizable(false);
    bmp.Canvas()->Brush()->SetColor(0x00010203);
    bmp.Canvas()->FillRect(TRect{0, 0, 40, 40});
    probe->Calls.clear();
    fw::TMessage m{win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(bmp.Canvas()->Handle()), 0, 0};
    t->Dispatch(m);
    EXPECT_EQ(m.Result, 1) << c.name;
    const auto calls = probe->Of("Background");
    ASSERT_EQ(calls.size(), 1u) << c.name;
    EXPECT_EQ(calls[0].Flag, c.transparent) << c.name;
    EXPECT_EQ(calls[0].Flags, Cardinal(c.colour)) << c.name;
    EXPECT_EQ(probe->BackgroundViewType, c.viewType) << c.name;
    // The form's colour shows through only where the toolbar is transparent.
    EXPECT_EQ(bmp.Canvas()->Pixels(3, 3) == kFormColor, c.transparent) << c.name;
    delete t;
  }
}

TEST_F(ThemedToolbarTest, DockedFrameIsDescribedToTheTheme) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(400, 400);
  struct Case {
    toolbars::TTBDockPosition position;
    bool vertical;
    bool closeButton;
    Integer closeState;
  } cases[] = {{toolbars::dpTop, false, false, 0}, {toolbars::dpLeft, true, true, CDBS_VISIBLE}};
  for (const auto& c : cases) {
    auto* d = new TTxDock(form);
    d->SetPosition(c.position);
    d->SetParent(form);
    TTxToolbar* t = NewToolbar(2, d);
    t->SetCloseButtonWhenDocked(c.closeButton);
    Pump();
    probe->Calls.clear();
    t->DrawNCArea(true, bmp.Canvas()->Handle(), nullptr);
    const auto calls = probe->Of("ToolbarNC");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].R.left, 0);
    EXPECT_EQ(calls[0].R.right, t->Width());
    EXPECT_EQ(calls[0].R.bottom, t->Height());
    const TTxToolbarInfo& info = probe->LastToolbar;
    EXPECT_EQ(info.IsVertical, c.vertical);
    EXPECT_TRUE(info.AllowDrag);
    EXPECT_EQ(info.CloseButtonState, c.closeState);
    EXPECT_EQ(info.ViewType, GetWinViewType(t));
    EXPECT_EQ(info.ClientWidth, t->ClientWidth());
    // Not floating: no frame of a floating toolbar.
    EXPECT_EQ(info.BorderSize.x, 0);
    delete t;
    delete d;
  }
}

TEST_F(ThemedToolbarTest, FloatingCloseButtonLightsUnderTheMouse) {
  TTxToolbar* t = NewToolbar(2, dock);
  t->SetCloseButton(true);
  t->SetFloating(true);
  Pump();
  auto* frame = dynamic_cast<TTxFloatingWindowParent*>(t->Parent());
  ASSERT_NE(frame, nullptr);
  const auto move = [&](win::WPARAM Hit) {
    fw::TMessage m{win::WM_NCMOUSEMOVE, Hit, 0, 0};
    frame->Dispatch(m);
  };
  probe->Calls.clear();
  move(toolbars::HTDockClose);
  EXPECT_TRUE(frame->CloseButtonHover());
  ASSERT_EQ(probe->Of("FloatingBorder").size(), 1u);  // only the button is redrawn
  EXPECT_EQ(probe->LastFloating.RedrawPart, WRP_CLOSEBTN);
  EXPECT_EQ(probe->LastFloating.CloseButtonState, CDBS_VISIBLE | CDBS_HOT);
  move(toolbars::HTDockClose);
  EXPECT_EQ(probe->Of("FloatingBorder").size(), 1u);  // no change, no redraw
  fw::TMessage leave{win::WM_NCMOUSELEAVE, 0, 0, 0};
  frame->Dispatch(leave);
  EXPECT_FALSE(frame->CloseButtonHover());
  ASSERT_EQ(probe->Of("FloatingBorder").size(), 2u);
  EXPECT_EQ(probe->LastFloating.CloseButtonState, CDBS_VISIBLE);
  // The frame's own colour is the toolbar's.
  EXPECT_EQ(probe->LastFloating.EffectiveColor, TProbeTheme::kToolbarColor);
}

TEST_F(ThemedToolbarTest, ThemeSwitchRepaintsEachToolbarAndDockOnce) {
  TTxToolbar* docked = NewToolbar(3, dock);
  TTxToolbar* embedded = NewToolbar(2, nullptr);
  embedded->SetBounds(10, 150, 200, 30);
  Pump();
  kvtest::MessageRecorder rec(win::kChannelPaint);
  for (fw::TWinControl* c : {static_cast<fw::TWinControl*>(docked), static_cast<fw::TWinControl*>(embedded),
                             static_cast<fw::TWinControl*>(dock)})
    rec.Watch(c->Handle());
  SetCurrentTheme("Default");
  Pump();
  const auto paints = [&](fw::TWinControl* c) {
    int n = 0;
    for (const auto& m : rec.Calls())
      if (m.msg == win::WM_PAINT && m.hwnd == c->Handle()) ++n;
    return n;
  };
  EXPECT_EQ(paints(docked), 1);
  EXPECT_EQ(paints(embedded), 1);
  EXPECT_EQ(paints(dock), 1);
  // The effective colour was taken again from the new theme.
  EXPECT_EQ(GetEffectiveColor(docked), CurrentTheme->GetViewColor(GetViewType(docked->View())));
}

TEST_F(ThemedToolbarTest, ChevronIsPaintedByTheThemeAcrossOrDownTheBar) {
  struct Case {
    toolbars::TTBDockPosition position;
    bool vertical;
  } cases[] = {{toolbars::dpTop, false}, {toolbars::dpLeft, true}};
  for (const auto& c : cases) {
    auto* d = new TTxDock(form);
    d->SetPosition(c.position);
    d->SetParent(form);
    TTxToolbar* t = NewToolbar(30, d);
    ASSERT_NE(dynamic_cast<TTxChevronItem*>(t->ChevronItem()), nullptr);
    ASSERT_TRUE(t->View()->Find(t->ChevronItem())->Show());
    probe->Calls.clear();
    win::RedrawWindow(t->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_UPDATENOW);
    const auto calls = probe->Of("Chevron");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Info.IsVertical, c.vertical);
    EXPECT_TRUE(calls[0].Info.Enabled);
    EXPECT_EQ(calls[0].Info.ItemOptions & IO_TOOLBAR_STYLE, IO_TOOLBAR_STYLE);
    delete t;
    delete d;
  }
}

// A bar like the main window's graph toolbar (a title box, a colour item, a width spin) with a
// plain and a drop-down button, over a focused edit that stands for the chart.
class BarWithBoxesTest : public ThemedToolbarTest {
 protected:
  void SetUp() override {
    ThemedToolbarTest::SetUp();
    chart = new fw::TEdit(form);
    chart->SetParent(form);
    chart->SetBounds(10, 200, 100, 24);
    bar = NewToolbar(0, dock);
    fw::TComponent* o = bar->Items();
    for (TTBCustomItem* it : {title = new TTxEditItem(o), color = new TTxColorItem(o),
                             spin = new TTxSpinEditItem(o), button = new TTxItem(o), menu = new TTxSubmenuItem(o)}) {
      it->SetCaption("Item");
      it->OnClick = [this, it](fw::TObject*) { clicked.push_back(it); };
      bar->Items()->Add(it);
    }
    menu->Add(new TTxItem(menu));
    Pump();
    chart->SetFocus();
  }
  win::POINT Middle(TTBCustomItem* It) {
    const TRect r = bar->View()->Find(It)->ScreenBoundsRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // Inside the box but left of the editor, which is the box less 3 pixels a side.
  win::POINT Margin(TTBCustomItem* It) {
    TRect r{};
    static_cast<toolbars::TTBEditItemViewer*>(bar->View()->Find(It))->GetEditRect(r);
    return At(bar, r.left + 1, (r.top + r.bottom) / 2);
  }

 public:
  fw::TEdit* chart = nullptr;
  TTxToolbar* bar = nullptr;
  TTBCustomItem *title = nullptr, *color = nullptr, *spin = nullptr, *button = nullptr, *menu = nullptr;
  std::vector<TTBCustomItem*> clicked;
};

// A release clicks no item but the one its press began on (a drop-down button clicks as its list
// opens), and however an edit in a box ends, the keys go where they went before the press: the
// next digit lands in the chart.
TEST_F(BarWithBoxesTest, ReleaseClicksOnlyThePressedItemAndTheKeysGoBack) {
  const auto slide = [this](win::POINT To) { desktop->mouse_move(To), desktop->mouse_up(To); };
  const auto key = [this](win::UINT Vk) { desktop->mouse_up(Middle(title)), desktop->press_key(Vk); };
  const struct {
    const char* name;
    TTBCustomItem* BarWithBoxesTest::*pressed;
    std::function<void()> end;
  } ways[] = {
      {"title box slid onto the colour", &BarWithBoxesTest::title, [&] { slide(Middle(color)); }},
      {"width box slid onto the colour", &BarWithBoxesTest::spin, [&] { slide(Middle(color)); }},
      {"plain button slid onto the colour", &BarWithBoxesTest::button, [&] { slide(Middle(color)); }},
      {"drop-down button slid onto the colour", &BarWithBoxesTest::menu, [&] { slide(Middle(color)); }},
      {"width box let go on its margin", &BarWithBoxesTest::spin, [&] { slide(Margin(spin)); }},
      {"Enter", &BarWithBoxesTest::title, [&] { key(win::VK_RETURN); }},
      {"Tab", &BarWithBoxesTest::title, [&] { key(win::VK_TAB); }},
      {"Esc", &BarWithBoxesTest::title, [&] { key(win::VK_ESCAPE); }},
      {"Alt", &BarWithBoxesTest::title, [&] { key(win::VK_MENU); }},
      {"a click on the chart", &BarWithBoxesTest::title,
       [&] {
         desktop->mouse_up(Middle(title)), desktop->mouse_move(At(chart, 5, 5));
         desktop->click(At(chart, 5, 5));
       }},
      {"another program's window", &BarWithBoxesTest::title,
       [&] {
         desktop->mouse_up(Middle(title)), desktop->set_app_active(false);
         desktop->set_app_active(true);
       }},
  };
  for (const auto& w : ways) {
    chart->SetText("");
    clicked.clear();
    bool over = false, typedInALoop = false;
    desktop->mouse_move(Middle(this->*w.pressed));
    desktop->mouse_down(Middle(this->*w.pressed));
    desktop->script(w.end);
    // Run only while a loop still holds the keyboard: the digit is lost there.
    desktop->script([&] {
      if (!over) typedInALoop = true, desktop->type_char(u'7'), desktop->press_key(win::VK_ESCAPE);
    });
    desktop->script([&] { if (!over) desktop->press_key(win::VK_ESCAPE); });
    Pump();
    if (!typedInALoop) desktop->type_char(u'7');
    over = true;
    while (desktop->pending_script()) win::WaitMessage(), Pump();
    Pump();
    EXPECT_EQ(std::count(clicked.begin(), clicked.end(), this->*w.pressed), Integer(clicked.size()))
        << w.name;
    EXPECT_EQ(win::GetFocus(), chart->Handle()) << w.name;
    EXPECT_EQ(chart->Text(), "7") << w.name;
  }
}

}  // namespace
