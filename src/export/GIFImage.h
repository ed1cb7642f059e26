#pragma once
// TGIFImage: a GIF picture as a list of frames, read and written as GIF87a/GIF89a, drawn (and
// animated) on any framework canvas. Assigning a bitmap makes one frame of it, reducing its
// colours first when it has more than 8 bits per pixel. Registered with the picture formats
// under "GIF" and with the clipboard as "GIF Image".

#include <memory>
#include <string>
#include <vector>

#include "export/GIFImageTypes.h"
#include "framework/Colors.h"
#include "framework/Graphics.h"

namespace kvexport {

class TGIFHeader;
class TGIFImageList;
class TGIFSubImage;
class TGIFPainter;

class TGIFImage : public fw::TGraphic {
 public:
  TGIFImage();
  ~TGIFImage() override;

  // Another TGIFImage: header, ThreadPriority, BackgroundColor, DrawOptions, ColorReduction and
  // DitherMode plus a copy of every frame. Null: Clear. Any other graphic: one frame of it.
  void Assign(fw::TPersistent* Source) override;
  // A graphic becomes a new frame; a TGIFSubImage is added as it is (ownership passes here).
  // Anything else raises "Object type not supported for operation". Returns the frame's index.
  int Add(fw::TPersistent* Source);

  bool Empty() const override;
  bool Equals(const fw::TGraphic* Graphic) const { return Graphic == this; }
  // The logical screen size.
  fw::Integer Width() const override;
  fw::Integer Height() const override;
  // Below a frame's right (bottom) edge: "Image width (height) too small for contained frames".
  void SetWidth(fw::Integer Value) override;
  void SetHeight(fw::Integer Value) override;
  void Draw(fw::TCanvas* ACanvas, const fw::TRect& Rect) override;
  // A failed load leaves what was read and the stream at the start of the GIF data.
  void LoadFromStream(fw::TStream* Stream) override;
  // "Unsupported GIF version" when there are no frames.
  void SaveToStream(fw::TStream* Stream) override;
  void Clear();

  // The image rendered as one bitmap (for AssignTo, the clipboard and animated drawing).
  std::unique_ptr<fw::TBitmap> RenderBitmap();
  // The framework clipboard exchange: the image as a bitmap through Format/Data/Palette, and the
  // GIF stream itself under the "GIF Image" format. An empty image places nothing.
  void SaveToClipboardFormat(win::UINT& Format, win::HANDLE& Data, TGIFPalette& APalette);
  void LoadFromClipboardFormat(win::UINT Format, win::HANDLE Data, const TGIFPalette& APalette);

  TGIFImageList& Images() { return *FImages; }
  TGIFHeader& Header() { return *FHeader; }
  TGIFVersion Version() const;

  TGIFPalette Palette();
  void SetPalette(const TGIFPalette& Value);
  bool PaletteModified() const { return FPaletteModified; }
  void SetPaletteModified(bool Value) { FPaletteModified = Value; }

  TGIFDrawOptions DrawOptions() const { return FDrawOptions; }
  void SetDrawOptions(TGIFDrawOptions Value) { FDrawOptions = Value; }
  TColorReduction ColorReduction() const { return FColorReduction; }
  void SetColorReduction(TColorReduction Value) { FColorReduction = Value; }
  // Quantize makes 2^ReductionBits colours; kept within 1..8.
  int ReductionBits() const { return FReductionBits; }
  void SetReductionBits(int Value);
  TDitherMode DitherMode() const { return FDitherMode; }
  void SetDitherMode(TDitherMode Value) { FDitherMode = Value; }
  TGIFCompression Compression() const { return FCompression; }
  void SetCompression(TGIFCompression Value) { FCompression = Value; }
  TGIFThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TGIFThreadPriority Value) { FThreadPriority = Value; }
  // Percent of the stored frame delays.
  int AnimationSpeed() const { return FAnimationSpeed; }
  void SetAnimationSpeed(int Value) { FAnimationSpeed = Value < 0 ? 0 : Value; }
  // clNone: take the header's background colour.
  fw::TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(fw::TColor Value);

  // Calls OnWarning when assigned; never stops the operation.
  void Warning(fw::TObject* Sender, int Severity, const std::string& Message);
  void Progress(fw::TObject* Sender, TProgressStage Stage, int PercentDone, const std::string& Message);
  // Drops the cached bitmap and fires the change notification.
  void ImageChanged();
  // Drops the cached palette (a colour map changed).
  void PaletteChanged();
  // Dithering applies: Dither set and either AutoDither clear or the screen is a palette device.
  bool DoDither() const;

  // Painters (animation).
  void StopDraw();
  TGIFPainter* Painter();
  int PainterCount();
  fw::TBitmap* CachedBitmap() const { return FBitmap.get(); }

  TGIFWarning OnWarning;
  TGIFProgressEvent OnProgress;
  // Copied into each painter; called with the painter as sender.
  fw::TNotifyEvent OnAnimationStart, OnFramePaint, OnFrameDone, OnLoopRestart, OnAnimationEnd;

 protected:
  void AssignTo(fw::TPersistent* Dest) override;

 private:
  friend class TGIFPainter;
  void AssignFromGIF(TGIFImage* Source);
  // A picture read without any colour table (none global, none in a frame) gets a global grey
  // ramp wide enough for its pixel values before saving, index i as grey i, the way common
  // readers show such a file; otherwise its frames could not be written.
  void SupplyDefaultColorTable();
  void RemovePainter(TGIFPainter* APainter);
  TGIFPainter* InternalPaint(fw::TCanvas* ACanvas, const fw::TRect& Rect, TGIFDrawOptions Options);
  // Drops the cached bitmap, stopping the painters that draw into it.
  void DropBitmap();
  // Draws the cached bitmap into Rect, stretched or tiled.
  void DrawCachedBitmap(fw::TCanvas* ACanvas, const fw::TRect& Rect);

  std::unique_ptr<TGIFImageList> FImages;
  std::unique_ptr<TGIFHeader> FHeader;
  std::unique_ptr<fw::TBitmap> FBitmap;
  TGIFPalette FPalette;
  bool FPaletteModified = false;
  TGIFDrawOptions FDrawOptions = TGIFDrawOptions::FromBits(GIFDefaultDrawOptionBits);
  TColorReduction FColorReduction = TColorReduction::Netscape;
  int FReductionBits = 8;
  TDitherMode FDitherMode = TDitherMode::Nearest;
  TGIFCompression FCompression = TGIFCompression::LZW;
  TGIFThreadPriority FThreadPriority = tpNormal;
  int FAnimationSpeed = 100;
  fw::TColor FBackgroundColor = fw::clNone;
  bool FDrawing = false;
  bool FGettingPalette = false;
  std::vector<TGIFPainter*> FPainters;
  TGIFPainter* FPainter = nullptr;
};

// The clipboard format number registered under "GIF Image".
win::UINT CF_GIF();
// True when the screen has 8 or fewer bits per pixel.
bool PaletteDevice();
// Puts the image on the clipboard as a bitmap and as "GIF Image" data, replacing what was there.
void CopyGIFToClipboard(TGIFImage& Image);
// Registers "GIF" with the picture formats (done at start; calling it again does no harm).
void RegisterGIFImage();

}  // namespace kvexport
