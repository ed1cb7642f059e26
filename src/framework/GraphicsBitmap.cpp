#include "framework/GraphicsBitmap.h"

#include <cstring>

#include "framework/GraphicsBitmapFormat.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Streams.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace fw {

// The canvas of a bitmap: a memory DC made when first drawn on, holding the bitmap object.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    win::HDC dc = HandleAllocated() ? Handle() : nullptr;
    if (!dc) return;
    SetHandle(nullptr);
    if (FOldBitmap) win::SelectObject(dc, FOldBitmap);
    FOldBitmap = nullptr;
    win::DeleteDC(dc);
  }

 protected:
  void CreateHandle() override {
    win::HDC dc = win::CreateCompatibleDC(nullptr);
    if (!dc) return;
    if (win::HBITMAP h = FBitmap->Handle()) FOldBitmap = win::SelectObject(dc, h);
    SetHandle(dc);
  }

 private:
  TBitmap* FBitmap;
  win::HGDIOBJ FOldBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  FreeMask();
  if (FHandle) win::DeleteObject(FHandle);
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::FreeMask() {
  if (FMaskHandle) win::DeleteObject(FMaskHandle);
  FMaskHandle = nullptr;
}

void TBitmap::Changed(TObject* Sender) {
  FreeMask();
  TGraphic::Changed(Sender);
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(this);
    FCanvas->OnChange = [this](TObject* Sender) { Changed(Sender); };
  }
  return FCanvas.get();
}

win::HBITMAP TBitmap::Handle() {
  if (!FHandle && !FDormantImage.empty()) {
    const TBitmapHandleType type = FHandleType;
    win::HBITMAP h = win::LoadBmpFromMemory(FDormantImage.data(), FDormantImage.size());
    FDormantImage.clear();
    if (h) {
      ReplaceHandle(h);
      if (type != FHandleType) SetHandleType(type);
    }
  }
  return FHandle;
}

void TBitmap::ReplaceHandle(win::HBITMAP h) {
  FreeContext();
  FreeMask();
  if (FHandle && FHandle != h) win::DeleteObject(FHandle);
  FHandle = h;
  FDormantImage.clear();
  bitmaps::Format format;
  int w = 0, hgt = 0;
  if (h && bitmaps::ReadFormat(h, format, w, hgt)) {
    FWidth = w;
    FHeight = hgt;
    FPixelFormat = format.pixelFormat;
    FMonochrome = format.monochrome;
    FHandleType = format.handleType;
  } else {
    FHandle = nullptr;
    FWidth = FHeight = 0;
  }
}

void TBitmap::SetHandle(win::HBITMAP Value) {
  if (Value && win::GetObjectType(Value) != win::OBJ_BITMAP)
    throw EInvalidGraphic("Bitmap image is not valid");
  ReplaceHandle(Value);
  Changed(this);
}

win::HBITMAP TBitmap::ReleaseHandle() {
  win::HBITMAP h = Handle();
  FreeContext();
  FreeMask();
  FHandle = nullptr;
  FWidth = FHeight = 0;
  return h;
}

win::HBITMAP TBitmap::ConvertedCopy(TPixelFormat Format, bool Monochrome, TBitmapHandleType Type, Integer AWidth,
                                    Integer AHeight) {
  std::vector<win::RGBQUAD> table;
  win::HBITMAP old = Handle();
  if (old && bitmaps::BitsPerPixel(Format) <= 8 && Format == FPixelFormat && Type == bmDIB) table = ColorTable();
  win::HBITMAP h = bitmaps::Create(Format, Monochrome, Type, AWidth, AHeight, table);
  if (!h) throw EOutOfResources("Out of system resources");
  bitmaps::MemoryDC dst(h);
  // Uncovered parts take the canvas brush colour, as drawing there would.
  const win::COLORREF fill = FCanvas ? win::COLORREF(ColorToRGB(FCanvas->Brush()->Color())) : 0xFFFFFF;
  win::HBRUSH brush = win::CreateSolidBrush(fill);
  const win::RECT all{0, 0, AWidth, AHeight};
  win::FillRect(dst.Handle(), &all, brush);
  win::DeleteObject(brush);
  if (old) {
    FreeContext();
    bitmaps::MemoryDC src(old);
    win::BitBlt(dst.Handle(), 0, 0, std::min(AWidth, FWidth), std::min(AHeight, FHeight), src.Handle(), 0, 0,
                win::SRCCOPY);
  }
  return h;
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  if (AWidth == 0 || AHeight == 0) {
    ReplaceHandle(nullptr);
    FWidth = AWidth;
    FHeight = AHeight;
  } else {
    const TPixelFormat format = FPixelFormat == pfCustom ? pf32bit : FPixelFormat;
    win::HBITMAP h = ConvertedCopy(format, FMonochrome, FHandleType, AWidth, AHeight);
    const TPixelFormat keep = FPixelFormat;
    ReplaceHandle(h);
    if (keep == pfCustom) FPixelFormat = pf32bit;
  }
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pfCustom) throw EInvalidGraphic("Invalid pixel format");
  if (Value == FPixelFormat && !(Value == pf1bit && FHandleType == bmDDB)) return;
  const TBitmapHandleType type = Value == pfDevice ? bmDDB : bmDIB;
  FPixelFormat = Value;
  FMonochrome = Value == pf1bit;
  FHandleType = type;
  if (!Empty()) {
    FPixelFormat = pfDevice;  // makes ConvertedCopy use the default table of the new depth
    ReplaceHandle(ConvertedCopy(Value, Value == pf1bit, type, FWidth, FHeight));
  }
  Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == FMonochrome) return;
  const TBitmapHandleType type = Value ? bmDDB : FHandleType;
  const TPixelFormat format = Value ? pf1bit : (type == bmDDB ? pfDevice : pf32bit);
  if (!Empty()) {
    ReplaceHandle(ConvertedCopy(format, Value, type, FWidth, FHeight));
  } else {
    FMonochrome = Value;
    FPixelFormat = format;
    FHandleType = type;
  }
  Changed(this);
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == FHandleType) return;
  TPixelFormat format = FPixelFormat;
  if (Value == bmDDB) format = FMonochrome ? pf1bit : pfDevice;
  else if (format == pfDevice) format = pf32bit;
  if (!Empty()) {
    ReplaceHandle(ConvertedCopy(format, FMonochrome, Value, FWidth, FHeight));
  } else {
    FHandleType = Value;
    FPixelFormat = format;
  }
  Changed(this);
}

void* TBitmap::ScanLine(Integer Row) {
  if (Row < 0 || Row >= FHeight || Empty()) throw EInvalidGraphicOperation("Scan line index out of range");
  if (FHandleType == bmDDB) SetHandleType(bmDIB);
  win::HBITMAP h = Handle();
  bitmaps::CommitPendingDrawing(h);
  // Writes through the pointer change the image.
  FreeMask();
  win::DIBSECTION ds;
  if (win::GetObjectW(h, sizeof ds, &ds) != int(sizeof ds) || !ds.dsBm.bmBits)
    throw EInvalidGraphicOperation("Scan line index out of range");
  return static_cast<uint8_t*>(ds.dsBm.bmBits) + size_t(Row) * size_t(ds.dsBm.bmWidthBytes);
}

Integer TBitmap::ScanLineSize() const {
  const int bpp = FHandleType == bmDDB ? (FMonochrome ? 1 : 32) : bitmaps::BitsPerPixel(FPixelFormat);
  return ((FWidth * (bpp ? bpp : 32) + 31) / 32) * 4;
}

std::vector<win::RGBQUAD> TBitmap::ColorTable() {
  bitmaps::Format format;
  int w = 0, h = 0;
  if (!bitmaps::ReadFormat(Handle(), format, w, h)) return {};
  return format.colorTable;
}

void TBitmap::SetColorTable(const std::vector<win::RGBQUAD>& Table) {
  win::HBITMAP old = Handle();
  bitmaps::Format format;
  int w = 0, h = 0;
  if (!bitmaps::ReadFormat(old, format, w, h) || format.handleType != bmDIB || format.bpp > 8)
    throw EInvalidGraphicOperation("Bitmap has no colour table");
  std::vector<win::RGBQUAD> table = Table;
  table.resize(size_t(1) << format.bpp);
  win::HBITMAP fresh = bitmaps::Create(FPixelFormat, false, bmDIB, w, h, table);
  if (!fresh) throw EOutOfResources("Out of system resources");
  // Same layout, new colours: the indexes are copied as they are.
  FreeContext();
  bitmaps::CommitPendingDrawing(old);
  win::DIBSECTION from, to;
  win::GetObjectW(old, sizeof from, &from);
  win::GetObjectW(fresh, sizeof to, &to);
  std::memcpy(to.dsBm.bmBits, from.dsBm.bmBits, size_t(from.dsBm.bmWidthBytes) * size_t(h));
  ReplaceHandle(fresh);
  Changed(this);
}

TColor TBitmap::TransparentColor() {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (Empty() || !Handle()) return clDefault;
  const std::vector<uint32_t> px = bitmaps::ReadPixels(FHandle, FWidth, FHeight);
  if (px.empty()) return clDefault;
  const uint32_t rgb = px[size_t(FHeight - 1) * size_t(FWidth)];
  return TColor(win::RGB(win::BYTE(rgb >> 16), win::BYTE(rgb >> 8), win::BYTE(rgb)));
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor && FTransparentMode == (Value == clDefault ? tmAuto : tmFixed)) return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto) {
    SetTransparentColor(clDefault);
  } else {
    SetTransparentColor(TransparentColor());
  }
}

win::HBITMAP TBitmap::MaskHandle() {
  if (!FMaskHandle && !Empty() && Handle()) {
    const TColor key = TransparentColor();
    FMaskHandle = bitmaps::CreateColorMask(FHandle, FWidth, FHeight, win::COLORREF(ColorToRGB(key)));
  }
  return FMaskHandle;
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!ACanvas || Empty() || !Handle()) return;
  win::HDC dest = ACanvas->Handle();
  const bool transparent = Transparent();
  win::HBITMAP mask = transparent ? MaskHandle() : nullptr;
  // The source is this bitmap's own canvas DC when it has one (a bitmap sits in one DC only).
  std::unique_ptr<bitmaps::MemoryDC> temp;
  win::HDC src = nullptr;
  if (FCanvas && FCanvas->HandleAllocated()) {
    src = FCanvas->Handle();
  } else {
    temp = std::make_unique<bitmaps::MemoryDC>(FHandle);
    src = temp->Handle();
  }
  if (mask) {
    bitmaps::TransparentStretch(dest, Rect, src, FWidth, FHeight, mask);
  } else {
    win::StretchBlt(dest, Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top, src, 0, 0, FWidth,
                    FHeight, win::DWORD(ACanvas->CopyMode()));
  }
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    ReplaceHandle(nullptr);
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    TGraphic::SetTransparent(b->Transparent());
    if (b->Empty()) {
      ReplaceHandle(nullptr);
      FWidth = b->FWidth;
      FHeight = b->FHeight;
      FPixelFormat = b->FPixelFormat;
      FMonochrome = b->FMonochrome;
      FHandleType = b->FHandleType;
    } else {
      std::vector<unsigned char> image;
      // A copy through BMP data keeps the depth and the colour table exactly.
      if (!win::SaveBmpToMemory(b->Handle(), image)) throw EOutOfResources("Out of system resources");
      win::HBITMAP h = win::LoadBmpFromMemory(image.data(), image.size());
      if (!h) throw EOutOfResources("Out of system resources");
      ReplaceHandle(h);
      if (b->FHandleType != FHandleType) SetHandleType(b->FHandleType);
    }
    Changed(this);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetSize(0, 0);
    SetSize(g->Width(), g->Height());
    if (!Empty()) {
      Canvas()->Brush()->SetColor(clWhite);
      Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
      Canvas()->Draw(0, 0, g);
    }
    return;
  }
  TGraphic::Assign(Source);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  // The file header's size field says where the image ends, so data after it stays unread.
  unsigned char header[14];
  const Integer got = Stream->Read(header, sizeof header);
  std::vector<unsigned char> data(header, header + got);
  if (got == 0) {
    ReplaceHandle(nullptr);
    Changed(this);
    return;
  }
  uint32_t fileSize = 0;
  if (got == Integer(sizeof header)) std::memcpy(&fileSize, header + 2, 4);
  if (got == Integer(sizeof header) && header[0] == 'B' && header[1] == 'M' && fileSize > sizeof header &&
      fileSize < 0x7FFFFFFF) {
    data.resize(fileSize);
    const Integer rest = Stream->Read(data.data() + sizeof header, Integer(fileSize - sizeof header));
    data.resize(sizeof header + size_t(std::max(rest, 0)));
  } else {
    const std::string rest = Stream->ReadRemaining();
    data.insert(data.end(), rest.begin(), rest.end());
  }
  win::HBITMAP h = win::LoadBmpFromMemory(data.data(), data.size());
  if (!h) throw EInvalidGraphic("Bitmap image is not valid");
  ReplaceHandle(h);
  Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream) {
  if (Empty() || !Handle()) return;
  std::vector<unsigned char> image;
  std::string error;
  if (!win::SaveBmpToMemory(FHandle, image, &error)) throw EInvalidGraphic("Bitmap image is not valid");
  Stream->WriteBuffer(image.data(), Integer(image.size()));
}

void TBitmap::Dormant() {
  if (!FHandle) return;
  FreeContext();
  std::vector<unsigned char> image;
  if (!win::SaveBmpToMemory(FHandle, image)) return;
  FreeMask();
  win::DeleteObject(FHandle);
  FHandle = nullptr;
  FDormantImage = std::move(image);
}

void TBitmap::FreeImage() {
  if (FHandle) FDormantImage.clear();
}

}  // namespace fw
