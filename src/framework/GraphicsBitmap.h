#pragma once
// TBitmap: an image in a GDI bitmap: a DIB section of a chosen depth (bmDIB) or a device bitmap
// (bmDDB: pfDevice, or monochrome). Changing PixelFormat, HandleType or Monochrome converts the
// pixels; changing the size keeps the top-left part and fills the rest with the canvas brush
// colour (white without a canvas).
//
// ScanLine(y) points at row y of a DIB: rows lie top-down in memory, so row y + 1 starts
// ScanLineSize() bytes after row y (rows padded to 4 bytes). 24 and 32 bpp pixels are stored
// blue, green, red (, unused). A device bitmap is made a DIB first.

#include <memory>
#include <vector>

#include "framework/Colors.h"
#include "framework/Graphics.h"
#include "platform/gdi/GdiTypes.h"

namespace fw {

class TBitmapCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  // From another bitmap: a copy of its pixels, format and transparency settings. From another
  // graphic: drawn onto this bitmap at its size. Null empties the bitmap.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FWidth <= 0 || FHeight <= 0; }
  Integer Width() const override { return FWidth; }
  Integer Height() const override { return FHeight; }
  void SetWidth(Integer Value) override { SetSize(Value, FHeight); }
  void SetHeight(Integer Value) override { SetSize(FWidth, Value); }
  // Negative sizes count as 0; a size the drawing layer cannot make raises EOutOfResources.
  void SetSize(Integer AWidth, Integer AHeight) override;

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // BMP data of any depth; EInvalidGraphic "Bitmap image is not valid" for anything else.
  void LoadFromStream(TStream* Stream) override;
  // An uncompressed BMP of the bitmap's own depth; nothing for an empty bitmap.
  void SaveToStream(TStream* Stream) override;

  // A canvas on a memory DC holding this bitmap, made on first use.
  TCanvas* Canvas();
  // The bitmap object (null while empty), made again from the dormant image when needed.
  win::HBITMAP Handle();
  // Takes ownership of a bitmap object; null empties the bitmap.
  void SetHandle(win::HBITMAP Value);
  // Hands the bitmap object to the caller, who deletes it; this bitmap becomes empty.
  win::HBITMAP ReleaseHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  TBitmapHandleType HandleType() const { return FHandleType; }
  void SetHandleType(TBitmapHandleType Value);

  // pfDevice for a colour device bitmap, pfCustom for a DIB of a layout no other value names.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // pfCustom raises EInvalidGraphic "Invalid pixel format".
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const { return FMonochrome; }
  void SetMonochrome(bool Value);

  // EInvalidGraphicOperation "Scan line index out of range" outside 0..Height-1.
  void* ScanLine(Integer Row);
  // Bytes from one row to the next.
  Integer ScanLineSize() const;

  // The colour table of a 1, 4 or 8 bpp bitmap (empty for other depths). Setting it keeps the
  // pixel indexes; extra entries are ignored and missing ones are black.
  std::vector<win::RGBQUAD> ColorTable();
  void SetColorTable(const std::vector<win::RGBQUAD>& Table);

  // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set. Setting a colour
  // chooses tmFixed; choosing tmAuto forgets the colour.
  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);
  // A 1 bpp mask of the bitmap's size: white where the pixel has the transparent colour, black
  // elsewhere. Owned by this bitmap and remade after a change.
  win::HBITMAP MaskHandle();

  // Keeps the image as BMP data in memory and frees the bitmap object until it is needed again.
  void Dormant();
  // Drops the in-memory copy of the image when the bitmap object holds the pixels anyway.
  void FreeImage();

 protected:
  void Changed(TObject* Sender) override;

 private:
  friend class TBitmapCanvas;
  // Makes the canvas let go of the bitmap object (its DC is made again on the next use).
  void FreeContext();
  // Installs `h` (owned) as the image and reads its size and format.
  void ReplaceHandle(win::HBITMAP h);
  void FreeMask();
  win::HBITMAP ConvertedCopy(TPixelFormat Format, bool Monochrome, TBitmapHandleType Type, Integer AWidth,
                             Integer AHeight);

  win::HBITMAP FHandle = nullptr;
  win::HBITMAP FMaskHandle = nullptr;
  std::vector<unsigned char> FDormantImage;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  bool FMonochrome = false;
  TBitmapHandleType FHandleType = bmDDB;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

}  // namespace fw
