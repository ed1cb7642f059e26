#include "framework/GraphicsCanvas.h"

#include "framework/Graphics.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/painting/UserDraw.h"

namespace fw {

win::UINT TextFormatToFlags(TTextFormat Format) {
  static constexpr win::UINT kFlags[] = {
      win::DT_BOTTOM,        win::DT_CALCRECT,    win::DT_CENTER,       win::DT_EDITCONTROL,
      win::DT_END_ELLIPSIS,  win::DT_PATH_ELLIPSIS, win::DT_EXPANDTABS, win::DT_EXTERNALLEADING,
      win::DT_LEFT,          win::DT_MODIFYSTRING, win::DT_NOCLIP,      win::DT_NOPREFIX,
      win::DT_RIGHT,         win::DT_RTLREADING,  win::DT_SINGLELINE,   win::DT_TOP,
      win::DT_VCENTER,       win::DT_WORDBREAK,   win::DT_HIDEPREFIX,   win::DT_NOFULLWIDTHCHARBREAK,
      win::DT_PREFIXONLY,    win::DT_TABSTOP,     win::DT_WORD_ELLIPSIS};
  win::UINT flags = 0;
  for (int i = 0; i <= int(tfWordEllipsis); ++i)
    if (Format.Contains(TTextFormats(i))) flags |= kFlags[i];
  return flags;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FFont->OnChange = [this](TObject*) { FontChanged(); };
  FPen->OnChange = [this](TObject*) { PenChanged(); };
  FBrush->OnChange = [this](TObject*) { BrushChanged(); };
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  // The tools go after the DC no longer holds their objects.
  FFont->OnChange = nullptr;
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

win::HDC TCanvas::Handle() {
  RequiredState(csHandleValid);
  return FHandle;
}

void TCanvas::SetHandle(win::HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) {
    DeselectHandles();
    win::POINT pos{};
    if (win::GetCurrentPositionEx(FHandle, &pos)) FPenPos = pos;
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value) {
    FHandle = Value;
    FState.Include(csHandleValid);
    win::MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  }
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  const TCanvasState tools{csPenValid, csBrushValid, csFontValid};
  if ((FState * tools).Empty()) return;
  win::SelectObject(FHandle, win::GetStockObject(win::BLACK_PEN));
  win::SelectObject(FHandle, win::GetStockObject(win::HOLLOW_BRUSH));
  win::SelectObject(FHandle, win::GetStockObject(win::SYSTEM_FONT));
  FState -= tools;
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  const TCanvasState needed = ReqState - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid)) CreateFont();
  if (needed.Contains(csPenValid)) CreatePen();
  if (needed.Contains(csBrushValid)) CreateBrush();
  FState += needed;
}

void TCanvas::CreateFont() {
  win::SelectObject(FHandle, FFont->Handle());
  win::SetTextColor(FHandle, win::COLORREF(ColorToRGB(FFont->Color())));
}

void TCanvas::CreatePen() {
  win::SelectObject(FHandle, FPen->Handle());
  win::SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
}

void TCanvas::CreateBrush() {
  win::SelectObject(FHandle, FBrush->Handle());
  // Text and hatch gaps take the brush colour only for a solid brush; otherwise they stay clear.
  if (FBrush->Style() == bsSolid) {
    win::SetBkColor(FHandle, win::COLORREF(ColorToRGB(FBrush->Color())));
    win::SetBkMode(FHandle, win::OPAQUE);
  } else {
    win::SetBkColor(FHandle, ~win::COLORREF(ColorToRGB(FBrush->Color())) & 0xFFFFFF);
    win::SetBkMode(FHandle, win::TRANSPARENT);
  }
}

void TCanvas::FontChanged() {
  if (!FState.Contains(csFontValid)) return;
  FState.Exclude(csFontValid);
  win::SelectObject(FHandle, win::GetStockObject(win::SYSTEM_FONT));
}

void TCanvas::PenChanged() {
  if (!FState.Contains(csPenValid)) return;
  FState.Exclude(csPenValid);
  win::SelectObject(FHandle, win::GetStockObject(win::BLACK_PEN));
}

void TCanvas::BrushChanged() {
  if (!FState.Contains(csBrushValid)) return;
  FState.Exclude(csBrushValid);
  win::SelectObject(FHandle, win::GetStockObject(win::HOLLOW_BRUSH));
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
  if (FHandle) win::GetCurrentPositionEx(FHandle, &FPenPos);
  return FPenPos;
}

TRect TCanvas::ClipRect() {
  RequiredState(csHandleValid);
  TRect r{};
  win::GetClipBox(FHandle, &r);
  return r;
}

void TCanvas::SetClipRect(const TRect& Rect) {
  RequiredState(csHandleValid);
  win::SelectClipRgn(FHandle, nullptr);
  win::IntersectClipRect(FHandle, Rect.left, Rect.top, Rect.right, Rect.bottom);
}

void TCanvas::RemoveClip() {
  RequiredState(csHandleValid);
  win::SelectClipRgn(FHandle, nullptr);
}

void TCanvas::MoveTo(Integer X, Integer Y) {
  RequiredState(csHandleValid);
  win::MoveToEx(FHandle, X, Y, nullptr);
  FPenPos = TPoint{X, Y};
}

void TCanvas::LineTo(Integer X, Integer Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::LineTo(FHandle, X, Y);
  FPenPos = TPoint{X, Y};
  Changed();
}

void TCanvas::Polyline(const TPoint* Points, Integer Count) {
  if (!Points || Count <= 0) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polyline(FHandle, Points, Count);
  Changed();
}

void TCanvas::Polygon(const TPoint* Points, Integer Count) {
  if (!Points || Count <= 0) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Polygon(FHandle, Points, Count);
  Changed();
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Rectangle(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Ellipse(FHandle, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
                    Integer Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  win::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FillRect(FHandle, &Rect, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::FrameRect(FHandle, &Rect, FBrush->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  win::DrawFocusRect(FHandle, &Rect);
  Changed();
}

void TCanvas::TextOut(Integer X, Integer Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  const std::u16string w = win::Utf8ToWide(Text);
  win::SIZE size{};
  win::GetTextExtentPoint32W(FHandle, w.c_str(), int(w.size()), &size);
  if (FOrientation == coRightToLeft) X += size.cx + 1;
  win::ExtTextOutW(FHandle, X, Y, win::UINT(FTextFlags), nullptr, w.c_str(), win::UINT(w.size()), nullptr);
  MoveTo(X + size.cx, Y);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  win::UINT options = win::ETO_CLIPPED | win::UINT(FTextFlags);
  if (FBrush->Style() != bsClear) options |= win::ETO_OPAQUE;
  const std::u16string w = win::Utf8ToWide(Text);
  win::ExtTextOutW(FHandle, X, Y, options, &Rect, w.c_str(), win::UINT(w.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(TRect& Rect, const String& Text, TTextFormat TextFormat) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  // DrawText writes the shortened text into the buffer with tfModifyString: room for 4 more.
  std::u16string w = win::Utf8ToWide(Text);
  const int count = int(w.size());
  w.resize(w.size() + 4);
  const int oldMode = FBrush->Style() == bsClear ? win::SetBkMode(FHandle, win::TRANSPARENT) : 0;
  win::DrawTextW(FHandle, w.data(), count, &Rect, TextFormatToFlags(TextFormat));
  if (oldMode) win::SetBkMode(FHandle, oldMode);
  Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  const std::u16string w = win::Utf8ToWide(Text);
  TSize size{};
  win::GetTextExtentPoint32W(FHandle, w.c_str(), int(w.size()), &size);
  return size;
}

TColor TCanvas::Pixels(Integer X, Integer Y) {
  RequiredState(csHandleValid);
  return TColor(win::GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  win::SetPixel(FHandle, X, Y, win::COLORREF(ColorToRGB(Value)));
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (!Canvas) return;
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  win::StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, Canvas->FHandle,
                  Source.left, Source.top, Source.right - Source.left, Source.bottom - Source.top,
                  win::DWORD(FCopyMode));
  Changed();
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  StretchDraw(Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState(csHandleValid);
  // Monochrome device bitmaps paint their 1 bits in the brush colour.
  win::SetBkColor(FHandle, win::COLORREF(ColorToRGB(FBrush->Color())));
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}

void TCanvas::Unlock() {
  if (FLockCount <= 0) return;
  --FLockCount;
  FLock.unlock();
}

}  // namespace fw
