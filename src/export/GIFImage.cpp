// TGIFImage: frames, screen size, reading and writing, palette, warnings and registration.

#include "export/GIFImage.h"

#include <algorithm>

#include "export/GIFImageException.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageItems.h"
#include "export/GIFImagePainter.h"
#include "export/GIFImageReduce.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsPicture.h"
#include "framework/Streams.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/painting/Paint.h"

namespace kvexport {

TGIFImage::TGIFImage()
    : FImages(std::make_unique<TGIFImageList>(this)), FHeader(std::make_unique<TGIFHeader>(this)) {
  FHeader->Prepare();
}

TGIFImage::~TGIFImage() {
  StopDraw();
  {
    // No painter may reach this image once the frames go.
    std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
    for (TGIFPainter* painter : FPainters) painter->FImage = nullptr;
    FPainters.clear();
    FPainter = nullptr;
  }
  FImages->Clear();
}

bool TGIFImage::Empty() const { return FImages->Count() == 0; }

fw::Integer TGIFImage::Width() const { return FHeader->Width(); }

fw::Integer TGIFImage::Height() const { return FHeader->Height(); }

void TGIFImage::SetWidth(fw::Integer Value) {
  for (int i = 0; i < FImages->Count(); ++i)
    if (Value < (*FImages)[i]->Left() + (*FImages)[i]->Width())
      throw GIFException("Image width too small for contained frames");
  if (Value == FHeader->Width()) return;
  FHeader->SetWidth(Value);
  ImageChanged();
}

void TGIFImage::SetHeight(fw::Integer Value) {
  for (int i = 0; i < FImages->Count(); ++i)
    if (Value < (*FImages)[i]->Top() + (*FImages)[i]->Height())
      throw GIFException("Image height too small for contained frames");
  if (Value == FHeader->Height()) return;
  FHeader->SetHeight(Value);
  ImageChanged();
}

void TGIFImage::SetReductionBits(int Value) { FReductionBits = std::clamp(Value, 1, 8); }

void TGIFImage::SetBackgroundColor(fw::TColor Value) {
  if (Value == FBackgroundColor) return;
  FBackgroundColor = Value;
  ImageChanged();
}

void TGIFImage::Clear() {
  StopDraw();
  FBitmap.reset();
  FImages->Clear();
  FHeader->Clear();
  FPalette.clear();
}

TGIFVersion TGIFImage::Version() const {
  TGIFVersion version = gvUnknown;
  for (int i = 0; i < FImages->Count(); ++i) {
    version = std::max(version, (*FImages)[i]->GetVersion());
    if (version == gv89a) break;
  }
  return version;
}

void TGIFImage::SaveToStream(fw::TStream* Stream) {
  Progress(this, TProgressStage::Starting, 0, "Saving...");
  try {
    if (Version() == gvUnknown) throw GIFException("Unsupported GIF version");
    SupplyDefaultColorTable();
    FHeader->SaveToStream(Stream);
    FImages->SaveToStream(Stream);
    TGIFTrailer(this).SaveToStream(Stream);
  } catch (...) {
    Progress(this, TProgressStage::Ending, 0, "Saving...");
    throw;
  }
  Progress(this, TProgressStage::Ending, 100, "Saving...");
}

void TGIFImage::SupplyDefaultColorTable() {
  TGIFColorMap& global = FHeader->ColorMap();
  if (global.Count() > 0) return;
  int largest = -1;
  for (int i = 0; i < FImages->Count(); ++i) {
    TGIFSubImage& frame = *(*FImages)[i];
    if (frame.Empty() || frame.ColorMap().Count() > 0) continue;
    const std::vector<std::uint8_t>& data = frame.Data();
    largest = std::max(largest, int(*std::max_element(data.begin(), data.end())));
  }
  if (largest < 0) return;
  int count = 2;
  while (count <= largest) count *= 2;
  for (int i = 0; i < count; ++i) global.Add(fw::TColor(i | i << 8 | i << 16));
}

void TGIFImage::LoadFromStream(fw::TStream* Stream) {
  Progress(this, TProgressStage::Starting, 0, "Loading...");
  const fw::Int64 start = Stream->Position();
  try {
    Clear();
    FHeader->LoadFromStream(Stream);
    FImages->LoadFromStream(Stream, this);
    TGIFTrailer(this).LoadFromStream(Stream);
  } catch (...) {
    Stream->SetPosition(start);
    Progress(this, TProgressStage::Ending, 0, "Loading...");
    ImageChanged();
    throw;
  }
  Progress(this, TProgressStage::Ending, 100, "Loading...");
  ImageChanged();
}

TGIFPalette TGIFImage::Palette() {
  if (FGettingPalette) throw GIFException("No global or local color table defined");
  FGettingPalette = true;
  struct TGuard {
    bool& Flag;
    ~TGuard() { Flag = false; }
  } guard{FGettingPalette};
  if (FBitmap && FBitmap->PixelFormat() == fw::pf8bit) return BitmapPalette(*FBitmap);
  if (!FPalette.empty()) return FPalette;
  if (DoDither()) {
    FPalette = WebPalette();
  } else if (FHeader->ColorMap().Count() > 0) {
    FPalette = FHeader->ColorMap().ExportPalette();
  } else if (FImages->Count() > 0) {
    return (*FImages)[0]->Palette();
  }
  return FPalette;
}

void TGIFImage::SetPalette(const TGIFPalette& Value) {
  if (Value.size() == FPalette.size() &&
      std::equal(Value.begin(), Value.end(), FPalette.begin(), [](const auto& a, const auto& b) {
        return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue && a.peFlags == b.peFlags;
      }))
    return;
  FPalette = Value;
  DropBitmap();
  FPaletteModified = true;
  Changed(this);
}

void TGIFImage::Warning(fw::TObject* Sender, int Severity, const std::string& Message) {
  if (OnWarning) OnWarning(Sender, Severity, Message);
}

void TGIFImage::Progress(fw::TObject* Sender, TProgressStage Stage, int PercentDone, const std::string& Message) {
  if (OnProgress) OnProgress(Sender, Stage, PercentDone, Message);
}

void TGIFImage::ImageChanged() {
  DropBitmap();
  Changed(this);
}

void TGIFImage::PaletteChanged() {
  FPalette.clear();
  DropBitmap();
}

bool TGIFImage::DoDither() const {
  return FDrawOptions.Contains(TGIFDrawOption::Dither) &&
         (!FDrawOptions.Contains(TGIFDrawOption::AutoDither) || PaletteDevice());
}

// --- Unit state ---------------------------------------------------------------------------------

bool PaletteDevice() {
  int bits = 0;
  if (win::HDC dc = win::GetDC(nullptr)) {
    bits = win::GetDeviceCaps(dc, win::BITSPIXEL) * win::GetDeviceCaps(dc, win::PLANES);
    win::ReleaseDC(nullptr, dc);
  }
  // Without a desktop (a program that shows no window) there is no screen to dither for.
  return bits > 0 && bits <= 8;
}

win::UINT CF_GIF() {
  static const win::UINT format = win::RegisterClipboardFormatW(u"GIF Image");
  return format;
}

void RegisterGIFImage() {
  fw::TPicture::RegisterFileFormat("gif", "GIF Image", &fw::MakeGraphic<TGIFImage>);
}

namespace {

// The picture format is known from the start; the clipboard format is registered on first use,
// when the window system's tables are sure to exist.
const bool kRegistered = (RegisterGIFImage(), true);

}  // namespace

}  // namespace kvexport
