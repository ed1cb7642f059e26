#include "controls/CsColorButton.h"

#include "tx/TxPopupWindow.h"

namespace cs {

TCsColorButton::TCsColorButton(fw::TComponent* AOwner) : TCsButton(AOwner) {
  SetCaption(u"");
  FPopup = new tx::TTxPopupMenu(this);
  FPopup->SetOptions(FPopup->Options() + toolbars::TTBItemOptions{toolbars::tboToolbarStyle});
  FPopup->OnPopup = [this](fw::TObject*) {
    FMenu.Build(FPopup->Items(), FSelectedColor, FDefaultColor, FDefaultVisible, FShowSeparators);
  };
  SetDropDownMenu(FPopup);
  // The face: the caption's place, 3 pixels in at the top and the bottom, is the colour bar.
  OnDrawCaption = [this](fw::TObject*, fw::TCanvas* ACanvas, const fw::TRect&, WideString&, fw::TRect& CaptionRect,
                         bool, TCsPaintStage, bool& PaintDefault) {
    PaintDefault = true;
    PaintColorBar(ACanvas, {CaptionRect.left, CaptionRect.top + 3, CaptionRect.right, CaptionRect.bottom - 3},
                  FSelectedColor);
  };
}

TCsColorButton::~TCsColorButton() {
  SetDropDownMenu(nullptr);
  delete FPopup;
  FPopup = nullptr;
}

void TCsColorButton::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCsButton::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  FMenu.Forget(AComponent);
  if (AComponent == FPopup) FPopup = nullptr;
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
