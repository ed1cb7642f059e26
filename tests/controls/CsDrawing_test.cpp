// The control set's drawing routines: the effective theme type, caption text helpers and the
// caption-and-glyph layout with the fixed test font (7 pixels a character, 13 a line).
#include <gtest/gtest.h>

#include <vector>

#include "controls/CsDrawing.h"
#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiText.h"

namespace cs {
namespace {

struct ThemeStateScope {
  ThemeStateScope(std::string name, bool styles)
      : saved(SetThemeState({[name] { return name; }, [styles] { return styles; }})) {}
  ~ThemeStateScope() { SetThemeState(saved); }
  TCsThemeState saved;
};

TEST(CsThemeType, EffectiveThemeType) {
  struct Case {
    const char* theme;
    bool styles;
    TCsThemeType requested, effective;
  } cases[] = {
      {"Default", true, thtTx, thtWindows},  {"Default", false, thtTx, thtNone},
      {"default", false, thtTx, thtTx},      {"Aluminum", false, thtTx, thtTx},
      {"Aluminum", false, thtWindows, thtNone}, {"Aluminum", true, thtWindows, thtWindows},
      {"Default", true, thtNone, thtNone},
  };
  for (const Case& c : cases) {
    ThemeStateScope scope(c.theme, c.styles);
    EXPECT_EQ(GetEffectiveThemeType(c.requested), c.effective) << c.theme << ' ' << c.styles << ' ' << c.requested;
  }
}

TEST(CsThemeType, WithoutTheThemedEngineEveryControlPaintsClassic) {
  EXPECT_FALSE(IsVisualStylesAvailable());
  EXPECT_EQ(GetEffectiveThemeType(thtTx), thtNone);
  EXPECT_EQ(GetEffectiveThemeType(thtWindows), thtNone);
}

TEST(CsDrawing, CaptionHelpers) {
  EXPECT_EQ(StripAmpersands(u"&Файл && правка"), u"Файл  правка");
  EXPECT_EQ(StripCaptionEllipsis(u"Name:"), u"Name");
  EXPECT_EQ(StripCaptionEllipsis(u":"), u":");
  EXPECT_EQ(StripCaptionEllipsis(u"Open..."), u"Open");
  EXPECT_EQ(StripCaptionEllipsis(u"..."), u"...");
  EXPECT_EQ(StripCaptionEllipsis(u"A:..."), u"A:");  // one of the two only
}

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bitmap.SetSize(200, 100);
    bitmap.Canvas()->Font()->SetName("Korvalin Test");
    bitmap.Canvas()->Font()->SetHeight(-13);
  }
  fw::TBitmap bitmap;
};

TEST_F(LayoutTest, CaptionAndGlyphPlacedAsOneBlock) {
  struct Case {
    int alignment, glyphW, glyphH;
    bool pushed;
    fw::TRect caption, glyph;
  } cases[] = {
      // "Abc" is 21 x 13 in a client of 100 x 33 at (10, 5): top = 5 + (33 - 13) / 2 = 15; a
      // 16-pixel glyph centred on it starts at 15 + (13 - 16) / 2 = 14 (halves toward zero).
      {0, 0, 0, false, {10, 15, 31, 28}, {0, 0, 0, 0}},
      {1, 0, 0, false, {89, 15, 110, 28}, {0, 0, 0, 0}},
      {2, 0, 0, false, {49, 15, 70, 28}, {0, 0, 0, 0}},
      {0, 16, 16, false, {30, 15, 51, 28}, {10, 14, 26, 30}},
      {1, 16, 16, false, {89, 15, 110, 28}, {69, 14, 85, 30}},
      {2, 16, 16, false, {59, 15, 80, 28}, {39, 14, 55, 30}},
      {2, 16, 16, true, {60, 16, 81, 29}, {40, 15, 56, 31}},
      {0, 0, 16, false, {10, 15, 31, 28}, {0, 0, 0, 0}},  // a glyph needs both sizes
  };
  for (const Case& c : cases) {
    fw::TRect glyph{}, caption{};
    const int height = LayoutCaptionAndGlyph(bitmap.Canvas(), {10, 5, 110, 38}, u"Abc", glyph, caption, c.pushed,
                                             c.glyphW, c.glyphH, 0, c.alignment);
    EXPECT_EQ(height, 13);
    EXPECT_EQ(caption.left, c.caption.left) << c.alignment << ' ' << c.glyphW;
    EXPECT_EQ(caption.top, c.caption.top);
    EXPECT_EQ(caption.right, c.caption.right);
    EXPECT_EQ(caption.bottom, c.caption.bottom);
    EXPECT_EQ(glyph.left, c.glyph.left) << c.alignment << ' ' << c.glyphW;
    EXPECT_EQ(glyph.top, c.glyph.top);
    EXPECT_EQ(glyph.right, c.glyph.right);
    EXPECT_EQ(glyph.bottom, c.glyph.bottom);
  }
}

TEST_F(LayoutTest, MeasuringAnItalicCaptionAllowsForTheSlant) {
  fw::TRect plain{0, 0, 1, 0};
  DrawWideCaption(bitmap.Canvas(), u"Abc", plain, 0, false, win::DT_CALCRECT);
  bitmap.Canvas()->Font()->SetStyle(fw::TFontStyles{fw::fsItalic});
  fw::TRect italic{0, 0, 1, 0};
  DrawWideCaption(bitmap.Canvas(), u"Abc", italic, 0, false, win::DT_CALCRECT);
  const int size = bitmap.Canvas()->Font()->Size();
  EXPECT_EQ(italic.right - plain.right, (size / 8) * 2 + 1);
  EXPECT_EQ(bitmap.Canvas()->Brush()->Style(), fw::bsSolid);  // restored after the call
}

// A glowing caption is the text over four copies in the glow colour, one pixel off diagonally:
// glow shows exactly where a shifted copy covers and the text does not.
TEST_F(LayoutTest, AGlowIsTheTextCopiedOnePixelOffDiagonally) {
  const fw::TColor paper = fw::clWhite, ink = fw::clBlack, glow = fw::clRed;
  const auto draw = [&](bool withGlow) {
    fw::TCanvas* c = bitmap.Canvas();
    c->Brush()->SetColor(paper);
    c->FillRect({0, 0, 200, 100});
    c->Font()->SetColor(ink);
    fw::TRect r{20, 20, 180, 80};
    DrawWideCaption(c, u"Ax", r, glow, withGlow, win::DT_SINGLELINE);
    EXPECT_EQ(c->Font()->Color(), ink);  // the text colour is back afterwards
  };
  draw(false);
  std::vector<std::vector<bool>> text(100, std::vector<bool>(200));
  int inked = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) inked += text[y][x] = bitmap.Canvas()->Pixels(x, y) == ink;
  ASSERT_GT(inked, 0);
  draw(true);
  int glowing = 0;
  for (int y = 1; y < 99; ++y)
    for (int x = 1; x < 199; ++x) {
      const bool covered =
          text[y - 1][x - 1] || text[y - 1][x + 1] || text[y + 1][x - 1] || text[y + 1][x + 1];
      const fw::TColor expected = text[y][x] ? ink : covered ? glow : paper;
      glowing += expected == glow;
      ASSERT_EQ(bitmap.Canvas()->Pixels(x, y), expected) << x << "," << y;
    }
  EXPECT_GT(glowing, 0);
}

// A classic button face: filled in the face colour whatever brush the canvas had, ringed in the
// window frame colour when default or focused, and a shadow ring inside that when pushed.
TEST_F(LayoutTest, AClassicButtonFaceIsTheFaceColourInsideItsRings) {
  const fw::TColor face = fw::ColorToRGB(fw::clBtnFace), frame = fw::ColorToRGB(fw::clWindowFrame),
                   shadow = fw::ColorToRGB(fw::clBtnShadow);
  struct Case {
    bool isDefault, pushed;
    fw::TColor outer, second;  // the pixels at (0, 10) and (1, 10)
  } cases[] = {
      {false, true, shadow, face},
      {true, true, frame, shadow},
      {true, false, frame, fw::TColor(-1)},  // the raised edge's own colours
  };
  for (const Case& c : cases) {
    fw::TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(fw::clRed);
    PaintButtonFrame(canvas, {0, 0, 60, 20}, true, false, c.isDefault, false, false, c.pushed);
    EXPECT_EQ(canvas->Pixels(30, 10), face) << c.isDefault << c.pushed;
    EXPECT_EQ(canvas->Pixels(0, 10), c.outer) << c.isDefault << c.pushed;
    if (c.second != fw::TColor(-1)) {
      EXPECT_EQ(canvas->Pixels(1, 10), c.second) << c.isDefault << c.pushed;
    }
  }
}

// A wrapped or shortened caption is laid out within the room beside the glyph; a plain one keeps
// its whole width. "abc def ghi" is 77 pixels wide, the client 50 with a 10-pixel glyph (36 of
// room beside it).
TEST_F(LayoutTest, ShortenedAndWrappedCaptionsKeepToTheirRoom) {
  struct Case {
    win::UINT format;
    int width, height;
  } cases[] = {
      {win::DT_SINGLELINE, 77, 13},
      {win::DT_SINGLELINE | win::DT_END_ELLIPSIS, 36, 13},
      {win::DT_SINGLELINE | win::DT_PATH_ELLIPSIS, 36, 13},
      {win::DT_WORDBREAK, 49, 26},  // against the client width: "abc def" and "ghi"
  };
  for (const Case& c : cases) {
    fw::TRect glyph{}, caption{};
    LayoutCaptionAndGlyph(bitmap.Canvas(), {0, 0, 50, 40}, u"abc def ghi", glyph, caption, false, 10, 10, c.format,
                          0);
    if (c.width == 36) {
      // Shortened to what fits: some letters and the ellipsis, never more than the room.
      EXPECT_LE(caption.right - caption.left, 36) << c.format;
      EXPECT_GT(caption.right - caption.left, 21) << c.format;
    } else {
      EXPECT_EQ(caption.right - caption.left, c.width) << c.format;
    }
    EXPECT_EQ(caption.bottom - caption.top, c.height) << c.format;
    EXPECT_EQ(caption.left, 14) << c.format;  // behind the glyph and its 4-pixel gap
  }
}

// The caption drawn beside a glyph: a bitmap or a list's image at the laid-out place, nothing
// drawn at all when only measuring, no glyph for an index outside the list.
TEST_F(LayoutTest, CaptionWithABitmapOrAnImage) {
  fw::TCanvas* c = bitmap.Canvas();
  const auto clear = [&] {
    c->Brush()->SetStyle(fw::bsSolid);
    c->Brush()->SetColor(fw::clWhite);
    c->FillRect({0, 0, 200, 100});
    c->Font()->SetColor(fw::clBlack);
  };
  fw::TBitmap red;
  red.SetSize(8, 8);
  red.Canvas()->Brush()->SetColor(fw::clRed);
  red.Canvas()->FillRect({0, 0, 8, 8});
  const auto inked = [&](int x0, int x1) {
    int n = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = x0; x < x1; ++x) n += c->Pixels(x, y) == fw::clBlack;
    return n;
  };
  TCsCaptionStyle style;
  style.Format = win::DT_SINGLELINE;
  fw::TRect glyph{}, caption{};
  clear();
  DrawCaptionWithBitmap(c, {10, 10, 190, 40}, u"Ab", &red, style, glyph, caption);
  EXPECT_EQ(glyph.left, 10);
  EXPECT_EQ(caption.left, 22);
  EXPECT_EQ(c->Pixels(glyph.left, glyph.top), fw::clRed);
  EXPECT_EQ(c->Pixels(glyph.right - 1, glyph.bottom - 1), fw::clRed);
  EXPECT_GT(inked(caption.left, caption.right), 0);

  clear();
  style.Format = win::DT_SINGLELINE | win::DT_CALCRECT;
  DrawCaptionWithBitmap(c, {10, 10, 190, 40}, u"Ab", &red, style, glyph, caption);
  EXPECT_EQ(caption.right - caption.left, 14);
  EXPECT_EQ(inked(0, 200), 0);
  EXPECT_NE(c->Pixels(glyph.left, glyph.top), fw::clRed);

  fw::TCustomImageList images(nullptr);
  images.SetWidth(8);
  images.SetHeight(8);
  images.Add(&red, nullptr);
  style.Format = win::DT_SINGLELINE;
  for (int index : {0, 1, -1}) {
    clear();
    DrawCaptionWithImage(c, {10, 10, 190, 40}, u"Ab", &images, index, style, glyph, caption);
    const bool shown = index == 0;
    EXPECT_EQ(c->Pixels(10, 21) == fw::clRed, shown) << index;
    EXPECT_EQ(caption.left, shown ? 22 : 10) << index;
  }
}

// A glyph through a one-image list: its mask's white part leaves the canvas alone, the rest is
// the bitmap's colour blended toward BlendColor by Amount.
TEST_F(LayoutTest, GlyphFromAListIsMaskedAndBlended) {
  fw::TCanvas* c = bitmap.Canvas();
  c->Brush()->SetColor(fw::clWhite);
  c->FillRect({0, 0, 200, 100});
  fw::TBitmap glyph, mask;
  glyph.SetSize(4, 4);
  glyph.Canvas()->Brush()->SetColor(fw::clRed);
  glyph.Canvas()->FillRect({0, 0, 4, 4});
  mask.SetSize(4, 4);
  mask.Canvas()->Brush()->SetColor(fw::clBlack);
  mask.Canvas()->FillRect({0, 0, 4, 4});
  mask.Canvas()->Brush()->SetColor(fw::clWhite);
  mask.Canvas()->FillRect({0, 0, 2, 4});  // the left half see-through
  DrawGlyphFromList(c, 20, 30, 255, fw::clBlue, &mask, &glyph);
  EXPECT_EQ(c->Pixels(20, 30), fw::clWhite);
  EXPECT_EQ(c->Pixels(22, 30), 0x0000FE);  // all the bitmap's colour, as 255/256 of it
  DrawGlyphFromList(c, 40, 30, 128, fw::clBlue, &mask, &glyph);
  const fw::TColor mixed = c->Pixels(42, 31);
  EXPECT_NEAR(mixed & 0xFF, 128, 2);           // half of the red
  EXPECT_NEAR((mixed >> 16) & 0xFF, 127, 2);   // and half of the blue
  EXPECT_EQ(c->Pixels(41, 31), fw::clWhite);
}

}  // namespace
}  // namespace cs
