// Themed edit, spin and colour items in their views: sizes and rectangles from the theme's
// metrics, change notices while typing, the spin buttons' auto-repeat on the clock, swatches.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/control_fixture.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "toolbars/TBItemView.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"
#include "tx/TxSpinEditItem.h"

namespace {

using namespace tx;
using toolbars::TTBItemViewer;
using toolbars::TTBRootItem;
using toolbars::TTBView;
using txtest::TProbeTheme;

class ExtItemsTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    if (!IsThemeRegistered("Probe")) RegisterTheme("Probe", &ThemeClassOf<TProbeTheme>);
    SetCurrentTheme("Probe");
    probe = dynamic_cast<TProbeTheme*>(CurrentTheme);
    bmp.SetPixelFormat(fw::pf32bit);
    bmp.SetSize(200, 60);
  }
  void TearDown() override {
    view.reset();
    root.reset();
    SetCurrentTheme("Default");
    DoneTx();
    ControlTest::TearDown();
  }
  template <class Item>
  Item* Add() {
    auto* it = new Item(root.get());
    root->Add(it);
    return it;
  }
  TTBItemViewer* View(bool toolbar) {
    view.reset(new TTBView(nullptr, nullptr, root.get(), nullptr, toolbar, false, false));
    view->AfterConstruction();
    return view->Viewers(view->ViewerCount() - 1);
  }
  fw::TSize Measure(TTBItemViewer* v) {
    Integer w = 0, h = 0;
    v->CalcSize(bmp.Canvas(), w, h);
    return {w, h};
  }
  // Height plus external leading of the toolbar font, read from the drawing layer.
  Integer FontLineHeight() {
    fw::TBitmap b;
    b.SetSize(1, 1);
    b.Canvas()->Font()->Assign(view->GetFont());
    b.Canvas()->Handle();
    b.Canvas()->RequiredState(fw::csFontValid);
    win::TEXTMETRICW tm{};
    win::GetTextMetricsW(b.Canvas()->Handle(), &tm);
    return tm.tmHeight + tm.tmExternalLeading;
  }

  TProbeTheme* probe = nullptr;
  fw::TBitmap bmp;
  std::unique_ptr<TTBRootItem> root = std::make_unique<TTBRootItem>(nullptr);
  std::unique_ptr<TTBView> view;
};

TEST_F(ExtItemsTest, EditBoxSizeFromFrameAndMarginMetrics) {
  auto* edit = Add<TTxEditItem>();
  edit->SetEditWidth(80);
  auto* v = View(true);
  fw::TSize s = Measure(v);
  EXPECT_EQ(s.cx, 80);
  EXPECT_EQ(s.cy, ((1 + 2) * 2 + FontLineHeight() + 1) | 1);  // odd unless the theme wants even
  probe->Metrics[TMB_EDIT_HEIGHT_EVEN] = 0;
  EXPECT_EQ(Measure(v).cy % 2, 1);
  // In a menu: the image column, the spacing and the right indent come in.
  v = View(false);
  EXPECT_EQ(Measure(v).cx, 80 + 1 + GetPopupMargin(v) + 3);
}

TEST_F(ExtItemsTest, EditRectInsideTheFrame) {
  Add<TTxEditItem>();
  auto* v = static_cast<TTxEditItemViewer*>(View(true));
  TPoint size{};
  view->UpdatePositions(size);
  TRect b = v->BoundsRect(), r{};
  v->GetEditRect(r);
  // d = m60 - 3 = -1; inset by d + m61 = 0 across and d + m62 = 0 down.
  EXPECT_EQ(r, b);
}

TEST_F(ExtItemsTest, PasswordTextAndFrameThroughTheTheme) {
  auto* edit = Add<TTxEditItem>();
  edit->SetText("secret");
  edit->SetPasswordChar(u'*');
  auto* v = View(true);
  probe->Calls.clear();
  bmp.Canvas()->Brush()->SetColor(fw::clWhite);
  bmp.Canvas()->FillRect(TRect{0, 0, 200, 60});
  v->Paint(bmp.Canvas(), TRect{0, 0, 64, 20}, false, false, false);
  auto frame = probe->Of("EditFrame");
  ASSERT_EQ(frame.size(), 1u);
  EXPECT_EQ(frame[0].R, (TRect{0, 0, 64, 20}));
  EXPECT_TRUE(frame[0].Info.ItemOptions & IO_TOOLBAR_STYLE);
  EXPECT_EQ(probe->LastEdit.RightButtonWidth, 0);
}

TEST_F(ExtItemsTest, SpinViewerReservesTheButtonColumn) {
  Add<TTxSpinEditItem>();
  auto* v = static_cast<TTxSpinEditViewer*>(View(true));
  EXPECT_EQ(v->GetIndentAfter(), 13 + 2);
  EXPECT_EQ(v->GetAccRole(), 52);
  v->Paint(bmp.Canvas(), TRect{0, 0, 64, 20}, false, false, false);
  EXPECT_EQ(probe->LastEdit.RightButtonWidth, 15);
  EXPECT_EQ(probe->LastEdit.RightButtonInfo.ButtonType, EBT_SPIN);
}

TEST_F(ExtItemsTest, HeldSpinButtonRepeatsOnTheClock) {
  auto* spin = Add<TTxSpinEditItem>();
  spin->SetValue(50);
  auto* v = static_cast<TTxSpinEditViewer*>(View(true));
  TPoint size{};
  view->UpdatePositions(size);
  const TRect b = v->BoundsRect();
  const Integer w = b.right - b.left, h = b.bottom - b.top;
  bool onMenu = false;
  v->MouseDown(fw::TShiftState{}, w - 2, h - 2, onMenu);  // the lower half
  EXPECT_EQ(spin->Value(), 49);  // at once
  EXPECT_EQ(v->PressedHalf(), 2);
  v->Paint(bmp.Canvas(), TRect{0, 0, w, h}, true, true, false);
  EXPECT_TRUE(probe->LastEdit.RightButtonInfo.ButtonState & EBDS_DOWN_PRESSED);
  Step(399);
  EXPECT_EQ(spin->Value(), 49);
  Step(1);
  EXPECT_EQ(spin->Value(), 48);  // after 400 ms
  Step(100);
  EXPECT_EQ(spin->Value(), 47);  // then every 100 ms
  Step(100);
  EXPECT_EQ(spin->Value(), 46);
  v->MouseUp(w - 2, h - 2, false);
  EXPECT_EQ(v->PressedHalf(), 0);
  EXPECT_EQ(v->RepeatTimer(), nullptr);
  Step(500);
  EXPECT_EQ(spin->Value(), 46);

  v->MouseDown(fw::TShiftState{}, w - 2, 1, onMenu);  // the upper half
  EXPECT_EQ(spin->Value(), 47);
  v->LosingCapture();  // losing the mouse stops the repeat too
  Step(500);
  EXPECT_EQ(spin->Value(), 47);
  // A press in the box itself does not step.
  v->MouseDown(fw::TShiftState{}, 2, 2, onMenu);
  EXPECT_EQ(spin->Value(), 47);
}

TEST_F(ExtItemsTest, ChangeNoticesWhileTyping) {
  auto* edit = Add<TTxEditItem>();
  auto* v = static_cast<TTxEditItemViewer*>(View(true));
  std::vector<String> heard;
  edit->OnChange = [&](fw::TObject*, const String& t) { heard.push_back(t); };
  int completions = 0;
  struct TCompleting : TTxEditItem {
    using TTxEditItem::TTxEditItem;
    int* count = nullptr;
    bool DoAutoComplete(String&) override {
      ++*count;
      return false;
    }
  };
  auto* completing = new TCompleting(root.get());
  completing->count = &completions;
  fw::TEdit editor(nullptr);
  for (const char* t : {"a", "ab", "abc", "abc"}) {
    fw::TMessage down{win::WM_KEYDOWN, 'C', 0, 0};
    v->HandleEditMessage(down);
    EXPECT_EQ(edit->TypedKeys(), 1);
    editor.SetText(t);
    edit->HandleEditChange(&editor);
    fw::TMessage up{win::WM_KEYUP, 'C', 0, 0};
    v->HandleEditMessage(up);
  }
  EXPECT_EQ(heard, (std::vector<String>{"a", "ab", "abc"}));
  // Pasted text (no key held) is not completed but still reported.
  editor.SetText("pasted");
  completing->HandleEditChange(&editor);
  EXPECT_EQ(completions, 0);
  delete completing;
}

// A change handler that raises leaves the item listening: the next change is reported.
TEST_F(ExtItemsTest, AChangeHandlerThatRaisesDoesNotSilenceLaterChanges) {
  auto* edit = Add<TTxEditItem>();
  std::vector<String> heard;
  bool raise = true;
  edit->OnChange = [&](fw::TObject*, const String& t) {
    heard.push_back(t);
    if (raise) {
      raise = false;
      throw std::runtime_error("handler");
    }
  };
  fw::TEdit editor(nullptr);
  editor.SetText("a");
  EXPECT_THROW(edit->HandleEditChange(&editor), std::runtime_error);
  editor.SetText("ab");
  edit->HandleEditChange(&editor);
  EXPECT_EQ(heard, (std::vector<String>{"a", "ab"}));
}

TEST_F(ExtItemsTest, ColourSwatchPixels) {
  auto* c = Add<TTxColorItem>();
  c->SetColor(0x000000FF);
  auto* v = static_cast<TTxColorItemViewer*>(View(true));
  EXPECT_EQ(v->GetItemImageSize().cx, 12);
  TTxItemInfo info;
  info.Enabled = true;
  bmp.Canvas()->Brush()->SetColor(fw::clWhite);
  bmp.Canvas()->FillRect(TRect{0, 0, 200, 60});
  v->PaintItemImage(bmp.Canvas(), TRect{10, 10, 22, 22}, info);
  EXPECT_EQ(bmp.Canvas()->Pixels(10, 10), fw::ColorToRGB(fw::clBtnShadow));
  EXPECT_EQ(bmp.Canvas()->Pixels(15, 15), 0x000000FFu);
  EXPECT_EQ(bmp.Canvas()->Pixels(22, 22), 0x00FFFFFFu);
  c->SetColor(fw::clNone);
  bmp.Canvas()->FillRect(TRect{0, 0, 200, 60});
  v->PaintItemImage(bmp.Canvas(), TRect{10, 10, 22, 22}, info);
  EXPECT_EQ(bmp.Canvas()->Pixels(10, 10), 0x00FFFFFFu);  // nothing when enabled
  info.Enabled = false;
  v->PaintItemImage(bmp.Canvas(), TRect{10, 10, 22, 22}, info);
  EXPECT_NE(bmp.Canvas()->Pixels(10, 10), 0x00FFFFFFu);  // an etched box
  EXPECT_EQ(bmp.Canvas()->Pixels(15, 15), 0x00FFFFFFu);  // left empty
}

TEST_F(ExtItemsTest, AnInvalidColourKeepsItsValueAndShowsNoSwatch) {
  auto* c = Add<TTxColorItem>();
  auto* v = static_cast<TTxColorItemViewer*>(View(true));
  TTxItemInfo info;
  info.Enabled = true;
  for (const fw::TColor bad : {fw::TColor(0x7F000000), fw::SystemColor(99), fw::TColor(0x01FF0000)}) {
    c->SetColor(bad);
    EXPECT_EQ(c->Color(), bad);
    bmp.Canvas()->Brush()->SetColor(fw::clWhite);
    bmp.Canvas()->FillRect(TRect{0, 0, 200, 60});
    v->PaintItemImage(bmp.Canvas(), TRect{10, 10, 22, 22}, info);
    EXPECT_EQ(bmp.Canvas()->Pixels(15, 15), 0x00FFFFFFu) << std::hex << bad << " painted as a colour";
  }
}

}  // namespace
