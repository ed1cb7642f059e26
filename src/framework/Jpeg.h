#pragma once
// TJPEGImage: a JPEG image held as its compressed data, decoded into a bitmap when drawn
// (DIBNeeded) and compressed from a bitmap when saved (JPEGNeeded). Assigning a bitmap keeps a
// copy of it, so settings changed afterwards still apply to the next compression.

#include <memory>
#include <vector>

#include "framework/Graphics.h"

namespace fw {

class TBitmap;

class EJPEG : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  // From another JPEG image: its data and settings. From a bitmap: a copy to compress.
  void Assign(TPersistent* Source) override;

  bool Empty() const override;
  // The size of the decoded image at the current Scale.
  Integer Width() const override;
  Integer Height() const override;
  // A JPEG image takes its size from its data: EInvalidGraphicOperation.
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // Reads the rest of the stream (a JPEG file does not say its length); EJPEG on bad data.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

  // 1..100 (values outside are clipped), default 90.
  Integer CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(Integer Value);
  bool Grayscale() const { return FGrayscale; }
  void SetGrayscale(bool Value);
  bool ProgressiveEncoding() const { return FProgressiveEncoding; }
  void SetProgressiveEncoding(bool Value);
  TJPEGPerformance Performance() const { return FPerformance; }
  void SetPerformance(TJPEGPerformance Value);
  bool Smoothing() const { return FSmoothing; }
  void SetSmoothing(bool Value);
  // Drawing of progressive files in stages; images here are always drawn whole.
  bool ProgressiveDisplay() const { return FProgressiveDisplay; }
  void SetProgressiveDisplay(bool Value) { FProgressiveDisplay = Value; }
  TJPEGScale Scale() const { return FScale; }
  void SetScale(TJPEGScale Value);
  TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TJPEGPixelFormat Value);

  // Whether the data holds a progressive image (of the data as loaded or last compressed).
  bool IsProgressive() const { return FDataProgressive; }
  // Makes the compressed data from the bitmap (EJPEG on failure).
  void Compress();
  void JPEGNeeded();
  // Decodes the data into the bitmap (EJPEG on corrupt data, the image left as it was).
  void DIBNeeded();
  // The decoded (or assigned) bitmap; null while empty. Owned by this image.
  TBitmap* Bitmap();

 private:
  void EncodeSettingChanged();
  void DecodeSettingChanged();

  std::vector<unsigned char> FData;
  std::unique_ptr<TBitmap> FBitmap;
  bool FBitmapIsSource = false;  // assigned (to be compressed), not decoded from FData
  bool FDataProgressive = false;
  Integer FDataWidth = 0;
  Integer FDataHeight = 0;
  Integer FQuality = 90;
  bool FGrayscale = false;
  bool FProgressiveEncoding = false;
  TJPEGPerformance FPerformance = jpBestQuality;
  bool FSmoothing = true;
  bool FProgressiveDisplay = false;
  TJPEGScale FScale = jsFullSize;
  TJPEGPixelFormat FPixelFormat = jf24Bit;
};

}  // namespace fw
