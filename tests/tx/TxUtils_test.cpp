// Colour arithmetic, painting primitives, image effects and fills of the drawing utilities.

#include <cmath>

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Modules.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "tx/TxTestSupport.h"
#include "tx/detail/TxFillData.h"

namespace {

using namespace tx;
using fw::TRect;
using txtest::kSentinel;
using txtest::TxTest;

struct ColorCase {
  const char* what;
  TColor got, expected;
};

TEST_F(TxTest, ColorArithmeticTable) {
  const ColorCase cases[] = {
      {"mix 255 is not quite C1", MixColors(0xFFFFFF, 0, 255), 0xFEFEFE},
      {"mix 0 is C2 * 255 / 256", MixColors(0, 0xFFFFFF, 0), 0xFEFEFE},
      {"mix channels apart", MixColors(0x0000FF, 0xFF0000, 128), 0x7E007F},
      {"blend 50 is the rounded midpoint", BlendColors(0, 0xFFFFFF, 50), 0x808080},
      {"blend 80 %", BlendColors(0x808080, 0xFFFFFF, 80), 0x999999},
      {"blend 50 of light greys", BlendColors(0xC0C0C0, 0xFFFFFF, 50), 0xE0E0E0},
      {"blend 100 is ten per cent", BlendColors(0xFFFFFF, 0, 100), 0x1A1A1A},
      {"blend 1000 is all of C1", BlendColors(0x123456, 0xFFFFFF, 1000), 0x123456},
      {"offset clamps high", OffsetColor(0xF0E0D0, 32), 0xFFFFF0},
      {"offset clamps low", OffsetColor(0x102030, -32), 0x000010},
      {"swap red and blue", SwapRedBlue(0x00112233), 0x00332211},
      {"system colour resolved", OffsetColor(fw::clBtnFace, 0), TColor(win::GetSysColor(win::COLOR_BTNFACE))},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST_F(TxTest, LuminanceAndDarkness) {
  EXPECT_EQ(GetColorLuminance(0xFFFFFF), 255);
  EXPECT_EQ(GetColorLuminance(0), 0);
  EXPECT_EQ(GetColorLuminance(0x0000FF), 75);  // red weighs 76 / 256
  EXPECT_FALSE(IsDarkColor(0x808080, 128)) << "32768 is not below 32768";
  EXPECT_TRUE(IsDarkColor(0x7F7F7F, 128));
  EXPECT_NEAR(ColorDistance(0, 0xFFFFFF), 441.0f, 1.0f);
  EXPECT_NEAR(ColorDistance(0x0000FF, 0), 195.0f, 0.01f);
}

TEST_F(TxTest, EnsureContrastMovesOnlyColoursTooClose) {
  TColor far = 0x000000;
  EnsureContrast(far, 0xFFFFFF, 100);
  EXPECT_EQ(far, 0x000000);

  TColor system = fw::clBtnText;
  EnsureContrast(system, 0xFFFFFF, 10);
  EXPECT_EQ(system, TColor(win::GetSysColor(win::COLOR_BTNTEXT))) << "written back resolved";

  // Black on black: the threshold doubles on a black background, and the colour moves up the
  // grey diagonal to that distance.
  TColor black = 0;
  EnsureContrast(black, 0, 50);
  EXPECT_NEAR(ColorDistance(black, 0), 100.0f, 2.0f);
  EXPECT_EQ(black & 0xFF, (black >> 8) & 0xFF);
  EXPECT_NEAR(black & 0xFF, 58, 1);

  TColor grey = 0x808080;
  EnsureContrast(grey, 0x808080, 50);
  EXPECT_LT(grey & 0xFF, 0x80) << "a mid grey on itself goes darker";
  EXPECT_NEAR(grey & 0xFF, 99, 1);

  TColor white = 0xFFFFFF;
  EnsureContrast(white, 0xFFFFFF, 100);
  EXPECT_NEAR(white & 0xFF, 197, 1);
}

TEST_F(TxTest, HSLBothWays) {
  float h, s, l;
  ColorToHSL(0x0000FF, h, s, l);
  EXPECT_FLOAT_EQ(h, 0.0f);
  EXPECT_FLOAT_EQ(s, 1.0f);
  EXPECT_FLOAT_EQ(l, 0.5f);
  ColorToHSL(0x808080, h, s, l);
  EXPECT_EQ(h, 0.0f);
  EXPECT_EQ(s, 0.0f);
  EXPECT_EQ(HSLToColor(0.3f, 0.0f, 0.5f), 0x808080);
  for (TColor c : {0x0000FF, 0x00FF00, 0xFF0000, 0x336699, 0xC0A080, 0x102030}) {
    ColorToHSL(c, h, s, l);
    const TColor back = HSLToColor(h, s, l);
    for (int shift : {0, 8, 16}) EXPECT_NEAR((back >> shift) & 0xFF, (c >> shift) & 0xFF, 1) << std::hex << c;
  }
}

TEST_F(TxTest, PenAndBrushHelpersKnowNone) {
  Target(10, 10);
  TRect r{2, 2, 8, 8};
  EXPECT_FALSE(FrameRectColor(DC(), r, fw::clNone, true));
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.bottom, 7);
  EXPECT_FALSE(FillRectColor(DC(), r, fw::clNone));
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);

  r = TRect{2, 2, 8, 8};
  EXPECT_TRUE(FrameRectColor(DC(), r, 0x0000FF, false));
  EXPECT_EQ(Px(2, 2), 0x0000FF);
  EXPECT_EQ(Px(7, 7), 0x0000FF);
  EXPECT_EQ(Px(3, 3), kSentinel);
  EXPECT_TRUE(FillRectColor(DC(), TRect{3, 3, 7, 7}, fw::clBtnShadow));
  EXPECT_EQ(Px(4, 4), TColor(win::GetSysColor(win::COLOR_BTNSHADOW)));

  // A system colour's brush is the shared one and survives the helper.
  const win::HBRUSH shared = CreateBrushColor(fw::clBtnFace);
  EXPECT_EQ(shared, win::GetSysColorBrush(win::COLOR_BTNFACE));
  DeleteBrushColor(fw::clBtnFace, shared);
  EXPECT_EQ(win::GetObjectType(shared), win::OBJ_BRUSH);
}

TEST_F(TxTest, Frame3DGeometry) {
  for (bool adjustTopLeft : {true, false}) {
    Target(12, 12);
    TRect r{0, 0, 10, 10};
    DrawFrame3D(DC(), r, 0xFFFFFF, 0x000000, adjustTopLeft);
    for (int i = 0; i <= 8; ++i) {
      EXPECT_EQ(Px(i, 0), 0xFFFFFF) << i;
      EXPECT_EQ(Px(0, i), 0xFFFFFF) << i;
    }
    for (int i = 0; i <= 9; ++i) {
      EXPECT_EQ(Px(9, i), 0x000000) << i;
      EXPECT_EQ(Px(i, 9), 0x000000) << i;
    }
    EXPECT_EQ(Px(1, 1), kSentinel);
    EXPECT_EQ(ChangedOutside(TRect{0, 0, 10, 10}), 0);
    const TRect expected = adjustTopLeft ? TRect{1, 1, 9, 9} : TRect{0, 0, 8, 8};
    EXPECT_EQ(r.left, expected.left);
    EXPECT_EQ(r.top, expected.top);
    EXPECT_EQ(r.right, expected.right);
    EXPECT_EQ(r.bottom, expected.bottom);
  }
}

TEST_F(TxTest, LinesLeaveOutTheirEnd) {
  Target(10, 3);
  DrawLineColor(DC(), 1, 1, 6, 1, 0x00FF00);
  EXPECT_EQ(Px(1, 1), 0x00FF00);
  EXPECT_EQ(Px(5, 1), 0x00FF00);
  EXPECT_EQ(Px(6, 1), kSentinel);
  const fw::TPoint tri[3] = {{1, 0}, {8, 0}, {8, 2}};
  PolygonColor(DC(), tri, 2, fw::clNone, fw::clNone);
  EXPECT_EQ(Px(7, 0), kSentinel) << "nothing for two clNone colours";
}

TEST_F(TxTest, DragOutlineIsThreeWideAndTwoHigh) {
  Target(20, 20, 0xFFFFFF);
  const TRect r{2, 2, 18, 18};
  DrawDragOutline(DC(), &r, nullptr);
  // A halftone: every other pixel of the frame is inverted.
  EXPECT_TRUE(Px(4, 10) != 0xFFFFFF || Px(4, 11) != 0xFFFFFF);
  EXPECT_TRUE(Px(10, 3) != 0xFFFFFF || Px(11, 3) != 0xFFFFFF);
  EXPECT_EQ(ChangedOutside(TRect{2, 2, 18, 18}, 0xFFFFFF), 0);
  int inside = 0;
  for (int y = 4; y < 16; ++y)
    for (int x = 5; x < 15; ++x) inside += Px(x, y) != 0xFFFFFF;
  EXPECT_EQ(inside, 0);
  DrawDragOutline(DC(), nullptr, &r);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}, 0xFFFFFF), 0) << "drawing it again as the old frame removes it";
}

TEST_F(TxTest, BlendPixelRules) {
  Target(4, 1, 0x000000);
  BlendPixel(DC(), 0, 0, 0xFFFFFF, 0);
  BlendPixel(DC(), 1, 0, 0xFFFFFF, 128);
  BlendPixel(DC(), 2, 0, 0xFFFFFF, 255);
  BlendPixel(DC(), 3, 0, 0xFFFFFF, 64);
  EXPECT_EQ(Px(0, 0), 0x000000);
  EXPECT_EQ(Px(1, 0), 0x808080);
  EXPECT_EQ(Px(2, 0), 0xFFFFFF);
  EXPECT_EQ(Px(3, 0), 0x404040);
}

TEST_F(TxTest, DitherAlternates) {
  Target(4, 4);
  DitherRect(DC(), TRect{0, 0, 4, 4}, 0xFFFFFF, 0x000000);
  EXPECT_NE(Px(0, 0), Px(1, 0));
  EXPECT_EQ(Px(0, 0), Px(1, 1));
  EXPECT_EQ(Px(1, 0), Px(0, 1));
}

TEST_F(TxTest, MonoPatternIsCentredAndPaintsOnlySetBits) {
  Target(20, 11);
  const uint16_t chevron[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
  DrawMonoPattern(DC(), TRect{0, 0, 20, 11}, 8, 5, chevron, 0x0000FF);
  // x = (0 + 20 + 1 - 8) div 2 = 6, y = (0 + 11 + 1 - 5) div 2 = 3.
  EXPECT_EQ(Px(6, 3), 0x0000FF);
  EXPECT_EQ(Px(7, 3), 0x0000FF);
  EXPECT_EQ(Px(8, 3), kSentinel);
  EXPECT_EQ(Px(12, 5), 0x0000FF);
  EXPECT_EQ(Px(6, 5), kSentinel);
  EXPECT_EQ(ChangedOutside(TRect{6, 3, 14, 8}), 0);
}

TEST_F(TxTest, GlyphMaskColoursTheWhitePixels) {
  // White is the list's mask colour: the glyph is the see-through part of the image.
  std::vector<TColor> pixels(16, 0x000000);
  pixels[1 * 4 + 1] = pixels[2 * 4 + 2] = 0xFFFFFF;
  auto list = Images(4, 4, pixels, fw::clWhite);
  Target(6, 6);
  DrawGlyphMask(DC(), 1, 1, list.get(), 0, 0x00FF00);
  EXPECT_EQ(Px(2, 2), 0x00FF00);
  EXPECT_EQ(Px(3, 3), 0x00FF00);
  EXPECT_EQ(Px(1, 1), kSentinel);
  EXPECT_EQ(Px(4, 3), kSentinel);
  EXPECT_EQ(ChangedOutside(TRect{2, 2, 4, 4}), 0);
}

class TxIconTest : public TxTest {
 protected:
  // A 3 x 2 image: black, white, red / see-through, grey, see-through (fuchsia is the mask).
  void SetUp() override {
    TxTest::SetUp();
    list = Images(3, 2, {0x000000, 0xFFFFFF, 0x0000FF, 0xFF00FF, 0x808080, 0xFF00FF}, 0xFF00FF);
    Target(6, 4, 0xC0C0C0);
  }
  std::unique_ptr<fw::TImageList> list;
  const TRect at{1, 1, 6, 4};
};

TEST_F(TxIconTest, DisabledGreysOnlyWhatTheImageChanged) {
  DrawIconDisabled(bmp->Canvas(), at, list.get(), 0, 0);
  EXPECT_EQ(Px(1, 2), 0xC0C0C0) << "see-through pixels keep the background";
  EXPECT_EQ(Px(3, 2), 0xC0C0C0);
  // Black: g = 0 div 3 + 170 -> 192 * 170 >> 8 = 127.
  EXPECT_EQ(Px(1, 1), 0x7F7F7F);
  // White: g = 254 div 3 + 170 = 254 -> 190.
  EXPECT_EQ(Px(2, 1), 0xBEBEBE);
  // Red weighs as red: (76 x 255) shr 8 = 75 -> 75 div 3 + 170 = 195 -> 146.
  EXPECT_EQ(Px(3, 1), 0x929292);
  EXPECT_EQ(ChangedOutside(TRect{1, 1, 4, 3}, 0xC0C0C0), 0);
}

TEST_F(TxIconTest, BlendedSilhouetteAndTranslucent) {
  DrawIconBlended(bmp->Canvas(), at, list.get(), 0, 0xFFFFFF, 255);
  EXPECT_EQ(Px(1, 1), 0x000000);
  EXPECT_EQ(Px(2, 1), 0xFEFEFE) << "amount 255 keeps 255/256 of each channel";
  EXPECT_EQ(Px(3, 1), 0x0000FE);
  EXPECT_EQ(Px(1, 2), 0xC0C0C0);

  Target(6, 4, 0xC0C0C0);
  DrawIconSilhouette(bmp->Canvas(), at, list.get(), 0, 0x00FF00);
  EXPECT_EQ(Px(1, 1), 0x00FF00);
  EXPECT_EQ(Px(2, 2), 0x00FF00);
  EXPECT_EQ(Px(3, 2), 0xC0C0C0);

  Target(6, 4, 0x000000);
  DrawIconTranslucent(bmp->Canvas(), at, list.get(), 0, 128);
  EXPECT_EQ(Px(2, 1), 0x7F7F7F) << "(0 * 127 + 255 * 128) >> 8";
  EXPECT_EQ(Px(1, 1), 0x000000) << "black over black does not differ";
}

TEST_F(TxIconTest, DarkMaskPaintsTheDarkPixels) {
  DrawIconDarkMask(bmp->Canvas(), at, list.get(), 0, 0xFF0000);
  EXPECT_EQ(Px(1, 1), 0xFF0000) << "black is painted";
  EXPECT_EQ(Px(2, 1), 0xC0C0C0) << "white counts as see-through";
  EXPECT_EQ(Px(3, 1), 0xFF0000) << "red is dark";
  EXPECT_EQ(Px(2, 2), 0xFF0000) << "grey 128 is dark";
  EXPECT_EQ(Px(1, 2), 0xC0C0C0) << "the mask is white, so light";
}

TEST_F(TxIconTest, ContrastedTurnsExtremesAround) {
  DrawIconContrasted(bmp->Canvas(), at, list.get(), 0, false);
  EXPECT_EQ(Px(1, 1), 0x000000);
  Target(6, 4, 0xC0C0C0);
  DrawIconContrasted(bmp->Canvas(), at, list.get(), 0, true);
  EXPECT_EQ(Px(1, 1), 0xFFFFFF) << "black becomes white (lightened, clamped)";
  EXPECT_EQ(Px(2, 1), 0x202020) << "white becomes black, lightened by 32";
  EXPECT_EQ(Px(2, 2), 0xA0A0A0) << "mid grey stays, lightened";
}

TEST_F(TxTest, GradientFallbackRamps) {
  GradientFillProc = nullptr;
  Target(3, 2);
  GradientFillRect(DC(), TRect{0, 0, 3, 2}, 0x000000, 0xFFFFFF, false);
  EXPECT_EQ(Px(0, 0), 0x000000);
  EXPECT_EQ(Px(1, 1), 0x808080);
  EXPECT_EQ(Px(2, 0), 0xFFFFFF);
  GradientFillRect(DC(), TRect{0, 0, 3, 2}, 0xFFFFFF, 0x000000, false);
  EXPECT_EQ(Px(1, 0), 0x808080) << "truncating division with a falling channel";
  GradientFillRect(DC(), TRect{0, 0, 1, 2}, 0x000000, 0xFFFFFF, false);
  EXPECT_EQ(Px(0, 0), 0x7F7F7F) << "a single band takes the midpoint";
  Target(3, 2);
  GradientFillRect(DC(), TRect{1, 0, 1, 2}, 0x000000, 0xFFFFFF, false);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);

  // Vertical, 5 rows from 0 to 200: 0, 50, 100, 150, 200 on every column.
  Target(7, 5);
  GradientFillRect(DC(), TRect{0, 0, 7, 5}, 0x000000, 0xC8C8C8, true);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(Px(x, y), 0x323232 * y) << x << "," << y;
  // Only what the clip lets through is painted.
  Target(7, 5);
  const int saved = win::SaveDC(DC());
  win::IntersectClipRect(DC(), 2, 1, 4, 3);
  GradientFillRect(DC(), TRect{0, 0, 7, 5}, 0x000000, 0xC8C8C8, true);
  win::RestoreDC(DC(), saved);
  EXPECT_EQ(Px(2, 1), 0x323232);
  EXPECT_EQ(ChangedOutside(TRect{2, 1, 4, 3}), 0);

  // A ramp is found again only for the same size and both end colours.
  Target(3, 2);
  GradientFillRect(DC(), TRect{0, 0, 3, 2}, 0x000000, 0xFFFFFF, false);
  GradientFillRect(DC(), TRect{0, 0, 3, 2}, 0x000000, 0x000000, false);
  EXPECT_EQ(Px(1, 0), 0x000000) << "not the ramp of another end colour";

  for (int n = 1; n <= 17; ++n) GradientFillRect(DC(), TRect{0, 0, 3, 2}, n, 0xFFFFFF, true);
  EXPECT_EQ(detail::GradientRampCount(), 16) << "the 17th ramp takes the place of the oldest";
}

TEST_F(TxTest, GradientBothPathsReachTheEndColours) {
  for (bool native : {true, false}) {
    win::modules::RestoreAll();
    if (!native) win::modules::RemoveForTesting(u"msimg32.dll", "GradientFill");
    BindOptionalFunctions();
    EXPECT_EQ(GradientFillProc != nullptr, native);
    Target(4, 40);
    GradientFillRect(DC(), TRect{0, 0, 4, 40}, 0x000000, 0xFFFFFF, true);
    EXPECT_LE(Px(2, 0) & 0xFF, 8) << native;
    EXPECT_GE(Px(2, 39) & 0xFF, 247) << native;
    EXPECT_EQ(Px(0, 20), Px(3, 20)) << "vertical: rows are uniform";
  }
  win::modules::RestoreAll();
  BindOptionalFunctions();
}

TEST_F(TxTest, OptionalFunctionsFollowTheSymbolTable) {
  win::modules::RemoveModuleForTesting(u"msimg32.dll");
  win::modules::RemoveForTesting(u"user32.dll", "UpdateLayeredWindow");
  BindOptionalFunctions();
  EXPECT_EQ(AlphaBlendProc, nullptr);
  EXPECT_EQ(GradientFillProc, nullptr);
  EXPECT_EQ(UpdateLayeredWindowProc, nullptr);
  win::modules::RestoreAll();
  BindOptionalFunctions();
  EXPECT_NE(AlphaBlendProc, nullptr);
  EXPECT_NE(GradientFillProc, nullptr);
  EXPECT_NE(UpdateLayeredWindowProc, nullptr);
}

// Under a clip of two separate pieces the texture lands only there, with the pixels an unclipped
// fill gives, for any origin (also left of and above the rectangle).
TEST_F(TxTest, BrushedTextureKeepsToTheClip) {
  for (const fw::TPoint origin : {fw::TPoint{0, 0}, fw::TPoint{-37, -5}, fw::TPoint{251, 1030}}) {
    Target(120, 30);
    BrushedFill(DC(), &origin, TRect{5, 3, 115, 27}, 0xC08040, 200);
    std::vector<TColor> whole;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 120; ++x) whole.push_back(Px(x, y));
    Target(120, 30);
    const win::HRGN clip = win::CreateRectRgn(0, 0, 20, 12);
    const win::HRGN second = win::CreateRectRgn(60, 10, 120, 30);
    win::CombineRgn(clip, clip, second, win::RGN_OR);
    win::SelectClipRgn(DC(), clip);
    BrushedFill(DC(), &origin, TRect{5, 3, 115, 27}, 0xC08040, 200);
    win::SelectClipRgn(DC(), nullptr);
    win::DeleteObject(clip);
    win::DeleteObject(second);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 120; ++x) {
        const bool inClip = (x < 20 && y < 12) || (x >= 60 && y >= 10);
        ASSERT_EQ(Px(x, y), inClip ? whole[size_t(y * 120 + x)] : kSentinel) << x << "," << y;
      }
  }
}

TEST_F(TxTest, BrushedTextureStaysInRangeAndContinues) {
  Target(100, 20);
  BrushedFill(DC(), nullptr, TRect{0, 0, 100, 20}, 0xFFFFFF, 256);
  bool varies = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) {
      const TColor p = Px(x, y);
      for (int shift : {0, 8, 16}) ASSERT_LE((p >> shift) & 0xFF, 239);
      varies |= p != Px(0, 0);
    }
  EXPECT_TRUE(varies);

  // Two neighbouring fills with one origin paint what one fill paints.
  std::vector<TColor> whole;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) whole.push_back(Px(x, y));
  Target(100, 20);
  const fw::TPoint origin{0, 0};
  BrushedFill(DC(), &origin, TRect{0, 0, 37, 20}, 0xFFFFFF, 256);
  BrushedFill(DC(), &origin, TRect{37, 0, 100, 20}, 0xFFFFFF, 256);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(Px(x, y), whole[size_t(y * 100 + x)]) << x << "," << y;

  // The texture moves with its origin: rows 10.. from origin 0 are rows 20.. from origin 10.
  Target(30, 40);
  const fw::TPoint zero{0, 0}, lower{0, 10};
  BrushedFill(DC(), &zero, TRect{0, 10, 30, 20}, 0xFFFFFF, 256);
  BrushedFill(DC(), &lower, TRect{0, 20, 30, 30}, 0xFFFFFF, 256);
  for (int y = 10; y < 20; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(Px(x, y), Px(x, y + 10)) << x << "," << y;

  // The pattern repeats every 1024 rows, also for origins far below the rows painted.
  Target(30, 8);
  const fw::TPoint near{3, 5}, far{3, 5 + 1024 * 100};
  BrushedFill(DC(), &near, TRect{0, 0, 30, 8}, 0xFFFFFF, 256);
  std::vector<TColor> first;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 30; ++x) first.push_back(Px(x, y));
  BrushedFill(DC(), &far, TRect{0, 0, 30, 8}, 0xFFFFFF, 256);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(Px(x, y), first[size_t(y * 30 + x)]) << x << "," << y;

  Target(10, 10);
  BrushedFill(DC(), nullptr, TRect{2, 2, 8, 8}, 0x808080, 128);
  EXPECT_EQ(ChangedOutside(TRect{2, 2, 8, 8}), 0);
  BrushedFill(DC(), nullptr, TRect{0, 0, 10, 10}, fw::clNone, 256);
  EXPECT_EQ(Px(0, 0), kSentinel);

  for (int c = 0; c < 17; ++c) BrushedFill(DC(), nullptr, TRect{0, 0, 1, 1}, c, 256);
  EXPECT_EQ(detail::BrushedCacheCount(), 16);
  ClearBrushedCache();
  EXPECT_EQ(detail::BrushedCacheCount(), 0);
}

TEST_F(TxTest, SmallCaptionFontFollowsTheSystem) {
  ASSERT_NE(SmallCaptionFont, nullptr);
  win::NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  ASSERT_TRUE(win::SystemParametersInfoW(win::SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(SmallCaptionFont->Height(), m.lfSmCaptionFont.lfHeight);
}

}  // namespace
