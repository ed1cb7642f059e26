#include "framework/GraphicsObjects.h"

#include <algorithm>

#include "framework/GraphicsBitmap.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"

namespace fw {
namespace {

// Forgets `handle` before the listeners hear of the change and deletes it afterwards, so that a
// canvas can deselect it first and a listener asking for Handle gets a fresh object.
template <typename H>
void RetireHandle(H& handle, bool owned, const std::function<void()>& notify) {
  H old = handle;
  handle = nullptr;
  notify();
  if (old && owned) win::DeleteObject(old);
}

}  // namespace

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// --- TFont ---------------------------------------------------------------------------------------

TFont::TFont() = default;

TFont::~TFont() {
  if (FHandle) win::DeleteObject(FHandle);
}

void TFont::HandleDataChanged() {
  RetireHandle(FHandle, true, [this] { Changed(); });
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    FName = f->FName;
    FHeight = f->FHeight;
    FPixelsPerInch = f->FPixelsPerInch;
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FOrientation = f->FOrientation;
    FQuality = f->FQuality;
    HandleDataChanged();
    return;
  }
  TPersistent::Assign(Source);
}

win::HFONT TFont::Handle() {
  if (!FHandle) {
    win::LOGFONTW lf;
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(fsBold) ? win::FW_BOLD : win::FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = FStyle.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfQuality = win::BYTE(FQuality);  // the enumeration follows the *_QUALITY numbering
    lf.lfPitchAndFamily = FPitch == fpFixed      ? win::FIXED_PITCH
                          : FPitch == fpVariable ? win::VARIABLE_PITCH
                                                 : win::DEFAULT_PITCH;
    const std::u16string face = win::Utf8ToWide(FName);
    const size_t n = std::min<size_t>(face.size(), win::LF_FACESIZE - 1);
    std::copy_n(face.begin(), n, lf.lfFaceName);
    FHandle = win::CreateFontIndirectW(&lf);
    if (!FHandle) {
      // An absurd size: fall back to the default height rather than hand out no font.
      lf.lfHeight = 0;
      FHandle = win::CreateFontIndirectW(&lf);
    }
  }
  return FHandle;
}

void TFont::SetName(const String& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  HandleDataChanged();
}

void TFont::SetHeight(Integer Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  HandleDataChanged();
}

Integer TFont::Size() const { return -win::MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-win::MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  HandleDataChanged();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  HandleDataChanged();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  HandleDataChanged();
}

void TFont::SetOrientation(Integer Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  HandleDataChanged();
}

void TFont::SetQuality(TFontQuality Value) {
  if (Value == FQuality) return;
  FQuality = Value;
  HandleDataChanged();
}

// --- TPen ----------------------------------------------------------------------------------------

int PenModeToRop2(TPenMode Mode) {
  static constexpr int kRop2[] = {
      win::R2_BLACK,       win::R2_WHITE,      win::R2_NOP,         win::R2_NOT,
      win::R2_COPYPEN,     win::R2_NOTCOPYPEN, win::R2_MERGEPENNOT, win::R2_MASKPENNOT,
      win::R2_MERGENOTPEN, win::R2_MASKNOTPEN, win::R2_MERGEPEN,    win::R2_NOTMERGEPEN,
      win::R2_MASKPEN,     win::R2_NOTMASKPEN, win::R2_XORPEN,      win::R2_NOTXORPEN};
  const int i = int(Mode);
  return i >= 0 && i < int(std::size(kRop2)) ? kRop2[i] : win::R2_COPYPEN;
}

TPen::~TPen() {
  if (FHandle) win::DeleteObject(FHandle);
}

void TPen::HandleDataChanged() {
  RetireHandle(FHandle, true, [this] { Changed(); });
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    HandleDataChanged();
    return;
  }
  TPersistent::Assign(Source);
}

win::HPEN TPen::Handle() {
  if (!FHandle) {
    static constexpr int kStyles[] = {win::PS_SOLID,      win::PS_DASH, win::PS_DOT,        win::PS_DASHDOT,
                                      win::PS_DASHDOTDOT, win::PS_NULL, win::PS_INSIDEFRAME};
    FHandle = win::CreatePen(kStyles[FStyle], FWidth, win::COLORREF(ColorToRGB(FColor)));
  }
  return FHandle;
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  HandleDataChanged();
}

void TPen::SetWidth(Integer Value) {
  if (Value < 1 || Value == FWidth) return;
  FWidth = Value;
  HandleDataChanged();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  HandleDataChanged();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

// --- TBrush --------------------------------------------------------------------------------------

TBrush::~TBrush() {
  if (FHandle && FOwnsHandle) win::DeleteObject(FHandle);
}

void TBrush::HandleDataChanged() {
  RetireHandle(FHandle, FOwnsHandle, [this] { Changed(); });
  FOwnsHandle = false;
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    FBitmap = b->FBitmap;
    HandleDataChanged();
    return;
  }
  TPersistent::Assign(Source);
}

win::HBRUSH TBrush::Handle() {
  if (!FHandle) {
    const auto rgb = win::COLORREF(ColorToRGB(FColor));
    FOwnsHandle = true;
    if (FBitmap && !FBitmap->Empty()) {
      FHandle = win::CreatePatternBrush(FBitmap->Handle());
    } else if (FStyle == bsSolid) {
      FHandle = win::CreateSolidBrush(rgb);
    } else if (FStyle == bsClear) {
      FHandle = static_cast<win::HBRUSH>(win::GetStockObject(win::NULL_BRUSH));
      FOwnsHandle = false;
    } else {
      FHandle = win::CreateHatchBrush(int(FStyle) - int(bsHorizontal) + win::HS_HORIZONTAL, rgb);
    }
  }
  return FHandle;
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  // A clear brush painted in a colour becomes solid, as setting a colour means to paint with it.
  if (FStyle == bsClear) FStyle = bsSolid;
  HandleDataChanged();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  HandleDataChanged();
}

void TBrush::SetBitmap(TBitmap* Value) {
  if (Value == FBitmap) return;
  FBitmap = Value;
  HandleDataChanged();
}

}  // namespace fw
