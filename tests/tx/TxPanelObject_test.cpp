// Panel objects, text objects and alignment panels: hot tracking with the shared timer, the
// pushed state, the text flags, heights of one line, embossed disabled text, the backgrounds
// taken from the parent, and the minimum size of aligned content.

#include <memory>
#include <string>
#include <vector>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/control_fixture.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/windows/Window.h"
#include "tx/Tx.h"
#include "tx/TxAlignmentPanel.h"
#include "tx/TxTextObject.h"

namespace {

using namespace tx;

class PanelObjectTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(30, 30, 400, 300);
    form->SetColor(0x00336699);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    DoneTx();
    ControlTest::TearDown();
  }
  template <class T>
  T* New(fw::TWinControl* Parent, TRect Bounds, const char* Name = "") {
    auto* c = new T(form);
    c->SetParent(Parent);
    c->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    c->SetName(Name);
    return c;
  }
  win::POINT ScreenCentre(fw::TControl* C) {
    const TPoint p = C->ClientToScreen(TPoint{C->Width() / 2, C->Height() / 2});
    return win::POINT{p.x, p.y};
  }
  fw::TForm* form = nullptr;
};

TEST_F(PanelObjectTest, TextFlagTables) {
  const struct {
    TTextWrapping Wrapping;
    fw::Cardinal Paint, Measure;
  } wraps[] = {
      {twNone, win::DT_SINGLELINE, 0},
      {twEndEllipsis, win::DT_SINGLELINE | win::DT_END_ELLIPSIS, win::DT_END_ELLIPSIS},
      {twPathEllipsis, win::DT_SINGLELINE | win::DT_PATH_ELLIPSIS, win::DT_PATH_ELLIPSIS},
      {twWrap, win::DT_WORDBREAK, win::DT_WORDBREAK},
  };
  for (const auto& w : wraps) {
    EXPECT_EQ(TextPaintFlags(w.Wrapping, fw::taLeftJustify, true), w.Paint | win::DT_LEFT | win::DT_EXPANDTABS);
    EXPECT_EQ(TextMeasureFlags(w.Wrapping), w.Measure | win::DT_CALCRECT | win::DT_EXPANDTABS);
  }
  EXPECT_EQ(TextPaintFlags(twNone, fw::taRightJustify, false) & (win::DT_RIGHT | win::DT_NOPREFIX),
            fw::Cardinal(win::DT_RIGHT | win::DT_NOPREFIX));
  EXPECT_TRUE(TextPaintFlags(twNone, fw::taCenter, true) & win::DT_CENTER);
}

TEST_F(PanelObjectTest, AnAmpersandOrNothingKeepsOneLine) {
  auto* t = New<TTxTextObject>(form, TRect{10, 10, 110, 20});
  t->SetCaption("Text");
  Pump();
  const Integer line = t->Height();
  EXPECT_GT(line, 4);
  for (const char* caption : {"&", "", "A&b"}) {
    t->SetCaption(caption);
    EXPECT_EQ(t->Height(), line) << caption;
  }
  t->Margins()->SetTop(3);
  t->Margins()->SetBottom(4);
  EXPECT_EQ(t->Height(), line + 7) << "margins add to the height";
  t->SetWrapping(twWrap);
  t->SetCaption("many words that cannot fit in one hundred pixels of width at all");
  EXPECT_GT(t->Height(), 2 * line);
}

TEST_F(PanelObjectTest, DisabledTextIsEmbossed) {
  auto* t = New<TTxTextObject>(form, TRect{10, 10, 110, 40});
  t->SetCaption("IIII");
  t->Font()->SetSize(20);
  t->SetEnabled(false);
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(100, 40);
  bmp.Canvas()->Brush()->SetColor(0x123456);
  bmp.Canvas()->FillRect(TRect{0, 0, 100, 40});
  TRect r{0, 0, 100, 40};
  t->DoDrawText(bmp.Canvas(), r, TextPaintFlags(twNone, fw::taLeftJustify, true));
  const fw::TColor light = fw::ColorToRGB(fw::clBtnHighlight), dark = fw::ColorToRGB(fw::clBtnShadow);
  int lightPixels = 0, darkPixels = 0, shadowedRight = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 99; ++x) {
      const fw::TColor c = bmp.Canvas()->Pixels(x, y);
      lightPixels += c == light;
      darkPixels += c == dark;
      // The dark stroke's right neighbour one row down is the light copy (or dark again).
      if (c == dark && y + 1 < 40) {
        const fw::TColor n = bmp.Canvas()->Pixels(x + 1, y + 1);
        shadowedRight += (n == light || n == dark);
      }
    }
  EXPECT_GT(lightPixels, 0);
  EXPECT_GT(darkPixels, 0);
  EXPECT_GT(shadowedRight, darkPixels / 2) << "the light copy lies one pixel right and down";
}

TEST_F(PanelObjectTest, HotStateMovesStraightFromOneObjectToTheNext) {
  auto* a = New<TTxPanelObject>(form, TRect{10, 10, 60, 40}, "A");
  auto* b = New<TTxPanelObject>(form, TRect{60, 10, 110, 40}, "B");
  std::vector<std::string> log;
  for (auto* p : {a, b}) {
    p->OnMouseEnter = [&log](fw::TObject* S) { log.push_back(static_cast<fw::TComponent*>(S)->Name() + "+"); };
    p->OnMouseLeave = [&log](fw::TObject* S) { log.push_back(static_cast<fw::TComponent*>(S)->Name() + "-"); };
  }
  Pump();
  desktop->mouse_move(ScreenCentre(a));
  Pump();
  EXPECT_TRUE(a->MouseInControl());
  EXPECT_EQ(TTxPanelObject::TrackedControl(), a);
  desktop->mouse_move(ScreenCentre(b));
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"A+", "A-", "B+"}));
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_TRUE(b->MouseInControl());
}

TEST_F(PanelObjectTest, LeavingWithoutAMoveEndsOnTheNextTick) {
  auto* a = New<TTxPanelObject>(form, TRect{10, 10, 60, 40}, "A");
  Pump();
  desktop->mouse_move(ScreenCentre(a));
  Pump();
  ASSERT_TRUE(a->MouseInControl());
  win::SetCursorPos(5, 5);  // off the form: no mouse move reaches the object
  desktop->advance(124);
  Pump();
  EXPECT_TRUE(a->MouseInControl());
  desktop->advance(2);
  Pump();
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_EQ(TTxPanelObject::TrackedControl(), nullptr);
}

TEST_F(PanelObjectTest, ADisabledObjectLosesItsHotState) {
  auto* a = New<TTxPanelObject>(form, TRect{10, 10, 60, 40});
  Pump();
  desktop->mouse_move(ScreenCentre(a));
  Pump();
  ASSERT_TRUE(a->MouseInControl());
  a->SetEnabled(false);
  EXPECT_FALSE(a->MouseInControl());
  EXPECT_EQ(TTxPanelObject::TrackedControl(), nullptr);
}

TEST_F(PanelObjectTest, SpacePushesAndClicksOnce) {
  struct TSpaceProbe : TTxPanelObject {
    using TTxPanelObject::TTxPanelObject;
    void Key(fw::Word K, bool Down) { Down ? KeyDown(K, {}) : KeyUp(K, {}); }
    void Leave() { DoExit(); }
  };
  auto* p = New<TSpaceProbe>(form, TRect{10, 10, 60, 40});
  int clicks = 0;
  p->OnClick = [&](fw::TObject*) { ++clicks; };
  p->Key(win::VK_SPACE, true);
  EXPECT_FALSE(p->Pushed()) << "only with PushOnSpace";
  p->SetPushOnSpace(true);
  p->Key(win::VK_SPACE, true);
  EXPECT_TRUE(p->Pushed());
  p->Key(win::VK_SPACE, false);
  EXPECT_FALSE(p->Pushed());
  EXPECT_EQ(clicks, 1);
  p->Key(win::VK_SPACE, false);
  EXPECT_EQ(clicks, 1) << "no second click without a push";
  p->Key(win::VK_SPACE, true);
  p->Leave();
  EXPECT_FALSE(p->Pushed()) << "losing the focus clears the push";
}

TEST_F(PanelObjectTest, ATransparentObjectShowsItsParent) {
  auto* panel = New<fw::TPanel>(form, TRect{0, 0, 200, 100});
  panel->SetColor(0x00204080);
  auto* p = New<TTxPanelObject>(panel, TRect{10, 10, 60, 40});
  Pump();
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(50, 30);
  const win::HDC dc = bmp.Canvas()->Handle();
  p->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), 0);
  EXPECT_EQ(bmp.Canvas()->Pixels(25, 15), 0x00204080);
  p->SetColor(0x00AABBCC);
  p->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(dc), 0);
  EXPECT_EQ(bmp.Canvas()->Pixels(25, 15), 0x00AABBCC);
}

TEST_F(PanelObjectTest, AlignmentPanelReportsItsContentsMinimum) {
  auto* panel = New<TTxAlignmentPanel>(form, TRect{0, 0, 300, 200});
  panel->Margins()->SetTop(5);
  panel->Margins()->SetBottom(7);
  panel->Margins()->SetLeft(2);
  auto* a = New<TTxTextObject>(panel, TRect{0, 0, 100, 10});
  auto* b = New<TTxTextObject>(panel, TRect{0, 0, 100, 10});
  a->SetCaption("One");
  b->SetCaption("Two");
  a->SetAlign(fw::alClient);
  b->SetAlign(fw::alClient);
  Pump();
  EXPECT_EQ(panel->GetMinHeight(), a->GetMinHeight() + b->GetMinHeight() + 12);
  auto* top = New<fw::TPanel>(panel, TRect{0, 0, 50, 33});
  top->SetAlign(fw::alTop);
  EXPECT_EQ(panel->GetMinHeight(), a->GetMinHeight() + b->GetMinHeight() + 33 + 12);
  EXPECT_EQ(top->Left(), 2) << "children are aligned inside the margins";
  EXPECT_EQ(top->Top(), 5);
}

}  // namespace
