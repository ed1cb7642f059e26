// A paint of a toolbar draws each of its buttons once, whatever measured or moved them before: a
// press on a grip, on the empty part of a menu bar or on a floating caption runs the drag loop,
// which measures the bar for every dock, and a layout found out of date is laid out by the paint.
// A button drawn twice over itself shows bold captions on the screen. After such a paint, a later
// paint of one button (a hover) draws that button alone.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ToolbarsFixture.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/TBToolbar.h"

namespace toolbars::testing {
namespace {

// Per paint of a toolbar window (nested paints it asks for included): how often each item was drawn.
std::vector<std::map<const TTBCustomItem*, int>> gItemPaints;

class CountedViewer : public TTBItemViewer {
 public:
  using TTBItemViewer::TTBItemViewer;
  void CalcSize(fw::TCanvas*, Integer& W, Integer& H) override {
    W = 40 + Integer(Item()->Tag());  // Tag: pixels more or less than the usual width
    H = 22;
  }
  void Paint(fw::TCanvas* Canvas, const TRect& R, bool Selected, bool Pushed, bool Shadow) override {
    if (!gItemPaints.empty()) ++gItemPaints.back()[Item()];
    TTBItemViewer::Paint(Canvas, R, Selected, Pushed, Shadow);
  }
};

struct CountedItem : TTBCustomItem {
  using TTBCustomItem::TTBCustomItem;
  TTBItemViewerClass GetItemViewerClass(TTBView*) override { return TTBItemViewerClass::Of<CountedViewer>(); }
};

class PaintCountingToolbar : public TTBCustomToolbar {
 public:
  using TTBCustomToolbar::TTBCustomToolbar;
  void Paint() override {
    if (FDepth++ == 0) gItemPaints.emplace_back();
    TTBCustomToolbar::Paint();
    --FDepth;
  }
  int FDepth = 0;
};

class ToolbarPaint : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(50, 50, 600, 400);
    for (TTBDockPosition position : {dpTop, dpLeft}) {
      docks[position] = new TTBDock(form);
      docks[position]->SetPosition(position);
      docks[position]->SetParent(form);
    }
    for (auto* bar : {&menuBar, &toolbar}) {
      *bar = new PaintCountingToolbar(form);
      (*bar)->AfterConstruction();
      for (int i = 0; i < 4; ++i) {
        (*bar)->Items()->Add(new CountedItem((*bar)->Items()));
        (*bar)->Items()->Items(i)->SetCaption("Button " + std::to_string(i));
      }
      (*bar)->SetDockRow(bar == &menuBar ? 0 : 1);
      (*bar)->SetCurrentDock(docks[dpTop]);
    }
    menuBar->SetMenuBar(true);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    gItemPaints.clear();
    ToolbarsTest::TearDown();
  }
  // A press at P (screen) on W, as the non-client code given or (0) a client press; the drag loop
  // it starts takes the scripted release at the same point.
  void Press(fw::TWinControl* W, win::POINT P, Integer NonClientCode) {
    desktop->mouse_move(P);
    Pump();
    desktop->script([&] { desktop->mouse_up(P); });
    win::POINT c = P;
    if (NonClientCode == 0) win::ScreenToClient(W->Handle(), &c);
    win::SendMessageW(W->Handle(), NonClientCode ? win::WM_NCLBUTTONDOWN : win::WM_LBUTTONDOWN,
                      win::WPARAM(NonClientCode), win::MAKELPARAM(c.x, c.y));
  }
  // The first button narrower, the second as much wider, the layout out of date: the paint moves
  // a button while the bar keeps its length (nothing else paints it again).
  void Reshape() {
    toolbar->Items()->Items(0)->SetTag(toolbar->Items()->Items(0)->Tag() - 6);
    toolbar->Items()->Items(1)->SetTag(toolbar->Items()->Items(1)->Tag() + 6);
    toolbar->View()->SetChevronSize(toolbar->View()->ChevronSize() + 1);
    win::ValidateRect(toolbar->Handle(), nullptr);
  }
  // Bar painted now, whole or (OnlyFirstButton) only where its first button is.
  void Repaint(PaintCountingToolbar* Bar, bool OnlyFirstButton) {
    const TRect first = Bar->View()->Viewers(0)->BoundsRect();
    const win::RECT area{first.left, first.top, first.right, first.bottom};
    win::RedrawWindow(Bar->Handle(), OnlyFirstButton ? &area : nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_UPDATENOW);
    Pump();
  }
  // How often each item was drawn by all paints since the last clear.
  static std::map<const TTBCustomItem*, int> Drawn() {
    std::map<const TTBCustomItem*, int> drawn;
    for (const auto& paint : gItemPaints)
      for (const auto& [item, count] : paint) drawn[item] += count;
    return drawn;
  }
  fw::TForm* form = nullptr;
  TTBDock* docks[4] = {};
  PaintCountingToolbar *menuBar = nullptr, *toolbar = nullptr;
};

TEST_F(ToolbarPaint, EachPaintDrawsEachButtonOnce) {
  auto rectOf = [](fw::TWinControl* W) {
    win::RECT r{};
    win::GetWindowRect(W->Handle(), &r);
    return r;
  };
  auto reshape = [&] { Reshape(); };
  const struct {
    const char* name;
    PaintCountingToolbar** bar;
    std::function<void()> act;
    bool partialPaint;  // then only the first button's rectangle is painted at first
  } cases[] = {
      {"grip of a docked toolbar", &toolbar,
       [&] {
         Press(toolbar, {rectOf(toolbar).left + 3, rectOf(toolbar).top + 10}, HTDockBorder);
       },
       false},
      {"empty part of the menu bar", &menuBar,
       [&] {
         Press(menuBar, {rectOf(menuBar).right - 20, rectOf(menuBar).top + 10}, 0);
       },
       false},
      {"caption of a floating toolbar", &toolbar,
       [&] {
         toolbar->SetFloating(true);
         Pump();
         TTBFloatingWindowParent* frame = toolbar->FloatingParent();
         const TRect caption = frame->GetCaptionRect(true, true);
         Press(frame, {rectOf(frame).left + caption.left + 10, rectOf(frame).top + caption.top + 4},
               HTDockCaption);
       },
       false},
      {"layout outside a paint", &toolbar,
       [&] {
         reshape();
         toolbar->View()->ValidatePositions();  // as an item's change has it laid out at once
         EXPECT_FALSE(gItemPaints.empty()) << "the new layout is painted at once";
         win::RECT pending{};
         EXPECT_FALSE(win::GetUpdateRect(toolbar->Handle(), &pending, win::FALSE));
       },
       false},
      {"layout while the whole window waits for a paint", &toolbar,
       [&] {
         reshape();
         win::InvalidateRect(toolbar->Handle(), nullptr, win::TRUE);
         toolbar->View()->ValidatePositions();
         EXPECT_TRUE(gItemPaints.empty()) << "the waiting paint draws the new layout";
       },
       false},
      {"layout found out of date by a paint", &toolbar, reshape, false},
      {"... by a paint of one button", &toolbar, reshape, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PaintCountingToolbar* bar = *c.bar;
    gItemPaints.clear();
    c.act();
    Pump();
    Repaint(bar, c.partialPaint);
    std::map<const TTBCustomItem*, int> drawn;
    for (size_t k = 0; k < gItemPaints.size(); ++k)
      for (const auto& [item, count] : gItemPaints[k]) {
        EXPECT_EQ(count, 1) << "paint " << k << " drew " << item->Caption() << " " << count << " times";
        drawn[item] += count;
      }
    for (Integer i = 0; i < bar->Items()->Count(); ++i)
      EXPECT_GE(drawn[bar->Items()->Items(i)], 1) << bar->Items()->Items(i)->Caption() << " was not painted";
    if (bar->Floating()) bar->SetFloating(false);
    Pump();
  }
}

// Once a paint has laid the bar out and drawn it (the whole of it, at once or through the paint it
// asked for), a later paint of one button is that paint alone: nothing else is invalidated again.
TEST_F(ToolbarPaint, APaintOfOneButtonAfterALayoutInAPaintDrawsThatButtonOnly) {
  const struct {
    const char* name;
    bool partialPaint;  // the layout found out of date by a paint of the first button only
  } cases[] = {{"laid out by a whole paint", false}, {"laid out by a paint of one button", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reshape();
    Repaint(toolbar, c.partialPaint);
    ASSERT_TRUE(toolbar->View()->PositionsValid());
    for (Integer i = 0; i < toolbar->Items()->Count(); ++i) {
      gItemPaints.clear();
      toolbar->View()->Invalidate(toolbar->View()->Viewers(i));
      Pump();
      const std::map<const TTBCustomItem*, int> drawn = Drawn();
      EXPECT_EQ(drawn, (std::map<const TTBCustomItem*, int>{{toolbar->Items()->Items(i), 1}}))
          << "a paint of " << toolbar->Items()->Items(i)->Caption() << " drew " << drawn.size() << " buttons";
      win::RECT pending{};
      EXPECT_FALSE(win::GetUpdateRect(toolbar->Handle(), &pending, win::FALSE)) << "left waiting for a paint";
    }
  }
}

// A checked button's dither starts at the button's corner whether the button is drawn straight on
// the device or off-screen first (as one whose look changed is): both look the same, at an even
// and at an odd place on the bar.
TEST_F(ToolbarPaint, ACheckedButtonsDitherIsTheSameDrawnOffScreenOrStraight) {
  toolbar->Items()->Items(0)->SetTag(1);  // the buttons after it start at the other parity
  for (Integer i = 0; i < toolbar->Items()->Count(); ++i) toolbar->Items()->Items(i)->SetChecked(true);
  TTBView* view = toolbar->View();
  view->InvalidatePositions();
  Pump();
  const TRect client = toolbar->ClientRect();
  const auto draw = [&](fw::TBitmap& Into, bool Offscreen) {
    Into.SetPixelFormat(fw::pf32bit);
    Into.SetSize(client.right, client.bottom);
    for (Integer i = 0; i < view->ViewerCount(); ++i) view->DrawItem(view->Viewers(i), Into.Canvas(), Offscreen);
  };
  fw::TBitmap straight, offscreen;
  draw(straight, false);
  draw(offscreen, true);
  bool parities[2] = {false, false};
  const TRect first = view->Viewers(0)->BoundsRect();
  for (Integer i = 0; i < view->ViewerCount(); ++i) {
    const TRect b = view->Viewers(i)->BoundsRect();
    if (!view->Viewers(i)->Show() || b.right <= b.left) continue;
    parities[b.left & 1] = true;
    // The same point of the pattern at the same place in each button, whatever its parity.
    for (fw::TBitmap* drawn : {&straight, &offscreen})
      EXPECT_EQ(drawn->Canvas()->Pixels(b.left + 2, b.top + 2), drawn->Canvas()->Pixels(first.left + 2, first.top + 2))
          << "button " << i << " at x " << b.left << (drawn == &straight ? ", straight" : ", off-screen");
    int differing = 0;
    // Inside the button's edge: the dither, and the caption drawn over it.
    for (Integer y = b.top + 2; y < b.bottom - 2; ++y)
      for (Integer x = b.left + 2; x < b.right - 2; ++x)
        differing += straight.Canvas()->Pixels(x, y) != offscreen.Canvas()->Pixels(x, y);
    EXPECT_EQ(differing, 0) << "button " << i << " at x " << b.left;
  }
  EXPECT_TRUE(parities[0] && parities[1]) << "buttons at an even and an odd x";
}

}  // namespace
}  // namespace toolbars::testing
