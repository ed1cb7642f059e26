#pragma once
// TMetafile: a picture kept as enhanced-metafile records, drawn by playing them back; and
// TMetafileCanvas, a canvas whose drawing is recorded into a metafile.

#include "framework/Graphics.h"
#include "framework/GraphicsCanvas.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TMetafile : public TGraphic {
 public:
  TMetafile();
  ~TMetafile() override;

  // From another metafile: a copy of its records and sizes; null empties this one.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FHandle == nullptr; }
  // Size in screen pixels, kept as .01 mm (MMWidth, MMHeight) like the metafile's frame.
  Integer Width() const override;
  Integer Height() const override;
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  Integer MMWidth() const { return FMMWidth; }
  Integer MMHeight() const { return FMMHeight; }
  void SetMMWidth(Integer Value);
  void SetMMHeight(Integer Value);
  // Whether a file of this picture is written as EMF (true) or Windows metafile (false).
  bool Enhanced() const { return FEnhanced; }
  void SetEnhanced(bool Value) { FEnhanced = Value; }

  // The metafile handle, owned by this object.
  win::HENHMETAFILE Handle() const { return FHandle; }
  // Takes ownership of Value (the previous handle is deleted); the sizes come from its frame.
  void SetHandle(win::HENHMETAFILE Value);
  // Gives up the handle to the caller and leaves the picture empty.
  win::HENHMETAFILE ReleaseHandle();
  void Clear();

  // Plays the records stretched over Rect.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // Whether, drawn enlarged, the picture's one-pixel pens widen with it as its wider pens do,
  // their dashes lengthening too: for a picture laid out smaller than it is shown. Off by
  // default; a way of drawing this object, not part of the picture (Assign leaves it).
  bool WidenThinPens() const { return FWidenThinPens; }
  void SetWidenThinPens(bool Value) { FWidenThinPens = Value; }
  // The EMF bytes, from the stream's position to its end; EInvalidGraphic "Metafile is not valid"
  // for anything else, leaving the picture as it was.
  void LoadFromStream(TStream* Stream) override;
  // EMF bytes when Enhanced, else a placeable Windows metafile; EInvalidGraphicOperation for an
  // empty picture, and for a Windows metafile wider or taller than MaxWindowsMetafileSide or with
  // a figure its 16-bit records cannot hold (nothing is written then).
  void SaveToStream(TStream* Stream) override;
  static constexpr Integer MaxWindowsMetafileSide = 32767;

 private:
  void WriteWindowsMetafile(TStream* Stream);
  void Install(win::HENHMETAFILE Value);

  win::HENHMETAFILE FHandle = nullptr;
  Integer FMMWidth = 0;
  Integer FMMHeight = 0;
  bool FEnhanced = true;
  bool FWidenThinPens = false;
};

// Drawing on this canvas is recorded; when the canvas goes, the metafile receives the records
// (replacing what it held) with a frame of its MMWidth x MMHeight, or of what was drawn when
// those are 0. ReferenceDevice (null: the screen) answers for device sizes and text measures.
class TMetafileCanvas : public TCanvas {
 public:
  TMetafileCanvas(TMetafile* AMetafile, win::HDC ReferenceDevice);
  ~TMetafileCanvas() override;
  TMetafileCanvas(const TMetafileCanvas&) = delete;
  TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

 private:
  TMetafile* FMetafile;
};

}  // namespace fw
