// Extension blocks and their registries.

#include "export/GIFImageExtensions.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "export/GIFImage.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageIO.h"

namespace kvexport {

using namespace gifio;

namespace {

struct TExtensionList {
  std::vector<std::pair<std::uint8_t, TGIFExtensionFactory>> Items;
  TExtensionList() {
    Items.emplace_back(0x01, &MakeGIFExtension<TGIFTextExtension>);
    Items.emplace_back(0xF9, &MakeGIFExtension<TGIFGraphicControlExtension>);
    Items.emplace_back(0xFE, &MakeGIFExtension<TGIFCommentExtension>);
    Items.emplace_back(0xFF, &MakeGIFExtension<TGIFApplicationExtension>);
  }
};

struct TAppExtensionList {
  std::vector<std::pair<std::string, TGIFExtensionFactory>> Items;
  TAppExtensionList() {
    Items.emplace_back("NETSCAPE2.0", &MakeGIFExtension<TGIFAppExtNSLoop>);
    Items.emplace_back("ANIMEXTS1.0", &MakeGIFExtension<TGIFAppExtNSLoop>);
  }
};

TExtensionList& ExtensionRegistry() {
  static TExtensionList list;
  return list;
}

TAppExtensionList& AppExtensionRegistry() {
  static TAppExtensionList list;
  return list;
}

// Strings one after the other, each cut into sub-blocks of at most 255 bytes, then a zero byte.
// An empty string is skipped: its zero-length piece would end the data early.
void WriteStrings(fw::TStream* Stream, const std::vector<std::string>& Strings) {
  for (const std::string& s : Strings) {
    for (std::size_t pos = 0; pos < s.size(); pos += 255) {
      const std::size_t n = std::min<std::size_t>(255, s.size() - pos);
      WriteByte(Stream, static_cast<std::uint8_t>(n));
      Stream->WriteBuffer(s.data() + pos, static_cast<fw::Integer>(n));
    }
  }
  WriteByte(Stream, 0);
}

// Every sub-block becomes one string, up to the zero length.
std::vector<std::string> ReadStrings(fw::TStream* Stream) {
  std::vector<std::string> strings;
  for (;;) {
    const std::uint8_t n = ReadByte(Stream);
    if (n == 0) break;
    std::string s(n, '\0');
    ReadExact(Stream, s.data(), n);
    strings.push_back(std::move(s));
  }
  return strings;
}

}  // namespace

void RegisterExtension(std::uint8_t Label, TGIFExtensionFactory Factory) {
  ExtensionRegistry().Items.emplace_back(Label, Factory);
}

void RegisterAppExtension(const std::string& Ident, TGIFExtensionFactory Factory) {
  AppExtensionRegistry().Items.emplace_back(Ident, Factory);
}

// --- Base ---------------------------------------------------------------------------------------

TGIFExtension::TGIFExtension(TGIFSubImage* SubImage)
    : TGIFItem(SubImage ? SubImage->Image() : nullptr), FSubImage(SubImage) {}

void TGIFExtension::SaveToStream(fw::TStream* Stream) {
  WriteByte(Stream, '!');
  WriteByte(Stream, GetExtensionType());
  SaveBody(Stream);
}

void TGIFExtension::LoadFromStream(fw::TStream* Stream) {
  if (ReadByte(Stream) != '!') throw GIFException("Invalid extension introducer");
  if (ReadByte(Stream) != GetExtensionType())
    throw GIFException("Internal error: Extension Instance does not match Extension Label");
  LoadBody(Stream);
}

TGIFExtensionFactory TGIFExtension::FindExtension(fw::TStream* Stream) {
  const fw::Int64 start = Stream->Position();
  const std::uint8_t label = ReadByte(Stream);
  TGIFExtensionFactory factory = nullptr;
  const auto& items = ExtensionRegistry().Items;
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    if (it->first == label) {
      factory = it->second;
      break;
    }
  if (factory && label == 0xFF) {
    if (TGIFExtensionFactory app = TGIFApplicationExtension::FindApplicationExtension(Stream)) factory = app;
  }
  Stream->SetPosition(start);
  return factory;
}

// --- Graphic control ----------------------------------------------------------------------------

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* SubImage) : TGIFExtension(SubImage) {
  if (FSubImage && !FSubImage->GraphicControlExtension()) FSubImage->SetGraphicControlExtension(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
  if (!FSubImage) return;
  if (Transparent()) FSubImage->SetTransparent(false);
  if (FSubImage->GraphicControlExtension() == this) FSubImage->SetGraphicControlExtension(nullptr);
}

void TGIFGraphicControlExtension::SetDisposal(int Value) {
  FPacked = static_cast<std::uint8_t>((FPacked & ~0x1C) | ((Value & 7) << 2));
}

void TGIFGraphicControlExtension::SetUserInput(bool Value) {
  FPacked = static_cast<std::uint8_t>(Value ? FPacked | 2 : FPacked & ~2);
}

void TGIFGraphicControlExtension::SetTransparent(bool Value) {
  FPacked = static_cast<std::uint8_t>(Value ? FPacked | 1 : FPacked & ~1);
  if (Value && FSubImage) FSubImage->SetTransparent(true);
}

void TGIFGraphicControlExtension::SetTransparentColorIndex(int Value) {
  if (FSubImage) {
    TGIFColorMap& map = FSubImage->ActiveColorMap();
    if ((Value < 0 || Value >= map.Count()) && map.Count() > 0) {
      Warning("Invalid color index");
      Value = 0;
    }
  }
  FTransparentIndex = static_cast<std::uint8_t>(Value);
}

fw::TColor TGIFGraphicControlExtension::TransparentColor() {
  return FSubImage ? FSubImage->ActiveColorMap().Colors(FTransparentIndex) : fw::clNone;
}

void TGIFGraphicControlExtension::SaveBody(fw::TStream* Stream) {
  WriteByte(Stream, 4);
  WriteByte(Stream, FPacked);
  WriteWord(Stream, FDelay);
  WriteByte(Stream, FTransparentIndex);
  WriteByte(Stream, 0);
}

void TGIFGraphicControlExtension::LoadBody(fw::TStream* Stream) {
  std::uint8_t b[6] = {};
  if (Stream->Read(b, 6) != 6) {
    Warning("Premature end of data");
    return;
  }
  FPacked = b[1];
  FDelay = Word16(b + 2);
  FTransparentIndex = b[4];
  if (Transparent() && FSubImage) FSubImage->SetTransparent(true);
}

// --- Text and comment ---------------------------------------------------------------------------

void TGIFTextExtension::SaveBody(fw::TStream* Stream) {
  WriteByte(Stream, 12);
  WriteWord(Stream, static_cast<std::uint16_t>(Left));
  WriteWord(Stream, static_cast<std::uint16_t>(Top));
  WriteWord(Stream, static_cast<std::uint16_t>(GridWidth));
  WriteWord(Stream, static_cast<std::uint16_t>(GridHeight));
  WriteByte(Stream, static_cast<std::uint8_t>(CharWidth));
  WriteByte(Stream, static_cast<std::uint8_t>(CharHeight));
  WriteByte(Stream, static_cast<std::uint8_t>(ForegroundColorIndex));
  WriteByte(Stream, static_cast<std::uint8_t>(BackgroundColorIndex));
  WriteStrings(Stream, Text);
}

void TGIFTextExtension::LoadBody(fw::TStream* Stream) {
  std::uint8_t b[13];
  ReadExact(Stream, b, 13);
  Left = Word16(b + 1);
  Top = Word16(b + 3);
  GridWidth = Word16(b + 5);
  GridHeight = Word16(b + 7);
  CharWidth = b[9];
  CharHeight = b[10];
  ForegroundColorIndex = b[11];
  BackgroundColorIndex = b[12];
  Text = ReadStrings(Stream);
}

void TGIFCommentExtension::SaveBody(fw::TStream* Stream) { WriteStrings(Stream, Text); }

void TGIFCommentExtension::LoadBody(fw::TStream* Stream) { Text = ReadStrings(Stream); }

// --- Application blocks -------------------------------------------------------------------------

TGIFExtensionFactory TGIFApplicationExtension::FindApplicationExtension(fw::TStream* Stream) {
  std::uint8_t size = 0;
  if (!TryReadByte(Stream, size)) return nullptr;
  char ident[11];
  if (size == 11 && Stream->Read(ident, 11) == 11) {
    const std::string key(ident, 11);
    const auto& items = AppExtensionRegistry().Items;
    for (auto it = items.rbegin(); it != items.rend(); ++it)
      if (it->first == key) return it->second;
    return &MakeGIFExtension<TGIFUnknownAppExtension>;
  }
  if (size == 10 && Stream->Read(ident, 10) == 10) return &MakeGIFExtension<TGIFUnknownAppExtension>;
  return nullptr;
}

void TGIFApplicationExtension::SetIdentifier(const std::string& Ident, const std::string& Auth) {
  FIdent.fill('\0');
  std::memcpy(FIdent.data(), Ident.data(), std::min<std::size_t>(8, Ident.size()));
  std::memcpy(FIdent.data() + 8, Auth.data(), std::min<std::size_t>(3, Auth.size()));
}

void TGIFApplicationExtension::SaveBody(fw::TStream* Stream) {
  WriteByte(Stream, 11);
  Stream->WriteBuffer(FIdent.data(), 11);
  SaveData(Stream);
}

void TGIFApplicationExtension::LoadBody(fw::TStream* Stream) {
  const std::uint8_t size = ReadByte(Stream);
  if (size < 10) throw GIFException("Unsupported Application Extension block size");
  if (size == 10) FIdent.fill('\0');
  ReadExact(Stream, FIdent.data(), 11);
  Stream->Seek(static_cast<fw::Int64>(size) - 11, fw::soCurrent);
  LoadData(Stream);
}

// A block of a size no class claims: its data are passed over, and written back as none.
void TGIFApplicationExtension::SaveData(fw::TStream* Stream) { WriteByte(Stream, 0); }

void TGIFApplicationExtension::LoadData(fw::TStream* Stream) {
  for (;;) {
    const std::uint8_t n = ReadByte(Stream);
    if (n == 0) break;
    if (Stream->Seek(n, fw::soCurrent) < 0) throw GIFException("Premature end of data");
  }
}

void TGIFUnknownAppExtension::SaveData(fw::TStream* Stream) {
  for (const TGIFBlock& block : Blocks) {
    // Kept blocks hold 1..255 bytes; anything longer is cut into pieces.
    for (std::size_t pos = 0; pos < block.Data.size(); pos += 255) {
      const std::size_t n = std::min<std::size_t>(255, block.Data.size() - pos);
      WriteByte(Stream, static_cast<std::uint8_t>(n));
      Stream->WriteBuffer(block.Data.data() + pos, static_cast<fw::Integer>(n));
    }
  }
  WriteByte(Stream, 0);
}

void TGIFUnknownAppExtension::LoadData(fw::TStream* Stream) {
  Blocks.clear();
  for (;;) {
    const std::uint8_t n = ReadByte(Stream);
    if (n == 0) break;
    TGIFBlock block;
    block.Data.resize(n);
    ReadExact(Stream, block.Data.data(), n);
    Blocks.push_back(std::move(block));
  }
}

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* SubImage) : TGIFApplicationExtension(SubImage) {
  SetIdentifier("NETSCAPE", "2.0");
}

void TGIFAppExtNSLoop::SaveData(fw::TStream* Stream) {
  WriteByte(Stream, 3);
  WriteByte(Stream, 1);
  WriteWord(Stream, static_cast<std::uint16_t>(Loops));
  if (BufferSize != 0) {
    WriteByte(Stream, 5);
    WriteByte(Stream, 2);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(BufferSize), static_cast<std::uint8_t>(BufferSize >> 8),
                               static_cast<std::uint8_t>(BufferSize >> 16),
                               static_cast<std::uint8_t>(BufferSize >> 24)};
    Stream->WriteBuffer(b, 4);
  }
  WriteByte(Stream, 0);
}

void TGIFAppExtNSLoop::LoadData(fw::TStream* Stream) {
  for (;;) {
    const std::uint8_t n = ReadByte(Stream);
    if (n == 0) break;
    std::uint8_t b[255];
    ReadExact(Stream, b, n);
    switch (b[0] & 7) {
      case 1:
        if (n < 3) throw GIFException("Invalid GIF data");
        Loops = Word16(b + 1);
        break;
      case 2:
        if (n < 5) throw GIFException("Invalid GIF data");
        BufferSize = static_cast<std::uint32_t>(b[1]) | static_cast<std::uint32_t>(b[2]) << 8 |
                     static_cast<std::uint32_t>(b[3]) << 16 | static_cast<std::uint32_t>(b[4]) << 24;
        break;
      default:
        break;
    }
  }
}

// --- List ---------------------------------------------------------------------------------------

TGIFExtensionList::TGIFExtensionList(TGIFSubImage* SubImage)
    : TGIFList(SubImage ? SubImage->Image() : nullptr), FSubImage(SubImage) {}

TGIFExtension* TGIFExtensionList::operator[](int Index) const {
  return static_cast<TGIFExtension*>(FItems.at(static_cast<std::size_t>(Index)).get());
}

int TGIFExtensionList::Add(std::unique_ptr<TGIFExtension> Extension) { return AddItem(std::move(Extension)); }

void TGIFExtensionList::LoadFromStream(fw::TStream* Stream, fw::TObject* Parent) {
  (void)Parent;
  std::uint8_t b = 0;
  while (TryReadByte(Stream, b)) {
    if (b == ',' || b == ';') {
      Stream->Seek(-1, fw::soCurrent);
      break;
    }
    if (b != '!') {
      Warning("Invalid extension introducer");
      break;
    }
    TGIFExtensionFactory factory = TGIFExtension::FindExtension(Stream);
    if (!factory) throw GIFException("Unknown extension type");
    Stream->Seek(-1, fw::soCurrent);
    std::unique_ptr<TGIFExtension> extension = factory(FSubImage);
    TGIFExtension* raw = extension.get();
    Add(std::move(extension));
    raw->LoadFromStream(Stream);
  }
}

}  // namespace kvexport
