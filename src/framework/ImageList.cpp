#include "framework/ImageList.h"

#include <algorithm>
#include <cstring>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsBitmapFormat.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace fw {
namespace {

// Paints the pattern where the source is white and leaves the destination elsewhere.
constexpr win::DWORD kPaintWhereSourceIsWhite = 0x00E20746;

}  // namespace

struct TCustomImageList::Entry {
  std::unique_ptr<TBitmap> image;   // 32 bpp, as added
  win::HBITMAP mask = nullptr;      // 1 bpp, white = see-through; null for alpha images
  win::HBITMAP blend = nullptr;     // alpha images: premultiplied copy for AlphaBlend
  // Masked images: the image black where it is see-through, made at the first draw (an entry
  // never changes; replacing an image makes a new entry).
  mutable win::HBITMAP cut = nullptr;
  ~Entry() {
    if (mask) win::DeleteObject(mask);
    if (blend) win::DeleteObject(blend);
    if (cut) win::DeleteObject(cut);
  }
};

// --- TChangeLink ---------------------------------------------------------------------------------

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(FSender);
}

// --- TCustomImageList ----------------------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : FChangeLinks) link->SetSender(nullptr);
}

void TCustomImageList::Change() {
  // A copy: a link may unregister itself from its handler.
  const std::vector<TChangeLink*> links = FChangeLinks;
  for (TChangeLink* link : links)
    if (std::find(FChangeLinks.begin(), FChangeLinks.end(), link) != FChangeLinks.end()) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value) return;
  if (Value->Sender() && Value->Sender() != this) Value->Sender()->UnRegisterChanges(Value);
  Value->SetSender(this);
  if (std::find(FChangeLinks.begin(), FChangeLinks.end(), Value) == FChangeLinks.end())
    FChangeLinks.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  const auto it = std::find(FChangeLinks.begin(), FChangeLinks.end(), Value);
  if (it == FChangeLinks.end()) return;
  FChangeLinks.erase(it);
  Value->SetSender(nullptr);
}

void TCustomImageList::SetWidth(Integer Value) {
  if (Value <= 0 || Value == FWidth) return;
  FWidth = Value;
  Clear();
}

void TCustomImageList::SetHeight(Integer Value) {
  if (Value <= 0 || Value == FHeight) return;
  FHeight = Value;
  Clear();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == FBkColor) return;
  FBkColor = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == FDrawingStyle) return;
  FDrawingStyle = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == FImageType) return;
  FImageType = Value;
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  Change();
}

void TCustomImageList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

std::unique_ptr<TCustomImageList::Entry> TCustomImageList::MakeEntry(TBitmap* Image, TBitmap* Mask, Integer Left,
                                                                     bool KeyMask, TColor Key) {
  auto e = std::make_unique<Entry>();
  e->image = std::make_unique<TBitmap>();
  e->image->SetPixelFormat(pf32bit);
  e->image->SetSize(FWidth, FHeight);
  const Integer w = std::min(FWidth, Image->Width() - Left);
  const Integer h = std::min(FHeight, Image->Height());
  bool alpha = false;
  if (Image->PixelFormat() == pf32bit) {
    // Alpha bytes survive only a byte copy. Rows lie one scan line apart: the row pointers are
    // found once, since each ScanLine call settles the bitmap's pending drawing first.
    const auto* srcRows = static_cast<const uint8_t*>(Image->ScanLine(0)) + size_t(Left) * 4;
    const size_t srcStride = size_t(Image->ScanLineSize());
    auto* dstRows = static_cast<uint8_t*>(e->image->ScanLine(0));
    const size_t dstStride = size_t(e->image->ScanLineSize());
    for (Integer y = 0; y < h; ++y) {
      const auto* src = srcRows + srcStride * size_t(y);
      std::memcpy(dstRows + dstStride * size_t(y), src, size_t(w) * 4);
      for (Integer x = 0; x < w && !alpha; ++x) alpha = src[x * 4 + 3] != 0;
    }
  } else {
    e->image->Canvas()->CopyRect(Rect(0, 0, w, h), Image->Canvas(), Rect(Left, 0, Left + w, h));
  }
  if (alpha) {
    e->blend = bitmaps::Create(pf32bit, false, bmDIB, FWidth, FHeight, {});
    win::DIBSECTION ds;
    win::GetObjectW(e->blend, sizeof ds, &ds);
    const auto* imageRows = static_cast<const uint8_t*>(e->image->ScanLine(0));
    const size_t imageStride = size_t(e->image->ScanLineSize());
    for (Integer y = 0; y < FHeight; ++y) {
      const auto* src = imageRows + imageStride * size_t(y);
      auto* dst = static_cast<uint8_t*>(ds.dsBm.bmBits) + size_t(y) * size_t(ds.dsBm.bmWidthBytes);
      for (Integer x = 0; x < FWidth; ++x) {
        const unsigned a = src[x * 4 + 3];
        for (int c = 0; c < 3; ++c) dst[x * 4 + c] = uint8_t((src[x * 4 + c] * a + 127) / 255);
        dst[x * 4 + 3] = uint8_t(a);
      }
    }
  } else if (KeyMask) {
    const TColor key = Key == clDefault ? Image->TransparentColor() : Key;
    e->mask = bitmaps::CreateColorMask(e->image->Handle(), FWidth, FHeight, win::COLORREF(ColorToRGB(key)));
  } else if (Mask && !Mask->Empty()) {
    // The mask's white pixels are see-through; a mask smaller than the image leaves the rest opaque.
    e->mask = bitmaps::Create(pf1bit, true, bmDIB, FWidth, FHeight, {});
    const std::vector<uint32_t> px = bitmaps::ReadPixels(Mask->Handle(), Mask->Width(), Mask->Height());
    win::DIBSECTION ds;
    win::GetObjectW(e->mask, sizeof ds, &ds);
    auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
    const Integer mw = std::min(FWidth, Mask->Width() - Left), mh = std::min(FHeight, Mask->Height());
    for (Integer y = 0; y < mh; ++y)
      for (Integer x = 0; x < mw; ++x)
        if (px[size_t(y) * size_t(Mask->Width()) + size_t(Left + x)] == 0xFFFFFF)
          bits[size_t(y) * size_t(ds.dsBm.bmWidthBytes) + size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
  }
  return e;
}

Integer TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->Empty()) return -1;
  const Integer first = Count();
  const Integer pieces = std::max(1, Image->Width() / FWidth);
  for (Integer i = 0; i < pieces; ++i) FImages.push_back(MakeEntry(Image, Mask, i * FWidth, false, clNone));
  Change();
  return first;
}

Integer TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->Empty()) return -1;
  const Integer first = Count();
  const Integer pieces = std::max(1, Image->Width() / FWidth);
  for (Integer i = 0; i < pieces; ++i) FImages.push_back(MakeEntry(Image, nullptr, i * FWidth, true, MaskColor));
  Change();
  return first;
}

void TCustomImageList::Replace(Integer Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  if (!Image || Image->Empty()) throw EInvalidOperation("Invalid image");
  FImages[size_t(Index)] = MakeEntry(Image, Mask, 0, false, clNone);
  Change();
}

void TCustomImageList::Delete(Integer Index) {
  CheckIndex(Index);
  FImages.erase(FImages.begin() + Index);
  Change();
}

void TCustomImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Change();
}

void TCustomImageList::GetBitmap(Integer Index, TBitmap* Image) {
  CheckIndex(Index);
  if (Image) Image->Assign(FImages[size_t(Index)]->image.get());
}

void TCustomImageList::DrawEntry(const Entry& e, win::HDC dest, Integer X, Integer Y) {
  const TRect r = Bounds(X, Y, FWidth, FHeight);
  if (FImageType == itMask) {
    if (e.mask) {
      bitmaps::MemoryDC maskDC(e.mask);
      const bitmaps::MonoColors mono(dest);
      win::BitBlt(dest, X, Y, FWidth, FHeight, maskDC.Handle(), 0, 0, win::SRCCOPY);
    } else {
      win::PatBlt(dest, X, Y, FWidth, FHeight, win::BLACKNESS);
    }
    return;
  }
  TBitmap& image = *e.image;
  if (e.blend) {
    bitmaps::MemoryDC src(e.blend);
    win::BLENDFUNCTION bf;
    bf.AlphaFormat = win::AC_SRC_ALPHA;
    win::AlphaBlend(dest, X, Y, FWidth, FHeight, src.Handle(), 0, 0, FWidth, FHeight, bf);
    return;
  }
  if (e.mask && FMasked) {
    if (!e.cut) e.cut = bitmaps::MaskedOutCopy(image.Canvas()->Handle(), FWidth, FHeight, e.mask);
    if (e.cut) bitmaps::DrawMaskedOut(dest, r, e.cut, FWidth, FHeight, e.mask);
  } else {
    win::BitBlt(dest, X, Y, FWidth, FHeight, image.Canvas()->Handle(), 0, 0, win::SRCCOPY);
  }
}

std::vector<bool> TCustomImageList::DisabledShape(const std::vector<uint32_t>& OnWhite) {
  // Every pixel the image covers would make a solid block of a coloured icon: its shape is the
  // pixels darker than the icon's own average (its outlines and dark parts), which light fills
  // and faint (see-through) pixels are not. A dark icon keeps all of itself.
  constexpr int kDarkest = 96, kLightest = 192;
  std::vector<int> light(OnWhite.size());
  long sum = 0, covered = 0;
  for (std::size_t i = 0; i < OnWhite.size(); ++i) {
    const uint32_t c = OnWhite[i] & 0xFFFFFF;
    light[i] = int((299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF)) / 1000);
    if (c != 0xFFFFFF) {
      sum += light[i];
      ++covered;
    }
  }
  const int threshold = covered ? std::clamp(int(sum / covered), kDarkest, kLightest) : 0;
  std::vector<bool> shape(OnWhite.size());
  for (std::size_t i = 0; i < OnWhite.size(); ++i)
    shape[i] = (OnWhite[i] & 0xFFFFFF) != 0xFFFFFF && light[i] <= threshold;
  return shape;
}

void TCustomImageList::DrawDisabled(TCanvas* Canvas, const Entry& e, Integer X, Integer Y) {
  // The image as it shows on white, then a mask of its shape.
  TBitmap onWhite;
  onWhite.SetPixelFormat(pf32bit);
  onWhite.SetSize(FWidth, FHeight);
  DrawEntry(e, onWhite.Canvas()->Handle(), 0, 0);
  const std::vector<uint32_t> px = bitmaps::ReadPixels(onWhite.Handle(), FWidth, FHeight);
  win::HBITMAP shape = bitmaps::Create(pf1bit, true, bmDIB, FWidth, FHeight, {});
  if (!shape || px.empty()) {
    if (shape) win::DeleteObject(shape);
    return;
  }
  win::DIBSECTION ds;
  win::GetObjectW(shape, sizeof ds, &ds);
  auto* bits = static_cast<uint8_t*>(ds.dsBm.bmBits);
  const std::vector<bool> inShape = DisabledShape(px);
  for (Integer y = 0; y < FHeight; ++y)
    for (Integer x = 0; x < FWidth; ++x)
      if (inShape[size_t(y) * size_t(FWidth) + size_t(x)])
        bits[size_t(y) * size_t(ds.dsBm.bmWidthBytes) + size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
  TBrush saved;
  saved.Assign(Canvas->Brush());
  {
    bitmaps::MemoryDC shapeDC(shape);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetBitmap(nullptr);
    // Selecting the brush sets the background colour: the mono colours come after it.
    const auto paint = [&](TColor color, Integer dx) {
      Canvas->Brush()->SetColor(color);
      Canvas->RequiredState({csHandleValid, csBrushValid});
      const bitmaps::MonoColors mono(Canvas->Handle());
      win::BitBlt(Canvas->Handle(), X + dx, Y + dx, FWidth, FHeight, shapeDC.Handle(), 0, 0,
                  kPaintWhereSourceIsWhite);
    };
    paint(clBtnHighlight, 1);
    paint(clBtnShadow, 0);
  }
  win::DeleteObject(shape);
  Canvas->Brush()->Assign(&saved);
}

void TCustomImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  const Entry& e = *FImages[size_t(Index)];
  Canvas->Changing();
  win::HDC dest = Canvas->Handle();
  if (!Enabled) {
    DrawDisabled(Canvas, e, X, Y);
  } else {
    if (FBkColor != clNone && FImageType == itImage) {
      win::HBRUSH bk = win::CreateSolidBrush(win::COLORREF(ColorToRGB(FBkColor)));
      const TRect r = Bounds(X, Y, FWidth, FHeight);
      win::FillRect(dest, &r, bk);
      win::DeleteObject(bk);
    }
    DrawEntry(e, dest, X, Y);
  }
  Canvas->Changed();
}

}  // namespace fw
