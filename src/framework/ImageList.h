#pragma once
// TCustomImageList/TImageList: a list of same-sized images, each with a mask (white = see-through)
// or per-pixel alpha (32 bpp images whose alpha bytes are not all zero). Users hear of changes
// through OnChange and through change links they register.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/GraphicsTypes.h"

namespace fw {

class TBitmap;
class TCanvas;
class TCustomImageList;

// Registered with an image list by whoever shows its images; told of every change. A link
// freed first unregisters itself; a list freed first clears the links' Sender.
class TChangeLink : public TObject {
 public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return FSender; }
  void SetSender(TCustomImageList* Value) { FSender = Value; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  TCustomImageList* FSender = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  // Changing the size removes every image.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  Integer Count() const { return Integer(FImages.size()); }

  // Adds Image.Width div Width images cut from left to right (at least one); Mask (optional,
  // white = see-through) is cut the same way. Returns the index of the first, -1 for no image.
  Integer Add(TBitmap* Image, TBitmap* Mask);
  // The mask is made from the pixels of MaskColor (clDefault: the image's bottom-left pixel).
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  // EInvalidOperation "Invalid ImageList Index" outside 0..Count-1.
  void Replace(Integer Index, TBitmap* Image, TBitmap* Mask);
  void Delete(Integer Index);
  void Clear();

  // Nothing for an index outside the list. A disabled image is drawn embossed: its non-white
  // visible pixels in clBtnShadow, with a clBtnHighlight copy one pixel down and right beneath.
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
  // The image's pixels as added (a 32 bpp bitmap of Width x Height).
  void GetBitmap(Integer Index, TBitmap* Image);

  // Painted under the see-through pixels when not clNone.
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  // itMask draws the masks (black image, white see-through) instead of the images.
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType Value);
  // Without masks every image is drawn opaque.
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value);

  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

  TNotifyEvent OnChange;

 protected:
  virtual void Change();

 private:
  struct Entry;
  std::unique_ptr<Entry> MakeEntry(TBitmap* Image, TBitmap* Mask, Integer Left, bool KeyMask, TColor Key);
  void CheckIndex(Integer Index) const;
  void DrawEntry(const Entry& e, win::HDC dest, Integer X, Integer Y);
  void DrawDisabled(TCanvas* Canvas, const Entry& e, Integer X, Integer Y);
  // Which pixels of an image (as drawn on white, 0x00RRGGBB) a disabled image embosses.
  static std::vector<bool> DisabledShape(const std::vector<uint32_t>& OnWhite);

  Integer FWidth = 16;
  Integer FHeight = 16;
  std::vector<std::unique_ptr<Entry>> FImages;
  std::vector<TChangeLink*> FChangeLinks;
  TColor FBkColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
  bool FMasked = true;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};

}  // namespace fw
