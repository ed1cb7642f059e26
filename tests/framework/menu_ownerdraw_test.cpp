#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "graphics_test_support.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/services/SysColors.h"

namespace fw::testing {
namespace {

TMenuItem* NewOwnerDrawItem(TComponent* owner, const String& caption, TMenuItem* parent) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

win::UINT ItemType(win::HMENU menu, int pos) {
  win::MENUITEMINFOW mii;
  mii.fMask = win::MIIM_FTYPE;
  win::GetMenuItemInfoW(menu, win::UINT(pos), win::TRUE, &mii);
  return mii.fType;
}

// A 16 x 16 image list holding one solid red image.
void AddRedImage(TImageList& images) {
  TBitmap red;
  red.SetPixelFormat(pf24bit);
  red.SetSize(16, 16);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(Rect(0, 0, 16, 16));
  images.Add(&red, nullptr);
}

using MenuOwnerDrawTests = ControlTest;

TEST_F(MenuOwnerDrawTests, OwnerDrawOrImagesMakeItemsOwnerDrawnButNotTheMenuBarsOrLines) {
  TMainMenu bar(nullptr);
  auto* file = NewOwnerDrawItem(&bar, "&File", bar.Items());
  NewOwnerDrawItem(&bar, "&Open", file);
  NewOwnerDrawItem(&bar, "-", file);
  EXPECT_EQ(ItemType(file->Handle(), 0) & win::MFT_OWNERDRAW, 0u);
  TImageList images(nullptr);
  bar.SetImages(&images);
  EXPECT_NE(ItemType(file->Handle(), 0) & win::MFT_OWNERDRAW, 0u);
  EXPECT_NE(ItemType(file->Handle(), 1) & win::MFT_SEPARATOR, 0u);
  EXPECT_EQ(ItemType(bar.Handle(), 0) & win::MFT_OWNERDRAW, 0u);
  bar.SetOwnerDraw(true);
  EXPECT_NE(ItemType(bar.Handle(), 0) & win::MFT_OWNERDRAW, 0u);
  bar.SetOwnerDraw(false);
  bar.SetImages(nullptr);
  EXPECT_EQ(ItemType(file->Handle(), 0) & win::MFT_OWNERDRAW, 0u);
}

TEST_F(MenuOwnerDrawTests, APopupAsksTheItemsToMeasureAndDrawThemselves) {
  TForm form(nullptr);
  form.Show();
  Pump();
  TPopupMenu menu(nullptr);
  menu.SetOwnerDraw(true);
  auto* first = NewOwnerDrawItem(&menu, "First", menu.Items());
  auto* second = NewOwnerDrawItem(&menu, "Second", menu.Items());
  second->OnMeasureItem = [&](TObject* sender, TCanvas* canvas, Integer& width, Integer& height) {
    EXPECT_EQ(sender, second);
    EXPECT_NE(canvas, nullptr);
    EXPECT_GT(width, 0);  // measured by the item before the event
    height = 30;
  };
  std::vector<std::string> draws;
  first->OnDrawItem = [&](TObject*, TCanvas*, const TRect&, bool selected) {
    draws.push_back(selected ? "first selected" : "first");
  };
  second->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, const TRect& r, TOwnerDrawState state) {
    draws.push_back(state.Contains(odSelected) ? "second selected" : "second");
    canvas->Brush()->SetColor(clLime);
    canvas->FillRect(r);
  };
  int heightSeen = 0;
  desktop->script([&] {
    win::RECT r;
    win::GetMenuItemRect(nullptr, menu.Handle(), 1, &r);
    heightSeen = r.bottom - r.top;
    // Each step runs when the menu loop is idle again, after it has painted.
    desktop->press_key(win::VK_DOWN);
    desktop->script([&] {
      desktop->press_key(win::VK_DOWN);
      desktop->script([&] { desktop->press_key(win::VK_ESCAPE); });
    });
  });
  menu.Popup(40, 40);
  Pump();
  EXPECT_EQ(heightSeen, 30);
  auto has = [&](const std::string& s) { return std::find(draws.begin(), draws.end(), s) != draws.end(); };
  EXPECT_TRUE(has("first"));
  EXPECT_TRUE(has("second"));
  EXPECT_TRUE(has("first selected"));
  EXPECT_TRUE(has("second selected"));
}

// The measuring and drawing hooks are virtual, for items that draw their own way.
class TallItem : public TMenuItem {
 public:
  using TMenuItem::TMenuItem;
  void MeasureItem(TCanvas* ACanvas, Integer& Width, Integer& Height) override {
    TMenuItem::MeasureItem(ACanvas, Width, Height);
    Height = 44;
  }
};

TEST_F(MenuOwnerDrawTests, MessagesReachOverriddenHooksAndNotOtherMenusItems) {
  TPopupMenu menu(nullptr);
  menu.SetOwnerDraw(true);
  auto* tall = new TallItem(&menu);
  tall->SetCaption("Tall");
  menu.Items()->Add(tall);
  win::MEASUREITEMSTRUCT mis;
  mis.CtlType = win::ODT_MENU;
  mis.itemID = tall->Command();
  EXPECT_TRUE(menu.DispatchMeasureItem(mis));
  EXPECT_EQ(mis.itemHeight, 44u);
  // A wider caption measures wider.
  const win::UINT narrow = mis.itemWidth;
  tall->SetCaption("Tall item with a much longer caption");
  EXPECT_TRUE(menu.DispatchMeasureItem(mis));
  EXPECT_GT(mis.itemWidth, narrow);
  TPopupMenu other(nullptr);
  EXPECT_FALSE(other.DispatchMeasureItem(mis));
  mis.CtlType = win::ODT_LISTBOX;
  EXPECT_FALSE(menu.DispatchMeasureItem(mis));
}

TEST_F(MenuOwnerDrawTests, DefaultDrawingPutsTheImageInTheGlyphColumnOnTheMenuColour) {
  TPopupMenu menu(nullptr);
  TImageList images(nullptr);
  AddRedImage(images);
  menu.SetImages(&images);
  auto* item = NewOwnerDrawItem(&menu, "Open", menu.Items());
  item->SetImageIndex(0);
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(120, 20);
  item->AdvancedDrawItem(target.Canvas(), Rect(0, 0, 120, 20), {}, false);
  std::vector<uint32_t> px = kvtest::PixelsByDIBits(target);
  const auto rgb = [](TColor c) {
    const win::COLORREF r = win::COLORREF(ColorToRGB(c));
    return (uint32_t(win::GetRValue(r)) << 16) | (uint32_t(win::GetGValue(r)) << 8) | win::GetBValue(r);
  };
  // The 16 x 16 image is centred vertically in the 20-pixel row: rows 2..17.
  EXPECT_EQ(px[size_t(2) * 120 + 0], 0xFF0000u);
  EXPECT_EQ(px[size_t(17) * 120 + 15], 0xFF0000u);
  EXPECT_EQ(px[size_t(1) * 120 + 0], rgb(clMenu));
  EXPECT_EQ(px[size_t(10) * 120 + 119], rgb(clMenu));
  // Selected, the background is the highlight.
  item->AdvancedDrawItem(target.Canvas(), Rect(0, 0, 120, 20), {odSelected}, false);
  px = kvtest::PixelsByDIBits(target);
  EXPECT_EQ(px[size_t(10) * 120 + 119], rgb(clHighlight));
  EXPECT_EQ(px[size_t(10) * 120 + 8], 0xFF0000u);
}

// The key text after a caption's tab stands in its own column, right-aligned: the keys of items
// with captions of any length end together, 10 pixels inside the item.
TEST_F(MenuOwnerDrawTests, KeyTextsAfterATabEndInOneColumn) {
  TPopupMenu menu(nullptr);
  TImageList images(nullptr);
  AddRedImage(images);
  menu.SetImages(&images);
  std::vector<TMenuItem*> items{NewOwnerDrawItem(&menu, "Копировать\tCtrl+C", menu.Items()),
                                NewOwnerDrawItem(&menu, "Удалить график\tDel", menu.Items()),
                                NewOwnerDrawItem(&menu, "Вставить", menu.Items())};
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(300, 20);
  Integer width = 0;
  std::vector<Integer> widths;
  for (TMenuItem* item : items) {
    Integer w = 0, h = 0;
    target.Canvas()->Font()->Assign(Screen->MenuFont());
    item->MeasureItem(target.Canvas(), w, h);
    widths.push_back(w);
    width = std::max(width, w);
  }
  EXPECT_GT(widths[0], widths[2]) << "the key text takes room";
  const auto rightmostText = [&](TMenuItem* item) {
    target.Canvas()->Brush()->SetColor(clMenu);
    target.Canvas()->FillRect(Rect(0, 0, 300, 20));
    target.Canvas()->Font()->Assign(Screen->MenuFont());
    item->AdvancedDrawItem(target.Canvas(), Rect(0, 0, width, 20), {}, false);
    const std::vector<uint32_t> px = kvtest::PixelsByDIBits(target);
    int right = -1;
    for (int y = 0; y < 20; ++y)
      for (int x = 20; x < 300; ++x)
        if ((px[size_t(y) * 300 + size_t(x)] & 0xFF) < 100) right = std::max(right, x);
    return right;
  };
  const int first = rightmostText(items[0]), second = rightmostText(items[1]);
  EXPECT_LE(std::abs(first - second), 1) << first << " and " << second;
  EXPECT_LT(first, width - 8);
  EXPECT_GT(first, width - 16);
}

}  // namespace
}  // namespace fw::testing
