#pragma once
// The frame of a floating themed toolbar or panel: its border, caption and close button come
// from the current theme, the close button lights up under the mouse, and a moved frame snaps to
// the edges of its monitor's work area within SnapDistance pixels.

#include "toolbars/TBFloatingParent.h"
#include "tx/TxThemesTypes.h"

namespace tx {

class TTxFloatingWindowParent : public toolbars::TTBFloatingWindowParent {
 public:
  using TTBFloatingWindowParent::TTBFloatingWindowParent;

  Integer SnapDistance() const { return FSnapDistance; }
  void SetSnapDistance(Integer Value) { FSnapDistance = Value < 0 ? 0 : Value; }
  bool CloseButtonHover() const { return FCloseButtonHover; }

  void DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip, toolbars::TTBFloatingRedraw RedrawWhat) override;
  void Dispatch(fw::TMessage& Message) override;

 private:
  void NCMouseMove(fw::TMessage& Message);
  void MouseLeft();
  void Snap(win::WINDOWPOS& Pos);

  Integer FSnapDistance = 0;
  bool FCloseButtonHover = false;
};

}  // namespace tx
