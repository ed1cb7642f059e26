#include "controls/CsColorButton.h"

#include "tx/TxPopupWindow.h"

namespace cs {

TCsColorButton::TCsColorButton(fw::TComponent* AOwner) : TCsMenuButton(AOwner) {
  // The face: the caption's place, 3 pixels in at the top and the bottom, is the colour bar.
  OnDrawCaption = [this](fw::TObject*, fw::TCanvas* ACanvas, const fw::TRect&, WideString&, fw::TRect& CaptionRect,
                         bool, TCsPaintStage, bool& PaintDefault) {
    PaintDefault = true;
    PaintColorBar(ACanvas, {CaptionRect.left, CaptionRect.top + 3, CaptionRect.right, CaptionRect.bottom - 3},
                  FSelectedColor);
  };
}

void TCsColorButton::MenuPopup() {
  FMenu.Build(Popup()->Items(), FSelectedColor, FDefaultColor, FDefaultVisible, FShowSeparators);
}

void TCsColorButton::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCsMenuButton::Notification(AComponent, Operation);
  if (Operation == fw::opRemove) FMenu.Forget(AComponent);
}

void TCsColorButton::SetSelectedColor(fw::TColor Value) {
  if (FSelectedColor == Value || !IsPickableColor(Value)) return;
  FSelectedColor = Value;
  Invalidate();
  FMenu.PassOn(Value);
  if (OnColorChange) OnColorChange(this);
}

void TCsColorButton::SetDefaultColor(fw::TColor Value) {
  if (FDefaultColor == Value || !IsPickableColor(Value)) return;
  FDefaultColor = Value;
  FMenu.SetDefaultColor(Value);
}

}  // namespace cs
