#include <gtest/gtest.h>

#include <cstring>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/ImageList.h"

namespace fw {
namespace {

// A strip of two 4x4 images on a fuchsia key: the first with a black 2x2 square at (1, 1), the
// second all red.
std::unique_ptr<TBitmap> Strip() {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(8, 4);
  bmp->Canvas()->Brush()->SetColor(clFuchsia);
  bmp->Canvas()->FillRect(Rect(0, 0, 4, 4));
  bmp->Canvas()->Brush()->SetColor(clBlack);
  bmp->Canvas()->FillRect(Rect(1, 1, 3, 3));
  bmp->Canvas()->Brush()->SetColor(clRed);
  bmp->Canvas()->FillRect(Rect(4, 0, 8, 4));
  return bmp;
}

std::unique_ptr<TBitmap> Target(TColor fill) {
  auto t = std::make_unique<TBitmap>();
  t->SetPixelFormat(pf32bit);
  t->SetSize(12, 12);
  t->Canvas()->Brush()->SetColor(fill);
  t->Canvas()->FillRect(Rect(0, 0, 12, 12));
  return t;
}

TEST(ImageList, AddCutsStripsAndNotifiesLinks) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  int changes = 0, linked = 0;
  list.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &list);
    ++changes;
  };
  TChangeLink link;
  link.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &list);
    ++linked;
  };
  list.RegisterChanges(&link);
  EXPECT_EQ(link.Sender(), &list);
  auto strip = Strip();
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Add(strip.get(), nullptr), 2);
  EXPECT_EQ(list.Count(), 4);
  list.Delete(3);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(linked, 3);
  EXPECT_THROW(list.Delete(3), EInvalidOperation);
  list.UnRegisterChanges(&link);
  EXPECT_EQ(link.Sender(), nullptr);
  list.Clear();
  EXPECT_EQ(linked, 3);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(list.Add(nullptr, nullptr), -1);
}

TEST(ImageList, LinksOutliveOrPrecedeTheList) {
  TChangeLink outer;
  {
    TImageList list(nullptr);
    list.RegisterChanges(&outer);
    {
      TChangeLink inner;
      list.RegisterChanges(&inner);
    }  // unregisters itself
    auto strip = Strip();
    list.AddMasked(strip.get(), clFuchsia);  // would touch a freed link otherwise
  }
  EXPECT_EQ(outer.Sender(), nullptr);
}

TEST(ImageList, DrawsMaskedImagesOverTheBackground) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  auto strip = Strip();
  list.AddMasked(strip.get(), clFuchsia);
  auto t = Target(clYellow);
  list.Draw(t->Canvas(), 2, 3, 0);
  EXPECT_EQ(t->Canvas()->Pixels(2, 3), clYellow) << "key colour is see-through";
  EXPECT_EQ(t->Canvas()->Pixels(3, 4), clBlack);
  EXPECT_EQ(t->Canvas()->Pixels(4, 5), clBlack);
  EXPECT_EQ(t->Canvas()->Pixels(5, 6), clYellow);
  list.Draw(t->Canvas(), 6, 6, 1);
  EXPECT_EQ(t->Canvas()->Pixels(6, 6), clRed);
  EXPECT_EQ(t->Canvas()->Pixels(9, 9), clRed);
  EXPECT_EQ(t->Canvas()->Pixels(10, 10), clYellow);
  list.Draw(t->Canvas(), 0, 0, 7);  // no such image: nothing
  EXPECT_EQ(t->Canvas()->Pixels(0, 0), clYellow);

  list.SetBkColor(clLime);
  list.Draw(t->Canvas(), 0, 0, 0);
  EXPECT_EQ(t->Canvas()->Pixels(0, 0), clLime);
  EXPECT_EQ(t->Canvas()->Pixels(1, 1), clBlack);
  list.SetBkColor(clNone);

  list.SetMasked(false);
  list.Draw(t->Canvas(), 0, 0, 0);
  EXPECT_EQ(t->Canvas()->Pixels(0, 0), clFuchsia);
  list.SetMasked(true);
  list.SetImageType(itMask);
  list.Draw(t->Canvas(), 0, 0, 0);
  EXPECT_EQ(t->Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(t->Canvas()->Pixels(1, 1), clBlack);
}

TEST(ImageList, ExplicitMasksMakeWhiteSeeThrough) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  auto strip = Strip();
  TBitmap mask;
  mask.SetMonochrome(true);
  mask.SetSize(8, 4);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->FillRect(Rect(0, 0, 8, 2));  // the top half of both images shows
  list.Add(strip.get(), &mask);
  auto t = Target(clYellow);
  list.Draw(t->Canvas(), 0, 0, 1);
  EXPECT_EQ(t->Canvas()->Pixels(0, 1), clRed);
  EXPECT_EQ(t->Canvas()->Pixels(0, 2), clYellow);
  list.Draw(t->Canvas(), 4, 4, 0);
  EXPECT_EQ(t->Canvas()->Pixels(4, 4), clFuchsia);
  EXPECT_EQ(t->Canvas()->Pixels(5, 5), clBlack);
  EXPECT_EQ(t->Canvas()->Pixels(5, 6), clYellow);
}

TEST(ImageList, DisabledImagesAreEmbossed) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  auto strip = Strip();
  list.AddMasked(strip.get(), clFuchsia);
  auto t = Target(clWhite);
  list.Draw(t->Canvas(), 2, 2, 0, false);
  const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  ASSERT_NE(shadow, light);
  // The square covers (3..4, 3..4); its highlight copy (4..5, 4..5) shows only outside it.
  EXPECT_EQ(t->Canvas()->Pixels(3, 3), shadow);
  EXPECT_EQ(t->Canvas()->Pixels(4, 4), shadow);
  EXPECT_EQ(t->Canvas()->Pixels(5, 5), light);
  EXPECT_EQ(t->Canvas()->Pixels(5, 4), light);
  EXPECT_EQ(t->Canvas()->Pixels(2, 2), clWhite) << "see-through pixels stay";
  EXPECT_EQ(t->Canvas()->Pixels(6, 6), clWhite);
  // A coloured image loses its colour: the red image becomes a shadow block.
  list.Draw(t->Canvas(), 7, 7, 1, false);
  EXPECT_EQ(t->Canvas()->Pixels(7, 7), shadow);
  EXPECT_EQ(t->Canvas()->Pixels(11, 11), light);
  EXPECT_EQ(t->Canvas()->Brush()->Color(), clWhite) << "the canvas brush is given back";
}

// A coloured icon disabled keeps its outline, not a block of its light fill: the shape is what
// is darker than the icon's own average.
TEST(ImageList, DisabledImagesKeepTheShapeOfTheirDarkParts) {
  TBitmap icon;
  icon.SetPixelFormat(pf24bit);
  icon.SetSize(8, 8);
  icon.Canvas()->Brush()->SetColor(clFuchsia);
  icon.Canvas()->FillRect(Rect(0, 0, 8, 8));
  icon.Canvas()->Brush()->SetColor(clBlack);
  icon.Canvas()->FillRect(Rect(1, 1, 7, 7));
  icon.Canvas()->Brush()->SetColor(TColor(0xE6C8C8));  // a light blue-grey fill
  icon.Canvas()->FillRect(Rect(2, 2, 6, 6));
  TImageList list(nullptr);
  list.SetWidth(8);
  list.SetHeight(8);
  list.AddMasked(&icon, clFuchsia);
  auto t = Target(clBtnFace);
  list.Draw(t->Canvas(), 0, 0, 0, false);
  const TColor shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
  EXPECT_EQ(t->Canvas()->Pixels(1, 1), shadow) << "the outline shows";
  EXPECT_EQ(t->Canvas()->Pixels(6, 3), shadow);
  int fill = 0;
  for (int y = 3; y < 6; ++y)
    for (int x = 3; x < 6; ++x) fill += t->Canvas()->Pixels(x, y) == shadow;
  EXPECT_EQ(fill, 0) << "the light fill is no shadow block";
  EXPECT_EQ(t->Canvas()->Pixels(0, 0), face) << "see-through pixels stay";
}

TEST(ImageList, AlphaImagesBlend) {
  TBitmap img;
  img.SetPixelFormat(pf32bit);
  img.SetSize(2, 1);
  auto* row = static_cast<uint8_t*>(img.ScanLine(0));
  const uint8_t px[8] = {0, 0, 255, 255, /* opaque red */ 255, 0, 0, 128 /* half blue */};
  std::memcpy(row, px, sizeof px);
  TImageList list(nullptr);
  list.SetWidth(2);
  list.SetHeight(1);
  list.Add(&img, nullptr);
  auto t = Target(clWhite);
  list.Draw(t->Canvas(), 0, 0, 0);
  EXPECT_EQ(t->Canvas()->Pixels(0, 0), clRed);
  const TColor mixed = t->Canvas()->Pixels(1, 0);
  EXPECT_NEAR(mixed & 0xFF, 127, 2);
  EXPECT_NEAR(mixed >> 16, 255, 1);
  TBitmap back;
  list.GetBitmap(0, &back);
  EXPECT_EQ(back.Width(), 2);
  EXPECT_EQ(static_cast<uint8_t*>(back.ScanLine(0))[7], 128) << "the image as added, alpha included";
  EXPECT_THROW(list.GetBitmap(1, &back), EInvalidOperation);
}

TEST(ImageList, ResizingEmptiesTheList) {
  TImageList list(nullptr);
  auto strip = Strip();
  list.SetWidth(4);
  list.SetHeight(4);
  list.AddMasked(strip.get(), clDefault);
  EXPECT_EQ(list.Count(), 2);
  list.SetWidth(8);
  EXPECT_EQ(list.Count(), 0);
  list.AddMasked(strip.get(), clDefault);
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
}  // namespace fw
