// Owner-drawn wide menu items: where the caption and the wide shortcut text go, the embossed
// disabled text, the measure corrected by the wide texts, and the items the framework draws.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include "controls/UniMenus.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "framework/control_fixture.h"
#include "framework/graphics_test_support.h"
#include "platform/gdi/GdiText.h"
#include "platform/user/messages/Input.h"

namespace cs {
namespace {

constexpr int kW = 300, kH = 22;

// A pixel of Color's text: the text is smoothed, so its core is within a margin of the colour
// and far from the menu's background.
using TPixelTest = std::function<bool(uint32_t)>;
TPixelTest Near(fw::TColor C) {
  const auto c = win::COLORREF(fw::ColorToRGB(C));
  return [c](uint32_t P) {
    const int dr = int((P >> 16) & 0xFF) - win::GetRValue(c), dg = int((P >> 8) & 0xFF) - win::GetGValue(c),
              db = int(P & 0xFF) - win::GetBValue(c);
    return std::abs(dr) < 40 && std::abs(dg) < 40 && std::abs(db) < 40;
  };
}

// Ctrl and a numeric-pad digit: the framework names the key "Num 3", the wide text is "Ctrl+3".
const fw::TShortCut kNumPadKey = fw::TShortCut(fw::scCtrl | (win::VK_NUMPAD0 + 3));

class WideMenuDrawTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    fw::TBitmap red;
    red.SetPixelFormat(fw::pf24bit);
    red.SetSize(16, 16);
    red.Canvas()->Brush()->SetColor(fw::clRed);
    red.Canvas()->FillRect(fw::Rect(0, 0, 16, 16));
    images.Add(&red, nullptr);
    menu.SetImages(&images);
    item = new TUniMenuItem(&menu);
    item->SetCaption(u"Открыть");
    item->SetShortCut(kNumPadKey);
    item->SetImageIndex(0);
    menu.Items()->Add(item);
    target.SetPixelFormat(fw::pf32bit);
    target.SetSize(kW, kH);
  }
  void Clear() {
    target.Canvas()->Brush()->SetColor(fw::clMenu);
    target.Canvas()->FillRect(fw::Rect(0, 0, kW, kH));
    target.Canvas()->Font()->Assign(fw::Screen->MenuFont());
  }
  std::vector<uint32_t> Draw(fw::TOwnerDrawState State) {
    Clear();
    item->AdvancedDrawItem(target.Canvas(), fw::Rect(0, 0, kW, kH), State, false);
    return kvtest::PixelsByDIBits(target);
  }
  // Columns [From, To) that hold a pixel of Color.
  static std::vector<int> ColumnsWith(const std::vector<uint32_t>& Px, const TPixelTest& Color, int From, int To) {
    std::vector<int> cols;
    for (int x = From; x < To; ++x)
      for (int y = 0; y < kH; ++y)
        if (Color(Px[size_t(y) * kW + size_t(x)])) {
          cols.push_back(x);
          break;
        }
    return cols;
  }
  static std::vector<int> RowsWith(const std::vector<uint32_t>& Px, const TPixelTest& Color, int From, int To) {
    std::vector<int> rows;
    for (int y = 0; y < kH; ++y)
      for (int x = From; x < To; ++x)
        if (Color(Px[size_t(y) * kW + size_t(x)])) {
          rows.push_back(y);
          break;
        }
    return rows;
  }
  fw::Integer TextWidth(const WideString& Text) {
    target.Canvas()->Font()->Assign(fw::Screen->MenuFont());
    return MeasureWideMenuText(target.Canvas(), Text, 0);
  }

  fw::TPopupMenu menu{nullptr};
  fw::TImageList images{nullptr};
  TUniMenuItem* item = nullptr;
  fw::TBitmap target;
};

TEST_F(WideMenuDrawTest, CaptionFollowsTheGlyphColumnAndTheWideKeyTextEndsTenPixelsIn) {
  const std::vector<uint32_t> px = Draw({});
  const TPixelTest ink = Near(fw::clMenuText);
  const fw::Integer caption = TextWidth(u"Открыть"), key = TextWidth(u"Ctrl+3");
  // Caption: from the glyph column's end (16 + 1) and 2 pixels more.
  const std::vector<int> captionCols = ColumnsWith(px, ink, 0, 19 + caption + 2);
  ASSERT_FALSE(captionCols.empty());
  EXPECT_GE(captionCols.front(), 19);
  EXPECT_LE(captionCols.front(), 21);
  // The key text is the wide one, right-aligned 10 pixels before the edge: nothing of it lies
  // where the framework's longer "Ctrl+Num 3" would begin.
  const std::vector<int> keyCols = ColumnsWith(px, ink, 19 + caption + 4, kW);
  ASSERT_FALSE(keyCols.empty());
  EXPECT_LE(keyCols.back(), kW - 10);
  EXPECT_GE(keyCols.back(), kW - 13);
  EXPECT_GE(keyCols.front(), kW - 10 - key - 1);
  EXPECT_LE(keyCols.front(), kW - 10 - key + 2);
  // Centred in the item's height: as much room above the ink as below, give or take the
  // descender space.
  const std::vector<int> rows = RowsWith(px, ink, 19, kW);
  ASSERT_FALSE(rows.empty());
  EXPECT_LE(std::abs(rows.front() - (kH - 1 - rows.back())), 4) << rows.front() << ".." << rows.back();
  // The image still sits in the glyph column, drawn by the framework.
  EXPECT_EQ(px[size_t(kH / 2) * kW + 8], 0xFF0000u);
}

TEST_F(WideMenuDrawTest, ARightToLeftMenuPutsTheKeyTextTenPixelsFromTheLeftAndTheCaptionRight) {
  MiddleEastMenus = true;
  const std::vector<uint32_t> px = Draw({});
  MiddleEastMenus = false;
  const TPixelTest ink = Near(fw::clMenuText);
  const fw::Integer key = TextWidth(u"Ctrl+3"), caption = TextWidth(u"Открыть");
  const std::vector<int> keyCols = ColumnsWith(px, ink, 0, 10 + key + 2);
  ASSERT_FALSE(keyCols.empty());
  EXPECT_GE(keyCols.front(), 10);
  EXPECT_LE(keyCols.front(), 12);
  const std::vector<int> captionCols = ColumnsWith(px, ink, kW / 2, kW);
  ASSERT_FALSE(captionCols.empty());
  EXPECT_GE(captionCols.back(), kW - 3);
  EXPECT_LE(captionCols.front(), kW - caption + 2);
}

TEST_F(WideMenuDrawTest, DisabledTextIsEmbossedUnlessSelected) {
  item->SetEnabled(false);
  const TPixelTest light = Near(fw::clBtnHighlight), shadow = Near(fw::clBtnShadow);
  std::vector<uint32_t> px = Draw({});
  const std::vector<int> lightCols = ColumnsWith(px, light, 19, kW), shadowCols = ColumnsWith(px, shadow, 19, kW);
  ASSERT_FALSE(lightCols.empty());
  ASSERT_FALSE(shadowCols.empty());
  EXPECT_EQ(lightCols.front(), shadowCols.front() + 1) << "the highlight copy lies one pixel right";
  EXPECT_EQ(lightCols.back(), shadowCols.back() + 1);
  px = Draw({fw::odSelected});
  EXPECT_TRUE(ColumnsWith(px, light, 19, kW).empty());
  EXPECT_FALSE(ColumnsWith(px, shadow, 19, kW).empty());
}

TEST_F(WideMenuDrawTest, DrawingLeavesTheItemAndItsMenuUnchanged) {
  int changes = 0;
  menu.OnChange = [&](fw::TObject*) { ++changes; };
  menu.Handle();
  Draw({fw::odSelected});
  EXPECT_EQ(changes, 0) << "no menu change is announced for the blanked texts";
  EXPECT_EQ(item->Caption(), u"Открыть");
  EXPECT_EQ(item->ShortCut(), kNumPadKey);
  menu.OnChange = nullptr;  // the menu outlives the count it would go on updating
}

TEST_F(WideMenuDrawTest, MeasureTakesTheWideTextsWidthAndTheHandlerSeesIt) {
  fw::TMenuItem plain(nullptr);
  plain.SetCaption("Открыть");
  plain.SetShortCut(kNumPadKey);
  menu.Items()->Add(&plain);
  fw::Integer plainW = 0, plainH = 0, wideW = 0, wideH = 0;
  target.Canvas()->Font()->Assign(fw::Screen->MenuFont());
  plain.MeasureItem(target.Canvas(), plainW, plainH);
  menu.Items()->Remove(&plain);
  std::vector<fw::Integer> seen;
  item->OnMeasureItem = [&](fw::TObject*, fw::TCanvas*, fw::Integer& Width, fw::Integer&) { seen.push_back(Width); };
  target.Canvas()->Font()->Assign(fw::Screen->MenuFont());
  item->MeasureItem(target.Canvas(), wideW, wideH);
  EXPECT_EQ(wideW, plainW - (TextWidth(u"Ctrl+Num 3") - TextWidth(u"Ctrl+3")));
  EXPECT_EQ(wideH, plainH);
  EXPECT_EQ(seen, (std::vector<fw::Integer>{wideW})) << "the handler runs once, after the correction";
  ASSERT_TRUE(item->OnMeasureItem) << "the handler is kept";
}

TEST_F(WideMenuDrawTest, OwnHandlersInAMenuWithImagesAndSeparatorsAreTheFrameworks) {
  int handled = 0;
  item->OnAdvancedDrawItem = [&](fw::TObject*, fw::TCanvas*, const fw::TRect&, fw::TOwnerDrawState) { ++handled; };
  const std::vector<uint32_t> px = Draw({});
  EXPECT_EQ(handled, 1);
  EXPECT_TRUE(ColumnsWith(px, Near(fw::clMenuText), 0, kW).empty()) << "the handler drew nothing";
  // A separator looks as the framework draws it.
  item->OnAdvancedDrawItem = nullptr;
  item->SetCaption(u"-");
  const std::vector<uint32_t> line = Draw({});
  fw::TMenuItem plain(nullptr);
  plain.SetCaption("-");
  plain.SetImageIndex(0);
  plain.SetShortCut(kNumPadKey);
  menu.Items()->Add(&plain);
  Clear();
  plain.AdvancedDrawItem(target.Canvas(), fw::Rect(0, 0, kW, kH), {}, false);
  menu.Items()->Remove(&plain);
  EXPECT_EQ(line, kvtest::PixelsByDIBits(target));
}

}  // namespace
}  // namespace cs
