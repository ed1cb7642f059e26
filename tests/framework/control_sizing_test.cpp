// The sizing hooks the alignment honours: AdjustClientRect, Margins with AlignWithMargins,
// CanResize/OnCanResize, AutoSize with CanAutoSize and AdjustSize, and ScrollInView of a
// scrolling control.

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/FormsScrolling.h"
#include "platform/user/frames/ScrollBar.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw::testing {
namespace {

class Block : public TGraphicControl {
 public:
  explicit Block(TWinControl* AParent, TAlign AAlign = alNone, TRect R = Rect(0, 0, 10, 10))
      : TGraphicControl(AParent) {
    SetBoundsRect(R);
    SetAlign(AAlign);
    SetParent(AParent);
  }
};

// A container whose border and caption strip take room from its children.
class Framed : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  Integer Border = 0, Caption = 0;

 protected:
  void AdjustClientRect(TRect& R) override {
    TCustomControl::AdjustClientRect(R);
    R = Rect(R.left + Border, R.top + Border + Caption, R.right - Border, R.bottom - Border);
  }
};

// A control whose content is a fixed 70 × 25.
class Content : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int asked = 0;

 protected:
  bool CanAutoSize(Integer& W, Integer& H) override {
    ++asked;
    W = 70;
    H = 25;
    return true;
  }
};

using ControlSizing = ControlTest;

TEST_F(ControlSizing, AlignmentLaysOutInsideAdjustClientRect) {
  Framed panel(nullptr);
  panel.Border = 2;
  panel.Caption = 14;
  panel.SetBounds(0, 0, 200, 100);
  auto* top = new Block(&panel, alTop, Rect(0, 0, 10, 20));
  auto* client = new Block(&panel, alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(2, 16, 198, 36));
  EXPECT_EQ(client->BoundsRect(), Rect(2, 36, 198, 98));
}

TEST_F(ControlSizing, AlignWithMarginsKeepsEachSidesMargins) {
  TCustomControl panel(nullptr);
  panel.SetBounds(0, 0, 200, 100);
  auto* top = new Block(&panel, alTop, Rect(0, 0, 10, 20));
  auto* left = new Block(&panel, alLeft, Rect(0, 0, 30, 10));
  auto* client = new Block(&panel, alClient);
  for (TControl* c : {static_cast<TControl*>(top), static_cast<TControl*>(left), static_cast<TControl*>(client)})
    c->SetAlignWithMargins(true);
  left->Margins()->SetMargins(1, 2, 4, 8);
  // Default margins 3 on each side.
  EXPECT_EQ(top->BoundsRect(), Rect(3, 3, 197, 23));
  EXPECT_EQ(left->BoundsRect(), Rect(1, 28, 31, 92));
  EXPECT_EQ(client->BoundsRect(), Rect(38, 29, 197, 97));
  // Without it the margins are ignored; changing them realigns.
  top->SetAlignWithMargins(false);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
  client->Margins()->SetMargins(0, 0, 0, 0);
  EXPECT_EQ(client->BoundsRect(), Rect(35, 20, 200, 100));
  // A free control does not move for its margins.
  auto* free = new Block(&panel, alNone, Rect(50, 50, 60, 60));
  free->SetAlignWithMargins(true);
  EXPECT_EQ(free->BoundsRect(), Rect(50, 50, 60, 60));
}

TEST_F(ControlSizing, CanResizeMayRefuseOrChangeANewSize) {
  TCustomControl panel(nullptr);
  panel.SetBounds(0, 0, 100, 50);
  int asked = 0;
  panel.OnCanResize = [&](TObject* Sender, Integer& W, Integer& H, bool& Resize) {
    ++asked;
    EXPECT_EQ(Sender, &panel);
    if (W > 300) Resize = false;
    H = std::max(H, 40);
  };
  panel.SetBounds(5, 5, 120, 10);
  EXPECT_EQ(panel.BoundsRect(), Rect(5, 5, 125, 45));
  panel.SetBounds(5, 5, 400, 60);  // refused: the old size stays, the move happens
  EXPECT_EQ(panel.BoundsRect(), Rect(5, 5, 125, 45));
  const int before = asked;
  panel.SetBounds(9, 9, 120, 40);  // a move alone asks nothing
  EXPECT_EQ(asked, before);
  // Constraints still hold after the handler.
  panel.Constraints()->SetMaxWidth(110);
  EXPECT_EQ(panel.Width(), 110);
}

// A control may shrink to nothing; a negative size, asked or handed back by OnCanResize, is none.
TEST_F(ControlSizing, SizesGoDownToZeroAndNoFurther) {
  struct Case {
    Integer w, h;
    Integer handlerW;  // what OnCanResize makes of the width (0: leaves it)
    TRect expected;
  } cases[] = {
      {0, 0, 0, Rect(3, 4, 3, 4)},     {-5, -3, 0, Rect(3, 4, 3, 4)},   {0, 7, 0, Rect(3, 4, 3, 11)},
      {60, 7, -10, Rect(3, 4, 3, 11)}, {60, 7, 25, Rect(3, 4, 28, 11)},
  };
  for (const Case& c : cases) {
    TCustomControl panel(nullptr);
    panel.SetBounds(3, 4, 100, 50);
    panel.OnCanResize = [&](TObject*, Integer& W, Integer&, bool&) {
      if (c.handlerW != 0) W = c.handlerW;
    };
    panel.SetBounds(3, 4, c.w, c.h);
    EXPECT_EQ(panel.BoundsRect(), c.expected) << c.w << " x " << c.h << ", handler " << c.handlerW;
  }
}

TEST_F(ControlSizing, AutoSizeTakesTheSizeOfTheContent) {
  TCustomControl panel(nullptr);
  panel.SetBounds(0, 0, 200, 100);
  auto* content = new Content(&panel);
  content->SetParent(&panel);
  content->SetBounds(10, 10, 5, 5);
  EXPECT_EQ(content->asked, 0);  // AutoSize is off by default
  content->SetAutoSize(true);
  EXPECT_EQ(content->BoundsRect(), Rect(10, 10, 80, 35));
  content->SetWidth(500);
  EXPECT_EQ(content->Width(), 70);
  content->Constraints()->SetMaxWidth(50);
  EXPECT_EQ(content->Width(), 50);  // within Constraints
  // A plain control has nothing to fit.
  auto* plain = new Block(&panel, alNone, Rect(0, 0, 33, 44));
  plain->SetAutoSize(true);
  EXPECT_EQ(plain->BoundsRect(), Rect(0, 0, 33, 44));
}

TEST_F(ControlSizing, AnAutoSizedContainerFitsItsChildrenAndFollowsThem) {
  TCustomControl outer(nullptr);
  outer.SetBounds(0, 0, 400, 400);
  auto* box = new Framed(&outer);
  box->SetParent(&outer);
  box->Border = 2;
  box->SetBounds(10, 10, 50, 50);
  auto* top = new Block(box, alTop, Rect(0, 0, 10, 20));
  auto* left = new Block(box, alLeft, Rect(0, 0, 30, 10));
  left->Constraints()->SetMinHeight(15);
  auto* free = new Block(box, alNone, Rect(40, 25, 90, 45));
  box->SetAutoSize(true);
  // Width: the free block reaches x 90 inside the 2-pixel border; height: top 20 + left's 15,
  // against the free block's 45.
  EXPECT_EQ(box->Width(), 90 + 4);
  EXPECT_EQ(box->Height(), 45 + 4);
  free->SetBounds(40, 25, 110, 20);
  EXPECT_EQ(box->Width(), 150 + 4);
  free->SetVisible(false);
  EXPECT_EQ(box->Width(), 30 + 4);
  EXPECT_EQ(box->Height(), 20 + 15 + 4);
  (void)top;
}

TEST_F(ControlSizing, ScrollInViewScrollsAsLittleAsNeeded) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 400);
  auto* box = new TScrollingWinControl(&form);
  box->SetParent(&form);
  box->SetBounds(0, 0, 100, 100);
  auto* near = new Block(box, alNone, Rect(10, 10, 30, 30));
  auto* far = new Block(box, alNone, Rect(20, 250, 40, 270));
  auto* panel = new TCustomControl(box);
  panel->SetParent(box);
  panel->SetBounds(150, 30, 60, 60);
  auto* deep = new Block(panel, alNone, Rect(5, 5, 25, 25));
  form.Show();
  Pump();
  EXPECT_EQ(box->VertScrollBar()->Range(), 270);
  EXPECT_EQ(box->HorzScrollBar()->Range(), 210);
  EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
  const Integer clientH = box->ClientHeight();

  box->ScrollInView(far);
  EXPECT_EQ(box->VertScrollBar()->Position(), 270 - clientH);
  EXPECT_EQ(far->Top() + far->Height(), clientH);  // just in sight at the bottom
  EXPECT_EQ(near->Top(), 10 - (270 - clientH));
  box->ScrollInView(near);  // its top comes to the top edge
  EXPECT_EQ(box->VertScrollBar()->Position(), 10);
  EXPECT_EQ(near->Top(), 0);
  // A control inside a child control: only the horizontal position moves.
  box->ScrollInView(deep);
  EXPECT_EQ(box->HorzScrollBar()->Position(), 150 + 25 - box->ClientWidth());
  EXPECT_EQ(box->VertScrollBar()->Position(), 10);
  // One in sight already, or not inside: nothing moves.
  const Integer h = box->HorzScrollBar()->Position();
  box->ScrollInView(deep);
  box->ScrollInView(&form);
  EXPECT_EQ(box->HorzScrollBar()->Position(), h);
}

TEST_F(ControlSizing, TheScrollBarsScrollTheContent) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 300);
  auto* box = new TScrollingWinControl(&form);
  box->SetParent(&form);
  box->SetBounds(0, 0, 100, 100);
  auto* far = new Block(box, alNone, Rect(0, 300, 10, 310));
  form.Show();
  Pump();
  win::SCROLLINFO si;
  si.fMask = win::SIF_ALL;
  ASSERT_TRUE(win::GetScrollInfo(box->Handle(), win::SB_VERT, &si));
  EXPECT_EQ(si.nMax, 309);
  EXPECT_EQ(si.nPage, win::UINT(box->ClientHeight()));
  win::SendMessageW(box->Handle(), win::WM_VSCROLL, win::SB_LINEDOWN, 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 8);
  EXPECT_EQ(far->Top(), 292);
  win::SendMessageW(box->Handle(), win::WM_VSCROLL, win::SB_BOTTOM, 0);
  EXPECT_EQ(far->Top() + far->Height(), box->ClientHeight());
  ASSERT_TRUE(win::GetScrollInfo(box->Handle(), win::SB_VERT, &si));
  EXPECT_EQ(si.nPos, box->VertScrollBar()->Position());
  win::SendMessageW(box->Handle(), win::WM_VSCROLL, win::SB_TOP, 0);
  EXPECT_EQ(far->Top(), 300);
  // Without AutoScroll and range, nothing scrolls.
  box->SetAutoScroll(false);
  EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
  win::SendMessageW(box->Handle(), win::WM_VSCROLL, win::SB_LINEDOWN, 0);
  EXPECT_EQ(far->Top(), 300);
}

}  // namespace
}  // namespace fw::testing

namespace fw::testing {
namespace {

TEST_F(ControlSizing, ASizeTheWindowSystemProposesTakesTheSameSteps) {
  TForm form(nullptr);
  form.SetBounds(10, 10, 300, 200);
  form.Show();
  Pump();
  int asked = 0;
  form.OnCanResize = [&](TObject*, Integer& W, Integer&, bool& Resize) {
    ++asked;
    Resize = W <= 400;
  };
  form.Constraints()->SetMinHeight(150);
  // As the frame's sizing loop would: straight to the window system.
  win::SetWindowPos(form.Handle(), nullptr, 0, 0, 350, 100, win::SWP_NOMOVE | win::SWP_NOZORDER);
  EXPECT_EQ(form.Width(), 350);
  EXPECT_EQ(form.Height(), 150);  // within Constraints
  EXPECT_EQ(asked, 1);
  win::SetWindowPos(form.Handle(), nullptr, 0, 0, 500, 300, win::SWP_NOMOVE | win::SWP_NOZORDER);
  EXPECT_EQ(form.Width(), 350);  // refused
  EXPECT_EQ(asked, 2);
  // SetBounds asks once, not again when the window follows.
  form.SetBounds(10, 10, 320, 160);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(form.Width(), 320);
}

}  // namespace
}  // namespace fw::testing
