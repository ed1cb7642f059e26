#pragma once
// One frame of a GIF image: its descriptor, pixel data (one byte per pixel, rows top to bottom,
// never interlaced in memory), local colour map, extensions, and the cached rendering.

#include <cstdint>
#include <memory>
#include <vector>

#include "export/GIFImageItems.h"
#include "framework/GraphicsTypes.h"

namespace kvexport {

class TGIFExtensionList;
class TGIFGraphicControlExtension;

class TGIFSubImage : public TGIFItem {
 public:
  explicit TGIFSubImage(TGIFImage* Image);
  ~TGIFSubImage() override;

  // From a frame, a framework bitmap, icon, picture or other graphic.
  void Assign(fw::TPersistent* Source) override;
  TGIFVersion GetVersion() const override;
  // Extensions, then (when not empty) the descriptor, local table and image data.
  void SaveToStream(fw::TStream* Stream) override;
  // Extensions, then the descriptor and data (a frame may hold extensions only).
  void LoadFromStream(fw::TStream* Stream) override;
  void Clear();
  // No pixel data, or Width or Height 0.
  bool Empty() const;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { FLeft = static_cast<std::uint16_t>(Value); CheckScreenSize(); }
  void SetTop(int Value) { FTop = static_cast<std::uint16_t>(Value); CheckScreenSize(); }
  // A changed size drops bitmap, mask and data and allocates zero-filled data; the screen grows
  // when the frame reaches past it.
  void SetWidth(int Value);
  void SetHeight(int Value);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  fw::TRect BoundsRect() const { return fw::TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  bool Interlaced() const { return (FPacked & 0x40) != 0; }
  void SetInterlaced(bool Value);
  std::uint8_t PackedFields() const { return FPacked; }

  // "Invalid pixel coordinates" outside the frame; "Image is empty" for a zero-sized frame.
  std::uint8_t Pixels(int X, int Y);
  void SetPixels(int X, int Y, std::uint8_t Value);
  std::uint8_t* Scanline(int Y);
  std::vector<std::uint8_t>& Data() { return FData; }
  const std::vector<std::uint8_t>& Data() const { return FData; }

  TGIFLocalColorMap& ColorMap() { return *FColorMap; }
  // The local map if it has colours, else the global one if it has, else the empty local map.
  TGIFColorMap& ActiveColorMap();
  TGIFExtensionList& Extensions() { return *FExtensions; }
  TGIFGraphicControlExtension* GraphicControlExtension() const { return FGCE; }
  void SetGraphicControlExtension(TGIFGraphicControlExtension* Value) { FGCE = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }

  // The frame rendered into a bitmap, built on first use; null for an empty frame.
  fw::TBitmap* Bitmap();
  // Takes a bitmap as the frame's rendering (null drops it).
  void SetBitmap(std::unique_ptr<fw::TBitmap> Value);
  // The transparency mask (1 bit per pixel, set where transparent) built with the bitmap; null
  // when the frame is opaque or no pixel is transparent.
  fw::TBitmap* Mask();
  // Packed mask rows of ((Width + 15) / 16) * 2 bytes, most significant bit first.
  const std::vector<std::uint8_t>& MaskBits();
  // Its bitmap's, its cached one, the web palette when dithering applies, the local map's, or
  // the image's.
  TGIFPalette Palette();
  void DropCaches();
  // Draws itself into Rect (scaled there unless tiled).
  void Draw(fw::TCanvas* ACanvas, const fw::TRect& Rect, bool DoTransparent, bool DoTile);
  // The frame's rectangle scaled from the image's size into Rect.
  fw::TRect ScaleRect(const fw::TRect& Rect) const;
  // The palette was dropped; the owner's cached palette follows.
  void ColorMapChanged();

 protected:
  void AssignTo(fw::TPersistent* Dest) override;

 private:
  friend class TGIFImage;
  void AllocateData();
  void CheckScreenSize();
  void AssignFromSubImage(TGIFSubImage* Source);
  void AssignFromBitmap(fw::TBitmap* Source);
  // Non-zero mask pixels become a transparent colour index.
  void ImportMask(const std::vector<std::uint8_t>& MaskPixels);
  void RenderBitmap();
  bool DitherApplies() const;

  std::uint16_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  std::uint8_t FPacked = 0;
  std::vector<std::uint8_t> FData;
  std::unique_ptr<TGIFLocalColorMap> FColorMap;
  std::unique_ptr<TGIFExtensionList> FExtensions;
  TGIFGraphicControlExtension* FGCE = nullptr;
  bool FTransparent = false;
  std::unique_ptr<fw::TBitmap> FBitmap;
  std::unique_ptr<fw::TBitmap> FMask;
  std::vector<std::uint8_t> FMaskBits;
  TGIFPalette FPalette;
};

}  // namespace kvexport
