// "DefaultXP": found by name through the registration list, and its image look.

#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/SysColors.h"
#include "themes/ThemeList.h"
#include "themes/TxDefaultXPTheme.h"
#include "tx/TxTestSupport.h"
#include "tx/TxThemesManager.h"

namespace {

using namespace tx;
using fw::TRect;

class DefaultXPTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    InitTxThemes();
    themes::RegisterThemes();
    theme = AcquireTheme("defaultxp");
    // A 2 x 2 image: black, red / see-through, white.
    list = Images(2, 2, {0x000000, 0x0000FF, 0xFF00FF, 0xFFFFFF}, 0xFF00FF);
  }
  void TearDown() override {
    ReleaseTheme(theme);
    DoneTxThemes();
    win::ResetSysColors();
    TxTest::TearDown();
  }
  static TTxItemInfo Line() {
    TTxItemInfo i;
    i.ViewType = VT_POPUP_LIST;
    i.Enabled = true;
    return i;
  }
  TTxTheme* theme = nullptr;
  std::unique_ptr<fw::TImageList> list;
};

TEST_F(DefaultXPTest, FoundByNameThroughTheRegistrationList) {
  ASSERT_NE(dynamic_cast<themes::TTxDefaultXPTheme*>(theme), nullptr);
  EXPECT_EQ(theme->Name(), "DefaultXP");
  const Integer index = FindThemeIndex("DefaultXP");
  const size_t count = ThemeRegistry().size();
  themes::RegisterThemes();  // a second call registers nothing twice
  EXPECT_EQ(FindThemeIndex("DefaultXP"), index);
  EXPECT_EQ(ThemeRegistry().size(), count);
  EXPECT_EQ(theme->GetIntegerMetric(TMI_EDIT_BUTTON_WIDTH), 13) << "everything else is the Default theme's";
}

TEST_F(DefaultXPTest, UnhoveredImagesAreNotFaded) {
  Target(4, 4, 0xFFFFFF);
  theme->PaintImage(bmp->Canvas(), TRect{0, 0, 2, 2}, Line(), list.get(), 0);
  EXPECT_EQ(Px(0, 0), 0x000000);
  EXPECT_EQ(Px(1, 0), 0x0000FE) << "amount 255 keeps 255/256";
  EXPECT_EQ(Px(0, 1), 0xFFFFFF);
}

TEST_F(DefaultXPTest, HoveredImagesAreLiftedOverTwoGreyCopies) {
  Target(6, 6, 0xFFFFFF);
  TTxItemInfo i = Line();
  i.HoverKind = hkMouseHover;
  theme->PaintImage(bmp->Canvas(), TRect{2, 2, 4, 4}, i, list.get(), 0);
  EXPECT_EQ(Px(1, 1), 0x000000) << "the image one pixel up and left";
  EXPECT_EQ(Px(2, 1), 0x0000FF);
  // Grey copies (mode 1) at the place and one pixel down and right, under the image.
  // Red: grey level 75 div 8 + 224 = 233 on white -> 232.
  EXPECT_EQ(Px(4, 3), 0xE8E8E8);
  EXPECT_EQ(Px(3, 4), 0xFFFFFF) << "see-through stays";
  EXPECT_EQ(Px(5, 5), 0xFFFFFF);

  Target(6, 6, 0xFFFFFF);
  i.Pushed = true;
  theme->PaintImage(bmp->Canvas(), TRect{2, 2, 4, 4}, i, list.get(), 0);
  EXPECT_EQ(Px(2, 2), 0x000000) << "pushed: drawn at its place";
  EXPECT_EQ(Px(1, 1), 0xFFFFFF);
}

TEST_F(DefaultXPTest, DisabledImagesOnDarkBackgroundsAreSilhouettes) {
  const win::INT index = win::COLOR_WINDOW;
  const win::COLORREF dark = 0x202020;
  win::SetSysColors(1, &index, &dark);
  Target(4, 4, 0x202020);
  TTxItemInfo i = Line();
  i.Enabled = false;
  theme->PaintImage(bmp->Canvas(), TRect{0, 0, 2, 2}, i, list.get(), 0);
  const TColor shadow = ResolveColor(fw::clBtnShadow);
  EXPECT_EQ(Px(0, 0), shadow) << "black is dark";
  EXPECT_EQ(Px(1, 1), 0x202020) << "white stays see-through";
  EXPECT_EQ(Px(0, 1), 0x202020);

  win::ResetSysColors();
  Target(4, 4, 0xFFFFFF);
  theme->PaintImage(bmp->Canvas(), TRect{0, 0, 2, 2}, i, list.get(), 0);
  EXPECT_EQ(Px(0, 0), 0xA9A9A9) << "light background: disabled greys (mode 0)";
}

}  // namespace
