// Dockable panels and the multi-dock: size setters and limits, the sharing of a multi-dock's
// length, frame sizes and hit codes, docked and split resizing with scripted input, floating,
// stored sizes, a dock that goes away under its panels, and repaints on a theme switch.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/SysUtils.h"
#include "framework/control_fixture.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"
#include "tx/TxDkPanels.h"
#include "tx/TxFloatingWindowParent.h"
#include "tx/TxMultiDock.h"

namespace {

using namespace tx;
using toolbars::TTBDockPosition;

// Logs the panels' frames it paints.
class TPanelProbe : public txtest::TProbeTheme {
 public:
  using TProbeTheme::TProbeTheme;
  void PaintDockPanelNCArea(TCanvas*, TRect R, const TTxDockPanelInfo& Info) override {
    Calls.push_back({"DockPanelNC", R, {}, Info.Caption, tx::Cardinal(Info.CloseButtonState), Info.IsVertical, false});
  }
  // The frames of a floating and of a docked panel.
  static inline TPoint PanelBorder{3, 3};
  static inline TPoint DockedPanelBorder{2, 2};
  void GetViewBorder(tx::Integer ViewType, tx::TPoint& Border) override {
    if ((ViewType & VT_DOCKPANEL) && (ViewType & VT_FLOATING))
      Border = PanelBorder;
    else if (ViewType & VT_DOCKPANEL)
      Border = DockedPanelBorder;
    else
      TProbeTheme::GetViewBorder(ViewType, Border);
  }
};

class DockPanelTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    if (!IsThemeRegistered("PanelProbe")) RegisterTheme("PanelProbe", &ThemeClassOf<TPanelProbe>);
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(40, 40, 600, 400);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    SetCurrentTheme("Default");
    DoneTx();
    ControlTest::TearDown();
  }
  template <class Dock>
  Dock* NewDock(TTBDockPosition Position) {
    auto* d = new Dock(form);
    d->SetPosition(Position);
    d->SetParent(form);
    return d;
  }
  TTxDockablePanel* NewPanel(toolbars::TTBDock* On, Integer Pos = 0, const char* Caption = "Panel") {
    auto* p = new TTxDockablePanel(form);
    p->SetCaption(Caption);
    p->SetDockPos(Pos);
    p->SetCurrentDock(On);
    Pump();
    return p;
  }
  static win::RECT ScreenRect(fw::TWinControl* C) {
    win::RECT r{};
    win::GetWindowRect(C->Handle(), &r);
    return r;
  }
  static Integer HitTest(fw::TWinControl* C, Integer X, Integer Y) {
    const win::RECT r = ScreenRect(C);
    return Integer(C->Perform(win::WM_NCHITTEST, 0, win::MAKELPARAM(r.left + X, r.top + Y)));
  }
  // Presses at (X, Y) of the window with the hit code and runs the loop the script drives.
  void PressFrame(TTxDockablePanel* P, Integer Code, win::POINT At) {
    desktop->mouse_move(At);
    Pump();
    win::SendMessageW(P->Handle(), win::WM_NCLBUTTONDOWN, win::WPARAM(Code), win::MAKELPARAM(At.x, At.y));
  }
  fw::TForm* form = nullptr;
};

Integer Caption() { return win::GetSystemMetrics(win::SM_CYSMCAPTION); }


TEST_F(DockPanelTest, SettersKeepTheirLimits) {
  auto* p = NewPanel(nullptr);
  p->SetDockedWidth(10);
  EXPECT_EQ(p->DockedWidth(), 32) << "raised to MinClientWidth";
  p->SetMinClientWidth(3);
  EXPECT_EQ(p->MinClientWidth(), 8);
  p->SetSnapDistance(-1);
  EXPECT_EQ(p->SnapDistance(), 0);
  p->SetSplitWidth(-3);
  EXPECT_EQ(p->SplitWidth(), 0);
  auto* dock = NewDock<TTxDock>(toolbars::dpLeft);
  p->SetCurrentDock(dock);
  p->SetFloatingWidth(-5);
  EXPECT_EQ(p->FloatingWidth(), 0) << "docked: stored only, negative becomes 0";
  Integer minW, minH, maxW, maxH;
  p->SetMaxClientWidth(5);  // not above the minimum: no limit
  p->GetWindowSizeLimits(minW, minH, maxW, maxH);
  EXPECT_EQ(maxW, 0);
  EXPECT_EQ(minW, 8 + 4);
  EXPECT_EQ(minH, 32 + 4 + Caption());
}

TEST_F(DockPanelTest, SharingTheLengthRoundsTheRunningShare) {
  using S = std::vector<TTxSplitShare>;
  auto sizes = [](const S& s) {
    std::vector<Integer> out;
    for (const auto& x : s) out.push_back(x.Size);
    return out;
  };
  const struct {
    const char* Name;
    S Shares;
    Integer Length;
    std::vector<Integer> Expected;
  } cases[] = {
      {"one pixel among three", {{0, 100, 10}, {0, 100, 10}, {0, 100, 10}}, 31, {10, 11, 10}},
      {"two among four: ties to even", {{0, 99, 5}, {0, 99, 5}, {0, 99, 5}, {0, 99, 5}}, 22, {5, 6, 6, 5}},
      {"minimums do not fit", {{20, 50, 30}, {25, 50, 30}}, 40, {20, 25}},
      {"maximums fall short", {{10, 30, 20}, {10, 40, 20}}, 100, {30, 40}},
      {"a panel at its limit leaves", {{10, 12, 10}, {10, 100, 10}}, 40, {12, 28}},
      {"shrinking", {{10, 100, 50}, {30, 100, 50}}, 60, {30, 30}},
      {"already fitting", {{0, 100, 7}, {0, 100, 8}}, 15, {7, 8}},
  };
  for (const auto& c : cases) {
    S s = c.Shares;
    FitSplitShares(s, c.Length);
    EXPECT_EQ(sizes(s), c.Expected) << c.Name;
  }
}

TEST_F(DockPanelTest, FrameAndCaptionFollowTheDock) {
  const struct {
    TTBDockPosition Position;
    TDPCaptionRotation Rotation;
    bool VertCaption;
  } cases[] = {
      {toolbars::dpTop, dpcrAuto, true},       {toolbars::dpLeft, dpcrAuto, false},
      {toolbars::dpTop, dpcrAlwaysHorz, false}, {toolbars::dpRight, dpcrAlwaysVert, true},
  };
  for (const auto& c : cases) {
    auto* dock = NewDock<TTxDock>(c.Position);
    auto* p = NewPanel(dock);
    p->SetCaptionRotation(c.Rotation);
    TPoint nc{};
    p->GetDockedNCAreaSize(nc);
    EXPECT_EQ(p->IsVertCaption(), c.VertCaption) << int(c.Position);
    EXPECT_EQ(nc.x, 4 + (c.VertCaption ? Caption() : 0));
    EXPECT_EQ(nc.y, 4 + (c.VertCaption ? 0 : Caption()));
    EXPECT_EQ(p->Width() - p->ClientWidth(), nc.x) << "the frame the window really has";
    EXPECT_EQ(p->Height() - p->ClientHeight(), nc.y);
    const bool topBottom = c.Position == toolbars::dpTop || c.Position == toolbars::dpBottom;
    EXPECT_EQ(topBottom ? p->ClientHeight() : p->ClientWidth(), 128) << "the docked size is the client's";
    TTxDockPanelInfo info;
    p->GetDockPanelInfo(info);
    EXPECT_EQ(info.IsVertical, !c.VertCaption);
    delete p;
    delete dock;
  }
  auto* floating = NewPanel(nullptr);
  TPoint nc{1, 1};
  floating->SetFloating(true);
  floating->GetDockedNCAreaSize(nc);
  EXPECT_EQ(nc.x, 0);
  EXPECT_EQ(nc.y, 0);
}

TEST_F(DockPanelTest, HitCodesOfTheDockedFrame) {
  auto* top = NewDock<TTxDock>(toolbars::dpTop);
  auto* p = NewPanel(top);
  const Integer w = p->Width(), h = p->Height();
  const struct {
    Integer X, Y, Code;
  } cases[] = {
      {w / 2, h - 1, win::HTBOTTOM},          // the edge facing the form
      {w / 2, h / 2, win::HTCLIENT},
      {4, h / 2, toolbars::HTDockBorder},     // the caption bar down the left side
      {4, h - 6, toolbars::HTDockClose},      // its close button at the bottom
  };
  for (const auto& c : cases) EXPECT_EQ(HitTest(p, c.X, c.Y), c.Code) << c.X << "," << c.Y;
  p->SetResizable(false);
  EXPECT_NE(HitTest(p, w / 2, h - 1), win::HTBOTTOM);

  auto* left = NewDock<TTxDock>(toolbars::dpLeft);
  auto* q = NewPanel(left);
  EXPECT_EQ(HitTest(q, q->Width() - 1, q->Height() / 2), win::HTRIGHT);
  EXPECT_EQ(HitTest(q, q->Width() - 6, 4), toolbars::HTDockClose) << "the close button top right";
}

TEST_F(DockPanelTest, MultiDockSharesItsLengthAmongPanels) {
  auto* dock = NewDock<TTxMultiDock>(toolbars::dpLeft);
  auto* a = NewPanel(dock, 0, "A");
  auto* b = NewPanel(dock, 1, "B");
  auto* c = NewPanel(dock, 2, "C");
  a->SetSplitHeight(100);
  b->SetSplitHeight(100);
  c->SetSplitHeight(100);
  Pump();
  const Integer length = dock->ClientHeight();
  EXPECT_EQ(a->Height() + b->Height() + c->Height(), length);
  EXPECT_EQ(a->Top(), 0);
  EXPECT_EQ(b->Top(), a->Height());
  EXPECT_EQ(c->Top(), a->Height() + b->Height());
  EXPECT_EQ(dock->CrossSize(), 128 + 4) << "DockedWidth and the frame";
  EXPECT_EQ(dock->Width(), dock->CrossSize());
  for (auto* p : {a, b, c}) EXPECT_EQ(p->Width(), dock->CrossSize());
  // A wider panel widens the dock, and the others take its depth.
  b->SetDockedWidth(200);
  Pump();
  EXPECT_EQ(dock->Width(), 204);
  EXPECT_EQ(a->DockedWidth(), 200);
  // Order follows DockPos.
  c->SetDockPos(-1);
  Pump();
  EXPECT_EQ(c->Top(), 0);
}

TEST_F(DockPanelTest, AnEmptyMultiDockIsFlat) {
  auto* dock = NewDock<TTxMultiDock>(toolbars::dpTop);
  EXPECT_EQ(dock->Height(), 0);
  dock->SetFixAlign(true);
  EXPECT_EQ(dock->Height(), 1);
  auto* p = NewPanel(dock);
  EXPECT_EQ(dock->Height(), 128 + 4);
  delete p;
  Pump();
  EXPECT_EQ(dock->Height(), 1);
}

TEST_F(DockPanelTest, WhoMayDockIntoAMultiDock) {
  auto* multi = NewDock<TTxMultiDock>(toolbars::dpRight);
  auto* standard = NewDock<TTxDock>(toolbars::dpTop);
  auto* p = NewPanel(nullptr);
  EXPECT_TRUE(p->CanDockTo(multi));
  EXPECT_TRUE(multi->Accepts(p));
  p->SetSupportedDocks(TDockKinds{dkStandardDock});
  EXPECT_FALSE(p->CanDockTo(multi));
  EXPECT_TRUE(p->CanDockTo(standard));
  auto* other = new fw::TPanel(form);
  try {
    other->SetParent(multi);
    FAIL() << "a plain panel went in";
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Cannot insert TPanel into TTxMultiDock");
  }
  EXPECT_EQ(other->Parent(), nullptr);
  EXPECT_EQ(multi->ControlCount(), 0);
}

TEST_F(DockPanelTest, SplitEdgesOnlyBetweenNeighbours) {
  auto* dock = NewDock<TTxMultiDock>(toolbars::dpTop);
  auto* a = NewPanel(dock, 0, "A");
  auto* b = NewPanel(dock, 1, "B");
  a->SetResizable(false);
  b->SetResizable(false);
  EXPECT_EQ(HitTest(a, a->Width() - 1, a->Height() / 2), HTSPLITRIGHT);
  EXPECT_EQ(HitTest(b, 0, b->Height() / 2), HTSPLITLEFT);
  EXPECT_NE(HitTest(a, 0, a->Height() / 2), HTSPLITLEFT) << "nothing before the first panel";
  EXPECT_NE(HitTest(b, b->Width() - 1, b->Height() / 2), HTSPLITRIGHT) << "nothing after the last";
}

TEST_F(DockPanelTest, DockedResizeFollowsTheMouseAndReportsItsStages) {
  auto* dock = NewDock<TTxDock>(toolbars::dpLeft);
  auto* p = NewPanel(dock);
  std::vector<TTxResizingStage> stages;
  p->OnDockedResizing = [&](fw::TObject*, bool Vertical, Integer&, TTxResizingStage Stage, bool&) {
    EXPECT_FALSE(Vertical);
    if (stages.empty() || stages.back() != Stage) stages.push_back(Stage);
  };
  const win::RECT r = ScreenRect(p);
  const win::POINT at{r.right - 1, (r.top + r.bottom) / 2};
  desktop->script([&] { desktop->mouse_move({at.x + 20, at.y}); });
  desktop->script([&] { desktop->mouse_move({at.x + 30, at.y + 5}); });
  desktop->script([&] { desktop->mouse_up({at.x + 30, at.y + 5}); });
  PressFrame(p, win::HTRIGHT, at);
  EXPECT_EQ(p->DockedWidth(), 128 + 30);
  EXPECT_EQ(dock->Width(), 128 + 30 + 4) << "the dock follows live";
  EXPECT_FALSE(p->DockedResizingNow());
  EXPECT_EQ(win::GetCapture(), nullptr);
  EXPECT_EQ(stages, (std::vector<TTxResizingStage>{rsBeginResizing, rsResizing, rsEndResizing}));
}

// Moves to where the pointer already is (the press's own point, or the last move's) and a
// release there are no resizing steps: the handler hears of each new position once.
TEST_F(DockPanelTest, OnlyANewPointerPositionIsAResizingStep) {
  auto* dock = NewDock<TTxDock>(toolbars::dpLeft);
  auto* p = NewPanel(dock);
  int steps = 0;
  p->OnDockedResizing = [&](fw::TObject*, bool, Integer&, TTxResizingStage Stage, bool&) {
    if (Stage == rsResizing) ++steps;
  };
  struct Case {
    const char* name;
    std::vector<Integer> moves;  // right of the press, in order
    Integer release;
    int steps;
    bool alone = false;  // the release reaches the queue with no move to its point before it
  };
  const Case cases[] = {
      {"a move at the press's own point", {0}, 0, 0},
      {"the same move twice, released there", {10, 10}, 10, 1},
      {"two moves, released at the last", {10, 20}, 20, 2},
      {"one move, released further on", {10}, 20, 2},
      {"one move, released further on with no move there", {10}, 20, 2, true},
  };
  for (const Case& c : cases) {
    p->SetDockedWidth(128);
    Pump();
    const win::RECT r = ScreenRect(p);
    const win::POINT at{r.right - 1, (r.top + r.bottom) / 2};
    for (Integer dx : c.moves) desktop->script([&, dx] { desktop->mouse_move({at.x + dx, at.y}); });
    desktop->script([&] {
      if (c.alone)
        desktop->mouse_up_alone({at.x + c.release, at.y});
      else
        desktop->mouse_up({at.x + c.release, at.y});
    });
    steps = 0;
    PressFrame(p, win::HTRIGHT, at);
    EXPECT_EQ(steps, c.steps) << c.name;
    EXPECT_EQ(p->DockedWidth(), 128 + c.release) << c.name;
  }
}

// On a right dock the edge facing the form is the left one: dragging it outwards widens the panel.
TEST_F(DockPanelTest, APanelOnTheRightDockGrowsFromItsLeftEdge) {
  auto* dock = NewDock<TTxDock>(toolbars::dpRight);
  auto* p = NewPanel(dock);
  const win::RECT r = ScreenRect(p);
  const win::POINT at{r.left, (r.top + r.bottom) / 2};
  desktop->script([&] { desktop->mouse_move({at.x - 30, at.y}); });
  desktop->script([&] { desktop->mouse_up({at.x - 30, at.y}); });
  PressFrame(p, win::HTLEFT, at);
  EXPECT_EQ(p->DockedWidth(), 128 + 30);
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(DockPanelTest, DockedResizeEndsOnEscapeAndKeepsItsLimits) {
  auto* dock = NewDock<TTxDock>(toolbars::dpTop);
  auto* p = NewPanel(dock);
  p->SetMaxClientHeight(140);
  const win::RECT r = ScreenRect(p);
  const win::POINT at{(r.left + r.right) / 2, r.bottom - 1};
  desktop->script([&] { desktop->mouse_move({at.x, at.y + 60}); });
  desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
  PressFrame(p, win::HTBOTTOM, at);
  EXPECT_EQ(p->DockedHeight(), 140) << "held at MaxClientHeight; Esc ends like a release";
  EXPECT_EQ(win::GetCapture(), nullptr);
}

TEST_F(DockPanelTest, AnOutlineResizeRefusedAtTheEndChangesNothing) {
  auto* dock = NewDock<TTxDock>(toolbars::dpLeft);
  auto* p = NewPanel(dock);
  p->SetSmoothDockedResize(false);
  bool allowEnd = false;
  p->OnDockedResizing = [&](fw::TObject*, bool, Integer&, TTxResizingStage Stage, bool& Allow) {
    if (Stage == rsEndResizing) Allow = allowEnd;
  };
  const win::RECT r = ScreenRect(p);
  const win::POINT at{r.right - 1, (r.top + r.bottom) / 2};
  for (bool allow : {false, true}) {
    allowEnd = allow;
    desktop->script([&] { desktop->mouse_move({at.x + 25, at.y}); });
    desktop->script([&] { desktop->mouse_up({at.x + 25, at.y}); });
    PressFrame(p, win::HTRIGHT, at);
    EXPECT_EQ(p->DockedWidth(), allow ? 128 + 25 : 128) << allow;
  }
}

TEST_F(DockPanelTest, SplitResizeMovesTheSharedEdge) {
  auto* dock = NewDock<TTxMultiDock>(toolbars::dpTop);
  auto* a = NewPanel(dock, 0, "A");
  auto* b = NewPanel(dock, 1, "B");
  a->SetSplitWidth(200);
  b->SetSplitWidth(200);
  Pump();
  const Integer aw = a->Width(), bw = b->Width();
  const win::RECT r = ScreenRect(a);
  const win::POINT at{r.right - 1, (r.top + r.bottom) / 2};
  desktop->script([&] { desktop->mouse_move({at.x + 40, at.y}); });
  desktop->script([&] { desktop->mouse_up({at.x + 40, at.y}); });
  PressFrame(a, HTSPLITRIGHT, at);
  EXPECT_EQ(a->Width(), aw + 40);
  EXPECT_EQ(b->Width(), bw - 40);
  EXPECT_EQ(a->SplitWidth(), aw + 40);
  EXPECT_EQ(b->SplitWidth(), bw - 40);
  EXPECT_EQ(b->Left(), aw + 40);
  // Pushing past the neighbour's minimum stops at it.
  const win::RECT r2 = ScreenRect(a);
  const win::POINT at2{r2.right - 1, (r2.top + r2.bottom) / 2};
  desktop->script([&] { desktop->mouse_move({at2.x + 2000, at2.y}); });
  desktop->script([&] { desktop->mouse_up({at2.x + 2000, at2.y}); });
  PressFrame(a, HTSPLITRIGHT, at2);
  Integer minW, minH, maxW, maxH;
  b->GetWindowSizeLimits(minW, minH, maxW, maxH);
  EXPECT_EQ(b->Width(), minW);
  EXPECT_EQ(a->Width() + b->Width(), dock->ClientWidth());
}

// A press, a move half way and a release further on, all queued before the loop runs (as a busy
// desktop hands them over), and the pointer moving on after the release: the drag ends where the
// button came up, for the edge facing the form, the split between neighbours and the floating
// panel's caption.
TEST_F(DockPanelTest, ADragEndsWhereTheButtonComesUp) {
  struct Drag {
    const char* Name;
    std::function<TTxDockablePanel*()> Make;
    // Where to press on the panel's frame and which way to go.
    std::function<win::POINT(TTxDockablePanel*)> PressAt;
    Integer Dx, Dy;
    // What the drag changes: a size or a place, in pixels.
    std::function<Integer(TTxDockablePanel*)> Measure;
  };
  const Drag drags[] = {
      {"the edge facing the form",
       [&] { return NewPanel(NewDock<TTxDock>(toolbars::dpLeft)); },
       [](TTxDockablePanel* P) {
         const win::RECT r = ScreenRect(P);
         return win::POINT{r.right - 1, (r.top + r.bottom) / 2};
       },
       1, 0, [](TTxDockablePanel* P) { return P->DockedWidth(); }},
      {"the split between two panels",
       [&] {
         auto* dock = NewDock<TTxMultiDock>(toolbars::dpLeft);
         auto* upper = NewPanel(dock, 0, "Upper");
         NewPanel(dock, 1, "Lower");
         return upper;
       },
       [](TTxDockablePanel* P) {
         const win::RECT r = ScreenRect(P);
         return win::POINT{(r.left + r.right) / 2, r.bottom - 1};
       },
       0, 1, [](TTxDockablePanel* P) { return P->Height(); }},
      {"the floating caption",
       [&] {
         auto* p = NewPanel(nullptr);
         p->SetFloatingPosition(TPoint{300, 200});
         p->SetFloating(true);
         Pump();
         return p;
       },
       [](TTxDockablePanel* P) {
         auto* host = dynamic_cast<TTxFloatingWindowParent*>(P->Parent());
         const TRect caption = host->GetCaptionRect(true, true);
         const win::RECT r = ScreenRect(host);
         return win::POINT{r.left + caption.left + 10, r.top + caption.top + 4};
       },
       1, 1, [](TTxDockablePanel* P) { return ScreenRect(P).left + ScreenRect(P).top; }},
  };
  for (const Drag& d : drags) {
    TTxDockablePanel* p = d.Make();
    const Integer before = d.Measure(p);
    const win::POINT at = d.PressAt(p);
    auto along = [&](Integer By) { return win::POINT{at.x + d.Dx * By, at.y + d.Dy * By}; };
    desktop->mouse_move(at);
    Pump();
    desktop->mouse_down(at);
    desktop->mouse_move(along(15));
    desktop->mouse_up(along(30));
    desktop->mouse_move(along(60));
    Pump();
    EXPECT_EQ(d.Measure(p) - before, 30 * (d.Dx + d.Dy)) << d.Name;
    EXPECT_EQ(win::GetCapture(), nullptr) << d.Name;
    delete p;
    Pump();
  }
}

TEST_F(DockPanelTest, FloatingTakesTheDockedSizeTheFirstTime) {
  SetCurrentTheme("PanelProbe");
  auto* dock = NewDock<TTxDock>(toolbars::dpLeft);
  auto* p = NewPanel(dock);
  p->SetDockedWidth(150);
  p->SetSnapDistance(12);
  p->SetFloating(true);
  Pump();
  ASSERT_TRUE(p->Floating());
  auto* host = dynamic_cast<TTxFloatingWindowParent*>(p->Parent());
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(host->SnapDistance(), 12);
  EXPECT_EQ(p->FloatingWidth(), 150);
  EXPECT_EQ(p->ClientWidth(), 150);
  EXPECT_EQ(GetWinViewType(p), VT_DOCKPANEL_NORMAL | VT_FLOATING | VT_RESIZABLE);
  p->SetFloatingHeight(90);
  EXPECT_EQ(p->ClientHeight(), 90);
  p->SetCurrentDock(dock);
  Pump();
  EXPECT_EQ(p->ClientWidth(), 150) << "docked again with its docked width";
  EXPECT_EQ(p->FloatingHeight(), 90);
}

TEST_F(DockPanelTest, StoredSizesRoundTrip) {
  auto* p = NewPanel(nullptr);
  p->SetDockedWidth(111);
  p->SetDockedHeight(122);
  p->SetSplitWidth(133);
  p->SetSplitHeight(144);
  std::vector<std::string> order;
  std::map<std::string, Integer> stored;
  p->WritePositionData([&](const String& Name, Integer Value) {
    order.push_back(Name);
    stored[Name] = Value;
  });
  EXPECT_EQ(order, (std::vector<std::string>{"DPDockedWidth", "DPDockedHeight", "DPFloatingWidth", "DPFloatingHeight",
                                             "DPSplitWidth", "DPSplitHeight"}));
  auto* q = NewPanel(nullptr);
  q->ReadPositionData([&](const String& Name, Integer Default) {
    auto it = stored.find(Name);
    return it == stored.end() ? Default : it->second;
  });
  EXPECT_EQ(q->DockedWidth(), 111);
  EXPECT_EQ(q->DockedHeight(), 122);
  EXPECT_EQ(q->SplitWidth(), 133);
  EXPECT_EQ(q->SplitHeight(), 144);
}

TEST_F(DockPanelTest, APanelOnAStandardDockOutlivesItToo) {
  auto* dock = NewDock<TTxDock>(toolbars::dpBottom);
  auto* p = NewPanel(dock);
  p->SetDockedHeight(90);
  delete dock;
  Pump();
  EXPECT_TRUE(p->Floating());
  EXPECT_EQ(p->DockedHeight(), 90);
}

TEST_F(DockPanelTest, APanelOutlivesItsDockAndKeepsItsSizes) {
  auto* dock = NewDock<TTxMultiDock>(toolbars::dpLeft);
  auto* a = NewPanel(dock, 0, "A");
  auto* b = NewPanel(dock, 1, "B");
  a->SetDockedWidth(170);
  b->SetDockMode(toolbars::dmCannotFloat);
  Pump();
  delete dock;
  Pump();
  EXPECT_TRUE(a->Floating()) << "it floats";
  EXPECT_EQ(a->DockedWidth(), 170);
  EXPECT_EQ(a->ClientWidth(), 170);
  EXPECT_EQ(a->CurrentDock(), nullptr);
  EXPECT_EQ(b->Parent(), form) << "unable to float, it waits on the form";
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ(b->LastDock(), nullptr);
  // Docked again elsewhere, with the sizes it had.
  auto* left = NewDock<TTxDock>(toolbars::dpLeft);
  a->SetCurrentDock(left);
  Pump();
  EXPECT_EQ(a->ClientWidth(), 170);
}

// A theme with another floating border: the floating window's frame is measured again and the
// window resized about its centre, so the panel keeps its client size.
TEST_F(DockPanelTest, ThemeSwitchKeepsAFloatingPanelsClientSize) {
  const TPoint saved = TPanelProbe::PanelBorder;
  SetCurrentTheme("PanelProbe");
  auto* dock = NewDock<TTxDock>(toolbars::dpLeft);
  auto* p = NewPanel(dock);
  p->SetFloating(true);
  Pump();
  auto* host = dynamic_cast<TTxFloatingWindowParent*>(p->Parent());
  ASSERT_NE(host, nullptr);
  const Integer cw = host->ClientWidth(), ch = host->ClientHeight();
  const Integer pw = p->ClientWidth(), ph = p->ClientHeight();
  const win::RECT before = ScreenRect(host);
  TPanelProbe::PanelBorder = TPoint{saved.x + 4, saved.y + 3};
  SetCurrentTheme("PanelProbe");  // a fresh probe with the wider border
  Pump();
  TPanelProbe::PanelBorder = saved;
  EXPECT_EQ(host->ClientWidth(), cw);
  EXPECT_EQ(host->ClientHeight(), ch);
  EXPECT_EQ(p->ClientWidth(), pw);
  EXPECT_EQ(p->ClientHeight(), ph);
  const win::RECT after = ScreenRect(host);
  EXPECT_EQ(after.right - after.left, before.right - before.left + 8);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 6);
  EXPECT_EQ(after.left, before.left - 4);
  EXPECT_EQ(after.top, before.top - 3);
}

// A docked panel's frame is its own 2 pixels whatever the theme's border: a switch to a theme with
// another border leaves its window and client sizes alone (on either kind of dock).
TEST_F(DockPanelTest, ThemeSwitchKeepsADockedPanelsClientSize) {
  const TPoint saved = TPanelProbe::DockedPanelBorder;
  SetCurrentTheme("PanelProbe");
  auto* plain = NewDock<TTxDock>(toolbars::dpLeft);
  auto* multi = NewDock<TTxMultiDock>(toolbars::dpRight);
  TTxDockablePanel* panels[2] = {NewPanel(plain, 0, "Plain"), NewPanel(multi, 0, "Multi")};
  Pump();
  Integer cw[2], ch[2], ww[2], wh[2];
  for (int i = 0; i < 2; ++i) {
    cw[i] = panels[i]->ClientWidth();
    ch[i] = panels[i]->ClientHeight();
    ww[i] = panels[i]->Width();
    wh[i] = panels[i]->Height();
  }
  TPanelProbe::DockedPanelBorder = TPoint{saved.x + 3, saved.y + 2};
  SetCurrentTheme("PanelProbe");  // a fresh probe with the wider border
  Pump();
  TPanelProbe::DockedPanelBorder = saved;
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(panels[i]->ClientWidth(), cw[i]) << panels[i]->Caption().c_str();
    EXPECT_EQ(panels[i]->ClientHeight(), ch[i]) << panels[i]->Caption().c_str();
    EXPECT_EQ(panels[i]->Width(), ww[i]) << panels[i]->Caption().c_str();
    EXPECT_EQ(panels[i]->Height(), wh[i]) << panels[i]->Caption().c_str();
  }
}

TEST_F(DockPanelTest, AThemeSwitchRepaintsEachFrameOnce) {
  SetCurrentTheme("PanelProbe");
  auto* dock = NewDock<TTxMultiDock>(toolbars::dpRight);
  NewPanel(dock, 0, "One");
  NewPanel(dock, 1, "Two");
  Pump();
  SetCurrentTheme("PanelProbe");  // a fresh probe
  auto* probe = dynamic_cast<TPanelProbe*>(CurrentTheme);
  ASSERT_NE(probe, nullptr);
  Pump();
  const auto frames = probe->Of("DockPanelNC");
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_NE(frames[0].Text, frames[1].Text) << "one frame per panel";
  EXPECT_EQ(frames[0].Flags & CDBS_VISIBLE, CDBS_VISIBLE) << "close button shown";
  EXPECT_TRUE(frames[0].Flag) << "on a right dock the caption runs across the top";
}

}  // namespace
