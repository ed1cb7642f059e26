// Frames from framework graphics: bitmaps of every depth (reduced when they have more than 8 bits
// per pixel), icons, metafiles, pictures and other frames; transparency becomes a transparent
// colour index.

#include <algorithm>

#include "export/GIFImage.h"
#include "export/GIFImageException.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageReduce.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsIcon.h"
#include "framework/GraphicsMetafile.h"
#include "framework/GraphicsPicture.h"
#include "framework/Streams.h"

namespace kvexport {

namespace {

// Reports "Converting..." at the start and, also when an exception passes, at the end.
class TConvertProgress {
 public:
  TConvertProgress(TGIFImage* Image, TGIFSubImage* Frame) : FImage(Image), FFrame(Frame) {
    if (FImage) FImage->Progress(FFrame, TProgressStage::Starting, 0, "Converting...");
  }
  ~TConvertProgress() {
    if (FImage) FImage->Progress(FFrame, TProgressStage::Ending, FDone ? 100 : 0, "Converting...");
  }
  void Row(int Y, int Height) {
    if (FImage && Y % 32 == 0) FImage->Progress(FFrame, TProgressStage::Running, Y * 100 / Height, "Converting...");
  }
  void Done() { FDone = true; }

 private:
  TGIFImage* FImage;
  TGIFSubImage* FFrame;
  bool FDone = false;
};

// Non-zero where the bitmap shows its transparent colour, one byte per pixel.
std::vector<std::uint8_t> BitmapMask(fw::TBitmap& Bitmap) {
  const fw::TColor key = fw::ColorToRGB(Bitmap.TransparentColor());
  const int kr = key & 0xFF, kg = (key >> 8) & 0xFF, kb = (key >> 16) & 0xFF;
  TDIBReader reader(Bitmap);
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(reader.Width()) * reader.Height(), 0);
  for (int y = 0; y < reader.Height(); ++y) {
    const std::uint8_t* p = reader.Scanline(y);
    std::uint8_t* m = mask.data() + static_cast<std::size_t>(y) * reader.Width();
    for (int x = 0; x < reader.Width(); ++x, p += 3)
      m[x] = p[0] == kb && p[1] == kg && p[2] == kr ? 0xFF : 0;
  }
  return mask;
}

// The metafile played on a 24-bit bitmap of its size filled with Ground; a metafile that cannot
// be played is assigned to the bitmap instead.
std::unique_ptr<fw::TBitmap> PlayedOn(fw::TMetafile& Metafile, fw::TColor Ground) {
  auto bitmap = std::make_unique<fw::TBitmap>();
  bitmap->SetPixelFormat(fw::pf24bit);
  bitmap->SetSize(Metafile.Width(), Metafile.Height());
  bitmap->Canvas()->Brush()->SetColor(Ground);
  bitmap->Canvas()->FillRect(fw::Rect(0, 0, Metafile.Width(), Metafile.Height()));
  try {
    bitmap->Canvas()->Draw(0, 0, &Metafile);
  } catch (const fw::Exception&) {
    bitmap->Assign(&Metafile);
  }
  return bitmap;
}

// Where the metafile draws nothing its picture takes the ground's colour: the pixels that differ
// between a white and a black ground (their exclusive or is not zero) are see-through.
std::vector<std::uint8_t> MetafileMask(fw::TBitmap& OnWhite, fw::TBitmap& OnBlack) {
  TDIBReader white(OnWhite), black(OnBlack);
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(white.Width()) * white.Height(), 0);
  if (black.Width() != white.Width() || black.Height() != white.Height()) return mask;
  const std::size_t rowBytes = static_cast<std::size_t>(white.Width()) * 3;
  for (int y = 0; y < white.Height(); ++y) {
    const std::uint8_t* w = white.Scanline(y);
    const std::uint8_t* b = black.Scanline(y);
    std::uint8_t* m = mask.data() + static_cast<std::size_t>(y) * white.Width();
    for (std::size_t i = 0; i < rowBytes; ++i)
      if ((w[i] ^ b[i]) != 0) m[i / 3] = 0xFF;
  }
  return mask;
}

}  // namespace

void TGIFSubImage::Assign(fw::TPersistent* Source) {
  if (Source == this) return;
  if (auto* frame = dynamic_cast<TGIFSubImage*>(Source)) {
    AssignFromSubImage(frame);
  } else if (auto* bitmap = dynamic_cast<fw::TBitmap*>(Source)) {
    AssignFromBitmap(bitmap);
    if (bitmap->Transparent() && !Empty()) ImportMask(BitmapMask(*bitmap));
  } else if (auto* picture = dynamic_cast<fw::TPicture*>(Source)) {
    Assign(picture->Graphic());
  } else if (auto* icon = dynamic_cast<fw::TIcon*>(Source)) {
    Clear();
    if (icon->Empty()) return;
    fw::TBitmap drawn;
    drawn.SetPixelFormat(fw::pf24bit);
    drawn.SetSize(icon->Width(), icon->Height());
    const std::vector<std::uint32_t> pixels = icon->Pixels();
    std::vector<std::uint8_t> mask = icon->HasAlpha() ? std::vector<std::uint8_t>(pixels.size()) : icon->Mask();
    if (icon->HasAlpha())
      for (std::size_t i = 0; i < pixels.size(); ++i) mask[i] = (pixels[i] >> 24) == 0 ? 0xFF : 0;
    for (int y = 0; y < drawn.Height(); ++y) {
      auto* row = static_cast<std::uint8_t*>(drawn.ScanLine(y));
      for (int x = 0; x < drawn.Width(); ++x) {
        const std::uint32_t c = pixels[static_cast<std::size_t>(y) * drawn.Width() + x];
        row[x * 3] = static_cast<std::uint8_t>(c);
        row[x * 3 + 1] = static_cast<std::uint8_t>(c >> 8);
        row[x * 3 + 2] = static_cast<std::uint8_t>(c >> 16);
      }
    }
    AssignFromBitmap(&drawn);
    if (!Empty() && mask.size() == FData.size()) ImportMask(mask);
  } else if (auto* metafile = dynamic_cast<fw::TMetafile*>(Source)) {
    Clear();
    if (metafile->Empty()) return;
    std::unique_ptr<fw::TBitmap> onWhite = PlayedOn(*metafile, fw::clWhite);
    AssignFromBitmap(onWhite.get());
    if (Empty()) return;
    std::unique_ptr<fw::TBitmap> onBlack = PlayedOn(*metafile, fw::clBlack);
    ImportMask(MetafileMask(*onWhite, *onBlack));
  } else if (auto* graphic = dynamic_cast<fw::TGraphic*>(Source)) {
    Clear();
    if (graphic->Empty()) return;
    fw::TBitmap drawn;
    try {
      drawn.Assign(graphic);
    } catch (const fw::Exception&) {
      drawn.SetPixelFormat(fw::pf24bit);
      drawn.SetSize(graphic->Width(), graphic->Height());
      drawn.Canvas()->StretchDraw(fw::Rect(0, 0, graphic->Width(), graphic->Height()), graphic);
    }
    AssignFromBitmap(&drawn);
  } else if (Source == nullptr) {
    Clear();
  } else {
    TGIFItem::Assign(Source);
  }
}

void TGIFSubImage::AssignTo(fw::TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<fw::TBitmap*>(Dest)) {
    bitmap->Assign(Bitmap());
    return;
  }
  TGIFItem::AssignTo(Dest);
}

void TGIFSubImage::AssignFromSubImage(TGIFSubImage* Source) {
  Clear();
  if (Source->Empty()) return;
  FLeft = Source->FLeft;
  FTop = Source->FTop;
  FWidth = Source->FWidth;
  FHeight = Source->FHeight;
  FPacked = Source->FPacked;
  FData = Source->FData;
  FColorMap->Assign(Source->FColorMap.get());
  fw::TMemoryStream extensions;
  Source->FExtensions->SaveToStream(&extensions);
  extensions.SetPosition(0);
  FExtensions->LoadFromStream(&extensions, this);
  FTransparent = Source->FTransparent;
  if (Source->FBitmap) {
    FBitmap = std::make_unique<fw::TBitmap>();
    FBitmap->Assign(Source->FBitmap.get());
  }
  CheckScreenSize();
}

void TGIFSubImage::AssignFromBitmap(fw::TBitmap* Source) {
  Clear();
  if (Source->Empty()) return;
  SetBounds(0, 0, Source->Width(), Source->Height());

  const fw::TPixelFormat format = Source->PixelFormat();
  std::unique_ptr<fw::TBitmap> cache;
  int paletteCount = 256;
  if (format == fw::pf1bit || format == fw::pf4bit || format == fw::pf8bit) {
    cache = std::make_unique<fw::TBitmap>();
    cache->Assign(Source);
    paletteCount = static_cast<int>(cache->ColorTable().size());
  } else {
    TColorReduction reduction = FImage ? FImage->ColorReduction() : TColorReduction::Netscape;
    const TDitherMode dither = FImage ? FImage->DitherMode() : TDitherMode::Nearest;
    const int bits = FImage ? FImage->ReductionBits() : 8;
    // A custom palette nobody gave has no colours to map to: the optimal palette is made instead.
    // No reduction keeps the exact colours; a 257th one overflows the colour table below.
    if (reduction == TColorReduction::Palette) reduction = TColorReduction::Quantize;
    cache = ReduceColors(*Source, reduction, dither, bits, nullptr);
    if (cache->Empty()) throw GIFException("Unsupported PixelFormat");
    switch (reduction) {
      case TColorReduction::Windows20: paletteCount = 20; break;
      case TColorReduction::WindowsGray: paletteCount = 4; break;
      case TColorReduction::Monochrome: paletteCount = 2; break;
      case TColorReduction::Netscape: paletteCount = 216; break;
      case TColorReduction::Quantize: paletteCount = 1 << bits; break;
      default: paletteCount = 256; break;
    }
  }

  TConvertProgress progress(FImage, this);
  const int w = FWidth, h = FHeight;
  const fw::TPixelFormat depth = cache->PixelFormat();
  if (depth == fw::pf1bit || depth == fw::pf4bit || depth == fw::pf8bit) {
    const std::vector<win::RGBQUAD> table = cache->ColorTable();
    FColorMap->ImportColorTable(table.data(), std::min(paletteCount, static_cast<int>(table.size())));
    for (int y = 0; y < h; ++y) {
      progress.Row(y, h);
      const auto* src = static_cast<const std::uint8_t*>(cache->ScanLine(y));
      std::uint8_t* dst = FData.data() + static_cast<std::size_t>(y) * w;
      if (depth == fw::pf8bit) {
        std::copy(src, src + w, dst);
      } else if (depth == fw::pf4bit) {
        for (int x = 0; x < w; ++x) dst[x] = static_cast<std::uint8_t>(x % 2 == 0 ? src[x / 2] >> 4 : src[x / 2] & 0x0F);
      } else {
        for (int x = 0; x < w; ++x) dst[x] = static_cast<std::uint8_t>((src[x / 8] >> (7 - x % 8)) & 1);
      }
    }
  } else {
    // Exact colours: a ring of the colours seen last saves most searches of the map.
    TDIBReader reader(*cache);
    std::uint32_t ring[8];
    int ringIndex[8];
    int ringSize = 0, ringNext = 0;
    for (int y = 0; y < h; ++y) {
      progress.Row(y, h);
      const std::uint8_t* p = reader.Scanline(y);
      std::uint8_t* dst = FData.data() + static_cast<std::size_t>(y) * w;
      for (int x = 0; x < w; ++x, p += 3) {
        const std::uint32_t color = p[2] | p[1] << 8 | p[0] << 16;
        int index = -1;
        for (int k = 0; k < ringSize && index < 0; ++k) {
          const int slot = (ringNext - 1 - k + 8) % 8;
          if (ring[slot] == color) index = ringIndex[slot];
        }
        if (index < 0) {
          index = FColorMap->AddUnique(static_cast<fw::TColor>(color));
          ring[ringNext] = color;
          ringIndex[ringNext] = index;
          ringNext = (ringNext + 1) % 8;
          ringSize = std::min(ringSize + 1, 8);
        }
        dst[x] = static_cast<std::uint8_t>(index);
      }
    }
  }
  FBitmap = std::move(cache);
  progress.Done();
}

void TGIFSubImage::ImportMask(const std::vector<std::uint8_t>& MaskPixels) {
  FColorMap->Optimize();
  const int count = FColorMap->Count();
  if (count == 0 || count == TGIFColorMap::MaxColors) return;
  const int index = FColorMap->Add(fw::clBlack);
  bool any = false;
  for (std::size_t i = 0; i < FData.size() && i < MaskPixels.size(); ++i)
    if (MaskPixels[i] != 0) {
      FData[i] = static_cast<std::uint8_t>(index);
      any = true;
    }
  if (!any) {
    FColorMap->Delete(index);
    return;
  }
  auto gce = std::make_unique<TGIFGraphicControlExtension>(this);
  gce->SetTransparent(true);
  gce->SetTransparentColorIndex(index);
  FExtensions->Add(std::move(gce));
  DropCaches();
}

// --- The image ----------------------------------------------------------------------------------

void TGIFImage::Assign(fw::TPersistent* Source) {
  if (Source == this) return;
  if (Source == nullptr) {
    Clear();
    ImageChanged();
    return;
  }
  if (auto* gif = dynamic_cast<TGIFImage*>(Source)) {
    AssignFromGIF(gif);
    return;
  }
  if (dynamic_cast<fw::TGraphic*>(Source) || dynamic_cast<fw::TPicture*>(Source) ||
      dynamic_cast<TGIFSubImage*>(Source)) {
    Clear();
    auto frame = std::make_unique<TGIFSubImage>(this);
    frame->Assign(Source);
    FImages->Add(std::move(frame));
    ImageChanged();
    return;
  }
  fw::TGraphic::Assign(Source);
}

void TGIFImage::AssignFromGIF(TGIFImage* Source) {
  Clear();
  FHeader->Assign(&Source->Header());
  FThreadPriority = Source->FThreadPriority;
  FBackgroundColor = Source->FBackgroundColor;
  FDrawOptions = Source->FDrawOptions;
  FColorReduction = Source->FColorReduction;
  FDitherMode = Source->FDitherMode;
  OnProgress = Source->OnProgress;
  OnWarning = Source->OnWarning;
  struct TRestore {
    TGIFImage* Image;
    bool Done = false;
    ~TRestore() {
      Image->Progress(Image, TProgressStage::Ending, Done ? 100 : 0, "Copying...");
      Image->OnProgress = nullptr;
      Image->OnWarning = nullptr;
    }
  } restore{this};
  Progress(this, TProgressStage::Starting, 0, "Copying...");
  const int count = Source->Images().Count();
  for (int i = 0; i < count; ++i) {
    auto frame = std::make_unique<TGIFSubImage>(this);
    frame->Assign(Source->Images()[i]);
    FImages->Add(std::move(frame));
    Progress(this, TProgressStage::Running, (i + 1) * 100 / count, "Copying...");
  }
  restore.Done = true;
  ImageChanged();
}

int TGIFImage::Add(fw::TPersistent* Source) {
  int index;
  if (auto* frame = dynamic_cast<TGIFSubImage*>(Source)) {
    index = FImages->Add(std::unique_ptr<TGIFSubImage>(frame));
  } else if (dynamic_cast<fw::TGraphic*>(Source)) {
    auto frame2 = std::make_unique<TGIFSubImage>(this);
    frame2->Assign(Source);
    index = FImages->Add(std::move(frame2));
  } else {
    throw GIFException("Object type not supported for operation");
  }
  ImageChanged();
  return index;
}

void TGIFImage::AssignTo(fw::TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<fw::TBitmap*>(Dest)) {
    std::unique_ptr<fw::TBitmap> rendered = RenderBitmap();
    if (rendered)
      bitmap->Assign(rendered.get());
    else
      bitmap->Assign(nullptr);
    return;
  }
  fw::TGraphic::AssignTo(Dest);
}

}  // namespace kvexport
