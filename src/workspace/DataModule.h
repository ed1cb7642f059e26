#pragma once
// TDataModule1: the images the program's windows share, made once at start-up before the main
// window: the command images in four sizes (indexes of CommandImageSources), the pen-style
// images and the pointer-style images. Windows, menus and actions keep links to these lists;
// the data module owns them.

#include "framework/Component.h"

namespace fw {
class TImageList;
}

namespace workspace {

class TDataModule1 : public fw::TComponent {
 public:
  explicit TDataModule1(fw::TComponent* AOwner);
  ~TDataModule1() override;

  // Command images: big 22 x 22 (toolbar buttons in big-button mode and dialog buttons), small
  // 16 x 16, 18 x 18 and menu 16 x 16.
  fw::TImageList* BigImages() const { return FBigImages; }
  fw::TImageList* SmallImages() const { return FSmallImages; }
  fw::TImageList* Images18() const { return FImages18; }
  fw::TImageList* MenuImages() const { return FMenuImages; }
  // One image per pen style the format dialogs offer (psSolid .. psClear, at the style's value).
  fw::TImageList* PenStyleImages() const { return FPenStyleImages; }
  // One image per pointer style (chart::psRectangle .. chart::psSmallDot, at the style's value).
  fw::TImageList* PointerImages() const { return FPointerImages; }

 private:
  void FillCommandImages();
  void FillPenStyleImages();
  void FillPointerImages();

  fw::TImageList* FBigImages;
  fw::TImageList* FSmallImages;
  fw::TImageList* FImages18;
  fw::TImageList* FMenuImages;
  fw::TImageList* FPenStyleImages;
  fw::TImageList* FPointerImages;
};

// The program's data module while it exists (set by its constructor, cleared by its destructor).
extern TDataModule1* DataModule1;

inline constexpr int PenStyleImageWidth = 32;
inline constexpr int PenStyleImageHeight = 16;
inline constexpr int PenStyleImageCount = 6;
inline constexpr int PointerImageSize = 16;
inline constexpr int PointerImageCount = 9;

}  // namespace workspace
