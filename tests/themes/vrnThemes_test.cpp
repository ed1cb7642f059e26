// The shared routines of the further themes: rounded frames, the lazily bound gradient, the
// glyph strip and the per-class unit resources.

#include "platform/gdi/Gdi.h"
#include "platform/kernel/Modules.h"
#include "themes/vrnThemes.h"
#include "tx/TxTestSupport.h"

namespace {

using namespace themes;
using fw::TRect;
using txtest::kSentinel;

class VrnTest : public txtest::TxTest {
 protected:
  void TearDown() override {
    ResetGradientBinding();
    win::modules::RestoreAll();
    TxTest::TearDown();
  }
  int Count(TColor c, const TRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Px(x, y) == c;
    return n;
  }
};

TEST_F(VrnTest, SquareFrameIsARectangleOutline) {
  Target(12, 12);
  bmp->Canvas()->Pen()->SetColor(0x00FF00);
  DrawRoundedFrame(bmp->Canvas(), TRect{0, 0, 10, 10}, 0, 0, 0x0000FF, fw::clNone, 0xFF0000);
  EXPECT_EQ(Count(0x0000FF, TRect{0, 0, 12, 12}), 36);
  EXPECT_EQ(Px(0, 0), 0x0000FF);
  EXPECT_EQ(Px(9, 9), 0x0000FF);
  EXPECT_EQ(Count(0xFF0000, TRect{0, 0, 12, 12}), 0) << "no corner pixels";
  EXPECT_EQ(bmp->Canvas()->Pen()->Color(), 0x00FF00) << "the pen colour comes back";
}

TEST_F(VrnTest, CutCornersAndTheirPixels) {
  Target(12, 12);
  DrawRoundedFrame(bmp->Canvas(), TRect{0, 0, 10, 10}, 2, 2, 0x0000FF, 0x00FF00, 0xFF0000);
  EXPECT_EQ(Px(2, 0), 0x0000FF) << "the top edge starts at x = 2";
  EXPECT_EQ(Px(1, 1), 0x0000FF) << "on the cut";
  for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 9}, {0, 8}, {8, 0}, {9, 1}, {8, 9}, {9, 8}})
    EXPECT_EQ(Px(x, y), 0xFF0000) << x << "," << y;
  for (int y = 2; y <= 7; ++y) EXPECT_EQ(Px(9, y), 0x00FF00) << "shadow on the right edge, y " << y;
  for (int x = 2; x <= 7; ++x) EXPECT_EQ(Px(x, 9), 0x00FF00) << "shadow on the bottom edge, x " << x;
  EXPECT_EQ(Px(0, 0), kSentinel);
}

TEST_F(VrnTest, SoftCornersBlendTheBackground) {
  Target(12, 12, 0xFFFFFF);
  DrawSoftRoundedFrame(bmp->Canvas(), TRect{0, 0, 10, 10}, 2, 2, 0x000000, fw::clNone);
  for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 9}, {0, 8}, {8, 0}, {9, 1}, {8, 9}, {9, 8}})
    EXPECT_EQ(Px(x, y), 0x999999) << x << "," << y;
}

TEST_F(VrnTest, GradientBothPaths) {
  // Banded: row k of 20 is 192 + 63 k div 20; the first row is already one step on.
  win::modules::RemoveForTesting(u"msimg32.dll", "GradientFill");
  Target(4, 20);
  FillGradient(bmp->Canvas(), TRect{0, 0, 4, 20}, 0xFFFFFF, 0xC0C0C0, true);
  EXPECT_EQ(Px(1, 0), 0xC3C3C3);
  EXPECT_EQ(Px(1, 9), 0xDFDFDF);
  EXPECT_EQ(Px(1, 19), 0xFFFFFF);
  EXPECT_EQ(themes::GradientFillProc(nullptr, nullptr, 0, nullptr, 0, 0), win::FALSE) << "missing: does nothing";
  Target(4, 20);
  FillGradient(bmp->Canvas(), TRect{0, 0, 4, 0}, 0xFFFFFF, 0, true);
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}), 0);
  FillGradient(bmp->Canvas(), TRect{0, 0, 4, 20}, 0x336699, 0x336699, false);
  EXPECT_EQ(Count(0x336699, TRect{0, 0, 4, 20}), 80) << "equal colours: a solid fill";

  // Bound once: restoring the routine does not change the choice made.
  win::modules::RestoreAll();
  FillGradient(bmp->Canvas(), TRect{0, 0, 4, 20}, 0xFFFFFF, 0xC0C0C0, true);
  EXPECT_EQ(Px(1, 0), 0xC3C3C3);

  ResetGradientBinding();
  Target(20, 4);
  FillGradient(bmp->Canvas(), TRect{0, 0, 20, 4}, fw::clBtnHighlight, fw::clBtnFace, false);
  EXPECT_NE(Px(0, 1), Px(19, 1));
  const TColor face = tx::ResolveColor(fw::clBtnFace);
  for (int shift : {0, 8, 16}) EXPECT_NEAR((Px(0, 1) >> shift) & 0xFF, (face >> shift) & 0xFF, 3);
}

// How often msimg32 is loaded now (counted by giving it back, then taken again as often).
int LoadCount() {
  const win::HMODULE h = win::GetModuleHandleW(u"msimg32.dll");
  if (!h) return 0;
  int n = 0;
  while (win::FreeLibrary(h)) ++n;
  for (int k = 0; k < n; ++k) win::LoadLibraryW(u"msimg32.dll");
  return n;
}

TEST_F(VrnTest, GradientLibraryIsGivenBackOnceAndTheRoutinesStay) {
  ResetGradientBinding();
  const int base = LoadCount();
  Target(4, 20);
  FillGradient(bmp->Canvas(), TRect{0, 0, 4, 20}, 0xFFFFFF, 0xC0C0C0, true);
  EXPECT_EQ(LoadCount(), base + 1) << "the first gradient loads the library";
  const auto bound = GradientRectProc;
  ReleaseGradientLibrary();
  EXPECT_EQ(LoadCount(), base);
  ReleaseGradientLibrary();
  EXPECT_EQ(LoadCount(), base) << "given back once only";
  EXPECT_EQ(GradientRectProc, bound) << "the bound routines are not reset";
}

TEST_F(VrnTest, GlyphStripHasTheFourGlyphs) {
  fw::TImageList list(nullptr);
  LoadGlyphStrip(&list);
  ASSERT_EQ(list.Count(), 4);
  const int expected[4] = {26, 39, 12, 47};
  for (int g = 0; g < 4; ++g) {
    Target(16, 16, 0xFFFFFF);
    tx::DrawGlyphMask(DC(), 0, 0, &list, g, 0x000000);
    EXPECT_EQ(Count(0x000000, TRect{0, 0, 16, 16}), expected[g]) << "glyph " << g;
    if (g == 0) {
      EXPECT_EQ(Px(4, 5), 0x000000);
      EXPECT_EQ(Px(11, 11), 0x000000);
      EXPECT_EQ(Px(7, 5), 0xFFFFFF);
    }
  }
  const std::pair<fw::Cardinal, Integer> kinds[] = {{tx::MDI_CLOSE, 0}, {tx::MDI_MINIMIZE, 2},
                                                    {tx::MDI_MAXIMIZE, -1}, {tx::MDI_RESTORE, 3}, {7, -1}};
  for (auto [kind, glyph] : kinds) EXPECT_EQ(MDIGlyphIndex(kind), glyph) << kind;
}

TEST_F(VrnTest, MDIGlyphsSitAboutTheCentre) {
  fw::TImageList list(nullptr);
  LoadGlyphStrip(&list);
  // A 14-pixel-high button: y = (0 + 14 - 16) div 2 = -1 (division towards zero), minus the raise.
  for (Integer raise : {0, 1}) {
    Target(20, 14, 0xFFFFFF);
    EXPECT_TRUE(DrawMDIGlyph(DC(), TRect{0, 0, 20, 14}, &list, tx::MDI_CLOSE, 0x000000, raise));
    EXPECT_EQ(Count(0x000000, TRect{0, 0, 20, 14}), 26) << "the close glyph, all of it inside";
    // Glyph pixel (4, 5) lands at x = 2 + 4, y = -1 - raise + 5.
    EXPECT_EQ(Px(6, 4 - raise), 0x000000) << raise;
  }
  Target(20, 14, 0xFFFFFF);
  EXPECT_FALSE(DrawMDIGlyph(DC(), TRect{0, 0, 20, 14}, &list, tx::MDI_MAXIMIZE, 0x000000));
  EXPECT_EQ(ChangedOutside(TRect{0, 0, 0, 0}, 0xFFFFFF), 0) << "maximize paints no glyph";
}

struct SomeTheme {};
TEST_F(VrnTest, UnitResourcesLiveFromTheFirstToTheLastInstance) {
  using Unit = TThemeUnit<SomeTheme>;
  Unit::AddInstance();
  Unit::AddInstance();
  EXPECT_EQ(Unit::StripLoads, 1) << "the second instance does not load the strip again";
  ASSERT_NE(Unit::GlyphImages, nullptr);
  Unit::RemoveInstance();
  EXPECT_NE(Unit::GlyphImages, nullptr);
  Unit::RemoveInstance();
  EXPECT_EQ(Unit::GlyphImages, nullptr);
  Unit::RemoveInstance();  // unbalanced: nothing happens
  EXPECT_EQ(Unit::ThemeInstanceCount, 0);
}

}  // namespace
