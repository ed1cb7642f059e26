#include "framework/Jpeg.h"

#include <algorithm>
#include <cstring>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/JpegCodec.h"
#include "framework/Streams.h"
#include "platform/gdi/GdiBitmaps.h"

namespace fw {
namespace {

constexpr int kScaleDenom[] = {1, 2, 4, 8};

Integer Scaled(Integer size, TJPEGScale scale) {
  const int d = kScaleDenom[scale];
  return (size + d - 1) / d;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() const { return FData.empty() && !FBitmap; }

Integer TJPEGImage::Width() const {
  if (FBitmap) return FBitmap->Width();
  return FData.empty() ? 0 : Scaled(FDataWidth, FScale);
}

Integer TJPEGImage::Height() const {
  if (FBitmap) return FBitmap->Height();
  return FData.empty() ? 0 : Scaled(FDataHeight, FScale);
}

void TJPEGImage::SetWidth(Integer) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(Integer) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::EncodeSettingChanged() {
  // A bitmap to compress gives new data with the new setting; decoded data stays as it is.
  if (FBitmapIsSource) FData.clear();
  Changed(this);
}

void TJPEGImage::DecodeSettingChanged() {
  if (FBitmap && !FBitmapIsSource) FBitmap.reset();
  Changed(this);
}

void TJPEGImage::SetCompressionQuality(Integer Value) {
  Value = std::clamp(Value, 1, 100);
  if (Value == FQuality) return;
  FQuality = Value;
  EncodeSettingChanged();
}

void TJPEGImage::SetGrayscale(bool Value) {
  if (Value == FGrayscale) return;
  FGrayscale = Value;
  if (FBitmapIsSource) EncodeSettingChanged();
  else DecodeSettingChanged();
}

void TJPEGImage::SetProgressiveEncoding(bool Value) {
  if (Value == FProgressiveEncoding) return;
  FProgressiveEncoding = Value;
  EncodeSettingChanged();
}

void TJPEGImage::SetPerformance(TJPEGPerformance Value) {
  if (Value == FPerformance) return;
  FPerformance = Value;
  if (FBitmapIsSource) EncodeSettingChanged();
  else DecodeSettingChanged();
}

void TJPEGImage::SetSmoothing(bool Value) {
  if (Value == FSmoothing) return;
  FSmoothing = Value;
  DecodeSettingChanged();
}

void TJPEGImage::SetScale(TJPEGScale Value) {
  if (Value == FScale) return;
  FScale = Value;
  DecodeSettingChanged();
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat Value) {
  if (Value == FPixelFormat) return;
  FPixelFormat = Value;
  DecodeSettingChanged();
}

void TJPEGImage::Compress() {
  if (!FBitmap || FBitmap->Empty()) throw EJPEG("No image to compress");
  const int w = FBitmap->Width(), h = FBitmap->Height();
  // Top-down 24 bpp rows from the bitmap, turned from blue-green-red into red-green-blue.
  const int stride = ((w * 24 + 31) / 32) * 4;
  std::vector<uint8_t> dib(size_t(stride) * size_t(h));
  win::BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 24;
  if (win::GetDIBits(nullptr, FBitmap->Handle(), 0, win::UINT(h), dib.data(), &bi, win::DIB_RGB_COLORS) != h)
    throw EJPEG("Cannot read the bitmap to compress");
  std::vector<uint8_t> rgb(size_t(w) * size_t(h) * 3);
  for (int y = 0; y < h; ++y) {
    const uint8_t* src = dib.data() + size_t(y) * size_t(stride);
    uint8_t* dst = rgb.data() + size_t(y) * size_t(w) * 3;
    for (int x = 0; x < w; ++x) {
      dst[x * 3] = src[x * 3 + 2];
      dst[x * 3 + 1] = src[x * 3 + 1];
      dst[x * 3 + 2] = src[x * 3];
    }
  }
  jpeg::EncodeParams p;
  p.quality = FQuality;
  p.grayscale = FGrayscale;
  p.progressive = FProgressiveEncoding;
  p.fastDct = FPerformance == jpBestSpeed;
  std::vector<uint8_t> out;
  std::string error;
  if (!jpeg::Encode(rgb.data(), w, h, p, out, error)) throw EJPEG("JPEG error: " + error);
  FData = std::move(out);
  FDataWidth = w;
  FDataHeight = h;
  FDataProgressive = FProgressiveEncoding;
}

void TJPEGImage::JPEGNeeded() {
  if (FData.empty() && FBitmap) Compress();
}

void TJPEGImage::DIBNeeded() {
  if (FBitmap || FData.empty()) return;
  jpeg::DecodeParams p;
  p.scaleDenom = kScaleDenom[FScale];
  p.grayscale = FGrayscale;
  p.fastDct = FPerformance == jpBestSpeed;
  p.blockSmoothing = FSmoothing;
  p.quantize = FPixelFormat == jf8Bit;
  jpeg::Image img;
  std::string error;
  if (!jpeg::Decode(FData.data(), FData.size(), p, img, error)) throw EJPEG("JPEG error: " + error);
  auto bmp = std::make_unique<TBitmap>();
  const bool indexed = img.components == 1;
  bmp->SetPixelFormat(indexed ? pf8bit : pf24bit);
  bmp->SetSize(img.width, img.height);
  if (indexed) {
    std::vector<win::RGBQUAD> table(256);
    for (size_t i = 0; i < table.size(); ++i) {
      if (!img.colorMap.empty()) {
        if (i * 3 + 2 >= img.colorMap.size()) break;
        table[i] = win::RGBQUAD{img.colorMap[i * 3 + 2], img.colorMap[i * 3 + 1], img.colorMap[i * 3], 0};
      } else {
        table[i] = win::RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
      }
    }
    bmp->SetColorTable(table);
  }
  for (int y = 0; y < img.height; ++y) {
    auto* row = static_cast<uint8_t*>(bmp->ScanLine(y));
    const uint8_t* src = img.pixels.data() + size_t(y) * size_t(img.width) * size_t(img.components);
    if (indexed) {
      std::memcpy(row, src, size_t(img.width));
    } else {
      for (int x = 0; x < img.width; ++x) {
        row[x * 3] = src[x * 3 + 2];
        row[x * 3 + 1] = src[x * 3 + 1];
        row[x * 3 + 2] = src[x * 3];
      }
    }
  }
  FBitmap = std::move(bmp);
  FBitmapIsSource = false;
}

TBitmap* TJPEGImage::Bitmap() {
  DIBNeeded();
  return FBitmap.get();
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas || Empty()) return;
  DIBNeeded();
  if (FBitmap) ACanvas->StretchDraw(Rect, FBitmap.get());
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  const std::string data = Stream->ReadRemaining();
  jpeg::Image header;
  std::string error;
  if (!jpeg::ReadHeader(reinterpret_cast<const uint8_t*>(data.data()), data.size(), header, error))
    throw EJPEG("JPEG error: " + error);
  FData.assign(data.begin(), data.end());
  FDataWidth = header.width;
  FDataHeight = header.height;
  FDataProgressive = header.progressive;
  FBitmap.reset();
  FBitmapIsSource = false;
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream* Stream) {
  JPEGNeeded();
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), Integer(FData.size()));
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (!Source) {
    FData.clear();
    FBitmap.reset();
    FBitmapIsSource = false;
    Changed(this);
    return;
  }
  if (auto* j = dynamic_cast<TJPEGImage*>(Source)) {
    if (j == this) return;
    FData = j->FData;
    FDataWidth = j->FDataWidth;
    FDataHeight = j->FDataHeight;
    FDataProgressive = j->FDataProgressive;
    FQuality = j->FQuality;
    FGrayscale = j->FGrayscale;
    FProgressiveEncoding = j->FProgressiveEncoding;
    FPerformance = j->FPerformance;
    FSmoothing = j->FSmoothing;
    FProgressiveDisplay = j->FProgressiveDisplay;
    FScale = j->FScale;
    FPixelFormat = j->FPixelFormat;
    FBitmap.reset();
    FBitmapIsSource = false;
    if (j->FBitmap && j->FBitmapIsSource) {
      FBitmap = std::make_unique<TBitmap>();
      FBitmap->Assign(j->FBitmap.get());
      FBitmapIsSource = true;
    }
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(b);
    FBitmap = std::move(copy);
    FBitmapIsSource = true;
    FData.clear();
    Changed(this);
    return;
  }
  TGraphic::Assign(Source);
}

}  // namespace fw
