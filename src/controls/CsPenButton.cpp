#include "controls/CsPenButton.h"

#include "framework/GraphicsCanvas.h"
#include "tx/TxPopupWindow.h"

namespace cs {

void PaintPenStyleSample(fw::TCanvas* Canvas, const fw::TRect& R, fw::TPenStyle Style) {
  Canvas->Brush()->SetStyle(fw::bsSolid);
  Canvas->Brush()->SetColor(fw::clWhite);
  Canvas->Pen()->SetColor(0x808080);
  Canvas->Pen()->SetStyle(fw::psSolid);
  Canvas->Rectangle(R);
  Canvas->Pen()->SetStyle(Style);
  const int y = (R.top + R.bottom) / 2;
  for (int line : {y - 1, y, y + 1}) {
    Canvas->MoveTo(R.left + 1, line);
    Canvas->LineTo(R.right - 1, line);
  }
}

toolbars::TTBItemViewerClass TCsPenStyleItem::GetItemViewerClass(toolbars::TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsPenStyleItemViewer>();
}

void TCsPenStyleItemViewer::BeforePaintCaption(fw::TCanvas* Canvas, const fw::TRect& /*ClientAreaRect*/,
                                               const fw::String& /*Text*/, fw::TRect& CaptionRect,
                                               bool /*IsTextRotated*/, bool& PaintDefault) {
  PaintDefault = false;
  PaintPenStyleSample(Canvas, CaptionRect, fw::TPenStyle(Item()->Tag()));
}

TCsPenButton::TCsPenButton(fw::TComponent* AOwner) : TCsMenuButton(AOwner) {
  OnDrawCaption = [this](fw::TObject*, fw::TCanvas* ACanvas, const fw::TRect&, WideString&,
                         fw::TRect& CaptionRect, bool, TCsPaintStage, bool& PaintDefault) {
    // The focus rectangle is the button's own (the client rectangle less 4 in the classic look).
    PaintDefault = true;
    const fw::TColor brush = ACanvas->Brush()->Color();
    const fw::TPenStyle pen = ACanvas->Pen()->Style();
    PaintPenStyleSample(ACanvas,
                        {CaptionRect.left, CaptionRect.top + 4, CaptionRect.right, CaptionRect.bottom - 4},
                        FSelectedStyle);
    ACanvas->Brush()->SetColor(brush);
    ACanvas->Brush()->SetStyle(fw::bsClear);
    ACanvas->Pen()->SetStyle(pen);
  };
}

void TCsPenButton::SetSelectedStyle(fw::TPenStyle Value) {
  if (FSelectedStyle == Value || Value < fw::psSolid || Value > fw::psInsideFrame) return;
  FSelectedStyle = Value;
  Invalidate();
}

void TCsPenButton::MenuPopup() {
  toolbars::TTBCustomItem* root = Popup()->Items();
  if (root->Count() > 0) return;
  for (int style = fw::psSolid; style <= fw::psClear; ++style) {
    auto* entry = new TCsPenStyleItem(root);
    entry->SetTag(style);
    entry->SetCaption("-------------------");  // only its width counts
    entry->OnClick = [this](fw::TObject* Sender) { EntryClick(Sender); };
    root->Add(entry);
  }
}

void TCsPenButton::EntryClick(fw::TObject* Sender) {
  SetSelectedStyle(fw::TPenStyle(static_cast<toolbars::TTBCustomItem*>(Sender)->Tag()));
  if (OnStyleChange) OnStyleChange(this);
}

}  // namespace cs
