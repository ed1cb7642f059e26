// Text controls and panels on what lies behind them: a label or panel without a colour of its own
// shows its parent's background through any number of transparent containers; the caption keeps
// to the margins and wraps or shortens as asked (fixed test font: 7 pixels a character, 13 a
// line); only button controls take the focus; a disabled glyph in the themed look is the theme's.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "controls/CsTabs.h"
#include "controls/CsTextObject.h"
#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "framework/stdctrls_support.h"
#include "platform/gdi/GdiDC.h"
#include "tx/Tx.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxUtils.h"

namespace cs {
namespace {

// A container whose background is a checkerboard of 4-pixel squares in its client coordinates,
// so that a background painted at the wrong offset shows.
class TCheckeredPanel : public fw::TCustomControl {
 public:
  using fw::TCustomControl::TCustomControl;
  static fw::TColor At(int X, int Y) { return ((X / 4 + Y / 4) % 2) != 0 ? fw::clRed : fw::clBlue; }
  void Dispatch(fw::TMessage& Message) override {
    if (Message.Msg != win::WM_ERASEBKGND) {
      fw::TCustomControl::Dispatch(Message);
      return;
    }
    const auto dc = reinterpret_cast<win::HDC>(Message.WParam);
    for (int y = 0; y < Height(); y += 4)
      for (int x = 0; x < Width(); x += 4) tx::FillRectColor(dc, {x, y, x + 4, y + 4}, At(x, y));
    Message.Result = 1;
  }
};

class CsTextObjectLayoutTest : public fw::testing::StdCtrlsTest {
 protected:
  fw::TColor Pixel(fw::TControl* c, int x, int y) {
    const win::POINT p = At(c, x, y);
    return fw::TColor(desktop->screen_pixel(p.x, p.y));
  }
  // Every pixel of Control's client rectangle shows the checkerboard of Board under it.
  void ExpectBoardShows(fw::TControl* Control, TCheckeredPanel* Board) {
    const fw::TPoint origin = Board->ScreenToClient(Control->ClientToScreen({0, 0}));
    int wrong = 0;
    for (int y = 0; y < Control->Height(); ++y)
      for (int x = 0; x < Control->Width(); ++x)
        wrong += Pixel(Control, x, y) != fw::ColorToRGB(TCheckeredPanel::At(origin.x + x, origin.y + y));
    EXPECT_EQ(wrong, 0) << Control->ClassName();
  }
};

// A caption-less label on a panel on a group box on the checkered container: the label, the
// panel and the box's inside show the container's squares, whatever their offsets (the label
// sits at x 0 of its panel, so one coordinate of each moved origin is 0).
TEST_F(CsTextObjectLayoutTest, TransparentControlsShowWhatLiesBehindThem) {
  auto* board = Add<TCheckeredPanel>(10, 10, 300, 200);
  auto* box = Add<TCsGroupBox>(13, 7, 200, 150, board);
  auto* panel = Add<TCsPanel>(5, 30, 150, 100, box);
  auto* label = Add<TCsLabel>(0, 9, 40, 20, panel);
  label->SetAutoSize(false);
  label->SetBounds(0, 9, 40, 20);
  ShowForm();
  ExpectBoardShows(label, board);
  // Inside the panel's frame and below the box's caption, clear of their frames.
  for (int y = 40; y < 60; ++y)
    for (int x = 60; x < 100; ++x) {
      const fw::TPoint p = board->ScreenToClient(panel->ClientToScreen({x, y}));
      ASSERT_EQ(Pixel(panel, x, y), fw::ColorToRGB(TCheckeredPanel::At(p.x, p.y))) << x << "," << y;
    }
  // A colour of its own is used as it is.
  label->SetColor(fw::clLime);
  Pump();
  EXPECT_EQ(Pixel(label, 20, 10), fw::ColorToRGB(fw::clLime));
}

// Margins keep the caption off the edges; an auto-sized control grows by them. Wrapping decides
// how a caption too wide for its room is laid out: "abc def ghi" (77 pixels) in a 50-pixel label
// with margins 3 and 5 has 42 pixels from x 3 to 45.
TEST_F(CsTextObjectLayoutTest, MarginsAndWrapping) {
  auto* label = Add<TCsLabel>(10, 10, 60, 60);
  label->Margins()->SetLeft(3);
  label->Margins()->SetTop(2);
  label->Margins()->SetRight(5);
  label->Margins()->SetBottom(4);
  label->SetCaption(u"abc");
  EXPECT_EQ(label->Width(), 21 + 3 + 5);
  EXPECT_EQ(label->Height(), 13 + 2 + 4);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 50, 60);
  label->SetCaption(u"abc def ghi");
  struct Case {
    tx::TTextWrapping wrapping;
    int width, height;
  } cases[] = {
      {tx::twNone, 77, 13},
      {tx::twEndEllipsis, 42, 13},
      {tx::twPathEllipsis, 42, 13},
      {tx::twWrap, 21, 39},  // "abc", "def" and "ghi"
  };
  ShowForm();
  for (const Case& c : cases) {
    label->SetWrapping(c.wrapping);
    fw::TRect unionRect{}, text{}, glyph{};
    label->GetTextRects(unionRect, text, glyph);
    EXPECT_EQ(text.left, 3) << c.wrapping;
    if (c.wrapping == tx::twEndEllipsis || c.wrapping == tx::twPathEllipsis) {
      // Shortened to what fits in the room.
      EXPECT_LE(text.right - text.left, c.width) << c.wrapping;
      EXPECT_GT(text.right - text.left, 21) << c.wrapping;
    } else {
      EXPECT_EQ(text.right - text.left, c.width) << c.wrapping;
    }
    EXPECT_EQ(text.bottom - text.top, c.height) << c.wrapping;
    // Centred in the 54 pixels between the top and bottom margins.
    EXPECT_EQ(text.top, 2 + (54 - c.height) / 2) << c.wrapping;
    Pump();
    // What is painted keeps to the room: no ink right of it but for the unshortened line.
    int beyond = 0, inked = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 50; ++x) {
        const bool ink = Pixel(label, x, y) == fw::ColorToRGB(fw::clWindowText);
        inked += ink;
        beyond += ink && x >= 45;
      }
    EXPECT_GT(inked, 0) << c.wrapping;
    EXPECT_EQ(beyond > 0, c.wrapping == tx::twNone) << c.wrapping;
  }
}

// An autosized caption with an accelerator is measured again when the "&" starts or stops showing
// (fixed test font: 7 pixels a character).
TEST_F(CsTextObjectLayoutTest, ShowingTheAcceleratorCharacterResizesTheCaption) {
  auto* label = Add<TCsLabel>(10, 10, 60, 60);
  label->SetCaption(u"&abc");
  const int width = label->Width();
  label->SetShowAccelChar(false);
  EXPECT_EQ(label->Width(), width + 7) << "the & shows as a character";
  label->SetShowAccelChar(true);
  EXPECT_EQ(label->Width(), width);
}

// In right-to-left reading left and right alignment swap; centred stays.
TEST_F(CsTextObjectLayoutTest, RightToLeftReadingMirrorsTheAlignment) {
  auto* label = Add<TCsLabel>(10, 10, 10, 10);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 100, 20);
  label->SetCaption(u"abc");  // 21 pixels
  struct Case {
    fw::TAlignment alignment;
    bool rightToLeft;
    int left;
  } cases[] = {{fw::taLeftJustify, false, 0},  {fw::taLeftJustify, true, 79}, {fw::taRightJustify, false, 79},
               {fw::taRightJustify, true, 0}, {fw::taCenter, true, 39}};
  for (const Case& c : cases) {
    label->SetAlignment(c.alignment);
    form->SetBiDiMode(c.rightToLeft ? fw::bdRightToLeft : fw::bdLeftToRight);
    fw::TRect unionRect{}, text{}, glyph{};
    label->GetTextRects(unionRect, text, glyph);
    EXPECT_EQ(text.left, c.left) << c.alignment << c.rightToLeft;
  }
}

TEST_F(CsTextObjectLayoutTest, OnlyButtonControlsTakeTheFocus) {
  auto* text = Add<TCsTextObject>(10, 10, 80, 20);
  text->SetCaption(u"Текст");
  auto* label = Add<TCsLabel>(10, 40, 80, 20);
  auto* check = Add<TCsCheckBox>(10, 70, 80, 20);
  auto* button = Add<TCsButton>(10, 100, 75, 25);
  ShowForm();
  EXPECT_FALSE(text->CanFocus());
  EXPECT_FALSE(label->CanFocus());
  EXPECT_TRUE(check->CanFocus());
  EXPECT_TRUE(button->CanFocus());
  ClickOn(check, 5, 5);
  EXPECT_TRUE(check->Focused());
  ClickOn(text, 5, 5);
  EXPECT_TRUE(check->Focused());  // the click on the plain text leaves the focus where it was
}

// The theme's image painting, counted, with the state it was asked for.
class TImageRecordingTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  static inline int Images = 0;
  static inline bool LastEnabled = true;
  void PaintImage(fw::TCanvas* Canvas, fw::TRect ARect, const tx::TTxItemInfo& ItemInfo,
                  fw::TCustomImageList* ImageList, tx::Integer ImageIndex) override {
    ++Images;
    LastEnabled = ItemInfo.Enabled;
    TTxDefaultTheme::PaintImage(Canvas, ARect, ItemInfo, ImageList, ImageIndex);
  }
};

class CsThemedGlyphTest : public CsTextObjectLayoutTest {
 protected:
  void SetUp() override {
    CsTextObjectLayoutTest::SetUp();
    tx::InitTx();
    if (!tx::IsThemeRegistered("ImageRecording"))
      tx::RegisterTheme("ImageRecording", &tx::ThemeClassOf<TImageRecordingTheme>);
  }
  void TearDown() override {
    tx::SetCurrentTheme("Default");
    CsTextObjectLayoutTest::TearDown();
    tx::DoneTx();
  }
};

TEST_F(CsThemedGlyphTest, ADisabledGlyphInTheThemedLookIsTheThemes) {
  fw::TCustomImageList images(nullptr);
  images.SetWidth(8);
  images.SetHeight(8);
  fw::TBitmap glyph;
  glyph.SetSize(8, 8);
  glyph.Canvas()->Brush()->SetColor(fw::clRed);
  glyph.Canvas()->FillRect({0, 0, 8, 8});
  images.Add(&glyph, nullptr);
  auto* label = Add<TCsLabel>(10, 10, 80, 20);
  label->SetCaption(u"Ось");
  label->SetImages(&images);
  label->SetImageIndex(0);
  ShowForm();
  tx::SetCurrentTheme("ImageRecording");
  struct Case {
    bool enabled;
    TCsThemeType type;
    int images;  // theme calls
  } cases[] = {{true, thtTx, 0}, {false, thtTx, 1}, {false, thtNone, 0}};
  for (const Case& c : cases) {
    label->SetEnabled(c.enabled);
    label->SetThemeType(c.type);
    TImageRecordingTheme::Images = 0;
    label->Repaint();
    Pump();
    EXPECT_EQ(TImageRecordingTheme::Images, c.images) << c.enabled << c.type;
    if (c.images > 0) {
      EXPECT_FALSE(TImageRecordingTheme::LastEnabled);
    }
  }
  label->SetImages(nullptr);
}

// A theme whose buttons (the tab band among them) are 3-pixel stripes: what lies behind a control
// on a tab page is no flat colour.
class TStripedTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  void PaintButton(fw::TCanvas* Canvas, const fw::TRect& ARect, const tx::TTxItemInfo&) override {
    for (int y = ARect.top; y < ARect.bottom; y += 3) {
      Canvas->Brush()->SetColor(((y - ARect.top) / 3) % 2 != 0 ? fw::clTeal : fw::clYellow);
      Canvas->FillRect({ARect.left, y, ARect.right, std::min(y + 3, int(ARect.bottom))});
    }
  }
};

// Controls without a colour of their own on a tab page in the theme's look show the page's band:
// the screen under a caption-less label, a check box's empty part and a group box's inside is
// the same with them as without them.
TEST_F(CsThemedGlyphTest, TabPagesShowTheirBandThroughTransparentControls) {
  if (!tx::IsThemeRegistered("Striped")) tx::RegisterTheme("Striped", &tx::ThemeClassOf<TStripedTheme>);
  tx::SetCurrentTheme("Striped");
  auto* tabs = Add<TCsTabControl>(10, 10, 360, 250);
  tabs->SetThemeType(tttTx);
  tabs->AddTab(u"Один");
  TCsTabSheet* page = tabs->Pages(0);
  ShowForm();
  tabs->InvalidateBackground(true);
  Pump();
  const fw::TRect area{10, 10, 300, 150};  // in the page
  std::vector<fw::TColor> before;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) before.push_back(Pixel(page, x, y));
  auto* label = Add<TCsLabel>(20, 20, 10, 10, page);
  label->SetAutoSize(false);
  label->SetBounds(20, 20, 80, 20);
  auto* check = Add<TCsCheckBox>(20, 50, 10, 10, page);
  check->SetAutoSize(false);
  check->SetBounds(20, 50, 200, 20);  // the glyph at its left, nothing right of x 40
  auto* box = Add<TCsGroupBox>(120, 80, 150, 60, page);
  (void)box;
  Pump();
  int differing = 0, i = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x, ++i) {
      const bool glyph = x >= 20 && x < 40 && y >= 50 && y < 70;
      const bool frame = x >= 120 && x < 270 && y >= 80 && y < 140 &&
                         (x < 124 || x >= 266 || y < 84 || y >= 136);
      if (!glyph && !frame) differing += Pixel(page, x, y) != before[size_t(i)];
    }
  EXPECT_EQ(differing, 0);
  EXPECT_NE(Pixel(page, 50, 30), Pixel(page, 50, 33));  // the stripes show under the label
}

}  // namespace
}  // namespace cs
