// TPanel.

#include "framework/ExtCtrls.h"

#include <algorithm>

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/windows/WinUserTypes.h"

namespace fw {

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width) {
  Canvas->Pen()->SetWidth(1);
  for (Integer i = 0; i < Width && Rect.right > Rect.left && Rect.bottom > Rect.top; ++i) {
    Integer right = Rect.right - 1, bottom = Rect.bottom - 1;
    Canvas->Pen()->SetColor(TopColor);
    Canvas->MoveTo(Rect.left, bottom);
    Canvas->LineTo(Rect.left, Rect.top);
    Canvas->LineTo(right, Rect.top);
    Canvas->Pen()->SetColor(BottomColor);
    Canvas->LineTo(right, bottom);
    Canvas->LineTo(Rect.left - 1, bottom);
    win::InflateRect(&Rect, -1, -1);
  }
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable};
  FColor = clBtnFace;
  FBrush->SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.Style |= win::WS_BORDER;
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

Integer TCustomPanel::FrameWidth() const {
  Integer w = FBorderWidth;
  if (FBevelOuter != bvNone) w += FBevelWidth;
  if (FBevelInner != bvNone) w += FBevelWidth;
  return w;
}

void TCustomPanel::Paint() {
  auto colours = [this](TPanelBevel bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : bevel == bvRaised ? clBtnHighlight : FColor;
    bottom = bevel == bvLowered ? clBtnHighlight : bevel == bvRaised ? clBtnShadow : FColor;
  };
  TRect r = ClientRect();
  TColor top, bottom;
  if (FBevelOuter != bvNone) {
    colours(FBevelOuter, top, bottom);
    Frame3D(FCanvas.get(), r, top, bottom, FBevelWidth);
  }
  Frame3D(FCanvas.get(), r, FColor, FColor, FBorderWidth);
  if (FBevelInner != bvNone) {
    colours(FBevelInner, top, bottom);
    Frame3D(FCanvas.get(), r, top, bottom, FBevelWidth);
  }
  FCanvas->Brush()->SetColor(FColor);
  FCanvas->FillRect(r);
  if (Caption().empty()) return;
  FCanvas->Font()->Assign(FFont.get());
  win::HDC dc = FCanvas->Handle();
  win::SelectObject(dc, FCanvas->Font()->Handle());
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, win::COLORREF(ColorToRGB(FFont->Color())));
  win::UINT flags = win::DT_SINGLELINE | win::DT_VCENTER | win::DT_EXPANDTABS;
  flags |= FAlignment == taLeftJustify ? win::DT_LEFT : FAlignment == taRightJustify ? win::DT_RIGHT : win::DT_CENTER;
  WideString text = win::Utf8ToWide(Caption());
  win::DrawTextW(dc, text.c_str(), Integer(text.size()), &r, flags);
}

void TCustomPanel::AlignControls(TControl* AControl, TRect& Rect) {
  Integer w = FrameWidth();
  win::InflateRect(&Rect, -w, -w);
  TCustomControl::AlignControls(AControl, Rect);
}

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Changed();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Changed();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  Value = std::max<Integer>(Value, 1);
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Changed();
}

void TCustomPanel::SetBorderWidth(TBorderWidth Value) {
  Value = std::max<Integer>(Value, 0);
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

}  // namespace fw
