#include "controls/CsColorButton.h"

#include "tx/TxPopupWindow.h"

namespace cs {

TCsColorButton::TCsColorButton(fw::TComponent* AOwner)
    : TCsMenuButton(AOwner), TCsColorPickerBase(this, true, false) {
  // The face: the caption's place, 3 pixels in at the top and the bottom, is the colour bar.
  OnDrawCaption = [this](fw::TObject*, fw::TCanvas* ACanvas, const fw::TRect&, WideString&, fw::TRect& CaptionRect,
                         bool, TCsPaintStage, bool& PaintDefault) {
    PaintDefault = true;
    PaintColorBar(ACanvas, {CaptionRect.left, CaptionRect.top + 3, CaptionRect.right, CaptionRect.bottom - 3},
                  PickedColor());
  };
}

void TCsColorButton::MenuPopup() {
  BuildMenu(Popup()->Items());
}

void TCsColorButton::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCsMenuButton::Notification(AComponent, Operation);
  if (Operation == fw::opRemove) Forget(AComponent);
}

}  // namespace cs
