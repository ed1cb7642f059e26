#pragma once
// The themed dock: without a colour or a background picture of its own it paints the theme's
// dock background, or, with UseParentBackground, what lies behind it. It answers
// TXM_GETEFFECTIVECOLOR for the toolbars and controls on it.

#include "toolbars/TBDock.h"
#include "tx/TxThemesTypes.h"

namespace tx {

class TTxDock : public toolbars::TTBDock {
 public:
  explicit TTxDock(fw::TComponent* AOwner);
  // Dockable panels on the dock outlive it with their sizes: they float (or, unable to float,
  // wait hidden on the form). Going down with its form, the form frees them anyway.
  ~TTxDock() override;

  bool UseParentBackground() const { return FUseParentBackground; }
  void SetUseParentBackground(bool Value);
  // Set only while the dock handles a move or a size message.
  bool Moving() const { return FMoving; }
  bool Sizing() const { return FSizing; }

  // No picture, no colour and a theme that paints docks.
  virtual bool ThemedBackground();
  void DrawBackground(win::HDC DC, const fw::TRect& DrawRect) override;
  bool UsingBackground() override;
  void Dispatch(fw::TMessage& Message) override;

 protected:
  void Resize() override;

 private:
  void EraseBackground(fw::TMessage& Message);
  void ReleasePanels();

  bool FUseParentBackground = false;
  bool FMoving = false, FSizing = false;
};

}  // namespace tx
