#include "controls/CsPanels.h"

#include "controls/CsDrawing.h"
#include "controls/CsLookups.h"
#include "controls/UniCodePages.h"
#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Menus.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/UserDraw.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"

namespace cs {

void PaintGroupFrame(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, TCsThemeType ThemeType) {
  Canvas->RequiredState({fw::csHandleValid});
  const win::HDC dc = Canvas->Handle();
  fw::TRect r = Rect;
  switch (GetEffectiveThemeType(ThemeType)) {
    case thtTx:
      if (tx::CurrentTheme != nullptr) {
        tx::TTxItemInfo info;
        InitEditFrameInfo(info, Enabled, false);
        const int saved = win::SaveDC(dc);
        win::ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
        tx::CurrentTheme->PaintFrame(Canvas, r, info);
        win::RestoreDC(dc, saved);
        return;
      }
      break;
    case thtWindows:
      if (DrawStyledPart(u"BUTTON", dc, 4, Enabled ? 1 : 2, r)) return;
      break;
    case thtNone: break;
  }
  win::DrawEdge(dc, &r, win::EDGE_ETCHED, win::BF_RECT);
}

void PaintCaptionedGroupFrame(fw::TCanvas* Canvas, const fw::TRect& Rect, const WideString& Caption,
                              TCsThemeType ThemeType, bool Enabled, win::UINT Format) {
  fw::TRect frame = Rect;
  fw::TRect text{0, 0, 1, 1};
  if (!Caption.empty()) {
    DrawWideCaption(Canvas, Caption, text, 0xFFFF, false, Format | win::DT_CALCRECT);
    const int width = text.right - text.left, height = text.bottom - text.top;
    const int left = (Format & win::DT_RTLREADING) != 0 ? Rect.right - 8 - width : Rect.left + 8;
    text = {left, Rect.top, left + width, Rect.top + height};
    frame.top = Rect.top + height / 2;
  }
  Canvas->RequiredState({fw::csHandleValid});
  const win::HDC dc = Canvas->Handle();
  if (!Caption.empty()) win::ExcludeClipRect(dc, text.left, text.top, text.right, text.bottom);
  PaintGroupFrame(Canvas, frame, Enabled, ThemeType);
  win::SelectClipRgn(dc, nullptr);
  if (Caption.empty()) return;
  if (!Enabled) Canvas->Font()->SetColor(fw::clGrayText);
  DrawWideCaption(Canvas, Caption, text, 0xFFFF, false, Format);
}

TCsCustomPanel::TCsCustomPanel(fw::TComponent* AOwner) : TCsThemed<fw::TCustomControl>(AOwner) {
  FControlStyle.Include(fw::csAcceptsControls);
  SetColor(fw::clNone);
}

void TCsCustomPanel::ThemeChanged() {
  if (HandleAllocated())
    win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN);
}

void TCsCustomPanel::AlignControls(fw::TControl* AControl, fw::TRect& Rect) {
  win::InflateRect(&Rect, -1, -1);
  TCsThemed<fw::TCustomControl>::AlignControls(AControl, Rect);
}

void TCsCustomPanel::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == win::WM_ERASEBKGND) {
    // Without a colour of its own the panel shows what lies behind it, down to the first
    // container that paints; its children that show their parent's background see the same.
    PaintControlBackground(this, reinterpret_cast<win::HDC>(Message.WParam));
    Message.Result = 1;
    return;
  }
  TCsThemed<fw::TCustomControl>::Dispatch(Message);
}

void TCsCustomPanel::Paint() {
  PaintGroupFrame(Canvas(), ClientRect(), Enabled(), ThemeType());
}

void TCsPanel::SetHotTrack(bool Value) {
  if (FHotTrack == Value) return;
  FHotTrack = Value;
  ThemeChanged();
}

void TCsPanel::SetHot(bool Value) {
  if (FHot == Value) return;
  FHot = Value;
  ThemeChanged();
}

void TCsPanel::AlignControls(fw::TControl* AControl, fw::TRect& Rect) {
  win::InflateRect(&Rect, -1, -1);  // two pixels in all with the panel's own
  TCsCustomPanel::AlignControls(AControl, Rect);
}

void TCsPanel::Paint() {
  if (FHotTrack) PaintEditBorder(Canvas(), ClientRect(), Enabled(), true, ThemeType(), FHot);
  // The classic look has no hot border: the group frame stands for both.
  if (!FHotTrack || EffectiveThemeType() == thtNone) PaintGroupFrame(Canvas(), ClientRect(), Enabled(), ThemeType());
}

void TCsPanel::Dispatch(fw::TMessage& Message) {
  TCsCustomPanel::Dispatch(Message);
  switch (Message.Msg) {
    case fw::CM_MOUSEENTER: SetHot(true); break;
    case fw::CM_MOUSELEAVE:
      if (!FChildFocused) SetHot(false);
      break;
    case fw::CM_FOCUSCHANGED:
      if (FHotTrack) {
        auto* focused = reinterpret_cast<fw::TControl*>(Message.LParam);
        FChildFocused = IndexOfChildControl(this, focused) >= 0;
        SetHot(FChildFocused);
      }
      break;
    default: break;
  }
}

TCsGroupBox::TCsGroupBox(fw::TComponent* AOwner) : TCsCustomPanel(AOwner) {
  FControlStyle.Include(fw::csSetCaption);
  SetBounds(Left(), Top(), 185, 105);
}

void TCsGroupBox::AlignControls(fw::TControl* AControl, fw::TRect& Rect) {
  fw::TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(Font());
  fw::TRect text{0, 0, 1, 1};
  DrawWideCaption(measure.Canvas(), u"0", text, 0xFFFF, false, win::DT_CALCRECT | win::DT_SINGLELINE);
  Rect.top += text.bottom - text.top;
  win::InflateRect(&Rect, -1, -1);
  if (Ctl3D()) win::InflateRect(&Rect, -1, -1);  // room for the etched frame's second line
  TCsCustomPanel::AlignControls(AControl, Rect);
}

void TCsGroupBox::Paint() {
  fw::TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  const win::UINT format = win::DT_SINGLELINE | (UseRightToLeftReading() ? win::UINT(win::DT_RTLREADING) : 0u);
  PaintCaptionedGroupFrame(canvas, ClientRect(), Caption(), ThemeType(), Enabled(), format);
}

void TCsGroupBox::CMTextChanged(fw::TMessage& Message) {
  TCsCustomPanel::CMTextChanged(Message);
  ThemeChanged();
  Realign();
}

void TCsGroupBox::CMDialogChar(fw::TMessage& Message) {
  if (fw::IsAccel(char16_t(win::LOWORD(Message.WParam)), WideToUtf8(Caption())) && CanFocus()) {
    // The first child in tab order takes the focus.
    if (fw::TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
    Message.Result = 1;
    return;
  }
  TCsCustomPanel::CMDialogChar(Message);
}

}  // namespace cs
