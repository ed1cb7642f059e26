// The control set's bars on a form: right alignment and anchoring arithmetic, the status bar's
// grip and separators, hints of items (and items freed while painted or while their hint
// shows), custom-drawn backgrounds, the popup's init event and repaints on a theme switch.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/CsBitmapHint.h"
#include "controls/CsLookups.h"
#include "controls/CsStatusBar.h"
#include "controls/CsToolbars.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsObjects.h"
#include "framework/HintWindow.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/control_fixture.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/ObjectIds.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "support/MessageSequence.h"
#include "toolbars/TBAcc.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"

namespace cs {
namespace {

using txtest::TProbeTheme;

class CsToolbarsTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    tx::InitTx();
    if (!tx::IsThemeRegistered("Probe")) tx::RegisterTheme("Probe", &tx::ThemeClassOf<TProbeTheme>);
    if (!tx::IsThemeRegistered("OfficeProbe"))
      tx::RegisterTheme("OfficeProbe", &tx::ThemeClassOf<TProbeTheme>);
    tx::SetCurrentTheme("Probe");
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(50, 50, 500, 300);
    dock = new TCsDock(form);
    dock->SetParent(form);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    tx::SetCurrentTheme("Default");
    tx::DoneTx();
    win::ResetSystemParameters();
    ControlTest::TearDown();
  }
  TProbeTheme* Probe() { return dynamic_cast<TProbeTheme*>(tx::CurrentTheme); }
  TCsToolbar* NewToolbar() {
    auto* t = new TCsToolbar(form);
    t->AfterConstruction();
    t->SetBorderStyle(fw::bsNone);
    t->SetDragHandleStyle(toolbars::dhNone);
    t->SetStretch(true);
    return t;
  }
  TCsItem* AddItem(TCsToolbar* t, Integer width, const WideString& caption = u"") {
    auto* it = new TCsItem(t->Items());
    it->SetCaption(caption);
    it->SetCustomWidth(width);
    it->SetCustomHeight(22);
    t->Items()->Add(it);
    return it;
  }
  // Right edge of an item's viewer in dock coordinates.
  Integer RightInDock(TCsToolbar* t, toolbars::TTBCustomItem* item) {
    t->View()->ValidatePositions();
    const TRect r = t->View()->Find(item)->BoundsRect();
    return dock->ScreenToClient(t->ClientToScreen(fw::TPoint{r.right, 0})).x;
  }
  fw::TForm* form = nullptr;
  TCsDock* dock = nullptr;
};

// Assistive technology hears a status bar as one, its panels as labels and the spacer as white
// space; a plain control-set toolbar and its buttons stay a toolbar with push buttons.
TEST_F(CsToolbarsTest, StatusBarAndItsPanelsTellTheirRoles) {
  auto* status = new TCsStatusBar(form);
  status->SetParent(form);
  auto* panel = new TCsLabelItem(status->Items());
  panel->SetCaption(u"Графиков: 0");
  status->Items()->Add(panel);
  auto* spacer = new TCsRightAlignSpacerItem(status->Items());
  status->Items()->Add(spacer);
  TCsToolbar* bar = NewToolbar();
  bar->SetParent(dock);
  TCsItem* button = AddItem(bar, 40, u"Открыть");
  Pump();
  struct Case {
    TCsToolbar* bar;
    Integer viewRole;
    std::vector<std::pair<toolbars::TTBCustomItem*, Integer>> parts;
  } cases[] = {
      {status->Toolbar(), win::ROLE_SYSTEM_STATUSBAR,
       {{panel, win::ROLE_SYSTEM_STATICTEXT}, {spacer, win::ROLE_SYSTEM_WHITESPACE}}},
      {bar, win::ROLE_SYSTEM_TOOLBAR, {{button, win::ROLE_SYSTEM_PUSHBUTTON}}},
  };
  for (const Case& c : cases) {
    c.bar->View()->ValidatePositions();
    auto acc = c.bar->View()->GetAccObject();
    ASSERT_TRUE(acc);
    Integer role = 0;
    EXPECT_EQ(acc->get_accRole(toolbars::CHILDID_SELF, role), toolbars::S_OK);
    EXPECT_EQ(role, c.viewRole);
    for (const auto& [item, partRole] : c.parts) {
      ASSERT_NE(c.bar->View()->Find(item), nullptr);
      EXPECT_EQ(c.bar->View()->Find(item)->GetAccRole(), partRole) << role;
    }
  }
}

TEST_F(CsToolbarsTest, RightAlignSpacerPushesTheRestToTheRightEdge) {
  TCsToolbar* t = NewToolbar();
  AddItem(t, 40);
  auto* spacer = new TCsRightAlignSpacerItem(t->Items());
  t->Items()->Add(spacer);
  AddItem(t, 30);
  auto* last = AddItem(t, 20);
  t->SetCurrentDock(dock);
  Pump();
  t->Resize();
  Pump();
  // The other items take 90 pixels; the spacer takes the rest of the dock less the margin, so
  // the last item ends 10 pixels from the dock's right edge.
  EXPECT_EQ(spacer->CustomWidth(), dock->Width() - 10 - 90);
  t->View()->ValidatePositions();
  const Integer firstLeft =
      dock->ScreenToClient(t->ClientToScreen(fw::TPoint{t->View()->Viewers(0)->BoundsRect().left, 0})).x;
  EXPECT_EQ(RightInDock(t, last), firstLeft + dock->Width() - 10);
  // Items wider than the dock: the spacer takes nothing (never a negative width).
  AddItem(t, 600);
  Pump();
  EXPECT_EQ(spacer->CustomWidth(), 0);
}

TEST_F(CsToolbarsTest, RightAlignmentOnlyOnTopOrBottomDocks) {
  auto* side = new TCsDock(form);
  side->SetPosition(toolbars::dpLeft);
  side->SetParent(form);
  TCsToolbar* t = NewToolbar();
  AddItem(t, 40);
  auto* spacer = new TCsRightAlignSpacerItem(t->Items());
  t->Items()->Add(spacer);
  AddItem(t, 30);
  t->SetCurrentDock(side);
  Pump();
  t->Resize();
  EXPECT_EQ(spacer->CustomWidth(), -1);
}

TEST_F(CsToolbarsTest, ClientAlignedControlFollowsTheDocksWidth) {
  TCsToolbar* t = NewToolbar();
  auto* edit = new fw::TEdit(form);
  edit->SetWidth(120);
  edit->SetAlign(fw::alClient);
  auto* ci = new toolbars::TTBControlItem(t->Items(), edit);
  t->Items()->Add(ci);
  t->SetCurrentDock(dock);
  Pump();
  t->Resize();
  ASSERT_NE(t->ItemCache()->Find(ci), nullptr);
  EXPECT_EQ(t->ItemCache()->Find(ci)->Width, 120);
  EXPECT_EQ(t->ItemCache()->Find(ci)->ParentWidth, dock->Width());
  // The dock follows the form's width.
  struct Case {
    Integer formGrowth, expected;
  } cases[] = {{60, 180}, {-20, 100}, {-400, 0}};
  for (const Case& c : cases) {
    form->SetWidth(500 + c.formGrowth);
    Pump();
    t->AnchorItems();
    EXPECT_EQ(edit->Width(), c.expected) << c.formGrowth;
  }
  // Deleting the item drops its cache entry.
  delete ci;
  EXPECT_EQ(t->ItemCache()->Find(ci), nullptr);
  EXPECT_EQ(t->ItemCache()->Count(), 0);
}

TEST_F(CsToolbarsTest, AnchoredItemGrowsByTheDocksChange) {
  TCsToolbar* t = NewToolbar();
  auto* item = AddItem(t, 50);
  item->SetAnchored(true);
  t->SetCurrentDock(dock);
  Pump();
  t->AnchorItems();
  auto* v = dynamic_cast<TCsItemViewer*>(t->View()->Find(item));
  ASSERT_NE(v, nullptr);
  const Integer seen = v->AnchorSize.x;
  EXPECT_EQ(v->AnchorOffset.x, 0);
  form->SetWidth(form->Width() + 40);
  Pump();
  t->AnchorItems();
  EXPECT_EQ(dock->Width(), seen + 40);
  EXPECT_EQ(v->AnchorOffset.x, 40);
  Integer w = 0, h = 0;
  fw::TBitmap b;
  v->CalcSize(b.Canvas(), w, h);
  EXPECT_EQ(w, 90);
}

TEST_F(CsToolbarsTest, DockAndToolbarBackgroundsAreCustomDrawn) {
  std::vector<std::string> log;
  bool paintDefault = true;
  dock->OnDrawBackground = [&](fw::TObject*, fw::TCanvas*, TRect&, TCsPaintStage s, bool& d) {
    log.push_back(s == pstPrePaint ? "dock-pre" : "dock-post");
    if (s == pstPrePaint) d = paintDefault;
  };
  EXPECT_TRUE(dock->UsingBackground());
  TCsToolbar* t = NewToolbar();
  AddItem(t, 40, u"A");
  t->SetCurrentDock(dock);
  Pump();
  // The toolbar on such a dock erases with the dock's drawing.
  log.clear();
  win::RedrawWindow(t->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_UPDATENOW);
  Pump();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "dock-pre");
  EXPECT_EQ(log[1], "dock-post");
  // The frame and drag handle of a toolbar on such a dock show the dock's drawing: once behind
  // the themed frame and once more over the ring outside the client area.
  t->SetBorderStyle(fw::bsSingle);
  t->SetDragHandleStyle(toolbars::dhDouble);
  Pump();
  log.clear();
  win::RedrawWindow(t->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_FRAME | win::RDW_UPDATENOW);
  Pump();
  EXPECT_EQ(std::count(log.begin(), log.end(), "dock-pre"), 2);
  // With PaintDefault cleared the themed dock is not painted.
  paintDefault = false;
  Probe()->Calls.clear();
  dock->DrawBackground(dock->Canvas()->Handle(), dock->ClientRect());
  EXPECT_TRUE(Probe()->Of("Dock").empty());
}

TEST_F(CsToolbarsTest, PopupMenuAnnouncesItsViewBeforeTheLoop) {
  TCsPopupMenu menu(form);
  auto* item = new TCsItem(menu.Items());
  item->SetCaption(u"Пункт");
  menu.Items()->Add(item);
  toolbars::TTBView* seen = nullptr;
  int viewers = -1;
  menu.OnInitPopup = [&](fw::TObject* Sender, toolbars::TTBView* View) {
    EXPECT_EQ(Sender, &menu);
    seen = View;
    viewers = View->ViewerCount();
    win::PostMessageW(nullptr, win::WM_KEYDOWN, win::VK_ESCAPE, 0);  // ends the loop
    win::PostMessageW(View->Window()->Handle(), win::WM_KEYDOWN, win::VK_ESCAPE, 0);
  };
  menu.Popup(100, 100);
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(viewers, 1);
}

TEST_F(CsToolbarsTest, HintsAreBitmapHintsAndAFreedItemTakesItsHintAlong) {
  TCsToolbar* t = NewToolbar();
  t->SetShowHint(true);
  auto* item = AddItem(t, 40, u"&Открыть...");
  t->SetCurrentDock(dock);
  Pump();
  t->View()->ValidatePositions();
  const TRect r = t->View()->Find(item)->BoundsRect();
  desktop->mouse_move(At(t, r.left + 5, r.top + 5));
  Pump();
  Step(600);
  fw::THintWindow* w = fw::Application->HintWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->HandleAllocated() && win::IsWindowVisible(w->Handle()));
  EXPECT_NE(dynamic_cast<TBitmapHint*>(w), nullptr);
  // The hint bitmap holds the text "Открыть" with 8 x 4 pixels of room.
  fw::TBitmap probe;
  probe.Canvas()->Font()->Assign(fw::Screen->HintFont());
  const Integer textW = probe.Canvas()->TextWidth("Открыть");
  EXPECT_EQ(HintBitmap()->Width(), textW + 8);
  delete item;
  Pump();
  EXPECT_FALSE(w->HandleAllocated() && win::IsWindowVisible(w->Handle()));
  // The toolbar paints on without it.
  win::RedrawWindow(t->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_UPDATENOW);
  Pump();
  EXPECT_EQ(t->Items()->Count(), 0);
}

TEST_F(CsToolbarsTest, ItemsFreedWithARepaintPendingLeaveNoViewerBehind) {
  TCsToolbar* t = NewToolbar();
  auto* a = AddItem(t, 40, u"A");
  auto* b = AddItem(t, 40, u"B");
  t->SetCurrentDock(dock);
  Pump();
  int drawn = 0;
  b->OnDrawItem = [&](fw::TObject*, fw::TCanvas*, TRect&, tx::TTxItemInfo&, TCsPaintStage, bool&) {
    ++drawn;
  };
  const Integer viewers = t->View()->ViewerCount();
  a->SetCaption(u"AA");  // asks for a repaint
  delete a;              // freed before it runs
  Pump();
  EXPECT_GT(drawn, 0);
  EXPECT_EQ(t->View()->ViewerCount(), viewers - 1);
  for (Integer i = 0; i < t->View()->ViewerCount(); ++i) EXPECT_NE(t->View()->Viewers(i)->Item(), a);
}

// A caption on a side dock runs down its button: the control set leaves it to the theme's caption
// painting, turned; across a top or bottom dock the control set draws it upright itself.
TEST_F(CsToolbarsTest, CaptionsOnASideDockAreTheThemesTurnedText) {
  const struct {
    toolbars::TTBDockPosition Position;
    bool Turned;
  } cases[] = {{toolbars::dpTop, false}, {toolbars::dpBottom, false}, {toolbars::dpLeft, true}, {toolbars::dpRight, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.Position));
    auto* side = new TCsDock(form);
    side->SetPosition(c.Position);
    side->SetParent(form);
    TCsToolbar* t = NewToolbar();
    TCsItem* item = AddItem(t, -1, u"Формат");
    item->SetCustomHeight(-1);
    t->SetCurrentDock(side);
    Pump();
    Probe()->Calls.clear();
    win::RedrawWindow(t->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_UPDATENOW);
    const std::vector<txtest::ProbeCall> captions = Probe()->Of("Caption");
    if (c.Turned) {
      ASSERT_EQ(captions.size(), 1u);
      EXPECT_TRUE(captions[0].Flag);
      EXPECT_EQ(captions[0].Text, "Формат");
      // The button is as long as the turned caption, the caption's box as tall as the button.
      const TRect b = t->View()->Find(item)->BoundsRect();
      EXPECT_GT(b.bottom - b.top, b.right - b.left);
      EXPECT_GE(captions[0].R.bottom - captions[0].R.top, captions[0].R.right - captions[0].R.left);
    } else {
      EXPECT_TRUE(captions.empty()) << "an upright caption is the control set's own";
    }
    delete t;
    delete side;
  }
}

TEST_F(CsToolbarsTest, ThemeSwitchRepaintsEveryBarOnceAndAFreedBarNever) {
  TCsToolbar* t = NewToolbar();
  AddItem(t, 40, u"A");
  t->SetCurrentDock(dock);
  auto* status = new TCsStatusBar(form);
  status->SetParent(form);
  auto* ready = new TCsLabelItem(status->Items());
  ready->SetCaption(u"Готово");
  status->Items()->Add(ready);
  auto* gone = new TCsStatusBar(form);
  gone->SetParent(form);
  Pump();
  const tx::Integer listeners = tx::Nexus->ListenerCount();
  delete gone;
  EXPECT_LT(tx::Nexus->ListenerCount(), listeners);
  kvtest::MessageRecorder rec(win::kChannelPaint);
  for (fw::TWinControl* c : {static_cast<fw::TWinControl*>(t), static_cast<fw::TWinControl*>(status->Dock()),
                             static_cast<fw::TWinControl*>(status->Toolbar())})
    rec.Watch(c->Handle());
  tx::SetCurrentTheme("OfficeProbe");
  Pump();
  const auto paints = [&](fw::TWinControl* c) {
    int n = 0;
    for (const auto& m : rec.Calls())
      if (m.msg == win::WM_PAINT && m.hwnd == c->Handle()) ++n;
    return n;
  };
  EXPECT_EQ(paints(t), 1);
  EXPECT_EQ(paints(status->Dock()), 1);
  EXPECT_EQ(paints(status->Toolbar()), 1);
}

class CsStatusBarTest : public CsToolbarsTest {
 protected:
  void SetUp() override {
    CsToolbarsTest::SetUp();
    bar = new TCsStatusBar(form);
    bar->SetParent(form);
    auto* item = new TCsLabelItem(bar->Items());
    item->SetCaption(u"Готово");
    bar->Items()->Add(item);
    sep = new TCsSeparatorItem(bar->Items());
    bar->Items()->Add(sep);
    auto* item2 = new TCsLabelItem(bar->Items());
    item2->SetCaption(u"x = 1");
    bar->Items()->Add(item2);
    Pump();
  }
  TCsStatusBar* bar = nullptr;
  TCsSeparatorItem* sep = nullptr;
};

TEST_F(CsStatusBarTest, SitsAtTheBottomAsHighAsItsDock) {
  EXPECT_EQ(bar->Align(), fw::alBottom);
  EXPECT_GT(bar->Height(), 0);
  EXPECT_EQ(bar->Height(), bar->Dock()->Height());
  EXPECT_TRUE(bar->Toolbar()->Embedded());
  EXPECT_NE(dynamic_cast<TCsStatusToolbar*>(bar->Toolbar()), nullptr);
}

TEST_F(CsStatusBarTest, PanelWidthsFromTheTestFont) {
  // The toolbars' font is the fixed test font here: 7 pixels a character, 13 a line.
  struct FontScope {
    fw::TFont saved;
    FontScope() {
      saved.Assign(toolbars::ToolbarFont());
      toolbars::ToolbarFont()->SetName("Korvalin Test");
      toolbars::ToolbarFont()->SetHeight(-13);
    }
    ~FontScope() { toolbars::ToolbarFont()->Assign(&saved); }
  } font;
  auto* right = new TCsRightAlignSpacerItem(bar->Items());
  bar->Items()->Insert(2, right);
  // A bar of labels alone is never right-aligned (it has nothing to select): this panel is a
  // button.
  auto* fixed = new TCsItem(bar->Items());
  fixed->SetCaption(u"Ж");
  fixed->SetCustomWidth(60);
  bar->Items()->Add(fixed);
  Pump();
  bar->Toolbar()->Resize();
  toolbars::TTBView* view = bar->Toolbar()->View();
  view->ValidatePositions();
  const auto width = [&](Integer i) {
    const TRect r = view->Viewers(i)->BoundsRect();
    return r.right - r.left;
  };
  struct Case {
    const char* name;
    Integer index, expected;
  } cases[] = {
      {"\"Готово\": 6 characters + 6 + 4", 0, 6 * 7 + 10},
      {"\"x = 1\": 5 characters + 6 + 4", 3, 5 * 7 + 10},
      {"a fixed panel", 4, 60},
      // The spacer takes what the dock leaves less 10, the separator and the panels.
      {"spacer", 2, bar->Dock()->Width() - 10 - (6 * 7 + 10) - width(1) - (5 * 7 + 10) - 60},
  };
  for (const Case& c : cases) EXPECT_EQ(width(c.index), c.expected) << c.name;
}

TEST_F(CsStatusBarTest, GripIsTheDocksRightEndUnlessMaximized) {
  const TRect grip = bar->StatusToolbar()->GetGripRect();
  const TRect dockRect = bar->Dock()->ClientRect();
  EXPECT_EQ(grip.right, dockRect.right);
  EXPECT_EQ(grip.left, dockRect.right - win::GetSystemMetrics(win::SM_CXVSCROLL));
  EXPECT_EQ(grip.top, dockRect.top - 3);
  EXPECT_EQ(grip.bottom, dockRect.bottom);
  form->SetWindowState(fw::wsMaximized);
  Pump();
  const TRect none = bar->StatusToolbar()->GetGripRect();
  EXPECT_TRUE(none.right <= none.left);
  form->SetWindowState(fw::wsNormal);
  Pump();
}

// A narrower window repaints only what changed: a panel that is not repainted keeps what it
// showed (the bar's background and its text), like the empty part of the bar; it does not turn
// black.
TEST_F(CsStatusBarTest, APanelKeepsItsFaceWhenTheWindowNarrows) {
  tx::SetCurrentTheme("Default");
  Pump();
  toolbars::TTBView* view = bar->Toolbar()->View();
  const auto pixel = [&](Integer x, Integer y) {
    win::HDC dc = win::GetDC(bar->Toolbar()->Handle());
    const win::COLORREF c = win::GetPixel(dc, x, y);
    win::ReleaseDC(bar->Toolbar()->Handle(), dc);
    return c;
  };
  for (Integer step = 0; step < 3; ++step) {
    form->SetWidth(form->Width() - 40);
    Pump();
    const TRect panel = view->Viewers(0)->BoundsRect();
    const win::COLORREF empty = pixel(bar->Toolbar()->ClientWidth() - 40, panel.top + 1);
    EXPECT_NE(empty, win::COLORREF(0)) << step;
    EXPECT_EQ(pixel(panel.left + 1, panel.top + 1), empty) << "step " << step;
    EXPECT_EQ(pixel(panel.right - 2, panel.bottom - 2), empty) << "step " << step;
  }
}

// Narrowed, then widened and made higher at once (as the size grip does): the status line moves
// down into the part the window gains, and its panels must be painted there, not kept from where
// they were before the move.
TEST_F(CsStatusBarTest, APanelKeepsItsFaceWhenTheWindowGrows) {
  tx::SetCurrentTheme("Default");
  Pump();
  toolbars::TTBView* view = bar->Toolbar()->View();
  const auto pixel = [&](Integer x, Integer y) {
    win::HDC dc = win::GetDC(bar->Toolbar()->Handle());
    const win::COLORREF c = win::GetPixel(dc, x, y);
    win::ReleaseDC(bar->Toolbar()->Handle(), dc);
    return c;
  };
  const struct {
    Integer dw, dh;
  } steps[] = {{-40, -20}, {-40, -20}, {60, 30}, {60, 30}, {0, 40}, {-30, -20}};
  Integer step = 0;
  for (const auto& s : steps) {
    form->SetBounds(form->Left(), form->Top(), form->Width() + s.dw, form->Height() + s.dh);
    Pump();
    const TRect panel = view->Viewers(0)->BoundsRect();
    const win::COLORREF empty = pixel(bar->Toolbar()->ClientWidth() - 40, panel.top + 1);
    EXPECT_NE(empty, win::COLORREF(0)) << step;
    EXPECT_EQ(pixel(panel.left + 1, panel.top + 1), empty) << "step " << step;
    EXPECT_EQ(pixel(panel.right - 2, panel.bottom - 2), empty) << "step " << step;
    ++step;
  }
}

// The status line stays where it is when its bare face is pressed and dragged.
TEST_F(CsStatusBarTest, ADragOnTheBareFaceLeavesTheBarDocked) {
  const fw::TPoint at = bar->Toolbar()->ClientToScreen(fw::TPoint{bar->Toolbar()->ClientWidth() / 2, 2});
  desktop->mouse_move({at.x, at.y});
  Pump();
  desktop->mouse_down({at.x, at.y});
  desktop->mouse_move({at.x + 30, at.y - 150});
  desktop->mouse_up({at.x + 30, at.y - 150});
  Pump();
  EXPECT_FALSE(bar->Toolbar()->Floating());
  EXPECT_EQ(bar->Toolbar()->CurrentDock(), bar->Dock());
}

TEST_F(CsStatusBarTest, APressOnTheGripSizesTheFormFromItsCorner) {
  std::vector<win::WPARAM> commands;
  const fw::TWndMessageMethod previous = form->WindowProc;
  form->WindowProc = [&](fw::TMessage& M) {
    if (M.Msg == win::WM_SYSCOMMAND)
      commands.push_back(M.WParam);  // the sizing loop itself is the window manager's
    else
      previous(M);
  };
  const TRect grip = bar->StatusToolbar()->GetGripRect();
  const fw::TPoint p = bar->StatusToolbar()->ScreenToClient(
      bar->Dock()->ClientToScreen(fw::TPoint{grip.right - 3, grip.bottom - 3}));
  win::SendMessageW(bar->StatusToolbar()->Handle(), win::WM_LBUTTONDOWN, win::MK_LBUTTON,
                    win::LPARAM((p.y << 16) | (p.x & 0xFFFF)));
  EXPECT_EQ(commands, std::vector<win::WPARAM>{win::SC_SIZE + 8});
  form->WindowProc = previous;
}

TEST_F(CsStatusBarTest, SeparatorLinesDrawnByTheBarInTheOfficeThemesOnly) {
  struct Case {
    const char* theme;
    TCsThemeType type;
    bool own;
  } cases[] = {{"Probe", thtTx, false}, {"OfficeProbe", thtTx, true}, {"Probe", thtNone, true}};
  for (const Case& c : cases) {
    tx::SetCurrentTheme(c.theme);
    bar->SetThemeType(c.type);
    EXPECT_EQ(bar->StatusToolbar()->PaintsOwnSeparators(), c.own) << c.theme << c.type;
    Probe()->Calls.clear();
    auto* v = bar->Toolbar()->View()->Find(sep);
    fw::TBitmap b;
    b.SetSize(20, 30);
    v->Paint(b.Canvas(), TRect{0, 0, 6, 22}, false, false, false);
    EXPECT_EQ(Probe()->Of("Separator").empty(), c.own) << c.theme << c.type;
  }
}

TEST_F(CsStatusBarTest, FaceThroughTheThemeOrTheClassicLook) {
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf32bit);
  b.SetSize(100, 20);
  const TRect r{0, 0, 100, 20}, grip{84, 0, 100, 20};
  Probe()->Calls.clear();
  PaintStatusBarBackground(b.Canvas(), r, grip, thtTx);
  ASSERT_EQ(Probe()->Of("StatusBar").size(), 2u);
  EXPECT_EQ(Probe()->Of("StatusBar")[0].Flags, 0u);
  EXPECT_EQ(Probe()->Of("StatusBar")[1].Flags, 3u);
  Probe()->Calls.clear();
  PaintStatusBarBackground(b.Canvas(), r, TRect{}, thtNone);
  EXPECT_TRUE(Probe()->Of("StatusBar").empty());
  EXPECT_EQ(b.Canvas()->Pixels(50, 10), fw::ColorToRGB(fw::clBtnFace));
  EXPECT_EQ(b.Canvas()->Pixels(0, 10), fw::ColorToRGB(fw::clBtnShadow));
  EXPECT_EQ(b.Canvas()->Pixels(99, 10), fw::ColorToRGB(fw::clWindow));
}

}  // namespace
}  // namespace cs

namespace cs {
namespace {

// A control put on a compound control's toolbar gets a control item of the form's (the form is
// what gets saved); one already held keeps its item.
TEST_F(CsStatusBarTest, AControlPutOnTheEmbeddedToolbarGetsAnItemOfTheForms) {
  auto* edit = new fw::TEdit(form);
  edit->SetParent(bar->Toolbar());
  toolbars::TTBControlItem* item = FindControlItem(bar->Items(), edit);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Owner(), form);
  EXPECT_EQ(bar->Items()->Items(bar->Items()->Count() - 1), item);  // appended
  auto* held = new fw::TEdit(form);
  auto* heldItem = new toolbars::TTBControlItem(bar->Items(), held);
  bar->Items()->Add(heldItem);
  const Integer count = bar->Items()->Count();
  held->SetParent(bar->Toolbar());
  EXPECT_EQ(bar->Items()->Count(), count);
  EXPECT_EQ(FindControlItem(bar->Items(), held), heldItem);
}

// For a stream: the items, the controls held by control items off the control itself, then the
// control's own children (never its dock).
TEST_F(CsStatusBarTest, ChildrenForAStreamInTheirOrder) {
  auto* edit = new fw::TEdit(form);
  edit->SetParent(bar->Toolbar());
  auto* own = new fw::TEdit(form);
  own->SetParent(bar);
  bar->Items()->Add(new toolbars::TTBControlItem(bar->Items(), own));
  std::vector<fw::TComponent*> children;
  bar->GetChildren([&](fw::TComponent* Child) { children.push_back(Child); }, form);
  std::vector<fw::TComponent*> expected;
  for (Integer i = 0; i < bar->Items()->Count(); ++i) expected.push_back(bar->Items()->Items(i));
  expected.push_back(edit);
  for (Integer i = 0; i < bar->ControlCount(); ++i)
    if (bar->Controls(i) != bar->Dock()) expected.push_back(bar->Controls(i));
  EXPECT_EQ(children, expected);
  EXPECT_EQ(std::count(children.begin(), children.end(), own), 1);
  EXPECT_EQ(std::count(children.begin(), children.end(), bar->Dock()), 0);
}

TEST_F(CsToolbarsTest, ADockOnItsWayOutPaintsNoBackground) {
  int events = 0;
  dock->OnDrawBackground = [&](fw::TObject*, fw::TCanvas*, TRect&, TCsPaintStage, bool&) { ++events; };
  fw::TBitmap target;
  target.SetSize(20, 20);
  target.Canvas()->Brush()->SetColor(fw::clRed);
  target.Canvas()->FillRect({0, 0, 20, 20});
  dock->DrawBackground(target.Canvas()->Handle(), {0, 0, 20, 20});
  EXPECT_EQ(events, 2);
  auto* leaving = new TCsDock(form);
  leaving->OnDrawBackground = dock->OnDrawBackground;
  leaving->Destroying();
  leaving->DrawBackground(target.Canvas()->Handle(), {0, 0, 20, 20});
  EXPECT_EQ(events, 2);
  EXPECT_EQ(target.Canvas()->Pixels(10, 10), fw::clRed);
  delete leaving;
}

// The right-aligned viewers are the first spacer's and all after it; widths count visible
// items only.
TEST_F(CsToolbarsTest, LookupsOfTheBars) {
  TCsToolbar* t = NewToolbar();
  auto* a = AddItem(t, 40);
  auto* spacer = new TCsRightAlignSpacerItem(t->Items());
  t->Items()->Add(spacer);
  auto* b = AddItem(t, 30);
  auto* hidden = AddItem(t, 25);
  hidden->SetVisible(false);
  auto* c = AddItem(t, 20);
  auto* edit = new fw::TEdit(form);
  edit->SetParent(t);
  t->SetCurrentDock(dock);
  Pump();
  t->View()->ValidatePositions();
  const TCsRightAlignedItems right = GetRightAlignedItems(t->View());
  // Then the edit's control item (appended) and the chevron.
  ASSERT_EQ(right.Viewers.size(), 6u);
  EXPECT_EQ(right.Spacer(), FindItemViewer(t->View(), spacer));
  EXPECT_EQ(right.Viewers[1]->Item(), b);
  EXPECT_EQ(right.Viewers[2]->Item(), hidden);
  EXPECT_EQ(right.Viewers[3]->Item(), c);
  EXPECT_EQ(right.Viewers[4]->Item(), FindControlItem(t->Items(), edit));
  const Integer editWidth = FindItemViewer(t->View(), FindControlItem(t->Items(), edit))->BoundsRect().right -
                            FindItemViewer(t->View(), FindControlItem(t->Items(), edit))->BoundsRect().left;
  // The spacer has taken the dock's free width meanwhile.
  const TRect chevron = right.Viewers[5]->BoundsRect(), room = right.Spacer()->BoundsRect();
  EXPECT_EQ(room.right - room.left, spacer->CustomWidth());
  EXPECT_EQ(right.RightWidth, spacer->CustomWidth() + 30 + 20 + editWidth + chevron.right - chevron.left);
  EXPECT_EQ(right.VisibleWidth, 40 + right.RightWidth);
  EXPECT_EQ(FindItemViewer(t->View(), a)->Item(), a);
  EXPECT_EQ(FindItemViewer(nullptr, a), nullptr);
  EXPECT_EQ(FindControlItem(t->Items(), form), nullptr);
  EXPECT_EQ(IndexOfChildControl(t, edit), 0);
  EXPECT_EQ(IndexOfChildControl(form, edit), -1);
  EXPECT_EQ(FindParentOfClass<TCsDock>(edit), dock);
  EXPECT_EQ(FindParentOfClass<fw::TForm>(edit), form);
  EXPECT_EQ(FindParentOfClass<TCsDock>(dock), nullptr);  // never the control itself
}

}  // namespace
}  // namespace cs
