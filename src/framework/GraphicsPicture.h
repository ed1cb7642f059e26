#pragma once
// TPicture: holds one graphic of any registered class and loads files by their extension. The
// registry of picture formats (extension, description, how to make the class) starts with BMP
// and JPEG; other formats register themselves with RegisterFileFormat.

#include <memory>

#include "framework/Graphics.h"

namespace fw {

class TBitmap;

class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;

  // From another picture or a graphic: a copy of the graphic; null empties the picture.
  void Assign(TPersistent* Source) override;
  // In component streams, "Data": the graphic's format (its extension, a length byte and its
  // letters) and the bytes it saves itself as; an empty picture stores nothing.
  void DefineProperties(TFiler* Filer) override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // A copy of Value (of Value's class, which must be registered or be a bitmap).
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap: any other graphic is replaced by an empty bitmap first.
  TBitmap* Bitmap();
  Integer Width() const { return FGraphic ? FGraphic->Width() : 0; }
  Integer Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // The class is chosen by the extension (any case): EInvalidGraphic "Unknown picture file
  // extension (.xyz)" for an unregistered one; the current graphic stays on failure.
  void LoadFromFile(const String& FileName);
  // EInvalidGraphicOperation for an empty picture.
  void SaveToFile(const String& FileName);

  TNotifyEvent OnChange;

  // Extension without the dot ("gif"). Registering an extension again replaces its entry.
  static void RegisterFileFormat(const String& AExtension, const String& ADescription, TGraphicFactory AGraphicClass);
  // Removes every extension of the class.
  static void UnregisterGraphicClass(TGraphicFactory AGraphicClass);

 private:
  void Changed(TObject* Sender);
  void WriteData(TStream* Stream) const;
  void ReadData(TStream* Stream);
  void Install(std::unique_ptr<TGraphic> g);

  std::unique_ptr<TGraphic> FGraphic;
};

// A file-dialog filter of the registered formats of the class (null: all): "All (*.bmp;*.jpg)|
// *.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|...".
String GraphicFilter(TGraphicFactory GraphicClass);
// The first registered extension of the class ("bmp"), empty when none.
String GraphicExtension(TGraphicFactory GraphicClass);

}  // namespace fw
