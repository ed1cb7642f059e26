// The item base, the owned lists, the header (logical screen) and the trailer of a GIF stream.

#include <algorithm>
#include <cctype>

#include "export/GIFImage.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageIO.h"
#include "export/GIFImageItems.h"
#include "framework/SafeSave.h"

namespace kvexport {

using namespace gifio;

void TGIFItem::Warning(const std::string& Message) {
  if (FImage) FImage->Warning(this, 1, Message);
}

void TGIFItem::SaveToFile(const std::string& FileName) {
  fw::SaveFileSafely(FileName, [this](fw::TStream* Stream) { SaveToStream(Stream); });
}

void TGIFItem::LoadFromFile(const std::string& FileName) {
  fw::TFileStream stream(FileName, fw::fmOpenRead | fw::fmShareDenyWrite);
  LoadFromStream(&stream);
}

// --- Lists --------------------------------------------------------------------------------------

void TGIFList::Warning(const std::string& Message) {
  if (FImage) FImage->Warning(this, 1, Message);
}

void TGIFList::SaveToStream(fw::TStream* Stream) {
  for (auto& item : FItems) item->SaveToStream(Stream);
}

void TGIFList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  FItems.erase(FItems.begin() + Index);
}

int TGIFList::IndexOf(const TGIFItem* Item) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<std::size_t>(i)].get() == Item) return i;
  return -1;
}

int TGIFList::AddItem(std::unique_ptr<TGIFItem> Item) {
  FItems.push_back(std::move(Item));
  return Count() - 1;
}

TGIFSubImage* TGIFImageList::operator[](int Index) const {
  return static_cast<TGIFSubImage*>(FItems.at(static_cast<std::size_t>(Index)).get());
}

int TGIFImageList::Add(std::unique_ptr<TGIFSubImage> SubImage) { return AddItem(std::move(SubImage)); }

void TGIFImageList::SaveToStream(fw::TStream* Stream) {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    (*this)[i]->SaveToStream(Stream);
    if (FImage) FImage->Progress(FImage, TProgressStage::Running, (i + 1) * 100 / count, "Saving...");
  }
}

void TGIFImageList::LoadFromStream(fw::TStream* Stream, fw::TObject* Parent) {
  (void)Parent;
  std::uint8_t b = 0;
  while (TryReadByte(Stream, b)) {
    if (b == 0) continue;
    if (b == ';') {
      Stream->Seek(-1, fw::soCurrent);
      break;
    }
    if (b != '!' && b != ',') {
      // Left for the trailer, which then tells it is not one.
      Stream->Seek(-1, fw::soCurrent);
      Warning("Unknown GIF block type");
      break;
    }
    Stream->Seek(-1, fw::soCurrent);
    // Added before it reads itself, so that a failed load keeps what had been read.
    auto owned = std::make_unique<TGIFSubImage>(FImage);
    TGIFSubImage* frame = owned.get();
    Add(std::move(owned));
    frame->LoadFromStream(Stream);
    if (FImage) {
      const fw::Int64 size = Stream->Size();
      const int percent = size > 0 ? static_cast<int>(Stream->Position() * 100 / size) : 100;
      FImage->Progress(FImage, TProgressStage::Running, percent, "Loading...");
    }
  }
}

// --- Header -------------------------------------------------------------------------------------

TGIFHeader::TGIFHeader(TGIFImage* Image) : TGIFItem(Image), FColorMap(std::make_unique<TGIFGlobalColorMap>(Image)) {}

void TGIFHeader::Assign(fw::TPersistent* Source) {
  if (auto* header = dynamic_cast<TGIFHeader*>(Source)) {
    if (header == this) return;
    FWidth = header->FWidth;
    FHeight = header->FHeight;
    FPacked = header->FPacked;
    FBackgroundIndex = header->FBackgroundIndex;
    FAspectRatio = header->FAspectRatio;
    FColorMap->Assign(header->FColorMap.get());
    return;
  }
  TGIFItem::Assign(Source);
}

void TGIFHeader::Clear() {
  FColorMap->Clear();
  FWidth = 0;
  FHeight = 0;
  FBackgroundIndex = 0;
  FAspectRatio = 0;
  Prepare();
}

void TGIFHeader::Prepare() {
  int bits = FColorMap->BitsPerPixel();
  int resolution = FColorMap->ColorResolution();
  // The size field announces the global table as it is written; only without a global table
  // does it tell the largest local table.
  if (FColorMap->Count() == 0 && FImage) {
    for (int i = 0; i < FImage->Images().Count(); ++i) {
      TGIFLocalColorMap& map = FImage->Images()[i]->ColorMap();
      bits = std::max(bits, map.BitsPerPixel());
      resolution = std::max(resolution, map.ColorResolution());
    }
  }
  FPacked = 0;
  if (FColorMap->Count() > 0) {
    FPacked |= 0x80;
    if (FColorMap->Sorted()) FPacked |= 0x08;
  }
  FPacked |= static_cast<std::uint8_t>((resolution << 4) & 0x70);
  FPacked |= static_cast<std::uint8_t>((bits - 1) & 7);
}

fw::TColor TGIFHeader::BackgroundColor() { return FColorMap->Colors(FBackgroundIndex); }

void TGIFHeader::SaveToStream(fw::TStream* Stream) {
  Prepare();
  const TGIFVersion version = FImage ? FImage->Version() : gv87a;
  const char* signature = version == gv89a ? "GIF89a" : "GIF87a";
  Stream->WriteBuffer(signature, 6);
  WriteWord(Stream, FWidth);
  WriteWord(Stream, FHeight);
  WriteByte(Stream, FPacked);
  WriteByte(Stream, FBackgroundIndex);
  WriteByte(Stream, FAspectRatio);
  if (FPacked & 0x80) FColorMap->SaveToStream(Stream);
}

namespace {

bool IsSignature(const std::uint8_t* b) {
  return std::toupper(b[0]) == 'G' && std::toupper(b[1]) == 'I' && std::toupper(b[2]) == 'F';
}

}  // namespace

void TGIFHeader::LoadFromStream(fw::TStream* Stream) {
  const fw::Int64 start = Stream->Position();
  std::uint8_t signature[6];
  ReadExact(Stream, signature, 6);
  if (!IsSignature(signature)) {
    // Some writers put a few bytes in front of the signature.
    Stream->SetPosition(start + 4);
    ReadExact(Stream, signature, 6);
    if (!IsSignature(signature)) throw GIFException("Invalid GIF signature");
  }
  std::uint8_t screen[7];
  ReadExact(Stream, screen, 7);
  FWidth = Word16(screen);
  FHeight = Word16(screen + 2);
  FPacked = screen[4];
  FBackgroundIndex = screen[5];
  FAspectRatio = screen[6];
  if (FPacked & 0x80) {
    const int count = 2 << (FPacked & 7);
    if (count < 2 || count > TGIFColorMap::MaxColors)
      throw GIFException("Invalid number of colors specified in Screen Descriptor");
    FColorMap->LoadFromStream(Stream, count);
    FColorMap->SetSorted((FPacked & 0x08) != 0);
  } else {
    FColorMap->Clear();
  }
}

// --- Trailer ------------------------------------------------------------------------------------

void TGIFTrailer::SaveToStream(fw::TStream* Stream) { WriteByte(Stream, ';'); }

void TGIFTrailer::LoadFromStream(fw::TStream* Stream) {
  std::uint8_t b = 0;
  if (TryReadByte(Stream, b) && b != ';') Warning("Invalid Image trailer");
}

}  // namespace kvexport
