#pragma once
// TGraphic: the abstract image every picture format derives from (bitmaps, JPEG images, icons
// and the export formats registered later). Loading and saving go through streams; files are
// streams opened by name.

#include "framework/GraphicsTypes.h"
#include "framework/Persistent.h"

namespace fw {

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
 public:
  TGraphic() = default;
  ~TGraphic() override = default;

  virtual bool Empty() const = 0;
  virtual Integer Width() const = 0;
  virtual Integer Height() const = 0;
  virtual void SetWidth(Integer Value) = 0;
  virtual void SetHeight(Integer Value) = 0;
  virtual void SetSize(Integer AWidth, Integer AHeight);
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value);

  // Paints the image stretched over Rect. Callers normally go through TCanvas::Draw/StretchDraw.
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;

  // Reads the image from the stream's position (to its end when the format has no length of
  // its own); EInvalidGraphic on bad data, leaving the image as it was.
  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  // File errors raise EFOpenError/EFCreateError; a failed save leaves no partial file.
  virtual void LoadFromFile(const String& FileName);
  virtual void SaveToFile(const String& FileName);

  TNotifyEvent OnChange;

 protected:
  // Sets Modified and fires OnChange.
  virtual void Changed(TObject* Sender);

 private:
  bool FTransparent = false;
  bool FModified = false;
};

// How a graphic class is made: the registry of picture formats keeps one per extension.
using TGraphicFactory = TGraphic* (*)();
template <typename T>
TGraphic* MakeGraphic() {
  return new T();
}

}  // namespace fw
