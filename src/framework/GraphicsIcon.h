#pragma once
// TIcon: one icon image with its see-through parts, either per-pixel alpha (32 bpp icons whose
// alpha bytes are not all zero) or a colour image with a mask. Loaded from and saved as .ico
// data; the icon is drawn with the drawing layer's blits and AlphaBlend from its own bitmaps.
//
// Handle is an opaque id of the image, not an icon of the window system (DrawIconEx refuses it). Copies made by Assign share the image and so the id; a new image gets a
// new id; an empty icon has none.

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Graphics.h"
#include "platform/kernel/WinDef.h"

namespace win::icons {
struct Image;
}

namespace fw {

namespace icons = win::icons;

class TIcon : public TGraphic {
 public:
  TIcon();
  ~TIcon() override;

  // From another icon: the same image (shared, it never changes in place). Null empties the icon.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return !FImage; }
  Integer Width() const override;
  Integer Height() const override;
  // The size comes from the image: EInvalidGraphicOperation "Cannot change the size of an icon".
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  // Always true: the see-through pixels leave the canvas as it was.
  bool Transparent() const override { return true; }

  // Stretched over Rect; alpha icons are blended, masked icons paint only their opaque pixels.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

  // .ico data: the image whose size is nearest to 32 x 32 (the deeper one on a tie) is taken.
  // Images of 1, 4, 8, 24 and 32 bpp with AND masks are read; a PNG-compressed image or any
  // other bad data raises EInvalidGraphic and leaves the icon as it was. The data ends where
  // its last image ends; an empty stream empties the icon.
  void LoadFromStream(TStream* Stream) override;
  // One image: 32 bpp with alpha for an alpha icon, else 24 bpp; both with the AND mask.
  // Nothing for an empty icon.
  void SaveToStream(TStream* Stream) override;
  // An RT_RCDATA resource of the program holding .ico data; EResNotFound when missing.
  void LoadFromResourceName(win::HINSTANCE Instance, const String& ResName);

  win::HICON Handle() const;
  bool HandleAllocated() const { return FImage != nullptr; }
  // True when the image has per-pixel alpha (else it has a mask).
  bool HasAlpha() const;

  // Replaces the image: Pixels are Width * Height top-down 0xAARRGGBB words. With Alpha the
  // alpha bytes say how opaque each pixel is; without, Mask (same layout, non-zero = see-through,
  // may be empty for a fully opaque icon) does; see-through pixels become 0. EInvalidGraphic
  // for sizes that do not match or exceed 256.
  void SetImage(Integer AWidth, Integer AHeight, const std::vector<uint32_t>& Pixels, bool Alpha,
                const std::vector<uint8_t>& Mask);
  // The image as SetImage takes it (the alpha byte is 0 in a masked icon).
  std::vector<uint32_t> Pixels() const;
  std::vector<uint8_t> Mask() const;

 private:
  void Install(std::shared_ptr<const icons::Image> Image);

  std::shared_ptr<const icons::Image> FImage;
};

}  // namespace fw
