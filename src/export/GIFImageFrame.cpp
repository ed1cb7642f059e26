// A frame: bounds, pixel access, reading and writing of descriptor, local table and image data.

#include "export/GIFImageFrame.h"

#include <algorithm>

#include "export/GIFImage.h"
#include "export/GIFImageCoders.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageIO.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Streams.h"

namespace kvexport {

using namespace gifio;

namespace {

// Frames larger than this are refused rather than allocated: the largest chart picture
// (10000 x 10000) fits, and a damaged descriptor must not make the reader claim gigabytes.
constexpr std::size_t kMaxFramePixels = std::size_t{1} << 27;

}  // namespace

TGIFSubImage::TGIFSubImage(TGIFImage* Image)
    : TGIFItem(Image),
      FColorMap(std::make_unique<TGIFLocalColorMap>(this)),
      FExtensions(std::make_unique<TGIFExtensionList>(this)) {}

TGIFSubImage::~TGIFSubImage() {
  // The extensions reach back into this frame while they go.
  FExtensions->Clear();
}

void TGIFSubImage::Clear() {
  FExtensions->Clear();
  FGCE = nullptr;
  FTransparent = false;
  FColorMap->Clear();
  FData.clear();
  FLeft = FTop = FWidth = FHeight = 0;
  FPacked = 0;
  DropCaches();
}

bool TGIFSubImage::Empty() const { return FData.empty() || FWidth == 0 || FHeight == 0; }

TGIFVersion TGIFSubImage::GetVersion() const {
  if (FColorMap->Sorted()) return gv89a;
  TGIFVersion version = gv87a;
  for (int i = 0; i < FExtensions->Count(); ++i) version = std::max(version, (*FExtensions)[i]->GetVersion());
  return version;
}

void TGIFSubImage::AllocateData() {
  const std::size_t n = static_cast<std::size_t>(FWidth) * FHeight;
  if (n > kMaxFramePixels) throw GIFException("Invalid image dimensions");
  FData.assign(n, 0);
}

void TGIFSubImage::CheckScreenSize() {
  if (!FImage) return;
  TGIFHeader& header = FImage->Header();
  const int right = FLeft + FWidth, bottom = FTop + FHeight;
  if (right > header.Width()) {
    if (header.Width() != 0) Warning("Image width too small for contained frames");
    header.SetWidth(right);
    Warning("Image exceeds Logical Screen size");
  }
  if (bottom > header.Height()) {
    if (header.Height() != 0) Warning("Image height too small for contained frames");
    header.SetHeight(bottom);
    Warning("Image exceeds Logical Screen size");
  }
}

void TGIFSubImage::SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }

void TGIFSubImage::SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }

void TGIFSubImage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = static_cast<std::uint16_t>(ALeft);
  FTop = static_cast<std::uint16_t>(ATop);
  const auto w = static_cast<std::uint16_t>(std::clamp(AWidth, 0, 0xFFFF));
  const auto h = static_cast<std::uint16_t>(std::clamp(AHeight, 0, 0xFFFF));
  if (w != FWidth || h != FHeight || FData.size() != static_cast<std::size_t>(w) * h) {
    FWidth = w;
    FHeight = h;
    DropCaches();
    AllocateData();
  }
  CheckScreenSize();
}

void TGIFSubImage::SetInterlaced(bool Value) {
  FPacked = static_cast<std::uint8_t>(Value ? FPacked | 0x40 : FPacked & ~0x40);
}

std::uint8_t* TGIFSubImage::Scanline(int Y) {
  if (FWidth == 0 || FHeight == 0) throw GIFException("Image is empty");
  if (Y < 0 || Y >= FHeight) throw GIFException("Invalid pixel coordinates");
  if (FData.empty()) AllocateData();
  return FData.data() + static_cast<std::size_t>(Y) * FWidth;
}

std::uint8_t TGIFSubImage::Pixels(int X, int Y) {
  if (X < 0 || X >= FWidth) throw GIFException("Invalid pixel coordinates");
  return Scanline(Y)[X];
}

void TGIFSubImage::SetPixels(int X, int Y, std::uint8_t Value) {
  if (X < 0 || X >= FWidth) throw GIFException("Invalid pixel coordinates");
  Scanline(Y)[X] = Value;
  DropCaches();
}

TGIFColorMap& TGIFSubImage::ActiveColorMap() {
  if (FColorMap->Count() > 0 || !FImage) return *FColorMap;
  TGIFColorMap& global = FImage->Header().ColorMap();
  return global.Count() > 0 ? global : *FColorMap;
}

void TGIFSubImage::DropCaches() {
  FBitmap.reset();
  FMask.reset();
  FMaskBits.clear();
  FPalette.clear();
}

void TGIFSubImage::ColorMapChanged() {
  FPalette.clear();
  FBitmap.reset();
  if (FImage) FImage->PaletteChanged();
}

void TGIFSubImage::SetBitmap(std::unique_ptr<fw::TBitmap> Value) {
  FBitmap = std::move(Value);
  FMask.reset();
  FMaskBits.clear();
}

void TGIFSubImage::SaveToStream(fw::TStream* Stream) {
  FExtensions->SaveToStream(Stream);
  if (Empty()) return;
  // A local table writes the frame non-interlaced; without one only the interlace and reserved
  // bits stay.
  if (FColorMap->Count() > 0) {
    FPacked = static_cast<std::uint8_t>(0x80 | (FColorMap->Sorted() ? 0x20 : 0) | ((FColorMap->BitsPerPixel() - 1) & 7));
  } else {
    FPacked &= 0x58;
  }
  WriteByte(Stream, ',');
  WriteWord(Stream, FLeft);
  WriteWord(Stream, FTop);
  WriteWord(Stream, FWidth);
  WriteWord(Stream, FHeight);
  WriteByte(Stream, FPacked);
  FColorMap->SaveToStream(Stream);
  TGIFColorMap& map = ActiveColorMap();
  GIFCodedFrame frame;
  frame.Data = FData.data();
  frame.Width = FWidth;
  frame.Height = FHeight;
  frame.BitsPerPixel = map.BitsPerPixel();
  frame.ColorCount = map.Count();
  frame.Interlaced = Interlaced();
  const int compression = FImage && FImage->Compression() == TGIFCompression::RLE ? GIFCompressionRLE : 0;
  GIFEncodeFrame(*Stream, frame, compression);
}

void TGIFSubImage::LoadFromStream(fw::TStream* Stream) {
  FExtensions->LoadFromStream(Stream, this);
  std::uint8_t b = 0;
  if (!TryReadByte(Stream, b)) return;
  Stream->Seek(-1, fw::soCurrent);
  if (b == ';' || b == 0) return;  // a frame of extensions only

  std::uint8_t descriptor[10];
  ReadExact(Stream, descriptor, 10);
  FLeft = Word16(descriptor + 1);
  FTop = Word16(descriptor + 3);
  FWidth = Word16(descriptor + 5);
  FHeight = Word16(descriptor + 7);
  FPacked = descriptor[9];
  if ((FWidth == 0 || FHeight == 0) && FImage) {
    FWidth = static_cast<std::uint16_t>(FImage->Header().Width());
    FHeight = static_cast<std::uint16_t>(FImage->Header().Height());
    Warning("Image exceeds Logical Screen size");
  }
  if (FPacked & 0x80) {
    const int count = 2 << (FPacked & 7);
    if (count < 2 || count > TGIFColorMap::MaxColors)
      throw GIFException("Invalid number of colors specified in Image Descriptor");
    FColorMap->LoadFromStream(Stream, count);
    FColorMap->SetSorted((FPacked & 0x20) != 0);
  }
  DropCaches();
  AllocateData();
  const auto prefill = static_cast<std::uint8_t>(FTransparent && FGCE ? FGCE->TransparentColorIndex() : 0);
  // A zero-sized frame still carries its code stream; it is passed over.
  const bool none = FData.empty();
  GIFDecodeFrame(*Stream, none ? nullptr : FData.data(), none ? 0 : FWidth, none ? 0 : FHeight, Interlaced(),
                 prefill, [this](const std::string& m) { Warning(m); });
}

}  // namespace kvexport
