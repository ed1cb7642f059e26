#include "framework/GraphicsPicture.h"

#include <typeinfo>
#include <vector>

#include "framework/Filer.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsIcon.h"
#include "framework/Jpeg.h"
#include "framework/Streams.h"

namespace fw {
namespace {

struct FileFormat {
  String extension;  // lower case, no dot
  String description;
  TGraphicFactory factory;
};

std::vector<FileFormat>& Formats() {
  static std::vector<FileFormat> formats = {
      {"jpg", "JPEG Image File", &MakeGraphic<TJPEGImage>},
      {"jpeg", "JPEG Image File", &MakeGraphic<TJPEGImage>},
      {"bmp", "Bitmaps", &MakeGraphic<TBitmap>},
      {"ico", "Icons", &MakeGraphic<TIcon>},
  };
  return formats;
}

bool SameClass(TGraphicFactory factory, const TGraphic& g) {
  const std::unique_ptr<TGraphic> probe(factory());
  const TGraphic& made = *probe;  // typeid of a plain reference: no side effect to evaluate
  return typeid(made) == typeid(g);
}

}  // namespace

void TPicture::RegisterFileFormat(const String& AExtension, const String& ADescription,
                                  TGraphicFactory AGraphicClass) {
  String ext = LowerCase(AExtension);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  if (ext.empty() || !AGraphicClass) return;
  auto& formats = Formats();
  for (FileFormat& f : formats) {
    if (f.extension == ext) {
      f = FileFormat{ext, ADescription, AGraphicClass};
      return;
    }
  }
  // Newer formats come first, as they are listed in filters.
  formats.insert(formats.begin(), FileFormat{ext, ADescription, AGraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicFactory AGraphicClass) {
  std::erase_if(Formats(), [&](const FileFormat& f) { return f.factory == AGraphicClass; });
}

String GraphicFilter(TGraphicFactory GraphicClass) {
  String all, parts;
  int count = 0;
  for (const FileFormat& f : Formats()) {
    if (GraphicClass && f.factory != GraphicClass) continue;
    const String mask = "*." + f.extension;
    all += (count ? ";" : "") + mask;
    parts += "|" + f.description + " (" + mask + ")|" + mask;
    ++count;
  }
  if (count == 0) return {};
  if (count == 1) return parts.substr(1);
  return "All (" + all + ")|" + all + parts;
}

String GraphicExtension(TGraphicFactory GraphicClass) {
  for (const FileFormat& f : Formats())
    if (f.factory == GraphicClass) return f.extension;
  return {};
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Install(std::unique_ptr<TGraphic> g) {
  FGraphic = std::move(g);
  if (FGraphic) FGraphic->OnChange = [this](TObject* Sender) { Changed(Sender); };
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) {
    Install(nullptr);
    return;
  }
  if (Value == FGraphic.get()) return;
  std::unique_ptr<TGraphic> copy;
  for (const FileFormat& f : Formats()) {
    if (SameClass(f.factory, *Value)) {
      copy.reset(f.factory());
      break;
    }
  }
  if (!copy && dynamic_cast<TBitmap*>(Value)) copy = std::make_unique<TBitmap>();
  if (!copy) throw EInvalidGraphic("Unknown picture format " + Value->ClassName());
  copy->Assign(Value);
  Install(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Install(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    Install(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    SetGraphic(p->Graphic());
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); },
      FGraphic && !FGraphic->Empty());
}

void TPicture::WriteData(TStream* Stream) const {
  String ext;
  for (const FileFormat& f : Formats())
    if (SameClass(f.factory, *FGraphic)) {
      ext = f.extension;
      break;
    }
  if (ext.empty() || ext.size() > 255) throw EInvalidGraphic("Unknown picture format " + FGraphic->ClassName());
  const Byte size = Byte(ext.size());
  Stream->WriteBuffer(&size, 1);
  Stream->WriteBuffer(ext.data(), size);
  FGraphic->SaveToStream(Stream);
}

// The picture changes only once its graphic has been read whole.
void TPicture::ReadData(TStream* Stream) {
  Byte size = 0;
  String ext;
  if (Stream->Read(&size, 1) == 1) {
    ext.resize(size);
    if (size && Stream->Read(ext.data(), size) != Integer(size)) ext.clear();
  }
  const FileFormat* format = nullptr;
  for (const FileFormat& f : Formats())
    if (!ext.empty() && f.extension == ext) format = &f;
  if (!format) throw EReadError("Invalid picture data");
  std::unique_ptr<TGraphic> g(format->factory());
  g->LoadFromStream(Stream);
  Install(std::move(g));
}

void TPicture::LoadFromFile(const String& FileName) {
  String ext = LowerCase(ExtractFileExt(FileName));
  if (!ext.empty()) ext.erase(0, 1);
  const FileFormat* format = nullptr;
  for (const FileFormat& f : Formats())
    if (f.extension == ext) format = &f;
  if (!format) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> g(format->factory());
  g->LoadFromFile(FileName);
  Install(std::move(g));
}

void TPicture::SaveToFile(const String& FileName) {
  if (!FGraphic || FGraphic->Empty()) throw EInvalidGraphicOperation("Cannot save an empty picture");
  FGraphic->SaveToFile(FileName);
}

}  // namespace fw
