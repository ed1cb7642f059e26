// The theme sheet renders every element of both themes.

#include "framework/GraphicsBitmap.h"
#include "themes/ThemeList.h"
#include "themes/ThemeSheet.h"
#include "support/Snapshot.h"
#include "tx/TxTestSupport.h"
#include "tx/Tx.h"

namespace {

class ThemeSheetTest : public txtest::TxTest {
 protected:
  void SetUp() override {
    TxTest::SetUp();
    tx::InitTx();
    themes::RegisterThemes();
  }
  void TearDown() override {
    tx::DoneTx();
    TxTest::TearDown();
  }
};

TEST_F(ThemeSheetTest, BothThemesRenderEveryElement) {
  fw::TBitmap sheet;
  ASSERT_NO_THROW(themes::DrawThemeSheet(&sheet, {"Default", "DefaultXP"}));
  EXPECT_GT(sheet.Width(), 600);
  EXPECT_GT(sheet.Height(), 600);
  // Each theme painted its column: the button row is not blank in either.
  for (int column : {0, 1}) {
    int painted = 0;
    for (int y = 24; y < 600; y += 3)
      for (int x = 130 + column * 328; x < 130 + column * 328 + 320; x += 3)
        painted += sheet.Canvas()->Pixels(x, y) != fw::clWhite;
    EXPECT_GT(painted, 5000) << column;
  }
  // Themes are released again after drawing.
  for (const auto& entry : tx::ThemeRegistry())
    EXPECT_EQ(entry.RefCount, entry.Name == "Default" ? 1 : 0) << entry.Name;
  kvtest::SnapshotIfFailed(sheet.Handle(), "sheet");
  EXPECT_THROW(themes::DrawThemeSheet(&sheet, {"Nope"}), fw::Exception);
}

}  // namespace
